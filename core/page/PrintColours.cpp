#include "core/page/PrintColours.h"

#include <cmath>
#include <cstdint>

namespace titralab {

namespace {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double luminance(double r, double g, double b) {
    auto linear = [](double v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

// The contrast of a colour on white paper, 1 to 21, wanted for a printed line.
constexpr double kLeastContrast = 3;

} // namespace

CanvasColor inkOnPaper(Rgb screen) {
    // Darken in small steps, keeping the hue, until the line stands out on white.
    for (int percent = 100; percent > 0; percent -= 2) {
        const double f = percent / 100.0;
        const auto r = static_cast<std::uint8_t>(screen.r * f);
        const auto g = static_cast<std::uint8_t>(screen.g * f);
        const auto b = static_cast<std::uint8_t>(screen.b * f);
        if (1.05 / (luminance(r, g, b) + 0.05) >= kLeastContrast) return CanvasColor{r, g, b};
    }
    return kBlack;
}

} // namespace titralab
