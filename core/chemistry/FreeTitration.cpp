#include "core/chemistry/FreeTitration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace titralab {

namespace {

ChargeBalance balanceOf(const FreeTitration& t) {
    return ChargeBalance(t.beaker, t.beakerVolume, t.burette);
}

} // namespace

double freeTitrationPH(const FreeTitration& t, double v) {
    return balanceOf(t).solvePH(v);
}

EquilibriumState freeTitrationState(const FreeTitration& t, double v) {
    const ChargeBalance b = balanceOf(t);
    return mixtureState(b, t.beaker, t.burette, v, b.solvePH(v));
}

double freeTitrationSlope(const FreeTitration& t, double v) {
    const ChargeBalance b = balanceOf(t);
    return b.pHSlope(v, b.solvePH(v));
}

std::vector<FreeCurvePoint> freeTitrationCurve(const FreeTitration& t, double maxVolume, int n) {
    std::vector<FreeCurvePoint> points;
    if (n < 2 || n > kMaxFreeCurvePoints || !(maxVolume > 0) || !std::isfinite(maxVolume))
        return points;
    const ChargeBalance b = balanceOf(t);
    points.reserve(static_cast<std::size_t>(n));
    double pH = std::numeric_limits<double>::quiet_NaN(), slope = 0, previous = 0;
    for (int i = 0; i < n; ++i) {
        const double v = maxVolume * i / (n - 1);
        // The tangent at the previous point guesses the next pH, within one pH unit of it (a
        // jump would throw the tangent far off).
        const double guess = pH + std::clamp(slope * (v - previous), -1.0, 1.0);
        pH = b.solvePH(v, guess);
        slope = b.pHSlope(v, pH);
        previous = v;
        points.push_back({v, pH, slope});
    }
    return points;
}

namespace {

// The proton ladder of one solution: P, the protons it holds above its fully deprotonated
// forms, and the amount of each acidity (mol, or mol/L for the burette).
struct Ladder {
    long double protons{};
    std::vector<std::pair<double, long double>> levels; // pKa, amount
    long double scale{};                                // sum of |amounts|, for tolerances
};

Ladder ladderOf(const Solution& solution, double volume) {
    Ladder l;
    long double charge = 0;
    for (const Solute& s : solution.solutes) {
        const long double n = static_cast<long double>(s.concentration) * volume;
        if (!(n > 0)) continue;
        if (s.kind == SoluteKind::Spectator) {
            charge += spectatorIonData(s.ion).charge * n;
            l.scale += n;
            continue;
        }
        charge += s.system.protonatedCharge * n;
        l.protons += s.system.acidities() * n;
        for (double pK : s.system.pKa) l.levels.push_back({pK, n});
        l.scale += (s.system.acidities() + 1) * n;
    }
    // Electroneutrality: the protons beyond the fully deprotonated forms balance the charge
    // the ions and the fully protonated forms carry.
    l.protons -= charge;
    return l;
}

// The root of f between a and b (opposite signs) to adjacent doubles, by bisection.
template <typename F> double bisect(F f, double a, double b, double fa) {
    for (int k = 0; k < 200; ++k) {
        const double m = a + (b - a) / 2;
        if (m == a || m == b) break;
        const double fm = f(m);
        if (fm == 0) return m;
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return a + (b - a) / 2;
}

constexpr int kInflectionGrid = 48;

std::optional<double> inflectionPH(const ChargeBalance& b, double pHa, double pHb) {
    std::array<double, kInflectionGrid + 1> pH{}, width{};
    for (int i = 0; i <= kInflectionGrid; ++i) {
        pH[i] = pHa + (pHb - pHa) * i / kInflectionGrid;
        width[i] = std::abs(b.volumeAtPH(pH[i]).perPH);
    }
    int best = -1;
    for (int i = 1; i < kInflectionGrid; ++i) {
        if (!(width[i] <= width[i - 1] && width[i] <= width[i + 1])) continue;
        if (best < 0 || width[i] < width[best]) best = i;
    }
    if (best < 0) return std::nullopt;
    auto sign = [&b](double p) { return b.curvatureSign(p); };
    auto rootBetween = [&](double a, double c) -> std::optional<double> {
        const double fa = sign(a), fc = sign(c);
        if (!(fa * fc < 0)) return std::nullopt;
        return bisect(sign, a, c, fa);
    };
    if (auto root = rootBetween(pH[best - 1], pH[best + 1])) return root;
    const double a = pH[best - 1], c = pH[best + 1];
    double previous = a;
    for (int i = 1; i <= kInflectionGrid; ++i) {
        const double next = a + (c - a) * i / kInflectionGrid;
        if (auto root = rootBetween(previous, next)) return root;
        previous = next;
    }
    return std::nullopt;
}

} // namespace

bool freeIndicatorSuits(const ColourIndicator& indicator, const FreeEquivalence& point) {
    return point.usable && point.indicatorJumpLow <= indicator.low &&
           indicator.high <= point.indicatorJumpHigh;
}

FreeEquivalences freeEquivalences(const FreeTitration& t) {
    FreeEquivalences out;
    const Ladder beaker = ladderOf(t.beaker, t.beakerVolume);
    const Ladder burette = ladderOf(t.burette, 1);

    // Every level, merged by pKa, with its amounts in the beaker and per litre of burette.
    struct Level {
        double pKa{};
        long double beaker{}, burette{};
    };
    std::vector<Level> levels;
    for (const auto& [pK, n] : beaker.levels) levels.push_back({pK, n, 0});
    for (const auto& [pK, n] : burette.levels) levels.push_back({pK, 0, n});
    std::sort(levels.begin(), levels.end(),
              [](const Level& a, const Level& b) { return a.pKa < b.pKa; });
    std::vector<Level> merged;
    for (const Level& l : levels) {
        if (!merged.empty() && merged.back().pKa == l.pKa) {
            merged.back().beaker += l.beaker;
            merged.back().burette += l.burette;
        } else {
            merged.push_back(l);
        }
    }
    const std::size_t m = merged.size();
    // Capacities above each reference: reference i lies below level i (i = m: above all).
    std::vector<long double> aBeaker(m + 1, 0), aBurette(m + 1, 0);
    for (std::size_t i = m; i-- > 0;) {
        aBeaker[i] = aBeaker[i + 1] + merged[i].beaker;
        aBurette[i] = aBurette[i + 1] + merged[i].burette;
    }
    const long double beakerTolerance = 1e-12L * (beaker.scale + 1e-300L);
    const long double buretteTolerance = 1e-12L * (burette.scale + 1e-300L);
    auto excess = [&](std::size_t i) { return aBeaker[i] - beaker.protons; };    // N
    auto titrant = [&](std::size_t i) { return burette.protons - aBurette[i]; }; // D
    constexpr double inf = std::numeric_limits<double>::infinity();

    struct Candidate {
        double volume{};
        double below{}, above{};
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i <= m; ++i) {
        const long double n = excess(i), d = titrant(i);
        if (std::abs(n) <= beakerTolerance || std::abs(d) <= buretteTolerance) continue;
        const double v = static_cast<double>(n / d);
        if (!(v > 0) || !std::isfinite(v)) continue;
        candidates.push_back({v, i > 0 ? merged[i - 1].pKa : -inf, i < m ? merged[i].pKa : inf});
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.volume < b.volume; });

    // The beaker's acidities no reference can reach: a base titrant (basic about pH 7) must
    // take the protons of each level the beaker holds; an acid titrant must fill each level
    // the beaker leaves empty.
    std::size_t neutral = 0;
    while (neutral < m && merged[neutral].pKa < 7) ++neutral;
    const long double direction = titrant(neutral);
    for (std::size_t l = 0; l < m; ++l) {
        if (!(merged[l].beaker > 0)) continue;
        if (direction < -buretteTolerance) {
            if (beaker.protons - aBeaker[l + 1] > beakerTolerance &&
                titrant(l + 1) >= -buretteTolerance)
                out.untitrated.push_back({merged[l].pKa, true});
        } else if (direction > buretteTolerance) {
            if (aBeaker[l] - beaker.protons > beakerTolerance && titrant(l) <= buretteTolerance)
                out.untitrated.push_back({merged[l].pKa, false});
        }
    }
    if (candidates.empty()) return out;

    const ChargeBalance b = balanceOf(t);
    auto pHAt = [&b](double v) { return b.solvePH(std::max(v, 0.0)); };
    const std::size_t n = candidates.size();
    std::vector<double> halves(n + 1);
    double smallestGap = candidates[0].volume;
    for (std::size_t k = 0; k < n; ++k) {
        const double previous = k == 0 ? 0 : candidates[k - 1].volume;
        halves[k] = (previous + candidates[k].volume) / 2;
        smallestGap = std::min(smallestGap, candidates[k].volume - previous);
    }
    const double lastGap = candidates[n - 1].volume - (n > 1 ? candidates[n - 2].volume : 0);
    halves[n] = candidates[n - 1].volume + lastGap / 2;
    std::vector<double> halfPH(n + 1);
    for (std::size_t k = 0; k <= n; ++k) halfPH[k] = pHAt(halves[k]);

    const double window = kFreeJumpWindow * smallestGap;
    const double indicatorWindow = kFreeIndicatorWindow * smallestGap;
    for (std::size_t k = 0; k < n; ++k) {
        const double v = candidates[k].volume;
        FreeEquivalence e;
        e.number = static_cast<int>(k + 1);
        e.equivalence = {v, pHAt(v)};
        e.half = {halves[k], halfPH[k]};
        e.slope = b.pHSlope(v, e.equivalence.pH);
        e.jumpBefore = pHAt(v - window);
        e.jumpAfter = pHAt(v + window);
        const double before = pHAt(v - indicatorWindow), after = pHAt(v + indicatorWindow);
        e.indicatorJumpLow = std::min(before, after);
        e.indicatorJumpHigh = std::max(before, after);
        if (const auto p = inflectionPH(b, halfPH[k], halfPH[k + 1])) {
            const ChargeBalance::VolumeAtPH at = b.volumeAtPH(*p);
            e.inflection = FreePlace{at.volume, *p};
            e.inflectionSlope = 1 / at.perPH;
        }
        e.usable = e.inflection.has_value() && std::abs(e.jump()) >= kFreeUsableJump;
        e.levelBelow = candidates[k].below;
        e.levelAbove = candidates[k].above;
        out.points.push_back(e);
    }
    return out;
}

} // namespace titralab
