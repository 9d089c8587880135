#include "core/chemistry/Formulas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace titralab {

namespace {

// The four guarded formulas return -1 rather than let an overflow, a division by zero or an
// invalid operation out. An intermediate that is not finite counts as such a fault, even when
// the final division would turn it into something finite.
double guardedRatio(double numerator, double denominator) {
    if (denominator == 0 || !std::isfinite(numerator) || !std::isfinite(denominator)) return -1;
    const double r = numerator / denominator;
    return std::isfinite(r) ? r : -1;
}

// D(h) for the constants k (acid 1: ka1, acid 2: ka2).
double protonDenominator(const std::array<double, 3>& k, double h) {
    return h * h * h + k[0] * h * h + k[0] * k[1] * h + k[0] * k[1] * k[2];
}

// n(h): D(h) times the mean number of protons released per molecule.
double protonsReleased(const std::array<double, 3>& k, double h) {
    return k[0] * h * h + 2 * k[0] * k[1] * h + 3 * k[0] * k[1] * k[2];
}

double species(const std::array<double, 3>& k, int j, double h, double c) {
    const double d = protonDenominator(k, h);
    switch (j) {
    case 0:
        return guardedRatio(c * (h * h * h), d);
    case 1:
        return guardedRatio(c * k[0] * (h * h), d);
    case 2:
        return guardedRatio(c * k[0] * k[1] * h, d);
    case 3:
        return guardedRatio(c * k[0] * k[1] * k[2], d);
    default:
        return -1;
    }
}

// Q(h) = h*D(h) - C*n(h), written as the sum the mixture balance uses.
double mixtureTerm(const std::array<double, 3>& k, double c, double h) {
    const double h2 = h * h;
    return h2 * h2 + (h - c) * h2 * k[0] + (h - 2 * c) * k[0] * k[1] * h +
           (h - 3 * c) * k[0] * k[1] * k[2];
}

// The 51 grid points of the scan and their working concentrations, for one pH mapping.
// Both sides' grids are computed once: the scan then spends its time on the volume function.
struct ScanGrid {
    std::array<double, SCAN_STEPS + 1> pH{};
    std::array<double, SCAN_STEPS + 1> h{};
};

ScanGrid makeGrid(const ChemicalState& s) {
    ScanGrid grid;
    for (int i = 0; i <= SCAN_STEPS; ++i) {
        grid.pH[i] = displayPH(s, static_cast<double>(i * 14) / SCAN_STEPS);
        grid.h[i] = workingConcFromPH(s, grid.pH[i]);
    }
    return grid;
}

const ScanGrid& gridFor(const ChemicalState& s, ScanGrid& scratch) {
    static const ScanGrid acid = [] {
        ChemicalState a;
        a.pOffset = 0;
        a.pSlope = 1;
        return makeGrid(a);
    }();
    static const ScanGrid base = [] {
        ChemicalState b;
        b.pOffset = waterPK;
        b.pSlope = -1;
        return makeGrid(b);
    }();
    if (s.pOffset == 0 && s.pSlope == 1) return acid;
    if (s.pOffset == waterPK && s.pSlope == -1) return base;
    scratch = makeGrid(s);
    return scratch;
}

// Scan of the working coordinates 0..14 for the first grid interval whose volumes bracket v,
// then bisection. firstB is the coordinate the scan compares its first grid point with.
// volumeOfH is the study's volume function of the working concentration.
//
// The bisection gives the same doubles as halving BISECTION_STEPS times while evaluating f(a)
// afresh in every pass, but faster:
// - f is pure, so f(a) is kept from the pass that moved a;
// - once the midpoint stops moving, the remaining halvings cannot change it;
// - each pass also evaluates both midpoints the next pass may need, so that the evaluations
//   of two passes run side by side instead of one after the other.
template <typename VolumeOfH>
double scanAndBisect(const ChemicalState& s, double v, double firstB, VolumeOfH volumeOfH) {
    auto f = [&](double pH) { return volumeOfH(workingConcFromPH(s, pH)); };
    ScanGrid scratch;
    const ScanGrid& grid = gridFor(s, scratch);
    double w = -1;
    double b = firstB;
    double a = b;
    for (int i = 0; i <= SCAN_STEPS; ++i) {
        a = b;
        const double wPrevious = w;
        b = grid.pH[i];
        w = volumeOfH(grid.h[i]);
        // A grid point whose volume is exactly v is a root too: without this test the scan
        // would step over it (both products are zero) and stop at a later sign change.
        if ((wPrevious - v) * (w - v) < 0 || w == v) break;
    }
    double m = 7;
    double fa = f(a);
    static_assert(BISECTION_STEPS % 2 == 0, "passes are taken two at a time");
    for (int k = 0; k < BISECTION_STEPS; k += 2) {
        m = (a + b) / 2;
        if (m == a || m == b) break;
        const double left = (a + m) / 2, right = (m + b) / 2;
        const double fm = f(m), fLeft = f(left), fRight = f(right);
        double next, fNext;
        if ((fa - v) * (fm - v) >= 0) {
            a = m;
            fa = fm;
            next = right;
            fNext = fRight;
        } else {
            b = m;
            next = left;
            fNext = fLeft;
        }
        m = next;
        if (m == a || m == b) break;
        if ((fa - v) * (fNext - v) >= 0) {
            a = m;
            fa = fNext;
        } else {
            b = m;
        }
    }
    return m;
}

} // namespace

double pToConc(double x) {
    return std::exp(-x * std::log(10.0));
}

double safeLog10(double x) {
    return x > 0 ? std::log10(x) : 1e-50;
}

double toWorkingConc(const ChemicalState& s, double x) {
    if (x == 0) x = 1e-20;
    return s.pOffset > 7 ? waterProduct / x : x;
}

double workingConcFromPH(const ChemicalState& s, double pH) {
    return toWorkingConc(s, pToConc(pH));
}

double displayPH(const ChemicalState& s, double x) {
    return s.pSlope * x + s.pOffset;
}

double titrantVolume(const ChemicalState& s, double h) {
    const double K1 = s.ka1[0], K2 = s.ka1[1], K3 = s.ka1[2];
    const double C1 = s.conc1, Cb = s.titrantConc, Ke = waterProduct;
    const double h2 = h * h, h3 = h2 * h, h4 = h3 * h;
    const double n = -h4 * (h + K1) + h3 * (C1 * K1 - K1 * K2 + Ke) +
                     h2 * K1 * (2 * C1 * K2 - K2 * K3 + Ke) + h * K1 * K2 * (3 * C1 * K3 + Ke) +
                     Ke * K1 * K2 * K3;
    const double m = protonDenominator(s.ka1, h) * (h2 + Cb * h - Ke);
    return guardedRatio(s.vol1 * n, m);
}

double titrantVolumeTwoMono(const ChemicalState& s, double h) {
    const double K1 = s.ka1[0], L1 = s.ka2[0], Ke = waterProduct;
    const double h3 = h * h * h;
    const double a1 = h3 + (h - s.conc1) * h * K1 - (h + K1) * Ke;
    const double a2 = h3 + (h - s.conc2) * h * L1 - (h + L1) * Ke;
    const double numerator = -(a2 * (h + K1) * s.vol2 + a1 * (h + L1) * s.vol1);
    const double denominator = (h + K1) * (h + L1) * ((s.titrantConc + h) * h - Ke);
    return guardedRatio(numerator, denominator);
}

double speciesConc(const ChemicalState& s, int j, double h, double c) {
    return species(s.ka1, j, h, c);
}

double speciesConc2(const ChemicalState& s, int j, double h, double c) {
    return species(s.ka2, j, h, c);
}

double mixtureBalance(const ChemicalState& s, double h) {
    const double d = protonDenominator(s.ka1, h);
    const double e = protonDenominator(s.ka2, h);
    const double q1 = mixtureTerm(s.ka1, s.conc1, h);
    const double q2 = mixtureTerm(s.ka2, s.conc2, h);
    return waterProduct * (s.vol1 + s.vol2) * d * e - h * (s.vol1 * e * q1 + s.vol2 * d * q2);
}

double dilutionPC(const ChemicalState& s, double h) {
    const double below = h * protonsReleased(s.ka1, h);
    if (below == 0) return -1;
    // h² - Ke vanishes at pH 7, which only an infinitely dilute solution reaches; within a
    // few roundings of Ke it is rounding noise, and no concentration gives that pH.
    const double excess = h * h - waterProduct;
    if (excess <= 1e-12 * waterProduct) return -1;
    const double r = excess * protonDenominator(s.ka1, h) / below;
    if (!(r > 0) || !std::isfinite(r)) return -1;
    return -std::log10(r);
}

double solvePH(const ChemicalState& s, double v) {
    return scanAndBisect(s, v, displayPH(s, 0), [&s](double h) { return titrantVolume(s, h); });
}

double solvePHTwoMono(const ChemicalState& s, double v) {
    return scanAndBisect(s, v, 0, [&s](double h) { return titrantVolumeTwoMono(s, h); });
}

double solveMixture(const ChemicalState& s) {
    auto g = [&s](double h) {
        const double value = mixtureBalance(s, h);
        if (!std::isfinite(value))
            throw ArithmeticFault(kMixtureFloatingPointFault);
        return value;
    };
    double hi = 3 * (s.conc1 * s.vol1 + s.conc2 * s.vol2) / (s.vol1 + s.vol2);
    double lo = 0;
    // g(0) > 0. When g(hi) is positive too, water's own ions dominate and the root lies above
    // hi: widen the bracket until it holds the root. A bracketed case is left untouched.
    double gHi = g(hi);
    for (int k = 0; k < 200 && gHi > 0; ++k) {
        hi *= 2;
        gHi = g(hi);
    }
    double m = 0;
    for (int k = 0; k < BISECTION_STEPS; ++k) {
        m = (hi + lo) / 2;
        const double gM = g(m);
        if (gHi * gM >= 0) {
            hi = m;
            gHi = gM;
        } else {
            lo = m;
        }
    }
    return m;
}

PHRange pHAtVolumeRange(const ChemicalState& s) {
    const double p0 = solvePH(s, 0), p1 = solvePH(s, s.volumeSpan);
    return {std::min(p0, p1), std::max(p0, p1)};
}

PHRange pHAtVolumeRangeTwoMono(const ChemicalState& s) {
    const double p0 = solvePHTwoMono(s, 0), p1 = solvePHTwoMono(s, s.volumeSpan);
    return {std::min(p0, p1), std::max(p0, p1)};
}

} // namespace titralab

namespace titralab {

namespace {

// Moments of the number j of protons an acid has released, over its species in proportion to
// their concentrations: the mean (n(h)/D(h) of a polyacid), the variance and the third central
// moment. The proportions are taken from terms divided by their largest, so that neither an
// absent acidity nor a very strong one leaves the double range.
struct ProtonMoments {
    double mean{};
    double variance{};
    double third{};
};

template <std::size_t N> ProtonMoments momentsOf(const std::array<double, N>& terms) {
    double largest = 0;
    for (double t : terms) largest = std::max(largest, t);
    ProtonMoments m;
    if (!(largest > 0) || !std::isfinite(largest)) return m;
    double sum = 0, first = 0;
    std::array<double, N> a{};
    for (std::size_t j = 0; j < N; ++j) {
        a[j] = terms[j] / largest;
        sum += a[j];
        first += static_cast<double>(j) * a[j];
    }
    m.mean = first / sum;
    for (std::size_t j = 0; j < N; ++j) {
        const double d = static_cast<double>(j) - m.mean;
        m.variance += a[j] * d * d;
        m.third += a[j] * d * d * d;
    }
    m.variance /= sum;
    m.third /= sum;
    return m;
}

ProtonMoments polyacidMoments(const std::array<double, 3>& k, double h) {
    return momentsOf(
        std::array<double, 4>{h * h * h, k[0] * h * h, k[0] * k[1] * h, k[0] * k[1] * k[2]});
}

ProtonMoments monoacidMoments(double k, double h) {
    return momentsOf(std::array<double, 2>{h, k});
}

// A(h) = v·B(h) and its derivatives with respect to u = ln h; B(h) and its derivatives.
struct BalanceTerms {
    double a{}, aU{}, aUU{};
    double b{}, bU{}, bUU{};
};

BalanceTerms balanceTerms(const ChemicalState& s, Titration t, double h) {
    const double Ke = waterProduct;
    const double water = Ke / h;
    BalanceTerms r;
    double initialVolume = s.vol1;
    double released = 0, spread = 0, skew = 0; // sums of Ci·Vi times the moments
    auto add = [&](double amount, const ProtonMoments& m) {
        released += amount * m.mean;
        spread += amount * m.variance;
        skew += amount * m.third;
    };
    if (t == Titration::OneAcid) {
        add(s.conc1 * s.vol1, polyacidMoments(s.ka1, h));
    } else {
        initialVolume = s.vol1 + s.vol2;
        add(s.conc1 * s.vol1, monoacidMoments(s.ka1[0], h));
        add(s.conc2 * s.vol2, monoacidMoments(s.ka2[0], h));
    }
    r.a = initialVolume * (water - h) + released;
    r.aU = -initialVolume * (water + h) - spread;
    r.aUU = initialVolume * (water - h) + skew;
    r.b = h + s.titrantConc - water;
    r.bU = h + water;
    r.bUU = h - water;
    return r;
}

constexpr double kLn10 = 2.302585092994045684;

double workingCoordinate(const ChemicalState& s, double pH) {
    return (pH - s.pOffset) / s.pSlope;
}

double workingFromCoordinate(double x) {
    return std::exp(-x * kLn10);
}

// The volume alone, +infinity where the titrant could not bring the beaker (B <= 0).
double volumeOfH(const ChemicalState& s, Titration t, double h) {
    const BalanceTerms r = balanceTerms(s, t, h);
    if (!(r.b > 0)) return std::numeric_limits<double>::infinity();
    return r.a / r.b;
}

// The sign of d2v/du2, as B^3 times it (B > 0 where the titration can go).
double curvatureSign(const BalanceTerms& r) {
    return (r.aUU * r.b - r.a * r.bUU) * r.b - 2 * r.bU * (r.aU * r.b - r.a * r.bU);
}

} // namespace

VolumeAtPH titrantVolumeAtPH(const ChemicalState& s, Titration t, double pH) {
    const double h = workingFromCoordinate(workingCoordinate(s, pH));
    const BalanceTerms r = balanceTerms(s, t, h);
    VolumeAtPH out;
    if (!(r.b > 0)) {
        out.volume = std::numeric_limits<double>::infinity();
        out.perPH = out.perPH2 = std::numeric_limits<double>::quiet_NaN();
        return out;
    }
    const double slopeU = (r.aU * r.b - r.a * r.bU) / (r.b * r.b);
    const double curvatureU = (r.aUU * r.b - r.a * r.bUU) / (r.b * r.b) - 2 * r.bU * slopeU / r.b;
    // pH = pOffset - pSlope·u/ln 10, so du/dpH = -pSlope·ln 10.
    const double uPerPH = -s.pSlope * kLn10;
    out.volume = r.a / r.b;
    out.perPH = slopeU * uPerPH;
    out.perPH2 = curvatureU * uPerPH * uPerPH;
    return out;
}

double pHSlopeAtPH(const ChemicalState& s, Titration t, double pH) {
    return 1 / titrantVolumeAtPH(s, t, pH).perPH;
}

double pHSlopeAtWorkingConc(const ChemicalState& s, Titration t, double h) {
    const BalanceTerms r = balanceTerms(s, t, h);
    if (!(r.b > 0)) return std::numeric_limits<double>::quiet_NaN();
    const double slopeU = (r.aU * r.b - r.a * r.bU) / (r.b * r.b);
    return 1 / (slopeU * (-s.pSlope * kLn10));
}

namespace {

// The root of f between a and b, where f has opposite signs, to adjacent doubles: false
// position with the Illinois halving, a bisection whenever a step would not shrink the bracket
// by half in three, and the end with the smaller |f| at the last. f must be finite on (a, b).
template <typename F> double bracketedRoot(F f, double a, double b, double fa, double fb) {
    int side = 0, slowSteps = 0;
    double width = std::abs(b - a);
    for (int k = 0; k < 400; ++k) {
        const double mid = a + (b - a) / 2;
        if (mid == a || mid == b) break;
        double c = (fa * b - fb * a) / (fa - fb);
        if (slowSteps >= 3 || !std::isfinite(c) || !((c - a) * (c - b) < 0)) {
            c = mid;
            slowSteps = 0;
        }
        const double fc = f(c);
        if (fc == 0) return c;
        if ((fc < 0) == (fa < 0)) {
            a = c;
            fa = fc;
            if (side == -1) fb /= 2;
            side = -1;
        } else {
            b = c;
            fb = fc;
            if (side == 1) fa /= 2;
            side = 1;
        }
        const double newWidth = std::abs(b - a);
        slowSteps = newWidth > width / 2 ? slowSteps + 1 : 0;
        if (newWidth <= width / 2) width = newWidth;
    }
    return std::abs(f(a)) <= std::abs(f(b)) ? a : b;
}

} // namespace

double exactPH(const ChemicalState& s, Titration t, double v) {
    const double Ke = waterProduct, Cb = s.titrantConc;
    // Above the largest concentration of protons the acids can give, the volume is negative.
    const double richest = t == Titration::OneAcid ? 3 * s.conc1 : std::max(s.conc1, s.conc2);
    double lo = -std::log10(richest + 1);
    // The titrant's own working concentration, where B vanishes and the volume is infinite.
    const double hTitrant = 2 * Ke / (Cb + std::sqrt(Cb * Cb + 4 * Ke));
    double hi = -std::log10(hTitrant);
    auto f = [&](double x) { return volumeOfH(s, t, workingFromCoordinate(x)) - v; };
    double fLo = f(lo), fHi = f(hi);
    // Halve towards the titrant's end until the volume there is finite and above v.
    for (int k = 0; k < 200 && !(std::isfinite(fHi) && fHi > 0); ++k) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) break;
        const double fMid = f(mid);
        if (fMid < 0) {
            lo = mid;
            fLo = fMid;
        } else {
            hi = mid;
            fHi = fMid;
        }
    }
    double x = lo;
    if (fLo >= 0)
        x = lo;
    else if (!(fHi > 0) || !std::isfinite(fHi))
        x = hi;
    else
        x = bracketedRoot(f, lo, hi, fLo, fHi);
    return s.pSlope * x + s.pOffset;
}

std::optional<double> inflectionBetween(const ChemicalState& s, Titration t, double pHa,
                                        double pHb) {
    auto sign = [&](double x) {
        return curvatureSign(balanceTerms(s, t, workingFromCoordinate(x)));
    };
    const double a = workingCoordinate(s, pHa), b = workingCoordinate(s, pHb);
    const double fa = sign(a), fb = sign(b);
    if (!(fa * fb < 0)) return std::nullopt;
    return s.pSlope * bracketedRoot(sign, a, b, fa, fb) + s.pOffset;
}

} // namespace titralab
