// "Famille de courbes...": what varies (one quantity of the panel, the two concentrations
// together, or a dilution factor) and its values, typed as a list or made as an arithmetic or
// geometric range.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/curves/Overlays.h"
#include "core/session/Overlays.h"
#include "core/base/Language.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace titralab {

class Notifier;
struct Simulation;

class FamilyDialog : public QDialog {
    Q_OBJECT
  public:
    // Its texts are in `language`.
    FamilyDialog(Language language, Notifier& notifier, QWidget* parent = nullptr);

    // Fills the choice of quantities with the fields the study shows, then the two
    // concentrations together and the dilution factor, the first one selected, and the list
    // with the field's value. The simulation is read again when the values are checked.
    void prepare(const Simulation& sim);
    // The field chosen (D1..D16), 0 for the two other choices.
    int field() const;
    FamilyQuantity quantity() const;

  signals:
    // "&Tracer" with accepted values: the dialog closes.
    void familyChosen(const FamilyQuantity& quantity, const std::vector<double>& values);

  private:
    void addTemperatureChoice(const Simulation& sim);
    void draw();

    Language m_language;
    Notifier& m_notifier;
    const Simulation* m_sim{nullptr};
    QComboBox* m_quantity{nullptr};
    QRadioButton* m_list{nullptr};
    QRadioButton* m_arithmetic{nullptr};
    QRadioButton* m_geometric{nullptr};
    QLineEdit* m_values{nullptr};
    QLineEdit* m_first{nullptr};
    QLineEdit* m_last{nullptr};
    QLineEdit* m_count{nullptr};
    // The free study: the values of its rows, the choice's data kFreeRowChoice + index.
    std::vector<FreeRowValue> m_freeRows;
};

} // namespace titralab
