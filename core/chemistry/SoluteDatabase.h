// The solute database shipped in the data folder (Solutes/solutes.tsv, Solutes/sources.tsv,
// Solutes/compounds.tsv): acid-base systems with their names, formula, constants and the
// source of every value, the salts made of them, and the one search over them.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/Solution.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

struct SoluteEntry {
    std::string nameFr{};
    std::string nameEn{};
    std::vector<std::string> synonyms{};   // either language
    std::string formula{};                 // of the fully protonated form, ASCII, as typed
    AcidBaseSystem system{};               // pKa ascending; enthalpy NaN and λ° -1 where unknown
    std::vector<std::string> pKaSources{}; // one key per pKa
    std::vector<std::string> enthalpySources{};     // one key per known ΔH°, "-" where unknown
    std::vector<std::string> conductivitySources{}; // one key per known λ°, "-" where unknown
};

// A source of the values, described in English (text) and in French (textFr).
struct SoluteSource {
    std::string key{};
    std::string text{};
    std::string textFr{};

    const std::string& in(Language language) const {
        return language == Language::French ? textFr : text;
    }
};

// A salt or other named compound: the system it brings (by its French name), the form it starts
// in, and its spectator ions per formula unit.
struct SoluteCompound {
    std::string nameFr{};
    std::string nameEn{};
    std::vector<std::string> synonyms{};
    std::string formula{};
    int system{-1};   // index into SoluteDatabase::entries
    int startForm{0}; // 0: fully protonated form
    std::vector<CompoundIon> ions{};
};

struct SoluteDatabase {
    std::vector<SoluteEntry> entries{};
    std::vector<SoluteSource> sources{};
    std::vector<SoluteCompound> compounds{};
};

// What a reader made of a file: the database, or why it refused it (empty when read).
struct SoluteDatabaseRead {
    SoluteDatabase database{};
    std::string error{}; // names the file and the line, in English as the tool prints it
};

// Bounds of the readers: a file larger than this is refused unread.
constexpr std::size_t kMaxSoluteFileBytes = 4 * 1024 * 1024;

// The systems of a solutes.tsv text; `fileName` only names it in the messages.
SoluteDatabaseRead readSoluteSystems(std::string_view text, std::string_view fileName);
// The sources of a sources.tsv text (key, English text, French text), added to `database`; every
// key the entries use must be resolved.
std::string readSoluteSources(std::string_view text, std::string_view fileName,
                              SoluteDatabase& database);
// The compounds of a compounds.tsv text, added to `database` (its systems already read).
std::string readSoluteCompounds(std::string_view text, std::string_view fileName,
                                SoluteDatabase& database);
// The three files of `dataFolder`/Solutes.
SoluteDatabaseRead loadSoluteDatabase(const std::string& dataFolder);

// The stepwise pKa values, ascending, of cumulative protonation constants log β1 … log βn
// (n H+ + L = HnL): pKa of HnL is log βn − log βn−1.
std::vector<double> stepwisePKa(const std::vector<double>& logBeta);

// One result of the search: a system (compound = -1) or a compound.
struct SoluteMatch {
    int entry{-1};
    int compound{-1};
};

// Entries and compounds whose names, synonyms or formula match `query`, accents and case
// ignored; best matches first: whole text, then start of the text or of a word, then anywhere;
// at the same rank a name or formula before a synonym, a system before a salt, then the order
// of the files. An empty query matches nothing.
std::vector<SoluteMatch> searchSolutes(const SoluteDatabase& database, std::string_view query);

// The solutes of a compound dissolved at `concentration` mol/L.
std::vector<Solute> soluteCompoundSolutes(const SoluteDatabase& database,
                                          const SoluteCompound& compound, double concentration);

// The lines of a data file with their 1-based numbers, comments (#) and empty lines left out,
// a carriage return before a line end taken away.
struct DataLine {
    int number{};
    std::string_view text{};
};
std::vector<DataLine> dataLines(std::string_view text);
} // namespace titralab
