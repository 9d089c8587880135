// Edits mark the study changed exactly when they change what it holds.
#include "core/session/StudyEdits.h"
#include "core/session/InputPanel.h"
#include "core/session/Overlays.h"
#include "tests/core/session/SimulationFixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace titralab {
namespace {

TEST(StudyEdits, MarkTheStudyChangedExactlyWhenSomethingChanges) {
    struct Case {
        const char* label;
        std::function<void(Simulation&, PanelView&)> edit;
        bool changed;
    } cases[] = {
        {"a new pKa", [](Simulation& s, PanelView&) { setFieldText(s, Field::PKa1, "5"); }, true},
        {"the pKa already there",
         [](Simulation& s, PanelView&) { setFieldText(s, Field::PKa1, s.panel.at(Field::PKa1)); },
         false},
        {"a new point count", [](Simulation& s, PanelView&) { setPointCountText(s, "50"); }, true},
        {"the next entry", [](Simulation& s, PanelView&) { loadNextEntry(s); }, true},
        {"the previous entry at the first", [](Simulation& s, PanelView&) { loadPreviousEntry(s); },
         false},
        {"the other side", [](Simulation& s, PanelView& v) { chooseBurette(v, s, 1); }, true},
        {"the side already chosen", [](Simulation& s, PanelView& v) { chooseBurette(v, s, 0); },
         false},
        {"a box ticked",
         [](Simulation& s, PanelView&) { setStudyInput(s, s.graph.checked[1], !s.graph.checked[1]); },
         true},
        {"a box left as it is",
         [](Simulation& s, PanelView&) { setStudyInput(s, s.graph.checked[1], s.graph.checked[1]); },
         false},
        {"a curve frozen", [](Simulation& s, PanelView&) { FreezeCurrentCurve(s); }, true},
        {"nothing to clear", [](Simulation& s, PanelView&) { ClearOverlays(s); }, false},
    };
    for (const Case& c : cases) {
        Simulation sim = testing::simulationFor(Study::TitrationVsVolume, 1);
        PanelView view = PanelView::atDesign(sim.language);
        view.burette.selected = 0;
        testing::refresh(sim);
        sim.changes.unsaved = false;
        int marks = 0;
        sim.changes.marked = [&marks] { ++marks; };
        c.edit(sim, view);
        EXPECT_EQ(sim.changes.unsaved, c.changed) << c.label;
        EXPECT_EQ(marks, c.changed ? 1 : 0) << c.label;
    }
}

} // namespace
} // namespace titralab
