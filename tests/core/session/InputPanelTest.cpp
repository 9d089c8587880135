#include "core/session/InputPanel.h"

#include "core/curves/Curves.h"
#include "core/texts/Messages.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace titralab;

namespace {

struct Panel {
    Simulation sim;
    PanelView view;
    explicit Panel(Language language = Language::French) {
        setLanguage(sim, language);
        startPanel(view, sim);
    }

    void side(BuretteSide s) { chooseBurette(view, sim, s == BuretteSide::AcidSide ? 0 : 1); }
    void study(Study s) { chooseStudy(view, sim, static_cast<int>(s)); }
    // The database entry of the current side, as the user reaches it with the step buttons.
    void stepTo(int entry) {
        while (sim.browser.current(sim.panel.side) < entry)
            StepForward(sim.browser, sim.panel, sim.state);
        while (sim.browser.current(sim.panel.side) > entry)
            StepBack(sim.browser, sim.panel, sim.state);
    }
    bool shown(int field) const { return sim.panel.visible[field]; }
};

TEST(MainPanel, BeforeAnyChoiceOnlyTheBuretteAndTheFirstColumnShow) {
    Panel p;
    EXPECT_EQ(p.view.burette.selected, -1);
    EXPECT_FALSE(p.view.studies.visible);
    EXPECT_TRUE(p.view.studies.items.empty());
    EXPECT_FALSE(p.view.baseKind.visible);
    EXPECT_FALSE(p.view.sideLabelsVisible);
    EXPECT_FALSE(p.view.browserVisible);
    EXPECT_FALSE(p.view.commandsVisible);
    EXPECT_FALSE(p.view.marker1Visible);
    EXPECT_FALSE(p.view.marker2Visible);
    EXPECT_EQ(p.view.showCaption, "Voir &simulation                      F11");
    EXPECT_EQ(p.view.copyCaption, "&Copier simulation...             Ctrl+C");
    // Entry 1 of the acids is loaded into column 1.
    EXPECT_EQ(p.sim.panel.entryName, "acide fort");
    EXPECT_EQ(p.sim.panel.at(Field::PKa1), "-10");
    EXPECT_EQ(p.sim.panel.at(Field::PKa2), "50");
    EXPECT_EQ(p.sim.panel.at(Field::PKa3), "50");
    for (int f : {1, 2, 3, 4}) EXPECT_TRUE(p.shown(f)) << "D" << f;
    for (int f : {5, 6, 12, 13, 14, 15, 16}) EXPECT_FALSE(p.shown(f)) << "D" << f;
    EXPECT_FALSE(p.sim.panel.pKa2LabelVisible);
    EXPECT_FALSE(p.sim.panel.pKa3LabelVisible);
}

// Column 1 starts with the first acid; the first study chosen on the base side fills it with
// the base the name field shows, whose pKa field is that of its couple.
TEST(MainPanel, FirstStudyOnTheBaseSideLoadsTheCurrentBaseIntoColumnOne) {
    struct Case {
        const char* label;
        BuretteSide side;
        Study study;
        const char* name;
        const char* pKa1;
        int row1;
    } cases[] = {
        {"acid titration", BuretteSide::AcidSide, Study::TitrationVsVolume, "acide fort", "-10", 1},
        {"base titration", BuretteSide::BaseSide, Study::TitrationVsVolume, "base forte", "24", 1},
        {"base dilution", BuretteSide::BaseSide, Study::Dilution, "base forte", "24", 1},
        // The two-monobase study steps back then forward over the monoprotic entries first.
        {"two bases", BuretteSide::BaseSide, Study::TwoMonoTitration, "base faible", "9,3", 2},
    };
    for (const Case& c : cases) {
        Panel p;
        p.side(c.side);
        p.study(c.study);
        EXPECT_EQ(p.sim.panel.entryName, c.name) << c.label;
        EXPECT_EQ(p.sim.panel.at(Field::PKa1), c.pKa1) << c.label;
        EXPECT_EQ(p.sim.state.row1, c.row1) << c.label;
    }
}

TEST(MainPanel, FirstSideChoiceShowsTheStudiesWithoutSelection) {
    Panel p;
    p.side(BuretteSide::BaseSide);
    EXPECT_TRUE(p.view.studies.visible);
    EXPECT_EQ(p.view.studies.selected, -1);
    ASSERT_EQ(p.view.studies.items.size(), 6u);
    EXPECT_EQ(p.view.studies.items[4], "Dilution d'une base");
    EXPECT_EQ(p.view.studies.items[5], "Solutions libres");
    EXPECT_FALSE(p.view.browserVisible);
    EXPECT_FALSE(p.view.commandsVisible);
    EXPECT_EQ(p.view.iconSide, BuretteSide::BaseSide);
    // The refresh that ends the side change loads base 1 into column 2 (no column chosen).
    EXPECT_EQ(p.sim.panel.entryName, "base forte");
    EXPECT_EQ(p.sim.state.row2, 1);
    EXPECT_EQ(p.view.target.selected, -1);
}

TEST(MainPanel, SideSwitchInTwoMonoacidStudyKeepsTheStudyAndRelabels) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TwoMonoTitration);
    p.side(BuretteSide::BaseSide);
    EXPECT_EQ(p.view.studies.selected, 2);
    EXPECT_EQ(p.view.studies.items[2], "Monoacide fort sur 2 monobases, f (v)");
    EXPECT_EQ(p.sim.panel.study, Study::TwoMonoTitration);
    EXPECT_EQ(p.sim.panel.side, BuretteSide::BaseSide);
    EXPECT_EQ(p.view.buretteConcLabel, "Cai");
    EXPECT_EQ(p.view.beakerConcLabel, "Cbi");
    EXPECT_EQ(p.view.beakerVolumeLabel, "Vbi");
    EXPECT_FALSE(p.view.baseKind.visible);
    EXPECT_EQ(p.view.column1Title, "Base 1");
    EXPECT_EQ(p.view.column2Title, "Base 2");
    EXPECT_EQ(p.view.browserTitle, "Base de données des bases");
    EXPECT_EQ(p.view.entryTitle, "Nom de la base");
    EXPECT_EQ(p.view.target.caption, "Concerne la ");
    EXPECT_EQ(p.view.target.items, (std::vector<std::string>{"Base 1", "Base 2"}));
    EXPECT_TRUE(p.view.column2TitleVisible);
    EXPECT_EQ(p.view.unitColumn, 2);
}

TEST(MainPanel, MixtureStudyRenamesTheCommandsAndOtherStudiesRestoreThem) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TwoPolyMixture);
    EXPECT_EQ(p.view.showCaption, "Afficher ré&sultats  F11");
    EXPECT_EQ(p.view.copyCaption, "&Copier résultats  Ctrl+C");
    for (Study s :
         {Study::TitrationVsVolume, Study::SpeciesVsPH, Study::TwoMonoTitration, Study::Dilution}) {
        p.study(Study::TwoPolyMixture);
        p.study(s);
        EXPECT_EQ(p.view.showCaption, "Voir &simulation  F11") << static_cast<int>(s);
        EXPECT_EQ(p.view.copyCaption, "&Copier simulation... Ctrl+C") << static_cast<int>(s);
    }
}

TEST(MainPanel, DilutionAfterTwoMonoacidsWithColumnTwoResetsToColumnOne) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TwoMonoTitration);
    chooseTarget(p.view, p.sim, 1);
    EXPECT_FALSE(p.sim.browser.targetColumn1);
    EXPECT_FALSE(p.view.marker1Visible);
    EXPECT_TRUE(p.view.marker2Visible);
    p.study(Study::Dilution);
    EXPECT_EQ(p.view.target.selected, 0);
    EXPECT_TRUE(p.sim.browser.targetColumn1);
    EXPECT_FALSE(p.view.target.visible);
    EXPECT_TRUE(p.view.marker1Visible);
    EXPECT_FALSE(p.view.marker2Visible);
    EXPECT_FALSE(p.view.column2TitleVisible);
    for (int f = 12; f <= 16; ++f) EXPECT_FALSE(p.shown(f)) << "D" << f;
    EXPECT_EQ(p.view.unitColumn, 1);
}

TEST(MainPanel, ChoosingTheColumnMovesOnlyTheMarkers) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TwoPolyMixture);
    const PanelFields before = p.sim.panel;
    chooseTarget(p.view, p.sim, 1);
    EXPECT_EQ(p.sim.panel.text, before.text);
    EXPECT_EQ(p.sim.panel.visible, before.visible);
    StepForward(p.sim.browser, p.sim.panel, p.sim.state);
    EXPECT_NE(p.sim.panel.at(Field::PKa2_1), before.at(Field::PKa2_1));
    EXPECT_EQ(p.sim.panel.at(Field::PKa1), before.at(Field::PKa1));
}

TEST(MainPanel, TwoMonoacidStudyFromEntry30EndsOnEntry23) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TitrationVsVolume);
    p.stepTo(30);
    ASSERT_EQ(p.sim.state.row1, 30);
    p.study(Study::TwoMonoTitration);
    EXPECT_EQ(p.sim.browser.currentAcidEntry, 23);
    EXPECT_EQ(p.sim.state.row1, 23);
    // A side change there and back: the refresh steps forward (staying on 23), then back.
    p.side(BuretteSide::BaseSide);
    p.side(BuretteSide::AcidSide);
    EXPECT_EQ(p.sim.browser.currentAcidEntry, 22);
}

TEST(MainPanel, TwoMonoacidStudyHidesEveryPKa2AndPKa3Field) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TwoPolyMixture);
    chooseTarget(p.view, p.sim, 1);
    p.stepTo(31); // citric acid, a triacid, in column 2
    chooseTarget(p.view, p.sim, 0);
    p.stepTo(30); // phosphoric acid in column 1
    ASSERT_TRUE(p.shown(16));
    ASSERT_TRUE(p.shown(6));
    p.study(Study::TwoMonoTitration);
    for (int f : {5, 6, 15, 16}) EXPECT_FALSE(p.shown(f)) << "D" << f;
    EXPECT_FALSE(p.sim.panel.pKa2LabelVisible);
    EXPECT_FALSE(p.sim.panel.pKa3LabelVisible);
}

TEST(MainPanel, SideSwitchInMixtureLoadsColumnTwoAndKeepsColumnOne) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TwoPolyMixture);
    p.stepTo(17);
    const std::string column1 = p.sim.panel.at(Field::PKa1);
    p.side(BuretteSide::BaseSide);
    EXPECT_EQ(p.view.target.selected, -1);
    EXPECT_EQ(p.view.target.caption, "Concerne la ");
    EXPECT_EQ(p.sim.panel.at(Field::PKa1), column1);
    EXPECT_EQ(p.sim.panel.at(Field::PKa2_1),
              "24"); // base 1, the strong base: the pKa of its couple
    EXPECT_EQ(p.sim.state.row2, 1);
}

TEST(MainPanel, PotashSurvivesSideSwitches) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    chooseBaseKind(p.view, p.sim, 1);
    EXPECT_EQ(p.sim.panel.baseKind, BaseKind::Potash);
    p.side(BuretteSide::BaseSide);
    EXPECT_FALSE(p.view.baseKind.visible);
    p.side(BuretteSide::AcidSide);
    EXPECT_TRUE(p.view.baseKind.visible);
    EXPECT_EQ(p.view.baseKind.selected, 1);
    EXPECT_EQ(p.sim.panel.baseKind, BaseKind::Potash);
}

TEST(MainPanel, EachStudyLaysOutItsColumnsAndTheHydroniumBox) {
    struct Case {
        Study study;
        int unitColumn;
        bool column2;
        bool hydronium;
    } cases[] = {{Study::TitrationVsVolume, 1, false, true},
                 {Study::SpeciesVsPH, 1, false, false},
                 {Study::TwoMonoTitration, 2, true, true},
                 {Study::TwoPolyMixture, 2, true, true},
                 {Study::Dilution, 1, false, true}};
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide}) {
        for (const Case& c : cases) {
            Panel p;
            p.side(side);
            p.study(Study::SpeciesVsPH == c.study ? Study::Dilution : Study::SpeciesVsPH);
            p.sim.graph.checked[kHydroniumBox - 1] = !c.hydronium;
            p.study(c.study);
            const std::string label = texts::studyName(side, c.study, Language::French);
            EXPECT_EQ(p.view.unitColumn, c.unitColumn) << label;
            EXPECT_EQ(p.view.column2TitleVisible, c.column2) << label;
            EXPECT_EQ(p.view.target.visible, c.column2) << label;
            for (int f : {12, 13, 14}) EXPECT_EQ(p.shown(f), c.column2) << label << " D" << f;
            EXPECT_EQ(p.sim.graph.checked[kHydroniumBox - 1], c.hydronium) << label;
            EXPECT_TRUE(p.view.browserVisible && p.view.commandsVisible) << label;
        }
    }
}

TEST(MainPanel, ChoosingTheSelectedItemAgainRunsNothing) {
    Panel p;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TitrationVsVolume);
    // Move the current entry without loading it: a rerun of the side or study change would.
    p.sim.browser.currentAcidEntry = 20;
    p.side(BuretteSide::AcidSide);
    p.study(Study::TitrationVsVolume);
    EXPECT_EQ(p.sim.state.row1, 1);
    p.side(BuretteSide::BaseSide);
    p.side(BuretteSide::AcidSide);
    EXPECT_EQ(p.sim.state.row1, 20);
}

// Every text of the panel, in one list.
std::vector<std::string> panelTexts(const PanelView& v, const Simulation& sim) {
    std::vector<std::string> all{v.burette.caption,   v.studies.caption,  v.baseKind.caption,
                                 v.target.caption,    v.buretteConcLabel, v.beakerConcLabel,
                                 v.beakerVolumeLabel, v.column1Title,     v.column2Title,
                                 v.browserTitle,      v.entryTitle,       v.showCaption,
                                 v.copyCaption,       sim.panel.entryName};
    for (const Choice* c : {&v.burette, &v.studies, &v.baseKind, &v.target})
        all.insert(all.end(), c->items.begin(), c->items.end());
    return all;
}

TEST(MainPanel, ALanguageChangeRelabelsThePanelAsIfItHadStartedInThatLanguage) {
    const struct {
        const char* label;
        std::optional<BuretteSide> side;
        Study study;
    } cases[] = {
        {"before any choice", std::nullopt, Study::None},
        {"base side, no study yet", BuretteSide::BaseSide, Study::None},
        {"acid side titration", BuretteSide::AcidSide, Study::TitrationVsVolume},
        {"base side mixture", BuretteSide::BaseSide, Study::TwoPolyMixture},
    };
    for (const auto& c : cases) {
        Panel french, english(Language::English);
        for (Panel* p : {&french, &english}) {
            if (c.side) p->side(*c.side);
            if (c.study != Study::None) p->study(c.study);
        }
        const std::vector<std::string> frenchTexts = panelTexts(french.view, french.sim);
        EXPECT_NE(frenchTexts, panelTexts(english.view, english.sim)) << c.label;

        setLanguage(french.sim, Language::English);
        retranslatePanel(french.view, french.sim);
        EXPECT_EQ(panelTexts(french.view, french.sim), panelTexts(english.view, english.sim))
            << c.label;
        setLanguage(french.sim, Language::French);
        retranslatePanel(french.view, french.sim);
        EXPECT_EQ(panelTexts(french.view, french.sim), frenchTexts) << c.label;
    }
}

} // namespace
