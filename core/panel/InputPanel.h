// The main window's logic: what the input panel shows (captions, choices, visible parts), and
// the burette, study, column and base choices that change it.
#pragma once

#include "core/panel/Simulation.h"

#include <optional>
#include <string>
#include <vector>

namespace titralab {

// A titled choice of items (a radio group).
struct Choice {
    std::string caption;
    std::vector<std::string> items;
    int selected{-1}; // -1: no item selected
    bool visible{true};
};

// Everything of the input panel that is not a number field; the number fields, the name of
// the loaded entry and the pKa labels are in PanelFields.
struct PanelView {
    Choice burette;  // "Dans la burette :"
    Choice studies;  // the five studies of the side
    Choice baseKind; // soda or potash
    Choice target;   // the column the database browser fills

    std::string buretteConcLabel;  // A1
    std::string beakerConcLabel;   // A2
    std::string beakerVolumeLabel; // A3
    bool sideLabelsVisible{false}; // A1, A2, A3
    std::string column1Title;
    std::string column2Title;
    bool column1TitleVisible{false};
    bool column2TitleVisible{false};
    std::string browserTitle;
    std::string entryTitle;
    bool browserVisible{false};
    bool browserTitleVisible{false};
    bool commandsVisible{false};
    bool marker1Visible{false}; // above column 1
    bool marker2Visible{false}; // above column 2
    std::string showCaption;    // U1
    std::string copyCaption;    // U3
    int unitColumn{1};          // the beaker rows' unit labels stand right of this column
    bool laidOut{false};        // the layout has run once
    BuretteSide iconSide{BuretteSide::AcidSide};

    // The panel as designed, before any choice, its texts in `language`.
    static PanelView atDesign(Language language);
};

// The main window's panel at creation: the design texts in the simulation's language, and
// entry 1 of the acids loaded into column 1.
void startPanel(PanelView& view, Simulation& sim);

// Puts every text of the panel in the simulation's language, the choices and what shows
// left as they are: for a change of language while the window is open.
void retranslatePanel(PanelView& view, const Simulation& sim);

// A click on an item of a choice. Choosing the item that is already selected runs nothing.
void chooseBurette(PanelView& view, Simulation& sim, int item);  // the side change
void chooseStudy(PanelView& view, Simulation& sim, int index);   // the study change
void chooseTarget(PanelView& view, Simulation& sim, int item);   // column 1 or 2
void chooseBaseKind(PanelView& view, Simulation& sim, int item); // soda or potash

// The check of a number field D1..D6, D12..D16 when the user leaves it: nothing when its text
// reads as a number the set-up accepts, else the message the set-up would give for it.
std::optional<std::string> fieldRefusal(int field, const std::string& text, Language language);

// The graph window's hydronium box.
inline constexpr int kHydroniumBox = 10;

} // namespace titralab
