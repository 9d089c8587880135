// Cost of the formulas and the solvers on a triacid titration.
#include "core/chemistry/Formulas.h"
#include "core/base/Notifier.h"
#include "core/panel/SimulationSetup.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

ChemicalState phosphoric(Study study) {
    PanelFields panel = PanelFields::atDesign();
    panel.study = study;
    panel.text[4] = "2.1";
    panel.text[5] = "7.2";
    panel.text[6] = "12.4";
    panel.text[14] = "4.7";
    panel.text[15] = panel.text[16] = "50";
    ChemicalState s;
    s.row1 = 30;
    RecordingNotifier quiet;
    setUpSimulation(s, panel, quiet, Language::French);
    s.volumeSpan = 4.5 * s.conc1 * s.vol1 / s.titrantConc;
    return s;
}

void BM_titrantVolume(benchmark::State& bench) {
    const ChemicalState s = phosphoric(Study::TitrationVsVolume);
    double h = 1e-5;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(titrantVolume(s, h));
    }
}
BENCHMARK(BM_titrantVolume);

void BM_solvePH(benchmark::State& bench) {
    const ChemicalState s = phosphoric(Study::TitrationVsVolume);
    double v = 0.021;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(solvePH(s, v));
    }
}
BENCHMARK(BM_solvePH);

void BM_solvePHTwoMono(benchmark::State& bench) {
    const ChemicalState s = phosphoric(Study::TwoMonoTitration);
    double v = 0.021;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(solvePHTwoMono(s, v));
    }
}
BENCHMARK(BM_solvePHTwoMono);

void BM_solveMixture(benchmark::State& bench) {
    const ChemicalState s = phosphoric(Study::TwoPolyMixture);
    for (auto _ : bench) benchmark::DoNotOptimize(solveMixture(s));
}
BENCHMARK(BM_solveMixture);

} // namespace
