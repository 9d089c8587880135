#include "ui/qt/FrenchQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace titralab {

QTranslator* installFrenchQtTexts() {
    auto* texts = new QTranslator(QCoreApplication::instance());
    // qtbase_fr holds the dialogs of Qt's widgets and its print support.
    if (!texts->load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(texts)) {
        delete texts;
        return nullptr;
    }
    return texts;
}

} // namespace titralab
