// Where the readings go besides the window: under the copied table and on the printed page.
#include "../session/SimulationFixtures.h"

#include "core/page/PrintSettings.h"
#include "core/page/RecordingCanvas.h"
#include "core/session/PrintedPage.h"

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
    const std::string without = sim.results.exportText;
    sim.reading.options.equivalences = true;
    sim.reading.options.derivative = true;
    sim.reading.options.indicator = 9; // phénolphtaléine
    refresh(sim);
    const auto rows = tableOf(sim.results.exportText);
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
    EXPECT_GT(sim.results.exportText.size(), without.size());

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

namespace {

// The dpH/dV column against finite differences of the pH column: between two rows the chord's
// slope is the derivative somewhere between them, so it lies between the two rows' values
// wherever the derivative is monotonic (everywhere but around its peak at the equivalence and
// its trough at the half-equivalence). On the base side the pH falls: the column is negative.
TEST(DerivativeColumn, AgreesWithTheChordsOfThePHColumn) {
    struct Case {
        const char* label;
        BuretteSide side;
        int entry;
        const char* pK; // D4, as typed
        double sign;
    };
    for (const Case& c : {Case{"ethanoic acid", BuretteSide::AcidSide, 17, "4,7", 1},
                          Case{"weak base", BuretteSide::BaseSide, 2, "9,3", -1}}) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, c.entry, c.side);
        sim.panel.at(Field::PKa1) = c.pK;
        sim.panel.pointCount = "200";
        sim.exportSettings.digits = 17;
        sim.exportSettings.decimalComma = false;
        sim.reading.options.derivative = true;
        refresh(sim);
        const auto rows = tableOf(sim.results.exportText);
        ASSERT_EQ(rows[1].back(), "dpH/dV") << c.label;
        std::vector<double> v, pH, d;
        for (std::size_t k = 2; k < rows.size(); ++k) {
            if (rows[k].size() != rows[1].size()) continue;
            v.push_back(std::stod(rows[k][0]));
            pH.push_back(std::stod(rows[k][1]));
            d.push_back(std::stod(rows[k].back()));
        }
        ASSERT_EQ(v.size(), 200u) << c.label;
        for (std::size_t k = 0; k < d.size(); ++k)
            EXPECT_GT(d[k] * c.sign, 0) << c.label << " row " << k;
        // Monotonic from row k - 1 to row k + 2.
        auto monotonic = [&d](std::size_t k) {
            if (k == 0 || k + 2 >= d.size()) return false;
            const bool rising = d[k] > d[k - 1];
            return (d[k + 1] > d[k]) == rising && (d[k + 2] > d[k + 1]) == rising;
        };
        int checked = 0;
        for (std::size_t k = 0; k + 1 < v.size(); ++k) {
            if (!monotonic(k) || v[k + 1] == v[k]) continue;
            const double chord = (pH[k + 1] - pH[k]) / ((v[k + 1] - v[k]) * 1000); // per mL
            const double low = std::min(d[k], d[k + 1]), high = std::max(d[k], d[k + 1]);
            EXPECT_GE(chord, low - 1e-6 * std::abs(low)) << c.label << " rows " << k;
            EXPECT_LE(chord, high + 1e-6 * std::abs(high)) << c.label << " rows " << k;
            ++checked;
        }
        EXPECT_GT(checked, 180) << c.label;
    }
}

} // namespace

namespace {

// The printed curves that share the pH axis without an axis of their own carry their scale in
// the legend, "10 = ...", and stand at that height: the derivative's tallest peak (a needle
// under the pH curve's jump, its top marked by a bar) and the conductivity's largest value,
// read from the table's own columns.
TEST(PrintedScales, DerivativeAndConductivityStandWhereTheLegendSays) {
    for (const int entry : {4, 17}) { // hydrochloric, ethanoic acid
        Simulation sim = simulationFor(Study::TitrationVsVolume, entry);
        sim.reading.options.derivative = true;
        sim.graph.checked[7] = true; // the conductivity
        refresh(sim);
        double conductivity = 0, slope = 0, slopeVolume = 0;
        for (const TableColumn& c : sim.results.exportTable.columns)
            for (std::size_t k = 0; k < c.values.size(); ++k) {
                if (c.header == "Conductivité") conductivity = std::max(conductivity, c.values[k]);
                if (c.header == "dpH/dV" && c.values[k] > slope) {
                    slope = c.values[k];
                    slopeVolume = sim.results.exportTable.columns[0].values[k] * 1000; // mL
                }
            }
        ASSERT_GT(conductivity, 0) << entry;
        ASSERT_GT(slope, 0) << entry;

        RecordingCanvas canvas(4960, 7015, 600);
        const PageLayout L = PrintPage(sim, PrintSettings{}, canvas);
        std::vector<std::string> legend;
        for (const CanvasText& t : canvas.texts())
            if (t.text.find("(10 = ") != std::string::npos) legend.push_back(t.text);
        EXPECT_EQ(legend, (std::vector<std::string>{
                              "conductivité (10 = " + formatOnPaper(conductivity) + " S/m)",
                              "dpH/dV (10 = " + formatOnPaper(slope) + " pH par mL)"}))
            << entry;
        // The bar on the derivative's tallest peak, at height 10.
        const int x = L.mapX(slopeVolume), y = L.mapY(10);
        int bars = 0;
        for (const CanvasSegment& s : canvas.segments())
            if (std::abs(s.from.y - y) <= 1 && s.to.y == s.from.y &&
                std::min(s.from.x, s.to.x) < x && std::max(s.from.x, s.to.x) > x &&
                s.pen.style == PenStyle::Solid)
                ++bars;
        EXPECT_EQ(bars, 1) << entry;
    }
}

} // namespace
