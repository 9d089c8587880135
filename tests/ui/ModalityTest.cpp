// Windows that stay usable beside the modal dialogs: the point-style chooser and the help.
#include "GraphFixture.h"
#include "MainWindowFixture.h"

#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/HelpViewer.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"

#include <QDialog>
#include <QRadioButton>
#include <QTemporaryDir>

#include <functional>

using namespace titralab;
using namespace titralab::testing;

namespace {

// Follows whether the application blocks a window's input because of a modal window.
class BlockWatch : public QObject {
  public:
    explicit BlockWatch(QWidget* window) { window->installEventFilter(this); }
    bool blocked{false};

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked) blocked = true;
        if (event->type() == QEvent::WindowUnblocked) blocked = false;
        return false;
    }
};

// A dialog shown modal the way exec() makes it, without waiting for it to close.
void showAsExecDoes(QDialog* dialog) {
    dialog->setAttribute(Qt::WA_ShowModal, true);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
}

// A click delivered as the window system delivers it, so that a modal window can block it.
void systemClick(QWidget* target) {
    const QPoint at = target->mapTo(target->window(), QPoint(8, target->height() / 2));
    QTest::mouseClick(target->window()->windowHandle(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

TEST(Modality, TheChooserAndTheHelpStayUsableBesideEveryModalDialog) {
    GraphFixture w(Study::TitrationVsVolume, 17); // the graph window, without an owner here
    TemporarySettings settings;
    MainWindowFixture m;
    QWidget& principal = *m.window;
    QTemporaryDir dir;
    PointStyleDialog chooser(w.sim);
    w.window->setPointStyleChooser(&chooser);
    HelpViewer& help = *m.window->helpViewer(); // what F1 opens
    PrintDialog print(w.sim, w.messages, w.window.get());
    print.setPointStyleHook([&chooser] { chooser.showChooser(); });
    CopyDialog copy(w.sim, w.messages, dir.path().toStdString(), &principal);
    MixtureWindow mixture(w.sim, &principal);
    AboutBox about(Language::French, "titralab", QIcon(), &principal);
    struct Case {
        const char* label;
        QDialog* dialog;
    } cases[] = {{"print dialog", &print},
                 {"copy dialog", &copy},
                 {"mixture window", &mixture},
                 {"about box", &about}};
    int style = 0;
    for (const Case& c : cases) {
        BlockWatch chooserWatch(&chooser), helpWatch(&help);
        showAsExecDoes(c.dialog);
        if (c.dialog == &print)
            QTest::mouseClick(print.findChild<QPushButton*>("pointStyleButton"), Qt::LeftButton);
        else
            chooser.showChooser();
        help.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser)) << c.label;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help)) << c.label;
        EXPECT_FALSE(chooserWatch.blocked) << c.label;
        EXPECT_FALSE(helpWatch.blocked) << c.label;

        // A click on a style changes the style and the graph window's marker, the dialog open.
        style = style == 4 ? 6 : 4; // "Carré", then "Cercle"
        systemClick(chooser.findChild<QRadioButton*>(QStringLiteral("styleChoice_%1").arg(style)));
        EXPECT_EQ(static_cast<int>(w.sim.pasted.pointStyle), style) << c.label;
        EXPECT_EQ(w.chart()->marker(), screenMarkerFor(pointStyleAt(style))) << c.label;
        EXPECT_TRUE(c.dialog->isVisible()) << c.label;

        chooser.hide();
        help.hide();
        c.dialog->hide();
        c.dialog->setAttribute(Qt::WA_ShowModal, false);
    }
}

} // namespace
