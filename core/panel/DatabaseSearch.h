// Finding database entries by name, as the database browser's name field proposes them.
#pragma once

#include "core/base/SearchFolding.h"
#include "core/chemistry/ChemicalState.h"
#include "core/panel/DatabaseBrowser.h"

#include <string>
#include <string_view>
#include <vector>

namespace titralab {

struct EntryMatch {
    int entry{};      // 1-based, in the side's table
    std::string name; // the entry's first name, in the language of the search
};

// The entries of the side's table that `typed` finds, accents and case ignored: first those
// with a word of their name starting with it, then those whose name holds it elsewhere, then
// those found by the name of a conjugate species or by a name in the other language; in table
// order within each group. Names are given in `language`. With monoproticOnly, only entries
// with one acidity. Nothing for a text of blanks.
std::vector<EntryMatch> searchEntries(BuretteSide side, std::string_view typed, Language language,
                                      bool monoproticOnly = false);

// Loads entry n of the side's table as the step buttons would have: it becomes the current
// entry of the side and fills the target column.
void LoadFoundEntry(DatabaseBrowser& browser, int n, PanelFields& panel, ChemicalState& state);

} // namespace titralab
