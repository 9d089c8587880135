// The sliders' scales: every position gives an accepted value, and a value finds its position.
#include "core/panel/FieldSliders.h"
#include "core/curves/Overlays.h"
#include "core/numbers/NumberInput.h"

#include <gtest/gtest.h>

namespace titralab {
namespace {

TEST(FieldSliders, ScalesPositionsAndTexts) {
    struct Case {
        const char* label;
        int field;
        double value;
        int position;       // of `value`
        const char* text;   // written at that position with the point
        const char* spoken; // what a screen reader is told there, with the comma
    } cases[] = {
        {"pKa 4.75", 4, 4.75, 475, "4.75", "pKa 4,75"},
        {"pKa below the slider", 14, -10, 0, "0", "pKa 0"},
        {"pKa3 above the slider", 6, 50, 1400, "14", "pKa 14"},
        {"concentration 0.01", 2, 0.01, 400, "0.01", "0,01 mol/L"},
        {"titrant 0.1", 1, 0.1, 500, "0.1", "0,1 mol/L"},
        {"concentration 0.02 between steps", 12, 0.02, 430, "0.02", "0,02 mol/L"},
        {"volume 20 mL", 3, 0.02, 130, "0.02", "0,02 L"},
        {"volume of column 2 at 1 L", 13, 1, 300, "1", "1 L"},
    };
    for (const Case& c : cases) {
        const auto scale = sliderScale(c.field);
        ASSERT_TRUE(scale) << c.label;
        EXPECT_EQ(sliderPosition(*scale, c.value), c.position) << c.label;
        EXPECT_EQ(sliderText(*scale, c.position), c.text) << c.label;
        EXPECT_EQ(sliderValueText(c.field, c.position, ','), c.spoken) << c.label;
        // Whatever the position, the field accepts the text without a message, with either
        // separator.
        const auto [low, high] = fieldBounds(c.field);
        for (int p = 0; p <= scale->positions; ++p)
            for (char separator : {'.', ','})
                ASSERT_TRUE(
                    ParseBoundedNumber(sliderText(*scale, p, separator), low, high).ok)
                    << c.label << " position " << p;
    }
    EXPECT_FALSE(sliderScale(11));
}

// The keyboard's arrows move a pKa by a hundredth and a concentration or a volume by a
// hundredth of a decade; a drag of a few pixels on a track as wide as the panel gives it
// stays within a unit of pKa or a decade.
TEST(FieldSliders, StepsAreFineEnoughToAimAtAValue) {
    constexpr int kFieldWidth = 57; // the panel's fields at the design font, pixels
    struct Case {
        const char* label;
        int field;
        double from;     // a value the arrows step from
        double step;     // the change of value (of its log10 on a log scale) for one arrow
        double maxDrag;  // the most a 12-pixel drag may move it (pKa, or decades)
    } cases[] = {
        {"pKa", 4, 6, 0.01, 1.7},
        {"pKa of column 2", 15, 9.2, 0.01, 1.7},
        {"concentration", 2, 0.1, 0.01, 0.75},
        {"volume", 3, 0.02, 0.01, 0.4},
    };
    for (const Case& c : cases) {
        const SliderScale s = *sliderScale(c.field);
        const int at = sliderPosition(s, c.from);
        const double a = sliderValue(s, at), b = sliderValue(s, at + 1);
        const double moved = s.logarithmic ? std::log10(b / a) : b - a;
        EXPECT_NEAR(moved, c.step, 1e-9) << c.label;
        EXPECT_LE(dragSpan(s, sliderTrackWidth(kFieldWidth), 12), c.maxDrag) << c.label;
        EXPECT_GT(s.pageStep, 1) << c.label;
    }
}

} // namespace
} // namespace titralab
