// The values under the mouse on the chart, as the graph window's four status panels show them.
#pragma once

#include "core/curves/Curves.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace titralab {

// The chart's own mapping from values to pixels on its two axes.
class AxisMapping {
  public:
    virtual ~AxisMapping() = default;
    virtual int xToPixel(double x) const = 0;
    virtual int yToPixel(double y) const = 0;
};

using ReadoutPanels = std::array<std::string, 4>;

// The keyboard cursor of the chart: Left and Right step from point to point of one curve, in
// the order of the abscissa, so that Right always moves to the right; Home and End go to the
// ends of the curve. With Shift, Left and Right take the larger step where steps differ (the
// volume steps of the titration studies); along points they are Left and Right.
enum class CursorKey { Left, Right, Home, End, ShiftLeft, ShiftRight };

// The curve the keyboard cursor follows: Series1 (the pH), or else the first other curve drawn,
// the pasted points aside; 0 when nothing is drawn.
int cursorSeries(const CurveSet& curves);

// Indices of the points of a series by increasing abscissa; equal abscissas keep their order.
std::vector<std::size_t> abscissaOrder(const Series& series);

// `value` with the rounding of a zero removed: 0 when it lies within a billionth of `span`.
double withoutRoundingOfZero(double value, double span);

// The cursor's place (0..count-1) after a key, from `place`. Not placed yet (-1, or a place the
// curve no longer has), Left, Right and Home go to the first point, End to the last. -1 when the
// curve has no point.
int moveCursor(int place, int count, CursorKey key);

// The keyboard cursor of the titration studies walks the volume instead, in drawn units: Left and
// Right step 0.1 (ShiftLeft, ShiftRight 1) from round volume to round volume, Home and End go to
// 0 and to `span`; never outside [0, span]. `volume` is NaN before the first key (every key but
// End then starts at 0).
double moveVolumeCursor(double volume, double span, CursorKey key);

} // namespace titralab
