#include "ui/windows/Program.h"

#include "ui/qt/Icons.h"
#include "ui/qt/MessageListener.h"
#include "ui/qt/QtNotifier.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/LiveCurves.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/MixtureWindow.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/PrintDialog.h"
#include "ui/windows/SheetReaderWindow.h"

namespace titralab {

Program::Program(Simulation& sim, system::Paths paths, SettingsStore* settings,
                 const QString& programName, Notifier* notifier)
    : m_sim(sim), m_paths(std::move(paths)), m_settings(settings),
      m_main(std::make_unique<MainWindow>(sim, m_paths)), m_notifier(notifier) {
    if (m_notifier) {
        m_main->setNotifier(m_notifier);
    } else {
        m_boxes = std::make_unique<QtNotifier>(m_main.get());
        m_notifier = m_boxes.get();
    }
    m_about =
        std::make_unique<AboutBox>(sim.language, programName, m_main->sideIcon(), m_main.get());
    m_pointStyle = std::make_unique<PointStyleDialog>(sim);
    m_main->setAboutBox(m_about.get());
    // "Courbes en direct": the show command puts the graph window beside the main window.
    m_live = std::make_unique<LiveCurves>(
        sim, m_main.get(), [this]() -> GraphWindow& { return graphWindow(); }, *m_notifier,
        m_settings);
    linkMainWindow();

    giveIcon(m_main->sideIcon());
    QObject::connect(m_main.get(), &MainWindow::sideIconChanged, m_main.get(),
                     [this](const QIcon& icon) { giveIcon(icon); });
    // A study change sets the graph window's hydronium box (the simulation holds it for a
    // graph window not yet made).
    QObject::connect(m_main.get(), &MainWindow::hydroniumTickChanged, m_main.get(),
                     [this](bool ticked) {
                         if (m_graph) m_graph->setHydroniumTicked(ticked);
                     });
    m_main->setSettingsStore(m_settings);
}

// The windows the main window owns go before it.
Program::~Program() {
    m_live.reset();
    m_reader.reset();
    m_mixture.reset();
    m_copy.reset();
    m_print.reset();
    m_graph.reset();
    m_pointStyle.reset();
    m_about.reset();
}

void Program::linkMainWindow() {
    m_main->setLinks({
        [this] { m_live->showGraph(); },
        [this] { mixtureWindow().showModal(); },
        // The copy publishes its table through the graph window.
        [this] {
            graphWindow();
            copyDialog().showModal();
        },
        [this] { readerWindow().openWithDialog(); },
        // The print settings of a study: the print dialog's once it exists, kept until then.
        [this]() -> PrintSettings { return m_print ? m_print->settings() : m_printSettings; },
        [this](const PrintSettings& settings) {
            m_printSettings = settings;
            if (m_print) m_print->setSettings(settings);
        },
        // An opened study or fitted values: the markers follow; the live curves redraw a graph
        // on screen, as after every change of the panel.
        [this] {
            if (m_graph) m_graph->applyPointStyle();
        },
    });
}

void Program::giveIcon(const QIcon& icon) {
    if (m_graph) m_graph->setSideIcon(icon);
    if (m_copy) m_copy->setSideIcon(icon);
    if (m_print) m_print->setWindowIcon(icon);
    m_pointStyle->setSideIcon(icon);
    if (m_reader) m_reader->setSideIcon(icon);
}

void Program::start(const QString& file) {
    // Without the port (another copy of the program holds it) the program runs on.
    m_main->startListener(MessageListener::kPort);
    m_main->show();
    m_main->activateWindow();
    if (!file.isEmpty()) m_main->openStudy(file);
}

GraphWindow& Program::graphWindow() {
    if (!m_graph) {
        m_graph = std::make_unique<GraphWindow>(m_sim, *m_notifier, m_main.get());
        m_graph->setSideIcon(m_main->sideIcon());
        m_graph->setPointStyleChooser(m_pointStyle.get());
        m_graph->setCopyHook([this] { copyDialog().showModal(); });
        m_graph->setPrintHook([this] { printDialog().showModal(); });
        m_graph->setDropHook([this](const QString& path) { m_main->importMeasurements(path); });
        if (m_copy) m_copy->setGraphWindow(m_graph.get());
        QObject::connect(m_graph.get(), &GraphWindow::panelChanged, m_main.get(),
                         &MainWindow::showPanelState);
    }
    return *m_graph;
}

CopyDialog& Program::copyDialog() {
    if (!m_copy) {
        m_copy =
            std::make_unique<CopyDialog>(m_sim, *m_notifier, m_paths.valuesFolder, m_main.get());
        m_copy->setSideIcon(m_main->sideIcon());
        m_copy->setGraphWindow(m_graph.get());
    }
    return *m_copy;
}

PrintDialog& Program::printDialog() {
    if (!m_print) {
        m_print = std::make_unique<PrintDialog>(m_sim, *m_notifier, m_graph.get());
        m_print->setSettings(m_printSettings);
        m_print->setWindowIcon(m_main->sideIcon());
        MainWindow* main = m_main.get();
        m_print->setLineWidthLink({[main] { return main->lineWidthText(); },
                                   [main](const QString& text) { main->setLineWidthText(text); }});
        m_print->setPointStyleHook([this] { m_pointStyle->showChooser(); });
        m_print->setHelpHook([main](int context) { main->showHelpContext(context); });
        QObject::connect(m_print.get(), &PrintDialog::settingsEdited, main,
                         [this] { markStudyChanged(m_sim); });
    }
    return *m_print;
}

MixtureWindow& Program::mixtureWindow() {
    // Its icon is the base side's for good.
    if (!m_mixture) {
        m_mixture = std::make_unique<MixtureWindow>(m_sim, m_main.get());
        m_mixture->setWindowIcon(icons::side(BuretteSide::BaseSide));
    }
    return *m_mixture;
}

SheetReaderWindow& Program::readerWindow() {
    if (!m_reader) {
        m_reader = std::make_unique<SheetReaderWindow>(
            m_sim.language, QString::fromStdString(textsFolder(m_paths, m_sim.language)));
        m_reader->setSideIcon(m_main->sideIcon());
    }
    return *m_reader;
}

} // namespace titralab
