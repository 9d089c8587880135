#include "core/curves/ChartScales.h"

#include "core/texts/ChartTexts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace titralab {

double roundTickStep(double span, int steps) {
    if (!(span > 0) || !std::isfinite(span) || steps < 1) return 1;
    const double raw = span / steps;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    // A hair of tolerance, so that a span of exactly ten steps is not pushed to the next step.
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw * (1 - 1e-12)) return factor * power;
    return 10 * power;
}

std::optional<SideScale> sideScaleOf(Study study, const CurveSet& c, double concentrationScale,
                                     double conductivityScale, Language language) {
    auto drawn = [&c](int k) { return !c[k].empty(); };
    const bool concentration = drawn(2) || drawn(3) || drawn(4) || drawn(5) || drawn(6);
    const bool conductivity = drawn(8);
    auto of = [language](ScaledQuantity q, double scale, const Text& title) {
        return SideScale{q, scale > 0 ? scale : 1, title.in(language)};
    };
    if (study == Study::TitrationVsVolume || study == Study::TwoMonoTitration) {
        if (concentration)
            return of(ScaledQuantity::Concentration, concentrationScale,
                      texts::kConcentrationScale);
        if (conductivity)
            return of(ScaledQuantity::Conductivity, conductivityScale, texts::kConductivityScale);
    }
    if (study == Study::SpeciesVsPH && conductivity)
        return of(ScaledQuantity::Conductivity, conductivityScale, texts::kConductivityScale);
    return std::nullopt;
}

SideAxisRange sideAxisRange(const SideScale& side, double leftLow, double leftHigh) {
    SideAxisRange r;
    const double scale = side.scale > 0 ? side.scale : 1;
    r.low = leftLow / scale;
    r.high = leftHigh / scale;
    r.step = roundTickStep(r.high - r.low, 7);
    r.anchor = std::ceil(r.low / r.step - 1e-9) * r.step;
    return r;
}

PlotPoint legendPlace(const std::vector<std::vector<PlotPoint>>& curves, double width,
                      double height) {
    // A margin between the legend and the plot's edges, fraction of the plot.
    constexpr double kInset = 0.015;
    width = std::clamp(width, 0.0, 1.0);
    height = std::clamp(height, 0.0, 1.0);
    const double left = kInset, right = std::max(kInset, 1 - kInset - width);
    const double top = kInset, bottom = std::max(kInset, 1 - kInset - height);
    const double middleX = (1 - width) / 2, middleY = (1 - height) / 2;
    const std::array<PlotPoint, 8> places{{{right, top},
                                           {left, top},
                                           {middleX, top},
                                           {right, bottom},
                                           {left, bottom},
                                           {middleX, bottom},
                                           {right, middleY},
                                           {left, middleY}}};
    // Each curve is followed in small steps, so that a steep line crossing a place counts
    // even where none of its points falls inside.
    constexpr double kStep = 0.005;
    auto covered = [&](const PlotPoint& at) {
        auto inside = [&](double x, double y) {
            return x >= at.first && x <= at.first + width && y >= at.second &&
                   y <= at.second + height;
        };
        long count = 0;
        for (const auto& curve : curves)
            for (std::size_t i = 0; i < curve.size(); ++i) {
                const PlotPoint& b = curve[i];
                if (!std::isfinite(b.first) || !std::isfinite(b.second)) continue;
                if (i == 0 || !std::isfinite(curve[i - 1].first) ||
                    !std::isfinite(curve[i - 1].second)) {
                    count += inside(b.first, b.second);
                    continue;
                }
                const PlotPoint& a = curve[i - 1];
                const double length = std::hypot(b.first - a.first, b.second - a.second);
                const int parts =
                    static_cast<int>(std::min(400.0, std::ceil(length / kStep))) + 1;
                for (int k = 1; k <= parts; ++k) {
                    const double t = static_cast<double>(k) / parts;
                    count += inside(a.first + t * (b.first - a.first),
                                    a.second + t * (b.second - a.second));
                }
            }
        return count;
    };
    PlotPoint best = places[0];
    long least = covered(best);
    for (std::size_t k = 1; k < places.size() && least > 0; ++k) {
        const long n = covered(places[k]);
        if (n < least) {
            least = n;
            best = places[k];
        }
    }
    return best;
}

} // namespace titralab
