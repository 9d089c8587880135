// The fit dialog: which values to free, the fitted values with their standard uncertainties,
// the residual standard deviation, the points used and the residual plot; "Appliquer" or
// "Annuler".
#pragma once

#include "core/curves/Fit.h"

#include <QChartView>
#include <QDialog>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace titralab {

class FitDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FitDialog(const Simulation& sim, QWidget* parent = nullptr);

    // Ticks the values freed by default and fits. Separate from exec() so that tests can
    // check the prepared dialog.
    void prepare();
    // Fits again with the ticked values (run by every tick).
    void refit();

    const FitResult& result() const { return m_result; }
    QCheckBox* freeBox(FitValue v) const { return m_free[static_cast<int>(v)]; }
    QPushButton* applyButton() const { return m_apply; }
    QString messageText() const;
    // The text of a result cell: row 0.. of the fitted values, column 0 name, 1 value,
    // 2 uncertainty.
    QString cellText(int row, int column) const;
    QString deviationText() const;
    QString pointsText() const;
    QScatterSeries* residualSeries() const { return m_residuals; }

  private:
    void showResult();

    const Simulation& m_sim;
    FitResult m_result;
    std::array<QCheckBox*, kFitValueCount> m_free{};
    QGridLayout* m_grid{nullptr};
    QLabel* m_message{nullptr};
    QLabel* m_deviation{nullptr};
    QLabel* m_points{nullptr};
    QChartView* m_plot{nullptr};
    QScatterSeries* m_residuals{nullptr};
    QLineSeries* m_zero{nullptr};
    QValueAxis* m_axisX{nullptr};
    QValueAxis* m_axisY{nullptr};
    QPushButton* m_apply{nullptr};
    QPushButton* m_cancel{nullptr};
};

} // namespace titralab
