// Accessible names and descriptions of every window's controls, and the chart's spoken summary.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/curves/ChartReading.h"
#include "core/curves/Readout.h"
#include "core/session/Simulation.h"

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

// The readings of a titration as a screen reader says them: one row per line of the results,
// in the same order, with the kind of point spelled out and its number ("Équivalence 1 : v =
// 20,00 mL ; pH = 7,00 ; saut exploitable"), then the volume, the pH, the jump and the chosen
// indicator's verdict as the results write them.
std::vector<std::string> spokenReadings(const Simulation& sim);

// What the chart says of its keyboard cursor's point: "v = 12,50 mL ; pH = 4,92" on the pH curve
// of a titration (`onCurve`, the exact point there), else the readout's panels that say something.
std::string cursorPointText(const Simulation& sim, const ExactPoint* onCurve,
                            const ReadoutPanels& panels);

// The accessible name of the indicator choice: what it is, then the indicator chosen.
std::string indicatorChoiceName(const Simulation& sim);

} // namespace titralab::a11y
