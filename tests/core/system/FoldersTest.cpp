#include "core/system/Folders.h"
#include "core/system/Placement.h"

#include <gtest/gtest.h>

#include <set>

using namespace titralab::system;

namespace {

TEST(Paths, FollowTheExecutableAndTheDocumentsFolder) {
    const Paths p = computePaths("/opt/tl/bin/titralab", "/home/ana/Documents/");
    EXPECT_EQ(p.programName, "titralab");
    EXPECT_EQ(p.programFolder, "/opt/tl/bin");
    EXPECT_EQ(p.dataFolder, "/opt/tl/share/titralab");
    EXPECT_EQ(p.picturesFolder, "/opt/tl/share/titralab/Images");
    EXPECT_EQ(p.backgroundCandidates[0], "/opt/tl/share/titralab/Images/Fond.jpg");
    EXPECT_EQ(p.backgroundCandidates[1], "/opt/tl/share/titralab/Images/BackGrnd.jpg");
    EXPECT_EQ(p.backgroundCandidates[2], "/opt/tl/share/titralab/Images/Fond.bmp");
    EXPECT_EQ(p.backgroundCandidates[3], "/opt/tl/share/titralab/Images/BackGrnd.bmp");
    EXPECT_EQ(p.valuesFolder, "/home/ana/Documents/TitraLab/Valeurs");
    EXPECT_EQ(p.textsFolder, "/opt/tl/share/titralab/Textes");
    EXPECT_EQ(p.helpFolder, "/opt/tl/share/titralab/Aides");
    EXPECT_EQ(p.navigator, "/opt/tl/bin/guidex");
}

TEST(Paths, EachLanguageHasItsHelpAndSheetsFolder) {
    const Paths p = computePaths("/opt/tl/bin/titralab", "/home/ana/Documents");
    struct Case {
        titralab::Language language;
        const char* help;
        const char* texts;
        const char* examples;
    } cases[] = {
        {titralab::Language::French, "/opt/tl/share/titralab/Aides",
         "/opt/tl/share/titralab/Textes", "/opt/tl/share/titralab/Etudes"},
        {titralab::Language::English, "/opt/tl/share/titralab/Aides/en",
         "/opt/tl/share/titralab/Textes/en", "/opt/tl/share/titralab/Etudes/en"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(helpFolder(p, c.language), c.help) << c.help;
        EXPECT_EQ(textsFolder(p, c.language), c.texts) << c.texts;
        EXPECT_EQ(examplesFolder(p, c.language), c.examples) << c.examples;
    }
}

TEST(Paths, ProgramNameDropsAnExtension) {
    EXPECT_EQ(computePaths("/x/bin/Titrex7.exe", "/d").programName, "Titrex7");
    EXPECT_EQ(computePaths("/x/bin/Titrex7.exe", "/d").dataFolder, "/x/share/Titrex7");
}

TEST(Background, TheFirstExistingCandidateWins) {
    const Paths p = computePaths("/a/bin/titralab", "/d");
    const auto& c = p.backgroundCandidates;
    struct Case {
        const char* label;
        std::set<std::string> present;
        std::optional<std::string> expected;
    } cases[] = {
        {"both jpg", {c[0], c[1]}, c[0]},     {"Fond.bmp and BackGrnd.jpg", {c[2], c[1]}, c[1]},
        {"bitmaps only", {c[3], c[2]}, c[2]}, {"BackGrnd.bmp only", {c[3]}, c[3]},
        {"none", {}, std::nullopt},
    };
    for (const Case& k : cases) {
        const auto found =
            firstExisting(c, [&](const std::string& f) { return k.present.count(f) > 0; });
        EXPECT_EQ(found, k.expected) << k.label;
    }
}

TEST(Placement, StoredValuesDefaultsAndTheOffScreenCheck) {
    const std::vector<Rect> screen{{0, 0, 1280, 1024}};
    const std::vector<Rect> twoScreens{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
    struct Case {
        const char* label;
        StoredPlacement stored;
        std::vector<Rect> screens;
        Rect expected;
    } cases[] = {
        {"first run", {}, screen, {196, 107, 595, 479}},
        {"all stored", {10, 20, 700, 500}, screen, {20, 10, 700, 500}},
        {"only the top", {300, {}, {}, {}}, screen, {196, 300, 595, 479}},
        {"absurd width", {10, 20, -5, 500}, screen, {20, 10, 595, 500}},
        {"huge height", {10, 20, 700, 1000000}, screen, {20, 10, 700, 479}},
        {"right of every screen", {10, 5000, 700, 500}, screen, kDefaultPlacement},
        {"above the screen", {-600, 20, 700, 500}, screen, kDefaultPlacement},
        {"a corner still shows", {-452, -652, 700, 500}, screen, {-652, -452, 700, 500}},
        {"too little shows", {-460, 20, 700, 500}, screen, kDefaultPlacement},
        {"on the second screen", {10, 2000, 700, 500}, twoScreens, {2000, 10, 700, 500}},
        {"extreme values", {INT32_MAX, INT32_MIN, 700, 500}, screen, kDefaultPlacement},
        {"no screen known", {10, 5000, 700, 500}, {}, {5000, 10, 700, 500}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(restorePlacement(c.stored, c.screens), c.expected) << c.label;
}

TEST(Placement, MaximizedExitKeepsTheBounds) {
    const Rect r{1, 2, 300, 400};
    EXPECT_EQ(placementAtExit(WindowState::Normal, r).bounds, r);
    EXPECT_EQ(placementAtExit(WindowState::Minimized, r).bounds, r);
    const PlacementAtExit max = placementAtExit(WindowState::Maximized, r);
    EXPECT_EQ(max.state, WindowState::Maximized);
    EXPECT_FALSE(max.bounds.has_value());
}

TEST(Help, ContextNumbersAndTopicsHavePages) {
    struct Case {
        int context;
        const char* page;
    } cases[] = {{0, "index.html"},        {2, "contexte-2.html"},   {9, "contexte-9.html"},
                 {11, "contexte-11.html"}, {13, "contexte-13.html"}, {17, "contexte-17.html"},
                 {14, "contexte-14.html"}, {-1, "index.html"}};
    for (const Case& c : cases) EXPECT_EQ(help::pageForContext(c.context), c.page) << c.context;
    EXPECT_EQ(help::pageForTopic("Propositions"), "Propositions.html");
    EXPECT_EQ(help::pageForTopic("Precision"), "Precision.html");
    EXPECT_EQ(help::pageForTopic("../../etc/passwd"), "index.html");
}

} // namespace
