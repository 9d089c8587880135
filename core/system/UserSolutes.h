// The teacher's own solute entries ("Mes espèces"): made from typed fields, each field checked
// with a message; kept in a file of the settings folder in the line format of the shipped
// solutes.tsv (so that a colleague's file or a line of the database can be pasted in), read
// bounded, written whole; shared by export and import, a name already present never
// overwritten unless the caller says so.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/SoluteDatabase.h"
#include "core/system/WholeFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

// The source key of every value of a user entry.
inline constexpr const char* kUserSourceKey = "USER";
inline constexpr int kMaxUserSolutes = 1000;
// The limits of the fields.
inline constexpr double kUserMinPKa = -2;
inline constexpr double kUserMaxPKa = 16;
inline constexpr double kUserMaxEnthalpy = 200;    // kJ/mol, either sign
inline constexpr double kUserMaxConductivity = 50; // mS·m²/mol
inline constexpr std::size_t kUserMaxNameBytes = 100;
inline constexpr std::size_t kUserMaxFormulaBytes = 40;

enum class UserSoluteField {
    NameFr,
    NameEn,
    Synonyms,
    Formula,
    Charge,
    PKa,
    Enthalpy,
    Conductivity
};

// A user entry as typed. Numbers take the point or the comma as decimal separator and are
// separated by spaces or ";"; "-" stands for an unknown ΔH° or λ°; synonyms are separated by "|".
struct UserSoluteFields {
    std::string nameFr{};
    std::string nameEn{};
    std::string synonyms{};
    std::string formula{};
    std::string charge{};
    std::string pKa{};
    std::string enthalpy{};     // ΔH° of each acidity, kJ/mol; empty when none is known
    std::string conductivity{}; // λ° of each form, mS·m²/mol; empty when none is known
};

struct UserSoluteProblem {
    UserSoluteField field{};
    Text message{};
};

struct UserSoluteMade {
    SoluteEntry entry{};                      // sourced USER; meaningful without a problem
    std::optional<UserSoluteProblem> problem; // the first field refused, in the order above
};

UserSoluteMade makeUserSolute(const UserSoluteFields& fields);
// The fields of an entry, numbers with `separator` as decimal separator.
UserSoluteFields userSoluteFields(const SoluteEntry& entry, char separator);

// A file of entries: one a line, the 11 tab-separated columns of solutes.tsv ("#" comments).
std::string userSolutesText(const std::vector<SoluteEntry>& entries);

struct UserSolutesRead {
    std::vector<SoluteEntry> entries{};
    std::string error{}; // in the language asked for, naming the file and the line; empty when read
};

// The entries of a file's text; a damaged line refuses the whole text (no entry is returned).
// Two entries of one name (French or English, accents and case ignored) are refused too.
UserSolutesRead readUserSolutes(std::string_view text, std::string_view fileName,
                                Language language);
// The file at `path`, read bounded; an absent file holds no entry and is no error.
UserSolutesRead loadUserSolutes(const std::string& path, Language language);
// Reads `path` into `entries` only when the whole file is sound: on a refusal `entries` keeps
// what it held and the message is returned.
std::string reloadUserSolutes(const std::string& path, std::vector<SoluteEntry>& entries,
                              Language language);
WholeFileResult saveUserSolutes(const std::string& path, const std::vector<SoluteEntry>& entries,
                                Language language);

// Import: `entries` followed by those of `incoming` whose name is new. The others are listed
// in `duplicates` (French names) and left out, or, with `replaceDuplicates`, put in place of
// the entry of the same name.
struct UserSolutesMerge {
    std::vector<SoluteEntry> entries{};
    std::vector<std::string> duplicates{};
};
UserSolutesMerge mergeUserSolutes(const std::vector<SoluteEntry>& entries,
                                  const std::vector<SoluteEntry>& incoming, bool replaceDuplicates);

// The database with the user entries after its own, and the USER source listed.
void addUserSolutes(SoluteDatabase& database, const std::vector<SoluteEntry>& entries,
                    Language language);

} // namespace titralab
