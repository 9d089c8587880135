#include "core/session/FreeFit.h"

#include "core/chemistry/SolutionItems.h"
#include "core/curves/FreeTable.h"
#include "core/curves/Overlays.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/Fit.h"
#include "core/texts/FreeStudyTexts.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace titralab {

FreeRowLayout freeRowLayout(const FreeStudyInputs& inputs) {
    FreeRowLayout layout;
    for (bool burette : {false, true}) {
        const std::vector<FreeRow>& rows =
            inputs.rows(burette ? FreeSide::Burette : FreeSide::Beaker);
        std::vector<FreeRowPlace>& places = burette ? layout.burette : layout.beaker;
        int first = 0;
        const int count = std::min(static_cast<int>(rows.size()), kMaxFreeRows);
        for (int k = 0; k < count; ++k) {
            const FreeRow& row = rows[static_cast<std::size_t>(k)];
            const BoundedNumber c =
                ParseBoundedNumber(row.concentration, kItemMinConcentration, kItemMaxConcentration);
            const int solutes = static_cast<int>(row.resolved.size());
            places.push_back({first, solutes, c.ok ? c.value : 0});
            first += solutes;
        }
    }
    return layout;
}

std::vector<FreeRowValue> freeRowValues(const Simulation& sim) {
    const std::optional<FreeTitration>& t = sim.freeStudy.result.titration;
    if (!t) return {};
    return freeRowValues(*t, freeRowLayout(sim.freeStudy.inputs));
}

std::optional<double> freeRowValueIn(const Simulation& sim, const FreeRowValue& value) {
    for (const auto& [given, number] : sim.freeStudy.given)
        if (given == value) return number;
    const std::optional<FreeTitration>& t = sim.freeStudy.result.titration;
    if (!t) return std::nullopt;
    return freeRowValueIn(*t, freeRowLayout(sim.freeStudy.inputs), value);
}

namespace {

// "Bécher 1 (HCl)".
std::string rowName(const FreeStudyInputs& inputs, const FreeRowValue& value, Language language) {
    std::string out = (value.burette ? texts::kFreeBurette : texts::kFreeBeaker).in(language);
    out += " " + std::to_string(value.row + 1);
    const std::vector<FreeRow>& rows =
        inputs.rows(value.burette ? FreeSide::Burette : FreeSide::Beaker);
    if (value.row >= 0 && value.row < static_cast<int>(rows.size())) {
        const std::string& what = rows[static_cast<std::size_t>(value.row)].what;
        if (!what.empty()) out += " (" + what.substr(0, 40) + ")";
    }
    return out;
}

std::string quantityName(const FreeRowValue& value) {
    return value.pK == 0 ? "c" : "pKa" + std::to_string(value.pK);
}

} // namespace

std::string freeRowValueCaption(const FreeStudyInputs& inputs, const FreeRowValue& value,
                                Language language, bool withUnit) {
    return rowName(inputs, value, language) + kColon.in(language) + quantityName(value) +
           (value.pK == 0 && withUnit ? " (mol/L)" : "");
}

std::string describeFreeRowValue(const FreeStudyInputs& inputs, const FreeRowValue& value,
                                 double number, Language language) {
    const char separator = language == Language::French ? ',' : '.';
    return rowName(inputs, value, language) + kColon.in(language) + quantityName(value) + " = " +
           formatGeneral(number, 4, separator) + (value.pK == 0 ? " mol/L" : "");
}

FreeFitResult fitFreeStudy(const Simulation& sim, const std::vector<FreeRowValue>& free,
                           const FitSettings& settings, const Conditions& conditions) {
    const std::optional<FreeTitration>& t = sim.freeStudy.result.titration;
    if (!t) {
        FreeFitResult refused;
        refused.refusal = sim.freeStudy.result.errors.empty() ? std::string{}
                                                              : sim.freeStudy.result.errors.front();
        return refused;
    }
    return fitFreePoints(*t, freeRowLayout(sim.freeStudy.inputs), sim.language, fitPointsOf(sim),
                         free, settings, conditions);
}

namespace {

// The one system of a row whose end form is neutral (the items' grammar writes it), or none.
std::optional<AcidBaseSystem> writableSystem(const FreeRow& row) {
    if (row.resolved.size() != 1 || row.resolved.front().kind != SoluteKind::System)
        return std::nullopt;
    const AcidBaseSystem& system = row.resolved.front().system;
    if (system.protonatedCharge != 0 && system.protonatedCharge != system.acidities())
        return std::nullopt;
    return system;
}

// "acid(2.15,7.2,12.35)", "base(9.25)".
std::string grammarOf(AcidBaseSystem system) {
    std::sort(system.pKa.begin(), system.pKa.end());
    std::string out = system.protonatedCharge == 0 ? "acid(" : "base(";
    for (std::size_t k = 0; k < system.pKa.size(); ++k)
        out += (k ? "," : "") + formatGeneral(system.pKa[k], 6, '.');
    return out + ")";
}

} // namespace

void applyFreeFit(Simulation& sim, const FreeFitResult& result, bool volumesInMillilitres) {
    if (sim.pasted.inMillilitres != volumesInMillilitres) {
        sim.pasted.inMillilitres = volumesInMillilitres;
        markStudyChanged(sim);
    }
    if (!result.ok || result.freed.size() != result.values.size()) return;
    for (const FittedValue& v : result.values)
        if (!std::isfinite(v.value)) return;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    FreeStudyInputs& inputs = sim.freeStudy.inputs;
    bool changed = false;
    for (FreeSide side : {FreeSide::Beaker, FreeSide::Burette}) {
        std::vector<FreeRow>& rows = inputs.rows(side);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const FreeRow row = rows[static_cast<std::size_t>(r)];
            std::string what = row.what, concentration = row.concentration;
            std::optional<AcidBaseSystem> system = writableSystem(row);
            bool pKFitted = false;
            for (std::size_t j = 0; j < result.freed.size(); ++j) {
                const FreeRowValue& v = result.freed[j];
                if (v.burette != (side == FreeSide::Burette) || v.row != r) continue;
                const FittedValue& fitted = result.values[j];
                if (v.pK == 0) {
                    concentration =
                        formatMeasured(fitted.value, fitted.uncertainty, separator).first;
                } else if (system && v.pK <= system->acidities()) {
                    system->pKa[static_cast<std::size_t>(v.pK - 1)] = fitted.value;
                    pKFitted = true;
                }
            }
            if (pKFitted) what = grammarOf(*system);
            if (what == row.what && concentration == row.concentration) continue;
            setFreeRow(inputs, side, r, what, concentration);
            changed = true;
        }
    }
    if (changed) markStudyChanged(sim);
}

int freeRowAcidities(const FreeRow& row) {
    const std::optional<AcidBaseSystem> system = writableSystem(row);
    return system ? system->acidities() : 0;
}

std::optional<double> setFreeRowPKa(FreeStudyInputs& inputs, FreeSide side, int row, int k,
                                    double pKa) {
    std::vector<FreeRow>& rows = inputs.rows(side);
    if (row < 0 || row >= static_cast<int>(rows.size())) return std::nullopt;
    const FreeRow current = rows[static_cast<std::size_t>(row)];
    std::optional<AcidBaseSystem> system = writableSystem(current);
    if (!system || k < 1 || k > system->acidities() || !std::isfinite(pKa)) return std::nullopt;
    std::vector<double>& pK = system->pKa;
    std::sort(pK.begin(), pK.end());
    const std::size_t at = static_cast<std::size_t>(k - 1);
    const double low = at > 0 ? pK[at - 1] : kMinPK;
    const double high = at + 1 < pK.size() ? pK[at + 1] : kMaxPK;
    pK[at] = std::clamp(pKa, low, high);
    const double set = pK[at];
    // The row keeps what it resolved to, with the new pKa, so that it reads at once.
    setFreeRow(inputs, side, row, grammarOf(*system), current.concentration);
    FreeRow& written = rows[static_cast<std::size_t>(row)];
    written.resolved = current.resolved;
    written.resolved.front().system.pKa = pK;
    return set;
}

FreeValueList parseFreeFamilyValues(const Simulation& sim, const FreeRowValue& value,
                                    const std::string& text) {
    const bool english = sim.language == Language::English;
    FreeValueList out;
    const double low = value.pK == 0 ? kItemMinConcentration : kMinPK;
    const double high = value.pK == 0 ? kItemMaxConcentration : kMaxPK;
    std::stringstream in(text.substr(0, 4000));
    std::string item;
    while (std::getline(in, item, ';')) {
        if (item.find_first_not_of(" \t") == std::string::npos) continue;
        const BoundedNumber n = ParseBoundedNumber(item, low, high);
        if (!n.ok || (value.pK == 0 && !(n.value > 0))) {
            const char separator = english ? '.' : ',';
            out.refusal = (english ? "'" + item + "' is not a value from "
                                   : "« " + item + " » n'est pas une valeur de ") +
                          formatGeneral(low, 4, separator) + (english ? " to " : " à ") +
                          formatGeneral(high, 4, separator) + (value.pK == 0 ? " mol/L" : "");
            out.values.clear();
            return out;
        }
        out.values.push_back(n.value);
    }
    if (out.values.empty() || out.values.size() > static_cast<std::size_t>(kMaxFamilyValues)) {
        out.refusal = english ? "1 to " + std::to_string(kMaxFamilyValues) + " values are needed"
                              : "il faut de 1 à " + std::to_string(kMaxFamilyValues) + " valeurs";
        out.values.clear();
    }
    return out;
}

std::vector<FreeTitration> freeFamilyMembers(const Simulation& sim, const FreeRowValue& value,
                                             const std::vector<double>& numbers) {
    const std::optional<FreeTitration>& t = sim.freeStudy.result.titration;
    std::vector<FreeTitration> members;
    if (!t) return members;
    const FreeRowLayout layout = freeRowLayout(sim.freeStudy.inputs);
    if (!freeRowValueIn(*t, layout, value)) return members;
    for (double number : numbers) members.push_back(withFreeRowValue(*t, layout, value, number));
    return members;
}

ExportTable freeVaryColumns(const Simulation& sim, const FreeRowValue& value,
                            const std::vector<double>& numbers, const Conditions& conditions) {
    const std::vector<FreeTitration> members = freeFamilyMembers(sim, value, numbers);
    if (members.empty()) return {};
    FreeTableRequest request;
    request.points = sim.state.pointCount;
    request.language = sim.language;
    request.decimalComma = sim.exportSettings.decimalComma;
    request.digits = sim.exportSettings.digits;
    request.conditions = conditions;
    const FreeStudyResult& result = sim.freeStudy.result;
    if (!sim.freeStudy.inputs.maxVolume.empty()) {
        request.maxVolume = result.maxVolume;
    } else {
        for (const FreeTitration& m : members)
            request.maxVolume = std::max(request.maxVolume,
                                         defaultFreeMaxVolume(m, freeEquivalences(m, conditions)));
    }
    std::vector<std::string> labels;
    for (double number : numbers)
        labels.push_back(describeFreeRowValue(sim.freeStudy.inputs, value, number, sim.language));
    return freeFamilyColumns(members, labels, request);
}

} // namespace titralab
