// titralab-export --study free: the remarkable points of classic titrations at the volumes the
// amounts give, the curve read at one volume and in a table as the engine solves it, and the
// refusals of the command line.
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SolutionItems.h"
#include "core/numbers/NumberInput.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

using titralab::testing::runTool;
using titralab::testing::tabFields;
using titralab::testing::ToolRun;

namespace {


double number(const std::string& field) {
    const auto n = titralab::ParseBoundedNumber(field, -1e300, 1e300);
    EXPECT_TRUE(n.ok) << field;
    return n.value;
}

struct EquivalenceCase {
    const char* label;
    const char* arguments;
    std::vector<double> volumes; // L, every equivalence the amounts give, in order
    int checked;                 // the equivalence whose pH is checked (0-based), or -1
    double pH;
    double pHTolerance;
};

// Beaker of 20 mL; 0.05 mol/L of a solute is n = 1 mmol; the burette at 0.1 mol/L.
TEST(FreeStudyTool, FindsTheEquivalencesTheAmountsGive) {
    const double n = 0.05 * 0.02, c = 0.1;
    const EquivalenceCase cases[] = {
        {"HCl + H3PO4 by soda: E at n(HCl) + n(H3PO4) and n(HCl) + 2 n(H3PO4)",
         "--beaker 'Cl-=0.05;acid(2.15,7.20,12.35)=0.05' --burette 'Na+=0.1'",
         {n / c, 2 * n / c, 3 * n / c, 4 * n / c},
         1,
         (2.15 + 7.20) / 2,
         0.1},
        {"ethanoic acid by ammonia, pH near the mean of the pKa at equivalence",
         "--beaker 'acid(4.76)=0.1' --burette 'base(9.25)=0.1'",
         {2 * n / c},
         0,
         (4.76 + 9.25) / 2,
         0.01},
        {"NaOH + Na2CO3 by HCl, by name and formula",
         "--beaker 'NaOH=0.05;Na2CO3=0.05' --burette 'HCl=0.1'",
         {n / c, 2 * n / c, 3 * n / c},
         1,
         (6.35 + 10.33) / 2,
         0.05},
    };
    for (const EquivalenceCase& k : cases) {
        const ToolRun run = runTool(std::string("--study free --beaker-volume 20 ") + k.arguments +
                                    " --equivalence --separator point --digits 17");
        ASSERT_EQ(run.status, 0) << k.label << ": " << run.err;
        std::vector<double> volumes, pHs;
        for (const auto& line : tabFields(run.out)) {
            ASSERT_EQ(line.size(), 4u) << k.label << "\n" << run.out;
            if (line[0] != "equivalence") continue;
            EXPECT_EQ(line[1], std::to_string(volumes.size() + 1)) << k.label;
            volumes.push_back(number(line[2]));
            pHs.push_back(number(line[3]));
        }
        ASSERT_EQ(volumes.size(), k.volumes.size()) << k.label << "\n" << run.out;
        for (std::size_t i = 0; i < volumes.size(); ++i)
            EXPECT_NEAR(volumes[i], k.volumes[i], 1e-12) << k.label << ", E" << i + 1;
        if (k.checked >= 0) EXPECT_NEAR(pHs[k.checked], k.pH, k.pHTolerance) << k.label;
    }
}

// The engine, asked directly, is the oracle of the tool's numbers at 17 digits.
titralab::FreeTitration titration(const char* beaker, const char* burette) {
    titralab::FreeTitration t;
    t.beaker = titralab::parseSolutionItems(beaker).solution;
    t.burette = titralab::parseSolutionItems(burette).solution;
    t.beakerVolume = 0.02;
    return t;
}

TEST(FreeStudyTool, ReadsTheCurveAsTheEngineSolvesIt) {
    const auto t = titration("Cl-=0.05;H3PO4=0.05", "NaOH=0.1");
    const std::string common = "--study free --beaker 'Cl-=0.05;H3PO4=0.05' --beaker-volume 20 "
                               "--burette 'NaOH=0.1' --separator point --digits 17 ";

    const ToolRun at = runTool(common + "--at 12.5");
    ASSERT_EQ(at.status, 0) << at.err;
    const auto lines = tabFields(at.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1][0], "pH");
    EXPECT_NEAR(number(lines[1][1]), titralab::freeTitrationPH(t, 0.0125), 1e-13);
    // Every form of phosphoric acid, and the conductivity its ions' λ° give.
    EXPECT_EQ(lines.size(), 3u + 4u + 1u) << at.out;

    // The last volume is twice the last equivalence (40 mL) unless --max-volume says otherwise.
    const struct {
        const char* sampling;
        double lastVolume; // L
    } tables[] = {{"--by-volume", 0.08}, {"", 0.08}, {"--max-volume 25", 0.025}};
    for (const auto& [sampling, lastVolume] : tables) {
        const ToolRun table = runTool(common + "--points 7 --derivative " + sampling);
        ASSERT_EQ(table.status, 0) << table.err;
        const auto rows = tabFields(table.out);
        ASSERT_EQ(rows.size(), 8u) << table.out;
        EXPECT_EQ(rows[0], (std::vector<std::string>{"v (L)", "pH", "dpH/dV"}));
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const double v = number(rows[r][0]);
            EXPECT_NEAR(number(rows[r][1]), titralab::freeTitrationPH(t, v), 1e-12) << sampling;
            EXPECT_NEAR(number(rows[r][2]) / titralab::freeTitrationSlope(t, v), 1, 1e-9)
                << sampling;
        }
        EXPECT_NEAR(number(rows.back()[0]), lastVolume, 1e-15) << sampling;
    }
}

struct RefusalCase {
    const char* label;
    const char* arguments;
    const char* named; // what the message must name
};

TEST(FreeStudyTool, RefusesAndComputesNothing) {
    const RefusalCase cases[] = {
        {"unknown name, second item", "--beaker 'Cl-=0.05;unobtainium=0.1' --burette 'Na+=0.1'",
         "2 « unobtainium=0.1 »"},
        {"bad pKa", "--beaker 'acid(2,x)=0.1' --burette 'Na+=0.1'", "1 « acid(2,x)=0.1 »"},
        {"no concentration in the burette", "--beaker 'Cl-=0.1' --burette 'Na+'",
         "--burette: Élément 1 « Na+ »"},
        {"empty item", "--beaker 'Cl-=0.1;;Na+=0.1' --burette 'Na+=0.1'", "Élément 2"},
        {"no burette", "--beaker 'Cl-=0.1'", "--burette"},
        {"beaker volume zero", "--beaker 'Cl-=0.1' --burette 'Na+=0.1' --beaker-volume 0",
         "--beaker-volume"},
        {"option of another study", "--beaker 'Cl-=0.1' --burette 'Na+=0.1' --entry1 3",
         "--entry1"},
        {"species number beyond the forms",
         "--beaker 'Cl-=0.1;acid(4.76)=0.1' "
         "--burette 'Na+=0.1' --tick 3",
         "--tick"},
        {"species asked of ions alone", "--beaker 'Cl-=0.1' --burette 'Na+=0.1' --tick 1",
         "--tick"},
    };
    for (const RefusalCase& k : cases) {
        const std::string volume =
            std::string(k.arguments).find("--beaker-volume") == std::string::npos
                ? " --beaker-volume 20"
                : "";
        const ToolRun run = runTool(std::string("--study free ") + k.arguments + volume);
        EXPECT_EQ(run.status, 2) << k.label;
        EXPECT_TRUE(run.out.empty()) << k.label << ": " << run.out;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << k.label << run.err;
        EXPECT_NE(run.err.find(k.named), std::string::npos) << k.label << ": " << run.err;
    }
}

} // namespace

namespace {

// The textbook's verdicts: ethanoic acid by soda has its equivalence near pH 8.7.
TEST(FreeStudyTool, JudgesIndicatorsAsTheTitrationStudies) {
    const struct {
        const char* indicator;
        const char* verdict;
    } cases[] = {{"phenolphtaleine", "convient"}, {"Hélianthine", "ne convient pas"}};
    for (const auto& [indicator, verdict] : cases) {
        const ToolRun run =
            runTool(std::string("--study free --beaker 'acid(4.76)=0.1' --beaker-volume 20 "
                                "--burette 'NaOH=0.1' --indicator '") +
                    indicator + "'");
        ASSERT_EQ(run.status, 0) << indicator << ": " << run.err;
        const auto lines = tabFields(run.out);
        ASSERT_EQ(lines.size(), 1u) << run.out;
        EXPECT_EQ(lines[0][0] + " " + lines[0][1], "equivalence 1");
        EXPECT_NEAR(number(lines[0][2]), 8.7, 0.05) << indicator;
        EXPECT_EQ(lines[0][3], verdict) << indicator;
    }
}

} // namespace

namespace {

// A curve whose pH does not move (no reaction) is sampled by volume, never on one volume.
TEST(FreeStudyTool, SpreadsAFlatCurveOverTheVolumes) {
    const ToolRun run = runTool("--study free --beaker 'Na+=0.1' --beaker-volume 20 "
                                "--burette 'K+=0.1' --points 5 --separator point");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = tabFields(run.out);
    ASSERT_EQ(rows.size(), 6u) << run.out;
    for (std::size_t r = 1; r < rows.size(); ++r)
        EXPECT_NEAR(number(rows[r][0]), 0.01 * (r - 1), 1e-15) << run.out;
}

} // namespace

namespace {

// A saved free study opens to the same readings, the options given replacing its parts; a file
// of another study is refused.
TEST(FreeStudyTool, SavesAndOpensTheStudy) {
    const std::string file =
        (std::filesystem::temp_directory_path() / "titralab-free-tool.titralab").string();
    const std::string typed = "--beaker 'Cl-=0.05;H3PO4=0.05' --beaker-volume 20 "
                              "--burette 'NaOH=0.1' --equivalence --separator point";
    const ToolRun saved = runTool("--study free " + typed + " --save " + file);
    ASSERT_EQ(saved.status, 0) << saved.err;
    const struct {
        const char* label;
        std::string arguments;
        std::string expected; // the output of these options typed in full
    } cases[] = {
        {"as saved", "--open " + file + " --equivalence --separator point", saved.out},
        {"burette replaced", "--open " + file + " --burette 'KOH=0.2' --equivalence",
         runTool("--study free --beaker 'Cl-=0.05;H3PO4=0.05' --beaker-volume 20 "
                 "--burette 'KOH=0.2' --equivalence")
             .out},
    };
    for (const auto& c : cases) {
        const ToolRun run = runTool("--study free " + c.arguments);
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        EXPECT_EQ(run.out, c.expected) << c.label;
    }
    const std::string other =
        (std::filesystem::temp_directory_path() / "titralab-free-other.titralab").string();
    ASSERT_EQ(runTool("--study titration --save " + other).status, 0);
    const ToolRun refused = runTool("--study free --open " + other);
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("no free study"), std::string::npos) << refused.err;
    std::filesystem::remove(file);
    std::filesystem::remove(other);
}

} // namespace
