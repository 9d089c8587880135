// Live curves: from a slider step to the chart repainted (200 points, two frozen curves
// shown), and a family of twelve curves from the command to the chart repainted.
#include "core/base/Notifier.h"
#include "core/curves/Overlays.h"
#include "core/session/Simulation.h"
#include "core/system/Folders.h"
#include "ui/qt/ChartView.h"
#include "ui/qt/RadioGroup.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/LiveCurves.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/PanelSliders.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QXYSeries>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace titralab;

namespace {

// Acetic acid titrated at 200 points, on the main window and the graph window beside it.
struct LiveWindows {
    LiveWindows()
        : main(sim, system::computePaths(
                        (QCoreApplication::applicationDirPath() + "/titralab").toStdString(),
                        "/nonexistent")),
          graph(sim, quiet), live(sim, &main, &graph, quiet) {
        main.setNotifier(&quiet);
        main.setLinks({[this] { live.showGraph(); }, {}, {}, {}});
        main.show();
        (void)QTest::qWaitForWindowExposed(&main);
        chooseSideAndStudy();
        graph.findChild<QLineEdit*>("pointCountField")->setText("200");
        sim.panel.pointCount = "200";
        main.showSimulation();
        (void)QTest::qWaitForWindowExposed(&graph);
        QApplication::processEvents();
    }
    void chooseSideAndStudy() {
        auto click = [this](const char* group) {
            auto* g = main.findChild<RadioGroup*>(group);
            emit g->itemClicked(0);
        };
        // The handlers run as a click of the user runs them.
        main.findChild<RadioGroup*>("sideChoice")->setSelected(0);
        click("sideChoice");
        main.findChild<RadioGroup*>("studyChoice")->setSelected(0);
        click("studyChoice");
        sim.panel.text[4] = "4.76";
        main.showPanelState();
    }
    Simulation sim;
    RecordingNotifier quiet;
    MainWindow main;
    GraphWindow graph;
    LiveCurves live;
};

void BM_SliderStepToRepaint(benchmark::State& bench) {
    LiveWindows w;
    OverlayBar* bar = w.graph.overlayBar();
    for (int k = 0; k < 2; ++k) {
        bar->freeze();
        w.sim.panel.text[4] = k == 0 ? "3.5" : "6";
        w.live.redraw();
    }
    QSlider* slider = w.live.sliders()->slider(4);
    ChartView* chart = w.graph.chart();
    int position = slider->value();
    int direction = 1;
    for (auto _ : bench) {
        if (position >= 300 || position <= 60) direction = -direction;
        position += direction;
        slider->setValue(position); // as a drag or an arrow key moves it
        QApplication::processEvents();
        chart->viewport()->repaint();
    }
    bench.SetLabel(std::to_string(chart->series(1)->count()) + " points, " +
                   std::to_string(w.sim.overlays.curves.size()) + " frozen, " +
                   (w.quiet.messages.empty() ? "no message" : "messages!"));
}
BENCHMARK(BM_SliderStepToRepaint)->Unit(benchmark::kMillisecond);

void BM_FamilyOfTwelveToRepaint(benchmark::State& bench) {
    LiveWindows w;
    OverlayBar* bar = w.graph.overlayBar();
    ChartView* chart = w.graph.chart();
    std::vector<double> pKa;
    for (int k = 0; k < kMaxFamilyValues; ++k) pKa.push_back(2 + k);
    for (auto _ : bench) {
        bar->drawFamily(FamilyQuantity{{4}, false}, pKa);
        QApplication::processEvents();
        chart->viewport()->repaint();
    }
    bench.SetLabel(std::to_string(w.sim.overlays.curves.size() + 1) + " curves of " +
                   std::to_string(chart->series(1)->count()) + " points");
}
BENCHMARK(BM_FamilyOfTwelveToRepaint)->Unit(benchmark::kMillisecond);

} // namespace
