// Turns the texts typed in the input panel into a checked, clamped chemical state.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/base/Notifier.h"
#include "core/base/Language.h"

#include <vector>

namespace titralab {

// The field number that stands for the graph window's "Nombre de points :" among the refused.
inline constexpr int kPointCountField = 0;

// Reads every field (visible or not) in the order of the checks, reports each failed check
// through the notifier, and overwrites the inputs and derived fields of the state, the
// conductivity availability included. row1 and row2 are kept. Returns the fields whose text
// was refused or clamped (1..16 for D1..D16, kPointCountField), in the order of the checks.
// The messages are in `language`.
std::vector<int> setUpSimulation(ChemicalState& state, const PanelFields& panel, Notifier& notifier,
                                 Language language);

} // namespace titralab
