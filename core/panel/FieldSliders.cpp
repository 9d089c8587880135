#include "core/panel/FieldSliders.h"

#include "core/numbers/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {
bool isPKa(int field) {
    return (field >= 4 && field <= 6) || (field >= 14 && field <= 16);
}
bool isVolume(int field) {
    return field == 3 || field == 13;
}
} // namespace

std::optional<SliderScale> sliderScale(int field) {
    switch (field) {
    case 1:
    case 2:
    case 12:
        // 1E-6 to 1 mol/L, a hundred steps per decade.
        return SliderScale{1e-6, 1, true, 600, 3, 25};
    case 3:
    case 13:
        // 1 mL to 1 L, a hundred steps per decade.
        return SliderScale{1e-3, 1, true, 300, 3, 25};
    case 4:
    case 5:
    case 6:
    case 14:
    case 15:
    case 16:
        // The pKa of the tables, 0 to 14, in steps of 0.01; half a unit a page.
        return SliderScale{0, 14, false, 1400, 4, 50};
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

std::string sliderText(const SliderScale& s, int position, char separator) {
    return formatGeneral(sliderValue(s, position), s.significant, separator);
}

std::string sliderValueText(int field, int position, char separator) {
    const auto scale = sliderScale(field);
    if (!scale) return {};
    const std::string number = sliderText(*scale, position, separator);
    if (isPKa(field)) return "pKa " + number;
    return number + (isVolume(field) ? " L" : " mol/L");
}

int sliderTrackWidth(int fieldWidth) {
    return 2 * std::max(fieldWidth, 0) - fieldWidth / 10;
}

double dragSpan(const SliderScale& s, int trackWidth, int pixels) {
    // The handle takes part of the track: the value runs over what is left.
    const int run = std::max(1, trackWidth - kSliderHandleWidth);
    return (toAxis(s, s.high) - toAxis(s, s.low)) * pixels / run;
}

} // namespace titralab
