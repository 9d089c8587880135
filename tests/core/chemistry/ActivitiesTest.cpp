// Solutions at a temperature and with activities (Davies): constants against published values,
// pH against textbook figures and the ionic strength against an independent solver; with the
// conditions at their defaults, every number as before, to the last bit.
#include "core/chemistry/ConditionedBalance.h"
#include "core/chemistry/Conditions.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SolutionItems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace titralab;

namespace {

Solution itemsOf(const char* text) {
    const ParsedItems parsed = parseSolutionItems(text);
    EXPECT_FALSE(parsed.error.has_value()) << text;
    return parsed.solution;
}

const Conditions kDavies{25, ActivityModel::Davies};

// Davies γ at I = 0.1 mol/L as the textbooks tabulate them (Harris, Quantitative Chemical
// Analysis, ch. 8), and A at 25 °C within its published 0.509-0.512.
TEST(Activities, DaviesCoefficientsAtATenthMolar) {
    const double a = daviesA(25);
    EXPECT_GE(a, 0.509);
    EXPECT_LE(a, 0.512);
    const struct {
        int charge;
        double gamma;
    } cases[] = {{1, 0.78}, {-1, 0.78}, {2, 0.37}, {-2, 0.37}, {3, 0.11}, {0, 1.0}};
    for (const auto& k : cases)
        EXPECT_NEAR(std::pow(10.0, daviesLogGamma(k.charge, 0.1, a)), k.gamma, 0.005)
            << "z = " << k.charge;
}

// pKw against the tabulated values of the project's reference tables (within 0.01), 14 at
// 25 °C as the program has always taken it; the pH of pure water follows.
TEST(Activities, WaterAgainstTemperature) {
    const struct {
        double celsius;
        double pKw;
        double pureWaterPH; // NaN: not checked
    } cases[] = {
        {0, 14.94, 7.47}, {10, 14.53, NAN}, {20, 14.17, NAN},  {25, 13.995, 7.00},
        {30, 13.84, NAN}, {40, 13.54, NAN}, {50, 13.26, 6.63}, {60, 13.02, NAN},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.celsius);
        EXPECT_NEAR(waterPKAt(k.celsius), k.pKw, 0.01);
        EXPECT_NEAR(-std::log10(waterProductAt(k.celsius)), k.pKw, 0.01);
        if (std::isnan(k.pureWaterPH)) continue;
        for (ActivityModel m : {ActivityModel::None, ActivityModel::Davies})
            EXPECT_NEAR(equilibriumOf(Solution{}, {k.celsius, m}).pH, k.pureWaterPH, 0.01);
    }
    EXPECT_EQ(waterProductAt(25), waterProduct);
}

// The pH a meter reads against the ideal one (Harris, ch. 8 and 9).
TEST(Activities, PHOfTextbookSolutions) {
    const struct {
        const char* items;
        ActivityModel model;
        double low, high;
    } cases[] = {
        {"CH3COOH=0.1;CH3COONa=0.1", ActivityModel::None, 4.75, 4.77},
        {"CH3COOH=0.1;CH3COONa=0.1", ActivityModel::Davies, 4.64, 4.66},
        {"HCl=0.01", ActivityModel::None, 1.999, 2.001},
        {"HCl=0.01", ActivityModel::Davies, 2.04, 2.05},
    };
    for (const auto& k : cases) {
        const EquilibriumState e = equilibriumOf(itemsOf(k.items), {25, k.model});
        EXPECT_GE(e.pH, k.low) << k.items;
        EXPECT_LE(e.pH, k.high) << k.items;
    }
}

// pKa at other temperatures by van 't Hoff from the ΔH° the compounds carry: ammonium at
// 35 °C as published (8.95, from ΔH° ≈ 52 kJ/mol); the systems without ΔH° keep their pKa of
// 25 °C and are named.
TEST(Activities, PKaAgainstTemperature) {
    const Solution ammonium = itemsOf("NH4Cl=0.1");
    ASSERT_TRUE(ammonium.solutes[0].system.enthalpiesKnown());
    EXPECT_NEAR(pKaAt(9.25, ammonium.solutes[0].system.enthalpy[0], 35), 8.95, 0.03);
    EXPECT_NEAR(solutionAt(ammonium, 35).solution.solutes[0].system.pKa[0], 8.95, 0.03);

    // The database's ammonia (base side) and ammonium ion (acid side) shift as the compound.
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide}) {
        int found = 0;
        for (int n = 1; n <= entryCount(side); ++n) {
            const AcidBaseSystem system = systemOfEntry(side, n);
            if (system.formNames.empty() || std::strcmp(system.formNames[0].fr, "ion ammonium"))
                continue;
            ++found;
            const Solution s{{systemSolute(system, 0.1)}};
            EXPECT_NEAR(solutionAt(s, 35).solution.solutes[0].system.pKa[0] - system.pKa[0],
                        8.95 - 9.25, 0.03);
        }
        EXPECT_EQ(found, 1);
    }

    const struct {
        const char* items;
        double celsius;
        std::vector<int> kept;
    } cases[] = {
        // NH4Cl is two solutes: the ammonium system and the chloride ion.
        {"NH4Cl=0.1;acid(4.2)=0.1;Na+=0.1;H3PO4=0.1;base(9.25)=0.1", 35, {2, 5}},
        {"CH3COOH=0.1;Na2CO3=0.1;glycine=0.1;H2SO4=0.1", 10, {}},
        {"acid(4.2)=0.1", 25, {}},
    };
    for (const auto& k : cases) {
        const SolutionAtTemperature s = solutionAt(itemsOf(k.items), k.celsius);
        EXPECT_EQ(s.keptAt25, k.kept) << k.items;
    }
}

// An independent solver of a solution with Davies activities, in long double: the ionic
// strength by bisection on Inew(I) - I, and at each I the activity of H3O+ by bisection on
// the charge balance in concentrations, each system's forms from the textbook products of
// its Ka, every form divided by its γ.
struct ReferenceResult {
    long double pH{}, strength{};
};

ReferenceResult referenceOf(const Solution& s, double celsius) {
    const long double a = daviesA(celsius), kw = waterProductAt(celsius);
    const Solution warm = solutionAt(s, celsius).solution;
    auto logGamma = [a](int z, long double i) {
        const long double r = std::sqrt(i);
        return -a * z * z * (r / (1 + r) - 0.3L * i);
    };
    // Charge (mol/L) and strength at activity 10^x and ionic strength i.
    auto evaluate = [&](long double x, long double i, long double& strength) {
        const long double g1 = std::pow(10.0L, logGamma(1, i));
        const long double h = std::pow(10.0L, x) / g1, oh = kw / std::pow(10.0L, x) / g1;
        long double charge = h - oh;
        strength = (h + oh) / 2;
        for (const Solute& u : warm.solutes) {
            if (u.kind == SoluteKind::Spectator) {
                const int z = spectatorIonData(u.ion).charge;
                charge += z * u.concentration;
                strength += z * z * u.concentration / 2.0L;
                continue;
            }
            const int n = u.system.acidities();
            std::vector<long double> logW(n + 1);
            long double top = -1e300L;
            for (int j = 0; j <= n; ++j) {
                long double l = -logGamma(u.system.charge(j), i) - j * x;
                for (int k = 0; k < j; ++k) l -= u.system.pKa[k];
                logW[j] = l;
                top = std::max(top, l);
            }
            long double sum = 0, q = 0, q2 = 0;
            for (int j = 0; j <= n; ++j) {
                const long double w = std::pow(10.0L, logW[j] - top);
                const int z = u.system.charge(j);
                sum += w;
                q += w * z;
                q2 += w * z * z;
            }
            charge += u.concentration * q / sum;
            strength += u.concentration * q2 / sum / 2;
        }
        return charge;
    };
    auto pAt = [&](long double i, long double& strength) {
        long double lo = -30, hi = 5;
        for (int k = 0; k < 100; ++k) {
            const long double m = (lo + hi) / 2;
            (evaluate(m, i, strength) < 0 ? lo : hi) = m;
        }
        evaluate((lo + hi) / 2, i, strength);
        return (lo + hi) / 2;
    };
    long double lo = 0, hi = 50, strength = 0;
    for (int k = 0; k < 100; ++k) {
        const long double m = (lo + hi) / 2;
        pAt(m, strength);
        (strength > m ? lo : hi) = m;
    }
    const long double i = (lo + hi) / 2;
    return {-pAt(i, strength), i};
}

TEST(Activities, IonicStrengthAgreesWithAnIndependentSolver) {
    const struct {
        const char* items;
        double celsius;
    } cases[] = {
        {"CH3COOH=0.1;CH3COONa=0.1", 25},
        {"HCl=0.01", 25},
        {"Na2CO3=0.05;NaHCO3=0.02", 10},
        {"H3PO4=0.02;NaOH=0.05", 45},
        {"glycine=0.1;KOH=0.03;Cl-=0.01;Li+=0.01", 0},
        {"acid(2,4.5,9)=0.3;Na+=0.4", 60},
        {"Na2HPO4=1", 25},
        {"NH4Cl=0.001", 35},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.items);
        const Solution s = itemsOf(k.items);
        const ReferenceResult expected = referenceOf(s, k.celsius);
        const EquilibriumState e = equilibriumOf(s, {k.celsius, ActivityModel::Davies});
        EXPECT_NEAR(e.ionicStrength / static_cast<double>(expected.strength), 1, 1e-9);
        EXPECT_NEAR(e.pH, static_cast<double>(expected.pH), 1e-9);
        EXPECT_EQ(e.beyondDavies, expected.strength > 0.5L);
    }
}

// With activities dpH/dV is the derivative of the self-consistent pH: against the central
// difference of the curve; the equivalence of a strong acid by a strong base keeps its
// stoichiometric volume and the pH of neutral water, pKw/2 at the temperature, with or without
// activities (γ of H3O+ and OH- alike); the inflection sits at the equivalence.
TEST(Activities, TitrationWithActivities) {
    const struct {
        const char* beaker;
        const char* burette;
        double celsius;
        double equivalence; // L, for 20 mL of beaker
        bool neutral;       // the equivalence is neutral water
    } cases[] = {
        {"HCl=0.1", "NaOH=0.1", 25, 0.02, true},
        {"HNO3=0.05", "KOH=0.1", 40, 0.01, true},
        {"CH3COOH=0.1", "NaOH=0.1", 25, 0.02, false},
        {"NH4Cl=0.05;H3PO4=0.05", "NaOH=0.2", 40, 0.005, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.beaker);
        FreeTitration t;
        t.beakerVolume = 0.02;
        t.beaker = itemsOf(k.beaker);
        t.burette = itemsOf(k.burette);
        const Conditions c{k.celsius, ActivityModel::Davies};
        for (double v : {0.0, 0.004, 0.0125, 0.019, 0.0301}) {
            // Central differences; second-order one-sided at the start.
            const double h = 1e-7;
            auto pH = [&](double w) { return freeTitrationPH(t, w, c); };
            const double difference = v < h ? (4 * pH(v + h) - 3 * pH(v) - pH(v + 2 * h)) / (2 * h)
                                            : (pH(v + h) - pH(v - h)) / (2 * h);
            EXPECT_NEAR(freeTitrationSlope(t, v, c), difference, 1e-5 * std::abs(difference) + 1e-6)
                << "v = " << v;
        }
        const FreeEquivalences real = freeEquivalences(t, c);
        ASSERT_FALSE(real.points.empty());
        ASSERT_EQ(real.points.size(), freeEquivalences(t, {k.celsius}).points.size());
        EXPECT_NEAR(real.points[0].equivalence.volume, k.equivalence, 1e-12);
        EXPECT_EQ(real.points[0].equivalence.volume,
                  freeEquivalences(t, {k.celsius}).points[0].equivalence.volume);
        if (k.neutral) {
            EXPECT_NEAR(real.points[0].equivalence.pH, waterPKAt(k.celsius) / 2, 1e-9);
            EXPECT_NEAR(freeEquivalences(t, {k.celsius}).points[0].equivalence.pH,
                        waterPKAt(k.celsius) / 2, 1e-9);
        }
        const FreeEquivalence& e = real.points[0];
        EXPECT_NEAR(e.ionicStrength, freeTitrationState(t, e.equivalence.volume, c).ionicStrength,
                    1e-12);
        if (e.inflection)
            EXPECT_NEAR(e.inflection->volume, e.equivalence.volume, 0.002 * e.equivalence.volume);
        const std::vector<FreeCurvePoint> curve = freeTitrationCurve(t, 0.04, 41, c);
        for (const FreeCurvePoint& p : curve) {
            const EquilibriumState s = freeTitrationState(t, p.volume, c);
            EXPECT_NEAR(p.pH, s.pH, 1e-12) << "v = " << p.volume;
            EXPECT_NEAR(p.ionicStrength, s.ionicStrength, 1e-12 * s.ionicStrength);
        }
        EXPECT_FALSE(beyondDavies(curve, c));
    }
}

// Random mixtures up to 15 mol/L at random temperatures: a balance set by hand at the ionic
// strength returned gives the pH returned, and there the mixture has that strength.
TEST(Activities, RandomMixturesReachTheirIonicStrength) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0, 1);
    auto randomSolute = [&]() {
        const double c = std::pow(10.0, 1.17 - 9 * unit(random));
        if (unit(random) < 0.3)
            return spectatorSolute(static_cast<SpectatorIon>(random() % kSpectatorIonCount), c);
        AcidBaseSystem system;
        const int n = 1 + static_cast<int>(random() % kMaxSystemAcidities);
        for (int k = 0; k < n; ++k) system.pKa.push_back(-3 + 20 * unit(random));
        std::sort(system.pKa.begin(), system.pKa.end());
        system.protonatedCharge = static_cast<int>(random() % (n + 2)) - 1;
        return systemSolute(system, c);
    };
    for (int trial = 0; trial < 400; ++trial) {
        Solution beaker, burette;
        const int count = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i)
            (unit(random) < 0.6 ? beaker : burette).solutes.push_back(randomSolute());
        const double v0 = std::pow(10.0, -3 + 2 * unit(random));
        const double v = unit(random) < 0.1 ? 0 : 0.1 * unit(random);
        const double celsius = 60 * unit(random);
        ConditionedBalance b(beaker, v0, burette, {celsius, ActivityModel::Davies});
        const ConditionedBalance::Point p = b.solve(v);
        ASSERT_TRUE(std::isfinite(p.pH)) << "trial " << trial;
        ChargeBalance check(b.beaker().solution, v0, b.added().solution);
        const double held = std::min(p.ionicStrength, kDaviesHeldStrength);
        check.setMedium(waterProductAt(celsius), daviesLogGamma(1, held, daviesA(celsius)));
        const double pH = check.solvePH(v);
        EXPECT_NEAR(pH, p.pH, 1e-11) << "trial " << trial;
        EXPECT_NEAR(static_cast<double>(check.ionicStrength(v, -static_cast<long double>(pH))) /
                        p.ionicStrength,
                    1, 1e-12)
            << "trial " << trial;
    }
}

// Out of the Davies range: said, and computed anyway, with finite numbers, however far.
TEST(Activities, BeyondTheDaviesRangeStillComputes) {
    const struct {
        const char* items;
        bool beyond;
    } cases[] = {
        {"Na+=0.4;Cl-=0.4", false},
        {"Na+=0.6;Cl-=0.6", true},
        {"Na3PO4=15", true},
        {"base(1,2,3,4,5,6)=15;Cl-=15", true},
        {"acid(-3,-2,-1,12,13,14)=15;K+=15", true},
    };
    for (const auto& k : cases) {
        const EquilibriumState e = equilibriumOf(itemsOf(k.items), kDavies);
        EXPECT_TRUE(std::isfinite(e.pH)) << k.items;
        EXPECT_TRUE(std::isfinite(e.ionicStrength)) << k.items;
        EXPECT_EQ(e.beyondDavies, k.beyond) << k.items;
    }
}

// The default conditions leave every number of the engine as it was: the calls with
// Conditions{} and a ConditionedBalance ideal at 25 °C against the plain ChargeBalance, and a
// ChargeBalance put back into the ideal medium after another one against a fresh one.
TEST(Activities, DefaultConditionsAreBitIdentical) {
    const struct {
        const char* beaker;
        const char* burette;
    } cases[] = {
        {"HCl=0.1", "NaOH=0.1"},
        {"CH3COOH=0.1;NH4Cl=0.02", "NaOH=0.1"},
        {"Na2CO3=0.05", "HCl=0.1"},
        {"H3PO4=0.05;glycine=0.01;acid(3,5,7,9,11,13)=0.001", "KOH=0.2"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.beaker);
        FreeTitration t;
        t.beaker = itemsOf(k.beaker);
        t.burette = itemsOf(k.burette);
        const ChargeBalance plain(t.beaker, t.beakerVolume, t.burette);
        ChargeBalance restored = plain;
        restored.setMedium(waterProductAt(40), daviesLogGamma(1, 0.2, daviesA(40)));
        restored.setMedium(waterProduct, 0);
        ConditionedBalance conditioned(t.beaker, t.beakerVolume, t.burette, Conditions{});
        for (double v : {0.0, 0.005, 0.01, 0.0199, 0.02, 0.0201, 0.03}) {
            const double pH = plain.solvePH(v);
            EXPECT_EQ(freeTitrationPH(t, v, Conditions{}), pH);
            EXPECT_EQ(restored.solvePH(v), pH);
            EXPECT_EQ(conditioned.solve(v).pH, pH);
            EXPECT_EQ(freeTitrationSlope(t, v, Conditions{}), plain.pHSlope(v, pH));
            EXPECT_EQ(restored.pHSlope(v, pH), plain.pHSlope(v, pH));
            EXPECT_EQ(restored.volumeAtPH(pH).perPH, plain.volumeAtPH(pH).perPH);
            const EquilibriumState a = freeTitrationState(t, v, Conditions{});
            const EquilibriumState b = mixtureState(plain, t.beaker, t.burette, v, pH);
            EXPECT_EQ(a.hydroxide, b.hydroxide);
            for (std::size_t i = 0; i < a.beaker.size(); ++i)
                EXPECT_EQ(a.beaker[i].forms, b.beaker[i].forms);
        }
        const auto curve = freeTitrationCurve(t, 0.04, 200);
        const auto withDefaults = freeTitrationCurve(t, 0.04, 200, Conditions{});
        ASSERT_EQ(curve.size(), withDefaults.size());
        for (std::size_t i = 0; i < curve.size(); ++i) {
            EXPECT_EQ(curve[i].pH, withDefaults[i].pH);
            EXPECT_EQ(curve[i].slope, withDefaults[i].slope);
        }
    }
}

} // namespace
