// What a screen reader says of every window's controls, and the chart's spoken summary.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/curves/ChartReading.h"
#include "core/session/ChartReading.h"
#include "core/curves/Readout.h"
#include "core/session/Readout.h"
#include "core/session/Simulation.h"

#include <string>
#include <string_view>
#include <vector>

namespace titralab::a11y {

// The controls the windows describe. Each window gives a control the object name that
// controlName() returns; a radio group's items add "_" and their index to the group's name.
enum class Control {
    // The main window: its choices, the panel's number fields, the database browser, the
    // commands and the two panels that can be dragged off it.
    SideChoice,
    StrongBaseChoice,
    StudyChoice,
    BuretteConcentrationField,
    Concentration1Field,
    Volume1Field,
    PKa1Field,
    PKa2Field,
    PKa3Field,
    LineWidthField,
    Concentration2Field,
    Volume2Field,
    Column2PKa1Field,
    Column2PKa2Field,
    Column2PKa3Field,
    EntryNameField,
    NextEntryButton,
    PreviousEntryButton,
    DatabaseColumnChoice,
    ShowButton,
    CopyButton,
    PrintButton,
    PasteVolumeFirstButton,
    PastePHFirstButton,
    PasteBuffer,
    CommandsDock,
    DatabaseDock,
    // The graph window. The species boxes: four species of the first acid (or base), two of
    // the second one.
    Chart,
    PointCountField,
    DilutionBox,
    Species1Box,
    Species2Box,
    Species3Box,
    Species4Box,
    Column2Species1Box,
    Column2Species2Box,
    ConductivityBox,
    PastedPointsBox,
    HydroniumBox,
    GraphPrintButton,
    GraphPointStyleButton,
    GraphCopyButton,
    // The copy dialog.
    CopyPointCountField,
    SamplingChoice,
    CopyConfirmButton,
    CopyCancelButton,
    // The results window of the two-polyacid mixture: each polyacid's data, then the mixture.
    Polyacid1PKa1Field,
    Polyacid1PKa2Field,
    Polyacid1PKa3Field,
    Polyacid1VolumeField,
    Polyacid1ConcentrationField,
    Polyacid2PKa1Field,
    Polyacid2PKa2Field,
    Polyacid2PKa3Field,
    Polyacid2VolumeField,
    Polyacid2ConcentrationField,
    MixtureVolumeField,
    MixturePHField,
    MixtureHydroniumField,
    MixtureSpecies1Field, // species 1..4 of polyacid 1, then of polyacid 2
    MixtureSpecies2Field,
    MixtureSpecies3Field,
    MixtureSpecies4Field,
    MixtureSpecies5Field,
    MixtureSpecies6Field,
    MixtureSpecies7Field,
    MixtureSpecies8Field,
    MixtureOkButton,
    // The print dialog.
    PrintLineWidthField,
    DashLengthField,
    CharSizeField,
    GraduationsField,
    ZoomBox,
    ConstantsBox,
    ColourBox,
    ArrowsBox,
    GridBox,
    PageFormatChoice,
    Comment1Field,
    Comment2Field,
    PrintConfirmButton,
    PrintCancelButton,
    PrinterPropertiesButton,
    PrintPointStyleButton,
    PreviewButton,
    // The point-style chooser, the about box and the practical-work reader.
    PointStyleChoice,
    PointStyleOkButton,
    AboutOkButton,
    SheetText,
};

// The object name of a control in its window ("studyChoice", "printButton"). Names are unique
// within a window, not across windows.
std::string_view controlName(Control control);

// What a screen reader says of one control, or of one item of a radio group.
struct ControlText {
    Control control;
    int item{-1};            // the item of a radio group, -1 for the control itself
    std::string name;        // what the control is, whatever its visible label
    std::string description; // the hint, or how to use the control; may be empty
};
using ControlTexts = std::vector<ControlText>;

// The object name the text belongs to: the control's, or "<group>_<item>" for a radio item.
std::string objectName(const ControlText& text);

// The entry of `control` (of its item `item` in a radio group), or nullptr.
const ControlText* find(const ControlTexts& texts, Control control, int item = -1);

// The control of a panel field.
Control fieldControl(Field field);

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
