#include "SimulationFixtures.h"
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/session/Refresh.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;
using titralab::testing::tableOf;

namespace {

double number(const std::string& field) {
    return ParseBoundedNumber(field, -1e300, 1e300).value;
}

TEST(PhSweep, FivePointsHaveTheTwoExtraPointsATenthOfAStepInside) {
    const double a = 2, b = 12, s = 5;
    const double expected[] = {a, a + s / 10, a + s, b - s / 10, b};
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(PhSweep(a, b, 5, i), expected[i]) << i;
    EXPECT_DOUBLE_EQ(PhSweep(0, 14, 100, 50), 49 * 14.0 / 97);
}

TEST(FormatValueTest, WritesFiveSignificantDigitsAndZeroForTinyValues) {
    struct Case {
        double x;
        bool comma;
        const char* text;
    } cases[] = {{0, true, "0"},
                 {-3.5, true, "0"},
                 {-1, false, "0"},
                 {1e-11, true, "1E-11"},
                 {9.99e-12, true, "0"},
                 {99999.5, true, "1E5"},
                 {123456, true, "1,2346E5"},
                 {123456, false, "1.2346E5"},
                 {2.5e-7, true, "2,5E-7"},
                 {0.00012345678, false, "0.00012346"},
                 {14, true, "14"},
                 {1.23456789, true, "1,2346"}};
    for (const Case& c : cases) EXPECT_EQ(FormatValue(c.x, c.comma), c.text) << c.x;
    EXPECT_EQ(FormatValue(1.0 / 3, false, 17), "0.33333333333333331");
    EXPECT_EQ(FormatValue(1e-15, false, 17), "1.0000000000000001E-15");
}

TEST(VolumeSpan, FollowsTheNumberOfAciditiesOfTheCurrentEntry) {
    struct Case {
        Study study;
        int entry;
        double factor;
    } cases[] = {{Study::TitrationVsVolume, 17, 2},
                 {Study::TitrationVsVolume, 27, 3},
                 {Study::TitrationVsVolume, 30, 4.5},
                 {Study::TwoMonoTitration, 17, 1.5}};
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, c.entry);
        refresh(sim);
        // Equivalence volume of acid 1 (and of acid 2 in the two-monoacid study): 0.02 L.
        const double equivalence = c.study == Study::TwoMonoTitration ? 0.04 : 0.02;
        EXPECT_NEAR(sim.state.volumeSpan, c.factor * equivalence, 1e-15) << c.entry;
    }
}

TEST(TitrationTable, MonoacidByPHHasTwoLinesThenOneRowPerPoint) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    const auto rows = tableOf(sim.results.exportText);
    ASSERT_EQ(rows.size(), 102u);
    EXPECT_EQ(
        rows[0],
        std::vector<std::string>{
            "Attention, l'effet de dilution n'est pas pris en compte pour les concentrations"});
    EXPECT_EQ(rows[1], (std::vector<std::string>{"v de monobase", "pH", "cH", "acide éthanoïque",
                                                 "ion éthanoate", "Conductivité"}));
    for (std::size_t r = 2; r < rows.size(); ++r) EXPECT_EQ(rows[r].size(), 6u) << r;
    EXPECT_EQ(sim.results.curves[1].size(), 100u);
    EXPECT_EQ(rows[2][1], "2,8531"); // the pH at volume 0
    EXPECT_EQ(sim.results.exportText.back(), '\r');

    sim.graph.checked[0] = true; // "Tenir compte de la dilution"
    refresh(sim);
    EXPECT_TRUE(tableOf(sim.results.exportText)[0].empty());
}

TEST(TitrationTable, ByVolumeHasRegularVolumesWithoutExtraPoints) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    sim.exportSettings.copySampling = CopySampling::ByVolume;
    sim.exportSettings.decimalComma = false;
    refresh(sim);
    const auto rows = tableOf(sim.results.exportText);
    ASSERT_EQ(rows.size(), 102u);
    for (int i = 0; i < 100; ++i)
        EXPECT_NEAR(number(rows[2 + i][0]), i * 0.04 / 99, 5e-5 * i * 0.04 / 99) << i;
    EXPECT_EQ(rows[2 + 50][1], FormatValue(solvePH(sim.state, 50 * 0.04 / 99), false));
    EXPECT_EQ(sim.results.curves[1].size(), 100u); // the curve itself is still sampled by pH
}

TEST(TitrationTable, DilutionFactorAppliesToHydroniumAndConductivityOnly) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    sim.exportSettings.digits = 17;
    sim.exportSettings.decimalComma = false;
    refresh(sim);
    const auto without = tableOf(sim.results.exportText);
    sim.graph.checked[0] = true;
    refresh(sim);
    const auto with = tableOf(sim.results.exportText);
    for (int r : {30, 60, 90}) {
        const double v = number(without[r][0]);
        ASSERT_EQ(number(with[r][0]), v);
        const double factor = (0.02 + v) / 0.02;
        EXPECT_NEAR(number(without[r][2]) / number(with[r][2]), factor, 1e-12) << r; // cH
        // Conductivity: the species as tabled, the titrant's cation, then the factor.
        const double h = number(with[r][2]);
        auto sigma = [&](const std::vector<std::string>& row) {
            return 34.97 * h + 19.86e-14 / h + 4.09 * number(row[4]) + 5.008 * 0.1 * v / (v + 0.02);
        };
        EXPECT_NEAR(number(without[r][5]) / (factor * sigma(without[r])), 1, 1e-12) << r;
        EXPECT_NEAR(number(with[r][5]) / sigma(with[r]), 1, 1e-12) << r;
        // Species: undiluted concentration without the box, diluted with it.
        EXPECT_NEAR(number(without[r][3]) / number(with[r][3]), factor, 1e-12) << r;
        const double total = number(without[r][3]) + number(without[r][4]);
        EXPECT_NEAR(total, 0.1, 1e-12) << r;
    }
}

TEST(TitrationCurves, AbscissasAreInMillilitresUpToOneLitre) {
    for (const auto& [volume, factor] : {std::pair{"1", 1000.0}, std::pair{"1.5", 1.0}}) {
        Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
        sim.panel.at(Field::Volume1) = volume;
        refresh(sim);
        const auto rows = tableOf(sim.results.exportText);
        const double v = number(rows.back()[0]);
        EXPECT_NEAR(sim.results.curves[1].back().x, v * factor, 1e-6 * v * factor) << volume;
        EXPECT_EQ(sim.results.plot.bottomTitle, factor == 1000 ? "v de monobase forte versé, en mL"
                                                       : "v de monobase forte versé, en L");
    }
}

TEST(TitrationCurves, SpeciesAreDrawnAtHeightTenForTheInitialConcentration) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    EXPECT_DOUBLE_EQ(sim.results.concentrationScale, 100);
    // At the start nearly all the acid is undissociated: drawn near 10.
    EXPECT_NEAR(sim.results.curves[2].front().y, 9.86, 0.01);
    EXPECT_TRUE(sim.results.curves[4].empty()); // species 3 of a monoacid: no box, no curve
    EXPECT_EQ(sim.results.curves[6].size(), 100u);
    EXPECT_TRUE(sim.results.curves[8].empty()); // conductivity not ticked
}

TEST(Conductivity, RescaledSoThatTheLargestValueIsDrawnAtTen) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 30);
    sim.graph.checked[7] = true;
    refresh(sim);
    ASSERT_EQ(sim.results.curves[8].size(), 100u);
    double largest = 0;
    for (const auto& p : sim.results.curves[8]) largest = std::max(largest, p.y);
    EXPECT_DOUBLE_EQ(largest, 10);
    EXPECT_GT(sim.results.conductivityScale, 0);

    // An entry without known conductivities: no column, box disabled and unticked.
    Simulation none = simulationFor(Study::TitrationVsVolume, 31);
    none.graph.checked[7] = true;
    refresh(none);
    EXPECT_FALSE(none.graph.conductivityEnabled);
    EXPECT_FALSE(none.graph.checked[7]);
    EXPECT_TRUE(none.results.curves[8].empty());
    EXPECT_EQ(tableOf(none.results.exportText)[1].back(), "ion citrate"); // no "Conductivité" column
}

TEST(CheckBoxes, CaptionsAndVisibilityFollowTheStudy) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    refresh(sim);
    EXPECT_TRUE(sim.graph.visible[1] && sim.graph.visible[2]);
    EXPECT_FALSE(sim.graph.visible[3] || sim.graph.visible[4]);
    EXPECT_EQ(sim.graph.captions[0], "acide éthanoïque");
    EXPECT_EQ(sim.graph.captions[1], "ion éthanoate");

    // Switching to a triacid shows four species boxes; the two new ones are unticked.
    sim.browser.current(BuretteSide::AcidSide) = 30;
    LoadEntry(sim.browser, 30, sim.panel, sim.state);
    refresh(sim);
    for (int box = 2; box <= 5; ++box) EXPECT_TRUE(sim.graph.isVisible(box)) << box;
    EXPECT_TRUE(sim.graph.isChecked(2) && sim.graph.isChecked(3));
    EXPECT_FALSE(sim.graph.isChecked(4) || sim.graph.isChecked(5));
    EXPECT_EQ(sim.graph.captions[3], "ion phosphate");

    Simulation dilution = simulationFor(Study::Dilution, 17);
    refresh(dilution);
    for (int box = 1; box <= 10; ++box) EXPECT_FALSE(dilution.graph.isVisible(box)) << box;

    Simulation species = simulationFor(Study::SpeciesVsPH, 17);
    refresh(species);
    EXPECT_FALSE(species.graph.isVisible(1));
    EXPECT_FALSE(species.graph.isVisible(10));
    EXPECT_FALSE(species.graph.dilutionLabelVisible);
    EXPECT_TRUE(species.results.plot.leftAxisAutomatic);

    Simulation twoMono = simulationFor(Study::TwoMonoTitration, 17, BuretteSide::AcidSide, 11);
    refresh(twoMono);
    for (int box : {2, 3, 6, 7}) EXPECT_TRUE(twoMono.graph.isVisible(box)) << box;
    for (int box : {4, 5}) EXPECT_FALSE(twoMono.graph.isVisible(box)) << box;
    EXPECT_EQ(twoMono.graph.captions[4], "acide fluorhydrique");
    EXPECT_EQ(twoMono.state.pK1[1], 25);
}

TEST(SpeciesLabels, GenericNamesAndPrefixes) {
    struct Case {
        BuretteSide side;
        int row1, row2;
        std::array<std::string, 4> list1, list2;
    } cases[] = {
        {BuretteSide::AcidSide,
         24,
         20,
         {"triacide", "AH2-", "AH--", "A- - -"},
         {"ion ammonium", "ammoniac", "", ""}},
        {BuretteSide::AcidSide,
         23,
         25,
         {"eau", "ion hydroxyde", "", ""},
         {"diacide", "A'H-", "A'- -", ""}},
        {BuretteSide::AcidSide,
         1,
         28,
         {"acide fort", "base indifférente", "", ""},
         {"acide sulfureux", "A'H-", "A'- -", ""}},
        {BuretteSide::BaseSide,
         14,
         2,
         {"tribase", "BH- -", "BH2-", "BH3"},
         {"base faible", "acide faible", "", ""}},
        {BuretteSide::BaseSide,
         15,
         15,
         {"dibase", "BH-", "BH2", ""},
         {"dibase", "B'H-", "B'H2", ""}},
        {BuretteSide::BaseSide,
         7,
         17,
         {"ammoniac", "ion ammonium", "", ""},
         {"ion carbonate", "ion hydrogénocarbonate", "dioxyde de carbone, eau", ""}},
    };
    for (const Case& c : cases) {
        Simulation sim;
        sim.state.side = c.side;
        sim.state.row1 = c.row1;
        sim.state.row2 = c.row2;
        BuildSpeciesLabels(sim);
        EXPECT_EQ(sim.results.speciesLabels[0], c.list1) << c.row1;
        EXPECT_EQ(sim.results.speciesLabels[1], c.list2) << c.row2;
    }
}

TEST(DilutionCurve, SkipsImpossiblePointsAndDrawsTheReferenceLines) {
    Simulation sim = simulationFor(Study::Dilution, 17);
    refresh(sim);
    const auto rows = tableOf(sim.results.exportText);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Log(concentration de l'acide)", "pH"}));
    EXPECT_EQ(rows.size() - 2, sim.results.curves[1].size());
    EXPECT_LT(sim.results.curves[1].size(), 100u); // pH below about 2.4 needs more than 1 mol/L
    for (const auto& p : sim.results.curves[1]) EXPECT_GE(p.x, 0);
    ASSERT_EQ(sim.results.curves[4].size(), 2u);
    EXPECT_EQ(sim.results.curves[4][1].x, 7);
    EXPECT_EQ(sim.results.curves[2][0].y, 8);

    Simulation base = simulationFor(Study::Dilution, 14, BuretteSide::BaseSide); // tribase
    refresh(base);
    EXPECT_EQ(tableOf(base.results.exportText)[1][0], "Log(concentration de la base)");
    EXPECT_EQ(base.results.curves[2][0].y, 6);
    EXPECT_NEAR(base.results.curves[4][0].y, 14 + std::log10(3.0), 1e-12);
    for (const auto& p : base.results.curves[1]) EXPECT_GE(p.y, 7);
}

// pH 7 is reached only at infinite dilution: no drawn point may stand there, whatever the
// side, the entry or the number of points.
TEST(DilutionCurve, NoPointAtNeutralPH) {
    struct Case {
        const char* label;
        BuretteSide side;
        int entry;
        const char* points;
    } cases[] = {{"acid, ethanoic", BuretteSide::AcidSide, 17, "100"},
                 {"acid, strong", BuretteSide::AcidSide, 1, "200"},
                 {"base, weak", BuretteSide::BaseSide, 2, "100"},
                 {"base, strong", BuretteSide::BaseSide, 1, "200"},
                 {"base, few points", BuretteSide::BaseSide, 2, "5"}};
    for (const Case& c : cases) {
        Simulation sim = simulationFor(Study::Dilution, c.entry, c.side);
        sim.panel.pointCount = c.points;
        refresh(sim);
        ASSERT_FALSE(sim.results.curves[1].empty()) << c.label;
        for (const auto& p : sim.results.curves[1]) {
            EXPECT_NE(p.y, 7) << c.label;
            EXPECT_LT(p.x, 12) << c.label << " at pH " << p.y; // -log c, c in mol/L
        }
    }
}

TEST(BaseSide, TableByVolumeTakesSpeciesFromTheHydroxideConcentration) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 2, BuretteSide::BaseSide);
    sim.exportSettings.copySampling = CopySampling::ByVolume;
    sim.exportSettings.decimalComma = false;
    sim.exportSettings.digits = 17;
    refresh(sim);
    const auto rows = tableOf(sim.results.exportText);
    // Half equivalence: pH 9.30 and the base and its acid in equal amounts.
    for (const auto& row : rows) {
        if (row.size() < 5 || number(row[0]) == 0) continue;
        const double pH = number(row[1]);
        EXPECT_NEAR(number(row[2]) / std::pow(10.0, -pH), (0.02 + number(row[0])) / 0.02, 1e-9);
        if (std::abs(number(row[0]) - 0.01) < 2e-4)
            EXPECT_NEAR(number(row[3]) / number(row[4]), 1, 0.05);
    }
}

TEST(Mixture, ResultsTextLineByLine) {
    Simulation sim = simulationFor(Study::TwoPolyMixture, 30, BuretteSide::AcidSide, 17);
    refresh(sim);
    const auto rows = tableOf(sim.results.exportText);
    const std::vector<std::vector<std::string>> expected{
        {"Mélange de deux polyacides"},
        {"Concentration initiale de l'acide phosphorique", "0,1"},
        {"Concentration initiale de l'acide éthanoïque", "0,1"},
        {"Volume d'acide phosphorique", "0,02"},
        {"Volume d'acide éthanoïque", "0,02"},
        {"pH du mélange", "1,7855"},
        {"Concentration d'ion hydronium", "0,016386"},
        {"Concentration restante de l'acide phosphorique", "0,033675"},
        {"Concentration restante de l'acide éthanoïque", "0,049939"},
        {"Concentration de l'ion dihydrogénophosphate", "0,016325"},
        {"Concentration de l'ion éthanoate", "6,081E-5"},
        {"Concentration de l'ion monohydrogénophosphate", "6,2861E-8"},
        {"Concentration de l'ion phosphate", "0"}};
    EXPECT_EQ(rows, expected);
    ASSERT_TRUE(sim.results.mixture);
    EXPECT_FALSE(sim.graph.isVisible(10));

    Simulation base = simulationFor(Study::TwoPolyMixture, 2, BuretteSide::BaseSide, 2);
    refresh(base);
    const auto baseRows = tableOf(base.results.exportText);
    EXPECT_EQ(baseRows[5][0], "pH du mélange");
    EXPECT_EQ(baseRows[5][1], "11,147"); // the weak base alone at 0.1 mol/L
    EXPECT_EQ(baseRows[7][0], "Concentration restante de l'base faible");
}

} // namespace
