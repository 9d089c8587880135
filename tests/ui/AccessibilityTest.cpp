// Keyboard and screen-reader use of the windows: accessible names on every control, distinct
// mnemonics, Tab reaching every control, the tab order, the chart's summary and its keyboard
// cursor.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "core/curves/ChartReading.h"
#include "core/curves/Readout.h"
#include "core/session/ChartReading.h"
#include "core/session/Readout.h"
#include "core/session/WindowDescriptions.h"
#include "core/texts/Messages.h"
#include "ui/qt/QtTranslations.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/DiagramWindow.h"
#include "ui/windows/FamilyDialog.h"
#include "ui/windows/FitDialog.h"
#include "ui/windows/MarksDialog.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/MySpeciesDialog.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/PanelSliders.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"
#include "ui/windows/SoluteDatabaseWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QImage>
#include <QMenuBar>
#include <QRadioButton>
#include <QSlider>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>

using namespace titralab;
using namespace titralab::testing;

namespace {

// The window a control belongs to: a dock or a tool bar dragged off a window still belongs
// to it; a dialog the window owns does not.
const QWidget* owningWindow(const QWidget* w) {
    const QWidget* window = w->window();
    while ((qobject_cast<const QDockWidget*>(window) || qobject_cast<const QToolBar*>(window)) &&
           window->parentWidget())
        window = window->parentWidget()->window();
    return window;
}

// What a screen reader is told a widget is called.
QString spokenName(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

struct Walk {
    QStringList named;     // object names of the focusable controls with a name of their own
    QStringList unnamed;   // "object name (class)" of the others
    QStringList clashes;   // mnemonics that two captions of one window or one menu share
    QStringList unreached; // shown controls that Tab never reaches
    int mnemonics{0};      // how many mnemonics the walk met
};

// The key of a caption's mnemonic ("Co&ller" gives L), 0 without one.
int mnemonicOf(const QString& caption) {
    const QKeySequence key = QKeySequence::mnemonic(caption);
    return key.isEmpty() ? 0 : key[0].key();
}

// Mnemonics that clash in one scope, from the scope's captions and where each stands.
void findClashes(const QList<QPair<QString, QString>>& captions, Walk& out) {
    QHash<int, QString> taken;
    for (const auto& [where, caption] : captions) {
        const int key = mnemonicOf(caption);
        if (!key) continue;
        ++out.mnemonics;
        if (taken.contains(key))
            out.clashes << QStringLiteral("%1 / %2 (Alt+%3)").arg(taken.value(key), where, QChar(key));
        else
            taken.insert(key, where);
    }
}

// A menu's entries among themselves, then the menus it opens.
void walkMenu(QMenu* menu, Walk& out) {
    QList<QPair<QString, QString>> captions;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        captions.append({menu->title() + " > " + a->text(), a->text()});
        if (a->menu()) walkMenu(a->menu(), out);
    }
    findClashes(captions, out);
}

// The window's own scope: the menu bar's titles, and the shown buttons, group boxes and
// labels that lead to a control.
void walkMnemonics(QWidget* window, Walk& out) {
    QList<QPair<QString, QString>> captions;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (owningWindow(w) != window || !w->isVisibleTo(window) || !w->isEnabled()) continue;
        if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : bar->actions())
                if (a->isVisible() && a->menu()) {
                    captions.append({"menu " + a->text(), a->text()});
                    walkMenu(a->menu(), out);
                }
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            captions.append({w->objectName(), b->text()});
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            captions.append({w->objectName(), g->title()});
        } else if (auto* l = qobject_cast<QLabel*>(w);
                   l && l->buddy() && l->buddy()->isVisibleTo(window)) {
            captions.append({w->objectName(), l->text()});
        }
    }
    findClashes(captions, out);
}

// Presses Tab round the shown window and lists the shown controls it never reaches; of the
// radio buttons of one choice only the selected one is a Tab stop (the arrows move inside it).
void walkTabs(QWidget* window, Walk& out) {
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) {
        out.unreached << "the window could not be activated";
        return;
    }
    QList<QWidget*> stops;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (owningWindow(w) == window && w->isVisibleTo(window) && w->isEnabled() &&
            !w->focusProxy() && (w->focusPolicy() & Qt::TabFocus))
            stops << w;
    if (stops.isEmpty()) return;
    QSet<QWidget*> reached;
    stops.front()->setFocus(Qt::TabFocusReason);
    for (int k = 0; k < 4 * stops.size() + 10; ++k) {
        QWidget* at = QApplication::focusWidget();
        if (!at || reached.contains(at)) break;
        reached.insert(at);
        QTest::keyClick(at, Qt::Key_Tab);
        if (QApplication::focusWidget() == at) // a text area keeps Tab: Ctrl+Tab leaves it
            QTest::keyClick(at, Qt::Key_Tab, Qt::ControlModifier);
    }
    for (QWidget* w : stops) {
        if (reached.contains(w)) continue;
        bool choiceReached = false;
        if (auto* radio = qobject_cast<QRadioButton*>(w); radio && radio->autoExclusive())
            for (QWidget* other : reached)
                choiceReached |= qobject_cast<QRadioButton*>(other) &&
                                 other->parentWidget() == w->parentWidget();
        if (!choiceReached)
            out.unreached << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                           w->metaObject()->className());
    }
}

// Every control of `window` that can take the focus, shown or not: each must carry a name of
// its own (not the one Qt makes up from a caption or a buddy label), and that must be the name
// the accessibility interface hands on. Then, on the window shown: its mnemonics, and Tab.
Walk walk(QWidget* window) {
    Walk out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (owningWindow(w) != window) continue;
        if (w->focusPolicy() == Qt::NoFocus || w->focusProxy()) continue;
        const QString name = w->accessibleName();
        // On Linux a combo box speaks its current text as its name, and its label through the
        // labelled-by relation: the name it is given is what that relation is checked against.
        const bool spokenAsGiven = qobject_cast<QComboBox*>(w) || spokenName(w) == name;
        if (name.isEmpty() || name == w->objectName() || name.contains('&') || !spokenAsGiven)
            out.unnamed << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                         w->metaObject()->className());
        else
            out.named << w->objectName();
    }
    walkMnemonics(window, out);
    walkTabs(window, out);
    return out;
}

struct WindowCase {
    const char* label;
    std::function<Walk(Language)> walkWindow;
    QStringList mustWalk; // controls the walk must have met, so that it cannot pass empty
    bool namesChecked{true}; // false while a window's names are being reworked elsewhere
};

// A window case in one language.
struct LanguageCase {
    WindowCase window;
    Language language;
};

void PrintTo(const LanguageCase& c, std::ostream* os) {
    *os << c.window.label << " " << languageCode(c.language);
}

// The main window as the program has it, its sliders included.
Walk walkMainWindow(int side, int study, Language language) {
    MainWindowFixture w(builtPaths(), language);
    PanelSliders sliders(w.sim, w.window.get());
    w.window->showPanelState();
    if (side >= 0) w.click("sideChoice", side);
    if (study >= 0) w.click("studyChoice", study);
    return walk(w.window.get());
}

// A graph window with the readings a teacher turns on.
Walk walkGraphWindow(Study study, int entry1, BuretteSide side, int entry2, Language language) {
    Simulation sim = simulationFor(study, entry1, side, entry2);
    setLanguage(sim, language);
    sim.reading.options.equivalences = true;
    sim.reading.options.derivative = true;
    sim.reading.options.indicator = 0;
    refresh(sim);
    RecordingNotifier messages;
    GraphWindow window(sim, messages);
    window.prepare();
    window.resize(1000, 700);
    return walk(&window);
}

Simulation studyIn(Study study, Language language, int entry1 = 17) {
    Simulation sim = simulationFor(study, entry1);
    setLanguage(sim, language);
    return sim;
}

std::vector<WindowCase> windowCases() {
    return {
        {"MainWindowAtStart",
         [](Language l) { return walkMainWindow(-1, -1, l); },
         {"sideChoice_1", "pKa1Field", "pKa1Slider"}},
        {"MainWindowAcidTwoAcids",
         [](Language l) { return walkMainWindow(0, 2, l); },
         {"strongBaseChoice_1", "studyChoice_4", "buretteConcentrationField", "column2PKa3Field",
          "lineWidthField", "showButton", "copyButton", "pastePHFirstButton", "entryNameField",
          "previousEntryButton", "databaseColumnChoice_1", "column2PKa1Slider"}},
        {"MainWindowBaseMixture",
         [](Language l) { return walkMainWindow(1, 3, l); },
         {"studyChoice_3", "column2PKa1Field", "nextEntryButton", "printButton"}},
        {"GraphWindowTitration",
         [](Language l) {
             return walkGraphWindow(Study::TitrationVsVolume, 30, BuretteSide::AcidSide, 30, l);
         },
         {"chart", "pointCountField", "dilutionBox", "column2Species2Box", "hydroniumBox",
          "copyButton", "IndicatorChoice", "ParticularPoint"}},
        {"GraphWindowTwoBases",
         [](Language l) {
             return walkGraphWindow(Study::TwoMonoTitration, 2, BuretteSide::BaseSide, 7, l);
         },
         {"chart", "column2Species1Box", "printButton"}},
        {"MixtureWindow",
         [](Language l) {
             Simulation sim = studyIn(Study::TwoPolyMixture, l, 30);
             refresh(sim);
             MixtureWindow window(sim);
             window.prepare();
             return walk(&window);
         },
         {"polyacid1PKa1Field", "mixtureVolumeField", "mixtureSpecies8Field", "okButton"}},
        {"CopyDialog",
         [](Language l) {
             Simulation sim = studyIn(Study::TitrationVsVolume, l);
             RecordingNotifier notes;
             QTemporaryDir dir;
             CopyDialog dialog(sim, notes, dir.path().toStdString());
             dialog.prepare();
             return walk(&dialog);
         },
         {"pointCountField", "samplingChoice_0", "samplingChoice_1", "copyButton", "cancelButton"}},
        {"PrintDialog",
         [](Language l) {
             Simulation sim = simulationIn(l);
             RecordingNotifier notes;
             PrintDialog dialog(sim, notes);
             return walk(&dialog);
         },
         {"lineWidthField", "dashLengthField", "graduationsField", "arrowsBox",
          "pageFormatChoice_2", "comment2Field", "pointStyleButton", "previewButton"}},
        {"PointStyleChooser",
         [](Language l) {
             Simulation sim = simulationIn(l);
             PointStyleDialog chooser(sim);
             return walk(&chooser);
         },
         {"styleChoice_0", "styleChoice_7", "okButton"}},
        {"FitDialog",
         [](Language l) {
             Simulation sim = studyIn(Study::TitrationVsVolume, l, 30);
             refresh(sim);
             FitDialog fit(sim);
             return walk(&fit);
         },
         {}},
        {"FamilyDialog",
         [](Language l) {
             Simulation sim = studyIn(Study::TitrationVsVolume, l, 30);
             refresh(sim);
             RecordingNotifier notes;
             FamilyDialog family(l, notes);
             family.prepare(sim);
             return walk(&family);
         },
         {}},
        {"AboutBox",
         [](Language l) {
             AboutBox about(l, "titralab", QIcon());
             return walk(&about);
         },
         {"okButton"}},
        {"TextReader",
         [](Language l) {
             QTemporaryDir dir;
             SheetReaderWindow reader(l, dir.path());
             return walk(&reader);
         },
         {"sheetText"}},
        {"SoluteDatabaseWindow",
         [](Language l) {
             QTemporaryDir dir;
             SoluteDatabaseWindow database(l, '.', builtPaths().dataFolder,
                                           dir.filePath("mes-especes.tsv").toStdString());
             return walk(&database);
         },
         {}},
        {"DiagramWindow",
         [](Language l) {
             Simulation sim = studyIn(Study::TitrationVsVolume, l, 30);
             refresh(sim);
             DiagramWindow diagrams(sim);
             return walk(&diagrams);
         },
         {"diagramViews", "diagramFloor", "diagramCanvas"}},
        {"MarksDialog",
         [](Language l) {
             ExerciseKey key;
             key.title = "Dosage";
             key.questions = {{"C1", {2, true}, 2}};
             FileMark ana;
             ana.file = "Ana.titralab";
             ana.student = "Ana";
             ana.answers = {{"C1", "0,1", 0.1, 0.1, true, 2, 2}};
             ana.points = ana.possible = 2;
             RecordingNotifier notes;
             MarksDialog marks(key, {ana}, l, notes);
             return walk(&marks);
         },
         {"marksTable", "copyButton", "workbookButton", "csvButton", "closeButton"}},
        {"MySpeciesDialog",
         [](Language l) {
             QTemporaryDir dir;
             MySpeciesDialog editor(l, '.', dir.filePath("mes-especes.tsv").toStdString());
             return walk(&editor);
         },
         {}},
    };
}

std::vector<LanguageCase> languageCases() {
    std::vector<LanguageCase> out;
    for (Language l : {Language::French, Language::English})
        for (const WindowCase& c : windowCases()) out.push_back({c, l});
    return out;
}

class EveryFocusableControl : public ::testing::TestWithParam<LanguageCase> {};

// Every control has a name; no two captions of a window, or of a menu, share a mnemonic (the
// key would only move between them); Tab reaches every control shown.
TEST_P(EveryFocusableControl, IsNamedReachedByTabAndHasItsOwnMnemonic) {
    const QtTranslations translations(GetParam().language);
    const Walk w = GetParam().window.walkWindow(GetParam().language);
    if (GetParam().window.namesChecked)
        EXPECT_TRUE(w.unnamed.isEmpty())
            << "without a name: " << w.unnamed.join(", ").toStdString();
    for (const QString& control : GetParam().window.mustWalk)
        EXPECT_TRUE(w.named.contains(control)) << control.toStdString() << " not met";
    EXPECT_TRUE(w.clashes.isEmpty()) << "shared mnemonics: " << w.clashes.join("; ").toStdString();
    EXPECT_TRUE(w.unreached.isEmpty())
        << "not reached by Tab: " << w.unreached.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryFocusableControl, ::testing::ValuesIn(languageCases()),
                         [](const auto& info) {
                             return std::string(info.param.window.label) + "_" +
                                    languageCode(info.param.language);
                         });

TEST(MainWindowAccessibility, NamesFollowTheSideAndTheStudy) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 2);
    EXPECT_EQ(spokenName(w.field(2)), "Concentration de l'acide 1, en mol/L");
    EXPECT_EQ(spokenName(w.field(14)), "pKa1 de l'acide 2");
    EXPECT_EQ(spokenName(w.find("nextEntryButton")), "Acide suivant de la base de données");
    QAccessibleInterface* d2 = QAccessible::queryAccessibleInterface(w.field(2));
    ASSERT_NE(d2, nullptr);
    EXPECT_EQ(d2->text(QAccessible::Description),
              "Concentration de l'acide (mono, di ou tri) dans le bécher, en mol/L");

    w.click("sideChoice", 1);
    EXPECT_EQ(spokenName(w.field(2)), "Concentration de la base 1, en mol/L");
    EXPECT_EQ(spokenName(w.field(14)), "pKa1 du couple de la base 2");
    EXPECT_EQ(spokenName(w.find("nextEntryButton")), "Base suivante de la base de données");
    // The study items were made anew for the side; they are named again.
    EXPECT_EQ(spokenName(w.find("studyChoice_2")), "Étude : Monoacide fort sur 2 monobases, f (v)");

    w.click("studyChoice", 3);
    EXPECT_EQ(spokenName(w.find("showButton")), "Afficher les résultats");
    w.click("studyChoice", 0);
    EXPECT_EQ(spokenName(w.find("showButton")), "Voir la simulation");
}

// A refused value keeps the focus in its field, marked for the eye and for a screen reader,
// whichever way the user tries to leave; nothing else runs until it is corrected or Escape
// brings back the last good value.
TEST(MainWindowAccessibility, ARefusedValueKeepsTheFocusUntilCorrectedOrUndone) {
    enum class Leave { Tab, BackTab, Space, Enter, Click };
    struct Case {
        const char* label;
        int field;
        const char* typed;
        Leave leave;
        std::string message;
    } cases[] = {
        {"pKa out of range, Tab", 4, "60", Leave::Tab, texts::numberRangeMessage(Language::French)},
        {"volume not a number, Shift+Tab", 3, "1,,2", Leave::BackTab,
         texts::volumeRangeMessage(Language::French)},
        {"concentration too large, space", 2, "20", Leave::Space,
         texts::concentrationRangeMessage(Language::French)},
        {"pKa out of range, Enter", 14, "-30", Leave::Enter,
         texts::numberRangeMessage(Language::French)},
        {"volume not a number, a click on another field", 3, "1E", Leave::Click,
         texts::volumeRangeMessage(Language::French)},
    };
    for (const Case& c : cases) {
        MainWindowFixture w;
        w.click("sideChoice", 0);
        w.click("studyChoice", 2); // two monoacids: both columns shown
        QApplication::setActiveWindow(w.window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get())) << c.label;
        QLineEdit* field = w.field(c.field);
        const QString good = field->text();
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClicks(field, c.typed);
        switch (c.leave) {
        case Leave::Tab: QTest::keyClick(field, Qt::Key_Tab); break;
        case Leave::BackTab: QTest::keyClick(field, Qt::Key_Backtab, Qt::ShiftModifier); break;
        case Leave::Space: QTest::keyClick(field, Qt::Key_Space); break;
        case Leave::Enter: QTest::keyClick(field, Qt::Key_Return); break;
        case Leave::Click: {
            QWidget* other = w.field(c.field == 4 ? 2 : 4);
            QTest::mouseClick(other, Qt::LeftButton);
            other->setFocus(Qt::MouseFocusReason); // offscreen clicks do not always move it
            break;
        }
        }
        MainWindowFixture::settle();
        EXPECT_EQ(w.messages.messages, std::vector<std::string>{c.message}) << c.label;
        EXPECT_EQ(QApplication::focusWidget(), field) << c.label;
        EXPECT_EQ(field->text(), QString::fromUtf8(c.typed)) << c.label;
        EXPECT_EQ(w.calls.graph, 0) << c.label << ": nothing else runs";
        EXPECT_TRUE(field->property("refused").toBool()) << c.label;
        EXPECT_FALSE(field->styleSheet().isEmpty()) << c.label << ": shown refused";
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(face, nullptr) << c.label;
        EXPECT_EQ(face->text(QAccessible::Description).toStdString(), c.message) << c.label;

        // Escape brings back the last good value, unmarked, and the field can be left.
        QTest::keyClick(field, Qt::Key_Escape);
        EXPECT_EQ(field->text(), good) << c.label;
        EXPECT_EQ(w.sim.panel.text[c.field], good.toStdString()) << c.label;
        EXPECT_FALSE(field->property("refused").toBool()) << c.label;
        EXPECT_NE(face->text(QAccessible::Description).toStdString(), c.message) << c.label;
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), field) << c.label;
        EXPECT_EQ(w.messages.messages.size(), 1u) << c.label;
    }
}

// A corrected value loses its mark as it is typed, and Tab then moves on.
TEST(MainWindowAccessibility, ACorrectedValueLosesItsMark) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", 0);
    QApplication::setActiveWindow(w.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    QLineEdit* field = w.field(4);
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, "60");
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_TRUE(field->property("refused").toBool());
    field->selectAll();
    QTest::keyClicks(field, "6");
    EXPECT_FALSE(field->property("refused").toBool());
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), field);
    EXPECT_EQ(w.messages.messages.size(), 1u);
}

// The object names met by pressing Tab from `first`, until the focus comes back to it.
QStringList tabChain(QWidget* first, int limit = 60) {
    QStringList names;
    first->setFocus(Qt::TabFocusReason);
    for (int k = 0; k < limit; ++k) {
        QWidget* at = QApplication::focusWidget();
        if (!at || (k > 0 && at == first)) break;
        names << at->objectName();
        QTest::keyClick(at, Qt::Key_Tab);
    }
    return names;
}

// Each field's slider follows it.
TEST(MainWindowAccessibility, TabFollowsTheWork) {
    MainWindowFixture w;
    PanelSliders sliders(w.sim, w.window.get());
    w.window->activateWindow();
    QApplication::setActiveWindow(w.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    w.click("sideChoice", 0);
    w.click("studyChoice", 2); // two monoacids: both columns, pKa2 and pKa3 hidden
    MainWindowFixture::settle();
    const QStringList expected{"sideChoice_0",
                               "strongBaseChoice_0",
                               "studyChoice_2",
                               "buretteConcentrationField",
                               "buretteConcentrationSlider",
                               "concentration1Field",
                               "concentration1Slider",
                               "volume1Field",
                               "volume1Slider",
                               "pKa1Field",
                               "pKa1Slider",
                               "concentration2Field",
                               "concentration2Slider",
                               "volume2Field",
                               "volume2Slider",
                               "column2PKa1Field",
                               "column2PKa1Slider",
                               "activitiesBox",
                               "temperatureField",
                               "temperatureSlider",
                               "lineWidthField",
                               "showButton",
                               "copyButton",
                               "printButton",
                               "pasteVolumeFirstButton",
                               "pastePHFirstButton",
                               "entryNameField",
                               "nextEntryButton",
                               "previousEntryButton",
                               "databaseColumnChoice_0"};
    EXPECT_EQ(tabChain(w.find("sideChoice_0")), expected);
}

TEST(GraphWindowAccessibility, TabGoesFromTheChartToTheButtonsThenTheReadings) {
    struct Case {
        const char* label;
        Study study;
        int entry1, entry2;
        QStringList expected;
    } cases[] = {
        {"triacid titration",
         Study::TitrationVsVolume,
         30,
         30,
         {"chart",
          "pointCountField",
          "dilutionBox",
          "species1Box",
          "species2Box",
          "species3Box",
          "species4Box",
          "hydroniumBox",
          "conductivityBox",
          "pastedPointsBox",
          "printButton",
          "pointStyleButton",
          "copyButton",
          "EquivalencesBox",
          "DerivativeBox",
          "LegendBox",
          "bufferCapacityBox",
          "validityBox",
          "predominanceBox",
          "IndicatorChoice",
          "ReadingResults",
          "ParticularPoint",
          "freezeButton",
          "familyButton",
          "saveImageButton",
          "copyImageButton"}},
        {"two monoacids",
         Study::TwoMonoTitration,
         17,
         5,
         {"chart",           "pointCountField",        "dilutionBox",        "species1Box",
          "species2Box",     "column2Species1Box",     "column2Species2Box", "hydroniumBox",
          "conductivityBox", "pastedPointsBox",        "printButton",        "pointStyleButton",
          "copyButton",      "EquivalencesBox",        "DerivativeBox",      "LegendBox",
          "bufferCapacityBox", "validityBox",          "predominanceBox",    "IndicatorChoice",    "ReadingResults",
          "ParticularPoint",
          "freezeButton",     "familyButton",          "saveImageButton",
          "copyImageButton"}},
    };
    for (const Case& c : cases) {
        GraphFixture g(c.study, c.entry1, BuretteSide::AcidSide, c.entry2);
        QApplication::setActiveWindow(g.window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(g.window.get()));
        QStringList chain = tabChain(g.chart());
        // A box that cannot be used (no conductivity) is left out by Qt, as a hidden one is.
        if (!g.box(8)->isEnabled())
            chain.insert(chain.indexOf("pastedPointsBox"), "conductivityBox");
        EXPECT_EQ(chain, c.expected) << c.label;
    }
}

// Tab stops once in each choice, on its selected item; the arrows move inside it.
TEST(PrintDialogAccessibility, TabGoesDownTheLeftColumnThenTheRightOneThenTheComments) {
    Simulation sim;
    RecordingNotifier notes;
    PrintDialog dialog(sim, notes);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const QStringList expected{"lineWidthField",
                               "dashLengthField",
                               "charSizeField",
                               "graduationsField",
                               "zoomBox",
                               "constantsBox",
                               "colourBox",
                               "arrowsBox",
                               "gridBox",
                               "cancelButton",
                               "pointStyleButton",
                               "printButton",
                               "printerPropertiesButton",
                               "pageFormatChoice_2", // "Optimisé"
                               "previewButton",
                               "comment1Field",
                               "comment2Field"};
    EXPECT_EQ(tabChain(dialog.findChild<QWidget*>("lineWidthField")), expected);
}

TEST(CopyDialogAccessibility, TheRefilledItemsStandBetweenTheCountAndTheButtons) {
    Simulation sim = simulationFor(Study::TitrationVsVolume);
    RecordingNotifier notes;
    QTemporaryDir dir;
    CopyDialog dialog(sim, notes, dir.path().toStdString());
    dialog.prepare();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    // Sampling by pH is selected: Tab stops on the selected item of the choice.
    EXPECT_EQ(tabChain(dialog.findChild<QWidget*>("pointCountField")),
              (QStringList{"pointCountField", "samplingChoice_0", "copyButton", "cancelButton"}));
}

// The panels' number after `label`.
double valueIn(const QString& panel, const char* label) {
    const QString prefix = QString::fromUtf8(label);
    EXPECT_TRUE(panel.startsWith(prefix)) << panel.toStdString() << " / " << label;
    return panel.mid(prefix.size()).replace(',', '.').toDouble(); // either separator
}

struct ReadoutCase {
    const char* label;
    Study study;
    BuretteSide side;
    int entry;
    int series;         // the curve followed
    const char* xLabel; // panel 1
    const char* yLabel; // the panel that shows the curve's own value
    int yPanel;
};

void PrintTo(const ReadoutCase& c, std::ostream* os) {
    *os << c.label;
}

class KeyboardReadout : public ::testing::TestWithParam<ReadoutCase> {};

// The points of the followed curve from left to right.
std::vector<CurvePoint> leftToRight(const Series& series) {
    std::vector<CurvePoint> out;
    for (std::size_t i : abscissaOrder(series)) out.push_back(series[i]);
    return out;
}

TEST_P(KeyboardReadout, ArrowsStepAlongTheCurveAndThePanelsFollow) {
    const ReadoutCase& c = GetParam();
    GraphFixture g(c.study, c.entry, c.side, c.entry);
    QApplication::setActiveWindow(g.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(g.window.get()));
    ChartView* chart = g.chart();
    chart->setFocus(Qt::TabFocusReason);
    const std::vector<CurvePoint> points = leftToRight(g.sim.results.curves[c.series]);
    ASSERT_GE(points.size(), 3u);
    const CurvePoint& first = points.front();
    const CurvePoint& second = points[1];
    // The value a panel shows, to its 4 significant digits.
    auto near = [](double shown, double value) {
        return std::abs(shown - value) <= 1e-3 * std::abs(value) + 1e-12;
    };
    auto shown = [&](int panel, const char* label) {
        return valueIn(g.window->panelText(panel), label);
    };

    if (titrationOf(c.study)) {
        // The titration studies walk round volumes, 0.1 mL a step (1 mL with Shift), on the
        // exact curve.
        auto exactPH = [&](double v) { return exactPointAt(g.sim, v)->pH; };
        auto at = [&](double v) {
            EXPECT_NEAR(g.window->cursorVolume(), v, 1e-12) << g.window->panelText(1).toStdString();
            EXPECT_TRUE(near(shown(1, c.xLabel), v)) << g.window->panelText(1).toStdString();
            EXPECT_TRUE(near(shown(2, c.yLabel), exactPH(v)))
                << g.window->panelText(2).toStdString();
        };
        QTest::keyClick(chart, Qt::Key_Home);
        at(0);
        EXPECT_NEAR(shown(2, c.yLabel), first.y, 5e-3); // the curve starts at no volume
        QTest::keyClick(chart, Qt::Key_Right);
        at(0.1);
        ASSERT_TRUE(chart->cursorPoint().has_value());
        EXPECT_EQ(chart->cursorPoint()->x(), g.window->cursorVolume());
        QTest::keyClick(chart, Qt::Key_Right, Qt::ShiftModifier);
        at(1);
        QTest::keyClick(chart, Qt::Key_Right, Qt::ShiftModifier);
        at(2);
        QTest::keyClick(chart, Qt::Key_Left);
        at(1.9);
        EXPECT_TRUE(g.window->panelText(5).startsWith(
            QString::fromUtf8("Sur la courbe : v = 1,90 mL ; pH = ")))
            << g.window->panelText(5).toStdString();
        QTest::keyClick(chart, Qt::Key_End);
        const double span = std::max(first.x, points.back().x);
        at(span);
        QTest::keyClick(chart, Qt::Key_Right); // stays at the end
        at(span);
        QTest::keyClick(chart, Qt::Key_Left);
        at(std::ceil(span * 10 - 1e-6) / 10 - 0.1);
        return;
    }
    QTest::keyClick(chart, Qt::Key_Home);
    EXPECT_EQ(g.window->cursorPlace(), 0);
    EXPECT_TRUE(near(shown(1, c.xLabel), first.x)) << g.window->panelText(1).toStdString();
    EXPECT_TRUE(near(shown(c.yPanel, c.yLabel), first.y));

    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_EQ(g.window->cursorPlace(), 1);
    EXPECT_TRUE(near(shown(1, c.xLabel), second.x)) << g.window->panelText(1).toStdString();
    EXPECT_TRUE(near(shown(c.yPanel, c.yLabel), second.y))
        << g.window->panelText(c.yPanel).toStdString();
    ASSERT_TRUE(chart->cursorPoint().has_value());
    EXPECT_EQ(*chart->cursorPoint(), QPointF(second.x, second.y));
    // The panels say what the mouse readout says at that point.
    const ReadoutPanels expected = readoutAtValues(g.sim, second.x, second.y);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(g.window->panelText(k + 1).toStdString(), expected[k]) << "panel " << k + 1;

    QTest::keyClick(chart, Qt::Key_End);
    EXPECT_TRUE(near(shown(1, c.xLabel), points.back().x));
    QTest::keyClick(chart, Qt::Key_Right); // stays on the last point
    EXPECT_EQ(g.window->cursorPlace(), static_cast<int>(points.size()) - 1);
    QTest::keyClick(chart, Qt::Key_Left);
    EXPECT_TRUE(near(shown(1, c.xLabel), points[points.size() - 2].x));
}

INSTANTIATE_TEST_SUITE_P(
    Studies, KeyboardReadout,
    ::testing::Values(ReadoutCase{"AcidTitration", Study::TitrationVsVolume, BuretteSide::AcidSide,
                                  17, 1, "Volume versé : ", "pH : ", 2},
                      // Swept by rising pH, hence by falling volume: Right still goes right.
                      ReadoutCase{"BaseTitration", Study::TitrationVsVolume, BuretteSide::BaseSide,
                                  2, 1, "Volume versé : ", "pH : ", 2},
                      ReadoutCase{"SpeciesFollowTheFirstSpecies", Study::SpeciesVsPH,
                                  BuretteSide::AcidSide, 17, 2,
                                  "pH : ", "Concentration en mol / L : ", 3},
                      ReadoutCase{"Dilution", Study::Dilution, BuretteSide::AcidSide, 17, 1,
                                  "- Log(concentration) : ", "pH : ", 2}),
    [](const auto& info) { return std::string(info.param.label); });

// The first point of a titration is at no volume: the panel says 0, not a rounding residue;
// the next is at 0.1 mL, its pH solved there.
TEST(KeyboardReadoutPanels, RightFromTheFirstPointShowsTheNextRoundVolumeAndItsPH) {
    GraphFixture g(Study::TitrationVsVolume, 17);
    ChartView* chart = g.chart();
    chart->setFocus(Qt::TabFocusReason);
    QTest::keyClick(chart, Qt::Key_Right); // the cursor enters on the first point
    EXPECT_EQ(g.window->panelText(1), "Volume versé : 0");
    EXPECT_TRUE(g.window->panelText(2).startsWith("pH : 2,85"))
        << g.window->panelText(2).toStdString();
    QTest::keyClick(chart, Qt::Key_Right);
    EXPECT_EQ(g.window->panelText(1), "Volume versé : 0,1");
    EXPECT_NEAR(valueIn(g.window->panelText(2), "pH : "), exactPointAt(g.sim, 0.1)->pH, 1e-3);
}

TEST(KeyboardReadoutMarker, IsDrawnAtThePointAndLeavesWithNewCurves) {
    GraphFixture g(Study::TitrationVsVolume, 17);
    ChartView* chart = g.chart();
    chart->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const QImage before = chart->viewport()->grab().toImage();
    for (int k = 0; k < 40; ++k) QTest::keyClick(chart, Qt::Key_Right);
    QApplication::processEvents();
    const QImage after = chart->viewport()->grab().toImage();
    ASSERT_TRUE(chart->cursorPoint().has_value());
    const QPoint at(chart->xToPixel(chart->cursorPoint()->x()),
                    chart->yToPixel(chart->cursorPoint()->y()));
    // The ring is 7 pixels around the point: count the pixels that changed on it.
    const double ratio = after.devicePixelRatio();
    int changed = 0;
    for (int dx = -9; dx <= 9; ++dx)
        for (int dy = -9; dy <= 9; ++dy) {
            const QPoint p((at.x() + dx) * ratio, (at.y() + dy) * ratio);
            if (after.valid(p) && before.pixel(p) != after.pixel(p)) ++changed;
        }
    EXPECT_GT(changed, 20);

    g.click(4); // a new regeneration: the cursor starts again
    EXPECT_FALSE(chart->cursorPoint().has_value());
    EXPECT_EQ(g.window->cursorPlace(), -1);
}

TEST(ChartAccessibility, TheDescriptionFollowsTheCurvesDrawn) {
    GraphFixture g(Study::TitrationVsVolume, 17);
    ChartView* chart = g.chart();
    EXPECT_EQ(spokenName(chart), "Graphique des courbes");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(chart);
    ASSERT_NE(face, nullptr);
    auto startsWithSummary = [&] {
        return face->text(QAccessible::Description)
            .startsWith(QString::fromStdString(a11y::chartDescription(g.sim)));
    };
    EXPECT_TRUE(startsWithSummary());
    EXPECT_TRUE(face->text(QAccessible::Description).contains("H3O+"));
    EXPECT_TRUE(face->text(QAccessible::Description).contains("Pour zoomer"));
    g.click(10); // H3O+ no longer drawn
    EXPECT_FALSE(face->text(QAccessible::Description).contains("H3O+"))
        << face->text(QAccessible::Description).toStdString();
    EXPECT_TRUE(startsWithSummary());
}

} // namespace

namespace {

// What a screen reader is told of a widget after a change: the name it reads again.
QString announcedBy(QWidget* w) {
    return spokenName(w);
}

// A value to two decimals with a comma, as the readings write volumes and pH.
QString twoDecimals(double x) {
    return QString::number(x, 'f', 2).replace('.', ',');
}

QString chartDescriptionOf(GraphFixture& g) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(g.chart());
    return face ? face->text(QAccessible::Description) : QString();
}

struct ReadingsCase {
    const char* label;
    int entry;
    BuretteSide side;
};

TEST(ReadingsAccessibility, TheEquivalenceIsReadRowByRowTheChartSaysItAndItIsAnnounced) {
    const ReadingsCase cases[] = {{"ethanoic acid", 17, BuretteSide::AcidSide},
                                  {"phosphoric acid", 30, BuretteSide::AcidSide},
                                  {"ammonia", 2, BuretteSide::BaseSide}};
    for (const ReadingsCase& c : cases) {
        GraphFixture g(Study::TitrationVsVolume, c.entry, c.side, c.entry);
        QTest::mouseClick(g.find<QCheckBox>("EquivalencesBox"), Qt::LeftButton, {}, QPoint(8, 8));
        ASSERT_FALSE(g.sim.reading.points.empty()) << c.label;
        const CurvePlace& e = g.sim.reading.points.front().equivalence;
        const QString expected = QString::fromUtf8("Équivalence 1 : v = ") +
                                 twoDecimals(e.volume * g.sim.state.volumeFactor) +
                                 " mL ; pH = " + twoDecimals(e.pH);

        QWidget* readings = g.find<QWidget>("ReadingResults");
        EXPECT_TRUE(readings->focusPolicy() & Qt::TabFocus) << c.label;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(readings);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), QAccessible::List) << c.label;
        QStringList rows;
        for (int k = 0; k < face->childCount(); ++k)
            rows << face->child(k)->text(QAccessible::Name);
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const QString& r) { return r.startsWith(expected); });
        EXPECT_NE(row, rows.end()) << c.label << ": " << rows.join(" | ").toStdString();
        EXPECT_TRUE(chartDescriptionOf(g).contains(expected))
            << c.label << ": " << chartDescriptionOf(g).toStdString();
        EXPECT_TRUE(announcedBy(readings).contains(expected)) << c.label;

        // The indicator: its button says which, and the rows and the chart give its verdict.
        auto* choice = g.find<QPushButton>("IndicatorChoice");
        choice->menu()->actions().at(10)->trigger(); // phénolphtaléine, after "(aucun)"
        EXPECT_TRUE(spokenName(choice).contains(QString::fromUtf8("phénolphtaléine")))
            << spokenName(choice).toStdString();
        EXPECT_TRUE(announcedBy(readings).contains(QString::fromUtf8("phénolphtaléine : ")))
            << c.label;
        EXPECT_TRUE(chartDescriptionOf(g).contains(QString::fromUtf8("phénolphtaléine, virage")))
            << c.label;
    }
}

TEST(ChartAccessibility, TheDescriptionSaysTheDerivativeAndTheKeptCurves) {
    struct Case {
        const char* label;
        std::function<void(GraphFixture&)> act;
        const char* said;
    } cases[] = {
        {"derivative",
         [](GraphFixture& g) {
             QTest::mouseClick(g.find<QCheckBox>("DerivativeBox"), Qt::LeftButton, {},
                               QPoint(8, 8));
         },
         "dérivée dpH/dV"},
        {"frozen curve", [](GraphFixture& g) { g.window->overlayBar()->freeze(); },
         "Courbe gardée : "},
        {"family",
         [](GraphFixture& g) {
             g.window->overlayBar()->drawFamily(FamilyQuantity{{4}, false}, {4.75, 6, 8});
         },
         "Famille de courbes"},
    };
    for (const Case& c : cases) {
        GraphFixture g(Study::TitrationVsVolume, 17);
        EXPECT_FALSE(chartDescriptionOf(g).contains(QString::fromUtf8(c.said))) << c.label;
        c.act(g);
        EXPECT_TRUE(chartDescriptionOf(g).contains(QString::fromUtf8(c.said)))
            << c.label << ": " << chartDescriptionOf(g).toStdString();
    }
}

TEST(ChartAccessibility, TheKeyboardCursorAnnouncesItsPoint) {
    struct Case {
        const char* label;
        Study study;
        std::vector<Qt::Key> keys;
    } cases[] = {
        {"titration, three steps right",
         Study::TitrationVsVolume,
         {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right}},
        {"titration, end", Study::TitrationVsVolume, {Qt::Key_End}},
        {"species, end then left", Study::SpeciesVsPH, {Qt::Key_End, Qt::Key_Left}},
    };
    for (const Case& c : cases) {
        GraphFixture g(c.study, 17);
        QApplication::setActiveWindow(g.window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(g.window.get()));
        g.chart()->setFocus(Qt::TabFocusReason);
        for (Qt::Key key : c.keys) QTest::keyClick(g.chart(), key);
        const QString heard = announcedBy(g.chart());
        if (c.study == Study::TitrationVsVolume) {
            const double v = g.window->cursorVolume();
            const std::optional<ExactPoint> p = exactPointAt(g.sim, v);
            ASSERT_TRUE(p.has_value()) << c.label;
            EXPECT_TRUE(
                heard.endsWith("v = " + twoDecimals(v) + " mL ; pH = " + twoDecimals(p->pH)))
                << c.label << ": " << heard.toStdString();
        } else {
            // The values the status bar shows, out of the focus.
            for (int panel = 1; panel <= 4; ++panel)
                EXPECT_TRUE(heard.contains(g.window->panelText(panel)))
                    << c.label << ": " << heard.toStdString() << " lacks "
                    << g.window->panelText(panel).toStdString();
            EXPECT_FALSE(g.window->panelText(1).isEmpty()) << c.label;
        }
    }
}

TEST(GraphWindowKeyboard, EnterPressesTheFocusedButton) {
    struct Case {
        const char* label;
        const char* button;
    } cases[] = {{"print", "printButton"},
                 {"copy", "copyButton"},
                 {"freeze", "freezeButton"},
                 {"indicator menu", "IndicatorChoice"}};
    for (const Case& c : cases) {
        GraphFixture g(Study::TitrationVsVolume, 17);
        int printed = 0, copied = 0;
        g.window->setPrintHook([&] { ++printed; });
        g.window->setCopyHook([&] { ++copied; });
        QApplication::setActiveWindow(g.window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(g.window.get()));
        auto* button = g.find<QAbstractButton>(c.button);
        button->setFocus(Qt::TabFocusReason);
        bool menuShown = false;
        if (auto* push = qobject_cast<QPushButton*>(button); push && push->menu())
            QTimer::singleShot(0, push->menu(), [&menuShown, push] {
                menuShown = push->menu()->isVisible();
                push->menu()->close();
            });
        QTest::keyClick(button, Qt::Key_Return);
        QApplication::processEvents();
        const std::string what = c.button;
        const bool acted = what == "printButton"   ? printed == 1
                           : what == "copyButton"  ? copied == 1
                           : what == "freezeButton" ? g.sim.overlays.curves.size() == 1
                                                   : menuShown;
        EXPECT_TRUE(acted) << c.label;
    }
}

TEST(MainWindowAccessibility, TheDocksHaveNames) {
    for (Language language : {Language::French, Language::English}) {
        TemporarySettings settings;
        MainWindowFixture main(builtPaths(), language);
        const QList<QDockWidget*> docks = main.window->findChildren<QDockWidget*>();
        ASSERT_FALSE(docks.isEmpty());
        for (QDockWidget* dock : docks)
            EXPECT_FALSE(spokenName(dock).isEmpty()) << dock->objectName().toStdString();
    }
}

} // namespace
