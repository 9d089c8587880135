// The French texts of live curves, frozen curves, families of curves and chart pictures.
#pragma once

namespace titralab::texts {

// Options menu: the graph window beside the main window, redrawn at every accepted change.
inline constexpr const char* kLiveCurves = "Courbes en &direct";
// The graph window's caption while it lives beside the main window (not "close this one").
inline constexpr const char* kLiveGraphCaption = "Représentations graphiques : courbes en direct";

// Graph window: frozen curves and families.
inline constexpr const char* kFreezeCurve = "&Figer la courbe";
inline constexpr const char* kRemoveFrozen = "&Retirer";
inline constexpr const char* kClearFrozen = "Effacer les courbes figées";
inline constexpr const char* kFamily = "Famille de courbes...";
inline constexpr const char* kSaveImage = "Enregistrer l'image...";
inline constexpr const char* kCopyImage = "Copier l'image";
inline constexpr const char* kSaveImageTitle = "Enregistrer l'image du graphique";
inline constexpr const char* kImageFilters = "Image PNG (*.png);;Image vectorielle SVG (*.svg)";
inline constexpr const char* kImageWidthTitle = "Largeur de l'image";
inline constexpr const char* kImageWidthLabel =
    "Largeur en pixels (celle de l'écran est proposée) :";
inline constexpr const char* kImageNotWritten = "L'image n'a pas pu être enregistrée : ";

// Legend: the current curve before anything is compared with it, and a frozen curve whose
// values are those of the current one.
inline constexpr const char* kCurrentCurve = "pH";
inline constexpr const char* kSameValues = "mêmes valeurs";

// Refusals.
inline constexpr const char* kTooManyFrozen =
    "Huit courbes figées au plus : retirez-en une avant d'en figer une autre.";
inline constexpr const char* kNothingToFreeze = "Aucune courbe à figer dans cette étude.";
inline constexpr const char* kFamilyCount = "Une famille compte de 2 à 12 valeurs.";
inline constexpr const char* kFamilyValueRefused = "Valeur refusée pour ";
inline constexpr const char* kFamilyGeometricRefused =
    "Une suite géométrique demande deux bornes non nulles de même signe.";

// The family dialog.
inline constexpr const char* kFamilyTitle = "Famille de courbes";
inline constexpr const char* kFamilyQuantity = "&Grandeur qui varie :";
inline constexpr const char* kFamilyList = "&Liste de valeurs (séparées par ;)";
inline constexpr const char* kFamilyArithmetic = "Suite &arithmétique";
inline constexpr const char* kFamilyGeometric = "Suite &géométrique";
inline constexpr const char* kFamilyFirst = "&Première valeur :";
inline constexpr const char* kFamilyLast = "&Dernière valeur :";
inline constexpr const char* kFamilyCountLabel = "&Nombre de courbes :";
inline constexpr const char* kFamilyDraw = "&Tracer";
inline constexpr const char* kFamilyCancel = "A&nnuler";

// The quantities a family or a slider varies, by field (D1..D16) and side: the panel's labels.
inline constexpr const char* kColumn2Suffix = " (2)";
// What each quantity is, by side, for the family's choice: burette, beaker, volume.
inline constexpr const char* kBuretteConcMeaning[2] = {"concentration de la base versée",
                                                       "concentration de l'acide versé"};
inline constexpr const char* kBeakerConcMeaning[2] = {"concentration de l'acide",
                                                      "concentration de la base"};
inline constexpr const char* kBeakerVolumeMeaning[2] = {"volume de l'acide", "volume de la base"};

// Accessible names of the new controls.
inline constexpr const char* kSliderName = "Curseur de ";
inline constexpr const char* kRemoveFrozenName = "Retirer une courbe figée";

} // namespace titralab::texts
