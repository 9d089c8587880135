// titralab-export --study free with --activities and --temperature: the pH a meter reads in
// textbook solutions, water and ammonium at other temperatures, the ionic strength, the notes
// of the table, the temperature varied, and the refusals.
#include "core/numbers/NumberInput.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <unistd.h>
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

// The value of the "name<TAB>value" line of --at; NaN when there is none.
double lineValue(const std::string& out, const std::string& name) {
    for (const auto& line : tabFields(out))
        if (line.size() >= 2 && line[0] == name) return number(line[1]);
    return NAN;
}

ToolRun freeRun(const std::string& arguments) {
    return runTool("--study free --beaker-volume 20 --separator point --digits 17 " + arguments);
}

// Harris, Quantitative Chemical Analysis (ch. 8 and 9), and the tabulated pKw of water
// (14.94, 13.995 and 13.26 at 0, 25 and 50 °C); ammonium at 35 °C from ΔH° ≈ 52 kJ/mol.
// Water is a trace of salt that neither side of the balance feels.
TEST(ConditionsTool, PHOfPublishedSolutions) {
    const char* water = "--beaker 'Na+=1e-8;Cl-=1e-8' --burette 'Na+=1e-8;Cl-=1e-8' --at 0";
    const struct {
        const char* label;
        std::string arguments;
        double pH, tolerance;
    } cases[] = {
        {"acetate buffer, ideal", "--beaker 'CH3COOH=0.1;CH3COONa=0.1' --burette 'Na+=0.1' --at 0",
         4.76, 0.01},
        {"acetate buffer, Davies",
         "--beaker 'CH3COOH=0.1;CH3COONa=0.1' --burette 'Na+=0.1' --at 0 --activities davies", 4.65,
         0.01},
        {"HCl 0.01, Davies", "--beaker 'HCl=0.01' --burette 'Na+=0.1' --at 0 --activities davies",
         2.045, 0.005},
        {"water at 0 °C", std::string(water) + " --temperature 0", 7.47, 0.01},
        {"water at 25 °C, Davies", std::string(water) + " --activities davies", 7.00, 0.01},
        {"water at 50 °C", std::string(water) + " --temperature 50", 6.63, 0.01},
        {"water at 50 °C, Davies", std::string(water) + " --temperature 50 --activities davies",
         6.63, 0.01},
        {"ammonium half titrated at 35 °C",
         "--beaker 'NH4Cl=0.1' --burette 'Na+=0.1' --at 10 --temperature 35", 8.95, 0.03},
    };
    for (const auto& k : cases) {
        const ToolRun run = freeRun(k.arguments);
        ASSERT_EQ(run.status, 0) << k.label << ": " << run.err;
        EXPECT_NEAR(lineValue(run.out, "pH"), k.pH, k.tolerance) << k.label << "\n" << run.out;
    }
}

// The ionic strength line of --at against ½ Σ c z² counted by hand: the buffer holds 0.1 mol/L
// of Na+ and as much ethanoate; the acid 0.01 mol/L of H3O+ and of Cl-; 1 mL of soda in it
// leaves 0.2 mmol of Cl-, 0.1 of Na+ and 0.1 of H3O+ in 21 mL.
TEST(ConditionsTool, IonicStrengthLine) {
    const struct {
        const char* label;
        const char* arguments;
        double strength, tolerance; // mol/L
    } cases[] = {
        {"buffer", "--beaker 'CH3COOH=0.1;CH3COONa=0.1' --burette 'Na+=0.1' --at 0", 0.1, 1e-4},
        {"HCl", "--beaker 'HCl=0.01' --burette 'Na+=0.1' --at 0", 0.01, 1e-6},
        {"HCl half titrated: (0.01·20 + 0.01·1) / 21 of Cl- and Na+ with H3O+",
         "--beaker 'HCl=0.01' --burette 'Na+=0.1' --at 1", (0.2 / 21 + 0.1 / 21 + 0.1 / 21) / 2,
         1e-6},
    };
    for (const char* activities : {"davies", "none --temperature 30"})
        for (const auto& k : cases) {
            const ToolRun run =
                freeRun(std::string(k.arguments) + " --lang en --activities " + activities);
            ASSERT_EQ(run.status, 0) << k.label << ": " << run.err;
            EXPECT_NEAR(lineValue(run.out, "ionic strength (mol/L)"), k.strength, k.tolerance)
                << k.label << ", " << activities << "\n"
                << run.out;
        }
}

// What the outputs say of their conditions: the note line above the table with activities, the
// Davies warning once beyond 0.5 mol/L (in the table and on the status line), the conductivity
// of another temperature marked as computed with the λ° of 25 °C; nothing of it otherwise.
TEST(ConditionsTool, NotesOfTheConditions) {
    const std::string acid = "--beaker 'CH3COOH=0.1' --burette 'Na+=0.1' --points 5 ";
    const std::string strong = "--beaker 'HCl=1' --burette 'Na+=1' --points 5 ";
    const struct {
        const char* label;
        std::string arguments;
        // The table's first line begins so ("": --at). The ionic strength runs from that of
        // the acid alone (about √(Ka c), 0.00136 mol/L) to ½ (4 + 2 + 2) mmol / 60 mL of Na+,
        // ethanoate and OH- at twice the equivalence.
        const char* firstLine;
        int warningsOut, warningsErr;
        bool conductivityNote; // --at: the third field of the sigma line
    } cases[] = {
        {"ideal", acid, "v (L)", 0, 0, false},
        {"Davies", acid + "--activities davies", "avec activités (Davies), I = 0.00136 à 0.0667", 0,
         0, false},
        {"Davies, English", acid + "--activities davies --lang en",
         "with activities (Davies), I = 0.00136 to 0.0667 mol/L", 0, 0, false},
        {"Davies beyond 0.5", strong + "--activities davies", "avec activités (Davies)", 1, 1,
         false},
        {"ideal beyond 0.5", strong, "v (L)", 0, 0, false},
        {"at 40 °C, ideal", acid + "--temperature 40", "v (L)", 0, 0, false},
        {"--at at 40 °C", acid + "--at 5 --temperature 40", "", 0, 0, true},
        {"--at at 25 °C, Davies", acid + "--at 5 --activities davies", "", 0, 0, false},
    };
    const std::string warning = "Force ionique au-delà de 0,5 mol/L";
    auto count = [](const std::string& text, const std::string& what) {
        int n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    };
    for (const auto& k : cases) {
        const ToolRun run = freeRun(k.arguments);
        ASSERT_EQ(run.status, 0) << k.label << ": " << run.err;
        if (*k.firstLine)
            EXPECT_EQ(run.out.rfind(k.firstLine, 0), 0u) << k.label << "\n" << run.out;
        EXPECT_EQ(count(run.out, warning), k.warningsOut) << k.label << "\n" << run.out;
        EXPECT_EQ(count(run.err, warning), k.warningsErr) << k.label << "\n" << run.err;
        const auto lines = tabFields(run.out);
        const auto sigma = std::find_if(lines.begin(), lines.end(),
                                        [](const auto& l) { return l[0] == "sigma (S/m)"; });
        if (*k.firstLine) continue;
        ASSERT_NE(sigma, lines.end()) << k.label;
        EXPECT_EQ(sigma->size() == 3 && (*sigma)[2].find("25 °C") != std::string::npos,
                  k.conductivityNote)
            << k.label;
    }
}

// The conditions at their defaults, typed or not, change no byte of any output.
TEST(ConditionsTool, DefaultsChangeNothing) {
    const std::string beaker = "--beaker 'CH3COOH=0.1;HCl=0.05' --burette 'Na+=0.1' ";
    for (const char* reading : {"", "--at 7", "--equivalence", "--derivative --tick 1,2"}) {
        const ToolRun plain = freeRun(beaker + reading);
        const ToolRun typed = freeRun(beaker + reading + " --activities none --temperature 25");
        ASSERT_EQ(plain.status, 0) << reading << ": " << plain.err;
        EXPECT_EQ(typed.out, plain.out) << reading;
        EXPECT_EQ(typed.err, plain.err) << reading;
    }
}

// --vary temperature=...: each column is the curve the table gives at that temperature alone,
// read at the same volumes (a curve solved point after point against each point solved alone).
TEST(ConditionsTool, TemperatureVariedAsColumns) {
    const std::string base = "--beaker 'CH3COOH=0.1' --burette 'Na+=0.1' --points 9 --by-volume ";
    for (const char* activities : {"none", "davies"}) {
        const ToolRun varied =
            freeRun(base + "--activities " + activities + " --vary 'temperature=15;25;35'");
        ASSERT_EQ(varied.status, 0) << varied.err;
        auto rows = tabFields(varied.out);
        if (rows.front().size() == 1) rows.erase(rows.begin()); // the note of the activities
        ASSERT_EQ(rows.size(), 10u) << varied.out;
        EXPECT_EQ(rows[0][2], "Température (°C) = 25") << varied.out;
        const char* temperatures[] = {"15", "25", "35"};
        for (int c = 0; c < 3; ++c) {
            const ToolRun alone =
                freeRun(base + "--activities " + activities + " --temperature " + temperatures[c]);
            auto single = tabFields(alone.out);
            if (single.front().size() == 1) single.erase(single.begin());
            ASSERT_EQ(single.size(), rows.size()) << alone.out;
            for (std::size_t i = 1; i < rows.size(); ++i) {
                EXPECT_EQ(number(rows[i][0]), number(single[i][0])) << i;
                EXPECT_NEAR(number(rows[i][c + 1]), number(single[i][1]), 1e-9)
                    << activities << ", " << temperatures[c] << " °C, line " << i;
            }
        }
    }
}

TEST(ConditionsTool, RefusesAndComputesNothing) {
    const struct {
        const char* arguments;
        const char* named; // what the message must name
    } cases[] = {
        {"--temperature 61", "--temperature expects a temperature in °C from 0 to 60, not '61'"},
        {"--temperature -0.5", "not '-0.5'"},
        {"--temperature warm", "not 'warm'"},
        {"--temperature", "--temperature expects a value"},
        {"--activities debye", "--activities expects davies or none, not 'debye'"},
        {"--vary 'temperature=15;70'", "not '70'"},
        {"--vary 'temperature='", "--vary temperature expects 1 to 20 temperatures"},
        {"--vary 'D1=0.1;0.2'", "the free study varies temperature=T1;T2;... (°C) or a row's value"},
        {"--vary 'temperature=15;25' --at 5", "--vary cannot go with --at"},
    };
    for (const auto& k : cases) {
        const ToolRun run =
            freeRun(std::string("--beaker 'HCl=0.1' --burette 'Na+=0.1' ") + k.arguments);
        EXPECT_EQ(run.status, 2) << k.arguments;
        EXPECT_TRUE(run.out.empty()) << k.arguments << ": " << run.out;
        EXPECT_NE(run.err.find(k.named), std::string::npos) << k.arguments << ": " << run.err;
    }
}

// The studies in given conditions: the beaker's pH (first line by volume) is that of the free
// study's same solution, the table keeps its lines, and its note says the conditions.
TEST(ConditionsTool, StudiesOnTheEngine) {
    const struct {
        const char* label;
        const char* study;
        const char* free; // the beaker as the free study types it
    } cases[] = {
        // The entries' own pKa: -9 for HBr, -7 for HCl, 3 for salicylic acid; the solute
        // database gives none of them a ΔH°.
        {"hydrobromic acid 0.1 (entry 3)", "--study titration --entry1 3", "'acid(-9)=0.1'"},
        {"HCl 0.1 and salicylic acid 0.1 mixed 1:1 (entries 4 and 10)",
         "--study two-mono --entry1 4 --entry2 10", "'acid(-7)=0.05;acid(3)=0.05'"},
    };
    for (const char* conditions :
         {"--activities davies", "--temperature 45", "--temperature 10 --activities davies"})
        for (const auto& k : cases) {
            const std::string label = std::string(k.label) + ", " + conditions;
            const ToolRun table = runTool(std::string(k.study) +
                                          " --by-volume --points 11 --separator point "
                                          "--digits 17 --lang en " +
                                          conditions);
            ASSERT_EQ(table.status, 0) << label << ": " << table.err;
            const auto rows = tabFields(table.out);
            ASSERT_EQ(rows.size(), 13u) << label << "\n" << table.out;
            EXPECT_NE(rows[0][0].find("Temperature (°C) = "), std::string::npos) << label;
            const ToolRun beaker = freeRun(std::string("--beaker ") + k.free +
                                           " --burette 'Na+=0.1' --at 0 --lang en " + conditions);
            ASSERT_EQ(beaker.status, 0) << label << ": " << beaker.err;
            EXPECT_NEAR(number(rows[2][1]), lineValue(beaker.out, "pH"), 1e-9) << label;
            // The remarkable points of the titration (its beaker as freeRun's, 20 mL).
            if (std::string(k.study).find("two-mono") != std::string::npos) continue;
            const ToolRun points = runTool(std::string(k.study) +
                                           " --equivalence --separator point --digits 17 " +
                                           conditions);
            const ToolRun freePoints = freeRun(std::string("--beaker ") + k.free +
                                               " --burette 'Na+=0.1' --equivalence " + conditions);
            ASSERT_EQ(points.status, 0) << label << ": " << points.err;
            EXPECT_FALSE(points.out.empty()) << label;
            EXPECT_EQ(points.out, freePoints.out) << label;
        }
}

TEST(ConditionsTool, StudiesRefuseWhatTheEngineDoesNotStandFor) {
    const char* cases[] = {
        "--study species --activities davies",
        "--study mixture --temperature 30",
        "--study titration --temperature 30 --explain 10",
        "--study titration --temperature 30 --vary 'D1=0.1;0.2'",
        "--study titration --temperature 70",
        "--study dilution --activities ideal",
    };
    for (const char* arguments : cases) {
        const ToolRun run = runTool(std::string(arguments));
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments << ": " << run.out;
        EXPECT_NE(run.err.find(std::string(arguments).find("--temperature") != std::string::npos
                                   ? "--temperature"
                                   : "--activities"),
                  std::string::npos)
            << arguments << ": " << run.err;
    }
}

// A study saved in given conditions opens in them; the options of the command line win.
TEST(ConditionsTool, StudyFileKeepsTheConditions) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("titralab-conditions-" + std::to_string(getpid()) + ".json"))
                                 .string();
    const std::string conditions = "--temperature 35 --activities davies ";
    // Each study saved in conditions, then opened: the same numbers, unless the options replace
    // the file's conditions. The free study compares its point at 10 mL.
    struct Case {
        std::string study, read;
    } cases[] = {
        {"--study titration --entry1 17 --points 7 ", ""},
        {"--study free --beaker 'acid(4.76)=0.1' --beaker-volume 20 --burette 'Na+=0.1' ",
         "--at 10 "},
    };
    // The table, or the pH line of the point.
    auto numbers = [](const ToolRun& run, bool point) {
        if (!point) return run.out;
        for (const auto& line : tabFields(run.out))
            if (line.size() >= 2 && line[0] == "pH") return line[1];
        return std::string();
    };
    for (const Case& c : cases) {
        const bool point = !c.read.empty();
        const ToolRun saved = runTool(c.study + conditions + "--save " + file);
        ASSERT_EQ(saved.status, 0) << saved.err;
        const ToolRun opened = runTool(c.read + "--open " + file);
        EXPECT_EQ(opened.status, 0) << opened.err;
        EXPECT_EQ(numbers(opened, point), numbers(runTool(c.read + c.study + conditions), point))
            << c.study;
        const ToolRun ideal =
            runTool(c.read + "--open " + file + " --activities none --temperature 25");
        EXPECT_EQ(numbers(ideal, point), numbers(runTool(c.read + c.study), point)) << c.study;
        EXPECT_NE(numbers(ideal, point), numbers(opened, point)) << c.study;
    }
    std::filesystem::remove(file);
}

// --vary temperature=... in a study: each column is the study's table by volume at that
// temperature alone, the 25 °C one the study's own (its closed forms, not the engine).
TEST(ConditionsTool, StudyTemperatureVariedAsColumns) {
    const std::string study = "--study titration --entry1 17 --points 9 --separator point "
                              "--digits 17 --lang en ";
    for (const char* activities : {"none", "davies"}) {
        const ToolRun varied =
            runTool(study + "--activities " + activities + " --vary 'temperature=10;25;40'");
        ASSERT_EQ(varied.status, 0) << varied.err;
        const auto rows = tabFields(varied.out);
        ASSERT_EQ(rows.size(), 11u) << varied.out;
        EXPECT_EQ(rows[1][1], "Temperature (°C) = 10") << varied.out;
        const char* temperatures[] = {"10", "25", "40"};
        for (int c = 0; c < 3; ++c) {
            const ToolRun alone = runTool(study + "--by-volume --activities " + activities +
                                          " --temperature " + temperatures[c]);
            const auto single = tabFields(alone.out);
            ASSERT_EQ(single.size(), rows.size()) << alone.err << alone.out;
            for (std::size_t i = 2; i < rows.size(); ++i) {
                EXPECT_EQ(rows[i][0], single[i][0]) << i;
                EXPECT_NEAR(number(rows[i][c + 1]), number(single[i][1]), 1e-9)
                    << activities << ", " << temperatures[c] << " °C, line " << i;
            }
        }
    }
    for (const char* refused : {"--study species --vary 'temperature=10;20'",
                                "--study titration --vary 'temperature=10;20' --at 5",
                                "--study titration --vary 'temperature=10;61'"}) {
        const ToolRun run = runTool(refused);
        EXPECT_EQ(run.status, 2) << refused;
        EXPECT_NE(run.err.find("--vary temperature"), std::string::npos) << refused << run.err;
    }
}

} // namespace

// The studies' entries take the ΔH° the solute database gives their couple: the ammonium ion's
// half-equivalence moves with its pKa by van 't Hoff's law (ΔH° = 52.21 kJ/mol, NH4+ = NH3 + H+
// in PHREEQC's phreeqc.dat); an entry without one (salicylic acid) is named as kept at 25 °C.
TEST(ConditionsTool, StudyEntriesTakeTheDatabasesEnthalpy) {
    const auto halfPH = [](const char* temperature) {
        const ToolRun run = runTool(std::string("--study titration --entry1 20 --equivalence "
                                                "--separator point --digits 17 --temperature ") +
                                    temperature);
        EXPECT_EQ(run.status, 0) << run.err;
        for (const auto& line : tabFields(run.out))
            if (line.size() == 4 && line[0] == "half") return number(line[3]);
        ADD_FAILURE() << "no half-equivalence: " << run.out;
        return 0.0;
    };
    constexpr double kR = 8.314462618, kEnthalpy = 52.21e3; // J/(mol·K), J/mol
    const double shift = kEnthalpy / (kR * std::log(10.0)) * (1 / 323.15 - 1 / 298.15);
    EXPECT_NEAR(halfPH("50") - halfPH("25"), shift, 0.01);
    const ToolRun salicylic = runTool("--study titration --entry1 10 --temperature 50 --lang en");
    EXPECT_NE(salicylic.out.find("kept at 25 °C (enthalpy of reaction unknown): salicylic acid"),
              std::string::npos)
        << salicylic.out.substr(0, 300);
}
