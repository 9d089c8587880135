// The free study's kept curves and measurements in the session: a family of a row's value, each
// member the engine's curve of that value; a frozen curve named by the value it had; pasted
// points drawn on its chart; the fit of the pasted points.
#include "core/session/FreeFit.h"

#include "core/base/Notifier.h"
#include "core/chemistry/SolutionItems.h"
#include "core/session/InputPanel.h"
#include "core/session/Overlays.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace titralab;

namespace {

// HCl 0.1 mol/L and acid(2.15,7.20,12.35) 0.05 mol/L in 10 mL, by soda 0.1 mol/L.
struct FreeDesk {
    Simulation sim;
    PanelView view;
    RecordingNotifier notes;
    FreeDesk() {
        startPanel(view, sim);
        chooseBurette(view, sim, 0);
        chooseStudy(view, sim, static_cast<int>(Study::FreeSolutions));
        sim.freeStudy.inputs.beaker = {{"HCl", "0,1", {}, {}},
                                       {"acid(2.15,7.20,12.35)", "0,05", {}, {}}};
        sim.freeStudy.inputs.burette = {{"NaOH", "0,1", {}, {}}};
        sim.freeStudy.inputs.beakerVolume = "10";
        sim.freeStudy.inputs.maxVolume = "30";
        RefreshSimulation(sim, notes);
    }
};

// The engine's titration of the items, the oracle of every curve.
FreeTitration titration(const std::string& beaker) {
    FreeTitration t;
    t.beaker = parseSolutionItems(beaker).solution;
    t.burette = parseSolutionItems("Na+=0.1").solution;
    t.beakerVolume = 0.01;
    return t;
}

// Every point of a kept curve (volumes in L) on the engine's curve of `beaker`.
void expectOnCurve(const OverlayCurve& curve, const std::string& beaker, const char* label) {
    const FreeTitration t = titration(beaker);
    ASSERT_FALSE(curve.series.empty()) << label;
    const Series& points = curve.series.front().second;
    ASSERT_GT(points.size(), 50u) << label;
    for (const CurvePoint& p : points)
        ASSERT_NEAR(p.y, freeTitrationPH(t, p.x), 1e-12) << label << " at " << p.x;
}

} // namespace

TEST(FreeFamilies, EachMemberIsTheEnginesCurveOfItsValue) {
    const struct {
        const char* label;
        FreeRowValue row;
        std::vector<double> values; // one of them the typed value, which the current curve shows
        std::vector<std::string> beakers;
        std::vector<std::string> legends;
    } cases[] = {
        {"the first row's concentration",
         {false, 0, 0},
         {0.05, 0.1, 0.2},
         {"Cl-=0.05;acid(2.15,7.20,12.35)=0.05", "Cl-=0.2;acid(2.15,7.20,12.35)=0.05"},
         {"Bécher 1 (HCl) : c = 0,05 mol/L", "Bécher 1 (HCl) : c = 0,2 mol/L"}},
        {"the second row's pKa2",
         {false, 1, 2},
         {6.5, 7.2, 8},
         {"Cl-=0.1;acid(2.15,6.5,12.35)=0.05", "Cl-=0.1;acid(2.15,8,12.35)=0.05"},
         {"Bécher 2 (acid(2.15,7.20,12.35)) : pKa2 = 6,5",
          "Bécher 2 (acid(2.15,7.20,12.35)) : pKa2 = 8"}},
    };
    for (const auto& c : cases) {
        FreeDesk desk;
        FamilyQuantity quantity;
        quantity.freeRow = c.row;
        DrawFamily(desk.sim, quantity, c.values, desk.notes);
        const std::vector<OverlayCurve>& kept = desk.sim.overlays.curves;
        ASSERT_EQ(kept.size(), c.beakers.size()) << c.label;
        for (std::size_t k = 0; k < kept.size(); ++k) {
            expectOnCurve(kept[k], c.beakers[k], c.label);
            EXPECT_EQ(kept[k].label, c.legends[k]) << c.label;
            EXPECT_TRUE(kept[k].family) << c.label;
        }
        // The current curve keeps the typed rows, and the copied table has the members' columns.
        EXPECT_EQ(desk.sim.freeStudy.inputs.beaker[0].concentration, "0,1") << c.label;
        EXPECT_NE(desk.sim.results.exportText.find(c.legends[0]), std::string::npos) << c.label;
    }
}

TEST(FreeFamilies, AFrozenCurveIsNamedByTheValueItHad) {
    FreeDesk desk;
    ASSERT_EQ(FreezeCurrentCurve(desk.sim), FreezeOutcome::Frozen);
    setFreeRow(desk.sim.freeStudy.inputs, FreeSide::Beaker, 0, "HCl", "0,08");
    RefreshSimulation(desk.sim, desk.notes);
    ASSERT_EQ(desk.sim.overlays.curves.size(), 1u);
    const OverlayCurve& frozen = desk.sim.overlays.curves.front();
    expectOnCurve(frozen, "Cl-=0.1;acid(2.15,7.20,12.35)=0.05", "frozen");
    EXPECT_EQ(frozen.label, "Bécher 1 (HCl) : c = 0,1 mol/L");
    EXPECT_EQ(desk.sim.overlays.currentLabel, "Bécher 1 (HCl) : c = 0,08 mol/L");
}

TEST(FreeFamilies, PastedPointsAreDrawnAndFitted) {
    FreeDesk desk;
    // Measured on HCl at 0.08 mol/L: 31 points to 30 mL, in mL.
    const FreeTitration truth = titration("Cl-=0.08;acid(2.15,7.20,12.35)=0.05");
    std::string text;
    for (int i = 0; i <= 30; ++i)
        text += std::to_string(i) + "\t" + std::to_string(freeTitrationPH(truth, i * 1e-3)) + "\n";
    ASSERT_EQ(PastePairs(desk.sim, true, text), 31);
    RefreshSimulation(desk.sim, desk.notes);
    // Drawn at their volumes in mL, as the chart's abscissa.
    const Series& drawn = desk.sim.results.curves[7];
    ASSERT_EQ(drawn.size(), 31u);
    EXPECT_DOUBLE_EQ(drawn.back().x, 30);
    const FreeFitResult fit = fitFreeStudy(desk.sim, {{false, 0, 0}});
    ASSERT_TRUE(fit.ok) << fit.refusal;
    // The pH written to six decimals: the concentration to a part in ten thousand.
    EXPECT_NEAR(fit.values[0].value, 0.08, 1e-5);
}

TEST(FreeFamilies, AFitIsWrittenBackIntoItsRows) {
    const struct {
        const char* label;
        const char* burette; // the burette's row
        FreeRowValue freed;
        double value, uncertainty;
        bool burettesRow;
        const char* what;          // the row after, as typed
        const char* concentration; // mol/L
    } cases[] = {
        {"a concentration, to its uncertainty's second digit",
         "NaOH",
         {false, 0, 0},
         0.0812,
         0.0003,
         false,
         "HCl",
         "0,08120"},
        {"a pKa of an acid",
         "NaOH",
         {false, 1, 2},
         7.3,
         0.01,
         false,
         "acid(2.15,7.3,12.35)",
         "0,05"},
        {"the pKa of a base", "base(9.25)", {true, 0, 1}, 9.3, 0.01, true, "base(9.3)", "0,1"},
    };
    for (const auto& c : cases) {
        FreeDesk desk;
        desk.sim.freeStudy.inputs.burette[0].what = c.burette;
        RefreshSimulation(desk.sim, desk.notes);
        desk.sim.changes.unsaved = false;
        FreeFitResult fit;
        fit.ok = true;
        fit.freed = {c.freed};
        FittedValue v;
        v.value = c.value;
        v.uncertainty = c.uncertainty;
        fit.values = {v};
        applyFreeFit(desk.sim, fit, desk.sim.pasted.inMillilitres);
        const FreeRow& row = c.burettesRow ? desk.sim.freeStudy.inputs.burette[0]
                                           : desk.sim.freeStudy.inputs.beaker[c.freed.row];
        EXPECT_EQ(row.what, c.what) << c.label;
        EXPECT_EQ(row.concentration, c.concentration) << c.label;
        EXPECT_TRUE(desk.sim.changes.unsaved) << c.label;
    }
}
