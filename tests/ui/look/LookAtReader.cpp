// A developer's tool: the practical-work text reader showing the file named on the command
// line, scrolled to its end with --end (with no file, it runs the open dialog in the shipped
// texts folder of the language). TITRALAB_LANG=en shows it in English.
#include "core/base/Language.h"
#include "ui/qt/QtTranslations.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>

#include <cstdlib>

using namespace titralab;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* asked = std::getenv("TITRALAB_LANG");
    const Language language = parseLanguage(asked ? asked : "").value_or(Language::French);
    const QtTranslations translations(language); // Qt's own dialogs as in the program
    QString texts = QCoreApplication::applicationDirPath() + "/../share/titralab/Textes";
    if (language == Language::English) texts += "/en";
    SheetReaderWindow reader(language, QDir::cleanPath(texts));
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
