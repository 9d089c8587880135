#include "core/texts/SoluteCard.h"

#include "core/numbers/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace titralab::texts {

namespace {

std::string chargeSuffix(int z) {
    if (z == 0) return {};
    const std::string sign = z > 0 ? "+" : "-";
    return std::abs(z) == 1 ? sign : std::to_string(std::abs(z)) + sign;
}

constexpr Text kOtherNames{"Autres noms : ", "Other names: "};
constexpr Text kProtonatedForm{"Forme la plus protonée : ", "Fully protonated form: "};
constexpr Text kCharge{", charge ", ", charge "};
constexpr Text kSpecies{"Espèces : ", "Species: "};
constexpr Text kCouple{"Couple ", "Couple "};
constexpr Text kIs{" : ", ": "};
constexpr Text kAnd{" ; ", "; "};
constexpr Text kLambda{"λ° (mS·m²/mol) : ", "λ° (mS·m²/mol): "};
constexpr Text kSources{"Sources :", "Sources:"};

std::string sourceText(const SoluteDatabase& database, const std::string& key, Language language) {
    for (const SoluteSource& s : database.sources)
        if (s.key == key) return s.in(language);
    return {};
}

} // namespace

std::vector<std::string> genericSpecies(const AcidBaseSystem& system) {
    std::vector<std::string> out;
    const int n = system.acidities();
    for (int form = 0; form <= n; ++form) {
        const int protons = n - form;
        std::string s = protons == 0 ? "" : protons == 1 ? "H" : "H" + std::to_string(protons);
        out.push_back(s + "A" + chargeSuffix(system.charge(form)));
    }
    return out;
}

std::vector<std::string> soluteCard(const SoluteDatabase& database, const SoluteEntry& entry,
                                    Language language, char separator) {
    const bool en = language == Language::English;
    auto number = [separator](double x) { return formatGeneral(x, 6, separator); };
    auto t = [language](const Text& text) { return std::string(text.in(language)); };
    std::vector<std::string> lines;
    lines.push_back(en ? entry.nameEn + " (" + entry.nameFr + ")"
                       : entry.nameFr + " (" + entry.nameEn + ")");
    if (!entry.synonyms.empty()) {
        std::string s = t(kOtherNames);
        for (std::size_t i = 0; i < entry.synonyms.size(); ++i)
            s += (i ? ", " : "") + entry.synonyms[i];
        lines.push_back(s);
    }
    const AcidBaseSystem& system = entry.system;
    lines.push_back(t(kProtonatedForm) + entry.formula + t(kCharge) +
                    std::to_string(system.protonatedCharge));
    const std::vector<std::string> species = genericSpecies(system);
    std::string all = t(kSpecies);
    for (std::size_t i = 0; i < species.size(); ++i) all += (i ? ", " : "") + species[i];
    lines.push_back(all);
    std::vector<std::string> keys;
    auto keep = [&keys](const std::string& key) {
        if (key != "-" && std::find(keys.begin(), keys.end(), key) == keys.end())
            keys.push_back(key);
    };
    for (int i = 0; i < system.acidities(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        std::string line = t(kCouple) + species[k] + "/" + species[k + 1] + t(kIs) +
                           "pKa = " + number(system.pKa[k]) + " [" + entry.pKaSources.at(k) + "]";
        keep(entry.pKaSources[k]);
        if (k < system.enthalpy.size() && !std::isnan(system.enthalpy[k])) {
            line += t(kAnd) + "ΔH° = " + number(system.enthalpy[k]) + " kJ/mol [" +
                    entry.enthalpySources.at(k) + "]";
            keep(entry.enthalpySources[k]);
        }
        lines.push_back(line);
    }
    std::string lambda;
    for (int form = 0; form <= system.acidities(); ++form) {
        const double l = system.conductivity(form);
        if (l < 0) continue;
        const auto k = static_cast<std::size_t>(form);
        lambda += (lambda.empty() ? "" : t(kAnd)) + species[k] + " " + number(l) + " [" +
                  entry.conductivitySources.at(k) + "]";
        keep(entry.conductivitySources[k]);
    }
    if (!lambda.empty()) lines.push_back(t(kLambda) + lambda);
    lines.push_back(t(kSources));
    for (const std::string& key : keys)
        lines.push_back(key + t(kIs) + sourceText(database, key, language));
    return lines;
}

} // namespace titralab::texts
