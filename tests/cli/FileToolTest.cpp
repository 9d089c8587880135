// titralab-export's files: every option that writes, on a full file system, and the options
// that read, on a pipe.
#include "ToolRun.h"
#include "tests/core/system/WriterFaults.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

using titralab::testing::runTool;
using titralab::testing::ToolRun;

namespace {

namespace fs = std::filesystem;
using namespace titralab::testing;

// A full disk: the tool says so, exits 1, and the earlier file is whole.
TEST(FileTool, EveryWriterOnAFullFileSystemFailsAndKeepsTheEarlierFile) {
    struct Case {
        const char* label;
        const char* name;    // the earlier file
        const char* option;  // followed by the file (or, for --out, its folder)
        std::uintmax_t room; // bytes left free, less than the file needs (0: none)
    } cases[] = {
        {"study", "old.titralab", "--save", 0},
        {"workbook", "old.xlsx", "--xlsx", 0},
        {"copy", "NumPt1.Txt", "--out", 0},
        {"page, no room", "old.pdf", "--pdf", 0},
        {"page, some room", "old.pdf", "--pdf", 16384},
        {"PNG picture, some room", "old.png", "--png", 16384},
        {"SVG picture, some room", "old.svg", "--svg", 16384},
    };
    for (const Case& c : cases) {
        SmallDisk disk("size=1m");
        if (!disk.mounted()) GTEST_SKIP() << "no permission to mount a small file system";
        const fs::path target = disk.folder() / c.name;
        writeText(target, "the earlier file");
        disk.fill(c.room);
        const auto before = pictureOf(disk.folder());
        const std::string where =
            std::string(c.option) == "--out" ? disk.folder().string() : target.string();
        const ToolRun run = runTool("--study titration --entry1 17 --separator point " +
                                    std::string(c.option) + " " + where);
        if (run.status == 2 && run.err.find("needs a build with Qt") != std::string::npos)
            continue; // the tool was built without Qt
        EXPECT_EQ(run.status, 1) << c.label << ": " << run.err;
        EXPECT_NE(run.err.find("disque est plein"), std::string::npos)
            << c.label << ": " << run.err;
        EXPECT_EQ(pictureOf(disk.folder()), before) << c.label;
    }
}

// A pipe given to read is refused at once: the tool never waits for a writer.
TEST(FileTool, APipeToReadIsRefusedAtOnce) {
    std::string pattern = (fs::temp_directory_path() / "titralab-pipe-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    const fs::path pipe = folder / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        const char* label;
        std::string arguments;
        const char* says;
    } cases[] = {
        {"--open", "--open " + pipe.string(), "pas un fichier ordinaire"},
        {"--paste", "--study titration --paste " + pipe.string(), "not an ordinary file"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_NE(run.status, 0) << c.label;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.label << ": " << run.err;
    }
    fs::remove_all(folder);
}

} // namespace
