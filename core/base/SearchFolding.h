// The one folding of typed names used by every search (database entries, indicators).
#pragma once

#include <string>
#include <string_view>

namespace titralab {

// The text folded for matching: lower case, accents and ligatures of French letters dropped
// ("Éthanoïque" gives "ethanoique", "Œ" gives "oe"); other bytes, blanks and apostrophes are
// kept as they are. Only ASCII letters change case, whatever the process locale.
std::string foldForSearch(std::string_view text);

} // namespace titralab
