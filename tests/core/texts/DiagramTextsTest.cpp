// Every formula and every failing hypothesis of "why this pH" has its own words in each
// language, so that no verdict reads as another or as nothing.
#include "core/texts/DiagramTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace titralab {
namespace {

TEST(DiagramTexts, EachVerdictHasItsOwnWordsInEachLanguage) {
    const struct {
        const char* label;
        std::vector<Text> texts;
    } cases[] = {
        {"formula names",
         {texts::formulaName(PHFormula::StrongAcid), texts::formulaName(PHFormula::WeakAcid),
          texts::formulaName(PHFormula::Buffer), texts::formulaName(PHFormula::Amphoteric),
          texts::formulaName(PHFormula::WeakBase), texts::formulaName(PHFormula::StrongBase),
          texts::formulaName(PHFormula::Water)}},
        {"formula expressions",
         {texts::formulaExpression(PHFormula::StrongAcid),
          texts::formulaExpression(PHFormula::WeakAcid),
          texts::formulaExpression(PHFormula::Buffer),
          texts::formulaExpression(PHFormula::Amphoteric),
          texts::formulaExpression(PHFormula::WeakBase),
          texts::formulaExpression(PHFormula::StrongBase),
          texts::formulaExpression(PHFormula::Water)}},
        {"failing hypotheses",
         {texts::hypothesisText(PHHypothesis::AcidNotLittleDissociated),
          texts::hypothesisText(PHHypothesis::BaseNotLittleProtonated),
          texts::hypothesisText(PHHypothesis::WaterNotNegligible),
          texts::hypothesisText(PHHypothesis::BufferTooDilute),
          texts::hypothesisText(PHHypothesis::BufferTooUnbalanced),
          texts::hypothesisText(PHHypothesis::AmphotericTooDilute),
          texts::hypothesisText(PHHypothesis::OtherSpeciesNotNegligible)}},
    };
    for (const auto& k : cases)
        for (Language l : {Language::French, Language::English}) {
            std::set<std::string> seen;
            for (const Text& t : k.texts) {
                const std::string words = t.in(l);
                EXPECT_FALSE(words.empty()) << k.label;
                EXPECT_TRUE(seen.insert(words).second) << k.label << ": " << words;
            }
        }
}

} // namespace
} // namespace titralab
