#include "core/curves/Readout.h"

#include "core/numbers/NumberFormat.h"
#include "core/texts/ReadingTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace titralab {

namespace {

struct PanelLabels {
    const Text* panel[4]{};
};


// The height under the pointer is read as a concentration or a conductivity only while such a
// curve is drawn, each in its own unit.
PanelLabels labelsFor(const Simulation& sim) {
    const CurveSet& c = sim.curves;
    const bool concentration =
        !c[2].empty() || !c[3].empty() || !c[4].empty() || !c[5].empty() || !c[6].empty();
    const bool conductivity = sim.state.conductivityAvailable && !c[8].empty();
    const Text* concentrationLabel = concentration ? &texts::kConcentration : nullptr;
    const Text* conductivityLabel = conductivity ? &texts::kConductivity : nullptr;
    switch (sim.state.study) {
    case Study::TitrationVsVolume:
    case Study::TwoMonoTitration:
        return {{&texts::kVolumeAdded, &texts::kPH, concentrationLabel, conductivityLabel}};
    case Study::SpeciesVsPH:
        return {{&texts::kPH, nullptr, concentrationLabel, conductivityLabel}};
    case Study::Dilution:
        return {{&texts::kLogConcentration, &texts::kPH, nullptr, nullptr}};
    default:
        return {};
    }
}

// With the separator of every other number the window shows.
std::string readoutNumber(double x, const Simulation& sim) {
    return formatGeneral(x, 4, sim.decimalComma ? ',' : '.');
}

} // namespace

ReadoutPanels readoutAtValues(const Simulation& sim, double x, double y) {
    ReadoutPanels panels;
    const PanelLabels labels = labelsFor(sim);
    const double concentrationScale = sim.concentrationScale > 0 ? sim.concentrationScale : 1;
    const double conductivityScale = sim.conductivityScale > 0 ? sim.conductivityScale : 1;
    const double values[4] = {x, y, y / concentrationScale, y / conductivityScale};
    for (int k = 0; k < 4; ++k)
        if (labels.panel[k])
            panels[k] = labels.panel[k]->in(sim.language) + readoutNumber(values[k], sim);
    return panels;
}

ReadoutPanels ShowCursorReadout(const Simulation& sim, const AxisMapping& axes, int X, int Y) {
    ReadoutPanels panels;
    for (const Series& series : sim.curves.series) {
        if (series.empty()) continue;
        const auto [xMin, xMax] = std::minmax_element(
            series.begin(), series.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
        const auto [yMin, yMax] = std::minmax_element(
            series.begin(), series.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
        const int pxMin = axes.xToPixel(xMin->x), pxMax = axes.xToPixel(xMax->x);
        const int pyMin = axes.yToPixel(yMin->y), pyMax = axes.yToPixel(yMax->y);
        if (pxMax == pxMin || pyMax == pyMin) continue;
        const double x = xMin->x + (xMax->x - xMin->x) / (pxMax - pxMin) * (X - pxMin);
        const double y = yMin->y + (yMax->y - yMin->y) / (pyMax - pyMin) * (Y - pyMin);
        panels = readoutAtValues(sim, x, y);
    }
    return panels;
}

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

ReadoutPanels readoutAtPoint(const Simulation& sim, int series, std::size_t index) {
    const Series& points = sim.curves[series];
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    for (const CurvePoint& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    const CurvePoint& p = points[index];
    return readoutAtValues(sim, withoutRoundingOfZero(p.x, xMax - xMin),
                           withoutRoundingOfZero(p.y, yMax - yMin));
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
