// Qt's own dialogs speak French.
#include "ui/qt/FrenchQt.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace titralab;

namespace {

TEST(FrenchQt, QtsOwnDialogsAndButtonsAreInFrench) {
    QTranslator* texts = installFrenchQtTexts();
    ASSERT_NE(texts, nullptr) << "Qt's French translations (qt6-translations-l10n) are missing";
    struct Case {
        const char* context;
        const char* english;
        const char* french;
    } cases[] = {
        {"QPlatformTheme", "Cancel", "Annuler"},
        {"QFileDialog", "File &name:", "&Nom de fichier :"},
        {"QPrintDialog", "Print", "Imprimer"},
        {"QPrintPreviewDialog", "Print Preview", "Aperçu avant impression"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.english).toStdString(), c.french)
            << c.context << " " << c.english;
    QCoreApplication::removeTranslator(texts);
    delete texts;
}

} // namespace
