// The texts of the main window and the about box: menus, hints, captions, labels.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

// Main window caption: the fixed part, then the author credit.
inline constexpr Text kMainCaption{"pH, conductivité, concentrations : ",
                                   "pH, conductivity, concentrations: "};
inline constexpr Text kAuthorCredit{"réalisé par l'équipe TitraLab", "made by the TitraLab team"};

// Menus and their entries ("&" marks the mnemonic).
inline constexpr Text kMenuFile{"&Fichier", "&File"};
inline constexpr Text kOpenPracticalText{"&Ouvrir un texte de travail pratique",
                                         "Open a practical &work sheet"};
inline constexpr Text kPrint{"&Imprimer...", "&Print..."};
inline constexpr Text kStartNavigator{"&Lancer le navigateur Velmor",
                                      "&Launch the Velmor navigator"};
inline constexpr Text kQuit{"&Quitter", "&Quit"};
inline constexpr Text kQuitAndStartNavigator{"Q&uitter et lancer le navigateur",
                                             "Q&uit and launch the navigator"};
inline constexpr Text kMenuEdit{"&Edition", "&Edit"};
inline constexpr Text kShowSimulation{"&Voir simulation", "&Show simulation"};
inline constexpr Text kCopySimulation{"&Copier simulation...", "&Copy simulation..."};
inline constexpr Text kPasteVolumeFirst{"Co&ller des couples (v, pH)", "&Paste pairs (v, pH)"};
inline constexpr Text kPastePHFirst{"Coll&er des couples (pH, v)", "P&aste pairs (pH, v)"};
inline constexpr Text kMenuOptions{"&Options", "&Options"};
inline constexpr Text kTooltips{"&Bulles d'aide", "&Tooltips"};
inline constexpr Text kSeparatorComma{"Séparateur décimal = &virgule",
                                      "Decimal separator = &comma"};
inline constexpr Text kSeparatorPoint{"Séparateur décimal = &point", "Decimal separator = &point"};
inline constexpr Text kMenuHelp{"&Aide", "&Help"};
inline constexpr Text kHelpIndex{"&Index", "&Index"};
inline constexpr Text kHelpPracticalWork{"&Travaux pratiques", "&Practical work"};
inline constexpr Text kHelpPrecision{"Pré&cision des calculs", "&Calculation accuracy"};
inline constexpr Text kHomePage{"&Page d'accueil Velmor", "Velmor &home page"};
inline constexpr Text kWriteToAuthor{"&Ecrire à l'auteur", "&Mail the author"};
inline constexpr Text kAbout{"&A propos", "A&bout"};

// Hints: the part before "|" is the bubble, the part after it the status-bar text; a hint
// without "|" is both.
inline constexpr Text kHintStartNavigator{"|Lance d'autres programmes de cette suite",
                                          "|Starts other programs of this suite"};
inline constexpr Text kHintCopySimulation{"|Transfert vers un tableur, ou un logiciel de dessin",
                                          "|Transfer to a spreadsheet or a drawing program"};

// Tool bar buttons and their hints, left to right.
inline constexpr Text kToolOpen{"&Ouvrir", "&Open"};
inline constexpr Text kToolSave{"&Enregistrer", "&Save"};
inline constexpr Text kToolPrint{"&Imprimer", "&Print"};
inline constexpr Text kToolCopy{"&Copier", "&Copy"};
inline constexpr Text kToolIndex{"&Index", "&Index"};
inline constexpr Text kHintToolOpen{"Ouvrir|Ouvrir une étude (.titralab)",
                                    "Open|Open a study (.titralab)"};
inline constexpr Text kHintToolSave{"Enregistrer|Enregistrer l'étude (.titralab)",
                                    "Save|Save the study (.titralab)"};
inline constexpr Text kHintToolPrint{"Imprimer|Imprimer", "Print|Print"};
inline constexpr Text kHintToolCopy{"Copier|Copier un graphique ou des nombres pour un tableur",
                                    "Copy|Copy a chart or numbers for a spreadsheet"};
inline constexpr Text kHintToolIndex{"Aide|Index d'aide en ligne", "Help|Online help index"};

// Commands panel.
inline constexpr Text kLineWidthLabel{"épaisseur de trait, en 1/100 mm", "line width, in 1/100 mm"};
inline constexpr Text kHintShowButton{"|Trace les courbes à l'écran",
                                      "|Draws the curves on screen"};
inline constexpr Text kHintCopyButton{"|Transfert vers un tableur", "|Transfer to a spreadsheet"};
inline constexpr Text kPrintButton{"&Imprimer...                           Ctrl+P",
                                   "&Print...                                  Ctrl+P"};
inline constexpr Text kPasteVolumeFirstButton{"Co&ller des couples (v, pH)     Ctrl+V",
                                              "P&aste pairs (v, pH)                Ctrl+V"};
inline constexpr Text kPastePHFirstButton{"Colle&r des couples (pH, v)     Ctrl+B",
                                          "Pas&te pairs (pH, v)                Ctrl+B"};

// Captions of the show and copy commands: before any study, in most studies, in the
// two-polyacid mixture.
inline constexpr Text kShowCaptionAtStart{"Voir &simulation                      F11",
                                          "&Show simulation                        F11"};
inline constexpr Text kCopyCaptionAtStart{"&Copier simulation...             Ctrl+C",
                                          "&Copy simulation...               Ctrl+C"};
inline constexpr Text kShowCaption{"Voir &simulation  F11", "&Show simulation  F11"};
inline constexpr Text kCopyCaption{"&Copier simulation... Ctrl+C", "&Copy simulation... Ctrl+C"};
inline constexpr Text kShowResultsCaption{"Afficher ré&sultats  F11", "Show re&sults  F11"};
inline constexpr Text kCopyResultsCaption{"&Copier résultats  Ctrl+C", "&Copy results  Ctrl+C"};

// Input panel.
inline constexpr Text kBuretteCaption{"Dans la burette :", "In the burette:"};
inline constexpr Text kStrongBase{"Monobase forte", "Strong base"};
inline constexpr Text kStrongAcid{"Monoacide fort", "Strong acid"};
inline constexpr Text kStudyCaption{"Vous voulez étudier la transformation : ",
                                    "Reaction to study: "};
inline constexpr Text kBaseKindCaption{"Monobase forte", "Strong base"};
inline constexpr Text kSoda{"Soude", "NaOH"};
inline constexpr Text kPotash{"Potasse", "KOH"};
inline constexpr Text kUnitConcentration{"mol/L", "mol/L"};
inline constexpr Text kUnitVolume{"L", "L"};
inline constexpr Text kPKa1Label{"p&Ka", "p&Ka"};
inline constexpr Text kPKa2Label{"pKa&2", "pKa&2"};
inline constexpr Text kPKa3Label{"pKa&3", "pKa&3"};

// Texts that follow the burette side: [0] acid side, [1] base side.
inline constexpr Text kBuretteConcLabel[2] = {{"Cbi", "Cbi"}, {"Cai", "Cai"}};  // A1
inline constexpr Text kBeakerConcLabel[2] = {{"Cai", "Cai"}, {"Cbi", "Cbi"}};   // A2
inline constexpr Text kBeakerVolumeLabel[2] = {{"Vai", "Vai"}, {"Vbi", "Vbi"}}; // A3
inline constexpr Text kColumn1Title[2] = {{"Acide 1", "Acid 1"}, {"Base 1", "Base 1"}};
inline constexpr Text kColumn2Title[2] = {{"Acide 2", "Acid 2"}, {"Base 2", "Base 2"}};
inline constexpr Text kBrowserTitle[2] = {{"Base de données des acides", "Database of acids"},
                                          {"Base de données des bases", "Database of bases"}};
inline constexpr Text kEntryTitle[2] = {{"Nom de l'acide", "Acid name"},
                                        {"Nom de la base", "Base name"}};
inline constexpr Text kTargetCaption[2] = {{"Concerne l' ", "Applies to "},
                                           {"Concerne la ", "Applies to "}};

// Hints of the fields D1..D16 (index = field number; empty where there is no field).
inline constexpr Text kFieldHint[17] = {
    {"", ""},
    {"|Concentration de la monobase forte dans la burette, en mol/L",
     "|Concentration of the strong base in the burette, in mol/L"},
    {"|Concentration de l'acide (mono, di ou tri) dans le bécher, en mol/L",
     "|Beaker: concentration of the mono-, di- or triprotic acid, in mol/L"},
    {"|Volume initial de l'acide, en L", "|Initial volume of acid, in L"},
    {"pKa1 de l'acide dans le bécher", "pKa1 of the acid in the beaker"},
    {"pKa2 de l'acide dans le bécher", "pKa2 of the acid in the beaker"},
    {"pKa3 de l'acide dans le bécher", "pKa3 of the acid in the beaker"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"|Concentration du deuxième acide (mono, di ou tri) dans le bécher, en mol/L",
     "|Beaker: concentration of the second mono-, di- or triprotic acid, in mol/L"},
    {"|Volume initial de l'acide, en L", "|Initial volume of acid, in L"},
    {"pKa1 de l'acide dans le bécher", "pKa1 of the acid in the beaker"},
    {"pKa2 de l'acide dans le bécher", "pKa2 of the acid in the beaker"},
    {"pKa3 de l'acide dans le bécher", "pKa3 of the acid in the beaker"}};

// About box.
inline constexpr Text kAboutCaption{"A propos", "About"};
inline constexpr Text kAboutVersion{"Version : 3.4.0.", "Version: 3.4.0."};
inline constexpr Text kAboutMaker{"Logiciels éducatifs Velmor", "Velmor teaching software"};
inline constexpr Text kAboutDescription{"Etude des réactions acido basiques, conductivité",
                                        "Acid-base reactions, conductivity"};
inline constexpr Text kAboutAuthor{"Conception : l'équipe TitraLab", "Design: the TitraLab team"};
inline constexpr Text kAboutOk{"OK", "OK"};

} // namespace titralab::texts
