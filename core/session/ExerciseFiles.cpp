// The exercise section of student files and the key file: their JSON text, their bounded
// readers, and the keyed checksum that ties a student file's measured points to the key.
#include "core/session/Exercise.h"

#include "core/curves/FreeFit.h"
#include "core/session/ExerciseJson.h"
#include "core/session/StudyNames.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <array>

namespace titralab {

using namespace exercisejson;
using OrderedJson = nlohmann::ordered_json;

namespace {

std::string versionText() {
    return std::to_string(kExerciseFormatMajor) + "." + std::to_string(kExerciseFormatMinor);
}

// The format's version: the major one this program reads; a later minor one opens.
void checkVersion(const Place& place, const std::string& key) {
    const std::string version = place.text(key, 20);
    const std::string major = std::to_string(kExerciseFormatMajor) + ".";
    if (version.compare(0, major.size(), major) != 0)
        throw Refusal{texts::unknownVersion(printableText(version), place.language())};
}

std::vector<ExerciseTool> readToolList(const Place& place) {
    const auto& names = exerciseToolNames();
    const Json& list = place.list("tools", names.size(), false);
    std::vector<ExerciseTool> tools;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const auto it = list[k].is_string()
                            ? std::find(names.begin(), names.end(), list[k].get<std::string>())
                            : names.end();
        if (it == names.end())
            place.refuse("tools." + std::to_string(k + 1),
                         texts::choicesText(names, place.language()));
        tools.push_back(static_cast<ExerciseTool>(it - names.begin()));
    }
    return tools;
}

std::string hex(const unsigned char* bytes, std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t k = 0; k < count; ++k) {
        out += digits[bytes[k] >> 4];
        out += digits[bytes[k] & 15];
    }
    return out;
}

std::vector<unsigned char> bytesOfHex(const std::string& text) {
    std::vector<unsigned char> out;
    auto value = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    for (std::size_t k = 0; k + 1 < text.size(); k += 2)
        out.push_back(static_cast<unsigned char>(value(text[k]) * 16 + value(text[k + 1])));
    return out;
}

} // namespace

std::string exerciseSectionText(const ExerciseSection& s) {
    OrderedJson root;
    root["format_version"] = versionText();
    root["exercise"] = s.exercise;
    root["identifier"] = s.identifier;
    root["title"] = s.title;
    root["text"] = s.text;
    OrderedJson questions = OrderedJson::array();
    for (const auto& [name, points] : s.questions)
        questions.push_back({{"name", name}, {"points", points}});
    root["questions"] = questions;
    OrderedJson tools = OrderedJson::array();
    for (ExerciseTool t : s.tools) tools.push_back(exerciseToolNames()[static_cast<int>(t)]);
    root["tools"] = tools;
    root["locked"] = s.locked;
    root["student"] = s.student;
    OrderedJson answers = OrderedJson::object();
    for (const auto& [name, answer] : s.answers) answers[name] = answer;
    root["answers"] = answers;
    root["checksum"] = s.checksum;
    return root.dump(-1, ' ', false, Json::error_handler_t::replace);
}

ExerciseSectionReading readExerciseSection(std::string_view json, Language language) {
    ExerciseSectionReading reading;
    try {
        const Json root = Json::parse(json.begin(), json.end(), nullptr, false);
        if (root.is_discarded())
            throw Refusal{
                texts::badValue(kExerciseSection, texts::kExpectedSection.in(language), language)};
        const Place top(root, kExerciseSection, language);
        checkVersion(top, "format_version");
        ExerciseSection s;
        s.exercise = top.text("exercise", 64);
        if (!isIdentifier(s.exercise))
            top.refuse("exercise", texts::kExpectedIdentifier.in(language));
        s.identifier = top.text("identifier", 64);
        if (!isIdentifier(s.identifier))
            top.refuse("identifier", texts::kExpectedIdentifier.in(language));
        s.title = top.text("title", kMaxExerciseName, std::string());
        s.text = top.text("text", kMaxExerciseText, std::string());
        const Json& questions = top.list("questions", kMaxExerciseQuestions, true);
        for (std::size_t k = 0; k < questions.size(); ++k) {
            const Place q = top.item("questions", questions, k);
            s.questions.emplace_back(q.text("name", 40),
                                     q.number("points", 0, 1000, texts::kExpectedPoints, 1.0));
        }
        s.tools = readToolList(top);
        const Json& locked = top.list("locked", kFields.size(), false);
        for (std::size_t k = 0; k < locked.size(); ++k) {
            // A panel field's key, or a free study's row value.
            if (!locked[k].is_string() || (!fieldOfKey(locked[k].get<std::string>()) &&
                                           !freeRowValueFromName(locked[k].get<std::string>())))
                top.refuse("locked." + std::to_string(k + 1),
                           texts::choicesText(studyfile::fieldKeys(true), language));
            s.locked.push_back(locked[k].get<std::string>());
        }
        s.student = top.text("student", kMaxExerciseName, std::string());
        const Place answers = top.object("answers", false);
        const Json* answerObject = top.find("answers");
        if (answerObject)
            for (const auto& item : answerObject->items()) {
                const bool asked =
                    std::any_of(s.questions.begin(), s.questions.end(),
                                [&](const auto& q) { return q.first == item.key(); });
                if (!asked) answers.refuse(item.key(), texts::kExpectedQuestionName.in(language));
                s.answers.emplace_back(item.key(), answers.text(item.key(), kMaxExerciseName));
            }
        s.checksum = top.text("checksum", 64);
        if (!isHexDigits(s.checksum, 64))
            top.refuse("checksum", texts::kExpectedHexKey.in(language));
        reading.section = std::move(s);
    } catch (const Refusal& refusal) {
        reading.problem = refusal.problem;
    } catch (const std::exception&) {
        reading.problem =
            texts::badValue(kExerciseSection, texts::kExpectedSection.in(language), language);
    }
    return reading;
}

std::optional<ExerciseSection> exerciseOf(const StudyRecord& record) {
    const auto it = record.sections.find(kExerciseSection);
    if (it == record.sections.end()) return std::nullopt;
    return readExerciseSection(it->second, Language::English).section;
}

std::string exerciseKeyText(const ExerciseKey& key) {
    OrderedJson root;
    root["format"] = kExerciseKeyFormatName;
    root["format_version"] = versionText();
    root["exercise"] = key.exercise;
    root["secret"] = key.secret;
    root["title"] = key.title;
    OrderedJson questions = OrderedJson::array();
    for (const ExerciseQuestion& q : key.questions) {
        OrderedJson one;
        one["name"] = q.name;
        if (q.tolerance.relative)
            one["tolerance_percent"] = q.tolerance.value;
        else
            one["tolerance"] = q.tolerance.value;
        one["points"] = q.points;
        questions.push_back(one);
    }
    root["questions"] = questions;
    OrderedJson files = OrderedJson::array();
    for (const ExerciseKeyFile& f : key.files) {
        OrderedJson values = OrderedJson::object();
        for (const auto& [name, value] : f.values) values[name] = value;
        files.push_back({{"file", f.file},
                         {"identifier", f.identifier},
                         {"student", f.student},
                         {"values", values}});
    }
    root["files"] = files;
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

ExerciseKeyReading readExerciseKey(std::string_view text, Language language) {
    ExerciseKeyReading reading;
    try {
        const Json root = parseObject(text, kMaxExerciseFileBytes, language);
        const Place top(root, "", language);
        if (top.text("format", 64) != kExerciseKeyFormatName)
            top.refuse("format", std::string("“") + kExerciseKeyFormatName + "”");
        checkVersion(top, "format_version");
        ExerciseKey key;
        key.exercise = top.text("exercise", 64);
        if (!isIdentifier(key.exercise))
            top.refuse("exercise", texts::kExpectedIdentifier.in(language));
        key.secret = top.text("secret", 64);
        if (!isHexDigits(key.secret, 64)) top.refuse("secret", texts::kExpectedHexKey.in(language));
        key.title = top.text("title", kMaxExerciseName, std::string());
        const Json& questions = top.list("questions", kMaxExerciseQuestions, true);
        for (std::size_t k = 0; k < questions.size(); ++k) {
            const Place one = top.item("questions", questions, k);
            ExerciseQuestion q;
            q.name = one.text("name", 40);
            q.tolerance.relative = one.find("tolerance_percent") != nullptr;
            q.tolerance.value = one.number(q.tolerance.relative ? "tolerance_percent" : "tolerance",
                                           0, 1e300, texts::kExpectedTolerance);
            q.points = one.number("points", 0, 1000, texts::kExpectedPoints);
            key.questions.push_back(std::move(q));
        }
        const Json& files = top.list("files", kMaxExerciseStudents, true);
        for (std::size_t k = 0; k < files.size(); ++k) {
            const Place one = top.item("files", files, k);
            ExerciseKeyFile f;
            f.file = one.text("file", 4096);
            f.identifier = one.text("identifier", 64);
            if (!isIdentifier(f.identifier))
                one.refuse("identifier", texts::kExpectedIdentifier.in(language));
            f.student = one.text("student", kMaxExerciseName, std::string());
            const Place values = one.object("values", true);
            for (const ExerciseQuestion& q : key.questions)
                f.values.emplace_back(q.name,
                                      values.number(q.name, -1e300, 1e300, texts::kExpectedNumber));
            key.files.push_back(std::move(f));
        }
        reading.key = std::move(key);
    } catch (const Refusal& refusal) {
        reading.problem = refusal.problem;
    } catch (const std::exception&) {
        reading.problem = texts::kNotJsonObject.in(language);
    }
    return reading;
}

std::string measuredPointsChecksum(const std::string& secretHex, const std::string& exercise,
                                   const std::string& identifier, const StudyRecord& record) {
    // The message: the identifiers and the points as JSON (the lines as written, the
    // conductivities as the shortest text that reads back the same double).
    Json conductivity = Json::array();
    for (const auto& [v, sigma] : record.measuredConductivity) conductivity.push_back({v, sigma});
    const std::string message =
        Json::array({exercise, identifier, record.pastedLines, record.pasteOrder,
                     record.pastedInMillilitres ? Json(*record.pastedInMillilitres) : Json(),
                     conductivity})
            .dump(-1, ' ', false, Json::error_handler_t::replace);
    const std::vector<unsigned char> secret = bytesOfHex(secretHex);
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (!HMAC(EVP_sha256(), secret.data(), static_cast<int>(secret.size()),
              reinterpret_cast<const unsigned char*>(message.data()), message.size(), digest.data(),
              &length))
        return {};
    return hex(digest.data(), length);
}

} // namespace titralab
