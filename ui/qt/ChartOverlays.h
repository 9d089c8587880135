// The kept curves (frozen curves, families) drawn dashed on the chart, and the
// chart's legend that names them and the current curve.
#pragma once

#include <QColor>
#include <QList>
#include <QObject>

class QLineSeries;

namespace titralab {

class ChartView;
struct Simulation;

class ChartOverlays : public QObject {
    Q_OBJECT
  public:
    // The overlays of a chart, made on first use and owned by it.
    static ChartOverlays* of(ChartView* chart);

    // Draws the simulation's kept curves over the chart's own series and updates the legend:
    // shown while there are kept curves, with one entry for the current curve (or each drawn
    // species in the species study) and one for each kept series.
    void show(const Simulation& sim);

    const QList<QLineSeries*>& series() const { return m_series; }
    // The colour and the dash of kept curve `index` (series 1: pH; 2..5: species).
    static QColor toneOf(int index, int seriesNumber);
    static Qt::PenStyle dashOf(int index);

  private:
    explicit ChartOverlays(ChartView* chart);
    ChartView* m_chart;
    QList<QLineSeries*> m_series;
};

} // namespace titralab
