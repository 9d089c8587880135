// The values under the mouse or the keyboard cursor on the simulation's chart, as the graph
// window's four status panels show them.
#pragma once

#include "core/curves/Readout.h"
#include "core/session/Simulation.h"

#include <cstddef>

namespace titralab {

// Texts of the four status panels for the mouse at (X, Y), chart pixels.
ReadoutPanels ShowCursorReadout(const Simulation& sim, const AxisMapping& axes, int X, int Y);

// The same texts for a point given by its chart values (the keyboard cursor).
ReadoutPanels readoutAtValues(const Simulation& sim, double x, double y);

// The texts of the four panels for point `index` of series `series`. A coordinate within a
// billionth of the curve's span from zero is the rounding of a computed zero (the volume of
// the first point of a titration) and is read as 0.
ReadoutPanels readoutAtPoint(const Simulation& sim, int series, std::size_t index);

} // namespace titralab
