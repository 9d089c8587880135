// A student's answers recorded into their file, and the answered files marked against the key.
#include "core/session/Exercise.h"

#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/StudyFile.h"
#include "core/texts/ExerciseTexts.h"
#include "core/texts/StudyTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// A number typed with a point or a comma; none for anything else.
std::optional<double> answerValue(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const BoundedNumber n = ParseBoundedNumber(text, -1e300, 1e300);
    if (!n.ok || !std::isfinite(n.value)) return std::nullopt;
    return n.value;
}

std::string questionNames(const ExerciseSection& section) {
    std::string names;
    for (const auto& q : section.questions) names += (names.empty() ? "" : ", ") + q.first;
    return names;
}

} // namespace

std::string recordAnswers(StudyRecord& record, const std::string& student,
                          const std::vector<std::pair<std::string, std::string>>& answers,
                          Language language) {
    std::optional<ExerciseSection> section = exerciseOf(record);
    if (!section) return texts::kNotAnExerciseFile.in(language);
    if (student.size() > kMaxExerciseName)
        return texts::badValue("student", texts::kExpectedStudentName.in(language), language);
    for (const auto& answer : answers) {
        const std::string& name = answer.first;
        const std::string& typed = answer.second;
        const bool asked = std::any_of(section->questions.begin(), section->questions.end(),
                                       [&](const auto& q) { return q.first == name; });
        if (!asked)
            return texts::unknownAnswerName(printableText(name), questionNames(*section), language);
        if (!answerValue(typed) || typed.size() > kMaxExerciseName)
            return texts::answerNotANumber(name, language);
    }
    if (!student.empty()) section->student = student;
    for (const auto& answer : answers) {
        const std::string& name = answer.first;
        const std::string& typed = answer.second;
        auto it = std::find_if(section->answers.begin(), section->answers.end(),
                               [&](const auto& a) { return a.first == name; });
        if (it == section->answers.end())
            section->answers.emplace_back(name, typed);
        else
            it->second = typed;
    }
    record.sections[kExerciseSection] = exerciseSectionText(*section);
    return {};
}

FileMark markStudy(const ExerciseKey& key, const std::string& fileName,
                   const std::optional<StudyRecord>& record, Language language) {
    FileMark mark;
    mark.file = fileName;
    auto flag = [&](const Text& reason) {
        mark.flagged = true;
        mark.reason = reason.in(language);
        return mark;
    };
    if (!record) return flag(texts::kFlagNotAStudy);
    const std::optional<ExerciseSection> section = exerciseOf(*record);
    if (!section) return flag(texts::kFlagNotAnExercise);
    const auto keyed = std::find_if(key.files.begin(), key.files.end(), [&](const auto& f) {
        return f.identifier == section->identifier;
    });
    if (section->exercise != key.exercise || keyed == key.files.end())
        return flag(texts::kFlagOtherExercise);
    const std::string checksum =
        measuredPointsChecksum(key.secret, section->exercise, section->identifier, *record);
    if (checksum.empty() || checksum != section->checksum) return flag(texts::kFlagAltered);

    mark.student = section->student.empty() ? keyed->student : section->student;
    for (const ExerciseQuestion& q : key.questions) {
        AnswerMark a;
        a.name = q.name;
        a.possible = q.points;
        const auto expected = std::find_if(keyed->values.begin(), keyed->values.end(),
                                           [&](const auto& v) { return v.first == q.name; });
        a.expected = expected != keyed->values.end() ? expected->second : NAN;
        const auto given = std::find_if(section->answers.begin(), section->answers.end(),
                                        [&](const auto& g) { return g.first == q.name; });
        if (given != section->answers.end()) a.given = given->second;
        a.value = answerValue(a.given);
        a.within = a.value && q.tolerance.accepts(*a.value, a.expected);
        a.points = a.within ? q.points : 0;
        mark.points += a.points;
        mark.possible += a.possible;
        mark.answers.push_back(std::move(a));
    }
    return mark;
}

std::vector<FileMark> markExercise(const ExerciseKey& key, const std::vector<std::string>& paths,
                                   Language language) {
    std::vector<FileMark> marks;
    for (const std::string& path : paths) {
        const StudyOpening opening = openStudyFile(path, language);
        marks.push_back(markStudy(key, displayName(path), opening.record, language));
    }
    return marks;
}

std::vector<std::vector<MarksCell>>
marksTable(const ExerciseKey& key, const std::vector<FileMark>& marks, Language language) {
    std::vector<std::vector<MarksCell>> rows;
    std::vector<MarksCell> heading{{texts::kMarksStudent.in(language), {}},
                                   {texts::kMarksFile.in(language), {}}};
    for (const ExerciseQuestion& q : key.questions) {
        heading.push_back({q.name, {}});
        heading.push_back({q.name + " " + texts::kMarksExpected.in(language), {}});
        heading.push_back({q.name + " " + texts::kMarksWithin.in(language), {}});
        heading.push_back({q.name + " " + texts::kMarksPoints.in(language), {}});
    }
    heading.push_back({texts::kMarksTotal.in(language), {}});
    heading.push_back({texts::kMarksPossible.in(language), {}});
    rows.push_back(std::move(heading));
    const char separator = language == Language::French ? ',' : '.';
    auto number = [&](double x) { return MarksCell{formatGeneral(x, 6, separator), x}; };
    for (const FileMark& m : marks) {
        std::vector<MarksCell> row{{m.flagged ? texts::kMarksFlagged.in(language) : m.student, {}},
                                   {m.file, {}}};
        if (m.flagged) {
            row.push_back({m.reason, {}});
        } else {
            for (const AnswerMark& a : m.answers) {
                row.push_back(a.value ? number(*a.value) : MarksCell{a.given, {}});
                row.push_back(number(a.expected));
                row.push_back({(a.within ? texts::kYes : texts::kNo).in(language), {}});
                row.push_back(number(a.points));
            }
            row.push_back(number(m.points));
            row.push_back(number(m.possible));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string marksText(const std::vector<std::vector<MarksCell>>& rows, char separator) {
    std::string out;
    for (const std::vector<MarksCell>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += separator;
            const std::string& t = row[i].text;
            if (t.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string::npos) {
                out += t;
                continue;
            }
            out += '"';
            for (char c : t) {
                if (c == '"') out += '"';
                out += c;
            }
            out += '"';
        }
        out += '\n';
    }
    return out;
}

} // namespace titralab
