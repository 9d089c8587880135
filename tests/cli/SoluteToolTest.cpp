// titralab-export --list-solutes and --find-solute: the database beside the tool, one entry a
// line, five tab-separated columns.
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
    };
    const Case cases[] = {
        {"salt by formula", "--find-solute NaHCO3",
         "hydrogénocarbonate de sodium\tsodium hydrogen carbonate\tNaHCO3\t6.352 10.329\tMINTEQ4 "
         "NEUTRAL PHREEQC"},
        {"decimal comma", "--find-solute H3PO4 --separator comma",
         "acide phosphorique\tphosphoric acid\tH3PO4\t2,148 7,198 12,375\tMINTEQ4 NEUTRAL PHREEQC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto run = runTool(c.arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> out = lines(run.out);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out[0], c.firstLine);
    }
}
