// "Famille de courbes...": one quantity of the panel and its values, typed as a list or made
// as an arithmetic or geometric range.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/texts/Language.h"

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

    // Fills the choice of quantities with the fields the study shows, the current one first
    // selected, and the list with the field's value.
    void prepare(const Simulation& sim);
    // The field chosen (D1..D16).
    int field() const;

  signals:
    // "&Tracer" with accepted values: the dialog closes.
    void familyChosen(int field, const std::vector<double>& values);

  private:
    void draw();

    Language m_language;
    Notifier& m_notifier;
    BuretteSide m_side{BuretteSide::AcidSide};
    QComboBox* m_quantity{nullptr};
    QRadioButton* m_list{nullptr};
    QRadioButton* m_arithmetic{nullptr};
    QRadioButton* m_geometric{nullptr};
    QLineEdit* m_values{nullptr};
    QLineEdit* m_first{nullptr};
    QLineEdit* m_last{nullptr};
    QLineEdit* m_count{nullptr};
};

} // namespace titralab
