#include "core/page/PrintedPage.h"
#include "core/page/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace titralab;

namespace {

struct Box {
    CanvasPoint topLeft;
    CanvasPoint bottomRight;
    bool operator==(const Box& o) const {
        return topLeft == o.topLeft && bottomRight == o.bottomRight;
    }
};

struct SymbolCase {
    const char* label;
    PointStyle style;
    int size;
    std::vector<CanvasSegment> lines;
    std::vector<Box> ellipses;
    std::vector<std::vector<CanvasPoint>> polygons;
};

std::vector<Box> ellipsesOf(const RecordingCanvas& c) {
    std::vector<Box> out;
    for (const CanvasCall& call : c.callsOf(CanvasOp::Ellipse))
        out.push_back({call.points[0], call.points[1]});
    return out;
}

std::vector<std::vector<CanvasPoint>> polygonsOf(const RecordingCanvas& c) {
    std::vector<std::vector<CanvasPoint>> out;
    for (const CanvasCall& call : c.callsOf(CanvasOp::Polygon)) out.push_back(call.points);
    return out;
}

class PrintSymbol : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(PrintSymbol, FigureCentredOnThePoint) {
    const SymbolCase& c = GetParam();
    RecordingCanvas canvas(4000, 4000, 600);
    const Brush before{BrushStyle::Solid, kWhite};
    canvas.setBrush(before);
    canvas.clear();
    SymbolPen symbols{c.style, std::nullopt};
    DrawPointSymbol(canvas, symbols, 1000, 2000, c.size);

    EXPECT_EQ(canvas.segments(), c.lines);
    EXPECT_EQ(ellipsesOf(canvas), c.ellipses);
    EXPECT_EQ(polygonsOf(canvas), c.polygons);
    // Outlines only, and the fill in force before is put back.
    for (const CanvasCall& call : canvas.calls())
        if (call.op == CanvasOp::Ellipse || call.op == CanvasOp::Polygon)
            EXPECT_EQ(call.brush.style, BrushStyle::Clear);
    EXPECT_EQ(canvas.brush(), before);
}

using S = CanvasSegment;
INSTANTIATE_TEST_SUITE_P(
    Styles, PrintSymbol,
    ::testing::Values(
        SymbolCase{"Cross",
                   PointStyle::Cross,
                   41,
                   {S{{1000, 1980}, {1000, 2020}, {}}, S{{980, 2000}, {1020, 2000}, {}}},
                   {},
                   {}},
        SymbolCase{"CrossOfSizeOneKeepsOneDot",
                   PointStyle::Cross,
                   1,
                   {S{{1000, 1999}, {1000, 2001}, {}}, S{{999, 2000}, {1001, 2000}, {}}},
                   {},
                   {}},
        SymbolCase{"DiagonalCross",
                   PointStyle::DiagonalCross,
                   41,
                   {S{{980, 1980}, {1020, 2020}, {}}, S{{1020, 1980}, {980, 2020}, {}}},
                   {},
                   {}},
        SymbolCase{"DiamondIsAnEightBranchStar",
                   PointStyle::Diamond,
                   41,
                   {S{{1000, 1980}, {1000, 2020}, {}}, S{{980, 2000}, {1020, 2000}, {}},
                    S{{980, 1980}, {1020, 2020}, {}}, S{{1020, 1980}, {980, 2020}, {}}},
                   {},
                   {}},
        SymbolCase{"Square",
                   PointStyle::Square,
                   41,
                   {S{{980, 1980}, {980, 2020}, {}}, S{{980, 2020}, {1020, 2020}, {}},
                    S{{1020, 2020}, {1020, 1980}, {}}, S{{1020, 1980}, {980, 1980}, {}}},
                   {},
                   {}},
        SymbolCase{"SmallSquareKeepsTwoDots",
                   PointStyle::Square,
                   3,
                   {S{{998, 1998}, {998, 2002}, {}}, S{{998, 2002}, {1002, 2002}, {}},
                    S{{1002, 2002}, {1002, 1998}, {}}, S{{1002, 1998}, {998, 1998}, {}}},
                   {},
                   {}},
        SymbolCase{
            "DotIsASixthOfTheSize", PointStyle::Dot, 41, {}, {{{994, 1994}, {1006, 2006}}}, {}},
        SymbolCase{
            "SmallDotKeepsOneDot", PointStyle::Dot, 5, {}, {{{999, 1999}, {1001, 2001}}}, {}},
        SymbolCase{"Circle", PointStyle::Circle, 41, {}, {{{980, 1980}, {1020, 2020}}}, {}},
        // h = 48, v = trunc(96 * sqrt(5) / 6) = 35: apex 70 above, base 35 below; then the
        // dot of size 48 (radius 8).
        SymbolCase{"TriangleOfSize96",
                   PointStyle::Triangle,
                   96,
                   {},
                   {{{992, 1992}, {1008, 2008}}},
                   {{{952, 2035}, {1048, 2035}, {1000, 1930}}}},
        SymbolCase{"UnknownStyleIsACross",
                   static_cast<PointStyle>(42),
                   41,
                   {S{{1000, 1980}, {1000, 2020}, {}}, S{{980, 2000}, {1020, 2000}, {}}},
                   {},
                   {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PrintSymbolConnected, FirstIsALoneDotThenEachJoinsThePrevious) {
    RecordingCanvas canvas(4000, 4000, 600);
    SymbolPen symbols{PointStyle::ConnectedPoints, std::nullopt};
    DrawPointSymbol(canvas, symbols, 100, 200, 41);
    EXPECT_TRUE(canvas.segments().empty());
    EXPECT_EQ(ellipsesOf(canvas), (std::vector<Box>{{{94, 194}, {106, 206}}}));

    DrawPointSymbol(canvas, symbols, 300, 250, 41);
    DrawPointSymbol(canvas, symbols, 500, 150, 41);
    EXPECT_EQ(canvas.segments(), (std::vector<CanvasSegment>{{{100, 200}, {300, 250}, {}},
                                                             {{300, 250}, {500, 150}, {}}}));
    EXPECT_EQ(canvas.count(CanvasOp::Ellipse), 3);
    ASSERT_TRUE(symbols.previousPoint.has_value());
    EXPECT_EQ(*symbols.previousPoint, (CanvasPoint{500, 150}));
}

} // namespace
