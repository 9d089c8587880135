// "Courbes en direct": the graph window beside the main window, not modal, redrawn at every
// accepted change of a field, a slider, the side, the study, the database entry or a choice.
#pragma once

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMainWindow;

namespace titralab {

class GraphWindow;
class Notifier;
class PanelSliders;
class SettingsStore;
struct Simulation;

class LiveCurves : public QObject {
    Q_OBJECT
  public:
    // Adds the option to the main window's Options menu and the sliders to its panel, and
    // follows its controls. Without a store the option starts on and is not remembered.
    LiveCurves(Simulation& sim, QMainWindow* main, GraphWindow* graph, Notifier& notifier,
               SettingsStore* settings = nullptr);
    // The same with a graph window made on first use: the show command makes it.
    LiveCurves(Simulation& sim, QMainWindow* main, std::function<GraphWindow&()> makeGraph,
               Notifier& notifier, SettingsStore* settings = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);
    QAction* action() const { return m_action; }
    PanelSliders* sliders() const { return m_sliders; }

    // The show command's graph window: beside the main window when the option is on (the
    // curves were just computed), else modal as before.
    void showGraph();
    // Redraws the curves when the option is on and the graph window is shown. A refused
    // value shows its message and leaves the curves; from a slider no message is shown.
    void redraw(bool fromSlider = false);

  private:
    Simulation& m_sim;
    QMainWindow* m_main;
    std::function<GraphWindow&()> m_makeGraph;
    GraphWindow* m_graph{nullptr}; // none until the show command needs one
    Notifier& m_notifier;
    SettingsStore* m_settings;
    QAction* m_action{nullptr};
    PanelSliders* m_sliders{nullptr};
    bool m_on{true};
    std::array<bool, 17> m_edited{}; // typed into since it was last left
};

} // namespace titralab
