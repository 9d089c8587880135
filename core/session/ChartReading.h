// The chart reading of the simulation's study: its remarkable points, the lines the copy and the
// results panel write of them, and the exact values of the curve at a typed volume.
#pragma once

#include "core/curves/ChartReading.h"
#include "core/session/Simulation.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

// Fills sim.reading.points for the current study (cleared elsewhere). Run at the end of
// RefreshSimulation.
void UpdateChartReading(Simulation& sim);

// The lines written under the copied table: a header, then one line per point with its label,
// its volume as the table writes volumes and its pH; a blank line first.
std::string copiedPointLines(const Simulation& sim);

// The values of the curve at a volume typed in drawn units (mL or L), solved exactly. nullopt
// outside a titration study or for a volume that is not a number >= 0.
std::optional<ExactPoint> exactPointAt(const Simulation& sim, double drawnVolume);

// The same for the free study: every form of every system, the conductivity when every λ° is
// known (core/session/FreeRefresh.cpp).
std::optional<ExactPoint> freeExactPointAt(const Simulation& sim, double drawnVolume);

// "Sur la courbe : v = 12,50 mL ; pH = 4,88"; "On the curve: v = 12,50 mL; pH = 4,88". Each of
// these texts is in the simulation's language.
std::string onCurveText(const Simulation& sim, const ExactPoint& p);
// The particular point as lines: v, pH, [H3O+], each species, the conductivity.
std::vector<std::string> particularPointLines(const Simulation& sim, const ExactPoint& p);

// The results panel of the graph window: per equivalence, its half-equivalence, inflection and
// equivalence with volume (drawn unit) and pH to two decimals, whether the jump is usable, and
// the chosen indicator's verdict.
std::vector<std::string> resultLines(const Simulation& sim);

} // namespace titralab
