#include "core/chemistry/Database.h"

#include <algorithm>

namespace titralab {

namespace {
constexpr double U = -1; // a conductivity the database does not know
} // namespace

const std::array<AcidBaseEntry, kAcidCount> acidTable{{
    {{"acide fort", "base indifférente", "", ""}, 1, {-10, 0, 0}, {U, U, U, U}},
    {{"acide iodhydrique", "iodure", "", ""}, 1, {-9.5, 0, 0}, {0, 7.68, 0, 0}},
    {{"acide bromhydrique", "bromure", "", ""}, 1, {-9, 0, 0}, {0, 7.81, 0, 0}},
    {{"acide chlorhydrique", "chlorure", "", ""}, 1, {-7, 0, 0}, {0, 7.631, 0, 0}},
    {{"acide nitrique", "nitrate", "", ""}, 1, {-1.4, 0, 0}, {0, 7.142, 0, 0}},
    {{"ion hydronium", "eau", "", ""}, 1, {0, 0, 0}, {35, 0, 0, 0}},
    {{"acide trichloroéthanoïque", "trichloroéthanoate", "", ""}, 1, {0.7, 0, 0}, {0, U, 0, 0}},
    {{"acide dichloroéthanoïque", "dichloroéthanoate", "", ""}, 1, {1.3, 0, 0}, {0, U, 0, 0}},
    {{"acide monochloroéthanoïque", "monochloroéthanoate", "", ""}, 1, {2.9, 0, 0}, {0, U, 0, 0}},
    {{"acide salicylique", "salicylate", "", ""}, 1, {3, 0, 0}, {0, U, 0, 0}},
    {{"acide fluorhydrique", "fluorure", "", ""}, 1, {3.2, 0, 0}, {0, 5.54, 0, 0}},
    {{"acide nitreux", "nitrite", "", ""}, 1, {3.3, 0, 0}, {0, U, 0, 0}},
    {{"acide acétylsalicylique", "acétylsalicylate", "", ""}, 1, {3.5, 0, 0}, {0, U, 0, 0}},
    {{"acide méthanoïque", "méthanoate", "", ""}, 1, {3.75, 0, 0}, {0, 5.46, 0, 0}},
    {{"acide lactique", "lactate", "", ""}, 1, {3.9, 0, 0}, {0, U, 0, 0}},
    {{"acide benzoïque", "benzoate", "", ""}, 1, {4.2, 0, 0}, {0, 3.23, 0, 0}},
    {{"acide éthanoïque", "éthanoate", "", ""}, 1, {4.7, 0, 0}, {0, 4.09, 0, 0}},
    {{"acide propanoïque", "propanoate", "", ""}, 1, {4.9, 0, 0}, {0, U, 0, 0}},
    {{"acide oxochlorique", "oxochlorate", "", ""}, 1, {7.5, 0, 0}, {0, U, 0, 0}},
    {{"ion ammonium", "ammoniac", "", ""}, 1, {9.2, 0, 0}, {7.34, 0, 0, 0}},
    {{"acide cyanhydrique", "cyanure", "", ""}, 1, {9.2, 0, 0}, {0, U, 0, 0}},
    {{"phénol", "phénolate", "", ""}, 1, {9.9, 0, 0}, {0, U, 0, 0}},
    {{"eau", "hydroxyde", "", ""}, 1, {14, 0, 0}, {0, 19.9, 0, 0}},
    {{"triacide", "", "", ""}, 3, {-10, 5.2, 9.2}, {U, U, U, U}},
    {{"diacide", "", "", ""}, 2, {-10, 5.2, 0}, {U, U, U, U}},
    {{"acide sulfurique", "hydrogénosulfate", "sulfate", ""}, 2, {-9, 2, 0}, {0, U, 16, 0}},
    {{"acide oxalique", "hydrogénooxalate", "oxalate", ""}, 2, {1.25, 4.3, 0}, {0, U, 14.8, 0}},
    {{"acide sulfureux", "", "", ""}, 2, {1.8, 6.9, 0}, {0, U, 17, 0}},
    {{"acide aspartique", "", "", ""}, 3, {1.9, 3.7, 9.6}, {U, U, U, U}},
    {{"acide phosphorique", "dihydrogénophosphate", "monohydrogénophosphate", "phosphate"},
     3,
     {2.1, 7.2, 12.4},
     {0, 3.3, 6.6, 27.84}},
    {{"acide citrique", "dihydrogénocitrate", "monohydrogénocitrate", "citrate"},
     3,
     {3.1, 4.8, 6.4},
     {U, U, U, U}},
    {{"acide malique", "", "", ""}, 2, {3.4, 5.1, 0}, {U, U, U, U}},
    {{"acide ascorbique", "dihydrogénoascorbate", "monohydrogénoascorbate", "ascorbate"},
     2,
     {4.1, 11.8, 0},
     {U, U, U, U}},
    {{"dioxyde de carbone, eau", "hydrogénocarbonate", "carbonate", ""},
     2,
     {6.4, 10.3, 0},
     {0, 4.45, 13.86, 0}},
    {{"sulfure de dihydrogène", "hydrogénosulfure", "sulfure", ""}, 2, {7, 12.9, 0}, {0, U, U, 0}},
}};

// Bases, by the pKa of the couple each protonation forms (BH+/B first, then BH2 2+/BH+...),
// the constant tables print. Real bases carry the values of French secondary-school and
// first-year textbooks at 25 °C, rounded to one decimal; each agrees within 0.1 with the
// literature value given beside it (CRC Handbook of Chemistry and Physics, "Dissociation
// constants of organic bases" and "of inorganic acids"; Harris, Quantitative Chemical
// Analysis, appendix G). The four generic entries mirror acid entries 1, 17, 24 and 25.
// Monoprotic entries come first, each group from the strongest base to the weakest.
const std::array<AcidBaseEntry, kBaseCount> baseTable{{
    {{"base forte", "acide indifférent", "", ""}, 1, {24, 0, 0}, {}},
    {{"base faible", "acide faible", "", ""}, 1, {9.3, 0, 0}, {}},
    {{"diméthylamine", "ion diméthylammonium", "", ""}, 1, {10.7, 0, 0}, {}},            // 10.73
    {{"triéthylamine", "ion triéthylammonium", "", ""}, 1, {10.7, 0, 0}, {}},            // 10.75
    {{"éthylamine", "ion éthylammonium", "", ""}, 1, {10.7, 0, 0}, {}},                  // 10.75
    {{"méthylamine", "ion méthylammonium", "", ""}, 1, {10.6, 0, 0}, {}},                // 10.64
    {{"ammoniac", "ion ammonium", "", ""}, 1, {9.2, 0, 0}, {}},                          // 9.25
    {{"hydrazine", "ion hydrazinium", "", ""}, 1, {8.1, 0, 0}, {}},                      // 8.07
    {{"ion hydrogénocarbonate", "dioxyde de carbone, eau", "", ""}, 1, {6.4, 0, 0}, {}}, // 6.35
    {{"hydroxylamine", "ion hydroxylammonium", "", ""}, 1, {6.0, 0, 0}, {}},             // 5.96
    {{"pyridine", "ion pyridinium", "", ""}, 1, {5.2, 0, 0}, {}},                        // 5.23
    {{"ion éthanoate", "acide éthanoïque", "", ""}, 1, {4.8, 0, 0}, {}},                 // 4.76
    {{"aniline", "ion anilinium", "", ""}, 1, {4.6, 0, 0}, {}},                          // 4.60
    {{"tribase", "", "", ""}, 3, {24, 8.8, 4.8}, {}},
    {{"dibase", "", "", ""}, 2, {24, 8.8, 0}, {}},
    {{"ion phosphate", "ion hydrogénophosphate", "ion dihydrogénophosphate", "acide phosphorique"},
     3,
     {12.4, 7.2, 2.1}, // 12.35, 7.20, 2.15
     {}},
    {{"ion carbonate", "ion hydrogénocarbonate", "dioxyde de carbone, eau", ""},
     2,
     {10.3, 6.4, 0}, // 10.33, 6.35
     {}},
    {{"éthylènediamine", "ion éthylènediaminium", "ion éthylènediammonium", ""},
     2,
     {10.0, 7.0, 0}, // 9.93, 6.85
     {}},
    {{"ion hydrogénophosphate", "ion dihydrogénophosphate", "acide phosphorique", ""},
     2,
     {7.2, 2.1, 0}, // 7.20, 2.15
     {}},
}};

int entryCount(BuretteSide side) {
    return side == BuretteSide::AcidSide ? kAcidCount : kBaseCount;
}

const AcidBaseEntry& entryOf(BuretteSide side, int n) {
    const int index = std::clamp(n, 1, entryCount(side)) - 1;
    return side == BuretteSide::AcidSide ? acidTable[index] : baseTable[index];
}

} // namespace titralab
