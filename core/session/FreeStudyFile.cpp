// The free study's section of a study file: each row as typed, with the solutes it resolved to
// (names, formula, charge, pKa, ΔH°, λ°), so that a study naming an entry another computer
// lacks still opens and computes there.
#include "core/session/FreeStudy.h"

#include "core/session/StudyRecord.h"
#include "core/texts/StudyTexts.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <set>

namespace titralab {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

namespace {

constexpr std::size_t kMaxRowSolutes = 8;
constexpr std::size_t kMaxNameBytes = 200;
constexpr double kMaxEnthalpy = 1000;    // kJ/mol
constexpr double kMaxConductivity = 100; // mS·m²/mol

// The names read from files live as long as the program: a system's form names are Text pairs
// of C strings. Each distinct name is kept once.
const char* keptName(const std::string& name) {
    static std::set<std::string> names;
    return names.insert(name).first->c_str();
}

OrderedJson soluteJson(const Solute& s) {
    OrderedJson j;
    j["label"] = s.label;
    j["amount"] = s.concentration;
    if (s.kind == SoluteKind::Spectator) {
        j["ion"] = spectatorIonData(s.ion).formula;
        return j;
    }
    const AcidBaseSystem& system = s.system;
    j["charge"] = system.protonatedCharge;
    j["pka"] = system.pKa;
    OrderedJson enthalpy = OrderedJson::array();
    for (double h : system.enthalpy)
        enthalpy.push_back(std::isfinite(h) ? OrderedJson(h) : OrderedJson(nullptr));
    j["enthalpy"] = enthalpy;
    j["conductivity"] = system.conductivities;
    OrderedJson names = OrderedJson::array();
    for (const Text& t : system.formNames)
        names.push_back(OrderedJson::array({t.fr ? t.fr : "", t.en ? t.en : ""}));
    j["names"] = names;
    return j;
}

struct Refusal {
    std::string key;
    const Text* expected;
};

// The value of `key`, or null when the object has none.
const Json& member(const Json& object, const char* key) {
    static const Json none;
    const auto it = object.find(key);
    return it == object.end() ? none : *it;
}

std::string textOf(const Json& v, const std::string& path, std::size_t maxBytes) {
    if (v.is_null()) return {};
    if (!v.is_string() || v.get_ref<const std::string&>().size() > maxBytes)
        throw Refusal{path, &texts::kExpectedShortText};
    return v.get<std::string>();
}

double numberOf(const Json& v, const std::string& path, double low, double high) {
    if (!v.is_number() || !(v.get<double>() >= low) || !(v.get<double>() <= high))
        throw Refusal{path, &texts::kExpectedNumber};
    return v.get<double>();
}

const Json& listOf(const Json& v, const std::string& path, std::size_t maxCount) {
    static const Json empty = Json::array();
    if (v.is_null()) return empty;
    if (!v.is_array() || v.size() > maxCount) throw Refusal{path, &texts::kExpectedSection};
    return v;
}

Solute readSolute(const Json& j, const std::string& path) {
    if (!j.is_object()) throw Refusal{path, &texts::kExpectedSection};
    const std::string label = textOf(member(j, "label"), path + ".label", kMaxNameBytes);
    const double amount =
        numberOf(member(j, "amount"), path + ".amount", 1e-12, 1e3); // per formula unit
    const Json& ion = member(j, "ion");
    if (!ion.is_null()) {
        const std::string formula = textOf(ion, path + ".ion", kMaxNameBytes);
        for (const SpectatorIonData& d : spectatorIons())
            if (formula == d.formula) return spectatorSolute(d.ion, amount);
        throw Refusal{path + ".ion", &texts::kExpectedText};
    }
    AcidBaseSystem system;
    const Json& pKa = listOf(member(j, "pka"), path + ".pka", kMaxSystemAcidities);
    if (pKa.empty()) throw Refusal{path + ".pka", &texts::kExpectedNumber};
    for (std::size_t k = 0; k < pKa.size(); ++k)
        system.pKa.push_back(numberOf(pKa[k], path + ".pka", kMinPK, kMaxPK));
    const std::size_t forms = system.pKa.size() + 1;
    system.protonatedCharge =
        static_cast<int>(numberOf(member(j, "charge"), path + ".charge", -kMaxSystemAcidities,
                                  2 * kMaxSystemAcidities));
    for (const Json& h : listOf(member(j, "enthalpy"), path + ".enthalpy", pKa.size()))
        system.enthalpy.push_back(
            h.is_null() ? std::nan("")
                        : numberOf(h, path + ".enthalpy", -kMaxEnthalpy, kMaxEnthalpy));
    for (const Json& l : listOf(member(j, "conductivity"), path + ".conductivity", forms))
        system.conductivities.push_back(numberOf(l, path + ".conductivity", -1, kMaxConductivity));
    for (const Json& n : listOf(member(j, "names"), path + ".names", forms)) {
        if (!n.is_array() || n.size() != 2) throw Refusal{path + ".names", &texts::kExpectedText};
        system.formNames.push_back({keptName(textOf(n[0], path + ".names", kMaxNameBytes)),
                                    keptName(textOf(n[1], path + ".names", kMaxNameBytes))});
    }
    return systemSolute(std::move(system), amount, label);
}

std::vector<FreeRow> readRows(const Json& list, const std::string& path) {
    std::vector<FreeRow> rows;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::string rowPath = path + "." + std::to_string(k + 1);
        const Json& j = list[k];
        if (!j.is_object()) throw Refusal{rowPath, &texts::kExpectedSection};
        FreeRow row;
        row.what = textOf(member(j, "what"), rowPath + ".what", kMaxStudyRowText);
        row.concentration =
            textOf(member(j, "concentration"), rowPath + ".concentration", kMaxNameBytes);
        row.formula = textOf(member(j, "formula"), rowPath + ".formula", kMaxNameBytes);
        const Json& solutes =
            listOf(member(j, "solutes"), rowPath + ".solutes", kMaxRowSolutes);
        for (std::size_t s = 0; s < solutes.size(); ++s)
            row.resolved.push_back(
                readSolute(solutes[s], rowPath + ".solutes." + std::to_string(s + 1)));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::string solutionSectionText(const FreeStudyInputs& inputs) {
    OrderedJson j;
    j["beaker_volume"] = inputs.beakerVolume;
    j["max_volume"] = inputs.maxVolume;
    for (FreeSide side : {FreeSide::Beaker, FreeSide::Burette}) {
        OrderedJson rows = OrderedJson::array();
        for (const FreeRow& row : inputs.rows(side)) {
            OrderedJson r;
            r["what"] = row.what;
            r["concentration"] = row.concentration;
            if (!row.formula.empty()) r["formula"] = row.formula;
            OrderedJson solutes = OrderedJson::array();
            for (const Solute& s : row.resolved) solutes.push_back(soluteJson(s));
            r["solutes"] = solutes;
            rows.push_back(r);
        }
        j[side == FreeSide::Beaker ? "beaker" : "burette"] = rows;
    }
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

SolutionSectionReading readSolutionSection(const std::string& text, Language language) {
    SolutionSectionReading out;
    const std::string path = kSolutionSection;
    const Json j = Json::parse(text, nullptr, false);
    try {
        if (!j.is_object()) throw Refusal{path, &texts::kExpectedSection};
        FreeStudyInputs inputs;
        inputs.beakerVolume =
            textOf(member(j, "beaker_volume"), path + ".beaker_volume", kMaxNameBytes);
        inputs.maxVolume =
            textOf(member(j, "max_volume"), path + ".max_volume", kMaxNameBytes);
        inputs.beaker = readRows(listOf(member(j, "beaker"), path + ".beaker", kMaxFreeRows),
                                 path + ".beaker");
        inputs.burette = readRows(
            listOf(member(j, "burette"), path + ".burette", kMaxFreeRows), path + ".burette");
        out.inputs = std::move(inputs);
    } catch (const Refusal& r) {
        out.problem = texts::badValue(r.key, r.expected->in(language), language);
    }
    return out;
}

} // namespace titralab
