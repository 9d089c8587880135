// The free study in the session: its rows read and refused, its study-file section kept
// through a save and an open, and its regeneration checked against independent oracles (the
// stoichiometry of the equivalences, a long-double charge balance, the mass balance).
#include "core/session/FreeStudy.h"

#include "core/base/Notifier.h"
#include "core/session/ChartReading.h"
#include "core/session/DiagramView.h"
#include "core/session/FreeFit.h"
#include "core/session/InputPanel.h"
#include "core/session/Refresh.h"
#include "core/session/StudyEdits.h"
#include "core/session/StudyFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace titralab;

namespace {

struct FreeDesk {
    Simulation sim;
    PanelView view;
    RecordingNotifier notes;
    explicit FreeDesk(Language language = Language::French) {
        setLanguage(sim, language);
        startPanel(view, sim);
        chooseBurette(view, sim, 0);
        chooseStudy(view, sim, static_cast<int>(Study::FreeSolutions));
        sim.freeStudy.inputs = FreeStudyInputs::atDesign(language);
    }
    void refresh() { RefreshSimulation(sim, notes); }
};

FreeRow row(const std::string& what, const std::string& c) {
    return {what, c, {}, {}};
}

// The pH of a strong acid (ca, mol/L) with a triprotic acid (c, mol/L; pKa) and sodium (cb,
// mol/L), by bisection of the charge balance in long double: the test's own solver.
long double mixturePH(long double ca, long double c, const long double (&pKa)[3], long double cb) {
    const long double k[3] = {powl(10, -pKa[0]), powl(10, -pKa[1]), powl(10, -pKa[2])};
    auto balance = [&](long double pH) {
        const long double h = powl(10, -pH);
        const long double d = h * h * h + k[0] * h * h + k[0] * k[1] * h + k[0] * k[1] * k[2];
        const long double charge =
            (k[0] * h * h + 2 * k[0] * k[1] * h + 3 * k[0] * k[1] * k[2]) / d;
        return h + cb - 1e-14L / h - ca - c * charge;
    };
    long double low = -2, high = 16;
    for (int i = 0; i < 200; ++i) {
        const long double mid = (low + high) / 2;
        (balance(mid) > 0 ? low : high) = mid;
    }
    return (low + high) / 2;
}

} // namespace

TEST(FreeStudy, RowsAndFieldsAreRefusedWithTheirMessage) {
    struct Case {
        const char* label;
        std::vector<FreeRow> beaker;
        std::string volume;
        std::string maxVolume;
        const char* french;  // a part of the one message
        const char* english; // the same part in English
    };
    const Case cases[] = {
        {"unknown name",
         {row("HCl", "0.1"), row("eau de Javel", "0.1")},
         "10",
         "",
         "Bécher, ligne 2 « eau de Javel » : nom inconnu",
         "Beaker, row 2 “eau de Javel”: unknown"},
        {"concentration",
         {row("HCl", "beaucoup")},
         "10",
         "",
         "Bécher, ligne 1 « beaucoup »",
         "Beaker, row 1 “beaucoup”: the concentration"},
        {"concentration too large",
         {row("HCl", "20")},
         "10",
         "",
         "de 1E-8 à 15 mol/L",
         "from 1E-8 to 15 mol/L"},
        {"pKa",
         {row("acid(2,x)", "0.1")},
         "10",
         "",
         "entre les parenthèses",
         "within the brackets"},
        {"empty beaker", {}, "10", "", "Bécher : aucun soluté", "Beaker: no solute"},
        {"beaker volume",
         {row("HCl", "0.1")},
         "0",
         "",
         "Le volume du bécher",
         "The beaker's volume"},
        {"largest volume",
         {row("HCl", "0.1")},
         "10",
         "-5",
         "Le plus grand volume versé",
         "The largest volume added"},
    };
    for (const Case& c : cases)
        for (Language language : {Language::French, Language::English}) {
            FreeDesk desk(language);
            desk.sim.freeStudy.inputs.beaker = c.beaker;
            desk.sim.freeStudy.inputs.beakerVolume = c.volume;
            desk.sim.freeStudy.inputs.maxVolume = c.maxVolume;
            desk.refresh();
            ASSERT_EQ(desk.notes.messages.size(), 1u) << c.label;
            const std::string expected = language == Language::French ? c.french : c.english;
            EXPECT_NE(desk.notes.messages[0].find(expected), std::string::npos)
                << c.label << ": " << desk.notes.messages[0];
            EXPECT_TRUE(desk.sim.results.curves[1].empty()) << c.label;
            EXPECT_FALSE(desk.sim.freeStudy.result.titration) << c.label;
        }
}

TEST(FreeStudy, RefreshDrawsWhatTheChemistryRequires) {
    // Hydrochloric and phosphoric acids (0.1 mol/L each, 10 mL) by soda 0.1 mol/L: the first
    // equivalence takes n(HCl) + n(H3PO4), the second n(HCl) + 2 n(H3PO4).
    FreeDesk desk;
    desk.sim.panel.pointCount = "60";
    desk.sim.reading.options.equivalences = true;
    desk.sim.graph.checked[1] = desk.sim.graph.checked[2] = true; // the first two forms
    desk.refresh();
    ASSERT_TRUE(desk.notes.messages.empty()) << desk.notes.messages.front();
    const FreeStudyResult& result = desk.sim.freeStudy.result;
    ASSERT_TRUE(result.titration);
    for (double expected : {0.020, 0.030}) {
        bool found = false;
        for (const EquivalenceReading& p : desk.sim.reading.points)
            found = found || std::fabs(p.equivalence.volume - expected) < 1e-12;
        EXPECT_TRUE(found) << "no equivalence at " << expected << " L";
    }
    EXPECT_EQ(result.species.size(), 4u); // H3PO4 and its three bases

    // Every drawn pH against the test's own solver, at the drawn volume (mL).
    const long double pKa[3] = {result.titration->beaker.solutes[1].system.pKa[0],
                                result.titration->beaker.solutes[1].system.pKa[1],
                                result.titration->beaker.solutes[1].system.pKa[2]};
    const Series& pH = desk.sim.results.curves[1];
    ASSERT_GE(pH.size(), 60u);
    for (const CurvePoint& p : pH) {
        const long double v = p.x / 1000, v0 = 0.010L, total = v0 + v;
        const long double expected =
            mixturePH(0.1L * v0 / total, 0.1L * v0 / total, pKa, 0.1L * v / total);
        EXPECT_NEAR(p.y, static_cast<double>(expected), 1e-9) << "v = " << p.x << " mL";
    }
    // The value on the curve at a typed volume (mL), between the drawn points.
    const std::optional<ExactPoint> at = exactPointAt(desk.sim, 12.345);
    ASSERT_TRUE(at);
    const long double total = 0.010L + 0.012345L;
    EXPECT_NEAR(at->pH,
                static_cast<double>(mixturePH(0.1L * 0.010L / total, 0.1L * 0.010L / total, pKa,
                                              0.1L * 0.012345L / total)),
                1e-9);
    EXPECT_EQ(at->species.size(), 4u);
    // The table gives every form; the forms of phosphoric acid add up to its diluted total.
    const ExportTable& table = desk.sim.results.exportTable;
    ASSERT_EQ(table.columns.size(), 3u + 4u + (result.conductivityKnown ? 1u : 0u));
    // The table keeps the 60 volumes asked for and the equivalences; the drawn curve adds
    // points across the jumps, so that no step of the drawn pH exceeds 0.15 there.
    ASSERT_GE(table.rowCount(), 60u);
    ASSERT_LE(table.rowCount(), 60u + 4u);
    for (std::size_t i = 1; i < pH.size(); ++i)
        EXPECT_LE(std::abs(pH[i].y - pH[i - 1].y), 0.15 + 1e-12) << "at " << pH[i].x << " mL";
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        const double v = table.columns[0].values[row];
        double sum = 0;
        for (std::size_t c = 3; c < 7; ++c) sum += table.columns[c].values[row];
        EXPECT_NEAR(sum, 0.1 * 0.010 / (0.010 + v), 1e-12) << "row " << row;
    }
    EXPECT_FALSE(desk.sim.results.curves[2].empty());
    EXPECT_TRUE(desk.sim.results.curves[4].empty()); // not ticked
    EXPECT_NE(desk.sim.results.exportText.find("E2"), std::string::npos);
}

TEST(FreeStudy, SavedThenOpenedComputesTheSameEvenWithoutTheEntry) {
    struct Case {
        const char* label;
        std::vector<FreeRow> beaker;
        std::vector<FreeRow> burette;
        // A row the opening computer no longer knows: its typed name is changed in the saved
        // text, so that only what the row kept can compute it.
        const char* forgotten;
    };
    const Case cases[] = {
        {"compounds and grammar",
         {row("NaH2PO4", "0,05"), row("Cl-", "0.01")},
         {row("soude", "0,1")},
         nullptr},
        {"a teacher's own entry",
         {row("acide éthanoïque", "0,1")},
         {row("ammoniac", "0.1")},
         "acide éthanoïque"},
        {"generic systems", {row("base(9.25)", "0,1")}, {row("acid(4.76)", "0,2")}, nullptr},
    };
    for (const Case& c : cases) {
        FreeDesk before;
        before.sim.freeStudy.inputs.beaker = c.beaker;
        before.sim.freeStudy.inputs.burette = c.burette;
        before.sim.freeStudy.inputs.maxVolume = "25";
        before.refresh();
        ASSERT_TRUE(before.notes.messages.empty()) << c.label << ": " << before.notes.messages[0];
        std::string text = writeStudyText(captureStudy(before.sim, before.view, PrintSettings{}));
        if (c.forgotten) {
            const std::string from = std::string("\"what\": \"") + c.forgotten + "\"";
            const std::size_t at = text.find(from);
            ASSERT_NE(at, std::string::npos) << c.label;
            text.replace(at, from.size(), "\"what\": \"ma solution de la veille\"");
        }
        const StudyReading read = readStudyText(text, Language::English);
        ASSERT_TRUE(read.record) << c.label << ": " << read.problem;
        FreeDesk after(Language::English);
        applyStudy(*read.record, after.sim, after.view);
        ASSERT_EQ(after.sim.panel.study, Study::FreeSolutions) << c.label;
        after.refresh();
        ASSERT_TRUE(after.notes.messages.empty()) << c.label << ": " << after.notes.messages[0];
        const Series& a = before.sim.results.curves[1];
        const Series& b = after.sim.results.curves[1];
        ASSERT_EQ(a.size(), b.size()) << c.label;
        for (std::size_t k = 0; k < a.size(); ++k) {
            EXPECT_EQ(a[k].x, b[k].x) << c.label;
            EXPECT_EQ(a[k].y, b[k].y) << c.label;
        }
        // The section (the file's last) survives a second save unchanged.
        const std::string resaved =
            writeStudyText(captureStudy(after.sim, after.view, PrintSettings{}));
        EXPECT_EQ(resaved.substr(resaved.find("\"solution\"")),
                  text.substr(text.find("\"solution\"")))
            << c.label;
    }
}

TEST(FreeStudy, DamagedSectionsRefuseTheFileNamingTheKey) {
    FreeDesk desk;
    desk.refresh();
    const std::string good = writeStudyText(captureStudy(desk.sim, desk.view, PrintSettings{}));
    struct Case {
        const char* label;
        const char* from;
        const char* to;
        const char* key;
    };
    const Case cases[] = {
        {"pKa out of range", "\"pka\": [", "\"pka\": [99, ", "solution.beaker.2.solutes.1.pka"},
        {"a volume that is no text", "\"beaker_volume\": \"10\"", "\"beaker_volume\": 10",
         "solution.beaker_volume"},
        {"an unknown ion", "\"ion\": \"Cl-\"", "\"ion\": \"Xx+\"",
         "solution.beaker.1.solutes.1.ion"},
        {"a name that is no text", "\"what\": \"NaOH\"", "\"what\": 3", "solution.burette.1.what"},
    };
    for (const Case& c : cases) {
        std::string text = good;
        const std::size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.label;
        text.replace(at, std::string(c.from).size(), c.to);
        const StudyReading read = readStudyText(text, Language::French);
        EXPECT_FALSE(read.record) << c.label;
        EXPECT_NE(read.problem.find(c.key), std::string::npos) << c.label << ": " << read.problem;
    }
}

// The diagrams of the beaker's solution (HCl and H3PO4 at 0.1 mol/L): the phosphate forms add
// up to the acid's concentration at every pH, the logarithmic diagram marks pH = pKa at the
// published pKa values of phosphoric acid, the strip changes form there, and a refused row
// leaves a message and no line.
TEST(FreeStudy, DiagramsOfTheBeakersSolution) {
    FreeDesk desk;
    const DiagramView c = diagramView(desk.sim, DiagramKind::Concentrations);
    ASSERT_EQ(c.lines.size(), 4u);
    for (std::size_t i = 0; i < c.lines[0].points.size(); ++i) {
        double total = 0;
        for (const DiagramLine& l : c.lines) total += l.points[i].y;
        EXPECT_NEAR(total, 0.1, 1e-12) << "pH " << c.lines[0].points[i].x;
    }
    const double published[] = {2.15, 7.20, 12.35};
    const DiagramView log = diagramView(desk.sim, DiagramKind::Logarithmic, -10);
    ASSERT_EQ(log.marks.size(), 3u);
    ASSERT_EQ(log.strips.size(), 1u);
    ASSERT_EQ(log.strips[0].domains.size(), 4u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(log.marks[k].x, published[k], 0.02);
        EXPECT_NEAR(log.strips[0].domains[k].high, published[k], 0.02);
    }
    EXPECT_EQ(log.yMin, -10);

    desk.sim.freeStudy.inputs.beaker[1].concentration = "x";
    const DiagramView refused = diagramView(desk.sim, DiagramKind::BufferCapacity);
    EXPECT_TRUE(refused.lines.empty());
    EXPECT_FALSE(refused.problem.empty());
}

TEST(FreeStudy, DiagramTicksFallOnRoundSteps) {
    struct Case {
        double low, high;
        std::vector<double> ticks;
    } cases[] = {
        {0, 14, {0, 2, 4, 6, 8, 10, 12, 14}},
        {-8, 0, {-8, -6, -4, -2, 0}},
        {0, 0.105, {0, 0.02, 0.04, 0.06, 0.08, 0.1}},
        {1, 1, {}},
    };
    for (const Case& c : cases) {
        const std::vector<double> ticks = roundTicks(c.low, c.high);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.low << " " << c.high;
        for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], c.ticks[i], 1e-12);
    }
}

// Six forms (phosphoric and ethanoic acids): the species boxes hold the first four until the
// user chooses; a fifth is refused with the message, and a form taken out makes room for
// another, which the chart then draws.
TEST(FreeStudy, TheChosenFormsFillTheSpeciesBoxes) {
    FreeDesk desk;
    desk.sim.freeStudy.inputs.beaker = {row("acid(2.15,7.20,12.35)", "0,1"), row("acid(4.76)", "0,1")};
    desk.refresh();
    const std::vector<FreeSpecies>& forms = desk.sim.freeStudy.result.species;
    ASSERT_EQ(forms.size(), 6u);
    EXPECT_EQ(desk.sim.graph.captions[3], forms[3].name);
    EXPECT_FALSE(chooseFreeForm(desk.sim, forms[5].name, true).empty());
    EXPECT_EQ(chooseFreeForm(desk.sim, forms[0].name, false), "");
    EXPECT_EQ(chooseFreeForm(desk.sim, forms[5].name, true), "");
    desk.sim.graph.checked[4] = true; // box 5
    desk.refresh();
    EXPECT_EQ(desk.sim.graph.captions[0], forms[1].name);
    EXPECT_EQ(desk.sim.graph.captions[3], forms[5].name);
    // The ethanoate ion grows along the titration by soda: its series rises.
    const Series& ethanoate = desk.sim.results.curves[5];
    ASSERT_FALSE(ethanoate.empty());
    EXPECT_LT(ethanoate.front().y, ethanoate.back().y);
}

// The concentration slider: ten-fold steps at round positions, its texts read back at their
// position, and a text that reads as no concentration puts the slider in the middle.
TEST(FreeStudy, TheConcentrationSliderIsLogarithmic) {
    struct Case {
        int position;
        const char* text;
    } cases[] = {{0, "0,0001"}, {100, "0,01"}, {150, "0,1"}, {200, "1"}, {165, "0,2"}};
    for (const Case& c : cases) {
        EXPECT_EQ(freeSliderConcentration(c.position, true), c.text);
        EXPECT_EQ(freeSliderPosition(c.text), c.position) << c.text;
    }
    EXPECT_EQ(freeSliderPosition("x"), 100);
    EXPECT_EQ(freeSliderPosition("5"), 200);        // above the scale: at its top
    EXPECT_EQ(freeSliderPosition("0,000001"), 0); // below it: at its foot
}

// The pKa slider: a row that is one system takes the pKa, kept between its neighbours, and
// still reads (its titration's pKa moved); a row of spectator ions has none.
TEST(FreeStudy, ThePKaSliderMovesOneRowsPKaBetweenItsNeighbours) {
    FreeDesk desk;
    desk.refresh(); // the rows resolve: HCl, H3PO4 | NaOH
    FreeStudyInputs& inputs = desk.sim.freeStudy.inputs;
    ASSERT_EQ(freeRowAcidities(inputs.beaker[1]), 3);
    EXPECT_EQ(freeRowAcidities(inputs.burette[0]), 0);
    EXPECT_FALSE(setFreeRowPKa(inputs, FreeSide::Burette, 0, 1, 5));
    EXPECT_EQ(*setFreeRowPKa(inputs, FreeSide::Beaker, 1, 2, 8), 8);
    EXPECT_NEAR(*setFreeRowPKa(inputs, FreeSide::Beaker, 1, 1, 9), 8, 1e-12); // not past pKa2
    desk.refresh();
    ASSERT_TRUE(desk.sim.freeStudy.result.titration);
    const std::vector<double> pK =
        desk.sim.freeStudy.result.titration->beaker.solutes[1].system.pKa;
    ASSERT_EQ(pK.size(), 3u);
    EXPECT_NEAR(pK[0], 8, 1e-9);
    EXPECT_NEAR(pK[1], 8, 1e-9);
}
