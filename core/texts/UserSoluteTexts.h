// The texts of the teacher's own solute entries ("Mes espèces"): why a field is refused, and
// why a file of entries is.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kUserNameFrMissing{"Le nom français manque.", "The French name is missing."};
inline constexpr Text kUserNameEnMissing{"Le nom anglais manque.", "The English name is missing."};
inline constexpr Text kUserNameTooLong{"Un nom a 100 caractères au plus, sans tabulation ni « | ».",
                                       "A name has 100 characters at most, with no tab nor “|”."};
inline constexpr Text kUserSynonymsBad{
    "Les synonymes sont séparés par « | », 100 caractères chacun au plus, sans tabulation.",
    "Synonyms are separated by “|”, 100 characters each at most, with no tab."};
inline constexpr Text kUserFormulaBad{
    "La formule de la forme la plus protonée est nécessaire : 40 caractères au plus, sans "
    "tabulation (par exemple H3PO4).",
    "The formula of the fully protonated form is needed: 40 characters at most, with no tab "
    "(for instance H3PO4)."};
inline constexpr Text kUserChargeBad{
    "La charge de la forme la plus protonée est un nombre entier de -6 à 6.",
    "The charge of the fully protonated form is a whole number from -6 to 6."};
inline constexpr Text kUserPKaBad{"De 1 à 6 pKa de -2 à 16, séparés par des espaces ou des « ; ».",
                                  "1 to 6 pKa values from -2 to 16, separated by spaces or “;”."};
inline constexpr Text kUserPKaNotAscending{
    "Les pKa se suivent en croissant, sans doublon (du plus acide au moins acide).",
    "The pKa values go up, with no repeat (from the most acidic to the least)."};
inline constexpr Text kUserEnthalpyBad{
    "ΔH° : rien, ou une valeur par pKa de -200 à 200 kJ/mol (« - » si inconnue).",
    "ΔH°: nothing, or one value for each pKa from -200 to 200 kJ/mol (“-” when unknown)."};
inline constexpr Text kUserConductivityBad{
    "λ° : rien, ou une valeur par forme (un pKa de plus) de 0 à 50 mS·m²/mol (« - » si "
    "inconnue).",
    "λ°: nothing, or one value for each form (one more than the pKa values) from 0 to "
    "50 mS·m²/mol (“-” when unknown)."};

// A file of entries.
inline constexpr Text kUserFileLine{"Fichier « %1 », ligne %2 : ", "File “%1”, line %2: "};
inline constexpr Text kUserFileColumns{"11 colonnes séparées par des tabulations sont attendues.",
                                       "11 columns separated by tabs are expected."};
inline constexpr Text kUserFileTooLarge{
    "Fichier « %1 » : trop grand pour un fichier d'espèces (4 Mo au plus).",
    "File “%1”: too large for a file of species (4 MB at most)."};
inline constexpr Text kUserFileTooMany{"Fichier « %1 » : plus de 1000 espèces.",
                                       "File “%1”: more than 1000 species."};
inline constexpr Text kUserFileUnreadable{"Le fichier « %1 » ne peut pas être lu.",
                                          "The file “%1” cannot be read."};
inline constexpr Text kUserFileDuplicate{"le nom « %1 » figure déjà plus haut.",
                                         "the name “%1” is already used above."};
// The source of the teacher's entries in the database's list of sources.
inline constexpr Text kUserSource{"Mes espèces (entrée de l'utilisateur)",
                                  "My species (the user's own entry)"};

} // namespace titralab::texts
