// The program's wiring, as Program makes it: the windows made on first use, the live graph
// beside the main window, and what the main window hands to the others.
#include "MainWindowFixture.h"

#include "ui/windows/GraphWindow.h"
#include "ui/windows/LiveCurves.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/Program.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>

using namespace titralab;
using namespace titralab::testing;

namespace {

// A program on its own simulation; messages are recorded, nothing is kept between runs.
struct ProgramFixture {
    Simulation sim{simulationIn(Language::French)};
    RecordingNotifier messages;
    Program program{sim, builtPaths(), nullptr, "titralab-tests", &messages};

    ProgramFixture() {
        program.mainWindow().setUnsavedQuestion([] { return MainWindow::UnsavedAnswer::Discard; });
        program.mainWindow().show();
    }
    void click(const char* group, int item) {
        auto* button = program.mainWindow().findChild<QRadioButton*>(
            QStringLiteral("%1_%2").arg(group).arg(item));
        ASSERT_NE(button, nullptr) << group << " " << item;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    // A titration of acetic acid by soda, then the show command: the live graph beside.
    void showTitration() {
        click("sideChoice", 0);
        click("studyChoice", 0);
        program.mainWindow().showSimulation();
    }
};

TEST(ProgramWiring, EachLinkReachesTheWindowItMeans) {
    struct Case {
        const char* label;
        std::function<bool(ProgramFixture&)> holds;
    } cases[] = {
        {"no graph window before the show command",
         [](ProgramFixture& f) { return f.program.madeGraphWindow() == nullptr; }},
        {"the show command makes the graph window and shows it beside",
         [](ProgramFixture& f) {
             f.showTitration();
             GraphWindow* graph = f.program.madeGraphWindow();
             return graph && graph->isVisible() && f.program.liveCurves().isOn();
         }},
        {"the side's icon reaches the graph window and the point-style chooser",
         [](ProgramFixture& f) {
             f.showTitration();
             f.click("sideChoice", 1);
             const qint64 icon = f.program.mainWindow().sideIcon().cacheKey();
             return f.program.graphWindow().windowIcon().cacheKey() == icon &&
                    f.program.pointStyleDialog().windowIcon().cacheKey() == icon;
         }},
        {"the print dialog reads and writes the main window's line width",
         [](ProgramFixture& f) {
             f.program.mainWindow().setLineWidthText("45");
             PrintDialog& print = f.program.printDialog();
             print.show(); // showing it reads the main window's width
             const bool read = print.lineWidthText() == "45";
             print.setLineWidthText("70");
             print.hide(); // every way out hands the width back
             return read && f.program.mainWindow().lineWidthText() == "70";
         }},
    };
    for (const Case& c : cases) {
        ProgramFixture f;
        EXPECT_TRUE(c.holds(f)) << c.label;
    }
}

} // namespace
