// The French texts of the copied workbook: column titles with their units, sheet names, the
// constants sheet, and the messages of a workbook that could not be written.
#pragma once

#include "core/texts/Language.h"

namespace titralab::texts {

// Column titles of the study sheet.
inline constexpr const char* kTitleVolumeMl = "v (mL)";
inline constexpr const char* kTitleVolumeL = "v (L)";
inline constexpr const char* kTitlePH = "pH";
inline constexpr const char* kTitleHydronium = "[H3O+] (mol/L)";
inline constexpr const char* kConcentrationUnit = " (mol/L)"; // after a species name
inline constexpr const char* kTitleConductivity = "σ (S/m)";
inline constexpr const char* kTitleDerivative = "dpH/dV (par mL)";
inline constexpr const char* kTitleLogAcid = "- Log (concentration de l'acide, en mol/L)";
inline constexpr const char* kTitleLogBase = "- Log (concentration de la base, en mol/L)";

// The line above the mixture's results, as its text table opens.
inline constexpr const char* kMixtureTitle = "Mélange de deux polyacides";

// Sheet names: at most 31 characters, none of []:*?/\ and no straight apostrophe.
inline constexpr const char* kSheetConstants = "Constantes";
inline constexpr const char* kSheetResults = "Résultats";
// The study sheet, by study (in the order of the study list) and side.
inline constexpr const char* kStudySheetsAcid[5]{"Polyacide, f (v)", "Polyacide, f (pH)",
                                                 "2 monoacides, f (v)", "Mélange de 2 polyacides",
                                                 "Dilution d’un acide"};
inline constexpr const char* kStudySheetsBase[5]{"Polybase, f (v)", "Polybase, f (pH)",
                                                 "2 monobases, f (v)", "Mélange de 2 polybases",
                                                 "Dilution d’une base"};

// The constants sheet.
inline constexpr const char* kConstantsTitle = "Constantes de la simulation";
inline constexpr const char* kSide = "Côté";
inline constexpr const char* kSideAcid = "Monobase forte dans la burette, acides dans le bécher";
inline constexpr const char* kSideBase = "Monoacide fort dans la burette, bases dans le bécher";
inline constexpr const char* kStudy = "Étude";
inline constexpr const char* kTitrant = "Réactif titrant";
inline constexpr const char* kSoda = "soude";
inline constexpr const char* kPotash = "potasse";
inline constexpr const char* kStrongAcid = "monoacide fort";
inline constexpr const char* kTitrantConcentration = "Concentration du réactif titrant";
inline constexpr const char* kConcentrationOf = "Concentration initiale ";
inline constexpr const char* kVolumeOf = "Volume ";
inline constexpr const char* kPKaOf = "pKa";
inline constexpr const char* kPointCount = "Nombre de points";
inline constexpr const char* kSampling = "Variation régulière";
inline constexpr const char* kSamplingPH = "du pH";
inline constexpr const char* kSamplingVolume = "du volume versé";
inline constexpr const char* kDilution = "Effet de dilution";
inline constexpr const char* kDilutionTaken = "pris en compte";
inline constexpr const char* kDilutionNotTaken = "non pris en compte pour les concentrations";
inline constexpr const char* kLabel = "Grandeur";
inline constexpr const char* kValue = "Valeur";
inline constexpr const char* kUnit = "Unité";
inline constexpr const char* kAnd = " et ";

// A failed workbook: the two text files are written all the same.
inline constexpr const char* kWorkbookTextsKept =
    "Les fichiers texte de la copie sont écrits, mais le classeur ";
inline constexpr const char* kWorkbookNotWrittenEnd = " n'a pas pu être écrit : ";
inline constexpr const char* kWorkbookCannotCreate = "impossible de créer le fichier";
inline constexpr const char* kWorkbookCannotRename = "impossible de le mettre en place";
inline constexpr const char* kWorkbookOutOfMemory = "mémoire insuffisante";
inline constexpr const char* kWorkbookOtherFault = "erreur de la bibliothèque de classeurs";
// The writer is a module loaded on first use; the system's reason follows in brackets.
inline constexpr Text kWorkbookModuleMissing{"le module des classeurs ne se charge pas",
                                             "the workbook module does not load"};

} // namespace titralab::texts
