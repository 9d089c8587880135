// A study's JSON text, and the comparison of two records.
#include "core/session/StudyRecord.h"

#include "core/chemistry/Indicators.h"
#include "core/session/StudyNames.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace titralab {

using namespace studyfile;
using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

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
            i.entryName != j.entryName || i.used != j.used || x.series.size() != y.series.size() ||
            i.conditions != j.conditions)
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
           pointStyle == o.pointStyle && measuredConductivity == o.measuredConductivity &&
           sameFields(print, o.print) &&
           copySampling == o.copySampling && decimalComma == o.decimalComma &&
           exportDigits == o.exportDigits && sameReading(reading, o.reading) &&
           bufferCapacity == o.bufferCapacity &&
           sameCurves(frozen, o.frozen) && sections == o.sections &&
           conditions.temperature == o.conditions.temperature &&
           conditions.activities == o.conditions.activities;
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
    if (!r.measuredConductivity.empty()) {
        OrderedJson points = OrderedJson::array();
        for (const auto& [v, sigma] : r.measuredConductivity) points.push_back({v, sigma});
        root["pasted"]["conductivity"] = points;
    }
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
    // Written only when ticked, so that the files of studies that never show β stay as they were.
    if (r.bufferCapacity) root["readings"]["buffer_capacity"] = true;
    if (!r.conditions.standard())
        root["conditions"] = {
            {"temperature", r.conditions.temperature},
            {"activities", kActivityNames[static_cast<int>(r.conditions.activities)]}};
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
        // Written only when not ideal at 25 °C, as the study's own.
        if (!c.inputs.conditions.standard())
            curve["conditions"] = {
                {"temperature", c.inputs.conditions.temperature},
                {"activities", kActivityNames[static_cast<int>(c.inputs.conditions.activities)]}};
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

} // namespace titralab
