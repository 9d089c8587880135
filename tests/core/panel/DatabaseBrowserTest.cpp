#include "core/panel/DatabaseBrowser.h"
#include "core/session/Simulation.h"

#include <gtest/gtest.h>

using namespace titralab;

namespace {

struct Browsing {
    DatabaseBrowser browser;
    PanelFields panel{PanelFields::atDesign()};
    ChemicalState state;

    void select(int entry) {
        browser.current(panel.side) = entry;
        LoadEntry(browser, entry, panel, state);
    }
};

TEST(LoadEntry, WritesThePKFieldsWithFiftyForAbsentAcidities) {
    Browsing b;
    b.select(17);
    EXPECT_EQ(b.panel.entryName, "acide éthanoïque");
    EXPECT_EQ(b.panel.at(Field::PKa1), "4,7");
    EXPECT_EQ(b.panel.at(Field::PKa2), "50");
    EXPECT_EQ(b.panel.at(Field::PKa3), "50");
    EXPECT_FALSE(b.panel.shown(Field::PKa2));
    EXPECT_FALSE(b.panel.shown(Field::PKa3));
    EXPECT_EQ(b.state.row1, 17);
    EXPECT_EQ(b.state.pK1, (std::array<double, 3>{4.7, 50, 50}));

    b.select(27); // oxalic acid, two acidities
    EXPECT_EQ(b.panel.at(Field::PKa1), "1,25");
    EXPECT_EQ(b.panel.at(Field::PKa2), "4,3");
    EXPECT_TRUE(b.panel.shown(Field::PKa2));
    EXPECT_FALSE(b.panel.shown(Field::PKa3));
    EXPECT_TRUE(b.panel.pKa2LabelVisible);
    EXPECT_FALSE(b.panel.pKa3LabelVisible);

    b.select(33); // ascorbic acid: four names but two acidities
    EXPECT_EQ(b.panel.at(Field::PKa3), "50");
}

TEST(LoadEntry, ColumnTwoAndTheLabelsFollowEitherColumn) {
    Browsing b;
    b.browser.targetColumn1 = false;
    b.select(30);
    EXPECT_EQ(b.state.row2, 30);
    EXPECT_EQ(b.panel.at(Field::PKa2_1), "2,1");
    EXPECT_EQ(b.panel.at(Field::PKa2_3), "12,4");
    b.browser.targetColumn1 = true;
    b.select(17);
    EXPECT_TRUE(b.panel.pKa2LabelVisible); // D15 still shown
    EXPECT_TRUE(b.panel.pKa3LabelVisible);
}

TEST(Stepping, StaysWithinTheTable) {
    struct Case {
        BuretteSide side;
        int start;
        bool forward;
        int expected;
    } cases[] = {{BuretteSide::AcidSide, 35, true, 35}, {BuretteSide::AcidSide, 1, false, 1},
                 {BuretteSide::AcidSide, 10, true, 11}, {BuretteSide::BaseSide, 19, true, 19},
                 {BuretteSide::BaseSide, 1, false, 1},  {BuretteSide::BaseSide, 2, true, 3}};
    for (const Case& c : cases) {
        Browsing b;
        b.panel.side = c.side;
        b.browser.current(c.side) = c.start;
        c.forward ? StepForward(b.browser, b.panel, b.state)
                  : StepBack(b.browser, b.panel, b.state);
        EXPECT_EQ(b.browser.current(c.side), c.expected);
        EXPECT_EQ(b.state.row1, c.expected);
    }
}

TEST(Stepping, TwoMonoacidStudyKeepsToMonoproticEntries) {
    Browsing b;
    b.browser.currentAcidEntry = 30;
    b.browser.twoMonoacid = true;
    // What choosing the two-monoacid study does.
    SeekMonoprotic(b.browser, b.panel.side);
    EXPECT_EQ(b.browser.currentAcidEntry, 23);
    StepBack(b.browser, b.panel, b.state);
    EXPECT_EQ(b.state.row1, 22);
    StepForward(b.browser, b.panel, b.state);
    EXPECT_EQ(b.state.row1, 23);
    StepForward(b.browser, b.panel, b.state);
    EXPECT_EQ(b.browser.currentAcidEntry, 23);
    // A refresh on entry 23 steps forward (staying) then back: it ends on 22.
    RefreshSelection(b.browser, b.panel, b.state);
    EXPECT_EQ(b.browser.currentAcidEntry, 22);
}

TEST(Stepping, RefreshReloadsTheCurrentEntryOfEachSide) {
    Browsing b;
    b.browser.currentAcidEntry = 35;
    RefreshSelection(b.browser, b.panel, b.state);
    EXPECT_EQ(b.state.row1, 35);
    b.panel.side = BuretteSide::BaseSide;
    b.browser.currentBaseEntry = 2;
    RefreshSelection(b.browser, b.panel, b.state);
    EXPECT_EQ(b.panel.entryName, "base faible");
    EXPECT_EQ(b.panel.at(Field::PKa1), "9,3"); // the pKa of its couple
    EXPECT_EQ(b.browser.currentAcidEntry, 35); // the acid side keeps its entry
}

} // namespace

namespace {

// The panel writes its numbers with one separator, the language's until the user chooses one:
// the design's values and the pKa of a loaded entry alike, and the numbers the program writes
// elsewhere (the readings, the table) too.
TEST(PanelSeparator, IsTheLanguagesAndTheSameForEveryNumber) {
    const struct {
        Language language;
        const char* concentration; // D1 at design
        const char* pKa;           // D4 after loading ethanoic acid
        bool comma;
    } cases[] = {{Language::French, "1,0E-1", "4,7", true},
                 {Language::English, "1.0E-1", "4.7", false}};
    for (const auto& c : cases) {
        Simulation sim;
        setLanguage(sim, c.language);
        EXPECT_EQ(sim.panel.at(Field::BuretteConcentration), c.concentration);
        EXPECT_EQ(sim.exportSettings.decimalComma, c.comma);
        chooseStudyAndEntries(sim, BuretteSide::AcidSide, Study::TitrationVsVolume, 17, 17);
        EXPECT_EQ(sim.panel.at(Field::PKa1), c.pKa);
        EXPECT_EQ(sim.panel.at(Field::Concentration1), c.concentration);
    }
}

} // namespace
