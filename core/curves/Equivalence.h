// What a chemist reads off a titration curve, computed exactly: the equivalence points with
// their pH, the inflection near each one, the half-equivalence points, and whether each
// equivalence shows as a usable jump.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/chemistry/Formulas.h"

#include <optional>
#include <vector>

namespace titralab {

// The beaker a study titrates; none for the studies without a titration.
std::optional<Titration> titrationOf(Study study);

// The number of acidities (basicities) of acid 1 that the study titrates: those whose working
// constant is above kPresentConstant (an absent acidity carries 1e-50, 1e-36 on the base side).
constexpr double kPresentConstant = 1e-30;
int titratedAcidities(const ChemicalState& s);

// A point of the curve: a volume (unit of vol1) and the displayed pH there.
struct CurvePlace {
    double volume{};
    double pH{};
};

// The usable-jump criterion: the pH change across ±2 % of the first equivalence volume (of
// the smallest gap between consecutive equivalences when they are unevenly spaced) around the
// equivalence must reach 1 pH unit, and the curve must have an inflection there.
constexpr double kJumpWindow = 0.02;
constexpr double kUsableJump = 1.0; // pH units

// The jump an indicator's transition range must lie in: the pH the curve crosses while the
// volume stays within an eighth of the same gap of the equivalence. Narrower (a tenth),
// phosphoric acid at 0.1 mol/L would refuse helianthine (3.1) at its first equivalence;
// wider (a sixth), hydrochloric acid at 0.01 mol/L would accept it, as no textbook does.
constexpr double kIndicatorWindow = 0.125;

struct EquivalenceReading {
    int number{};                         // 1, 2, 3
    CurvePlace equivalence;               // at k·C1·V1/Cb, the pH solved exactly there
    std::optional<CurvePlace> inflection; // where dpH/dV is largest near it, when it has one
    CurvePlace half;                      // midway from the previous equivalence (or from 0)
    double slope{};                       // dpH/dV at the equivalence, per unit of vol1
    double inflectionSlope{};             // dpH/dV at the inflection, per unit of vol1
    double jumpBefore{};                  // pH at the equivalence volume minus the window
    double jumpAfter{};                   // pH at the equivalence volume plus the window
    double indicatorJumpLow{};            // the lowest and highest pH of the curve within
    double indicatorJumpHigh{};           // kIndicatorWindow of the equivalence
    bool usable{};

    double jump() const { return jumpAfter - jumpBefore; } // negative on the base side
};

// The readings of the current study, in order of volume; empty for a study without titration.
std::vector<EquivalenceReading> readEquivalences(const ChemicalState& s);

// The equivalence volumes alone (unit of vol1): k·C1·V1/Cb for a polyacid; for two monoacids,
// the stronger acid's amount, then the total.
std::vector<double> equivalenceVolumes(const ChemicalState& s);

} // namespace titralab
