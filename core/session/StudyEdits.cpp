#include "core/session/StudyEdits.h"

#include "core/panel/DatabaseSearch.h"
#include "core/session/Fit.h"
#include "core/texts/FreeStudyTexts.h"

#include <algorithm>

namespace titralab {

namespace {

bool samePanel(const PanelFields& a, const PanelFields& b) {
    return a.text == b.text && a.pointCount == b.pointCount && a.entryName == b.entryName &&
           a.side == b.side && a.study == b.study &&
           a.baseKind == b.baseKind;
}

// Runs an edit of the panel and marks the study changed when the panel differs after it.
template <typename Edit> void editPanel(Simulation& sim, Edit&& edit) {
    const PanelFields before = sim.panel;
    const int acidEntry = sim.browser.currentAcidEntry;
    const int baseEntry = sim.browser.currentBaseEntry;
    edit();
    if (!samePanel(sim.panel, before) || sim.browser.currentAcidEntry != acidEntry ||
        sim.browser.currentBaseEntry != baseEntry)
        markStudyChanged(sim);
}

} // namespace

void setFieldText(Simulation& sim, Field field, std::string text) {
    setStudyInput(sim, sim.panel.at(field), std::move(text));
}

void setPointCountText(Simulation& sim, std::string text) {
    setStudyInput(sim, sim.panel.pointCount, std::move(text));
}

void loadNextEntry(Simulation& sim) {
    editPanel(sim, [&] { StepForward(sim.browser, sim.panel, sim.state); });
}

void loadPreviousEntry(Simulation& sim) {
    editPanel(sim, [&] { StepBack(sim.browser, sim.panel, sim.state); });
}

void loadFoundEntry(Simulation& sim, int entry) {
    editPanel(sim, [&] { LoadFoundEntry(sim.browser, entry, sim.panel, sim.state); });
}

void applyFit(Simulation& sim, const FitResult& result, bool volumesInMillilitres) {
    setStudyInput(sim, sim.pasted.inMillilitres, volumesInMillilitres);
    editPanel(sim, [&] { applyFit(sim, result); });
}

std::string chooseFreeForm(Simulation& sim, const std::string& name, bool chosen) {
    FreeStudy& free = sim.freeStudy;
    std::vector<std::string> forms;
    if (free.drawnForms)
        forms = *free.drawnForms;
    else
        for (int k : free.result.drawnSpecies)
            forms.push_back(free.result.species[static_cast<std::size_t>(k)].name);
    const auto at = std::find(forms.begin(), forms.end(), name);
    if (chosen == (at != forms.end())) return {};
    if (!chosen) {
        forms.erase(at);
    } else {
        if (static_cast<int>(forms.size()) >= kDrawnFreeForms)
            return texts::kFourFormsAtMost.in(sim.language);
        forms.push_back(name);
    }
    free.drawnForms = std::move(forms);
    markStudyChanged(sim);
    return {};
}

} // namespace titralab
