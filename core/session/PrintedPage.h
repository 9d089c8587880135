// The printed page of the simulation: the parts of it the page reads, and the page printed.
#pragma once

#include "core/page/PrintedPage.h"
#include "core/session/Simulation.h"

namespace titralab {

PageInput PageInputOf(const Simulation& sim);

// Prints one page of the simulation on the canvas, as PrintPage(PageInputOf(sim), ...).
PageLayout PrintPage(const Simulation& sim, const PrintSettings& settings, Canvas& canvas);

} // namespace titralab
