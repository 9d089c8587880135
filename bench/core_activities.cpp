// Cost of a titration with activities: the pH and the ionic strength solved together at each
// of 200 points, against the same curve ideal at 25 °C and ideal at another temperature.
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SolutionItems.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

FreeTitration bufferTitration() {
    FreeTitration t;
    t.beakerVolume = 0.02;
    t.beaker = parseSolutionItems("CH3COOH=0.1;CH3COONa=0.1").solution;
    t.burette = parseSolutionItems("NaOH=0.1").solution;
    return t;
}

void BM_curve200(benchmark::State& bench, Conditions conditions) {
    const FreeTitration t = bufferTitration();
    for (auto _ : bench) benchmark::DoNotOptimize(freeTitrationCurve(t, 0.04, 200, conditions));
}
BENCHMARK_CAPTURE(BM_curve200, ideal, Conditions{})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_curve200, ideal_35C, Conditions{35, ActivityModel::None})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_curve200, davies, Conditions{25, ActivityModel::Davies})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_curve200, davies_35C, Conditions{35, ActivityModel::Davies})
    ->Unit(benchmark::kMicrosecond);

void BM_equivalencesDavies(benchmark::State& bench) {
    const FreeTitration t = bufferTitration();
    const Conditions c{25, ActivityModel::Davies};
    for (auto _ : bench) benchmark::DoNotOptimize(freeEquivalences(t, c));
}
BENCHMARK(BM_equivalencesDavies)->Unit(benchmark::kMicrosecond);

} // namespace
