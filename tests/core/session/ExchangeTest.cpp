#include "SimulationFixtures.h"
#include "core/session/CopyExport.h"
#include "core/session/PastedPoints.h"
#include "core/session/Readout.h"
#include "core/session/Refresh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace fs = std::filesystem;

namespace {

struct PairCase {
    std::string line;
    bool ok;
    double a, b;
};

TEST(ParsePairLine, AcceptsTwoNumbersSeparatedByBlanks) {
    const PairCase cases[] = {
        {"0,012 3,5", true, 0.012, 3.5},
        {"0.012\t3.5", true, 0.012, 3.5},
        {"  10\t\t 4.75  \r", true, 10, 4.75},
        {"12;3.4", false, 0, 0},
        {"v\tpH", false, 0, 0},
        {"12", false, 0, 0},
        {"", false, 0, 0},
        {"1 2", true, 1, 2},
        {"1 1001", false, 0, 0},
        {"-1 5", false, 0, 0},
        {"1 2 3", true, 1, 2},
        {"1,000.5 2", false, 0, 0},
        {"1e-2 7", true, 0.01, 7},
        {std::string(1, '\0') + "5 6", true, 5, 6},
        {std::string("5") + '\0' + "6", true, 5, 6},
    };
    for (const PairCase& c : cases) {
        const auto pair = ParsePairLine(c.line);
        EXPECT_EQ(pair.has_value(), c.ok) << '"' << c.line << '"';
        if (pair && c.ok) {
            EXPECT_DOUBLE_EQ(pair->first, c.a) << c.line;
            EXPECT_DOUBLE_EQ(pair->second, c.b) << c.line;
        }
    }
}

// The length limit counts the line without its surrounding blanks and control characters.
TEST(ParsePairLine, LengthLimitAppliesAfterTrimming) {
    const PairCase cases[] = {
        {std::string(190, ' ') + "1 2", true, 1, 2},
        {std::string(197, ' ') + "1 2", true, 1, 2},
        {std::string(5000, ' ') + "1 2" + std::string(5000, '\t') + "\r", true, 1, 2},
        {"1 " + std::string(197, '0') + "2", true, 1, 2},  // 200 characters
        {"1 " + std::string(198, '0') + "2", false, 0, 0}, // 201 characters
        {"  1 " + std::string(198, '0') + "2  ", false, 0, 0},
    };
    for (const PairCase& c : cases) {
        const auto pair = ParsePairLine(c.line);
        EXPECT_EQ(pair.has_value(), c.ok) << c.line.size() << " characters";
        if (pair && c.ok) {
            EXPECT_DOUBLE_EQ(pair->first, c.a);
            EXPECT_DOUBLE_EQ(pair->second, c.b);
        }
    }
}

// The paste keeps what the program accepts from the clipboard, whoever pastes.
TEST(PastePairs, KeepsAtMostTheAcceptedText) {
    Simulation sim;
    const std::string beyond = "0.010 4.7\n" + std::string(kMaxPastedTextBytes, ' ') + "\n0.02 5\n";
    PastePairs(sim, true, beyond);
    std::size_t kept = 0;
    for (const std::string& line : sim.pasted.lines) kept += line.size();
    EXPECT_LE(kept, kMaxPastedTextBytes);
    EXPECT_EQ(ReadPastedPoints(sim.pasted.lines, true).size(), 1u);
}

std::string spreadsheet(int header, int rows, const std::string& after = "") {
    std::string text;
    for (int k = 0; k < header; ++k) text += "Volume\tpH\r\n";
    for (int k = 0; k < rows; ++k)
        text += std::to_string(0.001 * (k + 1)) + "\t" + std::to_string(3 + 0.1 * k) + "\r\n";
    return text + after;
}

TEST(ReadPastedPoints, SkipsHeadersAtTheTopAndStopsAfterLine20) {
    EXPECT_EQ(ReadPastedPoints(SplitLines(spreadsheet(1, 15)), true).size(), 15u);
    // After 25 good lines, a blank line 26 ends the reading.
    EXPECT_EQ(ReadPastedPoints(SplitLines(spreadsheet(0, 25, "\r\n1 2\r\n")), true).size(), 25u);
    // A blank line among the first 20 is skipped.
    EXPECT_EQ(ReadPastedPoints(SplitLines("1 2\n\n3 4\n"), true).size(), 2u);
    // The table holds 200 pairs.
    EXPECT_EQ(ReadPastedPoints(SplitLines(spreadsheet(0, 250)), true).size(), 200u);
    const auto swapped = ReadPastedPoints({"7.5 0.01"}, false);
    ASSERT_EQ(swapped.size(), 1u);
    EXPECT_DOUBLE_EQ(swapped[0].volume, 0.01);
    EXPECT_DOUBLE_EQ(swapped[0].pH, 7.5);
}

TEST(PastedPoints, AreDrawnOverTheTitrationAndCheckedAgainstTheChart) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17); // up to 40 mL
    sim.graph.checked[8] = true;                                  // "Points ajoutés"
    PastePairs(sim, true, "v\tpH\n0.010\t4.7\n0.0402\t12\n");
    RecordingNotifier notes;
    RefreshSimulation(sim, notes);
    EXPECT_TRUE(notes.messages.empty());
    ASSERT_EQ(sim.results.curves[7].size(), 2u);
    EXPECT_DOUBLE_EQ(sim.results.curves[7][0].x, 10); // litres drawn in millilitres
    EXPECT_DOUBLE_EQ(sim.results.curves[7][0].y, 4.7);

    PastePairs(sim, true, "0.010\t4.7\n0.02\t14.2\n50\t12\n");
    RecordingNotifier outside;
    RefreshSimulation(sim, outside);
    EXPECT_EQ(outside.messages,
              std::vector<std::string>{"Certains points collés sont hors du graphique"});
    EXPECT_EQ(sim.results.curves[7].size(), 1u);
    EXPECT_EQ(sim.pasted.points.size(), 3u);

    sim.graph.checked[8] = false;
    refresh(sim);
    EXPECT_TRUE(sim.results.curves[7].empty());
}

// Measured data is written in millilitres, the state's volumes are litres: each paste is read
// in millilitres when its largest volume exceeds 1, else in litres, whatever the chart.
TEST(PastedPoints, VolumesAreReadInTheUnitOfThePoints) {
    struct Case {
        const char* label;
        std::string text;
        bool millilitres;
        std::size_t drawn;
        double firstX; // mL, as drawn
        bool outside;
    } cases[] = {
        {"litres", "0.010\t4.7\n0.02\t8\n", false, 2, 10, false},
        {"millilitres", "Volume (mL)\tpH\n10\t4.7\n20\t8.7\n40\t12.2\n", true, 3, 10, false},
        {"both fit: litres", "0\t2.9\n0.01\t4.7\n", false, 2, 0, false},
        {"volumes above 1: millilitres, whatever the chart", "10\t4.7\n100\t12\n", true, 1, 10,
         true},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17); // up to 40 mL
        sim.graph.checked[8] = true;
        PastePairs(sim, true, c.text);
        RecordingNotifier notes;
        RefreshSimulation(sim, notes);
        EXPECT_EQ(sim.pasted.inMillilitres, c.millilitres) << c.label;
        EXPECT_EQ(notes.messages.size(), c.outside ? 1u : 0u) << c.label;
        ASSERT_EQ(sim.results.curves[7].size(), c.drawn) << c.label;
        if (c.drawn) EXPECT_DOUBLE_EQ(sim.results.curves[7][0].x, c.firstX) << c.label;
    }
}

// A real titration of 20 mL of ethanoic acid at 0.1 mol/L by soda at 0.1 mol/L, measured
// from 0 to 30 mL and pasted from a spreadsheet: every pair is drawn where it was measured.
TEST(PastedPoints, RealTitrationInMillilitresIsDrawnWhole) {
    const double pairs[][2] = {{0, 2.9},   {2, 3.8},    {4, 4.1},   {6, 4.4},     {8, 4.6},
                               {10, 4.8},  {12, 4.9},   {14, 5.1},  {16, 5.4},    {18, 5.8},
                               {19, 6.1},  {19.5, 6.5}, {20, 8.7},  {20.5, 10.9}, {21, 11.3},
                               {22, 11.6}, {24, 11.9},  {26, 12.1}, {28, 12.2},   {30, 12.3}};
    std::string text = "V (mL)\tpH\r\n";
    for (const auto& p : pairs)
        text += FormatValue(p[0], true, 5) + '\t' + FormatValue(p[1], true, 5) + "\r\n";
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    sim.graph.checked[8] = true;
    PastePairs(sim, true, text);
    RecordingNotifier notes;
    RefreshSimulation(sim, notes);
    EXPECT_TRUE(notes.messages.empty());
    EXPECT_TRUE(sim.pasted.inMillilitres);
    ASSERT_EQ(sim.results.curves[7].size(), std::size(pairs));
    for (std::size_t k = 0; k < std::size(pairs); ++k) {
        EXPECT_NEAR(sim.results.curves[7][k].x, pairs[k][0], 1e-9) << k;
        EXPECT_DOUBLE_EQ(sim.results.curves[7][k].y, pairs[k][1]) << k;
    }
}

// A very fine chart (20 000 pixels a unit across, 10 000 a unit up, y growing downwards), so
// that pixel rounding stays below the 4 digits of the readout.
class LinearAxes : public AxisMapping {
  public:
    int xToPixel(double x) const override { return static_cast<int>(std::lround(20000 * x)); }
    int yToPixel(double y) const override {
        return static_cast<int>(std::lround(140000 - y * 10000));
    }
};

TEST(CursorReadout, PanelTextsByStudy) {
    LinearAxes axes;
    Simulation titration = simulationFor(Study::TitrationVsVolume, 17);
    refresh(titration);
    const int y5 = axes.yToPixel(5);
    ReadoutPanels p = ShowCursorReadout(titration, axes, axes.xToPixel(10), y5);
    EXPECT_EQ(p[0].rfind("Volume versé : ", 0), 0u) << p[0];
    EXPECT_NEAR(std::stod(p[0].substr(15)), 10, 0.05);
    EXPECT_EQ(p[1].rfind("pH : ", 0), 0u);
    EXPECT_EQ(p[2].rfind("Concentration en mol / L : ", 0), 0u);
    // The numbers take the chosen separator, as every other number of the window.
    EXPECT_EQ(readoutAtValues(titration, 10.02, 5)[0], "Volume versé : 10,02");
    EXPECT_EQ(readoutAtValues(titration, 10, 5)[2], "Concentration en mol / L : 0,05");
    titration.exportSettings.decimalComma = false;
    EXPECT_EQ(readoutAtValues(titration, 10.02, 5)[0], "Volume versé : 10.02");
    EXPECT_EQ(readoutAtValues(titration, 10, 5)[2], "Concentration en mol / L : 0.05");
    EXPECT_EQ(p[3], ""); // no conductivity drawn

    Simulation strong = simulationFor(Study::TitrationVsVolume, 1); // no conductivity
    refresh(strong);
    EXPECT_EQ(ShowCursorReadout(strong, axes, 100000, 20000)[3], "");

    Simulation dilution = simulationFor(Study::Dilution, 17);
    refresh(dilution);
    p = ShowCursorReadout(dilution, axes, axes.xToPixel(2), y5);
    EXPECT_NEAR(std::stod(p[0].substr(23)), 2, 1e-3) << p[0];
    EXPECT_EQ(p[1].rfind("pH : ", 0), 0u);
    EXPECT_EQ(p[2], "");
    EXPECT_EQ(p[3], "");

    Simulation species = simulationFor(Study::SpeciesVsPH, 17);
    refresh(species);
    p = ShowCursorReadout(species, axes, axes.xToPixel(7), y5);
    EXPECT_NEAR(std::stod(p[0].substr(5)), 7, 1e-3) << p[0];
    EXPECT_EQ(p[1], "");
    EXPECT_EQ(p[2].rfind("Concentration en mol / L : ", 0), 0u);

    Simulation mixture = simulationFor(Study::TwoPolyMixture, 30);
    refresh(mixture);
    EXPECT_EQ(ShowCursorReadout(mixture, axes, 100, 100), ReadoutPanels{});

    Simulation empty;
    EXPECT_EQ(ShowCursorReadout(empty, axes, 100, 100), ReadoutPanels{});
}

TEST(CopyChoices, DependOnTheStudy) {
    EXPECT_EQ(copyChoicesFor(Study::TitrationVsVolume, Language::French).items,
              (std::vector<std::string>{"pH", "v, volume de monobase forte versé"}));
    EXPECT_EQ(
        copyChoicesFor(Study::TitrationVsVolume, Language::French, BuretteSide::BaseSide).items,
        (std::vector<std::string>{"pH", "v, volume de monoacide fort versé"}));
    EXPECT_EQ(copyChoicesFor(Study::TwoMonoTitration, Language::French).caption,
              "&Variation régulière des... ");
    EXPECT_EQ(copyChoicesFor(Study::SpeciesVsPH, Language::French).caption,
              "&Variation régulière du... ");
    EXPECT_EQ(copyChoicesFor(Study::Dilution, Language::French).items,
              std::vector<std::string>{"pH"});
    EXPECT_FALSE(copyChoicesFor(Study::TwoPolyMixture, Language::French).visible);
}

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ExportFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("titralab-export-" + std::to_string(getpid()));
        fs::remove_all(folder);
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }
    fs::path folder;
};

TEST_F(ExportFiles, NumberedFilesAreByteIdenticalAndNamedAfterTheSeparator) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    const fs::path values = folder / "deep" / "Valeurs";
    ExportResult first = ExportSimulation(sim, values.string());
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(contentOf(values / "NumVg1.Txt"), sim.results.exportText + "\r\n");
    EXPECT_EQ(contentOf(values / "NumVg1.Xls"), contentOf(values / "NumVg1.Txt"));
    sim.exportSettings.decimalComma = false;
    refresh(sim);
    ASSERT_TRUE(ExportSimulation(sim, values.string()).ok);
    EXPECT_TRUE(fs::exists(values / "NumPt2.Txt"));
    EXPECT_TRUE(fs::exists(values / "NumPt2.Xls"));
    EXPECT_EQ(sim.exportSettings.counter, 2);
    for (const auto& entry : fs::directory_iterator(values))
        EXPECT_NE(entry.path().extension(), ".part");
}

// The status line says where the copy went: every file written, named, and the folder.
TEST_F(ExportFiles, TheCopySaysWhereItsFilesWent) {
    for (const Language language : {Language::French, Language::English}) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
        setLanguage(sim, language);
        RecordingNotifier quiet;
        const CopyOutcome copy = CopySimulation(sim, quiet, folder.string());
        ASSERT_TRUE(copy.ok);
        // The folder first, where a narrow window does not cut it.
        const std::string start = (language == Language::French ? "Copié dans " : "Copied into ") +
                                  folder.string() + (language == Language::French ? " : " : ": ");
        const std::string end =
            language == Language::French ? " et le presse-papiers" : " and the clipboard";
        EXPECT_EQ(copy.status.rfind(start, 0), 0u) << copy.status;
        ASSERT_GE(copy.status.size(), end.size());
        EXPECT_EQ(copy.status.substr(copy.status.size() - end.size()), end) << copy.status;
        int named = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (copy.files.txtPath.find(name) == std::string::npos &&
                copy.files.xlsPath.find(name) == std::string::npos &&
                copy.files.xlsxPath.find(name) == std::string::npos)
                continue; // an earlier language's copy
            EXPECT_NE(copy.status.find(name), std::string::npos) << name << ": " << copy.status;
            ++named;
        }
        EXPECT_EQ(named, 3) << copy.status;
    }
}

// The beaker's own pH is reached before any titrant: that row's volume is 0, not a rounding
// residue, in the table and in the workbook that shows its numbers.
TEST(TitrationTable, StartsAtNoVolumeAtAll) {
    const struct {
        const char* label;
        Study study;
        BuretteSide side;
        int entry;
    } cases[] = {
        {"ethanoic acid", Study::TitrationVsVolume, BuretteSide::AcidSide, 17},
        {"phosphoric acid", Study::TitrationVsVolume, BuretteSide::AcidSide, 30},
        {"ammonia", Study::TitrationVsVolume, BuretteSide::BaseSide, 7},
        {"two monoacids", Study::TwoMonoTitration, BuretteSide::AcidSide, 17},
    };
    for (const auto& c : cases) {
        Simulation sim = simulationFor(c.study, c.entry, c.side, 4);
        refresh(sim);
        const std::vector<double>& volumes = sim.results.exportTable.columns.at(0).values;
        ASSERT_FALSE(volumes.empty()) << c.label;
        EXPECT_EQ(*std::min_element(volumes.begin(), volumes.end()), 0.0) << c.label;
    }
}

TEST_F(ExportFiles, AFailedWriteReportsAndChangesNothing) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    // A folder that cannot be created: its parent is a regular file.
    fs::create_directories(folder);
    std::ofstream(folder / "file") << "x";
    ExportResult r = ExportSimulation(sim, (folder / "file" / "Valeurs").string());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(sim.exportSettings.counter, 0);
}

// A new session starts its count at 0: its copies go on after the highest number already in
// the folder, never over an earlier session's files.
TEST_F(ExportFiles, ANewSessionGoesOnAfterTheCopiesInTheFolder) {
    struct Case {
        const char* label;
        std::vector<const char*> present; // ordinary files; a name ending in '/' is a folder
        int counter;                      // the session's own count
        bool comma;
        const char* expected;
    } cases[] = {
        {"an empty folder", {}, 0, true, "NumVg1"},
        {"an earlier session's first copy",
         {"NumVg1.Txt", "NumVg1.Xls", "NumVg1.xlsx"},
         0,
         true,
         "NumVg2"},
        {"only a workbook left", {"NumVg3.xlsx"}, 0, true, "NumVg4"},
        {"numbers compared as numbers", {"NumVg9.Txt", "NumVg10.Xls"}, 0, true, "NumVg11"},
        {"names in capitals", {"NumVg12.TXT"}, 0, true, "NumVg13"},
        {"the session further on", {"NumVg2.Txt"}, 5, true, "NumVg6"},
        {"the other separator's files", {"NumPt4.Txt"}, 0, true, "NumVg1"},
        {"points", {"NumPt4.Txt", "NumVg8.Txt"}, 0, false, "NumPt5"},
        {"other names",
         {"NumVg.Txt", "NumVgx.Txt", "NumVg7.Txt.bak", "NumVg7.csv"},
         0,
         true,
         "NumVg1"},
        {"a folder holds no copy", {"NumVg5.Txt/"}, 0, true, "NumVg1"},
    };
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    for (const Case& c : cases) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* name : c.present) {
            const std::string n(name);
            if (n.back() == '/')
                fs::create_directory(folder / n.substr(0, n.size() - 1));
            else
                std::ofstream(folder / n) << "earlier " << n;
        }
        sim.exportSettings.counter = c.counter;
        sim.exportSettings.decimalComma = c.comma;
        const ExportResult r = ExportSimulation(sim, folder.string());
        ASSERT_TRUE(r.ok) << c.label << ": " << r.error;
        EXPECT_EQ(r.txtPath, (folder / (std::string(c.expected) + ".Txt")).string()) << c.label;
        EXPECT_EQ(contentOf(folder / (std::string(c.expected) + ".Xls")), sim.results.exportText + "\r\n")
            << c.label;
        for (const char* name : c.present) {
            if (std::string(name).back() != '/') {
                EXPECT_EQ(contentOf(folder / name), std::string("earlier ") + name) << c.label;
            }
        }
    }
}

} // namespace

namespace {

TEST(PastedPoints, AreDrawnOnTheBaseSideToo) {
    // The base-side sweep ends at volume 0: the chart's largest volume is its largest abscissa.
    Simulation sim = simulationFor(Study::TitrationVsVolume, 2, BuretteSide::BaseSide);
    sim.graph.checked[8] = true;
    PastePairs(sim, true, "0.005\t10.1\n0.010\t9.3\n0.039\t2\n");
    RecordingNotifier notes;
    RefreshSimulation(sim, notes);
    EXPECT_TRUE(notes.messages.empty());
    EXPECT_EQ(sim.results.curves[7].size(), 3u);
}

} // namespace
