#include "core/chemistry/Formulas.h"
#include "ChemistryFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace titralab;
using titralab::testing::stateFor;
using titralab::testing::Typed;

namespace {

Typed acetic() {
    return Typed{};
}
Typed strongAcid() {
    Typed t;
    t.pK1[0] = "-10";
    return t;
}
Typed weakBase() {
    Typed t;
    t.side = BuretteSide::BaseSide;
    t.pK1[0] = "9.3"; // the pKa of its couple
    t.row1 = 2;
    return t;
}

struct SolveCase {
    const char* label;
    Typed typed;
    double volume; // L
    double pH;
    double tolerance;
};

class SolvePH : public ::testing::TestWithParam<SolveCase> {};

TEST_P(SolvePH, GivesTheTextbookPH) {
    const SolveCase& c = GetParam();
    EXPECT_NEAR(solvePH(stateFor(c.typed), c.volume), c.pH, c.tolerance) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Titration, SolvePH,
    ::testing::Values(SolveCase{"acetic at 0", acetic(), 0, 2.853, 1e-3},
                      SolveCase{"acetic at half equivalence", acetic(), 0.01, 4.700, 1e-3},
                      SolveCase{"acetic at equivalence", acetic(), 0.02, 8.70, 5e-3},
                      SolveCase{"acetic in excess", acetic(), 0.03, 12.30, 5e-3},
                      SolveCase{"acetic at 50 mL", acetic(), 0.05, 12.63, 5e-3},
                      SolveCase{"strong acid at 0", strongAcid(), 0, 1.000, 1e-3},
                      SolveCase{"strong acid at equivalence", strongAcid(), 0.02, 7.00, 5e-3},
                      SolveCase{"weak base at 0", weakBase(), 0, 11.15, 5e-3},
                      SolveCase{"weak base at half equivalence", weakBase(), 0.01, 9.30, 5e-3},
                      SolveCase{"weak base at equivalence", weakBase(), 0.02, 5.30, 5e-3}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SolvePHEnds, UnreachableVolumeGivesTheEndOfTheScaleExactly) {
    EXPECT_EQ(solvePH(stateFor(acetic()), 1.0), 14.0);
    Typed concentrated = strongAcid();
    concentrated.c1 = "2";
    EXPECT_EQ(solvePH(stateFor(concentrated), 0), 0.0);
    Typed base = weakBase();
    base.c1 = "2";
    base.pK1[0] = "24"; // strong base: the scan stops at its first point, pH 14
    EXPECT_EQ(solvePH(stateFor(base), 0), 14.0);
}

TEST(SolvePHTwoMono, OnTheBaseSideAFirstPointStopBisectsFromPHZero) {
    // Two strong bases at 2 mol/L: the first grid point already needs more titrant than 0,
    // so the scan stops at once and the bisection runs from pH 0 to pH 14.
    Typed t = weakBase();
    t.study = Study::TwoMonoTitration;
    t.pK1[0] = t.pK2[0] = "4";
    t.c1 = t.c2 = "2";
    const ChemicalState s = stateFor(t);
    const double pH = solvePHTwoMono(s, 0);
    EXPECT_GT(pH, 0.0);
    EXPECT_LE(pH, 14.0);
}

TEST(SolvePHTwoMono, TwoIdenticalAcidsBehaveAsOneOfDoubleVolume) {
    Typed t = acetic();
    t.study = Study::TwoMonoTitration;
    const ChemicalState two = stateFor(t);
    Typed single = acetic();
    single.v1 = "0.04";
    const ChemicalState one = stateFor(single);
    for (double v : {0.0, 0.01, 0.02, 0.04, 0.05})
        EXPECT_NEAR(solvePHTwoMono(two, v), solvePH(one, v), 1e-9) << v;
}

// An independent solver of the same ideal chemistry, in long double: bisection on log10 h of
// the charge balance h + Cb v/(V1+v) = Ke/h + C1 V1/(V1+v) n(h)/D(h).
long double referencePH(const ChemicalState& s, long double v) {
    auto balance = [&](long double lh) {
        const long double h = std::pow(10.0L, lh);
        const long double k1 = std::pow(10.0L, -(long double)s.pK1[0]);
        const long double k2 = std::pow(10.0L, -(long double)s.pK1[1]);
        const long double k3 = std::pow(10.0L, -(long double)s.pK1[2]);
        const long double d = h * h * h + k1 * h * h + k1 * k2 * h + k1 * k2 * k3;
        const long double n = k1 * h * h + 2 * k1 * k2 * h + 3 * k1 * k2 * k3;
        const long double total = s.vol1 + v;
        return h + s.titrantConc * v / total - 1e-14L / h - s.conc1 * s.vol1 / total * n / d;
    };
    long double lo = -15, hi = 1; // log10 of the working concentration
    for (int k = 0; k < 200; ++k) {
        const long double mid = (lo + hi) / 2;
        (balance(mid) > 0 ? hi : lo) = mid;
    }
    const long double pw = -(lo + hi) / 2;
    return s.pOffset > 7 ? 14 - pw : pw;
}

TEST(SolvePHAgreement, MatchesAnIndependentSolverToOneBillionth) {
    struct Case {
        const char* label;
        Typed typed;
    };
    Typed phosphoric;
    phosphoric.pK1[0] = "2.1";
    phosphoric.pK1[1] = "7.2";
    phosphoric.pK1[2] = "12.4";
    Typed dilute = acetic();
    dilute.c1 = "1e-4";
    dilute.cb = "1e-4";
    Typed tribase = weakBase();
    tribase.pK1[0] = "24";
    tribase.pK1[1] = "8.8";
    tribase.pK1[2] = "4.8";
    for (const Case& c :
         {Case{"acetic", acetic()}, Case{"strong", strongAcid()}, Case{"phosphoric", phosphoric},
          Case{"dilute", dilute}, Case{"weak base", weakBase()}, Case{"tribase", tribase}}) {
        ChemicalState s = stateFor(c.typed);
        for (double v : {0.0, 0.005, 0.01, 0.019, 0.02, 0.021, 0.03, 0.045}) {
            EXPECT_NEAR(solvePH(s, v), static_cast<double>(referencePH(s, v)), 1e-9)
                << c.label << " v=" << v;
        }
    }
}

TEST(Formulas, HalfEquivalenceOfAceticAcid) {
    const ChemicalState s = stateFor(acetic());
    const double h = pToConc(4.7);
    EXPECT_NEAR(titrantVolume(s, h), 0.0100, 1e-5);
    EXPECT_NEAR(titrantVolume(s, pToConc(2.8531)), 0.0, 2e-5);
    EXPECT_NEAR(speciesConc(s, 0, h, 0.1), 0.05, 1e-9);
    EXPECT_NEAR(speciesConc(s, 1, h, 0.1), 0.05, 1e-9);
    EXPECT_LT(speciesConc(s, 2, h, 0.1), 1e-40);
}

TEST(Formulas, GuardedFunctionsReturnMinusOneInsteadOfNonFiniteValues) {
    ChemicalState s = stateFor(acetic());
    const double huge = 1e200; // h^4 overflows
    EXPECT_EQ(titrantVolume(s, huge), -1);
    EXPECT_EQ(titrantVolumeTwoMono(s, huge), -1);
    EXPECT_EQ(speciesConc(s, 0, huge, 0.1), -1);
    EXPECT_EQ(speciesConc2(s, 1, huge, 0.1), -1);
    EXPECT_EQ(speciesConc(s, 4, 1e-3, 0.1), -1);

    // An exactly zero denominator: constants so small that D(0) underflows to 0.
    s.ka1 = {1e-200, 1e-200, 1e-200};
    EXPECT_EQ(titrantVolume(s, 0), -1);
    EXPECT_EQ(speciesConc(s, 3, 0, 0.1), -1);
    EXPECT_EQ(dilutionPC(s, 0), -1);
}

TEST(Formulas, WorkingConcentrationMapping) {
    const ChemicalState acid = stateFor(acetic());
    const ChemicalState base = stateFor(weakBase());
    EXPECT_EQ(toWorkingConc(acid, 0), 1e-20);
    EXPECT_DOUBLE_EQ(toWorkingConc(base, 0), 1e6);
    EXPECT_DOUBLE_EQ(toWorkingConc(base, toWorkingConc(base, 3e-5)), 3e-5);
    EXPECT_NEAR(workingConcFromPH(base, 9) / 1e-5, 1, 1e-14);
    EXPECT_EQ(displayPH(base, 4), 10);
    EXPECT_EQ(safeLog10(0), 1e-50);
    EXPECT_EQ(safeLog10(-3), 1e-50);
    EXPECT_NEAR(pToConc(2) / 1e-2, 1, 1e-14);
}

TEST(Formulas, DilutionOfAMonoacidHasNoConcentrationAbovePH7) {
    const ChemicalState s = stateFor(acetic());
    for (double pH : {7.01, 8.0, 10.0, 13.9}) EXPECT_EQ(dilutionPC(s, pToConc(pH)), -1) << pH;
    // At pH 3 the acetic acid concentration is about 0.0051 mol/L.
    EXPECT_NEAR(dilutionPC(s, pToConc(3)), -std::log10(1e-3 + 1e-6 / pToConc(4.7)), 1e-6);
}

TEST(Mixture, PhosphoricAndAceticAcid) {
    Typed t;
    t.study = Study::TwoPolyMixture;
    t.pK1[0] = "2.1";
    t.pK1[1] = "7.2";
    t.pK1[2] = "12.4";
    const ChemicalState s = stateFor(t);
    const double h = solveMixture(s);
    EXPECT_NEAR(-std::log10(h), 1.7855, 1e-4);
    EXPECT_NEAR(h, 0.016386, 1e-6);
}

TEST(Mixture, IdenticalMonoacidsGiveTheSamePHAsOne) {
    Typed t;
    t.study = Study::TwoPolyMixture;
    t.v2 = "0.05";
    EXPECT_NEAR(solveMixture(stateFor(t)), 1.40e-3, 0.01e-3);
    EXPECT_NEAR(-std::log10(solveMixture(stateFor(t))), 2.8531, 1e-4);
}

TEST(Mixture, WaterDominatedMixtureIsBracketedAndGivesAPHJustBelow7) {
    Typed t;
    t.study = Study::TwoPolyMixture;
    t.c1 = t.c2 = "1e-8";
    const double pH = -std::log10(solveMixture(stateFor(t)));
    EXPECT_LT(pH, 7.0);
    EXPECT_GT(pH, 6.9);
}

} // namespace

namespace {

// The solver as described step by step: scan, then BISECTION_STEPS halvings evaluating f(a)
// afresh each time. The program's solver must give the very same doubles.
double describedSolver(const ChemicalState& s, double v, double firstB, bool twoMono) {
    auto f = [&](double p) {
        const double h = workingConcFromPH(s, p);
        return twoMono ? titrantVolumeTwoMono(s, h) : titrantVolume(s, h);
    };
    double w = -1, m = 7, b = firstB, a = b;
    for (int i = 0; i <= SCAN_STEPS; ++i) {
        a = b;
        const double wPrevious = w;
        b = displayPH(s, static_cast<double>(i * 14) / SCAN_STEPS);
        w = f(b);
        if ((wPrevious - v) * (w - v) < 0 || w == v) break;
    }
    for (int k = 0; k < BISECTION_STEPS; ++k) {
        m = (a + b) / 2;
        if ((f(a) - v) * (f(m) - v) >= 0)
            a = m;
        else
            b = m;
    }
    return m;
}

TEST(SolverBits, SameDoublesAsTheDescribedAlgorithm) {
    Typed triacid;
    triacid.pK1[0] = "2.1";
    triacid.pK1[1] = "7.2";
    triacid.pK1[2] = "12.4";
    Typed twoMono;
    twoMono.study = Study::TwoMonoTitration;
    twoMono.pK2[0] = "9.2";
    Typed baseTwo = weakBase();
    baseTwo.study = Study::TwoMonoTitration;
    baseTwo.pK2[0] = "4";
    baseTwo.c2 = "2";
    for (const Typed& t : {acetic(), strongAcid(), weakBase(), triacid, twoMono, baseTwo}) {
        const ChemicalState s = stateFor(t);
        const bool two = s.study == Study::TwoMonoTitration;
        for (int k = 0; k <= 60; ++k) {
            const double v = k * 0.001;
            const double got = two ? solvePHTwoMono(s, v) : solvePH(s, v);
            EXPECT_EQ(got, describedSolver(s, v, two ? 0 : displayPH(s, 0), two))
                << "v=" << v << " side=" << static_cast<int>(s.side);
        }
    }
}

} // namespace
