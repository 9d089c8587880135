// The chemical system of the current study: inputs, derived constants and fixed values.
#pragma once

#include <array>

namespace titralab {

// The studies, by their index in the study list; None before the first choice. The five first
// have closed forms; the free study titrates any solution by any solution.
enum class Study {
    None = -1,
    TitrationVsVolume = 0,
    SpeciesVsPH = 1,
    TwoMonoTitration = 2,
    TwoPolyMixture = 3,
    Dilution = 4,
    FreeSolutions = 5,
};

// AcidSide: strong monobase in the burette, acids in the beaker.
// BaseSide: strong monoacid in the burette, bases in the beaker (computed mirrored, on [OH-]).
enum class BuretteSide { AcidSide, BaseSide };

// The strong monobase of the acid side; it only decides the cation's conductivity.
enum class BaseKind { Soda, Potash };

constexpr double waterProduct = 1e-14; // Ke
constexpr double waterPK = 14;
constexpr double kMinPK = -20;
constexpr double kMaxPK = 50;
constexpr double ABSENT_PK = 50; // pK of an acidity an entry does not have
// On the base side the pKa fields hold the pKa of each couple (BH+/B), as tables give them;
// the mirrored chemistry works on pKb = 14 - pKa. ABSENT_PK still marks an absent acidity; it
// works as ABSENT_PK - 14, a constant of 1e-36.
constexpr double workingPKOfBase(double typedPKa) {
    return typedPKa == ABSENT_PK ? ABSENT_PK - waterPK : waterPK - typedPKa;
}
// The pKa of the couple that a working pK of the base side stands for.
constexpr double pKaOfBase(double workingPK) {
    return workingPK == ABSENT_PK - waterPK ? ABSENT_PK : waterPK - workingPK;
}
constexpr int SCAN_STEPS = 50;
constexpr int BISECTION_STEPS = 100;

// The ion molar conductivities of a study, mS·m²/mol, in this order:
// titrant cation, species 1, 2, 3, 4, H3O+, OH-.
using IonConductivities = std::array<double, 7>;

struct ChemicalState {
    // Inputs, read by the set-up from the panel (already clamped into their ranges).
    double titrantConc{0.1}; // mol/L, strong reagent in the burette
    double conc1{0.1};       // mol/L, acid (base) 1 before mixing
    double vol1{0.02};       // initial volume of acid 1, unit as typed (L when <= 1)
    double conc2{0.1};       // mol/L, acid (base) 2
    double vol2{0.02};       // initial volume of acid 2
    std::array<double, 3> pK1{-10, ABSENT_PK, ABSENT_PK}; // working pK of acid 1, sorted ascending
    std::array<double, 3> pK2{-10, ABSENT_PK, ABSENT_PK}; // working pK of acid 2, sorted ascending
    int pointCount{100};

    BuretteSide side{BuretteSide::AcidSide};
    Study study{Study::None};
    BaseKind baseKind{BaseKind::Soda};
    int row1{1}; // database entry last loaded into column 1 (1-based)
    int row2{1}; // database entry last loaded into column 2

    // Derived by the set-up.
    double pOffset{0}; // displayed pH = pSlope * x + pOffset
    double pSlope{1};
    std::array<double, 3> ka1{}; // K1 >= K2 >= K3
    std::array<double, 3> ka2{}; // L1 >= L2 >= L3
    bool volumesInMillilitres{true};
    double volumeFactor{1000}; // display factor of volumes: 1000 (mL) or 1 (L)
    bool conductivityAvailable{false};
    IonConductivities conductivities{};

    // Largest titrant volume of the current study's curves, unit of vol1; set by curve generation.
    double volumeSpan{0};
};

} // namespace titralab
