// Closed-form equilibrium formulas and the pH solvers built on them.
#pragma once

#include "core/chemistry/ChemicalState.h"

#include <stdexcept>

namespace titralab {

// An arithmetic fault of the mixture solver; it ends the command that met it.
class ArithmeticFault : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

double pToConc(double x);   // 10^-x
double safeLog10(double x); // log10 x, or 1e-50 when x <= 0
double toWorkingConc(const ChemicalState& s, double x);
double workingConcFromPH(const ChemicalState& s, double pH);
double displayPH(const ChemicalState& s, double x);

// Volume of titrant (unit of vol1) that brings acid 1 alone to the working concentration h;
// -1 when it cannot be computed.
double titrantVolume(const ChemicalState& s, double h);
// The same for the mixture of two monoacids.
double titrantVolumeTwoMono(const ChemicalState& s, double h);
// Concentration (mol/L) of species j (0..3) of acid 1 / acid 2 of total concentration c;
// -1 when it cannot be computed.
double speciesConc(const ChemicalState& s, int j, double h, double c);
double speciesConc2(const ChemicalState& s, int j, double h, double c);
// Charge balance of the mixture of the two triacids; zero at the mixture's h.
double mixtureBalance(const ChemicalState& s, double h);
// -log10 of the concentration of acid 1 whose solution has working concentration h; -1 when none.
double dilutionPC(const ChemicalState& s, double h);

// Displayed pH of the beaker after adding v of titrant (TitrationVsVolume / TwoMonoTitration).
double solvePH(const ChemicalState& s, double v);
double solvePHTwoMono(const ChemicalState& s, double v);
// Working concentration of the two-polyacid mixture. Throws ArithmeticFault on overflow.
double solveMixture(const ChemicalState& s);

struct PHRange {
    double low{};
    double high{};
};
// The lower and higher of the pH at volume 0 and at volumeSpan.
PHRange pHAtVolumeRange(const ChemicalState& s);
PHRange pHAtVolumeRangeTwoMono(const ChemicalState& s);

} // namespace titralab
