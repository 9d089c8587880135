// The fit of a titration of any solution by any solution: measured points computed from known
// values are fitted from values far from them, and the known values come back.
#include "core/curves/FreeFit.h"

#include "core/chemistry/SolutionItems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace titralab;

namespace {

// HCl and phosphoric acid in 10 mL, titrated by soda; each item one solute, one row.
FreeTitration titration(double hcl, double phosphoric, double pK2, double soda) {
    FreeTitration t;
    t.beakerVolume = 0.01;
    t.beaker.solutes = {spectatorSolute(SpectatorIon::Chloride, hcl),
                        systemSolute(AcidBaseSystem{{2.15, pK2, 12.35}}, phosphoric)};
    t.burette.solutes = {spectatorSolute(SpectatorIon::Sodium, soda)};
    return t;
}

FreeRowLayout layoutOf(const FreeTitration& t) {
    FreeRowLayout layout;
    for (int k = 0; k < 2; ++k)
        layout.beaker.push_back(
            {k, 1, t.beaker.solutes[static_cast<std::size_t>(k)].concentration});
    layout.burette.push_back({0, 1, t.burette.solutes[0].concentration});
    return layout;
}

TEST(FreeFit, RecoversTheValuesThePointsWereComputedFrom) {
    const FreeTitration truth = titration(0.08, 0.05, 7.20, 0.1);
    std::vector<PastedPair> points;
    for (int i = 0; i <= 50; ++i) {
        const double v = 0.025 * i / 50; // L
        points.push_back({v, freeTitrationPH(truth, v)});
    }
    struct Case {
        const char* label;
        FreeTitration start;
        std::vector<FreeRowValue> free;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {"a concentration", titration(0.1, 0.05, 7.20, 0.1), {{false, 0, 0}}, {0.08}},
        {"a pKa", titration(0.08, 0.05, 7.9, 0.1), {{false, 1, 2}}, {7.20}},
        {"a concentration and a pKa",
         titration(0.08, 0.065, 7.6, 0.1),
         {{false, 1, 0}, {false, 1, 2}},
         {0.05, 7.20}},
        {"the burette's concentration", titration(0.08, 0.05, 7.20, 0.13), {{true, 0, 0}}, {0.1}},
    };
    for (const Case& c : cases) {
        const FreeFitResult fit =
            fitFreeTitration(c.start, layoutOf(c.start), Language::English, points, c.free);
        ASSERT_TRUE(fit.ok) << c.label << ": " << fit.refusal;
        ASSERT_EQ(fit.values.size(), c.expected.size()) << c.label;
        for (std::size_t j = 0; j < c.expected.size(); ++j) {
            EXPECT_TRUE(fit.freed[j] == c.free[j]) << c.label;
            EXPECT_NEAR(fit.values[j].value, c.expected[j], 1e-7 * c.expected[j]) << c.label;
            EXPECT_LT(fit.values[j].uncertainty, 1e-6 * c.expected[j]) << c.label;
        }
        // The first equivalence: n(HCl) / c(NaOH), 0.08 x 10 mL / 0.1 mol/L.
        ASSERT_FALSE(fit.equivalences.empty()) << c.label;
        EXPECT_NEAR(fit.equivalences[0].volume, 0.008, 1e-9) << c.label;
        EXPECT_LT(fit.residualDeviation, 1e-8) << c.label;
    }
}

TEST(FreeFit, NamesEachRowsValuesOneWay) {
    struct Case {
        const char* typed;
        std::optional<FreeRowValue> read;
        const char* written; // as named back
    };
    const Case cases[] = {
        {"beaker1.c", FreeRowValue{false, 0, 0}, "beaker1.c"},
        {"Burette12.pKa3", FreeRowValue{true, 11, 3}, "burette12.pK3"},
        {" beaker2.PK1 ", FreeRowValue{false, 1, 1}, "beaker2.pK1"},
        {"beaker0.c", std::nullopt, ""},
        {"beaker17.c", std::nullopt, ""},
        {"beaker1.pK7", std::nullopt, ""},
        {"beaker1", std::nullopt, ""},
        {"beaker1.conc", std::nullopt, ""},
        {"flask1.c", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        const std::optional<FreeRowValue> read = freeRowValueFromName(c.typed);
        ASSERT_EQ(read.has_value(), c.read.has_value()) << c.typed;
        if (!read) continue;
        EXPECT_TRUE(*read == *c.read) << c.typed;
        EXPECT_EQ(freeRowValueName(*read), c.written) << c.typed;
    }
}

} // namespace
