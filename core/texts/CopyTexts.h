// The copy command's own messages: a copy asked before any study, and a copy that failed.
#pragma once

#include "core/texts/Language.h"

#include <string>

namespace titralab::texts {

// A copy asked for before a study is chosen: there is nothing to copy yet.
std::string copyNeedsStudy(Language language);

// A copy whose files could not be written into `folder`; `reason` says why, in `language`.
std::string copyFailed(const std::string& folder, const std::string& reason, Language language);

} // namespace titralab::texts
