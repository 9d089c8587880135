// Turns the texts typed in the input panel into a checked, clamped chemical state.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/base/Notifier.h"
#include "core/base/Language.h"

#include <utility>
#include <vector>

namespace titralab {

// Values given to some fields (1..16) in place of what their texts say: a member of a family of
// curves is the study computed with its own values, the panel keeping what was typed.
using FieldValues = std::vector<std::pair<int, double>>;

// The field number that stands for the graph window's "Nombre de points :" among the refused.
inline constexpr int kPointCountField = 0;

// Reads every field (visible or not) in the order of the checks, reports each failed check
// through the notifier, and overwrites the inputs and derived fields of the state, the
// conductivity availability included. row1 and row2 are kept. Returns the fields whose text
// was refused or clamped (1..16 for D1..D16, kPointCountField), in the order of the checks.
// The messages are in `language`. A field given a value in `given` reads that value, checked
// against the field's range as a typed one is.
std::vector<int> setUpSimulation(ChemicalState& state, const PanelFields& panel, Notifier& notifier,
                                 Language language, const FieldValues& given = {});

} // namespace titralab
