#include "core/numbers/NumberInput.h"

#include "../core/session/WorkbookReader.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using titralab::testing::runTool;
using titralab::testing::ToolRun;

namespace {

std::vector<std::vector<double>> dataRows(const std::string& out) {
    std::vector<std::vector<double>> rows;
    std::stringstream lines(out);
    std::string line;
    int index = 0;
    while (std::getline(lines, line)) {
        if (index++ < 2 || line.empty()) continue;
        std::vector<double> row;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            row.push_back(titralab::ParseBoundedNumber(field, -1e300, 1e300).value);
        rows.push_back(row);
    }
    return rows;
}

TEST(ExportTool, TitrationRowsSatisfyTheChargeBalance) {
    const ToolRun run = runTool("--study titration --entry1 17 --digits 17 --separator point");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    ASSERT_GE(run.out.size(), 2u);
    EXPECT_EQ(run.out.back(), '\n');
    const auto rows = dataRows(run.out);
    ASSERT_EQ(rows.size(), 100u);
    // Acetic acid (pKa 4.7) 0.1 mol/L, 20 mL, soda 0.1 mol/L; dilution not taken into account.
    const long double ka = std::pow(10.0L, -4.7L), kw = 1e-14L, c1 = 0.1L, v1 = 0.02L, cb = 0.1L;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 6u);
        const long double v = row[0], h = std::pow(10.0L, -(long double)row[1]);
        const long double alpha = ka / (h + ka);
        const long double expected = v1 * (c1 * alpha - h + kw / h) / (cb + h - kw / h);
        // Relative in v; at the very start both are zero to within rounding.
        EXPECT_NEAR((double)v, (double)expected, 1e-9 * std::fabs((double)expected) + 1e-16)
            << "v=" << row[0];
        const long double factor = (v1 + v) / v1;
        EXPECT_NEAR((double)(row[2] / (h * factor)), 1, 1e-9);
        EXPECT_NEAR((double)(row[3] / (c1 * (1 - alpha))), 1, 1e-9);
        EXPECT_NEAR((double)(row[4] / (c1 * alpha)), 1, 1e-9);
        const long double sigma = factor * (34.97L * h + 19.86L * kw / h + 4.09L * c1 * alpha +
                                            5.008L * cb * v / (v + v1));
        EXPECT_NEAR((double)(row[5] / sigma), 1, 1e-9);
    }
}

TEST(ExportTool, MessagesGoToStandardErrorOneALine) {
    const ToolRun run = runTool("--study titration --D1 abc --D4 51");
    EXPECT_EQ(run.status, 0);
    std::stringstream lines(run.err);
    std::string line;
    std::vector<std::string> messages;
    while (std::getline(lines, line)) messages.push_back(line);
    ASSERT_EQ(messages.size(), 2u) << run.err;
    EXPECT_EQ(messages[0], "Séparateur décimal : virgule ! Exemple : 1,03E-2");
    EXPECT_EQ(messages[1].rfind(
                  "Séparateur décimal : virgule ! Exemple : 1,03E-2 ou La concentration", 0),
              0u);
    EXPECT_FALSE(run.out.empty());
}

TEST(ExportTool, UnusableArgumentsGiveAOneLineUsageError) {
    for (const char* arguments :
         {"", "--study nothing", "--study 0 --side left", "--study 0 --entry1 36",
          "--study 0 --digits 4", "--study 0 --tick 2,11", "--frobnicate",
          "--study 1 --side base --entry1 20", "--study 0 --D17 1"}) {
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1)
            << arguments << ": " << run.err;
    }
    const ToolRun help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--by-volume"), std::string::npos);
}

TEST(ExportTool, WritesTheNumberedFilesWhenAsked) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("titralab-out-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    const ToolRun run =
        runTool("--study dilution --separator point --file-line-ends --out " + dir.string());
    ASSERT_EQ(run.status, 0) << run.err;
    std::ifstream txt(dir / "NumPt1.Txt", std::ios::binary);
    std::stringstream content;
    content << txt.rdbuf();
    EXPECT_EQ(content.str(), run.out);
    EXPECT_TRUE(std::filesystem::exists(dir / "NumPt1.Xls"));
    EXPECT_TRUE(std::filesystem::exists(dir / "NumPt1.xlsx"));
    std::filesystem::remove_all(dir);
}

// The workbook holds the printed table's numbers (volumes in mL); a workbook that cannot be
// written is an error named in French.
TEST(ExportTool, WritesTheWorkbookWhenAsked) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("titralab-xlsx-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "titrage.xlsx").string();
    const ToolRun run = runTool("--study titration --entry1 30 --digits 17 --separator point "
                                "--xlsx " +
                                path);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = dataRows(run.out);
    const auto cells = titralab::testing::readSheet(path, 1);
    ASSERT_EQ(rows.size(), 100u);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const auto cell = cells.find({3 + static_cast<int>(r), static_cast<int>(c)});
            ASSERT_NE(cell, cells.end()) << r << ", " << c;
            // The text writes "0" for every value at or below zero; the workbook keeps it.
            const double value = std::strtod(cell->second.text.c_str(), nullptr);
            if (rows[r][c] == 0) {
                EXPECT_LE(value, 0) << r << ", " << c;
                continue;
            }
            const double expected = c == 0 ? rows[r][c] * 1000 : rows[r][c];
            EXPECT_EQ(value, titralab::testing::asWritten(expected)) << r << ", " << c;
        }
    const ToolRun refused =
        runTool("--study titration --xlsx " + (dir / "none" / "x.xlsx").string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("le dossier n'existe pas"), std::string::npos) << refused.err;
    std::filesystem::remove_all(dir);
}

TEST(ExportTool, StudiesAndOptionsShapeTheTable) {
    struct Case {
        const char* arguments;
        const char* header;
        std::size_t rows;
    } cases[] = {
        {"--study two-mono --entry1 17 --entry2 11 --points 20",
         "v de monobase\tpH\tcH\tacide éthanoïque\tion éthanoate\tacide fluorhydrique\tion "
         "fluorure\tConductivité",
         20},
        {"--study species --entry1 30 --points 50",
         "pH\tcH\tacide phosphorique\tion dihydrogénophosphate\tion monohydrogénophosphate\tion "
         "phosphate\tConductivité",
         50},
        {"--study titration --side base --entry1 14 --by-volume --points 10",
         "v de monoacide\tpH\tcH\ttribase\tBH- -\tBH2-\tBH3", 10},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments);
        ASSERT_EQ(run.status, 0) << c.arguments << run.err;
        std::stringstream lines(run.out);
        std::string first, header;
        std::getline(lines, first);
        std::getline(lines, header);
        EXPECT_EQ(header, c.header) << c.arguments;
        EXPECT_EQ(dataRows(run.out).size(), c.rows) << c.arguments;
    }
}

} // namespace

namespace {

// On the base side the pKa typed is that of the couple, as tables give it.
TEST(ExportTool, BaseSidePKaIsThePKaOfTheCouple) {
    struct Case {
        const char* label;
        const char* arguments;
        double pHAtZero;
    } cases[] = {
        {"ammonia",
         "--side base --study titration --entry1 2 --D4 9,2 --D2 0,1 --D3 20E-3 --D1 0,1", 11.1},
        {"methylamine", "--side base --study titration --entry1 2 --D4 10.6 --D2 0.1", 11.8},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(std::string(c.arguments) + " --separator point");
        ASSERT_EQ(run.status, 0) << c.label << run.err;
        // The base side's table runs from the largest volume down to 0.
        const auto rows = dataRows(run.out);
        const auto start = std::find_if(rows.begin(), rows.end(),
                                        [](const std::vector<double>& r) { return r[0] == 0; });
        ASSERT_NE(start, rows.end()) << c.label;
        EXPECT_NEAR((*start)[1], c.pHAtZero, 0.05) << c.label;
    }
}

// The tool reads pasted volumes as the graph window does, and says so when they were mL.
TEST(ExportTool, PastedVolumesInMillilitresAreSaid) {
    namespace fs = std::filesystem;
    struct Case {
        const char* label;
        const char* pairs;
        bool said;
    } cases[] = {{"millilitres", "V (mL)\tpH\n0\t2.9\n10\t4.8\n20\t8.7\n30\t12.3\n", true},
                 {"litres", "0\t2.9\n0.010\t4.8\n0.020\t8.7\n", false}};
    for (const Case& c : cases) {
        const fs::path file = fs::temp_directory_path() /
                              ("titralab-paste-" + std::to_string(getpid()) + c.label + ".txt");
        std::ofstream(file) << c.pairs;
        const ToolRun run = runTool("--study titration --entry1 17 --paste " + file.string());
        fs::remove(file);
        ASSERT_EQ(run.status, 0) << c.label << run.err;
        EXPECT_EQ(run.err.find("volumes lus en mL") != std::string::npos, c.said)
            << c.label << ": " << run.err;
    }
}

} // namespace

namespace {

// Standard output shows LF lines, as a terminal and grep read them; the file keeps its own
// line ends (CR, then CR LF), and so does standard output when --file-line-ends asks for them.
TEST(ExportTool, StandardOutputHasLFLinesTheFileItsOwn) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("titralab-lines-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    const std::string study = "--study titration --entry1 17";
    const ToolRun lf = runTool(study + " --out " + dir.string());
    ASSERT_EQ(lf.status, 0) << lf.err;
    EXPECT_EQ(lf.out.find('\r'), std::string::npos);
    EXPECT_EQ(std::count(lf.out.begin(), lf.out.end(), '\n'), 102); // warning, header, 100 rows
    std::string file;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".Txt") {
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            file = text.str();
        }
    ASSERT_FALSE(file.empty());
    std::string asFile = lf.out;
    std::replace(asFile.begin(), asFile.end(), '\n', '\r');
    EXPECT_EQ(asFile + "\r\n", file);
    const ToolRun same = runTool(study + " --file-line-ends");
    EXPECT_EQ(same.out, file);
    std::filesystem::remove_all(dir);
}

} // namespace
