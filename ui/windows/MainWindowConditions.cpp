// The main window's part for the conditions of the solutions: the panel's "Activités (Davies)"
// box and temperature field under the fields of the studies that take them, the Options
// menu's entry kept in step, and the status line's word after a regeneration.
#include "ui/windows/MainWindow.h"

#include "core/session/StudyConditions.h"
#include "core/session/StudyEdits.h"
#include "ui/qt/RadioGroup.h"
#include "ui/qt/Utf8Text.h"
#include "ui/windows/ConditionsControls.h"
#include "ui/windows/FreeSolutionsPanel.h"
#include "ui/windows/InputPanelArea.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>

namespace titralab {

namespace {

bool takesConditions(Study study) {
    return study == Study::TitrationVsVolume || study == Study::TwoMonoTitration ||
           study == Study::Dilution || study == Study::FreeSolutions;
}

} // namespace

void MainWindow::buildConditions() {
    m_conditions = new ConditionsControls(m_sim, m_area);
    m_conditions->hide();
    connect(m_conditions, &ConditionsControls::edited, this, [this] {
        applyConditions();
        emit panelEdited();
    });
    connect(m_conditions, &ConditionsControls::temperatureRefused, this,
            [this](const QString& message) { notifier().inform(message.toStdString()); });
    // After the graph window redrew the curves for the edit (a queued call runs after them).
    connect(this, &MainWindow::panelEdited, this, &MainWindow::showConditionsStatus,
            Qt::QueuedConnection);
}

void MainWindow::applyConditions() {
    if (!m_conditions) return;
    m_conditions->showConditions();
    if (m_activitiesAction) {
        const QSignalBlocker guard(m_activitiesAction);
        m_activitiesAction->setChecked(!m_sim.conditions.ideal());
        m_activitiesAction->setEnabled(takesConditions(m_sim.panel.study));
    }
    const bool shown = takesConditions(m_sim.panel.study);
    m_conditions->setVisible(shown);
    if (!shown) return;
    // Under the lowest control of the panel: the free study's rows, else the last field shown.
    int top = m_studies->geometry().bottom();
    if (m_sim.panel.study == Study::FreeSolutions)
        top = m_freePanel->geometry().bottom();
    else
        for (QLineEdit* field : m_fields)
            if (field && field != m_fields[11] && !field->isHidden())
                top = std::max(top, field->geometry().bottom());
    // The fields' sliders, under them.
    for (const QSlider* slider : m_area->findChildren<QSlider*>())
        if (!slider->isHidden() && !m_freePanel->isAncestorOf(slider))
            top = std::max(top, slider->geometry().bottom());
    const int left = m_area->x(design::kStripWidth + 6);
    const QRect place(left, top + 8, m_area->x(design::kWidth) - left,
                      m_conditions->sizeHint().height());
    m_conditions->setGeometry(place);
    if (m_area->height() < place.bottom() + 8)
        resize(width(), height() + place.bottom() + 8 - m_area->height());
}

void MainWindow::showConditionsStatus() {
    const std::string status = conditionsStatus(m_sim);
    if (status == m_conditionsStatus) return;
    m_conditionsStatus = status; // said once, until it changes
    if (!status.empty()) statusBar()->showMessage(utf8(status));
}

} // namespace titralab
