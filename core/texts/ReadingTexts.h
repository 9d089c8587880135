// The texts of the readings of a titration: equivalence points, derivative, indicators,
// legend, the value on the curve and the particular point.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kEquivalencesBox{"Équivalences", "Equivalences"};
inline constexpr Text kDerivativeBox{"dpH/dV", "dpH/dV"};
inline constexpr Text kDerivativeColumn{"dpH/dV", "dpH/dV"};
inline constexpr Text kDerivativeAxis{"dpH/dV, en pH par mL", "dpH/dV, in pH per mL"};
inline constexpr Text kDerivativeAxisLitres{"dpH/dV, en pH par L", "dpH/dV, in pH per L"};
inline constexpr Text kIndicatorLabel{"In&dicateur :", "&Indicator:"};
inline constexpr Text kNoIndicator{"(aucun)", "(none)"};
inline constexpr Text kLegendBox{"Légende", "Legend"};
inline constexpr Text kResultsTitle{"Points remarquables", "Key points"};
inline constexpr Text kSuits{"convient", "suitable"};
inline constexpr Text kDoesNotSuit{"ne convient pas", "not suitable"};
inline constexpr Text kNoJump{"pas de saut exploitable", "no usable pH jump"};
inline constexpr Text kJump{"saut exploitable", "usable pH jump"};
inline constexpr Text kParticularLabel{"&Point particulier :", "P&articular point:"};
inline constexpr Text kParticularUnit{"mL", "mL"};
inline constexpr Text kParticularUnitLitres{"L", "L"};
inline constexpr Text kOnCurve{"Sur la courbe : v = ", "On the curve: v = "};
inline constexpr Text kCopiedHeader{"Points remarquables", "Key points"};
inline constexpr Text kPointColumn{"Point", "Point"};
inline constexpr Text kVolumeColumn{"v", "v"};
inline constexpr Text kPHColumn{"pH", "pH"};
// Labels of the points: E1, I1 (inflection), ½E1.
inline constexpr Text kEquivalencePrefix{"E", "E"};
inline constexpr Text kInflectionPrefix{"I", "I"};
inline constexpr Text kHalfPrefix{"½E", "½E"};
inline constexpr Text kLegendPH{"pH", "pH"};
inline constexpr Text kLegendHydronium{"c (H3O+)", "c (H3O+)"};
inline constexpr Text kLegendDerivative{"dpH/dV", "dpH/dV"};
inline constexpr Text kLegendPasted{"Points ajoutés", "Pasted points"};
inline constexpr Text kLegendConductivity{"Conductivité", "Conductivity"};
inline constexpr Text kHideLegend{"Masquer la légende", "Hide the legend"};
inline constexpr Text kShowLegend{"Afficher la légende", "Show the legend"};
inline constexpr Text kParticularOutside{"Volume hors de la courbe", "Volume outside the curve"};
inline constexpr Text kParticularNoTitration{"Seulement pour un dosage", "Only for a titration"};

// Accessible names of the reading controls.
inline constexpr Text kEquivalencesName{"Marquer les équivalences et demi-équivalences",
                                        "Mark equivalence and half-equivalence points"};
inline constexpr Text kDerivativeName{"Courbe de la dérivée dpH/dV", "Derivative curve dpH/dV"};
inline constexpr Text kLegendName{"Légende du graphique", "Chart legend"};
inline constexpr Text kIndicatorName{"Indicateur coloré", "Colour indicator"};
inline constexpr Text kParticularName{"Volume du point particulier, en mL",
                                      "Volume of the particular point, in mL"};
inline constexpr Text kResultsName{"Points remarquables du dosage", "Key points of the titration"};
// Told when the readings empty.
inline constexpr Text kNoResults{"aucun point remarquable affiché", "no key point shown"};

// The conductivity on the curve.
inline constexpr Text kConductivityIs{"Conductivité = ", "Conductivity = "};

// The status panels of the graph window under the mouse.
inline constexpr Text kVolumeAdded{"Volume versé : ", "Volume added: "};
inline constexpr Text kPH{"pH : ", "pH: "};
inline constexpr Text kConcentration{"Concentration en mol / L : ", "Concentration in mol / L: "};
inline constexpr Text kConductivity{"Conductivité en S/m : ", "Conductivity in S/m: "};
inline constexpr Text kLogConcentration{"- Log(concentration) : ", "- Log(concentration): "};

// The slope of the derivative on paper.
inline constexpr Text kPHPer{" pH par ", " pH per "};

} // namespace titralab::texts
