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

// The database window and the "Mes espèces" editor.
inline constexpr Text kMenuTools{"Ou&tils", "Too&ls"};
inline constexpr Text kMenuSoluteDatabase{"&Base de données des solutés…", "Solute &database…"};
inline constexpr Text kDatabaseTitle{"Base de données des solutés", "Solute database"};
inline constexpr Text kDatabaseSearch{"&Rechercher (nom, synonyme ou formule) :",
                                      "&Search (name, synonym or formula):"};
inline constexpr Text kDatabaseName{"Nom", "Name"};
inline constexpr Text kDatabaseFormula{"Formule", "Formula"};
inline constexpr Text kDatabasePKa{"pKa", "pKa"};
inline constexpr Text kDatabaseSource{"Source", "Source"};
inline constexpr Text kDatabaseCount{"Entrées affichées : %1 sur %2", "Entries shown: %1 of %2"};
inline constexpr Text kDatabaseCard{"Fiche de l'entrée", "The entry's card"};
inline constexpr Text kDatabaseUseBeaker{"&Utiliser dans le bécher", "&Use in the beaker"};
inline constexpr Text kDatabaseUseBurette{"Utiliser dans la &burette", "Use in the &burette"};
inline constexpr Text kDatabaseMySpecies{"&Mes espèces…", "&My species…"};
inline constexpr Text kDatabaseClose{"&Fermer", "&Close"};
inline constexpr Text kDatabaseSalt{"Composé : %1, apporte le système « %2 »",
                                    "Compound: %1, brings the system “%2”"};
inline constexpr Text kMySpeciesTitle{"Mes espèces", "My species"};
inline constexpr Text kMySpeciesNameFr{"No&m français :", "&French name:"};
inline constexpr Text kMySpeciesNameEn{"Nom &anglais :", "&English name:"};
inline constexpr Text kMySpeciesSynonyms{"&Synonymes (séparés par |) :",
                                         "S&ynonyms (separated by |):"};
inline constexpr Text kMySpeciesFormula{"F&ormule (forme la plus protonée) :",
                                        "F&ormula (fully protonated form):"};
inline constexpr Text kMySpeciesCharge{"&Charge de cette forme :", "C&harge of that form:"};
inline constexpr Text kMySpeciesPKa{"&pKa (croissants, séparés par des espaces) :",
                                    "&pKa (ascending, separated by spaces):"};
inline constexpr Text kMySpeciesEnthalpy{"ΔH° de c&haque acidité (kJ/mol, facultatif) :",
                                         "ΔH° of each acidity (kJ/mol, op&tional):"};
inline constexpr Text kMySpeciesConductivity{"λ° de chaque forme (mS·m²/mol, facul&tatif) :",
                                             "λ° of each fo&rm (mS·m²/mol, optional):"};
inline constexpr Text kMySpeciesNew{"&Nouvelle", "&New"};
inline constexpr Text kMySpeciesSave{"&Enregistrer l'espèce", "&Save the species"};
inline constexpr Text kMySpeciesDuplicate{"&Dupliquer", "&Duplicate"};
inline constexpr Text kMySpeciesDelete{"S&upprimer", "De&lete"};
inline constexpr Text kMySpeciesExport{"E&xporter…", "E&xport…"};
inline constexpr Text kMySpeciesImport{"&Importer…", "&Import…"};
inline constexpr Text kMySpeciesCopy{" (copie)", " (copy)"};
inline constexpr Text kMySpeciesSaved{"Espèce enregistrée dans %1.", "Species saved in %1."};
inline constexpr Text kMySpeciesNameTaken{"Une autre de vos espèces porte déjà ce nom.",
                                          "Another of your species already has this name."};
inline constexpr Text kMySpeciesFiles{"Espèces (*.tsv *.txt);;Tous les fichiers (*)",
                                      "Species (*.tsv *.txt);;All files (*)"};
inline constexpr Text kMySpeciesImported{"%1 espèce(s) importée(s).", "%1 species imported."};
inline constexpr Text kMySpeciesDuplicates{
    "Ces espèces portent le nom d'une des vôtres : %1. Les remplacer par celles du fichier ?",
    "These species have the name of one of yours: %1. Replace them with those of the file?"};
inline constexpr Text kMySpeciesKeptDamaged{" Le fichier endommagé est gardé sous le nom %1.",
                                            " The damaged file is kept as %1."};

} // namespace titralab::texts
