// The Qt-free halves of the graph window, the copy command and the pasted-point markers.
#include "SimulationFixtures.h"
#include "core/curves/CopyExport.h"
#include "core/curves/Curves.h"
#include "core/page/PointStyles.h"
#include "core/texts/Messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace fs = std::filesystem;

namespace {

struct PointCountCase {
    const char* label;
    const char* typed;
    int value;
    const char* shown;
    bool message;
};

TEST(ValidatePointCount, ClampsInto10To250TruncatesAndWritesBack) {
    const PointCountCase cases[] = {
        {"in range", "100", 100, "100", false},
        {"lowest", "10", 10, "10", false},
        {"highest", "250", 250, "250", false},
        {"above", "300", 250, "250", true},
        {"below", "7", 10, "10", true},
        {"just below", "9.99", 10, "10", true},
        {"decimal point truncated", "12.7", 12, "12", false},
        {"decimal comma truncated", "12,7", 12, "12", false},
        {"exponent", "1,5E2", 150, "150", false},
        {"not a number", "abc", 10, "10", true},
        {"empty", "", 10, "10", true},
        {"negative", "-40", 10, "10", true},
    };
    for (const PointCountCase& c : cases) {
        Simulation sim;
        sim.panel.pointCount = c.typed;
        RecordingNotifier notes;
        const PointCountCheck check = ValidatePointCount(sim, notes);
        EXPECT_EQ(check.value, c.value) << c.label;
        EXPECT_EQ(sim.panel.pointCount, c.shown) << c.label;
        EXPECT_EQ(sim.state.pointCount, c.value) << c.label;
        EXPECT_EQ(notes.messages, c.message ? std::vector<std::string>{texts::messageA()}
                                            : std::vector<std::string>{})
            << c.label;
    }
}

// The window's check runs before the set-up's own 5..200 check.
TEST(ValidatePointCount, ThenTheSetUpGivesTheNumberOfPoints) {
    struct Case {
        const char* typed;
        std::vector<std::string> messages;
        std::size_t points;
    } cases[] = {{"300", {texts::messageA(), texts::messageD()}, 200},
                 {"7", {texts::messageA()}, 10},
                 {"50", {}, 50}};
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
        sim.panel.pointCount = c.typed;
        RecordingNotifier notes;
        ValidatePointCount(sim, notes);
        RefreshSimulation(sim, notes);
        EXPECT_EQ(notes.messages, c.messages) << c.typed;
        EXPECT_EQ(sim.curves[1].size(), c.points) << c.typed;
    }
    // Without the window's check (the show command) the set-up alone reads 7 as 7 points.
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    sim.panel.pointCount = "7";
    refresh(sim);
    EXPECT_EQ(sim.curves[1].size(), 7u);
}

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CopyCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("titralab-copy-" + std::to_string(getpid()));
        fs::remove_all(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

TEST_F(CopyCommand, RegeneratesWithTheSamplingThenWritesBothFiles) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    sim.copySampling = CopySampling::ByVolume;
    sim.exportText.clear();
    RecordingNotifier notes;
    const CopyOutcome copy = CopySimulation(sim, notes, folder.string());
    ASSERT_TRUE(copy.ok);
    EXPECT_TRUE(notes.errors.empty());
    EXPECT_FALSE(copy.clipboardText.empty());
    EXPECT_EQ(copy.clipboardText, sim.exportText);
    EXPECT_EQ(contentOf(folder / "NumVg1.Txt"), copy.clipboardText + "\r\n");
    EXPECT_EQ(contentOf(folder / "NumVg1.Xls"), copy.clipboardText + "\r\n");
    // By volume: the second data row is one step of VolumeSpan / (N - 1) from zero.
    const auto rows = titralab::testing::tableOf(copy.clipboardText);
    ASSERT_EQ(rows.size(), 102u);
    EXPECT_EQ(rows[3][0], FormatValue(sim.state.volumeSpan / 99, true));
    EXPECT_EQ(sim.exportCounter, 1);
}

TEST_F(CopyCommand, AFailedWriteIsAnErrorAndGivesNothingToTheClipboard) {
    fs::create_directories(folder);
    std::ofstream(folder / "Valeurs") << "a file where the folder should be";
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    RecordingNotifier notes;
    const CopyOutcome copy = CopySimulation(sim, notes, (folder / "Valeurs").string());
    EXPECT_FALSE(copy.ok);
    EXPECT_TRUE(copy.clipboardText.empty());
    ASSERT_EQ(notes.errors.size(), 1u);
    EXPECT_EQ(notes.errors[0], copy.files.error);
    EXPECT_FALSE(notes.errors[0].empty());
    EXPECT_EQ(sim.exportCounter, 0);
}

TEST(PointStyles, CaptionsAndScreenMarkers) {
    struct Case {
        PointStyle style;
        const char* caption;
        ScreenMarker marker;
    } cases[] = {
        {PointStyle::ConnectedPoints, "Points reliés", {MarkerShape::Circle, 2}},
        {PointStyle::Cross, "Croix", {MarkerShape::Cross, 4}},
        {PointStyle::DiagonalCross, "Croix en diagonale", {MarkerShape::DiagonalCross, 4}},
        {PointStyle::Diamond, "Diamant", {MarkerShape::Star, 4}},
        {PointStyle::Square, "Carré", {MarkerShape::Square, 4}},
        {PointStyle::Dot, "Point", {MarkerShape::Circle, 2}},
        {PointStyle::Circle, "Cercle", {MarkerShape::Circle, 4}},
        {PointStyle::Triangle, "Triangle", {MarkerShape::Triangle, 4}},
    };
    for (const Case& c : cases) {
        const int index = static_cast<int>(c.style);
        EXPECT_STREQ(pointStyleCaptions()[index], c.caption);
        EXPECT_EQ(pointStyleAt(index), c.style) << c.caption;
        EXPECT_EQ(screenMarkerFor(c.style), c.marker) << c.caption;
    }
    EXPECT_EQ(pointStyleAt(-1), PointStyle::Cross);
    EXPECT_EQ(pointStyleAt(8), PointStyle::Cross);
    // The program starts with crosses, as the chooser starts on "Croix".
    EXPECT_EQ(Simulation{}.currentPointStyle, PointStyle::Cross);
}

} // namespace
