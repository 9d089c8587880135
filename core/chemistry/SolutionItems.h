// Reading a solution typed as a list of items, "WHAT=C;WHAT=C;...": C in mol/L (point or
// comma as decimal separator); WHAT a compound or database name in either language (accents
// and case ignored), a compound's formula ("NaHCO3"), "acid(pK1,pK2,...)" (fully protonated
// form neutral), "base(pK1,pK2,...)" (fully deprotonated form neutral, the pKa of its
// conjugate acids), or a spectator ion ("Na+", "Cl-", ...). pKa values inside the brackets take
// the point as decimal separator, the comma separating them.
#pragma once

#include "core/chemistry/SoluteDatabase.h"
#include "core/chemistry/Solution.h"

#include <optional>
#include <string>
#include <string_view>

namespace titralab {

enum class ItemProblem {
    TooLong,          // the whole text is longer than kMaxItemsText
    TooManyItems,     // more than kMaxItems items
    NoItem,           // nothing but blanks
    Empty,            // an empty item between two separators
    NoConcentration,  // no "=C"
    BadConcentration, // C is no number within [kItemMinConcentration, kItemMaxConcentration]
    UnknownName,      // WHAT is nothing the program knows
    BadPKa,           // acid(...)/base(...): 1 to 6 numbers within [kMinPK, kMaxPK] wanted
};

constexpr std::size_t kMaxItemsText = 4000; // bytes
constexpr int kMaxItems = 16;
constexpr double kItemMinConcentration = 1e-8; // mol/L, the studies' range
constexpr double kItemMaxConcentration = 15;

struct ItemError {
    ItemProblem problem{};
    int position{};     // 1-based number of the item; 0 for the whole text
    std::string item{}; // the item as typed (trimmed, at most 60 bytes)
};

struct ParsedItems {
    Solution solution{};
    std::optional<ItemError> error{}; // when set, the solution is empty: nothing is computed
};

// `extra`: more systems WHAT may name (the teacher's own entries: French or English name,
// synonym or formula), tried after the program's own names.
ParsedItems parseSolutionItems(std::string_view text,
                               const std::vector<SoluteEntry>* extra = nullptr);

// What WHAT names, without a concentration: the solutes of 1 mol/L of it, or nullopt.
std::optional<std::vector<Solute>> soluteNamed(std::string_view what,
                                               const std::vector<SoluteEntry>* extra = nullptr);

} // namespace titralab
