// What the mixture results window and the mixture's results text show, on both sides.
#include "../session/SimulationFixtures.h"
#include "ChemistryFixtures.h"
#include "core/chemistry/Mixture.h"
#include "core/curves/Curves.h"
#include "core/numbers/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titralab;
using titralab::testing::stateFor;
using titralab::testing::Typed;

namespace {

TEST(MixtureFields, PhosphoricAndAceticAcid) {
    Typed t;
    t.study = Study::TwoPolyMixture;
    t.pK1[0] = "12.4"; // typed out of order: the window shows the sorted working values
    t.pK1[1] = "2.1";
    t.pK1[2] = "7.2";
    t.row1 = 30;
    const ChemicalState s = stateFor(t);
    const MixtureFields f = mixtureFields(s, ComputeTwoPolyacidMixture(s), true);
    const std::pair<int, const char*> expected[] = {
        {1, "2,1"},        {2, "7,2"},     {3, "12,4"},      {4, "20"},        {5, "0,1"},
        {6, "4,7"},        {7, ""},        {8, ""},          {9, "20"},        {10, "0,1"},
        {21, "40"},        {11, "1,7855"}, {20, "0,016386"}, {12, "0,033675"}, {13, "0,016325"},
        {14, "6,2861E-8"}, {15, "0"},      {16, "0,049939"}, {17, "6,081E-5"}, {18, "0"},
        {19, "0"}};
    for (const auto& [field, text] : expected) EXPECT_EQ(f.edit[field], text) << "Edit" << field;
    EXPECT_EQ(f.speciesLabels, (std::array<std::string, 8>{"H₃A", "H₂A⁻", "HA²⁻", "A³⁻", "H₃A'",
                                                           "H₂A'⁻", "HA'²⁻", "A'³⁻"}));
}

TEST(MixtureFields, TwoIdenticalMonoacidsWhateverTheVolumesAndThePointOption) {
    for (const char* v2 : {"0.02", "0.05"}) {
        Typed t;
        t.study = Study::TwoPolyMixture;
        t.v2 = v2;
        const ChemicalState s = stateFor(t);
        EXPECT_EQ(mixtureFields(s, ComputeTwoPolyacidMixture(s), false).edit[11], "2.8531") << v2;
    }
    Typed t;
    t.study = Study::TwoPolyMixture;
    t.v1 = "3"; // typed volumes are litres here, whatever their size
    const ChemicalState s = stateFor(t);
    EXPECT_EQ(mixtureFields(s, ComputeTwoPolyacidMixture(s), true).edit[4], "3000");
}

// On the base side the computation runs on [OH-]: the window shows pH = 14 - pOH, [H3O+] =
// Ke/[OH-] with its digits, the pKa of each couple as typed and the base's own species names.
TEST(MixtureFields, BaseSidePresentation) {
    Typed t;
    t.side = BuretteSide::BaseSide;
    t.study = Study::TwoPolyMixture;
    t.pK1[0] = "24";
    t.pK1[1] = "8.8";
    t.pK1[2] = "4.8";
    t.pK2[0] = "9.3";
    t.row1 = 14;
    t.row2 = 2;
    const ChemicalState s = stateFor(t);
    const MixtureResult r = ComputeTwoPolyacidMixture(s);
    const MixtureFields f = mixtureFields(s, r, true);
    EXPECT_EQ(f.edit[1], "24");
    EXPECT_EQ(f.edit[2], "8,8");
    EXPECT_EQ(f.edit[3], "4,8");
    EXPECT_EQ(f.edit[6], "9,3");
    EXPECT_EQ(f.edit[7], "");
    EXPECT_EQ(f.edit[8], "");
    EXPECT_NEAR(r.pH, 1.301, 1e-3); // the pOH of 0.05 mol/L of a strong base
    EXPECT_EQ(f.edit[11], FormatValue(14 - r.pH, true));
    EXPECT_EQ(f.edit[11], "12,699");
    EXPECT_EQ(f.edit[20], formatGeneral(1e-14 / r.h, 5, ','));
    EXPECT_NEAR(std::stod(formatGeneral(1e-14 / r.h, 5, '.')), std::pow(10, -(14 - r.pH)), 1e-17);
    EXPECT_EQ(f.speciesLabels, (std::array<std::string, 8>{"B", "BH⁺", "BH₂²⁺", "BH₃³⁺", "B'",
                                                           "B'H⁺", "B'H₂²⁺", "B'H₃³⁺"}));
}

TEST(MixtureResultsText, BaseSideNamesTheProtonatedFormsAndKeepsTheHydroniumDigits) {
    Simulation sim =
        titralab::testing::simulationFor(Study::TwoPolyMixture, 14, BuretteSide::BaseSide, 2);
    titralab::testing::refresh(sim);
    const auto rows = titralab::testing::tableOf(sim.results.exportText);
    ASSERT_EQ(rows.size(), 13u); // 3 acidities for base 1, 1 for base 2
    EXPECT_EQ(rows[1][0], "Concentration initiale de l'tribase");
    EXPECT_EQ(rows[5][1], "12,699");
    EXPECT_EQ(rows[6][0], "Concentration d'ion hydronium");
    EXPECT_NE(rows[6][1], "0");
    EXPECT_EQ(rows[6][1], mixtureFields(sim.state, *sim.results.mixture, true).edit[20]);
    EXPECT_EQ(rows[7][0], "Concentration restante de l'tribase");
    EXPECT_EQ(rows[8][0], "Concentration restante de l'base faible");
    EXPECT_EQ(rows[9][0], "Concentration de l'ion BH+");
    EXPECT_EQ(rows[10][0], "Concentration de l'ion B'H+");
    EXPECT_EQ(rows[11][0], "Concentration de l'ion BH2(2+)");
    EXPECT_EQ(rows[12][0], "Concentration de l'ion BH3(3+)");
}

} // namespace

namespace {

TEST(MixtureWindowSigns, StrongAcidsShowTheirNegativePKaAndANegativePH) {
    titralab::Simulation sim = titralab::testing::simulationFor(titralab::Study::TwoPolyMixture, 2,
                                                                titralab::BuretteSide::AcidSide, 1);
    sim.panel.at(Field::Concentration1) = sim.panel.at(Field::Concentration2) =
        "10"; // 10 mol/L of two strong acids: pH -1
    titralab::testing::refresh(sim);
    const titralab::MixtureFields f =
        titralab::mixtureFields(sim.state, *sim.results.mixture, sim.exportSettings.decimalComma);
    EXPECT_EQ(f.edit[1], "-9,5");
    EXPECT_EQ(f.edit[6], "-10");
    EXPECT_EQ(f.edit[11], "-1");
    EXPECT_NE(sim.results.exportText.find("pH du mélange\t-1\r"), std::string::npos);
}

} // namespace
