#include "core/page/Dashes.h"
#include "core/page/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace titralab;

namespace {

constexpr double kPixelsPerCm600 = 600 / 2.54;

// The runs [first, last] of whole distances 0..length-1 at which the pen is down.
std::vector<std::pair<int, int>> inkRuns(const DashedPen& pen, DashCode code, int length) {
    std::vector<std::pair<int, int>> runs;
    for (int p = 0; p < length; ++p) {
        if (!IsPenDown(pen, code, p)) continue;
        if (!runs.empty() && runs.back().second == p - 1)
            runs.back().second = p;
        else
            runs.push_back({p, p});
    }
    return runs;
}

struct SetUpCase {
    const char* label;
    double lengthMm;
    double pixelsPerCm;
    int nRef;
    int patternPx;
    int stepsPerSegment;
};

class DashSetUp : public ::testing::TestWithParam<SetUpCase> {};

TEST_P(DashSetUp, PatternAndSubSteps) {
    const SetUpCase& c = GetParam();
    const DashedPen pen = SetUpDashes(c.lengthMm, c.pixelsPerCm, c.nRef);
    EXPECT_EQ(pen.patternPx, c.patternPx);
    EXPECT_EQ(pen.stepsPerSegment, c.stepsPerSegment);
}

INSTANTIATE_TEST_SUITE_P(
    Printers, DashSetUp,
    ::testing::Values(SetUpCase{"Default600dpi100Points", 9, kPixelsPerCm600, 100, 212, 40},
                      SetUpCase{"Default600dpi201Points", 9, kPixelsPerCm600, 201, 212, 19},
                      SetUpCase{"OneMillimetreAt100dpi", 1, 100 / 2.54, 100, 3, 40},
                      SetUpCase{"FifteenMillimetresAt300dpi", 15, 300 / 2.54, 5, 177, 800},
                      SetUpCase{"EmptyReferenceStillSteps", 9, kPixelsPerCm600, 0, 212, 4000}),
    [](const auto& info) { return std::string(info.param.label); });

struct RunsCase {
    const char* label;
    int patternPx;
    DashCode code;
    int length;
    std::vector<std::pair<int, int>> runs;
};

class DashPattern : public ::testing::TestWithParam<RunsCase> {};

TEST_P(DashPattern, InkRunsOverOnePatternAndBeyond) {
    const RunsCase& c = GetParam();
    DashedPen pen;
    pen.patternPx = c.patternPx;
    EXPECT_EQ(inkRuns(pen, c.code, c.length), c.runs);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DashPattern,
    ::testing::Values(
        // 212 dots: code 1 gives dashes and gaps of 106.
        RunsCase{"Code1Halves", 212, 1, 424, {{0, 105}, {212, 317}}},
        // Code 2: a period of 106.
        RunsCase{"Code2Period106", 212, 2, 212, {{0, 52}, {106, 158}}},
        // Code 5: a period of 42, 21 of ink then 21 of gap (212 = 5 * 42 + 2).
        RunsCase{"Code5Period42", 212, 5, 130, {{0, 20}, {42, 62}, {84, 104}, {126, 129}}},
        // A 3-dot pattern: code 5 is raised to a period of 2.
        RunsCase{"Code5SmallestPeriod", 3, 5, 6, {{0, 0}, {2, 2}, {4, 4}}},
        // Code 4, row 1 "########...##...": cells 0-7 and 11-12 of 13.25 dots each.
        RunsCase{"Code4Cells", 212, 4, 212, {{0, 105}, {146, 172}}},
        // Row 2 "######..##..##.." for code 6.
        RunsCase{"Code6Row2", 160, 6, 160, {{0, 59}, {80, 99}, {120, 139}}},
        // Row 5 "#######.#.##.#.." for code 9.
        RunsCase{"Code9Row5", 160, 9, 160, {{0, 69}, {80, 89}, {100, 119}, {130, 139}}},
        RunsCase{"Code1000Solid", 212, kSolidDash, 500, {{0, 499}}},
        RunsCase{"Code11Solid", 212, 11, 500, {{0, 499}}}),
    [](const auto& info) { return std::string(info.param.label); });

// The x ranges covered by the lines of a horizontal dashed drawing, joined where they touch.
std::vector<std::pair<int, int>> drawnRuns(const RecordingCanvas& canvas) {
    std::vector<std::pair<int, int>> runs;
    for (const CanvasSegment& s : canvas.segments()) {
        if (!runs.empty() && runs.back().second == s.from.x)
            runs.back().second = s.to.x;
        else
            runs.push_back({s.from.x, s.to.x});
    }
    return runs;
}

TEST(DashedLine, CutsEachSegmentIntoSubStepsAndLandsOnTheEnd) {
    RecordingCanvas canvas(1000, 1000, 600);
    DashedPen pen = SetUpDashes(9, kPixelsPerCm600, 100);
    canvas.moveTo(10, 20);
    DashedLineTo(pen, canvas, true, 2, 10, 20);
    EXPECT_EQ(canvas.count(CanvasOp::LineTo), 0) << "starting a line draws nothing";
    canvas.clear();
    DashedLineTo(pen, canvas, false, 2, 410, 320);
    const int moves = canvas.count(CanvasOp::MoveTo);
    const int lines = canvas.count(CanvasOp::LineTo);
    EXPECT_EQ(moves + lines, 40);
    EXPECT_GT(moves, 0);
    EXPECT_GT(lines, 0);
    EXPECT_EQ(canvas.calls().back().points.back(), (CanvasPoint{410, 320}));
    EXPECT_DOUBLE_EQ(pen.phase, 500);
}

TEST(DashedLine, PhaseRunsOnAcrossSegments) {
    // Two horizontal segments of 150 dots, code 1 (106 of ink, 106 of gap), 40 sub-steps of
    // 3.75 dots: the gap that starts on the first segment goes on into the second.
    RecordingCanvas canvas(1000, 1000, 600);
    DashedPen pen = SetUpDashes(9, kPixelsPerCm600, 100);
    canvas.moveTo(0, 0);
    DashedLineTo(pen, canvas, true, 1, 0, 0);
    DashedLineTo(pen, canvas, false, 1, 150, 0);
    DashedLineTo(pen, canvas, false, 1, 300, 0);
    const std::vector<std::pair<int, int>> expected{{0, 105}, {210, 300}};
    EXPECT_EQ(drawnRuns(canvas), expected);
}

TEST(DashedLine, FirstPointRestartsThePattern) {
    RecordingCanvas canvas(1000, 1000, 600);
    DashedPen pen = SetUpDashes(9, kPixelsPerCm600, 100);
    DashedLineTo(pen, canvas, true, 1, 0, 0);
    DashedLineTo(pen, canvas, false, 1, 150, 0);
    canvas.clear();
    canvas.moveTo(0, 10);
    DashedLineTo(pen, canvas, true, 1, 0, 10);
    DashedLineTo(pen, canvas, false, 1, 150, 10);
    const std::vector<std::pair<int, int>> expected{{0, 105}};
    EXPECT_EQ(drawnRuns(canvas), expected);
}

struct SampleCase {
    const char* label;
    DashCode code;
    std::vector<std::pair<int, int>> runs;
};

class DashSample : public ::testing::TestWithParam<SampleCase> {};

TEST_P(DashSample, HorizontalSampleOfOneAndAHalfSizes) {
    // Size 330 gives a 495-dot sample in 40 sub-steps of 12.375 dots.
    const SampleCase& c = GetParam();
    RecordingCanvas canvas(2000, 2000, 600);
    DashedPen pen = SetUpDashes(9, kPixelsPerCm600, 100);
    canvas.moveTo(330, 3853);
    DashedSample(pen, canvas, 330, 3853, 330, c.code);
    EXPECT_EQ(canvas.count(CanvasOp::MoveTo) + canvas.count(CanvasOp::LineTo), 41);
    EXPECT_EQ(canvas.calls().back().points.back(), (CanvasPoint{825, 3853}));
    EXPECT_EQ(drawnRuns(canvas), c.runs);
}

INSTANTIATE_TEST_SUITE_P(Codes, DashSample,
                         ::testing::Values(SampleCase{"Solid", kSolidDash, {{330, 825}}},
                                           // Ink while the phase at the end of a sub-step is below
                                           // 106, from 212 to 317 and from 424 on.
                                           SampleCase{
                                               "Code1", 1, {{330, 429}, {540, 639}, {750, 825}}}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
