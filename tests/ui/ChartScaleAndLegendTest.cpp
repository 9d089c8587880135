// The chart's right-hand scale and its legends: the scale reads the rescaled curves in their
// unit through a zoom, the legend lies off the curves, and the chart's own legend names every
// entry it shows.
#include "GraphFixture.h"

#include "core/session/Overlays.h"
#include "ui/qt/ChartReadingLayer.h"
#include "ui/windows/ReadingPanel.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QMenu>
#include <QValueAxis>

using namespace titralab;
using titralab::testing::GraphFixture;

namespace {

TEST(ChartSideScale, ReadsTheRescaledCurvesInTheirUnitThroughAZoom) {
    struct Case {
        const char* label;
        Study study;
        std::initializer_list<int> ticked;
        const char* unit; // in the axis title; none: no scale
        bool concentration;
    } cases[] = {
        {"titration, species", Study::TitrationVsVolume, {2, 3}, "mol/L", true},
        {"titration, conductivity alone", Study::TitrationVsVolume, {8}, "S/m", false},
        {"titration, pH alone", Study::TitrationVsVolume, {}, nullptr, false},
        {"species study, conductivity", Study::SpeciesVsPH, {2, 8}, "S/m", false},
    };
    for (const Case& c : cases) {
        GraphFixture g(c.study);
        for (int box = 2; box <= 10; ++box) g.sim.graph.checked[box - 1] = false;
        for (int box : c.ticked) g.sim.graph.checked[box - 1] = true;
        g.window->regenerate();
        QValueAxis* side = g.chart()->sideAxis();
        ASSERT_NE(side, nullptr);
        EXPECT_EQ(side->isVisible(), c.unit != nullptr) << c.label;
        if (!c.unit) continue;
        EXPECT_TRUE(side->titleText().contains(c.unit)) << c.label;
        const double scale = c.concentration ? g.sim.results.concentrationScale : g.sim.results.conductivityScale;
        // A zoom on part of the chart: the scale follows the left axis.
        for (int zoom = 0; zoom < 2; ++zoom) {
            if (zoom == 1) g.chart()->zoomTo(QPoint(200, 150), QPoint(500, 350));
            QValueAxis* left = g.chart()->leftAxis();
            EXPECT_NEAR(side->min(), left->min() / scale, 1e-9 * std::abs(left->max() / scale))
                << c.label << " zoom " << zoom;
            EXPECT_NEAR(side->max(), left->max() / scale, 1e-9 * std::abs(left->max() / scale))
                << c.label << " zoom " << zoom;
        }
    }
}

TEST(ChartLegends, NameEveryEntryAndStayOffTheCurves) {
    struct Case {
        const char* label;
        Study study;
        int entry;
        BuretteSide side;
        bool readings; // equivalences and an indicator
        bool frozen;   // a kept curve
    } cases[] = {
        {"species with a frozen curve", Study::SpeciesVsPH, 17, BuretteSide::AcidSide, false, true},
        {"titration with readings and a frozen curve", Study::TitrationVsVolume, 17,
         BuretteSide::AcidSide, true, true},
        {"base side titration with readings", Study::TitrationVsVolume, 17,
         BuretteSide::BaseSide, true, false},
    };
    for (const Case& c : cases) {
        GraphFixture g(c.study, c.entry, c.side);
        if (c.study == Study::SpeciesVsPH) {
            for (int box = 2; box <= 5; ++box) g.sim.graph.checked[box - 1] = true;
            g.window->regenerate();
        }
        if (c.frozen) {
            ASSERT_EQ(FreezeCurrentCurve(g.sim), FreezeOutcome::Frozen) << c.label;
            g.window->regenerate();
        }
        ReadingPanel* panel = g.window->readingPanel();
        if (c.readings) {
            QTest::mouseClick(g.find<QCheckBox>("EquivalencesBox"), Qt::LeftButton, {},
                              QPoint(8, 8));
            g.find<QPushButton>("IndicatorChoice")->menu()->actions().at(10)->trigger();
        }
        QApplication::processEvents();
        QChart* chart = g.chart()->chart();
        // The chart's own legend, shown beside kept curves: no entry without a name.
        if (chart->legend()->isVisible())
            for (QLegendMarker* marker : chart->legend()->markers())
                if (marker->isVisible())
                    EXPECT_FALSE(marker->label().trimmed().isEmpty()) << c.label;
        // The reading legend covers no point of a drawn curve.
        const QRectF area = panel->layer()->legendArea();
        ASSERT_FALSE(area.isEmpty()) << c.label;
        for (int k = 1; k <= ChartView::kSeriesCount; ++k) {
            QXYSeries* s = g.chart()->series(k);
            for (const QPointF& p : s->points())
                EXPECT_FALSE(area.contains(chart->mapToPosition(p, s)))
                    << c.label << ": series " << k << " at " << p.x() << ", " << p.y();
        }
    }
}

} // namespace
