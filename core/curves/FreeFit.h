// The numbers of the rows of a titration of any solution by any solution that a fit frees or a
// family varies (a row's concentration, a pKa of its system), and the fit of such a titration to
// measured (volume, pH) points, by the same steps as the studies' fit (core/curves/Fit.h).
#pragma once

#include "core/base/Language.h"
#include "core/base/PastedPair.h"
#include "core/chemistry/Conditions.h"
#include "core/chemistry/FreeTitration.h"
#include "core/curves/Fit.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

// A number of one row: its concentration (mol/L; every solute of the row scales with it, the
// sodium of sodium carbonate with the carbonate), or the k-th pKa of the row's acid-base system.
struct FreeRowValue {
    bool burette{false}; // false: a row of the beaker
    int row{0};          // 0-based
    int pK{0};           // 0: the concentration; 1..6: that pKa, in increasing order
    bool operator==(const FreeRowValue& o) const {
        return burette == o.burette && row == o.row && pK == o.pK;
    }
};

// "beaker1.c", "burette2.pK1": the side, the row numbered from 1, then "c" or "pK<k>".
std::string freeRowValueName(const FreeRowValue& value);
// Reads a name as freeRowValueName writes it (case ignored, "pKa1" taken for "pK1").
std::optional<FreeRowValue> freeRowValueFromName(std::string_view name);

// Where each row's solutes stand in its side's solution, and the concentration it was read at.
struct FreeRowPlace {
    int first{};            // index of the row's first solute
    int count{};            // how many solutes the row gave
    double concentration{}; // mol/L, as typed
};
struct FreeRowLayout {
    std::vector<FreeRowPlace> beaker;
    std::vector<FreeRowPlace> burette;
    const std::vector<FreeRowPlace>& side(bool burette_) const {
        return burette_ ? burette : beaker;
    }
};

// The rows' values a titration has: each row's concentration, then the pKa of its system.
std::vector<FreeRowValue> freeRowValues(const FreeTitration& t, const FreeRowLayout& layout);
// The value now held, or none when the titration has no such value.
std::optional<double> freeRowValueIn(const FreeTitration& t, const FreeRowLayout& layout,
                                     const FreeRowValue& value);
// `t` (the titration `layout` describes) with `value` set to `number`: the row's solutes scaled
// to the concentration, or the pKa replaced (the system's pKa kept in increasing order).
// Unchanged when the titration has no such value.
FreeTitration withFreeRowValue(FreeTitration t, const FreeRowLayout& layout,
                               const FreeRowValue& value, double number);

// A fit of the free study: the values freed, in the order of FitResult::values (whose `which`
// and `field` do not apply); the volumes are litres.
struct FreeFitResult : FitResult {
    std::vector<FreeRowValue> freed;
};

// Fits `t` to the measured points (volumes in litres), freeing `free`, with the weights, the
// minimisation, the restart on the jump, the refusals and the uncertainties of fitTitration.
FreeFitResult fitFreeTitration(const FreeTitration& t, const FreeRowLayout& layout,
                               Language language, const std::vector<PastedPair>& points,
                               const std::vector<FreeRowValue>& free,
                               const FitSettings& settings = {}, const Conditions& conditions = {});
// The same from the points as fitPointsOf read them, saying what was left out.
FreeFitResult fitFreePoints(const FreeTitration& t, const FreeRowLayout& layout, Language language,
                            const FitPoints& read, const std::vector<FreeRowValue>& free,
                            const FitSettings& settings = {}, const Conditions& conditions = {});

} // namespace titralab
