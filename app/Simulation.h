// The one simulation context of the program, owned by the application and passed by reference.
#pragma once

#include "app/UroutinesDeBase.h"
#include "chemistry/ChemicalState.h"

namespace titralab {

struct Simulation {
    ChemicalState state;
    PanelFields panel{PanelFields::atDesign()};
    DatabaseBrowser browser;
};

} // namespace titralab
