// Gran's plots of the measured pH points, ready to draw as a diagram: before the jump and after
// it, each with its points, the straight line fitted over its range, the range's ends and the
// equivalence where the line meets the volume axis. The graph window's Gran tab and the
// command-line tool's pictures draw the same description.
#pragma once

#include "core/session/DiagramView.h"
#include "core/session/Simulation.h"

#include <optional>
#include <utility>

namespace titralab {

enum class GranSide { Before, After };

// The plot of one side; a `problem` says why nothing is drawn (no titration, too few points).
DiagramView granDiagram(const Simulation& sim, GranSide side);

// The volumes the side's line is fitted over, in the chart's unit: the user's, or the ones
// chosen from the points; none without a line.
std::optional<std::pair<double, double>> granRange(const Simulation& sim, GranSide side);
// Fits the side's line over [from, to] (chart unit, either order); `std::nullopt` goes back to
// the range chosen from the points.
void setGranRange(Simulation& sim, GranSide side, std::optional<std::pair<double, double>> range);

} // namespace titralab
