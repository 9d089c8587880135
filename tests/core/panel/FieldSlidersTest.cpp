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
        int position;     // of `value`
        const char* text; // written at that position
    } cases[] = {
        {"pKa 4.75", 4, 4.75, 135, "4.75"},
        {"pKa below the slider", 14, -10, 0, "-2"},
        {"pKa3 above the slider", 6, 50, 360, "16"},
        {"concentration 0.01", 2, 0.01, 400, "0.01"},
        {"titrant 0.1", 1, 0.1, 500, "0.1"},
        {"concentration 0.02 between steps", 12, 0.02, 430, "0.02"},
        {"volume 20 mL", 3, 0.02, 130, "0.02"},
        {"volume of column 2 at 1 L", 13, 1, 300, "1"},
    };
    for (const Case& c : cases) {
        const auto scale = sliderScale(c.field);
        ASSERT_TRUE(scale) << c.label;
        EXPECT_EQ(sliderPosition(*scale, c.value), c.position) << c.label;
        EXPECT_EQ(sliderText(*scale, c.position), c.text) << c.label;
        // Whatever the position, the field accepts the text without a message.
        const auto [low, high] = fieldBounds(c.field);
        for (int p = 0; p <= scale->positions; ++p)
            ASSERT_TRUE(ParseBoundedNumber(sliderText(*scale, p), low, high).ok)
                << c.label << " position " << p;
    }
    EXPECT_FALSE(sliderScale(11));
}

} // namespace
} // namespace titralab
