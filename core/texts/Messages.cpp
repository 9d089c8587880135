#include "core/texts/Messages.h"

#include "core/texts/FreeStudyTexts.h"

#include <array>

namespace titralab::texts {

namespace {

constexpr Text kDecimalSeparator{"Séparateur décimal : virgule !", "Decimal separator: comma!"};
constexpr Text kExample{"Exemple : 1,03E-2", "Example: 1,03E-2"};
constexpr Text kOr{" ou ", " or "};
constexpr Text kConcentrationTooSmall{"La concentration doit être supérieure à 1E-8 !",
                                      "The concentration must be greater than 1E-8!"};
constexpr Text kBuretteConcentrationTooLarge{"cbi trop grande !", "cbi too large!"};
constexpr Text kVolumeTooLarge{"vai trop grand !", "vai too large!"};
constexpr Text kVolumeTooSmall{"vai trop petit !", "vai too small!"};
constexpr Text kPointCount{"Le nombre de points doit être un entier entre 5 et 200 !",
                           "The number of points must be an integer from 5 to 200!"};

} // namespace

std::string numberRangeMessage(Language language) {
    return std::string(kDecimalSeparator.in(language)) + kLineBreak + kExample.in(language);
}

std::string concentrationRangeMessage(Language language) {
    const char* const orText = kOr.in(language);
    return numberRangeMessage(language) + orText + kConcentrationTooSmall.in(language) + orText +
           kBuretteConcentrationTooLarge.in(language);
}

std::string volumeRangeMessage(Language language) {
    const char* const orText = kOr.in(language);
    return numberRangeMessage(language) + orText + kVolumeTooLarge.in(language) + orText +
           kVolumeTooSmall.in(language);
}

std::string pointCountMessage(Language language) {
    return kPointCount.in(language);
}

std::string studyName(BuretteSide side, Study study, Language language) {
    static constexpr std::array<Text, 5> acid{{
        {"Monobase forte sur polyacide, f (v)", "Strong base, polyprotic acid, f (v)"},
        {"Monobase forte sur polyacide, f (pH)", "Strong base, polyprotic acid, f (pH)"},
        {"Monobase forte sur 2 monoacides, f (v)", "Strong base, 2 monoprotic acids, f (v)"},
        {"Mélange de 2 polyacides, pH et c", "Mixture of 2 polyprotic acids, pH, c"},
        {"Dilution d'un acide", "Dilution of an acid"},
    }};
    static constexpr std::array<Text, 5> base{{
        {"Monoacide fort sur polybase, f (v)", "Strong acid, polyprotic base, f (v)"},
        {"Monoacide fort sur polybase, f (pH)", "Strong acid, polyprotic base, f (pH)"},
        {"Monoacide fort sur 2 monobases, f (v)", "Strong acid, 2 monoprotic bases, f (v)"},
        {"Mélange de 2 polybases, pH et c", "Mixture of 2 polyprotic bases, pH, c"},
        {"Dilution d'une base", "Dilution of a base"},
    }};
    const int i = static_cast<int>(study);
    if (study == Study::FreeSolutions) return kFreeStudyName.in(language);
    if (i < 0 || i > 4) return {};
    return (side == BuretteSide::AcidSide ? acid[i] : base[i]).in(language);
}

} // namespace titralab::texts
