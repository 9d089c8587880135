// Keyboard and screen-reader use of the windows: accessible names on every control, the tab
// order, the chart's summary and its keyboard cursor.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "core/curves/Readout.h"
#include "core/texts/AccessibleTexts.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QAccessible>
#include <QDockWidget>
#include <QImage>
#include <QTemporaryDir>
#include <QToolBar>

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
    QStringList named;   // object names of the focusable controls with a name of their own
    QStringList unnamed; // "object name (class)" of the others
};

// Every control of `window` that can take the focus, shown or not: each must carry a name of
// its own (not the one Qt makes up from a caption or a buddy label), and that must be the name
// the accessibility interface hands on.
Walk walk(QWidget* window) {
    Walk out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (owningWindow(w) != window) continue;
        if (w->focusPolicy() == Qt::NoFocus || w->focusProxy()) continue;
        const QString name = w->accessibleName();
        if (name.isEmpty() || name == w->objectName() || name.contains('&') ||
            spokenName(w) != name)
            out.unnamed << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                         w->metaObject()->className());
        else
            out.named << w->objectName();
    }
    return out;
}

struct WindowCase {
    const char* label;
    std::function<Walk()> walkWindow;
    QStringList mustWalk; // controls the walk must have met, so that it cannot pass empty
};

void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.label;
}

Walk walkMainWindow(int side, int study) {
    MainWindowFixture w;
    if (side >= 0) w.click("RadioGroup4", side);
    if (study >= 0) w.click("RadioGroup1", study);
    return walk(w.window.get());
}

std::vector<WindowCase> windowCases() {
    return {
        {"MainWindowAtStart", [] { return walkMainWindow(-1, -1); }, {"RadioGroup4_1", "D4"}},
        {"MainWindowAcidTwoAcids",
         [] { return walkMainWindow(0, 2); },
         {"RadioGroup3_1", "RadioGroup1_4", "D1", "D16", "D11", "U1", "U3", "BoutonCollerpHV",
          "Edit1", "BitBtn1", "RadioGroup2_1"}},
        {"MainWindowBaseMixture",
         [] { return walkMainWindow(1, 3); },
         {"RadioGroup1_3", "D14", "BitBtn2", "BoutonImprimer"}},
        {"GraphWindowTitration",
         [] {
             GraphFixture g(Study::TitrationVsVolume);
             return walk(g.window.get());
         },
         {"Chart1", "Edit1", "CheckBox1", "CheckBox7", "CheckBox10", "Button3"}},
        {"GraphWindowTwoBases",
         [] {
             GraphFixture g(Study::TwoMonoTitration, 2, BuretteSide::BaseSide, 7);
             return walk(g.window.get());
         },
         {"Chart1", "CheckBox6", "Button1"}},
        {"MixtureWindow",
         [] {
             Simulation sim = simulationFor(Study::TwoPolyMixture, 30);
             refresh(sim);
             MixtureWindow window(sim);
             window.prepare();
             return walk(&window);
         },
         {"Edit1", "Edit21", "Edit19", "BitBtn1"}},
        {"CopyDialog",
         [] {
             Simulation sim = simulationFor(Study::TitrationVsVolume);
             RecordingNotifier notes;
             QTemporaryDir dir;
             CopyDialog dialog(sim, notes, dir.path().toStdString());
             dialog.prepare();
             return walk(&dialog);
         },
         {"Edit1", "RadioGroup3_0", "RadioGroup3_1", "Button1", "Button2"}},
        {"PrintDialog",
         [] {
             Simulation sim;
             RecordingNotifier notes;
             PrintDialog dialog(sim, notes);
             return walk(&dialog);
         },
         {"D1", "Edit3", "D3", "CheckBox5", "RadioGroup1_2", "Edit2", "Button4", "ButtonApercu"}},
        {"PointStyleChooser",
         [] {
             Simulation sim;
             PointStyleDialog chooser(sim);
             return walk(&chooser);
         },
         {"RadioGroup1_0", "RadioGroup1_7", "Button1"}},
        {"AboutBox",
         [] {
             AboutBox about(Language::French, "titralab", QIcon());
             return walk(&about);
         },
         {"OKButton"}},
    };
}

class EveryFocusableControl : public ::testing::TestWithParam<WindowCase> {};

TEST_P(EveryFocusableControl, HasAnAccessibleName) {
    const Walk w = GetParam().walkWindow();
    EXPECT_TRUE(w.unnamed.isEmpty()) << "without a name: " << w.unnamed.join(", ").toStdString();
    for (const QString& control : GetParam().mustWalk)
        EXPECT_TRUE(w.named.contains(control)) << control.toStdString() << " not met";
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryFocusableControl, ::testing::ValuesIn(windowCases()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(EveryFocusableControl, OfTheTextReader) {
    QTemporaryDir dir;
    SheetReaderWindow reader(Language::French, dir.path());
    const Walk w = walk(&reader);
    EXPECT_TRUE(w.unnamed.isEmpty()) << w.unnamed.join(", ").toStdString();
    EXPECT_TRUE(w.named.contains("RichEdit1"));
}

TEST(MainWindowAccessibility, NamesFollowTheSideAndTheStudy) {
    MainWindowFixture w;
    w.click("RadioGroup4", 0);
    w.click("RadioGroup1", 2);
    EXPECT_EQ(spokenName(w.field(2)), "Concentration de l'acide 1, en mol/L");
    EXPECT_EQ(spokenName(w.field(14)), "pKa1 de l'acide 2");
    EXPECT_EQ(spokenName(w.find("BitBtn2")), "Acide suivant de la base de données");
    QAccessibleInterface* d2 = QAccessible::queryAccessibleInterface(w.field(2));
    ASSERT_NE(d2, nullptr);
    EXPECT_EQ(d2->text(QAccessible::Description),
              "Concentration de l'acide (mono, di ou tri) dans le bécher, en mol/L");

    w.click("RadioGroup4", 1);
    EXPECT_EQ(spokenName(w.field(2)), "Concentration de la base 1, en mol/L");
    EXPECT_EQ(spokenName(w.field(14)), "pKa1 du couple de la base 2");
    EXPECT_EQ(spokenName(w.find("BitBtn2")), "Base suivante de la base de données");
    // The study items were made anew for the side; they are named again.
    EXPECT_EQ(spokenName(w.find("RadioGroup1_2")), "Étude : Monoacide fort sur 2 monobases, f (v)");

    w.click("RadioGroup1", 3);
    EXPECT_EQ(spokenName(w.find("U1")), "Afficher les résultats");
    w.click("RadioGroup1", 0);
    EXPECT_EQ(spokenName(w.find("U1")), "Voir la simulation");
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

TEST(MainWindowAccessibility, TabFollowsTheWork) {
    MainWindowFixture w;
    w.window->activateWindow();
    QApplication::setActiveWindow(w.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    w.click("RadioGroup4", 0);
    w.click("RadioGroup1", 2); // two monoacids: both columns, pKa2 and pKa3 hidden
    MainWindowFixture::settle();
    const QStringList expected{"RadioGroup4_0",
                               "RadioGroup3_0",
                               "RadioGroup1_2",
                               "D1",
                               "D2",
                               "D3",
                               "D4",
                               "D12",
                               "D13",
                               "D14",
                               "D11",
                               "U1",
                               "U3",
                               "BoutonImprimer",
                               "BoutonCollerVpH",
                               "BoutonCollerpHV",
                               "Edit1",
                               "BitBtn2",
                               "BitBtn1",
                               "RadioGroup2_0"};
    EXPECT_EQ(tabChain(w.find("RadioGroup4_0")), expected);
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
         {"Chart1",           "Edit1",           "CheckBox1",
          "CheckBox2",        "CheckBox3",       "CheckBox4",
          "CheckBox5",        "CheckBox10",      "CheckBox8",
          "CheckBox9",        "Button1",         "Button2",
          "Button3",          "EquivalencesBox", "DerivativeBox",
          "LegendBox",        "IndicatorChoice", "ParticularPoint",
          "BoutonFiger",      "BoutonFamille",   "BoutonEnregistrerImage",
          "BoutonCopierImage"}},
        {"two monoacids",
         Study::TwoMonoTitration,
         17,
         5,
         {"Chart1",           "Edit1",           "CheckBox1",
          "CheckBox2",        "CheckBox3",       "CheckBox6",
          "CheckBox7",        "CheckBox10",      "CheckBox8",
          "CheckBox9",        "Button1",         "Button2",
          "Button3",          "EquivalencesBox", "DerivativeBox",
          "LegendBox",        "IndicatorChoice", "ParticularPoint",
          "BoutonFiger",      "BoutonFamille",   "BoutonEnregistrerImage",
          "BoutonCopierImage"}},
    };
    for (const Case& c : cases) {
        GraphFixture g(c.study, c.entry1, BuretteSide::AcidSide, c.entry2);
        QApplication::setActiveWindow(g.window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(g.window.get()));
        QStringList chain = tabChain(g.chart());
        // A box that cannot be used (no conductivity) is left out by Qt, as a hidden one is.
        if (!g.box(8)->isEnabled()) chain.insert(chain.indexOf("CheckBox9"), "CheckBox8");
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
    const QStringList expected{"D1",           "Edit3",         "D2",        "D3",
                               "CheckBox1",    "CheckBox3",     "CheckBox4", "CheckBox5",
                               "CheckBox2",    "Button2",       "Button4",   "Button1",
                               "Button3",      "RadioGroup1_2", // "Optimisé"
                               "ButtonApercu", "Edit1",         "Edit2"};
    EXPECT_EQ(tabChain(dialog.findChild<QWidget*>("D1")), expected);
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
    EXPECT_EQ(tabChain(dialog.findChild<QWidget*>("Edit1")),
              (QStringList{"Edit1", "RadioGroup3_0", "Button1", "Button2"}));
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
    const std::vector<CurvePoint> points = leftToRight(g.sim.curves[c.series]);
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
