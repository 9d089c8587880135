// Cost of a study's table solved again in other conditions: ethanoic acid titrated by soda,
// 200 points by pH, with activities at 25 and 35 °C, against the study's own regeneration.
#include "core/base/Notifier.h"
#include "core/session/Refresh.h"
#include "core/session/StudyConditions.h"

#include <benchmark/benchmark.h>

using namespace titralab;

namespace {

Simulation ethanoicAcid() {
    Simulation sim;
    chooseStudyAndEntries(sim, BuretteSide::AcidSide, Study::TitrationVsVolume, 17, 17);
    sim.panel.pointCount = "200";
    return sim;
}

void BM_studyTable200(benchmark::State& bench, Conditions conditions) {
    Simulation sim = ethanoicAcid();
    RecordingNotifier quiet;
    for (auto _ : bench) {
        RefreshSimulation(sim, quiet);
        if (!conditions.standard())
            benchmark::DoNotOptimize(applyConditionsToTable(sim, conditions));
    }
}
BENCHMARK_CAPTURE(BM_studyTable200, own, Conditions{})->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_studyTable200, davies, Conditions{25, ActivityModel::Davies})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_studyTable200, davies_35C, Conditions{35, ActivityModel::Davies})
    ->Unit(benchmark::kMicrosecond);

} // namespace
