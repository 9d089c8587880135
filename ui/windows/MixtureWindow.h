// The results window of the mixture of two polyacids (polybases): the data of both, the pH,
// the hydronium concentration, the total volume and every species' concentration.
#pragma once

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace titralab {

struct Simulation;

class MixtureWindow : public QDialog {
    Q_OBJECT
  public:
    explicit MixtureWindow(Simulation& sim, QWidget* parent = nullptr);

    // Fills the fields from the last mixture computation (the show command has run it); the
    // fields are emptied when there is none. Separate from showModal() for inspection.
    void prepare();
    // prepare(), then the window, modal, until "&O K".
    int showModal();

    QString field(int n) const;        // the result fields, 1..21
    QString speciesLabel(int n) const; // the label of the species fields 12..19

  private:
    Simulation& m_sim;
    std::array<QLineEdit*, 22> m_fields{};     // m_fields[1..21]
    std::array<QLabel*, 22> m_speciesLabels{}; // [12..19]
    QPushButton* m_ok{nullptr};
};

} // namespace titralab
