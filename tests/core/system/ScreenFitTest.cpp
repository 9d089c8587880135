// Windows fit the usable screen area at any scaling.
#include "core/system/ScreenFit.h"

#include <gtest/gtest.h>

using namespace titralab::system;

namespace {

TEST(ScreenFit, ShrinksThenMovesIntoTheArea) {
    // A 1280 x 800 screen at 200 %: 640 x 400 pixels, a 24-pixel panel on top.
    const Rect area{0, 24, 640, 376};
    struct Case {
        const char* label;
        Rect window;
        Rect fitted;
    } cases[] = {
        {"the default placement", kDefaultPlacement, {45, 24, 595, 376}},
        {"already inside", {10, 40, 300, 200}, {10, 40, 300, 200}},
        {"off the right", {500, 100, 300, 200}, {340, 100, 300, 200}},
        {"off the top left", {-50, 0, 300, 200}, {0, 24, 300, 200}},
        {"wider and taller", {0, 0, 1280, 1024}, {0, 24, 640, 376}},
        {"far away", {5000, 5000, 300, 200}, {340, 200, 300, 200}},
    };
    for (const Case& c : cases) EXPECT_EQ(fitOnScreen(c.window, area), c.fitted) << c.label;
}

TEST(ScreenFit, AMaximisedWindowKeepsItsFrameInsideTheArea) {
    const Rect area{0, 32, 1920, 1048};
    struct Case {
        const char* label;
        FrameMargins frame;
        Rect client;
    } cases[] = {
        {"no frame", {0, 0, 0, 0}, {0, 32, 1920, 1048}},
        {"a title bar and borders", {1, 30, 1, 1}, {1, 62, 1918, 1017}},
        {"absurd margins", {-5, 5000, 0, 0}, {0, 1080, 1920, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(clientInside(area, c.frame), c.client) << c.label;
}

} // namespace
