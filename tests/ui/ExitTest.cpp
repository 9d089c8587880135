// Closing the main window ends the program: every other window closes, the placement is saved.
#include "MainWindowFixture.h"

#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QApplication>

using namespace titralab;
using namespace titralab::testing;

namespace {

TEST(Exit, ClosingTheMainWindowClosesEveryOtherWindowAndSavesThePlacement) {
    struct Case {
        const char* label;
        bool chooserOpen;
        bool readerOpen;
    } cases[] = {{"the point-style chooser open", true, false},
                 {"the text reader open", false, true},
                 {"both open", true, true}};
    for (const Case& c : cases) {
        TemporarySettings settings;
        MainWindowFixture w;
        // The program's windows of their own, as the program creates them.
        PointStyleDialog chooser(w.sim);
        SheetReaderWindow reader(Language::French,
                                 QString::fromStdString(builtPaths().textsFolder));
        if (c.chooserOpen) chooser.showChooser();
        if (c.readerOpen) reader.show();
        w.window->move(60, 70);
        w.window->resize(640, 500);
        QApplication::processEvents();

        EXPECT_TRUE(w.window->close()) << c.label;
        EXPECT_FALSE(chooser.isVisible()) << c.label;
        EXPECT_FALSE(reader.isVisible()) << c.label;
        QSettings stored = settings.open();
        EXPECT_EQ(stored.value("gauche").toInt(), 60) << c.label;
        EXPECT_EQ(stored.value("haut").toInt(), 70) << c.label;
        EXPECT_EQ(stored.value("largeur").toInt(), 640) << c.label;
    }
}

} // namespace
