// The texts of the chart's right-hand scales and of what the paste commands read.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kConcentrationScale{"Concentrations en mol/L", "Concentrations in mol/L"};
inline constexpr Text kConductivityScale{"Conductivité en S/m", "Conductivity in S/m"};

// After a paste of (v, pH) pairs: "12 points lus".
inline constexpr Text kPointsPasted{" points lus, montrés sur le graphique",
                                    " points read, shown on the chart"};
inline constexpr Text kOnePointPasted{"1 point lu, montré sur le graphique",
                                      "1 point read, shown on the chart"};
inline constexpr Text kNoPointPasted{
    "Aucun point lu : chaque ligne collée doit porter deux nombres (volume et pH)",
    "No point read: each pasted line must hold two numbers (volume and pH)"};

// When pasted points fall outside the chart.
inline constexpr Text kPastedOutOfChart{"Certains points collés sont hors du graphique",
                                        "Some pasted points lie outside the chart"};

} // namespace titralab::texts
