// The simulation's kept curves: freezing the current curve, drawing a family of curves by
// computing the study again for each value, naming them against the current values, and the
// table of one field varied over several values (core/session/VaryTable.h).
#pragma once

#include "core/base/Notifier.h"
#include "core/curves/Overlays.h"
#include "core/session/Simulation.h"

#include <string>
#include <vector>

namespace titralab {

// The current values, as a kept curve records them; fields given a value in `given` (a member
// of a family) record that value.
CurveInputs currentInputs(const Simulation& sim, const FieldValues& given = {});

// The kept curves' edits mark the study changed when they change something.
// Keeps the current pH curve (the species curves in the species study) as a frozen curve.
FreezeOutcome FreezeCurrentCurve(Simulation& sim);
void RemoveOverlay(Simulation& sim, int index);
void ClearOverlays(Simulation& sim);

// Run at the end of every regeneration: drops the kept curves of another study or side,
// names them against the new values, and appends their columns to the export table.
void RefreshOverlays(Simulation& sim);

// The study computed with a member's values in place of the typed ones, from the inputs of
// `sim` alone (its curves, tables, kept curves and measurements are not copied).
Simulation computedMember(const Simulation& sim, const FieldValues& values, Notifier& notifier);

// The fields a dilution factor divides: the concentrations the study reads.
std::vector<int> dilutedFields(const Simulation& sim);
// The texts of the varied fields for one value of a family.
FamilyMember familyMember(const Simulation& sim, const FamilyQuantity& quantity, double value);
// The values of a family, typed as a list or made as a range, checked against the range of
// every field they set (a dilution factor's results included). The refusal is in the
// simulation's language.
ValueList parseFamilyValues(const Simulation& sim, const FamilyQuantity& quantity,
                            const std::string& text);
ValueList familyRange(const Simulation& sim, const FamilyQuantity& quantity, RangeKind kind,
                      const std::string& first, const std::string& last, const std::string& count);

// Draws a family: every value gives a kept curve, except one that gives the typed values (the
// current curve shows it); the panel keeps what was typed. Earlier kept curves are cleared.
// Messages of the members' computations are not shown (their values are checked); those of
// the current one are.
void DrawFamily(Simulation& sim, const FamilyQuantity& quantity, const std::vector<double>& values,
                Notifier& notifier);
inline void DrawFamily(Simulation& sim, int field, const std::vector<double>& values,
                       Notifier& notifier) {
    DrawFamily(sim, FamilyQuantity{{field}, false}, values, notifier);
}

} // namespace titralab
