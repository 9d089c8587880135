#include "MainWindowFixture.h"

#include "core/numbers/NumberInput.h"
#include "core/texts/Messages.h"
#include "ui/qt/QtTranslations.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/HelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolTip>

using namespace titralab;
using namespace titralab::testing;

namespace {

const char* kStudyItems[2][6] = {
    {"Monobase forte sur polyacide, f (v)", "Monobase forte sur polyacide, f (pH)",
     "Monobase forte sur 2 monoacides, f (v)", "Mélange de 2 polyacides, pH et c",
     "Dilution d'un acide", "Solutions libres"},
    {"Monoacide fort sur polybase, f (v)", "Monoacide fort sur polybase, f (pH)",
     "Monoacide fort sur 2 monobases, f (v)", "Mélange de 2 polybases, pH et c",
     "Dilution d'une base", "Solutions libres"}};

// ---- Before any choice, and the side and study choices ------------------------------

TEST(MainWindowPanel, BeforeAnyChoiceOnlyTheBuretteAndFourFieldsShow) {
    MainWindowFixture w;
    EXPECT_EQ(w.selected("sideChoice"), -1);
    EXPECT_EQ(w.find<RadioGroup>("sideChoice")->title(), "Dans la burette :");
    EXPECT_EQ(w.find<RadioGroup>("sideChoice")->items(),
              (QStringList{"Monobase forte", "Monoacide fort"}));
    for (const char* name : {"buretteConcentrationField", "concentration1Field", "volume1Field",
                             "pKa1Field", "pKa1Label"})
        EXPECT_TRUE(w.shown(name)) << name;
    for (const char* name : {"buretteConcentrationLabel",
                             "concentrationLabel",
                             "volumeLabel",
                             "pKa2Label",
                             "pKa3Label",
                             "pKa2Field",
                             "pKa3Field",
                             "concentration2Field",
                             "volume2Field",
                             "column2PKa1Field",
                             "column2PKa2Field",
                             "column2PKa3Field",
                             "studyChoice",
                             "strongBaseChoice",
                             "column1Title",
                             "column2Title",
                             "column1Marker",
                             "column2Marker",
                             "commandsDock",
                             "databaseDock",
                             "pasteBuffer"})
        EXPECT_FALSE(w.shown(name)) << name;
    EXPECT_EQ(w.text("buretteConcentrationField"), "1,0E-1");
    EXPECT_EQ(w.text("volume1Field"), "20E-3");
    EXPECT_EQ(w.text("pKa1Field"), "-10");
    EXPECT_EQ(w.text("entryNameField"), "acide fort");
    EXPECT_EQ(w.text("pKa1Label"), "p&Ka");
    EXPECT_EQ(w.text("showButton"), "Voir &simulation                      F11");
    EXPECT_EQ(w.text("copyButton"), "&Copier simulation...             Ctrl+C");
    EXPECT_EQ(w.text("lineWidthField"), "30");
}

TEST(MainWindowPanel, FirstSideChoiceShowsTheStudiesButNotTheBrowser) {
    for (int side : {0, 1}) {
        MainWindowFixture w;
        w.click("sideChoice", side);
        EXPECT_TRUE(w.shown("studyChoice"));
        EXPECT_EQ(w.selected("studyChoice"), -1);
        QStringList expected;
        for (const char* item : kStudyItems[side]) expected << QString::fromUtf8(item);
        EXPECT_EQ(w.find<RadioGroup>("studyChoice")->items(), expected);
        EXPECT_EQ(w.shown("strongBaseChoice"), side == 0);
        EXPECT_FALSE(w.shown("databaseDock"));
        EXPECT_FALSE(w.shown("commandsDock"));
        for (const char* name :
             {"buretteConcentrationLabel", "concentrationLabel", "volumeLabel", "column1Title"})
            EXPECT_TRUE(w.shown(name)) << name;
    }
}

TEST(MainWindowPanel, SideSwitchInStudyTwoKeepsTheStudyAndRelabels) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 2);
    EXPECT_EQ(w.text("buretteConcentrationLabel"), "Cbi");
    EXPECT_EQ(w.text("column1Title"), "Acide 1");
    w.click("sideChoice", 1);
    EXPECT_EQ(w.selected("studyChoice"), 2);
    EXPECT_EQ(w.selectedText("studyChoice"), "Monoacide fort sur 2 monobases, f (v)");
    EXPECT_EQ(w.text("buretteConcentrationLabel"), "Cai");
    EXPECT_EQ(w.text("concentrationLabel"), "Cbi");
    EXPECT_EQ(w.text("volumeLabel"), "Vbi");
    EXPECT_FALSE(w.shown("strongBaseChoice"));
    EXPECT_EQ(w.text("column1Title"), "Base 1");
    EXPECT_EQ(w.text("column2Title"), "Base 2");
    EXPECT_EQ(w.text("databaseTitle"), "Base de données des bases");
    EXPECT_EQ(w.text("entryNameTitle"), "Nom de la base");
    EXPECT_EQ(w.find<RadioGroup>("databaseColumnChoice")->title(), "Concerne la ");
    EXPECT_EQ(w.find<RadioGroup>("databaseColumnChoice")->items(),
              (QStringList{"Base 1", "Base 2"}));
    EXPECT_EQ(w.sim.panel.side, BuretteSide::BaseSide);
}

TEST(MainWindowPanel, MixtureStudyCaptionsAndTheirRestoration) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 3);
    EXPECT_EQ(w.text("showButton"), "Afficher ré&sultats  F11");
    EXPECT_EQ(w.text("copyButton"), "&Copier résultats  Ctrl+C");
    w.click("studyChoice", 0);
    EXPECT_EQ(w.text("showButton"), "Voir &simulation  F11");
    EXPECT_EQ(w.text("copyButton"), "&Copier simulation... Ctrl+C");
}

TEST(MainWindowPanel, DilutionAfterTwoMonoacidsWithAcid2ResetsTheColumns) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 2);
    const int unitsRightOfColumn2 = w.find("concentrationUnit")->x();
    EXPECT_GT(unitsRightOfColumn2, w.field(12)->geometry().right());
    w.click("databaseColumnChoice", 1);
    EXPECT_FALSE(w.shown("column1Marker"));
    EXPECT_TRUE(w.shown("column2Marker"));
    w.click("studyChoice", 4);
    EXPECT_EQ(w.selected("databaseColumnChoice"), 0);
    EXPECT_FALSE(w.shown("databaseColumnChoice"));
    EXPECT_TRUE(w.shown("column1Marker"));
    EXPECT_FALSE(w.shown("column2Marker"));
    EXPECT_FALSE(w.shown("column2Title"));
    for (int f = 12; f <= 16; ++f) EXPECT_TRUE(w.field(f)->isHidden()) << "D" << f;
    // The unit labels stand right of column 1 again, where column 2 would begin.
    for (const char* unit : {"concentrationUnit", "volumeUnit"}) {
        EXPECT_GT(w.find(unit)->x(), w.field(2)->geometry().right()) << unit;
        EXPECT_LT(w.find(unit)->x(), unitsRightOfColumn2) << unit;
    }
}

TEST(MainWindowPanel, StudyChangesTellTheGraphWindowAboutTheHydroniumBox) {
    MainWindowFixture w;
    QSignalSpy ticks(w.window.get(), &MainWindow::hydroniumTickChanged);
    w.click("sideChoice", 0);
    EXPECT_EQ(ticks.count(), 0); // no study yet
    const bool expected[5] = {true, false, true, true, true};
    for (int study : {1, 0, 2, 3, 4, 1}) {
        w.click("studyChoice", study);
        ASSERT_FALSE(ticks.isEmpty()) << study;
        EXPECT_EQ(ticks.takeLast().at(0).toBool(), expected[study]) << study;
        EXPECT_EQ(w.sim.graph.checked[kHydroniumBox - 1], expected[study]) << study;
    }
    w.click("sideChoice", 1); // reselects the study
    ASSERT_FALSE(ticks.isEmpty());
    EXPECT_FALSE(ticks.takeLast().at(0).toBool());
}

TEST(MainWindowPanel, PotashStaysChosenAcrossSideSwitches) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("strongBaseChoice", 1);
    w.click("sideChoice", 1);
    w.click("sideChoice", 0);
    EXPECT_EQ(w.selected("strongBaseChoice"), 1);
    EXPECT_EQ(w.sim.panel.baseKind, BaseKind::Potash);
}

// ---- Database browser -----------------------------------------------------------------

TEST(MainWindowBrowser, TwoMonoacidStudyFromEntry30EndsOn23ThenOn22AfterSideSwitches) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 0);
    for (int k = 1; k < 30; ++k) w.clickButton("nextEntryButton");
    EXPECT_EQ(w.text("entryNameField"), "acide phosphorique");
    EXPECT_TRUE(w.shown("pKa2Field"));
    EXPECT_TRUE(w.shown("pKa3Field"));
    w.click("studyChoice", 2);
    EXPECT_EQ(w.sim.state.row1, 23);
    EXPECT_EQ(w.text("entryNameField"), "eau");
    EXPECT_EQ(w.text("pKa1Field"), "14");
    for (const char* name : {"pKa2Field", "pKa3Field", "column2PKa2Field", "column2PKa3Field",
                             "pKa2Label", "pKa3Label"})
        EXPECT_FALSE(w.shown(name)) << name;
    w.clickButton("nextEntryButton"); // stays on the last monoprotic entry
    EXPECT_EQ(w.sim.state.row1, 23);
    w.click("sideChoice", 1);
    w.click("sideChoice", 0);
    EXPECT_EQ(w.sim.browser.currentAcidEntry, 22);
    EXPECT_EQ(w.text("entryNameField"), "phénol");
}

TEST(MainWindowBrowser, StepsStopAtBothEndsOnEachSide) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 0);
    w.clickButton("previousEntryButton");
    EXPECT_EQ(w.text("entryNameField"), "acide fort");
    for (int k = 0; k < 40; ++k) w.clickButton("nextEntryButton");
    EXPECT_EQ(w.text("entryNameField"), "sulfure de dihydrogène");
    EXPECT_EQ(w.text("pKa1Field"), "7");
    EXPECT_EQ(w.text("pKa2Field"), "12,9");
    EXPECT_EQ(w.text("pKa3Field"), "50");
    w.click("sideChoice", 1);
    QStringList names;
    w.clickButton("previousEntryButton");
    names << w.text("entryNameField");
    for (int k = 0; k < 3; ++k) {
        w.clickButton("nextEntryButton");
        names << w.text("entryNameField");
    }
    EXPECT_EQ(names, (QStringList{"base forte", "base faible", "diméthylamine", "triéthylamine"}));
    for (int k = 0; k < 20; ++k) w.clickButton("nextEntryButton");
    EXPECT_EQ(w.text("entryNameField"), "ion hydrogénophosphate");
    EXPECT_EQ(w.text("pKa1Field"), "7,2"); // the pKa of each couple, the first protonation first
    EXPECT_EQ(w.text("pKa2Field"), "2,1");
}

TEST(MainWindowBrowser, ColumnTwoTargetMovesTheMarkerAndTheNextStepFillsColumnTwo) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 3);
    const QString column1 = w.text("pKa1Field");
    const QString column2 = w.text("column2PKa1Field");
    w.click("databaseColumnChoice", 1);
    EXPECT_FALSE(w.shown("column1Marker"));
    EXPECT_TRUE(w.shown("column2Marker"));
    EXPECT_EQ(w.text("column2PKa1Field"), column2); // unchanged until the next step
    w.clickButton("nextEntryButton");
    EXPECT_NE(w.text("column2PKa1Field"), column2);
    EXPECT_EQ(w.text("pKa1Field"), column1);
}

// ---- Keys and shortcuts ---------------------------------------------------------------

struct ActiveWindow : MainWindowFixture {
    ActiveWindow() {
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

TEST(MainWindowKeys, TypedCharactersAreMappedInTheFields) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"2.5e-3", "2,5E-3"}, {"1x-3", "1E-3"}, {"0,1", "0,1"}, {"7Ab", "7EE"}};
    ActiveWindow w;
    for (const Case& c : cases) {
        QLineEdit* d2 = w.field(2);
        d2->clear();
        d2->setFocus();
        QTest::keyClicks(d2, c.typed);
        EXPECT_EQ(d2->text(), c.shown) << c.typed;
        EXPECT_EQ(w.sim.panel.at(Field::Concentration1), c.shown) << c.typed;
    }
    EXPECT_DOUBLE_EQ(ParseBoundedNumber("2,5E-3", 1e-8, 15).value, 0.0025);
}

TEST(MainWindowKeys, SpaceMovesToTheNextField) {
    ActiveWindow w;
    w.field(2)->setFocus();
    QTest::keyClick(w.field(2), Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), w.field(3));
    EXPECT_EQ(w.field(2)->text(), "1,0E-1");
}

TEST(MainWindowKeys, MenuShortcutsWinOverTheFieldsOwnKeys) {
    ActiveWindow w;
    QLineEdit* d2 = w.field(2);
    d2->setFocus();
    d2->selectAll();
    QApplication::clipboard()->setText("12\t7.5\n14\t8");
    QTest::keyClick(d2, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w.calls.copy, 1);
    EXPECT_EQ(QApplication::clipboard()->text(), "12\t7.5\n14\t8"); // the field copied nothing
    QTest::keyClick(d2, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(d2->text(), "1,0E-1"); // the field pasted nothing
    EXPECT_EQ(w.find<QPlainTextEdit>("pasteBuffer")->toPlainText(), "12\t7.5\n14\t8");
    EXPECT_TRUE(w.sim.pasted.volumeFirst);
    QTest::keyClick(d2, Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(w.sim.pasted.volumeFirst);
    EXPECT_EQ(w.sim.pasted.lines.size(), 2u);
}

TEST(MainWindowKeys, EnterF11AndCtrlPShowTheStudysWindow) {
    ActiveWindow w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 0);
    w.field(3)->setFocus();
    QTest::keyClick(w.field(3), Qt::Key_Return);
    QTest::keyClick(w.field(3), Qt::Key_F11);
    QTest::keyClick(w.field(3), Qt::Key_P, Qt::ControlModifier);
    w.find<QRadioButton>("studyChoice_0")->setFocus();
    QTest::keyClick(w.find<QRadioButton>("studyChoice_0"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.calls.graph, 4);
    EXPECT_EQ(w.calls.mixture, 0);
    w.click("studyChoice", 3);
    QTest::keyClick(w.field(3), Qt::Key_F11);
    QTest::keyClick(w.field(3), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(w.calls.mixture, 2);
    EXPECT_EQ(w.calls.graph, 4);
    EXPECT_TRUE(w.messages.messages.empty());
}

// ---- Show command and messages ----------------------------------------------------------

TEST(MainWindowShow, EveryFailedCheckIsReportedInOrderEvenForHiddenFields) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 2);
    QTest::keyClicks(w.field(12), "abc"); // becomes "EEE"
    w.click("studyChoice", 0);            // D12 is hidden now
    w.field(4)->selectAll();
    QTest::keyClicks(w.field(4), "51");
    w.clickButton("showButton");
    EXPECT_EQ(w.messages.messages,
              (std::vector<std::string>{texts::numberRangeMessage(Language::French),
                                        texts::concentrationRangeMessage(Language::French)}));
    EXPECT_EQ(w.text("pKa1Field"), "51"); // the field keeps what was typed
    EXPECT_EQ(w.calls.graph, 1);
}

// ---- Menus, tool bar and options --------------------------------------------------------

TEST(MainWindowMenus, EntriesShortcutsAndSeparators) {
    struct MenuCase {
        const char* title;
        QStringList entries; // "-" for a separator; a shortcut after a tab
    };
    struct LanguageCase {
        Language language;
        const char* caption;
        MenuCase menus[5];
        const char* navigatorTip;
        const char* copyTip;
    } cases[] = {
        {Language::French,
         "pH, conductivité, concentrations : réalisé par l'équipe TitraLab",
         {{"&Fichier",
           {"Ou&vrir…\tCtrl+O", "&Enregistrer\tCtrl+S", "Enregistrer &sous…\tCtrl+Shift+S",
            "Études &récentes", "-", "Importer des &mesures…\tCtrl+I", "&Corriger des copies…", "-",
            "&Ouvrir un texte de travail pratique", "-", "&Imprimer...\tCtrl+P", "-",
            "&Lancer le navigateur Velmor", "&Quitter\tCtrl+Q",
            "Q&uitter et lancer le navigateur"}},
          {"&Edition",
           {"&Voir simulation\tF11", "-", "&Copier simulation...\tCtrl+C", "-",
            "Co&ller des couples (v, pH)\tCtrl+V", "Coll&er des couples (pH, v)\tCtrl+B", "-",
            "Ajuster aux points collés…"}},
          {"&Options",
           {"&Bulles d'aide", "-", "Séparateur décimal = &virgule", "Séparateur décimal = &point",
            "-", "&Activités (Davies)", "-", "&Langue"}},
          {"Ou&tils", {"&Base de données des solutés…", "&Diagrammes de la solution…\tCtrl+D"}},
          {"&Aide",
           {"&Index\tF1", "&Travaux pratiques", "Pré&cision des calculs", "E&xemples d'études", "-",
            "&Page d'accueil Velmor", "&Ecrire à l'auteur", "-", "&A propos"}}},
         "Lance d'autres programmes de cette suite",
         "Transfert vers un tableur, ou un logiciel de dessin"},
        {Language::English,
         "pH, conductivity, concentrations: made by the TitraLab team",
         {{"&File",
           {"&Open…\tCtrl+O", "&Save\tCtrl+S", "Save &as…\tCtrl+Shift+S", "&Recent studies", "-",
            "Import &measurements…\tCtrl+I", "Mar&k answers…", "-", "Open a practical &work sheet",
            "-", "&Print...\tCtrl+P", "-", "&Launch the Velmor navigator", "&Quit\tCtrl+Q",
            "Q&uit and launch the navigator"}},
          {"&Edit",
           {"&Show simulation\tF11", "-", "&Copy simulation...\tCtrl+C", "-",
            "&Paste pairs (v, pH)\tCtrl+V", "P&aste pairs (pH, v)\tCtrl+B", "-",
            "Fit to pasted points…"}},
          {"&Options",
           {"&Tooltips", "-", "Decimal separator = &comma", "Decimal separator = &point", "-",
            "&Activities (Davies)", "-", "&Language"}},
          {"Too&ls", {"Solute &database…", "D&iagrams of the solution…\tCtrl+D"}},
          {"&Help",
           {"&Index\tF1", "&Practical work", "&Calculation accuracy", "&Example studies", "-",
            "Velmor &home page", "&Mail the author", "-", "A&bout"}}},
         "Starts other programs of this suite",
         "Transfer to a spreadsheet or a drawing program"},
    };
    for (const LanguageCase& c : cases) {
        const QtTranslations translations(c.language);
        MainWindowFixture w(builtPaths(), c.language);
        const char* code = languageCode(c.language);
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(c.caption)) << code;
        const QList<QAction*> bar = w.window->menuBar()->actions();
        ASSERT_EQ(bar.size(), 5);
        for (int m = 0; m < 5; ++m) {
            EXPECT_EQ(bar[m]->text(), QString::fromUtf8(c.menus[m].title)) << code;
            QStringList entries;
            for (QAction* a : bar[m]->menu()->actions()) {
                QString e = a->isSeparator() ? "-" : a->text();
                if (!a->shortcut().isEmpty()) e += "\t" + a->shortcut().toString();
                entries << e;
            }
            EXPECT_EQ(entries, c.menus[m].entries) << code << " " << c.menus[m].title;
        }
        EXPECT_EQ(w.find<QAction>("startNavigatorAction")->statusTip(),
                  QString::fromUtf8(c.navigatorTip))
            << code;
        EXPECT_EQ(w.find<QAction>("copySimulationAction")->statusTip(),
                  QString::fromUtf8(c.copyTip))
            << code;
        EXPECT_EQ(bar[1]->menu()->defaultAction()->objectName(), "showSimulationAction");
        EXPECT_EQ(bar[4]->menu()->defaultAction()->objectName(), "helpContentsAction");
    }
}

TEST(MainWindowMenus, ToolBarButtonsAndTheirHints) {
    MainWindowFixture w;
    const QList<QAction*> tools = w.find<QToolBar>("toolBar")->actions();
    ASSERT_EQ(tools.size(), 5);
    const char* expected[5][4] = {
        {"&Ouvrir", "Ouvrir", "Ouvrir une étude (.titralab)", "1"},
        {"&Enregistrer", "Enregistrer", "Enregistrer l'étude (.titralab)", "1"},
        {"&Imprimer", "Imprimer", "Imprimer", "1"},
        {"&Copier", "Copier", "Copier un graphique ou des nombres pour un tableur", "1"},
        {"&Index", "Aide", "Index d'aide en ligne", "1"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tools[i]->text(), QString::fromUtf8(expected[i][0]));
        EXPECT_EQ(tools[i]->toolTip(), QString::fromUtf8(expected[i][1]));
        EXPECT_EQ(tools[i]->statusTip(), QString::fromUtf8(expected[i][2]));
        EXPECT_EQ(tools[i]->isEnabled(), expected[i][3][0] == '1') << i;
    }
    tools[2]->trigger();
    EXPECT_EQ(w.calls.graph, 1);
    tools[3]->trigger();
    EXPECT_EQ(w.calls.copy, 1);
}

TEST(MainWindowMenus, EachSeparatorEntrySwitchesToTheOtherSeparator) {
    MainWindowFixture w;
    auto* comma = w.find<QAction>("decimalCommaAction");
    auto* point = w.find<QAction>("decimalPointAction");
    EXPECT_TRUE(w.sim.exportSettings.decimalComma);
    EXPECT_TRUE(comma->isChecked());
    struct Step {
        QAction* chosen;
        bool comma;
    } steps[] = {{point, false}, {point, true}, {comma, false}, {comma, true}};
    for (const Step& s : steps) {
        s.chosen->trigger();
        EXPECT_EQ(w.sim.exportSettings.decimalComma, s.comma);
        EXPECT_EQ(comma->isChecked(), s.comma);
        EXPECT_EQ(point->isChecked(), !s.comma);
    }
}

TEST(MainWindowMenus, BubblesAreShownOnlyWhileTheOptionIsChecked) {
    ActiveWindow w;
    QLineEdit* d4 = w.field(4);
    // The bubble a help event over D4 brings up, if any.
    auto bubble = [&] {
        QToolTip::hideText();
        QTest::qWait(400);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), d4->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(d4, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(bubble(), "pKa1 de l'acide dans le bécher");
    w.find<QAction>("tooltipsAction")->trigger();
    EXPECT_FALSE(w.find<QAction>("tooltipsAction")->isChecked());
    EXPECT_EQ(bubble(), "");
    w.find<QAction>("tooltipsAction")->trigger();
    EXPECT_EQ(bubble(), "pKa1 de l'acide dans le bécher");
}

// ---- Help -----------------------------------------------------------------------------------

TEST(MainWindowHelp, F1OpensTheTopicOfTheFocusedControlElseTheContents) {
    ActiveWindow w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 0);
    struct Case {
        const char* control;
        const char* page;
    } cases[] = {{"showButton", "contexte-11.html"},
                 {"copyButton", "contexte-13.html"},
                 {"lineWidthField", "contexte-2.html"},
                 {"concentration1Field", "index.html"}};
    for (const Case& c : cases) {
        QWidget* control = w.find(c.control);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
        EXPECT_EQ(w.window->helpViewer()->currentPage(), c.page) << c.control;
    }
    w.find<QAction>("practicalWorkHelpAction")->trigger();
    EXPECT_EQ(w.window->helpViewer()->currentPage(), "Propositions.html");
    w.find<QAction>("precisionHelpAction")->trigger();
    EXPECT_EQ(w.window->helpViewer()->currentPage(), "Precision.html");
    w.find<QAction>("helpContentsAction")->trigger();
    EXPECT_EQ(w.window->helpViewer()->currentPage(), "index.html");
}

TEST(MainWindowHelp, F1InAMenuOpensTheMenusTopic) {
    ActiveWindow w;
    struct Case {
        const char* menu;
        const char* active; // the entry under the cursor, if any
        const char* page;
    } cases[] = {{"fileMenu", nullptr, "contexte-17.html"},
                 {"editMenu", "copySimulationAction", "contexte-17.html"},
                 {"optionsMenu", nullptr, "index.html"},
                 {"helpMenu", "helpContentsAction", "index.html"},
                 {"helpMenu", "precisionHelpAction", "contexte-17.html"}};
    for (const Case& c : cases) {
        w.window->helpViewer()->showContext(system::help::kLineWidth);
        auto* menu = w.find<QMenu>(c.menu);
        menu->popup(w.window->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        if (c.active) menu->setActiveAction(w.find<QAction>(c.active));
        QTest::keyClick(menu, Qt::Key_F1);
        EXPECT_EQ(w.window->helpViewer()->currentPage(), c.page) << c.menu;
        EXPECT_FALSE(menu->isVisible()) << c.menu;
    }
}

// ---- Icons and the about box -----------------------------------------------------------------

TEST(MainWindowIcons, SideSwitchGivesEveryWindowTheSideIcon) {
    MainWindowFixture w;
    AboutBox about(Language::French, "titralab", w.window->sideIcon());
    w.window->setAboutBox(&about);
    QSignalSpy icons(w.window.get(), &MainWindow::sideIconChanged);
    auto picture = [](const QLabel* l) { return l->pixmap().toImage(); };
    const QImage acid = picture(about.findChild<QLabel*>("ProgramIcon"));
    w.click("sideChoice", 1);
    ASSERT_EQ(icons.count(), 1);
    const QImage base = picture(about.findChild<QLabel*>("ProgramIcon"));
    EXPECT_NE(base, acid);
    const QColor liquid = picture(w.find<QLabel>("lineWidthIcon")).pixelColor(16, 28);
    EXPECT_GT(liquid.blue(), liquid.red()); // the base side's liquid is blue
    w.click("sideChoice", 0);
    EXPECT_EQ(picture(about.findChild<QLabel*>("ProgramIcon")), acid);
    EXPECT_EQ(icons.count(), 2);
}

TEST(AboutBox, TextsAndSize) {
    AboutBox about(Language::French, "titralab", QIcon());
    EXPECT_EQ(about.windowTitle(), "A propos");
    EXPECT_EQ(about.findChild<QLabel*>("ProductName")->text(), "titralab");
    EXPECT_EQ(about.findChild<QLabel*>("Version")->text(), "Version : 3.4.0.");
    EXPECT_EQ(about.findChild<QLabel*>("Comments")->text(),
              "Etude des réactions acido basiques, conductivité");
    auto* ok = about.findChild<QPushButton*>("okButton");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(about.size(), QSize(298, 213));
}

} // namespace
