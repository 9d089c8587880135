// The free study's rows as numbers a fit frees or a family varies: where each row stands in the
// titration the last refresh computed, how a value is named to the user, the fit of the pasted
// points, and the table of one value varied.
#pragma once

#include "core/chemistry/Conditions.h"
#include "core/curves/ExportTable.h"
#include "core/curves/FreeFit.h"
#include "core/session/Simulation.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

// Where the rows' solutes stand in the titration the rows read into (each row's resolved
// solutes, at its typed concentration). Meaningful when every row read.
FreeRowLayout freeRowLayout(const FreeStudyInputs& inputs);

// The values the last refresh's titration has (none when it was refused).
std::vector<FreeRowValue> freeRowValues(const Simulation& sim);
// The value the last refresh's titration holds.
std::optional<double> freeRowValueIn(const Simulation& sim, const FreeRowValue& value);

// How a choice names a value: "Bécher 1 (HCl) : c (mol/L)", "Burette 1 (NH3) : pKa1"; without
// the unit, "Bécher 1 (HCl) : c".
std::string freeRowValueCaption(const FreeStudyInputs& inputs, const FreeRowValue& value,
                                Language language, bool withUnit = true);
// A legend's or a column's label: "Bécher 1 (HCl) : c = 0,05 mol/L", "… : pKa1 = 4,76".
std::string describeFreeRowValue(const FreeStudyInputs& inputs, const FreeRowValue& value,
                                 double number, Language language);

// The fit of the pasted points (sim.pasted, read as fitPointsOf reads them) to the free study.
FreeFitResult fitFreeStudy(const Simulation& sim, const std::vector<FreeRowValue>& free,
                           const FitSettings& settings = {}, const Conditions& conditions = {});

// "Appliquer": writes a successful fit into the rows, as formatMeasured writes the values with
// the simulation's separator: a concentration into the row's concentration; a pKa into the row
// written as the items' grammar writes its system (acid(...) or base(...): the name of a
// database entry does not hold a pKa of its own), when the row is one system. Keeps the pasted
// volumes' unit as the fit read them; marks the study changed when something changed.
void applyFreeFit(Simulation& sim, const FreeFitResult& result, bool volumesInMillilitres);

// The slider of a row's pKa: the number of pKa values of a row that is one system whose end
// form is neutral (0 for any other row), and pKa k (1-based) of such a row set, kept between
// its neighbours, the row then written as acid(...) or base(...). Gives the pKa set, or none
// when the row is not such a system.
int freeRowAcidities(const FreeRow& row);
std::optional<double> setFreeRowPKa(FreeStudyInputs& inputs, FreeSide side, int row, int k,
                                    double pKa);

// The values of a family of `value`, typed "V1;V2;..." (a point or a comma as decimal
// separator): 1 to kMaxFamilyValues numbers within the items' range (mol/L, or pKa). The
// refusal is in the simulation's language.
struct FreeValueList {
    std::vector<double> values;
    std::string refusal;
};
FreeValueList parseFreeFamilyValues(const Simulation& sim, const FreeRowValue& value,
                                    const std::string& text);

// The titrations of a family: the last refresh's with `value` set to each number (none when the
// refresh was refused or the titration has no such value).
std::vector<FreeTitration> freeFamilyMembers(const Simulation& sim, const FreeRowValue& value,
                                             const std::vector<double>& numbers);

// The family's table: the volumes up to the typed largest volume (else the largest of the
// members' own), one pH column per number headed by describeFreeRowValue, as many lines as the
// study's points.
ExportTable freeVaryColumns(const Simulation& sim, const FreeRowValue& value,
                            const std::vector<double>& numbers, const Conditions& conditions = {});

} // namespace titralab
