// titralab-export --study free with measured points: the fit of any row's concentration or pKa
// (--paste, --fit), a row's value varied (--vary beaker1.c=...), and the workbook (--xlsx).
#include "../core/session/WorkbookReader.h"

#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SolutionItems.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using titralab::testing::readSheet;
using titralab::testing::runTool;
using titralab::testing::tabFields;
using titralab::testing::ToolRun;

namespace {

namespace fs = std::filesystem;

double number(const std::string& field) {
    const auto n = titralab::ParseBoundedNumber(field, -1e300, 1e300);
    EXPECT_TRUE(n.ok) << field;
    return n.value;
}

// The engine, asked directly, gives the measured points and the tables' oracle.
titralab::FreeTitration titration(const std::string& beaker, const std::string& burette) {
    titralab::FreeTitration t;
    t.beaker = titralab::parseSolutionItems(beaker).solution;
    t.burette = titralab::parseSolutionItems(burette).solution;
    t.beakerVolume = 0.01;
    return t;
}

// HCl 0.08 mol/L and phosphoric acid 0.05 mol/L (pKa2 7.20) in 10 mL, by soda at 0.1 mol/L:
// 51 points to 25 mL, volumes in mL, pH to 12 digits.
fs::path measuredPoints() {
    const titralab::FreeTitration truth =
        titration("Cl-=0.08;acid(2.15,7.20,12.35)=0.05", "Na+=0.1");
    const fs::path file = fs::temp_directory_path() / "titralab-free-measured.txt";
    std::ofstream out(file);
    out << "v (mL)\tpH\n";
    for (int i = 0; i <= 50; ++i) {
        const double v = 0.025 * i / 50;
        out << titralab::formatGeneral(v * 1000, 10, ',') << '\t'
            << titralab::formatGeneral(titralab::freeTitrationPH(truth, v), 12, ',') << '\n';
    }
    return file;
}

TEST(FreeStudyFitTool, FitsTheFreedRowsValuesToThePastedPoints) {
    const std::string pasted = measuredPoints().string();
    const struct {
        const char* label;
        const char* beaker; // the typed start
        const char* options;
        std::vector<std::string> names;
        std::vector<double> values;
    } cases[] = {
        {"a concentration",
         "HCl=0.1;acid(2.15,7.20,12.35)=0.05",
         "--fit beaker1.c",
         {"beaker1.c"},
         {0.08}},
        {"a pKa, in English",
         "Cl-=0.08;acid(2.15,7.6,12.35)=0.05",
         "--fit beaker2.pK2 --lang en",
         {"beaker2.pK2"},
         {7.20}},
        {"a concentration and a pKa",
         "Cl-=0.08;acid(2.15,7.6,12.35)=0.065",
         "--fit 'beaker2.c,beaker2.pKa2'",
         {"beaker2.c", "beaker2.pK2"},
         {0.05, 7.20}},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(std::string("--study free --beaker '") + c.beaker +
                                    "' --burette 'NaOH=0.1' --beaker-volume 10 --paste '" + pasted +
                                    "' --digits 10 " + c.options);
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        const auto lines = tabFields(run.out);
        // The values, the equivalences (the first at 8 mL), s(pH) and the points used.
        ASSERT_GE(lines.size(), c.names.size() + 3) << c.label << ": " << run.out;
        for (std::size_t k = 0; k < c.names.size(); ++k) {
            ASSERT_EQ(lines[k].size(), 3u) << c.label;
            EXPECT_EQ(lines[k][0], c.names[k]) << c.label;
            EXPECT_NEAR(number(lines[k][1]), c.values[k], 1e-6 * c.values[k]) << c.label;
        }
        EXPECT_EQ(lines[c.names.size()][0], "Veq1") << c.label;
        EXPECT_NEAR(number(lines[c.names.size()][1]), 0.008, 1e-8) << c.label;
        EXPECT_EQ(lines[lines.size() - 2][0], "s(pH)") << c.label;
        EXPECT_LT(number(lines[lines.size() - 2][1]), 1e-6) << c.label;
        EXPECT_EQ(lines.back(), (std::vector<std::string>{"points", "51"})) << c.label;
    }
    const struct {
        const char* label;
        std::string options;
        int status;
        const char* named; // what the message names
    } refusals[] = {
        {"a row the beaker lacks", "--paste '" + pasted + "' --fit beaker3.c", 1, "beaker3.c"},
        {"the pKa of an ion", "--paste '" + pasted + "' --fit beaker1.pK1", 1, "beaker1.pK1"},
        {"no measured points", "--fit beaker1.c", 1, "Collez d'abord"},
        {"no such name", "--paste '" + pasted + "' --fit bécher1.c", 2, "--fit"},
        {"fit and table of a family",
         "--paste '" + pasted +
             "' --fit beaker1.c --vary "
             "beaker1.c=0.1",
         2, "--vary"},
    };
    for (const auto& r : refusals) {
        const ToolRun run = runTool("--study free --beaker 'HCl=0.1;H3PO4=0.05' --burette "
                                    "'NaOH=0.1' --beaker-volume 10 " +
                                    r.options);
        EXPECT_EQ(run.status, r.status) << r.label << ": " << run.err;
        EXPECT_NE(run.err.find(r.named), std::string::npos) << r.label << ": " << run.err;
    }
    fs::remove(pasted);
}

TEST(FreeStudyFitTool, VariesARowsValueOneColumnEach) {
    const struct {
        const char* label;
        const char* vary;
        std::vector<std::string> beakers; // the items each column stands for
        const char* heading;              // the first column's
    } cases[] = {
        {"the first row's concentration",
         "beaker1.c=0.05;0.2",
         {"Cl-=0.05;acid(2.15,7.20,12.35)=0.05", "Cl-=0.2;acid(2.15,7.20,12.35)=0.05"},
         "Bécher 1 (Cl-) : c = 0,05 mol/L"},
        {"the second row's pKa2",
         "beaker2.pK2=6,5;8",
         {"Cl-=0.08;acid(2.15,6.5,12.35)=0.05", "Cl-=0.08;acid(2.15,8,12.35)=0.05"},
         "Bécher 2 (acid(2.15,7.20,12.35)) : pKa2 = 6,5"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(
            std::string("--study free --beaker 'Cl-=0.08;acid(2.15,7.20,12.35)=0.05' --burette "
                        "'Na+=0.1' --beaker-volume 10 --max-volume 25 --points 6 --digits 17 "
                        "--vary '") +
            c.vary + "'");
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        const auto rows = tabFields(run.out);
        ASSERT_EQ(rows.size(), 7u) << c.label << ": " << run.out;
        ASSERT_EQ(rows[0].size(), 1 + c.beakers.size()) << c.label;
        EXPECT_EQ(rows[0][1], c.heading) << c.label;
        for (std::size_t k = 0; k < c.beakers.size(); ++k) {
            const titralab::FreeTitration t = titration(c.beakers[k], "Na+=0.1");
            for (std::size_t r = 1; r < rows.size(); ++r) {
                const double v = 0.025 * (r - 1) / 5;
                EXPECT_NEAR(number(rows[r][0]), v, 1e-15) << c.label;
                EXPECT_NEAR(number(rows[r][k + 1]), titralab::freeTitrationPH(t, v), 1e-12)
                    << c.label << " column " << k + 1 << " line " << r;
            }
        }
    }
    const struct {
        const char* label;
        const char* vary;
        const char* named;
    } refusals[] = {
        {"a row the burette lacks", "burette2.c=0.1", "burette2.c"},
        {"a concentration of zero", "beaker1.c=0;0.1", "« 0 »"},
        {"thirteen values", "beaker1.c=1;2;3;4;5;6;7;8;9;10;11;12;13", "12"},
    };
    for (const auto& r : refusals) {
        const ToolRun run = runTool(std::string("--study free --beaker 'HCl=0.1' --burette "
                                                "'NaOH=0.1' --beaker-volume 10 --vary '") +
                                    r.vary + "'");
        EXPECT_EQ(run.status, 2) << r.label;
        EXPECT_TRUE(run.out.empty()) << r.label;
        EXPECT_NE(run.err.find(r.named), std::string::npos) << r.label << ": " << run.err;
    }
}

TEST(FreeStudyFitTool, WritesTheRowsIntoTheWorkbooksConstants) {
    const std::string book = (fs::temp_directory_path() / "titralab-free-rows.xlsx").string();
    const ToolRun run = runTool("--study free --beaker 'HCl=0.1;H3PO4=0.05' --burette "
                                "'NaOH=0.2' --beaker-volume 10 --points 5 --xlsx '" +
                                book + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto sheet = readSheet(book, 2);
    std::map<std::string, double> constants; // label: value, of the label-value rows
    for (const auto& [place, cell] : sheet)
        if (place.second == 0) {
            const auto value = sheet.find({place.first, 1});
            if (value != sheet.end() && value->second.number)
                constants[cell.text] = std::stod(value->second.text);
        }
    const std::pair<const char*, double> expected[] = {
        {"Bécher 1 (HCl) : c", 0.1},      {"Bécher 2 (H3PO4) : c", 0.05},
        {"Bécher 2 (H3PO4) : pKa2", 7.2}, {"Burette 1 (NaOH) : c", 0.2},
        {"Volume du bécher (mL)", 10},
    };
    for (const auto& [label, value] : expected) {
        ASSERT_EQ(constants.count(label), 1u) << label;
        EXPECT_NEAR(constants[label], value, 0.05 * value) << label;
    }
    fs::remove(book);
}

} // namespace
