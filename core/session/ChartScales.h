// The right-hand scale of the chart as the simulation draws it.
#pragma once

#include "core/curves/ChartScales.h"
#include "core/session/Simulation.h"

namespace titralab {

inline std::optional<SideScale> sideScaleOf(const Simulation& sim) {
    return sideScaleOf(sim.state.study, sim.results.curves, sim.results.concentrationScale, sim.results.conductivityScale,
                       sim.language);
}

} // namespace titralab
