// The sliders of the main window's panel: one under each pKa, concentration and volume field
// (beside the burette's field), shown with it; the field and its slider follow each other.
#pragma once

#include <QObject>
#include <QSlider>

#include <array>

class QLineEdit;
class QWidget;

namespace titralab {

struct Simulation;

// A slider of the panel: a screen reader reads the quantity it sets ("pKa 4,75", "0,1 mol/L")
// as its value, not its position.
class PanelSlider : public QSlider {
    Q_OBJECT
  public:
    using QSlider::QSlider;
    QString valueText;
};

class PanelSliders : public QObject {
    Q_OBJECT
  public:
    // Finds the fields D1..D16 among the children of `window` and puts a slider by each.
    PanelSliders(Simulation& sim, QWidget* window);

    PanelSlider* slider(int field) const { return m_sliders[static_cast<std::size_t>(field)]; }
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
    // Puts the quantity at the slider's position where a screen reader reads its value.
    void tellValue(int field);

    Simulation& m_sim;
    std::array<QLineEdit*, 17> m_fields{};
    std::array<PanelSlider*, 17> m_sliders{};
};

} // namespace titralab
