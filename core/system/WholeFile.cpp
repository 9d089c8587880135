#include "core/system/WholeFile.h"

#include "core/texts/FileTexts.h"
#include "core/texts/StudyTexts.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace titralab {

namespace fs = std::filesystem;

namespace {

FileCalls systemCalls() {
    return {[](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); }, [](int fd) { return ::close(fd); }};
}

WholeFileResult failed(int error, Language language) {
    return {texts::writeFailureReason(error, language), {}};
}

WholeFileResult failed(const Text& reason, Language language) {
    return {reason.in(language), {}};
}

// Follows the links `path` names, as the system would on opening it, to the file they lead to
// (which may not exist yet). Empty with `error` set when the chain is too long.
std::string followLinks(const std::string& path, int& error) {
    fs::path current(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
        std::error_code ec;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            error = ec.value();
            return {};
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    error = ELOOP;
    return {};
}

// A name beside `target` that nothing holds: target.<random>.part, created exclusively and
// never through a link, so that a file or link planted there is never written into.
int createTemporary(const fs::path& target, mode_t mode, std::string& name, int& error) {
    static std::random_device seed;
    std::mt19937_64 random(seed() ^ (static_cast<std::uint64_t>(::getpid()) << 32));
    constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string suffix = ".";
        for (int k = 0; k < 8; ++k) suffix += kLetters[random() % (sizeof kLetters - 1)];
        name = target.string() + suffix + ".part";
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            error = errno;
            return -1;
        }
    }
    error = EEXIST;
    return -1;
}

// Every byte, through the replaceable calls; a short write goes on, a write of nothing is a
// fault (a full disk answers so, or with ENOSPC).
int writeAll(int fd, std::string_view bytes) {
    const FileCalls& calls = fileCalls();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno ? errno : EIO;
        if (n == 0) return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

FileCalls& fileCalls() {
    static FileCalls calls = systemCalls();
    return calls;
}

WholeFileResult writeWholeFile(const std::string& path, std::string_view bytes, Language language) {
    int error = 0;
    const std::string target = followLinks(path, error);
    if (target.empty()) {
        if (error == ELOOP) return failed(texts::kTooManyLinks, language);
        return failed(error, language);
    }

    // What stands at the target now: nothing, or an ordinary file we may write.
    mode_t mode = 0666; // narrowed by the umask when the file is new
    bool existed = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return failed(texts::kNotRegularFolder, language);
        if (!S_ISREG(st.st_mode)) return failed(texts::kNotRegularOther, language);
        // Read-only for everyone, or for us: the user meant it to stay (root writes anything).
        if ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return failed(texts::kReadOnlyFile, language);
        mode = st.st_mode & 07777;
        existed = true;
    } else if (errno != ENOENT) {
        return failed(errno, language);
    }

    std::string temporary;
    const int fd = createTemporary(fs::path(target), mode, temporary, error);
    if (fd < 0) return failed(error, language);
    // The same permissions as the file replaced, whatever the umask; its owner where allowed.
    if (existed) {
        (void)::fchmod(fd, mode);
        if (::geteuid() == 0) (void)::fchown(fd, st.st_uid, st.st_gid);
    }
    error = writeAll(fd, bytes);
    if (error == 0 && fileCalls().fsync(fd) != 0) error = errno ? errno : EIO;
    if (fileCalls().close(fd) != 0 && error == 0) error = errno ? errno : EIO;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failed(error, language);
    }
    WholeFileResult result;
    if (target != path) result.notice = texts::writtenThroughLink(path, target, language);
    return result;
}

WholeFileResult writeWholeFileFrom(const std::string& path,
                                   const std::function<std::string(const std::string&)>& produce,
                                   Language language) {
    // A private folder (mode 0700, a name nothing held) for the producer's file, beside the
    // target so that a full disk there shows up here.
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern =
        (folder / ("." + fs::path(path).filename().string() + ".XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return failed(errno, language);
    const fs::path privateFolder(pattern);
    const fs::path produced = privateFolder / fs::path(path).filename();

    WholeFileResult result;
    result.error = produce(produced.string());
    // The producer's own words hide the usual cause: say it when the disk is full.
    struct statvfs disk {};
    if (!result.error.empty() && ::statvfs(privateFolder.c_str(), &disk) == 0 && disk.f_bavail == 0)
        result.error = texts::writeFailureReason(ENOSPC, language);
    if (result.error.empty()) {
        std::string bytes;
        int error = 0;
        const int fd = ::open(produced.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            error = fd < 0 ? errno : EIO;
        } else {
            bytes.resize(static_cast<std::size_t>(st.st_size));
            std::size_t done = 0;
            while (done < bytes.size()) {
                const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                done += static_cast<std::size_t>(n);
            }
            if (done != bytes.size()) error = EIO;
        }
        if (fd >= 0) ::close(fd);
        if (error != 0)
            result.error = texts::kCannotReadBack.in(language);
        else
            result = writeWholeFile(path, bytes, language);
    }
    std::error_code ec;
    fs::remove_all(privateFolder, ec);
    return result;
}

std::string notRegularToRead(const std::string& path, Language language) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || status.type() == fs::file_type::not_found || status.type() == fs::file_type::regular)
        return {};
    return texts::kNotRegularToRead.in(language);
}

} // namespace titralab
