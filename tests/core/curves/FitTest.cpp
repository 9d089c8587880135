#include "core/session/Fit.h"

#include "core/session/Refresh.h"

#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/PastedPoints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

using namespace titralab;

namespace {

// A titration as the program computes it, with its true typed values.
struct Truth {
    const char* label;
    BuretteSide side;
    Study study;
    int entry1;
    int entry2;
    std::vector<std::pair<int, std::string>> fields; // typed true values
    double lastVolume;                               // L, of the measured points
};

const Truth kTitrations[] = {
    {"acetic acid",
     BuretteSide::AcidSide,
     Study::TitrationVsVolume,
     17,
     17,
     {{1, "0.1"}, {2, "0.08"}, {3, "0.02"}, {4, "4.76"}},
     0.03},
    {"diacid",
     BuretteSide::AcidSide,
     Study::TitrationVsVolume,
     34,
     17,
     {{1, "0.1"}, {2, "0.05"}, {3, "0.02"}, {4, "3.2"}, {5, "6.9"}},
     0.03},
    {"weak base",
     BuretteSide::BaseSide,
     Study::TitrationVsVolume,
     2,
     2,
     {{1, "0.1"}, {2, "0.12"}, {3, "0.02"}, {4, "18.8"}},
     0.04},
    {"two monoacids",
     BuretteSide::AcidSide,
     Study::TwoMonoTitration,
     17,
     17,
     {{1, "0.1"}, {2, "0.05"}, {3, "0.02"}, {12, "0.05"}, {13, "0.02"}, {4, "2.9"}, {14, "7.2"}},
     0.04},
};

Simulation simulationOf(const Truth& t) {
    Simulation sim;
    chooseStudyAndEntries(sim, t.side, t.study, t.entry1, t.entry2);
    for (const auto& [field, text] : t.fields) sim.panel.text[field] = text;
    return sim;
}

// Fifty points from 0 to lastVolume, pH solved on the true state, plus Gaussian noise.
std::vector<PastedPair> measure(const Truth& t, double noise, unsigned seed) {
    const Simulation sim = simulationOf(t);
    ChemicalState s = sim.state;
    RecordingNotifier quiet;
    setUpSimulation(s, sim.panel, quiet, Language::French);
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    std::vector<PastedPair> points;
    for (int i = 0; i < 50; ++i) {
        const double v = t.lastVolume * i / 49.0;
        const double pH = t.study == Study::TwoMonoTitration ? solvePHTwoMono(s, v) : solvePH(s, v);
        points.push_back({v, pH + noise * gauss(random)});
    }
    return points;
}

double trueValue(const Truth& t, const FittedValue& v) {
    for (const auto& [field, text] : t.fields)
        if (field == v.field) return std::stod(text);
    return NAN;
}

// The starting point of the fit: every freed value typed a good way off the truth.
Simulation startingFrom(const Truth& t, const std::vector<FitValue>& free) {
    Simulation sim = simulationOf(t);
    for (FitValue v : free) {
        const int field = fitValueField(t.study, v);
        const double x = std::stod(sim.panel.text[field]);
        sim.panel.text[field] = formatGeneral(
            v == FitValue::C1 || v == FitValue::C2 || v == FitValue::Cb ? x * 1.25 : x + 0.3, 6,
            '.');
    }
    return sim;
}

TEST(Fit, NoisyTitrationsGiveTheTrueValuesWithinThreeStandardUncertainties) {
    for (const Truth& t : kTitrations)
        for (double noise : {0.01, 0.03, 0.05}) {
            const std::string label = std::string(t.label) + " noise " + std::to_string(noise);
            Simulation sim = startingFrom(t, defaultFreeValues(simulationOf(t)));
            std::string pasted;
            for (const PastedPair& p : measure(t, noise, 7 + static_cast<unsigned>(noise * 100)))
                pasted +=
                    formatGeneral(p.volume, 10, ',') + "\t" + formatGeneral(p.pH, 10, ',') + "\n";
            PastePairs(sim, true, pasted);
            const FitResult r = fitPastedPoints(sim, defaultFreeValues(sim));
            ASSERT_TRUE(r.ok) << label << ": " << r.refusal;
            EXPECT_EQ(r.pointsUsed, 50) << label;
            EXPECT_NEAR(r.residualDeviation, noise, 0.4 * noise) << label;
            for (const FittedValue& v : r.values) {
                EXPECT_GT(v.uncertainty, 0) << label << " " << fitValueName(v.which);
                EXPECT_NEAR(v.value, trueValue(t, v), 3 * v.uncertainty)
                    << label << " " << fitValueName(v.which);
            }
        }
}

TEST(Fit, ExactDataGiveTheTrueValuesToOnePartInAMillion) {
    for (const Truth& t : kTitrations) {
        std::vector<FitValue> free = defaultFreeValues(simulationOf(t));
        free.push_back(FitValue::Cb);
        if (t.study == Study::TwoMonoTitration)
            free.erase(free.begin()); // C1 and C2 and Cb: one ratio too many
        const Simulation sim = startingFrom(t, free);
        const FitResult r = fitTitration(sim, measure(t, 0, 1), free);
        ASSERT_TRUE(r.ok) << t.label << ": " << r.refusal;
        EXPECT_EQ(r.values.size(), free.size()) << t.label;
        EXPECT_LT(r.residualDeviation, 1e-8) << t.label;
        for (const FittedValue& v : r.values) {
            const double truth = trueValue(t, v);
            EXPECT_NEAR(v.value, truth, 1e-6 * std::max(1.0, std::abs(truth)))
                << t.label << " " << fitValueName(v.which);
        }
    }
}

// Pasted text of points, volumes multiplied by `perLitre` (1000: millilitres).
std::string pastedText(const std::vector<PastedPair>& points, double perLitre) {
    std::string text;
    for (const PastedPair& p : points)
        text += formatGeneral(p.volume * perLitre, 10, '.') + "\t" + formatGeneral(p.pH, 10, '.') +
                "\n";
    return text;
}

// The unit of the points belongs to the points: whatever the starting values (and so the
// curve drawn with them), the same pasted volumes are read the same way, and the fit finds
// the truth or says that it did not converge.
TEST(Fit, TheUnitOfThePointsNeverDependsOnTheStartingValues) {
    const Truth& acetic = kTitrations[0];
    const std::vector<PastedPair> measured = measure(acetic, 0.02, 9);
    struct Case {
        const char* label;
        double perLitre;
    };
    for (const Case& c : {Case{"litres", 1}, Case{"millilitres", 1000}}) {
        int converged = 0;
        for (int k = 0; k < 30; ++k) {
            // Starting concentrations from 1E-4 to 10 mol/L.
            const double start = std::pow(10.0, -4 + 5.0 * k / 29);
            const std::string label = std::string(c.label) + " from " + std::to_string(start);
            Simulation sim = simulationOf(acetic);
            sim.panel.at(Field::Concentration1) = formatGeneral(start, 6, '.');
            PastePairs(sim, true, pastedText(measured, c.perLitre));
            sim.graph.checked[8] = true;
            RecordingNotifier quiet;
            RefreshSimulation(sim, quiet);
            EXPECT_EQ(sim.pasted.inMillilitres, c.perLitre == 1000) << label;
            const FitPoints read = fitPointsOf(sim);
            ASSERT_EQ(read.points.size(), measured.size()) << label;
            EXPECT_NEAR(read.points.back().volume, acetic.lastVolume, 1e-12) << label;
            const FitResult r = fitPastedPoints(sim, {FitValue::C1, FitValue::PK1});
            EXPECT_TRUE(r.ran) << label << ": " << r.refusal;
            if (!r.ok) {
                EXPECT_NE(r.refusal.find("pas convergé"), std::string::npos)
                    << label << ": " << r.refusal;
                continue;
            }
            ++converged;
            EXPECT_NEAR(r.values[0].value, 0.08, 3 * r.values[0].uncertainty) << label;
            EXPECT_LT(r.residualDeviation, 0.05) << label;
        }
        EXPECT_GE(converged, 20) << c.label;
    }
}

// Points measured with a burette read to sigmaV and a pH meter to sigmaPH: over many seeds,
// the fitted values lie within three standard uncertainties of the truth in nearly all
// runs, and the equivalence volume with them.
TEST(Fit, UncertaintiesHoldWhenTheVolumesAreUncertainToo) {
    const double sigmaV = 0.05e-3; // L
    const double sigmaPH = 0.01;
    constexpr int kSeeds = 40;
    for (const Truth& t : kTitrations) {
        int runs = 0, within = 0, equivalenceWithin = 0, notConverged = 0;
        for (int seed = 0; seed < kSeeds; ++seed) {
            const Simulation truth = simulationOf(t);
            ChemicalState s = truth.state;
            RecordingNotifier quiet;
            setUpSimulation(s, truth.panel, quiet, Language::French);
            std::mt19937 random(1000 + seed);
            std::normal_distribution<double> gauss(0.0, 1.0);
            std::vector<PastedPair> points;
            for (int i = 1; i < 50; ++i) {
                // The burette reads v; the titrant poured is v plus the reading's error.
                const double v = t.lastVolume * i / 49.0;
                const double poured = std::max(0.0, v + sigmaV * gauss(random));
                const double pH = t.study == Study::TwoMonoTitration ? solvePHTwoMono(s, poured)
                                                                     : solvePH(s, poured);
                points.push_back({v, pH + sigmaPH * gauss(random)});
            }
            const std::vector<FitValue> free = defaultFreeValues(truth);
            const Simulation sim = startingFrom(t, free);
            const FitResult r = fitTitration(sim, points, free, FitSettings{sigmaPH, 0.05});
            // A fit that does not converge says so; it must stay rare.
            if (!r.ok) {
                EXPECT_NE(r.refusal.find("pas convergé"), std::string::npos) << r.refusal;
                ++notConverged;
                continue;
            }
            ++runs;
            bool all = true;
            for (const FittedValue& v : r.values)
                all = all && std::abs(v.value - trueValue(t, v)) <= 3 * v.uncertainty;
            within += all ? 1 : 0;
            ASSERT_FALSE(r.equivalences.empty()) << t.label;
            const FittedEquivalence& e = r.equivalences.front();
            const double trueVolume = std::stod(t.fields[1].second) *
                                      std::stod(t.fields[2].second) /
                                      std::stod(t.fields[0].second); // C1 V1 / Cb
            equivalenceWithin += std::abs(e.volume - trueVolume) <= 3 * e.uncertainty ? 1 : 0;
        }
        // Three standard uncertainties hold 99.7 % of a normal law: allow a few misses.
        EXPECT_GE(within, runs - 3) << t.label;
        EXPECT_GE(equivalenceWithin, runs - 3) << t.label;
        EXPECT_LE(notConverged, 2) << t.label;
        std::printf("%-14s runs %d, values within 3 u: %d, Veq within 3 u: %d, not converged: %d\n",
                    t.label, runs, within, equivalenceWithin, notConverged);
    }
}

// Pairs pasted twice are one measurement each; every pasted pair is read, up to the bound,
// and what was left out is said.
TEST(Fit, RepeatedPairsCountOnceAndEveryPairIsRead) {
    const Truth& acetic = kTitrations[0];
    const std::vector<PastedPair> measured = measure(acetic, 0.02, 4);
    struct Case {
        const char* label;
        std::string text;
        bool ok;
        int used;
        const char* notice; // part of the notice, or ""
    };
    const std::vector<PastedPair> two{measured[10], measured[30]};
    std::vector<PastedPair> many;
    for (int i = 0; i < 300; ++i) {
        PastedPair p = measure(acetic, 0.02, 100 + i)[i % 50];
        many.push_back(p);
    }
    const Case cases[] = {
        {"two points pasted twice", pastedText(two, 1) + pastedText(two, 1), false, 0,
         "2 couple(s) répété(s)"},
        {"fifty points pasted twice", pastedText(measured, 1) + pastedText(measured, 1), true, 50,
         "50 couple(s) répété(s)"},
        {"three hundred points", pastedText(many, 1), true, 300, ""},
    };
    for (const Case& c : cases) {
        Simulation sim = startingFrom(acetic, {FitValue::C1, FitValue::PK1});
        PastePairs(sim, true, c.text);
        const FitResult r = fitPastedPoints(sim, {FitValue::C1, FitValue::PK1});
        EXPECT_EQ(r.ok, c.ok) << c.label << ": " << r.refusal;
        if (c.ok) EXPECT_EQ(r.pointsUsed, c.used) << c.label;
        if (!c.ok) EXPECT_NE(r.refusal.find("Trop peu de points"), std::string::npos) << c.label;
        EXPECT_NE(r.notice.find(c.notice), std::string::npos) << c.label << ": " << r.notice;
        if (!*c.notice) EXPECT_TRUE(r.notice.empty()) << c.label << ": " << r.notice;
    }
}

TEST(Fit, RefusesWhatCannotBeFitted) {
    const Truth& acetic = kTitrations[0];
    const std::vector<PastedPair> all = measure(acetic, 0.01, 3);
    const std::vector<PastedPair> beforeEquivalence(all.begin(), all.begin() + 20);
    const Truth strong{"strong acid",
                       BuretteSide::AcidSide,
                       Study::TitrationVsVolume,
                       1,
                       1,
                       {{1, "0.1"}, {2, "0.08"}, {3, "0.02"}, {4, "-10"}},
                       0.03};
    // So weak an acid that its pKa moves no computed pH: the fit cannot start.
    Simulation far = simulationOf(acetic);
    far.panel.at(Field::PKa1) = "19";
    Simulation species = simulationOf(acetic);
    species.panel.study = Study::SpeciesVsPH;
    struct Case {
        const char* label;
        Simulation sim;
        std::vector<PastedPair> points;
        std::vector<FitValue> free;
        const char* expected;
    };
    const Case cases[] = {
        {"not a titration", species, all, {FitValue::C1}, "étude de titrage"},
        {"C2 of a one-acid study",
         simulationOf(acetic),
         all,
         {FitValue::C2},
         "C2 n'est pas une valeur de cette étude ; elle a C1, Cb, pK1"},
        {"pK2 of a monoacid",
         simulationOf(acetic),
         all,
         {FitValue::C1, FitValue::PK2},
         "pK2 n'est pas une valeur"},
        {"a start far from the points", far, all, {FitValue::PK1}, "pas convergé"},
        {"no points", simulationOf(acetic), {}, {FitValue::C1}, "Collez d'abord"},
        {"nothing free", simulationOf(acetic), all, {}, "Cochez au moins"},
        {"fewer points than free values plus one",
         simulationOf(acetic),
         {all[3], all[30]},
         {FitValue::C1, FitValue::PK1},
         "il en faut au moins 3"},
        {"no equivalence spanned",
         simulationOf(acetic),
         beforeEquivalence,
         {FitValue::C1, FitValue::PK1},
         "n'encadrent aucune équivalence"},

    };
    for (const Case& c : cases) {
        const FitResult r = fitTitration(c.sim, c.points, c.free);
        EXPECT_FALSE(r.ok) << c.label;
        EXPECT_NE(r.refusal.find(c.expected), std::string::npos) << c.label << ": " << r.refusal;
    }
}

TEST(Fit, ApplyingWritesFiniteValuesOnlyIntoTheirFields) {
    const Truth& acetic = kTitrations[0];
    FitResult good;
    good.ok = true;
    good.values = {{FitValue::C1, 2, 0.0812345678, 1e-4}, {FitValue::PK1, 4, 4.7712345, 0.01}};
    FitResult nonFinite = good;
    nonFinite.values[1].value = NAN;
    FitResult refusedOne = good;
    refusedOne.ok = false;
    struct Case {
        const char* label;
        FitResult result;
        const char* d2;
        const char* d4;
    };
    const Case cases[] = {
        {"finite", good, "0,08123", "4,771"},
        {"non-finite", nonFinite, "0.08", "4.76"},
        {"refused", refusedOne, "0.08", "4.76"},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationOf(acetic);
        applyFit(sim, c.result);
        EXPECT_EQ(sim.panel.at(Field::Concentration1), c.d2) << c.label;
        EXPECT_EQ(sim.panel.at(Field::PKa1), c.d4) << c.label;
    }
}

} // namespace

namespace {

TEST(Fit, MeasuredValuesAreWrittenToTheirUncertainty) {
    struct Case {
        const char* label;
        double value, uncertainty;
        char separator;
        const char* valueText;
        const char* uncertaintyText;
    } cases[] = {
        {"concentration", 0.094931, 2.3e-6, ',', "0,0949310", "0,0000023"},
        {"pKa", 4.76342, 0.0123, '.', "4.763", "0.012"},
        {"volume in mL", 19.00123, 0.0512, ',', "19,001", "0,051"},
        {"uncertainty above the value: three digits", 0.05, 0.2, ',', "0,0500", "0,2000"},
        {"no uncertainty: six digits", 0.0812345678, 0, '.', "0.0812346", "0"},
        {"negative", -1.23456, 0.01, '.', "-1.235", "0.010"},
    };
    for (const Case& c : cases) {
        const auto [value, uncertainty] = formatMeasured(c.value, c.uncertainty, c.separator);
        EXPECT_EQ(value, c.valueText) << c.label;
        EXPECT_EQ(uncertainty, c.uncertaintyText) << c.label;
    }
}

} // namespace
