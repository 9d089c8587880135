// A titration of any solution by any solution: a beaker of volume V0 and a burette, the pH at
// any added volume with exact dilution, dpH/dV, a curve, and the remarkable points found from
// the proton balance.
#pragma once

#include "core/chemistry/ChargeBalance.h"
#include "core/chemistry/Equilibrium.h"
#include "core/chemistry/Indicators.h"
#include "core/chemistry/Solution.h"

#include <optional>
#include <vector>

namespace titralab {

struct FreeTitration {
    Solution beaker{};
    double beakerVolume{0.02}; // L
    Solution burette{};
};

// The pH after adding v (L) from the burette, and the whole state there.
double freeTitrationPH(const FreeTitration& t, double v);
EquilibriumState freeTitrationState(const FreeTitration& t, double v);
// dpH/dV at v, in pH per litre, exact by the implicit-function theorem.
double freeTitrationSlope(const FreeTitration& t, double v);

struct FreeCurvePoint {
    double volume{}; // L
    double pH{};
    double slope{}; // dpH/dV, per L
};
// n points (2 to kMaxFreeCurvePoints, else none) evenly spread over [0, maxVolume] (L); each
// solve starts from the previous pH.
constexpr int kMaxFreeCurvePoints = 100000;
std::vector<FreeCurvePoint> freeTitrationCurve(const FreeTitration& t, double maxVolume, int n);

// The remarkable points, read as the titration studies read theirs: each equivalence at its
// exact volume with the pH solved there; the half-equivalence midway from the previous one (or
// from 0); the inflection where |dV/dpH| is least between the half-equivalences around it;
// the pH change across ±2 % of the smallest gap between equivalences (usable at 1 pH unit with
// an inflection), and the pH range the curve crosses within an eighth of that gap, which an
// indicator's transition range must lie in.
constexpr double kFreeJumpWindow = 0.02;
constexpr double kFreeUsableJump = 1.0;
constexpr double kFreeIndicatorWindow = 0.125;

struct FreePlace {
    double volume{}; // L
    double pH{};
};

struct FreeEquivalence {
    int number{};                        // 1, 2, ... in order of volume
    FreePlace equivalence;               // exact volume, pH solved there
    std::optional<FreePlace> inflection; // when the curve has one near it
    FreePlace half;
    double slope{};           // dpH/dV at the equivalence, per L
    double inflectionSlope{}; // dpH/dV at the inflection, per L
    double jumpBefore{};
    double jumpAfter{};
    double indicatorJumpLow{};
    double indicatorJumpHigh{};
    bool usable{};
    // The pKa levels on either side of the proton reference that defines this equivalence;
    // -infinity or +infinity beyond the last acidity (a strong acid or base).
    double levelBelow{};
    double levelAbove{};

    double jump() const { return jumpAfter - jumpBefore; }
};

// An indicator suits an equivalence when its jump is usable and its transition range lies
// within the pH the curve crosses near it (the titration studies' rule).
bool freeIndicatorSuits(const ColourIndicator& indicator, const FreeEquivalence& point);

// An acidity (or basicity) of the beaker that the titrant cannot reach: no equivalence is
// given for it.
struct UntitratedLevel {
    double pKa{};
    bool acidity{true}; // true: the beaker's protons a base titrant cannot take
};

struct FreeEquivalences {
    std::vector<FreeEquivalence> points{};
    std::vector<UntitratedLevel> untitrated{};
};

// The equivalences from the proton balance. The acidities of beaker and burette are sorted by
// pKa; a proton reference between two consecutive levels (or beyond the last) is reached when
//   P_beaker + v·P_burette = A_beaker(ref) + v·A_burette(ref),
// P the protons a solution holds above its fully deprotonated forms, A(ref) the capacity of its
// acidities above the reference (per litre for the burette). Each reference gives the volume
// v = (A_b - P_b) / (P_t - A_t) when that is finite and positive.
FreeEquivalences freeEquivalences(const FreeTitration& t);

} // namespace titralab
