// Accessible names and descriptions of every window's controls, and the chart's spoken summary.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/panel/Simulation.h"

#include <string>
#include <string_view>
#include <vector>

namespace titralab::a11y {

// What a screen reader says of one control, found by its object name in its window.
struct ControlText {
    std::string control;     // object name (radio items: group name, "_", item index)
    std::string name;        // what the control is, whatever its visible label
    std::string description; // the hint, or how to use the control; may be empty
};
using ControlTexts = std::vector<ControlText>;

// The entry of `control`, or nullptr.
const ControlText* find(const ControlTexts& texts, std::string_view control);

// The main window: choices, number fields, database browser and commands. The names follow
// the burette side (acid or base in the beaker) and the study (the show and copy commands).
ControlTexts mainWindowTexts(BuretteSide side, Study study);

// The chart's hint, shown as a bubble; each carriage return is a line break.
inline constexpr const char* kChartHint =
    "Pour zoomer, sélectionner une zone \rde gauche à droite. \rPour revenir à la pleine "
    "échelle, \rsélectionnez de droite à gauche";

// The graph window: the chart (its summary, then its hint), the number of points, the ten
// boxes (named after the species they draw) and the three buttons.
ControlTexts graphWindowTexts(const Simulation& sim);

// The copy dialog, for the sampling items of the study.
ControlTexts copyDialogTexts(Study study);

// The results window of the two-polyacid (polybase) mixture.
ControlTexts mixtureWindowTexts(BuretteSide side);

ControlTexts printDialogTexts();
ControlTexts pointChooserTexts();
ControlTexts aboutBoxTexts();
ControlTexts readerTexts();

// What the chart shows, in one paragraph: the study, the abscissa and the range of the curve
// the keyboard cursor follows, the range of the pH (or the largest concentration where there is
// no pH curve), the curves drawn, and the keys of the keyboard cursor.
std::string chartDescription(const Simulation& sim);

} // namespace titralab::a11y
