// The one way the windows change what a study holds: the panel's fields and entries, the
// options of the graph, the reading and the copy, the fit's values. Each edit marks the study
// changed when, and only when, it changes something; opening or saving the study clears the
// mark. The choices of the panel (core/session/InputPanel.h), the kept curves
// (core/session/Overlays.h), pasted and imported measurements mark it the same way.
#pragma once

#include "core/curves/Fit.h"
#include "core/panel/Field.h"
#include "core/session/Simulation.h"

#include <string>
#include <utility>

namespace titralab {

// Sets one input of the study held in `sim` (a box of the graph window, an option of the
// reading, of the copy or of the points' style).
template <typename T, typename U> void setStudyInput(Simulation& sim, T& input, U&& value) {
    if (input == value) return;
    input = std::forward<U>(value);
    markStudyChanged(sim);
}

// The text of a field of the panel, as typed.
void setFieldText(Simulation& sim, Field field, std::string text);
// The text of the graph window's point count, as typed.
void setPointCountText(Simulation& sim, std::string text);

// The database entries: the next or previous one of the browser, or one the search found.
void loadNextEntry(Simulation& sim);
void loadPreviousEntry(Simulation& sim);
void loadFoundEntry(Simulation& sim, int entry);

// In the free study, puts a form into the chart's species boxes or takes it out. A fifth form
// is refused: the answer is the message to show (in the simulation's language), else empty.
std::string chooseFreeForm(Simulation& sim, const std::string& name, bool chosen);

// The fitted values written into the panel; the pasted volumes' unit as the fit read them.
void applyFit(Simulation& sim, const FitResult& result, bool volumesInMillilitres);

} // namespace titralab
