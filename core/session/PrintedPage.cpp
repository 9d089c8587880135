#include "core/session/PrintedPage.h"
#include "core/session/Measurements.h"
#include "core/session/StudyConditions.h"

namespace titralab {

PageInput PageInputOf(const Simulation& sim) {
    PageInput in;
    in.state = sim.state;
    in.curves = sim.results.curves;
    in.graph = sim.graph;
    in.speciesLabels = sim.results.speciesLabels;
    in.bottomAxisTitle = sim.results.plot.bottomTitle;
    in.pointStyle = sim.pasted.pointStyle;
    in.reading = sim.reading;
    in.overlays = sim.overlays;
    in.overlays.plainTable.clear();
    in.language = sim.language;
    in.conductivityScale = sim.results.conductivityScale;
    in.conditionsLines = conditionsLines(sim);
    if (titrationOf(sim.state.study)) in.measuredLines = measuredEquivalenceLines(sim);
    return in;
}

PageLayout PrintPage(const Simulation& sim, const PrintSettings& settings, Canvas& canvas) {
    return PrintPage(PageInputOf(sim), settings, canvas);
}

} // namespace titralab
