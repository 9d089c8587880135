// What the chart, the copied table, the readings, the workbook and the printed page write, in
// the simulation's language: English in English, the French of every other test in French.
#include "SimulationFixtures.h"

#include "core/chemistry/Database.h"
#include "core/page/PrintSettings.h"
#include "core/page/RecordingCanvas.h"
#include "core/session/ChartReading.h"
#include "core/session/PrintedPage.h"
#include "core/session/Readout.h"
#include "core/session/Workbook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;
using titralab::testing::tableOf;

namespace {

std::string joined(const std::vector<std::string>& fields) {
    std::string out;
    for (const std::string& f : fields) out += (out.empty() ? "" : "|") + f;
    return out;
}

// The first printed text that starts with `start` in either language, or "".
std::string printedText(const Simulation& sim, const std::string& frStart,
                        const std::string& enStart) {
    RecordingCanvas canvas(4960, 7015, 600);
    PrintPage(sim, PrintSettings{}, canvas);
    for (const CanvasText& t : canvas.texts())
        if (t.text.rfind(frStart, 0) == 0 || t.text.rfind(enStart, 0) == 0) return t.text;
    return "";
}

struct LanguageCase {
    const char* label;
    Study study;
    BuretteSide side;
    int entry;
    std::function<std::string(const Simulation&)> output;
    const char* french;
    const char* english;
};

class LanguageOutput : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageOutput, FollowsTheSimulationsLanguage) {
    const LanguageCase& c = GetParam();
    for (const Language language : {Language::French, Language::English}) {
        Simulation sim = simulationFor(c.study, c.entry, c.side);
        setLanguage(sim, language); // and its separator, the user having chosen none
        sim.reading.options.equivalences = true;
        sim.reading.options.indicator = 9; // phenolphthalein
        refresh(sim);
        EXPECT_EQ(c.output(sim), language == Language::English ? c.english : c.french)
            << c.label << " in " << languageCode(language);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, LanguageOutput,
    ::testing::Values(
        LanguageCase{"chart title", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
                     [](const Simulation& sim) { return sim.results.plot.chartTitle; },
                     "Monobase forte versée sur mono, di ou triacide : évolution du pH et des "
                     "concentrations en fonction de v de base versé",
                     "Strong base added to a mono-, di- or triprotic acid: pH and "
                     "concentrations against the volume of base added"},
        // The base side's burette holds a strong acid, its beaker a base.
        LanguageCase{"chart title, base side", Study::TitrationVsVolume, BuretteSide::BaseSide, 7,
                     [](const Simulation& sim) { return sim.results.plot.chartTitle; },
                     "Monoacide fort versé sur mono, di ou tribase : évolution du pH et des "
                     "concentrations en fonction de v d'acide versé",
                     "Strong acid added to a mono-, di- or triprotic base: pH and "
                     "concentrations against the volume of acid added"},
        LanguageCase{"chart title, two monobases", Study::TwoMonoTitration, BuretteSide::BaseSide,
                     7, [](const Simulation& sim) { return sim.results.plot.chartTitle; },
                     "Monoacide fort versé sur un mélange de 2 monobases : évolution du pH et "
                     "des concentrations",
                     "Strong acid added to a mixture of 2 monoprotic bases: pH and "
                     "concentrations"},
        LanguageCase{"export header, base side", Study::TitrationVsVolume, BuretteSide::BaseSide, 7,
                     [](const Simulation& sim) { return tableOf(sim.results.exportText)[1][0]; },
                     "v de monoacide", "v of titrant"},
        LanguageCase{"printed beaker volume, base side", Study::TitrationVsVolume,
                     BuretteSide::BaseSide, 7,
                     [](const Simulation& sim) { return printedText(sim, "volume", "initial v"); },
                     "volume initial d'ammoniac : 0,02 L", "initial volume of ammonia: 0,02 L"},
        LanguageCase{"volume axis", Study::TitrationVsVolume, BuretteSide::BaseSide, 7,
                     [](const Simulation& sim) { return sim.results.plot.bottomTitle; },
                     "v de monoacide fort versé, en mL", "v of strong acid added, in mL"},
        LanguageCase{"export header", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
                     [](const Simulation& sim) { return joined(tableOf(sim.results.exportText)[1]); },
                     "v de monobase|pH|cH|acide éthanoïque|ion éthanoate|Conductivité",
                     "v of titrant|pH|cH|ethanoic acid (acetic acid)|ethanoate ion|Conductivity"},
        LanguageCase{"species of the base side", Study::SpeciesVsPH, BuretteSide::BaseSide, 7,
                     [](const Simulation& sim) { return joined(tableOf(sim.results.exportText)[1]); },
                     "pH|cH|ammoniac|ion ammonium", "pH|cH|ammonia|ammonium ion"},
        LanguageCase{"database name", Study::TitrationVsVolume, BuretteSide::BaseSide, 12,
                     [](const Simulation& sim) {
                         return std::string(entryOf(BuretteSide::BaseSide, 12).name(sim.language));
                     },
                     "ion éthanoate", "ethanoate ion"},
        LanguageCase{"mixture results", Study::TwoPolyMixture, BuretteSide::BaseSide, 7,
                     [](const Simulation& sim) {
                         const auto rows = tableOf(sim.results.exportText);
                         return rows[0][0] + "|" + rows[1][0] + "|" + rows[6][0] + "|" + rows[9][0];
                     },
                     "Mélange de deux polyacides|Concentration initiale de l'ammoniac|"
                     "Concentration d'ion hydronium|Concentration de l'ion BH+",
                     "Mixture of two polyprotic acids|Initial concentration of ammonia|"
                     "Hydronium ion concentration|Concentration of BH+ ion"},
        LanguageCase{"readout", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
                     [](const Simulation& sim) { return readoutAtValues(sim, 12.5, 7)[0]; },
                     "Volume versé : 12,5", "Volume added: 12.5"},
        LanguageCase{
            "printed constants", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
            [](const Simulation& sim) { return printedText(sim, "c. initiale", "initial c."); },
            "c. initiale en acide éthanoïque : 0,1 mol/L",
            "initial c. of ethanoic acid (acetic acid): 0,1 mol/L"},
        LanguageCase{"printed dilution warning", Study::TitrationVsVolume, BuretteSide::AcidSide,
                     17,
                     [](const Simulation& sim) { return printedText(sim, "Attention", "Warning"); },
                     "Attention, l'effet de dilution n'est pas", "Warning: dilution is not taken"},
        LanguageCase{
            "indicator verdict", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
            [](const Simulation& sim) { return resultLines(sim).back(); },
            "E1 : v = 20,00 mL ; pH = 8,70 ; saut exploitable ; phénolphtaléine : convient",
            "E1: v = 20.00 mL; pH = 8.70; usable pH jump; phenolphthalein: suitable"},
        LanguageCase{"printed verdict", Study::TitrationVsVolume, BuretteSide::BaseSide, 2,
                     [](const Simulation& sim) { return printedText(sim, "E1 ", "E1:"); },
                     "E1 : 20,00 mL ; pH 5,30, ne convient pas",
                     "E1: 20,00 mL; pH 5,30, not suitable"},
        LanguageCase{"workbook sheet", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
                     [](const Simulation& sim) { return studySheetName(sim); }, "Polyacide, f (v)",
                     "Polyprotic acid, f (v)"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
