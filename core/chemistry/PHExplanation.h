// "Why this pH": the textbook formula that governs the pH of a solution, its value against
// the exact pH, and, when it strays, the hypothesis of the formula that fails.
#pragma once

#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/Solution.h"

#include <vector>

namespace titralab {

enum class PHFormula {
    StrongAcid, // pH = -log c
    WeakAcid,   // pH = ½(pKa - log c)
    Buffer,     // pH = pKa + log(cb/ca)
    Amphoteric, // pH = ½(pK1 + pK2)
    WeakBase,   // pH = 7 + ½(pKa + log c)
    StrongBase, // pH = 14 + log c
    Water,      // pH = 7
};

// The hypothesis whose failure makes the formula stray, named by what fails.
enum class PHHypothesis {
    None,
    AcidNotLittleDissociated,
    BaseNotLittleProtonated,
    WaterNotNegligible,
    BufferTooDilute,
    BufferTooUnbalanced,
    AmphotericTooDilute, // the amphoteric species' own concentration is not far above K1
    OtherSpeciesNotNegligible,
};

// A formula holds when it gives the exact pH within this many pH units.
constexpr double kFormulaTolerance = 0.05;

struct PHExplanation {
    PHFormula formula{PHFormula::Water};
    double approximatePH{7};
    double exactPH{7};
    double difference{}; // approximate - exact
    bool holds{true};
    PHHypothesis failed{PHHypothesis::None}; // None when the formula holds
    // What the formula was given: c (mol/L) of the acid, base, ampholyte or excess; ca and cb
    // (mol/L) of a buffer; the pKa of the couple (the lower one for an amphoteric species,
    // pKa2 the upper one).
    double concentration{};
    double acidConcentration{};
    double baseConcentration{};
    double pKa{};
    double pKa2{};
    int solute{-1}; // the governing system (index into the solutes), -1 for none
};

// The explanation of a solution's pH, the exact pH from the engine.
PHExplanation explainPH(const Solution& solution);
// The same at a pH already solved for that solution.
PHExplanation explainPH(const Solution& solution, double exactPH);
// The beaker of a titration after adding v (the beaker's volume unit).
PHExplanation explainTitrationPoint(const FreeTitration& titration, double v);

// The volume ranges of a titration where a formula holds, from n points over [0, maxVolume]
// (as freeTitrationCurve): each range runs from the first to the last point of a run of
// points where the same formula is chosen and holds, so its ends are known to a grid step.
struct FormulaRange {
    PHFormula formula{};
    double from{}; // volume, unit of the beaker's volume
    double to{};
};
std::vector<FormulaRange> formulaRanges(const FreeTitration& titration, double maxVolume,
                                        int n = 401);

} // namespace titralab
