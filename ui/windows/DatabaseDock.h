// The main window's database browser, a panel that can be dragged off the window: the name of
// the loaded entry (typing a name proposes the entries it finds), the steps to the next and
// previous entries, and the column the browser fills.
#pragma once

#include "core/panel/DatabaseSearch.h"
#include "core/panel/InputPanel.h"
#include "core/session/InputPanel.h"
#include "core/session/Simulation.h"

#include <QDockWidget>

#include <vector>

class QCompleter;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;

namespace titralab {

class RadioGroup;

class DatabaseDock : public QDockWidget {
    Q_OBJECT
  public:
    DatabaseDock(Simulation& sim, QWidget* parent);

    // The view's titles and column choice; the entry's name after each load, over whatever
    // was typed there.
    void showView(const PanelView& view);
    // The next load's name is shown, whichever load was shown last (a study was opened).
    void forgetShownEntry() { m_shownEntryLoads = -1; }

    bool isNameField(const QWidget* widget) const;
    // Enter in the name field: loads the first entry the typed name finds.
    void loadFirstFound();
    // The controls, in the order Tab walks them.
    std::vector<QWidget*> tabChain() const;

  signals:
    void nextEntryWanted();
    void previousEntryWanted();
    void columnChosen(int item);
    // An entry found by its name was loaded into the panel.
    void entryLoaded();

  private:
    void proposeEntries(const QString& typed);
    void loadProposedEntry(int row);

    Simulation& m_sim;
    QLabel* m_title{nullptr};
    QLabel* m_entryTitle{nullptr};
    QLineEdit* m_entryName{nullptr};
    QPushButton* m_stepForward{nullptr};
    QPushButton* m_stepBack{nullptr};
    RadioGroup* m_target{nullptr};
    std::vector<EntryMatch> m_found; // what the name field proposes
    QCompleter* m_completer{nullptr};
    QStringListModel* m_matches{nullptr};
    int m_shownEntryLoads{-1};
};

} // namespace titralab
