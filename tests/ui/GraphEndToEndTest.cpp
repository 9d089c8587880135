// From the main window to the graph window and the copy: values typed, F11, the curves shown,
// the copy written and put on the clipboard, measured points pasted and drawn.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "core/texts/Messages.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>

using namespace titralab;
using namespace titralab::testing;

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The main window and the graph-side windows, linked as the program links them.
struct Program : MainWindowFixture {
    Program()
        : graph(sim, messages), mixture(sim), copy(sim, messages, values().toStdString()),
          chooser(sim) {
        copy.setGraphWindow(&graph);
        graph.setPointStyleChooser(&chooser);
        graph.setCopyHook([this] { copy.prepare(); });
        window->setLinks({[this] {
                              graph.prepare();
                              graph.show();
                          },
                          [this] { mixture.prepare(); },
                          [this] { copy.prepare(); },
                          {}});
        QObject::connect(window.get(), &MainWindow::hydroniumTickChanged, &graph,
                         &GraphWindow::setHydroniumTicked);
        QObject::connect(window.get(), &MainWindow::sideIconChanged, &graph,
                         &GraphWindow::setSideIcon);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString values() const { return dir.path() + "/Valeurs"; }
    void type(int field, const char* text) {
        w(field)->selectAll();
        QTest::keyClicks(w(field), text);
    }
    QLineEdit* w(int n) const { return field(n); }
    void pressInMain(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QApplication::setActiveWindow(window.get());
        field(3)->setFocus();
        QTest::keyClick(field(3), key, modifiers);
    }
    QCheckBox* box(int n) const { return graph.findChild<QCheckBox*>(boxName(n)); }
    void clickBox(int n) {
        QTest::mouseClick(box(n), Qt::LeftButton, {}, QPoint(8, box(n)->height() / 2));
    }
    QLineEdit* graphPoints() const { return graph.findChild<QLineEdit*>("pointCountField"); }

    QTemporaryDir dir;
    GraphWindow graph;
    MixtureWindow mixture;
    CopyDialog copy;
    PointStyleDialog chooser;
};

TEST(GraphEndToEnd, TypedValuesF11CurvesCopyAndPastedPoints) {
    Program p;
    p.click("sideChoice", 0);            // a strong monobase in the burette
    p.click("studyChoice", 0);           // titration of a polyacid against the volume
    EXPECT_TRUE(p.box(10)->isChecked()); // the study change ticks the hydronium box
    p.type(2, "0.05");                   // acid concentration, mol/L
    p.type(4, "4.8");                    // its pKa

    // 7 typed in the graph window's field, then F11: only the set-up's 5..200 check runs.
    p.graphPoints()->selectAll();
    QTest::keyClicks(p.graphPoints(), "7");
    p.pressInMain(Qt::Key_F11);
    EXPECT_TRUE(p.messages.messages.empty());
    EXPECT_TRUE(p.graph.isVisible());
    EXPECT_EQ(p.graph.chart()->series(1)->count(), 7);
    EXPECT_DOUBLE_EQ(p.sim.results.concentrationScale, 10 / 0.05);
    // A click in the graph window checks the same 5..200 range: 7 stays 7.
    p.clickBox(10);
    EXPECT_TRUE(p.messages.messages.empty());
    EXPECT_EQ(p.graph.chart()->series(1)->count(), 7);

    p.graphPoints()->selectAll();
    QTest::keyClicks(p.graphPoints(), "50");
    p.pressInMain(Qt::Key_F11);
    EXPECT_EQ(p.graph.chart()->series(1)->count(), 50);
    EXPECT_FALSE(p.box(10)->isChecked()); // the click above unticked it
    EXPECT_EQ(p.graph.chart()->series(6)->count(), 0);

    // Ctrl+C in the main window opens the copy dialog; "&Copier" writes the files.
    p.pressInMain(Qt::Key_C, Qt::ControlModifier);
    p.copy.show();
    QTest::mouseClick(p.copy.findChild<QPushButton*>("copyButton"), Qt::LeftButton);
    EXPECT_TRUE(p.messages.errors.empty());
    const QByteArray txt = contentOf(p.values() + "/NumVg1.Txt");
    ASSERT_FALSE(txt.isEmpty());
    EXPECT_EQ(contentOf(p.values() + "/NumVg1.Xls"), txt);
    const QByteArray clipboard = QGuiApplication::clipboard()->text().toUtf8();
    EXPECT_EQ(txt, clipboard + "\r\n");
    EXPECT_EQ(clipboard.count('\r'), 52); // the warning, the header, 50 points
    EXPECT_TRUE(clipboard.startsWith("Attention, l'effet de dilution n'est pas pris en compte"));

    // Measured pairs pasted in the main window appear with "Points ajoutés".
    // The curve reaches twice the equivalence volume: 20 mL.
    QGuiApplication::clipboard()->setText("v\tpH\n0,004\t4,2\n0,010\t8,7\n0,016\t12\n");
    p.pressInMain(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(p.graph.chart()->series(7)->count(), 0);
    p.clickBox(9);
    ASSERT_EQ(p.graph.chart()->series(7)->count(), 3);
    EXPECT_EQ(p.graph.chart()->series(7)->at(0), QPointF(4, 4.2)); // litres drawn in mL
    EXPECT_TRUE(p.messages.messages.empty());
}

TEST(GraphEndToEnd, TheMixtureStudyShowsTheResultsWindow) {
    Program p;
    p.click("sideChoice", 0);
    p.click("studyChoice", 3);
    p.type(4, "2.1");
    p.type(5, "7.2");
    p.type(6, "12.4");
    p.type(14, "4.7");
    p.pressInMain(Qt::Key_F11);
    EXPECT_FALSE(p.graph.isVisible());
    EXPECT_EQ(p.mixture.field(11), "1,7855");
    EXPECT_EQ(p.mixture.field(20), "0,016386");
    EXPECT_EQ(p.mixture.field(21), "40");
}

} // namespace
