// The chart's keyboard cursor: which curve it follows, its order, its moves and its readout.
#include "../session/SimulationFixtures.h"
#include "core/session/Readout.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace {

struct MoveCase {
    const char* label;
    int place;
    int count;
    CursorKey key;
    int expected;
};

TEST(KeyboardCursor, MovesStopAtTheEnds) {
    const MoveCase cases[] = {
        {"first Right places on the first point", -1, 5, CursorKey::Right, 0},
        {"first Left places on the first point", -1, 5, CursorKey::Left, 0},
        {"first End places on the last point", -1, 5, CursorKey::End, 4},
        {"Right steps", 0, 5, CursorKey::Right, 1},
        {"Left steps", 3, 5, CursorKey::Left, 2},
        {"Right stops at the last", 4, 5, CursorKey::Right, 4},
        {"Left stops at the first", 0, 5, CursorKey::Left, 0},
        {"Home", 3, 5, CursorKey::Home, 0},
        {"End", 1, 5, CursorKey::End, 4},
        {"a place the curve lost starts again", 9, 5, CursorKey::Right, 0},
        {"one point", 0, 1, CursorKey::Right, 0},
        {"no point", -1, 0, CursorKey::Home, -1},
        {"no point left", 3, 0, CursorKey::Right, -1},
    };
    for (const MoveCase& c : cases)
        EXPECT_EQ(moveCursor(c.place, c.count, c.key), c.expected) << c.label;
}

TEST(KeyboardCursor, OrdersThePointsFromLeftToRight) {
    // A base-side titration is swept by rising pH, hence by falling volume.
    const Series falling{{30, 1}, {20, 2}, {10, 3}, {0, 4}};
    EXPECT_EQ(abscissaOrder(falling), (std::vector<std::size_t>{3, 2, 1, 0}));
    const Series ties{{1, 0}, {0, 0}, {1, 1}, {NAN, 2}, {-1, 3}};
    EXPECT_EQ(abscissaOrder(ties), (std::vector<std::size_t>{4, 1, 0, 2, 3}));
    EXPECT_TRUE(abscissaOrder(Series{}).empty());
}

struct SeriesCase {
    const char* label;
    Study study;
    std::vector<int> untick; // boxes
    int series;
};

TEST(KeyboardCursor, FollowsThePHCurveOrTheFirstCurveDrawn) {
    const SeriesCase cases[] = {
        {"titration: the pH", Study::TitrationVsVolume, {2, 3, 10}, 1},
        {"dilution: the pH", Study::Dilution, {}, 1},
        {"species: the first species", Study::SpeciesVsPH, {}, 2},
        {"species: the first ticked one", Study::SpeciesVsPH, {2}, 3},
        {"species: nothing ticked", Study::SpeciesVsPH, {2, 3}, 0},
        {"mixture: no curve", Study::TwoPolyMixture, {}, 0},
    };
    for (const SeriesCase& c : cases) {
        Simulation sim = simulationFor(c.study, 17);
        for (int box : c.untick) sim.graph.checked[box - 1] = false;
        refresh(sim);
        EXPECT_EQ(cursorSeries(sim.results.curves), c.series) << c.label;
    }
    // Pasted points are measurements, not a curve to follow.
    CurveSet pastedOnly;
    pastedOnly[7] = {{1, 7}};
    EXPECT_EQ(cursorSeries(pastedOnly), 0);
}

TEST(KeyboardCursor, ReadsAComputedZeroAsZero) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    // The first point of the sweep is the pH at no volume: its volume is a rounding of zero.
    Series& ph = sim.results.curves[1];
    ph[0].x = 1.75e-17;
    const ReadoutPanels first = readoutAtPoint(sim, 1, 0);
    EXPECT_EQ(first[0], "Volume versé : 0");
    EXPECT_EQ(first[1], readoutAtValues(sim, 0, ph[0].y)[1]);
    // Elsewhere the panels are those of the mouse readout at the point.
    EXPECT_EQ(readoutAtPoint(sim, 1, 50), readoutAtValues(sim, ph[50].x, ph[50].y));
    EXPECT_EQ(withoutRoundingOfZero(-2.9e-15, 60), 0);
    EXPECT_EQ(withoutRoundingOfZero(1e-6, 60), 1e-6);
    EXPECT_EQ(withoutRoundingOfZero(1e-6, 0), 1e-6);
}

} // namespace
