#include "ui/qt/ChartReadingLayer.h"

#include "ui/qt/ChartView.h"

#include "core/curves/ChartScales.h"
#include "core/curves/SeriesColours.h"

#include <QAreaSeries>
#include <QChart>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace titralab {

namespace {

const QColor kDerivativeColor(kDerivativeColour.r, kDerivativeColour.g, kDerivativeColour.b);
const QColor kMarkerColor(40, 40, 40);

// Round bounds for the right-hand axis, from 0 (or below, on the base side where the pH falls)
// to a round value above the largest, and the step of its labels: 1, 2 or 5 times a power of
// ten, about five steps.
struct AxisBounds {
    double low{}, high{}, step{1};
};

AxisBounds derivativeRange(const QList<QPointF>& points) {
    double low = 0, high = 0;
    for (const QPointF& p : points) {
        if (!std::isfinite(p.y())) continue;
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
    if (high == low) high = low + 1;
    const double step = roundTickStep(high - low, 5);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

// The chart's own legend names only its curves: the layer's lines and labels stay out of it.
void keepOutOfChartLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

} // namespace

ChartReadingLayer::ChartReadingLayer(ChartView* chart) : QObject(chart), m_chart(chart) {
    m_chart->viewport()->installEventFilter(this);
    connect(m_chart->chart(), &QChart::plotAreaChanged, this, [this] { placeLegend(); });
    // A zoom moves the curves: the legend moves off them again.
    connect(m_chart->leftAxis(), &QValueAxis::rangeChanged, this, [this] { placeLegend(); });
    connect(m_chart->bottomAxis(), &QValueAxis::rangeChanged, this, [this] { placeLegend(); });
}

void ChartReadingLayer::clearOverlays() {
    QChart* chart = m_chart->chart();
    for (QAbstractSeries* s : m_markers) {
        chart->removeSeries(s);
        delete s;
    }
    m_markers.clear();
    for (QAbstractSeries* s : m_stretches) {
        chart->removeSeries(s);
        delete s;
    }
    m_stretches.clear();
    if (m_band) {
        chart->removeSeries(m_band);
        delete m_band;
        m_band = nullptr;
    }
}

void ChartReadingLayer::show(const ChartReadingView& view) {
    clearOverlays();
    // The band first, so that the markers and the derivative come over it.
    if (view.band && !m_chart->series(1)->points().isEmpty()) showBand(*view.band);
    for (const ChartReadingView::Stretch& f : view.stretches) showStretch(f);
    for (const ChartReadingView::Domain& d : view.domains) showDomain(d);
    for (const ChartReadingView::Marker& m : view.markers) showMarker(m);
    showDerivative(view);
    showLegend(view);
}

void ChartReadingLayer::showBand(const ChartReadingView::Band& band) {
    QChart* chart = m_chart->chart();
    QValueAxis* x = m_chart->bottomAxis();
    QValueAxis* y = m_chart->leftAxis();
    const QList<QPointF> curve = m_chart->series(1)->points();
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0;
    for (const QPointF& p : curve) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
    }
    auto* upper = new QLineSeries();
    auto* lower = new QLineSeries();
    upper->append({{x0, band.high}, {x1, band.high}});
    lower->append({{x0, band.low}, {x1, band.low}});
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    area->setName(band.name);
    // Shaded from the acid colour at the bottom of the range to the basic one at its top.
    QLinearGradient shade(QPointF(0, 1), QPointF(0, 0));
    shade.setCoordinateMode(QGradient::ObjectBoundingMode);
    QColor acid = band.acid, basic = band.basic;
    acid.setAlpha(110);
    basic.setAlpha(110);
    shade.setColorAt(0, acid);
    shade.setColorAt(1, basic);
    area->setBrush(shade);
    area->setPen(QPen(QColor(60, 60, 60, 120), 1, Qt::DotLine));
    chart->addSeries(area);
    area->attachAxis(x);
    area->attachAxis(y);
    keepOutOfChartLegend(chart, area);
    m_band = area;
}

// A range of volume as a coloured strip along the foot of the pH axis, a twentieth of its
// height, in the chart's values so that it follows a zoom.
void ChartReadingLayer::showStretch(const ChartReadingView::Stretch& stretch) {
    QChart* chart = m_chart->chart();
    QValueAxis* y = m_chart->leftAxis();
    const double foot = y->min();
    const double top = foot + (y->max() - y->min()) / 20;
    auto* upper = new QLineSeries();
    auto* lower = new QLineSeries();
    upper->append({{stretch.low, top}, {stretch.high, top}});
    lower->append({{stretch.low, foot}, {stretch.high, foot}});
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    QColor fill = stretch.colour;
    fill.setAlpha(170);
    area->setBrush(fill);
    area->setPen(QPen(stretch.colour.darker(130), 1));
    chart->addSeries(area);
    area->attachAxis(m_chart->bottomAxis());
    area->attachAxis(y);
    keepOutOfChartLegend(chart, area);
    m_stretches.push_back(area);
}

// A form's domain of pH as a column beside the pH axis, a fortieth of the volume axis wide, in
// the chart's values so that it follows a zoom.
void ChartReadingLayer::showDomain(const ChartReadingView::Domain& domain) {
    QChart* chart = m_chart->chart();
    QValueAxis* x = m_chart->bottomAxis();
    const double width = (x->max() - x->min()) / 40;
    const double left = x->min() + domain.column * width;
    auto* upper = new QLineSeries();
    auto* lower = new QLineSeries();
    upper->append({{left, domain.high}, {left + width, domain.high}});
    lower->append({{left, domain.low}, {left + width, domain.low}});
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    QColor fill = domain.colour;
    fill.setAlpha(170);
    area->setBrush(fill);
    area->setPen(QPen(domain.colour.darker(140), 1));
    chart->addSeries(area);
    area->attachAxis(x);
    area->attachAxis(m_chart->leftAxis());
    keepOutOfChartLegend(chart, area);
    m_stretches.push_back(area);
}

void ChartReadingLayer::showMarker(const ChartReadingView::Marker& m) {
    QChart* chart = m_chart->chart();
    QValueAxis* x = m_chart->bottomAxis();
    QValueAxis* y = m_chart->leftAxis();
    auto* line = new QLineSeries();
    line->append({{m.x, y->min()}, {m.x, y->max()}});
    line->setPen(QPen(kMarkerColor, 1, m.half ? Qt::DotLine : Qt::DashLine));
    line->setPointLabelsFormat(m.label);
    chart->addSeries(line);
    line->attachAxis(x);
    line->attachAxis(y);
    keepOutOfChartLegend(chart, line);
    m_markers.push_back(line);
    // The label sits at the top of the line: one invisible point carries it.
    auto* tag = new QScatterSeries();
    tag->append(m.x, y->max() - (y->max() - y->min()) * (m.half ? 0.07 : 0.03));
    tag->setMarkerSize(1);
    tag->setColor(Qt::transparent);
    tag->setBorderColor(Qt::transparent);
    tag->setPointLabelsFormat(m.label);
    tag->setPointLabelsVisible(true);
    tag->setPointLabelsClipping(false);
    tag->setPointLabelsColor(Qt::black);
    chart->addSeries(tag);
    tag->attachAxis(x);
    tag->attachAxis(y);
    keepOutOfChartLegend(chart, tag);
    m_markers.push_back(tag);
}

void ChartReadingLayer::showDerivative(const ChartReadingView& view) {
    QChart* chart = m_chart->chart();
    QValueAxis* x = m_chart->bottomAxis();
    if (!view.derivative.isEmpty()) {
        if (!m_right) {
            m_right = new QValueAxis(chart);
            m_right->setObjectName("DerivativeAxis");
            m_right->setLabelFormat("%g");
            m_right->setLinePenColor(kDerivativeColor);
            m_right->setLabelsColor(kDerivativeColor);
            m_right->setTitleBrush(kDerivativeColor);
            m_right->setGridLineVisible(false);
            chart->addAxis(m_right, Qt::AlignRight);
            m_derivative = new QLineSeries(chart);
            m_derivative->setName("dpH/dV");
            m_derivative->setPen(QPen(kDerivativeColor, 1.5, Qt::DashLine));
            chart->addSeries(m_derivative);
            m_derivative->attachAxis(x);
            m_derivative->attachAxis(m_right);
            keepOutOfChartLegend(chart, m_derivative);
        }
        m_derivative->replace(view.derivative);
        const AxisBounds bounds = derivativeRange(view.derivative);
        m_right->setRange(bounds.low, bounds.high);
        m_right->setTickType(QValueAxis::TicksDynamic);
        m_right->setTickAnchor(0);
        m_right->setTickInterval(bounds.step);
        m_right->setTitleText(view.derivativeTitle);
        m_right->setVisible(true);
        m_derivative->setVisible(true);
    } else if (m_right) {
        m_derivative->clear();
        m_derivative->setVisible(false);
        m_right->setVisible(false);
    }
}

// The legend: a framed box in the top right corner of the plot.
void ChartReadingLayer::showLegend(const ChartReadingView& view) {
    QChart* chart = m_chart->chart();
    delete m_legend;
    m_legend = nullptr;
    m_legendTexts.clear();
    if (!view.legend.isEmpty()) {
        m_legend = new QGraphicsRectItem(chart);
        m_legend->setBrush(QColor(kLegendBackground.r, kLegendBackground.g, kLegendBackground.b));
        m_legend->setPen(QPen(QColor(90, 90, 90)));
        m_legend->setZValue(100);
        const QFontMetrics metrics(chart->font());
        const int row = metrics.height() + 2;
        constexpr int kSample = 26, kPad = 6;
        int width = 0, top = kPad;
        for (const auto& e : view.legend) {
            auto* text = new QGraphicsSimpleTextItem(e.name, m_legend);
            text->setFont(chart->font());
            text->setPos(kPad + kSample + kPad, top);
            width = std::max(width, metrics.horizontalAdvance(e.name));
            const double mid = top + row / 2.0;
            if (e.area) {
                auto* patch = new QGraphicsRectItem(kPad, mid - 5, kSample, 10, m_legend);
                QLinearGradient shade(QPointF(kPad, 0), QPointF(kPad + kSample, 0));
                shade.setColorAt(0, e.color);
                shade.setColorAt(1, e.second);
                patch->setBrush(shade);
                patch->setPen(QPen(QColor(90, 90, 90), 0.5));
            } else {
                auto* sample = new QGraphicsLineItem(kPad, mid, kPad + kSample, mid, m_legend);
                sample->setPen(QPen(e.color, 2, e.style));
            }
            m_legendTexts.append(e.name);
            top += row;
        }
        m_legend->setRect(0, 0, kPad + kSample + kPad + width + kPad, top + kPad);
        m_legend->setVisible(view.legendShown);
        placeLegend();
    }
}

void ChartReadingLayer::placeLegend() {
    if (!m_legend) return;
    QChart* chart = m_chart->chart();
    const QRectF plot = chart->plotArea();
    if (plot.width() <= 0 || plot.height() <= 0) return;
    // The drawn curves in fractions of the plot; the point labels' lines cross the whole plot
    // and the indicator's band is translucent: the legend may cover them.
    std::vector<std::vector<PlotPoint>> curves;
    for (QAbstractSeries* any : chart->series()) {
        auto* series = qobject_cast<QXYSeries*>(any);
        if (!series || !series->isVisible() || any == m_band ||
            std::find(m_markers.begin(), m_markers.end(), any) != m_markers.end())
            continue;
        std::vector<PlotPoint> curve;
        const QList<QPointF> points = series->points();
        curve.reserve(static_cast<std::size_t>(points.size()));
        for (const QPointF& p : points) {
            const QPointF at = chart->mapToPosition(p, series) - plot.topLeft();
            curve.emplace_back(at.x() / plot.width(), at.y() / plot.height());
        }
        curves.push_back(std::move(curve));
    }
    const QRectF box = m_legend->rect();
    const PlotPoint at =
        legendPlace(curves, box.width() / plot.width(), box.height() / plot.height());
    m_legend->setPos(plot.left() + at.first * plot.width(), plot.top() + at.second * plot.height());
}

double ChartReadingLayer::volumeAt(const QPoint& position) const {
    QChart* chart = m_chart->chart();
    const QPointF scene = m_chart->mapToScene(position);
    const QPointF inChart = chart->mapFromScene(scene);
    if (!chart->plotArea().contains(inChart)) return std::numeric_limits<double>::quiet_NaN();
    return chart->mapToValue(inChart, m_chart->series(1)).x();
}

bool ChartReadingLayer::legendVisible() const {
    return m_legend && m_legend->isVisible();
}

QRectF ChartReadingLayer::legendArea() const {
    return m_legend ? m_legend->mapRectToParent(m_legend->rect()) : QRectF();
}

QStringList ChartReadingLayer::legendTexts() const {
    return m_legendTexts;
}

bool ChartReadingLayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_chart->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        emit legendToggleRequested();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace titralab
