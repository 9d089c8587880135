#include "core/session/Workbook.h"
#include "SimulationFixtures.h"
#include "WorkbookReader.h"
#include "core/session/CopyExport.h"
#include "tests/core/system/WriterFaults.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace titralab;
using titralab::testing::asWritten;
using titralab::testing::readSheet;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace fs = std::filesystem;

namespace {

class Workbook : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("titralab-workbook-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    static std::string contentOf(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path folder;
};

// Rows of the study sheet: title, note, headers, then one row per point.
constexpr int kHeaderRow = 2;
constexpr int kFirstDataRow = 3;

TEST_F(Workbook, NumberCellsHoldTheTableValuesToTheLastDigitWritten) {
    struct Case {
        const char* label;
        Study study;
        int entry1;
        BuretteSide side;
        int entry2;
        CopySampling sampling;
        bool dilution;
        const char* firstTitle;
        const char* secondTitle;
        bool note;
        bool extraColumn; // a column added to the table after the generator's own
    } cases[] = {
        {"acetic acid by pH", Study::TitrationVsVolume, 17, BuretteSide::AcidSide, 17,
         CopySampling::ByPH, false, "v (mL)", "pH", true, false},
        {"phosphoric acid by volume, dilution", Study::TitrationVsVolume, 30, BuretteSide::AcidSide,
         17, CopySampling::ByVolume, true, "v (mL)", "pH", false, true},
        {"species of phosphoric acid", Study::SpeciesVsPH, 30, BuretteSide::AcidSide, 17,
         CopySampling::ByPH, false, "pH", "[H3O+] (mol/L)", false, false},
        {"two monoacids", Study::TwoMonoTitration, 11, BuretteSide::AcidSide, 17,
         CopySampling::ByPH, false, "v (mL)", "pH", true, true},
        {"weak base", Study::TitrationVsVolume, 2, BuretteSide::BaseSide, 2, CopySampling::ByPH,
         false, "v (mL)", "pH", true, false},
        {"dilution of an acid", Study::Dilution, 17, BuretteSide::AcidSide, 17, CopySampling::ByPH,
         false, "- Log (concentration de l'acide, en mol/L)", "pH", false, false},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, c.entry1, c.side, c.entry2);
        sim.exportSettings.copySampling = c.sampling;
        sim.graph.checked[0] = c.dilution;
        sim.graph.checked[7] = true; // the conductivity, where it exists
        refresh(sim);
        if (c.extraColumn) {
            TableColumn extra{"dpH/dV", "dpH/dV (par mL)", 1, ColumnFormat::General, {}, false};
            for (std::size_t r = 0; r < sim.results.exportTable.rowCount(); ++r)
                extra.values.push_back(1.0 / (3 + static_cast<double>(r)));
            sim.results.exportTable.columns.push_back(extra);
        }
        const fs::path path = folder / (std::string(c.label) + ".xlsx");
        const WorkbookResult written = WriteWorkbook(sim, path.string());
        ASSERT_TRUE(written.ok) << c.label << ": " << written.error;
        EXPECT_FALSE(fs::exists(path.string() + ".part")) << c.label;
        const auto cells = readSheet(path.string(), 1);
        const ExportTable& table = sim.results.exportTable;
        ASSERT_GE(table.columns.size(), 2u) << c.label;
        EXPECT_EQ(cells.at({kHeaderRow, 0}).text, c.firstTitle) << c.label;
        EXPECT_EQ(cells.at({kHeaderRow, 1}).text, c.secondTitle) << c.label;
        EXPECT_EQ(cells.count({1, 0}) == 1, c.note) << c.label;
        // As many rows as the text table, every value of every column as a number cell, in
        // the unit of its title.
        const std::size_t rows = table.rowCount();
        EXPECT_EQ(rows + 2, titralab::testing::tableOf(sim.results.exportText).size()) << c.label;
        int checked = 0;
        for (std::size_t col = 0; col < table.columns.size(); ++col) {
            EXPECT_EQ(cells.at({kHeaderRow, int(col)}).text, table.columns[col].title) << c.label;
            for (std::size_t r = 0; r < rows; ++r) {
                const auto cell = cells.find({kFirstDataRow + static_cast<int>(r), int(col)});
                ASSERT_NE(cell, cells.end()) << c.label << " row " << r << " column " << col;
                ASSERT_TRUE(cell->second.number) << c.label;
                EXPECT_EQ(std::strtod(cell->second.text.c_str(), nullptr),
                          asWritten(table.columns[col].shown(r)))
                    << c.label << " row " << r << " column " << col;
                ++checked;
            }
        }
        EXPECT_GE(checked, 2 * static_cast<int>(rows)) << c.label;
        EXPECT_EQ(cells.count({kFirstDataRow + static_cast<int>(rows), 0}), 0u) << c.label;
    }
}

TEST_F(Workbook, TheMixtureGivesLabelValueRows) {
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide}) {
        Simulation sim =
            simulationFor(Study::TwoPolyMixture, side == BuretteSide::AcidSide ? 30 : 14, side, 2);
        refresh(sim);
        const fs::path path = folder / "mixture.xlsx";
        ASSERT_TRUE(WriteWorkbook(sim, path.string()).ok);
        const auto cells = readSheet(path.string(), 1);
        const auto& results = sim.results.exportTable.results;
        ASSERT_GE(results.size(), 10u);
        // The text table's labels, in its order, each beside its full value.
        const auto lines = titralab::testing::tableOf(sim.results.exportText);
        for (std::size_t k = 0; k < results.size(); ++k) {
            const int row = kHeaderRow + 1 + static_cast<int>(k);
            EXPECT_EQ(cells.at({row, 0}).text, lines[k + 1][0]) << k;
            ASSERT_TRUE(cells.at({row, 1}).number) << k;
            EXPECT_EQ(std::strtod(cells.at({row, 1}).text.c_str(), nullptr),
                      asWritten(results[k].value))
                << results[k].label;
        }
    }
}

// The constants sheet gives a base's pKa as the couple's, the value typed.
TEST_F(Workbook, BaseConstantsAreThePKaOfTheCouples) {
    struct Case {
        const char* label;
        int entry;
        std::vector<double> pKa;
    } cases[] = {{"ammonia", 7, {9.2}}, {"carbonate", 17, {10.3, 6.4}}};
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, c.entry, BuretteSide::BaseSide);
        refresh(sim);
        const fs::path path = folder / "constants.xlsx";
        ASSERT_TRUE(WriteWorkbook(sim, path.string()).ok) << c.label;
        const auto cells = readSheet(path.string(), 2);
        std::vector<double> found;
        for (const auto& [at, cell] : cells)
            if (at.second == 0 && cell.text.rfind("pKa", 0) == 0)
                found.push_back(std::strtod(cells.at({at.first, 1}).text.c_str(), nullptr));
        ASSERT_EQ(found.size(), c.pKa.size()) << c.label;
        for (std::size_t k = 0; k < found.size(); ++k)
            EXPECT_NEAR(found[k], c.pKa[k], 1e-9) << c.label << k;
    }
}

// The two text files stay written when the workbook cannot be, and the copy says so; the
// earlier copy stays whole.
TEST_F(Workbook, AFailedWorkbookLeavesTheTextFilesAndSaysSo) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    const ExportResult first = ExportSimulation(sim, folder.string());
    ASSERT_TRUE(first.ok);
    EXPECT_TRUE(first.workbookError.empty()) << first.workbookError;
    EXPECT_EQ(first.xlsxPath, (folder / "NumVg1.xlsx").string());
    const auto earlier = titralab::testing::pictureOf(folder);
    ASSERT_FALSE(contentOf(folder / "NumVg1.xlsx").empty());

    // The next workbook's name is taken by a folder, which holds no copy.
    fs::create_directories(folder / "NumVg2.xlsx" / "taken");
    sim.exportSettings.counter = 0;       // a new session
    sim.graph.checked[0] = true; // another table
    RecordingNotifier notes;
    const CopyOutcome copy = CopySimulation(sim, notes, folder.string());
    EXPECT_TRUE(copy.ok);
    EXPECT_EQ(copy.clipboardText, sim.results.exportText);
    EXPECT_EQ(contentOf(folder / "NumVg2.Txt"), sim.results.exportText + "\r\n");
    EXPECT_EQ(contentOf(folder / "NumVg2.Xls"), sim.results.exportText + "\r\n");
    EXPECT_EQ(sim.exportSettings.counter, 2);
    EXPECT_TRUE(copy.files.xlsxPath.empty());
    ASSERT_EQ(notes.errors.size(), 1u);
    EXPECT_EQ(notes.errors[0], copy.files.workbookError);
    EXPECT_EQ(notes.errors[0], "Les fichiers texte de la copie sont écrits, mais le classeur "
                               "NumVg2.xlsx n'a pas pu être écrit : ce nom est celui d'un "
                               "dossier.");
    for (const auto& [name, what] : earlier)
        EXPECT_EQ(titralab::testing::pictureOf(folder).at(name), what) << name;
    EXPECT_TRUE(fs::exists(folder / "NumVg2.xlsx" / "taken"));
}

} // namespace
