// The charge balance of a beaker (volume V0 of one solution) after adding a volume v of a
// second solution, and its root in log10 [H3O+]. The balance is written in moles:
//   F(h, v) = F0(h) + v·F1(h),
//   F0 = V0·(h - Ke/h + sum of z·c over the beaker's ions and system forms),
//   F1 = h - Ke/h + the same sum over the added solution,
// with every system's forms in proportion to their fractions at h. F rises strictly with h, so
// it has one root; it is linear in v, so the volume that reaches a given h is -F0/F1.
#pragma once

#include "core/chemistry/Solution.h"

#include <vector>

namespace titralab {

class ChargeBalance {
  public:
    // beakerVolume in L (any unit, as long as the added volumes share it). A solution alone is
    // a beaker of 1 L with nothing added.
    ChargeBalance(const Solution& beaker, double beakerVolume, const Solution& added);
    explicit ChargeBalance(const Solution& solution) : ChargeBalance(solution, 1, Solution{}) {}

    // F0, F1 and their first two derivatives with respect to u = ln h.
    struct Terms {
        long double f0{}, f0u{}, f0uu{};
        long double f1{}, f1u{}, f1uu{};
    };
    Terms termsAt(long double h) const;

    // pH of the mixture after adding v (>= 0), solved to the last bits by a safeguarded Newton
    // in log10 h within a bracket that holds the root. `guess` (a pH) speeds up a curve.
    double solvePH(double v, double guess) const;
    double solvePH(double v) const;

    // dpH/dv at a volume whose pH is known, per unit of volume: the implicit-function theorem
    // on F(h, v) = 0, dpH/dv = F1 / (ln 10 · dF/du).
    double pHSlope(double v, double pH) const;

    // The added volume that brings the mixture to a pH (possibly negative or infinite), and its
    // derivatives with respect to pH.
    struct VolumeAtPH {
        double volume{};
        double perPH{};  // dv/dpH
        double perPH2{}; // d2v/dpH2
    };
    VolumeAtPH volumeAtPH(double pH) const;
    // B³ times d2v/du2 (u = ln h), whose sign is that of the curvature; used to place
    // inflections.
    double curvatureSign(double pH) const;

    // The fraction of each form of system `index` at h (index into systems()).
    std::vector<double> fractions(int index, long double h) const;

    struct PreparedSystem {
        std::vector<double> pKa;
        std::vector<long double> k;        // 10^-pKa
        std::vector<long double> inverseK; // 10^pKa
        int protonatedCharge{};
        long double concentration{}; // mol/L in its own solution
        bool added{};                // in the added solution (scaled by v) or the beaker (V0)
        int solute{};                // index of the solute in its solution
    };
    const std::vector<PreparedSystem>& systems() const { return m_systems; }
    double beakerVolume() const { return m_beakerVolume; }

  private:
    Terms termsAt(long double h, long double log10h) const;

    double m_beakerVolume{1};
    long double m_beakerIons{};  // sum of z·c of the beaker's spectator ions, mol/L
    long double m_addedIons{};   // the same for the added solution
    long double m_beakerRange{}; // bound on |charge| the beaker's solutes carry, mol/L
    long double m_addedRange{};
    std::vector<PreparedSystem> m_systems;
};

} // namespace titralab
