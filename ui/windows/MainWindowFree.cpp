// The main window's part for the free study: its panel takes the place of the closed-form
// studies' fields and column browser when that study is chosen.
#include "ui/windows/MainWindow.h"

#include "core/chemistry/SoluteDatabase.h"
#include "ui/qt/RadioGroup.h"
#include "ui/windows/DatabaseDock.h"
#include "ui/windows/FreeSolutionsPanel.h"
#include "ui/windows/InputPanelArea.h"
#include "ui/windows/SoluteDatabaseWindow.h"

#include <QLabel>
#include <QLineEdit>

namespace titralab {

void MainWindow::buildFreePanel() {
    // The data folder's solutes, for names the built-in compounds do not know.
    if (!m_sim.freeStudy.database && !m_paths.dataFolder.empty()) {
        SoluteDatabaseRead read = loadSoluteDatabase(m_paths.dataFolder);
        if (read.error.empty())
            m_sim.freeStudy.database =
                std::make_shared<const SoluteDatabase>(std::move(read.database));
    }
    m_freePanel = new FreeSolutionsPanel(m_sim, m_area);
    m_freePanel->hide();
    connect(m_freePanel, &FreeSolutionsPanel::edited, this, [this] {
        markStudyChanged(m_sim);
        emit panelEdited();
    });
}

void MainWindow::useSolute(SoluteSide side, const SoluteEntry& entry) {
    // The free study is where an entry of the solute database goes: chosen first when needed,
    // on the side already chosen (the acid side when none is).
    if (m_sim.panel.study != Study::FreeSolutions) {
        if (m_view.burette.selected < 0) chooseSide(0);
        chooseStudy(static_cast<int>(Study::FreeSolutions));
    }
    m_freePanel->addSolute(side == SoluteSide::Beaker ? FreeSide::Beaker : FreeSide::Burette,
                           entry);
    applyView();
}

void MainWindow::applyFreePanel() {
    const bool free = m_sim.panel.study == Study::FreeSolutions;
    if (free) {
        for (QLineEdit* field : m_fields)
            if (field && field != m_fields[11]) field->hide(); // the line width stays
        for (QLabel* label : m_rowLabels)
            if (label) label->hide();
        for (QLabel* label : {m_unitBurette, m_unitConc, m_unitVolume, m_column1Title,
                              m_column2Title, m_marker1, m_marker2})
            label->hide();
        m_databaseDock->hide();
        m_freePanel->showInputs();
        // Under the study choice, as tall as its rows need: the window grows to show it all.
        const int left = m_area->x(design::kStripWidth + 6);
        const QRect place(left, m_studies->geometry().bottom() + 8,
                          m_area->x(design::kWidth) - left, m_freePanel->sizeHint().height());
        m_freePanel->setGeometry(place);
        if (m_area->height() < place.bottom() + 8)
            resize(width(), height() + place.bottom() + 8 - m_area->height());
    } else {
        // What the rest of applyView() leaves as the window built it.
        for (QLabel* label : {m_unitBurette, m_unitConc, m_unitVolume, m_rowLabels[4]})
            label->show();
    }
    m_freePanel->setVisible(free);
}

} // namespace titralab
