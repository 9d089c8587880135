// What the chart shows over the curves for reading a titration: the exact derivative on a
// right-hand axis, the remarkable points as thin labelled vertical lines, the indicator's
// translucent band, and a legend, placed off the curves, that a right click hides.
#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QAbstractSeries;
class QGraphicsRectItem;
class QValueAxis;
class QLineSeries;

namespace titralab {

class ChartView;

struct ChartReadingView {
    QList<QPointF> derivative; // drawn volume, dpH/dV; empty: no derivative curve
    QString derivativeTitle;   // title of the right-hand axis
    struct Marker {
        double x{};
        QString label;
        bool half{}; // half-equivalence: dotted
    };
    QList<Marker> markers;
    struct Band {
        double low{}, high{}; // pH
        QColor acid, basic;
        QString name;
    };
    std::optional<Band> band;
    // Ranges of drawn volume shown as a coloured strip at the foot of the pH axis.
    struct Stretch {
        double low{}, high{};
        QColor colour;
    };
    QList<Stretch> stretches;
    // Ranges of pH shown as coloured columns beside the pH axis, one column a system.
    struct Domain {
        int column{};
        double low{}, high{}; // pH
        QColor colour;
    };
    QList<Domain> domains;
    struct LegendEntry {
        QColor color;
        QString name;
        Qt::PenStyle style{Qt::SolidLine};
        bool area{};   // a patch shaded from `color` to `second` instead of a line
        QColor second; // the patch's other end
    };
    QList<LegendEntry> legend;
    bool legendShown{true};
};

class ChartReadingLayer : public QObject {
    Q_OBJECT
  public:
    explicit ChartReadingLayer(ChartView* chart);

    void show(const ChartReadingView& view);

    // The drawn volume under a viewport position; NaN off the chart.
    double volumeAt(const QPoint& position) const;

    bool legendVisible() const;
    // Where the legend box stands, in the chart's coordinates (empty without a legend).
    QRectF legendArea() const;
    // The texts of the legend's entries, top to bottom (for tests and the spoken summary).
    QStringList legendTexts() const;
    int markerCount() const { return static_cast<int>(m_markers.size()); }
    QLineSeries* derivativeSeries() const { return m_derivative; }
    QValueAxis* derivativeAxis() const { return m_right; }
    bool bandShown() const { return m_band != nullptr; }

  signals:
    // A right click on the chart asked to hide or show the legend.
    void legendToggleRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void clearOverlays();
    void showBand(const ChartReadingView::Band& band);
    void showStretch(const ChartReadingView::Stretch& stretch);
    void showDomain(const ChartReadingView::Domain& domain);
    void showMarker(const ChartReadingView::Marker& marker);
    void showDerivative(const ChartReadingView& view);
    void showLegend(const ChartReadingView& view);
    void placeLegend();

    ChartView* m_chart;
    QValueAxis* m_right{nullptr};
    QLineSeries* m_derivative{nullptr};
    QAbstractSeries* m_band{nullptr};
    std::vector<QAbstractSeries*> m_markers;
    std::vector<QAbstractSeries*> m_stretches;
    QGraphicsRectItem* m_legend{nullptr};
    QStringList m_legendTexts;
};

} // namespace titralab
