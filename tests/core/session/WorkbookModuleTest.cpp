#include "core/session/WorkbookModule.h"
#include "SimulationFixtures.h"
#include "WorkbookReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;
using titralab::testing::unzipMember;

namespace fs = std::filesystem;

namespace {

class WorkbookModule : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("titralab-module-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path folder;
};

// The members of a workbook archive with their contents, in the archive's order, but for the
// creation date (docProps/core.xml).
std::vector<std::pair<std::string, std::string>> membersOf(const std::string& archive) {
    std::string names;
    if (FILE* pipe = popen(("unzip -Z1 '" + archive + "' 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) names.append(buffer, n);
        pclose(pipe);
    }
    std::vector<std::pair<std::string, std::string>> members;
    std::stringstream lines(names);
    std::string name;
    while (std::getline(lines, name))
        if (name != "docProps/core.xml") members.emplace_back(name, unzipMember(archive, name));
    return members;
}

// The module the programs load writes the workbook the writer itself writes, member by member.
TEST_F(WorkbookModule, WritesWhatTheWriterWrites) {
    struct Case {
        const char* label;
        Study study;
        int entry1;
        BuretteSide side;
    } cases[] = {
        {"acetic acid titration", Study::TitrationVsVolume, 17, BuretteSide::AcidSide},
        {"species of phosphoric acid", Study::SpeciesVsPH, 30, BuretteSide::AcidSide},
        {"mixture of two polybases", Study::TwoPolyMixture, 14, BuretteSide::BaseSide},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, c.entry1, c.side);
        refresh(sim);
        const std::string direct = (folder / (std::string(c.label) + " direct.xlsx")).string();
        const std::string loaded = (folder / (std::string(c.label) + " module.xlsx")).string();
        ASSERT_TRUE(WriteWorkbook(sim, direct).ok) << c.label;
        const WorkbookResult written = writeWorkbookWithModule(sim, loaded);
        ASSERT_TRUE(written.ok) << c.label << ": " << written.error;
        const auto expected = membersOf(direct);
        ASSERT_GE(expected.size(), 5u) << c.label;
        EXPECT_EQ(membersOf(loaded), expected) << c.label;
    }
}

// A module that does not load writes nothing and says why, in the simulation's language.
TEST_F(WorkbookModule, AModuleThatDoesNotLoadSaysSo) {
    const fs::path notAModule = folder / "titralab-workbook.so";
    std::ofstream(notAModule) << "not a module";
    struct Case {
        const char* label;
        fs::path module;
        Language language;
        const char* opening;
    } cases[] = {
        {"missing", folder / "none" / "titralab-workbook.so", Language::French,
         "le module des classeurs ne se charge pas ("},
        {"not a module", notAModule, Language::French,
         "le module des classeurs ne se charge pas ("},
        {"missing, in English", folder / "none" / "titralab-workbook.so", Language::English,
         "the workbook module does not load ("},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume);
        sim.language = c.language;
        refresh(sim);
        const fs::path path = folder / "copy.xlsx";
        const WorkbookResult written =
            writeWorkbookWithModule(sim, path.string(), c.module.string());
        EXPECT_FALSE(written.ok) << c.label;
        EXPECT_EQ(written.error.rfind(c.opening, 0), 0u) << c.label << ": " << written.error;
        EXPECT_EQ(written.error.back(), ')') << c.label;
        EXPECT_FALSE(fs::exists(path)) << c.label;
    }
}

} // namespace
