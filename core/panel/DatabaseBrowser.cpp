#include "core/panel/DatabaseBrowser.h"

#include "core/chemistry/Database.h"
#include "core/numbers/NumberFormat.h"

namespace titralab {

PanelFields PanelFields::atDesign(Language language) {
    PanelFields p;
    const char* design[17] = {"", "1,0E-1", "1,0E-1", "20E-3",  "8",     "1", "4", "", "",
                              "", "",       "30",     "1,0E-1", "20E-3", "0", "4", "8"};
    for (int i = 1; i <= 16; ++i) {
        p.text[i] = design[i];
        if (language == Language::English)
            for (char& c : p.text[i])
                if (c == ',') c = '.';
    }
    for (int i : {1, 2, 3, 4, 11}) p.visible[i] = true;
    return p;
}

void LoadEntry(const DatabaseBrowser& browser, int n, PanelFields& panel, ChemicalState& state) {
    const AcidBaseEntry& e = entryOf(panel.side, n);
    panel.entryName = e.name(browser.language);
    ++panel.entryLoads;
    const std::array<double, 3> pK{e.pKa[0], e.acidities > 1 ? e.pKa[1] : ABSENT_PK,
                                   e.acidities > 2 ? e.pKa[2] : ABSENT_PK};
    const int first = browser.targetColumn1 ? 4 : 14;
    if (browser.targetColumn1) {
        state.row1 = n;
        state.pK1 = pK;
    } else {
        state.row2 = n;
        state.pK2 = pK;
    }
    // With the separator of the panel's other numbers (atDesign).
    const char separator = browser.language == Language::English ? '.' : ',';
    for (int k = 0; k < 3; ++k) panel.text[first + k] = formatGeneral(pK[k], 15, separator);
    panel.visible[first + 1] = e.acidities >= 2;
    panel.visible[first + 2] = e.acidities >= 3;
    panel.pKa2LabelVisible = panel.visible[5] || panel.visible[15];
    panel.pKa3LabelVisible = panel.visible[6] || panel.visible[16];
}

void SeekMonoprotic(DatabaseBrowser& browser, BuretteSide side) {
    int& current = browser.current(side);
    while (current > 1 && entryOf(side, current).acidities != 1) --current;
}

void StepForward(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state) {
    int& current = browser.current(panel.side);
    current = std::min(current + 1, entryCount(panel.side));
    if (browser.twoMonoacid && entryOf(panel.side, current).acidities > 1) {
        current = std::max(current - 1, 1);
        SeekMonoprotic(browser, panel.side);
    }
    LoadEntry(browser, current, panel, state);
}

void StepBack(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state) {
    int& current = browser.current(panel.side);
    current = std::max(current - 1, 1);
    if (browser.twoMonoacid && entryOf(panel.side, current).acidities > 1) {
        current = std::max(current - 1, 1);
        SeekMonoprotic(browser, panel.side);
    }
    LoadEntry(browser, current, panel, state);
}

void RefreshSelection(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state) {
    if (browser.current(panel.side) < entryCount(panel.side)) {
        StepForward(browser, panel, state);
        StepBack(browser, panel, state);
    } else {
        StepBack(browser, panel, state);
        StepForward(browser, panel, state);
    }
}

} // namespace titralab
