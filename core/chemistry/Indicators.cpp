#include "core/chemistry/Indicators.h"

#include <cctype>

namespace titralab {

namespace {

// Ranges and colours as French secondary-school and first-year textbooks print them. The common
// tables of indicators (the CRC Handbook's, Harris' Quantitative Chemical Analysis) give the
// same ranges within two tenths of a pH unit: methyl red 4.4-6.2 in most of them, phenol red
// 6.4-8.0 in some, phenolphthalein 8.0 or 8.3 to 10.0 in some, litmus 4.5-8.3. The textbook
// ranges are kept, since they are the ones a class reads. The screen colours are ordinary
// renderings of the named colours.
constexpr IndicatorColor kRed{220, 30, 30};
constexpr IndicatorColor kYellow{240, 220, 40};
constexpr IndicatorColor kOrangeYellow{245, 175, 30};
constexpr IndicatorColor kBlue{40, 80, 220};
constexpr IndicatorColor kBlueViolet{100, 60, 190};
constexpr IndicatorColor kColourless{245, 245, 245};
constexpr IndicatorColor kPinkViolet{215, 40, 160};
constexpr IndicatorColor kOrangeRed{240, 90, 30};

} // namespace

const std::vector<ColourIndicator>& colourIndicators() {
    static const std::vector<ColourIndicator> table{
        {"bleu de thymol (1re zone)", 1.2, 2.8, "rouge", "jaune", kRed, kYellow},
        {"hélianthine", 3.1, 4.4, "rouge", "jaune orangé", kRed, kOrangeYellow},
        {"bleu de bromophénol", 3.0, 4.6, "jaune", "bleu violet", kYellow, kBlueViolet},
        {"vert de bromocrésol", 3.8, 5.4, "jaune", "bleu", kYellow, kBlue},
        {"rouge de méthyle", 4.2, 6.2, "rouge", "jaune", kRed, kYellow},
        {"tournesol", 5.0, 8.0, "rouge", "bleu", kRed, kBlue},
        {"bleu de bromothymol", 6.0, 7.6, "jaune", "bleu", kYellow, kBlue},
        {"rouge de phénol", 6.8, 8.4, "jaune", "rouge", kYellow, kRed},
        {"bleu de thymol (2e zone)", 8.0, 9.6, "jaune", "bleu", kYellow, kBlue},
        {"phénolphtaléine", 8.2, 10.0, "incolore", "rose violacé", kColourless, kPinkViolet},
        {"thymolphtaléine", 9.3, 10.5, "incolore", "bleu", kColourless, kBlue},
        {"jaune d'alizarine R", 10.1, 12.0, "jaune", "rouge orangé", kYellow, kOrangeRed},
    };
    return table;
}

namespace {

// Lower case, the French accented letters of the names folded to their plain letters, the
// blanks and the straight or typographic apostrophes kept as typed.
std::string folded(std::string_view text) {
    static const struct {
        const char* accented;
        char plain;
    } letters[] = {{"é", 'e'}, {"è", 'e'}, {"ê", 'e'}, {"ë", 'e'}, {"à", 'a'}, {"â", 'a'},
                   {"î", 'i'}, {"ï", 'i'}, {"ô", 'o'}, {"û", 'u'}, {"ù", 'u'}, {"ç", 'c'},
                   {"É", 'e'}, {"È", 'e'}, {"Ê", 'e'}, {"À", 'a'}, {"Ç", 'c'}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& l : letters) {
            const std::string_view a(l.accented);
            if (text.substr(i, a.size()) == a) {
                out += l.plain;
                i += a.size();
                replaced = true;
                break;
            }
        }
        if (replaced) continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        ++i;
    }
    return out;
}

} // namespace

std::optional<int> findIndicator(std::string_view name) {
    const std::string wanted = folded(name);
    const auto& table = colourIndicators();
    for (std::size_t k = 0; k < table.size(); ++k)
        if (folded(table[k].name) == wanted) return static_cast<int>(k);
    return std::nullopt;
}

} // namespace titralab
