// The values under the mouse on the chart, as the graph window's four status panels show them.
#pragma once

#include "app/Simulation.h"

#include <array>
#include <string>

namespace titralab {

// The chart's own mapping from values to pixels on its two axes.
class AxisMapping {
  public:
    virtual ~AxisMapping() = default;
    virtual int xToPixel(double x) const = 0;
    virtual int yToPixel(double y) const = 0;
};

using ReadoutPanels = std::array<std::string, 4>;

// Texts of the four status panels for the mouse at (X, Y), chart pixels.
ReadoutPanels ShowCursorReadout(const Simulation& sim, const AxisMapping& axes, int X, int Y);

// The same texts for a point given by its chart values (the keyboard cursor).
ReadoutPanels readoutAtValues(const Simulation& sim, double x, double y);

} // namespace titralab
