// titralab-export --list-solutes and --find-solute: the database beside the tool, one entry a
// line, five tab-separated columns; --solute-card: the card of the best match, its sources in
// the language of --lang.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using titralab::testing::runTool;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string c; std::getline(in, c, '\t');) out.push_back(c);
    return out;
}

int shippedEntries() {
    std::ifstream in(std::string(TITRALAB_SOURCE_DATA) + "/Solutes/solutes.tsv");
    int count = 0;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') ++count;
    return count;
}

} // namespace

TEST(SoluteTool, ListsEveryEntryOnALineOfFiveColumns) {
    const auto run = runTool("--list-solutes");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> out = lines(run.out);
    EXPECT_EQ(static_cast<int>(out.size()), shippedEntries());
    for (const std::string& line : out) EXPECT_EQ(columns(line).size(), 5u) << line;
}

TEST(SoluteTool, FindsBestMatchFirst) {
    struct Case {
        const char* label;
        const char* arguments;
        const char* firstLine;
        bool card{false}; // then firstLine starts the card's last line, its last source
    };
    const Case cases[] = {
        {"salt by formula", "--find-solute NaHCO3",
         "hydrogénocarbonate de sodium\tsodium hydrogen carbonate\tNaHCO3\t6.352 10.329\tMINTEQ4 "
         "NEUTRAL PHREEQC"},
        {"decimal comma", "--find-solute H3PO4 --separator comma",
         "acide phosphorique\tphosphoric acid\tH3PO4\t2,148 7,198 12,375\tMINTEQ4 NEUTRAL PHREEQC"},
        {"card in French", "--solute-card alanine --lang fr",
         "HARRIS : D. C. Harris, Quantitative Chemical Analysis, 9e éd.", true},
        {"card in English", "--solute-card HEPES --lang en",
         "GOLDBERG: R. N. Goldberg, N. Kishore, R. M. Lennen", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto run = runTool(c.arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> out = lines(run.out);
        ASSERT_FALSE(out.empty());
        if (c.card)
            EXPECT_EQ(out.back().rfind(c.firstLine, 0), 0u) << out.back();
        else
            EXPECT_EQ(out[0], c.firstLine);
    }
    EXPECT_NE(runTool("--solute-card unobtainium").status, 0);
}

// --user-solutes: a file of the teacher's entries joins the lists and the names of the free
// study for the run; a damaged one is refused at its line.
TEST(SoluteTool, UserFileJoinsTheRun) {
    const std::string path = ::testing::TempDir() + "user-solutes-tool.tsv";
    std::ofstream(path) << "# mine\nacide lactique perso\tmy lactic acid\tlacto\tC3H6O3\t0\t3.86\t"
                           "USER\t-\t-\t-\t-\n";
    const std::string damaged = ::testing::TempDir() + "user-solutes-damaged.tsv";
    std::ofstream(damaged) << "acide\tacid\t-\tHA\t0\t4 3\tUSER\t-\t-\t-\t-\n";
    const std::string line = "acide lactique perso\tmy lactic acid\tC3H6O3\t3.86\tUSER";
    const auto listed = runTool("--list-solutes --user-solutes " + path);
    ASSERT_EQ(listed.status, 0) << listed.err;
    const std::vector<std::string> out = lines(listed.out);
    EXPECT_EQ(static_cast<int>(out.size()), shippedEntries() + 1);
    EXPECT_EQ(out.back(), line);
    const auto found = runTool("--find-solute lacto --user-solutes " + path);
    ASSERT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(lines(found.out).at(0), line);
    // The free study's pH at 0 mL (second line) is the same for the entry's name and for
    // acid(3.86).
    const std::string free = " --study free --burette Na+=0.1 --beaker-volume 20 --at 0";
    const auto byName = runTool("--user-solutes " + path + free + " --beaker 'my lactic acid=0.1'");
    const auto byValues = runTool(free.substr(1) + " --beaker 'acid(3.86)=0.1'");
    ASSERT_EQ(byName.status, 0) << byName.err;
    ASSERT_EQ(byValues.status, 0) << byValues.err;
    EXPECT_EQ(lines(byName.out).at(1), lines(byValues.out).at(1));
    const auto refused = runTool("--list-solutes --user-solutes " + damaged + " --lang en");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("line 1: The pKa values go up"), std::string::npos) << refused.err;
}
