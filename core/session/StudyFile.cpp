#include "core/session/StudyFile.h"

#include "core/system/WholeFile.h"
#include "core/texts/StudyTexts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace titralab {

namespace fs = std::filesystem;

std::string displayName(const std::string& path) {
    return printableText(fs::path(path).filename().string());
}

std::string studyWindowTitle(const std::string& caption, const std::string& path, bool modified,
                             Language language) {
    if (path.empty() && !modified) return caption;
    const std::string name =
        path.empty() ? std::string(texts::kUntitledStudy.in(language)) : displayName(path);
    return name + (modified ? "*" : "") + " - " + caption;
}

std::vector<std::string> withRecent(std::vector<std::string> recent, const std::string& path) {
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentStudyCount) recent.resize(kRecentStudyCount);
    return recent;
}

StudyOpening openStudyFile(const std::string& path, Language language) {
    StudyOpening opening;
    const std::string name = displayName(path);
    // A pipe or a device would block the opening for ever: only ordinary files are read.
    if (const std::string kind = notRegularToRead(path, language); !kind.empty()) {
        opening.error = texts::cannotOpen(name, kind, language);
        return opening;
    }
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || fs::is_directory(path, ec)) {
        opening.error = texts::cannotOpen(name, texts::kUnreadable.in(language), language);
        return opening;
    }
    // Never more than the bound, whatever size the file claims.
    std::uintmax_t claimed = fs::file_size(path, ec);
    if (ec || claimed > kMaxStudyFileBytes) claimed = kMaxStudyFileBytes;
    std::string text(static_cast<std::size_t>(claimed) + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    // A file that grew while it was read, or claimed less than it holds: read on to the bound.
    if (text.size() == static_cast<std::size_t>(claimed) + 1 && claimed < kMaxStudyFileBytes) {
        std::string rest(kMaxStudyFileBytes - claimed, '\0');
        in.read(rest.data(), static_cast<std::streamsize>(rest.size()));
        text.append(rest.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        opening.error = texts::cannotOpen(name, texts::kUnreadable.in(language), language);
        return opening;
    }
    if (text.size() > kMaxStudyFileBytes) {
        opening.error = texts::cannotOpen(name, texts::kTooLarge.in(language), language);
        return opening;
    }
    StudyReading reading = readStudyText(text, language);
    if (!reading.record) {
        opening.error = texts::cannotOpen(name, reading.problem, language);
        return opening;
    }
    opening.record = std::move(reading.record);
    if (reading.newerVersion && reading.skippedCount > 0)
        opening.notice = texts::newerVersionSkipped(
            name, texts::skippedKeys(reading.skipped, reading.skippedCount, language), language);
    return opening;
}

std::string saveStudyFile(const std::string& path, const StudyRecord& record, Language language) {
    const WholeFileResult written = writeWholeFile(path, writeStudyText(record), language);
    if (!written.ok()) return texts::cannotSave(displayName(path), written.error, language);
    return {};
}

} // namespace titralab
