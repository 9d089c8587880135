// The mixture of two polyacids (polybases): its pH and the concentration of every species.
#pragma once

#include "chemistry/ChemicalState.h"

#include <array>

namespace titralab {

struct MixtureResult {
    double c1m{};               // mol/L, acid 1 in the mixture
    double c2m{};               // mol/L, acid 2 in the mixture
    double h{};                 // working concentration of the mixture, mol/L
    double pH{};                // -log10 h (a pOH on the base side)
    std::array<double, 4> c1{}; // species of acid 1, mol/L
    std::array<double, 4> c2{}; // species of acid 2, mol/L
};

// Throws ArithmeticFault when the solver meets an overflow.
MixtureResult ComputeTwoPolyacidMixture(const ChemicalState& s);

} // namespace titralab
