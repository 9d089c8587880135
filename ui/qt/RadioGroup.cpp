#include "ui/qt/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace titralab {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent) {
    m_buttons = new QButtonGroup(this);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(4, 1, 4, 1);
    m_layout->setSpacing(0);
    // The selection changing, whatever changed it, rather than the click: an assistive
    // technology checks a button without clicking it.
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked) emit itemClicked(id);
    });
}

void RadioGroup::setItems(const QStringList& items) {
    if (items == this->items()) {
        setSelected(-1);
        return;
    }
    for (QAbstractButton* b : m_buttons->buttons()) {
        m_buttons->removeButton(b);
        delete b;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
        m_buttons->addButton(button, i);
        m_layout->addWidget(button);
    }
    placeTabStop();
}

QStringList RadioGroup::items() const {
    QStringList out;
    for (QAbstractButton* b : m_buttons->buttons()) out << b->text();
    return out;
}

void RadioGroup::setSelected(int index) {
    if (index == selected()) return;
    const QSignalBlocker quiet(m_buttons); // the program's change is no choice of the user
    if (QAbstractButton* b = m_buttons->button(index)) {
        b->setChecked(true);
    } else {
        // An exclusive group cannot uncheck its last checked button.
        m_buttons->setExclusive(false);
        for (QAbstractButton* b : m_buttons->buttons()) b->setChecked(false);
        m_buttons->setExclusive(true);
    }
    placeTabStop();
}

void RadioGroup::placeTabStop() {
    const QList<QAbstractButton*> buttons = m_buttons->buttons();
    if (buttons.isEmpty()) return;
    QAbstractButton* stop = m_buttons->checkedButton() ? m_buttons->checkedButton() : buttons[0];
    for (QAbstractButton* b : buttons)
        b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::selected() const {
    return m_buttons->checkedId();
}

} // namespace titralab
