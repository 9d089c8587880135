// TitraLab: start-up, the windows, the event loop, and the exit.
#include "core/curves/Curves.h"
#include "core/panel/Simulation.h"
#include "core/system/Folders.h"
#include "ui/qt/Icons.h"
#include "ui/qt/MessageListener.h"
#include "ui/qt/QtNotifier.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <clocale>
#include <exception>
#include <string>

using namespace titralab;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program speaks French: so do Qt's own dialogs (file opening, printing), when their
    // translation is installed.
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

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

    // The one simulation context, and every window, created once for the whole run.
    Simulation sim;
    MainWindow principal(sim, paths);
    QtNotifier boxes(&principal);
    // Modal to the main window only: the point-style chooser and the text reader, windows of
    // their own, stay usable beside it.
    GraphWindow graph(sim, boxes, &principal);
    MixtureWindow mixture(sim, &principal);
    CopyDialog copy(sim, boxes, paths.valuesFolder, &principal);
    AboutBox about(programName, principal.sideIcon(), &principal);
    PrintDialog print(sim, boxes, &graph);
    PointStyleDialog pointStyle(sim);
    SheetReaderWindow reader(QString::fromStdString(paths.textsFolder));

    copy.setGraphWindow(&graph);
    graph.setPointStyleChooser(&pointStyle);
    graph.setCopyHook([&copy] { copy.OpenCopyDialog(); });
    graph.setPrintHook([&print] { print.showModal(); });
    print.setLineWidthLink(
        {[&principal] { return principal.lineWidthText(); },
         [&principal](const QString& text) { principal.setLineWidthText(text); }});
    print.setPointStyleHook([&pointStyle] { pointStyle.showChooser(); });
    print.setHelpHook([&principal](int context) { principal.showHelpContext(context); });
    principal.setAboutBox(&about);
    principal.setLinks({
        [&graph] { graph.showModal(); },
        [&mixture] { mixture.showModal(); },
        [&copy] { copy.OpenCopyDialog(); },
        [&reader] { reader.openWithDialog(); },
        [&print] { return print.settings(); },
        [&print](const PrintSettings& settings) { print.setSettings(settings); },
        // An opened study or fitted values: the markers follow, and a graph on screen redraws.
        [&] {
            graph.ApplyPointStyle();
            if (!graph.isVisible()) return;
            try {
                RefreshSimulation(sim, boxes);
            } catch (const std::exception& fault) {
                boxes.error(fault.what());
            }
            graph.applySimulation();
        },
    });

    // The side's icon goes to every window but the mixture window, whose icon is the base
    // side's for good; a study change sets the graph window's hydronium box.
    mixture.setWindowIcon(icons::side(BuretteSide::BaseSide));
    auto giveIcon = [&](const QIcon& icon) {
        graph.setSideIcon(icon);
        copy.setSideIcon(icon);
        print.setWindowIcon(icon);
        pointStyle.setSideIcon(icon);
        reader.setSideIcon(icon);
    };
    giveIcon(principal.sideIcon());
    QObject::connect(&principal, &MainWindow::sideIconChanged, &principal, giveIcon);
    QObject::connect(&principal, &MainWindow::hydroniumTickChanged, &graph,
                     &GraphWindow::setHydroniumTicked);

    SettingsStore settings(programName);
    principal.setSettingsStore(&settings);
    // Without the port (another copy of the program holds it) the program runs on.
    principal.startListener(MessageListener::kPort);

    principal.show();
    principal.activateWindow();
    // "titralab FILE": the study of a file (a double click on it in a file manager).
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) principal.openStudy(arguments.at(1));
    const int status = app.exec();

    std::setlocale(LC_NUMERIC, savedNumeric.c_str());
    principal.saveSettings();
    return status;
}
