// Cost of the general engine: one pH, a curve of a four-solute beaker, a family of twelve.
#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/SolutionItems.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

// 1, 4 or 8 solutes: acids and salts of several acidities, a strong acid, spectators.
const char* itemsOf(int solutes) {
    switch (solutes) {
    case 1:
        return "H3PO4=0.05";
    case 4:
        return "HCl=0.05;H3PO4=0.05;CH3COOH=0.02;NH3=0.01";
    default:
        return "HCl=0.05;H3PO4=0.05;CH3COOH=0.02;NH3=0.01;glycine=0.01;acid(3,5,7,9,11,13)=0.001;"
               "K+=0.01;acid(1.99)=0.01";
    }
}

FreeTitration titrationOf(int solutes) {
    FreeTitration t;
    t.beakerVolume = 0.02;
    t.beaker = parseSolutionItems(itemsOf(solutes)).solution;
    t.burette = parseSolutionItems("NaOH=0.1").solution;
    return t;
}

void BM_freeSolvePH(benchmark::State& bench) {
    const FreeTitration t = titrationOf(static_cast<int>(bench.range(0)));
    const ChargeBalance balance(t.beaker, t.beakerVolume, t.burette);
    double v = 0.021;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(balance.solvePH(v));
    }
    bench.SetLabel(std::to_string(t.beaker.solutes.size()) + " solutes in the beaker");
}
BENCHMARK(BM_freeSolvePH)->Arg(1)->Arg(4)->Arg(8);

void BM_freeCurve200(benchmark::State& bench) {
    const FreeTitration t = titrationOf(4);
    for (auto _ : bench) benchmark::DoNotOptimize(freeTitrationCurve(t, 0.05, 200));
}
BENCHMARK(BM_freeCurve200)->Unit(benchmark::kMicrosecond);

// Twelve curves of the same beaker, its phosphoric acid from 0.01 to 0.12 mol/L.
void BM_freeFamily12(benchmark::State& bench) {
    const FreeTitration base = titrationOf(4);
    for (auto _ : bench)
        for (int k = 1; k <= 12; ++k) {
            FreeTitration t = base;
            t.beaker.solutes[1].concentration = 0.01 * k;
            benchmark::DoNotOptimize(freeTitrationCurve(t, 0.05, 200));
        }
}
BENCHMARK(BM_freeFamily12)->Unit(benchmark::kMicrosecond);

void BM_freeEquivalences(benchmark::State& bench) {
    const FreeTitration t = titrationOf(4);
    for (auto _ : bench) benchmark::DoNotOptimize(freeEquivalences(t));
}
BENCHMARK(BM_freeEquivalences)->Unit(benchmark::kMicrosecond);

} // namespace
