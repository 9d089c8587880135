// The general acid-base engine: its pH against an independent quadruple-precision solver, the
// remarkable points of classic titrations, and the five studies written as free solutions.
#include "ChemistryFixtures.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SolutionItems.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace titralab;
using titralab::testing::stateFor;
using titralab::testing::Typed;

namespace {

using Quad = __float128;

// The charge balance in moles, the textbook way: each system's fractions from
// D = sum over j of h^(N-j)·K1···Kj, in quadruple precision (whose range holds every term),
// solved by plain bisection on log10 h.
struct ReferenceSolute {
    bool system{};
    int charge{};            // the ion's charge, or the fully protonated form's
    std::vector<double> pKa; // of a system
    Quad amount{};           // mol
};

double referencePH(const std::vector<ReferenceSolute>& solutes, Quad volume) {
    const Quad ln10 = logq(10);
    auto balance = [&](Quad x) {
        const Quad h = expq(x * ln10);
        Quad f = volume * (h - Quad(waterProduct) / h);
        for (const ReferenceSolute& s : solutes) {
            if (!s.system) {
                f += s.charge * s.amount;
                continue;
            }
            Quad d = 0, lost = 0, product = 1;
            const int n = static_cast<int>(s.pKa.size());
            for (int j = 0; j <= n; ++j) {
                if (j > 0) product *= expq(-Quad(s.pKa[j - 1]) * ln10);
                const Quad term = powq(h, n - j) * product;
                d += term;
                lost += j * term;
            }
            f += s.amount * (s.charge - lost / d);
        }
        return f;
    };
    Quad lo = -40, hi = 5;
    for (int k = 0; k < 140; ++k) {
        const Quad m = (lo + hi) / 2;
        if (balance(m) < 0)
            lo = m;
        else
            hi = m;
    }
    return -static_cast<double>((lo + hi) / 2);
}

std::vector<ReferenceSolute> referenceOf(const Solution& s, Quad volume) {
    std::vector<ReferenceSolute> out;
    for (const Solute& x : s.solutes) {
        ReferenceSolute r;
        r.system = x.kind == SoluteKind::System;
        r.charge = r.system ? x.system.protonatedCharge : spectatorIonData(x.ion).charge;
        r.pKa = x.system.pKa;
        r.amount = Quad(x.concentration) * volume;
        out.push_back(r);
    }
    return out;
}

Solute randomSolute(std::mt19937_64& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double c = std::pow(10.0, -6 * unit(random));
    if (unit(random) < 0.3)
        return spectatorSolute(static_cast<SpectatorIon>(random() % kSpectatorIonCount), c);
    AcidBaseSystem system;
    const int n = 1 + static_cast<int>(random() % kMaxSystemAcidities);
    for (int k = 0; k < n; ++k) system.pKa.push_back(-3 + 20 * unit(random));
    std::sort(system.pKa.begin(), system.pKa.end());
    system.protonatedCharge = static_cast<int>(random() % (n + 2)) - 1;
    return systemSolute(system, c);
}

TEST(SolutionEngine, RandomMixturesAgreeWithAQuadruplePrecisionBalance) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0, 1);
    double worst = 0;
    for (int trial = 0; trial < 400; ++trial) {
        FreeTitration t;
        const int count = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i)
            (unit(random) < 0.6 ? t.beaker : t.burette).solutes.push_back(randomSolute(random));
        t.beakerVolume = std::pow(10.0, -3 + 2 * unit(random));
        const double v = unit(random) < 0.1 ? 0 : 0.1 * unit(random);
        std::vector<ReferenceSolute> all = referenceOf(t.beaker, t.beakerVolume);
        const std::vector<ReferenceSolute> added = referenceOf(t.burette, v);
        all.insert(all.end(), added.begin(), added.end());
        const double expected = referencePH(all, Quad(t.beakerVolume) + Quad(v));
        const double pH = freeTitrationPH(t, v);
        worst = std::max(worst, std::abs(pH - expected));
        ASSERT_NEAR(pH, expected, 1e-10) << "trial " << trial;
    }
    std::ostringstream text;
    text << worst;
    RecordProperty("worst", text.str());
}

// Molar strong acids and bases within a few parts per billion of their equivalence: the pH
// hangs on the difference of nearly equal amounts, which the balance must keep to 1e-10.
TEST(SolutionEngine, MolarMixturesNearNeutralityKeepTheirDigits) {
    const struct {
        const char* beaker;
        const char* burette;
        double equivalence; // L, for a beaker of 20 mL
    } cases[] = {
        {"Cl-=1", "Na+=1", 0.02},
        {"acid(-3)=1", "Na+=1", 0.02},
        {"acid(-3,-2)=1;NO3-=0.3", "K+=1", 0.046},
        {"Cl-=1;NH4Cl=0.000001", "Na+=1", 0.02},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.beaker);
        FreeTitration t;
        t.beakerVolume = 0.02;
        t.beaker = parseSolutionItems(k.beaker).solution;
        t.burette = parseSolutionItems(k.burette).solution;
        for (int i = -50; i <= 50; ++i) {
            const double v = k.equivalence * (1 + i * 1e-9);
            std::vector<ReferenceSolute> all = referenceOf(t.beaker, t.beakerVolume);
            const std::vector<ReferenceSolute> added = referenceOf(t.burette, v);
            all.insert(all.end(), added.begin(), added.end());
            EXPECT_NEAR(freeTitrationPH(t, v), referencePH(all, Quad(t.beakerVolume) + Quad(v)),
                        1e-10)
                << "v = " << v;
        }
    }
}

// Ideal conductivities against the limiting molar conductivities of whole electrolytes (CRC
// Handbook: HCl 426.16, NaCl 126.45, KNO3 144.96 S·cm²/mol), and none where a species present
// has no known λ°.
TEST(SolutionEngine, ConductivityWhereEveryIonIsKnown) {
    const struct {
        const char* items;
        std::optional<double> siemensPerMetre;
    } cases[] = {
        {"HCl=0.01", 0.42616},
        {"Na+=0.01;Cl-=0.01", 0.12645},
        {"KOH=0.01;HNO3=0.01", 0.14496},
        {"glycine=0.01", std::nullopt},
        {"base(9.25)=0.01", std::nullopt},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.items);
        const ParsedItems parsed = parseSolutionItems(k.items);
        ASSERT_FALSE(parsed.error.has_value());
        const EquilibriumState e = equilibriumOf(parsed.solution);
        EXPECT_EQ(e.conductivityKnown, k.siemensPerMetre.has_value());
        ASSERT_EQ(e.conductivity.has_value(), k.siemensPerMetre.has_value());
        if (k.siemensPerMetre) EXPECT_NEAR(*e.conductivity, *k.siemensPerMetre, 2e-4);
    }
}

// A curve request outside its bounds gives no points rather than a huge allocation or a
// curve of no length.
TEST(SolutionEngine, CurveRequestsOutOfBoundsGiveNoPoints) {
    FreeTitration t;
    t.beaker = parseSolutionItems("HCl=0.1").solution;
    t.burette = parseSolutionItems("NaOH=0.1").solution;
    const struct {
        const char* label;
        double maxVolume;
        int points;
    } cases[] = {
        {"one point", 0.04, 1},
        {"too many points", 0.04, kMaxFreeCurvePoints + 1},
        {"the most points an int holds", 0.04, std::numeric_limits<int>::max()},
        {"no volume", 0, 200},
        {"a volume that is no number", std::nan(""), 200},
        {"an infinite volume", std::numeric_limits<double>::infinity(), 200},
    };
    for (const auto& k : cases)
        EXPECT_TRUE(freeTitrationCurve(t, k.maxVolume, k.points).empty()) << k.label;
    EXPECT_EQ(freeTitrationCurve(t, 0.04, kMaxFreeCurvePoints).size(),
              static_cast<std::size_t>(kMaxFreeCurvePoints));
}

// dpH/dV from the implicit-function theorem against a centred difference of the solved pH.
TEST(SolutionEngine, SlopeMatchesTheDifferenceOfTheCurve) {
    FreeTitration t;
    t.beaker = parseSolutionItems("Cl-=0.05;acid(2.15,7.20,12.35)=0.05").solution;
    t.burette = parseSolutionItems("Na+=0.1").solution;
    for (double v : {0.0031, 0.012, 0.0197, 0.025, 0.04}) {
        const double step = 1e-7;
        const double difference =
            (freeTitrationPH(t, v + step) - freeTitrationPH(t, v - step)) / (2 * step);
        EXPECT_NEAR(freeTitrationSlope(t, v), difference, 1e-5 * std::abs(difference))
            << "v = " << v;
    }
}

struct ClassicCase {
    const char* label;
    const char* beaker;
    const char* burette;
    std::vector<double> volumes;    // L, of every equivalence, from the amounts
    std::vector<bool> usable;       // by the jump rule of the titration studies
    std::vector<double> untitrated; // pKa the titrant cannot reach
    int checked;                    // the equivalence whose pH is checked (0-based), or -1
    double pH;
    double pHTolerance;
};

// Beaker of 20 mL; n = 1 mmol is 0.05 mol/L of it; burette at 0.1 mol/L.
TEST(SolutionEngine, ClassicTitrationsFindTheirEquivalences) {
    const double n = 0.05 * 0.02, c = 0.1;
    const ClassicCase cases[] = {
        {"HCl + H3PO4 by soda: E at n(HCl) + n(H3PO4) and n(HCl) + 2 n(H3PO4)",
         "Cl-=0.05;acid(2.15,7.20,12.35)=0.05",
         "Na+=0.1",
         {n / c, (n + n) / c, (n + 2 * n) / c, (n + 3 * n) / c},
         {false, true, true, false},
         {},
         1,
         (2.15 + 7.20) / 2,
         0.1},
        {"NaOH + Na2CO3 by HCl",
         "NaOH=0.05;Na2CO3=0.05",
         "HCl=0.1",
         {n / c, (n + n) / c, (n + 2 * n) / c},
         {false, false, true},
         {},
         1,
         (6.35 + 10.33) / 2,
         0.05},
        {"ethanoic acid by ammonia",
         "acid(4.76)=0.1",
         "base(9.25)=0.1",
         {2 * n / c},
         {true},
         {},
         0,
         (4.76 + 9.25) / 2,
         0.01},
        {"NaH2PO4 by soda",
         "NaH2PO4=0.1",
         "NaOH=0.1",
         {2 * n / c, 4 * n / c},
         {true, false},
         {},
         0,
         (7.20 + 12.35) / 2,
         0.1},
        {"phosphoric acid by ammonia",
         "H3PO4=0.05",
         "NH3=0.1",
         {n / c, 2 * n / c},
         {true, false},
         {12.35},
         -1,
         0,
         0},
        {"back-titration: soda in excess on ammonium, by HCl",
         "NaOH=0.1;NH4Cl=0.05",
         "HCl=0.1",
         {n / c, 2 * n / c},
         {false, true},
         {},
         -1,
         0,
         0},
        {"hydrochloric acid by sodium carbonate",
         "HCl=0.1",
         "Na2CO3=0.1",
         {n / c, 2 * n / c},
         {true, false},
         {},
         -1,
         0,
         0},
    };
    for (const ClassicCase& k : cases) {
        SCOPED_TRACE(k.label);
        FreeTitration t;
        t.beakerVolume = 0.02;
        const ParsedItems beaker = parseSolutionItems(k.beaker);
        const ParsedItems burette = parseSolutionItems(k.burette);
        ASSERT_FALSE(beaker.error || burette.error);
        t.beaker = beaker.solution;
        t.burette = burette.solution;
        const FreeEquivalences found = freeEquivalences(t);
        ASSERT_EQ(found.points.size(), k.volumes.size());
        for (std::size_t i = 0; i < k.volumes.size(); ++i) {
            EXPECT_NEAR(found.points[i].equivalence.volume, k.volumes[i], 1e-12 * k.volumes[i]);
            EXPECT_EQ(found.points[i].usable, k.usable[i]) << "E" << i + 1;
        }
        if (k.checked >= 0)
            EXPECT_NEAR(found.points[static_cast<std::size_t>(k.checked)].equivalence.pH, k.pH,
                        k.pHTolerance);
        ASSERT_EQ(found.untitrated.size(), k.untitrated.size());
        for (std::size_t i = 0; i < k.untitrated.size(); ++i)
            EXPECT_EQ(found.untitrated[i].pKa, k.untitrated[i]);
    }
}

// The textbook verdicts of the usual indicators, by the titration studies' rule.
TEST(SolutionEngine, IndicatorsSuitAsTextbooksSay) {
    const struct {
        const char* beaker;
        const char* indicator;
        bool suits;
    } cases[] = {
        {"CH3COOH=0.1", "phénolphtaléine", true}, {"CH3COOH=0.1", "hélianthine", false},
        {"HCl=0.1", "bleu de bromothymol", true}, {"HCl=0.1", "rouge de méthyle", true},
        {"HCl=0.1", "phénolphtaléine", true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.beaker) + " " + k.indicator);
        FreeTitration t;
        t.beaker = parseSolutionItems(k.beaker).solution;
        t.burette = parseSolutionItems("NaOH=0.1").solution;
        const FreeEquivalences found = freeEquivalences(t);
        ASSERT_EQ(found.points.size(), 1u);
        const std::optional<int> indicator = findIndicator(k.indicator);
        ASSERT_TRUE(indicator.has_value());
        EXPECT_EQ(freeIndicatorSuits(colourIndicators()[static_cast<std::size_t>(*indicator)],
                                     found.points[0]),
                  k.suits);
    }
}

// The solutes of a study's beaker: acid (base) 1 with the working constants of the state.
AcidBaseSystem systemOfState(const ChemicalState& s, const std::array<double, 3>& workingPK) {
    AcidBaseSystem system;
    const bool base = s.side == BuretteSide::BaseSide;
    for (double pK : workingPK)
        if (pK < (base ? ABSENT_PK - waterPK : ABSENT_PK))
            system.pKa.push_back(base ? waterPK - pK : pK);
    std::sort(system.pKa.begin(), system.pKa.end());
    system.protonatedCharge = base ? system.acidities() : 0;
    return system;
}

Solution titrantOf(const ChemicalState& s) {
    const SpectatorIon ion =
        s.side == BuretteSide::BaseSide ? SpectatorIon::Chloride : SpectatorIon::Sodium;
    return Solution{{spectatorSolute(ion, s.titrantConc)}};
}

struct StudyCase {
    const char* label;
    Typed typed;
    double tolerance; // pH; against the studies' scanning solvers where they have one
};

Typed typed(Study study, BuretteSide side, std::vector<std::string> pK1,
            std::vector<std::string> pK2 = {"50", "50", "50"}) {
    Typed t;
    t.study = study;
    t.side = side;
    for (std::size_t k = 0; k < 3; ++k) {
        t.pK1[k] = k < pK1.size() ? pK1[k] : "50";
        t.pK2[k] = k < pK2.size() ? pK2[k] : "50";
    }
    t.row1 = t.row2 = side == BuretteSide::BaseSide ? 2 : 17;
    return t;
}

// The titration studies, over twice the last equivalence volume: the studies' solvers on the
// closed-form volume (the exact one of the readings to 1e-12, the scanning one of the curves to
// the case's tolerance) against the engine on the charge balance.
TEST(SolutionEngine, TitrationStudiesGiveTheSamePH) {
    using S = Study;
    using B = BuretteSide;
    const StudyCase cases[] = {
        // The scan's closed-form volume of a weak monoacid loses a few digits to cancellation
        // in the buffer: 2.04e-12 at 17 mL, where the engine and the exact solver agree.
        {"ethanoic acid by soda", typed(S::TitrationVsVolume, B::AcidSide, {"4.76"}), 3e-12},
        {"phosphoric acid by soda",
         typed(S::TitrationVsVolume, B::AcidSide, {"2.15", "7.2", "12.35"}), 1e-12},
        {"ammonia by HCl", typed(S::TitrationVsVolume, B::BaseSide, {"9.25"}), 1e-12},
        {"carbonate by HCl", typed(S::TitrationVsVolume, B::BaseSide, {"10.33", "6.35"}), 1e-12},
        {"two monoacids by soda", typed(S::TwoMonoTitration, B::AcidSide, {"3.75"}, {"9.2"}),
         1e-12},
        {"two monobases by HCl", typed(S::TwoMonoTitration, B::BaseSide, {"10.6"}, {"5.2"}), 1e-12},
    };
    for (const StudyCase& k : cases) {
        SCOPED_TRACE(k.label);
        const ChemicalState s = stateFor(k.typed);
        FreeTitration t;
        const bool two = s.study == Study::TwoMonoTitration;
        t.beakerVolume = two ? s.vol1 + s.vol2 : s.vol1;
        t.beaker.solutes.push_back(
            systemSolute(systemOfState(s, s.pK1), s.conc1 * s.vol1 / t.beakerVolume));
        if (two)
            t.beaker.solutes.push_back(
                systemSolute(systemOfState(s, s.pK2), s.conc2 * s.vol2 / t.beakerVolume));
        t.burette = titrantOf(s);
        const double last =
            two ? (s.conc1 * s.vol1 + s.conc2 * s.vol2) / s.titrantConc
                : systemOfState(s, s.pK1).acidities() * s.conc1 * s.vol1 / s.titrantConc;
        const Titration kind = two ? Titration::TwoMonoacids : Titration::OneAcid;
        for (int i = 0; i <= 40; ++i) {
            const double v = 2 * last * i / 40;
            const double pH = freeTitrationPH(t, v);
            const double scanned = two ? solvePHTwoMono(s, v) : solvePH(s, v);
            EXPECT_NEAR(pH, exactPH(s, kind, v), 1e-12) << "v = " << v;
            EXPECT_NEAR(pH, scanned, k.tolerance) << "v = " << v;
        }
    }
}

// Every database entry, turned into a system, titrates as the titration study titrates it with
// the entry's own pKa values (acids by soda, bases by hydrochloric acid), and as the
// quadruple-precision balance does.
TEST(SolutionEngine, EveryDatabaseEntryTitratesAsItsStudyDoes) {
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide})
        for (int n = 1; n <= entryCount(side); ++n) {
            const AcidBaseEntry& entry = entryOf(side, n);
            SCOPED_TRACE(entry.names[0].en);
            Typed typed;
            typed.side = side;
            typed.row1 = n;
            for (int k = 0; k < 3; ++k)
                typed.pK1[k] = k < entry.acidities ? std::to_string(entry.pKa[k]) : "50";
            const ChemicalState s = stateFor(typed);
            FreeTitration t;
            t.beakerVolume = s.vol1;
            t.beaker.solutes.push_back(systemSolute(systemOfEntry(side, n), s.conc1));
            t.burette = titrantOf(s);
            const double last = entry.acidities * s.conc1 * s.vol1 / s.titrantConc;
            for (int i = 0; i <= 20; ++i) {
                const double v = 2 * last * i / 20;
                const double pH = freeTitrationPH(t, v);
                const double study = exactPH(s, Titration::OneAcid, v);
                std::vector<ReferenceSolute> all = referenceOf(t.beaker, t.beakerVolume);
                const std::vector<ReferenceSolute> added = referenceOf(t.burette, v);
                all.insert(all.end(), added.begin(), added.end());
                const double reference = referencePH(all, Quad(t.beakerVolume) + Quad(v));
                EXPECT_NEAR(pH, reference, 1e-12) << "v = " << v;
                // At the equivalence of a strong or fairly strong acid (base) the pH rests on
                // a difference of nearly equal amounts, where the study's double-precision
                // volume strays by up to 2e-11 (13 of these points); the reference decides.
                if (std::abs(study - reference) <= 1e-12)
                    EXPECT_NEAR(pH, study, 1e-12) << "v = " << v;
            }
        }
}

TEST(SolutionEngine, MixtureAndDilutionStudiesGiveTheSamePH) {
    using S = Study;
    using B = BuretteSide;
    const StudyCase mixtures[] = {
        {"phosphoric and ethanoic acids",
         typed(S::TwoPolyMixture, B::AcidSide, {"2.15", "7.2", "12.35"}, {"4.76"}), 1e-12},
        {"carbonate and ammonia",
         typed(S::TwoPolyMixture, B::BaseSide, {"10.33", "6.35"}, {"9.25"}), 1e-12},
    };
    for (const StudyCase& k : mixtures) {
        SCOPED_TRACE(k.label);
        const ChemicalState s = stateFor(k.typed);
        const double total = s.vol1 + s.vol2;
        const Solution mixture{{systemSolute(systemOfState(s, s.pK1), s.conc1 * s.vol1 / total),
                                systemSolute(systemOfState(s, s.pK2), s.conc2 * s.vol2 / total)}};
        const double working = -std::log10(solveMixture(s));
        const double study = s.side == BuretteSide::BaseSide ? waterPK - working : working;
        EXPECT_NEAR(equilibriumOf(mixture).pH, study, k.tolerance);
    }
    // The dilution study gives the concentration of a solution of a given pH: the engine, fed
    // that concentration, must find that pH again.
    const StudyCase dilutions[] = {
        {"ethanoic acid", typed(S::Dilution, B::AcidSide, {"4.76"}), 1e-12},
        {"phosphoric acid", typed(S::Dilution, B::AcidSide, {"2.15", "7.2", "12.35"}), 1e-12},
        {"ammonia", typed(S::Dilution, B::BaseSide, {"9.25"}), 1e-12},
    };
    for (const StudyCase& k : dilutions) {
        SCOPED_TRACE(k.label);
        const ChemicalState s = stateFor(k.typed);
        for (double x = 2; x <= 5.5; x += 0.25) {
            const double h = pToConc(x);
            const double pC = dilutionPC(s, h);
            ASSERT_GT(pC, -1);
            const Solution diluted{{systemSolute(systemOfState(s, s.pK1), std::pow(10.0, -pC))}};
            const double study = s.side == BuretteSide::BaseSide ? waterPK - x : x;
            EXPECT_NEAR(equilibriumOf(diluted).pH, study, k.tolerance) << "x = " << x;
        }
    }
}

// The species study draws every form against pH: the engine's forms at the same pH.
TEST(SolutionEngine, SpeciesStudyGivesTheSameForms) {
    using B = BuretteSide;
    const StudyCase cases[] = {
        {"phosphoric acid", typed(Study::SpeciesVsPH, B::AcidSide, {"2.15", "7.2", "12.35"}),
         1e-12},
        {"carbonate", typed(Study::SpeciesVsPH, B::BaseSide, {"10.33", "6.35"}), 1e-12},
    };
    for (const StudyCase& k : cases) {
        SCOPED_TRACE(k.label);
        const ChemicalState s = stateFor(k.typed);
        const AcidBaseSystem system = systemOfState(s, s.pK1);
        const int n = system.acidities();
        const bool base = s.side == BuretteSide::BaseSide;
        for (double pH = 0; pH <= 14; pH += 0.5) {
            const double hydronium = pToConc(pH);
            const double working = base ? waterProduct / hydronium : hydronium;
            const std::vector<double> forms = formsAtPH(system, s.conc1, pH);
            for (int j = 0; j <= n; ++j) {
                // The study counts the species from its working acid: on the base side from
                // the base, the fully deprotonated form.
                const double study = speciesConc(s, j, working, s.conc1);
                const double engine = forms[static_cast<std::size_t>(base ? n - j : j)];
                EXPECT_NEAR(engine, study, k.tolerance * s.conc1 + 1e-12 * study)
                    << "pH " << pH << " species " << j;
            }
        }
    }
}

} // namespace
