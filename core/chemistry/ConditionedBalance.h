// The charge balance of a beaker and an added solution in given conditions: every pKa and Kw
// at the temperature and, with activities, the ionic strength solved together with the pH at
// each point (the Davies equation). Without activities at 25 °C it is the plain ChargeBalance.
#pragma once

#include "core/chemistry/ChargeBalance.h"
#include "core/chemistry/Conditions.h"
#include "core/chemistry/Solution.h"

#include <optional>
#include <vector>

namespace titralab {

// Beyond this ionic strength (mol/L) the Davies coefficients are held at their value there:
// the equation means nothing so far out, and its γ would leave the range of the numbers.
constexpr double kDaviesHeldStrength = 10;

class ConditionedBalance {
  public:
    ConditionedBalance(const Solution& beaker, double beakerVolume, const Solution& added,
                       const Conditions& conditions);

    // The solutions at the temperature, and the indices of their systems that keep their
    // pKa of 25 °C (no ΔH° known).
    const SolutionAtTemperature& beaker() const { return m_beaker; }
    const SolutionAtTemperature& added() const { return m_added; }
    const Conditions& conditions() const { return m_conditions; }

    struct Point {
        double pH{};            // -log10 a(H3O+) with activities, -log10 [H3O+] without
        double ionicStrength{}; // mol/L
    };
    // The pH and the ionic strength after adding v, solved together: the ionic strength is a
    // root of Inew(I) - I, Inew the strength of the mixture at the pH the balance gives with
    // the coefficients of I, found by secant steps kept inside a bracket that holds a root
    // (the strength any pH can give is bounded), with bisection as the fallback; at most
    // kMaxStrengthIterations solves. guessPH and guessStrength (NaN: none) speed up a curve.
    static constexpr int kMaxStrengthIterations = 200;
    Point solve(double v, double guessPH, double guessStrength);
    Point solve(double v);

    // dpH/dv (per unit of volume) at a solved point: implicit differentiation of the balance
    // F(pH, v, I) = 0 together with Inew(pH, v, I) - I = 0; the partial derivatives of F in
    // pH and v are exact, those in I and of Inew by central differences.
    double slope(double v, const Point& point);

    // The added volume that brings the mixture to a pH, with the ionic strength there (both
    // solved together by fixed-point steps), or none when no positive finite volume does.
    struct VolumePoint {
        double volume{};
        double ionicStrength{};
    };
    std::optional<VolumePoint> volumeAt(double pH);

    // The balance in the medium of the last point solved.
    const ChargeBalance& balance() const { return m_balance; }
    bool activities() const { return !m_conditions.ideal(); }
    // Whether an ionic strength lies beyond the range of the Davies equation (with activities).
    bool outOfRange(double ionicStrength) const;

  private:
    void setStrength(long double strength);
    long double strengthBound(double v) const;

    Conditions m_conditions;
    SolutionAtTemperature m_beaker, m_added;
    ChargeBalance m_balance;
    double m_water{};
    double m_a{};                                // Davies A at the temperature
    long double m_strength{-1};                  // the ionic strength of the present medium
    long double m_beakerBound{}, m_addedBound{}; // bound of the solutes' strength, mol/L
    long double m_beakerRange{}, m_addedRange{}; // bound of |charge| they carry, mol/L
};

} // namespace titralab
