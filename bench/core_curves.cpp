// Cost of regenerating a study at 200 points: a triacid with its conductivity, by pH and by
// volume, and the 200 solver calls that the table by volume makes, for comparison.
#include "core/base/Notifier.h"
#include "core/chemistry/Formulas.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"

#include <benchmark/benchmark.h>

#include <algorithm>

using namespace titralab;

namespace {

Simulation phosphoricAcid(Study study, CopySampling sampling) {
    Simulation sim;
    sim.panel.study = study;
    sim.panel.pointCount = "200";
    sim.browser.targetColumn1 = false;
    LoadEntry(sim.browser, 17, sim.panel, sim.state);
    sim.browser.targetColumn1 = true;
    const int entry = study == Study::TwoMonoTitration ? 11 : 30;
    sim.browser.currentAcidEntry = entry;
    LoadEntry(sim.browser, entry, sim.panel, sim.state);
    sim.graph.checked.fill(true);
    sim.exportSettings.copySampling = sampling;
    return sim;
}

void BM_RefreshSimulation(benchmark::State& bench) {
    const auto study = static_cast<Study>(bench.range(0));
    const auto sampling = bench.range(1) ? CopySampling::ByVolume : CopySampling::ByPH;
    Simulation sim = phosphoricAcid(study, sampling);
    RecordingNotifier quiet;
    for (auto _ : bench) {
        RefreshSimulation(sim, quiet);
        benchmark::DoNotOptimize(sim.results.exportText.data());
    }
    std::size_t points = 0;
    for (const Series& series : sim.results.curves.series) points = std::max(points, series.size());
    bench.SetLabel(std::to_string(points) + " points");
}
BENCHMARK(BM_RefreshSimulation)
    ->ArgNames({"study", "byVolume"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Args({3, 0})
    ->Args({4, 0})
    ->Unit(benchmark::kMicrosecond);

// The 200 solver calls of the titration table by volume, alone.
void BM_TwoHundredSolvePH(benchmark::State& bench) {
    Simulation sim = phosphoricAcid(Study::TitrationVsVolume, CopySampling::ByVolume);
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    const ChemicalState s = sim.state;
    for (auto _ : bench)
        for (int i = 0; i < 200; ++i) benchmark::DoNotOptimize(solvePH(s, i * s.volumeSpan / 199));
}
BENCHMARK(BM_TwoHundredSolvePH)->Unit(benchmark::kMicrosecond);

// The same for the two-monoacid table by volume.
void BM_TwoHundredSolvePHTwoMono(benchmark::State& bench) {
    Simulation sim = phosphoricAcid(Study::TwoMonoTitration, CopySampling::ByVolume);
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    const ChemicalState s = sim.state;
    for (auto _ : bench)
        for (int i = 0; i < 200; ++i)
            benchmark::DoNotOptimize(solvePHTwoMono(s, i * s.volumeSpan / 199));
}
BENCHMARK(BM_TwoHundredSolvePHTwoMono)->Unit(benchmark::kMicrosecond);

} // namespace
