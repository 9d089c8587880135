// The printed page: the species page's fixed pH range, graduation labels with the decimals of
// their step, and curves printed in their screen colours.
#include "PrintFixtures.h"

#include "core/curves/SeriesColours.h"
#include "core/page/PrintColours.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace titralab;
using namespace titralab::printtest;

namespace {

PageInput speciesPage() {
    PageInput in = titrationPage(25);
    in.state.study = Study::SpeciesVsPH;
    in.state.conc1 = 0.1;
    in.bottomAxisTitle = "pH imposé";
    in.curves[2] = straight(0, 0.1, 14, 0, 100);
    in.curves[3] = straight(0, 0, 14, 0.05, 100);
    return in;
}

TEST(PrintSpeciesRange, AlwaysPHZeroToFourteen) {
    struct Case {
        const char* label;
        std::vector<int> ticked;
        bool firstSpeciesDrawn; // the generator leaves an unticked species' series empty
    } cases[] = {
        {"both species", {2, 3}, true},
        {"first species unticked", {3}, false},
        {"no species", {}, false},
    };
    for (const Case& c : cases) {
        PageInput in = speciesPage();
        if (!c.firstSpeciesDrawn) in.curves[2].clear();
        for (int box : c.ticked) in.graph.checked[box - 1] = true;
        const Printed p = print(in);
        EXPECT_EQ(p.layout.xmax, 14) << c.label;
        EXPECT_TRUE(p.layout.curvesPrinted) << c.label;
        EXPECT_EQ(textsWithTop(p.canvas, p.layout.regionHeight - p.layout.margin +
                                             static_cast<int>(0.75 * p.layout.lineHeight)),
                  (std::vector<std::string>{"2", "4", "6", "8", "10", "12", "14"}))
            << c.label;
        // The second species ends at half of c1 at pH 14.
        const bool drawn =
            reaches(p.canvas, {p.layout.mapX(14), p.layout.mapY(0.05 * p.layout.speciesFactor)});
        EXPECT_EQ(drawn, std::find(c.ticked.begin(), c.ticked.end(), 3) != c.ticked.end())
            << c.label;
    }
}

TEST(PrintGraduationDecimals, OneDecimalWhereTheStepIsNotWhole) {
    struct Case {
        const char* label;
        double value;
        double step;
        const char* text;
    } cases[] = {
        {"whole step", 2, 1, "2"},
        {"whole step, rounded", 45 * 0.7, 5, "32"},
        {"half step", 0.5, 0.5, "0,5"},
        {"half step at a whole value", 1, 0.5, "1,0"},
        {"half step, three halves", 1.5, 0.5, "1,5"},
        {"tenth step", 0.1 * 3, 0.1, "0,3"},
        {"quarter step keeps its digits", 0.75, 0.25, "0,75"},
        {"tiny step in scientific notation", 2.5e-6, 1.25e-6, "2,5E-6"},
        {"large value with a half step", 1500.5, 0.5, "1,5E3"},
    };
    for (const Case& c : cases) EXPECT_EQ(graduationLabel(c.value, c.step), c.text) << c.label;
}

// The colours of the pens that drew level strokes at height y right of the vertical ticks.
std::set<CanvasColor, bool (*)(const CanvasColor&, const CanvasColor&)>
inksAt(const RecordingCanvas& c, int y, int rightOf) {
    std::set<CanvasColor, bool (*)(const CanvasColor&, const CanvasColor&)> inks(
        [](const CanvasColor& a, const CanvasColor& b) {
            return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
        });
    for (const CanvasSegment& s : c.segments())
        if (s.from.y == y && s.to.y == y && std::min(s.from.x, s.to.x) > rightOf)
            inks.insert(s.pen.color);
    return inks;
}

double contrastOnWhite(CanvasColor c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    const double y = 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
    return 1.05 / (y + 0.05);
}

TEST(PrintInColour, EachCurveInItsScreenColourDarkenedWhenPale) {
    // Each series a level line at its own height, so that its strokes are told apart.
    struct Case {
        const char* label;
        int series;
        double y; // ordinate as printed
    } cases[] = {{"pH", 1, 12.5},           {"hydronium", 6, 8.5},     {"species 1", 2, 1.5},
                 {"species 2", 3, 2.5},     {"species 3", 4, 4.5},     {"species 4", 5, 5.5},
                 {"conductivity", 8, 10.0}, {"pasted points", 7, 11.5}};
    PageInput in = titrationPage(25);
    for (const Case& c : cases)
        in.curves[c.series] = straight(0.5, c.y, 25, c.y, c.series == 7 ? 5 : 50);
    in.pointStyle = PointStyle::Cross;
    tick(in, {2, 3, 4, 5, 8, 9, 10});
    for (bool colour : {false, true}) {
        PrintSettings settings;
        settings.printInColour = colour;
        const Printed p = print(in, settings);
        const int rightOfTicks = p.layout.margin + p.layout.tickHalf;
        for (const Case& c : cases) {
            const auto inks = inksAt(p.canvas, p.layout.mapY(c.y), rightOfTicks);
            const CanvasColor expected =
                colour ? inkOnPaper(kScreenSeriesColours[c.series - 1]) : kBlack;
            ASSERT_EQ(inks.size(), 1u) << c.label;
            EXPECT_EQ(*inks.begin(), expected) << c.label << (colour ? " in colour" : "");
            EXPECT_GE(contrastOnWhite(*inks.begin()), 3) << c.label;
        }
    }
    // The pale ones are darkened, the others kept.
    EXPECT_EQ(inkOnPaper(kScreenSeriesColours[0]), (CanvasColor{255, 0, 0}));
    EXPECT_NE(inkOnPaper(kScreenSeriesColours[2]), (CanvasColor{255, 255, 0}));
    EXPECT_NE(inkOnPaper(kScreenSeriesColours[4]), (CanvasColor{255, 255, 255}));
}

} // namespace
