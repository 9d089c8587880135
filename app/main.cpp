// TitraLab: start-up, the windows, the event loop, and the exit.
#include "app/Simulation.h"
#include "app/TAboutBox.h"
#include "app/TFprincip.h"
#include "app/UVelmorC.h"
#include "chemistry/TF2PolyAc.h"
#include "graph/TFgraphes.h"
#include "graph/TI4.h"
#include "print/TFDlgPoint.h"
#include "ui/Icons.h"
#include "ui/MessageListener.h"
#include "ui/QtNotifier.h"
#include "ui/SettingsStore.h"

#include <QApplication>
#include <QStandardPaths>

#include <clocale>
#include <string>

using namespace titralab;

int main(int argc, char** argv) {
    QApplication app(argc, argv);

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
    // Modal to the main window only: the point-style chooser beside it stays usable.
    TFgraphes graph(sim, boxes, &principal);
    TF2PolyAc mixture(sim, &principal);
    TI4 copy(sim, boxes, paths.valuesFolder, &principal);
    TAboutBox about(programName, principal.sideIcon(), &principal);
    TFDlgPoint pointStyle(sim); // a window of its own, usable beside the graph window

    copy.setGraphWindow(&graph);
    graph.setPointStyleChooser(&pointStyle);
    graph.setCopyHook([&copy] { copy.OpenCopyDialog(); });
    principal.setAboutBox(&about);
    principal.setLinks({
        [&graph] { graph.showModal(); },
        [&mixture] { mixture.showModal(); },
        [&copy] { copy.OpenCopyDialog(); },
        {},
    });

    // The side's icon goes to every window but the mixture window, whose icon is the base
    // side's for good; a study change sets the graph window's hydronium box.
    mixture.setWindowIcon(icons::side(BuretteSide::BaseSide));
    for (auto* window : {static_cast<QWidget*>(&graph), static_cast<QWidget*>(&pointStyle)})
        window->setWindowIcon(principal.sideIcon());
    copy.setSideIcon(principal.sideIcon());
    QObject::connect(&principal, &TFprincip::sideIconChanged, &graph, &TFgraphes::setSideIcon);
    QObject::connect(&principal, &TFprincip::sideIconChanged, &copy, &TI4::setSideIcon);
    QObject::connect(&principal, &TFprincip::sideIconChanged, &pointStyle,
                     &TFDlgPoint::setSideIcon);
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
