// The texts of the lesson's diagrams: the logarithmic diagram, the predominance strip, the
// buffer capacity and the "why this pH" panel and lines.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/Diagrams.h"
#include "core/chemistry/PHExplanation.h"

namespace titralab::texts {

inline constexpr Text kLogDiagramTitle{"Diagramme logarithmique", "Logarithmic diagram"};
inline constexpr Text kLogDiagramAxis{"log c (c en mol/L)", "log c (c in mol/L)"};
inline constexpr Text kLogDiagramFloor{"Borne inférieure de log c", "Lower bound of log c"};
inline constexpr Text kPredominanceTitle{"Domaines de prédominance", "Predominance domains"};
inline constexpr Text kNeverPredominant{
    "jamais prédominante : ses pKa encadrants sont inversés ou égaux",
    "never predominant: the pKa values around it are inverted or equal"};
inline constexpr Text kBufferCapacityColumn{"β (mol/L par unité de pH)", "β (mol/L per pH unit)"};
inline constexpr Text kBufferCapacityTitle{"Pouvoir tampon", "Buffer capacity"};
// The graph window's box that draws β on the right-hand axis and adds its copied column.
inline constexpr Text kBufferCapacityBox{"β", "β"};
inline constexpr Text kBufferCapacityName{"Courbe du pouvoir tampon β",
                                          "Buffer capacity curve β"};
inline constexpr Text kBufferMaximumMark{"β max", "β max"};
inline constexpr Text kBufferMaximum{"Maximum du pouvoir tampon", "Buffer capacity maximum"};

// The diagrams window: its views, axes and which solution it draws.
inline constexpr Text kDiagramsWindowTitle{"Diagrammes de la solution", "Diagrams of the solution"};
inline constexpr Text kConcentrationDiagramTitle{"Concentrations en fonction du pH",
                                                 "Concentrations against pH"};
inline constexpr Text kConcentrationDiagramAxis{"c (mol/L)", "c (mol/L)"};
inline constexpr Text kDiagramPHAxis{"pH", "pH"};
inline constexpr Text kBeakerSolution{"Solution du bécher", "The beaker's solution"};
inline constexpr Text kStudiedSolution{"Solution étudiée", "The solution studied"};
inline constexpr Text kNoDiagramSolution{
    "Aucune solution à représenter : corrigez d'abord les données refusées.",
    "No solution to draw: correct the refused data first."};
inline constexpr Text kNoDiagramSystem{"La solution ne contient aucun couple acide-base.",
                                       "The solution holds no acid-base couple."};

inline constexpr Text kDiagramsMenuEntry{"&Diagrammes de la solution…",
                                         "D&iagrams of the solution…"};
inline constexpr Text kDiagramView{"&Vue :", "&View:"};
inline constexpr Text kDiagramFloor{"&Borne inférieure de log c :", "Lower &bound of log c:"};
inline constexpr Text kDiagramCopy{"&Copier l'image", "&Copy the picture"};
inline constexpr Text kDiagramSave{"&Enregistrer l'image...", "&Save the picture..."};
inline constexpr Text kDiagramPrint{"&Imprimer...", "&Print..."};
inline constexpr Text kDiagramClose{"&Fermer", "C&lose"};
inline constexpr Text kDiagramPictureFilter{"Images PNG (*.png);;Images SVG (*.svg)",
                                            "PNG pictures (*.png);;SVG pictures (*.svg)"};
inline constexpr Text kDiagramCopied{"Image du diagramme copiée dans le presse-papiers.",
                                     "The diagram's picture is copied to the clipboard."};
inline constexpr Text kDiagramSaved{"Image enregistrée : ", "Picture saved: "};

// The reading panel's box of the strip where each textbook formula of the pH holds.
inline constexpr Text kValidityBox{"&Validité des formules", "&Validity of formulas"};
inline constexpr Text kValidityName{
    "Bande des volumes où chaque formule du pH est vérifiée à 0,05 près",
    "Strip of the volumes where each formula of the pH holds within 0.05"};

inline constexpr Text kPredominanceBox{"Prédo&minance", "Predo&minance"};
inline constexpr Text kPredominanceName{
    "Domaines de prédominance des espèces du bécher, le long de l'axe du pH",
    "Predominance domains of the beaker's species, along the pH axis"};

inline constexpr Text kWhyThisPH{"Pourquoi ce pH ?", "Why this pH?"};
// The lines of the explanation, as the command-line tool writes them.
inline constexpr Text kFormulaLine{"formule", "formula"};
inline constexpr Text kApproximatePHLine{"pH approché", "approximate pH"};
inline constexpr Text kExactPHLine{"pH exact", "exact pH"};
inline constexpr Text kDifferenceLine{"écart", "difference"};
inline constexpr Text kHoldsLine{"vérifiée", "holds"};
inline constexpr Text kYes{"oui", "yes"};
inline constexpr Text kNo{"non", "no"};
inline constexpr Text kFailedHypothesisLine{"hypothèse en défaut", "failing hypothesis"};

constexpr Text speciesLabel(DiagramSpeciesKind kind) {
    switch (kind) {
    case DiagramSpeciesKind::Hydronium:
        return {"H₃O⁺", "H₃O⁺"};
    case DiagramSpeciesKind::Hydroxide:
        return {"HO⁻", "HO⁻"};
    case DiagramSpeciesKind::Form:
        break;
    }
    return {"forme", "form"};
}

constexpr Text markLabel(DiagramMarkKind kind) {
    return kind == DiagramMarkKind::PKa ? Text{"pH = pKa", "pH = pKa"}
                                        : Text{"croisement", "crossing"};
}

constexpr Text formulaName(PHFormula formula) {
    switch (formula) {
    case PHFormula::StrongAcid:
        return {"acide fort", "strong acid"};
    case PHFormula::WeakAcid:
        return {"acide faible", "weak acid"};
    case PHFormula::Buffer:
        return {"mélange tampon (Henderson-Hasselbalch)", "buffer (Henderson-Hasselbalch)"};
    case PHFormula::Amphoteric:
        return {"espèce amphotère", "amphoteric species"};
    case PHFormula::WeakBase:
        return {"base faible", "weak base"};
    case PHFormula::StrongBase:
        return {"base forte en excès", "strong base in excess"};
    case PHFormula::Water:
        return {"l'eau domine", "water dominates"};
    }
    return {"", ""};
}

constexpr Text formulaExpression(PHFormula formula) {
    switch (formula) {
    case PHFormula::StrongAcid:
        return {"pH = −log c", "pH = −log c"};
    case PHFormula::WeakAcid:
        return {"pH = ½(pKa − log c)", "pH = ½(pKa − log c)"};
    case PHFormula::Buffer:
        return {"pH = pKa + log(cb/ca)", "pH = pKa + log(cb/ca)"};
    case PHFormula::Amphoteric:
        return {"pH = ½(pKa1 + pKa2)", "pH = ½(pKa1 + pKa2)"};
    case PHFormula::WeakBase:
        return {"pH = 7 + ½(pKa + log c)", "pH = 7 + ½(pKa + log c)"};
    case PHFormula::StrongBase:
        return {"pH = 14 + log c", "pH = 14 + log c"};
    case PHFormula::Water:
        return {"pH = 7", "pH = 7"};
    }
    return {"", ""};
}

constexpr Text hypothesisText(PHHypothesis hypothesis) {
    switch (hypothesis) {
    case PHHypothesis::None:
        return {"", ""};
    case PHHypothesis::AcidNotLittleDissociated:
        return {"l'acide n'est pas peu dissocié", "the acid is not little dissociated"};
    case PHHypothesis::BaseNotLittleProtonated:
        return {"la base n'est pas peu protonée", "the base is not little protonated"};
    case PHHypothesis::WaterNotNegligible:
        return {"l'autoprotolyse de l'eau n'est pas négligeable",
                "water's autoprotolysis is not negligible"};
    case PHHypothesis::BufferTooDilute:
        return {"le mélange tampon est trop dilué", "the buffer is too dilute"};
    case PHHypothesis::BufferTooUnbalanced:
        return {"le mélange tampon est trop déséquilibré (cb/ca loin de 1)",
                "the buffer is too unbalanced (cb/ca far from 1)"};
    case PHHypothesis::AmphotericTooDilute:
        return {"l'espèce amphotère est trop diluée", "the amphoteric species is too dilute"};
    case PHHypothesis::OtherSpeciesNotNegligible:
        return {"d'autres espèces ne sont pas négligeables", "other species are not negligible"};
    }
    return {"", ""};
}

} // namespace titralab::texts
