// Where the readings go besides the window: under the copied table and on the printed page.
#include "SimulationFixtures.h"

#include "core/page/PrintSettings.h"
#include "core/page/PrintedPage.h"
#include "core/page/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;
using titralab::testing::tableOf;

namespace {

struct OutputCase {
    const char* label;
    BuretteSide side;
    int entry;
    const char* copiedE1;  // the line of E1 under the copied table
    const char* printedE1; // the line of E1 beside the printed constants
};

class ReadingOutput : public ::testing::TestWithParam<OutputCase> {};

TEST_P(ReadingOutput, ListsThePointsUnderTheTableAndOnThePage) {
    const OutputCase& c = GetParam();
    Simulation sim = simulationFor(Study::TitrationVsVolume, c.entry, c.side);
    refresh(sim);
    const std::string without = sim.exportText;
    sim.reading.options.equivalences = true;
    sim.reading.options.derivative = true;
    sim.reading.options.indicator = 9; // phénolphtaléine
    refresh(sim);
    const auto rows = tableOf(sim.exportText);
    // The table, then a blank line, the header of the points and one line per point.
    const auto header =
        std::find(rows.begin(), rows.end(), std::vector<std::string>{"Points remarquables"});
    ASSERT_NE(header, rows.end()) << c.label;
    EXPECT_TRUE((header - 1)->empty());
    EXPECT_EQ(*(header + 1), (std::vector<std::string>{"Point", "v", "pH"}));
    bool found = false;
    for (auto row = header + 2; row != rows.end(); ++row)
        if (!row->empty() && (*row)[0] == "E1") {
            std::string joined = (*row)[0] + " " + (*row)[1] + " " + (*row)[2];
            EXPECT_EQ(joined.substr(0, std::string(c.copiedE1).size()), c.copiedE1);
            found = true;
        }
    EXPECT_TRUE(found) << c.label;
    // The derivative column is the last of each data row.
    EXPECT_EQ(rows[1].back(), "dpH/dV");
    EXPECT_GT(sim.exportText.size(), without.size());

    RecordingCanvas canvas(4960, 7015, 600);
    PrintPage(sim, PrintSettings{}, canvas);
    bool printed = false, legend = false, band = false;
    for (const CanvasText& t : canvas.texts()) {
        if (t.text.rfind(c.printedE1, 0) == 0) printed = true;
        if (t.text.rfind("dpH/dV (10 = ", 0) == 0) legend = true;
        if (t.text == "phénolphtaléine (8,2 - 10,0)") band = true;
    }
    EXPECT_TRUE(printed) << c.label;
    EXPECT_TRUE(legend) << c.label;
    EXPECT_TRUE(band) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Sides, ReadingOutput,
    ::testing::Values(
        // Ethanoic acid: pH 8.70 at equivalence, where phenolphthalein suits it.
        OutputCase{"acetic acid", BuretteSide::AcidSide, 17, "E1 0,02 8,",
                   "E1 : 20,00 mL ; pH 8,70, convient"},
        // The weak base of pKa 9.3 at 0.1 mol/L: pH 5.30 at equivalence, not phenolphthalein's.
        OutputCase{"weak base", BuretteSide::BaseSide, 2, "E1 0,02 5,",
                   "E1 : 20,00 mL ; pH 5,30, ne convient pas"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
