// The texts of the printed page.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kDocumentTitle{"pH et concentrations", "pH and concentrations"};

// The texts under the frame.
inline constexpr Text kBaseConcentration{"concentration de la base", "concentration of the base"};
inline constexpr Text kAcidConcentration{"concentration de l'acide", "concentration of the acid"};
inline constexpr Text kInitialConcentrationOf{"c. initiale en ", "initial c. of "};
inline constexpr Text kAcidPKa{"pKa de l'acide employé", "pKa of the acid used"};
inline constexpr Text kBasePKa{"pKa de la base employée", "pKa of the base used"};
inline constexpr Text kConductivityLegend{"conductivité", "conductivity"};

// The print dialog's page formats, and the hint on the optimised one.
inline constexpr Text kQuarterPage{"Quart de page", "Quarter page"};
inline constexpr Text kHalfPage{"Demi page", "Half page"};
inline constexpr Text kOptimised{"Optimisé", "Optimised"};
inline constexpr Text kPageFormatHint{
    "Le format optimisé dépasse la demi page, mais est très facile à exploiter graphiquement",
    "The optimised format is larger than half a page, but far easier to read graphically"};

} // namespace titralab::texts
