// A developer's tool: the practical-work text reader showing the file named on the command
// line, scrolled to its end with --end (with no file, it runs the open dialog in the shipped
// texts folder).
#include "ui/windows/SheetReaderWindow.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>

using namespace titralab;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt's own dialogs in French, as in the program.
    QTranslator qtTexts;
    if (qtTexts.load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    const QString texts = QCoreApplication::applicationDirPath() + "/../share/titralab/Textes";
    SheetReaderWindow reader(Language::French, QDir::cleanPath(texts));
    const bool shown =
        argc > 1 ? reader.openFile(QString::fromLocal8Bit(argv[1])) : reader.openWithDialog();
    if (!shown) return 1;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == "--end") {
        QTimer::singleShot(200, [&reader] {
            QScrollBar* bar = reader.textArea()->verticalScrollBar();
            bar->setValue(bar->maximum());
        });
    }
    return app.exec();
}
