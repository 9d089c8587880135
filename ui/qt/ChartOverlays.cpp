#include "ui/qt/ChartOverlays.h"

#include "core/curves/Overlays.h"
#include "core/curves/SeriesColours.h"
#include "core/session/Simulation.h"
#include "ui/qt/ChartView.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <array>

namespace titralab {

namespace {

constexpr const char* kOverlayProperty = "titralabOverlay";

QColor colourOf(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ChartOverlays::ChartOverlays(ChartView* chart) : QObject(chart), m_chart(chart) {
    setObjectName("ChartOverlays");
    QLegend* legend = chart->chart()->legend();
    legend->setAlignment(Qt::AlignBottom);
    legend->setBackgroundVisible(false);
    legend->setLabelColor(Qt::black);
    // Each entry a piece of its line, dash included.
    legend->setMarkerShape(QLegend::MarkerShapeFromSeries);
}

ChartOverlays* ChartOverlays::of(ChartView* chart) {
    if (auto* found = chart->findChild<ChartOverlays*>("ChartOverlays", Qt::FindDirectChildrenOnly))
        return found;
    return new ChartOverlays(chart);
}

QColor ChartOverlays::toneOf(int index, int seriesNumber) {
    // A kept species keeps its species' colour, told from the current one by its dash.
    if (seriesNumber >= 2 && seriesNumber <= 5)
        return colourOf(kScreenSeriesColours[static_cast<std::size_t>(seriesNumber - 1)]);
    return colourOf(kKeptCurveColours[static_cast<std::size_t>(index) % kKeptCurveColours.size()]);
}

Qt::PenStyle ChartOverlays::dashOf(int index) {
    static constexpr std::array<Qt::PenStyle, 4> kStyles{Qt::DashLine, Qt::DotLine,
                                                         Qt::DashDotLine, Qt::DashDotDotLine};
    return kStyles[static_cast<std::size_t>(index) % kStyles.size()];
}

void ChartOverlays::show(const Simulation& sim) {
    QChart* chart = m_chart->chart();
    // One line per kept series, made or removed to match.
    std::vector<std::pair<int, std::size_t>> wanted; // kept curve, series in it
    for (std::size_t c = 0; c < sim.overlays.curves.size(); ++c)
        for (std::size_t k = 0; k < sim.overlays.curves[c].series.size(); ++k)
            wanted.emplace_back(static_cast<int>(c), k);
    while (m_series.size() > static_cast<qsizetype>(wanted.size())) {
        QLineSeries* s = m_series.takeLast();
        chart->removeSeries(s);
        delete s;
    }
    while (m_series.size() < static_cast<qsizetype>(wanted.size())) {
        auto* s = new QLineSeries(chart);
        s->setProperty(kOverlayProperty, true);
        chart->addSeries(s);
        s->attachAxis(m_chart->bottomAxis());
        s->attachAxis(m_chart->leftAxis());
        m_series.append(s);
    }
    const bool species = sim.state.study == Study::SpeciesVsPH;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const auto [c, k] = wanted[i];
        const OverlayCurve& curve = sim.overlays.curves[static_cast<std::size_t>(c)];
        const int number = curve.series[k].first;
        QLineSeries* s = m_series[static_cast<qsizetype>(i)];
        // Dashed as well as coloured: a kept curve is never told by its colour alone.
        QPen pen(toneOf(c, number), number == 1 ? 2 : 1.5, dashOf(c));
        s->setPen(pen);
        QString name = utf8(curve.label);
        // "label : species" (French), "label: species" (English).
        if (species) name = tr("%1 : %2").arg(name, utf8(sim.graph.captions[number - 2]));
        s->setName(name);
        const Series points = overlayPoints(curve, k, sim.state.volumeFactor);
        QList<QPointF> list;
        list.reserve(static_cast<qsizetype>(points.size()));
        for (const CurvePoint& p : points) list.append(QPointF(p.x, p.y));
        s->replace(list);
    }

    // The legend: only while something is compared with the current curve.
    const bool any = !m_series.isEmpty();
    QLegend* legend = chart->legend();
    legend->setVisible(any);
    if (!any) return;
    for (QLegendMarker* marker : legend->markers()) {
        auto* s = qobject_cast<QXYSeries*>(marker->series());
        if (!s || s->property(kOverlayProperty).toBool()) continue;
        int number = 0;
        for (int k = 1; k <= ChartView::kSeriesCount; ++k)
            if (m_chart->series(k) == s) number = k;
        const bool drawn = s->count() > 0;
        if (number == 1 && !species) {
            marker->setVisible(drawn);
            marker->setLabel(utf8(sim.overlays.currentLabel));
        } else if (species && number >= 2 && number <= 5) {
            marker->setVisible(drawn);
            const std::string& current = sim.overlays.currentLabel;
            marker->setLabel(
                current == "pH"
                    ? utf8(sim.graph.captions[number - 2])
                    : tr("%1 : %2").arg(utf8(current), utf8(sim.graph.captions[number - 2])));
        } else {
            marker->setVisible(false);
        }
    }
}

} // namespace titralab
