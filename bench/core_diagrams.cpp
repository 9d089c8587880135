// Cost of the lesson's diagrams: β along a 200-point titration, its maxima, a "why this pH"
// verdict, and a logarithmic diagram.
#include "core/chemistry/Diagrams.h"
#include "core/chemistry/PHExplanation.h"
#include "core/chemistry/SolutionItems.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

FreeTitration phosphoricBySoda() {
    return {parseSolutionItems("H3PO4=0.05;CH3COOH=0.02").solution, 0.02,
            parseSolutionItems("NaOH=0.1").solution};
}

void BM_bufferCapacityAlongTitration(benchmark::State& bench) {
    const FreeTitration t = phosphoricBySoda();
    for (auto _ : bench) benchmark::DoNotOptimize(bufferCapacityAlong(t, 0.04, 200));
    bench.SetLabel("200 points, phosphoric and ethanoic acids by soda");
}
BENCHMARK(BM_bufferCapacityAlongTitration)->Unit(benchmark::kMicrosecond);

void BM_bufferMaximaAlongTitration(benchmark::State& bench) {
    const FreeTitration t = phosphoricBySoda();
    for (auto _ : bench) benchmark::DoNotOptimize(bufferMaximaAlong(t, 0.04, 200));
}
BENCHMARK(BM_bufferMaximaAlongTitration)->Unit(benchmark::kMicrosecond);

void BM_whyThisPH(benchmark::State& bench) {
    const FreeTitration t = phosphoricBySoda();
    double v = 0.013;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(explainTitrationPoint(t, v));
    }
    bench.SetLabel("one titration point, two systems");
}
BENCHMARK(BM_whyThisPH)->Unit(benchmark::kMicrosecond);

void BM_logDiagram(benchmark::State& bench) {
    const Solution s = parseSolutionItems("H3PO4=0.05;CH3COOH=0.02;NH3=0.01").solution;
    for (auto _ : bench) benchmark::DoNotOptimize(logDiagram(s));
    bench.SetLabel("281 points, three systems, marks");
}
BENCHMARK(BM_logDiagram)->Unit(benchmark::kMicrosecond);

} // namespace
