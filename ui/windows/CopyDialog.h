// The copy dialog: how the copied table is sampled, then the copy to the export files and the
// clipboard.
#pragma once

#include <QDialog>
#include <QIcon>

#include <string>

class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace titralab {

class Notifier;
class RadioGroup;
class GraphWindow;
struct Simulation;

class CopyDialog : public QDialog {
    Q_OBJECT
  public:
    // `valuesFolder` receives the export files.
    CopyDialog(Simulation& sim, Notifier& notifier, std::string valuesFolder,
               QWidget* parent = nullptr);

    // The graph window whose number of points the dialog mirrors and which publishes the copy.
    void setGraphWindow(GraphWindow* graph) { m_graph = graph; }

    // Fills the sampling choice for the current study, selects its first item (sampling by
    // pH) and shows the graph window's number of points. Separate from showModal() so
    // that the prepared dialog can be inspected.
    void prepare();
    // prepare(), then the dialog, modal (the copy commands of both windows).
    int showModal();

    // The handlers, as the controls and the menu run them.
    void chooseSampling(int index);
    void applyPointCount();
    void copyAndClose(); // "&Copier": closes, then copies
    void cancel();       // "&Annuler"
    // Regenerates, writes the two files, and puts the table on the clipboard.
    bool copySimulation();

  public slots:
    void setSideIcon(const QIcon& icon);

  private:
    Simulation& m_sim;
    Notifier& m_notifier;
    std::string m_valuesFolder;
    GraphWindow* m_graph{nullptr};

    QMenuBar* m_menu{nullptr};
    QLabel* m_picture{nullptr};
    QLabel* m_rule{nullptr};
    QLabel* m_pointsLabel{nullptr};
    QLineEdit* m_points{nullptr};
    RadioGroup* m_sampling{nullptr};
    QPushButton* m_copy{nullptr};
    QPushButton* m_cancel{nullptr};
};

} // namespace titralab
