// Study files (.titralab): a study captured from the simulation and applied back to it, and the
// files opened through the bounded reader and written whole or not at all.
#pragma once

#include "core/panel/InputPanel.h"
#include "core/session/Simulation.h"
#include "core/session/StudyRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace titralab {

// The study as the program holds it. Texts longer than the reader accepts are cut to its
// bounds (they read the same: a number field that long is no number).
StudyRecord captureStudy(const Simulation& sim, const PanelView& view, const PrintSettings& print);

// Puts a read record into the context and the panel's view, as the user left them: side, study,
// base kind, fields, browser, boxes, pasted text, styles and options. Which fields show follows
// the study and the loaded entries, as the panel's layout decides. The curves are emptied; the
// next regeneration draws them. Print settings stay in the record for the print dialog.
void applyStudy(const StudyRecord& record, Simulation& sim, PanelView& view);

struct StudyOpening {
    std::optional<StudyRecord> record;
    std::string error;  // the refusal, naming the file; empty when opened
    std::string notice; // what a newer file held that was skipped, naming the file; may be empty
};

// Opens a study file: reads at most kMaxStudyFileBytes, never more.
StudyOpening openStudyFile(const std::string& path, Language language);

// Writes the study whole under a temporary name beside the target, then renames it into place.
// Returns the message of a failure in `language` (the previous file then stays whole), or empty.
std::string saveStudyFile(const std::string& path, const StudyRecord& record, Language language);

// The file name shown to the user: the last part of the path, control characters escaped.
std::string displayName(const std::string& path);

// The main window's title: the caption alone for a new, unchanged study; else the file's name
// ("Sans titre" before the first save), "*" when changed since it was opened or saved, " - ",
// and the caption.
std::string studyWindowTitle(const std::string& caption, const std::string& path, bool modified,
                             Language language);

// The recent studies after opening or saving `path`: it comes first, once, and the list keeps
// at most kRecentStudyCount paths.
inline constexpr std::size_t kRecentStudyCount = 5;
std::vector<std::string> withRecent(std::vector<std::string> recent, const std::string& path);

} // namespace titralab
