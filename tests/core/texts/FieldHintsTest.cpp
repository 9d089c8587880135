// The hints of the panel's fields and row labels name what the field holds on each side: the
// burette's strong base or acid, the beaker's first or second acid or base.
#include "core/texts/InputTexts.h"

#include <gtest/gtest.h>

#include <string>

namespace titralab {
namespace {

TEST(FieldHints, NameWhatTheFieldHoldsOnItsSide) {
    struct Case {
        const char* label;
        BuretteSide side;
        int field;          // 1..16, or -2 / -3 for the row labels A2 / A3
        const char* names;  // a French phrase the hint must hold
        const char* never;  // one it must not
    } cases[] = {
        {"acid side burette", BuretteSide::AcidSide, 1, "monobase forte", "acide"},
        {"base side burette", BuretteSide::BaseSide, 1, "monoacide fort", "monobase"},
        {"acid side beaker", BuretteSide::AcidSide, 2, "l'acide", "base"},
        {"base side beaker", BuretteSide::BaseSide, 2, "la base", "acide"},
        {"base side volume", BuretteSide::BaseSide, 3, "la base", "acide"},
        {"base side second concentration", BuretteSide::BaseSide, 12, "deuxième base", "acide"},
        {"acid side second volume", BuretteSide::AcidSide, 13, "deuxième acide", "base"},
        {"base side second volume", BuretteSide::BaseSide, 13, "deuxième base", "acide"},
        {"acid side second pKa", BuretteSide::AcidSide, 14, "deuxième acide", "base"},
        {"base side second pKa3", BuretteSide::BaseSide, 16, "deuxième base", "acide"},
        {"acid side label A2", BuretteSide::AcidSide, -2, "l'acide, dans le bécher", "burette"},
        {"base side label A2", BuretteSide::BaseSide, -2, "la base, dans le bécher", "acide"},
        {"acid side label A3", BuretteSide::AcidSide, -3, "d'acide, dans le bécher", "base"},
        {"base side label A3", BuretteSide::BaseSide, -3, "de base, dans le bécher", "acide"},
    };
    for (const Case& c : cases) {
        const int s = c.side == BuretteSide::BaseSide ? 1 : 0;
        const std::string hint =
            c.field > 0 ? texts::fieldHint(c.side, c.field, Language::French)
                        : texts::kBeakerLabelHint[s][-c.field - 2].in(Language::French);
        EXPECT_NE(hint.find(c.names), std::string::npos) << c.label << ": " << hint;
        EXPECT_EQ(hint.find(c.never), std::string::npos) << c.label << ": " << hint;
        // The English hint is there too, and differs from the French one.
        const std::string english =
            c.field > 0 ? texts::fieldHint(c.side, c.field, Language::English)
                        : texts::kBeakerLabelHint[s][-c.field - 2].in(Language::English);
        EXPECT_FALSE(english.empty()) << c.label;
        EXPECT_NE(english, hint) << c.label;
    }
}

} // namespace
} // namespace titralab
