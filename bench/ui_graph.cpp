// The graph window's response: from a click on a check box to the chart repainted, and from
// a mouse move to the readout written, at 200 points on a shown window; the first show of the
// window at the extreme accepted values (offscreen platform unless another is chosen).
#include "core/base/Notifier.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "ui/qt/ChartView.h"
#include "ui/windows/GraphWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QXYSeries>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

using namespace titralab;

namespace {

// Phosphoric acid (four species) titrated at 200 points, every curve drawn.
Simulation phosphoricAcid(int entry) {
    Simulation sim;
    sim.panel.study = Study::TitrationVsVolume;
    sim.panel.pointCount = "200";
    sim.browser.currentAcidEntry = entry;
    LoadEntry(sim.browser, entry, sim.panel, sim.state);
    sim.graph.checked.fill(true);
    std::string pasted;
    for (int k = 1; k <= 40; ++k)
        pasted += std::to_string(0.0015 * k) + "\t" + std::to_string(2 + 0.25 * k) + "\n";
    PastePairs(sim, true, pasted);
    return sim;
}

struct ShownWindow {
    explicit ShownWindow(int entry) : sim(phosphoricAcid(entry)), window(sim, quiet) {
        RefreshSimulation(sim, quiet);
        window.prepare();
        window.resize(1280, 960);
        window.show();
        QTest::qWaitForWindowExposed(&window);
        QApplication::processEvents();
    }
    std::string label() const {
        return std::to_string(window.chart()->series(1)->count()) + " points in Series1";
    }
    Simulation sim;
    RecordingNotifier quiet;
    GraphWindow window;
};

void BM_CheckBoxClickToRepaint(benchmark::State& bench) {
    ShownWindow w(static_cast<int>(bench.range(0)));
    auto* box = w.window.findChild<QCheckBox*>("hydroniumBox");
    ChartView* chart = w.window.chart();
    for (auto _ : bench) {
        // Each click ticks or unticks the hydronium curve: a whole regeneration either way.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        QApplication::processEvents(); // the chart's layout after the new ranges
        chart->viewport()->repaint();
    }
    bench.SetLabel(w.label());
}
BENCHMARK(BM_CheckBoxClickToRepaint)
    ->ArgName("entry")
    ->Arg(30)
    ->Arg(17)
    ->Unit(benchmark::kMillisecond);

void BM_MouseMoveReadout(benchmark::State& bench) {
    ShownWindow w(30);
    ChartView* chart = w.window.chart();
    const QRect area = chart->rect().adjusted(100, 100, -100, -100);
    int step = 0;
    for (auto _ : bench) {
        const QPoint at(area.left() + step % area.width(), area.top() + step % area.height());
        w.window.showReadoutAt(at);
        ++step;
    }
    benchmark::DoNotOptimize(w.window.panelText(1));
    bench.SetLabel(w.label());
}
BENCHMARK(BM_MouseMoveReadout)->Unit(benchmark::kMicrosecond);

// The first show of the graph window, from the click on the show command to the painted
// chart: the regeneration, a new window, its controls filled, shown and painted. The extreme
// values the input checks let through (concentrations and volumes at their clamps) give the
// widest and narrowest volume axes.
struct Extreme {
    const char* label;
    const char* titrant; // mol/L
    const char* conc;    // mol/L
    const char* volume;  // L
};
constexpr Extreme kExtremes[] = {
    {"usual", "0,1", "0,1", "20E-3"},
    {"narrowest volume axis", "15", "1E-8", "1E-5"},
    {"widest volume axis", "1E-8", "15", "100"},
    {"clamped beyond the bounds", "1E-30", "1E30", "1E30"},
    {"all at the lower bounds", "1E-8", "1E-8", "1E-5"},
    {"all at the upper bounds", "15", "15", "100"},
};

void BM_FirstShow(benchmark::State& bench) {
    const Extreme& e = kExtremes[bench.range(0)];
    Simulation sim;
    chooseStudyAndEntries(sim, BuretteSide::AcidSide, Study::TitrationVsVolume, 30, 30);
    sim.graph.checked.fill(true);
    sim.panel.text[1] = e.titrant;
    sim.panel.text[2] = e.conc;
    sim.panel.text[3] = e.volume;
    sim.panel.pointCount = std::to_string(bench.range(1));
    RecordingNotifier quiet;
    for (auto _ : bench) {
        RefreshSimulation(sim, quiet);
        GraphWindow window(sim, quiet);
        window.prepare();
        window.resize(1280, 960);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) bench.SkipWithError("not exposed");
        QApplication::processEvents();
        window.chart()->viewport()->repaint();
    }
    bench.SetLabel(std::string(e.label) + ", " + std::to_string(sim.results.curves[1].size()) + " points");
}
BENCHMARK(BM_FirstShow)
    ->ArgNames({"case", "points"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {5, 200}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
