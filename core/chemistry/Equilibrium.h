// The equilibrium of any solution, or of a beaker with a volume of a second solution added: the
// pH, every form of every system, and the conductivity where the ions' λ° are known.
#pragma once

#include "core/chemistry/ChargeBalance.h"
#include "core/chemistry/Solution.h"

#include <optional>
#include <vector>

namespace titralab {

// One solute in the mixture.
struct SoluteState {
    double concentration{};      // mol/L after mixing (the system as a whole, or the ion)
    std::vector<double> forms{}; // mol/L of each form of a system, form 0 first; empty for an ion
};

struct EquilibriumState {
    double pH{};
    double hydronium{};                // mol/L
    double hydroxide{};                // mol/L
    std::vector<SoluteState> beaker{}; // by solute of the beaker (of the solution alone)
    std::vector<SoluteState> added{};  // by solute of the added solution
    // S/m; none when a solute present in the mixture has a form (or is an ion) without a
    // known λ°. The caller says so once, from this flag.
    std::optional<double> conductivity{};
    bool conductivityKnown{true};
};

// The solution alone.
EquilibriumState equilibriumOf(const Solution& solution);

// The beaker (volume beakerVolume) after adding v of `added`, at the pH the balance gives
// there (as ChargeBalance::solvePH found it). Volumes in one unit.
EquilibriumState mixtureState(const ChargeBalance& balance, const Solution& beaker,
                              const Solution& added, double v, double pH);

// The concentration (mol/L) of each form of a system of total concentration c at a pH, form 0
// (the fully protonated one) first: the species against pH.
std::vector<double> formsAtPH(const AcidBaseSystem& system, double concentration, double pH);

// Whether every solute with a positive concentration has a known λ° for each of its forms.
bool conductivityKnown(const Solution& solution);

} // namespace titralab
