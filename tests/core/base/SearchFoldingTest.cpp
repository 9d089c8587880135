#include "core/base/SearchFolding.h"
#include "core/chemistry/Indicators.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace titralab;

namespace {

// Every search folds what is typed and what is listed the same way: the database's names and
// the indicators' alike.
TEST(SearchFolding, DropsAccentsLigaturesAndCaseOnly) {
    struct Case {
        const char* label;
        const char* text;
        const char* folded;
    } cases[] = {
        {"acute, diaeresis and capital", "Éthanoïque", "ethanoique"},
        {"circumflex capitals", "ÔÎÛÂÊ", "oiuae"},
        {"diaeresis capitals", "ËÏ", "ei"},
        {"ligatures, both cases", "Œuf œil Æ æ", "oeuf oeil ae ae"},
        {"grave and cedilla", "À ÇA È Ù", "a ca e u"},
        {"apostrophes and blanks kept", "Jaune d’Alizarine R", "jaune d’alizarine r"},
        {"other bytes kept", "H3PO4 µ-2", "h3po4 µ-2"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(foldForSearch(c.text), c.folded) << c.label;
}

TEST(SearchFolding, FindsIndicatorsWhateverTheAccentsAndTheCase) {
    struct Case {
        const char* label;
        const char* typed;
        std::optional<const char*> found; // French name
    } cases[] = {
        {"as listed", "hélianthine", "hélianthine"},
        {"no accents", "phenolphtaleine", "phénolphtaléine"},
        {"capitals with accents", "PHÉNOLPHTALÉINE", "phénolphtaléine"},
        {"English name, capitals", "Bromothymol Blue", "bleu de bromothymol"},
        {"circumflex capital", "TOURNESÔL", "tournesol"},
        {"unknown", "curcuma", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<int> k = findIndicator(c.typed);
        ASSERT_EQ(k.has_value(), c.found.has_value()) << c.label;
        if (k) EXPECT_STREQ(colourIndicators()[*k].name.fr, *c.found) << c.label;
    }
}

} // namespace
