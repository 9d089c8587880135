// The French texts of the main window and the about box: menus, hints, captions, labels.
#pragma once

namespace titralab::texts {

// Main window caption: the fixed part, then the author credit.
inline constexpr const char* kMainCaption = "pH, conductivité, concentrations : ";
inline constexpr const char* kAuthorCredit = "réalisé par l'équipe TitraLab";

// Menus and their entries ("&" marks the mnemonic).
inline constexpr const char* kMenuFile = "&Fichier";
inline constexpr const char* kOpenPracticalText = "&Ouvrir un texte de travail pratique";
inline constexpr const char* kPrint = "&Imprimer...";
inline constexpr const char* kStartNavigator = "&Lancer le navigateur Velmor";
inline constexpr const char* kQuit = "&Quitter";
inline constexpr const char* kQuitAndStartNavigator = "Q&uitter et lancer le navigateur";
inline constexpr const char* kMenuEdit = "&Edition";
inline constexpr const char* kShowSimulation = "&Voir simulation";
inline constexpr const char* kCopySimulation = "&Copier simulation...";
inline constexpr const char* kPasteVolumeFirst = "Co&ller des couples (v, pH)";
inline constexpr const char* kPastePHFirst = "Co&ller des couples (pH, v)";
inline constexpr const char* kMenuOptions = "&Options";
inline constexpr const char* kTooltips = "&Bulles d'aide";
inline constexpr const char* kSeparatorComma = "Séparateur décimal = &virgule";
inline constexpr const char* kSeparatorPoint = "Séparateur décimal = &point";
inline constexpr const char* kMenuHelp = "&Aide";
inline constexpr const char* kHelpIndex = "&Index";
inline constexpr const char* kHelpPracticalWork = "&Travaux pratiques";
inline constexpr const char* kHelpPrecision = "Pré&cision des calculs";
inline constexpr const char* kHomePage = "&Page d'accueil Velmor";
inline constexpr const char* kWriteToAuthor = "&Ecrire à l'auteur";
inline constexpr const char* kAbout = "&A propos";

// Hints: the part before "|" is the bubble, the part after it the status-bar text; a hint
// without "|" is both.
inline constexpr const char* kHintStartNavigator = "|Lance d'autres programmes de cette suite";
inline constexpr const char* kHintCopySimulation =
    "|Transfert vers un tableur, ou un logiciel de dessin";

// Tool bar buttons and their hints, left to right.
inline constexpr const char* kToolOpen = "&Ouvrir";
inline constexpr const char* kToolSave = "&Enregistrer";
inline constexpr const char* kToolPrint = "&Imprimer";
inline constexpr const char* kToolCopy = "&Copier";
inline constexpr const char* kToolIndex = "&Index";
inline constexpr const char* kHintToolOpen = "Ouvrir|Ouvrir une étude (.titralab)";
inline constexpr const char* kHintToolSave = "Enregistrer|Enregistrer l'étude (.titralab)";
inline constexpr const char* kHintToolPrint = "Imprimer|Imprimer";
inline constexpr const char* kHintToolCopy =
    "Copier|Copier un graphique ou des nombres pour un tableur";
inline constexpr const char* kHintToolIndex = "Aide|Index d'aide en ligne";

// Commands panel.
inline constexpr const char* kLineWidthLabel = "épaisseur de trait, en 1/100 mm";
inline constexpr const char* kHintShowButton = "|Trace les courbes à l'écran";
inline constexpr const char* kHintCopyButton = "|Transfert vers un tableur";
inline constexpr const char* kPrintButton = "&Imprimer...                           Ctrl+P";
inline constexpr const char* kPasteVolumeFirstButton = "Co&ller des couples (v, pH)     Ctrl+V";
inline constexpr const char* kPastePHFirstButton = "Coll&er des couples (pH, v)     Ctrl+B";

// Captions of the show and copy commands: before any study, in most studies, in the
// two-polyacid mixture.
inline constexpr const char* kShowCaptionAtStart = "Voir &simulation                      F11";
inline constexpr const char* kCopyCaptionAtStart = "&Copier simulation...             Ctrl+C";
inline constexpr const char* kShowCaption = "Voir &simulation  F11";
inline constexpr const char* kCopyCaption = "&Copier simulation... Ctrl+C";
inline constexpr const char* kShowResultsCaption = "Afficher ré&sultats  F11";
inline constexpr const char* kCopyResultsCaption = "&Copier résultats  Ctrl+C";

// Input panel.
inline constexpr const char* kBuretteCaption = "Dans la burette :";
inline constexpr const char* kStrongBase = "Monobase forte";
inline constexpr const char* kStrongAcid = "Monoacide fort";
inline constexpr const char* kStudyCaption = "Vous voulez étudier la transformation : ";
inline constexpr const char* kBaseKindCaption = "Monobase forte";
inline constexpr const char* kSoda = "Soude";
inline constexpr const char* kPotash = "Potasse";
inline constexpr const char* kUnitConcentration = "mol/L";
inline constexpr const char* kUnitVolume = "L";
inline constexpr const char* kPKa1Label = "p&Ka";
inline constexpr const char* kPKa2Label = "pKa&2";
inline constexpr const char* kPKa3Label = "pKa&3";

// Texts that follow the burette side: [0] acid side, [1] base side.
inline constexpr const char* kBuretteConcLabel[2] = {"Cbi", "Cai"};  // A1
inline constexpr const char* kBeakerConcLabel[2] = {"Cai", "Cbi"};   // A2
inline constexpr const char* kBeakerVolumeLabel[2] = {"Vai", "Vbi"}; // A3
inline constexpr const char* kColumn1Title[2] = {"Acide 1", "Base 1"};
inline constexpr const char* kColumn2Title[2] = {"Acide 2", "Base 2"};
inline constexpr const char* kBrowserTitle[2] = {"Base de données des acides",
                                                 "Base de données des bases"};
inline constexpr const char* kEntryTitle[2] = {"Nom de l'acide", "Nom de la base"};
inline constexpr const char* kTargetCaption[2] = {"Concerne l' ", "Concerne la "};

// Hints of the fields D1..D16 (index = field number; empty where there is no field).
inline constexpr const char* kFieldHint[17] = {
    "",
    "|Concentration de la monobase forte dans la burette, en mol/L",
    "|Concentration de l'acide (mono, di ou tri) dans le bécher, en mol/L",
    "|Volume initial de l'acide, en L",
    "pKa1 de l'acide dans le bécher",
    "pKa2 de l'acide dans le bécher",
    "pKa3 de l'acide dans le bécher",
    "",
    "",
    "",
    "",
    "",
    "|Concentration du deuxième acide (mono, di ou tri) dans le bécher, en mol/L",
    "|Volume initial de l'acide, en L",
    "pKa1 de l'acide dans le bécher",
    "pKa2 de l'acide dans le bécher",
    "pKa3 de l'acide dans le bécher",
};
inline constexpr const char* kHintA2 = "Concentration de l'acide fort, dans la burette";
inline constexpr const char* kHintA3 = "Volume de base, dans le bécher";

// About box.
inline constexpr const char* kAboutCaption = "A propos";
inline constexpr const char* kAboutVersion = "Version : 3.4.0.";
inline constexpr const char* kAboutMaker = "Logiciels éducatifs Velmor";
inline constexpr const char* kAboutDescription = "Etude des réactions acido basiques, conductivité";
inline constexpr const char* kAboutAuthor = "Conception : l'équipe TitraLab";
inline constexpr const char* kAboutOk = "OK";

// Help viewer.
inline constexpr const char* kHelpWindowTitle = "Aide de TitraLab";
inline constexpr const char* kHelpContentsButton = "&Sommaire";
inline constexpr const char* kHelpBackButton = "&Précédent";
inline constexpr const char* kHelpMissing = "La page d'aide est introuvable : ";

} // namespace titralab::texts
