#include "core/chemistry/Indicators.h"

#include "core/base/SearchFolding.h"

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
    static constexpr Text kRedName{"rouge", "red"};
    static constexpr Text kYellowName{"jaune", "yellow"};
    static constexpr Text kBlueName{"bleu", "blue"};
    static constexpr Text kColourlessName{"incolore", "colourless"};
    static const std::vector<ColourIndicator> table{
        {{"bleu de thymol (1re zone)", "thymol blue (1st range)"},
         1.2,
         2.8,
         kRedName,
         kYellowName,
         kRed,
         kYellow},
        {{"hélianthine", "methyl orange"},
         3.1,
         4.4,
         kRedName,
         {"jaune orangé", "orange-yellow"},
         kRed,
         kOrangeYellow},
        {{"bleu de bromophénol", "bromophenol blue"},
         3.0,
         4.6,
         kYellowName,
         {"bleu violet", "blue-violet"},
         kYellow,
         kBlueViolet},
        {{"vert de bromocrésol", "bromocresol green"},
         3.8,
         5.4,
         kYellowName,
         kBlueName,
         kYellow,
         kBlue},
        {{"rouge de méthyle", "methyl red"}, 4.2, 6.2, kRedName, kYellowName, kRed, kYellow},
        {{"tournesol", "litmus"}, 5.0, 8.0, kRedName, kBlueName, kRed, kBlue},
        {{"bleu de bromothymol", "bromothymol blue"},
         6.0,
         7.6,
         kYellowName,
         kBlueName,
         kYellow,
         kBlue},
        {{"rouge de phénol", "phenol red"}, 6.8, 8.4, kYellowName, kRedName, kYellow, kRed},
        {{"bleu de thymol (2e zone)", "thymol blue (2nd range)"},
         8.0,
         9.6,
         kYellowName,
         kBlueName,
         kYellow,
         kBlue},
        {{"phénolphtaléine", "phenolphthalein"},
         8.2,
         10.0,
         kColourlessName,
         {"rose violacé", "pink"},
         kColourless,
         kPinkViolet},
        {{"thymolphtaléine", "thymolphthalein"},
         9.3,
         10.5,
         kColourlessName,
         kBlueName,
         kColourless,
         kBlue},
        {{"jaune d'alizarine R", "alizarin yellow R"},
         10.1,
         12.0,
         kYellowName,
         {"rouge orangé", "orange-red"},
         kYellow,
         kOrangeRed},
    };
    return table;
}

std::optional<int> findIndicator(std::string_view name) {
    const std::string wanted = foldForSearch(name);
    const auto& table = colourIndicators();
    for (std::size_t k = 0; k < table.size(); ++k)
        for (const Language language : {Language::French, Language::English})
            if (foldForSearch(table[k].name.in(language)) == wanted) return static_cast<int>(k);
    return std::nullopt;
}

} // namespace titralab
