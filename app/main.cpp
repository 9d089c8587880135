// TitraLab: start-up, the windows, the event loop, and the exit.
#include "core/curves/Curves.h"
#include "core/session/Simulation.h"
#include "core/system/Folders.h"
#include "ui/qt/QtTranslations.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/Program.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>

#include <clocale>
#ifdef __GLIBC__
#include <malloc.h>
#endif
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

    const system::Paths paths = system::computePaths(
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

    // The one simulation context and the windows, for the whole run.
    Program program(sim, paths, &settings, programName);
    // "titralab FILE": the study of a file (a double click on it in a file manager).
    const QStringList arguments = QCoreApplication::arguments();
    program.start(arguments.size() > 1 ? arguments.at(1) : QString());
#ifdef __GLIBC__
    // Start-up leaves freed blocks in the heap (the database, the background picture's
    // decoding, the first layout): give them back while the program waits for the user.
    QTimer::singleShot(500, [] { malloc_trim(0); });
#endif
    const int status = app.exec();

    std::setlocale(LC_NUMERIC, savedNumeric.c_str());
    program.mainWindow().saveSettings();
    return status;
}
