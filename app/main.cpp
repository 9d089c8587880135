// TitraLab: start-up, the windows, the event loop, and the exit.
#include "app/Simulation.h"
#include "app/TAboutBox.h"
#include "app/TFnotepad2.h"
#include "app/TFprincip.h"
#include "app/UVelmorC.h"
#include "chemistry/TF2PolyAc.h"
#include "graph/TFgraphes.h"
#include "graph/TI4.h"
#include "print/TFDlgImpression.h"
#include "print/TFDlgPoint.h"
#include "ui/Icons.h"
#include "ui/MessageListener.h"
#include "ui/QtNotifier.h"
#include "ui/SettingsStore.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <clocale>
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

    const velmor::Paths paths = velmor::computePaths(
        QCoreApplication::applicationFilePath().toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
    const QString programName = QString::fromStdString(paths.programName);
    QCoreApplication::setApplicationName(programName);
    QCoreApplication::setOrganizationName(SettingsStore::kOrganisation);

    // The one simulation context, and every window, created once for the whole run.
    Simulation sim;
    TFprincip principal(sim, paths);
    QtNotifier boxes(&principal);
    // Modal to the main window only: the point-style chooser and the text reader, windows of
    // their own, stay usable beside it.
    TFgraphes graph(sim, boxes, &principal);
    TF2PolyAc mixture(sim, &principal);
    TI4 copy(sim, boxes, paths.valuesFolder, &principal);
    TAboutBox about(programName, principal.sideIcon(), &principal);
    TFDlgImpression print(sim, boxes, &graph);
    TFDlgPoint pointStyle(sim);
    TFnotepad2 reader(QString::fromStdString(paths.textsFolder));

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
    QObject::connect(&principal, &TFprincip::sideIconChanged, &principal, giveIcon);
    QObject::connect(&principal, &TFprincip::hydroniumTickChanged, &graph,
                     &TFgraphes::setHydroniumTicked);

    SettingsStore settings(programName);
    principal.setSettingsStore(&settings);
    // Without the port (another copy of the program holds it) the program runs on.
    principal.startListener(MessageListener::kPort);

    principal.show();
    principal.activateWindow();
    const int status = app.exec();

    std::setlocale(LC_NUMERIC, savedNumeric.c_str());
    principal.saveSettings();
    return status;
}
