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

} // namespace
} // namespace titralab::printtest
