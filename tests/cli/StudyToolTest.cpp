// titralab-export with study files (--open, --save) and the fit of pasted points (--fit).
#include "ToolRun.h"

#include "core/base/Notifier.h"
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

using namespace titralab;
using titralab::testing::runTool;
namespace fs = std::filesystem;

namespace {

fs::path scratch(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / "titralab-tool-studies";
    fs::create_directories(dir);
    return dir / name;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

TEST(StudyTool, SavedStudiesOpenToTheSameTable) {
    struct Case {
        const char* label;
        std::string options;
    };
    const Case cases[] = {
        {"titration", "--study titration --entry1 30 --dilution --tick 2,3,8"},
        {"base side species", "--study species --side base --entry1 3 --separator point"},
        {"two monoacids by volume",
         "--study two-mono --entry1 9 --entry2 17 --by-volume --D13 0.01"},
        {"mixture", "--study mixture --side base --entry1 2 --entry2 4 --digits 8"},
        {"dilution", "--study dilution --entry1 24 --points 40"},
    };
    for (const Case& c : cases) {
        const fs::path file = scratch(std::string(c.label) + ".titralab");
        const auto saved = runTool(c.options + " --save '" + file.string() + "'");
        ASSERT_EQ(saved.status, 0) << c.label << ": " << saved.err;
        const auto opened = runTool("--open '" + file.string() + "'");
        EXPECT_EQ(opened.status, 0) << c.label << ": " << opened.err;
        EXPECT_EQ(opened.out, saved.out) << c.label;
    }
    // Options given with --open change the opened study.
    const fs::path file = scratch("titration.titralab");
    const auto point = runTool("--open '" + file.string() + "' --separator point");
    EXPECT_EQ(point.status, 0) << point.err;
    EXPECT_NE(point.out.find('.'), std::string::npos);
    EXPECT_EQ(point.out.find(','), std::string::npos);
}

TEST(StudyTool, AnEntryTheOpenedStudysTableLacksIsRefusedAsWithoutAFile) {
    struct Case {
        const char* label;
        std::string side;    // of the saved study
        std::string entries; // asked with --open
    };
    const Case cases[] = {
        {"base side, column 1", "base", "--entry1 30"},
        {"base side, column 2", "base", "--entry2 25"},
        {"acid side", "acid", "--entry1 99"},
    };
    for (const Case& c : cases) {
        const fs::path file = scratch("entrees-" + c.side + ".titralab");
        const auto saved = runTool("--study titration --side " + c.side + " --entry1 2 --save '" +
                                   file.string() + "'");
        ASSERT_EQ(saved.status, 0) << c.label << ": " << saved.err;
        const auto direct = runTool("--study titration --side " + c.side + " " + c.entries);
        const auto opened = runTool("--open '" + file.string() + "' " + c.entries);
        EXPECT_EQ(direct.status, 2) << c.label;
        EXPECT_EQ(opened.status, direct.status) << c.label << ": " << opened.out;
        EXPECT_EQ(opened.err, direct.err) << c.label;
        EXPECT_TRUE(opened.out.empty()) << c.label;
    }
}

TEST(StudyTool, ARefusedFileIsNamedAndNothingIsPrinted) {
    const fs::path file = scratch("abime.titralab");
    std::ofstream(file)
        << "{\"format\": \"TitraLab study\", \"format_version\": \"1.0\", \"panel\": {";
    const auto run = runTool("--open '" + file.string() + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(
        run.err.find("Impossible d'ouvrir l'étude « abime.titralab » : le fichier est tronqué"),
        std::string::npos)
        << run.err;
}

TEST(StudyTool, FitPrintsEachValueWithItsUncertaintyThenTheResidualDeviation) {
    // Acetic acid measured at 0.0923 mol/L and pKa 4.81, every 0.5 mL to 30 mL, exact pH.
    Simulation truth;
    chooseStudyAndEntries(truth, BuretteSide::AcidSide, Study::TitrationVsVolume, 17, 17);
    truth.panel.at(Field::Concentration1) = "0.0923";
    truth.panel.at(Field::PKa1) = "4.81";
    ChemicalState s = truth.state;
    RecordingNotifier quiet;
    setUpSimulation(s, truth.panel, quiet, Language::French);
    const fs::path pasted = scratch("mesures.txt");
    {
        std::ofstream out(pasted);
        out << "v\tpH\n";
        for (int i = 0; i <= 60; ++i)
            out << formatGeneral(i * 0.0005, 8, ',') << '\t'
                << formatGeneral(solvePH(s, i * 0.0005), 12, ',') << '\n';
    }
    struct Case {
        const char* label;
        std::string options;
        std::vector<std::string> names;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"default comma", "--fit C1,pK1", {"C1", "pK1"}, {0.0923, 4.81}},
        {"point, more digits",
         "--fit pK1,C1 --separator point --digits 8",
         {"pK1", "C1"},
         {4.81, 0.0923}},
    };
    for (const Case& c : cases) {
        const auto run =
            runTool("--study titration --entry1 17 --paste '" + pasted.string() + "' " + c.options);
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        EXPECT_EQ(run.out.find('\r'), std::string::npos) << c.label;
        const std::vector<std::string> lines = linesOf(run.out);
        // The values, the equivalence volume, s(pH) and the points used.
        ASSERT_EQ(lines.size(), c.names.size() + 3) << c.label << ": " << run.out;
        for (std::size_t k = 0; k < c.names.size(); ++k) {
            std::vector<std::string> fields;
            std::stringstream in(lines[k]);
            std::string field;
            while (std::getline(in, field, '\t')) fields.push_back(field);
            ASSERT_EQ(fields.size(), 3u) << c.label << ": " << lines[k];
            EXPECT_EQ(fields[0], c.names[k]) << c.label;
            for (char& ch : fields[1])
                if (ch == ',') ch = '.';
            EXPECT_NEAR(std::stod(fields[1]), c.values[k], 1e-4 * c.values[k]) << c.label;
        }
        // The equivalence volume, 0.0923 mol/L x 20 mL / 0.1 mol/L, in litres.
        const std::string& veq = lines[c.names.size()];
        ASSERT_EQ(veq.rfind("Veq1\t", 0), 0u) << c.label << ": " << veq;
        std::string volume = veq.substr(5, veq.find('\t', 5) - 5);
        for (char& ch : volume)
            if (ch == ',') ch = '.';
        EXPECT_NEAR(std::stod(volume), 0.01846, 1e-6) << c.label;
        EXPECT_EQ(lines[lines.size() - 2].rfind("s(pH)\t", 0), 0u) << c.label;
        EXPECT_EQ(lines.back(), "points\t61") << c.label;
    }
    struct Refusal {
        const char* label;
        std::string options;
        const char* error;
    };
    const Refusal refusals[] = {
        {"C2 of one acid", "--fit C2", "C2 n'est pas une valeur de cette étude"},
        {"C2 of one acid, in English", "--fit C2 --lang en", "C2 is not a value of this study"},
    };
    for (const Refusal& r : refusals) {
        const auto run =
            runTool("--study titration --entry1 17 --paste '" + pasted.string() + "' " + r.options);
        EXPECT_EQ(run.status, 1) << r.label;
        EXPECT_NE(run.err.find(r.error), std::string::npos) << r.label << ": " << run.err;
    }
    // A start from which the fit finds no way: it says so, and still shows s(pH) and points.
    const auto poor = runTool("--study titration --entry1 17 --D4 19 --paste '" + pasted.string() +
                              "' --fit pK1 --lang en");
    EXPECT_EQ(poor.status, 1);
    EXPECT_NE(poor.err.find("did not converge"), std::string::npos) << poor.err;
    EXPECT_NE(poor.out.find("s(pH)\t"), std::string::npos) << poor.out;
    EXPECT_NE(poor.out.find("points\t61\n"), std::string::npos) << poor.out;
    const auto refused =
        runTool("--study species --entry1 17 --paste '" + pasted.string() + "' --fit C1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("étude de titrage"), std::string::npos) << refused.err;
}

} // namespace
