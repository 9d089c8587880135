#include "core/session/Refresh.h"
#include "core/session/Measurements.h"

#include "core/chemistry/Database.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/ChartReading.h"
#include "core/session/DiagramColumns.h"
#include "core/session/Overlays.h"
#include "core/session/StudyConditions.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/Messages.h"

#include <algorithm>

namespace titralab {

namespace {

void setTitles(Simulation& sim, const Text& chart, const Text& left, const std::string& bottom) {
    sim.results.plot.titlesSet = true;
    sim.results.plot.windowTitle = texts::kGraphWindowTitle.in(sim.language);
    sim.results.plot.chartTitle = chart.in(sim.language);
    sim.results.plot.leftTitle = left.in(sim.language);
    sim.results.plot.bottomTitle = bottom;
}

void setLeftAxis(Simulation& sim, bool automatic, double minimum, double maximum) {
    sim.results.plot.leftAxisAutomatic = automatic;
    sim.results.plot.leftMin = minimum;
    sim.results.plot.leftMax = maximum;
}

std::string volumeTitle(const ChemicalState& s, Language language) {
    const Text& start = s.side == BuretteSide::AcidSide ? texts::kBaseAddedIn : texts::kAcidAddedIn;
    return start.in(language) + std::string(s.volumesInMillilitres ? "mL" : "L");
}

// The name of species k of a database entry as the species boxes show it: the acid table's
// conjugate bases are ions ("ion éthanoate", "ethanoate ion"), apart from water, the spectator
// base and ammonia; the base table writes its names in full ("ion ammonium", "acide
// éthanoïque").
std::string speciesName(const AcidBaseEntry& e, BuretteSide side, int k, Language language) {
    std::string name = e.name(language, k);
    const std::string french = e.name(Language::French, k);
    if (side == BuretteSide::AcidSide && k > 0 && !name.empty() && french != "eau" &&
        french != "base indifférente" && french != "ammoniac")
        name = ionNamed(name, language);
    return name;
}

} // namespace

void BuildSpeciesLabels(Simulation& sim) {
    static const char* const generic[2][2][3][4] = {
        {// acid side: list 1, list 2
         {{"AH", "A-", "", ""}, {"AH2", "AH-", "A- -", ""}, {"AH3", "AH2-", "AH--", "A- - -"}},
         {{"A'H", "A'-", "", ""},
          {"A'H2", "A'H-", "A'- -", ""},
          {"A'H3", "A'H2-", "A'H- -", "A'- - -"}}},
        {// base side
         {{"B-", "BH", "", ""}, {"B- -", "BH-", "BH2", ""}, {"B- - -", "BH- -", "BH2-", "BH3"}},
         {{"B'-", "B'H", "", ""},
          {"B'- -", "B'H-", "B'H2", ""},
          {"B'- - -", "B'H- -", "B'H2-", "B'H3"}}}};
    const BuretteSide side = sim.state.side;
    const int sideIndex = side == BuretteSide::AcidSide ? 0 : 1;
    for (int list = 0; list < 2; ++list) {
        const AcidBaseEntry& e = entryOf(side, list == 0 ? sim.state.row1 : sim.state.row2);
        auto& labels = sim.results.speciesLabels[list];
        for (int k = 0; k < 4; ++k) labels[k] = speciesName(e, side, k, sim.language);
        const int acidities = std::clamp(e.acidities, 1, 3);
        for (int k = 0; k <= acidities; ++k)
            if (labels[k].empty()) labels[k] = generic[sideIndex][list][acidities - 1][k];
    }
}

void PrepareStudy(Simulation& sim) {
    auto& captions = sim.graph.captions;
    for (int k = 0; k < 8; ++k) captions[k].clear();
    captions[8] = "H3O+";
    ChemicalState& s = sim.state;
    switch (s.study) {
    case Study::TitrationVsVolume:
    case Study::SpeciesVsPH: {
        for (int k = 0; k < 4; ++k) captions[k] = sim.results.speciesLabels[0][k];
        const int n = entryOf(s.side, sim.browser.current(s.side)).acidities;
        if (n == 1)
            sim.results.spanFactor = 2;
        else if (n == 2)
            sim.results.spanFactor = 3;
        else if (n == 3)
            sim.results.spanFactor = 4.5;
        s.volumeSpan = sim.results.spanFactor * s.conc1 * s.vol1 / s.titrantConc;
        break;
    }
    case Study::TwoMonoTitration:
        captions[0] = sim.results.speciesLabels[0][0];
        captions[1] = sim.results.speciesLabels[0][1];
        captions[4] = sim.results.speciesLabels[1][0];
        captions[5] = sim.results.speciesLabels[1][1];
        s.volumeSpan = 1.5 * (s.conc1 * s.vol1 + s.conc2 * s.vol2) / s.titrantConc;
        break;
    case Study::TwoPolyMixture:
        captions[8].clear();
        break;
    default:
        break;
    }
}

void ApplyCheckBoxCaptions(Simulation& sim) {
    GraphOptions& g = sim.graph;
    for (int box : {2, 3, 4, 5, 6, 7, 10}) {
        const bool shown = !g.captions[box - 2].empty();
        g.visible[box - 1] = shown;
        if (!shown) g.checked[box - 1] = false;
    }
    g.captions[kConductivityBox - 2] = texts::kConductivityCaption.in(sim.language);
    g.captions[kPastedBox - 2] = texts::kPastedCaption.in(sim.language);
    g.visible[kConductivityBox - 1] = true;
    g.visible[kPastedBox - 1] = true;
}

void PlotStudy(Simulation& sim, Notifier& notifier) {
    ChemicalState& s = sim.state;
    GraphOptions& g = sim.graph;
    const int n = s.pointCount;
    sim.results.plot.printButtonVisible = true;
    if (!sim.results.plot.titlesSet) {
        sim.results.plot.windowTitle = texts::kDefaultWindowTitle.in(sim.language);
        sim.results.plot.chartTitle = texts::kDefaultChartTitle.in(sim.language);
    }
    const bool byVolume = sim.exportSettings.copySampling == CopySampling::ByVolume;
    auto showDilutionBox = [&g](bool shown) {
        g.visible[kDilutionBox - 1] = shown;
        g.dilutionLabelVisible = shown;
    };
    switch (s.study) {
    case Study::TitrationVsVolume:
        showDilutionBox(true);
        setTitles(sim,
                  s.side == BuretteSide::AcidSide ? texts::kTitrationTitle
                                                  : texts::kBaseTitrationTitle,
                  texts::kPHAxis, volumeTitle(s, sim.language));
        setLeftAxis(sim, false, 0, 14);
        GenerateTitrationCurves(sim, n, notifier);
        if (byVolume) GenerateTitrationTableByVolume(sim, n);
        break;
    case Study::SpeciesVsPH:
        setTitles(sim, texts::kSpeciesTitle, texts::kConcentrationAxis,
                  texts::kImposedPHAxis.in(sim.language));
        setLeftAxis(sim, true, 0, 14);
        showDilutionBox(false);
        g.visible[kHydroniumBox - 1] = false;
        GenerateSpeciesCurves(sim, n);
        break;
    case Study::TwoMonoTitration:
        showDilutionBox(true);
        setTitles(sim,
                  s.side == BuretteSide::AcidSide ? texts::kTwoMonoTitle : texts::kBaseTwoMonoTitle,
                  texts::kPHAxis, volumeTitle(s, sim.language));
        setLeftAxis(sim, false, 0, 14);
        // Both acids are monoacids here; the texts that name the constants show this.
        s.pK1[1] = s.pK1[2] = s.pK2[1] = s.pK2[2] = 25;
        GenerateTwoMonoacidCurves(sim, n, notifier);
        if (byVolume) GenerateTwoMonoacidTableByVolume(sim, n);
        break;
    case Study::TwoPolyMixture:
        showDilutionBox(true);
        ComputeTwoPolyacidMixture(sim);
        break;
    case Study::Dilution:
        setTitles(sim, texts::kDilutionTitle, Text{"pH", "pH"},
                  texts::kLogConcentrationAxis.in(sim.language));
        showDilutionBox(false);
        for (bool& v : g.visible) v = false;
        GenerateDilutionCurve(sim, n);
        break;
    default:
        break;
    }
}

void RefreshSimulation(Simulation& sim, Notifier& notifier, const FieldValues& given) {
    if (sim.panel.study == Study::FreeSolutions) {
        refreshFreeStudy(sim, notifier);
        RefreshOverlays(sim); // names the kept curves, adds their columns to the table
        if (sim.freeStudy.result.titration && sim.reading.options.equivalences)
            sim.results.exportText += copiedPointLines(sim);
        return;
    }
    sim.refusedFields = setUpSimulation(sim.state, sim.panel, notifier, sim.language, given);
    sim.graph.conductivityEnabled = sim.state.conductivityAvailable;
    if (!sim.graph.conductivityEnabled) sim.graph.checked[kConductivityBox - 1] = false;
    BuildSpeciesLabels(sim);
    PrepareStudy(sim);
    ApplyCheckBoxCaptions(sim);
    sim.reading.derivative.clear();
    PlotStudy(sim, notifier);
    UpdateChartReading(sim);
    applyConditions(sim);
    addDiagramColumns(sim);
    RefreshOverlays(sim); // adds the kept curves' columns to the table
    if (sim.reading.options.equivalences) sim.results.exportText += copiedPointLines(sim);
    sim.results.exportText += copiedMeasuredEquivalences(sim);
    sim.results.exportText += copiedMeasuredConductivities(sim);
}

PointCountCheck ValidatePointCount(Simulation& sim, Notifier& notifier) {
    PointCountCheck check = checkPointCount(sim.panel.pointCount);
    if (!check.ok) notifier.inform(texts::pointCountMessage(sim.language));
    sim.panel.pointCount = check.text;
    sim.state.pointCount = check.value;
    return check;
}

} // namespace titralab
