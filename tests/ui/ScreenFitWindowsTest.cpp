// At 200 % scaling every window fits the usable area of a common screen.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QMenu>
#include <QTemporaryDir>

using namespace titralab;
using namespace titralab::testing;

namespace {

// A 1920 x 1080 screen at 200 %, less a 32-pixel panel: in the windows' own pixels.
constexpr QSize kArea(960, 508);

// The smallest the window can be made, its frame aside.
QSize smallest(QWidget* w) {
    w->ensurePolished();
    if (w->minimumSize() == w->maximumSize()) return w->minimumSize(); // a fixed size
    return w->minimumSizeHint().expandedTo(w->minimumSize());
}

TEST(ScreenFitWindows, EveryWindowFitsTheAreaAtTwoHundredPercent) {
    // Phosphoric acid: the longest species captions in the graph window.
    GraphFixture graph(Study::TitrationVsVolume, 30);
    TemporarySettings settings;
    MainWindowFixture main;
    QTemporaryDir dir;
    PrintDialog print(graph.sim, graph.messages, graph.window.get());
    CopyDialog copy(graph.sim, graph.messages, dir.path().toStdString());
    MixtureWindow mixture(graph.sim);
    AboutBox about(Language::French, "titralab", QIcon());
    PointStyleDialog chooser(graph.sim);
    SheetReaderWindow reader(Language::French, dir.path());
    struct Case {
        const char* label;
        QWidget* window;
    } cases[] = {{"graph window", graph.window.get()},
                 {"main window", main.window.get()},
                 {"print dialog", &print},
                 {"copy dialog", &copy},
                 {"mixture window", &mixture},
                 {"about box", &about},
                 {"point-style chooser", &chooser},
                 {"text reader", &reader}};
    for (const Case& c : cases) {
        const QSize s = smallest(c.window);
        EXPECT_LE(s.width(), kArea.width()) << c.label;
        EXPECT_LE(s.height(), kArea.height()) << c.label;
    }
}

// The graph window with every reading shown and its main window, side by side, on a laptop's
// screen and on a common one at 150 % and 200 %; and the graph window alone, once made large,
// shrinks back to a small screen.
TEST(ScreenFitWindows, TheGraphWindowWithItsReadingsFitsBesideTheMainWindow) {
    // Phosphoric acid: three equivalences, the longest readings.
    GraphFixture graph(Study::TitrationVsVolume, 30);
    for (const char* box : {"EquivalencesBox", "DerivativeBox"})
        QTest::mouseClick(graph.find<QCheckBox>(box), Qt::LeftButton, {}, QPoint(8, 8));
    graph.find<QPushButton>("IndicatorChoice")->menu()->actions().at(10)->trigger();
    auto* particular = graph.find<QLineEdit>("ParticularPoint");
    particular->setText("12,5");
    QTest::keyClick(particular, Qt::Key_Return);
    graph.chart()->setFocus();
    QTest::keyClick(graph.chart(), Qt::Key_Right);
    graph.window->resize(1900, 1000);
    QApplication::processEvents();
    TemporarySettings settings;
    MainWindowFixture main;
    struct Case {
        const char* label;
        QSize area; // the usable area less a panel, in the windows' pixels
    } cases[] = {{"1366 x 768 at 100 %", {1366, 768 - 32}},
                 {"1920 x 1080 at 150 %", {1280, (1080 - 48) * 2 / 3}},
                 {"1920 x 1080 at 200 %", kArea}};
    const QSize g = smallest(graph.window.get());
    const QSize m = smallest(main.window.get());
    for (const Case& c : cases) {
        EXPECT_LE(g.width() + m.width(), c.area.width())
            << c.label << ": " << g.width() << " + " << m.width();
        EXPECT_LE(g.height(), c.area.height()) << c.label;
        graph.window->resize(c.area);
        QApplication::processEvents();
        EXPECT_EQ(graph.window->size(), c.area) << c.label;
    }
}

} // namespace
