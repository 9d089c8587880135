// Turns the texts typed in the input panel into a checked, clamped chemical state.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/panel/Notifier.h"

namespace titralab {

// Reads every field (visible or not) in the order of the checks, reports each failed check
// through the notifier, and overwrites the inputs and derived fields of the state, the
// conductivity availability included. row1 and row2 are kept.
void setUpSimulation(ChemicalState& state, const PanelFields& panel, Notifier& notifier);

} // namespace titralab
