// Frozen curves, families, their names and columns, and the table of a varied field.
#include "core/session/Overlays.h"
#include "core/session/VaryTable.h"
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberInput.h"
#include "core/page/RecordingCanvas.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/PrintedPage.h"
#include "core/session/StudyFile.h"
#include "tests/core/session/SimulationFixtures.h"

#include <gtest/gtest.h>

namespace titralab {
namespace {

using testing::refresh;
using testing::simulationFor;
using testing::tableOf;

TEST(FrozenCurves, StayWhenValuesChangeAndAreNamedByWhatDiffers) {
    struct Case {
        const char* label;
        Study study;
        int field;
        const char* before;
        const char* after;
        std::size_t series; // kept series per frozen curve
        const char* frozenName;
        const char* currentName;
    } cases[] = {
        {"pKa of acetic acid", Study::TitrationVsVolume, 4, "4.7", "6", 1, "pKa = 4,7", "pKa = 6"},
        {"concentration of the acid", Study::TitrationVsVolume, 2, "0.01", "0.1", 1,
         "Cai = 0,01 mol/L", "Cai = 0,1 mol/L"},
        {"ticked species of a triacid", Study::SpeciesVsPH, 5, "7.2", "8", 2, "pKa2 = 7,2",
         "pKa2 = 8"},
        {"dilution curve", Study::Dilution, 4, "4.75", "3", 1, "pKa = 4,75", "pKa = 3"},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, c.study == Study::SpeciesVsPH ? 30 : 17);
        sim.panel.text[c.field] = c.before;
        refresh(sim);
        const Series before = sim.results.curves[c.study == Study::SpeciesVsPH ? 2 : 1];
        ASSERT_EQ(FreezeCurrentCurve(sim), FreezeOutcome::Frozen) << c.label;
        EXPECT_EQ(sim.overlays.curves.front().label, "mêmes valeurs") << c.label;
        sim.panel.text[c.field] = c.after;
        refresh(sim);
        ASSERT_EQ(sim.overlays.curves.size(), 1u) << c.label;
        const OverlayCurve& frozen = sim.overlays.curves.front();
        EXPECT_EQ(frozen.series.size(), c.series) << c.label;
        EXPECT_EQ(frozen.label, c.frozenName) << c.label;
        EXPECT_EQ(sim.overlays.currentLabel, c.currentName) << c.label;
        const Series kept = overlayPoints(frozen, 0, sim.state.volumeFactor);
        ASSERT_EQ(kept.size(), before.size()) << c.label;
        EXPECT_DOUBLE_EQ(kept.back().x, before.back().x) << c.label;
        EXPECT_EQ(kept.back().y, before.back().y) << c.label;
    }
}

TEST(FrozenCurves, EightAtMostAndGoneWithAnotherStudy) {
    Simulation sim = simulationFor(Study::TitrationVsVolume);
    refresh(sim);
    for (int k = 0; k < kMaxFrozenCurves; ++k)
        ASSERT_EQ(FreezeCurrentCurve(sim), FreezeOutcome::Frozen) << k;
    EXPECT_EQ(FreezeCurrentCurve(sim), FreezeOutcome::Full);
    RemoveOverlay(sim, 3);
    EXPECT_EQ(sim.overlays.curves.size(), 7u);
    sim.panel.study = Study::SpeciesVsPH;
    refresh(sim);
    EXPECT_TRUE(sim.overlays.curves.empty());
    sim.panel.study = Study::TwoPolyMixture;
    refresh(sim);
    EXPECT_EQ(FreezeCurrentCurve(sim), FreezeOutcome::NothingToFreeze);
}

TEST(FrozenCurves, AreCopiedAsExtraColumns) {
    struct Case {
        const char* label;
        CopySampling sampling;
        const char* abscissa;
    } cases[] = {{"by pH", CopySampling::ByPH, "v de monobase (pKa = 4,7)"},
                 {"by volume", CopySampling::ByVolume, "v de monobase (pKa = 4,7)"}};
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume);
        sim.exportSettings.copySampling = c.sampling;
        sim.panel.at(Field::PKa1) = "4.7";
        sim.panel.pointCount = "50";
        refresh(sim);
        FreezeCurrentCurve(sim);
        sim.panel.at(Field::PKa1) = "9";
        refresh(sim);
        const auto rows = tableOf(sim.results.exportText);
        ASSERT_EQ(rows.size(), 52u) << c.label;
        const auto& header = rows[1];
        ASSERT_GE(header.size(), 2u) << c.label;
        EXPECT_EQ(header[header.size() - 2], c.abscissa) << c.label;
        EXPECT_EQ(header.back(), "pH (pKa = 4,7)") << c.label;
        // The kept pH curve's last point, as the table writes numbers.
        const Series& kept = sim.overlays.curves.front().series.front().second;
        EXPECT_EQ(rows.back().back(), FormatValue(kept.back().y, true)) << c.label;
        EXPECT_EQ(rows.back().size(), header.size()) << c.label;
    }
}

TEST(Families, ValuesFromAListOrARange) {
    struct Case {
        const char* label;
        int field;
        std::string list; // empty: the range below
        RangeKind kind;
        const char *first, *last, *count;
        std::vector<double> values;
        bool refused;
    } cases[] = {
        {"list with both separators",
         2,
         "0,1; 0.01 ;0,001",
         RangeKind::Arithmetic,
         "",
         "",
         "",
         {0.1, 0.01, 0.001},
         false},
        {"arithmetic pKa", 4, "", RangeKind::Arithmetic, "3", "9", "4", {3, 5, 7, 9}, false},
        {"geometric concentrations",
         2,
         "",
         RangeKind::Geometric,
         "1",
         "0.001",
         "4",
         {1, 0.1, 0.01, 0.001},
         false},
        {"one value", 4, "4", RangeKind::Arithmetic, "", "", "", {}, true},
        {"thirteen values",
         4,
         "1;2;3;4;5;6;7;8;9;10;11;12;13",
         RangeKind::Arithmetic,
         "",
         "",
         "",
         {},
         true},
        {"concentration out of range", 2, "0.1;20", RangeKind::Arithmetic, "", "", "", {}, true},
        {"not a number", 4, "4;abc", RangeKind::Arithmetic, "", "", "", {}, true},
        {"geometric through zero", 4, "", RangeKind::Geometric, "-2", "2", "3", {}, true},
        {"count of thirteen", 4, "", RangeKind::Arithmetic, "1", "2", "13", {}, true},
    };
    for (const Case& c : cases) {
        const ValueList got =
            c.list.empty()
                ? valueRange(c.field, BuretteSide::AcidSide, c.kind, c.first, c.last, c.count,
                             Language::French)
                : parseValueList(c.field, BuretteSide::AcidSide, c.list, Language::French);
        EXPECT_EQ(!got.refusal.empty(), c.refused) << c.label << ": " << got.refusal;
        if (c.refused) continue;
        ASSERT_EQ(got.values.size(), c.values.size()) << c.label;
        for (std::size_t k = 0; k < c.values.size(); ++k)
            EXPECT_NEAR(got.values[k], c.values[k], 1e-12 * std::abs(c.values[k])) << c.label;
    }
}

// The curve of a study with some fields typed otherwise, computed alone.
Simulation aloneWith(Study study, int entry, const FamilyMember& member) {
    Simulation alone = simulationFor(study, entry);
    for (const auto& [field, text] : member.fields) alone.panel.text[field] = text;
    refresh(alone);
    return alone;
}

void expectSameCurve(const OverlayCurve& member, const Simulation& alone, double volumeFactor,
                     const std::string& label) {
    const int number = member.series.front().first;
    const Series points = overlayPoints(member, 0, volumeFactor);
    ASSERT_EQ(points.size(), alone.results.curves[number].size()) << label;
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].x, alone.results.curves[number][i].x, 1e-9 * (1 + points[i].x)) << label;
        EXPECT_EQ(points[i].y, alone.results.curves[number][i].y) << label << " " << i;
    }
}

// Every value gives a member drawn as the study computed alone with it, except the value
// already typed (the current curve); the panel keeps what was typed.
TEST(Families, EachMemberIsTheCurveOfItsValueAndThePanelKeepsItsValues) {
    struct Case {
        const char* label;
        Study study;
        int entry;
        FamilyQuantity quantity;
        std::vector<double> values;
        std::vector<std::vector<std::pair<int, std::string>>> members; // fields of each member
    } cases[] = {
        {"five concentrations of a strong acid",
         Study::TitrationVsVolume,
         1,
         {{2}, false},
         {0.2, 0.01, 0.001, 0.0001, 0.00001},
         {{{2, "0.2"}}, {{2, "0.01"}}, {{2, "0.001"}}, {{2, "0.0001"}}, {{2, "1E-5"}}}},
        {"four pKa of a weak acid",
         Study::TitrationVsVolume,
         17,
         {{4}, false},
         {3, 5, 7, 9},
         {{{4, "3"}}, {{4, "5"}}, {{4, "7"}}, {{4, "9"}}}},
        {"species at three pKa",
         Study::SpeciesVsPH,
         17,
         {{4}, false},
         {3, 5, 7},
         {{{4, "3"}}, {{4, "5"}}, {{4, "7"}}}},
        {"acid and titrant together",
         Study::TitrationVsVolume,
         1,
         {{1, 2}, false},
         {1, 0.1, 0.01, 0.001},
         {{{1, "1"}, {2, "1"}}, {{1, "0.01"}, {2, "0.01"}}, {{1, "0.001"}, {2, "0.001"}}}},
        {"dilution factors",
         Study::TitrationVsVolume,
         17,
         {{}, true},
         {1, 10, 100, 1000},
         {{{1, "0.01"}, {2, "0.01"}},
          {{1, "0.001"}, {2, "0.001"}},
          {{1, "0.0001"}, {2, "0.0001"}}}},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, c.entry);
        if (c.quantity.dilution || c.quantity.fields.size() > 1) {
            sim.panel.at(Field::BuretteConcentration) = "0.1";
            sim.panel.at(Field::Concentration1) = "0.1";
        }
        const auto typed = sim.panel.text;
        RecordingNotifier messages;
        DrawFamily(sim, c.quantity, c.values, messages);
        EXPECT_TRUE(messages.messages.empty()) << c.label;
        EXPECT_EQ(sim.panel.text, typed) << c.label;
        ASSERT_EQ(sim.overlays.curves.size(), c.members.size()) << c.label;
        ASSERT_TRUE(sim.overlays.family) << c.label;
        for (std::size_t k = 0; k < c.members.size(); ++k) {
            const FamilyMember expected{c.members[k]};
            EXPECT_EQ(sim.overlays.family->members[k].fields, expected.fields) << c.label;
            const OverlayCurve& member = sim.overlays.curves[k];
            EXPECT_TRUE(member.family) << c.label;
            expectSameCurve(member, aloneWith(c.study, c.entry, expected), sim.state.volumeFactor,
                            c.label);
        }
    }
}

// Members a little apart keep labels of their own.
TEST(Families, MembersCloseTogetherAreToldApart) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    RecordingNotifier messages;
    DrawFamily(sim, 4, {4.751, 4.752, 4.753}, messages);
    ASSERT_EQ(sim.overlays.curves.size(), 3u);
    EXPECT_EQ(sim.overlays.curves[0].label, "pKa = 4,751");
    EXPECT_EQ(sim.overlays.curves[1].label, "pKa = 4,752");
}

// A family is kept in the study file and drawn again, from the values then typed, when the
// file is opened.
TEST(Families, AreSavedAndOpenedAgain) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 1);
    sim.panel.at(Field::BuretteConcentration) = "0.1";
    sim.panel.at(Field::Concentration1) = "0.1";
    RecordingNotifier messages;
    DrawFamily(sim, FamilyQuantity{{1, 2}, false}, {1, 0.1, 0.01}, messages);
    PanelView view = PanelView::atDesign(Language::French);
    view.burette.selected = 0;
    view.studies.selected = static_cast<int>(Study::TitrationVsVolume);
    const std::string text = writeStudyText(captureStudy(sim, view, PrintSettings{}));
    EXPECT_NE(text.find("\"family\""), std::string::npos);
    const StudyReading reading = readStudyText(text, Language::French);
    ASSERT_TRUE(reading.record) << reading.problem;

    Simulation opened;
    PanelView openedView = PanelView::atDesign(Language::French);
    opened.overlays.curves.push_back(sim.overlays.curves.front()); // of the study before
    applyStudy(*reading.record, opened, openedView);
    refresh(opened);
    ASSERT_EQ(opened.overlays.curves.size(), sim.overlays.curves.size());
    for (std::size_t k = 0; k < sim.overlays.curves.size(); ++k) {
        EXPECT_EQ(opened.overlays.curves[k].label, sim.overlays.curves[k].label) << k;
        EXPECT_EQ(opened.overlays.curves[k].series.front().second.size(),
                  sim.overlays.curves[k].series.front().second.size())
            << k;
    }
    // Saved again, the family is the same.
    EXPECT_EQ(writeStudyText(captureStudy(opened, openedView, PrintSettings{})), text);

    // Damaged sections are not drawn.
    for (const char* bad : {"[]", "{\"members\":[{\"D7\":\"1\"}]}", "{\"members\":[{\"D1\":2}]}",
                            "{\"members\":\"x\"}"})
        EXPECT_FALSE(readFamilySection(bad)) << bad;
}

TEST(VaryTable, OnePhColumnPerValueAtRegularVolumes) {
    struct Case {
        const char* label;
        Study study;
        int field;
        std::vector<double> values;
        std::string header; // second column's header
        std::size_t columns;
    } cases[] = {
        {"pKa of acetic acid", Study::TitrationVsVolume, 4, {3, 4.75, 9}, "pKa = 3", 4},
        {"burette concentration", Study::TitrationVsVolume, 1, {0.1, 0.2}, "Cbi = 0,1 mol/L", 3},
        {"species", Study::SpeciesVsPH, 4, {4, 6}, "pKa = 4 : acide éthanoïque", 5},
        {"dilution", Study::Dilution, 4, {4, 6}, "Log(concentration de l'acide) : pKa = 4", 3},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study);
        sim.panel.pointCount = "20";
        RecordingNotifier messages;
        EXPECT_EQ(VaryTable(sim, FamilyQuantity{{c.field}, false}, c.values, messages),
                  VaryTable(sim, c.field, c.values, messages))
            << c.label;
    }
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study);
        sim.panel.pointCount = "20";
        RecordingNotifier messages;
        const auto rows = tableOf(VaryTable(sim, c.field, c.values, messages));
        ASSERT_EQ(rows.size(), 21u) << c.label;
        ASSERT_EQ(rows[0].size(), c.columns) << c.label;
        EXPECT_EQ(rows[0][1], c.header) << c.label;
        if (c.study != Study::TitrationVsVolume) continue;
        // Each column holds the pH solved at the row's volume for its value.
        double span = 0;
        std::vector<ChemicalState> states;
        for (double v : c.values) {
            Simulation member = simulationFor(c.study);
            member.panel.pointCount = "20";
            member.panel.text[c.field] = fieldText(v);
            refresh(member);
            span = std::max(span, member.state.volumeSpan);
            states.push_back(member.state);
        }
        for (int i : {0, 7, 19}) {
            const double v = i * span / 19;
            EXPECT_EQ(rows[i + 1][0], FormatValue(v, true)) << c.label;
            for (std::size_t k = 0; k < states.size(); ++k)
                EXPECT_EQ(rows[i + 1][k + 1], FormatValue(solvePH(states[k], v), true))
                    << c.label << " row " << i;
        }
    }
    Simulation mixture = simulationFor(Study::TwoPolyMixture);
    RecordingNotifier messages;
    EXPECT_TRUE(VaryTable(mixture, 4, {3, 4}, messages).empty());
}

} // namespace
} // namespace titralab

namespace titralab {
namespace {

TEST(FrozenCurves, ArePrintedDashedWithTheirLegend) {
    struct Case {
        const char* label;
        Study study;
        int field;
        std::vector<int> kept; // the series kept: their legend names "<curve> (pKa = 4,7)"
    } cases[] = {
        {"titration", Study::TitrationVsVolume, 4, {1}},
        {"species", Study::SpeciesVsPH, 4, {2, 3}},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, 17);
        sim.panel.text[c.field] = "4.7";
        refresh(sim);
        ASSERT_EQ(FreezeCurrentCurve(sim), FreezeOutcome::Frozen) << c.label;
        sim.panel.text[c.field] = "9";
        refresh(sim);
        std::vector<std::string> legend;
        for (int n : c.kept)
            legend.push_back((n == 1 ? std::string("pH") : sim.results.speciesLabels[0][n - 2]) +
                             " (pKa = 4,7)");
        if (c.study == Study::TitrationVsVolume) legend.push_back("pH (pKa = 9)");
        RecordingCanvas with(4800, 6800, 600);
        PrintPage(sim, PrintSettings{}, with);
        for (const std::string& entry : legend)
            EXPECT_TRUE(with.findText(entry)) << c.label << ": " << entry;
        ClearOverlays(sim);
        RecordingCanvas without(4800, 6800, 600);
        PrintPage(sim, PrintSettings{}, without);
        // The kept curves add dashes, many short lines, and nothing else is lost.
        EXPECT_GT(with.count(CanvasOp::LineTo), without.count(CanvasOp::LineTo) + 100) << c.label;
        EXPECT_EQ(with.texts().size(), without.texts().size() + c.kept.size()) << c.label;
    }
}

// Two concentrations taking each value together, and a dilution factor: one column per value,
// headed by what it sets.
TEST(VaryTable, SeveralFieldsTogetherOrADilutionFactor) {
    struct Case {
        const char* label;
        FamilyQuantity quantity;
        std::vector<double> values;
        std::string header;                              // second column's header
        std::vector<std::pair<int, std::string>> second; // the fields of the second column
    } cases[] = {
        {"acid and titrant",
         {{1, 2}, false},
         {1, 0.01},
         "Cbi = 1 mol/L ; Cai = 1 mol/L",
         {{1, "1"}, {2, "1"}}},
        {"dilution factor",
         {{}, true},
         {10, 100},
         "facteur de dilution = 10",
         {{1, "0.01"}, {2, "0.01"}}},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
        sim.panel.at(Field::BuretteConcentration) = "0.1";
        sim.panel.at(Field::Concentration1) = "0.1";
        sim.panel.pointCount = "20";
        RecordingNotifier messages;
        const auto rows = tableOf(VaryTable(sim, c.quantity, c.values, messages));
        ASSERT_EQ(rows.size(), 21u) << c.label;
        ASSERT_EQ(rows[0].size(), 3u) << c.label;
        EXPECT_EQ(rows[0][1], c.header) << c.label;
        // The second column holds the pH of the first value's study at each row's volume.
        double span = 0;
        std::vector<ChemicalState> states;
        for (double v : c.values) {
            Simulation member = sim;
            for (const auto& [field, text] : familyMember(sim, c.quantity, v).fields)
                member.panel.text[field] = text;
            refresh(member);
            span = std::max(span, member.state.volumeSpan);
            states.push_back(member.state);
        }
        EXPECT_EQ(familyMember(sim, c.quantity, c.values.front()).fields, c.second) << c.label;
        for (int i : {0, 7, 19})
            EXPECT_EQ(rows[i + 1][1], FormatValue(solvePH(states[0], i * span / 19), true))
                << c.label << " row " << i;
    }
}

} // namespace
} // namespace titralab
