#include "graph/UroutSouris.h"

#include "app/UroutinesDeBase.h"

#include <algorithm>

namespace titralab {

namespace {

struct PanelLabels {
    const char* panel[4]{};
};

PanelLabels labelsFor(const Simulation& sim) {
    switch (sim.state.study) {
    case Study::TitrationVsVolume:
    case Study::TwoMonoTitration:
        return {{"Volume versé : ", "pH : ", "Concentration en mol / L : ",
                 sim.state.conductivityAvailable ? "Conductivité en uSI : " : nullptr}};
    case Study::SpeciesVsPH:
        return {{"pH : ", nullptr, "Concentration en mol / L : ", nullptr}};
    case Study::Dilution:
        return {{"- Log(concentration) : ", "pH : ", nullptr, nullptr}};
    default:
        return {};
    }
}

std::string readoutNumber(double x) {
    return formatGeneral(x, 4, '.');
}

} // namespace

ReadoutPanels readoutAtValues(const Simulation& sim, double x, double y) {
    ReadoutPanels panels;
    const PanelLabels labels = labelsFor(sim);
    const double concentrationScale = sim.concentrationScale > 0 ? sim.concentrationScale : 1;
    const double conductivityScale = sim.conductivityScale > 0 ? sim.conductivityScale : 1;
    const double values[4] = {x, y, y / concentrationScale, y / conductivityScale};
    for (int k = 0; k < 4; ++k)
        if (labels.panel[k]) panels[k] = labels.panel[k] + readoutNumber(values[k]);
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

} // namespace titralab
