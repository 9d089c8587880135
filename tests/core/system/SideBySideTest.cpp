// The graph window beside the main window.
#include "core/system/SideBySide.h"

#include <gtest/gtest.h>

namespace titralab::system {
namespace {

TEST(SideBySide, TheTwoWindowsShareTheScreen) {
    struct Case {
        const char* label;
        Rect screen, main;
        int graphMinimum;
        Rect expectedMain, expectedGraph;
        int mainMinimum = 0;
    } cases[] = {
        {"room on the right",
         {0, 0, 1920, 1080},
         {100, 100, 600, 500},
         0,
         {100, 100, 600, 500},
         {700, 0, 1220, 1080}},
        {"main window too far right",
         {0, 0, 1920, 1080},
         {1200, 100, 600, 500},
         0,
         {0, 100, 600, 500},
         {600, 0, 1320, 1080}},
        {"main window wider than half",
         {0, 0, 1000, 800},
         {50, 20, 700, 500},
         0,
         {0, 20, 500, 500},
         {500, 0, 500, 800}},
        {"second screen",
         {1920, 0, 1280, 1024},
         {2000, 40, 595, 479},
         0,
         {1920, 40, 595, 479},
         {2515, 0, 685, 1024}},
        {"graph window wider than the room",
         {0, 0, 1600, 1000},
         {196, 107, 595, 479},
         950,
         {0, 107, 595, 479},
         {595, 0, 1005, 1000}},
        {"screen too narrow for both",
         {0, 0, 1366, 768},
         {196, 107, 595, 479},
         950,
         {0, 107, 416, 479},
         {416, 0, 950, 768}},
        {"screen too narrow for both, the main window at its least width",
         {0, 0, 1366, 768},
         {196, 107, 595, 479},
         950,
         {0, 107, 560, 479},
         {560, 0, 806, 768},
         560},
        {"200 % on 1920 x 1080: the graph window keeps off the main window",
         {0, 0, 960, 508},
         {183, 0, 593, 508},
         700,
         {0, 0, 593, 508},
         {593, 0, 367, 508},
         593},
    };
    for (const Case& c : cases) {
        const SideBySide got = besideMainWindow(c.screen, c.main, c.graphMinimum, c.mainMinimum);
        EXPECT_EQ(got.main, c.expectedMain) << c.label;
        EXPECT_EQ(got.graph, c.expectedGraph) << c.label;
    }
}

} // namespace
} // namespace titralab::system
