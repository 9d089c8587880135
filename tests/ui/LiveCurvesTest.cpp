// Live curves: the graph window beside the main window, redrawn as values change; sliders;
// frozen curves; families of curves.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "core/curves/Overlays.h"
#include "core/panel/FieldSliders.h"
#include "core/texts/Messages.h"
#include "core/texts/OverlayTexts.h"
#include "ui/qt/ChartOverlays.h"
#include "ui/qt/ChartPicture.h"
#include "ui/windows/FamilyDialog.h"
#include "ui/windows/LiveCurves.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/PanelSliders.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>

using namespace titralab;
using namespace titralab::testing;

namespace {

// The main window, the graph window and the live option, linked as the program links them.
struct LiveProgram : MainWindowFixture {
    LiveProgram() : graph(sim, messages), live(sim, window.get(), &graph, messages, &store) {
        window->setLinks({[this] { live.showGraph(); }, {}, {}, {}});
        QObject::connect(&graph, &GraphWindow::panelChanged, window.get(),
                         &MainWindow::showPanelState);
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        click("sideChoice", 0);
        click("studyChoice", 0); // titration of acetic acid's default, entry 1 then stepped
        window->showSimulation();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&graph));
        settle();
    }
    // The user comes back to the main window (the graph window took the focus) and types.
    void type(int n, const char* text) {
        QApplication::setActiveWindow(window.get());
        field(n)->setFocus();
        field(n)->selectAll();
        QTest::keyClicks(field(n), text);
    }
    // The user leaves the field for the next one.
    void leave(int n) { QTest::keyClick(field(n), Qt::Key_Tab); }
    QList<QPointF> phCurve() const { return graph.chart()->series(1)->points(); }
    QList<QLineSeries*> kept() const { return ChartOverlays::of(graph.chart())->series(); }
    int visibleWindows() const {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) n += w->isVisible();
        return n;
    }

    TemporarySettings settings;
    GraphWindow graph;
    LiveCurves live;
};

TEST(LiveCurves, ATypedValueRedrawsOnLeavingTheFieldARefusedOneKeepsTheCurve) {
    struct Case {
        const char* label;
        int field;
        const char* text;
        bool redrawn;
        std::vector<std::string> messages;
    } cases[] = {
        {"pKa", 4, "9", true, {}},
        {"acid concentration", 2, "0,05", true, {}},
        {"pKa out of range", 4, "60", false, {texts::numberRangeMessage(Language::French)}},
        {"volume not a number", 3, "abc", false, {texts::volumeRangeMessage(Language::French)}},
    };
    for (const Case& c : cases) {
        LiveProgram p;
        ASSERT_TRUE(p.graph.isVisible()) << c.label;
        EXPECT_FALSE(p.graph.isModal()) << c.label;
        EXPECT_EQ(p.graph.windowTitle(),
                  QString::fromUtf8(texts::kLiveGraphCaption.in(Language::French)))
            << c.label;
        const int windows = p.visibleWindows();
        const QList<QPointF> before = p.phCurve();
        p.type(c.field, c.text);
        p.leave(c.field);
        EXPECT_EQ(p.messages.messages, c.messages) << c.label;
        EXPECT_EQ(p.phCurve() != before, c.redrawn) << c.label;
        EXPECT_EQ(p.visibleWindows(), windows) << c.label;
        EXPECT_TRUE(p.graph.isVisible()) << c.label;
    }
}

TEST(LiveCurves, ASliderMovedByTheKeyboardChangesTheFieldAndTheCurve) {
    struct Case {
        const char* label;
        int field;
        Qt::Key key;
        const char* text;   // the field afterwards, with the chosen decimal comma
        const char* spoken; // the slider's value for a screen reader
    } cases[] = {
        {"pKa one step up", 4, Qt::Key_Right, "0,01", "pKa 0,01"},
        {"acid concentration one step down", 2, Qt::Key_Left, "0,0977", "0,0977 mol/L"},
        {"volume a page up", 3, Qt::Key_PageUp, "0,0355", "0,0355 L"},
    };
    for (const Case& c : cases) {
        LiveProgram p;
        QSlider* slider = p.live.sliders()->slider(c.field);
        ASSERT_NE(slider, nullptr) << c.label;
        EXPECT_TRUE(slider->isVisible()) << c.label;
        const QList<QPointF> before = p.phCurve();
        slider->setFocus();
        QTest::keyClick(slider, c.key);
        EXPECT_EQ(p.field(c.field)->text(), c.text) << c.label;
        EXPECT_EQ(p.sim.panel.text[c.field], c.text) << c.label;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(slider);
        ASSERT_NE(face, nullptr) << c.label;
        EXPECT_EQ(face->text(QAccessible::Value), QString::fromUtf8(c.spoken)) << c.label;
        EXPECT_NE(p.phCurve(), before) << c.label;
        EXPECT_TRUE(p.messages.messages.empty()) << c.label;
        // The slider follows a typed value.
        p.type(c.field, "1");
        EXPECT_EQ(slider->value(), sliderPosition(*sliderScale(c.field), 1)) << c.label;
    }
}

TEST(LiveCurves, AFrozenCurveSurvivesAChangeOfValue) {
    LiveProgram p;
    QTest::keyClick(&p.graph, Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(p.kept().size(), 1);
    const QList<QPointF> frozen = p.kept().front()->points();
    EXPECT_EQ(frozen, p.phCurve());
    p.type(4, "9");
    p.leave(4);
    ASSERT_EQ(p.kept().size(), 1);
    EXPECT_EQ(p.kept().front()->points(), frozen);
    EXPECT_NE(p.phCurve(), frozen);
    EXPECT_TRUE(p.graph.chart()->chart()->legend()->isVisible());
    // Named by what differs: the strong acid's pKa of the database.
    EXPECT_EQ(p.kept().front()->name(), QStringLiteral("pKa = -10"));
    // Removed from the menu, then none left to clear.
    p.graph.overlayBar()->removeOverlay(0);
    EXPECT_TRUE(p.kept().isEmpty());
    EXPECT_FALSE(p.graph.chart()->chart()->legend()->isVisible());
}

TEST(LiveCurves, AFamilyOfFiveConcentrationsDrawsFiveCurves) {
    LiveProgram p;
    FamilyDialog* dialog = p.graph.overlayBar()->familyDialog();
    QTest::mouseClick(p.graph.findChild<QPushButton*>("familyButton"), Qt::LeftButton);
    ASSERT_TRUE(dialog->isVisible());
    auto* quantity = dialog->findChild<QComboBox*>("familyQuantityChoice");
    quantity->setCurrentIndex(quantity->findData(2));
    auto* values = dialog->findChild<QLineEdit*>("familyValuesField");
    values->setText("0,1 ; 0,05 ; 0,02 ; 0,01 ; 0,005");
    QTest::mouseClick(dialog->findChild<QPushButton*>("drawFamilyButton"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(p.messages.messages.empty());
    int curves = p.phCurve().isEmpty() ? 0 : 1;
    for (QLineSeries* s : p.kept()) curves += s->count() > 0;
    EXPECT_EQ(curves, 5);
    EXPECT_EQ(p.field(2)->text(), "1,0E-1"); // the panel keeps what was typed
    EXPECT_EQ(p.kept().back()->name(), QStringLiteral("Cai = 0,005 mol/L"));
}

TEST(LiveCurves, TheOptionIsRememberedAndOnByDefault) {
    TemporarySettings settings;
    SettingsStore store(kTestProgram);
    EXPECT_TRUE(store.readLiveCurves());
    for (bool on : {false, true}) {
        store.writeLiveCurves(on);
        EXPECT_EQ(store.readLiveCurves(), on) << on;
    }
    LiveProgram p;
    p.live.action()->trigger();
    EXPECT_FALSE(p.live.isOn());
    EXPECT_FALSE(p.graph.isVisible()); // the window goes back to being modal, opened by F11
    EXPECT_FALSE(p.store.readLiveCurves());
}

} // namespace

namespace {

TEST(ChartPicture, TheChartIsSavedAndCopiedWithItsLegend) {
    GraphFixture g(Study::TitrationVsVolume);
    g.window->overlayBar()->freeze();
    QTemporaryDir dir;
    struct Case {
        const char* label;
        const char* file;
        int width; // asked; 0: the chart's size on screen
    } cases[] = {
        {"PNG at screen size", "a.png", 0}, {"PNG 1600 wide", "b.png", 1600}, {"SVG", "c.svg", -1}};
    const int screenWidth = g.chart()->viewport()->width();
    for (const Case& c : cases) {
        const QString path = dir.path() + "/" + c.file;
        const std::string failure =
            (c.width < 0 ? writeChartSvg(*g.chart(), path, Language::French)
                         : writeChartPng(*g.chart(), path, c.width, Language::French))
                .error;
        EXPECT_TRUE(failure.empty()) << c.label << ": " << failure;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.label;
        const QByteArray content = file.readAll();
        if (c.width < 0) {
            EXPECT_TRUE(content.contains("<svg")) << c.label;
            EXPECT_TRUE(content.contains(" valeurs")) << c.label; // the legend: "mêmes valeurs"
        } else {
            EXPECT_EQ(QImage::fromData(content, "PNG").width(), c.width ? c.width : screenWidth)
                << c.label;
        }
    }
    EXPECT_FALSE(
        writeChartPng(*g.chart(), dir.path() + "/missing/d.png", 0, Language::French).ok());
    QTest::mouseClick(g.find<QPushButton>("copyImageButton"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->image().width(), screenWidth);
}

} // namespace
