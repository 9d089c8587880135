// Cost of the exact readings: the equivalence block of a triacid (equivalences, inflections,
// half-equivalences and jumps), and a regeneration at 200 points with and without the exact
// derivative column and curve.
#include "core/base/Notifier.h"
#include "core/curves/Equivalence.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

Simulation phosphoricTitration() {
    Simulation sim;
    chooseStudyAndEntries(sim, BuretteSide::AcidSide, Study::TitrationVsVolume, 30, 17);
    sim.panel.pointCount = "200";
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    return sim;
}

void BM_EquivalenceBlockTriacid(benchmark::State& bench) {
    const ChemicalState s = phosphoricTitration().state;
    std::size_t points = 0;
    for (auto _ : bench) {
        const std::vector<EquivalenceReading> r = readEquivalences(s);
        points = r.size();
        benchmark::DoNotOptimize(r.data());
    }
    bench.SetLabel(std::to_string(points) + " equivalences");
}
BENCHMARK(BM_EquivalenceBlockTriacid)->Unit(benchmark::kMicrosecond);

void BM_RefreshWithDerivative(benchmark::State& bench) {
    Simulation sim = phosphoricTitration();
    sim.reading.options.derivative = bench.range(0) != 0;
    RecordingNotifier quiet;
    for (auto _ : bench) {
        RefreshSimulation(sim, quiet);
        benchmark::DoNotOptimize(sim.results.exportText.data());
    }
}
BENCHMARK(BM_RefreshWithDerivative)
    ->ArgName("derivative")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
