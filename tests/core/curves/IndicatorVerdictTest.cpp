// The indicator verdicts against the classic cases every textbook gives: the transition range
// must lie inside the jump, the pH at the equivalence need not lie in the range.
#include "../session/SimulationFixtures.h"

#include "core/chemistry/Indicators.h"
#include "core/curves/ChartReading.h"

#include <gtest/gtest.h>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace {

struct VerdictCase {
    const char* label;
    BuretteSide side;
    int entry;                  // of the side's table; 20 mL at 0.1 mol/L by 0.1 mol/L
    const char* concentrations; // both the beaker's and the titrant's, as typed; "" keeps 0.1
    const char* indicator;
    int equivalence; // 1, 2
    bool suits;
};

class IndicatorVerdict : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(IndicatorVerdict, FollowsTheTextbook) {
    const VerdictCase& c = GetParam();
    Simulation sim = simulationFor(Study::TitrationVsVolume, c.entry, c.side);
    if (*c.concentrations)
        sim.panel.at(Field::BuretteConcentration) = sim.panel.at(Field::Concentration1) =
            c.concentrations;
    const std::optional<int> indicator = findIndicator(c.indicator);
    ASSERT_TRUE(indicator) << c.indicator;
    sim.reading.options.indicator = *indicator;
    refresh(sim);
    ASSERT_GE(sim.reading.points.size(), static_cast<std::size_t>(c.equivalence)) << c.label;
    const EquivalenceReading& point = sim.reading.points[c.equivalence - 1];
    EXPECT_EQ(indicatorSuits(colourIndicators()[*indicator], point), c.suits)
        << c.label << ": jump from pH " << point.indicatorJumpLow << " to "
        << point.indicatorJumpHigh << ", equivalence at pH " << point.equivalence.pH;
}

constexpr BuretteSide kAcid = BuretteSide::AcidSide;
constexpr BuretteSide kBase = BuretteSide::BaseSide;
constexpr int kHydrochloric = 4, kEthanoic = 17, kPhosphoric = 30; // acid table
constexpr int kAmmonia = 7;                                        // base table

INSTANTIATE_TEST_SUITE_P(
    ClassicCases, IndicatorVerdict,
    ::testing::Values(
        VerdictCase{"HCl, helianthine", kAcid, kHydrochloric, "", "hélianthine", 1, true},
        VerdictCase{"HCl, bromothymol blue", kAcid, kHydrochloric, "", "bleu de bromothymol", 1,
                    true},
        VerdictCase{"HCl, phenolphthalein", kAcid, kHydrochloric, "", "phénolphtaléine", 1, true},
        VerdictCase{"HCl 0.01 mol/L, helianthine", kAcid, kHydrochloric, "0,01", "hélianthine", 1,
                    false},
        VerdictCase{"HCl 0.01 mol/L, bromothymol blue", kAcid, kHydrochloric, "0,01",
                    "bleu de bromothymol", 1, true},
        VerdictCase{"ethanoic acid, phenolphthalein", kAcid, kEthanoic, "", "phénolphtaléine", 1,
                    true},
        VerdictCase{"ethanoic acid, helianthine", kAcid, kEthanoic, "", "hélianthine", 1, false},
        VerdictCase{"ammonia, methyl red", kBase, kAmmonia, "", "rouge de méthyle", 1, true},
        VerdictCase{"ammonia, phenolphthalein", kBase, kAmmonia, "", "phénolphtaléine", 1, false},
        VerdictCase{"H3PO4 E1, helianthine", kAcid, kPhosphoric, "", "hélianthine", 1, true},
        VerdictCase{"H3PO4 E1, bromocresol green", kAcid, kPhosphoric, "", "vert de bromocrésol", 1,
                    true},
        VerdictCase{"H3PO4 E1, phenolphthalein", kAcid, kPhosphoric, "", "phénolphtaléine", 1,
                    false},
        VerdictCase{"H3PO4 E2, phenolphthalein", kAcid, kPhosphoric, "", "phénolphtaléine", 2,
                    true},
        VerdictCase{"H3PO4 E2, thymolphthalein", kAcid, kPhosphoric, "", "thymolphtaléine", 2,
                    true},
        VerdictCase{"H3PO4 E2, helianthine", kAcid, kPhosphoric, "", "hélianthine", 2, false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
