// The copy command's own messages: a copy asked before any study, a copy that failed, and
// where a copy went.
#pragma once

#include "core/base/Language.h"

#include <string>
#include <vector>

namespace titralab::texts {

// A copy asked for before a study is chosen: there is nothing to copy yet.
std::string copyNeedsStudy(Language language);

// A copy whose files could not be written into `folder`; `reason` says why, in `language`.
std::string copyFailed(const std::string& folder, const std::string& reason, Language language);

// A copy that succeeded, for the status line: the table went to `files` (their names, in the
// order written) in `folder`, and to the clipboard.
std::string copyWritten(const std::string& folder, const std::vector<std::string>& files,
                        Language language);

// The copy dialog's sampling choices and the volume column of the export files.
inline constexpr Text kRegularStepsOfPlural{"&Variation régulière des... ", "&Regular steps of... "};
inline constexpr Text kRegularStepsOfSingular{"&Variation régulière du... ", "&Regular steps of... "};
inline constexpr Text kVolumeOfBaseAdded{"v, volume de monobase forte versé",
                                         "v, volume of strong base added"};
inline constexpr Text kVolumeOfAcidAdded{"v, volume de monoacide fort versé",
                                         "v, volume of strong acid added"};

// The copy dialog's note on the sampling by pH.
inline constexpr Text kSamplingRule{
    "Lorsque le pH varie régulièrement, 2 points sont intercalés (2° et pénultième), pour "
    "améliorer le tracé",
    "When the pH varies regularly, 2 points are inserted (2nd and next to last) to improve "
    "the plot"};

} // namespace titralab::texts
