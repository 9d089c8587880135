// The lesson's diagrams: buffer capacity against an independent quadruple-precision derivative,
// the logarithmic diagram's marks against the engine's forms, the predominance strips.
#include "core/chemistry/Diagrams.h"
#include "ChemistryFixtures.h"
#include "core/chemistry/Equilibrium.h"
#include "core/chemistry/Formulas.h"
#include "core/chemistry/SolutionItems.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <string>
#include <vector>

using namespace titralab;

namespace {

using Quad = __float128;

// The strong base (mol/L of a monovalent cation) the solution needs to reach a pH, from the
// charge balance with each system's forms from D = Σj h^(N-j)·K1···Kj, in quadruple precision.
Quad strongBaseNeeded(const Solution& solution, Quad pH) {
    const Quad ln10 = logq(10);
    const Quad h = expq(-pH * ln10);
    Quad charge = h - Quad(waterProduct) / h;
    for (const Solute& s : solution.solutes) {
        if (s.kind == SoluteKind::Spectator) {
            charge += spectatorIonData(s.ion).charge * Quad(s.concentration);
            continue;
        }
        const int n = s.system.acidities();
        Quad d = 0, lost = 0, product = 1;
        for (int j = 0; j <= n; ++j) {
            if (j > 0) product *= expq(-Quad(s.system.pKa[static_cast<std::size_t>(j - 1)]) * ln10);
            const Quad term = powq(h, n - j) * product;
            d += term;
            lost += j * term;
        }
        charge += Quad(s.concentration) * (s.system.protonatedCharge - lost / d);
    }
    return -charge;
}

// dCb/dpH by the five-point central difference, whose error (step⁴) is far below 1e-9 here.
double referenceBeta(const Solution& solution, double pH) {
    const Quad x = pH, step = Quad(1) / 10000;
    auto f = [&](Quad t) { return strongBaseNeeded(solution, x + t); };
    const Quad derivative =
        (-f(2 * step) + 8 * f(step) - 8 * f(-step) + f(-2 * step)) / (12 * step);
    return static_cast<double>(derivative);
}

Solution parsed(const char* text) {
    ParsedItems items = parseSolutionItems(text);
    EXPECT_FALSE(items.error.has_value()) << text;
    return items.solution;
}

TEST(BufferCapacity, AgreesWithTheDerivativeOfTheStrongBaseNeeded) {
    const struct {
        const char* label;
        const char* solution;
    } cases[] = {
        {"monoprotic", "CH3COOH=0.1"},
        {"monoprotic, dilute", "acid(7)=1e-5"},
        {"diprotic", "Na2CO3=0.05"},
        {"triprotic", "H3PO4=0.1"},
        {"mixture", "H3PO4=0.02;NH4Cl=0.05;CH3COONa=0.03;HCl=0.01"},
        {"base side", "base(9.25,4)=0.1"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        const Solution s = parsed(k.solution);
        for (double pH = 0; pH <= 14; pH += 0.25) {
            const double reference = referenceBeta(s, pH);
            EXPECT_NEAR(bufferCapacity(s, pH), reference, 1e-9 * reference) << "pH " << pH;
        }
    }
}

TEST(BufferCapacity, MonoacidAtItsPKaFarFromWater) {
    // At pH = pKa = 7 the water terms are 2e-7 mol/L beside C/4: β = ln10·C/4 = 0.576·C.
    for (double c : {0.1, 0.01}) {
        const Solution s{{systemSolute({{7.0}, 0, {}, {}}, c)}};
        EXPECT_NEAR(bufferCapacity(s, 7) / c, 0.5756, 1e-4) << c;
    }
}

// β along a titration is the capacity of the mixture at that volume (dilution included) at the
// point's pH: checked against the reference on the mixture rebuilt from the volumes, for a free
// titration and the titration studies through their solutions.
TEST(BufferCapacity, AlongTitrationsWithDilution) {
    using titralab::testing::stateFor;
    using titralab::testing::Typed;
    struct Case {
        const char* label;
        FreeTitration titration;
        double maxVolume;
    };
    std::vector<Case> cases;
    cases.push_back({"phosphoric acid and ammonium by soda",
                     {parsed("H3PO4=0.05;NH4Cl=0.02"), 0.02, parsed("NaOH=0.1")},
                     0.05});
    const struct {
        const char* label;
        BuretteSide side;
        Study study;
        const char* pK1;
        const char* pK2;
    } studies[] = {
        {"ethanoic acid study", BuretteSide::AcidSide, Study::TitrationVsVolume, "4.76", "50"},
        {"ammonia study", BuretteSide::BaseSide, Study::TitrationVsVolume, "9.25", "50"},
        {"two monoacids study", BuretteSide::AcidSide, Study::TwoMonoTitration, "3.75", "9.2"},
    };
    for (const auto& k : studies) {
        Typed typed;
        typed.side = k.side;
        typed.study = k.study;
        typed.pK1[0] = k.pK1;
        typed.pK2[0] = k.pK2;
        typed.row1 = typed.row2 = k.side == BuretteSide::BaseSide ? 2 : 17;
        const ChemicalState state = stateFor(typed);
        const std::optional<FreeTitration> t = studyTitration(state);
        ASSERT_TRUE(t.has_value()) << k.label;
        // The adapter stands for the study: same pH as the study's own exact solver.
        const Titration kind =
            k.study == Study::TwoMonoTitration ? Titration::TwoMonoacids : Titration::OneAcid;
        for (double v : {0.0, 0.01, 0.03})
            EXPECT_NEAR(freeTitrationPH(*t, v), exactPH(state, kind, v), 1e-10) << k.label;
        cases.push_back({k.label, *t, 0.05});
    }
    for (const Case& k : cases) {
        SCOPED_TRACE(k.label);
        const FreeTitration& t = k.titration;
        const std::vector<BufferPoint> points = bufferCapacityAlong(t, k.maxVolume, 200);
        ASSERT_EQ(points.size(), 200u);
        for (const BufferPoint& p : points) {
            Solution mixed;
            const double total = t.beakerVolume + p.volume;
            for (Solute s : t.beaker.solutes) {
                s.concentration *= t.beakerVolume / total;
                mixed.solutes.push_back(s);
            }
            for (Solute s : t.burette.solutes) {
                s.concentration *= p.volume / total;
                mixed.solutes.push_back(s);
            }
            const double reference = referenceBeta(mixed, p.pH);
            EXPECT_NEAR(p.beta, reference, 1e-9 * reference) << "v " << p.volume;
        }
    }
}

// A maximum is where the reference derivative of β changes sign.
TEST(BufferCapacity, MaximaAgainstPHAndAlongTheVolume) {
    const Solution triacid{{systemSolute({{4.0, 7.0, 10.0}, 0, {}, {}}, 0.1)}};
    const std::vector<BufferPoint> maxima = bufferMaximaAgainstPH(triacid);
    ASSERT_EQ(maxima.size(), 3u);
    const double pKa[] = {4.0, 7.0, 10.0};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(maxima[i].pH, pKa[i], 0.05);
        const double d = 1e-3;
        EXPECT_GT(maxima[i].beta, referenceBeta(triacid, maxima[i].pH - d));
        EXPECT_GT(maxima[i].beta, referenceBeta(triacid, maxima[i].pH + d));
    }
    // Ethanoic acid by soda: one maximum along the volume, none at the ends (β falls from v = 0
    // and rises again beyond the equivalence). Far from water β is ln10·C·V0/(V0 + v)·x(1 - x)
    // with x = v/Veq, greatest at x = √2 - 1 (dilution moves it before the half-equivalence),
    // where pH = pKa + log(x/(1 - x)).
    const FreeTitration t{parsed("CH3COOH=0.1"), 0.02, parsed("NaOH=0.1")};
    const std::vector<BufferPoint> along = bufferMaximaAlong(t, 0.04);
    ASSERT_EQ(along.size(), 1u);
    const double x = std::sqrt(2.0) - 1;
    EXPECT_NEAR(along[0].volume, 0.02 * x, 1e-4); // h and Kw/h move it by 0.02 mL
    EXPECT_NEAR(along[0].pH, 4.76 + std::log10(x / (1 - x)), 5e-3);
    for (double dv : {-1e-4, 1e-4}) {
        const double v = along[0].volume + dv;
        EXPECT_GT(along[0].beta, referenceBeta(titrationMixture(t, v), freeTitrationPH(t, v)));
    }
}

TEST(LogDiagram, MarksSitWhereTheEnginesLinesMeet) {
    const struct {
        const char* label;
        const char* solution;
        double floor;
        int pKaMarks;
    } cases[] = {
        {"phosphoric acid", "H3PO4=0.1", -8, 3},
        {"phosphoric acid, marks under the floor", "H3PO4=1e-3", -3, 0}, // they sit at -3.3
        {"ethanoic acid and ammonia", "CH3COOH=0.01;NH3=0.02", -14, 2},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        const Solution s = parsed(k.solution);
        LogDiagramRequest request;
        request.floor = k.floor;
        const LogDiagram d = logDiagram(s, request);
        ASSERT_EQ(d.pH.size(), 281u);
        // Every line, clipped, against log10 of the engine's forms.
        for (const LogDiagramSeries& series : d.series)
            for (std::size_t i = 0; i < d.pH.size(); i += 20) {
                double c =
                    series.kind == DiagramSpeciesKind::Hydronium ? std::pow(10, -d.pH[i])
                    : series.kind == DiagramSpeciesKind::Hydroxide
                        ? 1e-14 / std::pow(10, -d.pH[i])
                        : formsAtPH(s.solutes[series.solute].system,
                                    s.solutes[series.solute].concentration, d.pH[i])[series.form];
                EXPECT_NEAR(series.log10c[i], std::max(std::log10(c), k.floor), 1e-9);
            }
        // Each mark: both lines pass through it, per the engine; pKa marks at the pKa.
        int pKaMarks = 0;
        for (const LogDiagramMark& m : d.marks) {
            EXPECT_GE(m.log10c, k.floor);
            EXPECT_NEAR(diagramLog10(s, m.seriesA, m.pH), m.log10c, 1e-9);
            EXPECT_NEAR(diagramLog10(s, m.seriesB, m.pH), m.log10c, 1e-9);
            if (m.kind != DiagramMarkKind::PKa) continue;
            ++pKaMarks;
            const LogDiagramSeries& a = d.series[m.seriesA];
            EXPECT_NEAR(m.pH, s.solutes[a.solute].system.pKa[a.form], 1e-12);
        }
        EXPECT_EQ(pKaMarks, k.pKaMarks);
        // Every crossing of two lines above the floor on a fine grid is marked.
        const int fine = 14001;
        for (std::size_t a = 0; a < d.series.size(); ++a)
            for (std::size_t b = a + 1; b < d.series.size(); ++b) {
                int crossings = 0;
                double previous = 0; // the last non-zero difference
                for (int i = 0; i < fine; ++i) {
                    const double pH = 14.0 * i / (fine - 1);
                    const double ya = diagramLog10(s, static_cast<int>(a), pH);
                    const double yb = diagramLog10(s, static_cast<int>(b), pH);
                    const double diff = ya - yb;
                    if (diff * previous < 0 && std::max(ya, yb) > k.floor + 0.01) ++crossings;
                    if (diff != 0) previous = diff;
                }
                int marked = 0;
                for (const LogDiagramMark& m : d.marks)
                    if ((m.seriesA == static_cast<int>(a) && m.seriesB == static_cast<int>(b)))
                        ++marked;
                EXPECT_EQ(marked, crossings) << "series " << a << " and " << b;
            }
    }
}

// The species study's diagram through the solution it stands for: each form's line is log10 of
// the study's own species concentration (counted from the base on the base side).
TEST(LogDiagram, SpeciesStudyLinesAreTheStudysSpecies) {
    using titralab::testing::stateFor;
    using titralab::testing::Typed;
    const struct {
        const char* label;
        BuretteSide side;
        const char* pK[3];
    } cases[] = {
        {"phosphoric acid", BuretteSide::AcidSide, {"2.15", "7.2", "12.35"}},
        {"carbonate", BuretteSide::BaseSide, {"10.33", "6.35", "50"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        Typed typed;
        typed.side = k.side;
        typed.study = Study::SpeciesVsPH;
        for (int i = 0; i < 3; ++i) typed.pK1[i] = k.pK[i];
        typed.row1 = typed.row2 = k.side == BuretteSide::BaseSide ? 2 : 17;
        const ChemicalState state = stateFor(typed);
        const LogDiagram d = logDiagram(studySolution(state), {0, 14, 15, -14});
        const bool base = k.side == BuretteSide::BaseSide;
        const int n = static_cast<int>(d.series.size()) - 3; // acidities
        for (std::size_t i = 0; i < d.pH.size(); ++i) {
            const double h = std::pow(10.0, -d.pH[i]);
            for (int j = 0; j <= n; ++j) {
                const double study =
                    speciesConc(state, j, base ? waterProduct / h : h, state.conc1);
                const LogDiagramSeries& line =
                    d.series[static_cast<std::size_t>(2 + (base ? n - j : j))];
                EXPECT_NEAR(line.log10c[i], std::max(std::log10(study), -14.0), 1e-9)
                    << "pH " << d.pH[i] << " species " << j;
            }
        }
    }
}

TEST(LogDiagram, FloorAndRequestBounds) {
    const Solution s = parsed("CH3COOH=0.1");
    const struct {
        const char* label;
        LogDiagramRequest request;
        double floor;
        std::size_t points;
    } cases[] = {
        {"floor below -14", {0, 14, 281, -20}, -14, 281},
        {"floor above -1", {0, 14, 281, 0}, -1, 281},
        {"one point", {0, 14, 1, -8}, -8, 0},
        {"too many points", {0, 14, kMaxDiagramPoints + 1, -8}, -8, 0},
        {"reversed range", {14, 0, 281, -8}, -8, 0},
        {"not a number", {0, NAN, 281, -8}, -8, 0},
    };
    for (const auto& k : cases) {
        const LogDiagram d = logDiagram(s, k.request);
        EXPECT_EQ(d.floor, k.floor) << k.label;
        EXPECT_EQ(d.pH.size(), k.points) << k.label;
        for (const LogDiagramSeries& series : d.series)
            for (double y : series.log10c) EXPECT_GE(y, k.floor) << k.label;
    }
}

TEST(Predominance, DomainsFollowTheGreatestForm) {
    const struct {
        const char* label;
        Solution solution;
        std::vector<std::string> formulas;
        std::vector<double> boundaries;
        std::vector<int> never;
    } cases[] = {
        {"phosphoric acid",
         parsed("H3PO4=0.1"),
         {"AH3", "AH2-", "AH(2-)", "A(3-)"},
         {2.15, 7.20, 12.35},
         {}},
        {"ammonia", parsed("NH3=0.1"), {"BH+", "B"}, {9.25}, {}},
        {"inverted pKa",
         Solution{{systemSolute({{6.0, 4.0}, 0, {}, {}}, 0.1)}},
         {"AH2", "A(2-)"},
         {5.0},
         {1}},
        {"equal pKa",
         Solution{{systemSolute({{5.0, 5.0, 9.0}, 0, {}, {}}, 0.1)}},
         {"AH3", "AH(2-)", "A(3-)"},
         {5.0, 9.0},
         {1}},
        {"pKa beyond the axis",
         Solution{{systemSolute({{-2.0, 16.0}, 1, {}, {}}, 0.1)}},
         {"AH"},
         {},
         {}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        const std::vector<PredominanceStrip> strips = predominanceStrips(k.solution);
        ASSERT_EQ(strips.size(), 1u);
        const PredominanceStrip& strip = strips[0];
        EXPECT_EQ(strip.neverPredominant, k.never);
        ASSERT_EQ(strip.domains.size(), k.formulas.size());
        const AcidBaseSystem& system = k.solution.solutes[strip.solute].system;
        for (std::size_t i = 0; i < strip.domains.size(); ++i) {
            const PredominanceDomain& d = strip.domains[i];
            EXPECT_EQ(d.formula, k.formulas[i]);
            EXPECT_NEAR(d.low, i == 0 ? 0 : k.boundaries[i - 1], 1e-12);
            EXPECT_NEAR(d.high, i + 1 == strip.domains.size() ? 14 : k.boundaries[i], 1e-12);
            const std::vector<double> forms = formsAtPH(system, 1, (d.low + d.high) / 2);
            EXPECT_EQ(std::max_element(forms.begin(), forms.end()) - forms.begin(), d.form);
        }
    }
    // Names follow the system's when it has them.
    const std::vector<PredominanceStrip> named = predominanceStrips(parsed("NaHCO3=0.1"));
    ASSERT_EQ(named[0].domains.size(), 3u);
    ASSERT_TRUE(named[0].domains[1].name.has_value());
    EXPECT_STREQ(named[0].domains[1].name->en, "hydrogen carbonate ion");
}

} // namespace
