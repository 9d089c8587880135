// The input panel of the free study: the rows of the beaker and of the burette (what, and its
// concentration in mol/L), the beaker's volume and the largest volume added. Each row and field
// is checked as it is left, with the message the session gives.
#pragma once

#include "core/session/Simulation.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTableWidget;

namespace titralab {

class FreeSolutionsPanel : public QWidget {
    Q_OBJECT
  public:
    FreeSolutionsPanel(Simulation& sim, QWidget* parent = nullptr);

    // Shows the session's rows and fields, in the session's language.
    void showInputs();
    // The message of the last check, empty when every row and field reads.
    QString message() const;

  public slots:
    // Puts an entry (a name or formula the database knows) in the beaker or the burette, at
    // 0.1 mol/L, as a new row.
    void addSolute(titralab::FreeSide side, const QString& systemName);
    // A row for a database entry or a teacher's own: its name, and its system kept with the row
    // so that it computes whether or not the name is found again.
    void addSolute(titralab::FreeSide side, const titralab::SoluteEntry& entry);
    void addRow(titralab::FreeSide side);
    // Removes the chosen row of a side (the last one when none is chosen).
    void removeRow(titralab::FreeSide side);

  signals:
    // Emitted after every change of a row or a field.
    void edited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTableWidget* table(FreeSide side) const { return m_tables[side == FreeSide::Beaker ? 0 : 1]; }
    void rowEdited(FreeSide side, int row);
    void volumeEdited();
    // Checks every row and field, marks the refused ones and shows the first message.
    void check();
    void retranslate();

    Simulation& m_sim;
    bool m_filling{false}; // the program writes the tables: no handler runs
    std::array<QLabel*, 2> m_titles{};
    std::array<QTableWidget*, 2> m_tables{};
    std::array<QPushButton*, 2> m_addButtons{};
    std::array<QPushButton*, 2> m_removeButtons{};
    QLabel* m_beakerVolumeLabel{nullptr};
    QLabel* m_maxVolumeLabel{nullptr};
    QLineEdit* m_beakerVolume{nullptr};
    QLineEdit* m_maxVolume{nullptr};
    // The slider of the chosen row's concentration.
    QLabel* m_sliderLabel{nullptr};
    QSlider* m_slider{nullptr};
    FreeSide m_sliderSide{FreeSide::Beaker};
    int m_sliderRow{-1};
    QLabel* m_pKaLabel{nullptr};
    QComboBox* m_pKaChoice{nullptr};
    QSlider* m_pKaSlider{nullptr};
    void followChosenRow(FreeSide side);
    void slide(int position);
    void followChosenPKa();
    void slidePKa(int position);
    QLabel* m_hint{nullptr};
    QLabel* m_message{nullptr};
};

} // namespace titralab
