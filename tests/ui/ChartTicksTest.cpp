// The chart's axes keep a bounded number of ticks through every change of scale, including the
// extreme values the input checks let through.
#include "GraphFixture.h"

#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace titralab;
using namespace titralab::testing;

namespace {

// Ticks the axis would lay out in its present state: Qt Charts lays them out at each change
// of range, interval or anchor, from the anchor by the interval across the range.
double ticksNow(const QValueAxis* axis) {
    if (axis->tickType() != QValueAxis::TicksDynamic) return axis->tickCount();
    const double interval = axis->tickInterval();
    const double span = axis->max() - axis->min();
    if (!(interval > 0) || !std::isfinite(span)) return HUGE_VAL;
    // An interval below the precision of the values never moves from one tick to the next.
    if (axis->max() + interval == axis->max()) return HUGE_VAL;
    return span / interval + 1;
}

// The most ticks either axis held at any moment while it was being changed. A new minimum or
// maximum is announced before the chart lays the axis out: a state with too many ticks is
// recorded there, and a sane interval put in its place, so that the test ends.
struct TickWatch {
    explicit TickWatch(ChartView* chart) {
        for (QValueAxis* axis : {chart->bottomAxis(), chart->leftAxis()}) {
            auto look = [this, axis] {
                const double ticks = ticksNow(axis);
                most = std::max(most, ticks);
                if (ticks > kSane) axis->setTickInterval((axis->max() - axis->min()) / 10);
            };
            QObject::connect(axis, &QValueAxis::minChanged, axis, look);
            QObject::connect(axis, &QValueAxis::maxChanged, axis, look);
            QObject::connect(axis, &QValueAxis::tickIntervalChanged, axis, look);
            QObject::connect(axis, &QValueAxis::tickAnchorChanged, axis, look);
            QObject::connect(axis, &QValueAxis::tickTypeChanged, axis, look);
        }
    }
    static constexpr double kSane = 1000;
    double most{0};
};

// Field texts of one regeneration: titrant, acid (base) concentration and volume, points.
struct Fields {
    const char* titrant;
    const char* conc;
    const char* volume;
    const char* points;
};

TEST(ChartTicks, EveryAcceptedValueKeepsTheTicksBounded) {
    const Fields usual{"0,1", "0,1", "20E-3", "100"};
    struct Case {
        const char* label;
        Study study;
        BuretteSide side;
        std::vector<Fields> steps; // each regenerated in turn, from the usual values
    } cases[] = {
        {"titrant at 1E-6",
         Study::TitrationVsVolume,
         BuretteSide::AcidSide,
         {{"1E-6", "0,1", "20E-3", "100"}, usual}},
        {"acid at 1E-8 in 1E-5 L, then back",
         Study::TitrationVsVolume,
         BuretteSide::AcidSide,
         {{"0,1", "1E-8", "1E-5", "100"}, usual}},
        {"smallest volume span",
         Study::TitrationVsVolume,
         BuretteSide::AcidSide,
         {{"15", "1E-8", "1E-5", "5"}, {"15", "1E-8", "1E-5", "200"}, usual}},
        {"largest volume span",
         Study::TitrationVsVolume,
         BuretteSide::AcidSide,
         {{"1E-8", "15", "100", "200"}, {"1E-8", "15", "100", "5"}, usual}},
        {"smallest to largest",
         Study::TitrationVsVolume,
         BuretteSide::BaseSide,
         {{"15", "1E-8", "1E-5", "200"},
          {"1E-8", "15", "100", "200"},
          {"15", "1E-8", "1E-5", "5"}}},
        {"clamped beyond the bounds",
         Study::TitrationVsVolume,
         BuretteSide::AcidSide,
         {{"1E-30", "1E30", "1E30", "1E30"}, {"1E30", "1E-30", "1E-30", "1E-30"}, usual}},
        {"two monoacids",
         Study::TwoMonoTitration,
         BuretteSide::AcidSide,
         {{"1E-8", "15", "100", "200"}, {"15", "1E-8", "1E-5", "5"}, usual}},
        {"species",
         Study::SpeciesVsPH,
         BuretteSide::AcidSide,
         {{"0,1", "1E-8", "1E-5", "5"}, {"0,1", "15", "100", "200"}, usual}},
        {"dilution",
         Study::Dilution,
         BuretteSide::BaseSide,
         {{"0,1", "1E-8", "1E-5", "5"}, {"0,1", "15", "100", "200"}, usual}},
    };
    for (const Case& c : cases) {
        Simulation sim = simulationFor(c.study, 17, c.side, 17);
        sim.graph.checked.fill(true);
        RecordingNotifier quiet;
        GraphWindow window(sim, quiet); // not shown: the chart lays nothing out
        TickWatch watch(window.chart());
        for (const Fields& f : c.steps) {
            sim.panel.at(Field::BuretteConcentration) = f.titrant;
            sim.panel.at(Field::Concentration1) = f.conc;
            sim.panel.at(Field::Concentration2) = f.conc;
            sim.panel.at(Field::Volume1) = f.volume;
            sim.panel.at(Field::Volume2) = f.volume;
            sim.panel.pointCount = f.points;
            RefreshSimulation(sim, quiet);
            window.prepare();
        }
        EXPECT_LE(watch.most, 16) << c.label;
    }
}

} // namespace
