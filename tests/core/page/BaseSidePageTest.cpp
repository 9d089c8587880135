// The base-side page: its reference series runs from the largest volume down to volume 0.
#include "PrintFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <utility>

namespace titralab::printtest {
namespace {

// The lines of a page that have a length, without their direction.
std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> undirected(const RecordingCanvas& c) {
    std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> out;
    for (const CanvasSegment& s : c.segments()) {
        if (s.from == s.to) continue;
        std::pair<int, int> a{s.from.x, s.from.y}, b{s.to.x, s.to.y};
        if (b < a) std::swap(a, b);
        out.insert({a, b});
    }
    return out;
}

struct SideCase {
    const char* label;
    Study study;
};

void PrintTo(const SideCase& c, std::ostream* os) {
    *os << c.label;
}

class BaseSidePage : public ::testing::TestWithParam<SideCase> {};

// The same curve, sampled in the other direction, prints the same page.
TEST_P(BaseSidePage, CurveThatRunsTowardTheAxisPrintsLikeTheAcidSide) {
    PageInput forward = titrationPage(25);
    forward.state.study = GetParam().study;
    forward.curves[1] = straight(0, 11, 25, 1.5, 100);
    PageInput backward = forward;
    backward.state.side = BuretteSide::BaseSide;
    backward.state.row1 = 1;
    std::reverse(backward.curves[1].begin(), backward.curves[1].end());
    ASSERT_EQ(backward.curves[1].back().x, 0);

    const Printed a = print(forward);
    const Printed b = print(backward);
    EXPECT_TRUE(b.layout.curvesPrinted);
    EXPECT_EQ(b.layout.xmax, 25) << "the largest volume, not the last point's";
    EXPECT_EQ(b.layout.scale.k, a.layout.scale.k);
    EXPECT_DOUBLE_EQ(b.layout.scale.unitsPerCm, 2.5);
    EXPECT_EQ(undirected(b.canvas), undirected(a.canvas));

    // The curve starts at its first point (25 mL, pH 1.5), not on the vertical axis: no line
    // crosses the frame at the height of the first point.
    const int y0 = b.layout.mapY(1.5);
    const CanvasPoint start{b.layout.mapX(25), y0};
    EXPECT_EQ(b.canvas.callsOf(CanvasOp::MoveTo).front().points[0], start);
    EXPECT_FALSE(hasSegment(b.canvas, {b.layout.margin, y0}, start));
}

INSTANTIATE_TEST_SUITE_P(Studies, BaseSidePage,
                         ::testing::Values(SideCase{"Titration", Study::TitrationVsVolume},
                                           SideCase{"TwoMonoacids", Study::TwoMonoTitration}),
                         [](const auto& info) { return std::string(info.param.label); });

// Solid or dashed, no curve that runs toward the vertical axis gets a line from the axis to
// its first point.
TEST(BaseSidePageCurves, NoLineFromTheAxisToTheStartOfACurveThatRunsTowardIt) {
    PageInput in = titrationPage(25);
    in.state.side = BuretteSide::BaseSide;
    in.state.row1 = 1;
    in.curves[1] = straight(25, 1.5, 0, 11, 100);  // pH, solid
    in.curves[2] = straight(25, 9.5, 0, 0.5, 100); // species 1, dashes
    in.curves[6] = straight(25, 3, 0, 0.2, 100);   // H3O+, dashes
    tick(in, {2, 10});
    const Printed p = print(in);
    const PageLayout& L = p.layout;
    for (int series : {1, 2, 6}) {
        const int y0 = L.mapY(in.curves[series].front().y);
        for (const CanvasSegment& s : p.canvas.segments())
            EXPECT_FALSE(s.from == (CanvasPoint{L.margin, y0}) && s.to.x > L.margin + L.tickHalf)
                << "Series" << series << " to " << s.to.x << "," << s.to.y;
    }
    // Each curve still reaches the axis at its end, volume 0.
    EXPECT_TRUE(reaches(p.canvas, {L.margin, L.mapY(11)}));
}

} // namespace
} // namespace titralab::printtest
