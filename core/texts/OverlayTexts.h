// The texts of live curves, frozen curves, families of curves and chart pictures.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

// Options menu: the graph window beside the main window, redrawn at every accepted change.
inline constexpr Text kLiveCurves{"Courbes en &direct", "Li&ve curves"};
// The graph window's caption while it lives beside the main window (not "close this one").
inline constexpr Text kLiveGraphCaption{"Représentations graphiques : courbes en direct",
                                        "Graphs: live curves"};

// Graph window: frozen curves and families.
inline constexpr Text kFreezeCurve{"&Figer la courbe", "&Freeze curve"};
inline constexpr Text kRemoveFrozen{"&Retirer", "&Remove"};
inline constexpr Text kClearFrozen{"Effacer les courbes figées", "Clear the frozen curves"};
inline constexpr Text kFamily{"Famille de courbes...", "Family of curves..."};
inline constexpr Text kSaveImage{"Enregistrer l'image...", "Save the image..."};
inline constexpr Text kCopyImage{"Copier l'image", "Copy the image"};
inline constexpr Text kSaveImageTitle{"Enregistrer l'image du graphique", "Save the chart image"};
inline constexpr Text kImageFilters{"Image PNG (*.png);;Image vectorielle SVG (*.svg)",
                                    "PNG image (*.png);;SVG vector image (*.svg)"};
inline constexpr Text kImageWidthTitle{"Largeur de l'image", "Image width"};
inline constexpr Text kImageWidthLabel{"Largeur en pixels (celle de l'écran est proposée) :",
                                       "Width in pixels (the screen's is offered):"};
inline constexpr Text kImageNotWritten{"L'image n'a pas pu être enregistrée : ",
                                       "The image could not be saved: "};

// Legend: the current curve before anything is compared with it, and a frozen curve whose
// values are those of the current one.
inline constexpr Text kCurrentCurve{"pH", "pH"};
inline constexpr Text kSameValues{"mêmes valeurs", "same values"};

// Refusals.
inline constexpr Text kTooManyFrozen{
    "Huit courbes figées au plus : retirez-en une avant d'en figer une autre.",
    "Eight frozen curves at most: remove one before freezing another."};
inline constexpr Text kNothingToFreeze{"Aucune courbe à figer dans cette étude.",
                                       "No curve to freeze in this study."};
inline constexpr Text kFamilyCount{"Une famille compte de 2 à 12 valeurs.",
                                   "A family has 2 to 12 values."};
inline constexpr Text kFamilyValueRefused{"Valeur refusée pour ", "Value refused for "};
inline constexpr Text kFamilyGeometricRefused{
    "Une suite géométrique demande deux bornes non nulles de même signe.",
    "A geometric sequence needs two non-zero bounds of the same sign."};

// The family dialog.
inline constexpr Text kFamilyTitle{"Famille de courbes", "Family of curves"};
inline constexpr Text kFamilyQuantity{"&Grandeur qui varie :", "&Varying quantity:"};
inline constexpr Text kFamilyList{"&Liste de valeurs (séparées par ;)",
                                  "&List of values (separated by ;)"};
inline constexpr Text kFamilyArithmetic{"Suite &arithmétique", "&Arithmetic sequence"};
inline constexpr Text kFamilyGeometric{"Suite géo&métrique", "&Geometric sequence"};
inline constexpr Text kFamilyFirst{"&Première valeur :", "&First value:"};
inline constexpr Text kFamilyLast{"&Dernière valeur :", "La&st value:"};
inline constexpr Text kFamilyCountLabel{"&Nombre de courbes :", "&Number of curves:"};
inline constexpr Text kFamilyDraw{"&Tracer", "&Draw"};
// Quantities a family varies beyond one field.
inline constexpr Text kDilutionFactorLabel{"facteur de dilution", "dilution factor"};
inline constexpr Text kTemperatureLabel{"température", "temperature"};
inline constexpr Text kFamilyTemperatureMeaning{"les courbes à plusieurs températures (°C)",
                                                "the curves at several temperatures (°C)"};
inline constexpr Text kFamilyAnd{" et ", " and "};
inline constexpr Text kFamilyBothConcentrations{"les deux concentrations ensemble (même valeur)",
                                                "both concentrations together (same value)"};
inline constexpr Text kFamilyDilutionMeaning{"toutes les concentrations divisées par chaque valeur",
                                             "every concentration divided by each value"};
inline constexpr Text kFamilyCancel{"Ann&uler", "&Cancel"};

// The quantities a family or a slider varies, by field (D1..D16) and side: the panel's labels.
inline constexpr Text kColumn2Suffix{" (2)", " (2)"};
// What each quantity is, by side, for the family's choice: burette, beaker, volume.
inline constexpr Text kBuretteConcMeaning[2] = {
    {"concentration de la base versée", "concentration of the base added"},
    {"concentration de l'acide versé", "concentration of the acid added"}};
inline constexpr Text kBeakerConcMeaning[2] = {
    {"concentration de l'acide", "concentration of the acid"},
    {"concentration de la base", "concentration of the base"}};
inline constexpr Text kBeakerVolumeMeaning[2] = {{"volume de l'acide", "volume of the acid"},
                                                 {"volume de la base", "volume of the base"}};

// Accessible names of the new controls.
inline constexpr Text kSliderName{"Curseur de ", "Slider for "};
inline constexpr Text kRemoveFrozenName{"Retirer une courbe figée", "Remove a frozen curve"};

// The range of a family's member in its legend name: " (de 1 à 5)".
inline constexpr Text kFrom{" (de ", " (from "};
inline constexpr Text kTo{" à ", " to "};

} // namespace titralab::texts
