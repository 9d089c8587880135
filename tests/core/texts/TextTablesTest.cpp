#include "core/session/Simulation.h"
#include "core/session/WindowDescriptions.h"
#include "core/sheets/SheetReader.h"
#include "core/texts/CopyTexts.h"
#include "core/texts/InputTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/OverlayTexts.h"
#include "core/texts/StudyTexts.h"
#include "core/texts/WindowTexts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>
#include <vector>

namespace titralab {
namespace {

TEST(TextTables, EachLanguageGetsItsOwnTextAndFrenchIsAsBefore) {
    const struct {
        const char* label;
        std::function<std::string(Language)> text;
        const char* french;
        const char* english;
    } cases[] = {
        {"concentration message", [](Language l) { return texts::concentrationRangeMessage(l); },
         "Séparateur décimal : virgule !\rExemple : 1,03E-2 ou La concentration doit être "
         "supérieure à 1E-8 ! ou cbi trop grande !",
         "Decimal separator: comma!\rExample: 1,03E-2 or The concentration must be greater "
         "than 1E-8! or cbi too large!"},
        {"study name",
         [](Language l) { return texts::studyName(BuretteSide::BaseSide, Study::Dilution, l); },
         "Dilution d'une base", "Dilution of a base"},
        {"base pKa hint",
         [](Language l) { return std::string(texts::fieldHint(BuretteSide::BaseSide, 4, l)); },
         "pKa1 du couple de la base dans le bécher (NH4+/NH3 : 9,2)",
         "pKa1 of the base's couple in the beaker (NH4+/NH3: 9,2)"},
        {"study file refusal",
         [](Language l) {
             return texts::cannotOpen(
                 "a.titralab", texts::badValue("copy.digits", texts::expectedInteger(5, 17, l), l),
                 l);
         },
         "Impossible d'ouvrir l'étude « a.titralab » : la valeur de « copy.digits » est hors "
         "limites (attendu : un entier de 5 à 17).",
         "Cannot open the study “a.titralab”: the value of “copy.digits” is out of range "
         "(expected: a whole number from 5 to 17)."},
        {"failed copy", [](Language l) { return texts::copyFailed("/v", "disque plein", l); },
         "La copie a échoué : les fichiers n'ont pas pu être écrits dans le dossier /v\rRaison "
         "donnée par le système : disque plein",
         "The copy failed: the files could not be written into the folder /v\rReason given by "
         "the system: disque plein"},
        {"sheet too long", [](Language l) { return sheets::truncatedMessage("tp.rtf", l); },
         "Le fichier \"tp.rtf\" est trop long : seul son début est affiché.",
         "The file \"tp.rtf\" is too long: only its beginning is shown."},
        {"empty chart",
         [](Language l) {
             Simulation sim;
             sim.language = l;
             return a11y::chartDescription(sim);
         },
         "Aucune courbe n'est tracée.", "No curve is drawn."},
        {"accessible name", [](Language l) { return a11y::aboutBoxTexts(l).front().name; },
         "OK, fermer", "OK, close"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text(Language::French), c.french) << c.label;
        EXPECT_EQ(c.text(Language::English), c.english) << c.label;
    }
}

// The letter after "&", lower case; 0 when there is none.
char mnemonic(const char* text) {
    const std::string s = text;
    const std::size_t at = s.find('&');
    return at == std::string::npos || at + 1 == s.size()
               ? 0
               : static_cast<char>(std::tolower(s[at + 1]));
}

TEST(TextTables, EnglishMnemonicsAreDistinctWithinEachMenu) {
    using namespace texts;
    const struct {
        const char* menu;
        std::vector<Text> entries;
    } menus[] = {
        {"menu bar", {kMenuFile, kMenuEdit, kMenuOptions, kMenuHelp}},
        {"file",
         {kOpenStudy, kSaveStudy, kSaveStudyAs, kRecentStudies, kOpenPracticalText, kPrint,
          kStartNavigator, kQuit, kQuitAndStartNavigator}},
        {"edit", {kShowSimulation, kCopySimulation, kPasteVolumeFirst, kPastePHFirst, kFitMenu}},
        {"options", {kTooltips, kSeparatorComma, kSeparatorPoint, kLiveCurves}},
        {"help",
         {kHelpIndex, kHelpPracticalWork, kHelpPrecision, kHomePage, kWriteToAuthor, kAbout,
          kExampleStudies}},
        {"main window buttons",
         {kShowCaption, kCopyCaption, kPrintButton, kPasteVolumeFirstButton, kPastePHFirstButton,
          kPKa1Label, kPKa2Label, kPKa3Label}},
        {"family dialog",
         {kFamilyQuantity, kFamilyList, kFamilyArithmetic, kFamilyGeometric, kFamilyFirst,
          kFamilyLast, kFamilyCountLabel, kFamilyDraw, kFamilyCancel}},
    };
    for (const auto& m : menus) {
        std::set<char> seen;
        for (const Text& t : m.entries) {
            const char key = mnemonic(t.in(Language::English));
            if (key) EXPECT_TRUE(seen.insert(key).second) << m.menu << ": " << t.en;
        }
    }
}

} // namespace
} // namespace titralab
