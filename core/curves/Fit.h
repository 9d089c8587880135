// Fitting the titration model to pasted measurements: the concentrations and pKa values that
// best explain the measured pH, with their standard uncertainties.
#pragma once

#include "core/panel/Simulation.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

// The values a fit may free, with the field each is typed in. In the one-polyacid titration
// pK1..pK3 are D4..D6 of acid 1; in the two-monoacid titration pK1 is acid 1's (D4) and pK2
// acid 2's (D14), and C2 is acid 2's concentration (D12).
enum class FitValue { C1, C2, Cb, PK1, PK2, PK3 };
inline constexpr int kFitValueCount = 6;

// "C1", "C2", "Cb", "pK1", "pK2", "pK3".
std::string_view fitValueName(FitValue v);
std::optional<FitValue> fitValueFromName(std::string_view name);

// The field (1..16) that holds a value in the study, or 0 when the study has no such value.
int fitValueField(Study study, FitValue v);

// What the fit may free in the current study, and what it frees unless told otherwise: the
// acid's concentration(s) and the pKa values of the acidities it has.
std::vector<FitValue> fittableValues(const Simulation& sim);
std::vector<FitValue> defaultFreeValues(const Simulation& sim);

// The most model evaluations one fit may spend: the fit always ends.
inline constexpr int kMaxFitEvaluations = 400;

struct FittedValue {
    FitValue which{};
    int field{};          // the panel field the value goes into
    double value{};       // as typed: mol/L, or the pKa as the side's fields hold it
    double uncertainty{}; // standard uncertainty, same unit
};

struct ResidualPoint {
    double volume{};   // unit of the state's volumes (as pasted)
    double residual{}; // measured pH - computed pH
};

struct FitResult {
    bool ok{false};
    std::string refusal; // French, when not ok
    std::vector<FittedValue> values;
    double residualDeviation{}; // pH, sqrt(sum of squared residuals / (points - free values))
    int pointsUsed{};
    std::vector<ResidualPoint> residuals;
    double volumeFactor{1}; // display factor of the volumes: 1000 when shown in mL
    int evaluations{};      // model evaluations spent
};

// The measured points the fit uses: the pasted pairs as the chart reads them, with a pH inside
// 0..14; volumes pasted in mL are read so when only then do they fit the range the last
// regeneration drew.
std::vector<PastedPair> fitPointsOf(const Simulation& sim);

// Fits the study of `sim` (its typed fields as the starting point) to `points`, freeing
// `free`. The model's pH at each volume is solved exactly; Levenberg-Marquardt minimises the
// squared pH residuals; the uncertainties are sqrt of the diagonal of s^2 (J^T J)^-1 at the
// optimum. Refuses (with a message in the simulation's language) a study without titration, too few points, points that
// span no equivalence when a concentration is freed, and any non-finite or undetermined result.
FitResult fitTitration(const Simulation& sim, const std::vector<PastedPair>& points,
                       const std::vector<FitValue>& free);

// The fit of the pasted points.
inline FitResult fitPastedPoints(const Simulation& sim, const std::vector<FitValue>& free) {
    return fitTitration(sim, fitPointsOf(sim), free);
}

// How the dialog names a value: "C1 (mol/L)", "Cb, burette (mol/L)", "pKa1"...
std::string fitValueCaption(FitValue v, Language language);
// Transitional: French, until every caller passes a language.
inline std::string fitValueCaption(FitValue v) {
    return fitValueCaption(v, Language::French);
}

// "Appliquer": writes the fitted values into their fields, as typed (6 significant digits,
// decimal point). Only a successful fit with finite values changes anything.
void applyFit(Simulation& sim, const FitResult& result);

} // namespace titralab
