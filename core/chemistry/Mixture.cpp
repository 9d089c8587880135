#include "core/chemistry/Mixture.h"

#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"

#include <algorithm>

namespace titralab {

MixtureResult ComputeTwoPolyacidMixture(const ChemicalState& s) {
    MixtureResult r;
    r.c1m = s.conc1 * s.vol1 / (s.vol1 + s.vol2);
    r.c2m = s.conc2 * s.vol2 / (s.vol1 + s.vol2);
    r.h = solveMixture(s);
    r.pH = -safeLog10(r.h);
    for (int j = 0; j < 4; ++j) {
        r.c1[j] = speciesConc(s, j, r.h, r.c1m);
        r.c2[j] = speciesConc2(s, j, r.h, r.c2m);
    }
    return r;
}

namespace {

// The hydronium concentration of a base mixture lies far below the 1E-11 under which exported
// numbers are written "0": it keeps its digits.
std::string hydroniumText(const ChemicalState& s, double hydronium, bool decimalComma, int digits) {
    if (s.side == BuretteSide::BaseSide && hydronium > 0)
        return formatGeneral(hydronium, std::clamp(digits, 5, 17), decimalComma ? ',' : '.');
    return FormatValue(hydronium, decimalComma, digits);
}

} // namespace

MixtureDisplay mixtureDisplay(const ChemicalState& s, const MixtureResult& r) {
    if (s.side == BuretteSide::BaseSide) return {waterPK - r.pH, waterProduct / r.h};
    return {r.pH, r.h};
}

std::vector<MixtureLine>
MixtureResultLines(const ChemicalState& s, const MixtureResult& r,
                   const std::array<std::array<std::string, 4>, 2>& labels) {
    using Kind = MixtureLine::Kind;
    std::vector<MixtureLine> lines;
    auto line = [&](const std::string& label, double value, Kind kind = Kind::Concentration) {
        lines.push_back({label, value, kind});
    };
    const auto& n1 = labels[0];
    const auto& n2 = labels[1];
    // The species lines: the database names on the acid side, the protonated forms of the
    // window on the base side.
    std::array<std::array<std::string, 4>, 2> species = labels;
    if (s.side == BuretteSide::BaseSide)
        for (int column = 0; column < 2; ++column)
            for (int k = 1; k < 4; ++k)
                species[column][k] = "ion " + mixtureSpeciesLabels(s.side, column)[k];
    const auto& s1 = species[0];
    const auto& s2 = species[1];
    // The entries' own number of acidities, looked up in the table of the side.
    const int acidities1 = entryOf(s.side, s.row1).acidities;
    const int acidities2 = entryOf(s.side, s.row2).acidities;
    const MixtureDisplay shown = mixtureDisplay(s, r);
    line("Concentration initiale de l'" + n1[0], s.conc1);
    line("Concentration initiale de l'" + n2[0], s.conc2);
    line("Volume d'" + n1[0], s.vol1, Kind::Volume);
    line("Volume d'" + n2[0], s.vol2, Kind::Volume);
    line("pH du mélange", shown.pH, Kind::PH); // a negative pH stays negative
    line("Concentration d'ion hydronium", shown.hydronium, Kind::Hydronium);
    line("Concentration restante de l'" + n1[0], r.c1[0]);
    line("Concentration restante de l'" + n2[0], r.c2[0]);
    line("Concentration de l'" + s1[1], r.c1[1]);
    line("Concentration de l'" + s2[1], r.c2[1]);
    if (acidities1 > 1) line("Concentration de l'" + s1[2], r.c1[2]);
    if (acidities2 > 1) line("Concentration de l'" + s2[2], r.c2[2]);
    if (acidities1 > 2) line("Concentration de l'" + s1[3], r.c1[3]);
    if (acidities2 > 2) line("Concentration de l'" + s2[3], r.c2[3]);
    return lines;
}

std::string MixtureResultsText(const ChemicalState& s, const MixtureResult& r,
                               const std::array<std::array<std::string, 4>, 2>& labels,
                               bool decimalComma, int digits) {
    std::string text = "Mélange de deux polyacides\r";
    for (const MixtureLine& line : MixtureResultLines(s, r, labels)) {
        text += line.label + '\t';
        switch (line.kind) {
        case MixtureLine::Kind::PH:
            text += formatGeneral(line.value, std::max(digits, 5), decimalComma ? ',' : '.');
            break;
        case MixtureLine::Kind::Hydronium:
            text += hydroniumText(s, line.value, decimalComma, digits);
            break;
        default:
            text += FormatValue(line.value, decimalComma, digits);
        }
        text += '\r';
    }
    return text;
}

const std::array<std::string, 4>& mixtureSpeciesLabels(BuretteSide side, int column) {
    static const std::array<std::array<std::string, 4>, 2> acid{
        {{"AH3", "AH2-", "AH- -", "A- - -"}, {"BH3", "BH2-", "BH- -", "B- - -"}}};
    static const std::array<std::array<std::string, 4>, 2> base{
        {{"B", "BH+", "BH2 2+", "BH3 3+"}, {"B'", "B'H+", "B'H2 2+", "B'H3 3+"}}};
    const int c = column == 0 ? 0 : 1;
    return side == BuretteSide::BaseSide ? base[c] : acid[c];
}

MixtureFields mixtureFields(const ChemicalState& s, const MixtureResult& r, bool decimalComma,
                            int digits) {
    MixtureFields f;
    auto number = [&](double x) { return FormatValue(x, decimalComma, digits); };
    // pK and pH are no concentrations: zero and negative values are shown as they are
    // (a strong acid's pKa of -10 is not "0").
    auto signedNumber = [&](double x) {
        return formatGeneral(x, std::max(digits, 5), decimalComma ? ',' : '.');
    };
    const bool base = s.side == BuretteSide::BaseSide;
    // An absent acidity holds a working pK of 50 (36 on the base side): 20 or more is none.
    auto pK = [&](double working) {
        return working >= 20 ? std::string() : signedNumber(base ? working + waterPK : working);
    };
    const MixtureDisplay shown = mixtureDisplay(s, r);
    for (int j = 0; j < 3; ++j) {
        f.edit[1 + j] = pK(s.pK1[j]);
        f.edit[6 + j] = pK(s.pK2[j]);
    }
    // This study takes the typed volumes as litres and shows them in millilitres.
    f.edit[4] = number(s.vol1 * 1000);
    f.edit[5] = number(s.conc1);
    f.edit[9] = number(s.vol2 * 1000);
    f.edit[10] = number(s.conc2);
    f.edit[11] = signedNumber(shown.pH);
    f.edit[20] = hydroniumText(s, shown.hydronium, decimalComma, digits);
    for (int j = 0; j < 4; ++j) {
        f.edit[12 + j] = number(r.c1[j]);
        f.edit[16 + j] = number(r.c2[j]);
        f.speciesLabels[j] = mixtureSpeciesLabels(s.side, 0)[j];
        f.speciesLabels[4 + j] = mixtureSpeciesLabels(s.side, 1)[j];
    }
    f.edit[21] = number((s.vol1 + s.vol2) * 1000);
    return f;
}

} // namespace titralab
