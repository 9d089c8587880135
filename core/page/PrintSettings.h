// The print dialog's settings as the user left them, their defaults, and how a page reads them.
#pragma once

#include "core/base/Language.h"

#include <string>
#include <string_view>

namespace titralab {

// The index of the format choice.
enum class PageFormat { QuarterPage = 0, HalfPage = 1, Optimised = 2 };

// "Quart de page", "Demi page", "Optimisé".
std::string_view pageFormatCaption(PageFormat format, Language language);

// The dialog's controls. Number fields keep the text as typed; it is read only when a page is
// printed (ReadPrintSettings). Nothing here is saved between runs.
struct PrintSettings {
    std::string lineWidth{"30"};        // 1/100 mm
    std::string dashLengthMm{"9"};      // mm
    std::string charSize{"10"};         // points
    std::string approxGraduations{"8"}; // approximate number of graduations
    bool zoomX2{false};                 // "Zoom x 2 selon Ox"
    bool printConstants{true};          // "Imprimer les constantes"
    bool printInColour{false};          // "Imprimer en couleur"
    bool axisArrows{true};              // "Axes avec des flèches"
    bool printGrid{false};              // "Imprimer quadrillage"
    PageFormat format{PageFormat::Optimised};
    std::string comment1; // printed when not empty
    std::string comment2;
};

// The number fields as a page uses them. Reading never fails and shows no message.
struct PrintValues {
    double lineWidth{30};     // 1/100 mm, 1..150
    double dashLengthMm{9};   // mm, 1..15
    int charSize{10};         // points, 8..14, halved (then truncated) in QuarterPage
    int approxGraduations{8}; // 1..16
};

PrintValues ReadPrintSettings(const PrintSettings& settings);

} // namespace titralab
