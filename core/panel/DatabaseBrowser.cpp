#include "core/panel/DatabaseBrowser.h"

#include "core/chemistry/Database.h"
#include "core/numbers/NumberFormat.h"

namespace titralab {

PanelFields PanelFields::atDesign(Language language) {
    PanelFields p;
    const std::pair<Field, const char*> design[] = {{Field::BuretteConcentration, "1,0E-1"},
                                                    {Field::Concentration1, "1,0E-1"},
                                                    {Field::Volume1, "20E-3"},
                                                    {Field::PKa1, "8"},
                                                    {Field::PKa2, "1"},
                                                    {Field::PKa3, "4"},
                                                    {Field::LineWidth, "30"},
                                                    {Field::Concentration2, "1,0E-1"},
                                                    {Field::Volume2, "20E-3"},
                                                    {Field::PKa2_1, "0"},
                                                    {Field::PKa2_2, "4"},
                                                    {Field::PKa2_3, "8"}};
    for (const auto& [field, text] : design) {
        p.at(field) = text;
        if (language == Language::English)
            for (char& c : p.at(field))
                if (c == ',') c = '.';
    }
    for (Field field : {Field::BuretteConcentration, Field::Concentration1, Field::Volume1,
                        Field::PKa1, Field::LineWidth})
        p.show(field, true);
    return p;
}

void LoadEntry(const DatabaseBrowser& browser, int n, PanelFields& panel, ChemicalState& state) {
    const AcidBaseEntry& e = entryOf(panel.side, n);
    panel.entryName = e.name(browser.language);
    ++panel.entryLoads;
    const std::array<double, 3> pK{e.pKa[0], e.acidities > 1 ? e.pKa[1] : ABSENT_PK,
                                   e.acidities > 2 ? e.pKa[2] : ABSENT_PK};
    const std::array<Field, 3> fields =
        browser.targetColumn1 ? std::array<Field, 3>{Field::PKa1, Field::PKa2, Field::PKa3}
                              : std::array<Field, 3>{Field::PKa2_1, Field::PKa2_2, Field::PKa2_3};
    if (browser.targetColumn1) {
        state.row1 = n;
        state.pK1 = pK;
    } else {
        state.row2 = n;
        state.pK2 = pK;
    }
    // With the separator of the panel's other numbers (atDesign).
    const char separator = browser.language == Language::English ? '.' : ',';
    for (int k = 0; k < 3; ++k) panel.at(fields[k]) = formatGeneral(pK[k], 15, separator);
    panel.show(fields[1], e.acidities >= 2);
    panel.show(fields[2], e.acidities >= 3);
    panel.pKa2LabelVisible = panel.shown(Field::PKa2) || panel.shown(Field::PKa2_2);
    panel.pKa3LabelVisible = panel.shown(Field::PKa3) || panel.shown(Field::PKa2_3);
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
