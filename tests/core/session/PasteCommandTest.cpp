// The paste commands tick the points' box, so that the next drawing shows the points, and say
// how many points were read.
#include "core/session/PastedPoints.h"
#include "tests/core/session/SimulationFixtures.h"

#include <gtest/gtest.h>

namespace titralab {
namespace {

TEST(PasteCommand, TicksThePointsBoxAndCountsWhatItRead) {
    struct Case {
        const char* label;
        const char* text;
        bool volumeFirst;
        int count;
        const char* french;
    } cases[] = {
        {"three pairs, volume first", "0\t2.9\r\n5\t4.1\r\n10\t4.7\r\n", true, 3,
         "3 points lus, montrés sur le graphique"},
        {"pH first, a header line skipped", "pH\tv\n2.9 0\n4.1 5\n", false, 2,
         "2 points lus, montrés sur le graphique"},
        {"one pair", "7 4.7", true, 1, "1 point lu, montré sur le graphique"},
        {"nothing readable", "volume\tpH\n", true, 0,
         "Aucun point lu : chaque ligne collée doit porter deux nombres (volume et pH)"},
    };
    for (const Case& c : cases) {
        Simulation sim = testing::simulationFor(Study::TitrationVsVolume, 17);
        sim.graph.checked[8] = false;
        const int count = PastePairs(sim, c.volumeFirst, c.text);
        EXPECT_EQ(count, c.count) << c.label;
        EXPECT_TRUE(sim.graph.isChecked(9)) << c.label;
        EXPECT_EQ(pastedCountText(count, Language::French), c.french) << c.label;
        // The next drawing shows them: every point read lies within this titration's chart.
        testing::refresh(sim);
        EXPECT_EQ(sim.results.curves[7].size(), static_cast<std::size_t>(c.count)) << c.label;
    }
    EXPECT_EQ(pastedCountText(3, Language::English), "3 points read, shown on the chart");
}

} // namespace
} // namespace titralab
