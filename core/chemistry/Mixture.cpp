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

// The labels of the result lines; the species or acid name follows each of them.
constexpr Text kInitialConcentrationOf{"Concentration initiale de l'", "Initial concentration of "};
constexpr Text kVolumeOf{"Volume d'", "Volume of "};
constexpr Text kMixturePH{"pH du mélange", "pH of the mixture"};
constexpr Text kHydroniumConcentration{"Concentration d'ion hydronium",
                                       "Hydronium ion concentration"};
constexpr Text kRemainingConcentrationOf{"Concentration restante de l'",
                                         "Remaining concentration of "};
constexpr Text kConcentrationOf{"Concentration de l'", "Concentration of "};

} // namespace

MixtureDisplay mixtureDisplay(const ChemicalState& s, const MixtureResult& r) {
    if (s.side == BuretteSide::BaseSide) return {waterPK - r.pH, waterProduct / r.h};
    return {r.pH, r.h};
}

std::vector<MixtureLine> MixtureResultLines(const ChemicalState& s, const MixtureResult& r,
                                            const std::array<std::array<std::string, 4>, 2>& labels,
                                            Language language) {
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
                species[column][k] = ionNamed(mixtureSpeciesPlain(s.side, column)[k], language);
    const auto& s1 = species[0];
    const auto& s2 = species[1];
    // The entries' own number of acidities, looked up in the table of the side.
    const int acidities1 = entryOf(s.side, s.row1).acidities;
    const int acidities2 = entryOf(s.side, s.row2).acidities;
    const MixtureDisplay shown = mixtureDisplay(s, r);
    line(kInitialConcentrationOf.in(language) + n1[0], s.conc1);
    line(kInitialConcentrationOf.in(language) + n2[0], s.conc2);
    line(kVolumeOf.in(language) + n1[0], s.vol1, Kind::Volume);
    line(kVolumeOf.in(language) + n2[0], s.vol2, Kind::Volume);
    line(kMixturePH.in(language), shown.pH, Kind::PH); // a negative pH stays negative
    line(kHydroniumConcentration.in(language), shown.hydronium, Kind::Hydronium);
    line(kRemainingConcentrationOf.in(language) + n1[0], r.c1[0]);
    line(kRemainingConcentrationOf.in(language) + n2[0], r.c2[0]);
    line(kConcentrationOf.in(language) + s1[1], r.c1[1]);
    line(kConcentrationOf.in(language) + s2[1], r.c2[1]);
    if (acidities1 > 1) line(kConcentrationOf.in(language) + s1[2], r.c1[2]);
    if (acidities2 > 1) line(kConcentrationOf.in(language) + s2[2], r.c2[2]);
    if (acidities1 > 2) line(kConcentrationOf.in(language) + s1[3], r.c1[3]);
    if (acidities2 > 2) line(kConcentrationOf.in(language) + s2[3], r.c2[3]);
    return lines;
}

std::string MixtureResultsText(const ChemicalState& s, const MixtureResult& r,
                               const std::array<std::array<std::string, 4>, 2>& labels,
                               Language language, bool decimalComma, int digits) {
    std::string text = std::string(kMixtureResultsTitle.in(language)) + '\r';
    for (const MixtureLine& line : MixtureResultLines(s, r, labels, language)) {
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
    // Written as chemists do: a triacid H₃A and its bases, a tribase B and its acids; the
    // second column primed.
    static const std::array<std::array<std::string, 4>, 2> acid{
        {{"H₃A", "H₂A⁻", "HA²⁻", "A³⁻"}, {"H₃A'", "H₂A'⁻", "HA'²⁻", "A'³⁻"}}};
    static const std::array<std::array<std::string, 4>, 2> base{
        {{"B", "BH⁺", "BH₂²⁺", "BH₃³⁺"}, {"B'", "B'H⁺", "B'H₂²⁺", "B'H₃³⁺"}}};
    const int c = column == 0 ? 0 : 1;
    return side == BuretteSide::BaseSide ? base[c] : acid[c];
}

const std::array<std::string, 4>& mixtureSpeciesPlain(BuretteSide side, int column) {
    // The charge follows the formula; after a digit it stands in brackets.
    static const std::array<std::array<std::string, 4>, 2> acid{
        {{"H3A", "H2A-", "HA2-", "A3-"}, {"H3A'", "H2A'-", "HA'2-", "A'3-"}}};
    static const std::array<std::array<std::string, 4>, 2> base{
        {{"B", "BH+", "BH2(2+)", "BH3(3+)"}, {"B'", "B'H+", "B'H2(2+)", "B'H3(3+)"}}};
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
    // The base side shows the pKa of each couple, as it is typed.
    auto pK = [&](double working) {
        return working >= 20 ? std::string() : signedNumber(base ? pKaOfBase(working) : working);
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
