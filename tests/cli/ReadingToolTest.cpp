// The tool's readings of a titration: remarkable points, the derivative column and the
// indicator's verdicts, as a spreadsheet or a script reads them.
#include "core/base/Notifier.h"
#include "core/numbers/NumberInput.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using titralab::testing::runTool;
using titralab::testing::tabFields;
using titralab::testing::ToolRun;

namespace {


double number(const std::string& field) {
    return titralab::ParseBoundedNumber(field, -1e300, 1e300).value;
}

// The lines the tool should print for a titration: from the core's readings of the same study.
std::vector<std::string> expectedPoints(titralab::Study study, titralab::BuretteSide side,
                                        int entry1, int entry2) {
    using namespace titralab;
    Simulation sim;
    chooseStudyAndEntries(sim, side, study, entry1, entry2);
    sim.reading.options.equivalences = true;
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    std::vector<std::string> lines;
    for (const EquivalenceReading& p : sim.reading.points) {
        lines.push_back("equivalence " + std::to_string(p.number));
        if (p.inflection) lines.push_back("inflection " + std::to_string(p.number));
        lines.push_back("half " + std::to_string(p.number));
    }
    return lines;
}

struct ToolCase {
    const char* label;
    const char* arguments;
    int status;
    std::vector<std::string> expected; // "kind number" of each line, with the verdict if any
};

class ReadingTool : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ReadingTool, PrintsOneLinePerPoint) {
    const ToolCase& c = GetParam();
    const ToolRun run = runTool(c.arguments);
    ASSERT_EQ(run.status, c.status) << c.label << ": " << run.err;
    if (c.status != 0) {
        // One line of error, nothing on standard output.
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(run.out.empty());
        return;
    }
    // LF lines, one per point, nothing else: `| wc -l` counts the points.
    EXPECT_EQ(run.out.find('\r'), std::string::npos) << c.label;
    EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')),
              c.expected.size())
        << c.label;
    const auto lines = tabFields(run.out);
    ASSERT_EQ(lines.size(), c.expected.size()) << c.label << "\n" << run.out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ASSERT_EQ(lines[k].size(), 4u) << c.label;
        const std::string last = lines[k][3];
        const bool verdict = last == "convient" || last == "ne convient pas";
        EXPECT_EQ(verdict ? lines[k][0] + " " + lines[k][1] + " " + last
                          : lines[k][0] + " " + lines[k][1],
                  c.expected[k])
            << c.label;
    }
}

using titralab::BuretteSide;
using titralab::Study;

INSTANTIATE_TEST_SUITE_P(
    Options, ReadingTool,
    ::testing::Values(
        ToolCase{"acetic acid", "--study titration --entry1 17 --equivalence", 0,
                 expectedPoints(Study::TitrationVsVolume, BuretteSide::AcidSide, 17, 17)},
        ToolCase{"phosphoric acid", "--study titration --entry1 30 --equivalence", 0,
                 expectedPoints(Study::TitrationVsVolume, BuretteSide::AcidSide, 30, 17)},
        ToolCase{"two monoacids", "--study two-mono --entry1 17 --entry2 4 --equivalence", 0,
                 expectedPoints(Study::TwoMonoTitration, BuretteSide::AcidSide, 17, 4)},
        ToolCase{"base side", "--side base --study titration --entry1 2 --equivalence", 0,
                 expectedPoints(Study::TitrationVsVolume, BuretteSide::BaseSide, 2, 17)},
        // The textbook's verdicts: pH 8.7 at the equivalence of ethanoic acid, 7.0 for
        // hydrochloric acid with a jump from about 4 to 10.
        ToolCase{"phenolphthalein without accents suits acetic acid",
                 "--study titration --entry1 17 --indicator phenolphtaleine",
                 0,
                 {"equivalence 1 convient"}},
        ToolCase{"helianthine does not",
                 "--study titration --entry1 17 --indicator Hélianthine",
                 0,
                 {"equivalence 1 ne convient pas"}},
        ToolCase{"bromothymol blue suits hydrochloric acid",
                 "--study titration --entry1 4 --indicator 'bleu de bromothymol'",
                 0,
                 {"equivalence 1 convient"}},
        ToolCase{"no titration in the species study", "--study species --equivalence", 2, {}},
        ToolCase{"unknown indicator", "--study titration --indicator violet", 2, {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ReadingToolNumbers, FollowTheTableFormat) {
    const ToolRun comma = runTool("--study titration --entry1 17 --equivalence");
    const ToolRun point =
        runTool("--study titration --entry1 17 --equivalence --separator point --digits 17");
    const auto c = tabFields(comma.out), p = tabFields(point.out);
    ASSERT_EQ(c.size(), 3u);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(c[0][2], "0,02");
    EXPECT_NEAR(number(c[0][3]), 8.70, 0.005); // 5 significant digits, decimal comma
    EXPECT_EQ(p[0][2], "0.02");
    EXPECT_GE(p[0][3].size(), 17u); // 8.72... with 17 significant digits
}

// The derivative column against the implicit derivative of the charge balance at each row's pH,
// in long double: acetic acid 0.1 mol/L, 20 mL, soda 0.1 mol/L; volumes shown in mL.
TEST(ReadingToolDerivative, IsTheExactSlopeInPHPerMillilitre) {
    for (const char* sampling : {"", " --by-volume"}) {
        const ToolRun run = runTool(std::string("--study titration --entry1 17 --derivative "
                                                "--digits 17 --separator point") +
                                    sampling);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = tabFields(run.out);
        ASSERT_EQ(lines.size(), 102u); // the dilution warning, the header, 100 rows
        ASSERT_EQ(lines[1].size(), 7u);
        EXPECT_EQ(lines[1].back(), "dpH/dV") << sampling;
        const long double ka = std::pow(10.0L, -4.7L), kw = 1e-14L, c1 = 0.1L, v1 = 0.02L,
                          cb = 0.1L;
        for (std::size_t k = 2; k < lines.size(); ++k) {
            const long double v = number(lines[k][0]), pH = number(lines[k][1]);
            const long double h = std::pow(10.0L, -pH), vt = v1 + v;
            const long double alpha = ka / (h + ka), dAlpha = -ka / ((h + ka) * (h + ka));
            // g(h, v) = h + cb v/vt - kw/h - c1 v1/vt alpha(h)
            const long double gh = 1 + kw / (h * h) - c1 * v1 / vt * dAlpha;
            const long double gv = (cb * v1 + c1 * v1 * alpha) / (vt * vt);
            const long double perLitre = 1 / (std::log(10.0L) * h) * gv / gh;
            EXPECT_NEAR(number(lines[k].back()) / double(perLitre / 1000), 1, 1e-9)
                << sampling << " row " << k;
        }
    }
}

} // namespace

// The curve at a typed volume agrees with the remarkable points solved at the same volume.
TEST(ReadingTool, CurveAtAVolumeAgreesWithTheRemarkablePoints) {
    struct Case {
        const char* label;
        std::string study;
    };
    const std::vector<Case> cases{
        {"acetic acid", "--study titration --entry1 17"},
        {"phosphoric acid", "--study titration --entry1 30"},
        {"two monoacids", "--study two-mono --entry1 1 --entry2 17"},
    };
    const std::string precise = " --separator point --digits 17";
    for (const Case& c : cases) {
        const ToolRun points = runTool(c.study + " --equivalence" + precise);
        ASSERT_EQ(points.status, 0) << c.label << points.err;
        int checked = 0;
        for (const auto& p : tabFields(points.out)) {
            if (p.size() != 4 || p[0] == "inflection") continue;
            const double litres = number(p[2]);
            std::ostringstream millilitres;
            millilitres.precision(17);
            millilitres << litres * 1000;
            const ToolRun at = runTool(c.study + " --at " + millilitres.str() + precise);
            ASSERT_EQ(at.status, 0) << c.label << at.err;
            const auto lines = tabFields(at.out);
            ASSERT_GE(lines.size(), 3u) << c.label;
            EXPECT_EQ(lines[1][0], "pH") << c.label;
            EXPECT_NEAR(number(lines[1][1]), number(p[3]), 1e-9) << c.label << ' ' << p[0];
            ++checked;
        }
        EXPECT_GE(checked, 2) << c.label;
    }
    const ToolRun species = runTool("--study species --entry1 17 --at 10");
    EXPECT_EQ(species.status, 2);
    const ToolRun negative = runTool("--study titration --entry1 17 --at -1");
    EXPECT_EQ(negative.status, 2);
}

// A reading is a value, not the table's cell: past the equivalence of ethanoic acid, [H3O+] is
// 10^-pH, some 1E-12 mol/L, however few the digits, where the table writes 0 below 1E-11.
TEST(ReadingTool, SmallValuesAreReadNotZeroed) {
    for (const char* digits : {"", " --digits 17"}) {
        const ToolRun at = runTool(std::string("--study titration --entry1 17 --at 30") + digits);
        ASSERT_EQ(at.status, 0) << at.err;
        const auto lines = tabFields(at.out);
        ASSERT_GE(lines.size(), 3u);
        ASSERT_EQ(lines[2][0], "[H3O+]");
        const double pH = number(lines[1][1]), hydronium = number(lines[2][1]);
        EXPECT_NEAR(hydronium / std::pow(10.0, -pH), 1, 1e-3) << digits << ": " << lines[2][1];
    }
}
