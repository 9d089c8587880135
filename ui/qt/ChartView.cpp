#include "ui/qt/ChartView.h"

#include "core/curves/ChartScales.h"
#include "core/curves/SeriesColours.h"

#include <QChart>
#include <QKeyEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRubberBand>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace titralab {

namespace {

// Line colours of Series1..Series8, shared with the page printed in colour.
const std::array<QColor, ChartView::kSeriesCount> kSeriesColors = [] {
    std::array<QColor, ChartView::kSeriesCount> colours;
    for (int k = 0; k < ChartView::kSeriesCount; ++k) {
        const Rgb c = kScreenSeriesColours[static_cast<std::size_t>(k)];
        colours[static_cast<std::size_t>(k)] = QColor(c.r, c.g, c.b);
    }
    return colours;
}();

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Screen pixels per unit of a marker's size: the sizes 2 and 4 keep their ratio, larger.
constexpr double kPixelsPerMarkerUnit = 1.5;

// A drag shorter than this, in pixels, is a click and changes nothing.
constexpr int kMinimumDrag = 4;

using Range = ValueRange;

// The step between labelled ticks: 1, 2 or 5 times a power of ten, giving at most ten steps.
double tickStep(double span) {
    return roundTickStep(span, 10);
}

// The narrowest span an axis may show relative to its values: below it the ticks would step
// by less than the precision of a double.
constexpr double kRelativeSpan = 1e-9;

// Qt Charts lays the ticks out at every change of range, interval or anchor, one item per
// tick. Changing the range under the previous interval (or the interval under the previous
// range) can ask for billions of them: the interval first grows to the larger of the two, so
// that each state on the way holds no more ticks than the old or the new one.
void setRange(QValueAxis* axis, double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || !(low < high)) return;
    const double least = kRelativeSpan * std::max(std::abs(low), std::abs(high));
    if (high - low < least) {
        const double middle = low / 2 + high / 2;
        low = middle - least / 2;
        high = middle + least / 2;
    }
    const double step = tickStep(high - low);
    const double anchor = std::floor(low / step) * step;
    if (axis->tickType() != QValueAxis::TicksDynamic || !(axis->tickInterval() > step)) {
        axis->setTickInterval(step);
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(anchor);
    axis->setRange(low, high);
    axis->setTickInterval(step);
}

// The axis spans exactly the values drawn, its labels at round values; a single value gets a
// unit either side.
void setAutomaticRange(QValueAxis* axis, Range r) {
    if (r.empty()) r = {0, 1};
    if (r.high - r.low < 1e-300 * std::max(1.0, std::abs(r.high))) {
        r.low -= 1;
        r.high += 1;
    }
    // A limit a hair away from a round value is taken as that value, so that it is labelled.
    const double step = tickStep(r.high - r.low);
    const double tolerance = 1e-3 * (r.high - r.low);
    const double low = std::round(r.low / step) * step;
    const double high = std::round(r.high / step) * step;
    if (std::abs(low - r.low) <= tolerance) r.low = std::min(low, r.low);
    if (std::abs(high - r.high) <= tolerance) r.high = std::max(high, r.high);
    setRange(axis, r.low, r.high);
}

} // namespace

int markerPixels(ScreenMarker marker) {
    return static_cast<int>(2 * marker.size * kPixelsPerMarkerUnit) + 1;
}

QImage markerImage(ScreenMarker marker, const QColor& color, int scale) {
    // The point is in the middle of the figure.
    const int side = markerPixels(marker) * scale;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double c = side / 2.0;
    const double r = c - scale * 0.75; // keeps the outline inside the picture
    QPen outline(Qt::black, scale * 0.75);
    QPen stroke(color, scale * 1.5, Qt::SolidLine, Qt::FlatCap);
    switch (marker.shape) {
    case MarkerShape::Circle:
        p.setPen(outline);
        p.setBrush(color);
        p.drawEllipse(QPointF(c, c), r, r);
        break;
    case MarkerShape::Square:
        p.setPen(outline);
        p.setBrush(color);
        p.drawRect(QRectF(c - r, c - r, 2 * r, 2 * r));
        break;
    case MarkerShape::Triangle: {
        QPainterPath path;
        path.moveTo(c, c - r);
        path.lineTo(c + r, c + r);
        path.lineTo(c - r, c + r);
        path.closeSubpath();
        p.setPen(outline);
        p.setBrush(color);
        p.drawPath(path);
        break;
    }
    case MarkerShape::Cross:
    case MarkerShape::DiagonalCross:
    case MarkerShape::Star: {
        p.setPen(stroke);
        const double d = r / std::sqrt(2.0);
        if (marker.shape != MarkerShape::DiagonalCross) {
            p.drawLine(QPointF(c, c - r), QPointF(c, c + r));
            p.drawLine(QPointF(c - r, c), QPointF(c + r, c));
        }
        if (marker.shape != MarkerShape::Cross) {
            const double e = marker.shape == MarkerShape::Star ? d : r;
            p.drawLine(QPointF(c - e, c - e), QPointF(c + e, c + e));
            p.drawLine(QPointF(c + e, c - e), QPointF(c - e, c + e));
        }
        break;
    }
    }
    return image;
}

ChartView::ChartView(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart();
    chart->legend()->hide();
    chart->setBackgroundBrush(toQColor(kChartBackground));
    // The curves are drawn on white, where each of their colours stands out.
    chart->setPlotAreaBackgroundBrush(toQColor(kPlotBackground));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setBackgroundRoundness(0);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(Qt::black);
    chart->setMargins(QMargins(4, 4, 12, 4));
    m_axisX = new QValueAxis(chart);
    m_axisY = new QValueAxis(chart);
    for (QValueAxis* axis : {m_axisX, m_axisY}) {
        axis->setLabelFormat("%g");
        axis->setGridLineColor(QColor(205, 209, 218));
        axis->setLinePenColor(Qt::black);
        axis->setLabelsColor(Qt::black);
        axis->setTitleBrush(Qt::black);
        // The keyboard cursor is painted over the chart: it follows a zoom.
        connect(axis, &QValueAxis::rangeChanged, viewport(), [this] { viewport()->update(); });
    }
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    // The right-hand scale of the curves drawn rescaled on the left axis: it follows the left
    // axis through every zoom.
    m_axisSide = new QValueAxis(chart);
    m_axisSide->setObjectName("SideAxis");
    m_axisSide->setLabelFormat("%g");
    m_axisSide->setGridLineVisible(false);
    m_axisSide->setLinePenColor(Qt::black);
    m_axisSide->setLabelsColor(Qt::black);
    m_axisSide->setTitleBrush(Qt::black);
    m_axisSide->setVisible(false);
    chart->addAxis(m_axisSide, Qt::AlignRight);
    connect(m_axisY, &QValueAxis::rangeChanged, this, [this] { updateSideAxis(); });
    for (int k = 0; k < kSeriesCount; ++k) {
        QXYSeries* s = nullptr;
        if (k + 1 == kMarkerSeries) {
            auto* scatter = new QScatterSeries(chart);
            scatter->setPen(Qt::NoPen);
            s = scatter;
        } else {
            s = new QLineSeries(chart);
            s->setPen(QPen(kSeriesColors[k], k == 0 ? 2 : 1.5));
        }
        s->setName(QStringLiteral("Series%1").arg(k + 1));
        s->setColor(kSeriesColors[k]);
        chart->addSeries(s);
        s->attachAxis(m_axisX);
        s->attachAxis(m_axisY);
        m_series[k] = s;
    }
    setChart(chart);
    setMarker(m_marker);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // the keyboard cursor
    m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
    applyFullScale();
}

void ChartView::setTitles(const QString& chart, const QString& left, const QString& bottom) {
    this->chart()->setTitle(chart);
    m_axisY->setTitleText(left);
    m_axisX->setTitleText(bottom);
}

void ChartView::setLeftAxis(bool automatic, double minimum, double maximum) {
    m_leftAutomatic = automatic;
    m_leftMin = minimum;
    m_leftMax = maximum;
}

void ChartView::setSideScale(std::optional<SideScale> side) {
    m_side = std::move(side);
    updateSideAxis();
}

void ChartView::updateSideAxis() {
    if (!m_side) {
        m_axisSide->setVisible(false);
        return;
    }
    const SideAxisRange r = sideAxisRange(*m_side, m_axisY->min(), m_axisY->max());
    if (!(r.low < r.high) || !std::isfinite(r.low) || !std::isfinite(r.high)) {
        m_axisSide->setVisible(false);
        return;
    }
    // The interval first, at the larger of the old and the new, as setRange() does.
    if (!(m_axisSide->tickInterval() > r.step)) m_axisSide->setTickInterval(r.step);
    m_axisSide->setTickType(QValueAxis::TicksDynamic);
    m_axisSide->setTickAnchor(r.anchor);
    m_axisSide->setRange(r.low, r.high);
    m_axisSide->setTickInterval(r.step);
    m_axisSide->setTitleText(QString::fromStdString(m_side->title));
    m_axisSide->setVisible(true);
}

void ChartView::setPoints(int number, const QList<QPointF>& points) {
    m_series[number - 1]->replace(points);
}

void ChartView::setMeasuredConductivities(const QList<QPointF>& points) {
    if (!m_measuredConductivities) {
        if (points.isEmpty()) return;
        auto* scatter = new QScatterSeries(chart());
        scatter->setObjectName("measuredConductivitySeries");
        scatter->setPen(Qt::NoPen);
        // Sky blue: apart from the conductivity's dark blue line they are drawn over.
        const QColor colour(0, 150, 210);
        scatter->setColor(colour);
        const ScreenMarker marker{MarkerShape::Triangle, 4};
        scatter->setMarkerSize(markerPixels(marker));
        scatter->setLightMarker(markerImage(marker, colour));
        chart()->addSeries(scatter);
        scatter->attachAxis(m_axisX);
        scatter->attachAxis(m_axisY);
        m_measuredConductivities = scatter;
    }
    m_measuredConductivities->replace(points);
}

void ChartView::setMarker(ScreenMarker marker) {
    m_marker = marker;
    auto* s = static_cast<QScatterSeries*>(m_series[kMarkerSeries - 1]);
    s->setMarkerSize(markerPixels(marker));
    s->setLightMarker(markerImage(marker, kSeriesColors[kMarkerSeries - 1]));
}

void ChartView::rescale() {
    if (!m_zoomed) applyFullScale();
}

void ChartView::resetZoom() {
    m_zoomed = false;
    applyFullScale();
}

void ChartView::applyFullScale() {
    Range x, y;
    // Every series of the chart: the eight of the study and the curves kept beside them.
    for (QAbstractSeries* any : chart()->series()) {
        auto* s = qobject_cast<QXYSeries*>(any);
        if (!s) continue;
        const QList<QPointF> points = s->points();
        for (const QPointF& p : points) {
            x.add(p.x());
            y.add(p.y());
        }
    }
    setAutomaticRange(m_axisX, x);
    if (m_leftAutomatic) {
        setAutomaticRange(m_axisY, y);
    } else {
        setRange(m_axisY, m_leftMin, m_leftMax);
    }
}

void ChartView::zoomTo(const QPoint& from, const QPoint& to) {
    const QTransform toScene = viewportTransform().inverted();
    const QPointF a =
        chart()->mapToValue(chart()->mapFromScene(toScene.map(QPointF(from))), m_series[0]);
    const QPointF b =
        chart()->mapToValue(chart()->mapFromScene(toScene.map(QPointF(to))), m_series[0]);
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y()) || a.x() == b.x() || a.y() == b.y())
        return;
    setRange(m_axisX, std::min(a.x(), b.x()), std::max(a.x(), b.x()));
    setRange(m_axisY, std::min(a.y(), b.y()), std::max(a.y(), b.y()));
    m_zoomed = true;
}

QPointF ChartView::toPosition(const QPointF& value) const {
    const QPointF inChart = chart()->mapToPosition(value, m_series[0]);
    // mapFromScene() would round to whole pixels.
    return viewportTransform().map(chart()->mapToScene(inChart));
}

double ChartView::xToPosition(double x) const {
    return toPosition({x, m_axisY->min()}).x();
}

double ChartView::yToPosition(double y) const {
    return toPosition({m_axisX->min(), y}).y();
}

int ChartView::xToPixel(double x) const {
    return static_cast<int>(std::lround(xToPosition(x)));
}

int ChartView::yToPixel(double y) const {
    return static_cast<int>(std::lround(yToPosition(y)));
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragOrigin = event->position().toPoint();
        m_dragging = true;
        m_band->setGeometry(QRect(m_dragOrigin, QSize()));
        m_band->show();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (m_dragging) m_band->setGeometry(QRect(m_dragOrigin, at).normalized());
    emit mouseMoved(at);
    QChartView::mouseMoveEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    m_band->hide();
    const QPoint end = event->position().toPoint();
    const int dx = end.x() - m_dragOrigin.x();
    // Left to right zooms on the rectangle; right to left goes back to full scale.
    if (dx >= kMinimumDrag && std::abs(end.y() - m_dragOrigin.y()) >= kMinimumDrag)
        zoomTo(m_dragOrigin, end);
    else if (dx <= -kMinimumDrag)
        resetZoom();
    event->accept();
}

void ChartView::setCursorPoint(std::optional<QPointF> value) {
    if (value == m_cursor) return;
    m_cursor = value;
    viewport()->update();
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    std::optional<CursorKey> key;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Left:
            key = CursorKey::Left;
            break;
        case Qt::Key_Right:
            key = CursorKey::Right;
            break;
        case Qt::Key_Home:
            key = CursorKey::Home;
            break;
        case Qt::Key_End:
            key = CursorKey::End;
            break;
        default:
            break;
        }
    } else if (mods == Qt::ShiftModifier) {
        if (event->key() == Qt::Key_Left) key = CursorKey::ShiftLeft;
        if (event->key() == Qt::Key_Right) key = CursorKey::ShiftRight;
    }
    if (!key) {
        QChartView::keyPressEvent(event);
        return;
    }
    emit cursorKeyPressed(*key);
    event->accept();
}

void ChartView::paintEvent(QPaintEvent* event) {
    QChartView::paintEvent(event);
    QPainter p(viewport());
    p.setRenderHint(QPainter::Antialiasing);
    if (m_cursor) {
        const QPointF at = toPosition(*m_cursor);
        const QRectF plot =
            viewportTransform().mapRect(chart()->mapRectToScene(chart()->plotArea()));
        if (plot.adjusted(-1, -1, 1, 1).contains(at)) {
            // Guide lines to both axes that stop at the ring, leaving the point itself clear.
            constexpr double kRadius = 7;
            p.setPen(QPen(QColor(0, 0, 0, 170), 1, Qt::DashLine));
            p.drawLine(QPointF(at.x(), plot.top()), QPointF(at.x(), at.y() - kRadius));
            p.drawLine(QPointF(at.x(), at.y() + kRadius), QPointF(at.x(), plot.bottom()));
            p.drawLine(QPointF(plot.left(), at.y()), QPointF(at.x() - kRadius, at.y()));
            p.drawLine(QPointF(at.x() + kRadius, at.y()), QPointF(plot.right(), at.y()));
            // A black ring on a white one: seen on the background and on every curve colour.
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(Qt::white, 4));
            p.drawEllipse(at, kRadius, kRadius);
            p.setPen(QPen(Qt::black, 2));
            p.drawEllipse(at, kRadius, kRadius);
        }
    }
    if (hasFocus()) {
        // The chart shows that it has the keyboard, as a field does.
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    }
}

void ChartView::focusInEvent(QFocusEvent* event) {
    QChartView::focusInEvent(event);
    viewport()->update();
}

void ChartView::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    viewport()->update();
}

} // namespace titralab
