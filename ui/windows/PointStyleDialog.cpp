#include "ui/windows/PointStyleDialog.h"

#include "core/session/StudyEdits.h"
#include "core/session/Simulation.h"
#include "core/session/WindowDescriptions.h"
#include "ui/qt/Accessibility.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace titralab {

PointStyleDialog::PointStyleDialog(Simulation& sim, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_sim(sim) {
    setObjectName("PointStyleDialog");
    setWindowTitle(tr("Choisir la représentation des points collés depuis un autre logiciel"));
    setModal(false);

    m_group = new QGroupBox(tr("Dessin du point"), this);
    m_group->setObjectName("styleChoice");
    m_buttons = new QButtonGroup(this);
    auto* grid = new QGridLayout(m_group);
    // Two columns, filled top to bottom: the first four styles, then the last four.
    const int rows = (kPointStyleCount + 1) / 2;
    for (int i = 0; i < kPointStyleCount; ++i) {
        auto* b = new QRadioButton(QString::fromUtf8(pointStyleCaptions(sim.language)[i]), m_group);
        b->setObjectName(QStringLiteral("styleChoice_%1").arg(i));
        m_buttons->addButton(b, i);
        grid->addWidget(b, i % rows, i / rows);
    }
    m_buttons->button(static_cast<int>(sim.pasted.pointStyle))->setChecked(true);
    connect(m_buttons, &QButtonGroup::idClicked, this, &PointStyleDialog::chooseStyle);

    m_ok = new QPushButton(tr("O K"), this);
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &PointStyleDialog::confirmStyle);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_group->setMinimumWidth(400); // room for the caption in the title bar
    accessibility::apply(this, a11y::pointChooserTexts(sim.language));
}

void PointStyleDialog::showChooser() {
    if (QAbstractButton* b = m_buttons->button(static_cast<int>(m_sim.pasted.pointStyle))) {
        b->setChecked(true);
        b->setFocus(); // the keyboard starts on the current style, and the arrows change it
    }
    show();
    raise();
    activateWindow();
}

int PointStyleDialog::selected() const {
    return m_buttons->checkedId();
}

void PointStyleDialog::chooseStyle(int index) {
    setStudyInput(m_sim, m_sim.pasted.pointStyle, pointStyleAt(index));
    emit pointStyleChanged(m_sim.pasted.pointStyle);
}

void PointStyleDialog::confirmStyle() {
    chooseStyle(selected());
    hide();
}

} // namespace titralab
