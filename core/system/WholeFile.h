// The one way the program writes a file that users keep: whole or not at all.
//
// The bytes go to a new temporary file beside the target (created exclusively, never through
// a link), are written, flushed to the disk and closed, every step checked, and only then
// renamed over the target. A failure at any step leaves the earlier file as it was.
// A target that exists must be an ordinary writable file; its permissions are kept. A name
// that is a symbolic link is written through: the file it leads to is replaced, the link stays.
#pragma once

#include "core/base/Language.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace titralab {

struct WholeFileResult {
    std::string error;  // why nothing was written, in the run's language; empty once written
    std::string notice; // to tell after success: the name was a link, the file it leads to
                        // was written
    bool ok() const { return error.empty(); }
};

// The system calls the writer makes on the temporary file. Tests replace them to play a disk
// that fills up or fails; the program keeps the system's own.
struct FileCalls {
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
};
FileCalls& fileCalls();

WholeFileResult writeWholeFile(const std::string& path, std::string_view bytes, Language language);

// For a writer that can only write to a path of its own choosing (the workbook library):
// `produce` writes the file it is given, inside a new private folder beside the target, and
// returns an empty string or its own error; the bytes produced are then written whole at
// `path` as above and the private folder removed.
WholeFileResult writeWholeFileFrom(const std::string& path,
                                   const std::function<std::string(const std::string&)>& produce,
                                   Language language);

// The kind of what stands at `path`, for readers: empty when it is an ordinary file (or a
// link to one) or absent, else why it must not be opened (a pipe would block for ever).
std::string notRegularToRead(const std::string& path, Language language);

} // namespace titralab
