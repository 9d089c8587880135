// The lesson's diagrams in the study's table and readings: the species table as log10 c, the
// buffer capacity column, and the "why this pH" lines at a point of a study.
#pragma once

#include "core/chemistry/PHExplanation.h"
#include "core/session/Simulation.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab {

// Changes the table the last generation wrote (before the kept curves' columns and the copied
// points are added): in the species study with diagrams.logTable, every concentration column
// becomes log10 c (mol/L); with diagrams.bufferCapacity, the titration and species tables get
// a last column β (mol/L per pH unit), computed exactly at each row's volume and pH.
void addDiagramColumns(Simulation& sim);

// Whether the study has a table that takes the β column, or the log10 c columns.
bool takesBufferCapacity(Study study);
bool takesLogTable(Study study);

// The explanation of the pH at a drawn volume (mL, as the chart draws titrations) of a titration
// study, or of the beaker's solution alone (drawnVolume 0) in every study that has one; none
// when the study has no such point (a volume other than 0 outside the titrations).
std::optional<PHExplanation> explainStudyPoint(const Simulation& sim, double drawnVolume);

// The explanation as the command-line tool prints it: formula (its name), approximate pH,
// exact pH and holds (yes/no), tab-separated, LF line ends, in the table's digits and
// separator and the simulation's language.
std::string explanationLines(const Simulation& sim, const PHExplanation& explanation);

// β as the chart draws it on its right-hand axis: (drawn volume, β) along a titration, (pH, β)
// in the species study, on n points; with its local maxima. Empty in the other studies.
struct BufferCurve {
    std::vector<std::pair<double, double>> points; // (x as drawn, mol/L per pH unit)
    std::vector<std::pair<double, double>> maxima;
};
BufferCurve studyBufferCurve(const Simulation& sim, int n = 401);

// Along a titration (the titration and two-mono studies, the free study), the ranges of drawn
// volume where one textbook formula gives the pH within 0.05, from n + 1 points evenly spread
// over the curve; a range ends halfway between the last point where it holds and the next.
// Empty in the other studies.
struct FormulaStretch {
    double low{}; // drawn volume
    double high{};
    PHFormula formula{};
};
std::vector<FormulaStretch> formulaValidityAlong(const Simulation& sim, int n = 280);
// The ranges as the command-line tool prints them: formula, from, to (mL), tab-separated.
std::string validityLines(const Simulation& sim, const std::vector<FormulaStretch>& stretches);

// The lines of the "why this pH" panel: the formula's name and expression, its value, the
// exact pH, their difference, whether it holds and, when not, the hypothesis that fails.
std::vector<std::string> whyThisPHLines(const Simulation& sim, const PHExplanation& explanation);

} // namespace titralab
