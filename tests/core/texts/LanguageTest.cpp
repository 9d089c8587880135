#include "core/base/Language.h"

#include <gtest/gtest.h>

namespace titralab {
namespace {

TEST(Language, LocaleNamesChooseFrenchOnlyForFrench) {
    const struct {
        const char* locale;
        Language expected;
    } cases[] = {
        {"fr", Language::French},         {"fr_FR.UTF-8", Language::French},
        {"fr_CA", Language::French},      {"fr-BE", Language::French},
        {"fr_FR@euro", Language::French}, {"en_GB.UTF-8", Language::English},
        {"de_DE", Language::English},     {"C", Language::English},
        {"", Language::English},          {"fry_NL", Language::English},
    };
    for (const auto& c : cases) EXPECT_EQ(languageOfLocale(c.locale), c.expected) << c.locale;
}

TEST(Language, CodesReadBackAndRefuseOthers) {
    for (Language l : {Language::French, Language::English})
        EXPECT_EQ(parseLanguage(languageCode(l)), l);
    for (const char* bad : {"", "FR", "de", "english", "f"})
        EXPECT_FALSE(parseLanguage(bad).has_value()) << bad;
}

} // namespace
} // namespace titralab
