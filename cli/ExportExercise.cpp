#include "cli/ExportExercise.h"

#include "cli/ExportStudy.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/Exercise.h"
#include "core/session/StudyFile.h"
#include "core/session/WorkbookModule.h"
#include "core/texts/ExerciseTexts.h"
#include "core/texts/StudyTexts.h"

#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab::cli {

namespace {

struct ExerciseOptions {
    std::optional<std::string> make;                          // the description
    std::optional<std::string> markKey;                       // the key file
    std::vector<std::string> files;                           // the files to mark
    std::optional<std::string> open, save, student;           // recording answers
    std::optional<std::string> xlsx;                          // the marks as a workbook
    std::vector<std::pair<std::string, std::string>> answers; // name, as typed
    Language language{Language::French};
};

struct Refused {
    std::string message;
};

ExerciseOptions parse(int argc, char** argv) {
    ExerciseOptions o;
    auto value = [&](int& i) {
        if (i + 1 >= argc) throw Refused{std::string(argv[i]) + " needs a value"};
        return std::string(argv[++i]);
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--make-exercise") {
            o.make = value(i);
        } else if (arg == "--mark-exercise") {
            o.markKey = value(i);
            while (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0)
                o.files.emplace_back(argv[++i]);
        } else if (arg == "--open") {
            o.open = value(i);
        } else if (arg == "--save") {
            o.save = value(i);
        } else if (arg == "--student") {
            o.student = value(i);
        } else if (arg == "--answer") {
            const std::string answer = value(i);
            const auto equals = answer.find('=');
            if (equals == std::string::npos || equals == 0)
                throw Refused{"--answer NAME=VALUE, e.g. --answer C1=0,0987"};
            o.answers.emplace_back(answer.substr(0, equals), answer.substr(equals + 1));
        } else if (arg == "--xlsx") {
            o.xlsx = value(i);
        } else if (arg == "--lang") {
            const std::optional<Language> language = parseLanguage(value(i));
            if (!language) throw Refused{"--lang fr|en"};
            o.language = *language;
        } else {
            throw Refused{"unknown option with the exercise commands: " + printableText(arg)};
        }
    }
    const int modes =
        (o.make ? 1 : 0) + (o.markKey ? 1 : 0) + (o.student || !o.answers.empty() ? 1 : 0);
    if (modes != 1)
        throw Refused{
            "one of --make-exercise FILE.json, --mark-exercise KEY FILE..., or --open FILE "
            "--student NAME --answer NAME=VALUE... --save FILE"};
    if (o.markKey && o.files.empty()) throw Refused{"--mark-exercise KEY FILE...: no file"};
    if (o.xlsx && !o.markKey) throw Refused{"--xlsx goes with --mark-exercise"};
    if ((o.student || !o.answers.empty()) && (!o.open || !o.save))
        throw Refused{"--student and --answer need --open FILE and --save FILE"};
    return o;
}

void complain(const std::string& message) {
    std::cerr << "titralab-export: " << message << '\n';
}

int makeExerciseFiles(const ExerciseOptions& o) {
    const std::string& path = *o.make;
    const std::optional<std::string> text = readFile(path, kMaxExerciseFileBytes + 1);
    if (!text) {
        complain(texts::cannotReadExercise(displayName(path), texts::kUnreadable.in(o.language),
                                           o.language));
        return 1;
    }
    const ExerciseDescriptionReading reading = readExerciseDescription(*text, o.language);
    if (!reading.description) {
        complain(texts::cannotReadExercise(displayName(path), reading.problem, o.language));
        return 1;
    }
    const MadeExercise made = makeExercise(*reading.description, path, o.language);
    if (!made.problem.empty()) {
        complain(texts::cannotReadExercise(displayName(path), made.problem, o.language));
        return 1;
    }
    const ExerciseWriting writing = writeExercise(made, o.language);
    for (const std::string& written : writing.written)
        std::cerr << texts::exerciseWritten(written, o.language) << '\n';
    if (!writing.problem.empty()) {
        complain(writing.problem);
        return 1;
    }
    return 0;
}

int recordStudentAnswers(const ExerciseOptions& o) {
    const StudyOpening opening = openStudyFile(*o.open, o.language);
    if (!opening.record) {
        complain(opening.error);
        return 1;
    }
    StudyRecord record = *opening.record;
    const std::string refusal =
        recordAnswers(record, o.student.value_or(std::string()), o.answers, o.language);
    if (!refusal.empty()) {
        complain(displayName(*o.open) + ": " + refusal);
        return 2;
    }
    const std::string failure = saveStudyFile(*o.save, record, o.language);
    if (!failure.empty()) {
        complain(failure);
        return 1;
    }
    return 0;
}

int markFiles(const ExerciseOptions& o) {
    const std::string& path = *o.markKey;
    const std::optional<std::string> text = readFile(path, kMaxExerciseFileBytes + 1);
    const ExerciseKeyReading reading =
        text ? readExerciseKey(*text, o.language)
             : ExerciseKeyReading{std::nullopt, texts::kUnreadable.in(o.language)};
    if (!reading.key) {
        complain(texts::cannotReadExercise(displayName(path), reading.problem, o.language));
        return 1;
    }
    const char separator = o.language == Language::French ? ',' : '.';
    const std::vector<FileMark> marks = markExercise(*reading.key, o.files, o.language);
    for (const FileMark& m : marks) {
        if (m.flagged)
            std::cout << "flagged\t" << printableText(m.file) << '\t' << m.reason << '\n';
        else
            std::cout << "marked\t" << printableText(m.student) << '\t'
                      << formatGeneral(m.points, 6, separator) << '\t'
                      << formatGeneral(m.possible, 6, separator) << '\n';
    }
    if (o.xlsx) {
        const WorkbookResult written = writeMarksWorkbookWithModule(
            reading.key->title, marksTable(*reading.key, marks, o.language), *o.xlsx, o.language);
        if (!written.ok) {
            complain(written.error);
            return 1;
        }
        if (!written.notice.empty()) complain(written.notice);
    }
    return 0;
}

} // namespace

bool asksForExercise(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--make-exercise" || arg == "--mark-exercise" || arg == "--student" ||
            arg == "--answer")
            return true;
    }
    return false;
}

int runExercise(int argc, char** argv) {
    ExerciseOptions o;
    try {
        o = parse(argc, argv);
    } catch (const Refused& r) {
        complain(r.message + " (see --help)");
        return 2;
    }
    if (o.make) return makeExerciseFiles(o);
    if (o.markKey) return markFiles(o);
    return recordStudentAnswers(o);
}

} // namespace titralab::cli
