// The page (PDF) and the pictures (PNG, SVG) on a disk that fails and on names that are not
// plain files: the earlier file is kept and the failure is said.
#include "PrintTestSupport.h"

#include "core/page/PrintSettings.h"
#include "tests/core/system/WriterFaults.h"
#include "ui/qt/ChartPicture.h"
#include "ui/qt/PdfPage.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace titralab {
namespace {

using namespace titralab::testing;

struct Writer {
    const char* label;
    const char* name;
    std::function<WholeFileResult(const Simulation&, const fs::path&)> write;
};

const Writer kWriters[] = {
    {"page", "old.pdf",
     [](const Simulation& sim, const fs::path& path) {
         return writePdfPage(sim, PrintSettings{}, path.string());
     }},
    {"PNG picture", "old.png",
     [](const Simulation& sim, const fs::path& path) {
         return writeSimulationPicture(sim, path.string(), false);
     }},
    {"SVG picture", "old.svg",
     [](const Simulation& sim, const fs::path& path) {
         return writeSimulationPicture(sim, path.string(), true);
     }},
};

// A disk with some room left failed at a later write than the first, which once went unseen.
TEST(PageAndPictureFiles, AFailingOrFullDiskKeepsTheEarlierFile) {
    const Simulation sim = printing::titrationOfAceticAcid();
    struct Case {
        const char* label;
        std::optional<Fault> fault; // none: a real full file system
    };
    const Case cases[] = {{"write fails", Fault::WriteFails},
                          {"short write", Fault::ShortThenFails},
                          {"flush fails", Fault::FlushFails},
                          {"close fails", Fault::CloseFails},
                          {"full file system", std::nullopt}};
    for (const Writer& w : kWriters) {
        for (const Case& c : cases) {
            const std::string label = std::string(w.label) + ", " + c.label;
            SmallDisk disk("size=1m");
            if (!c.fault && !disk.mounted()) {
                std::cerr << label << ": skipped, no permission to mount a file system\n";
                continue;
            }
            fs::path folder = disk.folder();
            std::string pattern = (fs::temp_directory_path() / "titralab-pages-XXXXXX").string();
            if (c.fault) folder = ::mkdtemp(pattern.data());
            const fs::path target = folder / w.name;
            writeText(target, "the earlier file");
            if (!c.fault) disk.fill(16384); // some room, less than any of them needs
            const auto before = pictureOf(folder);
            WholeFileResult written;
            if (c.fault) {
                InjectedFault injected(*c.fault);
                written = w.write(sim, target);
            } else {
                written = w.write(sim, target);
            }
            EXPECT_NE(written.error.find("Impossible d'écrire le fichier"), std::string::npos)
                << label << ": " << written.error;
            const char* reason = c.fault ? faultReason(*c.fault) : "le disque est plein";
            EXPECT_NE(written.error.find(reason), std::string::npos)
                << label << ": " << written.error;
            EXPECT_EQ(pictureOf(folder), before) << label;
            if (c.fault) fs::remove_all(folder);
        }
    }
}

TEST(PageAndPictureFiles, OnlyAnOrdinaryWritableFileIsReplaced) {
    const Simulation sim = printing::titrationOfAceticAcid();
    enum class Kind { Pipe, ReadOnly, Link };
    struct Case {
        const char* label;
        Kind kind;
        const char* error;  // empty: written
        const char* notice; // said after writing
    } cases[] = {
        {"a named pipe", Kind::Pipe, "pas celui d'un fichier ordinaire", ""},
        {"a read-only file", Kind::ReadOnly, "lecture seule", ""},
        {"a link", Kind::Link, "", "est un lien : le fichier écrit est"},
    };
    for (const Writer& w : kWriters) {
        for (const Case& c : cases) {
            const std::string label = std::string(w.label) + ", " + c.label;
            std::string pattern = (fs::temp_directory_path() / "titralab-pages-XXXXXX").string();
            const fs::path folder = ::mkdtemp(pattern.data());
            const fs::path target = folder / w.name;
            const fs::path real = folder / "real";
            switch (c.kind) {
            case Kind::Pipe:
                ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
                break;
            case Kind::ReadOnly:
                writeText(target, "kept");
                fs::permissions(target, fs::perms::owner_read);
                break;
            case Kind::Link:
                writeText(real, "old");
                fs::create_symlink(real, target);
                break;
            }
            const auto before = pictureOf(folder);
            const WholeFileResult written = w.write(sim, target);
            if (*c.error) {
                EXPECT_NE(written.error.find(c.error), std::string::npos)
                    << label << ": " << written.error;
                EXPECT_EQ(pictureOf(folder), before) << label;
            } else {
                EXPECT_EQ(written.error, "") << label;
                EXPECT_NE(written.notice.find(c.notice), std::string::npos)
                    << label << ": " << written.notice;
                EXPECT_TRUE(fs::is_symlink(target)) << label;
                EXPECT_GT(fs::file_size(real), 100u) << label;
            }
            fs::remove_all(folder);
        }
    }
}

} // namespace
} // namespace titralab
