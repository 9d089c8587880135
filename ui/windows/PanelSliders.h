// The sliders of the main window's panel: one under each pKa, concentration and volume field
// (beside the burette's field), shown with it; the field and its slider follow each other.
#pragma once

#include <QObject>

#include <array>

class QLineEdit;
class QSlider;
class QWidget;

namespace titralab {

struct Simulation;

class PanelSliders : public QObject {
    Q_OBJECT
  public:
    // Finds the fields D1..D16 among the children of `window` and puts a slider by each.
    PanelSliders(Simulation& sim, QWidget* window);

    QSlider* slider(int field) const { return m_sliders[static_cast<std::size_t>(field)]; }
    // Names each slider after its field's label on the simulation's side.
    void nameSliders();

  signals:
    // The user moved the slider of `field`; its text is already in the field and the panel.
    void slid(int field);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(int field);
    void place(int field);
    void moved(int field, int position);

    Simulation& m_sim;
    std::array<QLineEdit*, 17> m_fields{};
    std::array<QSlider*, 17> m_sliders{};
};

} // namespace titralab
