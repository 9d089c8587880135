// Cost of writing the copied workbook of a 200-point study: phosphoric acid with every species
// and the conductivity (eight columns, 200 rows and the chart), and the species study.
#include "core/base/Notifier.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "core/session/Workbook.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace titralab;

namespace {

void BM_WriteWorkbook(benchmark::State& bench) {
    Simulation sim;
    sim.panel.study = static_cast<Study>(bench.range(0));
    sim.panel.pointCount = "200";
    sim.browser.currentAcidEntry = 30;
    LoadEntry(sim.browser, 30, sim.panel, sim.state);
    sim.graph.checked.fill(true);
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("titralab-bench-" + std::to_string(getpid()) + ".xlsx"))
                                 .string();
    for (auto _ : bench) {
        const WorkbookResult written = WriteWorkbook(sim, path);
        if (!written.ok) bench.SkipWithError(written.error.c_str());
    }
    bench.SetLabel(std::to_string(sim.results.exportTable.rowCount()) + " rows, " +
                   std::to_string(sim.results.exportTable.columns.size()) + " columns, " +
                   std::to_string(std::filesystem::file_size(path)) + " bytes");
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteWorkbook)->ArgName("study")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
