#include "core/chemistry/SoluteDatabase.h"

#include "core/base/SearchFolding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <sstream>

namespace titralab {

namespace {

constexpr std::size_t kMaxLineBytes = 4096;
constexpr std::size_t kMaxLines = 20000;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text = text.substr(at + 1);
    }
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> out;
    for (std::string_view w : split(text, ' '))
        if (!w.empty()) out.emplace_back(w);
    return out;
}

std::optional<double> number(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || at != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> integer(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || at != end || text.empty()) return std::nullopt;
    return value;
}

std::string where(std::string_view fileName, int line) {
    return std::string(fileName) + ", line " + std::to_string(line) + ": ";
}

// Values separated by spaces, "-" for unknown (NaN); `count` of them, or all "-" as one "-".
std::optional<std::vector<double>> optionalValues(std::string_view text, std::size_t count) {
    std::vector<double> values;
    const std::vector<std::string> items = words(text);
    if (items.size() == 1 && items[0] == "-") return std::vector<double>{};
    if (items.size() != count) return std::nullopt;
    for (const std::string& item : items) {
        if (item == "-") {
            values.push_back(std::numeric_limits<double>::quiet_NaN());
            continue;
        }
        const std::optional<double> v = number(item);
        if (!v) return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

// Source keys matching `values`: a key for each known value, "-" for each unknown one.
bool keysMatch(const std::vector<std::string>& keys, const std::vector<double>& values) {
    if (values.empty()) return keys.empty() || (keys.size() == 1 && keys[0] == "-");
    if (keys.size() != values.size()) return false;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if ((keys[i] == "-") != std::isnan(values[i])) return false;
    return true;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::size_t>(size) > kMaxSoluteFileBytes) return std::nullopt;
    in.seekg(0);
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), size);
    if (!in) return std::nullopt;
    return text;
}

} // namespace

SoluteDatabaseRead readSoluteSystems(std::string_view text, std::string_view fileName) {
    SoluteDatabaseRead read;
    if (text.size() > kMaxSoluteFileBytes) {
        read.error = std::string(fileName) + ": larger than the database may be";
        return read;
    }
    const std::vector<DataLine> lines = dataLines(text);
    if (lines.size() > kMaxLines) {
        read.error = std::string(fileName) + ": more lines than the database may hold";
        return read;
    }
    for (const DataLine& line : lines) {
        const std::string at = where(fileName, line.number);
        auto refuse = [&](const std::string& why) {
            read.database.entries.clear();
            read.error = at + why;
            return read;
        };
        if (line.text.size() > kMaxLineBytes) return refuse("line too long");
        const std::vector<std::string_view> f = split(line.text, '\t');
        if (f.size() != 11)
            return refuse("11 tab-separated columns expected, " + std::to_string(f.size()) +
                          " found");
        SoluteEntry e;
        e.nameFr = f[0];
        e.nameEn = f[1];
        if (e.nameFr.empty() || e.nameEn.empty()) return refuse("a name is missing");
        if (f[2] != "-")
            for (std::string_view s : split(f[2], '|'))
                if (!s.empty()) e.synonyms.emplace_back(s);
        e.formula = f[3];
        if (e.formula.empty()) return refuse("the formula is missing");
        const std::optional<int> charge = integer(f[4]);
        if (!charge || *charge < -6 || *charge > 6) return refuse("charge out of -6…6");
        e.system.protonatedCharge = *charge;
        for (const std::string& item : words(f[5])) {
            const std::optional<double> v = number(item);
            if (!v || *v < -5 || *v > 20)
                return refuse("pKa '" + item + "' is not a number from -5 to 20");
            if (!e.system.pKa.empty() && *v <= e.system.pKa.back())
                return refuse("pKa values not ascending");
            e.system.pKa.push_back(*v);
        }
        if (e.system.pKa.empty() || e.system.acidities() > kMaxSystemAcidities)
            return refuse("1 to 6 pKa values expected");
        const std::size_t n = e.system.pKa.size();
        e.pKaSources = words(f[6]);
        if (e.pKaSources.size() != n ||
            std::count(e.pKaSources.begin(), e.pKaSources.end(), "-") != 0)
            return refuse("one source key for each pKa expected");
        const std::optional<std::vector<double>> enthalpy = optionalValues(f[7], n);
        if (!enthalpy) return refuse("one enthalpy (or -) for each pKa expected");
        e.system.enthalpy = *enthalpy;
        e.enthalpySources = words(f[8]);
        if (!keysMatch(e.enthalpySources, e.system.enthalpy))
            return refuse("one source key for each known enthalpy expected");
        const std::optional<std::vector<double>> lambda = optionalValues(f[9], n + 1);
        if (!lambda) return refuse("one conductivity (or -) for each form expected");
        e.system.conductivities = *lambda;
        for (double& l : e.system.conductivities)
            if (std::isnan(l)) l = -1;
        e.conductivitySources = words(f[10]);
        if (!keysMatch(e.conductivitySources, *lambda))
            return refuse("one source key for each known conductivity expected");
        read.database.entries.push_back(std::move(e));
    }
    if (read.database.entries.empty()) read.error = std::string(fileName) + ": no entry";
    return read;
}

std::string readSoluteSources(std::string_view text, std::string_view fileName,
                              SoluteDatabase& database) {
    if (text.size() > kMaxSoluteFileBytes)
        return std::string(fileName) + ": larger than the database may be";
    std::vector<SoluteSource> sources;
    for (const DataLine& line : dataLines(text)) {
        const std::vector<std::string_view> f = split(line.text, '\t');
        if (f.size() != 3 || f[0].empty() || f[1].empty() || f[2].empty() ||
            line.text.size() > kMaxLineBytes)
            return where(fileName, line.number) +
                   "a key, then the source in English and in French, separated by tabs, expected";
        sources.push_back({std::string(f[0]), std::string(f[1]), std::string(f[2])});
    }
    std::set<std::string> keys;
    for (const SoluteSource& s : sources) keys.insert(s.key);
    for (const SoluteEntry& e : database.entries)
        for (const auto* list : {&e.pKaSources, &e.enthalpySources, &e.conductivitySources})
            for (const std::string& key : *list)
                if (key != "-" && keys.count(key) == 0)
                    return std::string(fileName) + ": source key '" + key + "' of " + e.nameEn +
                           " not listed";
    database.sources = std::move(sources);
    return {};
}

std::string readSoluteCompounds(std::string_view text, std::string_view fileName,
                                SoluteDatabase& database) {
    if (text.size() > kMaxSoluteFileBytes)
        return std::string(fileName) + ": larger than the database may be";
    std::vector<SoluteCompound> compounds;
    for (const DataLine& line : dataLines(text)) {
        const std::string at = where(fileName, line.number);
        const std::vector<std::string_view> f = split(line.text, '\t');
        if (f.size() != 7 || line.text.size() > kMaxLineBytes)
            return at + "7 tab-separated columns expected";
        SoluteCompound c;
        c.nameFr = f[0];
        c.nameEn = f[1];
        if (c.nameFr.empty() || c.nameEn.empty()) return at + "a name is missing";
        if (f[2] != "-")
            for (std::string_view s : split(f[2], '|'))
                if (!s.empty()) c.synonyms.emplace_back(s);
        c.formula = f[3];
        const auto system = std::find_if(database.entries.begin(), database.entries.end(),
                                         [&](const SoluteEntry& e) { return e.nameFr == f[4]; });
        if (system == database.entries.end())
            return at + "system '" + std::string(f[4]) + "' not in the database";
        c.system = static_cast<int>(system - database.entries.begin());
        const std::optional<int> form = integer(f[5]);
        if (!form || *form < 0 || *form > system->system.acidities())
            return at + "starting form out of the system's forms";
        c.startForm = *form;
        int charge = system->system.charge(*form);
        const std::vector<std::string> ions = words(f[6]);
        if (ions.size() % 2 != 0) return at + "ions as pairs of formula and count expected";
        for (std::size_t i = 0; i < ions.size(); i += 2) {
            const auto& known = spectatorIons();
            const auto ion =
                std::find_if(known.begin(), known.end(),
                             [&](const SpectatorIonData& d) { return ions[i] == d.formula; });
            const std::optional<int> count = integer(ions[i + 1]);
            if (ion == known.end() || !count || *count < 1 || *count > 6)
                return at + "ion '" + ions[i] + " " + ions[i + 1] + "' not understood";
            c.ions.push_back({ion->ion, *count});
            charge += ion->charge * *count;
        }
        // The formula unit is neutral: the starting form and the ions must say the same.
        if (charge != 0) return at + "the starting form and the ions do not make a neutral salt";
        compounds.push_back(std::move(c));
    }
    database.compounds = std::move(compounds);
    return {};
}

SoluteDatabaseRead loadSoluteDatabase(const std::string& dataFolder) {
    const std::string folder = dataFolder + "/Solutes/";
    SoluteDatabaseRead read;
    const std::optional<std::string> systems = readWholeFile(folder + "solutes.tsv");
    const std::optional<std::string> sources = readWholeFile(folder + "sources.tsv");
    const std::optional<std::string> compounds = readWholeFile(folder + "compounds.tsv");
    if (!systems || !sources || !compounds) {
        read.error = folder + ": solutes.tsv, sources.tsv or compounds.tsv cannot be read";
        return read;
    }
    read = readSoluteSystems(*systems, folder + "solutes.tsv");
    if (read.error.empty())
        read.error = readSoluteSources(*sources, folder + "sources.tsv", read.database);
    if (read.error.empty())
        read.error = readSoluteCompounds(*compounds, folder + "compounds.tsv", read.database);
    if (!read.error.empty()) read.database = {};
    return read;
}

std::vector<double> stepwisePKa(const std::vector<double>& logBeta) {
    std::vector<double> pKa;
    for (std::size_t n = logBeta.size(); n > 0; --n)
        pKa.push_back(logBeta[n - 1] - (n > 1 ? logBeta[n - 2] : 0.0));
    return pKa;
}

namespace {

// 0 whole text, 1 start of the text or of a word, 2 anywhere, 3 none.
int matchRank(const std::string& folded, const std::string& candidate) {
    const std::string c = foldForSearch(candidate);
    if (c == folded) return 0;
    const std::size_t at = c.find(folded);
    if (at == std::string::npos) return 3;
    for (std::size_t p = at; p != std::string::npos; p = c.find(folded, p + 1)) {
        const char before = p == 0 ? ' ' : c[p - 1];
        if (before == ' ' || before == '-' || before == '(' || before == '\'' || before == ',')
            return 1;
    }
    return 2;
}

constexpr int kNoMatch = 6;

// Twice the rank; a synonym one worse than a name or formula of the same rank.
template <typename Item> int score(const std::string& folded, const Item& item) {
    int best = 2 * std::min({matchRank(folded, item.nameFr), matchRank(folded, item.nameEn),
                             matchRank(folded, item.formula)});
    for (const std::string& s : item.synonyms) best = std::min(best, 2 * matchRank(folded, s) + 1);
    return best;
}

} // namespace

std::vector<SoluteMatch> searchSolutes(const SoluteDatabase& database, std::string_view query) {
    std::string folded = foldForSearch(query);
    while (!folded.empty() && folded.back() == ' ') folded.pop_back();
    while (!folded.empty() && folded.front() == ' ') folded.erase(folded.begin());
    if (folded.empty()) return {};
    // Systems before compounds of the same score, each in the order of its file.
    std::vector<std::pair<int, SoluteMatch>> ranked;
    for (std::size_t i = 0; i < database.entries.size(); ++i) {
        const int s = score(folded, database.entries[i]);
        if (s < kNoMatch) ranked.push_back({s, {static_cast<int>(i), -1}});
    }
    for (std::size_t i = 0; i < database.compounds.size(); ++i) {
        const int s = score(folded, database.compounds[i]);
        if (s < kNoMatch)
            ranked.push_back({s, {database.compounds[i].system, static_cast<int>(i)}});
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SoluteMatch> matches;
    for (const auto& r : ranked) matches.push_back(r.second);
    return matches;
}

std::vector<Solute> soluteCompoundSolutes(const SoluteDatabase& database,
                                          const SoluteCompound& compound, double concentration) {
    const SoluteEntry& entry = database.entries.at(static_cast<std::size_t>(compound.system));
    std::vector<Solute> solutes{systemSolute(entry.system, concentration, compound.nameFr)};
    for (const CompoundIon& ion : compound.ions)
        solutes.push_back(spectatorSolute(ion.ion, concentration * ion.count));
    return solutes;
}

std::vector<DataLine> dataLines(std::string_view text) {
    std::vector<DataLine> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        lines.push_back({number, line});
    }
    return lines;
}

} // namespace titralab
