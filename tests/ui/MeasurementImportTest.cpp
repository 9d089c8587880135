// The main window's import of measurement files: the file read or refused, the import dialog
// answered, the points kept in the simulation and the status line.
#include "MainWindowFixture.h"

#include <QAction>
#include <QFile>
#include <QStatusBar>

using namespace titralab;
using namespace titralab::testing;

namespace {

struct ImportCase {
    const char* label;
    QByteArray bytes;
    bool accepted;        // how the dialog is answered
    std::size_t pHPoints; // then in the simulation
    std::size_t sigmaPoints;
    const char* status; // on the status line, "" for none
    const char* error;  // the message, "" for none
};

TEST(MeasurementImport, ReadsOrRefusesTheFileAndKeepsThePoints) {
    QByteArray binary;
    for (int k = 0; k < 2048; ++k) binary.append(static_cast<char>(k % 256));
    const QByteArray logged =
        "V (mL);pH;\xCF\x83 (mS/cm)\n0;2,9;1,2\n5;4,3;0,9\nx;y;z\n10;4,8;1,1\n";
    const ImportCase cases[] = {
        {"logger file imported", logged, true, 3, 3,
         "3 points de pH importés ; 3 points de conductivité importés ; volumes en mL (lu dans "
         "l'en-tête)",
         ""},
        {"dialog cancelled", logged, false, 0, 0, "", ""},
        {"binary file refused", binary, true, 0, 0, "", "n'est pas un fichier texte de mesures"},
        {"no readable line", "volume;pH\nrien;ici\n", true, 0, 0, "", "Aucune ligne de mesures"},
    };
    for (const ImportCase& c : cases) {
        TemporarySettings settings;
        MainWindowFixture w;
        const QString path = settings.dir.filePath("mesures.csv");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        w.window->setImportAnswer([&](QDialog&) { return c.accepted; });
        w.window->setFileChooser([&](bool) { return path; });
        w.window->findChild<QAction*>("importMeasurementsAction")->trigger();
        EXPECT_EQ(w.sim.pasted.lines.size(), c.pHPoints) << c.label;
        EXPECT_EQ(w.sim.pasted.conductivity.size(), c.sigmaPoints) << c.label;
        const QString status = w.window->statusBar()->currentMessage();
        EXPECT_TRUE(*c.status ? status.startsWith(QString::fromUtf8(c.status)) : status.isEmpty())
            << c.label << ": " << status.toStdString();
        if (*c.error) {
            ASSERT_EQ(w.messages.errors.size(), 1u) << c.label;
            EXPECT_NE(w.messages.errors[0].find(c.error), std::string::npos) << c.label;
        } else {
            EXPECT_TRUE(w.messages.errors.empty()) << c.label;
        }
    }
}

TEST(MeasurementImport, CtrlIIsTheImportsAlone) {
    MainWindowFixture w;
    int holders = 0;
    for (const QAction* action : w.window->findChildren<QAction*>())
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_I)) {
            ++holders;
            EXPECT_EQ(action->objectName(), "importMeasurementsAction");
        }
    EXPECT_EQ(holders, 1);
}

} // namespace
