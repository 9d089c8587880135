// titralab-export --png, --svg and --vary: the chart as a picture, and a field varied over
// several values in one table.
#include "../core/session/WorkbookReader.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using titralab::testing::runTool;

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The width of a PNG picture, from its header chunk.
unsigned pngWidth(const std::string& png) {
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return 0;
    unsigned w = 0;
    for (int k = 16; k < 20; ++k) w = (w << 8) | static_cast<unsigned char>(png[k]);
    return w;
}

TEST(PictureExport, WritesTheChartWithItsLegend) {
    const fs::path dir =
        fs::temp_directory_path() / ("titralab-pictures-" + std::to_string(getpid()));
    fs::create_directories(dir);
    // Without Qt the tool refuses pictures: nothing to test here then.
    const auto probe = runTool("--study titration --png " + (dir / "probe.png").string());
    if (probe.status == 2 && probe.err.find("needs a build with Qt") != std::string::npos)
        GTEST_SKIP() << "titralab-export was built without Qt";
    struct Case {
        const char* label;
        std::string options;
        std::string file;
        unsigned width;          // PNG only
        std::string mustContain; // SVG only: the legend's text
    } cases[] = {
        {"PNG at the default width", "--png", "a.png", 1000, ""},
        {"PNG at a chosen width", "--width 1600 --png", "b.png", 1600, ""},
        {"SVG of a family", "--vary 'D4=3;7' --svg", "c.svg", 0, "pKa = 7"},
    };
    for (const Case& c : cases) {
        const fs::path file = dir / c.file;
        const auto run =
            runTool("--study titration --entry1 17 " + c.options + " " + file.string());
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        const std::string content = readAll(file);
        if (c.width) {
            EXPECT_EQ(pngWidth(content), c.width) << c.label;
        } else {
            EXPECT_NE(content.find("<svg"), std::string::npos) << c.label;
            EXPECT_NE(content.find(c.mustContain), std::string::npos) << c.label;
        }
    }
    fs::remove_all(dir);
}

TEST(VaryOption, OneColumnPerValueOrAOneLineRefusal) {
    struct Case {
        const char* label;
        std::string options;
        int status;
        std::string firstLine; // of the table, or the error
    } cases[] = {
        {"pKa of acetic acid", "--study titration --entry1 17 --points 10 --vary 'D4=3;4,75;9'", 0,
         "v de monobase\tpKa = 3\tpKa = 4,75\tpKa = 9"},
        {"burette concentration, base side",
         "--study titration --side base --points 10 --vary 'D1=0.1;0.2'", 0,
         "v de monoacide\tCai = 0,1 mol/L\tCai = 0,2 mol/L"},
        {"mixture study", "--study mixture --vary 'D4=3;4'", 2,
         "titralab-export: --vary: the mixture study has no curve to vary (see --help)"},
        {"not a field", "--study titration --vary 'D11=3;4'", 2,
         "titralab-export: --vary: D11 is not a chemistry field (see --help)"},
        {"one value", "--study titration --vary 'D4=3'", 2,
         "titralab-export: --vary: Une famille compte de 2 à 12 valeurs."},
        {"both concentrations together",
         "--study titration --entry1 1 --points 10 --vary 'D1,D2=1;0,1'", 0,
         "v de monobase\tCbi = 1 mol/L ; Cai = 1 mol/L\tCbi = 0,1 mol/L ; Cai = 0,1 mol/L"},
        {"dilution factor", "--study titration --entry1 1 --points 10 --vary 'dilution=1;10'", 0,
         "v de monobase\tfacteur de dilution = 1\tfacteur de dilution = 10"},
        {"a concentration out of range by dilution",
         "--study titration --entry1 1 --D1 0,1 --vary 'dilution=1;1E8'", 2,
         "titralab-export: --vary: Valeur refusée pour Cbi : 1E-9 (de 1E-8 à 15)"},
    };
    for (const Case& c : cases) {
        const auto run = runTool(c.options);
        EXPECT_EQ(run.status, c.status) << c.label << ": " << run.err;
        const std::string& text = c.status == 0 ? run.out : run.err;
        const std::string first = text.substr(0, text.find_first_of("\r\n"));
        EXPECT_EQ(first, c.firstLine) << c.label;
        if (c.status == 0) {
            EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 11)
                << c.label; // the header and ten rows
            EXPECT_EQ(run.out.find('\r'), std::string::npos) << c.label;
        }
    }
}

// With --xlsx, the workbook holds the family's table: one pH column per value.
TEST(VaryOption, TheWorkbookHoldsTheFamily) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("titralab-vary-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "famille.xlsx").string();
    const auto run =
        runTool("--study titration --entry1 17 --points 10 --vary 'D4=3;9' --xlsx " + path);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto cells = titralab::testing::readSheet(path, 1);
    const auto header = [&](int column) {
        const auto cell = cells.find({2, column});
        return cell == cells.end() ? std::string() : cell->second.text;
    };
    EXPECT_EQ(header(1), "pKa = 3");
    EXPECT_EQ(header(2), "pKa = 9");
    fs::remove_all(dir);
}

} // namespace
