#include "core/curves/Readout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace titralab {

int cursorSeries(const CurveSet& curves) {
    constexpr int kPastedPoints = 7; // measured points, not a curve of the study
    for (int k = 1; k <= static_cast<int>(curves.series.size()); ++k)
        if (k != kPastedPoints && !curves[k].empty()) return k;
    return 0;
}

std::vector<std::size_t> abscissaOrder(const Series& series) {
    std::vector<std::size_t> order(series.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // A point that is not a number goes last, so that the order stays a strict one.
    auto key = [&series](std::size_t i) {
        const double x = series[i].x;
        return std::isnan(x) ? std::numeric_limits<double>::infinity() : x;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&key](std::size_t a, std::size_t b) { return key(a) < key(b); });
    return order;
}

double withoutRoundingOfZero(double value, double span) {
    constexpr double kRelative = 1e-9;
    return std::abs(value) <= kRelative * std::abs(span) ? 0 : value;
}

int moveCursor(int place, int count, CursorKey key) {
    if (count <= 0) return -1;
    const int last = count - 1;
    if (place < 0 || place > last) return key == CursorKey::End ? last : 0;
    switch (key) {
    case CursorKey::Left:
    case CursorKey::ShiftLeft:
        return std::max(place - 1, 0);
    case CursorKey::Right:
    case CursorKey::ShiftRight:
        return std::min(place + 1, last);
    case CursorKey::Home:
        return 0;
    case CursorKey::End:
        return last;
    }
    return place;
}

double moveVolumeCursor(double volume, double span, CursorKey key) {
    if (!(span > 0) || !std::isfinite(span)) return 0;
    if (std::isnan(volume)) return key == CursorKey::End ? span : 0;
    const bool big = key == CursorKey::ShiftLeft || key == CursorKey::ShiftRight;
    const double step = big ? 1.0 : 0.1;
    // Steps are counted in whole steps, so that the cursor lands on round volumes; a volume
    // within a millionth of a step of a round one counts as on it.
    const double steps = volume / step;
    const double nearest = std::round(steps);
    const bool onRound = std::abs(steps - nearest) < 1e-6;
    double next = volume;
    switch (key) {
    case CursorKey::Home:
        return 0;
    case CursorKey::End:
        return span;
    case CursorKey::Right:
    case CursorKey::ShiftRight:
        next = ((onRound ? nearest : std::floor(steps)) + 1) * step;
        break;
    case CursorKey::Left:
    case CursorKey::ShiftLeft:
        next = ((onRound ? nearest : std::ceil(steps)) - 1) * step;
        break;
    }
    return std::clamp(next, 0.0, span);
}

} // namespace titralab
