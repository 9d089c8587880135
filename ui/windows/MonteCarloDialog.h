// The spread of the equivalence read off measured points when each pH and each burette
// reading is perturbed by its uncertainty: the number of draws and the two uncertainties, the
// derivative, tangent and Gran methods run on every draw, a progress dialog while they run.
#pragma once

#include "core/session/Measurements.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace titralab {

struct Simulation;

class MonteCarloDialog : public QDialog {
    Q_OBJECT
  public:
    MonteCarloDialog(const Simulation& sim, QWidget* parent = nullptr);

    // Runs the draws with the typed settings and lists the spreads; a refused field says why.
    void run();
    QString resultsText() const;

  private:
    const Simulation& m_sim;
    QLineEdit* m_draws{nullptr};
    QLineEdit* m_sigmaPH{nullptr};
    QLineEdit* m_sigmaVolume{nullptr}; // mL
    QListWidget* m_results{nullptr};
    QLabel* m_status{nullptr};
    QPushButton* m_run{nullptr};
};

} // namespace titralab
