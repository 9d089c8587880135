#include "core/session/Readout.h"

#include "core/numbers/NumberFormat.h"
#include "core/texts/ReadingTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

struct PanelLabels {
    const Text* panel[4]{};
};

// The height under the pointer is read as a concentration or a conductivity only while such a
// curve is drawn, each in its own unit.
PanelLabels labelsFor(const Simulation& sim) {
    const CurveSet& c = sim.results.curves;
    const bool concentration =
        !c[2].empty() || !c[3].empty() || !c[4].empty() || !c[5].empty() || !c[6].empty();
    const bool conductivity = sim.state.conductivityAvailable && !c[8].empty();
    const Text* concentrationLabel = concentration ? &texts::kConcentration : nullptr;
    const Text* conductivityLabel = conductivity ? &texts::kConductivity : nullptr;
    switch (sim.state.study) {
    case Study::TitrationVsVolume:
    case Study::TwoMonoTitration:
    case Study::FreeSolutions:
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
    return formatGeneral(x, 4, sim.exportSettings.decimalComma ? ',' : '.');
}

} // namespace

ReadoutPanels readoutAtValues(const Simulation& sim, double x, double y) {
    ReadoutPanels panels;
    const PanelLabels labels = labelsFor(sim);
    const double concentrationScale = sim.results.concentrationScale > 0 ? sim.results.concentrationScale : 1;
    const double conductivityScale = sim.results.conductivityScale > 0 ? sim.results.conductivityScale : 1;
    const double values[4] = {x, y, y / concentrationScale, y / conductivityScale};
    for (int k = 0; k < 4; ++k)
        if (labels.panel[k])
            panels[k] = labels.panel[k]->in(sim.language) + readoutNumber(values[k], sim);
    return panels;
}

ReadoutPanels ShowCursorReadout(const Simulation& sim, const AxisMapping& axes, int X, int Y) {
    ReadoutPanels panels;
    for (const Series& series : sim.results.curves.series) {
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

ReadoutPanels readoutAtPoint(const Simulation& sim, int series, std::size_t index) {
    const Series& points = sim.results.curves[series];
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
} // namespace titralab
