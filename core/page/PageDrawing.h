// What the parts of the printed page share: the conversion to dots, the pen, and the lines and
// the frame every page draws.
#pragma once

#include "core/page/PrintedPage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace titralab::pagedraw {

inline constexpr DashCode kConductivityDash = 6;

inline double largestOrdinate(const Series& s) {
    double largest = 0;
    for (const CurvePoint& p : s) largest = std::max(largest, p.y);
    return largest;
}

// Real to dots, truncating toward zero. Points far off the page (the printer clips them) are
// held within the int range.
inline int toDots(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1e8, 1e8));
}

inline bool isSpeciesOrDilution(Study s) {
    return s == Study::SpeciesVsPH || s == Study::Dilution;
}

inline void setPen(Canvas& canvas, int width, CanvasColor color) {
    canvas.setPen(Pen{width, color, PenStyle::Solid});
}

// Drops the binary noise of products like 3 * 0.1 before a decimal rounding.
inline double toFifteenDigits(double v) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14).ptr;
    double out = v;
    std::from_chars(buffer, end, out);
    return out;
}

// Kept curves take the dash codes no curve of the study uses, in turn.
inline DashCode overlayDash(std::size_t index) {
    constexpr std::array<DashCode, 4> kCodes{7, 8, 9, 10};
    return kCodes[index % kCodes.size()];
}

// A solid line from the vertical axis at the first point's height through every point. A
// series that runs toward the axis (the base side, whose volume falls as the pH rises) starts
// at its first point instead: it reaches the axis at its end.
void printSolid(const Series& s, const PageLayout& L, Canvas& canvas);

// A dashed line whose pattern runs on across the joints of the segments. Like the solid line,
// it starts on the vertical axis unless it runs toward it.
void printDashed(const Series& s, DashCode code, double factor, const PageLayout& L,
                 DashedPen& dashes, Canvas& canvas);

// The frame of the page: axes, graduations and their labels, the grid, the axis titles.
void drawFrame(const PageInput& in, const PrintSettings& settings, const PageLayout& L,
               Canvas& canvas);

} // namespace titralab::pagedraw
