// The input panel's field record and the navigation over the built-in database.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/base/Language.h"
#include "core/panel/Field.h"

#include <array>
#include <string>

namespace titralab {

// The texts and visibility of the input panel's fields, as the logic sees them.
struct PanelFields {
    std::array<std::string, 17> text{}; // by slot(field)
    std::array<bool, 17> visible{};     // by slot(field): the field shows
    std::string pointCount{"100"};      // "Nombre de points :" of the graph window
    std::string entryName;              // name field of the database browser
    int entryLoads{0};                  // entries loaded so far: each load rewrites the name
    bool pKa2LabelVisible{false};       // "pKa&2"
    bool pKa3LabelVisible{false};       // "pKa&3"
    BuretteSide side{BuretteSide::AcidSide};
    Study study{Study::None};
    BaseKind baseKind{BaseKind::Soda};

    // The panel as the main window is designed, before entry 1 is loaded, its numbers written
    // with the decimal separator of the language: a comma in French, a point in English.
    static PanelFields atDesign(Language language = Language::French);

    std::string& at(Field field) { return text[slot(field)]; }
    const std::string& at(Field field) const { return text[slot(field)]; }
    bool shown(Field field) const { return visible[slot(field)]; }
    void show(Field field, bool shown) { visible[slot(field)] = shown; }
};

// Navigation over the database of the current side.
struct DatabaseBrowser {
    int currentAcidEntry{1};
    int currentBaseEntry{1};
    bool twoMonoacid{false};  // restricts the browser to entries with one acidity
    bool targetColumn1{true}; // column 1 exactly when item 0 of "Concerne" is selected
    // The language of the names it writes into the panel: the simulation's (setLanguage).
    Language language{Language::French};

    int& current(BuretteSide side) {
        return side == BuretteSide::AcidSide ? currentAcidEntry : currentBaseEntry;
    }
};

// Loads entry n of the side's table into the target column: name, pKa fields (50 for an
// absent acidity), row1/row2 and pK of the state, pKa2/pKa3 visibility.
void LoadEntry(const DatabaseBrowser& browser, int n, PanelFields& panel, ChemicalState& state);
void StepForward(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state);
void StepBack(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state);
void SeekMonoprotic(DatabaseBrowser& browser, BuretteSide side);
void RefreshSelection(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state);

} // namespace titralab
