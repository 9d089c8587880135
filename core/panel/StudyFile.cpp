#include "core/panel/StudyFile.h"

#include "core/chemistry/Database.h"
#include "core/system/WholeFile.h"
#include "core/curves/PastedPoints.h"
#include "core/texts/StudyTexts.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <system_error>

namespace titralab {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

namespace {

// The top-level section that keeps a family of curves.
constexpr const char* kFamilySection = "family";

// The names the file uses for the program's choices, in the order of their enumerations.
const std::vector<std::string> kSideNames{"none", "acid", "base"};
const std::vector<std::string> kStudyNames{"none",     "titration", "species",
                                           "two-mono", "mixture",   "dilution"};
const std::vector<std::string> kBaseKindNames{"soda", "potash"};
const std::vector<std::string> kOrderNames{"pH,v", "v,pH"};
const std::vector<std::string> kVolumeUnitNames{"L", "mL"};
const std::vector<std::string> kFormatNames{"quarter", "half", "optimised"};
const std::vector<std::string> kSamplingNames{"pH", "volume"};
const std::vector<std::string> kSeparatorNames{"point", "comma"};

// The fields a frozen curve keeps: those of the chemistry, the line width aside.
bool isChemistryField(Field field) {
    return field != Field::LineWidth;
}

std::vector<std::string> fieldKeys(bool chemistryOnly) {
    std::vector<std::string> keys;
    for (Field f : kFields)
        if (!chemistryOnly || isChemistryField(f)) keys.push_back(fieldKey(f));
    return keys;
}

std::string cut(const std::string& text) {
    return text.size() <= kMaxStudyTextLength ? text : text.substr(0, kMaxStudyTextLength);
}

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

// One frozen curve: the values it was computed from and the series it kept.
OverlayCurve readFrozenCurve(const Json& item, const std::string& path, UnknownKeys& unknown,
                             Language language) {
    if (!item.is_object())
        throw Refusal{texts::badValue(path, texts::kExpectedSection.in(language), language)};
    const Section curve(item, path, unknown,
                        {"side", "study", "row1", "row2", "entry_name", "fields", "series"},
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
    "format", "format_version", "panel",    "graph",        "pasted",
    "print",  "copy",           "readings", "frozen_curves"};

bool knownSection(const std::string& key) {
    return std::any_of(kKnownSections.begin(), kKnownSections.end(),
                       [&](const char* k) { return key == k; });
}

StudyRecord readRecord(const Json& root, UnknownKeys& unknown, Language language) {
    StudyRecord r;
    const Section top(root, "", unknown, kKnownSections, language);
    // Sections of other features stay with the record; the keys counted unknown above are
    // reported only when the file comes from a later version.
    std::size_t extra = 0;
    for (const auto& item : root.items()) {
        if (knownSection(item.key())) continue;
        if (++extra > kMaxStudySections)
            throw Refusal{texts::badValue(
                "sections", texts::expectedSections(static_cast<int>(kMaxStudySections), language),
                language)};
        r.sections[item.key()] = item.value().dump();
    }

    const Section panel(top.object("panel"), "panel", unknown,
                        {"side", "study", "strong_base", "fields", "entry_name", "database"},
                        language);
    r.sideChoice = panel.choice("side", kSideNames, 0) - 1;
    r.study = static_cast<Study>(panel.choice("study", kStudyNames, 0) - 1);
    if (r.sideChoice < 0 && r.study != Study::None)
        throw Refusal{
            texts::badValue("panel.study", texts::kExpectedNoStudy.in(language), language)};
    r.baseKind = static_cast<BaseKind>(panel.choice("strong_base", kBaseKindNames, 0));
    const StudyRecord defaults{};
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
                         {"order", "lines", "point_style", "volume_unit"}, language);
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

    const Section print(top.object("print"), "print", unknown,
                        {"line_width", "dash_length", "char_size", "graduations", "zoom_x2",
                         "constants", "colour", "arrows", "grid", "format", "comment1", "comment2"},
                        language);
    const PrintSettings p0{};
    r.print.lineWidth = print.text("line_width", p0.lineWidth);
    r.print.dashLengthMm = print.text("dash_length", p0.dashLengthMm);
    r.print.charSize = print.text("char_size", p0.charSize);
    r.print.approxGraduations = print.text("graduations", p0.approxGraduations);
    r.print.zoomX2 = print.boolean("zoom_x2", p0.zoomX2);
    r.print.printConstants = print.boolean("constants", p0.printConstants);
    r.print.printInColour = print.boolean("colour", p0.printInColour);
    r.print.axisArrows = print.boolean("arrows", p0.axisArrows);
    r.print.printGrid = print.boolean("grid", p0.printGrid);
    r.print.format =
        static_cast<PageFormat>(print.choice("format", kFormatNames, static_cast<int>(p0.format)));
    r.print.comment1 = print.text("comment1", p0.comment1);
    r.print.comment2 = print.text("comment2", p0.comment2);

    const Section copy(top.object("copy"), "copy", unknown, {"sampling", "decimal", "digits"},
                       language);
    r.copySampling = static_cast<CopySampling>(copy.choice("sampling", kSamplingNames, 0));
    r.decimalComma = copy.choice("decimal", kSeparatorNames, 1) == 1;
    r.exportDigits = copy.integer("digits", 5, 17, 5);

    const Section readings(top.object("readings"), "readings", unknown,
                           {"equivalences", "derivative", "legend", "indicator"}, language);
    const ReadingOptions o0{};
    r.reading.equivalences = readings.boolean("equivalences", o0.equivalences);
    r.reading.derivative = readings.boolean("derivative", o0.derivative);
    r.reading.legend = readings.boolean("legend", o0.legend);
    const std::string indicator = readings.text("indicator", "");
    if (!indicator.empty()) {
        const std::optional<int> found = findIndicator(indicator);
        if (!found)
            throw Refusal{texts::badValue("readings.indicator",
                                          texts::kExpectedIndicator.in(language), language)};
        r.reading.indicator = *found;
    }

    const Json& frozen = top.array("frozen_curves", kMaxFrozenCurves);
    for (std::size_t k = 0; k < frozen.size(); ++k)
        r.frozen.push_back(readFrozenCurve(frozen[k], "frozen_curves." + std::to_string(k + 1),
                                           unknown, language));
    return r;
}

// The fields the panel shows for the study and the entries loaded in its two columns: the
// second column in the two-acid studies, the pKa2 and pKa3 rows for the acidities an entry has
// (none in the two-monoacid study, whose acids are monoprotic).
void showFieldsFor(const StudyRecord& r, PanelFields& panel) {
    const BuretteSide side = r.sideChoice == 1 ? BuretteSide::BaseSide : BuretteSide::AcidSide;
    const int acidities1 = entryOf(side, r.row1).acidities;
    const int acidities2 = entryOf(side, r.row2).acidities;
    const bool twoAcids = r.study == Study::TwoMonoTitration || r.study == Study::TwoPolyMixture;
    const bool monoprotic = r.study == Study::TwoMonoTitration;
    panel.visible = {};
    for (Field f : {Field::BuretteConcentration, Field::Concentration1, Field::Volume1, Field::PKa1,
                    Field::LineWidth})
        panel.show(f, true);
    panel.show(Field::PKa2, !monoprotic && acidities1 >= 2);
    panel.show(Field::PKa3, !monoprotic && acidities1 >= 3);
    for (Field f : {Field::Concentration2, Field::Volume2, Field::PKa2_1}) panel.show(f, twoAcids);
    panel.show(Field::PKa2_2, twoAcids && !monoprotic && acidities2 >= 2);
    panel.show(Field::PKa2_3, twoAcids && !monoprotic && acidities2 >= 3);
}

} // namespace

namespace {

bool sameReading(const ReadingOptions& a, const ReadingOptions& b) {
    return a.equivalences == b.equivalences && a.derivative == b.derivative &&
           a.indicator == b.indicator && a.legend == b.legend;
}

bool sameCurves(const std::vector<OverlayCurve>& a, const std::vector<OverlayCurve>& b) {
    auto samePoints = [](const Series& x, const Series& y) {
        return std::equal(
            x.begin(), x.end(), y.begin(), y.end(),
            [](const CurvePoint& p, const CurvePoint& q) { return p.x == q.x && p.y == q.y; });
    };
    auto same = [&](const OverlayCurve& x, const OverlayCurve& y) {
        const CurveInputs& i = x.inputs;
        const CurveInputs& j = y.inputs;
        if (i.side != j.side || i.study != j.study || i.row1 != j.row1 || i.row2 != j.row2 ||
            i.entryName != j.entryName || i.used != j.used || x.series.size() != y.series.size())
            return false;
        for (int f = 1; f <= 16; ++f)
            if (i.used[f] && i.values[f] != j.values[f]) return false;
        for (std::size_t k = 0; k < x.series.size(); ++k)
            if (x.series[k].first != y.series[k].first ||
                !samePoints(x.series[k].second, y.series[k].second))
                return false;
        return true;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

} // namespace

bool StudyRecord::operator==(const StudyRecord& o) const {
    auto sameFields = [](const PrintSettings& a, const PrintSettings& b) {
        return a.lineWidth == b.lineWidth && a.dashLengthMm == b.dashLengthMm &&
               a.charSize == b.charSize && a.approxGraduations == b.approxGraduations &&
               a.zoomX2 == b.zoomX2 && a.printConstants == b.printConstants &&
               a.printInColour == b.printInColour && a.axisArrows == b.axisArrows &&
               a.printGrid == b.printGrid && a.format == b.format && a.comment1 == b.comment1 &&
               a.comment2 == b.comment2;
    };
    return sideChoice == o.sideChoice && study == o.study && baseKind == o.baseKind &&
           fields == o.fields && entryName == o.entryName &&
           currentAcidEntry == o.currentAcidEntry && currentBaseEntry == o.currentBaseEntry &&
           row1 == o.row1 && row2 == o.row2 && target == o.target && ticked == o.ticked &&
           pointCount == o.pointCount && pastedLines == o.pastedLines &&
           pasteOrder == o.pasteOrder && pastedInMillilitres == o.pastedInMillilitres &&
           pointStyle == o.pointStyle && sameFields(print, o.print) &&
           copySampling == o.copySampling && decimalComma == o.decimalComma &&
           exportDigits == o.exportDigits && sameReading(reading, o.reading) &&
           sameCurves(frozen, o.frozen) && sections == o.sections;
}

StudyRecord captureStudy(const Simulation& sim, const PanelView& view, const PrintSettings& print) {
    StudyRecord r;
    r.sideChoice = view.burette.selected;
    r.study = r.sideChoice < 0 ? Study::None : sim.panel.study;
    r.baseKind = sim.panel.baseKind;
    for (Field f : kFields) r.fields[slot(f)] = cut(sim.panel.at(f));
    r.entryName = cut(sim.panel.entryName);
    r.currentAcidEntry = std::clamp(sim.browser.currentAcidEntry, 1, kAcidCount);
    r.currentBaseEntry = std::clamp(sim.browser.currentBaseEntry, 1, kBaseCount);
    r.row1 = std::clamp(sim.state.row1, 1, kAcidCount);
    r.row2 = std::clamp(sim.state.row2, 1, kAcidCount);
    r.target = view.target.selected < 0 ? 0 : view.target.selected + 1;
    r.ticked = sim.graph.checked;
    r.pointCount = cut(sim.panel.pointCount);
    const std::size_t lines = std::min(sim.pastedText.size(), kMaxStudyPastedLines);
    for (std::size_t k = 0; k < lines; ++k) r.pastedLines.push_back(cut(sim.pastedText[k]));
    r.pasteOrder = sim.pasteOrder;
    if (!sim.pastedText.empty()) r.pastedInMillilitres = sim.pastedInMillilitres;
    r.pointStyle = sim.currentPointStyle;
    r.print = print;
    for (std::string* s : {&r.print.lineWidth, &r.print.dashLengthMm, &r.print.charSize,
                           &r.print.approxGraduations, &r.print.comment1, &r.print.comment2})
        *s = cut(*s);
    r.copySampling = sim.copySampling;
    r.decimalComma = sim.decimalComma;
    r.exportDigits = std::clamp(sim.exportDigits, 5, 17);
    r.reading = sim.reading.options;
    for (const OverlayCurve& curve : sim.overlays.curves)
        if (!curve.family && r.frozen.size() < static_cast<std::size_t>(kMaxFrozenCurves)) {
            OverlayCurve kept = curve;
            kept.label.clear(); // named again against the values of the day
            kept.inputs.entryName = cut(kept.inputs.entryName);
            for (auto& [number, points] : kept.series)
                if (points.size() > kMaxStudyCurvePoints) points.resize(kMaxStudyCurvePoints);
            r.frozen.push_back(std::move(kept));
        }
    r.sections = sim.keptSections;
    // The family is written as it stands now, never as it was read.
    r.sections.erase(kFamilySection);
    if (sim.overlays.family && !sim.overlays.family->members.empty())
        r.sections[kFamilySection] = familySectionText(*sim.overlays.family);
    return r;
}

void applyStudy(const StudyRecord& r, Simulation& sim, PanelView& view) {
    // Replays the choices on a fresh panel so that every caption and visible part follows the
    // side and the study, then puts back what the user typed and loaded.
    sim.panel = PanelFields::atDesign();
    sim.browser = DatabaseBrowser{};
    sim.browser.language = sim.language;
    sim.state.row1 = 1;
    sim.state.row2 = 1;
    startPanel(view, sim);
    if (r.sideChoice >= 0) chooseBurette(view, sim, r.sideChoice);
    chooseBaseKind(view, sim, static_cast<int>(r.baseKind));
    sim.panel.baseKind = r.baseKind;
    sim.state.baseKind = r.baseKind;
    if (r.sideChoice >= 0 && r.study != Study::None)
        chooseStudy(view, sim, static_cast<int>(r.study));

    for (Field f : kFields) sim.panel.at(f) = r.fields[slot(f)];
    showFieldsFor(r, sim.panel);
    sim.panel.pKa2LabelVisible = sim.panel.shown(Field::PKa2) || sim.panel.shown(Field::PKa2_2);
    sim.panel.pKa3LabelVisible = sim.panel.shown(Field::PKa3) || sim.panel.shown(Field::PKa2_3);
    sim.panel.entryName = r.entryName;
    sim.browser.currentAcidEntry = r.currentAcidEntry;
    sim.browser.currentBaseEntry = r.currentBaseEntry;
    sim.state.row1 = r.row1;
    sim.state.row2 = r.row2;
    // The name of the shown entry, saved in either language, reads in the program's.
    const AcidBaseEntry& shown = entryOf(sim.panel.side, sim.browser.current(sim.panel.side));
    for (Language l : {Language::French, Language::English})
        if (r.entryName == shown.name(l)) sim.panel.entryName = shown.name(sim.language);
    if (r.target > 0) {
        view.target.selected = r.target - 1;
        sim.browser.targetColumn1 = r.target == 1;
        view.marker1Visible = view.laidOut && r.target == 1;
        view.marker2Visible = view.laidOut && r.target == 2;
    } else {
        view.target.selected = -1;
        sim.browser.targetColumn1 = false;
    }

    sim.graph.checked = r.ticked;
    sim.panel.pointCount = r.pointCount;
    sim.pastedText = r.pastedLines;
    sim.pasteOrder = r.pasteOrder;
    if (r.pastedInMillilitres)
        sim.pastedInMillilitres = *r.pastedInMillilitres;
    else
        choosePastedUnit(sim);
    sim.pastedPoints.clear();
    sim.currentPointStyle = r.pointStyle;
    sim.copySampling = r.copySampling;
    sim.decimalComma = r.decimalComma;
    sim.exportDigits = r.exportDigits;
    sim.curves.clear();
    sim.exportText.clear();
    sim.mixture.reset();
    // Nothing of the study left on screen stays: its frozen curves and families, its readings.
    sim.reading = ChartReading{};
    sim.reading.options = r.reading;
    sim.overlays = Overlays{};
    sim.overlays.curves = r.frozen;
    sim.keptSections = r.sections;
    // The family of the study, drawn again by the next regeneration.
    const auto family = r.sections.find(kFamilySection);
    if (family != r.sections.end()) sim.overlays.family = readFamilySection(family->second);
}

std::string writeStudyText(const StudyRecord& r) {
    OrderedJson root;
    root["format"] = kStudyFormatName;
    root["format_version"] =
        std::to_string(kStudyFormatMajor) + "." + std::to_string(kStudyFormatMinor);

    OrderedJson panel;
    panel["side"] = kSideNames[r.sideChoice + 1];
    panel["study"] = kStudyNames[static_cast<int>(r.study) + 1];
    panel["strong_base"] = kBaseKindNames[static_cast<int>(r.baseKind)];
    OrderedJson fields = OrderedJson::object();
    for (Field f : kFields) fields[fieldKey(f)] = r.fields[slot(f)];
    panel["fields"] = fields;
    panel["entry_name"] = r.entryName;
    panel["database"] = {{"acid_entry", r.currentAcidEntry},
                         {"base_entry", r.currentBaseEntry},
                         {"row1", r.row1},
                         {"row2", r.row2},
                         {"target", r.target}};
    root["panel"] = panel;

    OrderedJson ticked = OrderedJson::array();
    for (int box = 1; box <= 10; ++box)
        if (r.ticked[box - 1]) ticked.push_back(box);
    root["graph"] = {{"ticked", ticked}, {"points", r.pointCount}};
    root["pasted"] = {{"order", kOrderNames[r.pasteOrder ? 1 : 0]},
                      {"point_style", static_cast<int>(r.pointStyle)},
                      {"lines", r.pastedLines}};
    if (r.pastedInMillilitres)
        root["pasted"]["volume_unit"] = kVolumeUnitNames[*r.pastedInMillilitres ? 1 : 0];
    const PrintSettings& p = r.print;
    root["print"] = {
        {"line_width", p.lineWidth}, {"dash_length", p.dashLengthMm},
        {"char_size", p.charSize},   {"graduations", p.approxGraduations},
        {"zoom_x2", p.zoomX2},       {"constants", p.printConstants},
        {"colour", p.printInColour}, {"arrows", p.axisArrows},
        {"grid", p.printGrid},       {"format", kFormatNames[static_cast<int>(p.format)]},
        {"comment1", p.comment1},    {"comment2", p.comment2}};
    root["copy"] = {{"sampling", kSamplingNames[static_cast<int>(r.copySampling)]},
                    {"decimal", kSeparatorNames[r.decimalComma ? 1 : 0]},
                    {"digits", r.exportDigits}};
    const ReadingOptions& o = r.reading;
    const auto& indicators = colourIndicators();
    const bool hasIndicator = o.indicator >= 0 && o.indicator < static_cast<int>(indicators.size());
    root["readings"] = {
        {"equivalences", o.equivalences},
        {"derivative", o.derivative},
        {"legend", o.legend},
        {"indicator", hasIndicator ? std::string(indicators[o.indicator].name.fr) : ""}};
    OrderedJson frozen = OrderedJson::array();
    for (const OverlayCurve& c : r.frozen) {
        OrderedJson curve;
        curve["side"] = kSideNames[c.inputs.side == BuretteSide::BaseSide ? 2 : 1];
        curve["study"] = kStudyNames[static_cast<int>(c.inputs.study) + 1];
        curve["row1"] = c.inputs.row1;
        curve["row2"] = c.inputs.row2;
        curve["entry_name"] = c.inputs.entryName;
        OrderedJson values = OrderedJson::object();
        for (Field f : kFields)
            if (isChemistryField(f) && c.inputs.used[slot(f)])
                values[fieldKey(f)] = c.inputs.values[slot(f)];
        curve["fields"] = values;
        OrderedJson series = OrderedJson::array();
        for (const auto& [number, points] : c.series) {
            OrderedJson list = OrderedJson::array();
            for (const CurvePoint& p : points) list.push_back({p.x, p.y});
            series.push_back({{"number", number}, {"points", list}});
        }
        curve["series"] = series;
        frozen.push_back(curve);
    }
    root["frozen_curves"] = frozen;
    for (const auto& [name, text] : r.sections) {
        const Json parsed = Json::parse(text, nullptr, false);
        if (!parsed.is_discarded()) root[name] = parsed;
    }
    // Texts that are not valid UTF-8 (a paste of a file in another character set) are written
    // with the replacement character rather than making the file unreadable.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

StudyReading readStudyText(std::string_view text, Language language) {
    StudyReading reading;
    try {
        if (text.size() > kMaxStudyFileBytes) throw Refusal{texts::kTooLarge.in(language)};
        if (const auto problem = precheck(text, language)) throw Refusal{*problem};
        Json root;
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
            root = Json::parse(text.begin(), text.end(), follow);
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
        reading.newerVersion = version->second > kStudyFormatMinor;
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

std::string displayName(const std::string& path) {
    return printableText(fs::path(path).filename().string());
}

std::string studyWindowTitle(const std::string& caption, const std::string& path, bool modified,
                             Language language) {
    if (path.empty() && !modified) return caption;
    const std::string name =
        path.empty() ? std::string(texts::kUntitledStudy.in(language)) : displayName(path);
    return name + (modified ? "*" : "") + " - " + caption;
}

std::vector<std::string> withRecent(std::vector<std::string> recent, const std::string& path) {
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
    recent.insert(recent.begin(), path);
    if (recent.size() > kRecentStudyCount) recent.resize(kRecentStudyCount);
    return recent;
}

StudyOpening openStudyFile(const std::string& path, Language language) {
    StudyOpening opening;
    const std::string name = displayName(path);
    // A pipe or a device would block the opening for ever: only ordinary files are read.
    if (const std::string kind = notRegularToRead(path, language); !kind.empty()) {
        opening.error = texts::cannotOpen(name, kind, language);
        return opening;
    }
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || fs::is_directory(path, ec)) {
        opening.error = texts::cannotOpen(name, texts::kUnreadable.in(language), language);
        return opening;
    }
    // Never more than the bound, whatever size the file claims.
    std::uintmax_t claimed = fs::file_size(path, ec);
    if (ec || claimed > kMaxStudyFileBytes) claimed = kMaxStudyFileBytes;
    std::string text(static_cast<std::size_t>(claimed) + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    // A file that grew while it was read, or claimed less than it holds: read on to the bound.
    if (text.size() == static_cast<std::size_t>(claimed) + 1 && claimed < kMaxStudyFileBytes) {
        std::string rest(kMaxStudyFileBytes - claimed, '\0');
        in.read(rest.data(), static_cast<std::streamsize>(rest.size()));
        text.append(rest.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        opening.error = texts::cannotOpen(name, texts::kUnreadable.in(language), language);
        return opening;
    }
    if (text.size() > kMaxStudyFileBytes) {
        opening.error = texts::cannotOpen(name, texts::kTooLarge.in(language), language);
        return opening;
    }
    StudyReading reading = readStudyText(text, language);
    if (!reading.record) {
        opening.error = texts::cannotOpen(name, reading.problem, language);
        return opening;
    }
    opening.record = std::move(reading.record);
    if (reading.newerVersion && reading.skippedCount > 0)
        opening.notice = texts::newerVersionSkipped(
            name, texts::skippedKeys(reading.skipped, reading.skippedCount, language), language);
    return opening;
}

std::string saveStudyFile(const std::string& path, const StudyRecord& record, Language language) {
    const WholeFileResult written = writeWholeFile(path, writeStudyText(record), language);
    if (!written.ok()) return texts::cannotSave(displayName(path), written.error, language);
    return {};
}

} // namespace titralab
