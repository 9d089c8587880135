// What the main window's input panel shows besides its number fields: captions, choices and
// visible parts. The choices that change it are the session's (core/session/InputPanel.h).
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/ChemicalState.h"

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

} // namespace titralab
