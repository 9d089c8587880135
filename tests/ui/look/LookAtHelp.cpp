// A developer's tool: the help window in a language, on one page of the shipped help.
//
//   titralab_help_look [fr|en] [CONTEXT_NUMBER | TOPIC]
#include "core/base/Language.h"
#include "ui/windows/HelpViewer.h"

#include <QApplication>
#include <QDir>

using namespace titralab;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Language language = parseLanguage(argc > 1 ? argv[1] : "fr").value_or(Language::French);
    const QString help = QCoreApplication::applicationDirPath() + "/../share/titralab/Aides";
    HelpViewer viewer(QDir::cleanPath(help), language);
    const QString page = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    bool isNumber = false;
    const int context = page.toInt(&isNumber);
    if (page.isEmpty())
        viewer.showContents();
    else if (isNumber)
        viewer.showContext(context);
    else
        viewer.showTopic(page);
    return app.exec();
}
