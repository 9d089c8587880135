// The copy command's own messages: a copy asked before any study, and a copy that failed.
#pragma once

#include "core/texts/Language.h"

#include <string>

namespace titralab::texts {

// A copy asked for before a study is chosen: there is nothing to copy yet.
std::string copyNeedsStudy(Language language);

// A copy whose files could not be written into `folder`; `reason` is the system's own text.
std::string copyFailed(const std::string& folder, const std::string& reason, Language language);

// Transitional: French, until every caller passes a language.
inline std::string copyNeedsStudy() {
    return copyNeedsStudy(Language::French);
}
inline std::string copyFailed(const std::string& folder, const std::string& reason) {
    return copyFailed(folder, reason, Language::French);
}

} // namespace titralab::texts
