// Fitting the titration model to pasted measurements: the concentrations and pKa values that
// best explain the measured pH, with their standard uncertainties.
#pragma once

#include "core/base/Language.h"
#include "core/base/PastedPair.h"
#include "core/chemistry/ChemicalState.h"
#include "core/chemistry/Conditions.h"
#include "core/panel/DatabaseBrowser.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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

// What the fit may free in the panel's study, and what it frees unless told otherwise: the
// acid's concentration(s) and the pKa values of the acidities it has.
std::vector<FitValue> fittableValues(const PanelFields& panel);
std::vector<FitValue> defaultFreeValues(const PanelFields& panel);

// The most model evaluations one fit may spend: the fit always ends.
inline constexpr int kMaxFitEvaluations = 1200;
// The most pasted pairs a fit reads (the chart draws the first kMaxPastedPairs).
inline constexpr std::size_t kMaxFitPoints = 1000;

// What the measurements are worth: each point is weighed by its effective variance
// sigmaPH^2 + (dpH/dV)^2 sigmaVolume^2, dpH/dV being the model's slope at the point, so that
// a point on a jump, where a burette reading error moves the pH most, counts the less. Only
// their ratio sets the weights; the scatter of the points about the fitted curve sets the level
// of the uncertainties.
struct FitSettings {
    double sigmaPH{0.02};       // pH
    double sigmaVolumeMl{0.05}; // mL, a burette reading
    // The conditions of the model: in others than ideal at 25 °C its pH is the general
    // engine's; with activities the pKa found are thermodynamic ones (at zero ionic strength),
    // without them apparent ones (those of the medium of the points).
    Conditions conditions{};
};
inline constexpr double kMaxSigmaPH = 1;       // pH
inline constexpr double kMaxSigmaVolumeMl = 5; // mL

struct FittedValue {
    FitValue which{};
    int field{};          // the panel field the value goes into
    double value{};       // as typed: mol/L, or the pKa as the side's fields hold it
    double uncertainty{}; // standard uncertainty, same unit
};

// An equivalence volume of the fitted model, with its standard uncertainty propagated from
// the fitted values (their covariances included).
struct FittedEquivalence {
    int number{};         // 1, 2, 3
    double volume{};      // L
    double uncertainty{}; // L
};

struct ResidualPoint {
    double volume{};   // unit of the state's volumes (as pasted)
    double residual{}; // measured pH - computed pH
};

struct FitResult {
    bool ok{false};
    bool ran{false};     // the minimisation ran: deviation, points and residuals are filled
    std::string refusal; // in the simulation's language, when not ok
    std::vector<FittedValue> values;
    std::vector<FittedEquivalence> equivalences;
    double residualDeviation{}; // pH, sqrt(sum of squared residuals / (points - free values))
    int pointsUsed{};
    std::string notice; // the points left out and why, in the simulation's language; may be empty
    std::vector<ResidualPoint> residuals;
    double volumeFactor{1}; // display factor of the volumes: 1000 when shown in mL
    int evaluations{};      // model evaluations spent
    // What the pKa found are, said when the fit ran with activities; empty otherwise.
    std::string basis;
};

// The measured points the fit uses (volumes in litres, read in the pasted points' unit), and
// what was left out: a pH outside 0..14, a pair repeated exactly (pasted twice, it is one
// measurement), pairs beyond the first kMaxFitPoints.
struct FitPoints {
    std::vector<PastedPair> points;
    int outOfRange{};
    int repeated{};
    bool cut{false};
};
FitPoints fitPointsOf(const std::vector<std::string>& pastedText, bool volumeFirst,
                      bool inMillilitres);

// Fits the study of the panel (its typed fields as the starting point, `state` for what the
// panel does not hold) to `points`, freeing
// `free`. The model's pH at each volume is solved exactly; Levenberg-Marquardt minimises the
// weighted squared pH residuals (weights from `settings`, brought up to date with the slope
// until the values settle); the covariance of the values is s_w^2 (J^T W J)^-1 at the optimum,
// s_w^2 being the weighted sum of squares over (points - free values). Refuses (with a message
// in `language`) a study without titration, a value the study does not have,
// too few points, a minimisation that did not converge, points that span no equivalence when
// a concentration is freed, and any non-finite or undetermined result.
FitResult fitTitration(const ChemicalState& state, const PanelFields& panel, Language language,
                       const std::vector<PastedPair>& points, const std::vector<FitValue>& free,
                       const FitSettings& settings = {});

// The fit of the pasted points as fitPointsOf read them, saying what was left out of them.
FitResult fitPastedPoints(const ChemicalState& state, const PanelFields& panel, Language language,
                          const FitPoints& read, const std::vector<FitValue>& free,
                          const FitSettings& settings = {});

// A value and its standard uncertainty as a reader wants them: the uncertainty to two
// significant digits, the value to the same decimal place, with the chosen separator
// ("0,094931" and "0,000023"); six significant digits when the uncertainty is zero.
std::pair<std::string, std::string> formatMeasured(double value, double uncertainty,
                                                   char separator);

// How the dialog names a value: "C1 (mol/L)", "Cb, burette (mol/L)", "pKa1"...
std::string fitValueCaption(FitValue v, Language language);

// "Appliquer": writes the fitted values into the panel's fields, as formatMeasured writes them
// with `separator`. Only a successful fit with finite values changes anything.
void applyFit(PanelFields& panel, const FitResult& result, char separator);

} // namespace titralab
