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
ControlTexts mainWindowTexts(BuretteSide side, Study study, Language language);

// The chart's hint, shown as a bubble; each carriage return is a line break.
inline constexpr Text kChartHint{
    "Pour zoomer, sélectionner une zone \rde gauche à droite. \rPour revenir à la pleine "
    "échelle, \rsélectionnez de droite à gauche",
    "To zoom, select an area \rfrom left to right. \rTo return to full scale, \rselect from "
    "right to left"};

// The graph window: the chart (its summary, then its hint), the number of points, the ten
// boxes (named after the species they draw) and the three buttons, in the simulation's language.
ControlTexts graphWindowTexts(const Simulation& sim);

// The copy dialog, for the sampling items of the study.
ControlTexts copyDialogTexts(Study study, Language language);

// The results window of the two-polyacid (polybase) mixture.
ControlTexts mixtureWindowTexts(BuretteSide side, Language language);

ControlTexts printDialogTexts(Language language);
ControlTexts pointChooserTexts(Language language);
ControlTexts aboutBoxTexts(Language language);
ControlTexts readerTexts(Language language);

// What the chart shows, in one paragraph: the study, the abscissa and the range of the curve
// the keyboard cursor follows, the range of the pH (or the largest concentration where there is
// no pH curve), the curves drawn, and the keys of the keyboard cursor; in the simulation's
// language.
std::string chartDescription(const Simulation& sim);

// Transitional: French, until every caller passes a language.
inline ControlTexts mainWindowTexts(BuretteSide side, Study study) {
    return mainWindowTexts(side, study, Language::French);
}
inline ControlTexts copyDialogTexts(Study study) {
    return copyDialogTexts(study, Language::French);
}
inline ControlTexts mixtureWindowTexts(BuretteSide side) {
    return mixtureWindowTexts(side, Language::French);
}
inline ControlTexts printDialogTexts() {
    return printDialogTexts(Language::French);
}
inline ControlTexts pointChooserTexts() {
    return pointChooserTexts(Language::French);
}
inline ControlTexts aboutBoxTexts() {
    return aboutBoxTexts(Language::French);
}
inline ControlTexts readerTexts() {
    return readerTexts(Language::French);
}

} // namespace titralab::a11y
