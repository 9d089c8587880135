// The description of an exercise (EXERCISE.json), read with every value checked.
#include "core/session/Exercise.h"

#include "core/curves/Fit.h"
#include "core/curves/FreeFit.h"
#include "core/numbers/NumberInput.h"
#include "core/session/ExerciseJson.h"

#include <algorithm>
#include <cmath>

namespace titralab {

using namespace exercisejson;

const std::vector<std::string>& exerciseToolNames() {
    static const std::vector<std::string> names{"fit", "readings", "derivative"};
    return names;
}

bool ExerciseTolerance::accepts(double given, double expected) const {
    if (!std::isfinite(given)) return false;
    const double limit = relative ? value / 100 * std::abs(expected) : value;
    // A hair of slack, so that an answer written at the limit is not refused by its rounding.
    return std::abs(given - expected) <= limit * (1 + 1e-9) + 1e-300;
}

bool ExerciseDescription::hasRange() const {
    return std::any_of(unknowns.begin(), unknowns.end(),
                       [](const ExerciseUnknown& u) { return u.range.has_value(); });
}

namespace {

std::string fitNames() {
    std::string names;
    for (int k = 0; k < kFitValueCount; ++k)
        names += (k ? ", " : "") + std::string(fitValueName(static_cast<FitValue>(k)));
    return names + "; beaker1.c, beaker1.pK1, burette1.c...";
}

// A value of the fit of a titration study, or of a free study's row (written as the free
// study's fit writes it, "beaker1.c", "burette2.pK1"); none for anything else.
std::optional<std::string> valueName(const std::string& name) {
    if (fitValueFromName(name)) return name;
    if (const std::optional<FreeRowValue> row = freeRowValueFromName(name))
        return freeRowValueName(*row);
    return std::nullopt;
}

std::vector<ExerciseUnknown> readUnknowns(const Place& top) {
    const Language language = top.language();
    const Json& list = top.list("unknowns", kFitValueCount, true);
    if (list.empty()) top.refuse("unknowns", texts::expectedList(kFitValueCount, language));
    std::vector<ExerciseUnknown> unknowns;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Place one = top.item("unknowns", list, k);
        ExerciseUnknown u;
        const std::optional<std::string> name = valueName(one.text("name", 40));
        u.name = name.value_or(std::string());
        const bool repeated =
            std::any_of(unknowns.begin(), unknowns.end(),
                        [&](const ExerciseUnknown& o) { return o.name == u.name; });
        if (!name || repeated) one.refuse("name", texts::expectedFitName(fitNames(), language));
        if (const Json* range = one.find("range")) {
            if (!range->is_array() || range->size() != 2 || !(*range)[0].is_number() ||
                !(*range)[1].is_number())
                one.refuse("range", texts::kExpectedRange.in(language));
            const double low = (*range)[0].get<double>(), high = (*range)[1].get<double>();
            if (!std::isfinite(low) || !std::isfinite(high) || !(low < high))
                one.refuse("range", texts::kExpectedRange.in(language));
            u.range = std::pair{low, high};
        }
        unknowns.push_back(std::move(u));
    }
    return unknowns;
}

// Student names become file names: no folder separators, no control characters, no two alike.
bool usableStudentName(const std::string& name, const std::vector<std::string>& before) {
    if (name.empty() || name.size() > kMaxExerciseName || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    return std::find(before.begin(), before.end(), name) == before.end();
}

std::vector<std::string> readStudents(const Place& top) {
    const Json& list = top.list("students", kMaxExerciseStudents, false);
    std::vector<std::string> students;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::string key = "students." + std::to_string(k + 1);
        if (!list[k].is_string() ||
            !usableStudentName(list[k].get_ref<const std::string&>(), students))
            top.refuse(key, texts::kExpectedStudentName.in(top.language()));
        students.push_back(list[k].get<std::string>());
    }
    return students;
}

ExerciseTolerance readTolerance(const Place& question) {
    const Json& t = question.need("tolerance");
    ExerciseTolerance tolerance;
    if (t.is_number()) {
        tolerance.value = t.get<double>();
    } else if (t.is_string() && t.get_ref<const std::string&>().size() >= 2 &&
               t.get_ref<const std::string&>().back() == '%') {
        const std::string& s = t.get_ref<const std::string&>();
        const BoundedNumber n =
            ParseBoundedNumber(std::string_view(s).substr(0, s.size() - 1), 0, 100);
        tolerance.value = n.ok ? n.value : -1;
        tolerance.relative = true;
    } else {
        tolerance.value = -1;
    }
    if (!(tolerance.value >= 0) || !std::isfinite(tolerance.value))
        question.refuse("tolerance", texts::kExpectedTolerance.in(question.language()));
    return tolerance;
}

// The equivalence questions: VE1..VE3 and pHE1..pHE3.
bool isEquivalenceName(const std::string& name) {
    for (const char* prefix : {"VE", "pHE"})
        for (char k = '1'; k <= '3'; ++k)
            if (name == prefix + std::string(1, k)) return true;
    return false;
}

std::vector<ExerciseQuestion> readQuestions(const Place& top,
                                            const std::vector<ExerciseUnknown>& unknowns) {
    const Language language = top.language();
    const Json& list = top.list("questions", kMaxExerciseQuestions, true);
    if (list.empty()) top.refuse("questions", texts::expectedList(kMaxExerciseQuestions, language));
    std::vector<ExerciseQuestion> questions;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Place one = top.item("questions", list, k);
        ExerciseQuestion q;
        q.name = one.text("name", 40);
        if (const std::optional<std::string> name = valueName(q.name)) q.name = *name;
        const bool unknown =
            std::any_of(unknowns.begin(), unknowns.end(),
                        [&](const ExerciseUnknown& u) { return u.name == q.name; });
        const bool repeated =
            std::any_of(questions.begin(), questions.end(),
                        [&](const ExerciseQuestion& o) { return o.name == q.name; });
        if ((!unknown && !isEquivalenceName(q.name)) || repeated)
            one.refuse("name", texts::kExpectedQuestionName.in(language));
        q.tolerance = readTolerance(one);
        q.points = one.number("points", 0, 1000, texts::kExpectedPoints, 1.0);
        questions.push_back(std::move(q));
    }
    return questions;
}

void readMeasurement(const Place& top, ExerciseDescription& description) {
    const Language language = top.language();
    const Place volumes = top.object("volumes", true);
    description.fromMl = volumes.number("from", 0, 1000, texts::kExpectedVolumes);
    description.toMl = volumes.number("to", 0, 1000, texts::kExpectedVolumes);
    description.stepMl = volumes.number("step", 0, 1000, texts::kExpectedVolumes);
    if (!(description.toMl > description.fromMl))
        volumes.refuse("to", texts::kExpectedVolumes.in(language));
    if (!(description.stepMl > 0) ||
        (description.toMl - description.fromMl) / description.stepMl + 1 >
            static_cast<double>(kMaxExerciseVolumes))
        volumes.refuse("step", texts::kExpectedVolumes.in(language));
    const Place noise = top.object("noise", false);
    description.sigmaPH = noise.number("pH", 0, 1, texts::kExpectedNoise, 0.02);
    description.sigmaVolumeMl = noise.number("volume", 0, 1, texts::kExpectedNoise, 0.02);
    description.conductivity = top.boolean("conductivity", false);
    if (const Json* seed = top.find("seed")) {
        if (!seed->is_number_unsigned()) top.refuse("seed", texts::kExpectedSeed.in(language));
        description.seed = seed->get<std::uint64_t>();
    }
}

std::vector<ExerciseTool> readTools(const Place& top) {
    const Json& list = top.list("tools", 3, false);
    std::vector<ExerciseTool> tools;
    const auto& names = exerciseToolNames();
    for (std::size_t k = 0; k < list.size(); ++k) {
        const auto it = list[k].is_string()
                            ? std::find(names.begin(), names.end(), list[k].get<std::string>())
                            : names.end();
        if (it == names.end())
            top.refuse("tools." + std::to_string(k + 1), texts::choicesText(names, top.language()));
        const auto tool = static_cast<ExerciseTool>(it - names.begin());
        if (std::find(tools.begin(), tools.end(), tool) == tools.end()) tools.push_back(tool);
    }
    return tools;
}

} // namespace

ExerciseDescriptionReading readExerciseDescription(std::string_view text, Language language) {
    ExerciseDescriptionReading reading;
    try {
        const Json root = parseObject(text, kMaxExerciseFileBytes, language);
        const Place top(root, "", language);
        ExerciseDescription description;
        description.study = top.text("study", 4096);
        if (description.study.empty()) top.refuse("study", texts::kExpectedText.in(language));
        description.unknowns = readUnknowns(top);
        description.students = readStudents(top);
        if (description.hasRange() && description.students.empty())
            top.refuse("students", texts::kExpectedStudents.in(language));
        readMeasurement(top, description);
        description.questions = readQuestions(top, description.unknowns);
        description.tools = readTools(top);
        description.title = top.text("title", kMaxExerciseName, std::string());
        description.text = top.text("text", kMaxExerciseText, std::string());
        description.out = top.text("out", 4096, std::string("."));
        if (description.out.empty()) description.out = ".";
        reading.description = std::move(description);
    } catch (const Refusal& refusal) {
        reading.problem = refusal.problem;
    } catch (const std::exception&) {
        reading.problem = texts::kNotJsonObject.in(language);
    }
    return reading;
}

} // namespace titralab
