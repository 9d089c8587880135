// Every writer of the program on a disk that fails, and on names that are not plain files.
#include "core/system/WholeFile.h"

#include "core/session/CopyExport.h"
#include "core/session/StudyFile.h"
#include "core/session/Workbook.h"
#include "tests/core/session/SimulationFixtures.h"
#include "tests/core/system/WriterFaults.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace titralab;
using namespace titralab::testing;

namespace {

class Scratch {
  public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "titralab-writers-XXXXXX").string();
        if (::mkdtemp(pattern.data())) m_folder = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }
    const fs::path& folder() const { return m_folder; }

  private:
    fs::path m_folder;
};

struct Outcome {
    std::string error;
    std::string notice;
};

// One writer of the program, writing `target` (the copy writes beside it, under the next
// number).
struct Writer {
    const char* label;
    const char* name;
    std::function<Outcome(const fs::path& target)> write;
    std::uintmax_t room; // bytes a full disk keeps free, less than the writer needs
};

Simulation& titration() {
    static Simulation sim = [] {
        Simulation s = simulationFor(Study::TitrationVsVolume, 17);
        refresh(s);
        return s;
    }();
    return sim;
}

const std::vector<Writer>& writers() {
    static const std::vector<Writer> all = {
        {"study", "old.titralab",
         [](const fs::path& target) -> Outcome {
             StudyRecord record;
             record.study = Study::TitrationVsVolume;
             return {saveStudyFile(target.string(), record, Language::French), {}};
         },
         0},
        {"workbook", "old.xlsx",
         [](const fs::path& target) -> Outcome {
             const WorkbookResult r = WriteWorkbook(titration(), target.string());
             EXPECT_EQ(r.ok, r.error.empty());
             return {r.error, r.notice};
         },
         0},
        {"copy", "NumVg1.Txt",
         [](const fs::path& target) -> Outcome {
             Simulation& sim = titration();
             const int counter = sim.exportSettings.counter;
             const ExportResult r = ExportSimulation(sim, target.parent_path().string());
             if (!r.ok) {
                 EXPECT_EQ(sim.exportSettings.counter, counter) << "a failed copy takes no number";
             }
             sim.exportSettings.counter = 0;
             return {r.error, r.workbookError};
         },
         0},
        {"100 kB of bytes", "old.bin",
         [](const fs::path& target) -> Outcome {
             const WholeFileResult r =
                 writeWholeFile(target.string(), std::string(100000, 'b'), Language::French);
             return {r.error, r.notice};
         },
         16384},
    };
    return all;
}

// A disk that fails at each step: the error says why, and the folder is as it was (the old
// file whole, no new file, no temporary left).
TEST(WholeFile, AFailingDiskLeavesTheFolderAsItWas) {
    for (const Writer& w : writers()) {
        for (Fault fault :
             {Fault::WriteFails, Fault::ShortThenFails, Fault::FlushFails, Fault::CloseFails}) {
            const std::string label = std::string(w.label) + ", " + faultName(fault);
            Scratch scratch;
            const fs::path target = scratch.folder() / w.name;
            writeText(target, "the earlier file");
            const auto before = pictureOf(scratch.folder());
            Outcome outcome;
            {
                InjectedFault injected(fault);
                outcome = w.write(target);
            }
            EXPECT_NE(outcome.error.find(faultReason(fault)), std::string::npos)
                << label << ": " << outcome.error;
            EXPECT_EQ(pictureOf(scratch.folder()), before) << label;
        }
    }
}

// The same on a real file system with no room left. Mounting one needs privileges: without
// them the injected faults above stand for it.
TEST(WholeFile, AFullFileSystemLeavesTheFolderAsItWas) {
    for (const Writer& w : writers()) {
        SmallDisk disk;
        if (!disk.mounted()) GTEST_SKIP() << "no permission to mount a small file system";
        const fs::path target = disk.folder() / w.name;
        writeText(target, "the earlier file");
        disk.fill(w.room);
        const auto before = pictureOf(disk.folder());
        const Outcome outcome = w.write(target);
        EXPECT_FALSE(outcome.error.empty()) << w.label;
        EXPECT_EQ(pictureOf(disk.folder()), before) << w.label;
    }
}

// What stands at the name decides: an ordinary file is replaced keeping its permissions, a
// link is written through, anything else is refused and left as it was.
TEST(WholeFile, TheNameIsWrittenOnlyWhenItIsAnOrdinaryWritableFile) {
    enum class Kind { Pipe, Folder, ReadOnly, Permissions, Link, DanglingLink, PlantedTemporary };
    struct Case {
        const char* label;
        Kind kind;
        const char* reason; // empty: written
    } cases[] = {
        {"a named pipe", Kind::Pipe, "pas celui d'un fichier ordinaire"},
        {"a folder", Kind::Folder, "celui d'un dossier"},
        {"a read-only file", Kind::ReadOnly, "lecture seule"},
        {"a file readable by its group only", Kind::Permissions, ""},
        {"a link to a file", Kind::Link, ""},
        {"a link to nothing yet", Kind::DanglingLink, ""},
        {"a link planted at the old temporary name", Kind::PlantedTemporary, ""},
    };
    for (const Writer& w : writers()) {
        if (std::string(w.label) == "copy") continue; // its names are new numbers
        for (const Case& c : cases) {
            const std::string label = std::string(w.label) + ", " + c.label;
            Scratch scratch;
            const fs::path target = scratch.folder() / w.name;
            const fs::path elsewhere = scratch.folder() / "elsewhere";
            fs::create_directory(elsewhere);
            const fs::path real = elsewhere / "real";
            switch (c.kind) {
            case Kind::Pipe:
                ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
                break;
            case Kind::Folder:
                fs::create_directory(target);
                break;
            case Kind::ReadOnly:
                writeText(target, "kept");
                fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
                break;
            case Kind::Permissions:
                writeText(target, "old");
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write |
                                            fs::perms::group_read);
                break;
            case Kind::Link:
                writeText(real, "old");
                fs::create_symlink("elsewhere/real", target);
                break;
            case Kind::DanglingLink:
                fs::create_symlink(real, target);
                break;
            case Kind::PlantedTemporary:
                writeText(real, "victim");
                fs::create_symlink(real, target.string() + ".part");
                break;
            }
            const auto before = pictureOf(scratch.folder());
            const Outcome outcome = w.write(target);
            if (*c.reason) {
                EXPECT_NE(outcome.error.find(c.reason), std::string::npos)
                    << label << ": " << outcome.error;
                EXPECT_EQ(pictureOf(scratch.folder()), before) << label;
                continue;
            }
            ASSERT_EQ(outcome.error, "") << label;
            const bool link = c.kind == Kind::Link || c.kind == Kind::DanglingLink;
            const fs::path written = link ? real : target;
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(written))) << label;
            EXPECT_GT(fs::file_size(written), 10u) << label;
            if (link) {
                EXPECT_TRUE(fs::is_symlink(target)) << label << ": the link stays a link";
                if (std::string(w.label) != "study") {
                    EXPECT_NE(outcome.notice.find("est un lien"), std::string::npos)
                        << label << ": " << outcome.notice;
                }
            }
            if (c.kind == Kind::Permissions) {
                EXPECT_EQ(fs::status(target).permissions(),
                          fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
                    << label;
            }
            if (c.kind == Kind::PlantedTemporary) {
                EXPECT_EQ(contentOf(real), "victim") << label;
                EXPECT_TRUE(fs::is_symlink(target.string() + ".part")) << label;
            }
            // No temporary left behind: only the planted one stays.
            std::set<std::string> temporaries;
            for (const auto& [name, what] : pictureOf(scratch.folder()))
                if (name.find(".part") != std::string::npos) temporaries.insert(name);
            EXPECT_EQ(temporaries, c.kind == Kind::PlantedTemporary
                                       ? std::set<std::string>{std::string(w.name) + ".part"}
                                       : std::set<std::string>{})
                << label;
        }
    }
}

// Opening something that is not an ordinary file: refused at once, never waited on.
TEST(WholeFile, APipeIsNeverOpenedAsAStudy) {
    Scratch scratch;
    const fs::path pipe = scratch.folder() / "pipe.titralab";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        const char* label;
        fs::path path;
        Language language;
        const char* reason;
    } cases[] = {
        {"a pipe, French", pipe, Language::French, "pas un fichier ordinaire"},
        {"a pipe, English", pipe, Language::English, "not an ordinary file"},
        {"a device", "/dev/zero", Language::French, "pas un fichier ordinaire"},
    };
    for (const Case& c : cases) {
        const StudyOpening opening = openStudyFile(c.path.string(), c.language);
        EXPECT_FALSE(opening.record) << c.label;
        EXPECT_NE(opening.error.find(c.reason), std::string::npos)
            << c.label << ": " << opening.error;
    }
}

} // namespace
