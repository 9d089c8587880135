// The remarkable points of a free titration agree with the titration studies' own readings when
// the free solutions hold what a study titrates.
#include "core/chemistry/FreeTitration.h"
#include "core/curves/Equivalence.h"
#include "tests/core/chemistry/ChemistryFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace titralab;
using titralab::testing::stateFor;
using titralab::testing::Typed;

namespace {

// The beaker's acid (base) of a study as a system: working pK on the base side are pKb.
AcidBaseSystem systemOf(const ChemicalState& s, const std::array<double, 3>& workingPK) {
    AcidBaseSystem system;
    const bool base = s.side == BuretteSide::BaseSide;
    for (double pK : workingPK)
        if (pK < (base ? ABSENT_PK - waterPK : ABSENT_PK))
            system.pKa.push_back(base ? waterPK - pK : pK);
    std::sort(system.pKa.begin(), system.pKa.end());
    system.protonatedCharge = base ? system.acidities() : 0;
    return system;
}

FreeTitration freeOf(const ChemicalState& s) {
    FreeTitration t;
    const bool two = s.study == Study::TwoMonoTitration;
    t.beakerVolume = two ? s.vol1 + s.vol2 : s.vol1;
    t.beaker.solutes.push_back(systemSolute(systemOf(s, s.pK1), s.conc1 * s.vol1 / t.beakerVolume));
    if (two)
        t.beaker.solutes.push_back(
            systemSolute(systemOf(s, s.pK2), s.conc2 * s.vol2 / t.beakerVolume));
    const SpectatorIon ion =
        s.side == BuretteSide::BaseSide ? SpectatorIon::Chloride : SpectatorIon::Sodium;
    t.burette.solutes.push_back(spectatorSolute(ion, s.titrantConc));
    return t;
}

Typed typed(Study study, BuretteSide side, std::vector<std::string> pK1,
            std::vector<std::string> pK2 = {}) {
    Typed t;
    t.study = study;
    t.side = side;
    for (std::size_t k = 0; k < 3; ++k) {
        t.pK1[k] = k < pK1.size() ? pK1[k] : "50";
        t.pK2[k] = k < pK2.size() ? pK2[k] : "50";
    }
    t.row1 = t.row2 = side == BuretteSide::BaseSide ? 2 : 17;
    return t;
}

TEST(FreeEquivalences, AgreeWithTheTitrationStudiesReadings) {
    using S = Study;
    using B = BuretteSide;
    const struct {
        const char* label;
        Typed typed;
    } cases[] = {
        {"ethanoic acid by soda", typed(S::TitrationVsVolume, B::AcidSide, {"4.76"})},
        {"phosphoric acid by soda",
         typed(S::TitrationVsVolume, B::AcidSide, {"2.15", "7.2", "12.35"})},
        {"oxalic acid by soda", typed(S::TitrationVsVolume, B::AcidSide, {"1.25", "4.3"})},
        {"ammonia by HCl", typed(S::TitrationVsVolume, B::BaseSide, {"9.25"})},
        {"carbonate by HCl", typed(S::TitrationVsVolume, B::BaseSide, {"10.33", "6.35"})},
        {"two monoacids by soda", typed(S::TwoMonoTitration, B::AcidSide, {"2.9"}, {"9.2"})},
        {"two monobases by HCl", typed(S::TwoMonoTitration, B::BaseSide, {"10.6"}, {"5.2"})},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        const ChemicalState s = stateFor(k.typed);
        const std::vector<EquivalenceReading> study = readEquivalences(s);
        const FreeEquivalences free = freeEquivalences(freeOf(s));
        EXPECT_TRUE(free.untitrated.empty());
        ASSERT_FALSE(study.empty());
        ASSERT_EQ(free.points.size(), study.size());
        for (std::size_t i = 0; i < study.size(); ++i) {
            SCOPED_TRACE("E" + std::to_string(i + 1));
            const EquivalenceReading& r = study[i];
            const FreeEquivalence& e = free.points[i];
            EXPECT_NEAR(e.equivalence.volume, r.equivalence.volume, 1e-14);
            EXPECT_NEAR(e.equivalence.pH, r.equivalence.pH, 1e-9);
            EXPECT_NEAR(e.half.volume, r.half.volume, 1e-14);
            EXPECT_NEAR(e.half.pH, r.half.pH, 1e-9);
            EXPECT_NEAR(e.jumpBefore, r.jumpBefore, 1e-9);
            EXPECT_NEAR(e.jumpAfter, r.jumpAfter, 1e-9);
            EXPECT_NEAR(e.indicatorJumpLow, r.indicatorJumpLow, 1e-9);
            EXPECT_NEAR(e.indicatorJumpHigh, r.indicatorJumpHigh, 1e-9);
            EXPECT_NEAR(e.slope, r.slope, 1e-6 * std::abs(r.slope));
            EXPECT_EQ(e.usable, r.usable);
            ASSERT_EQ(e.inflection.has_value(), r.inflection.has_value());
            if (r.inflection) {
                EXPECT_NEAR(e.inflection->pH, r.inflection->pH, 1e-7);
                EXPECT_NEAR(e.inflection->volume, r.inflection->volume,
                            1e-9 * r.inflection->volume);
            }
        }
    }
}

} // namespace
