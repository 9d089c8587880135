// What the tests of the programs' file writers share: a disk that fails on demand, a small
// real file system filled to the brim, and a picture of a folder to compare before and after.
#pragma once

#include "core/system/WholeFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace titralab::testing {

namespace fs = std::filesystem;

// How the disk fails under a writer.
enum class Fault {
    WriteFails,     // the first write answers ENOSPC
    ShortThenFails, // half is written, then ENOSPC
    FlushFails,     // every write passes, the flush to the disk answers EIO
    CloseFails,     // the close answers EIO (as a network file system may)
};

inline const char* faultName(Fault fault) {
    switch (fault) {
    case Fault::WriteFails:
        return "write fails";
    case Fault::ShortThenFails:
        return "short write, then fails";
    case Fault::FlushFails:
        return "flush fails";
    case Fault::CloseFails:
        return "close fails";
    }
    return "?";
}

// The reason each fault gives, in French.
inline const char* faultReason(Fault fault) {
    return fault == Fault::WriteFails || fault == Fault::ShortThenFails ? "le disque est plein"
                                                                        : "(code 5)";
}

// Replaces the writer's system calls for its lifetime.
class InjectedFault {
  public:
    explicit InjectedFault(Fault fault) : m_saved(fileCalls()) {
        calls() = 0;
        FileCalls& c = fileCalls();
        switch (fault) {
        case Fault::WriteFails:
            c.write = [](int, const void*, std::size_t) -> ssize_t {
                errno = ENOSPC;
                return -1;
            };
            break;
        case Fault::ShortThenFails:
            c.write = [](int fd, const void* data, std::size_t size) -> ssize_t {
                if (calls()++ == 0 && size > 1) return ::write(fd, data, size / 2);
                errno = ENOSPC;
                return -1;
            };
            break;
        case Fault::FlushFails:
            c.fsync = [](int) {
                errno = EIO;
                return -1;
            };
            break;
        case Fault::CloseFails:
            c.close = [](int fd) {
                ::close(fd);
                errno = EIO;
                return -1;
            };
            break;
        }
    }
    ~InjectedFault() { fileCalls() = m_saved; }
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

  private:
    static int& calls() {
        static int n = 0;
        return n;
    }
    FileCalls m_saved;
};

// A real small file system (tmpfs) mounted for the test's lifetime. Mounting needs the
// privilege to; `mounted()` says whether it was granted.
class SmallDisk {
  public:
    explicit SmallDisk(const char* size = "size=64k") {
        std::string pattern = (fs::temp_directory_path() / "titralab-disk-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        m_folder = pattern;
        m_mounted = ::mount("tmpfs", m_folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, size) == 0;
    }
    ~SmallDisk() {
        if (m_mounted) ::umount2(m_folder.c_str(), MNT_DETACH);
        std::error_code ec;
        if (!m_folder.empty()) fs::remove_all(m_folder, ec);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    const fs::path& folder() const { return m_folder; }

    // Fills the space left with a file of its own (which is not part of the picture), but for
    // `room` bytes: a writer that has some room fails at a later write than the first.
    void fill(std::uintmax_t room = 0) const {
        const fs::path filler = m_folder / ".filler";
        {
            std::ofstream out(filler, std::ios::binary);
            const std::string block(4096, 'f');
            for (int k = 0; k < 100000 && out; ++k) out.write(block.data(), block.size());
        }
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(filler, ec);
        if (!ec && room > 0) fs::resize_file(filler, size > room ? size - room : 0, ec);
    }

  private:
    fs::path m_folder;
    bool m_mounted{false};
};

// Every entry under `folder` but the disk's filler: kind, permissions and content.
inline std::map<std::string, std::string> pictureOf(const fs::path& folder) {
    std::map<std::string, std::string> picture;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().lexically_relative(folder).string();
        if (name == ".filler") continue;
        struct stat st {};
        ::lstat(it->path().c_str(), &st);
        std::string what = "mode " + std::to_string(st.st_mode) + ": ";
        if (S_ISREG(st.st_mode)) {
            std::ifstream in(it->path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            const std::string content = text.str();
            // Short contents as they are, long ones by size and digest: readable when they differ.
            what += content.size() <= 64 ? content
                                         : std::to_string(content.size()) + " bytes, digest " +
                                               std::to_string(std::hash<std::string>{}(content));
        } else if (S_ISLNK(st.st_mode)) {
            what += fs::read_symlink(it->path()).string();
        }
        picture[name] = what;
    }
    return picture;
}

inline std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace titralab::testing
