// Reading the JSON of exercises (descriptions, student sections, keys): every value checked,
// the first problem naming its key. Used by the exercise's sources alone.
#pragma once

#include "core/session/StudyRecord.h"
#include "core/texts/ExerciseTexts.h"
#include "core/texts/StudyTexts.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace titralab::exercisejson {

using Json = nlohmann::json;

struct Refusal {
    std::string problem;
};

// The values of one object, named path.key in refusals.
class Place {
  public:
    Place(const Json& object, std::string path, Language language)
        : m_object(object), m_path(std::move(path)), m_language(language) {
        if (!m_object.is_object())
            throw Refusal{texts::badValue(m_path.empty() ? "?" : m_path,
                                          texts::kExpectedSection.in(language), language)};
    }

    std::string name(const std::string& key) const {
        return printableText(m_path.empty() ? key : m_path + "." + key);
    }
    Language language() const { return m_language; }
    const Json* find(const std::string& key) const {
        const auto it = m_object.find(key);
        return it == m_object.end() ? nullptr : &*it;
    }
    const Json& need(const std::string& key) const {
        const Json* v = find(key);
        if (!v) throw Refusal{texts::missingKey(name(key), m_language)};
        return *v;
    }
    [[noreturn]] void refuse(const std::string& key, const std::string& expected) const {
        throw Refusal{texts::badValue(name(key), expected, m_language)};
    }

    std::string text(const std::string& key, std::size_t maxLength,
                     std::optional<std::string> fallback = std::nullopt) const {
        const Json* v = fallback ? find(key) : &need(key);
        if (!v) return *fallback;
        if (!v->is_string() || v->get_ref<const std::string&>().size() > maxLength)
            refuse(key, texts::kExpectedText.in(m_language));
        return v->get<std::string>();
    }
    double number(const std::string& key, double low, double high, const Text& expected,
                  std::optional<double> fallback = std::nullopt) const {
        const Json* v = fallback ? find(key) : &need(key);
        if (!v) return *fallback;
        if (!v->is_number() || !std::isfinite(v->get<double>()) || v->get<double>() < low ||
            v->get<double>() > high)
            refuse(key, expected.in(m_language));
        return v->get<double>();
    }
    bool boolean(const std::string& key, bool fallback) const {
        const Json* v = find(key);
        if (!v) return fallback;
        if (!v->is_boolean()) refuse(key, texts::kExpectedBoolean.in(m_language));
        return v->get<bool>();
    }
    const Json& list(const std::string& key, std::size_t maxCount, bool required) const {
        static const Json empty = Json::array();
        const Json* v = required ? &need(key) : find(key);
        if (!v) return empty;
        if (!v->is_array() || v->size() > maxCount)
            refuse(key, texts::expectedList(static_cast<int>(maxCount), m_language));
        return *v;
    }
    Place object(const std::string& key, bool required) const {
        static const Json empty = Json::object();
        const Json* v = required ? &need(key) : find(key);
        return Place(v ? *v : empty, m_path.empty() ? key : m_path + "." + key, m_language);
    }
    // Item k (from 0) of a list, as an object named path.key.(k+1).
    Place item(const std::string& key, const Json& list, std::size_t k) const {
        return Place(list[k],
                     (m_path.empty() ? key : m_path + "." + key) + "." + std::to_string(k + 1),
                     m_language);
    }

  private:
    const Json& m_object;
    std::string m_path;
    Language m_language;
};

// Parses bounded JSON text; a refusal for anything that is not one JSON object.
inline Json parseObject(std::string_view text, std::size_t maxBytes, Language language) {
    if (text.size() > maxBytes) throw Refusal{texts::kTooLarge.in(language)};
    // Depth bounded before the parser recurses.
    int depth = 0;
    bool inString = false, escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > kMaxStudyDepth) throw Refusal{texts::kTooDeep.in(language)};
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    Json root = Json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded() || !root.is_object()) throw Refusal{texts::kNotJsonObject.in(language)};
    return root;
}

// The secret (lowercase hexadecimal) and the identifiers the program writes.
inline bool isHexDigits(const std::string& s, std::size_t count) {
    if (s.size() != count) return false;
    for (const char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}
inline bool isIdentifier(const std::string& s) {
    if (s.empty() || s.size() > 64) return false;
    for (const char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              c == '-'))
            return false;
    return true;
}

} // namespace titralab::exercisejson
