// The built-in database: 35 acids, 19 bases, and the fixed ion conductivities.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/base/Language.h"

#include <array>
#include <string>

namespace titralab {

struct AcidBaseEntry {
    // The acid (base), then its conjugate species, in both languages; "" when none. The acid
    // table names its conjugate bases bare ("éthanoate", "ethanoate"): the species labels add
    // the word "ion" in the language's order.
    std::array<Text, 4> names{};
    int acidities{1}; // 1, 2 or 3
    // Only the first `acidities` are meaningful, others 0. Acids: pKa1 <= pKa2 <= pKa3. Bases:
    // the pKa of the couple of each protonation, the first one (highest) first.
    std::array<double, 3> pKa{};
    std::array<double, 4> conductivities{}; // mS·m²/mol per species; 0 neutral, -1 unknown

    // The name of species k (0: the entry itself) in a language; "" when none.
    const char* name(Language language, int k = 0) const { return names[k].in(language); }
};

constexpr int kAcidCount = 35;
constexpr int kBaseCount = 19;

extern const std::array<AcidBaseEntry, kAcidCount> acidTable;
extern const std::array<AcidBaseEntry, kBaseCount> baseTable;

// Fixed molar conductivities, mS·m²/mol.
struct IonConstants {
    double sodium{5.008};
    double potassium{7.348};
    double hydroxide{19.86};
    double hydronium{34.97};
};
inline constexpr IonConstants ionConstants{};

// Entry n (1-based) of the table of the side; n is clamped into the table.
const AcidBaseEntry& entryOf(BuretteSide side, int n);
int entryCount(BuretteSide side);

// A species named as an ion: "ion éthanoate", "ethanoate ion"; "ion BH+", "BH+ ion".
std::string ionNamed(const std::string& name, Language language);

} // namespace titralab
