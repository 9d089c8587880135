#include "../chemistry/ChemistryFixtures.h"
#include "core/chemistry/Conductivity.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/texts/Messages.h"

#include <gtest/gtest.h>

using namespace titralab;
using titralab::testing::panelFor;
using titralab::testing::stateFor;
using titralab::testing::Typed;

namespace {

TEST(SetUp, SortsTheTypedPKsAndDerivesTheConstants) {
    Typed t;
    t.pK1[0] = "9";
    t.pK1[1] = "2";
    t.pK1[2] = "5";
    const ChemicalState s = stateFor(t);
    EXPECT_EQ(s.pK1, (std::array<double, 3>{2, 5, 9}));
    EXPECT_NEAR(s.ka1[0] / 1e-2, 1, 1e-14);
    EXPECT_NEAR(s.ka1[1] / 1e-5, 1, 1e-14);
    EXPECT_NEAR(s.ka1[2] / 1e-9, 1, 1e-14);
    EXPECT_EQ(panelFor(t).at(Field::PKa1), "9"); // the field keeps what was typed
}

// A base's field holds the pKa of its couple; the mirrored chemistry works on 14 - pKa, and
// the absent acidity (50) stays absent.
TEST(SetUp, BaseSideWorksOnFourteenMinusThePKaOfTheCouple) {
    Typed t;
    t.side = BuretteSide::BaseSide;
    t.pK1[0] = "9.3";
    const ChemicalState s = stateFor(t);
    EXPECT_NEAR(s.pK1[0], 4.7, 1e-12);
    EXPECT_EQ(s.pK1[1], 36);
    EXPECT_EQ(s.pK1[2], 36);
    EXPECT_EQ(s.pOffset, 14);
    EXPECT_EQ(s.pSlope, -1);
    EXPECT_NEAR(s.ka1[0], 1.995262314968883e-05, 1e-17);
    Typed same = t;
    same.side = BuretteSide::AcidSide;
    EXPECT_NEAR(stateFor(same).ka1[0] / 5.011872336272722e-10, 1, 1e-9);

    struct Case {
        const char* label;
        std::array<const char*, 3> typed;
        std::array<double, 3> working; // sorted
    } cases[] = {{"ammonia", {"9.2", "50", "50"}, {4.8, 36, 36}},
                 {"carbonate", {"10.3", "6.4", "50"}, {3.7, 7.6, 36}},
                 {"phosphate", {"12.4", "7.2", "2.1"}, {1.6, 6.8, 11.9}},
                 {"strong base", {"24", "50", "50"}, {-10, 36, 36}},
                 {"above 50 is absent", {"9.2", "51", "50"}, {4.8, 36, 36}},
                 {"lowest", {"-20", "50", "50"}, {34, 36, 36}}};
    for (const Case& c : cases) {
        Typed base = t;
        for (int k = 0; k < 3; ++k) base.pK1[k] = c.typed[k];
        const ChemicalState b = stateFor(base);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(b.pK1[k], c.working[k], 1e-12) << c.label << k;
    }
}

TEST(SetUp, VolumeUnitFollowsTheFirstVolumeAndTheStudy) {
    struct Case {
        Study study;
        const char* v1;
        double factor;
    } cases[] = {{Study::TitrationVsVolume, "20E-3", 1000},
                 {Study::TitrationVsVolume, "20", 1},
                 {Study::TitrationVsVolume, "1", 1000},
                 {Study::Dilution, "20E-3", 1},
                 {Study::Dilution, "20", 1},
                 {Study::SpeciesVsPH, "0.02", 1}};
    for (const Case& c : cases) {
        Typed t;
        t.study = c.study;
        t.v1 = c.v1;
        const ChemicalState s = stateFor(t);
        EXPECT_EQ(s.volumeFactor, c.factor) << c.v1;
        EXPECT_EQ(s.volumesInMillilitres, c.factor == 1000) << c.v1;
    }
}

TEST(SetUp, ReportsEveryFailedCheckInTableOrderAndUsesTheClampedValues) {
    Typed t;
    t.pK1[0] = "51";  // D4: A
    t.pK2[1] = "abc"; // D15, hidden in this study: A
    t.cb = "";        // D1: B
    t.c2 = "16";      // D12: B
    t.v1 = "1,000.5"; // D3: neither notation, C
    PanelFields panel = panelFor(t);
    panel.pointCount = "4";
    ChemicalState s;
    RecordingNotifier notes;
    const std::vector<int> refused = setUpSimulation(s, panel, notes, Language::French);
    // The fields concerned, in the order of the messages; 0 is the number of points.
    EXPECT_EQ(refused, (std::vector<int>{4, 15, 1, 12, 3, kPointCountField}));
    const std::vector<std::string> expected{texts::numberRangeMessage(Language::French),
                                            texts::numberRangeMessage(Language::French),
                                            texts::concentrationRangeMessage(Language::French),
                                            texts::concentrationRangeMessage(Language::French),
                                            texts::volumeRangeMessage(Language::French),
                                            texts::pointCountMessage(Language::French)};
    EXPECT_EQ(notes.messages, expected);
    EXPECT_EQ(s.pK1[2], 50);
    EXPECT_EQ(s.pK2[0], 0); // "abc" reads as 0 and sorts first
    EXPECT_EQ(s.titrantConc, 1e-8);
    EXPECT_EQ(s.conc2, 15);
    EXPECT_EQ(s.vol1, 1e-5);
    EXPECT_EQ(s.pointCount, 5);
}

TEST(SetUp, PointCountIsTruncatedWithoutAMessage) {
    PanelFields panel = panelFor(Typed{});
    panel.pointCount = "50,7";
    ChemicalState s;
    RecordingNotifier notes;
    EXPECT_TRUE(setUpSimulation(s, panel, notes, Language::French).empty());
    EXPECT_TRUE(notes.messages.empty());
    EXPECT_EQ(s.pointCount, 50);
}

TEST(Texts, MessagesAreExact) {
    EXPECT_EQ(texts::numberRangeMessage(Language::French),
              "Séparateur décimal : virgule !\rExemple : 1,03E-2");
    EXPECT_EQ(texts::concentrationRangeMessage(Language::French),
              "Séparateur décimal : virgule !\rExemple : 1,03E-2 ou La "
              "concentration doit être supérieure à 1E-8 ! ou cbi trop grande !");
    EXPECT_EQ(texts::volumeRangeMessage(Language::French),
              "Séparateur décimal : virgule !\rExemple : 1,03E-2 ou vai trop "
              "grand ! ou vai trop petit !");
}

struct ConductivityCase {
    const char* label;
    BuretteSide side;
    Study study;
    int row1, row2;
    bool available;
};

TEST(Conductivity, AvailabilityFollowsTheLoadedEntries) {
    const ConductivityCase cases[] = {
        {"strong acid", BuretteSide::AcidSide, Study::TitrationVsVolume, 1, 1, false},
        {"hydrochloric", BuretteSide::AcidSide, Study::TitrationVsVolume, 4, 1, true},
        {"hydrochloric by pH", BuretteSide::AcidSide, Study::SpeciesVsPH, 4, 1, true},
        {"phosphoric", BuretteSide::AcidSide, Study::TitrationVsVolume, 30, 1, true},
        {"citric", BuretteSide::AcidSide, Study::TitrationVsVolume, 31, 1, false},
        {"ethanoic + fluorhydric", BuretteSide::AcidSide, Study::TwoMonoTitration, 17, 11, true},
        {"ethanoic + nitrous", BuretteSide::AcidSide, Study::TwoMonoTitration, 17, 12, false},
        {"mixture keeps available", BuretteSide::AcidSide, Study::TwoPolyMixture, 1, 1, true},
        {"base side", BuretteSide::BaseSide, Study::TitrationVsVolume, 2, 2, false},
    };
    for (const auto& c : cases) {
        Typed t;
        t.side = c.side;
        t.study = c.study;
        t.row1 = c.row1;
        t.row2 = c.row2;
        EXPECT_EQ(stateFor(t).conductivityAvailable, c.available) << c.label;
    }
    // Exactly the entries 2-6, 11, 14, 16, 17, 20, 23, 30 and 34 know all four conductivities.
    std::vector<int> known;
    for (int n = 1; n <= kAcidCount; ++n) {
        Typed t;
        t.row1 = n;
        if (stateFor(t).conductivityAvailable) known.push_back(n);
    }
    EXPECT_EQ(known, (std::vector<int>{2, 3, 4, 5, 6, 11, 14, 16, 17, 20, 23, 30, 34}));
}

TEST(Conductivity, PointValue) {
    Typed t;
    t.row1 = 17;
    ChemicalState s = stateFor(t);
    const std::array<double, 4> c{0.05, 0.05, 0, 0};
    const std::array<bool, 4> present{true, true, false, false};
    const double h = 1e-3;
    const double water = 34.97 * h + 19.86 * 1e-14 / h;
    // v = 0: no cation, no dilution factor.
    EXPECT_DOUBLE_EQ(conductivity(s, h, 0, c, present, false), water + 4.09 * 0.05);
    // v = 0.01 without dilution: factor (0.02 + 0.01)/0.02.
    const double cation = 5.008 * 0.1 * 0.01 / 0.03;
    EXPECT_DOUBLE_EQ(conductivity(s, h, 0.01, c, present, false),
                     (water + 4.09 * 0.05 + cation) * 1.5);
    EXPECT_DOUBLE_EQ(conductivity(s, h, 0.01, c, present, true), water + 4.09 * 0.05 + cation);
    // Potash raises only the cation term.
    t.row1 = 17;
    PanelFields potash = panelFor(t);
    potash.baseKind = BaseKind::Potash;
    RecordingNotifier quiet;
    setUpSimulation(s, potash, quiet, Language::French);
    EXPECT_DOUBLE_EQ(conductivity(s, h, 0.01, c, present, true),
                     water + 4.09 * 0.05 + cation * 7.348 / 5.008);
}

TEST(Database, TablesHoldTheirEntries) {
    EXPECT_STREQ(acidTable[0].names[0].fr, "acide fort");
    EXPECT_STREQ(acidTable[16].names[0].fr, "acide éthanoïque");
    EXPECT_EQ(acidTable[16].pKa[0], 4.7);
    EXPECT_STREQ(acidTable[29].names[3].fr, "phosphate");
    EXPECT_EQ(acidTable[32].acidities, 2);
    EXPECT_STREQ(acidTable[32].names[3].fr, "ascorbate");
    EXPECT_STREQ(baseTable[14].names[0].fr, "dibase");
    EXPECT_EQ(baseTable[13].pKa, (std::array<double, 3>{24, 8.8, 4.8}));
    // Monoprotic entries come first in both tables.
    for (int n = 1; n <= kAcidCount; ++n)
        EXPECT_EQ(entryOf(BuretteSide::AcidSide, n).acidities == 1, n <= 23) << n;
    for (int n = 1; n <= kBaseCount; ++n)
        EXPECT_EQ(entryOf(BuretteSide::BaseSide, n).acidities == 1, n <= 13) << n;
}

} // namespace
