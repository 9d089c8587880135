#include "core/system/UserSolutes.h"

#include "core/base/SearchFolding.h"
#include "core/base/Trimmed.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/texts/UserSoluteTexts.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

namespace titralab {

namespace {

bool hasControl(std::string_view s) {
    for (char c : s)
        if (c == '\t' || c == '\n' || c == '\r') return true;
    return false;
}

// Items separated by blanks or ";".
std::vector<std::string> items(std::string_view text) {
    std::vector<std::string> out;
    std::string item;
    for (char c : text) {
        if (c == ' ' || c == ';' || c == '\t') {
            if (!item.empty()) out.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty()) out.push_back(item);
    return out;
}

// Numbers within [-bound, bound] or [0, bound], "-" for unknown (NaN); exactly `count`, or
// none at all. nullopt when wrong.
std::optional<std::vector<double>> optionalNumbers(std::string_view text, std::size_t count,
                                                   double low, double high) {
    const std::vector<std::string> list = items(text);
    if (list.empty() || (list.size() == 1 && list[0] == "-")) return std::vector<double>{};
    if (list.size() != count) return std::nullopt;
    std::vector<double> values;
    for (const std::string& item : list) {
        if (item == "-") {
            values.push_back(std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        const BoundedNumber n = ParseBoundedNumber(item, low, high);
        if (!n.ok) return std::nullopt;
        values.push_back(n.value);
    }
    return values;
}

std::string filled(const Text& text, Language language, std::string_view one,
                   std::string_view two = {}) {
    std::string s = text.in(language);
    if (const std::size_t at = s.find("%1"); at != std::string::npos) s.replace(at, 2, one);
    if (const std::size_t at = s.find("%2"); at != std::string::npos) s.replace(at, 2, two);
    return s;
}

std::vector<std::string_view> columns(std::string_view line) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = line.find('\t');
        parts.push_back(line.substr(0, at));
        if (at == std::string_view::npos) return parts;
        line = line.substr(at + 1);
    }
}

// Values separated by spaces, "-" for an unknown one (NaN, or negative when `negativeUnknown`:
// the λ° of the chemistry's systems).
std::string joined(const std::vector<double>& values, char separator, bool negativeUnknown) {
    std::string out;
    for (double v : values) {
        if (!out.empty()) out += ' ';
        out += (std::isnan(v) || (negativeUnknown && v < 0)) ? std::string("-")
                                                             : formatGeneral(v, 6, separator);
    }
    return out;
}

// Keys matching values: the user's key for each known value, "-" for each unknown one.
std::vector<std::string> keysOf(const std::vector<double>& values, bool negativeUnknown) {
    std::vector<std::string> keys;
    for (double v : values)
        keys.emplace_back((std::isnan(v) || (negativeUnknown && v < 0)) ? "-" : kUserSourceKey);
    return keys;
}

std::string keyColumn(const std::vector<std::string>& keys) {
    bool any = false;
    std::string out;
    for (const std::string& k : keys) {
        any = any || k != "-";
        out += (out.empty() ? "" : " ") + k;
    }
    return any ? out : "-";
}

bool sameName(const SoluteEntry& a, const SoluteEntry& b) {
    const std::string fr = foldForSearch(a.nameFr), en = foldForSearch(a.nameEn);
    const std::string otherFr = foldForSearch(b.nameFr), otherEn = foldForSearch(b.nameEn);
    return fr == otherFr || en == otherEn || fr == otherEn || en == otherFr;
}

constexpr std::size_t kMaxLineBytes = 4096;

} // namespace

UserSoluteMade makeUserSolute(const UserSoluteFields& fields) {
    UserSoluteMade made;
    auto refuse = [&made](UserSoluteField field, const Text& message) {
        made.problem = UserSoluteProblem{field, message};
        return made;
    };
    SoluteEntry& e = made.entry;
    e.nameFr = trimmed(fields.nameFr);
    e.nameEn = trimmed(fields.nameEn);
    if (e.nameFr.empty()) return refuse(UserSoluteField::NameFr, texts::kUserNameFrMissing);
    if (e.nameFr.size() > kUserMaxNameBytes || hasControl(e.nameFr) ||
        e.nameFr.find('|') != std::string::npos)
        return refuse(UserSoluteField::NameFr, texts::kUserNameTooLong);
    if (e.nameEn.empty()) return refuse(UserSoluteField::NameEn, texts::kUserNameEnMissing);
    if (e.nameEn.size() > kUserMaxNameBytes || hasControl(e.nameEn) ||
        e.nameEn.find('|') != std::string::npos)
        return refuse(UserSoluteField::NameEn, texts::kUserNameTooLong);
    std::string_view synonyms = trimmed(fields.synonyms);
    if (synonyms == "-") synonyms = {};
    if (hasControl(synonyms)) return refuse(UserSoluteField::Synonyms, texts::kUserSynonymsBad);
    while (!synonyms.empty()) {
        const std::size_t bar = synonyms.find('|');
        const std::string_view one = trimmed(synonyms.substr(0, bar));
        if (one.size() > kUserMaxNameBytes)
            return refuse(UserSoluteField::Synonyms, texts::kUserSynonymsBad);
        if (!one.empty()) e.synonyms.emplace_back(one);
        synonyms = bar == std::string_view::npos ? std::string_view{} : synonyms.substr(bar + 1);
    }
    e.formula = trimmed(fields.formula);
    if (e.formula.empty() || e.formula.size() > kUserMaxFormulaBytes || hasControl(e.formula))
        return refuse(UserSoluteField::Formula, texts::kUserFormulaBad);
    const std::string_view charge = trimmed(fields.charge);
    const BoundedNumber z = ParseBoundedNumber(charge, -6, 6);
    if (charge.empty() || !z.ok || z.value != std::floor(z.value))
        return refuse(UserSoluteField::Charge, texts::kUserChargeBad);
    e.system.protonatedCharge = static_cast<int>(z.value);
    const std::vector<std::string> pKa = items(fields.pKa);
    if (pKa.empty() || pKa.size() > static_cast<std::size_t>(kMaxSystemAcidities))
        return refuse(UserSoluteField::PKa, texts::kUserPKaBad);
    for (const std::string& item : pKa) {
        const BoundedNumber p = ParseBoundedNumber(item, kUserMinPKa, kUserMaxPKa);
        if (!p.ok) return refuse(UserSoluteField::PKa, texts::kUserPKaBad);
        if (!e.system.pKa.empty() && p.value <= e.system.pKa.back())
            return refuse(UserSoluteField::PKa, texts::kUserPKaNotAscending);
        e.system.pKa.push_back(p.value);
    }
    const std::size_t n = e.system.pKa.size();
    const auto enthalpy = optionalNumbers(fields.enthalpy, n, -kUserMaxEnthalpy, kUserMaxEnthalpy);
    if (!enthalpy) return refuse(UserSoluteField::Enthalpy, texts::kUserEnthalpyBad);
    e.system.enthalpy = *enthalpy;
    const auto lambda = optionalNumbers(fields.conductivity, n + 1, 0, kUserMaxConductivity);
    if (!lambda) return refuse(UserSoluteField::Conductivity, texts::kUserConductivityBad);
    e.system.conductivities = *lambda;
    for (double& l : e.system.conductivities)
        if (std::isnan(l)) l = -1;
    e.pKaSources.assign(n, kUserSourceKey);
    e.enthalpySources = keysOf(e.system.enthalpy, false);
    e.conductivitySources = keysOf(e.system.conductivities, true);
    return made;
}

UserSoluteFields userSoluteFields(const SoluteEntry& entry, char separator) {
    UserSoluteFields f;
    f.nameFr = entry.nameFr;
    f.nameEn = entry.nameEn;
    for (const std::string& s : entry.synonyms) f.synonyms += (f.synonyms.empty() ? "" : "|") + s;
    f.formula = entry.formula;
    f.charge = std::to_string(entry.system.protonatedCharge);
    f.pKa = joined(entry.system.pKa, separator, false);
    f.enthalpy = joined(entry.system.enthalpy, separator, false);
    f.conductivity = joined(entry.system.conductivities, separator, true);
    return f;
}

std::string userSolutesText(const std::vector<SoluteEntry>& entries) {
    std::string out =
        "# Mes espèces / My species: one acid-base system a line, the 11 tab-separated columns\n"
        "# of the program's solutes.tsv (names, synonyms, formula, charge, pKa, sources, ΔH°,\n"
        "# sources, λ°, sources).\n";
    for (const SoluteEntry& e : entries) {
        const UserSoluteFields f = userSoluteFields(e, '.');
        out += e.nameFr + '\t' + e.nameEn + '\t' + (f.synonyms.empty() ? "-" : f.synonyms) + '\t' +
               e.formula + '\t' + f.charge + '\t' + f.pKa + '\t' + keyColumn(e.pKaSources) + '\t' +
               (e.system.enthalpy.empty() ? "-" : f.enthalpy) + '\t' +
               keyColumn(keysOf(e.system.enthalpy, false)) + '\t' +
               (e.system.conductivities.empty() ? "-" : f.conductivity) + '\t' +
               keyColumn(keysOf(e.system.conductivities, true)) + '\n';
    }
    return out;
}

UserSolutesRead readUserSolutes(std::string_view text, std::string_view fileName,
                                Language language) {
    UserSolutesRead read;
    if (text.size() > kMaxSoluteFileBytes) {
        read.error = filled(texts::kUserFileTooLarge, language, fileName);
        return read;
    }
    for (const DataLine& data : dataLines(text)) {
        const std::string_view line = data.text;
        const int number = data.number;
        if (trimmed(line).empty()) continue;
        auto refuse = [&](const std::string& why) {
            read.entries.clear();
            read.error =
                filled(texts::kUserFileLine, language, fileName, std::to_string(number)) + why;
            return read;
        };
        if (static_cast<int>(read.entries.size()) >= kMaxUserSolutes) {
            read.entries.clear();
            read.error = filled(texts::kUserFileTooMany, language, fileName);
            return read;
        }
        const std::vector<std::string_view> f = columns(line);
        if (f.size() != 11 || line.size() > kMaxLineBytes)
            return refuse(texts::kUserFileColumns.in(language));
        const UserSoluteFields fields{std::string(f[0]), std::string(f[1]), std::string(f[2]),
                                      std::string(f[3]), std::string(f[4]), std::string(f[5]),
                                      std::string(f[7]), std::string(f[9])};
        UserSoluteMade made = makeUserSolute(fields);
        if (made.problem) return refuse(made.problem->message.in(language));
        for (const SoluteEntry& before : read.entries)
            if (sameName(before, made.entry))
                return refuse(filled(texts::kUserFileDuplicate, language, made.entry.nameFr));
        read.entries.push_back(std::move(made.entry));
    }
    return read;
}

UserSolutesRead loadUserSolutes(const std::string& path, Language language) {
    UserSolutesRead read;
    std::error_code failed;
    if (!std::filesystem::exists(path, failed)) return read;
    if (std::string why = notRegularToRead(path, language); !why.empty()) {
        read.error = why;
        return read;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (in) {
        // One byte more than allowed tells a file too large without reading it all.
        text.resize(kMaxSoluteFileBytes + 1);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (!in && !in.eof()) {
        read.error = filled(texts::kUserFileUnreadable, language, path);
        return read;
    }
    return readUserSolutes(text, path, language);
}

std::string reloadUserSolutes(const std::string& path, std::vector<SoluteEntry>& entries,
                              Language language) {
    UserSolutesRead read = loadUserSolutes(path, language);
    if (read.error.empty()) entries = std::move(read.entries);
    return read.error;
}

WholeFileResult saveUserSolutes(const std::string& path, const std::vector<SoluteEntry>& entries,
                                Language language) {
    return writeWholeFile(path, userSolutesText(entries), language);
}

UserSolutesMerge mergeUserSolutes(const std::vector<SoluteEntry>& entries,
                                  const std::vector<SoluteEntry>& incoming,
                                  bool replaceDuplicates) {
    UserSolutesMerge merge{entries, {}};
    for (const SoluteEntry& e : incoming) {
        auto same = std::find_if(merge.entries.begin(), merge.entries.end(),
                                 [&](const SoluteEntry& old) { return sameName(old, e); });
        if (same == merge.entries.end()) {
            merge.entries.push_back(e);
            continue;
        }
        merge.duplicates.push_back(e.nameFr);
        if (replaceDuplicates) *same = e;
    }
    return merge;
}

void addUserSolutes(SoluteDatabase& database, const std::vector<SoluteEntry>& entries,
                    Language /*language: the source is listed in both*/) {
    if (entries.empty()) return;
    const bool listed = std::any_of(database.sources.begin(), database.sources.end(),
                                    [](const SoluteSource& s) { return s.key == kUserSourceKey; });
    if (!listed)
        database.sources.push_back({kUserSourceKey, texts::kUserSource.en, texts::kUserSource.fr});
    database.entries.insert(database.entries.end(), entries.begin(), entries.end());
}

} // namespace titralab
