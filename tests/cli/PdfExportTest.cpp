// titralab-export --pdf: the printed page of a computed study written to a PDF file.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using titralab::testing::runTool;
using titralab::testing::ToolRun;

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of standard error that are the tool's own (Qt may add its warnings).
std::vector<std::string> toolLines(const std::string& err) {
    std::vector<std::string> out;
    std::stringstream lines(err);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("titralab-export: ", 0) == 0) out.push_back(line);
    return out;
}

class PdfExport : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("titralab-pdf-" + std::to_string(getpid()));
        fs::create_directories(dir);
        // Without Qt the tool refuses --pdf: nothing to test here then.
        const ToolRun probe = runTool("--study titration --pdf " + (dir / "probe.pdf").string());
        if (probe.status == 2 && probe.err.find("needs a build with Qt") != std::string::npos)
            GTEST_SKIP() << "titralab-export was built without Qt";
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

struct PageCase {
    const char* label;
    std::string arguments;
};

void PrintTo(const PageCase& c, std::ostream* os) {
    *os << c.label;
}

class PdfExportPages : public PdfExport, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PdfExportPages, WritesOnePageAndNoTable) {
    const fs::path file = dir / "page.pdf";
    const ToolRun run = runTool(GetParam().arguments + " --pdf " + file.string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty()) << "the page replaces the table";
    EXPECT_TRUE(toolLines(run.err).empty()) << run.err;
    const std::string pdf = readAll(file);
    ASSERT_GE(pdf.size(), 5u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    std::smatch count;
    ASSERT_TRUE(std::regex_search(pdf, count, std::regex(R"(/Type /Pages\s[^>]*?/Count (\d+))")));
    EXPECT_EQ(count[1], "1");
    std::smatch box;
    ASSERT_TRUE(
        std::regex_search(pdf, box, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")));
    EXPECT_NEAR(std::stod(box[1]), 595, 1) << "A4";
    EXPECT_NEAR(std::stod(box[2]), 842, 1);
    EXPECT_GT(pdf.size(), 5000u);
    EXPECT_LT(pdf.size(), 2000000u);
}

INSTANTIATE_TEST_SUITE_P(
    Studies, PdfExportPages,
    ::testing::Values(
        PageCase{"TitrationOptimised", "--study titration --entry1 17"},
        PageCase{"TitrationHalfPage", "--study titration --entry1 17 --format half"},
        PageCase{"TitrationQuarterPage", "--study titration --entry1 17 --format quarter "
                                         "--char-size 11 --grid --colour --no-arrows"},
        PageCase{"Species", "--study species --entry1 30 --tick 2,3,4,5 --zoom"},
        PageCase{"Dilution", "--study dilution --entry1 17 --no-constants"},
        PageCase{"BaseSide", "--study titration --side base --entry1 2 --line-width abc "
                             "--dash-length 20 --graduations 16"},
        PageCase{"TwoMonoacidsWithComments",
                 "--study two-mono --entry1 17 --entry2 22 --comment1 'TP 3' --comment2 'B'"}),
    [](const auto& info) { return std::string(info.param.label); });

// Pasted points print as symbols: the page with them is larger than the page without.
TEST_F(PdfExport, PastedPointsAddToThePage) {
    const fs::path points = dir / "points.txt";
    std::ofstream(points)
        << "0.005\t4.2\r\n0.01\t4.7\r\n0.015\t5.2\r\n0.02\t8.7\r\n0.025\t11.5\r\n";
    const fs::path with = dir / "with.pdf", without = dir / "without.pdf";
    const std::string study = "--study titration --entry1 17 --point-style 7 ";
    ASSERT_EQ(runTool(study + "--paste " + points.string() + " --pdf " + with.string()).status, 0);
    ASSERT_EQ(runTool(study + "--pdf " + without.string()).status, 0);
    EXPECT_GT(fs::file_size(with), fs::file_size(without));
}

struct RefusalCase {
    const char* label;
    std::string arguments;
    int status;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.label;
}

class PdfExportRefusals : public PdfExport, public ::testing::WithParamInterface<RefusalCase> {};

// A page that cannot be made leaves no file and says why on one line.
TEST_P(PdfExportRefusals, OneLineAndNoFile) {
    const RefusalCase& c = GetParam();
    const fs::path file = dir / "refused.pdf";
    std::string arguments = c.arguments;
    const std::size_t slot = arguments.find("FILE");
    if (slot != std::string::npos) arguments.replace(slot, 4, file.string());
    const ToolRun run = runTool(arguments);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(toolLines(run.err).size(), 1u) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(fs::exists(file));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, PdfExportRefusals,
    ::testing::Values(RefusalCase{"MixtureHasNoPage", "--study mixture --pdf FILE", 2},
                      RefusalCase{"UnknownFormat", "--study titration --format a3 --pdf FILE", 2},
                      RefusalCase{"PointStyleOutOfRange",
                                  "--study titration --point-style 8 --pdf FILE", 2},
                      RefusalCase{"MissingFolder", "--study titration --pdf FILE/none/page.pdf", 1},
                      RefusalCase{"UnreadablePaste",
                                  "--study titration --paste /nonexistent/points --pdf FILE", 1}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PdfExportHelp, ListsThePageOptions) {
    const ToolRun help = runTool("--help");
    ASSERT_EQ(help.status, 0);
    for (const char* option :
         {"--pdf FILE", "--format", "--line-width", "--dash-length", "--char-size", "--graduations",
          "--zoom", "--no-constants", "--colour", "--no-arrows", "--grid", "--comment1",
          "--comment2", "--paste", "--point-style"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

} // namespace
