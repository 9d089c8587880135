#include "core/chemistry/ConditionedBalance.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace titralab {

namespace {

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

long double tenTo(long double x) {
    return std::exp(x * kLn10);
}

} // namespace

ConditionedBalance::ConditionedBalance(const Solution& beaker, double beakerVolume,
                                       const Solution& added, const Conditions& conditions)
    : m_conditions{clampedTemperature(conditions.temperature), conditions.activities},
      m_beaker(solutionAt(beaker, m_conditions.temperature)),
      m_added(solutionAt(added, m_conditions.temperature)),
      m_balance(m_beaker.solution, beakerVolume, m_added.solution),
      m_water(waterProductAt(m_conditions.temperature)), m_a(daviesA(m_conditions.temperature)) {
    if (m_water != waterProduct) m_balance.setMedium(m_water, 0);
    // The strength a solution's solutes can give, whatever the pH: each system at its most
    // charged form; and the charge they can carry, which bounds |[H3O+] - [OH-]|.
    auto bounds = [](const Solution& s, long double& strength, long double& range) {
        for (const Solute& x : s.solutes) {
            const long double c = x.concentration;
            if (!(c > 0)) continue;
            if (x.kind == SoluteKind::Spectator) {
                const int z = spectatorIonData(x.ion).charge;
                strength += z * z * c / 2;
                range += std::abs(z) * c;
                continue;
            }
            int most = 0;
            for (int j = 0; j <= x.system.acidities(); ++j)
                most = std::max(most, std::abs(x.system.charge(j)));
            strength += static_cast<long double>(most) * most * c / 2;
            range += (std::abs(x.system.protonatedCharge) + x.system.acidities()) * c;
        }
    };
    bounds(m_beaker.solution, m_beakerBound, m_beakerRange);
    bounds(m_added.solution, m_addedBound, m_addedRange);
}

bool ConditionedBalance::outOfRange(double ionicStrength) const {
    return activities() && ionicStrength > kDaviesMaxIonicStrength;
}

void ConditionedBalance::setStrength(long double strength) {
    if (strength == m_strength) return;
    m_strength = strength;
    const double held = std::min(static_cast<double>(strength), kDaviesHeldStrength);
    m_balance.setMedium(m_water, daviesLogGamma(1, held, m_a));
}

// Inew lies below the solutes' bound plus half of [H3O+] + [OH-], which is at most
// sqrt(range² + 4 Kw/γ1²) with γ1 > 10^-A (the Davies term √I/(1+√I) stays below 1).
long double ConditionedBalance::strengthBound(double v) const {
    const long double added = v > 0 ? v : 0;
    const long double v0 = m_balance.beakerVolume();
    const long double total = v0 + added;
    const long double solutes = (v0 * m_beakerBound + added * m_addedBound) / total;
    const long double range = (v0 * m_beakerRange + added * m_addedRange) / total;
    const long double water = std::sqrt(range * range + 4 * m_water * tenTo(2 * m_a)) / 2;
    return (solutes + water) * (1 + 1e-9L) + 1e-300L;
}

ConditionedBalance::Point ConditionedBalance::solve(double v) {
    return solve(v, kNaN, kNaN);
}

ConditionedBalance::Point ConditionedBalance::solve(double v, double guessPH,
                                                    double guessStrength) {
    if (!activities()) {
        const double pH = m_balance.solvePH(v, guessPH);
        return {pH, static_cast<double>(m_balance.ionicStrength(v, -static_cast<long double>(pH)))};
    }
    double pH = guessPH;
    // The strength the mixture gives at the pH solved with the coefficients of `strength`.
    auto strengthAfter = [&](long double strength) {
        setStrength(strength);
        pH = m_balance.solvePH(v, pH);
        return m_balance.ionicStrength(v, -static_cast<long double>(pH));
    };
    long double lo = 0, hi = strengthBound(v);
    long double strength;
    if (std::isfinite(guessStrength) && guessStrength > 0 && guessStrength < hi) {
        strength = guessStrength;
    } else {
        setStrength(0);
        const double idealPH = m_balance.solvePH(v, guessPH);
        strength = std::min(m_balance.ionicStrength(v, -static_cast<long double>(idealPH)), hi / 2);
    }
    long double previous = kNaN, previousGap = kNaN;
    bool settled = false;
    for (int k = 0; k < kMaxStrengthIterations; ++k) {
        const long double next = strengthAfter(strength);
        const long double gap = next - strength;
        if (gap > 0)
            lo = strength;
        else
            hi = strength;
        settled = !(std::abs(gap) > 1e-14L * strength) || hi - lo <= 1e-15L * hi;
        if (settled) break;
        // The secant through the last two strengths; else the fixed-point step; else halve.
        long double candidate = next;
        if (std::isfinite(previousGap) && gap != previousGap)
            candidate = strength - gap * (strength - previous) / (gap - previousGap);
        if (!(candidate > lo && candidate < hi)) candidate = next;
        if (!(candidate > lo && candidate < hi)) candidate = lo + (hi - lo) / 2;
        previous = strength;
        previousGap = gap;
        strength = candidate;
    }
    // The pH of the strength returned, when the iterations ran out before it settled.
    if (!settled) strengthAfter(strength);
    return {pH, static_cast<double>(strength)};
}

double ConditionedBalance::slope(double v, const Point& point) {
    if (!activities()) return m_balance.pHSlope(v, point.pH);
    const long double strength = point.ionicStrength;
    const long double x = -static_cast<long double>(point.pH); // log10 h
    const long double added = v > 0 ? v : 0;
    auto balanceAt = [&](long double s, long double lx, long double volume) {
        setStrength(s);
        const ChargeBalance::Terms t = m_balance.termsAt(tenTo(lx));
        return t.f0 + volume * t.f1;
    };
    auto gapAt = [&](long double s, long double lx, long double volume) {
        setStrength(s);
        return m_balance.ionicStrength(static_cast<double>(volume), lx) - s;
    };
    setStrength(strength);
    const ChargeBalance::Terms t = m_balance.termsAt(tenTo(x));
    const long double fx = kLn10 * (t.f0u + added * t.f1u);
    const long double fv = t.f1;
    const long double ds = 1e-6L * strength, dx = 1e-6L;
    const long double dv = 1e-6L * (m_balance.beakerVolume() + added);
    const long double fs =
        (balanceAt(strength + ds, x, added) - balanceAt(strength - ds, x, added)) / (2 * ds);
    const long double gs =
        (gapAt(strength + ds, x, added) - gapAt(strength - ds, x, added)) / (2 * ds);
    const long double gx =
        (gapAt(strength, x + dx, added) - gapAt(strength, x - dx, added)) / (2 * dx);
    // One-sided at the start of a titration, where no volume below 0 exists.
    const long double low = std::max(added - dv, 0.0L), high = low + 2 * dv;
    const long double gv = (gapAt(strength, x, high) - gapAt(strength, x, low)) / (high - low);
    setStrength(strength);
    // [fx fs; gx gs]·(dx/dv, dI/dv) = -(fv, gv); pH = -x.
    const long double det = fx * gs - fs * gx;
    return static_cast<double>((fv * gs - fs * gv) / det);
}

std::optional<ConditionedBalance::VolumePoint> ConditionedBalance::volumeAt(double pH) {
    const long double x = -static_cast<long double>(pH); // log10 h
    if (!activities()) {
        const double volume = m_balance.volumeAtPH(pH).volume;
        if (!(volume >= 0) || !std::isfinite(volume)) return std::nullopt;
        return VolumePoint{volume, static_cast<double>(m_balance.ionicStrength(volume, x))};
    }
    long double strength = m_strength > 0 ? m_strength : 0;
    double volume = kNaN;
    for (int k = 0; k < kMaxStrengthIterations; ++k) {
        setStrength(strength);
        volume = m_balance.volumeAtPH(pH).volume;
        if (!(volume >= 0) || !std::isfinite(volume)) return std::nullopt;
        const long double next = m_balance.ionicStrength(volume, x);
        const bool settled = std::abs(next - strength) <= 1e-14L * next;
        strength = next;
        if (settled) break;
    }
    setStrength(strength);
    volume = m_balance.volumeAtPH(pH).volume;
    if (!(volume >= 0) || !std::isfinite(volume)) return std::nullopt;
    return VolumePoint{volume, static_cast<double>(strength)};
}

} // namespace titralab
