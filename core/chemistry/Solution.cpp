#include "core/chemistry/Solution.h"

#include "core/chemistry/Database.h"

#include <algorithm>
#include <cstring>

namespace titralab {

namespace {

constexpr double U = -1; // a conductivity nobody gave

// The conductivity of species k of the acid-side entry named `french`, or -1 when the
// database does not hold it: the values the titration studies use are reused, not copied.
double acidEntryConductivity(const char* french, int k) {
    for (const AcidBaseEntry& e : acidTable)
        if (std::strcmp(e.names[0].fr, french) == 0) return e.conductivities[k];
    return U;
}

} // namespace

const std::array<SpectatorIonData, kSpectatorIonCount>& spectatorIons() {
    // λ°: sodium and potassium as the titration studies take them; the halides and nitrate as
    // the acid table gives their conjugate bases; lithium and perchlorate from the CRC Handbook
    // of Chemistry and Physics, "Ionic conductivity and diffusion at infinite dilution"
    // (38.66 and 67.3 S·cm²/mol).
    static const std::array<SpectatorIonData, kSpectatorIonCount> ions{{
        {SpectatorIon::Sodium, "Na+", {"ion sodium", "sodium ion"}, 1, ionConstants.sodium},
        {SpectatorIon::Potassium,
         "K+",
         {"ion potassium", "potassium ion"},
         1,
         ionConstants.potassium},
        {SpectatorIon::Lithium, "Li+", {"ion lithium", "lithium ion"}, 1, 3.866},
        {SpectatorIon::Chloride,
         "Cl-",
         {"ion chlorure", "chloride ion"},
         -1,
         acidEntryConductivity("acide chlorhydrique", 1)},
        {SpectatorIon::Bromide,
         "Br-",
         {"ion bromure", "bromide ion"},
         -1,
         acidEntryConductivity("acide bromhydrique", 1)},
        {SpectatorIon::Iodide,
         "I-",
         {"ion iodure", "iodide ion"},
         -1,
         acidEntryConductivity("acide iodhydrique", 1)},
        {SpectatorIon::Nitrate,
         "NO3-",
         {"ion nitrate", "nitrate ion"},
         -1,
         acidEntryConductivity("acide nitrique", 1)},
        {SpectatorIon::Perchlorate, "ClO4-", {"ion perchlorate", "perchlorate ion"}, -1, 6.73},
    }};
    return ions;
}

const SpectatorIonData& spectatorIonData(SpectatorIon ion) {
    return spectatorIons()[static_cast<std::size_t>(ion)];
}

double hydroniumConductivity() {
    return ionConstants.hydronium;
}

double hydroxideConductivity() {
    return ionConstants.hydroxide;
}

double AcidBaseSystem::conductivity(int form) const {
    if (form < 0 || form >= static_cast<int>(conductivities.size())) return U;
    return conductivities[static_cast<std::size_t>(form)];
}

Solute systemSolute(AcidBaseSystem system, double concentration, std::string label) {
    Solute s;
    s.kind = SoluteKind::System;
    s.system = std::move(system);
    s.concentration = concentration;
    s.label = std::move(label);
    return s;
}

Solute spectatorSolute(SpectatorIon ion, double concentration) {
    Solute s;
    s.kind = SoluteKind::Spectator;
    s.ion = ion;
    s.concentration = concentration;
    s.label = spectatorIonData(ion).formula;
    return s;
}

namespace {

// The systems of the compounds. pKa at 25 °C from Harris, Quantitative Chemical Analysis,
// appendix G, as the reference tables of the project give them; conductivities from the acid
// table where it has the species.
AcidBaseSystem ethanoic() {
    return {{4.76},
            0,
            {0, acidEntryConductivity("acide éthanoïque", 1)},
            {{"acide éthanoïque", "ethanoic acid"}, {"ion éthanoate", "ethanoate ion"}}};
}

AcidBaseSystem ammonium() {
    return {{9.25},
            1,
            {acidEntryConductivity("ion ammonium", 0), 0},
            {{"ion ammonium", "ammonium ion"}, {"ammoniac", "ammonia"}}};
}

AcidBaseSystem carbonic() {
    return {{6.35, 10.33},
            0,
            {0, acidEntryConductivity("dioxyde de carbone, eau", 1),
             acidEntryConductivity("dioxyde de carbone, eau", 2)},
            {{"dioxyde de carbone, eau", "carbon dioxide, water"},
             {"ion hydrogénocarbonate", "hydrogen carbonate ion"},
             {"ion carbonate", "carbonate ion"}}};
}

AcidBaseSystem phosphoric() {
    return {{2.15, 7.20, 12.35},
            0,
            {0, acidEntryConductivity("acide phosphorique", 1),
             acidEntryConductivity("acide phosphorique", 2),
             acidEntryConductivity("acide phosphorique", 3)},
            {{"acide phosphorique", "phosphoric acid"},
             {"ion dihydrogénophosphate", "dihydrogen phosphate ion"},
             {"ion hydrogénophosphate", "hydrogen phosphate ion"},
             {"ion phosphate", "phosphate ion"}}};
}

// The first acidity of sulfuric acid is strong: the acid is the hydrogen sulfate ion and one
// hydronium ion. HSO4- 52 S·cm²/mol (CRC Handbook, as above); sulfate as the acid table.
AcidBaseSystem hydrogenSulfate() {
    return {{1.99},
            -1,
            {5.2, acidEntryConductivity("acide sulfurique", 2)},
            {{"ion hydrogénosulfate", "hydrogen sulfate ion"}, {"ion sulfate", "sulfate ion"}}};
}

// Glycine from its cation (H3N+-CH2-COOH) to its anion; no conductivity is known for them.
AcidBaseSystem glycine() {
    return {{2.35, 9.78},
            1,
            {U, 0, U},
            {{"ion glycinium", "glycinium ion"},
             {"glycine", "glycine"},
             {"ion glycinate", "glycinate ion"}}};
}

constexpr const char* kHarris = "Harris, Quantitative Chemical Analysis, appendix G";

} // namespace

const std::vector<Compound>& compounds() {
    using I = SpectatorIon;
    static const std::vector<Compound> table{
        {"NaOH",
         {"soude (hydroxyde de sodium)", "soda (sodium hydroxide)"},
         {},
         {{I::Sodium, 1}},
         ""},
        {"KOH",
         {"potasse (hydroxyde de potassium)", "potash (potassium hydroxide)"},
         {},
         {{I::Potassium, 1}},
         ""},
        {"HCl", {"acide chlorhydrique", "hydrochloric acid"}, {}, {{I::Chloride, 1}}, ""},
        {"HNO3", {"acide nitrique", "nitric acid"}, {}, {{I::Nitrate, 1}}, ""},
        {"H2SO4", {"acide sulfurique", "sulfuric acid"}, hydrogenSulfate(), {}, kHarris},
        {"CH3COOH",
         {"acide éthanoïque (acide acétique)", "ethanoic acid (acetic acid)"},
         ethanoic(),
         {},
         kHarris},
        {"CH3COONa",
         {"éthanoate de sodium (acétate de sodium)", "sodium ethanoate (sodium acetate)"},
         ethanoic(),
         {{I::Sodium, 1}},
         kHarris},
        {"NH3", {"ammoniac", "ammonia"}, ammonium(), {}, kHarris},
        {"NH4Cl",
         {"chlorure d'ammonium", "ammonium chloride"},
         ammonium(),
         {{I::Chloride, 1}},
         kHarris},
        {"Na2CO3",
         {"carbonate de sodium", "sodium carbonate"},
         carbonic(),
         {{I::Sodium, 2}},
         kHarris},
        {"NaHCO3",
         {"hydrogénocarbonate de sodium", "sodium hydrogen carbonate"},
         carbonic(),
         {{I::Sodium, 1}},
         kHarris},
        {"H3PO4", {"acide phosphorique", "phosphoric acid"}, phosphoric(), {}, kHarris},
        {"NaH2PO4",
         {"dihydrogénophosphate de sodium", "sodium dihydrogen phosphate"},
         phosphoric(),
         {{I::Sodium, 1}},
         kHarris},
        {"Na2HPO4",
         {"hydrogénophosphate de sodium", "disodium hydrogen phosphate"},
         phosphoric(),
         {{I::Sodium, 2}},
         kHarris},
        {"Na3PO4",
         {"phosphate de sodium", "trisodium phosphate"},
         phosphoric(),
         {{I::Sodium, 3}},
         kHarris},
        {"C2H5NO2", {"glycine", "glycine"}, glycine(), {}, kHarris},
    };
    return table;
}

std::vector<Solute> compoundSolutes(const Compound& compound, double concentration) {
    std::vector<Solute> solutes;
    if (compound.system)
        solutes.push_back(systemSolute(*compound.system, concentration, compound.formula));
    for (const CompoundIon& part : compound.ions)
        solutes.push_back(spectatorSolute(part.ion, part.count * concentration));
    return solutes;
}

AcidBaseSystem systemOfEntry(BuretteSide side, int n) {
    const AcidBaseEntry& e = entryOf(side, n);
    const int count = std::clamp(e.acidities, 1, 3);
    AcidBaseSystem system;
    const bool anyName = e.names[0].fr[0] != '\0';
    if (side == BuretteSide::AcidSide) {
        system.pKa.assign(e.pKa.begin(), e.pKa.begin() + count);
        system.protonatedCharge = 0;
        system.conductivities.assign(e.conductivities.begin(),
                                     e.conductivities.begin() + count + 1);
        if (anyName) system.formNames.assign(e.names.begin(), e.names.begin() + count + 1);
    } else {
        // The entry lists the base first, then its protonated forms; the system starts from
        // the most protonated one. The base table gives no conductivity: only the neutral base
        // is known (it carries none).
        for (int k = count - 1; k >= 0; --k) system.pKa.push_back(e.pKa[k]);
        system.protonatedCharge = count;
        system.conductivities.assign(count + 1, U);
        system.conductivities[count] = 0;
        if (anyName)
            for (int k = count; k >= 0; --k) system.formNames.push_back(e.names[k]);
    }
    return system;
}

} // namespace titralab
