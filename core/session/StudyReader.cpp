// The bounded reader of a study's JSON text: every value checked, the first problem named.
#include "core/session/StudyRecord.h"

#include "core/chemistry/Database.h"
#include "core/session/Exercise.h"
#include "core/session/FreeStudy.h"
#include "core/session/StudyNames.h"
#include "core/sheets/MeasurementFile.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/StudyTexts.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

namespace titralab {

using namespace studyfile;
using Json = nlohmann::json;

namespace {

// A refusal met while reading: the first problem ends the reading.
struct Refusal {
    std::string problem;
};

// The keys a file holds that this program does not know: the first few by name, all counted.
struct UnknownKeys {
    std::vector<std::string> named;
    std::size_t count{0};
    void add(const std::string& name) {
        if (++count <= kNamedSkippedKeys) named.push_back(printableText(name));
    }
};

// Reads the values of one object, remembering the keys it does not know.
class Section {
  public:
    Section(const Json& object, std::string path, UnknownKeys& unknown,
            std::initializer_list<const char*> known, Language language)
        : Section(object, std::move(path), unknown,
                  std::vector<std::string>(known.begin(), known.end()), language) {}
    Section(const Json& object, std::string path, UnknownKeys& unknown,
            const std::vector<std::string>& known, Language language)
        : m_object(object), m_path(std::move(path)), m_language(language) {
        for (const auto& item : object.items()) {
            const bool isKnown = std::any_of(known.begin(), known.end(),
                                             [&](const std::string& k) { return item.key() == k; });
            if (!isKnown) unknown.add(name(item.key()));
        }
    }

    std::string name(const std::string& key) const {
        return m_path.empty() ? key : m_path + "." + key;
    }
    const Json* find(const std::string& key) const {
        const auto it = m_object.find(key);
        return it == m_object.end() ? nullptr : &*it;
    }

    std::string text(const std::string& key, const std::string& fallback) const {
        const Json* v = find(key);
        if (!v) return fallback;
        if (!v->is_string())
            throw Refusal{
                texts::badValue(name(key), texts::kExpectedText.in(m_language), m_language)};
        const auto& s = v->get_ref<const std::string&>();
        if (s.size() > kMaxStudyTextLength)
            throw Refusal{
                texts::badValue(name(key), texts::kExpectedShortText.in(m_language), m_language)};
        return s;
    }
    int integer(const std::string& key, int low, int high, int fallback) const {
        const Json* v = find(key);
        if (!v) return fallback;
        const std::string expected = texts::expectedInteger(low, high, m_language);
        if (!v->is_number_integer())
            throw Refusal{texts::badValue(name(key), expected, m_language)};
        const auto n = v->get<long long>();
        if (n < low || n > high) throw Refusal{texts::badValue(name(key), expected, m_language)};
        return static_cast<int>(n);
    }
    bool boolean(const std::string& key, bool fallback) const {
        const Json* v = find(key);
        if (!v) return fallback;
        if (!v->is_boolean())
            throw Refusal{
                texts::badValue(name(key), texts::kExpectedBoolean.in(m_language), m_language)};
        return v->get<bool>();
    }
    int choice(const std::string& key, const std::vector<std::string>& names, int fallback) const {
        const Json* v = find(key);
        if (!v) return fallback;
        if (v->is_string()) {
            const auto it = std::find(names.begin(), names.end(), v->get<std::string>());
            if (it != names.end()) return static_cast<int>(it - names.begin());
        }
        throw Refusal{
            texts::badValue(name(key), texts::choicesText(names, m_language), m_language)};
    }
    const Json& object(const std::string& key) const {
        static const Json empty = Json::object();
        const Json* v = find(key);
        if (!v) return empty;
        if (!v->is_object())
            throw Refusal{
                texts::badValue(name(key), texts::kExpectedSection.in(m_language), m_language)};
        return *v;
    }
    const Json& array(const std::string& key, std::size_t maxCount) const {
        static const Json empty = Json::array();
        const Json* v = find(key);
        if (!v) return empty;
        if (!v->is_array() || v->size() > maxCount)
            throw Refusal{texts::badValue(
                name(key), texts::expectedList(static_cast<int>(maxCount), m_language),
                m_language)};
        return *v;
    }

  private:
    const Json& m_object;
    std::string m_path;
    Language m_language;
};

// Nesting depth and raw control characters, checked before the parser sees the text.
std::optional<std::string> precheck(std::string_view text, Language language) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    bool blank = true;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return std::string(texts::kBinary.in(language));
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') blank = false;
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '{' || c == '[') {
            if (++depth > kMaxStudyDepth) return std::string(texts::kTooDeep.in(language));
        } else if (c == '}' || c == ']')
            --depth;
    }
    if (blank) return std::string(texts::kEmptyFile.in(language));
    return std::nullopt;
}

int lineOf(std::string_view text, std::size_t byte) {
    const std::size_t end = std::min(byte, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + end, '\n'));
}

// "1.0" -> (1, 0); none for anything else.
std::optional<std::pair<int, int>> parseVersion(const std::string& v) {
    const std::size_t dot = v.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == v.size() || v.size() > 9)
        return std::nullopt;
    for (std::size_t k = 0; k < v.size(); ++k)
        if (k != dot && (v[k] < '0' || v[k] > '9')) return std::nullopt;
    return std::pair{std::stoi(v.substr(0, dot)), std::stoi(v.substr(dot + 1))};
}

// The conditions of the solutions (of the study, or of a kept curve): a temperature in °C
// within the range of the constants, and the activities; either missing keeps the default.
Conditions readConditionsOf(const Section& parent, const std::string& path, UnknownKeys& unknown,
                            Language language) {
    const Section conditions(parent.object("conditions"), path, unknown,
                             {"temperature", "activities"}, language);
    Conditions out;
    if (const Json* t = conditions.find("temperature")) {
        if (!t->is_number() || !(t->get<double>() >= kMinTemperature) ||
            !(t->get<double>() <= kMaxTemperature))
            throw Refusal{texts::badValue(conditions.name("temperature"),
                                          texts::kExpectedTemperature.in(language), language)};
        out.temperature = t->get<double>();
    }
    out.activities =
        static_cast<ActivityModel>(conditions.choice("activities", kActivityNames, 0));
    return out;
}

// One frozen curve: the values it was computed from and the series it kept.
OverlayCurve readFrozenCurve(const Json& item, const std::string& path, UnknownKeys& unknown,
                             Language language) {
    if (!item.is_object())
        throw Refusal{texts::badValue(path, texts::kExpectedSection.in(language), language)};
    const Section curve(item, path, unknown,
                        {"side", "study", "row1", "row2", "entry_name", "fields", "series",
                         "conditions"},
                        language);
    OverlayCurve c;
    c.inputs.side =
        curve.choice("side", kSideNames, 1) == 2 ? BuretteSide::BaseSide : BuretteSide::AcidSide;
    c.inputs.study = static_cast<Study>(curve.choice("study", kStudyNames, 1) - 1);
    if (c.inputs.study == Study::None)
        throw Refusal{
            texts::badValue(path + ".study", texts::choicesText(kStudyNames, language), language)};
    c.inputs.row1 = curve.integer("row1", 1, kAcidCount, 1);
    c.inputs.row2 = curve.integer("row2", 1, kAcidCount, 1);
    c.inputs.entryName = curve.text("entry_name", "");
    c.inputs.conditions = readConditionsOf(curve, path + ".conditions", unknown, language);
    // The fields the curve used, with the values it read from them.
    const Json& fields = curve.object("fields");
    const Section values(fields, path + ".fields", unknown, fieldKeys(true), language);
    for (Field f : kFields) {
        if (!isChemistryField(f)) continue;
        const Json* v = values.find(fieldKey(f));
        if (!v) continue;
        if (!v->is_number())
            throw Refusal{texts::badValue(values.name(fieldKey(f)),
                                          texts::kExpectedNumber.in(language), language)};
        c.inputs.values[slot(f)] = v->get<double>();
        c.inputs.used[slot(f)] = true;
    }
    const Json& series = curve.array("series", 8);
    for (std::size_t k = 0; k < series.size(); ++k) {
        const std::string seriesPath = path + ".series." + std::to_string(k + 1);
        if (!series[k].is_object())
            throw Refusal{
                texts::badValue(seriesPath, texts::kExpectedSection.in(language), language)};
        const Section one(series[k], seriesPath, unknown, {"number", "points"}, language);
        const int number = one.integer("number", 1, 8, 1);
        const Json* points = one.find("points");
        const std::string pointsKey = one.name("points");
        auto refuse = [&] {
            return Refusal{
                texts::badValue(pointsKey, texts::kExpectedCurvePoints.in(language), language)};
        };
        if (points && (!points->is_array() || points->size() > kMaxStudyCurvePoints))
            throw refuse();
        Series kept;
        if (points)
            for (const Json& p : *points) {
                if (!p.is_array() || p.size() != 2 || !p[0].is_number() || !p[1].is_number())
                    throw refuse();
                kept.push_back({p[0].get<double>(), p[1].get<double>()});
            }
        c.series.emplace_back(number, std::move(kept));
    }
    return c;
}

// The top-level sections this program reads.
constexpr std::initializer_list<const char*> kKnownSections{
    "format", "format_version", "panel",    "graph",         "pasted",
    "print",  "copy",           "readings", "frozen_curves", "conditions"};

bool knownSection(const std::string& key) {
    return std::any_of(kKnownSections.begin(), kKnownSections.end(),
                       [&](const char* k) { return key == k; });
}

// Sections of other features stay with the record; the keys counted unknown by the top
// section are reported only when the file comes from a later version.
void readOtherSections(const Json& root, StudyRecord& r, Language language) {
    std::size_t extra = 0;
    for (const auto& item : root.items()) {
        if (knownSection(item.key())) continue;
        if (++extra > kMaxStudySections)
            throw Refusal{texts::badValue(
                "sections", texts::expectedSections(static_cast<int>(kMaxStudySections), language),
                language)};
        r.sections[item.key()] = item.value().dump();
    }
    // The free study's section is checked here, so that a damaged one refuses the file.
    const auto solution = r.sections.find(kSolutionSection);
    if (solution != r.sections.end()) {
        const SolutionSectionReading read = readSolutionSection(solution->second, language);
        if (!read.inputs) throw Refusal{read.problem};
    }
    // So is an exercise's, naming the key at fault.
    const auto exercise = r.sections.find(kExerciseSection);
    if (exercise != r.sections.end()) {
        const ExerciseSectionReading read = readExerciseSection(exercise->second, language);
        if (!read.section) throw Refusal{read.problem};
    }
}

// The panel: side, study, base, fields, the loaded entry and the database browser.
void readPanel(const Section& top, StudyRecord& r, UnknownKeys& unknown, Language language) {
    const StudyRecord defaults{};
    const Section panel(top.object("panel"), "panel", unknown,
                        {"side", "study", "strong_base", "fields", "entry_name", "database"},
                        language);
    r.sideChoice = panel.choice("side", kSideNames, 0) - 1;
    r.study = static_cast<Study>(panel.choice("study", kStudyNames, 0) - 1);
    if (r.sideChoice < 0 && r.study != Study::None)
        throw Refusal{
            texts::badValue("panel.study", texts::kExpectedNoStudy.in(language), language)};
    r.baseKind = static_cast<BaseKind>(panel.choice("strong_base", kBaseKindNames, 0));
    const PanelFields design = PanelFields::atDesign();
    {
        const Section fields(panel.object("fields"), "panel.fields", unknown, fieldKeys(false),
                             language);
        for (Field f : kFields) r.fields[slot(f)] = fields.text(fieldKey(f), design.at(f));
    }
    r.entryName = panel.text("entry_name", defaults.entryName);
    const Section db(panel.object("database"), "panel.database", unknown,
                     {"acid_entry", "base_entry", "row1", "row2", "target"}, language);
    r.currentAcidEntry = db.integer("acid_entry", 1, kAcidCount, 1);
    r.currentBaseEntry = db.integer("base_entry", 1, kBaseCount, 1);
    r.row1 = db.integer("row1", 1, kAcidCount, 1);
    r.row2 = db.integer("row2", 1, kAcidCount, 1);
    r.target = db.integer("target", 0, 2, 1);
}

// The graph window's boxes and number of points, the pasted measurements.
void readGraphAndPasted(const Section& top, StudyRecord& r, UnknownKeys& unknown,
                        Language language) {
    const StudyRecord defaults{};
    const Section graph(top.object("graph"), "graph", unknown, {"ticked", "points"}, language);
    if (graph.find("ticked")) {
        for (const Json& item : graph.array("ticked", 10)) {
            if (!item.is_number_integer() || item.get<long long>() < 1 ||
                item.get<long long>() > 10)
                throw Refusal{texts::badValue("graph.ticked",
                                              texts::kExpectedBoxNumbers.in(language), language)};
            r.ticked[item.get<int>() - 1] = true;
        }
    } else {
        r.ticked[9] = r.study != Study::SpeciesVsPH; // as a study choice leaves the boxes
    }
    r.pointCount = graph.text("points", defaults.pointCount);

    const Section pasted(top.object("pasted"), "pasted", unknown,
                         {"order", "lines", "point_style", "volume_unit", "conductivity"},
                         language);
    r.pasteOrder = pasted.choice("order", kOrderNames, 1) == 1;
    for (const Json& item : pasted.array("lines", kMaxStudyPastedLines)) {
        if (!item.is_string() || item.get_ref<const std::string&>().size() > kMaxStudyTextLength)
            throw Refusal{texts::badValue("pasted.lines", texts::kExpectedPastedLines.in(language),
                                          language)};
        r.pastedLines.push_back(item.get<std::string>());
    }
    r.pointStyle = static_cast<PointStyle>(
        pasted.integer("point_style", 0, kPointStyleCount - 1, static_cast<int>(r.pointStyle)));
    if (pasted.find("volume_unit"))
        r.pastedInMillilitres = pasted.choice("volume_unit", kVolumeUnitNames, 0) == 1;
    // Imported conductivities: [volume in L, conductivity in S/m] pairs.
    for (const Json& p : pasted.array("conductivity", sheets::kMaxMeasurementRows)) {
        if (!p.is_array() || p.size() != 2 || !p[0].is_number() || !p[1].is_number())
            throw Refusal{texts::badValue(pasted.name("conductivity"),
                                          texts::kExpectedConductivityPoints.in(language),
                                          language)};
        r.measuredConductivity.emplace_back(p[0].get<double>(), p[1].get<double>());
    }
}

PrintSettings readPrint(const Section& top, UnknownKeys& unknown, Language language) {
    PrintSettings settings;
    const Section print(top.object("print"), "print", unknown,
                        {"line_width", "dash_length", "char_size", "graduations", "zoom_x2",
                         "constants", "colour", "arrows", "grid", "format", "comment1", "comment2"},
                        language);
    const PrintSettings p0{};
    settings.lineWidth = print.text("line_width", p0.lineWidth);
    settings.dashLengthMm = print.text("dash_length", p0.dashLengthMm);
    settings.charSize = print.text("char_size", p0.charSize);
    settings.approxGraduations = print.text("graduations", p0.approxGraduations);
    settings.zoomX2 = print.boolean("zoom_x2", p0.zoomX2);
    settings.printConstants = print.boolean("constants", p0.printConstants);
    settings.printInColour = print.boolean("colour", p0.printInColour);
    settings.axisArrows = print.boolean("arrows", p0.axisArrows);
    settings.printGrid = print.boolean("grid", p0.printGrid);
    settings.format =
        static_cast<PageFormat>(print.choice("format", kFormatNames, static_cast<int>(p0.format)));
    settings.comment1 = print.text("comment1", p0.comment1);
    settings.comment2 = print.text("comment2", p0.comment2);

    return settings;
}

// The copy's sampling and numbers, the graph window's reading controls.
void readCopyAndReadings(const Section& top, StudyRecord& r, UnknownKeys& unknown,
                         Language language) {
    const Section copy(top.object("copy"), "copy", unknown, {"sampling", "decimal", "digits"},
                       language);
    r.copySampling = static_cast<CopySampling>(copy.choice("sampling", kSamplingNames, 0));
    r.decimalComma = copy.choice("decimal", kSeparatorNames, 1) == 1;
    r.exportDigits = copy.integer("digits", 5, 17, 5);

    const Section readings(top.object("readings"), "readings", unknown,
                           {"equivalences", "derivative", "legend", "indicator", "buffer_capacity"},
                           language);
    const ReadingOptions o0{};
    r.reading.equivalences = readings.boolean("equivalences", o0.equivalences);
    r.reading.derivative = readings.boolean("derivative", o0.derivative);
    r.reading.legend = readings.boolean("legend", o0.legend);
    r.bufferCapacity = readings.boolean("buffer_capacity", false);
    const std::string indicator = readings.text("indicator", "");
    if (!indicator.empty()) {
        const std::optional<int> found = findIndicator(indicator);
        if (!found)
            throw Refusal{texts::badValue("readings.indicator",
                                          texts::kExpectedIndicator.in(language), language)};
        r.reading.indicator = *found;
    }
}

void readConditions(const Section& top, StudyRecord& r, UnknownKeys& unknown, Language language) {
    r.conditions = readConditionsOf(top, "conditions", unknown, language);
}

StudyRecord readRecord(const Json& root, UnknownKeys& unknown, Language language) {
    StudyRecord r;
    const Section top(root, "", unknown, kKnownSections, language);
    readOtherSections(root, r, language);
    readPanel(top, r, unknown, language);
    readGraphAndPasted(top, r, unknown, language);
    r.print = readPrint(top, unknown, language);
    readCopyAndReadings(top, r, unknown, language);
    readConditions(top, r, unknown, language);
    const Json& frozen = top.array("frozen_curves", kMaxFrozenCurves);
    for (std::size_t k = 0; k < frozen.size(); ++k)
        r.frozen.push_back(readFrozenCurve(frozen[k], "frozen_curves." + std::to_string(k + 1),
                                           unknown, language));
    return r;
}

// The JSON of a study file, or the refusal that names what is wrong with it.
Json parseStudyJson(std::string_view text, Language language) {
    // The keys of the objects open where the parser stands, to name a value it refuses.
    std::vector<std::string> keys;
    const Json::parser_callback_t follow = [&keys](int depth, Json::parse_event_t event,
                                                   Json& parsed) {
        if (event == Json::parse_event_t::key && depth >= 1 &&
            static_cast<std::size_t>(depth) <= kMaxStudyDepth) {
            keys.resize(static_cast<std::size_t>(depth));
            keys.back() = parsed.get<std::string>();
        } else if (event == Json::parse_event_t::object_end) {
            keys.resize(std::min(keys.size(), static_cast<std::size_t>(std::max(depth, 0))));
        }
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), follow);
    } catch (const Json::out_of_range& e) {
        // A number no double holds (1e400): the only range the parser itself checks.
        const std::string what = e.what();
        const auto open = what.find('\'');
        const auto close = what.rfind('\'');
        const std::string number = open != std::string::npos && close > open
                                       ? what.substr(open + 1, close - open - 1)
                                       : std::string("?");
        std::string key;
        for (const std::string& k : keys) key += (key.empty() ? "" : ".") + k;
        throw Refusal{texts::numberOutOfRange(printableText(key.empty() ? "?" : key),
                                              printableText(number.substr(0, 40)), language)};
    } catch (const Json::parse_error& e) {
        const bool atEnd = e.byte >= text.size();
        // Text that does not even start like JSON is another kind of file.
        const auto first = text.find_first_not_of(" \t\r\n");
        if (first != std::string_view::npos && text[first] != '{')
            throw Refusal{texts::kNotAStudy.in(language)};
        throw Refusal{atEnd ? std::string(texts::kTruncated.in(language))
                            : texts::damagedAt(lineOf(text, e.byte), language)};
    }
}

// The format's name and version: refused unless this program reads them. True when the
// version is newer than this program's (its unknown keys are then listed, not refused).
bool checkFormat(const Json& root, Language language) {
    if (!root.is_object()) throw Refusal{texts::kNotAStudy.in(language)};
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() ||
        format->get<std::string>() != kStudyFormatName)
        throw Refusal{texts::kNotAStudy.in(language)};
    const auto versionItem = root.find("format_version");
    const std::string versionText =
        versionItem != root.end() && versionItem->is_string()
            ? versionItem->get<std::string>().substr(0, 20)
            : std::string(versionItem == root.end() ? texts::kNoVersion.in(language) : "?");
    const auto version = parseVersion(versionText);
    if (!version || version->first != kStudyFormatMajor)
        throw Refusal{texts::unknownVersion(printableText(versionText), language)};
    return version->second > kStudyFormatMinor;
}

} // namespace

StudyReading readStudyText(std::string_view text, Language language) {
    StudyReading reading;
    try {
        if (text.size() > kMaxStudyFileBytes) throw Refusal{texts::kTooLarge.in(language)};
        if (const auto problem = precheck(text, language)) throw Refusal{*problem};
        const Json root = parseStudyJson(text, language);
        reading.newerVersion = checkFormat(root, language);
        UnknownKeys unknown;
        reading.record = readRecord(root, unknown, language);
        if (reading.newerVersion) {
            reading.skipped = std::move(unknown.named);
            reading.skippedCount = unknown.count;
        }
    } catch (const Refusal& refusal) {
        reading.record.reset();
        reading.problem = refusal.problem;
    } catch (const std::exception&) {
        reading.record.reset();
        reading.problem = texts::kNotAStudy.in(language);
    }
    return reading;
}

std::string printableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char escape[8];
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        // C1 controls are two bytes in UTF-8: C2 80 to C2 9F.
        const bool c1 = c == 0xC2 && k + 1 < text.size() &&
                        static_cast<unsigned char>(text[k + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[k + 1]) <= 0x9F;
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else if (c1) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(text[++k]));
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace titralab
