// An entry of the solute database as its card shows it: names, formula, species and every value
// with its source.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/SoluteDatabase.h"

#include <string>
#include <vector>

namespace titralab::texts {

// The species of a system in the generic notation of the textbooks, from the fully protonated
// form: H3A, H2A-, HA2-, A3- for phosphoric acid; HA+, A for ammonium.
std::vector<std::string> genericSpecies(const AcidBaseSystem& system);

// The lines of an entry's card; numbers with `separator`; sources resolved in `database`.
std::vector<std::string> soluteCard(const SoluteDatabase& database, const SoluteEntry& entry,
                                    Language language, char separator);

} // namespace titralab::texts
