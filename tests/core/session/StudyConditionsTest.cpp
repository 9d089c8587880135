// The studies solved again by the general engine: at the default conditions the engine, fed
// the study's beaker and burette as solutions, must find the numbers the study's own closed
// forms found, column by column, for every entry of both sides.
#include "core/session/StudyConditions.h"
#include "core/chemistry/Database.h"
#include "core/session/Overlays.h"
#include "core/session/StudyRecord.h"

#include "SimulationFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace {

struct StudyCase {
    const char* label;
    Study study;
    bool byVolume, dilution, derivative;
};

// Columns of the same header hold the same numbers, to a relative 1e-6 (concentrations below
// 1e-12 of the column's largest as zero); at least the two of the dilution table.
void expectSameColumns(const ExportTable& study, const ExportTable& engine,
                       const std::string& label) {
    ASSERT_EQ(engine.rowCount(), study.rowCount()) << label;
    int compared = 0;
    for (const TableColumn& e : engine.columns) {
        const auto s = std::find_if(study.columns.begin(), study.columns.end(),
                                    [&](const TableColumn& c) { return c.header == e.header; });
        ASSERT_NE(s, study.columns.end()) << label << ": " << e.header;
        ++compared;
        double largest = 0;
        for (double x : s->values) largest = std::max(largest, std::abs(x));
        for (std::size_t i = 0; i < e.values.size(); ++i)
            EXPECT_NEAR(e.values[i], s->values[i],
                        1e-6 * std::abs(s->values[i]) + 1e-12 * largest + 1e-15)
                << label << ", " << e.header << ", row " << i;
    }
    EXPECT_GE(compared, 2) << label;
}

TEST(StudyConditions, EngineFindsTheStudiesNumbersAtDefaultConditions) {
    const StudyCase cases[] = {
        {"titration by pH", Study::TitrationVsVolume, false, false, false},
        {"titration by volume, dpH/dV", Study::TitrationVsVolume, true, false, true},
        {"titration by pH, diluted, dpH/dV", Study::TitrationVsVolume, false, true, true},
        {"two monoacids by volume", Study::TwoMonoTitration, true, true, true},
        {"two monoacids by pH", Study::TwoMonoTitration, false, false, false},
        {"dilution", Study::Dilution, false, false, false},
    };
    for (const StudyCase& k : cases)
        for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide})
            for (int entry = 1; entry <= entryCount(side); ++entry) {
                // The two-acid study is one of monoacids.
                if (k.study == Study::TwoMonoTitration && entryOf(side, entry).acidities > 1)
                    continue;
                const std::string label = std::string(k.label) +
                                          (side == BuretteSide::AcidSide ? ", acid" : ", base") +
                                          " entry " + std::to_string(entry);
                Simulation sim = simulationFor(k.study, entry, side, 1);
                sim.exportSettings.copySampling =
                    k.byVolume ? CopySampling::ByVolume : CopySampling::ByPH;
                sim.graph.checked[0] = k.dilution;
                sim.reading.options.derivative = k.derivative;
                sim.panel.pointCount = "40";
                refresh(sim);
                const ExportTable study = sim.results.exportTable;
                ASSERT_EQ(applyConditionsToTable(sim, Conditions{}), "") << label;
                expectSameColumns(study, sim.results.exportTable, label);
            }
}

// In other conditions the table keeps its shape and says which conditions it holds; the
// studies the engine does not stand for are refused.
TEST(StudyConditions, ShapeNoteAndRefusals) {
    const Conditions davies{25, ActivityModel::Davies};
    const struct {
        Study study;
        bool refused;
    } cases[] = {{Study::TitrationVsVolume, false},
                 {Study::TwoMonoTitration, false},
                 {Study::Dilution, false},
                 {Study::SpeciesVsPH, true},
                 {Study::TwoPolyMixture, true}};
    for (const auto& k : cases) {
        Simulation sim = simulationFor(k.study, 2);
        refresh(sim);
        const ExportTable before = sim.results.exportTable;
        const std::string refusal = applyConditionsToTable(sim, davies);
        EXPECT_EQ(!refusal.empty(), k.refused) << static_cast<int>(k.study);
        if (k.refused) continue;
        EXPECT_EQ(sim.results.exportTable.rowCount(), before.rowCount());
        EXPECT_NE(sim.results.exportTable.note.find("avec activités (Davies), I = "),
                  std::string::npos)
            << sim.results.exportTable.note;
        EXPECT_EQ(titralab::testing::tableOf(sim.results.exportText)[0][0],
                  sim.results.exportTable.note);
    }
}

// The study file remembers the conditions in a section of their own, written only when they
// are not ideal at 25 °C (the files of everyone else stay as they were), and refuses a
// temperature the constants do not hold for.
TEST(StudyConditions, StudyFileSection) {
    const struct {
        const char* label;
        Conditions conditions;
        bool written;
    } cases[] = {
        {"defaults", {}, false},
        {"Davies", {25, ActivityModel::Davies}, true},
        {"warm, ideal", {37.5, ActivityModel::None}, true},
        {"cold, Davies", {0, ActivityModel::Davies}, true},
    };
    StudyRecord plain;
    const std::string plainText = writeStudyText(plain);
    for (const auto& k : cases) {
        StudyRecord r;
        r.conditions = k.conditions;
        const std::string text = writeStudyText(r);
        EXPECT_EQ(text != plainText, k.written) << k.label;
        EXPECT_EQ(text.find("\"conditions\"") != std::string::npos, k.written) << k.label;
        const StudyReading back = readStudyText(text, Language::English);
        ASSERT_TRUE(back.record) << k.label << ": " << back.problem;
        EXPECT_EQ(back.record->conditions.temperature, k.conditions.temperature) << k.label;
        EXPECT_EQ(back.record->conditions.activities, k.conditions.activities) << k.label;
        EXPECT_TRUE(*back.record == r) << k.label;
    }
    const struct {
        const char* section;
        const char* named;
    } refused[] = {
        {R"({"temperature": 60.5})", "conditions.temperature"},
        {R"({"temperature": -1})", "conditions.temperature"},
        {R"({"temperature": "25"})", "conditions.temperature"},
        {R"({"activities": "debye"})", "conditions.activities"},
    };
    for (const auto& k : refused) {
        std::string text = plainText;
        const std::size_t end = text.rfind('}');
        text.insert(end, std::string(",\n  \"conditions\": ") + k.section + "\n");
        const StudyReading back = readStudyText(text, Language::English);
        EXPECT_FALSE(back.record) << k.section;
        EXPECT_NE(back.problem.find(k.named), std::string::npos)
            << k.section << ": " << back.problem;
    }
}

} // namespace

// A family of temperatures draws the study solved again at each, in its activities: the kept
// curves start at the pH that the table of the same temperatures gives at the first volume.
TEST(StudyConditions, TemperatureFamilyDrawsTheStudyAtEachTemperature) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 20);
    sim.conditions.activities = ActivityModel::Davies;
    refresh(sim);
    RecordingNotifier notes;
    const std::vector<double> temperatures{15, 25, 35};
    FamilyQuantity quantity;
    quantity.temperature = true;
    DrawFamily(sim, quantity, temperatures, notes);
    ASSERT_EQ(sim.overlays.curves.size(), 2u); // 25 °C is the current curve
    sim.exportSettings.digits = 15;
    const auto rows = titralab::testing::tableOf(temperatureTable(sim, temperatures, notes).text);
    ASSERT_GE(rows.size(), 3u);
    ASSERT_EQ(rows[2].size(), 4u);
    const auto pH = [](std::string field) {
        std::replace(field.begin(), field.end(), ',', '.');
        return std::stod(field);
    };
    for (std::size_t k = 0; k < 2; ++k) {
        const OverlayCurve& curve = sim.overlays.curves[k];
        ASSERT_FALSE(curve.series.empty());
        const CurvePoint first = curve.series.front().second.front();
        EXPECT_EQ(first.x, 0);
        EXPECT_NEAR(first.y, pH(rows[2][k == 0 ? 1 : 3]), 1e-8) << k;
        EXPECT_NE(curve.label.find(k == 0 ? "15" : "35"), std::string::npos) << curve.label;
    }
}
