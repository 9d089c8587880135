// The texts of the free study ("Solutions libres"): its name, its panel, its chart and its
// refusals.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kFreeStudyName{"Solutions libres", "Free solutions"};
inline constexpr Text kFreeBeaker{"Bécher", "Beaker"};
inline constexpr Text kFreeBurette{"Burette", "Burette"};
inline constexpr Text kFreeRow{"ligne ", "row "};
inline constexpr Text kFreeNoRow{"aucun soluté : ajouter au moins une ligne.",
                                 "no solute: add at least one row."};
inline constexpr Text kFreeBeakerVolumeMessage{
    "Le volume du bécher doit être un nombre de plus de 0 à 10000 mL.",
    "The beaker's volume must be a number above 0 and up to 10000 mL."};
inline constexpr Text kFreeMaxVolumeMessage{
    "Le plus grand volume versé doit être vide (automatique) ou un nombre de plus de 0 à "
    "10000 mL.",
    "The largest volume added must be empty (automatic) or a number above 0 and up to 10000 mL."};
inline constexpr Text kFreeSliderLabel{"C&urseur de concentration :", "Concentration sl&ider:"};
inline constexpr Text kFreeSliderName{"Concentration de ", "Concentration of "};
inline constexpr Text kFreePKaSliderLabel{"Curseur de p&Ka :", "p&Ka slider:"};
inline constexpr Text kFreePKaSliderName{"pKa de ", "pKa of "};
inline constexpr Text kFourFormsAtMost{
    "Le graphique trace quatre formes au plus : retirez-en une avant d'en ajouter une autre.",
    "The chart draws four forms at most: take one out before adding another."};
inline constexpr Text kOtherForms{"&Formes tracées...", "&Forms drawn..."};
inline constexpr Text kOtherFormsHint{
    "Choisir les formes (quatre au plus) des cases d'espèces, parmi toutes celles des solutions",
    "Choose the forms (four at most) of the species boxes, among all those of the solutions"};
inline constexpr Text kFreeChartTitle{
    "Solutions libres : évolution du pH et des concentrations en fonction du volume versé",
    "Free solutions: pH and concentrations against the volume added"};
inline constexpr Text kFreeVolumeAxis{"v de la burette versé, en mL",
                                      "v added from the burette, in mL"};
inline constexpr Text kFreeSpeciesNotDrawn{
    "Seules les quatre premières espèces sont tracées ; le tableau copié les donne toutes.",
    "Only the first four species are drawn; the copied table gives them all."};
// The copy's sampling: regular steps of pH or of the volume added.
inline constexpr Text kFreeVolumeChoice{"v versé", "v added"};
// The panel.
inline constexpr Text kFreeWhatHeader{"Soluté (nom ou formule)", "Solute (name or formula)"};
inline constexpr Text kFreeConcentrationHeader{"c (mol/L)", "c (mol/L)"};
inline constexpr Text kFreeBeakerVolumeLabel{"Volume du bécher (mL)", "Beaker volume (mL)"};
inline constexpr Text kFreeMaxVolumeLabel{"Plus grand volume versé (mL)",
                                          "Largest volume added (mL)"};
inline constexpr Text kFreeAddRow{"Ajouter", "Add"};
inline constexpr Text kFreeRemoveRow{"Retirer", "Remove"};
inline constexpr Text kFreeAddBeakerRow{"Ajouter un soluté au bécher",
                                        "Add a solute to the beaker"};
inline constexpr Text kFreeRemoveBeakerRow{"Retirer le soluté choisi du bécher",
                                           "Remove the chosen solute from the beaker"};
inline constexpr Text kFreeAddBuretteRow{"Ajouter un soluté à la burette",
                                         "Add a solute to the burette"};
inline constexpr Text kFreeRemoveBuretteRow{"Retirer le soluté choisi de la burette",
                                            "Remove the chosen solute from the burette"};
inline constexpr Text kFreeRowsHint{"Inser : ajouter une ligne ; Suppr : retirer la ligne choisie.",
                                    "Insert: add a row; Delete: remove the chosen row."};

} // namespace titralab::texts
