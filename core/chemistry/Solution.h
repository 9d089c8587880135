// Any aqueous solution as a list of solutes: acid-base systems and spectator ions, each at a
// concentration. A strong acid or base is written as its spectator ion (hydrochloric acid adds
// Cl-, soda adds Na+): the charge balance sees them so, and the hydronium they bring follows.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/ChemicalState.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace titralab {

constexpr int kMaxSystemAcidities = 6;

// The ions that take no part in acid-base reactions: the counter-ions of strong acids and bases.
enum class SpectatorIon {
    Sodium,
    Potassium,
    Lithium,
    Chloride,
    Bromide,
    Iodide,
    Nitrate,
    Perchlorate
};
constexpr int kSpectatorIonCount = 8;

struct SpectatorIonData {
    SpectatorIon ion{};
    const char* formula{}; // as typed: "Na+", "NO3-"
    Text name{};
    int charge{};
    double conductivity{}; // limiting molar conductivity λ°, mS·m²/mol, 25 °C
};

// The spectator ions in the order of the enumeration.
const std::array<SpectatorIonData, kSpectatorIonCount>& spectatorIons();
const SpectatorIonData& spectatorIonData(SpectatorIon ion);

// Limiting molar conductivity of the hydronium and hydroxide ions, mS·m²/mol.
double hydroniumConductivity();
double hydroxideConductivity();

// An acid-base system: its forms from the fully protonated one (form 0) to the fully
// deprotonated one (form `acidities()`), each one proton poorer and one charge lower than the
// one before.
struct AcidBaseSystem {
    std::vector<double> pKa{};            // pKa of each acidity, in the order they are lost
    int protonatedCharge{0};              // charge of form 0
    std::vector<double> conductivities{}; // λ° of each form, mS·m²/mol; -1 unknown; empty: unknown
    std::vector<Text> formNames{};        // name of each form; empty when the system has none

    int acidities() const { return static_cast<int>(pKa.size()); }
    int charge(int form) const { return protonatedCharge - form; }
    // λ° of a form, or -1 when unknown.
    double conductivity(int form) const;
};

enum class SoluteKind { System, Spectator };

struct Solute {
    SoluteKind kind{SoluteKind::Spectator};
    AcidBaseSystem system{};                // when kind is System
    SpectatorIon ion{SpectatorIon::Sodium}; // when kind is Spectator
    double concentration{0};                // mol/L: the system, all forms together, or the ion
    std::string label{};                    // what the solute was called, for messages and names
};

Solute systemSolute(AcidBaseSystem system, double concentration, std::string label = {});
Solute spectatorSolute(SpectatorIon ion, double concentration);

struct Solution {
    std::vector<Solute> solutes{};
};

// A compound a teacher dissolves: one acid-base system (or none) and spectator ions per
// formula unit. Sodium carbonate is the carbonic acid system with two sodium ions.
struct CompoundIon {
    SpectatorIon ion{};
    int count{1}; // per formula unit
};

struct Compound {
    const char* formula{}; // as typed, ASCII: "NaHCO3"
    Text name{};
    std::optional<AcidBaseSystem> system{};
    std::vector<CompoundIon> ions{};
    const char* source{}; // where the pKa values come from
};

const std::vector<Compound>& compounds();

// The solutes of a compound dissolved at `concentration` mol/L (formula units per litre).
std::vector<Solute> compoundSolutes(const Compound& compound, double concentration);

// A database entry as a system. An entry of the acid side has a neutral fully protonated form
// (as the titration studies treat it); one of the base side has a neutral fully deprotonated
// form, so its fully protonated form carries as many charges as it has acidities. Species
// names and known conductivities follow the entry. n is 1-based and clamped, as entryOf.
AcidBaseSystem systemOfEntry(BuretteSide side, int n);

} // namespace titralab
