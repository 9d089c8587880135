// The Qt-free halves of the graph window, the copy command and the pasted-point markers.
#include "SimulationFixtures.h"
#include "core/page/PointStyles.h"
#include "core/session/CopyExport.h"
#include "core/session/Refresh.h"
#include "core/texts/CopyTexts.h"
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

TEST(ValidatePointCount, ClampsInto5To200TruncatesAndWritesBackWithOneClearMessage) {
    const PointCountCase cases[] = {
        {"in range", "100", 100, "100", false},
        {"lowest", "5", 5, "5", false},
        {"highest", "200", 200, "200", false},
        {"above", "300", 200, "200", true},
        {"a thousand", "1000", 200, "200", true},
        {"below", "4", 5, "5", true},
        {"just below", "4.99", 5, "5", true},
        {"decimal point truncated", "12.7", 12, "12", false},
        {"decimal comma truncated", "12,7", 12, "12", false},
        {"exponent", "1,5E2", 150, "150", false},
        {"not a number", "abc", 5, "5", true},
        {"empty", "", 5, "5", true},
        {"negative", "-40", 5, "5", true},
    };
    for (const PointCountCase& c : cases) {
        Simulation sim;
        sim.panel.pointCount = c.typed;
        RecordingNotifier notes;
        const PointCountCheck check = ValidatePointCount(sim, notes);
        EXPECT_EQ(check.value, c.value) << c.label;
        EXPECT_EQ(sim.panel.pointCount, c.shown) << c.label;
        EXPECT_EQ(sim.state.pointCount, c.value) << c.label;
        EXPECT_EQ(notes.messages,
                  c.message ? std::vector<std::string>{texts::pointCountMessage(Language::French)}
                            : std::vector<std::string>{})
            << c.label;
    }
}

// The window's check and the set-up's agree: a value the check let through or wrote back is
// never refused again.
TEST(ValidatePointCount, ThenTheSetUpGivesTheNumberOfPoints) {
    struct Case {
        const char* typed;
        std::vector<std::string> messages;
        std::size_t points;
    } cases[] = {{"300", {texts::pointCountMessage(Language::French)}, 200},
                 {"250", {texts::pointCountMessage(Language::French)}, 200},
                 {"7", {}, 7},
                 {"50", {}, 50}};
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
        sim.panel.pointCount = c.typed;
        RecordingNotifier notes;
        ValidatePointCount(sim, notes);
        RefreshSimulation(sim, notes);
        RefreshSimulation(sim, notes); // a later click
        EXPECT_EQ(notes.messages, c.messages) << c.typed;
        EXPECT_EQ(sim.results.curves[1].size(), c.points) << c.typed;
    }
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
    sim.exportSettings.copySampling = CopySampling::ByVolume;
    sim.results.exportText.clear();
    RecordingNotifier notes;
    const CopyOutcome copy = CopySimulation(sim, notes, folder.string());
    ASSERT_TRUE(copy.ok);
    EXPECT_TRUE(notes.errors.empty());
    EXPECT_FALSE(copy.clipboardText.empty());
    EXPECT_EQ(copy.clipboardText, sim.results.exportText);
    EXPECT_EQ(contentOf(folder / "NumVg1.Txt"), copy.clipboardText + "\r\n");
    EXPECT_EQ(contentOf(folder / "NumVg1.Xls"), copy.clipboardText + "\r\n");
    // By volume: the second data row is one step of VolumeSpan / (N - 1) from zero.
    const auto rows = titralab::testing::tableOf(copy.clipboardText);
    ASSERT_EQ(rows.size(), 102u);
    EXPECT_EQ(rows[3][0], FormatValue(sim.state.volumeSpan / 99, true));
    EXPECT_EQ(sim.exportSettings.counter, 1);
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
    // In French, naming the folder, then the system's own reason.
    EXPECT_FALSE(copy.files.error.empty());
    EXPECT_EQ(notes.errors[0], "La copie a échoué : les fichiers n'ont pas pu être écrits dans "
                               "le dossier " +
                                   (folder / "Valeurs").string() +
                                   "\rRaison donnée par le système : " + copy.files.error);
    EXPECT_EQ(sim.exportSettings.counter, 0);
}

TEST_F(CopyCommand, BeforeAnyStudyIsRefusedWithAMessageAndWritesNothing) {
    Simulation sim; // the program as it starts: no side, no study chosen
    RecordingNotifier notes;
    const CopyOutcome copy = CopySimulation(sim, notes, folder.string());
    EXPECT_FALSE(copy.ok);
    EXPECT_TRUE(copy.clipboardText.empty());
    EXPECT_EQ(notes.messages, std::vector<std::string>{texts::copyNeedsStudy(Language::French)});
    EXPECT_TRUE(notes.errors.empty());
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(sim.exportSettings.counter, 0);
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
        EXPECT_STREQ(pointStyleCaptions(Language::French)[index], c.caption);
        EXPECT_EQ(pointStyleAt(index), c.style) << c.caption;
        EXPECT_EQ(screenMarkerFor(c.style), c.marker) << c.caption;
    }
    EXPECT_EQ(pointStyleAt(-1), PointStyle::Cross);
    EXPECT_EQ(pointStyleAt(8), PointStyle::Cross);
    // The program starts with crosses, as the chooser starts on "Croix".
    EXPECT_EQ(Simulation{}.pasted.pointStyle, PointStyle::Cross);
}

} // namespace
