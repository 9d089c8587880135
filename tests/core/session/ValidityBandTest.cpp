// Where the textbook formulas of the pH hold along a titration, against the test's own
// long-double solution of the strong acid's charge balance.
#include "core/session/DiagramColumns.h"

#include "SimulationFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titralab;

namespace {

// The volume (L) of soda at which pH = -log c(excess acid) errs by 0.05 from the exact pH of
// hydrochloric acid (ca, V0) titrated by soda (cb): bisection on the error, which grows as the
// excess shrinks towards the equivalence.
long double strongAcidFormulaEnd(long double ca, long double v0, long double cb) {
    auto error = [&](long double v) {
        const long double c = (ca * v0 - cb * v) / (v0 + v);
        const long double h = c / 2 + sqrtl(c * c / 4 + 1e-14L);
        return log10l(h / c); // exact pH is lower than -log c by this much
    };
    long double low = 0, high = ca * v0 / cb;
    for (int i = 0; i < 200; ++i) {
        const long double middle = (low + high) / 2;
        (error(middle) < 0.05L ? low : high) = middle;
    }
    return (low + high) / 2;
}

} // namespace

TEST(ValidityBand, TheStrongAcidFormulaHoldsUntilWaterCounts) {
    Simulation sim = titralab::testing::simulationFor(Study::TitrationVsVolume, 1);
    sim.panel.at(Field::Concentration1) = "0,0001"; // dilute: water counts well before the end
    titralab::testing::refresh(sim);
    const std::vector<FormulaStretch> stretches = formulaValidityAlong(sim);
    ASSERT_FALSE(stretches.empty());
    EXPECT_EQ(stretches.front().formula, PHFormula::StrongAcid);
    EXPECT_EQ(stretches.front().low, 0);
    const ChemicalState& s = sim.state;
    const long double end = strongAcidFormulaEnd(s.conc1, s.vol1, s.titrantConc) * s.volumeFactor;
    EXPECT_NEAR(stretches.front().high, static_cast<double>(end), 1e-4 * s.volumeSpan * s.volumeFactor);
    // The ranges follow one another without overlapping.
    for (std::size_t k = 1; k < stretches.size(); ++k)
        EXPECT_GE(stretches[k].low, stretches[k - 1].high);
}
