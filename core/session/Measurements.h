// Imported measurements in the simulation, and the equivalence read off them by the lab's
// methods with the settings the current study gives (beaker volume, titrant, weak or strong).
#pragma once

#include "core/curves/MeasuredEquivalence.h"
#include "core/session/Simulation.h"
#include "core/sheets/MeasurementFile.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

// The windows of the Savitzky–Golay smoothing the derivative method can run with (points;
// below 3, no smoothing).
inline constexpr int kMaxSmoothing = 21;

// Puts imported measurements into the study: the pH points become the pasted points (as a
// paste makes them, volumes kept in millilitres, the points' box ticked), the conductivity
// points replace the measured conductivities.
void importIntoSimulation(Simulation& sim, const sheets::ImportedMeasurements& imported);

// The columns an import takes, as the tool reports them: "Columns: volume = 1 (V (mL)), …".
std::string chosenColumnsText(const sheets::MeasurementTable& table,
                              const sheets::ColumnChoice& choice, Language language);

// The pasted (or imported) pH points, volumes in litres.
std::vector<PastedPair> measuredPHPoints(const Simulation& sim);

// What Gran's linearisation needs of the study, and how many breaks the conductivity has.
GranSetup granSetupOf(const ChemicalState& state);
// The same with the fitting ranges the user chose for Gran's lines.
GranSetup granSetupOf(const Simulation& sim);
int conductimetricBreaks(const ChemicalState& state);

// The methods a command-line word names: one method, or all four for "all".
std::optional<std::vector<EquivalenceMethod>> parseEquivalenceMethods(std::string_view word);
// The method's command-line word.
const char* equivalenceMethodWord(EquivalenceMethod method);

struct MethodEquivalence {
    EquivalenceMethod method{};
    MeasuredEquivalence equivalence;
};
// Each method's equivalences, in the order of `methods`: the pH methods on the pH points, the
// conductimetric one on the conductivity points (none found without points).
std::vector<MethodEquivalence> measuredEquivalences(const Simulation& sim,
                                                    const std::vector<EquivalenceMethod>& methods);

// The reading panel's lines of the measured equivalences, one per method and equivalence, the
// methods the points allow (the pH ones on pH points, the conductimetric one on conductivities):
// "Mesures — dérivée : V_E = 10,02 ± 0,05 mL", V_E1, V_E2… when the study has several. The
// volume and its uncertainty in the chart's unit, the uncertainty to one significant digit (two
// when it starts with 1) and the volume to the same decimal place.
std::vector<std::string> measuredEquivalenceLines(const Simulation& sim);

// The imported conductivities as the titration chart draws them, on its conductivity axis:
// volumes in the chart's unit, conductivities on the simulated conductivity's scale; none
// unless that curve is drawn.
std::vector<CurvePoint> drawnMeasuredConductivities(const Simulation& sim);
// The block the copied table of a titration ends with when conductivities were imported: a
// blank line, the heading, "v (L)\tσ (S/m)" and a line per point, CR line ends.
std::string copiedMeasuredConductivities(const Simulation& sim);

// The parallel-tangent construction on the measured pH points, as the chart draws it (volumes
// in the chart's unit): per jump, the two tangents and the line halfway between them, each a
// segment from its first point to its second.
using DrawnSegment = std::array<CurvePoint, 2>;
std::vector<DrawnSegment> drawnTangentConstruction(const Simulation& sim);

// The derivative method's dpH/dV of the measured pH points (after its smoothing), as the
// titration chart draws it: volumes in the chart's unit, scaled so that its largest value stands
// at kMeasuredDerivativeTop on the pH axis; none without points.
inline constexpr double kMeasuredDerivativeTop = 12;
std::vector<CurvePoint> drawnMeasuredDerivative(const Simulation& sim);

// The conductimetric method's straight lines as the titration chart draws them over the imported
// conductivities: volumes in the chart's unit, conductivities on the simulated conductivity's
// scale; none unless that curve is drawn and the method found its breaks.
std::vector<DrawnSegment> drawnConductimetricLines(const Simulation& sim);

// The block the copied table gives when the equivalence was read off measured points (before
// the measured conductivities): a blank line, the heading and the reading panel's lines, CR
// line ends; empty without points.
std::string copiedMeasuredEquivalences(const Simulation& sim);

// The spread of each pH method's equivalences when the measured points are perturbed, the
// derivative, tangent and Gran methods in turn, `setup.draws` draws each. progress(done, total)
// counts the draws of all three; returning false stops, and the reading says it was cancelled.
struct MethodSpread {
    EquivalenceMethod method{};
    MonteCarloSpread spread;
    bool granAfter{false}; // Gran's line after the jump rather than before it
};
struct MeasuredSpreads {
    std::vector<MethodSpread> spreads;
    int draws{}; // asked of each method
    bool cancelled{false};
};
MeasuredSpreads measuredSpreads(const Simulation& sim, const MonteCarloSetup& setup,
                                const std::function<bool(int, int)>& progress = {});
// Their lines: "Monte-Carlo — dérivée : V_E = 10,02 ± 0,06 mL (1000 tirages)".
std::vector<std::string> spreadLines(const Simulation& sim, const MeasuredSpreads& spreads);

} // namespace titralab
