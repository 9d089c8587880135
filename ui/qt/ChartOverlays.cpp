#include "ui/qt/ChartOverlays.h"

#include "core/curves/Overlays.h"
#include "core/panel/Simulation.h"
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

// Eight hues, far enough apart to tell kept pH curves from one another.
// Eight hues, far enough apart to tell kept pH curves from one another and from the current
// curve's red.
const std::array<QColor, 8> kHues{QColor(40, 90, 220),  QColor(30, 150, 60), QColor(230, 130, 20),
                                  QColor(140, 60, 180), QColor(0, 150, 160), QColor(150, 100, 40),
                                  QColor(210, 60, 160), QColor(90, 90, 90)};
// The species colours of the chart (Series2..Series5).
const std::array<QColor, 4> kSpecies{QColor(0, 128, 0), QColor(255, 255, 0), QColor(0, 0, 255),
                                     QColor(255, 255, 255)};

QColor mixWithWhite(const QColor& c, double white) {
    return QColor::fromRgbF(static_cast<float>(c.redF() + (1 - c.redF()) * white),
                            static_cast<float>(c.greenF() + (1 - c.greenF()) * white),
                            static_cast<float>(c.blueF() + (1 - c.blueF()) * white));
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
}

ChartOverlays* ChartOverlays::of(ChartView* chart) {
    if (auto* found = chart->findChild<ChartOverlays*>("ChartOverlays", Qt::FindDirectChildrenOnly))
        return found;
    return new ChartOverlays(chart);
}

QColor ChartOverlays::toneOf(int index, int seriesNumber) {
    if (seriesNumber >= 2 && seriesNumber <= 5)
        return mixWithWhite(kSpecies[static_cast<std::size_t>(seriesNumber - 2)], 0.45);
    return mixWithWhite(kHues[static_cast<std::size_t>(index) % kHues.size()], 0.35);
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
    static constexpr std::array<Qt::PenStyle, 4> kStyles{Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                                         Qt::DashDotDotLine};
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const auto [c, k] = wanted[i];
        const OverlayCurve& curve = sim.overlays.curves[static_cast<std::size_t>(c)];
        const int number = curve.series[k].first;
        QLineSeries* s = m_series[static_cast<qsizetype>(i)];
        QPen pen(toneOf(c, number), number == 1 ? 2 : 1.5);
        if (species) pen.setStyle(kStyles[static_cast<std::size_t>(c) % kStyles.size()]);
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
