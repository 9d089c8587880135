#include "core/chemistry/ChargeBalance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace titralab {

namespace {

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;
constexpr long double kWater = waterProduct; // Ke at 25 °C, the value the studies use

// The forms of a system weighed relative to the most abundant one, so that no weight leaves
// the range of the numbers whatever the pKa values (-20 to 50) and the pH: the dominant form
// has weight 1 and every other one at most 1 (each step away multiplies by a ratio below 1).
struct Weights {
    std::array<long double, kMaxSystemAcidities + 1> w{};
    long double sum{};
    int forms{};
};

Weights weightsOf(const ChargeBalance::PreparedSystem& s, long double h, long double x) {
    const long double inverseH = 1 / h;
    Weights r;
    const int n = static_cast<int>(s.k.size());
    r.forms = n + 1;
    // log10 of the weight of form j relative to form 0: the sum of (log10 Kk - log10 h), k <= j.
    int top = 0;
    long double logW = 0, best = 0;
    for (int j = 1; j <= n; ++j) {
        logW += -static_cast<long double>(s.pKa[static_cast<std::size_t>(j - 1)]) - x;
        if (logW > best) {
            best = logW;
            top = j;
        }
    }
    r.w[static_cast<std::size_t>(top)] = 1;
    for (int j = top; j < n; ++j)
        r.w[static_cast<std::size_t>(j + 1)] =
            r.w[static_cast<std::size_t>(j)] * (s.k[static_cast<std::size_t>(j)] * inverseH);
    for (int j = top; j > 0; --j)
        r.w[static_cast<std::size_t>(j - 1)] =
            r.w[static_cast<std::size_t>(j)] * (h * s.inverseK[static_cast<std::size_t>(j - 1)]);
    for (int j = 0; j <= n; ++j) r.sum += r.w[static_cast<std::size_t>(j)];
    return r;
}

// Mean, variance and third central moment of the number of protons lost.
struct Moments {
    long double mean{}, variance{}, third{};
};

Moments momentsOf(const Weights& w) {
    Moments m;
    for (int j = 0; j < w.forms; ++j) m.mean += j * w.w[static_cast<std::size_t>(j)];
    m.mean /= w.sum;
    for (int j = 0; j < w.forms; ++j) {
        const long double d = j - m.mean;
        m.variance += w.w[static_cast<std::size_t>(j)] * d * d;
        m.third += w.w[static_cast<std::size_t>(j)] * d * d * d;
    }
    m.variance /= w.sum;
    m.third /= w.sum;
    return m;
}

long double tenTo(long double x) {
    return std::exp(x * kLn10);
}

} // namespace

ChargeBalance::ChargeBalance(const Solution& beaker, double beakerVolume, const Solution& added)
    : m_beakerVolume(beakerVolume) {
    auto take = [this](const Solution& solution, bool isAdded) {
        long double& ions = isAdded ? m_addedIons : m_beakerIons;
        long double& range = isAdded ? m_addedRange : m_beakerRange;
        for (std::size_t i = 0; i < solution.solutes.size(); ++i) {
            const Solute& s = solution.solutes[i];
            const long double c = s.concentration;
            if (!(c > 0)) continue;
            if (s.kind == SoluteKind::Spectator) {
                const int z = spectatorIonData(s.ion).charge;
                ions += z * c;
                range += std::abs(z) * c;
                continue;
            }
            PreparedSystem p;
            p.pKa = s.system.pKa;
            for (double pK : p.pKa) {
                p.k.push_back(tenTo(-static_cast<long double>(pK)));
                p.inverseK.push_back(tenTo(static_cast<long double>(pK)));
            }
            p.protonatedCharge = s.system.protonatedCharge;
            p.concentration = c;
            p.added = isAdded;
            p.solute = static_cast<int>(i);
            range += (std::abs(p.protonatedCharge) + s.system.acidities()) * c;
            m_systems.push_back(std::move(p));
        }
    };
    take(beaker, false);
    take(added, true);
}

ChargeBalance::Terms ChargeBalance::termsAt(long double h) const {
    return termsAt(h, std::log10(h));
}

ChargeBalance::Terms ChargeBalance::termsAt(long double h, long double x) const {
    const long double water = kWater / h;
    long double q0 = m_beakerIons, q0u = 0, q0uu = 0;
    long double q1 = m_addedIons, q1u = 0, q1uu = 0;
    for (const PreparedSystem& s : m_systems) {
        const Moments m = momentsOf(weightsOf(s, h, x));
        const long double c = s.concentration;
        long double& q = s.added ? q1 : q0;
        long double& qu = s.added ? q1u : q0u;
        long double& quu = s.added ? q1uu : q0uu;
        q += c * (s.protonatedCharge - m.mean);
        qu += c * m.variance;
        quu -= c * m.third;
    }
    Terms t;
    const long double v0 = m_beakerVolume;
    t.f0 = v0 * ((h - water) + q0);
    t.f0u = v0 * ((h + water) + q0u);
    t.f0uu = v0 * ((h - water) + q0uu);
    t.f1 = (h - water) + q1;
    t.f1u = (h + water) + q1u;
    t.f1uu = (h - water) + q1uu;
    return t;
}

double ChargeBalance::solvePH(double v) const {
    return solvePH(v, std::numeric_limits<double>::quiet_NaN());
}

double ChargeBalance::solvePH(double v, double guess) const {
    const long double added = v > 0 ? v : 0;
    auto g = [&](long double x, long double& slope) {
        const Terms t = termsAt(tenTo(x), x);
        slope = kLn10 * (t.f0u + added * t.f1u);
        return t.f0 + added * t.f1;
    };
    // At the root h - Ke/h equals minus the charge of the solutes, which lies within ±range.
    const long double total = m_beakerVolume + added;
    if (!(total > 0) || !std::isfinite(total)) return std::numeric_limits<double>::quiet_NaN();
    const long double range = (m_beakerVolume * m_beakerRange + added * m_addedRange) / total;
    const long double hHigh = (range + std::sqrt(range * range + 4 * kWater)) / 2;
    // The bound is exact; the margins of 2 % on h only absorb rounding, by far.
    long double lo = std::log10(kWater / hHigh) - 0.01L, hi = std::log10(hHigh) + 0.01L;
    long double slope = 0;

    long double x = (lo + hi) / 2;
    if (std::isfinite(guess) && -guess > lo && -guess < hi) x = -static_cast<long double>(guess);
    long double step = hi - lo, previousStep = step;
    for (int k = 0; k < 400; ++k) {
        const long double f = g(x, slope);
        if (f == 0) break;
        if (f < 0)
            lo = x;
        else
            hi = x;
        const long double newton = x - f / slope;
        // Newton when it stays inside the bracket and shrinks the step at least by half in two
        // iterations; else halve the bracket.
        const bool bisection = !(slope > 0) || !(newton > lo && newton < hi) ||
                               std::abs(2 * f) > std::abs(previousStep * slope);
        previousStep = step;
        if (bisection) {
            step = (hi - lo) / 2;
            x = lo + step;
        } else {
            step = x - newton;
            x = newton;
        }
        // Newton converges quadratically: after a Newton step of 1e-10 the error is some
        // 1e-20, beyond the last bit of the double returned.
        if ((!bisection && std::abs(step) <= 1e-10L * (1 + std::abs(x))) ||
            hi - lo <= 1e-18L * (1 + std::abs(x)))
            break;
    }
    return static_cast<double>(-x);
}

double ChargeBalance::pHSlope(double v, double pH) const {
    const Terms t = termsAt(tenTo(-static_cast<long double>(pH)));
    const long double added = v > 0 ? v : 0;
    return static_cast<double>(t.f1 / (kLn10 * (t.f0u + added * t.f1u)));
}

ChargeBalance::VolumeAtPH ChargeBalance::volumeAtPH(double pH) const {
    const Terms t = termsAt(tenTo(-static_cast<long double>(pH)));
    const long double a = -t.f0, au = -t.f0u, auu = -t.f0uu;
    const long double b = t.f1, bu = t.f1u, buu = t.f1uu;
    VolumeAtPH out;
    if (b == 0) {
        out.volume = std::numeric_limits<double>::infinity();
        out.perPH = out.perPH2 = std::numeric_limits<double>::quiet_NaN();
        return out;
    }
    const long double slopeU = (au * b - a * bu) / (b * b);
    const long double curvatureU = (auu * b - a * buu) / (b * b) - 2 * bu * slopeU / b;
    // u = ln h = -ln 10 · pH.
    out.volume = static_cast<double>(a / b);
    out.perPH = static_cast<double>(-kLn10 * slopeU);
    out.perPH2 = static_cast<double>(kLn10 * kLn10 * curvatureU);
    return out;
}

double ChargeBalance::curvatureSign(double pH) const {
    const Terms t = termsAt(tenTo(-static_cast<long double>(pH)));
    const long double a = -t.f0, au = -t.f0u, auu = -t.f0uu;
    const long double b = t.f1, bu = t.f1u, buu = t.f1uu;
    return static_cast<double>((auu * b - a * buu) * b - 2 * bu * (au * b - a * bu));
}

std::vector<double> ChargeBalance::fractions(int index, long double h) const {
    const PreparedSystem& s = m_systems.at(static_cast<std::size_t>(index));
    const Weights w = weightsOf(s, h, std::log10(h));
    std::vector<double> out;
    for (int j = 0; j < w.forms; ++j)
        out.push_back(static_cast<double>(w.w[static_cast<std::size_t>(j)] / w.sum));
    return out;
}

} // namespace titralab
