// The texts of exercises: making them from a description, recording a student's answers and
// marking the answered files.
#pragma once

#include "core/base/Language.h"

#include <string>

namespace titralab::texts {

// A description, a key file or a student file refused: its name, then the first problem met.
inline std::string cannotReadExercise(const std::string& fileName, const std::string& problem,
                                      Language language) {
    if (language == Language::English) return "Cannot read “" + fileName + "”: " + problem;
    return "Impossible de lire « " + fileName + " » : " + problem;
}
inline std::string missingKey(const std::string& key, Language language) {
    if (language == Language::English) return "“" + key + "” is missing.";
    return "« " + key + " » manque.";
}

inline constexpr Text kNotJsonObject{"le fichier n'est pas un objet JSON { } lisible.",
                                     "the file is not a readable JSON object { }."};

// What a value of an exercise's description or key should have been.
inline constexpr Text kExpectedRange{"deux nombres [de, à], le plus petit d'abord",
                                     "two numbers [from, to], the lower first"};
inline constexpr Text kExpectedTolerance{"un nombre positif, ou un pourcentage écrit « 2% »",
                                         "a positive number, or a percentage written “2%”"};
inline constexpr Text kExpectedPoints{"un nombre de 0 à 1000", "a number from 0 to 1000"};
inline constexpr Text kExpectedNoise{"un nombre de 0 à 1", "a number from 0 to 1"};
inline constexpr Text kExpectedVolumes{
    "de, à et pas en mL, 0 ≤ de < à ≤ 1000, pas > 0, 200 volumes au plus",
    "from, to and step in mL, 0 ≤ from < to ≤ 1000, step > 0, at most 200 volumes"};
inline constexpr Text kExpectedStudentName{
    "un nom de 1 à 100 caractères, sans / ni \\, différent des autres",
    "a name of 1 to 100 characters, without / or \\, unlike the others"};
inline constexpr Text kExpectedStudents{"au moins un élève quand une inconnue a un intervalle",
                                        "at least one student when an unknown has a range"};
inline constexpr Text kExpectedQuestionName{
    "une inconnue de l'exercice, VE1, VE2, VE3 ou pHE1, pHE2, pHE3 (équivalences de l'étude)",
    "an unknown of the exercise, VE1, VE2, VE3 or pHE1, pHE2, pHE3 (the study's equivalences)"};
inline constexpr Text kExpectedSeed{"un entier positif ou nul", "a whole number, 0 or more"};
inline constexpr Text kExpectedHexKey{"64 chiffres hexadécimaux", "64 hexadecimal digits"};
inline constexpr Text kExpectedIdentifier{"un identifiant de 1 à 64 lettres, chiffres ou -",
                                          "an identifier of 1 to 64 letters, digits or -"};
inline std::string expectedFitName(const std::string& names, Language language) {
    if (language == Language::English) return "a value of the study's fit: " + names;
    return "une valeur de l'ajustement de l'étude : " + names;
}

// Making an exercise.
inline constexpr Text kExerciseStudyNotTitration{
    "un exercice se fait sur un titrage (titrage, deux monoacides ou solutions libres).",
    "an exercise is made from a titration (titration, two monoprotic acids or free solutions)."};
inline constexpr Text kExerciseNoConductivity{
    "la conductivité de cette étude ne peut pas être calculée (une conductivité ionique manque).",
    "the conductivity of this study cannot be computed (an ionic conductivity is missing)."};
inline std::string exerciseValueRefused(const std::string& name, Language language) {
    if (language == Language::English)
        return "the value drawn for “" + name + "” is refused by the study (see its range).";
    return "la valeur tirée pour « " + name + " » est refusée par l'étude (voir son intervalle).";
}
inline constexpr Text kExerciseOverwritesStudy{
    "un fichier de l'exercice remplacerait l'étude dont il est fait.",
    "a file of the exercise would replace the study it is made from."};
inline std::string exerciseWritten(const std::string& path, Language language) {
    if (language == Language::English) return "written: " + path;
    return "écrit : " + path;
}

// Answers.
inline std::string unknownAnswerName(const std::string& name, const std::string& names,
                                     Language language) {
    if (language == Language::English)
        return "“" + name + "” is not a question of this exercise (its questions: " + names + ").";
    return "« " + name + " » n'est pas une question de cet exercice (ses questions : " + names +
           ").";
}
inline std::string answerNotANumber(const std::string& name, Language language) {
    if (language == Language::English) return "the answer to “" + name + "” is not a number.";
    return "la réponse à « " + name + " » n'est pas un nombre.";
}
inline constexpr Text kNotAnExerciseFile{"ce fichier n'est pas un exercice.",
                                         "this file is not an exercise."};

// Why a file is flagged rather than marked.
inline constexpr Text kFlagNotAStudy{"pas une étude lisible", "not a readable study"};
inline constexpr Text kFlagNotAnExercise{"pas un exercice", "not an exercise"};
inline constexpr Text kFlagOtherExercise{"fichier d'un autre exercice", "file of another exercise"};
inline constexpr Text kFlagAltered{"points mesurés modifiés", "measured points altered"};

// The marks table's headings.
inline constexpr Text kMarksStudent{"Élève", "Student"};
inline constexpr Text kMarksFile{"Fichier", "File"};
inline constexpr Text kMarksExpected{"attendu", "expected"};
inline constexpr Text kMarksWithin{"juste", "right"};
inline constexpr Text kMarksPoints{"points", "points"};
inline constexpr Text kMarksTotal{"Total", "Total"};
inline constexpr Text kMarksPossible{"Sur", "Out of"};
inline constexpr Text kMarksFlagged{"Signalé", "Flagged"};
inline constexpr Text kMarksSheet{"Notes", "Marks"};
inline constexpr Text kYes{"oui", "yes"};
inline constexpr Text kNo{"non", "no"};

// The marking window of the main window's File menu.
inline constexpr Text kMarkAnswersMenu{"&Corriger des copies…", "Mar&k answers…"};
inline constexpr Text kMarkKeyTitle{"Corriger des copies : le fichier clé",
                                    "Mark answers: the key file"};
inline constexpr Text kMarkKeyFilter{"Clés d'exercice (*.titralab-cle)",
                                     "Exercise keys (*.titralab-cle)"};
inline constexpr Text kMarkFilesTitle{"Corriger des copies : les fichiers des élèves",
                                      "Mark answers: the students' files"};
inline constexpr Text kMarkFilesFilter{"Études (*.titralab)", "Studies (*.titralab)"};
inline constexpr Text kMarksTitle{"Notes de l'exercice", "Marks of the exercise"};
inline constexpr Text kMarksTableName{"Tableau des notes", "Table of marks"};
inline constexpr Text kMarksCopy{"&Copier", "&Copy"};
inline constexpr Text kMarksSaveWorkbook{"Enregistrer en c&lasseur (.xlsx)…",
                                         "Save as a &workbook (.xlsx)…"};
inline constexpr Text kMarksSaveCsv{"Enregistrer en C&SV…", "Save as C&SV…"};
inline constexpr Text kMarksClose{"&Fermer", "C&lose"};
inline constexpr Text kMarksWorkbookFilter{"Classeurs (*.xlsx)", "Workbooks (*.xlsx)"};
inline constexpr Text kMarksCsvFilter{"Fichiers CSV (*.csv)", "CSV files (*.csv)"};
inline constexpr Text kMarksCopied{"Notes copiées.", "Marks copied."};
inline constexpr Text kMarksNoFile{"aucun fichier d'élève.", "no student file."};

// The student's panel.
inline constexpr Text kExercisePanelTitle{"Exercice", "Exercise"};
inline constexpr Text kExerciseStudentName{"&Nom :", "&Name:"};
inline constexpr Text kExerciseSaveAnswers{"Enregistrer &mes réponses", "Sa&ve my answers"};
inline constexpr Text kExerciseAnswersSaved{"Réponses enregistrées dans ", "Answers saved in "};
inline constexpr Text kExerciseFieldLocked{"Valeur à trouver : ce champ est verrouillé.",
                                           "A value to find: this field is locked."};
inline constexpr Text kExerciseToolNotAllowed{"Cet outil n'est pas permis dans cet exercice.",
                                              "This tool is not allowed in this exercise."};

} // namespace titralab::texts
