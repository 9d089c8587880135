// The one simulation context of the program, owned by the application and passed by reference.
#pragma once

#include "core/base/Language.h"
#include "core/base/PastedPair.h"
#include "core/chemistry/ChemicalState.h"
#include "core/chemistry/Conditions.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Mixture.h"
#include "core/curves/ChartReading.h"
#include "core/curves/Curves.h"
#include "core/curves/ExportTable.h"
#include "core/curves/Overlays.h"
#include "core/page/PointStyles.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/session/FreeStudy.h"
#include "core/sheets/MeasurementFile.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab {

// Whether the study holds changes that its file does not. Every edit marks it where it is made
// (markStudyChanged); opening and saving the study clear it.
struct StudyChanges {
    bool unsaved{false};
    std::function<void()> marked; // run when an unchanged study becomes changed
};

// The lesson's diagrams asked of the table: the species table as log10 c, the β column.
struct DiagramChoices {
    bool logTable{false};
    bool bufferCapacity{false};
    bool validityBand{false}; // along a titration, where each textbook formula of the pH holds
    bool predominanceBand{false}; // beside the pH axis, the beaker's predominance domains
};

// What the last regeneration computed, and the scales the graph window draws it with.
struct StudyResults {
    CurveSet curves;
    PlotSetup plot;
    double concentrationScale{1}; // concentrations are drawn multiplied by this
    double conductivityScale{1};  // conductivities are drawn multiplied by this
    double spanFactor{3};         // VolumeSpan in equivalence volumes
    std::array<std::array<std::string, 4>, 2> speciesLabels{};
    std::optional<MixtureResult> mixture; // the last two-polyacid results
    std::string exportText;               // the table as copied
    ExportTable exportTable;              // the numbers of exportText, at full precision
    // In other conditions than ideal at 25 °C: the least and greatest ionic strength (mol/L)
    // of the table, and why the study was computed ideal at 25 °C after all (empty when not).
    double lowIonicStrength{0}, highIonicStrength{0};
    std::string conditionsRefusal;
};

// How tables are copied and exported.
struct ExportSettings {
    bool decimalComma{true}; // output decimal separator: comma, else point
    CopySampling copySampling{CopySampling::ByPH};
    int counter{0};
    int digits{5}; // significant digits of exported numbers
    DiagramChoices diagrams;
};

// Measurements pasted or imported over the simulation.
struct PastedMeasurements {
    std::vector<std::string> lines; // the lines of the last paste
    bool volumeFirst{true};         // true: (v, pH); false: (pH, v)
    std::vector<PastedPair> points;
    bool inMillilitres{false}; // the pasted volumes' unit, decided when pasted or opened
    PointStyle pointStyle{PointStyle::Cross};
    // Imported conductivity measurements: volume (L), conductivity (S/m).
    std::vector<sheets::ConductivityPoint> conductivity;
    // The volumes (L) Gran's lines are fitted over, before and after the jump, where the user
    // chose them; chosen from the points' derivative otherwise. New points forget them.
    std::optional<std::pair<double, double>> granBefore;
    std::optional<std::pair<double, double>> granAfter;
    // The window (points, odd; below 3: none) of the smoothing before the derivative method.
    int smoothing{5};
};

struct Simulation {
    Language language{Language::French}; // of every text the program writes
    StudyChanges changes;
    // Top-level sections of the opened study file that this program does not read, as JSON
    // text: written back when the study is saved.
    std::map<std::string, std::string> keptSections;

    // The panel as typed, and the checked state computed from it.
    PanelFields panel{PanelFields::atDesign()};
    DatabaseBrowser browser;
    std::vector<int> refusedFields; // fields the last set-up refused or clamped, in check order
    ChemicalState state;

    GraphOptions graph{GraphOptions::atDesign()}; // what the graph window shows
    StudyResults results;
    ChartReading reading; // remarkable points, derivative, indicator
    Overlays overlays;    // frozen curves and families
    ExportSettings exportSettings;
    PastedMeasurements pasted;

    // The free study: its rows as typed, what they resolved to and what the last refresh drew.
    FreeStudy freeStudy;

    // The conditions of the solutions: ideal at 25 °C unless the user says otherwise; in
    // others the tables are solved again by the general engine (StudyConditions.h).
    Conditions conditions;
};

// Marks the study changed since it was last opened or saved.
inline void markStudyChanged(Simulation& sim) {
    if (sim.changes.unsaved) return;
    sim.changes.unsaved = true;
    if (sim.changes.marked) sim.changes.marked();
}

// Changes the language of every text the program writes from now on. The name field of the
// database browser follows when it still shows the current entry's name, the panel's numbers
// when they are still those of its design. The decimal separator becomes the language's (a
// comma in French, a point in English): the language is chosen at start-up, before the user
// chooses a separator.
inline void setLanguage(Simulation& sim, Language language) {
    const BuretteSide side = sim.panel.side;
    const AcidBaseEntry& entry = entryOf(side, sim.browser.current(side));
    if (sim.panel.entryName == entry.name(sim.language)) sim.panel.entryName = entry.name(language);
    if (sim.panel.text == PanelFields::atDesign(sim.language).text)
        sim.panel.text = PanelFields::atDesign(language).text;
    sim.language = language;
    sim.browser.language = language;
    sim.exportSettings.decimalComma = language == Language::French;
}

// The context as the main window leaves it after the user chose a side and a study and
// loaded database entry2 into column 2, then entry1 into column 1 (the browser's current
// entry is then entry1).
inline void chooseStudyAndEntries(Simulation& sim, BuretteSide side, Study study, int entry1,
                                  int entry2) {
    sim.panel.side = side;
    sim.panel.study = study;
    sim.browser.targetColumn1 = false;
    sim.browser.current(side) = entry2;
    LoadEntry(sim.browser, entry2, sim.panel, sim.state);
    sim.browser.targetColumn1 = true;
    sim.browser.current(side) = entry1;
    LoadEntry(sim.browser, entry1, sim.panel, sim.state);
    sim.graph.checked[9] = study != Study::SpeciesVsPH; // the hydronium box after the choice
}

} // namespace titralab
