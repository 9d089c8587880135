#include "core/panel/FieldSliders.h"

#include "core/numbers/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace titralab {

std::optional<SliderScale> sliderScale(int field) {
    switch (field) {
    case 1:
    case 2:
    case 12:
        // 1E-6 to 1 mol/L, a hundred steps per decade.
        return SliderScale{1e-6, 1, true, 600, 3};
    case 3:
    case 13:
        // 1 mL to 1 L, a hundred steps per decade.
        return SliderScale{1e-3, 1, true, 300, 3};
    case 4:
    case 5:
    case 6:
    case 14:
    case 15:
    case 16:
        // pKa from -2 to 16 in steps of 0.05.
        return SliderScale{-2, 16, false, 360, 4};
    default:
        return std::nullopt;
    }
}

namespace {
double toAxis(const SliderScale& s, double v) {
    return s.logarithmic ? std::log10(v) : v;
}
} // namespace

int sliderPosition(const SliderScale& s, double value) {
    if (!std::isfinite(value) || (s.logarithmic && value <= 0)) return 0;
    const double a = toAxis(s, s.low), b = toAxis(s, s.high);
    const double t = (toAxis(s, value) - a) / (b - a);
    return std::clamp(static_cast<int>(std::lround(t * s.positions)), 0, s.positions);
}

double sliderValue(const SliderScale& s, int position) {
    const int p = std::clamp(position, 0, s.positions);
    const double a = toAxis(s, s.low), b = toAxis(s, s.high);
    const double x = a + (b - a) * p / s.positions;
    if (!s.logarithmic) return std::round(x * 100) / 100;
    return std::pow(10.0, x);
}

std::string sliderText(const SliderScale& s, int position) {
    return formatGeneral(sliderValue(s, position), s.significant, '.');
}

} // namespace titralab
