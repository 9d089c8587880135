// The texts of free solutions: refusals of typed items, and what the engine says about a
// titration or a conductivity it cannot give.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/SolutionItems.h"

#include <string>

namespace titralab::texts {

inline constexpr Text kItemNumber{"Élément ", "Item "};
inline constexpr Text kItemTooLong{
    "La liste des solutés est trop longue (4000 caractères au plus).",
    "The list of solutes is too long (4000 characters at most)."};
inline constexpr Text kItemTooMany{"trop de solutés (16 au plus).",
                                   "too many solutes (16 at most)."};
inline constexpr Text kItemNone{
    "Aucun soluté : écrire par exemple « Cl-=0,05;acid(2.15,7.20,12.35)=0,05 ».",
    "No solute: write for instance “Cl-=0.05;acid(2.15,7.20,12.35)=0.05”."};
inline constexpr Text kItemEmpty{"élément vide entre deux « ; ».", "empty item between two “;”."};
inline constexpr Text kItemNoConcentration{
    "la concentration manque : écrire NOM=C, C en mol/L.",
    "the concentration is missing: write NAME=C, C in mol/L."};
inline constexpr Text kItemBadConcentration{
    "la concentration doit être un nombre de 1E-8 à 15 mol/L.",
    "the concentration must be a number from 1E-8 to 15 mol/L."};
inline constexpr Text kItemUnknownName{
    "nom inconnu : ni composé, ni entrée de la base, ni formule, ni ion spectateur "
    "(Na+, K+, Li+, Cl-, Br-, I-, NO3-, ClO4-), ni acid(pK1,…), ni base(pK1,…).",
    "unknown name: neither a compound, a database entry, a formula, a spectator ion "
    "(Na+, K+, Li+, Cl-, Br-, I-, NO3-, ClO4-), acid(pK1,…) nor base(pK1,…)."};
inline constexpr Text kItemBadPKa{
    "entre les parenthèses, de 1 à 6 pKa de -20 à 50, séparés par des virgules, avec le point "
    "décimal.",
    "within the brackets, 1 to 6 pKa values from -20 to 50, separated by commas, with a decimal "
    "point."};

// The conductivity of a free solution, when an ion's limiting conductivity is unknown.
inline constexpr Text kConductivityUnknown{
    "Conductivité non calculée : la conductivité molaire d'une espèce présente est inconnue.",
    "Conductivity not computed: the molar conductivity of a species present is unknown."};
// Followed by the pKa of the acidity (basicity) the titrant cannot reach.
inline constexpr Text kTitrantTooWeakForAcidity{
    "Titrant trop faible : pas d'équivalence pour l'acidité de pKa ",
    "Titrant too weak: no equivalence for the acidity of pKa "};
inline constexpr Text kTitrantTooWeakForBasicity{
    "Titrant trop faible : pas d'équivalence pour la basicité du couple de pKa ",
    "Titrant too weak: no equivalence for the basicity of the couple of pKa "};

inline const Text& itemProblemText(ItemProblem problem) {
    switch (problem) {
    case ItemProblem::TooLong:
        return kItemTooLong;
    case ItemProblem::TooManyItems:
        return kItemTooMany;
    case ItemProblem::NoItem:
        return kItemNone;
    case ItemProblem::Empty:
        return kItemEmpty;
    case ItemProblem::NoConcentration:
        return kItemNoConcentration;
    case ItemProblem::BadConcentration:
        return kItemBadConcentration;
    case ItemProblem::UnknownName:
        return kItemUnknownName;
    case ItemProblem::BadPKa:
        break;
    }
    return kItemBadPKa;
}

// "Élément 2 « acid(2,x) » : ..." / "Item 2 “acid(2,x)”: ..."; the refusals of the whole text
// stand alone.
inline std::string itemErrorMessage(const ItemError& error, Language language) {
    const Text& what = itemProblemText(error.problem);
    if (error.position == 0) return what.in(language);
    const bool english = language == Language::English;
    return std::string(kItemNumber.in(language)) + std::to_string(error.position) +
           (english ? " “" : " « ") + error.item + (english ? "”" : " »") + kColon.in(language) +
           what.in(language);
}

} // namespace titralab::texts
