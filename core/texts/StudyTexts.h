// The French texts of study files (opening, saving, recent files) and of the fit to pasted points.
#pragma once

#include <string>

namespace titralab::texts {

// Menus and dialogs of study files.
inline constexpr const char* kOpenStudy = "Ou&vrir…";
inline constexpr const char* kSaveStudy = "&Enregistrer";
inline constexpr const char* kSaveStudyAs = "Enregistrer &sous…";
inline constexpr const char* kRecentStudies = "Études &récentes";
inline constexpr const char* kNoRecentStudy = "(aucune)";
inline constexpr const char* kExampleStudies = "&Exemples d'études";
inline constexpr const char* kOpenStudyTitle = "Ouvrir une étude";
inline constexpr const char* kSaveStudyTitle = "Enregistrer l'étude";
inline constexpr const char* kStudyFilter = "Études TitraLab (*.titralab)";
inline constexpr const char* kUntitledStudy = "Sans titre";
inline constexpr const char* kUnsavedTitle = "Étude modifiée";
inline constexpr const char* kUnsavedQuestion =
    "L'étude a été modifiée depuis son dernier enregistrement. Voulez-vous l'enregistrer ?";
inline constexpr const char* kExampleAcetic = "Acide éthanoïque, points mesurés";
inline constexpr const char* kExamplePhosphoric = "Espèces de l'acide phosphorique";
inline constexpr const char* kExampleTwoMonoacids = "Deux monoacides";

// Opening: every refusal names the file, then the first problem met.
inline std::string cannotOpen(const std::string& fileName, const std::string& problem) {
    return "Impossible d'ouvrir l'étude « " + fileName + " » : " + problem;
}
inline constexpr const char* kUnreadable = "le fichier ne peut pas être lu.";
inline constexpr const char* kTooLarge = "le fichier est trop gros pour une étude (plus de 2 Mo).";
inline constexpr const char* kEmptyFile = "le fichier est vide.";
inline constexpr const char* kBinary = "ce n'est pas un fichier texte.";
inline constexpr const char* kNotAStudy = "ce n'est pas une étude de TitraLab.";
inline constexpr const char* kTruncated =
    "le fichier est tronqué : il s'arrête avant la fin de l'étude.";
inline constexpr const char* kTooDeep = "le fichier est imbriqué trop profondément.";
inline std::string damagedAt(int line) {
    return "le fichier est abîmé (erreur de syntaxe à la ligne " + std::to_string(line) + ").";
}
inline std::string unknownVersion(const std::string& version) {
    return "le fichier est de la version « " + version +
           " » du format, que ce programme ne sait pas lire (il lit la version 1).";
}
inline std::string badValue(const std::string& key, const std::string& expected) {
    return "la valeur de « " + key + " » est hors limites (attendu : " + expected + ").";
}
inline std::string newerVersionSkipped(const std::string& fileName, const std::string& skipped) {
    return "L'étude « " + fileName +
           " » vient d'une version plus récente de TitraLab. Ce qui n'a pas été compris a été "
           "laissé de côté : " +
           skipped + ".";
}

// Saving: a failure leaves the previous file whole.
inline std::string cannotSave(const std::string& fileName, const std::string& reason) {
    return "L'étude n'a pas pu être enregistrée dans « " + fileName + " » : " + reason +
           ". Le fichier précédent est resté intact.";
}

// Why a file could not be written, from the system's error number.
inline std::string writeFailureReason(int error) {
    switch (error) {
    case 1:  // EPERM
    case 13: // EACCES
        return "l'accès au dossier ou au fichier est refusé";
    case 2: // ENOENT
        return "le dossier n'existe pas";
    case 21: // EISDIR
        return "ce nom est celui d'un dossier";
    case 28: // ENOSPC
        return "le disque est plein";
    case 30: // EROFS
        return "le support est en lecture seule";
    case 36: // ENAMETOOLONG
        return "le nom du fichier est trop long";
    default:
        return "erreur d'écriture (code " + std::to_string(error) + ")";
    }
}

// Fitting the model to the pasted points.
inline constexpr const char* kFitMenu = "Ajuster au points collés…";
// The values a fit may free, in the order C1, C2, Cb, pK1, pK2, pK3.
inline constexpr const char* kFitCaptions[6] = {
    "C1, bécher (mol/L)", "C2, bécher (mol/L)", "Cb, burette (mol/L)", "pKa1", "pKa2", "pKa3"};
inline constexpr const char* kFitTitle = "Ajuster la simulation aux points collés";
inline constexpr const char* kFitFree = "Valeurs à ajuster :";
inline constexpr const char* kFitApply = "&Appliquer";
inline constexpr const char* kFitCancel = "&Annuler";
inline constexpr const char* kFitValueHeader = "Valeur";
inline constexpr const char* kFitUncertaintyHeader = "Incertitude-type";
inline constexpr const char* kFitResidualTitle = "Résidus : pH mesuré − pH calculé";
inline constexpr const char* kFitResidualAxis = "écart (pH)";
inline constexpr const char* kFitVolumeAxis = "v (mL)";
inline constexpr const char* kFitVolumeAxisLitres = "v (L)";
inline constexpr const char* kFitResidualDeviation = "Écart-type résiduel (pH)";
inline constexpr const char* kFitPointsUsed = "Points utilisés";
inline constexpr const char* kFitNotTitration =
    "L'ajustement demande une étude de titrage (un polyacide, ou deux monoacides).";
inline constexpr const char* kFitNoPoints = "Collez d'abord des points mesurés (v, pH).";
inline constexpr const char* kFitNothingFree = "Cochez au moins une valeur à ajuster.";
inline std::string fitTooFewPoints(int points, int free) {
    return "Trop peu de points : " + std::to_string(points) + " point(s) pour " +
           std::to_string(free) + " valeur(s) à ajuster ; il en faut au moins " +
           std::to_string(free + 1) + ".";
}
inline constexpr const char* kFitNoEquivalence =
    "Les points collés n'encadrent aucune équivalence : une concentration ne peut pas en être "
    "déduite.";
inline constexpr const char* kFitFailed =
    "L'ajustement n'a pas abouti : les valeurs trouvées ne sont pas des nombres finis.";
inline constexpr const char* kFitUndetermined =
    "L'ajustement n'a pas abouti : les points ne suffisent pas à déterminer les valeurs cochées "
    "(décochez-en une).";

} // namespace titralab::texts
