#include "core/page/PrintColours.h"

#include "core/curves/SeriesColours.h"

#include <cmath>
#include <cstdint>

namespace titralab {

namespace {

constexpr Rgb kPaper{255, 255, 255};

} // namespace

CanvasColor inkOnPaper(Rgb screen) {
    // Darken in small steps, keeping the hue, until the line stands out on white.
    for (int percent = 100; percent > 0; percent -= 2) {
        const double f = percent / 100.0;
        const auto r = static_cast<std::uint8_t>(screen.r * f);
        const auto g = static_cast<std::uint8_t>(screen.g * f);
        const auto b = static_cast<std::uint8_t>(screen.b * f);
        if (contrastRatio(Rgb{r, g, b}, kPaper) >= kLeastLineContrast) return CanvasColor{r, g, b};
    }
    return kBlack;
}

} // namespace titralab
