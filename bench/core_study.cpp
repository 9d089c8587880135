// Cost of saving and opening a study file with a full paste, and of fitting 50 measured points
// with three free values (a diacid's concentration and both pKa values).
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/Fit.h"
#include "core/session/InputPanel.h"
#include "core/session/PastedPoints.h"
#include "core/session/StudyFile.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

using namespace titralab;

namespace {

// A diacid titration with 200 pasted points (the most the chart reads).
struct Desk {
    Simulation sim;
    PanelView view;
    Desk(int points) {
        startPanel(view, sim);
        chooseBurette(view, sim, 0);
        chooseStudy(view, sim, static_cast<int>(Study::TitrationVsVolume));
        while (sim.browser.currentAcidEntry < 34) StepForward(sim.browser, sim.panel, sim.state);
        sim.panel.text[1] = "0.1";
        sim.panel.text[2] = "0.05";
        sim.panel.text[3] = "0.02";
        sim.panel.text[4] = "3.2";
        sim.panel.text[5] = "6.9";
        ChemicalState s = sim.state;
        RecordingNotifier quiet;
        setUpSimulation(s, sim.panel, quiet, Language::French);
        std::string pasted;
        for (int i = 0; i < points; ++i) {
            const double v = 0.03 * i / (points - 1);
            // A deterministic wobble of about 0.02 pH stands for the noise of a measurement.
            const double pH = solvePH(s, v) + 0.02 * std::sin(12.9898 * i);
            pasted += formatGeneral(v, 8, ',') + "\t" + formatGeneral(pH, 8, ',') + "\n";
        }
        PastePairs(sim, true, pasted);
        // The fit starts a good way off.
        sim.panel.text[2] = "0.06";
        sim.panel.text[4] = "3.5";
        sim.panel.text[5] = "6.6";
    }
};

void BM_SaveStudy(benchmark::State& bench) {
    const Desk desk(200);
    const std::string path =
        (std::filesystem::temp_directory_path() / "titralab-bench.titralab").string();
    for (auto _ : bench) {
        const std::string failure = saveStudyFile(
            path, captureStudy(desk.sim, desk.view, PrintSettings{}), Language::French);
        benchmark::DoNotOptimize(failure.data());
    }
}
BENCHMARK(BM_SaveStudy)->Unit(benchmark::kMicrosecond);

void BM_OpenStudy(benchmark::State& bench) {
    const Desk desk(200);
    const std::string path =
        (std::filesystem::temp_directory_path() / "titralab-bench-open.titralab").string();
    saveStudyFile(path, captureStudy(desk.sim, desk.view, PrintSettings{}), Language::French);
    for (auto _ : bench) {
        Simulation sim;
        PanelView view;
        const StudyOpening opened = openStudyFile(path, Language::French);
        applyStudy(*opened.record, sim, view);
        benchmark::DoNotOptimize(sim.pasted.lines.data());
    }
}
BENCHMARK(BM_OpenStudy)->Unit(benchmark::kMicrosecond);

void BM_FitFiftyPointsThreeValues(benchmark::State& bench) {
    const Desk desk(50);
    const std::vector<FitValue> free{FitValue::C1, FitValue::PK1, FitValue::PK2};
    int evaluations = 0;
    for (auto _ : bench) {
        const FitResult r = fitPastedPoints(desk.sim, free);
        if (!r.ok) bench.SkipWithError(r.refusal.c_str());
        evaluations = r.evaluations;
        benchmark::DoNotOptimize(r.values.data());
    }
    bench.counters["evaluations"] = evaluations;
}
BENCHMARK(BM_FitFiftyPointsThreeValues)->Unit(benchmark::kMillisecond);

} // namespace
