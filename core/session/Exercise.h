// Exercises: a teacher hides some values of a study, each student gets a study file of measured
// points made at values drawn for them, records answers in it, and the key file the teacher
// keeps marks the answered files.
//
// A student file is a study file with an "exercise" section (identifier, questions, allowed
// tools, the locked fields, the student's name and answers, and a keyed checksum of the
// identifier and the measured points). It never holds the expected values: those stay in the
// key file (.titralab-cle), with the secret of the checksums.
#pragma once

#include "core/base/Language.h"
#include "core/session/StudyRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace titralab {

inline constexpr const char* kExerciseSection = "exercise";
inline constexpr const char* kExerciseKeyFormatName = "TitraLab exercise key";
inline constexpr const char* kExerciseKeyExtension = ".titralab-cle";
inline constexpr int kExerciseFormatMajor = 1;
inline constexpr int kExerciseFormatMinor = 0;

// Bounds of the readers of descriptions, sections and keys.
inline constexpr std::size_t kMaxExerciseFileBytes = 2 * 1024 * 1024;
inline constexpr std::size_t kMaxExerciseStudents = 500;
inline constexpr std::size_t kMaxExerciseQuestions = 12;
inline constexpr std::size_t kMaxExerciseText = 20000; // the text shown to the students
inline constexpr std::size_t kMaxExerciseName = 100;   // a student's name, a title line
inline constexpr std::size_t kMaxExerciseVolumes = 200;

enum class ExerciseTool { Fit, Readings, Derivative };
// "fit", "readings", "derivative".
const std::vector<std::string>& exerciseToolNames();

// A tolerance: absolute, in the unit of the answer, or relative, in percent of the expected value.
struct ExerciseTolerance {
    double value{};
    bool relative{false};
    bool accepts(double given, double expected) const;
};

struct ExerciseQuestion {
    std::string name; // an unknown's name, VE1..VE3 (mL) or pHE1..pHE3
    ExerciseTolerance tolerance;
    double points{1};
};

struct ExerciseUnknown {
    std::string name; // a fit value (C1, C2, Cb, pK1, pK2, pK3) or a free study's (beaker1.c)
    std::optional<std::pair<double, double>> range; // drawn in it per student; none: the study's
};

// What the teacher asks for (EXERCISE.json).
struct ExerciseDescription {
    std::string study; // the study file, relative to the description's folder
    std::vector<ExerciseUnknown> unknowns;
    std::vector<std::string> students;
    double fromMl{}, toMl{}, stepMl{}; // the volumes measured, mL
    double sigmaPH{0.02};              // the pH meter's noise, pH
    double sigmaVolumeMl{0.02};        // the burette's, mL
    bool conductivity{false};          // add a measured conductivity column
    std::uint64_t seed{0};
    std::vector<ExerciseQuestion> questions;
    std::vector<ExerciseTool> tools;
    std::string title;
    std::string text;
    std::string out{"."}; // the folder of the files written, relative to the description's
    bool hasRange() const;
};

// Reads a description; the problem names the key at fault, in `language`.
struct ExerciseDescriptionReading {
    std::optional<ExerciseDescription> description;
    std::string problem;
};
ExerciseDescriptionReading readExerciseDescription(std::string_view text, Language language);

// The exercise section of a student file.
struct ExerciseSection {
    std::string exercise;   // the exercise's identifier
    std::string identifier; // this file's
    std::string title;
    std::string text;
    std::vector<std::pair<std::string, double>> questions; // name, points
    std::vector<ExerciseTool> tools;
    // What was left blank: the keys of panel fields ("D2"), a free study's row values
    // ("beaker1.c").
    std::vector<std::string> locked;
    std::string student;
    std::vector<std::pair<std::string, std::string>> answers; // name, answer as typed
    std::string checksum;                                     // 64 hexadecimal digits
};
struct ExerciseSectionReading {
    std::optional<ExerciseSection> section;
    std::string problem; // naming the key ("exercise.questions.2.name")
};
ExerciseSectionReading readExerciseSection(std::string_view json, Language language);
std::string exerciseSectionText(const ExerciseSection& section);
// The section of a read study, none when it has none (the reader refused a damaged one).
std::optional<ExerciseSection> exerciseOf(const StudyRecord& record);

// The key file: the expected values of every student file and the secret of their checksums.
struct ExerciseKeyFile {
    std::string file; // the student file's name
    std::string identifier;
    std::string student;                                // as the description named them
    std::vector<std::pair<std::string, double>> values; // name, expected value
};
struct ExerciseKey {
    std::string exercise;
    std::string secret; // 64 hexadecimal digits
    std::string title;
    std::vector<ExerciseQuestion> questions;
    std::vector<ExerciseKeyFile> files;
};
std::string exerciseKeyText(const ExerciseKey& key);
struct ExerciseKeyReading {
    std::optional<ExerciseKey> key;
    std::string problem;
};
ExerciseKeyReading readExerciseKey(std::string_view text, Language language);

// HMAC-SHA256 under the secret of the file's identifier and measured points (pasted lines and
// conductivities), in hexadecimal.
std::string measuredPointsChecksum(const std::string& secretHex, const std::string& exercise,
                                   const std::string& identifier, const StudyRecord& record);

// Making: every student file and the key, computed but not yet written.
struct MadeExercise {
    std::vector<std::pair<std::string, StudyRecord>> studentFiles; // path, study
    std::string keyPath;
    ExerciseKey key;
    std::string problem; // why nothing can be made, in the language asked
};
MadeExercise makeExercise(const ExerciseDescription& description,
                          const std::string& descriptionPath, Language language);
// Writes every file whole; returns the paths written, or the first failure.
struct ExerciseWriting {
    std::vector<std::string> written;
    std::string problem;
};
ExerciseWriting writeExercise(const MadeExercise& made, Language language);

// Records a student's name (unless empty) and answers (name, as typed with a point or a comma)
// into the exercise section of `record`. Returns the refusal (a name that is no question, an
// answer that is no number, a study that is no exercise), or empty.
std::string recordAnswers(StudyRecord& record, const std::string& student,
                          const std::vector<std::pair<std::string, std::string>>& answers,
                          Language language);

// The marks of one file.
struct AnswerMark {
    std::string name;
    std::string given;           // as typed, empty when blank
    std::optional<double> value; // the given number
    double expected{};
    bool within{false};
    double points{};   // obtained
    double possible{}; // the question's
};
struct FileMark {
    std::string file; // its name
    bool flagged{false};
    std::string reason; // why flagged
    std::string student;
    std::vector<AnswerMark> answers;
    double points{};
    double possible{};
};
// Marks the study of one file (none when it could not be opened) against the key.
FileMark markStudy(const ExerciseKey& key, const std::string& fileName,
                   const std::optional<StudyRecord>& record, Language language);
// Opens and marks each file.
std::vector<FileMark> markExercise(const ExerciseKey& key, const std::vector<std::string>& paths,
                                   Language language);

// The marks as a table: a heading row (student, file, per question its answer, the expected
// value, right or not and the points; total; out of), then one row per file; a flagged file's
// row names it and the reason. Numbers as numbers, for a workbook.
struct MarksCell {
    std::string text;
    std::optional<double> number;
};
std::vector<std::vector<MarksCell>>
marksTable(const ExerciseKey& key, const std::vector<FileMark>& marks, Language language);

// The table as text: one line per row (LF), the cells separated by `separator`; a cell holding
// the separator, a quote or a line end is quoted, its quotes doubled (CSV, RFC 4180).
std::string marksText(const std::vector<std::vector<MarksCell>>& rows, char separator);

} // namespace titralab
