// A developer's tool: the practical-work text reader showing the file named on the command
// line (or, with no file, running its open dialog in the shipped texts folder).
#include "app/TFnotepad2.h"

#include <QApplication>
#include <QDir>

using namespace titralab;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString texts = QCoreApplication::applicationDirPath() + "/../share/titralab/Textes";
    TFnotepad2 reader(QDir::cleanPath(texts));
    const bool shown =
        argc > 1 ? reader.openFile(QString::fromLocal8Bit(argv[1])) : reader.openWithDialog();
    return shown ? app.exec() : 1;
}
