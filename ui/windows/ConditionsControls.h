// The conditions of the solutions in the input panel: "Activités (Davies)", the temperature
// (°C) with its slider, and the solutes that keep their pKa of 25 °C at another temperature.
#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace titralab {

struct Simulation;

class ConditionsControls : public QWidget {
    Q_OBJECT
  public:
    ConditionsControls(Simulation& sim, QWidget* parent);

    // Brings the box, the field and the note in step with the simulation's conditions (an
    // opened study, the Options menu), without running the user's handlers.
    void showConditions();
    // The temperature as typed is accepted (true), or refused with its message, the field
    // marked and focused. Run when the field is left.
    bool acceptTemperature();
    bool isTemperatureField(const QWidget* widget) const;
    QList<QWidget*> tabChain() const;

  signals:
    // The simulation's conditions changed by a click or a typed temperature.
    void edited();
    void temperatureRefused(const QString& message);

  private:
    void typeTemperature(const QString& text);
    void slideTemperature(int celsius);

    Simulation& m_sim;
    QCheckBox* m_activities{nullptr};
    QLabel* m_temperatureLabel{nullptr};
    QLineEdit* m_temperature{nullptr};
    QSlider* m_temperatureSlider{nullptr}; // whole degrees, 0 to 60, following the field
    QLabel* m_keptAt25{nullptr};
    double m_accepted{25};  // °C: the temperature when the field was last accepted
    bool m_refusing{false}; // its message box is open: leaving the field for it asks nothing
};

} // namespace titralab
