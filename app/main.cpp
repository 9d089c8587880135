// TitraLab: start-up, the windows, the event loop, and the exit.
#include "core/curves/Curves.h"
#include "core/panel/Simulation.h"
#include "core/system/Folders.h"
#include "ui/qt/Icons.h"
#include "ui/qt/MessageListener.h"
#include "ui/qt/QtNotifier.h"
#include "ui/qt/QtTranslations.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/LiveCurves.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>

#include <clocale>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <exception>
#include <memory>
#include <string>

using namespace titralab;

int main(int argc, char** argv) {
    // Qt's own event loop rather than GLib's: the program needs nothing of GLib, whose loop
    // costs memory for the whole run.
    if (qEnvironmentVariableIsEmpty("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);

    // Every number the program turns into text uses the point; the system's separator is
    // put back at exit.
    const char* systemNumeric = std::setlocale(LC_NUMERIC, nullptr);
    const std::string savedNumeric = systemNumeric ? systemNumeric : "C";
    std::setlocale(LC_NUMERIC, "C");

    const desktop::Paths paths = desktop::computePaths(
        QCoreApplication::applicationFilePath().toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
    const QString programName = QString::fromStdString(paths.programName);
    QCoreApplication::setApplicationName(programName);
    QCoreApplication::setOrganizationName(SettingsStore::kOrganisation);

    // The language of the run, before any window takes its texts: TITRALAB_LANG (fr or en),
    // else the one chosen in "Options > Langue", else the desktop's. Qt's own dialogs (file
    // choice, printing) speak it too.
    SettingsStore settings(programName);
    Simulation sim;
    setLanguage(sim, chooseLanguage(qgetenv("TITRALAB_LANG").toStdString(), settings.readLanguage(),
                                    QLocale::system().name().toStdString()));
    const QtTranslations translations(sim.language);

    // The one simulation context and the small windows, created once for the whole run. The
    // graph window (the charting library), the print dialog (the printing system) and the text
    // reader are created when first used, and kept: the program starts light.
    MainWindow principal(sim, paths);
    QtNotifier boxes(&principal);
    AboutBox about(sim.language, programName, principal.sideIcon(), &principal);
    PointStyleDialog pointStyle(sim);
    std::unique_ptr<MixtureWindow> mixture;
    std::unique_ptr<CopyDialog> copy;
    std::unique_ptr<GraphWindow> graph;
    std::unique_ptr<PrintDialog> print;
    std::unique_ptr<SheetReaderWindow> reader;
    PrintSettings printSettings; // the print dialog's settings until it is made

    auto copyDialog = [&]() -> CopyDialog& {
        if (!copy) {
            copy = std::make_unique<CopyDialog>(sim, boxes, paths.valuesFolder, &principal);
            copy->setSideIcon(principal.sideIcon());
            copy->setGraphWindow(graph.get());
        }
        return *copy;
    };
    auto printDialog = [&]() -> PrintDialog& {
        if (!print) {
            print = std::make_unique<PrintDialog>(sim, boxes, graph.get());
            print->setSettings(printSettings);
            print->setWindowIcon(principal.sideIcon());
            print->setLineWidthLink(
                {[&principal] { return principal.lineWidthText(); },
                 [&principal](const QString& text) { principal.setLineWidthText(text); }});
            print->setPointStyleHook([&pointStyle] { pointStyle.showChooser(); });
            print->setHelpHook([&principal](int context) { principal.showHelpContext(context); });
            QObject::connect(print.get(), &PrintDialog::settingsEdited, &principal,
                             [&sim] { markStudyChanged(sim); });
        }
        return *print;
    };
    auto graphWindow = [&]() -> GraphWindow& {
        if (!graph) {
            graph = std::make_unique<GraphWindow>(sim, boxes, &principal);
            graph->setSideIcon(principal.sideIcon());
            graph->setPointStyleChooser(&pointStyle);
            graph->setCopyHook([&copyDialog] { copyDialog().showModal(); });
            graph->setPrintHook([&printDialog] { printDialog().showModal(); });
            if (copy) copy->setGraphWindow(graph.get());
            QObject::connect(graph.get(), &GraphWindow::panelChanged, &principal,
                             &MainWindow::showPanelState);
        }
        return *graph;
    };
    auto readerWindow = [&]() -> SheetReaderWindow& {
        if (!reader) {
            reader = std::make_unique<SheetReaderWindow>(
                sim.language, QString::fromStdString(textsFolder(paths, sim.language)));
            reader->setSideIcon(principal.sideIcon());
        }
        return *reader;
    };

    principal.setAboutBox(&about);
    // "Courbes en direct": the show command puts the graph window beside the main window.
    LiveCurves live(sim, &principal, graphWindow, boxes, &settings);
    principal.setLinks({
        [&live] { live.showGraph(); },
        [&] {
            // Its icon is the base side's for good.
            if (!mixture) {
                mixture = std::make_unique<MixtureWindow>(sim, &principal);
                mixture->setWindowIcon(icons::side(BuretteSide::BaseSide));
            }
            mixture->showModal();
        },
        // The copy publishes its table through the graph window.
        [&graphWindow, &copyDialog] {
            graphWindow();
            copyDialog().showModal();
        },
        [&readerWindow] { readerWindow().openWithDialog(); },
        // The print settings of a study: the print dialog's once it exists, kept until then.
        [&]() -> PrintSettings { return print ? print->settings() : printSettings; },
        [&](const PrintSettings& settings) {
            printSettings = settings;
            if (print) print->setSettings(settings);
        },
        // An opened study or fitted values: the markers follow; the live curves redraw a graph
        // on screen, as after every change of the panel.
        [&] {
            if (graph) graph->applyPointStyle();
        },
    });

    // The side's icon goes to every window but the mixture window, whose icon is the base
    // side's for good; a study change sets the graph window's hydronium box (the simulation
    // holds it for a graph window not yet created).
    auto giveIcon = [&](const QIcon& icon) {
        if (graph) graph->setSideIcon(icon);
        if (copy) copy->setSideIcon(icon);
        if (print) print->setWindowIcon(icon);
        pointStyle.setSideIcon(icon);
        if (reader) reader->setSideIcon(icon);
    };
    giveIcon(principal.sideIcon());
    QObject::connect(&principal, &MainWindow::sideIconChanged, &principal, giveIcon);
    QObject::connect(&principal, &MainWindow::hydroniumTickChanged, &principal,
                     [&graph](bool ticked) {
                         if (graph) graph->setHydroniumTicked(ticked);
                     });

    principal.setSettingsStore(&settings);
    // Without the port (another copy of the program holds it) the program runs on.
    principal.startListener(MessageListener::kPort);

    principal.show();
    principal.activateWindow();
    // "titralab FILE": the study of a file (a double click on it in a file manager).
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) principal.openStudy(arguments.at(1));
#ifdef __GLIBC__
    // Start-up leaves freed blocks in the heap (the database, the background picture's
    // decoding, the first layout): give them back while the program waits for the user.
    QTimer::singleShot(500, [] { malloc_trim(0); });
#endif
    const int status = app.exec();

    std::setlocale(LC_NUMERIC, savedNumeric.c_str());
    principal.saveSettings();
    return status;
}
