#include "PrintFixtures.h"

#include "core/session/PrintedPage.h"
#include "core/session/Simulation.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace titralab;
using namespace titralab::printtest;

namespace {

int indexOfFirst(const RecordingCanvas& c, CanvasOp op) {
    for (std::size_t i = 0; i < c.calls().size(); ++i)
        if (c.calls()[i].op == op) return static_cast<int>(i);
    return -1;
}

// 25 mL titration, optimised format, every setting at its default, 600 dots per inch.
TEST(PrintPageOptimised, GeometryOfTheTwentyFiveMillilitrePage) {
    const Printed p = print(titrationPage(25));
    const PageLayout& L = p.layout;
    // 14 x 1.2 = 16.8 cm high, margin 1.4 cm, arrows 1/96 and ticks 1/192 of the height.
    EXPECT_EQ(L.regionHeight, 3968);
    EXPECT_EQ(L.regionWidth, kWidth);
    EXPECT_EQ(L.margin, 330);
    EXPECT_EQ(L.arrowSize, 41);
    EXPECT_EQ(L.tickHalf, 20);
    EXPECT_NEAR(L.pxPerUnitY, L.pixelsPerCm, 0.1) << "one pH unit per centimetre";
    EXPECT_NEAR(L.pxPerUnitX * 2.5, L.pixelsPerCm, 1e-9) << "2.5 mL per centimetre";
    EXPECT_EQ(L.penWidth, 7);  // 0.30 mm
    EXPECT_EQ(L.thinWidth, 2); // 0.10 mm
    EXPECT_EQ(L.lineHeight, 83);
    EXPECT_EQ(L.charWidth, 36);
    EXPECT_EQ(L.nRef, 100);
    EXPECT_EQ(L.scale.graduationCount, 8);
    EXPECT_DOUBLE_EQ(L.scale.labelStep, 5);

    const RecordingCanvas& c = p.canvas;
    ASSERT_FALSE(c.calls().empty());
    EXPECT_EQ(c.calls().front().op, CanvasOp::BeginDocument);
    EXPECT_EQ(c.calls().front().text, "pH et concentrations");
    EXPECT_EQ(c.count(CanvasOp::BeginDocument), 1);
    EXPECT_EQ(c.count(CanvasOp::EndDocument), 1);

    // Axes: one polyline, pen 7 dots, black.
    for (auto [from, to] : {std::pair<CanvasPoint, CanvasPoint>{{330, 330}, {330, 3638}},
                            {{330, 3638}, {4470, 3638}}}) {
        EXPECT_TRUE(hasSegment(c, from, to)) << from.x << "," << from.y;
    }
    for (const CanvasSegment& s : c.segments())
        if (s.from == CanvasPoint{330, 330}) EXPECT_EQ(s.pen, (Pen{7, kBlack, PenStyle::Solid}));

    // The font: 10 points, 83 dots at 600 dpi, the printer's face.
    EXPECT_EQ(c.font(), (CanvasFont{"", 10, 83}));
}

TEST(PrintPageOptimised, HorizontalTicksEveryTwoCentimetresUpToTwoArrowSizesFromTheEnd) {
    const Printed p = print(titrationPage(25));
    const RecordingCanvas& c = p.canvas;
    const std::vector<int> ticks{802, 1274, 1747, 2219, 2692, 3164, 3637, 4109};
    // Labels below the axis at 3/4 of a line: 5, 10, ... and further ticks up to 4388.
    EXPECT_EQ(textsWithTop(c, 3638 + 62),
              (std::vector<std::string>{"5", "10", "15", "20", "25", "30", "35", "40"}));
    const std::vector<CanvasText> texts = c.texts();
    for (int x : ticks) {
        EXPECT_TRUE(hasSegment(c, {x, 3638}, {x, 3658})) << x;
        const auto label = std::find_if(texts.begin(), texts.end(), [&](const CanvasText& t) {
            return t.at == CanvasPoint{x - 36, 3700};
        });
        EXPECT_NE(label, texts.end()) << x;
    }
    // 25 mL lies on the fifth tick, 10 cm from the origin.
    EXPECT_EQ(p.layout.mapX(25), 2692);
}

TEST(PrintPageOptimised, VerticalGraduationTitlesAndArrows) {
    const Printed p = print(titrationPage(25));
    const RecordingCanvas& c = p.canvas;
    const std::vector<int> ys{3638, 3401, 3165, 2929, 2692, 2456, 2220, 1984,
                              1747, 1511, 1275, 1038, 802,  566,  330};
    for (int i = 0; i < 14; ++i) EXPECT_TRUE(hasSegment(c, {310, ys[i]}, {350, ys[i]})) << i;
    EXPECT_FALSE(hasSegment(c, {310, 330}, {350, 330})) << "no tick at the top";
    // Labels 0..8 one digit wide, 10..14 two.
    EXPECT_EQ(textsWithLeft(c, 175), (std::vector<std::string>{"0", "2", "4", "6", "8"}));
    EXPECT_EQ(textsWithLeft(c, 103), (std::vector<std::string>{"10", "12", "14"}));
    ASSERT_TRUE(c.findText("0"));
    EXPECT_EQ(c.findText("0")->at, (CanvasPoint{175, 3638 - 41}));

    ASSERT_TRUE(c.findText("pH"));
    EXPECT_EQ(c.findText("pH")->at, (CanvasPoint{294, 164}));
    ASSERT_TRUE(c.findText("v de monobase forte versé, en mL"));
    EXPECT_EQ(c.findText("v de monobase forte versé, en mL")->at, (CanvasPoint{3246, 3472}));

    const std::vector<CanvasCall> arrows = c.callsOf(CanvasOp::Polygon);
    const std::vector<std::vector<CanvasPoint>> corners{
        {{371, 371}, {330, 330}, {330, 340}},
        {{289, 371}, {330, 330}, {330, 340}},
        {{4429, 3597}, {4470, 3638}, {4459, 3638}},
        {{4429, 3679}, {4470, 3638}, {4459, 3638}},
    };
    ASSERT_EQ(arrows.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(arrows[i].points, corners[i]);
        EXPECT_EQ(arrows[i].brush, (Brush{BrushStyle::Solid, kBlack}));
    }
    // Texts afterwards sit on opaque white.
    for (const CanvasText& t : c.texts()) EXPECT_EQ(t.brush, (Brush{BrushStyle::Solid, kWhite}));
}

TEST(PrintPageOptimised, PHCurveIsSolidFromTheAxisAndDrawnBeforeTheFrame) {
    const Printed p = print(titrationPage(25));
    const RecordingCanvas& c = p.canvas;
    // First point (0, 3): 11 units below the top; last (25, 12.5).
    const std::vector<CanvasCall> moves = c.callsOf(CanvasOp::MoveTo);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front().points[0], (CanvasPoint{330, 2929}));
    EXPECT_TRUE(reaches(c, {2692, 684}));
    int curveLines = 0;
    for (const CanvasSegment& s : c.segments())
        if (s.pen == Pen{7, kBlack, PenStyle::Solid} && s.to.x > 330 && s.to.y < 2930 &&
            s.to.y >= 684 && s.from.y != s.to.y)
            ++curveLines;
    EXPECT_EQ(curveLines, 99);
    const int firstAxis = [&] {
        for (std::size_t i = 0; i < c.calls().size(); ++i)
            if (c.calls()[i].op == CanvasOp::LineTo &&
                c.calls()[i].points[1] == CanvasPoint{330, 3638})
                return static_cast<int>(i);
        return -1;
    }();
    EXPECT_LT(indexOfFirst(c, CanvasOp::LineTo), firstAxis);
}

struct ScaleCase {
    const char* label;
    double lastVolume;
    const char* graduations;
    bool zoom;
    std::vector<std::string> labels;
    std::vector<int> ticks;
};

class PrintPageScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PrintPageScale, LabelsAndTicksOfTheHorizontalAxis) {
    const ScaleCase& sc = GetParam();
    PrintSettings s;
    s.approxGraduations = sc.graduations;
    s.zoomX2 = sc.zoom;
    const Printed p = print(titrationPage(sc.lastVolume), s);
    EXPECT_EQ(textsWithTop(p.canvas, 3700), sc.labels);
    std::vector<int> ticks;
    for (const CanvasSegment& seg : p.canvas.segments())
        if (seg.from.y == 3638 && seg.to.y == 3658 && seg.from.x == seg.to.x)
            ticks.push_back(seg.from.x);
    EXPECT_EQ(ticks, sc.ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PrintPageScale,
    ::testing::Values(ScaleCase{"Default25mL",
                                25,
                                "8",
                                false,
                                {"5", "10", "15", "20", "25", "30", "35", "40"},
                                {802, 1274, 1747, 2219, 2692, 3164, 3637, 4109}},
                      // k = 8 stops at N = 4: ticks every 4 cm.
                      ScaleCase{"SixteenGraduationsWithKEight",
                                19,
                                "16",
                                false,
                                {"5", "10", "15", "20"},
                                {1274, 2219, 3164, 4109}},
                      // r0 = 12.5: k = 10, 1 mL per cm, ticks every 2 cm.
                      ScaleCase{"ZoomX2",
                                25,
                                "8",
                                true,
                                {"2", "4", "6", "8", "10", "12", "14", "16"},
                                {802, 1274, 1747, 2219, 2692, 3164, 3637, 4109}},
                      // 0.5 mL per tick, labels with one decimal.
                      ScaleCase{"HalfMillilitreLabelsWithOneDecimal",
                                8,
                                "16",
                                false,
                                {"0,5", "1,0", "1,5", "2,0", "2,5", "3,0", "3,5", "4,0", "4,5",
                                 "5,0", "5,5", "6,0", "6,5", "7,0", "7,5", "8,0"},
                                {566, 802, 1038, 1274, 1511, 1747, 1983, 2219, 2455, 2692, 2928,
                                 3164, 3400, 3637, 3873, 4109}},
                      ScaleCase{"LabelsOfAThousandAndMore",
                                5000,
                                "8",
                                false,
                                {"1E3", "2E3", "3E3", "4E3", "5E3", "6E3", "7E3", "8E3"},
                                {802, 1274, 1747, 2219, 2692, 3164, 3637, 4109}},
                      ScaleCase{"TwoGraduations", 25, "2", false, {"20", "40"}, {2219, 4109}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PrintPageScale, ZoomRunsTheCurveOffTheFrame) {
    PrintSettings s;
    s.zoomX2 = true;
    const Printed p = print(titrationPage(25), s);
    // 25 mL at 1 mL per cm: 25 cm from the axis, beyond the 8-inch page; nothing is clipped.
    EXPECT_TRUE(reaches(p.canvas, {6235, 684}));
}

TEST(PrintPageFormats, QuarterPageLaysTicksUnderTheirValues) {
    PrintSettings s;
    s.format = PageFormat::QuarterPage;
    const Printed p = print(titrationPage(25), s);
    const PageLayout& L = p.layout;
    EXPECT_EQ(L.regionHeight, 1650);
    EXPECT_EQ(L.regionWidth, 2400);
    EXPECT_EQ(L.margin, 137);
    EXPECT_EQ(L.arrowSize, 17);
    EXPECT_EQ(L.tickHalf, 8);
    EXPECT_EQ(p.canvas.font(), (CanvasFont{"", 5, 42})) << "character size halved";
    EXPECT_EQ(L.charWidth, 18);
    EXPECT_TRUE(hasSegment(p.canvas, {137, 137}, {137, 1513}));
    EXPECT_TRUE(hasSegment(p.canvas, {137, 1513}, {2263, 1513}));
    // The curve is stretched so that 25 mL falls on the end of the axis.
    EXPECT_EQ(L.mapX(25), 2263);
    const int labelTop = 1513 + 31;
    EXPECT_EQ(textsWithTop(p.canvas, labelTop), (std::vector<std::string>{"5", "10", "15", "20"}));
    const std::vector<int> ticks{562, 987, 1412, 1837};
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(L.mapX(5.0 * (i + 1)), ticks[i]);
        EXPECT_TRUE(hasSegment(p.canvas, {ticks[i], 1513}, {ticks[i], 1521})) << ticks[i];
    }
}

TEST(PrintPageFormats, HalfPageKeepsTheWidthAndHalvesTheHeight) {
    PrintSettings s;
    s.format = PageFormat::HalfPage;
    const Printed p = print(titrationPage(25), s);
    const PageLayout& L = p.layout;
    EXPECT_EQ(L.regionHeight, 3300);
    EXPECT_EQ(L.regionWidth, 4800);
    EXPECT_EQ(L.margin, 275);
    EXPECT_EQ(p.canvas.font(), (CanvasFont{"", 10, 83}));
    EXPECT_EQ(L.mapX(25), 4525);
    EXPECT_TRUE(reaches(p.canvas, {4525, L.mapY(12.5)}));
    // 170 dots per mL: ticks every 5 mL stand under 5, 10, 15, 20; 25 lies under the arrow.
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(hasSegment(p.canvas, {275 + 850 * i, 3025}, {275 + 850 * i, 3025 + 17})) << i;
    EXPECT_EQ(textsWithTop(p.canvas, 3025 + 62), (std::vector<std::string>{"5", "10", "15", "20"}));
}

struct GridCase {
    const char* label;
    PageFormat format;
    std::vector<int> rows;    // y of the horizontal lines
    std::vector<int> columns; // x of the vertical lines
};

class PrintPageGrid : public ::testing::TestWithParam<GridCase> {};

TEST_P(PrintPageGrid, ThinLinesOverTheFrame) {
    const GridCase& g = GetParam();
    PrintSettings s;
    s.printGrid = true;
    s.format = g.format;
    const Printed p = print(titrationPage(25), s);
    const PageLayout& L = p.layout;
    const int m = L.margin, H = L.regionHeight, W = L.regionWidth;
    std::vector<int> rows, columns;
    for (const CanvasSegment& seg : p.canvas.segments()) {
        if (seg.pen.width != L.thinWidth) continue;
        EXPECT_EQ(seg.pen.color, kBlack);
        if (seg.from.x == m && seg.to.x == W - m && seg.from.y == seg.to.y)
            rows.push_back(seg.from.y);
        else if (seg.from.y == H - m && seg.to.y == m && seg.from.x == seg.to.x)
            columns.push_back(seg.from.x);
        else
            ADD_FAILURE() << "stray thin line";
    }
    EXPECT_EQ(rows, g.rows);
    EXPECT_EQ(columns, g.columns);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PrintPageGrid,
    ::testing::Values(
        // One centimetre apart: 14 rows, and 17 columns in the 17.5 cm of the axis.
        GridCase{"Optimised",
                 PageFormat::Optimised,
                 {3401, 3165, 2929, 2693, 2456, 2220, 1984, 1748, 1512, 1275, 1039, 803, 567, 330},
                 {566, 802, 1038, 1274, 1511, 1747, 1983, 2219, 2455, 2692, 2928, 3164, 3400, 3637,
                  3873, 4109, 4345}},
        // Stretched: a row per pH unit inside the frame, a column every 2.5 mL up to the end.
        GridCase{"HalfPage",
                 PageFormat::HalfPage,
                 {2828, 2632, 2435, 2239, 2042, 1846, 1650, 1453, 1257, 1060, 864, 667, 471, 275},
                 {700, 1125, 1550, 1975, 2400, 2825, 3250, 3675, 4100, 4525}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PrintPageColour, AxesAndHorizontalTicksBluePHCurveRedVerticalTicksBlack) {
    PrintSettings s;
    s.printInColour = true;
    const Printed p = print(titrationPage(25), s);
    const RecordingCanvas& c = p.canvas;
    for (const CanvasSegment& seg : c.segments()) {
        const bool axis = seg.to == CanvasPoint{330, 3638} || seg.to == CanvasPoint{4470, 3638};
        const bool xTick = seg.from.y == 3638 && seg.to.y == 3658;
        const bool yTick = seg.from.x == 310 && seg.to.x == 350 && seg.from.y == seg.to.y;
        // Everything else is the pH curve or its legend sample, in the curve's red.
        const CanvasColor expected = axis || xTick ? kBlue
                                     : yTick       ? kBlack
                                                   : CanvasColor{255, 0, 0};
        EXPECT_EQ(seg.pen.color, expected)
            << seg.from.x << "," << seg.from.y << " -> " << seg.to.x << "," << seg.to.y;
    }
}

TEST(PrintPageArrows, NoArrowsNoPolygonsAndTheFillIsLeftAlone) {
    PrintSettings s;
    s.axisArrows = false;
    RecordingCanvas canvas(kWidth, kHeight, kDpi);
    const Brush initial{BrushStyle::Clear, kBlue};
    canvas.setBrush(initial);
    PrintPage(titrationPage(25), s, canvas);
    EXPECT_EQ(canvas.count(CanvasOp::Polygon), 0);
    for (const CanvasText& t : canvas.texts()) EXPECT_EQ(t.brush, initial);
}

TEST(PrintPageArrows, FillStyleIsRestoredAfterThePage) {
    RecordingCanvas canvas(kWidth, kHeight, kDpi);
    const Brush initial{BrushStyle::Clear, kBlue};
    canvas.setBrush(initial);
    PrintPage(titrationPage(25), PrintSettings{}, canvas);
    EXPECT_EQ(canvas.brush(), initial);
    EXPECT_EQ(canvas.calls().back().op, CanvasOp::SetBrush);
    EXPECT_EQ(canvas.calls()[canvas.calls().size() - 2].op, CanvasOp::EndDocument);
}

TEST(PrintPageSpecies, PercentAxisSpeciesCurvesAndNoPHOrConstants) {
    PageInput in = titrationPage(25);
    in.state.study = Study::SpeciesVsPH;
    in.state.conc1 = 0.1;
    in.bottomAxisTitle = "pH imposé";
    in.curves[1] = straight(0, 2, 30, 5, 100); // left by a previous study: not printed
    in.curves[2] = straight(0, 0.1, 14, 0, 100);
    in.curves[3] = straight(0, 0, 14, 0.05, 100);
    in.curves[6] = straight(0, 7, 14, 7, 100);
    tick(in, {2, 3, 10});
    const Printed p = print(in);
    const PageLayout& L = p.layout;
    const RecordingCanvas& c = p.canvas;

    EXPECT_EQ(L.ymax, 11);
    EXPECT_EQ(L.regionHeight, 3118);
    EXPECT_EQ(L.margin, 259);
    EXPECT_DOUBLE_EQ(L.speciesFactor, 100);
    // Ordinates 0..100 % of c1, abscissa labels every 2 cm up to 14 only.
    EXPECT_EQ(textsWithLeft(c, 259 - 72 - 83),
              (std::vector<std::string>{"0", "20", "40", "60", "80"}));
    EXPECT_EQ(textsWithLeft(c, 259 - 144 - 83), (std::vector<std::string>{"100"}));
    EXPECT_EQ(textsWithTop(c, 2859 + 62),
              (std::vector<std::string>{"2", "4", "6", "8", "10", "12", "14"}));
    ASSERT_TRUE(c.findText("% C"));
    EXPECT_EQ(c.findText("% C")->at, (CanvasPoint{223, 93}));
    EXPECT_FALSE(c.findText("pH"));
    ASSERT_TRUE(c.findText("pH imposé"));
    EXPECT_EQ(c.findText("pH imposé")->at, (CanvasPoint{4800 - 34 * 36, 2859 - 166}));

    // Species in tenths of c1: species 1 starts at 10 (100 %), species 2 ends at 5 (50 %).
    EXPECT_TRUE(reaches(c, {259, 495}));
    EXPECT_TRUE(reaches(c, {3566, L.mapY(5)}));
    EXPECT_EQ(L.mapY(5), 1677);
    // Neither the pH curve nor the H3O+ curve.
    EXPECT_FALSE(reaches(c, {L.mapX(30), L.mapY(5)}));
    EXPECT_FALSE(reaches(c, {L.mapX(14), L.mapY(7)}));

    EXPECT_FALSE(c.findText("concentration de la base : 0,1 mol/L"));
    EXPECT_FALSE(c.findText("Attention, l'effet de dilution n'est pas"));
    // Legend: the two species only, from line 2.
    EXPECT_EQ(textsWithLeft(c, 3 * 259),
              (std::vector<std::string>{"acide éthanoïque", "ion éthanoate"}));
    EXPECT_TRUE(c.findText("acide éthanoïque")->at.y == 2859 + 2 * 83);
}

struct DilutionCase {
    const char* label;
    BuretteSide side;
    double ymax;
    std::vector<std::string> leftLabels;
};

class PrintPageDilution : public ::testing::TestWithParam<DilutionCase> {};

TEST_P(PrintPageDilution, FixedAbscissaSolidPHNoH3OAndNoConstants) {
    const DilutionCase& d = GetParam();
    PageInput in = titrationPage(25);
    in.state.study = Study::Dilution;
    in.state.side = d.side;
    in.bottomAxisTitle = "- Log (concentration de l'acide)";
    in.curves[1] = straight(1, 1, 6, 6, 50);
    in.curves[6] = straight(0, 4, 6, 4, 50);
    tick(in, {10});
    const Printed p = print(in);
    const PageLayout& L = p.layout;
    const RecordingCanvas& c = p.canvas;
    const int m = L.margin, H = L.regionHeight;

    EXPECT_EQ(L.ymax, d.ymax);
    EXPECT_EQ(L.xmax, 14) << "whatever the curve";
    std::vector<std::string> left = textsWithLeft(c, m - 72 - 83);
    for (const std::string& s : textsWithLeft(c, m - 144 - 83)) left.push_back(s);
    EXPECT_EQ(left, d.leftLabels);
    EXPECT_EQ(textsWithTop(c, H - m + 62),
              (std::vector<std::string>{"2", "4", "6", "8", "10", "12", "14"}));
    ASSERT_TRUE(c.findText("- Log (concentration de l'acide)"));
    EXPECT_EQ(c.findText("- Log (concentration de l'acide)")->at,
              (CanvasPoint{4800 - 34 * 36, H - m - 166}));

    // The pH curve, solid, from the axis at the first point's height to its last point.
    EXPECT_TRUE(hasSegment(c, {m, L.mapY(1)}, {L.mapX(1), L.mapY(1)}));
    EXPECT_TRUE(reaches(c, {L.mapX(6), L.mapY(6)}));
    EXPECT_FALSE(reaches(c, {L.mapX(6), L.mapY(4)})) << "no H3O+ curve";
    EXPECT_FALSE(c.findText("pKa de l'acide employé : 4,76"));
    EXPECT_FALSE(c.findText("Attention, l'effet de dilution n'est pas"));
    EXPECT_TRUE(textsWithLeft(c, 3 * m).empty()) << "no legend entry";
}

INSTANTIATE_TEST_SUITE_P(
    Sides, PrintPageDilution,
    ::testing::Values(DilutionCase{"AcidSide", BuretteSide::AcidSide, 9, {"0", "2", "4", "6", "8"}},
                      DilutionCase{"BaseSide",
                                   BuretteSide::BaseSide,
                                   14,
                                   {"0", "2", "4", "6", "8", "10", "12", "14"}}),
    [](const auto& info) { return std::string(info.param.label); });

struct DashedSeriesCase {
    const char* label;
    int series;
    int box;
    double drawnAt; // ordinate of the printed line
    int firstInk;   // dots of ink at the start of the curve: half a period, or the table cells
};

class PrintPageDashes : public ::testing::TestWithParam<DashedSeriesCase> {};

TEST_P(PrintPageDashes, EachCurveGetsItsDashCode) {
    // A horizontal line at ordinate 5 of 100 points: the first dash of the curve, 212-dot
    // pattern, shows its code.
    const DashedSeriesCase& d = GetParam();
    PageInput in = titrationPage(25);
    in.curves[d.series] = straight(0, 5, 25, 5, 100);
    tick(in, {1, d.box});
    const Printed p = print(in);
    const int y = p.layout.mapY(d.drawnAt);
    int inkEnd = -1;
    for (const CanvasSegment& s : p.canvas.segments()) {
        if (s.from.y != y || s.to.y != y) continue;
        if (inkEnd >= 0 && s.from.x != inkEnd) break;
        inkEnd = s.to.x;
    }
    EXPECT_NEAR(inkEnd - 330, d.firstInk, 1);
}

INSTANTIATE_TEST_SUITE_P(Codes, PrintPageDashes,
                         ::testing::Values(DashedSeriesCase{"H3OIsCode1", 6, 10, 5, 106},
                                           DashedSeriesCase{"Species1IsCode2", 2, 2, 5, 53},
                                           DashedSeriesCase{"Species2IsCode3", 3, 3, 5, 35},
                                           DashedSeriesCase{"Species3IsCode4", 4, 4, 5, 106},
                                           DashedSeriesCase{"SecondAcid1IsCode4", 4, 6, 5, 106},
                                           DashedSeriesCase{"Species4IsCode5", 5, 5, 5, 21},
                                           DashedSeriesCase{"SecondAcid2IsCode5", 5, 7, 5, 21},
                                           // Scaled so that its largest value, 5, is drawn at 10.
                                           DashedSeriesCase{"ConductivityIsCode6", 8, 8, 10, 80}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(PrintPageCurves, SeriesFourIsPrintedOnceForBothBoxes) {
    PageInput in = titrationPage(25);
    in.state.study = Study::TwoMonoTitration;
    in.curves[4] = straight(0, 1, 25, 6, 100);
    tick(in, {4, 6});
    const Printed p = print(in);
    EXPECT_EQ(countReaching(p.canvas, {p.layout.mapX(25), p.layout.mapY(6)}), 1);
}

TEST(PrintPageCurves, ConductivityIsScaledToTen) {
    PageInput in = titrationPage(25);
    in.curves[8] = straight(0, 1, 25, 5, 100);
    tick(in, {8});
    const Printed p = print(in);
    EXPECT_TRUE(reaches(p.canvas, {2692, p.layout.mapY(10)}));
    EXPECT_EQ(p.layout.mapY(10), 1275);
}

TEST(PrintPageCurves, ConductivityWithoutPositiveOrdinateIsLeftOut) {
    PageInput in = titrationPage(25);
    in.curves[8] = straight(0, -1, 25, 0, 100);
    const Printed without = print(in);
    tick(in, {8});
    const Printed with = print(in);
    EXPECT_EQ(with.canvas.segments(), without.canvas.segments());
    EXPECT_EQ(with.canvas.count(CanvasOp::MoveTo), without.canvas.count(CanvasOp::MoveTo));
}

TEST(PrintPageCurves, PastedPointsConnectedWithinAPageOnly) {
    PageInput in = titrationPage(25);
    in.pointStyle = PointStyle::ConnectedPoints;
    in.curves[7] = {{5, 4}, {10, 6}};
    tick(in, {9});
    RecordingCanvas canvas(kWidth, kHeight, kDpi);
    PrintPage(in, PrintSettings{}, canvas);
    PrintPage(in, PrintSettings{}, canvas); // a second page starts a new chain
    int joins = 0;
    for (const CanvasSegment& s : canvas.segments())
        if (s.from == CanvasPoint{802, 2692} && s.to == CanvasPoint{1274, 2220}) ++joins;
    EXPECT_EQ(joins, 2);
    for (const CanvasSegment& s : canvas.segments())
        EXPECT_FALSE((s.from == CanvasPoint{1274, 2220} && s.to == CanvasPoint{802, 2692}));
    // Dots of radius trunc(41 / 6) = 6, size a = 41.
    const std::vector<CanvasCall> dots = canvas.callsOf(CanvasOp::Ellipse);
    ASSERT_EQ(dots.size(), 4u);
    EXPECT_EQ(dots[0].points, (std::vector<CanvasPoint>{{796, 2686}, {808, 2698}}));
    EXPECT_EQ(dots[1].points, (std::vector<CanvasPoint>{{1268, 2214}, {1280, 2226}}));
}

struct DegenerateCase {
    const char* label;
    Series reference;
};

class PrintPageDegenerate : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(PrintPageDegenerate, FrameAndTextsWithoutCurves) {
    PageInput in = titrationPage(25);
    in.curves[1] = GetParam().reference;
    in.curves[6] = straight(0, 4, 25, 4, 100);
    tick(in, {10});
    const Printed p = print(in);
    EXPECT_FALSE(p.layout.curvesPrinted);
    EXPECT_EQ(p.layout.scale.k, 1);
    EXPECT_DOUBLE_EQ(p.layout.scale.unitsPerCm, 0.1);
    EXPECT_TRUE(hasSegment(p.canvas, {330, 330}, {330, 3638}));
    EXPECT_TRUE(hasSegment(p.canvas, {330, 3638}, {4470, 3638}));
    EXPECT_TRUE(p.canvas.findText("pKa de l'acide employé : 4,76"));
    EXPECT_EQ(p.canvas.count(CanvasOp::EndDocument), 1);
    // The H3O+ curve is not printed either: the page is the one without it.
    in.curves[6].clear();
    const Printed bare = print(in);
    EXPECT_EQ(p.canvas.segments(), bare.canvas.segments());
    EXPECT_EQ(p.canvas.count(CanvasOp::MoveTo), bare.canvas.count(CanvasOp::MoveTo));
}

INSTANTIATE_TEST_SUITE_P(References, PrintPageDegenerate,
                         ::testing::Values(DegenerateCase{"Empty", {}},
                                           DegenerateCase{"EndsAtZero", {{0, 3}, {0, 7}}},
                                           DegenerateCase{"EndsBelowZero",
                                                          {{0, 3}, {-2, 7}}}),
                         [](const auto& info) { return std::string(info.param.label); });

class ThrowingCanvas : public RecordingCanvas {
  public:
    using RecordingCanvas::RecordingCanvas;
    void textOut(int, int, const std::string&) override { throw std::runtime_error("printer"); }
};

TEST(PrintPageFailure, DocumentIsEndedWhenADrawingStepThrows) {
    ThrowingCanvas canvas(kWidth, kHeight, kDpi);
    const Brush initial = canvas.brush();
    EXPECT_THROW(PrintPage(titrationPage(25), PrintSettings{}, canvas), std::runtime_error);
    EXPECT_EQ(canvas.count(CanvasOp::BeginDocument), 1);
    EXPECT_EQ(canvas.count(CanvasOp::EndDocument), 1);
    EXPECT_EQ(canvas.brush(), initial);
}

TEST(PrintPageFromSimulation, ReadsCurvesOptionsTitleLabelsAndPointStyle) {
    Simulation sim;
    const PageInput hand = titrationPage(25);
    sim.state = hand.state;
    sim.results.curves[1] = hand.curves[1];
    sim.results.curves[7] = {{5, 4}};
    sim.graph.checked.fill(false);
    sim.graph.checked[8] = true; // pasted points
    sim.graph.checked[1] = true; // the first species
    sim.results.speciesLabels = hand.speciesLabels;
    sim.results.plot.bottomTitle = "v de monobase forte versé, en mL";
    sim.results.plot.leftTitle = "pH de 0 à 14";
    sim.pasted.pointStyle = PointStyle::Circle;

    RecordingCanvas canvas(kWidth, kHeight, kDpi);
    const PageLayout L = PrintPage(sim, PrintSettings{}, canvas);
    EXPECT_EQ(L.xmax, 25);
    ASSERT_TRUE(canvas.findText("v de monobase forte versé, en mL"));
    EXPECT_EQ(canvas.findText("v de monobase forte versé, en mL")->at, (CanvasPoint{3246, 3472}));
    EXPECT_FALSE(canvas.findText("pH de 0 à 14"));
    EXPECT_TRUE(canvas.findText("acide éthanoïque")) << "legend of the first species";
    // A circle of half-size a / 2 = 20 around (802, 2692).
    const std::vector<CanvasCall> circles = canvas.callsOf(CanvasOp::Ellipse);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].points, (std::vector<CanvasPoint>{{782, 2672}, {822, 2712}}));
}

} // namespace
