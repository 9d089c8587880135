// The program's windows and their wiring. The main window, its about box and the point-style
// chooser are made at once; the graph window (the charting library), the print dialog (the
// printing system), the copy dialog, the mixture window and the text reader when first used,
// and kept: the program starts light.
#pragma once

#include "core/page/PrintSettings.h"
#include "core/session/Simulation.h"
#include "core/system/Folders.h"

#include <QString>

#include <memory>

class QIcon;

namespace titralab {

class AboutBox;
class CopyDialog;
class GraphWindow;
class LiveCurves;
class MainWindow;
class MixtureWindow;
class Notifier;
class PointStyleDialog;
class PrintDialog;
class SettingsStore;
class SheetReaderWindow;

class Program {
  public:
    // The windows of `sim`. Messages go to `notifier`, or, without one, to modal boxes over the
    // main window; the placement, the language and the live curves are kept in `settings`
    // (none: nothing is kept).
    Program(Simulation& sim, system::Paths paths, SettingsStore* settings,
            const QString& programName, Notifier* notifier = nullptr);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the message listener, shows the main window, and opens the study of `file` when
    // one is given (a double click on it in a file manager).
    void start(const QString& file);

    MainWindow& mainWindow() { return *m_main; }
    PointStyleDialog& pointStyleDialog() { return *m_pointStyle; }
    LiveCurves& liveCurves() { return *m_live; }
    // Made on first use.
    GraphWindow& graphWindow();
    CopyDialog& copyDialog();
    PrintDialog& printDialog();
    MixtureWindow& mixtureWindow();
    SheetReaderWindow& readerWindow();
    // Made already, or nullptr.
    GraphWindow* madeGraphWindow() const { return m_graph.get(); }

  private:
    void linkMainWindow();
    // The side's icon goes to every window but the mixture window, whose icon is the base
    // side's for good.
    void giveIcon(const QIcon& icon);

    Simulation& m_sim;
    system::Paths m_paths;
    SettingsStore* m_settings;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<Notifier> m_boxes;
    Notifier* m_notifier;
    std::unique_ptr<AboutBox> m_about;
    std::unique_ptr<PointStyleDialog> m_pointStyle;
    std::unique_ptr<GraphWindow> m_graph;
    std::unique_ptr<PrintDialog> m_print;
    std::unique_ptr<CopyDialog> m_copy;
    std::unique_ptr<MixtureWindow> m_mixture;
    std::unique_ptr<SheetReaderWindow> m_reader;
    std::unique_ptr<LiveCurves> m_live;
    PrintSettings m_printSettings; // the print dialog's settings until it is made
};

} // namespace titralab
