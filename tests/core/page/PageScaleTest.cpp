#include "core/page/PrintedPage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace titralab;

namespace {

struct XScaleCase {
    const char* label;
    double xmax;
    bool zoom;
    int n;
    int k;
    double unitsPerCm;
};

class PrintScaleChoice : public ::testing::TestWithParam<XScaleCase> {};

TEST_P(PrintScaleChoice, DecadeAndDivisions) {
    const XScaleCase& c = GetParam();
    const XScale s = ChooseXScale(c.xmax, c.zoom);
    EXPECT_EQ(s.n, c.n);
    EXPECT_EQ(s.k, c.k);
    EXPECT_NEAR(s.unitsPerCm, c.unitsPerCm, 1e-12 * c.unitsPerCm);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Ranges, PrintScaleChoice,
    ::testing::Values(XScaleCase{"TwentyFiveMillilitres", 25, false, 1, 4, 2.5},
                      XScaleCase{"TwelveMillilitres", 12, false, 1, 10, 1},
                      XScaleCase{"PHRangeOf14", 14, false, 1, 10, 1},
                      XScaleCase{"NineteenGivesEight", 19, false, 1, 8, 1.25},
                      XScaleCase{"ZoomHalvesTheRange", 25, true, 1, 10, 1},
                      XScaleCase{"EightMillilitres", 8, false, 0, 2, 0.5},
                      XScaleCase{"JustBelowTen", 9.99, false, 0, 1, 1},
                      XScaleCase{"Ten", 10, false, 1, 10, 1},
                      XScaleCase{"FiveLitresInMillilitres", 5000, false, 3, 2, 500},
                      XScaleCase{"HalfALitre", 0.5, false, -1, 2, 0.05},
                      XScaleCase{"FiveCentilitres", 0.05, false, -2, 2, 0.005},
                      XScaleCase{"ExactlyOne", 1, false, -1, 1, 0.1},
                      XScaleCase{"ZeroIsScaledAsOne", 0, false, -1, 1, 0.1},
                      XScaleCase{"NegativeIsScaledAsOne", -3, false, -1, 1, 0.1},
                      XScaleCase{"NaNIsScaledAsOne", kNaN, false, -1, 1, 0.1},
                      XScaleCase{"InfinityIsScaledAsOne", kInf, false, -1, 1, 0.1}),
    [](const auto& info) { return std::string(info.param.label); });

struct GraduationCase {
    int approx;
    int k;
    int count;
};

class PrintGraduationChoice : public ::testing::TestWithParam<GraduationCase> {};

TEST_P(PrintGraduationChoice, CountStopsWithTheDivisions) {
    const GraduationCase& c = GetParam();
    EXPECT_EQ(ChooseGraduation(c.approx, c.k), c.count) << "c=" << c.approx << " k=" << c.k;
}

INSTANTIATE_TEST_SUITE_P(Counts, PrintGraduationChoice,
                         ::testing::Values(GraduationCase{1, 10, 2}, GraduationCase{3, 10, 2},
                                           GraduationCase{4, 10, 4}, GraduationCase{6, 1, 4},
                                           GraduationCase{7, 2, 8}, GraduationCase{12, 10, 8},
                                           GraduationCase{13, 10, 16}, GraduationCase{16, 1, 16},
                                           GraduationCase{16, 2, 16}, GraduationCase{16, 8, 4},
                                           GraduationCase{7, 8, 4}, GraduationCase{3, 8, 2},
                                           GraduationCase{16, 4, 8}, GraduationCase{8, 4, 8},
                                           GraduationCase{4, 4, 4}));

struct TextCase {
    double value;
    const char* text;
};

class PrintConstantFormat : public ::testing::TestWithParam<TextCase> {};

TEST_P(PrintConstantFormat, ThreeDigitsWithComma) {
    EXPECT_EQ(formatOnPaper(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PrintConstantFormat,
    ::testing::Values(TextCase{0.1, "0,1"}, TextCase{4.756, "4,76"}, TextCase{0.02, "0,02"},
                      TextCase{25, "25"}, TextCase{0.000002, "2E-6"}, TextCase{0.00001, "0,00001"},
                      TextCase{0.0000123, "0,0000123"}, TextCase{-0.00005, "-0,00005"},
                      TextCase{0.0001, "0,0001"}, TextCase{999, "999"}, TextCase{999.7, "1E3"},
                      TextCase{1234, "1,23E3"}, TextCase{-2.5, "-2,5"}, TextCase{0, "0"},
                      TextCase{-9.25 + 14, "4,75"}, TextCase{12.4, "12,4"}));

class PrintGraduationLabel : public ::testing::TestWithParam<TextCase> {};

TEST_P(PrintGraduationLabel, WholeNumbersHalvesAwayFromZero) {
    EXPECT_EQ(graduationLabel(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PrintGraduationLabel,
    ::testing::Values(TextCase{0, "0"}, TextCase{0.5, "1"}, TextCase{1, "1"}, TextCase{1.5, "2"},
                      TextCase{2.5, "3"}, TextCase{0.25, "0"}, TextCase{100, "100"},
                      TextCase{999, "999"},
                      // 45 * 0.7 is 31.499999999999996 in binary: the label reads the
                      // decimal value 31.5; 0.1 * 3 * 5 is 1.5000000000000002.
                      TextCase{45 * 0.7, "32"}, TextCase{0.1 * 3 * 5, "2"}, TextCase{999.5, "1E3"},
                      TextCase{1000, "1E3"}, TextCase{1500, "1,5E3"}, TextCase{8000, "8E3"},
                      TextCase{25000, "2,5E4"}));

} // namespace
