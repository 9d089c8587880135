// The equivalence read off measured points: one reading per method, and a Monte-Carlo spread of
// 1000 draws (the window shows a progress indicator beyond a second).
#include "core/chemistry/Formulas.h"
#include "core/curves/MeasuredEquivalence.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

using namespace titralab;

namespace {

// Ethanoic acid (0.1 mol/L, 20 mL) by soda (0.1 mol/L): every 0.5 mL to 30 mL, every 0.1 mL
// around the equivalence, the pH with a seeded noise of 0.02.
std::vector<PastedPair> measuredWeakAcid() {
    ChemicalState s;
    s.study = Study::TitrationVsVolume;
    s.pK1 = {4.76, ABSENT_PK, ABSENT_PK};
    for (int k = 0; k < 3; ++k) s.ka1[k] = std::pow(10.0, -s.pK1[k]);
    std::mt19937_64 random(3);
    std::normal_distribution<double> noise(0, 0.02);
    std::vector<PastedPair> points;
    for (double v = 0; v <= 30; v += (v >= 18 && v < 22) ? 0.1 : 0.5)
        points.push_back({v * 1e-3, exactPH(s, Titration::OneAcid, v * 1e-3) + noise(random)});
    return points;
}

void BM_MeasuredDerivative(benchmark::State& state) {
    const auto points = measuredWeakAcid();
    for (auto _ : state) benchmark::DoNotOptimize(derivativeMethod(points, 5));
}
BENCHMARK(BM_MeasuredDerivative)->Unit(benchmark::kMicrosecond);

void BM_MeasuredTangents(benchmark::State& state) {
    const auto points = measuredWeakAcid();
    for (auto _ : state) benchmark::DoNotOptimize(tangentMethod(points));
}
BENCHMARK(BM_MeasuredTangents)->Unit(benchmark::kMicrosecond);

void BM_MeasuredGran(benchmark::State& state) {
    const auto points = measuredWeakAcid();
    GranSetup setup;
    setup.beakerVolume = 0.02;
    setup.titrantConcentration = 0.1;
    for (auto _ : state) benchmark::DoNotOptimize(granMethod(points, setup));
}
BENCHMARK(BM_MeasuredGran)->Unit(benchmark::kMicrosecond);

void BM_MonteCarloTangents(benchmark::State& state) {
    const auto points = measuredWeakAcid();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            monteCarlo([](const auto& p) { return tangentMethod(p).equivalences; }, points, MonteCarloSetup{}));
}
BENCHMARK(BM_MonteCarloTangents)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
