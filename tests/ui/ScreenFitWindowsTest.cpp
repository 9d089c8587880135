// At 200 % scaling every window fits the usable area of a common screen.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

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

} // namespace
