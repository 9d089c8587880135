// The graph window's chart over Qt Charts: eight series on two value axes and the right-hand
// scale of the curves drawn rescaled on them, titles, fixed or
// automatic vertical range, rectangle zoom, and the pixel position of values.
#pragma once

#include "core/curves/ChartScales.h"
#include "core/curves/Readout.h"
#include "core/page/PointStyles.h"

#include <QChartView>
#include <QList>
#include <QPointF>

#include <array>
#include <optional>

class QLineSeries;
class QRubberBand;
class QScatterSeries;
class QValueAxis;
class QXYSeries;

namespace titralab {

class ChartView : public QChartView {
    Q_OBJECT
  public:
    static constexpr int kSeriesCount = 8;
    static constexpr int kMarkerSeries = 7; // drawn as markers only

    explicit ChartView(QWidget* parent = nullptr);

    void setTitles(const QString& chart, const QString& left, const QString& bottom);
    // A fixed vertical range, or one that follows the drawn points.
    void setLeftAxis(bool automatic, double minimum, double maximum);
    // The right-hand scale of curves drawn rescaled on the left axis; none hides it.
    void setSideScale(std::optional<SideScale> side);
    // Replaces the points of series `number` (1..8). Call rescale() after the last one.
    void setPoints(int number, const QList<QPointF>& points);
    // Fits the axes to the points, unless the user zoomed in: the zoom then stays.
    void rescale();
    void setMarker(ScreenMarker marker);
    // The measured conductivities, markers of their own (sky-blue triangles)
    // on the left axis, where the conductivity curve is drawn rescaled.
    void setMeasuredConductivities(const QList<QPointF>& points);
    QScatterSeries* measuredConductivities() const { return m_measuredConductivities; }

    // Full scale again, as a right-to-left drag does.
    void resetZoom();
    // Zooms on the rectangle between two viewport positions, as a left-to-right drag does.
    void zoomTo(const QPoint& from, const QPoint& to);
    bool isZoomed() const { return m_zoomed; }

    // Position, in viewport pixels, of a value on each axis; the Position forms keep the
    // fraction of a pixel.
    int xToPixel(double x) const;
    int yToPixel(double y) const;
    double xToPosition(double x) const;
    double yToPosition(double y) const;

    // The keyboard cursor's point, in chart values, drawn as a ring with guide lines across
    // the plot; none hides it.
    void setCursorPoint(std::optional<QPointF> value);
    std::optional<QPointF> cursorPoint() const { return m_cursor; }

    QXYSeries* series(int number) const { return m_series[number - 1]; }
    QValueAxis* bottomAxis() const { return m_axisX; }
    QValueAxis* leftAxis() const { return m_axisY; }
    QValueAxis* sideAxis() const { return m_axisSide; }
    ScreenMarker marker() const { return m_marker; }

  signals:
    // The mouse moved over the chart; `position` in viewport pixels.
    void mouseMoved(const QPoint& position);
    // Left, Right, Home or End was pressed while the chart has the focus.
    void cursorKeyPressed(titralab::CursorKey key);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPointF toPosition(const QPointF& value) const;
    void applyFullScale();
    void updateSideAxis();

    std::array<QXYSeries*, kSeriesCount> m_series{};
    QValueAxis* m_axisX{nullptr};
    QValueAxis* m_axisY{nullptr};
    QValueAxis* m_axisSide{nullptr};
    std::optional<SideScale> m_side;
    bool m_leftAutomatic{false};
    double m_leftMin{0};
    double m_leftMax{14};
    bool m_zoomed{false};
    ScreenMarker m_marker{};
    QRubberBand* m_band{nullptr};
    QPoint m_dragOrigin;
    bool m_dragging{false};
    std::optional<QPointF> m_cursor;
    QScatterSeries* m_measuredConductivities{nullptr};
};

// The width of a marker on screen, pixels.
int markerPixels(ScreenMarker marker);
// The marker picture of a style, drawn at `scale` times its screen size for smooth scaling.
QImage markerImage(ScreenMarker marker, const QColor& color, int scale = 4);

} // namespace titralab
