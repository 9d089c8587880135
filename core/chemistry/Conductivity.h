// Ideal conductivity of the titrated solution and when it can be computed at all.
#pragma once

#include "core/chemistry/ChemicalState.h"

#include <array>

namespace titralab {

struct ConductivityAvailability {
    bool available{false};
    IonConductivities conductivities{}; // cation, species 1..4, H3O+, OH-; mS·m²/mol
};

// Which ions conduct in the current study, and whether all of them are known.
// The caller stores the result in the state and enables the "Conductivité" box from it.
ConductivityAvailability UpdateConductivityAvailability(const ChemicalState& s);

// Conductivity (S/m) of the beaker at one point of a titration-type study.
// h: [H3O+] in mol/L; v: titrant volume (unit of vol1); species: the concentrations c0..c3 of
// the point as drawn (two-monoacid study: acid 1's c0, c1 then acid 2's c0, c1);
// present: which species boxes are visible; dilutionTicked: "Tenir compte de la dilution".
double conductivity(const ChemicalState& s, double h, double v,
                    const std::array<double, 4>& species, const std::array<bool, 4>& present,
                    bool dilutionTicked);

} // namespace titralab
