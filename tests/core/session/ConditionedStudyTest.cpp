// The studies regenerated in other conditions than ideal at 25 °C: the drawn pH is the one an
// independent solver of the charge balance with Davies coefficients finds at the same volume
// (or concentration), the ionic strength solved with it; the studies the engine does not stand
// for stay ideal and say why.
#include "core/chemistry/Conditions.h"
#include "core/curves/Overlays.h"
#include "core/session/ChartReading.h"
#include "core/session/Fit.h"
#include "core/session/InputPanel.h"
#include "core/session/StudyRecord.h"
#include "core/session/StudyConditions.h"

#include "SimulationFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace {

// A monoacid HA (pKa, ca in V0) after adding v of sodium hydroxide cb, at 25 °C with Davies
// coefficients: the pH (-log a(H3O+)) by bisection on the charge balance
// [Na+] + [H3O+] = [OH-] + [A-], the ionic strength by fixed-point steps around it. A (the
// Davies constant) is the one input taken from the program.
struct OraclePoint {
    long double pH, strength;
};
OraclePoint weakAcidWithSoda(long double pKa, long double ca, long double v0, long double cb,
                             long double v) {
    const long double a = daviesA(25), ka = std::pow(10.0L, -pKa), kw = 1e-14L;
    const long double na = cb * v / (v0 + v), total = ca * v0 / (v0 + v);
    long double strength = 0, pH = 7;
    for (int step = 0; step < 200; ++step) {
        const long double s = std::sqrt(strength);
        const long double gamma = std::pow(10.0L, -a * (s / (1 + s) - 0.3L * strength));
        auto anion = [&](long double h) { return total * ka / (ka + h * gamma); };
        long double low = -2, high = 16;
        for (int i = 0; i < 200; ++i) {
            const long double mid = (low + high) / 2, h = std::pow(10.0L, -mid);
            const long double excess = na + h / gamma - kw / (h * gamma) - anion(h);
            (excess > 0 ? low : high) = mid;
        }
        pH = (low + high) / 2;
        const long double h = std::pow(10.0L, -pH);
        const long double next = 0.5L * (na + h / gamma + kw / (h * gamma) + anion(h));
        if (std::fabs(next - strength) < 1e-16L) break;
        strength = next;
    }
    return {pH, strength};
}

TEST(ConditionedStudy, DrawnPHIsTheSolvedBalanceWithActivities) {
    const struct {
        const char* label;
        Study study;
    } cases[] = {{"titration", Study::TitrationVsVolume}, {"dilution", Study::Dilution}};
    for (const auto& k : cases) {
        Simulation sim = simulationFor(k.study, 17); // ethanoic acid
        sim.conditions.activities = ActivityModel::Davies;
        sim.panel.pointCount = "40";
        refresh(sim);
        const ChemicalState& s = sim.state;
        ASSERT_EQ(sim.results.conditionsRefusal, "") << k.label;
        const Series& pH = sim.results.curves[1];
        ASSERT_GE(pH.size(), 20u) << k.label;
        long double highest = 0;
        for (const CurvePoint& p : pH) {
            // The titration draws pH against the volume (mL), the dilution against -log c.
            const bool titration = k.study == Study::TitrationVsVolume;
            const OraclePoint o = titration
                                      ? weakAcidWithSoda(s.pK1[0], s.conc1, s.vol1, s.titrantConc,
                                                         p.x / s.volumeFactor)
                                      : weakAcidWithSoda(s.pK1[0], std::pow(10.0L, -p.x), 1, 1, 0);
            EXPECT_NEAR(p.y, static_cast<double>(o.pH), 1e-6) << k.label << " at " << p.x;
            highest = std::max(highest, o.strength);
        }
        // The cursor and the particular point read the same curve, between its points too.
        if (k.study == Study::TitrationVsVolume)
            for (double drawn : {0.0, 7.3, 19.9, 20.0, 31.4}) { // mL
                const std::optional<ExactPoint> at = exactPointAt(sim, drawn);
                ASSERT_TRUE(at) << drawn;
                const OraclePoint o = weakAcidWithSoda(s.pK1[0], s.conc1, s.vol1, s.titrantConc,
                                                       drawn / s.volumeFactor);
                EXPECT_NEAR(at->pH, static_cast<double>(o.pH), 1e-6) << "exact point at " << drawn;
            }
        EXPECT_NEAR(sim.results.highIonicStrength, static_cast<double>(highest),
                    1e-6 * static_cast<double>(highest) + 1e-9)
            << k.label;
        EXPECT_NE(sim.results.exportTable.note.find("avec activités (Davies)"), std::string::npos)
            << k.label;
    }
}

// What the chart's title adds, the lines of the printed and workbook constants, whether the
// curve moved, and what the status line says once.
TEST(ConditionedStudy, WhatTheTitlesLinesAndStatusSay) {
    const struct {
        const char* label;
        Study study;
        const char* concentration; // of the beaker (mol/L)
        Conditions conditions;
        const char* title;  // what the chart's title ends with
        std::size_t lines;  // of the constants
        const char* status; // how the status line's word begins
    } cases[] = {
        {"defaults", Study::TitrationVsVolume, "0,1", {}, "", 0, ""},
        {"Davies",
         Study::TitrationVsVolume,
         "0,1",
         {25, ActivityModel::Davies},
         " (avec activités)",
         2,
         ""},
        {"35 °C, ideal",
         Study::TwoMonoTitration,
         "0,1",
         {35, ActivityModel::None},
         " (35 °C)",
         1,
         ""},
        {"10 °C, Davies",
         Study::Dilution,
         "0,1",
         {10, ActivityModel::Davies},
         " (avec activités, 10 °C)",
         3,
         ""},
        {"Davies beyond 0.5 mol/L",
         Study::TitrationVsVolume,
         "2",
         {25, ActivityModel::Davies},
         " (avec activités)",
         2,
         "Force ionique au-delà de 0,5 mol/L"},
        {"species, Davies",
         Study::SpeciesVsPH,
         "0,1",
         {25, ActivityModel::Davies},
         "",
         0,
         "Les études des espèces et du mélange"},
    };
    for (const auto& k : cases) {
        Simulation ideal = simulationFor(k.study, 17);
        ideal.panel.at(Field::Concentration1) = k.concentration;
        ideal.panel.at(Field::BuretteConcentration) = k.concentration;
        Simulation sim = ideal;
        refresh(ideal);
        sim.conditions = k.conditions;
        refresh(sim);
        const std::string& title = sim.results.plot.chartTitle;
        EXPECT_EQ(title.substr(std::min(title.size(), ideal.results.plot.chartTitle.size())),
                  k.title)
            << k.label;
        EXPECT_EQ(conditionsLines(sim).size(), k.lines) << k.label;
        const Series& a = sim.results.curves[1];
        const Series& b = ideal.results.curves[1];
        const bool moved =
            a.size() != b.size() || !std::equal(a.begin(), a.end(), b.begin(),
                                                [](const CurvePoint& p, const CurvePoint& q) {
                                                    return p.x == q.x && p.y == q.y;
                                                });
        EXPECT_EQ(moved, std::string(k.title) != "") << k.label;
        EXPECT_EQ(conditionsStatus(sim).rfind(k.status, 0), 0u)
            << k.label << ": " << conditionsStatus(sim);
        EXPECT_EQ(conditionsStatus(sim).empty(), std::string(k.status).empty()) << k.label;
    }
}

// A kept curve computed in other conditions than the current one is named by them.
TEST(ConditionedStudy, KeptCurvesNamedByTheirConditions) {
    const struct {
        const char* label;
        Conditions kept, current;
        const char* name;
    } cases[] = {
        {"kept with activities", {25, ActivityModel::Davies}, {}, "avec activités"},
        {"kept without", {}, {25, ActivityModel::Davies}, "sans activités"},
        {"kept at 35 °C", {35, ActivityModel::None}, {}, "35 °C"},
        {"both", {12.5, ActivityModel::Davies}, {}, "avec activités ; 12,5 °C"},
        {"same", {30, ActivityModel::Davies}, {30, ActivityModel::Davies}, "mêmes valeurs"},
    };
    for (const auto& k : cases) {
        CurveInputs kept, current;
        kept.conditions = k.kept;
        current.conditions = k.current;
        EXPECT_EQ(differenceLabel(kept, current, Language::French), k.name) << k.label;
    }
}

// Points a meter reads in ethanoic acid (pKa 4.76 at zero ionic strength, 0.2 mol/L, 20 mL)
// titrated by soda 0.2 mol/L, the ionic strength near 0.1 mol/L: fitted with the activities
// the pKa found is the thermodynamic one, and the fit says so; fitted ideal, it is the apparent
// one of the medium, pKa + log10 γ(A-) at the half-equivalence's ionic strength.
TEST(ConditionedStudy, FitWithActivitiesFindsTheThermodynamicPKa) {
    const long double pKa = 4.76, c = 0.2, v0 = 20e-3;
    std::vector<PastedPair> points;
    for (int i = 0; i < 15; ++i) {
        const long double v = (2 + i) * 1e-3; // L, up to 16 mL before the equivalence at 20
        const double scatter = (i % 2 ? 1 : -1) * 0.004 * (i % 3);
        points.push_back({static_cast<double>(v),
                          static_cast<double>(weakAcidWithSoda(pKa, c, v0, c, v).pH) + scatter});
    }
    const long double half = weakAcidWithSoda(pKa, c, v0, c, v0 / 2).strength;
    const long double s = std::sqrt(half);
    const double apparent =
        static_cast<double>(pKa - daviesA(25) * (s / (1 + s) - 0.3L * half));
    const struct {
        const char* label;
        ActivityModel activities;
        double expected;
        bool saysThermodynamic;
    } cases[] = {{"with activities", ActivityModel::Davies, 4.76, true},
                 {"ideal", ActivityModel::None, apparent, false}};
    for (const auto& k : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
        sim.panel.at(Field::BuretteConcentration) = "0,2";
        sim.panel.at(Field::Concentration1) = "0,2";
        sim.panel.at(Field::PKa1) = "4,3";
        sim.conditions.activities = k.activities;
        refresh(sim);
        const FitResult fit = fitTitration(sim, points, {FitValue::PK1});
        ASSERT_TRUE(fit.ok) << k.label << ": " << fit.refusal;
        ASSERT_EQ(fit.values.size(), 1u);
        const FittedValue& found = fit.values[0];
        EXPECT_GT(found.uncertainty, 0) << k.label;
        EXPECT_NEAR(found.value, k.expected, 3 * found.uncertainty) << k.label;
        EXPECT_EQ(!fit.basis.empty(), k.saysThermodynamic) << k.label;
    }
    EXPECT_LT(apparent, 4.7); // the two differ by far more than the points' scatter
}

// The free study in its conditions: a 0.1/0.1 mol/L ethanoic acid / sodium ethanoate buffer
// starts at the pH a meter reads (about 4.65 with activities, 4.76 ideal), and its table and
// title say the conditions.
TEST(ConditionedStudy, FreeStudyInItsConditions) {
    const struct {
        const char* label;
        Conditions conditions;
        double pH; // published, ±0.01
        bool noted;
    } cases[] = {{"ideal", {}, 4.76, false}, {"Davies", {25, ActivityModel::Davies}, 4.65, true}};
    for (const auto& k : cases) {
        Simulation sim;
        PanelView view;
        startPanel(view, sim);
        chooseBurette(view, sim, 0);
        chooseStudy(view, sim, static_cast<int>(Study::FreeSolutions));
        sim.freeStudy.inputs = FreeStudyInputs::atDesign(Language::French);
        sim.freeStudy.inputs.beaker = {{"CH3COOH", "0.1", {}, {}}, {"CH3COONa", "0.1", {}, {}}};
        sim.freeStudy.inputs.burette = {{"NaOH", "0.1", {}, {}}};
        sim.conditions = k.conditions;
        refresh(sim);
        ASSERT_FALSE(sim.results.curves[1].empty()) << k.label;
        EXPECT_NEAR(sim.results.curves[1].front().y, k.pH, 0.01) << k.label;
        const std::string note = titralab::testing::tableOf(sim.results.exportText)[0].empty()
                                     ? ""
                                     : titralab::testing::tableOf(sim.results.exportText)[0][0];
        EXPECT_EQ(note.find("avec activités (Davies), I = ") != std::string::npos, k.noted)
            << k.label << ": " << note;
        EXPECT_EQ(sim.results.plot.chartTitle.find("(avec activités)") != std::string::npos,
                  k.noted)
            << k.label;
    }
}

// A kept curve remembers its conditions in the study file, written only when they are not
// ideal at 25 °C, so that it is named by them when the study is opened again.
TEST(ConditionedStudy, KeptCurvesKeepTheirConditionsInTheStudyFile) {
    const struct {
        const char* label;
        Conditions conditions;
        bool written;
    } cases[] = {{"ideal at 25 °C", {}, false},
                 {"Davies at 35 °C", {35, ActivityModel::Davies}, true}};
    for (const auto& k : cases) {
        StudyRecord r;
        OverlayCurve curve;
        curve.inputs.study = Study::TitrationVsVolume;
        curve.inputs.conditions = k.conditions;
        curve.series.push_back({1, {{0, 2.9}, {10, 4.7}}});
        r.frozen.push_back(curve);
        const std::string text = writeStudyText(r);
        const std::size_t frozenAt = text.find("\"frozen_curves\"");
        ASSERT_NE(frozenAt, std::string::npos) << k.label;
        EXPECT_EQ(text.find("\"conditions\"", frozenAt) != std::string::npos, k.written)
            << k.label;
        const StudyReading back = readStudyText(text, Language::English);
        ASSERT_TRUE(back.record) << k.label << ": " << back.problem;
        ASSERT_EQ(back.record->frozen.size(), 1u) << k.label;
        EXPECT_TRUE(back.record->frozen[0].inputs.conditions == k.conditions) << k.label;
        EXPECT_TRUE(*back.record == r) << k.label;
    }
}

} // namespace
