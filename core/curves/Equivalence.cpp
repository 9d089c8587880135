#include "core/curves/Equivalence.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// The inflection near an equivalence is the place where |dv/dpH| is least between the two
// half-equivalences around it. The grid finds the smallest interior minimum; the bisection on
// the closed-form second derivative then places it to the last bit.
constexpr int kInflectionGrid = 48;

std::optional<double> inflectionPH(const ChemicalState& s, Titration t, double pHa, double pHb) {
    std::array<double, kInflectionGrid + 1> pH{}, width{};
    for (int i = 0; i <= kInflectionGrid; ++i) {
        pH[i] = pHa + (pHb - pHa) * i / kInflectionGrid;
        width[i] = std::abs(titrantVolumeAtPH(s, t, pH[i]).perPH);
    }
    int best = -1;
    for (int i = 1; i < kInflectionGrid; ++i) {
        if (!(width[i] <= width[i - 1] && width[i] <= width[i + 1])) continue;
        if (best < 0 || width[i] < width[best]) best = i;
    }
    if (best < 0) return std::nullopt;
    if (auto root = inflectionBetween(s, t, pH[best - 1], pH[best + 1])) return root;
    // Two extrema between the neighbours: look again on a finer grid there.
    const double a = pH[best - 1], b = pH[best + 1];
    double previous = a;
    for (int i = 1; i <= kInflectionGrid; ++i) {
        const double next = a + (b - a) * i / kInflectionGrid;
        if (auto root = inflectionBetween(s, t, previous, next)) return root;
        previous = next;
    }
    return std::nullopt;
}

} // namespace

std::optional<Titration> titrationOf(Study study) {
    switch (study) {
    case Study::TitrationVsVolume:
        return Titration::OneAcid;
    case Study::TwoMonoTitration:
        return Titration::TwoMonoacids;
    default:
        return std::nullopt;
    }
}

int titratedAcidities(const ChemicalState& s) {
    int n = 0;
    for (double k : s.ka1)
        if (k > kPresentConstant) ++n;
    return n;
}

std::vector<double> equivalenceVolumes(const ChemicalState& s) {
    const std::optional<Titration> t = titrationOf(s.study);
    std::vector<double> volumes;
    if (!t) return volumes;
    const double C1 = s.conc1, V1 = s.vol1, Cb = s.titrantConc;
    if (*t == Titration::OneAcid) {
        const int n = titratedAcidities(s);
        for (int k = 1; k <= n; ++k) volumes.push_back(k * C1 * V1 / Cb);
    } else {
        const bool firstStronger = s.ka1[0] >= s.ka2[0];
        const double stronger = firstStronger ? C1 * V1 : s.conc2 * s.vol2;
        volumes.push_back(stronger / Cb);
        volumes.push_back((C1 * V1 + s.conc2 * s.vol2) / Cb);
    }
    return volumes;
}

std::vector<EquivalenceReading> readEquivalences(const ChemicalState& s) {
    std::vector<EquivalenceReading> readings;
    const std::optional<Titration> t = titrationOf(s.study);
    if (!t) return readings;
    const std::vector<double> volumes = equivalenceVolumes(s);
    const std::size_t n = volumes.size();
    if (n == 0) return readings;

    // The half-equivalences, and one more midway after the last equivalence: the inflection
    // near equivalence k lies between half k and half k+1.
    std::vector<double> halves(n + 1);
    double smallestGap = volumes[0];
    for (std::size_t k = 0; k < n; ++k) {
        const double previous = k == 0 ? 0 : volumes[k - 1];
        halves[k] = k == 0 ? volumes[0] / 2 : (previous + volumes[k]) / 2;
        smallestGap = std::min(smallestGap, volumes[k] - previous);
    }
    const double lastGap = volumes[n - 1] - (n > 1 ? volumes[n - 2] : 0);
    halves[n] = volumes[n - 1] + lastGap / 2;
    std::vector<double> halfPH(n + 1);
    for (std::size_t k = 0; k <= n; ++k) halfPH[k] = exactPH(s, *t, halves[k]);

    const double window = kJumpWindow * smallestGap;
    const double indicatorWindow = kIndicatorWindow * smallestGap;
    for (std::size_t k = 0; k < n; ++k) {
        EquivalenceReading r;
        r.number = static_cast<int>(k + 1);
        r.equivalence = {volumes[k], exactPH(s, *t, volumes[k])};
        r.half = {halves[k], halfPH[k]};
        r.slope = pHSlopeAtPH(s, *t, r.equivalence.pH);
        r.jumpBefore = exactPH(s, *t, std::max(volumes[k] - window, 0.0));
        r.jumpAfter = exactPH(s, *t, volumes[k] + window);
        const double before = exactPH(s, *t, std::max(volumes[k] - indicatorWindow, 0.0));
        const double after = exactPH(s, *t, volumes[k] + indicatorWindow);
        r.indicatorJumpLow = std::min(before, after);
        r.indicatorJumpHigh = std::max(before, after);
        if (const auto p = inflectionPH(s, *t, halfPH[k], halfPH[k + 1])) {
            const VolumeAtPH at = titrantVolumeAtPH(s, *t, *p);
            r.inflection = CurvePlace{at.volume, *p};
            r.inflectionSlope = 1 / at.perPH;
        }
        r.usable = r.inflection.has_value() && std::abs(r.jump()) >= kUsableJump;
        readings.push_back(r);
    }
    return readings;
}

} // namespace titralab
