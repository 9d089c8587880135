// The diagrams of the study's solution: the concentrations of every species against pH, the
// logarithmic diagram and the buffer capacity, each with the predominance strip of every
// system; copied as a picture, saved, printed.
#pragma once

#include "core/session/DiagramView.h"

#include <QDialog>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace titralab {

struct Simulation;

// Paints one diagram at its size.
class DiagramCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit DiagramCanvas(QWidget* parent = nullptr);
    void show(DiagramView view, char separator);
    const DiagramView& view() const { return m_view; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    DiagramView m_view;
    char m_separator{','};
};

class DiagramWindow : public QDialog {
    Q_OBJECT
  public:
    explicit DiagramWindow(Simulation& sim, QWidget* parent = nullptr);

    // Draws the chosen view of the simulation's solution as it stands now, in its language.
    void refresh();
    void setKind(DiagramKind kind);
    DiagramKind kind() const;
    const DiagramView& view() const { return m_canvas->view(); }

  protected:
    // Coming back to the window redraws it: the panel may have changed meanwhile.
    bool event(QEvent* event) override;

  private:
    void retranslate();
    void copyPicture();
    void savePicture();
    void print();

    Simulation& m_sim;
    QLabel* m_viewLabel{nullptr};
    QComboBox* m_views{nullptr};
    QLabel* m_floorLabel{nullptr};
    QSpinBox* m_floor{nullptr};
    DiagramCanvas* m_canvas{nullptr};
    QLabel* m_status{nullptr};
    QPushButton* m_copy{nullptr};
    QPushButton* m_save{nullptr};
    QPushButton* m_print{nullptr};
    QPushButton* m_close{nullptr};
};

} // namespace titralab
