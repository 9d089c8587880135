// The graph window's reading controls: the "Équivalences", "dpH/dV" and "Légende" boxes, the
// indicator choice, the list of remarkable points with the indicator's verdicts, and the
// "Point particulier" field with the values at the typed volume and why the pH is what it is
// there, and the β box (buffer capacity on the right-hand axis).
#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QLineSeries;
class QSpinBox;

namespace titralab {

class ChartReadingLayer;
class ChartView;
struct Simulation;

class ReadingPanel : public QWidget {
    Q_OBJECT
  public:
    ReadingPanel(Simulation& sim, ChartView* chart, QWidget* parent = nullptr);

    // Shows the simulation's readings: controls, results, and what the chart adds.
    void applySimulation();
    // The "Sur la courbe" text for the mouse at a viewport position; empty off the curve.
    QString onCurveAt(const QPoint& position) const;

    ChartReadingLayer* layer() const { return m_layer; }
    // The value on the pH curve, beside the status panels' mouse-position values.
    QLabel* onCurveLabel() const { return m_onCurve; }
    // The controls Tab stops on, in screen order.
    QList<QWidget*> tabStops() const;
    // The results, one line per row.
    QString resultsText() const;
    QString particularText() const;
    // The "why this pH" panel of the particular point: the heading, a line end, then its lines
    // separated by " ; ".
    QString whyThisPHText() const;
    // "Pourquoi ce pH ?" at a volume of the titration (the keyboard cursor's, the particular
    // point's), in the chart's unit.
    void explainAt(double volume);

  signals:
    // A control changed what the curves or the table hold: regenerate.
    void regenerationWanted();

  private:
    void showParticularPoint();
    void toggleLegend();
    void showResults();
    void showConstructions();
    void openMonteCarlo();

    Simulation& m_sim;
    ChartView* m_chart;
    ChartReadingLayer* m_layer;
    QCheckBox* m_equivalences{nullptr};
    QCheckBox* m_derivative{nullptr};
    QCheckBox* m_legend{nullptr};
    QCheckBox* m_bufferCapacity{nullptr}; // β on the right-hand axis and in the copied table
    QCheckBox* m_validity{nullptr};       // where each textbook formula of the pH holds
    QCheckBox* m_predominance{nullptr};   // the beaker's predominance domains by the pH axis
    QPushButton* m_indicator{nullptr}; // the indicator choice, a button with a menu
    QListWidget* m_results{nullptr};   // one row per remarkable point, focusable, read only
    QLineEdit* m_particular{nullptr};
    QLabel* m_particularResult{nullptr};
    QLabel* m_particularUnit{nullptr};
    QLabel* m_whyThisPH{nullptr}; // the formula that governs the particular point's pH
    QLabel* m_onCurve{nullptr};
    // The tangent construction on the measured points, drawn while the box is ticked (a view
    // choice, not kept with the study).
    QCheckBox* m_tangents{nullptr};
    QList<QLineSeries*> m_tangentLines;
    // The derivative method's dpH/dV of the measured points, likewise.
    QCheckBox* m_measuredDerivative{nullptr};
    QLineSeries* m_measuredDerivativeLine{nullptr};
    // The conductimetric method's lines over the measured conductivities, likewise.
    QCheckBox* m_conductimetric{nullptr};
    QList<QLineSeries*> m_conductimetricLines;
    QPushButton* m_monteCarlo{nullptr}; // the spread of the measured equivalence
    QWidget* m_measuredRow{nullptr};    // the methods' controls, shown with measured points
    QLabel* m_smoothingLabel{nullptr};
    QSpinBox* m_smoothing{nullptr}; // the derivative method's window, points
};

} // namespace titralab
