// The measurements in the session: the reading panel's lines of the equivalences read off
// points taken from the program's exact curve (and conductivities from the ions' limiting molar
// conductivities), by every method the points allow, in the chart's unit, language and
// separator; the imported conductivities on the chart and in the copied table.
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/Measurements.h"
#include "tests/core/session/SimulationFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

namespace titralab {
namespace {

struct Case {
    const char* label;
    std::array<double, 3> pK;
    std::vector<double> equivalences; // mL, 20 mL of acid at 0.1 mol/L by soda at 0.1 mol/L
    bool pHPoints;
    bool conductivities;
    bool millilitres;
    bool decimalComma;
    Language language;
    std::vector<std::string> methods; // as the lines name them, in order
};

Simulation simulationOf(const Case& c) {
    Simulation sim;
    sim.language = c.language;
    sim.exportSettings.decimalComma = c.decimalComma;
    ChemicalState& s = sim.state;
    s.study = Study::TitrationVsVolume;
    s.titrantConc = 0.1;
    s.conc1 = 0.1;
    s.vol1 = 0.020;
    s.pK1 = c.pK;
    for (int k = 0; k < 3; ++k) s.ka1[k] = std::pow(10.0, -c.pK[k]);
    s.volumesInMillilitres = c.millilitres;
    s.volumeFactor = c.millilitres ? 1000 : 1;
    // Every 0.5 mL, every 0.1 mL within 2 mL of an equivalence, to 1.5 times the last one.
    std::vector<double> volumes;
    for (double v = 0; v <= 1.5 * c.equivalences.back() + 1e-9; v += 0.5) volumes.push_back(v);
    for (const double e : c.equivalences)
        for (double v = e - 2; v <= e + 2 + 1e-9; v += 0.1)
            if (std::abs(std::remainder(v, 0.5)) > 1e-6) volumes.push_back(v);
    if (c.pHPoints) {
        for (const double v : volumes)
            sim.pasted.lines.push_back(formatGeneral(v, 15) + '\t' +
                                       formatGeneral(exactPH(s, Titration::OneAcid, v * 1e-3), 15));
        sim.pasted.volumeFirst = true;
        sim.pasted.inMillilitres = true;
    }
    if (c.conductivities)
        // λ° (mS·m²/mol): H3O+ 34.98, OH− 19.86, Na+ 5.01, Cl− 7.63 (a strong acid).
        for (double v = 0; v <= 40 + 1e-9; v += 1) {
            const double h = std::pow(10.0, -exactPH(s, Titration::OneAcid, v * 1e-3));
            const double total = 20 + v;
            sim.pasted.conductivity.push_back(
                {v * 1e-3, 34.98 * h + 19.86 * 1e-14 / h + 5.01 * 0.1 * v / total +
                               7.63 * 0.1 * 20 / total});
        }
    return sim;
}

TEST(MeasuredLines, EveryMethodThePointsAllowReadsTheirEquivalences) {
    constexpr double none = ABSENT_PK;
    const Case cases[]{
        {"ethanoic acid, pH points, mL, comma, French", {4.76, none, none}, {20}, true, false,
         true, true, Language::French, {"dérivée", "tangentes", "Gran (avant)", "Gran (après)"}},
        {"hydrochloric acid, pH and conductivities, L, point, English", {-10, none, none}, {20},
         true, true, false, false, Language::English,
         {"derivative", "tangents", "Gran (before)", "Gran (after)", "conductimetric"}},
        {"hydrochloric acid, conductivities only", {-10, none, none}, {20}, false, true, true,
         true, Language::French, {"conductimétrie"}},
        {"sulfurous acid, two equivalences", {1.85, 7.20, none}, {20, 40}, true, false, true,
         false, Language::English,
         {"derivative", "derivative", "tangents", "tangents", "Gran (before)", "Gran (after)"}},
        {"no measured point", {4.76, none, none}, {20}, false, false, true, true,
         Language::French, {}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines = measuredEquivalenceLines(simulationOf(c));
        ASSERT_EQ(lines.size(), c.methods.size()) << c.label;
        const std::string prefix = c.language == Language::French ? "Mesures — " : "Measured — ";
        const std::string colon = c.language == Language::French ? " : " : ": ";
        const std::string number = c.decimalComma ? "[0-9]+,([0-9]+)" : "[0-9]+\\.([0-9]+)";
        const std::regex line(prefix + "(.+)" + colon + "V_E([0-9]?) = (" + number + ") ± (" +
                              number + ") " + (c.millilitres ? "mL" : "L"));
        for (std::size_t k = 0; k < lines.size(); ++k) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(lines[k], m, line)) << c.label << ": " << lines[k];
            EXPECT_EQ(m[1], c.methods[k]) << c.label;
            // Numbered only when the study has several equivalences.
            const int which = m[2].str().empty() ? 1 : std::stoi(m[2]);
            EXPECT_EQ(m[2].str().empty(), c.equivalences.size() == 1) << c.label;
            std::string value = m[3], uncertainty = m[5];
            for (std::string* t : {&value, &uncertainty})
                for (char& ch : *t)
                    if (ch == ',') ch = '.';
            const double toMillilitres = c.millilitres ? 1 : 1000;
            EXPECT_NEAR(std::stod(value) * toMillilitres, c.equivalences.at(which - 1), 0.1)
                << c.label << ": " << lines[k];
            EXPECT_GT(std::stod(uncertainty), 0) << c.label << ": " << lines[k];
            EXPECT_EQ(m[4].length(), m[6].length()) << c.label << ": same decimals, " << lines[k];
        }
    }
}

// Each tangent construction: two parallel tangents and a middle line that crosses the exact curve
// within 0.1 mL of the true equivalence.
TEST(MeasuredTangents, TheMiddleLineCrossesTheCurveAtTheEquivalence) {
    constexpr double none = ABSENT_PK;
    constexpr Language fr = Language::French;
    const Case cases[]{
        {"hydrochloric acid, mL", {-10, none, none}, {20}, true, false, true, true, fr, {}},
        {"ethanoic acid, L", {4.76, none, none}, {20}, true, false, false, true, fr, {}},
        {"sulfurous acid", {1.85, 7.20, none}, {20, 40}, true, false, true, true, fr, {}},
        {"no pH point", {4.76, none, none}, {20}, false, true, true, true, fr, {}},
    };
    for (const Case& c : cases) {
        const Simulation sim = simulationOf(c);
        const std::vector<DrawnSegment> drawn = drawnTangentConstruction(sim);
        ASSERT_EQ(drawn.size(), c.pHPoints ? 3 * c.equivalences.size() : 0u) << c.label;
        const double toMillilitres = c.millilitres ? 1 : 1000;
        for (std::size_t j = 0; j < drawn.size() / 3; ++j) {
            const auto slope = [](const DrawnSegment& d) {
                return (d[1].y - d[0].y) / (d[1].x - d[0].x);
            };
            EXPECT_NEAR(slope(drawn[3 * j]), slope(drawn[3 * j + 1]),
                        1e-9 * std::abs(slope(drawn[3 * j])))
                << c.label;
            // Where the middle line minus the exact curve changes sign, on a 0.01 mL grid.
            const DrawnSegment& middle = drawn[3 * j + 2];
            const auto gap = [&](double millilitres) {
                const double x = millilitres / toMillilitres;
                const double line = middle[0].y + slope(middle) * (x - middle[0].x);
                return line - exactPH(sim.state, Titration::OneAcid, millilitres * 1e-3);
            };
            const double e = c.equivalences[j];
            std::vector<double> crossings;
            for (double v = e - 1; v < e + 1; v += 0.01)
                if ((gap(v) > 0) != (gap(v + 0.01) > 0)) crossings.push_back(v);
            ASSERT_EQ(crossings.size(), 1u) << c.label << " jump " << j + 1;
            EXPECT_NEAR(crossings[0], e, 0.1) << c.label << " jump " << j + 1;
        }
    }
}

// Conductivities taken off the simulated curve itself land on it once imported, and the copied
// table ends with them as imported.
TEST(MeasuredConductivities, LieOnTheSimulatedCurveAndEndTheCopiedTable) {
    Simulation source = testing::simulationFor(Study::TitrationVsVolume, 17);
    source.graph.checked[kConductivityBox - 1] = true;
    testing::refresh(source);
    const Series& curve = source.results.curves[kConductivityBox];
    ASSERT_GT(curve.size(), 20u);
    std::vector<sheets::ConductivityPoint> imported;
    std::vector<CurvePoint> expected;
    for (std::size_t k = 0; k < curve.size(); k += curve.size() / 10) {
        expected.push_back(curve[k]);
        imported.push_back({curve[k].x / source.state.volumeFactor,
                            curve[k].y / source.results.conductivityScale});
    }
    struct Case {
        const char* label;
        Study study;
        bool conductivityTicked;
        bool drawn;
        bool copied;
    } cases[] = {
        {"conductivity drawn", Study::TitrationVsVolume, true, true, true},
        {"conductivity not drawn", Study::TitrationVsVolume, false, false, true},
        {"no titration", Study::SpeciesVsPH, true, false, false},
    };
    for (const Case& c : cases) {
        Simulation sim = testing::simulationFor(c.study, 17);
        sim.graph.checked[kConductivityBox - 1] = c.conductivityTicked;
        sim.pasted.conductivity = imported;
        testing::refresh(sim);
        const std::vector<CurvePoint> drawn = drawnMeasuredConductivities(sim);
        ASSERT_EQ(drawn.size(), c.drawn ? expected.size() : 0u) << c.label;
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            EXPECT_NEAR(drawn[k].x, expected[k].x, 1e-12 * std::abs(expected[k].x)) << c.label;
            EXPECT_NEAR(drawn[k].y, expected[k].y, 1e-12 * std::abs(expected[k].y)) << c.label;
        }
        // The conductimetric lines are drawn with the points and pass through them: each point
        // within a segment's volumes lies on it to 5 % of the conductivities' span (the lines
        // are straight, the curve bends a little near the break).
        const std::vector<DrawnSegment> lines = drawnConductimetricLines(sim);
        EXPECT_EQ(lines.empty(), drawn.empty()) << c.label;
        double low = 1e300, high = -1e300;
        for (const CurvePoint& p : drawn) low = std::min(low, p.y), high = std::max(high, p.y);
        for (const CurvePoint& p : drawn)
            for (const DrawnSegment& d : lines)
                if (p.x >= d[0].x && p.x <= d[1].x) {
                    const double on =
                        d[0].y + (d[1].y - d[0].y) * (p.x - d[0].x) / (d[1].x - d[0].x);
                    EXPECT_NEAR(p.y, on, 0.05 * (high - low)) << c.label << " at " << p.x;
                }
        const auto rows = testing::tableOf(sim.results.exportText);
        const std::size_t block = imported.size() + 2;
        ASSERT_GE(rows.size(), block) << c.label;
        const bool found = rows[rows.size() - block] ==
                           std::vector<std::string>{"Conductivités mesurées"};
        EXPECT_EQ(found, c.copied) << c.label;
        if (!found) continue;
        EXPECT_EQ(rows[rows.size() - block + 1], (std::vector<std::string>{"v (L)", "σ (S/m)"}));
        for (std::size_t k = 0; k < imported.size(); ++k) {
            const auto& row = rows[rows.size() - imported.size() + k];
            ASSERT_EQ(row.size(), 2u) << c.label;
            const auto read = [](std::string field) {
                for (char& ch : field)
                    if (ch == ',') ch = '.';
                return std::stod(field);
            };
            EXPECT_NEAR(read(row[0]), imported[k].volume, 1e-4 * imported[k].volume) << c.label;
            EXPECT_NEAR(read(row[1]), imported[k].conductivity, 1e-4 * imported[k].conductivity)
                << c.label;
        }
    }
}

} // namespace
} // namespace titralab
