#include "core/page/Dashes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace titralab {

DashedPen SetUpDashes(double lengthMm, double pixelsPerCm, int nRef) {
    DashedPen pen;
    // At least one dot and one sub-step, so that a coarse printer or an empty reference
    // series cannot divide by zero.
    pen.patternPx = std::max(1, static_cast<int>(pixelsPerCm * lengthMm / 10));
    pen.stepsPerSegment = std::max(1, SUBSTEP_BUDGET / std::max(1, nRef));
    return pen;
}

bool IsPenDown(const DashedPen& pen, DashCode code, double p) {
    // Phases are never negative; the clamp keeps a stray value inside the pattern table.
    const std::int64_t distance = static_cast<std::int64_t>(p >= 0 ? std::min(p, 1e15) : 0.0);
    if (code == 1 || code == 2 || code == 3 || code == 5 || code == 10) {
        const std::int64_t period = std::max(2, pen.patternPx / code);
        return distance % period < period / 2;
    }
    int row = code - 3;
    if (row > 1) row -= 1;
    if (row > 5 || row < 1) return true;
    const std::int64_t cell = (distance % pen.patternPx) * 16 / pen.patternPx;
    return DASH_TABLE[row - 1][cell] == '#';
}

void DashedLineTo(DashedPen& pen, Canvas& canvas, bool first, DashCode code, double x, double y) {
    if (first) {
        pen.lastX = x;
        pen.lastY = y;
        pen.phase = 0;
        return;
    }
    const double dx = x - pen.lastX;
    const double dy = y - pen.lastY;
    const double length = std::sqrt(dx * dx + dy * dy);
    const int steps = pen.stepsPerSegment;
    for (int s = 1; s <= steps; ++s) {
        const int px = static_cast<int>(pen.lastX + s * dx / steps);
        const int py = static_cast<int>(pen.lastY + s * dy / steps);
        // A sub-step is ink or gap by the phase at its end.
        if (IsPenDown(pen, code, pen.phase + s * length / steps))
            canvas.lineTo(px, py);
        else
            canvas.moveTo(px, py);
    }
    pen.lastX = x;
    pen.lastY = y;
    pen.phase += length;
}

void DashedSample(DashedPen& pen, Canvas& canvas, int x, int y, int size, DashCode code) {
    DashedLineTo(pen, canvas, true, code, x, y);
    DashedLineTo(pen, canvas, false, code, x + static_cast<int>(1.5 * size), y);
}

} // namespace titralab
