#include "chemistry/U2PolyAc.h"

#include "chemistry/UBaseDonnees.h"
#include "chemistry/UFormules.h"
#include "graph/UEspPredFormules.h"

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

MixtureDisplay mixtureDisplay(const ChemicalState& s, const MixtureResult& r) {
    if (s.side == BuretteSide::BaseSide) return {waterPK - r.pH, waterProduct / r.h};
    return {r.pH, r.h};
}

std::string MixtureResultsText(const ChemicalState& s, const MixtureResult& r,
                               const std::array<std::array<std::string, 4>, 2>& labels,
                               bool decimalComma, int digits) {
    std::string text = "Mélange de deux polyacides\r";
    auto line = [&](const std::string& label, double value) {
        text += label + '\t' + FormatValue(value, decimalComma, digits) + '\r';
    };
    const auto& n1 = labels[0];
    const auto& n2 = labels[1];
    // The entries' own number of acidities, looked up in the table of the side.
    const int acidities1 = entryOf(s.side, s.row1).acidities;
    const int acidities2 = entryOf(s.side, s.row2).acidities;
    const MixtureDisplay shown = mixtureDisplay(s, r);
    line("Concentration initiale de l'" + n1[0], s.conc1);
    line("Concentration initiale de l'" + n2[0], s.conc2);
    line("Volume d'" + n1[0], s.vol1);
    line("Volume d'" + n2[0], s.vol2);
    line("pH du mélange", shown.pH);
    line("Concentration d'ion hydronium", shown.hydronium);
    line("Concentration restante de l'" + n1[0], r.c1[0]);
    line("Concentration restante de l'" + n2[0], r.c2[0]);
    line("Concentration de l'" + n1[1], r.c1[1]);
    line("Concentration de l'" + n2[1], r.c2[1]);
    if (acidities1 > 1) line("Concentration de l'" + n1[2], r.c1[2]);
    if (acidities2 > 1) line("Concentration de l'" + n2[2], r.c2[2]);
    if (acidities1 > 2) line("Concentration de l'" + n1[3], r.c1[3]);
    if (acidities2 > 2) line("Concentration de l'" + n2[3], r.c2[3]);
    return text;
}

} // namespace titralab
