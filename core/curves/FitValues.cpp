// The values a fit frees: their names, fields and captions, the measured points it reads, and
// the fitted values written back with their uncertainties.
#include "core/curves/Fit.h"

#include "core/curves/FitModel.h"
#include "core/curves/PastedPoints.h"
#include "core/numbers/NumberFormat.h"
#include "core/texts/StudyTexts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace titralab {

using namespace fitting;

std::string_view fitValueName(FitValue v) {
    static constexpr std::array<std::string_view, kFitValueCount> names{"C1",  "C2",  "Cb",
                                                                        "pK1", "pK2", "pK3"};
    return names[static_cast<int>(v)];
}

std::optional<FitValue> fitValueFromName(std::string_view name) {
    for (int k = 0; k < kFitValueCount; ++k)
        if (fitValueName(static_cast<FitValue>(k)) == name) return static_cast<FitValue>(k);
    return std::nullopt;
}

int fitValueField(Study study, FitValue v) {
    const bool two = study == Study::TwoMonoTitration;
    switch (v) {
    case FitValue::C1:
        return 2;
    case FitValue::C2:
        return two ? 12 : 0;
    case FitValue::Cb:
        return 1;
    case FitValue::PK1:
        return 4;
    case FitValue::PK2:
        return two ? 14 : 5;
    case FitValue::PK3:
        return two ? 0 : 6;
    }
    return 0;
}

std::vector<FitValue> fittableValues(const PanelFields& panel) {
    std::vector<FitValue> values;
    if (!isTitration(panel.study)) return values;
    for (int k = 0; k < kFitValueCount; ++k) {
        const auto v = static_cast<FitValue>(k);
        const int field = fitValueField(panel.study, v);
        // The pKa2 and pKa3 of a polyacid exist when the panel shows them.
        const bool shownPK = field != 5 && field != 6 ? true : panel.visible[field];
        if (field != 0 && shownPK) values.push_back(v);
    }
    return values;
}

std::vector<FitValue> defaultFreeValues(const PanelFields& panel) {
    std::vector<FitValue> values;
    for (FitValue v : fittableValues(panel)) {
        if (v == FitValue::Cb) continue;
        if (!isConcentration(v)) {
            // Only the acidities the acid has and a titration can show.
            const double pk =
                workingPK(panel.side, ParseBoundedNumber(panel.text[fitValueField(panel.study, v)],
                                                         kMinPK, kMaxPK)
                                          .value);
            if (!(pk > -1 && pk < kAbsentWorkingPK)) continue;
        }
        values.push_back(v);
    }
    return values;
}

FitPoints fitPointsOf(const std::vector<std::string>& pastedText, bool volumeFirst,
                      bool inMillilitres) {
    FitPoints out;
    std::vector<PastedPair> read = ReadPastedPoints(pastedText, volumeFirst, kMaxFitPoints + 1);
    if (read.size() > kMaxFitPoints) {
        out.cut = true;
        read.resize(kMaxFitPoints);
    }
    const double litresPerUnit = inMillilitres ? 1e-3 : 1;
    for (PastedPair p : read) {
        p.volume *= litresPerUnit;
        if (!(std::isfinite(p.volume) && std::isfinite(p.pH) && p.pH > 0 && p.pH < 14)) {
            ++out.outOfRange;
            continue;
        }
        const bool seen =
            std::any_of(out.points.begin(), out.points.end(),
                        [&](const PastedPair& q) { return q.volume == p.volume && q.pH == p.pH; });
        if (seen) {
            ++out.repeated;
            continue;
        }
        out.points.push_back(p);
    }
    return out;
}

std::pair<std::string, std::string> formatMeasured(double value, double uncertainty,
                                                   char separator) {
    if (!(uncertainty > 0) || !std::isfinite(uncertainty) || !std::isfinite(value) || value == 0)
        return {formatGeneral(value, 6, separator), formatGeneral(uncertainty, 2, separator)};
    // The decimal place of the uncertainty's second significant digit, and of the value's
    // last digit: three to eight significant digits of the value.
    const int uExponent = static_cast<int>(std::floor(std::log10(uncertainty)));
    const int vExponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    int place = uExponent - 1;
    place = std::min(place, vExponent - 2);
    place = std::max(place, vExponent - 7);
    if (place < -10 || vExponent > 8)
        return {formatGeneral(value, vExponent - place + 1, separator),
                formatGeneral(uncertainty, 2, separator)};
    auto fixed = [&](double x) {
        const double scaled = std::round(std::abs(x) / std::pow(10.0, place));
        std::string digits = std::to_string(static_cast<long long>(scaled));
        std::string text;
        if (place >= 0) {
            text = digits + std::string(static_cast<std::size_t>(place), '0');
        } else {
            const std::size_t decimals = static_cast<std::size_t>(-place);
            if (digits.size() <= decimals)
                digits = std::string(decimals - digits.size() + 1, '0') + digits;
            text = digits.substr(0, digits.size() - decimals) + separator +
                   digits.substr(digits.size() - decimals);
        }
        return (x < 0 && scaled > 0 ? "-" : "") + text;
    };
    return {fixed(value), fixed(uncertainty)};
}

std::string fitValueCaption(FitValue v, Language language) {
    return texts::kFitCaptions[static_cast<int>(v)].in(language);
}

void applyFit(PanelFields& panel, const FitResult& result, char separator) {
    if (!result.ok) return;
    for (const FittedValue& v : result.values)
        if (!std::isfinite(v.value)) return;
    for (const FittedValue& v : result.values)
        if (v.field >= 1 && v.field <= 16)
            panel.text[v.field] = formatMeasured(v.value, v.uncertainty, separator).first;
}

} // namespace titralab
