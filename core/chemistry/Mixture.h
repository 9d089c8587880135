// The mixture of two polyacids (polybases): its pH and the concentration of every species.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/base/Language.h"

#include <array>
#include <string>
#include <vector>

namespace titralab {

struct MixtureResult {
    double c1m{};               // mol/L, acid 1 in the mixture
    double c2m{};               // mol/L, acid 2 in the mixture
    double h{};                 // working concentration of the mixture, mol/L
    double pH{};                // -log10 h (a pOH on the base side)
    std::array<double, 4> c1{}; // species of acid 1, mol/L
    std::array<double, 4> c2{}; // species of acid 2, mol/L
};

// Throws ArithmeticFault when the solver meets an overflow.
MixtureResult ComputeTwoPolyacidMixture(const ChemicalState& s);

} // namespace titralab

namespace titralab {

// What the results window and the results text show. On the base side the computed value is
// a pOH: the pH shown is 14 minus it and the hydronium concentration is Ke/h.
struct MixtureDisplay {
    double pH{};
    double hydronium{}; // mol/L
};
MixtureDisplay mixtureDisplay(const ChemicalState& s, const MixtureResult& r);

// The results of the mixture as label-value lines, and the results text: a title line, then
// label-tab-value lines, each ended by a carriage return. labels[0] and labels[1] are the species
// names of column 1 and column 2; on the base side the species lines name the protonated forms as
// the results window does (ion BH+, ion BH2 2+, ...), while the lines about each base as a whole
// keep its name. The labels are in `language`, the species names given in it.
struct MixtureLine {
    enum class Kind { Concentration, Volume, PH, Hydronium };
    std::string label;
    double value{}; // mol/L, L (the unit of vol1), or a pH
    Kind kind{Kind::Concentration};
};
std::vector<MixtureLine> MixtureResultLines(const ChemicalState& s, const MixtureResult& r,
                                            const std::array<std::array<std::string, 4>, 2>& labels,
                                            Language language);
std::string MixtureResultsText(const ChemicalState& s, const MixtureResult& r,
                               const std::array<std::array<std::string, 4>, 2>& labels,
                               Language language, bool decimalComma, int digits = 5);

// The title line of the results text.
inline constexpr Text kMixtureResultsTitle{"Mélange de deux polyacides",
                                           "Mixture of two polyprotic acids"};

// The texts of the mixture results window. On the acid side the pK values are the working
// (sorted) ones and the species are named after a triacid; on the base side the pK values are
// the pKa of the couples, as typed (14 - working), and the species a base and its protonated
// forms.
struct MixtureFields {
    std::array<std::string, 22> edit{};         // edit[1..21]: the result fields
    std::array<std::string, 8> speciesLabels{}; // labels of the species fields 12..19
};
MixtureFields mixtureFields(const ChemicalState& s, const MixtureResult& r, bool decimalComma,
                            int digits = 5);

// The window's names of the four species of each column, by side, with subscripts and
// superscripts (H₂A⁻, BH⁺), and the same in plain text (H2A-, BH+, BH2(2+)).
const std::array<std::string, 4>& mixtureSpeciesLabels(BuretteSide side, int column);
const std::array<std::string, 4>& mixtureSpeciesPlain(BuretteSide side, int column);

} // namespace titralab
