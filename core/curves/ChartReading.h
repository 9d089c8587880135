// What the graph window adds to a titration for reading it: the remarkable points, the exact
// derivative curve, the colour indicator and its verdicts, the value on the curve at a volume.
#pragma once

#include "core/chemistry/Indicators.h"
#include "core/curves/Curves.h"
#include "core/curves/Equivalence.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

// The graph window's reading controls. The defaults leave the program as it was.
struct ReadingOptions {
    bool equivalences{false}; // "Équivalences": markers, results and copied lines
    bool derivative{false};   // "dpH/dV": curve on a right-hand axis and column of the table
    int indicator{-1};        // index in colourIndicators(); -1: none
    bool legend{true};        // the chart's legend
};

struct ChartReading {
    ReadingOptions options;
    // The remarkable points, filled in the titration studies when the markers or an indicator
    // are wanted.
    std::vector<EquivalenceReading> points;
    // (volume as drawn, dpH/dV per drawn volume unit) at each point of the pH curve.
    Series derivative;
};

// dpH/dV at a displayed pH, in pH per drawn volume unit (per mL when volumes show in mL).
double derivativeForDisplay(const ChemicalState& s, Titration t, double pH);
// The same at the working concentration h of that pH.
double derivativeForDisplayAtH(const ChemicalState& s, Titration t, double h);

// "convient" when the jump is usable and the indicator's transition range lies inside the
// jump around the equivalence (its pH need not lie in the range); "ne convient pas" otherwise.
bool indicatorSuits(const ColourIndicator& indicator, const EquivalenceReading& point);
const char* verdictText(bool suits, Language language);

// A remarkable point as the results panel and the chart label it: "E1", "I1", "½E1".
enum class PointKind { Equivalence, Inflection, Half };
std::string pointLabel(PointKind kind, int number, Language language);

// The values of the curve at a volume typed in drawn units (mL or L), solved exactly: the
// readout's "Sur la courbe" text and the particular point's lines (core/session/ChartReading.h).
struct ExactPoint {
    double volume{}; // unit of vol1
    double pH{};
    double hydronium{};                                  // mol/L, with the dilution of the beaker
    std::vector<std::pair<std::string, double>> species; // mol/L, name and value
    std::optional<double> conductivity;                  // S/m, when the study can compute it
};
// The particular point's volume as typed (point or comma), in drawn units; nullopt when the
// text is not a number from 0 up.
std::optional<double> readParticularVolume(const std::string& text);

} // namespace titralab
