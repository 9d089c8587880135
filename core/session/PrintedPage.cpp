#include "core/session/PrintedPage.h"

namespace titralab {

PageInput PageInputOf(const Simulation& sim) {
    PageInput in;
    in.state = sim.state;
    in.curves = sim.curves;
    in.graph = sim.graph;
    in.speciesLabels = sim.speciesLabels;
    in.bottomAxisTitle = sim.plot.bottomTitle;
    in.pointStyle = sim.currentPointStyle;
    in.reading = sim.reading;
    in.overlays = sim.overlays;
    in.overlays.plainTable.clear();
    in.language = sim.language;
    in.conductivityScale = sim.conductivityScale;
    return in;
}

PageLayout PrintPage(const Simulation& sim, const PrintSettings& settings, Canvas& canvas) {
    return PrintPage(PageInputOf(sim), settings, canvas);
}

} // namespace titralab
