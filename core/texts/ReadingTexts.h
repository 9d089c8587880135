// The French texts of the readings of a titration: equivalence points, derivative, indicators,
// legend, the value on the curve and the particular point.
#pragma once

namespace titralab::texts {

inline constexpr const char* kEquivalencesBox = "Équivalences";
inline constexpr const char* kDerivativeBox = "dpH/dV";
inline constexpr const char* kDerivativeColumn = "dpH/dV";
inline constexpr const char* kDerivativeAxis = "dpH/dV, en pH par mL";
inline constexpr const char* kDerivativeAxisLitres = "dpH/dV, en pH par L";
inline constexpr const char* kIndicatorLabel = "&Indicateur :";
inline constexpr const char* kNoIndicator = "(aucun)";
inline constexpr const char* kLegendBox = "Légende";
inline constexpr const char* kResultsTitle = "Points remarquables";
inline constexpr const char* kSuits = "convient";
inline constexpr const char* kDoesNotSuit = "ne convient pas";
inline constexpr const char* kNoJump = "pas de saut exploitable";
inline constexpr const char* kJump = "saut exploitable";
inline constexpr const char* kParticularLabel = "&Point particulier :";
inline constexpr const char* kParticularUnit = "mL";
inline constexpr const char* kParticularUnitLitres = "L";
inline constexpr const char* kOnCurve = "Sur la courbe : v = ";
inline constexpr const char* kCopiedHeader = "Points remarquables";
inline constexpr const char* kPointColumn = "Point";
inline constexpr const char* kVolumeColumn = "v";
inline constexpr const char* kPHColumn = "pH";
// Labels of the points: E1, I1 (inflection), ½E1.
inline constexpr const char* kEquivalencePrefix = "E";
inline constexpr const char* kInflectionPrefix = "I";
inline constexpr const char* kHalfPrefix = "½E";
inline constexpr const char* kLegendPH = "pH";
inline constexpr const char* kLegendHydronium = "c (H3O+)";
inline constexpr const char* kLegendDerivative = "dpH/dV";
inline constexpr const char* kLegendPasted = "Points ajoutés";
inline constexpr const char* kLegendConductivity = "Conductivité";
inline constexpr const char* kHideLegend = "Masquer la légende";
inline constexpr const char* kShowLegend = "Afficher la légende";
inline constexpr const char* kParticularOutside = "Volume hors de la courbe";
inline constexpr const char* kParticularNoTitration = "Seulement pour un dosage";

// Accessible names of the reading controls.
inline constexpr const char* kEquivalencesName = "Marquer les équivalences et demi-équivalences";
inline constexpr const char* kDerivativeName = "Courbe de la dérivée dpH/dV";
inline constexpr const char* kLegendName = "Légende du graphique";
inline constexpr const char* kIndicatorName = "Indicateur coloré";
inline constexpr const char* kParticularName = "Volume du point particulier, en mL";
inline constexpr const char* kResultsName = "Points remarquables du dosage";

} // namespace titralab::texts
