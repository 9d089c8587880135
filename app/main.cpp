// TitraLab: start-up, the windows, the event loop, and the exit.
#include "app/Simulation.h"
#include "app/TAboutBox.h"
#include "app/TFprincip.h"
#include "app/UVelmorC.h"
#include "ui/MessageListener.h"
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
    TAboutBox about(programName, principal.sideIcon(), &principal);
    principal.setAboutBox(&about);

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
