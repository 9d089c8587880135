// The tool's lesson diagrams: the β column against an independent computation, the species
// table as log10 c, and the "why this pH" lines against the textbook formulas and the exact
// pH the tool reads at the same volume.
#include "core/numbers/NumberInput.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using titralab::testing::runTool;
using titralab::testing::tabFields;
using titralab::testing::ToolRun;

namespace {

using Table = std::vector<std::vector<std::string>>;


double number(const std::string& field) {
    return titralab::ParseBoundedNumber(field, -1e300, 1e300).value;
}

// 0.1 mol/L ethanoic acid (pKa 4.7), 20 mL in the beaker, 0.1 mol/L soda in the burette.
const std::string kEthanoic = "--entry1 17 --D1 0.1 --D2 0.1 --D3 20 --D4 4.7 --lang en ";
constexpr double kPKa = 4.7;
constexpr double kC = 0.1;   // mol/L
constexpr double kV1 = 20;   // mL
constexpr double kKw = 1e-14;

// β of a monoacid of total concentration c at a pH, written out: ln10·(h + Kw/h + c·Ka·h/(Ka+h)²).
double monoacidBeta(double c, double pH) {
    const double h = std::pow(10, -pH), ka = std::pow(10, -kPKa);
    return std::log(10.0) * (h + kKw / h + c * ka * h / ((ka + h) * (ka + h)));
}

struct BetaCase {
    const char* label;
    std::string arguments;
    int volumeColumn; // -1 against pH
    int pHColumn;
    bool halfEquivalence; // a row at 10 mL, the half-equivalence
};

class BufferCapacityTool : public ::testing::TestWithParam<BetaCase> {};

TEST_P(BufferCapacityTool, ColumnIsTheExactDerivative) {
    const BetaCase& c = GetParam();
    const ToolRun run = runTool(kEthanoic + c.arguments + " --buffer-capacity --digits 17");
    ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
    const Table table = tabFields(run.out);
    ASSERT_GT(table.size(), 10u) << c.label;
    EXPECT_EQ(table[1].back(), "β (mol/L per pH unit)") << c.label;
    int rows = 0, halves = 0;
    for (std::size_t line = 2; line < table.size(); ++line) {
        const auto& row = table[line];
        if (row.size() != table[1].size()) continue;
        const double v = c.volumeColumn < 0 ? 0 : number(row[c.volumeColumn]);
        const double pH = number(row[c.pHColumn]);
        const double concentration = kC * kV1 / (kV1 + v);
        const double beta = number(row.back());
        EXPECT_NEAR(beta, monoacidBeta(concentration, pH), 1e-9 * beta)
            << c.label << " at pH " << pH;
        // At the half-equivalence, pH = pKa far from water's region: β = ln10/4·C = 0.576·C
        // (within 0.2 %: h adds 3E-5 mol/L to C/4).
        if (c.halfEquivalence && v == 10) {
            EXPECT_NEAR(beta, 0.5756 * concentration, 2e-3 * beta) << c.label;
            ++halves;
        }
        ++rows;
    }
    EXPECT_GT(rows, 50) << c.label;
    EXPECT_EQ(halves, c.halfEquivalence ? 1 : 0) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Studies, BufferCapacityTool,
    ::testing::Values(
        BetaCase{"species, against pH", "--study species --points 281", -1, 0, false},
        BetaCase{"titration by pH", "--study titration --points 281", 0, 1, false},
        BetaCase{"titration by volume, every 0.5 mL", "--study titration --by-volume --points 121",
                 0, 1, true}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(LogTableTool, ConcentrationsBecomeTheirLog) {
    const std::string study = kEthanoic + "--study species --points 57 --digits 17";
    const ToolRun plain = runTool(study);
    const ToolRun log = runTool(study + " --log");
    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(log.status, 0) << log.err;
    const Table a = tabFields(plain.out), b = tabFields(log.out);
    ASSERT_EQ(a.size(), b.size());
    int logColumns = 0;
    for (std::size_t col = 0; col < b[1].size(); ++col) {
        const bool isLog = b[1][col] == "log " + a[1][col];
        logColumns += isLog;
        for (std::size_t line = 2; line < a.size(); ++line) {
            const double x = number(a[line][col]), y = number(b[line][col]);
            if (isLog)
                EXPECT_NEAR(y, std::log10(x), 1e-12) << b[1][col] << " line " << line;
            else
                EXPECT_EQ(a[line][col], b[line][col]) << a[1][col] << " line " << line;
        }
    }
    // [H3O+] and the two forms of the couple.
    EXPECT_EQ(logColumns, 3) << b[1].size() << " columns";
}

struct ExplainCase {
    const char* label;
    std::string arguments;
    const char* volume; // mL
    std::vector<std::string> names; // formula, approximate pH, exact pH, holds lines
    std::string formula;
    double approximatePH;
    std::string holds;
};

class ExplainTool : public ::testing::TestWithParam<ExplainCase> {};

TEST_P(ExplainTool, NamesTheFormulaAndItsVerdict) {
    const ExplainCase& c = GetParam();
    const std::string study = kEthanoic + "--study titration --digits 17 " + c.arguments;
    const ToolRun run = runTool(study + " --explain " + c.volume);
    ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
    EXPECT_EQ(run.out.find('\r'), std::string::npos) << c.label;
    const Table lines = tabFields(run.out);
    ASSERT_EQ(lines.size(), 4u) << c.label << ":\n" << run.out;
    for (std::size_t i = 0; i < 4; ++i) {
        ASSERT_EQ(lines[i].size(), 2u) << c.label;
        EXPECT_EQ(lines[i][0], c.names[i]) << c.label;
    }
    EXPECT_EQ(lines[0][1], c.formula) << c.label;
    EXPECT_NEAR(number(lines[1][1]), c.approximatePH, 1e-9) << c.label;
    EXPECT_EQ(lines[3][1], c.holds) << c.label;
    // The exact pH is the curve's at that volume, as --at reads it.
    const ToolRun at = runTool(study + " --at " + c.volume);
    ASSERT_EQ(at.status, 0) << at.err;
    EXPECT_NEAR(number(lines[2][1]), number(tabFields(at.out)[1][1]), 1e-9) << c.label;
    EXPECT_EQ(std::abs(number(lines[1][1]) - number(lines[2][1])) < 0.05, c.holds == "yes" ||
                                                                              c.holds == "oui")
        << c.label;
}

const std::vector<std::string> kEnglishLines{"formula", "approximate pH", "exact pH", "holds"};
const std::vector<std::string> kFrenchLines{"formule", "pH approché", "pH exact", "vérifiée"};

INSTANTIATE_TEST_SUITE_P(
    TextbookCases, ExplainTool,
    ::testing::Values(
        ExplainCase{"the acid alone", "", "0", kEnglishLines, "weak acid",
                    0.5 * (kPKa - std::log10(kC)), "yes"},
        ExplainCase{"the acid alone, in French", "--lang fr", "0", kFrenchLines, "acide faible",
                    0.5 * (kPKa - std::log10(kC)), "oui"},
        ExplainCase{"half-equivalence", "", "10", kEnglishLines,
                    "buffer (Henderson-Hasselbalch)", kPKa, "yes"},
        ExplainCase{"equivalence: the ethanoate at 0.05 mol/L", "", "20", kEnglishLines,
                    "weak base", 7 + 0.5 * (kPKa + std::log10(kC / 2)), "yes"}),
    [](const auto& info) { return std::to_string(info.index); });

// The database writes a strong acid's acidity as pKa -10: the explanation names the strong
// acid, not a weak acid of pKa -10 (whose formula would give pH -4.5).
TEST(ExplainToolStrongAcid, NamesTheStrongAcid) {
    const struct {
        const char* label;
        const char* arguments;
        const char* formula;
        double approximatePH;
    } cases[] = {
        {"0.1 mol/L strong acid alone", "--study titration --explain 0", "strong acid", 1},
        {"the same in the species study", "--study species --explain 0", "strong acid", 1},
        {"its equivalence", "--study titration --explain 20", "water dominates", 7},
        {"soda in excess", "--study titration --explain 30", "strong base in excess",
         14 + std::log10(0.1 * 10 / 50)},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(std::string("--entry1 1 --D1 0.1 --D2 0.1 --D3 20 --lang en "
                                                "--digits 17 ") +
                                    c.arguments);
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        const Table lines = tabFields(run.out);
        ASSERT_EQ(lines.size(), 4u) << c.label << ":\n" << run.out;
        EXPECT_EQ(lines[0][1], c.formula) << c.label;
        EXPECT_NEAR(number(lines[1][1]), c.approximatePH, 1e-9) << c.label;
        EXPECT_EQ(lines[3][1], "yes") << c.label;
    }
}

TEST(DiagramToolRefusals, StudiesWithoutThePicture) {
    const struct {
        const char* label;
        const char* arguments;
    } cases[] = {
        {"log table of a titration", "--study titration --log"},
        {"buffer capacity of the mixture", "--study mixture --buffer-capacity"},
        {"buffer capacity of a dilution", "--study dilution --buffer-capacity"},
        {"a volume outside the titrations", "--study species --explain 5"},
        {"a negative volume", "--study titration --explain -1"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.status, 2) << c.label;
        EXPECT_TRUE(run.out.empty()) << c.label;
        EXPECT_NE(run.err.find("titralab-export:"), std::string::npos) << c.label;
    }
}

} // namespace
