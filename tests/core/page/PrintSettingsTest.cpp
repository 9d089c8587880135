#include "core/page/PrintSettings.h"

#include <gtest/gtest.h>

#include <functional>

using namespace titralab;

namespace {

struct SettingsCase {
    const char* label;
    std::function<void(PrintSettings&)> edit;
    double lineWidth;
    double dashLengthMm;
    int charSize;
    int approxGraduations;
};

class PrintSettingsReading : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(PrintSettingsReading, ClampsFallsBackAndRounds) {
    const SettingsCase& c = GetParam();
    PrintSettings s;
    c.edit(s);
    const PrintValues v = ReadPrintSettings(s);
    EXPECT_DOUBLE_EQ(v.lineWidth, c.lineWidth);
    EXPECT_DOUBLE_EQ(v.dashLengthMm, c.dashLengthMm);
    EXPECT_EQ(v.charSize, c.charSize);
    EXPECT_EQ(v.approxGraduations, c.approxGraduations);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PrintSettingsReading,
    ::testing::Values(
        SettingsCase{"Defaults", [](PrintSettings&) {}, 30, 9, 10, 8},
        SettingsCase{"LineWidthNotANumberGivesLowerBound",
                     [](PrintSettings& s) { s.lineWidth = "abc"; }, 1, 9, 10, 8},
        SettingsCase{"LineWidthAboveRangeIsClamped", [](PrintSettings& s) { s.lineWidth = "500"; },
                     150, 9, 10, 8},
        SettingsCase{"LineWidthWithComma", [](PrintSettings& s) { s.lineWidth = "12,5"; }, 12.5, 9,
                     10, 8},
        SettingsCase{"DashAboveRangeFallsBackToNine",
                     [](PrintSettings& s) { s.dashLengthMm = "20"; }, 30, 9, 10, 8},
        SettingsCase{"DashHalfMillimetreFallsBackToNine",
                     [](PrintSettings& s) { s.dashLengthMm = "0,5"; }, 30, 9, 10, 8},
        SettingsCase{"DashUnreadableFallsBackToNine",
                     [](PrintSettings& s) { s.dashLengthMm = "x"; }, 30, 9, 10, 8},
        SettingsCase{"DashInRangeIsKept", [](PrintSettings& s) { s.dashLengthMm = "15"; }, 30, 15,
                     10, 8},
        SettingsCase{"DashFractionIsKept", [](PrintSettings& s) { s.dashLengthMm = "2.5"; }, 30,
                     2.5, 10, 8},
        SettingsCase{"QuarterPageHalvesAndTruncatesCharSize",
                     [](PrintSettings& s) {
                         s.charSize = "11";
                         s.format = PageFormat::QuarterPage;
                     },
                     30, 9, 5, 8},
        SettingsCase{"HalfPageKeepsCharSize",
                     [](PrintSettings& s) {
                         s.charSize = "11";
                         s.format = PageFormat::HalfPage;
                     },
                     30, 9, 11, 8},
        SettingsCase{"CharSizeFractionTruncated", [](PrintSettings& s) { s.charSize = "9,9"; }, 30,
                     9, 9, 8},
        SettingsCase{"CharSizeClampedHigh", [](PrintSettings& s) { s.charSize = "30"; }, 30, 9, 14,
                     8},
        SettingsCase{"CharSizeUnreadableIsEight", [](PrintSettings& s) { s.charSize = ""; }, 30, 9,
                     8, 8},
        SettingsCase{"GraduationsHalfWithCommaToEven",
                     [](PrintSettings& s) { s.approxGraduations = "8,5"; }, 30, 9, 10, 8},
        SettingsCase{"GraduationsHalfWithPointToEven",
                     [](PrintSettings& s) { s.approxGraduations = "8.5"; }, 30, 9, 10, 8},
        SettingsCase{"GraduationsNineAndAHalfToTen",
                     [](PrintSettings& s) { s.approxGraduations = "9,5"; }, 30, 9, 10, 10},
        SettingsCase{"GraduationsAboveHalfRoundsUp",
                     [](PrintSettings& s) { s.approxGraduations = "8,51"; }, 30, 9, 10, 9},
        SettingsCase{"GraduationsClampedHigh", [](PrintSettings& s) { s.approxGraduations = "40"; },
                     30, 9, 10, 16},
        SettingsCase{"GraduationsClampedLow", [](PrintSettings& s) { s.approxGraduations = "0"; },
                     30, 9, 10, 1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PrintSettingsDefaults, DialogStartsAsDesigned) {
    const PrintSettings s;
    EXPECT_FALSE(s.zoomX2);
    EXPECT_TRUE(s.printConstants);
    EXPECT_FALSE(s.printInColour);
    EXPECT_TRUE(s.axisArrows);
    EXPECT_FALSE(s.printGrid);
    EXPECT_EQ(s.format, PageFormat::Optimised);
    EXPECT_TRUE(s.comment1.empty());
    EXPECT_TRUE(s.comment2.empty());
    EXPECT_EQ(pageFormatCaption(PageFormat::QuarterPage, Language::French), "Quart de page");
    EXPECT_EQ(pageFormatCaption(PageFormat::HalfPage, Language::French), "Demi page");
    EXPECT_EQ(pageFormatCaption(PageFormat::Optimised, Language::French), "Optimisé");
}

} // namespace
