// The chart's right-hand scale, what the pointer's height is read as, where the legend goes,
// and the contrast of every colour the chart draws a line in.
#include "core/session/ChartScales.h"
#include "core/curves/SeriesColours.h"
#include "core/session/Readout.h"
#include "tests/core/session/SimulationFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace titralab {
namespace {

using testing::refresh;
using testing::simulationFor;

// Which boxes are ticked (2..10), all others unticked, before the curves are made.
Simulation drawn(Study study, int entry, std::initializer_list<int> ticked, double conc1 = 0) {
    Simulation sim = simulationFor(study, entry);
    if (conc1 > 0) sim.panel.at(Field::Concentration1) = std::to_string(conc1);
    for (int box = 2; box <= 10; ++box) sim.graph.checked[box - 1] = false;
    for (int box : ticked) sim.graph.checked[box - 1] = true;
    refresh(sim);
    return sim;
}

TEST(ChartRightScale, NamesTheRescaledQuantityAndFollowsTheLeftAxis) {
    struct Case {
        const char* label;
        Simulation sim;
        bool shown;
        ScaledQuantity quantity;
        double leftHigh; // the left axis from 0 to this
        double high;     // the right axis' top, mol/L or S/m
        double step;
    } cases[] = {
        {"0.1 mol/L acid, species: 10 on the pH axis is 0.1 mol/L",
         drawn(Study::TitrationVsVolume, 17, {2, 3}, 0.1), true, ScaledQuantity::Concentration,
         14, 0.14, 0.02},
        {"1 mol/L acid, species: 10 on the pH axis is 1 mol/L",
         drawn(Study::TitrationVsVolume, 17, {2, 3}, 1), true, ScaledQuantity::Concentration, 14,
         1.4, 0.2},
        {"zoomed on the lower half", drawn(Study::TitrationVsVolume, 17, {2}, 0.1), true,
         ScaledQuantity::Concentration, 7, 0.07, 0.01},
        {"H3O+ alone is a concentration", drawn(Study::TitrationVsVolume, 17, {10}, 0.1), true,
         ScaledQuantity::Concentration, 14, 0.14, 0.02},
        {"conductivity drawn alone", drawn(Study::TitrationVsVolume, 17, {8}), true,
         ScaledQuantity::Conductivity, 14, std::nan(""), 0},
        {"conductivity with the species: the species' scale",
         drawn(Study::TitrationVsVolume, 17, {2, 8}, 0.1), true, ScaledQuantity::Concentration,
         14, 0.14, 0.02},
        {"pH alone: no scale", drawn(Study::TitrationVsVolume, 17, {}), false, {}, 14, 0, 0},
        {"species study, conductivity: in S/m", drawn(Study::SpeciesVsPH, 17, {2, 8}), true,
         ScaledQuantity::Conductivity, 10, std::nan(""), 0},
        {"species study, species only: the left axis is in mol/L",
         drawn(Study::SpeciesVsPH, 17, {2, 3}), false, {}, 0.1, 0, 0},
        {"dilution: no scale", drawn(Study::Dilution, 17, {}), false, {}, 14, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<SideScale> side = sideScaleOf(c.sim);
        ASSERT_EQ(side.has_value(), c.shown) << c.label;
        if (!side) continue;
        EXPECT_EQ(side->quantity, c.quantity) << c.label;
        const SideAxisRange r = sideAxisRange(*side, 0, c.leftHigh);
        EXPECT_DOUBLE_EQ(r.low, 0) << c.label;
        // The conductivity is drawn so that its largest value stands at 10.
        const double expectedHigh =
            std::isnan(c.high) ? c.leftHigh / c.sim.results.conductivityScale : c.high;
        EXPECT_NEAR(r.high, expectedHigh, 1e-12 * expectedHigh) << c.label;
        if (c.step > 0) EXPECT_NEAR(r.step, c.step, 1e-15) << c.label;
        // Round labels, at most seven steps, the first on the axis.
        const double steps = (r.high - r.low) / r.step;
        EXPECT_GE(steps, 2) << c.label;
        EXPECT_LE(steps, 7 * (1 + 1e-9)) << c.label;
        EXPECT_GE(r.anchor, r.low - 1e-12 * r.step) << c.label;
        EXPECT_LT(r.anchor, r.low + r.step) << c.label;
        const double mantissa = r.step / std::pow(10.0, std::floor(std::log10(r.step)));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9)
            << c.label << ": " << r.step;
        const std::string title = side->title;
        EXPECT_NE(title.find(c.quantity == ScaledQuantity::Concentration ? "mol/L" : "S/m"),
                  std::string::npos)
            << c.label;
    }
}

TEST(CursorReadout, ReadsTheHeightOnlyAsWhatIsDrawn) {
    struct Case {
        const char* label;
        Simulation sim;
        bool concentration; // panel 3
        bool conductivity;  // panel 4
    } cases[] = {
        {"titration, pH alone", drawn(Study::TitrationVsVolume, 17, {}), false, false},
        {"titration, species", drawn(Study::TitrationVsVolume, 17, {2, 3}), true, false},
        {"titration, conductivity alone", drawn(Study::TitrationVsVolume, 17, {8}), false, true},
        {"titration, both", drawn(Study::TitrationVsVolume, 17, {2, 8}), true, true},
        {"species study, conductivity alone", drawn(Study::SpeciesVsPH, 17, {8}), false, true},
        {"species study, species", drawn(Study::SpeciesVsPH, 17, {3}), true, false},
    };
    for (const Case& c : cases) {
        const ReadoutPanels p = readoutAtValues(c.sim, 7, 5);
        EXPECT_EQ(p[2].rfind("Concentration en mol / L : ", 0) == 0, c.concentration)
            << c.label << ": " << p[2];
        EXPECT_EQ(p[2].empty(), !c.concentration) << c.label;
        EXPECT_EQ(p[3].rfind("Conductivité en S/m : ", 0) == 0, c.conductivity)
            << c.label << ": " << p[3];
        EXPECT_EQ(p[3].empty(), !c.conductivity) << c.label;
    }
}

// Fractions of the plot: a line from (x0, y0) to (x1, y1) in 200 points, y down.
std::vector<PlotPoint> line(double x0, double y0, double x1, double y1) {
    std::vector<PlotPoint> points;
    for (int k = 0; k <= 200; ++k)
        points.push_back({x0 + (x1 - x0) * k / 200, y0 + (y1 - y0) * k / 200});
    return points;
}

TEST(LegendPlace, WhereTheCurvesAreNot) {
    constexpr double kWidth = 0.25, kHeight = 0.2;
    struct Case {
        const char* label;
        std::vector<std::vector<PlotPoint>> curves;
        int right, top; // the side the legend must be on: 1 yes, 0 no, -1 either
    } cases[] = {
        {"no curve: top right", {}, 1, 1, },
        {"a rising titration", {line(0, 0.9, 0.45, 0.8), line(0.45, 0.8, 0.55, 0.2),
          line(0.55, 0.2, 1, 0.1)}, -1, -1},
        {"a species peaking in the top right corner and one falling from the top left",
         {line(0, 0.02, 0.6, 0.98), line(0.55, 0.98, 0.85, 0.05), line(0.85, 0.05, 1, 0.6)},
         -1, -1},
        {"a falling titration (base side)",
         {line(0, 0.1, 0.45, 0.2), line(0.45, 0.2, 0.55, 0.8), line(0.55, 0.8, 1, 0.9)}, -1,
         -1},
        {"only the bottom left corner free",
         {line(0, 0.05, 1, 0.05), line(0, 0.5, 1, 0.5), line(0.5, 0, 0.5, 1),
          line(0.5, 0.95, 1, 0.95), line(0.95, 0, 0.95, 1)},
         0, 0},
    };
    for (const Case& c : cases) {
        const PlotPoint at = legendPlace(c.curves, kWidth, kHeight);
        const bool right = at.first + kWidth / 2 > 0.5, top = at.second + kHeight / 2 < 0.5;
        if (c.right >= 0) EXPECT_EQ(right, c.right == 1) << c.label << ": " << at.first;
        if (c.top >= 0) EXPECT_EQ(top, c.top == 1) << c.label << ": " << at.second;
        // Nothing of the curves under the legend.
        for (const auto& curve : c.curves)
            for (const PlotPoint& p : curve)
                EXPECT_FALSE(p.first > at.first && p.first < at.first + kWidth &&
                             p.second > at.second && p.second < at.second + kHeight)
                    << c.label;
    }
}

TEST(ChartColours, EveryLineStandsOutOnThePlotAndInTheLegend) {
    struct Case {
        std::string label;
        Rgb colour;
    };
    std::vector<Case> cases;
    for (std::size_t k = 0; k < kScreenSeriesColours.size(); ++k)
        cases.push_back({"Series" + std::to_string(k + 1), kScreenSeriesColours[k]});
    for (std::size_t k = 0; k < kKeptCurveColours.size(); ++k)
        cases.push_back({"kept curve " + std::to_string(k + 1), kKeptCurveColours[k]});
    cases.push_back({"derivative", kDerivativeColour});
    for (const Case& c : cases) {
        EXPECT_GE(contrastRatio(c.colour, kPlotBackground), kLeastLineContrast) << c.label;
        EXPECT_GE(contrastRatio(c.colour, kLegendBackground), kLeastLineContrast) << c.label;
    }
}

TEST(ChartColours, ContrastRatioOfKnownPairs) {
    struct Case {
        const char* label;
        Rgb a, b;
        double ratio;
    } cases[] = {
        {"black on white", {0, 0, 0}, {255, 255, 255}, 21},
        {"white on white", {255, 255, 255}, {255, 255, 255}, 1},
        {"pure red on white", {255, 0, 0}, {255, 255, 255}, 1.05 / (0.2126 + 0.05)},
        {"yellow on white, either order", {255, 255, 255}, {255, 255, 0}, 1.05 / (0.9278 + 0.05)},
        {"mid grey (#777) on white", {119, 119, 119}, {255, 255, 255}, 4.48},
    };
    for (const Case& c : cases) EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.01) << c.label;
}

} // namespace
} // namespace titralab
