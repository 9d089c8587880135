// Helpers shared by the chemistry tests: a state set up from typed texts.
#pragma once

#include "core/panel/DatabaseBrowser.h"
#include "core/base/Notifier.h"
#include "core/panel/SimulationSetup.h"

#include <string>

namespace titralab::testing {

struct Typed {
    BuretteSide side{BuretteSide::AcidSide};
    Study study{Study::TitrationVsVolume};
    std::string pK1[3]{"4.7", "50", "50"};
    std::string pK2[3]{"4.7", "50", "50"};
    std::string cb{"0.1"}, c1{"0.1"}, v1{"0.02"}, c2{"0.1"}, v2{"0.02"};
    int row1{17}, row2{17};
};

inline PanelFields panelFor(const Typed& t) {
    PanelFields p = PanelFields::atDesign();
    p.side = t.side;
    p.study = t.study;
    p.at(Field::BuretteConcentration) = t.cb;
    p.at(Field::Concentration1) = t.c1;
    p.at(Field::Volume1) = t.v1;
    p.at(Field::Concentration2) = t.c2;
    p.at(Field::Volume2) = t.v2;
    const Field column1[] = {Field::PKa1, Field::PKa2, Field::PKa3};
    const Field column2[] = {Field::PKa2_1, Field::PKa2_2, Field::PKa2_3};
    for (int k = 0; k < 3; ++k) {
        p.at(column1[k]) = t.pK1[k];
        p.at(column2[k]) = t.pK2[k];
    }
    return p;
}

inline ChemicalState stateFor(const Typed& t) {
    ChemicalState s;
    s.row1 = t.row1;
    s.row2 = t.row2;
    RecordingNotifier quiet;
    setUpSimulation(s, panelFor(t), quiet, Language::French);
    return s;
}

} // namespace titralab::testing
