// The texts of the copied workbook: column titles with their units, sheet names, the
// constants sheet, and the messages of a workbook that could not be written.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

// Column titles of the study sheet.
inline constexpr Text kTitleVolumeMl{"v (mL)", "v (mL)"};
inline constexpr Text kTitleVolumeL{"v (L)", "v (L)"};
inline constexpr Text kTitlePH{"pH", "pH"};
inline constexpr Text kTitleHydronium{"[H3O+] (mol/L)", "[H3O+] (mol/L)"};
inline constexpr Text kConcentrationUnit{" (mol/L)", " (mol/L)"}; // after a species name
inline constexpr Text kTitleConductivity{"σ (S/m)", "σ (S/m)"};
inline constexpr Text kTitleDerivative{"dpH/dV (par mL)", "dpH/dV (per mL)"};
inline constexpr Text kTitleLogAcid{"- Log (concentration de l'acide, en mol/L)",
                                    "- Log (acid concentration, in mol/L)"};
inline constexpr Text kTitleLogBase{"- Log (concentration de la base, en mol/L)",
                                    "- Log (base concentration, in mol/L)"};

// The line above the mixture's results, as its text table opens.
inline constexpr Text kMixtureTitle{"Mélange de deux polyacides",
                                    "Mixture of two polyprotic acids"};

// Sheet names: at most 31 characters, none of []:*?/\ and no straight apostrophe.
inline constexpr Text kSheetConstants{"Constantes", "Constants"};
inline constexpr Text kSheetResults{"Résultats", "Results"};
// The study sheet, by study (in the order of the study list) and side.
inline constexpr Text kStudySheetsAcid[5] = {
    {"Polyacide, f (v)", "Polyprotic acid, f (v)"},
    {"Polyacide, f (pH)", "Polyprotic acid, f (pH)"},
    {"2 monoacides, f (v)", "2 monoprotic acids, f (v)"},
    {"Mélange de 2 polyacides", "Mixture of 2 polyprotic acids"},
    {"Dilution d’un acide", "Dilution of an acid"}};
inline constexpr Text kStudySheetsBase[5] = {
    {"Polybase, f (v)", "Polyprotic base, f (v)"},
    {"Polybase, f (pH)", "Polyprotic base, f (pH)"},
    {"2 monobases, f (v)", "2 monoprotic bases, f (v)"},
    {"Mélange de 2 polybases", "Mixture of 2 polyprotic bases"},
    {"Dilution d’une base", "Dilution of a base"}};

// The constants sheet.
inline constexpr Text kConstantsTitle{"Constantes de la simulation", "Simulation constants"};
inline constexpr Text kSide{"Côté", "Side"};
inline constexpr Text kConditionsRow{"Conditions", "Conditions"};
inline constexpr Text kSideAcid{"Monobase forte dans la burette, acides dans le bécher",
                                "Strong base in the burette, acids in the beaker"};
inline constexpr Text kSideBase{"Monoacide fort dans la burette, bases dans le bécher",
                                "Strong acid in the burette, bases in the beaker"};
inline constexpr Text kStudy{"Étude", "Study"};
inline constexpr Text kTitrant{"Réactif titrant", "Titrant"};
inline constexpr Text kTitrantSoda{"soude", "sodium hydroxide"};
inline constexpr Text kTitrantPotash{"potasse", "potassium hydroxide"};
inline constexpr Text kTitrantStrongAcid{"monoacide fort", "strong acid"};
inline constexpr Text kTitrantConcentration{"Concentration du réactif titrant",
                                            "Titrant concentration"};
inline constexpr Text kConcentrationOf{"Concentration initiale ", "Initial concentration "};
inline constexpr Text kVolumeOf{"Volume ", "Volume "};
inline constexpr Text kPKaOf{"pKa", "pKa"};
inline constexpr Text kPointCount{"Nombre de points", "Number of points"};
inline constexpr Text kSampling{"Variation régulière", "Regular steps"};
inline constexpr Text kSamplingPH{"du pH", "of pH"};
inline constexpr Text kSamplingVolume{"du volume versé", "of volume added"};
inline constexpr Text kDilution{"Effet de dilution", "Dilution effect"};
inline constexpr Text kDilutionTaken{"pris en compte", "taken into account"};
inline constexpr Text kDilutionNotTaken{"non pris en compte pour les concentrations",
                                        "not taken into account for the concentrations"};
inline constexpr Text kLabel{"Grandeur", "Quantity"};
inline constexpr Text kValue{"Valeur", "Value"};
inline constexpr Text kUnit{"Unité", "Unit"};
inline constexpr Text kAnd{" et ", " and "};

// A failed workbook: the two text files are written all the same.
inline constexpr Text kWorkbookTextsKept{
    "Les fichiers texte de la copie sont écrits, mais le classeur ",
    "The text files of the copy are written, but the workbook "};
inline constexpr Text kWorkbookNotWrittenEnd{" n'a pas pu être écrit : ",
                                             " could not be written: "};
inline constexpr Text kWorkbookCannotCreate{"impossible de créer le fichier",
                                            "cannot create the file"};
inline constexpr Text kWorkbookOutOfMemory{"mémoire insuffisante", "out of memory"};
inline constexpr Text kWorkbookOtherFault{"erreur de la bibliothèque de classeurs",
                                          "workbook library error"};
// The writer is a module loaded on first use; the system's reason follows in brackets.
inline constexpr Text kWorkbookModuleMissing{"le module des classeurs ne se charge pas",
                                             "the workbook module does not load"};

} // namespace titralab::texts
