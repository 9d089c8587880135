// The fit dialog: which values to free, the unit of the pasted volumes and the measurements'
// uncertainties, a table of the fitted values with their standard uncertainties, the
// equivalence volumes, the residual standard deviation and the points used, and the residual
// plot; "Appliquer" or "Annuler".
#pragma once

#include "core/session/Fit.h"
#include "core/session/FreeFit.h"

#include <QChartView>
#include <QDialog>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <array>

class QCheckBox;
class QFormLayout;
class QGroupBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace titralab {

class FitDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FitDialog(const Simulation& sim, QWidget* parent = nullptr);

    // Ticks the values freed by default and fits. Separate from exec() so that tests can
    // check the prepared dialog.
    void prepare();
    // Fits again with the ticked values, the unit and the uncertainties shown (run by every
    // change of them).
    void refit();

    const FitResult& result() const { return m_result; }
    // The free study's fit: its values named by the rows they belong to.
    const FreeFitResult& freeResult() const { return m_result; }
    // The box of a row's value in the free study, or none.
    QCheckBox* freeRowBox(const FreeRowValue& v) const;
    // The unit of the pasted volumes as the dialog reads them: "Appliquer" keeps it.
    bool volumesInMillilitres() const;
    QCheckBox* freeBox(FitValue v) const { return m_free[static_cast<int>(v)]; }
    QComboBox* unitChoice() const { return m_unit; }
    QLineEdit* sigmaVolumeField() const { return m_sigmaVolume; }
    QPushButton* applyButton() const { return m_apply; }
    QTableWidget* resultsTable() const { return m_table; }
    QString messageText() const;
    // The text of a result cell: row 0.. of the table (fitted values, equivalence volumes,
    // residual standard deviation, points used), column 0 name, 1 value, 2 uncertainty.
    QString cellText(int row, int column) const;
    QString deviationText() const;
    QString pointsText() const;
    QScatterSeries* residualSeries() const { return m_residuals; }

  private:
    QGroupBox* buildFreeValues();
    QFormLayout* buildMeasureFields();
    void buildResults();
    void buildResidualPlot();
    void buildButtons();
    void showResult();

    const Simulation& m_sim;
    FreeFitResult m_result; // `freed` filled in the free study only
    std::array<QCheckBox*, kFitValueCount> m_free{};
    // The free study: a box per value of its rows.
    bool m_freeStudy{false};
    std::vector<std::pair<FreeRowValue, QCheckBox*>> m_freeRows;
    QComboBox* m_unit{nullptr};
    QLineEdit* m_sigmaPH{nullptr};
    QLineEdit* m_sigmaVolume{nullptr};
    QTableWidget* m_table{nullptr};
    QLabel* m_message{nullptr};
    QLabel* m_notice{nullptr};
    QChartView* m_plot{nullptr};
    QScatterSeries* m_residuals{nullptr};
    QLineSeries* m_zero{nullptr};
    QValueAxis* m_axisX{nullptr};
    QValueAxis* m_axisY{nullptr};
    QPushButton* m_apply{nullptr};
    QPushButton* m_cancel{nullptr};
};

} // namespace titralab
