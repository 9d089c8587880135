// Exercises in the core: tolerances, the reader of the exercise section of study files, and the
// marks table.
#include "core/session/Exercise.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <string>

namespace {

using namespace titralab;

TEST(ExerciseTolerance, AcceptsWithinAbsoluteOrRelativeLimits) {
    struct Case {
        const char* label;
        ExerciseTolerance tolerance;
        double given, expected;
        bool accepted;
    } cases[] = {
        {"absolute, inside", {0.1, false}, 4.79, 4.7, true},
        {"absolute, at the limit", {0.1, false}, 4.6, 4.7, true},
        {"absolute, just outside", {0.1, false}, 4.8101, 4.7, false},
        {"relative, inside", {2, true}, 0.1019, 0.1, true},
        {"relative, just outside", {2, true}, 0.0979, 0.1, false},
        {"relative to a negative value", {10, true}, -1.09, -1, true},
        {"zero tolerance, exact", {0, false}, 1.5, 1.5, true},
        {"zero tolerance, off", {0, false}, 1.5000001, 1.5, false},
        {"not a number", {5, false}, NAN, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.tolerance.accepts(c.given, c.expected), c.accepted) << c.label;
}

// A whole section, then each damage refused naming its key.
TEST(ExerciseSection, ReadsBackWhatItWritesAndRefusesDamageNamingTheKey) {
    ExerciseSection s;
    s.exercise = "0123456789abcdef";
    s.identifier = "0123456789abcdef-2";
    s.title = "Titre";
    s.text = "Texte\nsur deux lignes";
    s.questions = {{"C1", 2}, {"VE1", 1}};
    s.tools = {ExerciseTool::Fit, ExerciseTool::Derivative};
    s.locked = {"D2"};
    s.student = "Ana";
    s.answers = {{"C1", "0,0987"}};
    s.checksum = std::string(64, 'a');
    const std::string text = exerciseSectionText(s);
    const ExerciseSectionReading back = readExerciseSection(text, Language::English);
    ASSERT_TRUE(back.section) << back.problem;
    EXPECT_EQ(exerciseSectionText(*back.section), text);

    struct Case {
        const char* label;
        const char* key; // the key damaged, as a JSON pointer
        nlohmann::json value;
        const char* named; // in the refusal
    } cases[] = {
        {"checksum not hexadecimal", "/checksum", "xyz", "exercise.checksum"},
        {"identifier with a slash", "/identifier", "a/b", "exercise.identifier"},
        {"a tool the program lacks", "/tools/1", "oracle", "exercise.tools.2"},
        {"a locked field no panel has", "/locked/0", "D9", "exercise.locked.1"},
        {"an answer to no question", "/answers/pK7", "4", "exercise.answers.pK7"},
        {"an answer that is no text", "/answers/C1", 4, "exercise.answers.C1"},
        {"points out of range", "/questions/1/points", -1, "exercise.questions.2.points"},
        {"another major version", "/format_version", "2.0", "2.0"},
    };
    for (const Case& c : cases) {
        nlohmann::json damaged = nlohmann::json::parse(text);
        damaged[nlohmann::json::json_pointer(c.key)] = c.value;
        const ExerciseSectionReading r = readExerciseSection(damaged.dump(), Language::English);
        EXPECT_FALSE(r.section) << c.label;
        EXPECT_NE(r.problem.find(c.named), std::string::npos) << c.label << ": " << r.problem;
    }
}

// The marks table: a row per file, the numbers as numbers, a flagged file's reason.
TEST(ExerciseMarks, TableRowsCarryNumbersAndFlags) {
    ExerciseKey key;
    key.questions = {{"C1", {2, true}, 2}, {"pK1", {0.1, false}, 3}};
    FileMark marked;
    marked.file = "Ana.titralab";
    marked.student = "Ana";
    marked.answers = {{"C1", "0,1", 0.1, 0.1001, true, 2, 2},
                      {"pK1", "", std::nullopt, 4.76, false, 0, 3}};
    marked.points = 2;
    marked.possible = 5;
    FileMark flagged;
    flagged.file = "x.titralab";
    flagged.flagged = true;
    flagged.reason = "measured points altered";
    const auto rows = marksTable(key, {marked, flagged}, Language::English);
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(rows[0].size(), 2 + 4 * 2 + 2u);
    ASSERT_EQ(rows[1].size(), rows[0].size());
    struct Cell {
        std::size_t column;
        std::optional<double> number;
        const char* text;
    } cells[] = {{0, std::nullopt, "Ana"},
                 {2, 0.1, "0.1"},
                 {3, 0.1001, "0.1001"},
                 {4, std::nullopt, "yes"},
                 {5, 2, "2"},
                 {6, std::nullopt, ""},
                 {7, 4.76, "4.76"},
                 {8, std::nullopt, "no"},
                 {9, 0, "0"},
                 {10, 2, "2"},
                 {11, 5, "5"}};
    for (const Cell& c : cells) {
        EXPECT_EQ(rows[1][c.column].text, c.text) << c.column;
        EXPECT_EQ(rows[1][c.column].number, c.number) << c.column;
    }
    EXPECT_EQ(rows[2][1].text, "x.titralab");
    EXPECT_EQ(rows[2][2].text, "measured points altered");
}

} // namespace
