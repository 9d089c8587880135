// The study as the windows change it: every way the panel changes redraws the live curves once,
// every edit marks the study changed at once, opening a study leaves nothing of the last one,
// and quitting asks once.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "core/chemistry/Indicators.h"
#include "core/curves/Overlays.h"
#include "core/session/PastedPoints.h"
#include "core/session/StudyFile.h"
#include "ui/qt/ChartOverlays.h"
#include "ui/windows/FamilyDialog.h"
#include "ui/windows/FitDialog.h"
#include "ui/windows/LiveCurves.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/PanelSliders.h"
#include "ui/windows/PointStyleDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineSeries>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QValueAxis>

#include <functional>

using namespace titralab;
using namespace titralab::testing;

namespace {

// The main window with the live graph window beside it, as the program links them, on
// acetic acid titrated by soda with measured points pasted.
struct LiveDesk : MainWindowFixture {
    LiveDesk() : graph(sim, messages), live(sim, window.get(), &graph, messages, &store) {
        window->setLinks({[this] { live.showGraph(); }, {}, {}, {}});
        QObject::connect(&graph, &GraphWindow::panelChanged, window.get(),
                         &MainWindow::showPanelState);
        window->setUnsavedQuestion([] { return MainWindow::UnsavedAnswer::Discard; });
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        click("sideChoice", 0);
        click("studyChoice", 0);
        while (sim.browser.currentAcidEntry < 17) clickButton("nextEntryButton");
        PastePairs(sim, true,
                   "V\tpH\n0\t2,9\n0,002\t3,8\n0,005\t4,3\n0,008\t4,6\n0,01\t4,75\n0,012\t4,9\n"
                   "0,015\t5,2\n0,018\t5,7\n0,019\t6,1\n0,0195\t6,6\n0,02\t8,7\n0,0205\t10,7\n"
                   "0,021\t11\n0,025\t11,9\n0,03\t12,3\n");
        window->showSimulation();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&graph));
        settle();
        // Each redraw replaces the pH curve's points once.
        QObject::connect(graph.chart()->series(1), &QXYSeries::pointsReplaced, window.get(),
                         [this] { ++redraws; });
    }
    QList<QPointF> phCurve() const { return graph.chart()->series(1)->points(); }
    QList<QLineSeries*> kept() const { return ChartOverlays::of(graph.chart())->series(); }
    QString saveAs(const char* name) {
        const QString path = settings.dir.filePath(name);
        EXPECT_TRUE(window->saveStudyTo(path));
        return path + ".titralab";
    }
    bool titleMarked() const { return window->windowTitle().contains('*'); }

    TemporarySettings settings;
    GraphWindow graph;
    LiveCurves live;
    int redraws{0};
};

// What the user does in the name field: types a name and presses Enter.
void searchName(LiveDesk& d, const char* name) {
    QApplication::setActiveWindow(d.window.get());
    QLineEdit* edit = d.find<QLineEdit>("entryNameField");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

// "Appliquer" in the fit dialog, once it is up.
void fitAndApply(LiveDesk& d) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<FitDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->findChild<QPushButton*>("applyFitButton"), Qt::LeftButton);
    });
    d.window->fitToPastedPoints();
}

void drawFamily(LiveDesk& d) {
    FamilyDialog* dialog = d.graph.overlayBar()->familyDialog();
    QTest::mouseClick(d.graph.findChild<QPushButton*>("familyButton"), Qt::LeftButton);
    auto* quantity = dialog->findChild<QComboBox*>("familyQuantityChoice");
    quantity->setCurrentIndex(quantity->findData(4));
    dialog->findChild<QLineEdit*>("familyValuesField")->setText("4 ; 5 ; 6");
    QTest::mouseClick(dialog->findChild<QPushButton*>("drawFamilyButton"), Qt::LeftButton);
}

TEST(StudyChanges, EveryWayThePanelChangesRedrawsTheLiveCurvesOnce) {
    struct Case {
        const char* label;
        std::function<void(LiveDesk&)> change;
        bool panelChanges{true}; // a family adds its curves and leaves the panel's values
    };
    const Case cases[] = {
        {"a name searched", [](LiveDesk& d) { searchName(d, "phosphorique"); }},
        {"a step forward", [](LiveDesk& d) { d.clickButton("nextEntryButton"); }},
        {"a step back", [](LiveDesk& d) { d.clickButton("previousEntryButton"); }},
        {"another study chosen", [](LiveDesk& d) { d.click("studyChoice", 4); }},
        {"a study file opened",
         [](LiveDesk& d) {
             d.sim.panel.at(Field::PKa1) = "9";
             const QString path = d.saveAs("pka9");
             d.sim.panel.at(Field::PKa1) = "4,8";
             ASSERT_TRUE(d.window->openStudy(path));
         }},
        {"an example opened",
         [](LiveDesk& d) { d.find<QAction>("ExempleDeuxMonoacides")->trigger(); }},
        {"fitted values applied", fitAndApply},
        {"a family drawn", drawFamily, false},
    };
    for (const Case& c : cases) {
        LiveDesk d;
        const QList<QPointF> before = d.phCurve();
        c.change(d);
        MainWindowFixture::settle();
        EXPECT_EQ(d.redraws, 1) << c.label;
        if (c.panelChanges)
            EXPECT_NE(d.phCurve(), before) << c.label;
        else
            EXPECT_EQ(d.phCurve(), before) << c.label;
        EXPECT_EQ(d.kept().isEmpty(), c.panelChanges) << c.label;
        EXPECT_TRUE(d.messages.errors.empty()) << c.label;
    }
}

TEST(StudyChanges, EveryEditMarksTheStudyChangedAndTheTitleAtOnce) {
    struct Case {
        const char* label;
        std::function<void(LiveDesk&)> edit;
    };
    auto trigger = [](const char* name) {
        return [name](LiveDesk& d) { d.find<QAction>(name)->trigger(); };
    };
    const Case cases[] = {
        {"a typed field", [](LiveDesk& d) { QTest::keyClicks(d.field(2), "5"); }},
        {"the line width", [](LiveDesk& d) { QTest::keyClicks(d.field(11), "5"); }},
        {"a side", [](LiveDesk& d) { d.click("sideChoice", 1); }},
        {"a study", [](LiveDesk& d) { d.click("studyChoice", 1); }},
        {"the strong base", [](LiveDesk& d) { d.click("strongBaseChoice", 1); }},
        {"a step", [](LiveDesk& d) { d.clickButton("nextEntryButton"); }},
        {"a name searched", [](LiveDesk& d) { searchName(d, "phosphorique"); }},
        {"a paste",
         [](LiveDesk& d) {
             QApplication::clipboard()->setText("0\t3\n0,01\t5\n");
             d.find<QAction>("pasteVolumeFirstAction")->trigger();
         }},
        {"the separator", trigger("decimalPointAction")},
        {"a slider",
         [](LiveDesk& d) {
             QSlider* slider = d.live.sliders()->slider(4);
             slider->setFocus();
             QTest::keyClick(slider, Qt::Key_Right);
         }},
        {"fitted values", fitAndApply},
        {"a graph box",
         [](LiveDesk& d) {
             auto* box = d.graph.findChild<QCheckBox*>("species2Box");
             QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
         }},
        {"the number of points",
         [](LiveDesk& d) {
             QTest::keyClicks(d.graph.findChild<QLineEdit*>("pointCountField"), "5");
         }},
        {"the equivalences",
         [](LiveDesk& d) { d.graph.findChild<QCheckBox*>("EquivalencesBox")->click(); }},
        {"dpH/dV", [](LiveDesk& d) { d.graph.findChild<QCheckBox*>("DerivativeBox")->click(); }},
        {"the legend", [](LiveDesk& d) { d.graph.findChild<QCheckBox*>("LegendBox")->click(); }},
        {"the indicator",
         [](LiveDesk& d) {
             auto* choice = d.graph.findChild<QPushButton*>("IndicatorChoice");
             QMenu* menu = choice ? choice->menu() : nullptr;
             ASSERT_NE(menu, nullptr);
             menu->actions().at(3)->trigger();
         }},
        {"a frozen curve", [](LiveDesk& d) { d.graph.overlayBar()->freeze(); }},
        {"a family", drawFamily},
        {"the point style",
         [](LiveDesk& d) {
             PointStyleDialog chooser(d.sim);
             chooser.findChild<QRadioButton*>("styleChoice_5")->click();
         }},
    };
    for (const Case& c : cases) {
        LiveDesk d;
        d.saveAs("avant");
        ASSERT_FALSE(d.window->studyModified()) << c.label;
        ASSERT_FALSE(d.titleMarked()) << c.label;
        c.edit(d);
        EXPECT_TRUE(d.window->studyModified()) << c.label;
        EXPECT_TRUE(d.titleMarked()) << c.label << ": " << d.window->windowTitle().toStdString();
    }
}

TEST(StudyChanges, OpeningAStudyOrAnExampleLeavesNothingOfTheLastOne) {
    struct Case {
        const char* label;
        const char* example;
    };
    const Case cases[] = {
        {"the species of phosphoric acid", "ExemplePhosphorique"},
        {"two monoacids", "ExempleDeuxMonoacides"},
    };
    for (const Case& c : cases) {
        LiveDesk d;
        d.graph.findChild<QCheckBox*>("EquivalencesBox")->click();
        d.sim.reading.options.indicator = 3;
        d.graph.overlayBar()->freeze();
        searchName(d, "phosphorique");
        d.graph.overlayBar()->freeze();
        ASSERT_EQ(d.kept().size(), 2) << c.label;
        d.find<QLineEdit>("entryNameField")->setText("méthan");

        d.find<QAction>(c.example)->trigger();
        MainWindowFixture::settle();
        EXPECT_TRUE(d.kept().isEmpty()) << c.label;
        EXPECT_TRUE(d.sim.overlays.curves.empty()) << c.label;
        EXPECT_EQ(d.sim.reading.options.indicator, -1) << c.label;
        EXPECT_FALSE(d.graph.findChild<QCheckBox*>("EquivalencesBox")->isChecked()) << c.label;
        EXPECT_EQ(d.find<QLineEdit>("entryNameField")->text().toStdString(), d.sim.panel.entryName)
            << c.label;
        // The chart at once as the show command draws it.
        auto* bottom =
            qobject_cast<QValueAxis*>(d.graph.chart()->chart()->axes(Qt::Horizontal).value(0));
        auto* left =
            qobject_cast<QValueAxis*>(d.graph.chart()->chart()->axes(Qt::Vertical).value(0));
        ASSERT_TRUE(bottom && left) << c.label;
        const QList<qreal> opened{bottom->min(), bottom->max(), left->min(), left->max()};
        const QString leftTitle = left->titleText();
        d.window->showSimulation();
        MainWindowFixture::settle();
        EXPECT_EQ(opened, (QList<qreal>{bottom->min(), bottom->max(), left->min(), left->max()}))
            << c.label;
        EXPECT_EQ(leftTitle, left->titleText()) << c.label;
        EXPECT_FALSE(d.window->studyModified()) << c.label;
        EXPECT_TRUE(d.messages.messages.empty()) << c.label << ": " << d.messages.messages.front();
    }
}

TEST(StudyChanges, QuittingWithUnsavedChangesAsksOnce) {
    struct Case {
        const char* label;
        const char* action;
        MainWindow::UnsavedAnswer answer;
        bool closed;
    };
    const Case cases[] = {
        {"quit, discard", "quitAction", MainWindow::UnsavedAnswer::Discard, true},
        {"quit, cancel", "quitAction", MainWindow::UnsavedAnswer::Cancel, false},
        {"quit and start the navigator, cancel", "quitAndStartNavigatorAction",
         MainWindow::UnsavedAnswer::Cancel, false},
    };
    for (const Case& c : cases) {
        TemporarySettings settings;
        MainWindowFixture w;
        int asked = 0;
        w.window->setUnsavedQuestion([&] {
            ++asked;
            return c.answer;
        });
        w.click("sideChoice", 0);
        if (c.closed) {
            // In the application's event loop, whose quitting closes every window again; the
            // guard ends a loop that nothing ended, and goes with this test.
            QTimer guard;
            guard.setSingleShot(true);
            QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
            guard.start(3000);
            QTimer::singleShot(0, w.window.get(), [&] { w.find<QAction>(c.action)->trigger(); });
            EXPECT_EQ(QApplication::exec(), 0) << c.label;
        } else {
            w.find<QAction>(c.action)->trigger();
        }
        MainWindowFixture::settle();
        EXPECT_EQ(asked, 1) << c.label;
        EXPECT_EQ(!w.window->isVisible(), c.closed) << c.label;
    }
}

} // namespace
