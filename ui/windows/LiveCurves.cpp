#include "ui/windows/LiveCurves.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Utf8Text.h"

#include "core/base/Notifier.h"
#include "core/panel/SimulationSetup.h"
#include "core/session/InputPanel.h"
#include "core/session/Simulation.h"
#include "core/system/SideBySide.h"
#include "core/texts/OverlayTexts.h"
#include "ui/qt/RadioGroup.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PanelSliders.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace titralab {

LiveCurves::LiveCurves(Simulation& sim, QMainWindow* main, GraphWindow* graph, Notifier& notifier,
                       SettingsStore* settings)
    : LiveCurves(
          sim, main, [graph]() -> GraphWindow& { return *graph; }, notifier, settings) {
    m_graph = graph;
}

LiveCurves::LiveCurves(Simulation& sim, QMainWindow* main, std::function<GraphWindow&()> makeGraph,
                       Notifier& notifier, SettingsStore* settings)
    : QObject(main), m_sim(sim), m_main(main), m_makeGraph(std::move(makeGraph)),
      m_notifier(notifier), m_settings(settings) {
    setObjectName("LiveCurves");
    if (m_settings) m_on = m_settings->readLiveCurves();

    m_action = new QAction(text(sim.language, texts::kLiveCurves), this);
    m_action->setObjectName("liveCurvesAction");
    m_action->setCheckable(true);
    m_action->setChecked(m_on);
    if (auto* options = main->findChild<QMenu*>("optionsMenu")) {
        options->addSeparator();
        options->addAction(m_action);
    }
    connect(m_action, &QAction::toggled, this, &LiveCurves::setOn);

    m_sliders = new PanelSliders(sim, main);
    connect(m_sliders, &PanelSliders::slid, this, [this] { redraw(true); });

    // Connected after the main window's own handlers: they have run when these do.
    for (int field : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16}) {
        auto* edit =
            main->findChild<QLineEdit*>(accessibility::fieldObjectName(static_cast<Field>(field)));
        if (!edit) continue;
        connect(edit, &QLineEdit::textEdited, this, [this, field] { m_edited[field] = true; });
        connect(edit, &QLineEdit::editingFinished, this, [this, field] {
            if (!m_edited[field]) return;
            // A refused value is the main window's to tell; it keeps the focus in its field.
            if (fieldRefusal(field, m_sim.panel.text[field], m_sim.language)) return;
            m_edited[field] = false;
            redraw();
        });
    }
    // Every other change of the panel (choices, entries by step or by name, studies opened,
    // fitted values) redraws once.
    if (auto* window = qobject_cast<MainWindow*>(main))
        connect(window, &MainWindow::panelEdited, this, [this] {
            m_sliders->nameSliders(); // the side renames the concentrations and volumes
            redraw();
        });
}

void LiveCurves::setOn(bool on) {
    m_on = on;
    if (m_action->isChecked() != on) m_action->setChecked(on);
    if (m_settings) m_settings->writeLiveCurves(on);
    // Back to the modal window of before: the next show command opens it.
    if (!on && m_graph && m_graph->isVisible() && !m_graph->isModal()) m_graph->hide();
}

void LiveCurves::showGraph() {
    m_edited.fill(false); // the show command has just drawn every value typed so far
    m_graph = &m_makeGraph();
    if (!m_on) {
        if (m_graph->isVisible()) m_graph->hide();
        m_graph->showModal();
        return;
    }
    QScreen* screen = m_main->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const QRect frame = m_main->frameGeometry();
    const system::SideBySide placed = system::besideMainWindow(
        {area.x(), area.y(), area.width(), area.height()},
        {frame.x(), frame.y(), frame.width(), frame.height()}, m_graph->minimumSizeHint().width(),
        m_main->minimumSizeHint().expandedTo(m_main->minimumSize()).width() + frame.width() -
            m_main->width());
    if (placed.main.left != frame.x() || placed.main.width != frame.width()) {
        m_main->move(placed.main.left, placed.main.top);
        m_main->resize(m_main->width() - (frame.width() - placed.main.width), m_main->height());
    }
    // The graph window's frame is a little larger than its client area.
    const int dx = m_graph->frameGeometry().width() - m_graph->width();
    const int dy = m_graph->frameGeometry().height() - m_graph->height();
    m_graph->showBeside(QRect(placed.graph.left, placed.graph.top,
                              std::max(200, placed.graph.width - dx),
                              std::max(200, placed.graph.height - dy)));
}

void LiveCurves::redraw(bool fromSlider) {
    if (!m_on || !m_graph || !m_graph->isVisible()) return;
    const Study study = m_sim.panel.study;
    if (study == Study::None || study == Study::TwoPolyMixture) return;
    // The values are checked first: a refused one leaves the curves as they were.
    RecordingNotifier checks;
    ChemicalState probe = m_sim.state;
    setUpSimulation(probe, m_sim.panel, checks, m_sim.language);
    if (!checks.messages.empty()) {
        if (!fromSlider)
            for (const std::string& message : checks.messages) m_notifier.inform(message);
        return;
    }
    m_graph->showPointCount(); // an opened study brings its own number of points
    m_graph->regenerate();
}

} // namespace titralab
