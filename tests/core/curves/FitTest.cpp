#include "core/curves/Fit.h"

#include "core/curves/Curves.h"

#include "core/chemistry/Formulas.h"
#include "core/curves/PastedPoints.h"
#include "core/numbers/NumberFormat.h"
#include "core/panel/SimulationSetup.h"

#include <gtest/gtest.h>

#include <cmath>
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

TEST(Fit, VolumesPastedInMillilitresAreReadSoWhenOnlyThenTheyFitTheChart) {
    const Truth& acetic = kTitrations[0];
    struct Case {
        const char* label;
        double factor; // pasted volume per litre
    };
    for (const Case& c : {Case{"litres", 1}, Case{"millilitres", 1000}}) {
        Simulation sim = startingFrom(acetic, {FitValue::C1, FitValue::PK1});
        std::string pasted;
        for (const PastedPair& p : measure(acetic, 0.02, 9))
            pasted += formatGeneral(p.volume * c.factor, 10, '.') + "\t" +
                      formatGeneral(p.pH, 10, '.') + "\n";
        PastePairs(sim, true, pasted);
        sim.graph.checked[8] = true;
        RecordingNotifier quiet;
        RefreshSimulation(sim, quiet);
        const FitResult r = fitPastedPoints(sim, {FitValue::C1, FitValue::PK1});
        ASSERT_TRUE(r.ok) << c.label << ": " << r.refusal;
        EXPECT_NEAR(r.values[0].value, 0.08, 3 * r.values[0].uncertainty) << c.label;
        EXPECT_NEAR(r.residuals.back().volume, acetic.lastVolume, 1e-12) << c.label;
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
        {"a strong acid's pK",
         simulationOf(strong),
         measure(strong, 0.01, 5),
         {FitValue::PK1},
         "ne suffisent pas"},
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
        {"finite", good, "0.0812346", "4.77123"},
        {"non-finite", nonFinite, "0.08", "4.76"},
        {"refused", refusedOne, "0.08", "4.76"},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationOf(acetic);
        applyFit(sim, c.result);
        EXPECT_EQ(sim.panel.text[2], c.d2) << c.label;
        EXPECT_EQ(sim.panel.text[4], c.d4) << c.label;
    }
}

} // namespace
