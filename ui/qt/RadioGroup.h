// A titled group of radio buttons whose items can be replaced, with or without a selection.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QVBoxLayout;

namespace titralab {

class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    explicit RadioGroup(QWidget* parent = nullptr);

    // Replaces the items; none is selected afterwards. Emits nothing.
    void setItems(const QStringList& items);
    QStringList items() const;
    // Selects an item (-1: none) without emitting anything.
    void setSelected(int index);
    int selected() const;

  signals:
    // The user chose an item: with the mouse, the keyboard, or an assistive technology's
    // toggle action. Changes made through setItems and setSelected emit nothing, and
    // neither does a click on the item already selected.
    void itemClicked(int index);

  private:
    // Tab stops on one item of the group, the selected one (the first when none is); the
    // arrow keys move between the items.
    void placeTabStop();

    QButtonGroup* m_buttons{nullptr};
    QVBoxLayout* m_layout{nullptr};
};

} // namespace titralab
