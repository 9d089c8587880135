// A family of twelve curves computed (200 points each), and a frozen curve kept.
#include "core/base/Notifier.h"
#include "core/session/Overlays.h"
#include "core/session/Simulation.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

Simulation aceticAcid(Study study) {
    Simulation sim;
    chooseStudyAndEntries(sim, BuretteSide::AcidSide, study, 17, 17);
    sim.panel.pointCount = "200";
    return sim;
}

void BM_FamilyOfTwelve(benchmark::State& bench) {
    Simulation sim = aceticAcid(static_cast<Study>(bench.range(0)));
    RecordingNotifier quiet;
    std::vector<double> values;
    for (int k = 0; k < kMaxFamilyValues; ++k) values.push_back(2 + k);
    for (auto _ : bench) {
        DrawFamily(sim, 4, values, quiet);
        benchmark::DoNotOptimize(sim.results.exportText.data());
    }
    bench.SetLabel(std::to_string(sim.overlays.curves.size() + 1) + " curves");
}
BENCHMARK(BM_FamilyOfTwelve)
    ->ArgName("study")
    ->Arg(static_cast<int>(Study::TitrationVsVolume))
    ->Arg(static_cast<int>(Study::SpeciesVsPH))
    ->Unit(benchmark::kMillisecond);

} // namespace
