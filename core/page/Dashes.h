// Dashed lines of the printed page: the dash codes, their patterns and the dashed pen.
#pragma once

#include "core/page/Canvas.h"

#include <array>

namespace titralab {

// 1, 2, 3, 5, 10: that many regular dashes per pattern length (dash and gap of equal length);
// 4, 6, 7, 8, 9: rows 1 to 5 of DASH_TABLE; 11 and above: solid.
using DashCode = int;
inline constexpr DashCode kSolidDash = 1000; // the code of the "pH" legend sample

// A curve of the reference size is cut into about this many sub-steps.
inline constexpr int SUBSTEP_BUDGET = 4000;

// Five patterns of 16 equal cells spread over one pattern length: '#' ink, '.' gap.
inline constexpr std::array<const char*, 5> DASH_TABLE{
    "########...##...", "######..##..##..", "##############..",
    "########.#.#.#..", "#######.#.##.#..",
};

// The state of dashed drawing, set up once per page and restarted at each curve.
struct DashedPen {
    int patternPx{1};       // length of one pattern, dots
    int stepsPerSegment{1}; // sub-steps per segment between two points
    double lastX{};         // end of the previous segment, dots
    double lastY{};
    double phase{}; // distance travelled along the current line, dots
};

// lengthMm: pattern length (mm); pixelsPerCm: dots per centimetre; nRef: points of the
// page's reference series.
DashedPen SetUpDashes(double lengthMm, double pixelsPerCm, int nRef);

// Whether the pen draws at distance p (dots, >= 0) along a line of the given code.
bool IsPenDown(const DashedPen& pen, DashCode code, double p);

// first: start a new line at (x, y) (the caller has placed the canvas there) and draw nothing;
// otherwise draw the dashed segment from the end of the previous one to (x, y), dots.
void DashedLineTo(DashedPen& pen, Canvas& canvas, bool first, DashCode code, double x, double y);

// A horizontal sample of trunc(1.5 * size) dots starting at (x, y), for the legend.
void DashedSample(DashedPen& pen, Canvas& canvas, int x, int y, int size, DashCode code);

} // namespace titralab
