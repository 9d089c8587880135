// The table of one quantity varied over several values: the study computed once per value, in
// columns side by side.
#pragma once

#include "core/base/Notifier.h"
#include "core/curves/ExportTable.h"
#include "core/curves/Overlays.h"
#include "core/session/Simulation.h"

#include <string>
#include <vector>

namespace titralab {

// The study computed once per value of what varies, in one table: the regular volumes from 0
// to the largest span and one pH column per value (titration studies), or the pH sweep and the
// species (species study) or -log c (dilution) per value, headed "label = value". Empty for
// the mixture study.
ExportTable varyColumns(const Simulation& sim, const FamilyQuantity& quantity,
                        const std::vector<double>& values, Notifier& notifier);
// The same as text: fields tab-separated, lines ended with a carriage return, numbers as in
// the export table.
std::string VaryTable(const Simulation& sim, const FamilyQuantity& quantity,
                      const std::vector<double>& values, Notifier& notifier);
inline std::string VaryTable(const Simulation& sim, int field, const std::vector<double>& values,
                             Notifier& notifier) {
    return VaryTable(sim, FamilyQuantity{{field}, false}, values, notifier);
}

} // namespace titralab
