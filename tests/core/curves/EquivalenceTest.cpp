// The exact readings of a titration checked against independent computations: in long double,
// the charge balance solved for the working concentration at a given volume and its implicit
// derivative; in quadruple precision, the inflection as the root of a finite-difference second
// derivative of the volume.
#include "core/curves/Equivalence.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

using namespace titralab;

namespace {

using Real = long double;

// A titration given by its working constants (on the base side: the constants of the mirrored
// world, where the base plays the acid and [OH-] the hydronium, whatever the panel's fields
// mean), so that the test does not depend on how the fields are read.
struct Beaker {
    BuretteSide side{BuretteSide::AcidSide};
    Study study{Study::TitrationVsVolume};
    double cb{0.1}, c1{0.1}, v1{0.02}, c2{0.1}, v2{0.02};
    std::array<double, 3> workingPK1{4.7, ABSENT_PK, ABSENT_PK};
    double workingPK2{ABSENT_PK};
};

ChemicalState stateOf(const Beaker& b) {
    ChemicalState s;
    s.side = b.side;
    s.study = b.study;
    s.titrantConc = b.cb;
    s.conc1 = b.c1;
    s.vol1 = b.v1;
    s.conc2 = b.c2;
    s.vol2 = b.v2;
    s.pOffset = b.side == BuretteSide::AcidSide ? 0 : 14;
    s.pSlope = b.side == BuretteSide::AcidSide ? 1 : -1;
    for (int k = 0; k < 3; ++k) s.ka1[k] = std::pow(10.0, -b.workingPK1[k]);
    s.ka2 = {std::pow(10.0, -b.workingPK2), std::pow(10.0, -ABSENT_PK), std::pow(10.0, -ABSENT_PK)};
    return s;
}

// The independent model: charge balance g(h, v) = h + Cb·v/Vt - Ke/h - sum Ci·Vi/Vt·mean_i(h).
struct Reference {
    ChemicalState s;
    bool two() const { return s.study == Study::TwoMonoTitration; }

    // Mean number of protons released and its derivative with respect to h, from n(h)/D(h).
    static void mean(const std::array<Real, 3>& k, Real h, Real& m, Real& dm) {
        const Real d = h * h * h + k[0] * h * h + k[0] * k[1] * h + k[0] * k[1] * k[2];
        const Real n = k[0] * h * h + 2 * k[0] * k[1] * h + 3 * k[0] * k[1] * k[2];
        const Real dd = 3 * h * h + 2 * k[0] * h + k[0] * k[1];
        const Real dn = 2 * k[0] * h + 2 * k[0] * k[1];
        m = n / d;
        dm = (dn * d - n * dd) / (d * d);
    }
    std::array<Real, 3> k1() const {
        if (two()) return {Real(s.ka1[0]), 0, 0};
        return {Real(s.ka1[0]), Real(s.ka1[1]), Real(s.ka1[2])};
    }
    std::array<Real, 3> k2() const { return {Real(s.ka2[0]), 0, 0}; }
    Real initialVolume() const { return two() ? Real(s.vol1) + Real(s.vol2) : Real(s.vol1); }

    // g and its partial derivatives at (h, v).
    void balance(Real h, Real v, Real& g, Real& gh, Real& gv) const {
        const Real ke = 1e-14L, vt = initialVolume() + v;
        Real m1, dm1, m2 = 0, dm2 = 0;
        mean(k1(), h, m1, dm1);
        Real a1 = Real(s.conc1) * Real(s.vol1), a2 = 0;
        if (two()) {
            mean(k2(), h, m2, dm2);
            a2 = Real(s.conc2) * Real(s.vol2);
        }
        const Real cb = s.titrantConc;
        g = h + cb * v / vt - ke / h - (a1 * m1 + a2 * m2) / vt;
        gh = 1 + ke / (h * h) - (a1 * dm1 + a2 * dm2) / vt;
        gv = (cb * initialVolume() + a1 * m1 + a2 * m2) / (vt * vt);
    }
    Real pHOf(Real h) const { return Real(s.pOffset) - Real(s.pSlope) * std::log10(h); }

    // The working concentration at volume v: g rises with h.
    Real hAt(Real v) const {
        Real lo = std::log(1e-30L), hi = std::log(100.0L);
        for (int i = 0; i < 300; ++i) {
            const Real mid = (lo + hi) / 2;
            Real g, gh, gv;
            balance(std::exp(mid), v, g, gh, gv);
            (g < 0 ? lo : hi) = mid;
        }
        return std::exp((lo + hi) / 2);
    }
    Real pHAt(Real v) const { return pHOf(hAt(v)); }

    // The volume that gives h: g is linear in 1/Vt... solved by bisection on v to stay apart
    // from the program's closed form.
    Real volumeAt(Real h) const {
        Real lo = 0, hi = 100 * initialVolume();
        for (int i = 0; i < 300; ++i) {
            const Real mid = (lo + hi) / 2;
            Real g, gh, gv;
            balance(h, mid, g, gh, gv);
            // More titrant lowers h on the acid side's working scale: g(h, v) rises with v.
            (g < 0 ? lo : hi) = mid;
        }
        return (lo + hi) / 2;
    }
    // dpH/dv at (h, v), per unit of vol1.
    Real slope(Real h, Real v) const {
        Real g, gh, gv;
        balance(h, v, g, gh, gv);
        const Real dhdv = -gv / gh;
        return -Real(s.pSlope) / (std::log(10.0L) * h) * dhdv;
    }
};

// The inflection in quadruple precision: the titrant volume as a function of the pH from the
// charge balance, its second derivative by central differences, and the root of that between
// the two grid neighbours of the steepest place (the least |dv/dpH|) between two pH values.
struct QuadInflection {
    using Q = __float128;
    ChemicalState s;
    bool two() const { return s.study == Study::TwoMonoTitration; }
    static Q mean(Q k1, Q k2, Q k3, Q h) {
        const Q d = h * h * h + k1 * h * h + k1 * k2 * h + k1 * k2 * k3;
        return (k1 * h * h + 2 * k1 * k2 * h + 3 * k1 * k2 * k3) / d;
    }
    Q volume(Q pH) const {
        const Q h = powq(10, -(pH - Q(s.pOffset)) / Q(s.pSlope)), ke = Q(1e-14);
        Q w = Q(s.vol1), released = Q(s.conc1) * Q(s.vol1);
        if (two()) {
            w += Q(s.vol2);
            released = released * mean(Q(s.ka1[0]), 0, 0, h) +
                       Q(s.conc2) * Q(s.vol2) * mean(Q(s.ka2[0]), 0, 0, h);
        } else {
            released *= mean(Q(s.ka1[0]), Q(s.ka1[1]), Q(s.ka1[2]), h);
        }
        return (w * (ke / h - h) + released) / (h + Q(s.titrantConc) - ke / h);
    }
    Q first(Q pH) const { return (volume(pH + Q(1e-9L)) - volume(pH - Q(1e-9L))) / Q(2e-9L); }
    Q second(Q pH) const {
        const Q d = Q(1e-7L);
        return (volume(pH + d) - 2 * volume(pH) + volume(pH - d)) / (d * d);
    }
    // pH and volume at the inflection, or nothing when the steepest place is at an end.
    std::optional<std::pair<double, double>> between(double pHa, double pHb) const {
        constexpr int kGrid = 400;
        int best = -1;
        Q bestWidth = 0;
        std::vector<Q> width(kGrid + 1);
        for (int i = 0; i <= kGrid; ++i) width[i] = fabsq(first(pHa + (pHb - pHa) * Q(i) / kGrid));
        for (int i = 1; i < kGrid; ++i)
            if (width[i] <= width[i - 1] && width[i] <= width[i + 1] &&
                (best < 0 || width[i] < bestWidth)) {
                best = i;
                bestWidth = width[i];
            }
        if (best < 0) return std::nullopt;
        Q a = pHa + (pHb - pHa) * Q(best - 1) / kGrid, b = pHa + (pHb - pHa) * Q(best + 1) / kGrid;
        const bool signA = second(a) < 0;
        for (int i = 0; i < 80; ++i) {
            const Q m = (a + b) / 2;
            (((second(m) < 0) == signA) ? a : b) = m;
        }
        return std::make_pair(double((a + b) / 2), double(volume((a + b) / 2)));
    }
};

constexpr double kAny = std::numeric_limits<double>::quiet_NaN(); // no textbook value

struct ReadingCase {
    const char* label;
    Beaker beaker;
    std::vector<double> textbookPH; // pH at each equivalence as a textbook computes it
    std::vector<bool> usable;
};

class Readings : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(Readings, AgreeWithTheLongDoubleBalance) {
    const ReadingCase& c = GetParam();
    const ChemicalState s = stateOf(c.beaker);
    const Reference ref{s};
    const std::vector<EquivalenceReading> r = readEquivalences(s);
    ASSERT_EQ(r.size(), c.textbookPH.size()) << c.label;
    for (std::size_t k = 0; k < r.size(); ++k) {
        SCOPED_TRACE(std::string(c.label) + ", equivalence " + std::to_string(k + 1));
        if (s.study == Study::TitrationVsVolume)
            EXPECT_EQ(r[k].equivalence.volume, (k + 1) * s.conc1 * s.vol1 / s.titrantConc);
        if (!std::isnan(c.textbookPH[k])) EXPECT_NEAR(r[k].equivalence.pH, c.textbookPH[k], 0.05);
        EXPECT_NEAR(r[k].equivalence.pH, double(ref.pHAt(r[k].equivalence.volume)), 1e-10);
        EXPECT_NEAR(r[k].half.pH, double(ref.pHAt(r[k].half.volume)), 1e-10);
        const Real h = ref.hAt(r[k].equivalence.volume);
        EXPECT_NEAR(r[k].slope / double(ref.slope(h, r[k].equivalence.volume)), 1, 1e-9);
        EXPECT_EQ(r[k].usable, c.usable[k]) << "jump " << r[k].jump();
        const double halfAfter =
            k + 1 < r.size()
                ? r[k + 1].half.pH
                : double(ref.pHAt(
                      r[k].equivalence.volume +
                      (r[k].equivalence.volume - (k ? r[k - 1].equivalence.volume : 0)) / 2));
        const auto quad = QuadInflection{s}.between(r[k].half.pH, halfAfter);
        ASSERT_EQ(r[k].inflection.has_value(), quad.has_value());
        if (!r[k].inflection) {
            EXPECT_FALSE(c.usable[k]); // a usable jump has an inflection
            continue;
        }
        EXPECT_NEAR(r[k].inflection->pH, quad->first, 1e-9);
        EXPECT_NEAR(r[k].inflection->volume / quad->second, 1, 1e-9);
        EXPECT_NEAR(r[k].inflectionSlope / double(ref.slope(ref.hAt(r[k].inflection->volume),
                                                            r[k].inflection->volume)),
                    1, 1e-8);
    }
}

Beaker acid(std::array<double, 3> pK) {
    Beaker b;
    b.workingPK1 = pK;
    return b;
}

Beaker twoMono(double pK1, double pK2, double c1, double c2) {
    Beaker b;
    b.study = Study::TwoMonoTitration;
    b.workingPK1 = {pK1, ABSENT_PK, ABSENT_PK};
    b.workingPK2 = pK2;
    b.c1 = c1;
    b.c2 = c2;
    return b;
}

// Base side: a base of pKa 9.3 (conjugate acid) is, in the mirrored world, an "acid" of
// working pK 14 - 9.3 = 4.7 on [OH-].
Beaker base(std::array<double, 3> workingPK) {
    Beaker b = acid(workingPK);
    b.side = BuretteSide::BaseSide;
    return b;
}

Beaker dilute(Beaker b, double c1, double cb, double v1) {
    b.c1 = c1;
    b.cb = cb;
    b.v1 = v1;
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Titration, Readings,
    ::testing::Values(
        ReadingCase{"acetic acid", acid({4.7, 50, 50}), {8.70}, {true}},
        ReadingCase{"hydrochloric acid", acid({-7, 50, 50}), {7.00}, {true}},
        ReadingCase{
            "phosphoric acid", acid({2.15, 7.2, 12.35}), {4.68, kAny, kAny}, {true, true, false}},
        ReadingCase{"diacid of close pKa", acid({4.0, 5.0, 50}), {kAny, kAny}, {false, true}},
        // At the first equivalence the acetic acid already buffers: pH about (4.7 + 1.5) / 2.
        ReadingCase{"hydrochloric then acetic acid",
                    twoMono(-7, 4.7, 0.1, 0.1),
                    {3.1, kAny},
                    {false, true}},
        ReadingCase{"acetic first in column 1 weaker",
                    twoMono(9.2, 2.9, 0.05, 0.1),
                    {kAny, kAny},
                    {true, false}},
        ReadingCase{"weak base", base({4.7, 50, 50}), {5.30}, {true}},
        ReadingCase{"tribase", base({1.65, 6.8, 11.85}), {kAny, kAny, kAny}, {true, true, false}},
        ReadingCase{
            "dilute weak acid", dilute(acid({4.7, 50, 50}), 1e-3, 1e-3, 0.05), {kAny}, {true}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
