// The texts of study files (opening, saving, recent files) and of the fit to pasted points.
#pragma once

#include "core/base/Language.h"

#include <string>
#include <vector>

namespace titralab::texts {

// Menus and dialogs of study files.
inline constexpr Text kOpenStudy{"Ou&vrir…", "&Open…"};
inline constexpr Text kSaveStudy{"&Enregistrer", "&Save"};
inline constexpr Text kSaveStudyAs{"Enregistrer &sous…", "Save &as…"};
inline constexpr Text kRecentStudies{"Études &récentes", "&Recent studies"};
inline constexpr Text kNoRecentStudy{"(aucune)", "(none)"};
inline constexpr Text kExampleStudies{"E&xemples d'études", "&Example studies"};
inline constexpr Text kOpenStudyTitle{"Ouvrir une étude", "Open a study"};
inline constexpr Text kSaveStudyTitle{"Enregistrer l'étude", "Save the study"};
inline constexpr Text kStudyFilter{"Études TitraLab (*.titralab)", "TitraLab studies (*.titralab)"};
inline constexpr Text kUntitledStudy{"Sans titre", "Untitled"};
inline constexpr Text kUnsavedTitle{"Étude modifiée", "Study changed"};
inline constexpr Text kUnsavedQuestion{
    "L'étude a été modifiée depuis son dernier enregistrement. Voulez-vous l'enregistrer ?",
    "The study has changed since it was last saved. Do you want to save it?"};
inline constexpr Text kExampleAcetic{"Acide éthanoïque, points mesurés",
                                     "Ethanoic acid, measured points"};
inline constexpr Text kExamplePhosphoric{"Espèces de l'acide phosphorique",
                                         "Species of phosphoric acid"};
inline constexpr Text kExampleTwoMonoacids{"Deux monoacides", "Two monoprotic acids"};

// Opening: every refusal names the file, then the first problem met.
inline std::string cannotOpen(const std::string& fileName, const std::string& problem,
                              Language language) {
    if (language == Language::English)
        return "Cannot open the study “" + fileName + "”: " + problem;
    return "Impossible d'ouvrir l'étude « " + fileName + " » : " + problem;
}
inline constexpr Text kUnreadable{"le fichier ne peut pas être lu.", "the file cannot be read."};
inline constexpr Text kTooLarge{"le fichier est trop gros pour une étude (plus de 2 Mo).",
                                "the file is too large for a study (more than 2 MB)."};
inline constexpr Text kEmptyFile{"le fichier est vide.", "the file is empty."};
inline constexpr Text kBinary{"ce n'est pas un fichier texte.", "this is not a text file."};
inline constexpr Text kNotAStudy{"ce n'est pas une étude de TitraLab.",
                                 "this is not a TitraLab study."};
inline constexpr Text kTruncated{"le fichier est tronqué : il s'arrête avant la fin de l'étude.",
                                 "the file is truncated: it stops before the end of the study."};
inline constexpr Text kTooDeep{"le fichier est imbriqué trop profondément.",
                               "the file is nested too deeply."};
inline std::string damagedAt(int line, Language language) {
    if (language == Language::English)
        return "the file is damaged (syntax error on line " + std::to_string(line) + ").";
    return "le fichier est abîmé (erreur de syntaxe à la ligne " + std::to_string(line) + ").";
}
inline std::string unknownVersion(const std::string& version, Language language) {
    if (language == Language::English)
        return "the file is in version “" + version +
               "” of the format, which this program cannot read (it reads version 1).";
    return "le fichier est de la version « " + version +
           " » du format, que ce programme ne sait pas lire (il lit la version 1).";
}
inline std::string badValue(const std::string& key, const std::string& expected,
                            Language language) {
    if (language == Language::English)
        return "the value of “" + key + "” is out of range (expected: " + expected + ").";
    return "la valeur de « " + key + " » est hors limites (attendu : " + expected + ").";
}
inline std::string newerVersionSkipped(const std::string& fileName, const std::string& skipped,
                                       Language language) {
    if (language == Language::English)
        return "The study “" + fileName +
               "” comes from a newer version of TitraLab. What was not understood has been left "
               "out: " +
               skipped + ".";
    return "L'étude « " + fileName +
           " » vient d'une version plus récente de TitraLab. Ce qui n'a pas été compris a été "
           "laissé de côté : " +
           skipped + ".";
}

// The keys of a newer file that were not understood: the first ones named, the others counted.
inline std::string skippedKeys(const std::vector<std::string>& named, std::size_t count,
                               Language language) {
    std::string list;
    for (const std::string& name : named) list += (list.empty() ? "" : ", ") + name;
    if (count > named.size()) {
        const std::string more = std::to_string(count - named.size());
        list +=
            language == Language::English ? " and " + more + " more" : " et " + more + " autres";
    }
    return list;
}
// A number the file writes that no double holds (1e400).
inline std::string numberOutOfRange(const std::string& key, const std::string& number,
                                    Language language) {
    if (language == Language::English)
        return "the number “" + number + "” of “" + key +
               "” is out of range (a number is at most 1.7E308 in size).";
    return "le nombre « " + number + " » de « " + key +
           " » est hors limites (un nombre vaut au plus 1,7E308 en valeur absolue).";
}

// What a value of a study file should have been, in a refusal.
inline constexpr Text kExpectedText{"un texte", "a text"};
inline constexpr Text kExpectedShortText{"un texte de 1000 caractères au plus",
                                         "a text of at most 1000 characters"};
inline constexpr Text kExpectedBoolean{"true ou false", "true or false"};
inline constexpr Text kExpectedSection{"une section { }", "a section { }"};
inline constexpr Text kExpectedNoStudy{"« none » tant que « panel.side » est « none »",
                                       "“none” while “panel.side” is “none”"};
inline constexpr Text kExpectedBoxNumbers{"des numéros de case de 1 à 10",
                                          "box numbers from 1 to 10"};
inline constexpr Text kExpectedIndicator{"le nom d'un indicateur coloré de TitraLab",
                                         "the name of one of TitraLab's colour indicators"};
inline constexpr Text kExpectedNumber{"un nombre", "a number"};
inline constexpr Text kExpectedCurvePoints{"une liste de points [v, y] de 2001 points au plus",
                                           "a list of points [v, y] of at most 2001 points"};
inline constexpr Text kExpectedConductivityPoints{
    "une liste de points [v, σ] de 200 points au plus",
    "a list of points [v, σ] of at most 200 points"};
inline constexpr Text kExpectedPastedLines{"des lignes de texte de 1000 caractères au plus",
                                           "lines of text of at most 1000 characters"};
// The version of a file that names none.
inline constexpr Text kNoVersion{"aucune", "none"};
inline std::string expectedInteger(int low, int high, Language language) {
    return (language == Language::English ? "a whole number from " : "un entier de ") +
           std::to_string(low) + (language == Language::English ? " to " : " à ") +
           std::to_string(high);
}
inline std::string expectedList(int maxCount, Language language) {
    if (language == Language::English)
        return "a list [ ] of at most " + std::to_string(maxCount) + " items";
    return "une liste [ ] de " + std::to_string(maxCount) + " éléments au plus";
}
inline std::string expectedSections(int maxCount, Language language) {
    if (language == Language::English) return "at most " + std::to_string(maxCount) + " sections";
    return std::to_string(maxCount) + " sections au plus";
}
// The names a choice accepts, quoted: « a », « b » ou « c ».
inline std::string choicesText(const std::vector<std::string>& names, Language language) {
    const bool en = language == Language::English;
    std::string all;
    for (std::size_t k = 0; k < names.size(); ++k) {
        all += k == 0 ? "" : k + 1 == names.size() ? (en ? " or " : " ou ") : ", ";
        all += en ? "“" + names[k] + "”" : "« " + names[k] + " »";
    }
    return all;
}

// Saving: a failure leaves the previous file whole.
inline std::string cannotSave(const std::string& fileName, const std::string& reason,
                              Language language) {
    if (language == Language::English)
        return "The study could not be saved in “" + fileName + "”: " + reason +
               ". The previous file is unchanged.";
    return "L'étude n'a pas pu être enregistrée dans « " + fileName + " » : " + reason +
           ". Le fichier précédent est resté intact.";
}

// Why a file could not be written, from the system's error number.
inline std::string writeFailureReason(int error, Language language) {
    const bool en = language == Language::English;
    switch (error) {
    case 1:  // EPERM
    case 13: // EACCES
        return en ? "access to the folder or the file is denied"
                  : "l'accès au dossier ou au fichier est refusé";
    case 2: // ENOENT
        return en ? "the folder does not exist" : "le dossier n'existe pas";
    case 21: // EISDIR
        return en ? "this name is that of a folder" : "ce nom est celui d'un dossier";
    case 28: // ENOSPC
        return en ? "the disk is full" : "le disque est plein";
    case 30: // EROFS
        return en ? "the medium is read-only" : "le support est en lecture seule";
    case 36: // ENAMETOOLONG
        return en ? "the file name is too long" : "le nom du fichier est trop long";
    default:
        return (en ? "write error (code " : "erreur d'écriture (code ") + std::to_string(error) +
               ")";
    }
}

// Fitting the model to the pasted points.
inline constexpr Text kFitMenu{"Ajuster aux points collés…", "Fit to pasted points…"};
// The values a fit may free, in the order C1, C2, Cb, pK1, pK2, pK3.
inline constexpr Text kFitCaptions[6] = {{"C1, bécher (mol/L)", "C1, beaker (mol/L)"},
                                         {"C2, bécher (mol/L)", "C2, beaker (mol/L)"},
                                         {"Cb, burette (mol/L)", "Cb, burette (mol/L)"},
                                         {"pKa1", "pKa1"},
                                         {"pKa2", "pKa2"},
                                         {"pKa3", "pKa3"}};
inline constexpr Text kFitTitle{"Ajuster la simulation aux points collés",
                                "Fit the simulation to the pasted points"};
inline constexpr Text kFitFree{"Valeurs à ajuster :", "Values to fit:"};
inline constexpr Text kFitApply{"&Appliquer", "&Apply"};
inline constexpr Text kFitCancel{"A&nnuler", "&Cancel"};
inline constexpr Text kFitValueHeader{"Valeur", "Value"};
inline constexpr Text kFitUncertaintyHeader{"Incertitude-type", "Std uncertainty"};
inline constexpr Text kFitResidualTitle{"Résidus : pH mesuré − pH calculé",
                                        "Residuals: measured − computed pH"};
inline constexpr Text kFitResidualAxis{"écart (pH)", "residual (pH)"};
inline constexpr Text kFitVolumeAxis{"v (mL)", "v (mL)"};
inline constexpr Text kFitVolumeAxisLitres{"v (L)", "v (L)"};
inline constexpr Text kFitResidualDeviation{"Écart-type résiduel (pH)", "Residual SD (pH)"};
inline constexpr Text kFitPointsUsed{"Points utilisés", "Points used"};
inline constexpr Text kFitNotTitration{
    "L'ajustement demande une étude de titrage (un polyacide, ou deux monoacides).",
    "Fitting needs a titration study (a polyprotic acid, or two monoprotic acids)."};
inline constexpr Text kFitNoPoints{"Collez d'abord des points mesurés (v, pH).",
                                   "Paste measured points (v, pH) first."};
inline constexpr Text kFitNothingFree{"Cochez au moins une valeur à ajuster.",
                                      "Tick at least one value to fit."};
inline std::string fitTooFewPoints(int points, int free, Language language) {
    if (language == Language::English)
        return "Too few points: " + std::to_string(points) + " point(s) for " +
               std::to_string(free) + " value(s) to fit; at least " + std::to_string(free + 1) +
               " are needed.";
    return "Trop peu de points : " + std::to_string(points) + " point(s) pour " +
           std::to_string(free) + " valeur(s) à ajuster ; il en faut au moins " +
           std::to_string(free + 1) + ".";
}
inline constexpr Text kFitNoEquivalence{
    "Les points collés n'encadrent aucune équivalence : une concentration ne peut pas en être "
    "déduite.",
    "The pasted points do not span any equivalence point: no concentration can be deduced from "
    "them."};
// The fit with activities: what the pKa it finds are.
inline constexpr Text kFitThermodynamicPKa{
    "pKa thermodynamiques (force ionique nulle) : ajustement avec les activités (Davies)",
    "Thermodynamic pKa (zero ionic strength): fitted with the activities (Davies)"};
inline constexpr Text kFitFailed{
    "L'ajustement n'a pas abouti : les valeurs trouvées ne sont pas des nombres finis.",
    "The fit failed: the values found are not finite numbers."};
inline constexpr Text kFitNotConverged{
    "L'ajustement n'a pas convergé : les valeurs affichées ne sont pas un résultat. Partez de "
    "valeurs plus proches des mesures, ou vérifiez l'unité des volumes.",
    "The fit did not converge: no values are given. Start from values closer to the "
    "measurements, or check the unit of the volumes."};
inline constexpr Text kFitSigmaRefused{
    "Incertitudes des mesures refusées : σ(pH) de 0,001 à 1, σ(v) de 0 à 5 mL.",
    "Measurement uncertainties refused: σ(pH) from 0.001 to 1, σ(v) from 0 to 5 mL."};
// `name` is not a value of this study; `names` lists those it has.
inline std::string fitValueAbsent(const std::string& name, const std::string& names,
                                  Language language) {
    if (language == Language::English)
        return name + " is not a value of this study; it has " + names + ".";
    return name + " n'est pas une valeur de cette étude ; elle a " + names + ".";
}
// The points a fit left out, in one sentence; empty when none was.
inline std::string fitPointsLeftOut(int outOfRange, int repeated, int cutAt, Language language) {
    const bool en = language == Language::English;
    std::string parts;
    auto add = [&](const std::string& part) {
        parts += (parts.empty() ? "" : en ? "; " : " ; ") + part;
    };
    if (outOfRange > 0)
        add(std::to_string(outOfRange) + (en ? " point(s) with a pH outside 0 to 14 left out"
                                             : " point(s) de pH hors de 0 à 14 écarté(s)"));
    if (repeated > 0)
        add(std::to_string(repeated) +
            (en ? " repeated pair(s) counted once" : " couple(s) répété(s) compté(s) une fois"));
    if (cutAt > 0)
        add(en ? "only the first " + std::to_string(cutAt) + " pairs are read"
               : "seuls les " + std::to_string(cutAt) + " premiers couples sont lus");
    return parts.empty() ? parts : parts + ".";
}
inline constexpr Text kFitEquivalenceCaption{"Véquivalence", "Vequivalence"};
inline constexpr Text kFitSigmaPH{"σ(pH) d'une mesure :", "σ(pH) of a reading:"};
inline constexpr Text kFitSigmaVolume{"σ(v) d'une lecture de burette (mL) :",
                                      "σ(v) of a burette reading (mL):"};
inline constexpr Text kFitUnit{"&Unité des volumes collés :", "&Unit of the pasted volumes:"};
inline constexpr Text kFitNameHeader{"Grandeur", "Quantity"};
inline constexpr Text kFitResultsName{"Valeurs ajustées", "Fitted values"};
inline constexpr Text kFitResidualsName{"Graphique des résidus", "Residuals chart"};
inline constexpr Text kFitResidualsDescription{
    "Écart entre pH mesuré et pH calculé pour chaque point, en fonction du volume.",
    "Measured minus computed pH at each point, against the volume."};
inline constexpr Text kFitUndetermined{
    "L'ajustement n'a pas abouti : les points ne suffisent pas à déterminer les valeurs cochées "
    "(décochez-en une).",
    "The fit failed: the points are not enough to determine the ticked values (untick one)."};

} // namespace titralab::texts
