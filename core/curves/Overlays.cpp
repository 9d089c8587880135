#include "core/curves/Overlays.h"

#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/curves/ExportTable.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/OverlayTexts.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

namespace titralab {

namespace {

bool isConcentration(int field) {
    return field == 1 || field == 2 || field == 12;
}
bool isVolume(int field) {
    return field == 3 || field == 13;
}

} // namespace

FieldQuantity fieldQuantity(int field, BuretteSide side, Language language) {
    const int s = side == BuretteSide::AcidSide ? 0 : 1;
    const int base = field >= 12 ? field - 10 : field;
    const std::string suffix = field >= 12 ? texts::kColumn2Suffix.in(language) : "";
    switch (base) {
    case 1:
        return {texts::kBuretteConcLabel[s].in(language), "mol/L"};
    case 2:
        return {texts::kBeakerConcLabel[s].in(language) + suffix, "mol/L"};
    case 3:
        return {texts::kBeakerVolumeLabel[s].in(language) + suffix, "L"};
    case 4:
        return {"pKa" + suffix, ""};
    case 5:
        return {"pKa2" + suffix, ""};
    case 6:
        return {"pKa3" + suffix, ""};
    case kDilutionFactor:
        return {texts::kDilutionFactorLabel.in(language), ""};
    case kTemperatureQuantity:
        return {texts::kTemperatureLabel.in(language), "°C"};
    default:
        return {"D" + std::to_string(field), ""};
    }
}

std::string describeValue(int field, BuretteSide side, double value, Language language) {
    const FieldQuantity q = fieldQuantity(field, side, language);
    // Six digits (trailing zeros dropped): members a little apart keep labels of their own.
    std::string text = q.label + " = " + formatGeneral(value, 6, ',');
    if (!q.unit.empty()) text += " " + q.unit;
    return text;
}

std::pair<double, double> fieldBounds(int field) {
    if (field == kDilutionFactor) return {1e-3, 1e8};
    if (field == kTemperatureQuantity) return {kMinTemperature, kMaxTemperature};
    if (isConcentration(field)) return {1e-8, 15};
    if (isVolume(field)) return {1e-5, 100};
    return {kMinPK, kMaxPK};
}

std::string fieldText(double value) {
    return formatGeneral(value, 6, '.');
}

std::string differenceLabel(const CurveInputs& curve, const CurveInputs& current,
                            Language language) {
    std::vector<std::string> parts;
    // The free study: the values of the curve the current ones do not have.
    for (const std::string& value : curve.freeValues)
        if (std::find(current.freeValues.begin(), current.freeValues.end(), value) ==
            current.freeValues.end())
            parts.push_back(value);
    if (curve.row1 != current.row1 && !curve.entryName.empty()) parts.push_back(curve.entryName);
    for (int field : kChemistryFields) {
        if (!curve.used[field] && !current.used[field]) continue;
        if (curve.values[field] == current.values[field]) continue;
        parts.push_back(describeValue(field, curve.side, curve.values[field], language));
    }
    const Conditions& c = curve.conditions;
    if (c.activities != current.conditions.activities)
        parts.push_back(
            (c.ideal() ? texts::kWithoutActivities : texts::kWithActivities).in(language));
    if (c.temperature != current.conditions.temperature)
        parts.push_back(formatGeneral(c.temperature, 4, language == Language::French ? ',' : '.') +
                        " °C");
    if (parts.empty()) return texts::kSameValues.in(language);
    std::string label = parts.front();
    for (std::size_t k = 1; k < parts.size(); ++k) label += kSemicolon.in(language) + parts[k];
    return label;
}

Series overlayPoints(const OverlayCurve& curve, std::size_t k, double volumeFactor) {
    Series points = curve.series[k].second;
    if (volumeFactor > 0)
        for (CurvePoint& p : points) p.x *= volumeFactor;
    return points;
}

ValueList parseValueList(int field, BuretteSide side, const std::string& text, Language language) {
    ValueList out;
    std::string item;
    const std::pair<double, double> bounds = fieldBounds(field);
    const double low = bounds.first;
    const double high = bounds.second;
    auto take = [&]() -> bool {
        const auto first = item.find_first_not_of(" \t\n");
        if (first == std::string::npos) {
            item.clear();
            return true;
        }
        const std::string trimmed = item.substr(first, item.find_last_not_of(" \t\n") - first + 1);
        item.clear();
        const BoundedNumber n = ParseBoundedNumber(trimmed, low, high);
        if (!n.ok) {
            out.refusal = texts::kFamilyValueRefused.in(language) +
                          fieldQuantity(field, side, language).label + kColon.in(language) +
                          trimmed.substr(0, 40) + texts::kFrom.in(language) + formatGeneral(low, 3, ',') +
                          texts::kTo.in(language) + formatGeneral(high, 3, ',') + ")";
            return false;
        }
        out.values.push_back(n.value);
        return true;
    };
    // A bounded reading: more values than a family holds are refused without reading on.
    for (std::size_t i = 0; i < text.size() && i < 4096; ++i) {
        const char c = text[i];
        if (c == ';' || c == '\n' || c == '\r') {
            if (!take()) return out;
        } else {
            item += c;
        }
        if (out.values.size() > static_cast<std::size_t>(kMaxFamilyValues)) break;
    }
    if (!take()) return out;
    if (out.values.size() < 2 || out.values.size() > static_cast<std::size_t>(kMaxFamilyValues)) {
        out.values.clear();
        out.refusal = texts::kFamilyCount.in(language);
    }
    return out;
}

ValueList valueRange(int field, BuretteSide side, RangeKind kind, const std::string& first,
                     const std::string& last, const std::string& count, Language language) {
    ValueList out;
    const ValueList ends = parseValueList(field, side, first + ";" + last, language);
    if (!ends.refusal.empty()) {
        out.refusal = ends.refusal;
        return out;
    }
    const BoundedNumber n = ParseBoundedNumber(count, 2, kMaxFamilyValues);
    if (!n.ok || n.value != std::trunc(n.value)) {
        out.refusal = texts::kFamilyCount.in(language);
        return out;
    }
    const double a = ends.values[0], b = ends.values[1];
    const int m = static_cast<int>(n.value);
    if (kind == RangeKind::Geometric && (a == 0 || b == 0 || (a < 0) != (b < 0))) {
        out.refusal = texts::kFamilyGeometricRefused.in(language);
        return out;
    }
    for (int i = 0; i < m; ++i) {
        const double t = static_cast<double>(i) / (m - 1);
        double v = kind == RangeKind::Arithmetic ? a + t * (b - a) : a * std::pow(b / a, t);
        if (i == m - 1) v = b; // the last value is the one typed, exactly
        // A value is used as the text it is written into the field with.
        out.values.push_back(std::stod(fieldText(v)));
    }
    return out;
}

namespace {

bool isChemistryField(int field) {
    return std::find(kChemistryFields.begin(), kChemistryFields.end(), field) !=
           kChemistryFields.end();
}

} // namespace

std::string familyQuantityLabel(const FamilyQuantity& q, BuretteSide side, Language language) {
    if (q.temperature) return texts::kTemperatureLabel.in(language);
    if (q.dilution || q.fields.empty()) return texts::kDilutionFactorLabel.in(language);
    std::string label;
    for (int f : q.fields)
        label += (label.empty() ? "" : texts::kFamilyAnd.in(language)) +
                 fieldQuantity(f, side, language).label;
    return label;
}

FieldValues memberValues(const FamilyMember& member) {
    FieldValues values;
    for (const auto& [field, text] : member.fields) {
        const auto [low, high] = fieldBounds(field);
        values.emplace_back(field, ParseBoundedNumber(text, low, high).value);
    }
    return values;
}

std::string familySectionText(const Family& family) {
    nlohmann::ordered_json members = nlohmann::ordered_json::array();
    for (const FamilyMember& m : family.members) {
        nlohmann::ordered_json fields = nlohmann::ordered_json::object();
        for (const auto& [field, text] : m.fields) fields["D" + std::to_string(field)] = text;
        members.push_back(fields);
    }
    nlohmann::ordered_json section;
    section["members"] = members;
    return section.dump();
}

std::optional<Family> readFamilySection(const std::string& text) {
    const nlohmann::json root = nlohmann::json::parse(text, nullptr, false);
    if (root.is_discarded() || !root.is_object()) return std::nullopt;
    const auto members = root.find("members");
    if (members == root.end() || !members->is_array() ||
        members->size() > static_cast<std::size_t>(kMaxFamilyValues))
        return std::nullopt;
    Family family;
    for (const auto& item : *members) {
        if (!item.is_object() || item.empty() || item.size() > kChemistryFields.size())
            return std::nullopt;
        FamilyMember m;
        for (const auto& [key, value] : item.items()) {
            if (key.size() < 2 || key.size() > 3 || key[0] != 'D' || !value.is_string() ||
                value.get_ref<const std::string&>().size() > 40)
                return std::nullopt;
            const BoundedNumber n = ParseBoundedNumber(key.substr(1), 1, 16);
            const int field = static_cast<int>(n.value);
            if (!n.ok || !isChemistryField(field) || n.value != field) return std::nullopt;
            m.fields.emplace_back(field, value.get<std::string>());
        }
        family.members.push_back(std::move(m));
    }
    family.pending = true;
    return family;
}

} // namespace titralab
