// "Why this pH" on the textbook cases: the formula named, its value written out by hand, the
// verdict against the engine's exact pH, and the hypothesis that fails.
#include "core/chemistry/PHExplanation.h"
#include "core/chemistry/Diagrams.h"
#include "core/chemistry/Equilibrium.h"
#include "core/chemistry/SolutionItems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace titralab;

namespace {

Solution parsed(const char* text) {
    ParsedItems items = parseSolutionItems(text);
    EXPECT_FALSE(items.error.has_value()) << text;
    return items.solution;
}

// Ethanoic acid 0.1 mol/L, 20 mL, by soda 0.1 mol/L.
FreeTitration ethanoicBySoda() {
    return {parsed("CH3COOH=0.1"), 0.020, parsed("NaOH=0.1")};
}

TEST(WhyThisPH, TextbookCases) {
    using F = PHFormula;
    using H = PHHypothesis;
    const struct {
        const char* label;
        const char* solution; // or, when null, the titration at `volume`
        double volume;        // L
        F formula;
        double approximate; // the textbook formula, worked by hand
        bool holds;
        H failed;
    } cases[] = {
        {"HCl 0.1", "HCl=0.1", 0, F::StrongAcid, 1.0, true, H::None},
        {"HCl 1e-8: water dominates", "HCl=1e-8", 0, F::Water, 7.0, true, H::None},
        {"ethanoic acid 0.1", "CH3COOH=0.1", 0, F::WeakAcid, 0.5 * (4.76 + 1), true, H::None},
        {"ethanoic acid 1e-4", "CH3COOH=1e-4", 0, F::WeakAcid, 0.5 * (4.76 + 4), false,
         H::AcidNotLittleDissociated},
        {"equimolar acetate buffer", "CH3COOH=0.1;CH3COONa=0.1", 0, F::Buffer, 4.76, true, H::None},
        {"dilute buffer", "CH3COOH=1e-4;CH3COONa=1e-4", 0, F::Buffer, 4.76, false,
         H::BufferTooDilute},
        {"unbalanced buffer", "CH3COOH=1;NaOH=0.01", 0, F::Buffer, 4.76 + std::log10(0.01 / 0.99),
         false, H::BufferTooUnbalanced},
        {"a trace of ethanoate beside the acid", "CH3COOH=1e-2;CH3COONa=1e-5", 0, F::WeakAcid,
         0.5 * (4.76 - std::log10(0.01001)), true, H::None},
        {"sodium hydrogen carbonate", "NaHCO3=0.1", 0, F::Amphoteric, 0.5 * (6.35 + 10.33), true,
         H::None},
        {"ammonia 0.1", "NH3=0.1", 0, F::WeakBase, 7 + 0.5 * (9.25 - 1), true, H::None},
        {"soda 0.01", "NaOH=0.01", 0, F::StrongBase, 12.0, true, H::None},
        {"soda 1e-6", "NaOH=1e-6", 0, F::StrongBase, 8.0, true, H::None},
        {"soda 2e-7: water not negligible", "NaOH=2e-7", 0, F::StrongBase, 14 + std::log10(2e-7),
         false, H::WaterNotNegligible},
        {"half-equivalence", nullptr, 0.010, F::Buffer, 4.76, true, H::None},
        {"equivalence", nullptr, 0.020, F::WeakBase, 7 + 0.5 * (4.76 + std::log10(0.05)), true,
         H::None},
        {"after the equivalence", nullptr, 0.030, F::StrongBase, 14 + std::log10(0.001 / 0.05),
         true, H::None},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.label);
        const PHExplanation e = k.solution ? explainPH(parsed(k.solution))
                                           : explainTitrationPoint(ethanoicBySoda(), k.volume);
        const double exact = k.solution ? equilibriumOf(parsed(k.solution)).pH
                                        : freeTitrationPH(ethanoicBySoda(), k.volume);
        EXPECT_EQ(e.formula, k.formula);
        EXPECT_NEAR(e.approximatePH, k.approximate, 1e-9);
        EXPECT_EQ(e.exactPH, exact);
        EXPECT_NEAR(e.difference, k.approximate - exact, 1e-9);
        EXPECT_EQ(e.holds, std::abs(k.approximate - exact) < 0.05);
        EXPECT_EQ(e.holds, k.holds) << "approximate " << k.approximate << ", exact " << exact;
        EXPECT_EQ(e.failed, k.failed);
    }
}

// Along ethanoic acid by soda the formulas follow one another: weak acid at the start,
// buffer around the half-equivalence, weak base at the equivalence, strong base beyond; every
// point inside a range is explained by its formula within the tolerance.
TEST(WhyThisPH, VolumeRangesWhereEachFormulaHolds) {
    const FreeTitration t = ethanoicBySoda();
    const std::vector<FormulaRange> ranges = formulaRanges(t, 0.040, 401);
    auto rangeAt = [&](double v) -> std::optional<PHFormula> {
        for (const FormulaRange& r : ranges)
            if (r.from <= v && v <= r.to) return r.formula;
        return std::nullopt;
    };
    const struct {
        double volume;
        std::optional<PHFormula> formula;
    } expected[] =
        {
            {0.0, PHFormula::WeakAcid},   {0.010, PHFormula::Buffer},
            {0.020, PHFormula::WeakBase}, {0.035, PHFormula::StrongBase},
            {0.0001, std::nullopt}, // a few drops: neither the weak acid nor the buffer within 0.05
        };
    for (const auto& k : expected) EXPECT_EQ(rangeAt(k.volume), k.formula) << k.volume;
    for (const FormulaRange& r : ranges) {
        EXPECT_LE(r.from, r.to);
        for (int i = 0; i <= 10; ++i) {
            const PHExplanation e = explainTitrationPoint(t, r.from + (r.to - r.from) * i / 10);
            EXPECT_EQ(e.formula, r.formula);
            EXPECT_LT(std::abs(e.difference), kFormulaTolerance);
        }
    }
}

} // namespace
