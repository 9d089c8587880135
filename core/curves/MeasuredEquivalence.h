// The equivalence volume read off measured points by the methods taught in the lab: the
// maximum of the derivative, the parallel tangents, Gran's linearisations and the breaks of a
// conductimetric titration, each with its standard uncertainty; and the spread of any of them
// when the measurements are perturbed (Monte-Carlo).
#pragma once

#include "core/base/PastedPair.h"
#include "core/sheets/MeasurementFile.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace titralab {

enum class EquivalenceMethod { Derivative, Tangents, Gran, Conductimetric };

struct MeasuredEquivalence {
    int number{};        // 1 for the first equivalence of the beaker, 2 for the second…
    double volume{};     // L
    double uncertainty{}; // L, standard uncertainty
};

// A straight line of a construction, y = slope·v + intercept, drawn over [from, to] (L).
struct ConstructionLine {
    double slope{};
    double intercept{};
    double from{};
    double to{};
    double at(double v) const { return slope * v + intercept; }
};

// The reading uncertainty of a burette (L) that every method adds to its own.
inline constexpr double kBuretteReading = 0.05e-3;

// Derivative: dpH/dV by central differences on the measured (non-uniform) grid, after an
// optional Savitzky–Golay smoothing (a quadratic fitted over `smoothingWindow` points, odd,
// 0 for none); each equivalence at a prominent maximum of |dpH/dV|, refined by the parabola
// through the three highest points.
struct DerivativeReading {
    std::vector<std::pair<double, double>> derivative; // (v in L, dpH/dV in 1/L)
    std::vector<MeasuredEquivalence> equivalences;
};
DerivativeReading derivativeMethod(const std::vector<PastedPair>& points, int smoothingWindow = 0);

// Parallel tangents: a local quadratic smoothing of the points; for each jump, two tangents of
// one slope (the geometric mean of the gentlest slope beside the jump and the steepest in it),
// the line halfway between them, and its intersection with the smoothed curve.
struct TangentConstruction {
    ConstructionLine before;
    ConstructionLine after;
    ConstructionLine middle;
    double pH{}; // where the middle line crosses the curve
};
struct TangentReading {
    std::vector<TangentConstruction> constructions;
    std::vector<MeasuredEquivalence> equivalences;
};
TangentReading tangentMethod(const std::vector<PastedPair>& points);

// Gran: before the (first) equivalence, v·10^(−pH) (weak acid) or (V0+v)·([H3O+] − [OH−])
// (strong acid) against v; after the (last) one, (V0+v)·([OH−] − [H3O+]). Each is a straight
// line that meets the volume axis at the equivalence. The base side works on pKe − pH.
struct GranSetup {
    double beakerVolume{};   // V0, L
    bool weakBeaker{true};   // the titrated acid (base) is weak
    bool baseSide{false};    // a base titrated by a strong acid
    double pKe{14};
    // The titrant's concentration (mol/L): with it the weak-acid line is exact (see granMethod);
    // 0 for the classic v·10^(−pH), which neglects [H3O+] beside the acid.
    double titrantConcentration{0};
    // The volumes (L) the lines are fitted over; chosen from the derivative's maximum when absent.
    std::optional<std::pair<double, double>> beforeRange;
    std::optional<std::pair<double, double>> afterRange;
};
struct GranBranch {
    std::vector<std::pair<double, double>> plotted; // (v in L, Gran function) of every point
    std::pair<double, double> range{};              // fitted over these volumes (L)
    ConstructionLine line;
    std::optional<MeasuredEquivalence> equivalence; // none with fewer than 3 points in range
};
struct GranReading {
    GranBranch before;
    GranBranch after;
    std::vector<MeasuredEquivalence> equivalences;
};
GranReading granMethod(const std::vector<PastedPair>& points, const GranSetup& setup);

// Conductimetric: `breaks` + 1 straight lines fitted to the conductivity points, each break
// where two lines meet. With V0 > 0 the conductivities are first multiplied by (V0+v)/V0,
// which makes the segments straight despite the dilution; the lines are in those units.
struct ConductimetricReading {
    std::vector<ConstructionLine> lines;
    bool dilutionCorrected{false};
    std::vector<MeasuredEquivalence> equivalences;
};
ConductimetricReading conductimetricMethod(const std::vector<sheets::ConductivityPoint>& points,
                                           int breaks, double beakerVolume);
// A conductimetric line as drawn over the measured points (S/m), dilution restored.
double conductimetricLineAt(const ConductimetricReading& reading, const ConstructionLine& line,
                            double beakerVolume, double v);

// Monte-Carlo: each draw perturbs every pH (normal, σ = pH) and every volume (normal,
// σ = volume) of the points, runs the method and keeps the equivalences found; the spread is
// their standard deviation by equivalence number.
struct MonteCarloSetup {
    int draws{1000};
    double pH{0.02};     // standard deviation of a pH reading
    double volume{0.05e-3}; // of a burette reading, L
    unsigned seed{20261208};
};
struct MonteCarloSpread {
    int number{};
    double mean{};   // L
    double spread{}; // L, standard deviation
    int found{};     // draws that found this equivalence
};
struct MonteCarloReading {
    std::vector<MonteCarloSpread> spreads;
    int draws{};  // done before the end or a cancel
    bool cancelled{false};
};
using PHMethod = std::function<std::vector<MeasuredEquivalence>(const std::vector<PastedPair>&)>;
// progress(done, total) is called every few draws; returning false cancels.
MonteCarloReading monteCarlo(const PHMethod& method, const std::vector<PastedPair>& points,
                             const MonteCarloSetup& setup,
                             const std::function<bool(int, int)>& progress = {});

// The points sorted by volume, points of equal volume averaged, non-finite ones dropped.
std::vector<PastedPair> cleanedPoints(const std::vector<PastedPair>& points);

} // namespace titralab
