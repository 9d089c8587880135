// The language of a run and the translations installed for it: Qt's own dialogs in French, the
// program's own texts in English.
#include "ui/qt/QtTranslations.h"

#include "MainWindowFixture.h"
#include "ui/qt/SettingsStore.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <optional>

using namespace titralab;
using namespace titralab::testing;

namespace {

TEST(LanguageOfARun, OverrideThenStoredChoiceThenLocale) {
    constexpr auto fr = Language::French;
    constexpr auto en = Language::English;
    struct Case {
        const char* label;
        const char* override;
        std::optional<Language> stored;
        const char* locale;
        Language expected;
    } cases[] = {
        {"French desktop", "", std::nullopt, "fr_FR", fr},
        {"Canadian French desktop", "", std::nullopt, "fr_CA", fr},
        {"English desktop", "", std::nullopt, "en_GB", en},
        {"German desktop", "", std::nullopt, "de_DE", en},
        {"C locale", "", std::nullopt, "C", en},
        {"stored English on a French desktop", "", en, "fr_FR", en},
        {"stored French on an English desktop", "", fr, "en_US", fr},
        {"override over the stored choice", "en", fr, "fr_FR", en},
        {"French override on an English desktop", "fr", std::nullopt, "en_US", fr},
        {"unknown override ignored", "de", std::nullopt, "fr_BE", fr},
        {"override in capitals ignored", "EN", fr, "fr_FR", fr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseLanguage(c.override, c.stored, c.locale), c.expected) << c.label;
}

TEST(LanguageOfARun, StoredChoiceReadsBackAndGarbageIsNoChoice) {
    TemporarySettings settings;
    const SettingsStore store(kTestProgram);
    EXPECT_EQ(store.readLanguage(), std::nullopt) << "nothing stored";
    for (Language l : {Language::English, Language::French}) {
        store.writeLanguage(l);
        EXPECT_EQ(store.readLanguage(), l) << languageCode(l);
    }
    struct Case {
        const char* stored;
        std::optional<Language> read;
    } cases[] = {{"en", Language::English},
                 {" fr ", Language::French},
                 {"english", std::nullopt},
                 {"", std::nullopt},
                 {"1", std::nullopt}};
    for (const Case& c : cases) {
        settings.open().setValue("langue", c.stored);
        EXPECT_EQ(store.readLanguage(), c.read) << '"' << c.stored << '"';
    }
}

struct Translated {
    const char* context;
    const char* source;
    const char* shown;
};

void expectTranslations(const char* language, const std::vector<Translated>& cases) {
    for (const Translated& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.context, c.source).toStdString(), c.shown)
            << language << ": " << c.context << " " << c.source;
}

TEST(QtTranslations, FrenchRunHasQtsDialogsInFrenchAndItsOwnTextsAsWritten) {
    const QtTranslations french(Language::French);
    ASSERT_TRUE(french.complete())
        << "Qt's French translations (qt6-translations-l10n) are missing";
    expectTranslations("fr",
                       {
                           {"QPlatformTheme", "Cancel", "Annuler"},
                           {"QFileDialog", "File &name:", "&Nom de fichier :"},
                           {"QPrintDialog", "Print", "Imprimer"},
                           {"QPrintPreviewDialog", "Print Preview", "Aperçu avant impression"},
                           {"titralab::PrintDialog", "Imprimer une courbe", "Imprimer une courbe"},
                       });
}

TEST(QtTranslations, EnglishRunHasItsOwnTextsInEnglishAndQtsAsQtWroteThem) {
    const QtTranslations english(Language::English);
    ASSERT_TRUE(english.complete()) << "titralab_en.qm is not in the program's resources";
    expectTranslations("en", {
                                 {"QPlatformTheme", "Cancel", "Cancel"},
                                 {"QPrintDialog", "Print", "Print"},
                                 {"titralab::PrintDialog", "Imprimer une courbe", "Print a curve"},
                                 {"titralab::MainWindow", "&Langue", "&Language"},
                             });
}

TEST(QtTranslations, LeavingTheScopeRemovesThem) {
    { const QtTranslations english(Language::English); }
    EXPECT_EQ(QCoreApplication::translate("titralab::MainWindow", "&Langue").toStdString(),
              "&Langue");
}

// "Options > Langue": the choice is stored for the next start, and the message says so in the
// language of the run.
TEST(LanguageMenu, ChoiceIsStoredAndAnnouncedInTheLanguageOfTheRun) {
    struct Case {
        Language run;
        const char* menuTitle;
        const char* message;
    } cases[] = {
        {Language::French, "&Langue",
         "La langue choisie sera appliquée au prochain démarrage de TitraLab."},
        {Language::English, "&Language",
         "The chosen language will be applied the next time TitraLab starts."},
    };
    for (const Case& c : cases) {
        const QtTranslations translations(c.run);
        TemporarySettings settings;
        MainWindowFixture w(builtPaths(), c.run);
        const char* code = languageCode(c.run);
        auto* menu = w.window->findChild<QMenu*>("languageMenu");
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title().toStdString(), c.menuTitle) << code;
        auto* french = w.window->findChild<QAction*>("frenchAction");
        auto* english = w.window->findChild<QAction*>("englishAction");
        ASSERT_TRUE(french && english);
        EXPECT_EQ(french->isChecked(), c.run == Language::French) << code;
        EXPECT_EQ(english->isChecked(), c.run == Language::English) << code;

        // The language of the run again: nothing to say.
        (c.run == Language::French ? french : english)->trigger();
        EXPECT_TRUE(w.messages.messages.empty()) << code;
        // The other one: stored, checked, announced.
        const Language other = c.run == Language::French ? Language::English : Language::French;
        (other == Language::French ? french : english)->trigger();
        EXPECT_EQ(w.store.readLanguage(), other) << code;
        EXPECT_EQ(french->isChecked(), other == Language::French) << code;
        EXPECT_EQ(english->isChecked(), other == Language::English) << code;
        ASSERT_EQ(w.messages.messages.size(), 1u) << code;
        EXPECT_EQ(w.messages.messages[0], c.message) << code;
    }
}

TEST(LanguageMenu, ShowsTheStoredChoiceOverTheLanguageOfTheRun) {
    TemporarySettings settings;
    SettingsStore(kTestProgram).writeLanguage(Language::English);
    MainWindowFixture w; // a French run, TITRALAB_LANG=fr for instance
    EXPECT_TRUE(w.window->findChild<QAction*>("englishAction")->isChecked());
    EXPECT_FALSE(w.window->findChild<QAction*>("frenchAction")->isChecked());
}

} // namespace
