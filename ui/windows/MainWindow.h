// The main window: menus, tool bar, input panel, commands and database panels, key handling,
// help, saved placement, background picture and the message listener.
#pragma once

#include "core/page/PrintSettings.h"
#include "core/panel/DatabaseSearch.h"
#include "core/panel/InputPanel.h"
#include "core/session/InputPanel.h"
#include "core/session/Simulation.h"
#include "core/system/Folders.h"
#include "core/system/Placement.h"

#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCompleter;
class QDialog;
class QDragEnterEvent;
class QDropEvent;
class QStringListModel;
class QDockWidget;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QToolBar;

namespace titralab {

class ExercisePanel;
struct StudyRecord;
class HelpViewer;
class MarksDialog;
class MessageListener;
class Notifier;
class PanelArea;
class RadioGroup;
class SettingsStore;
class AboutBox;
class DatabaseDock;
class FreeSolutionsPanel;
class ConditionsControls;
enum class SoluteSide;
struct SoluteEntry;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // What the main window asks of the other windows; a link left empty does nothing.
    struct Links {
        std::function<void()> showGraph;         // the graph window, modal
        std::function<void()> showMixture;       // the two-polyacid results window, modal
        std::function<void()> openCopyDialog;    // prepares the copy dialog and shows it, modal
        std::function<void()> openPracticalText; // the text reader's file opening
        // The print dialog's settings, saved with a study and put back when one is opened.
        std::function<PrintSettings()> printSettings;
        std::function<void(const PrintSettings&)> setPrintSettings;
        // After a study was opened or fitted values applied: the other windows follow.
        std::function<void()> studyChanged;
    };

    // What the user answers when leaving a study with unsaved changes.
    enum class UnsavedAnswer { Save, Discard, Cancel };

    MainWindow(Simulation& sim, system::Paths paths, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setLinks(Links links) { m_links = std::move(links); }
    // The about box shown by "&A propos"; its picture follows the side.
    void setAboutBox(AboutBox* about);
    // Where the placement is read when the window is first shown and written at exit; without
    // a store the window opens at the default placement and nothing is saved.
    // The store also keeps the language chosen in "Options > Langue".
    void setSettingsStore(SettingsStore* store);
    // Where the checks' messages go; without one, modal message boxes.
    void setNotifier(Notifier* notifier) { m_notifier = notifier; }
    // Starts the message listener on 127.0.0.1; false when the port is taken.
    bool startListener(quint16 port);

    // Exit: the window state and bounds, written through the settings store.
    system::PlacementAtExit placementAtExit() const;
    void saveSettings() const;

    const PanelView& panelView() const { return m_view; }
    // The free study's panel: its addSolute slot puts a database entry in the beaker or burette.
    FreeSolutionsPanel* freeSolutionsPanel() const { return m_freePanel; }
    // "Utiliser" in the solute database window: the entry joins the free study's beaker or
    // burette.
    void useSolute(SoluteSide side, const SoluteEntry& entry);
    const Simulation& simulation() const { return m_sim; }
    const system::Paths& paths() const { return m_paths; }
    QIcon sideIcon() const { return m_sideIcon; }
    bool tooltipsShown() const { return m_tooltips; }
    // The background picture shown, empty when none was found.
    QString backgroundFile() const { return m_backgroundFile; }
    HelpViewer* helpViewer();
    // Opens the help page of a context number (the print dialog's F1, for instance).
    void showHelpContext(int context);

    // The line-width field D11 (1/100 mm), which the print dialog reads and writes back.
    QString lineWidthText() const;
    void setLineWidthText(const QString& text);

    // Shows the panel's fields again after another window wrote into them.
    void showPanelState() { applyView(); }

    // The commands, as the menus, buttons and keys run them.
    void showSimulation();    // show the simulation (F11, Enter, Ctrl+P)
    void copySimulation();    // copy (Ctrl+C)
    void pasteVolumeFirst();  // paste (v, pH) pairs (Ctrl+V)
    void pastePHFirst();      // paste (pH, v) pairs (Ctrl+B)
    void openPracticalText(); // open a practical-work text
    void showHelpContents();  // help contents (F1)

    // Study files. Each failure goes to the notifier and leaves the study on screen as it was.
    bool openStudy(const QString& path);
    bool saveStudy();                      // to the current file, or as a new one
    bool saveStudyAs();                    // asks for a name
    bool saveStudyTo(const QString& path); // writes, then remembers the file
    void chooseAndOpenStudy();             // "Ouvrir" (Ctrl+O): asks for a file
    // Measurement files: "Importer des mesures…" (Ctrl+I) asks for one; a dropped file comes
    // straight here. Reads it (bounded), refuses it with the reader's message, else shows the
    // import dialog and imports what it chose. True when something was imported.
    void chooseAndImportMeasurements();
    bool importMeasurements(const QString& path);
    // Who answers the import dialog; by default it runs modal.
    void setImportAnswer(std::function<bool(QDialog&)> answer) {
        m_answerImport = std::move(answer);
    }
    // "Corriger des copies…": asks for the key file then the students' files (or a folder of
    // them), marks them and shows the marks.
    void markAnswers();
    // Who names the key file (key true) or the students' files; by default the file dialogs.
    void setMarkingChooser(std::function<QStringList(bool key)> choose) {
        m_chooseMarking = std::move(choose);
    }
    // Who answers the marks dialog; by default it runs modal.
    void setMarksAnswer(std::function<void(MarksDialog&)> answer) {
        m_answerMarks = std::move(answer);
    }
    bool studyModified() const;
    QString studyPath() const { return QString::fromStdString(m_studyPath); }
    QStringList recentStudies() const;
    // True when the study may be left: saved, discarded, or unchanged.
    bool confirmLeavingStudy();
    // Who answers the unsaved-changes question; by default a modal box.
    void setUnsavedQuestion(std::function<UnsavedAnswer()> ask) { m_askUnsaved = std::move(ask); }
    // Who names the file of "Enregistrer sous…" and "Ouvrir"; by default the file dialogs.
    void setFileChooser(std::function<QString(bool save)> choose) {
        m_chooseFile = std::move(choose);
    }
    // Updates the title bar from the study's state (run when the study is first changed).
    void refreshStudyTitle();
    // "Ajuster aux points collés…": the fit dialog, modal.
    void fitToPastedPoints();

  signals:
    // The side's icon, for every window of the program.
    void sideIconChanged(const QIcon& icon);
    // Emitted after each study change: whether the graph window's hydronium box is ticked.
    void hydroniumTickChanged(bool ticked);
    // Emitted once after each change of the panel's values or choices, whatever made it (a
    // choice, a database entry loaded by step or by name, a study opened, fitted values).
    void panelEdited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Closing the main window ends the program, once unsaved changes are settled: the
    // placement is saved, every other window closes and the event loop is asked to end.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildMenus();
    QMenu* buildFileMenu();
    QMenu* buildEditMenu();
    QMenu* buildOptionsMenu();
    QMenu* buildHelpMenu();
    void buildToolBar();
    void buildPanel();
    void buildCommandsDock();
    void buildDatabaseDock();
    void placePanel();
    void onFirstShow();
    void loadBackground();
    void restorePlacement();

    // Shows the logic's state in the controls.
    void applyView();
    void applySideIcon(BuretteSide side);
    // The free study's panel (MainWindowFree.cpp): built with the panel, shown in place of the
    // closed-form studies' fields when its study is chosen.
    void buildFreePanel();
    void applyFreePanel();
    // The conditions of the solutions (MainWindowConditions.cpp): the panel's box and
    // temperature field, kept in step with the Options menu's entry; the status line's word
    // on them after a regeneration.
    void buildConditions();
    void applyConditions();
    void showConditionsStatus();
    void orderTabs();
    bool handleKey(QWidget* widget, QKeyEvent* key);
    void showHelpFor(QWidget* widget);
    void paste(bool volumeFirst);
    Notifier& notifier();
    void buildStudyMenus(QMenu* file, QMenu* edit, QMenu* help);
    void rememberStudy(const std::string& path);
    void fillRecentMenu();

    void chooseSide(int item);
    void chooseStudy(int index);
    void chooseDatabaseColumn(int item);
    void chooseStrongBase(int item);
    void loadNextEntry();
    void loadPreviousEntry();
    void focusRefusedField();
    // A number field D1..D6, D12..D16 (0 for any other control).
    int numberField(const QWidget* widget) const;
    // Checks a number field the user leaves: a refused text gets its message, stays marked
    // and keeps the focus; false then. An accepted one becomes the field's last good value.
    bool acceptLeaving(int field);
    // Marks a field as refused with `message` (visibly and for a screen reader), or clears
    // the mark when `message` is empty.
    void markRefused(int field, const QString& message);
    // Escape in a number field: its last good value comes back.
    bool restoreLastGood(int field);
    // "Options > Langue": remembers the language for the next start, and says so.
    void chooseInterfaceLanguage(Language language);
    void showLanguageChoice();

    Simulation& m_sim;
    system::Paths m_paths;
    PanelView m_view;
    Links m_links;
    AboutBox* m_about{nullptr};
    SettingsStore* m_settings{nullptr};
    Notifier* m_notifier{nullptr};
    std::unique_ptr<Notifier> m_boxes;
    HelpViewer* m_help{nullptr};
    MessageListener* m_listener{nullptr};

    bool m_tooltips{true};
    bool m_shownOnce{false};
    QIcon m_sideIcon;
    bool m_iconApplied{false};
    BuretteSide m_iconSide{BuretteSide::AcidSide};
    QString m_backgroundFile;
    QImage m_background;

    // Controls.
    PanelArea* m_area{nullptr};
    std::array<QLineEdit*, 17> m_fields{}; // D1..D16 (D7..D10 do not exist)
    std::array<QString, 17> m_lastGood{};   // each number field's text when last accepted
    std::array<QString, 17> m_refusal{};    // the message of a field marked refused
    RadioGroup* m_burette{nullptr};
    RadioGroup* m_studies{nullptr};
    RadioGroup* m_baseKind{nullptr};
    std::array<QLabel*, 7> m_rowLabels{};  // A1..A6
    QLabel* m_unitBurette{nullptr};
    QLabel* m_unitConc{nullptr};
    QLabel* m_unitVolume{nullptr};
    QLabel* m_column1Title{nullptr};
    QLabel* m_column2Title{nullptr};
    QLabel* m_marker1{nullptr};
    QLabel* m_marker2{nullptr};
    QLabel* m_lineWidthIcon{nullptr};
    QLabel* m_acidIcon{nullptr}; // hidden
    QLabel* m_baseIcon{nullptr}; // hidden
    QPushButton* m_show{nullptr};
    QPushButton* m_copy{nullptr};
    QPlainTextEdit* m_pasteBuffer{nullptr};
    QDockWidget* m_commandsDock{nullptr};
    DatabaseDock* m_databaseDock{nullptr};
    FreeSolutionsPanel* m_freePanel{nullptr};
    ConditionsControls* m_conditions{nullptr};
    QAction* m_activitiesAction{nullptr};
    std::string m_conditionsStatus; // what the status line last said of the conditions
    QToolBar* m_toolBar{nullptr};
    QAction* m_tooltipsAction{nullptr};
    QAction* m_commaAction{nullptr};
    QAction* m_pointAction{nullptr};
    QAction* m_indexAction{nullptr};
    QAction* m_frenchAction{nullptr};
    QAction* m_englishAction{nullptr};
    Language m_chosenLanguage{Language::French}; // as stored, else the language of this run
    std::array<QMenu*, 4> m_menus{};

    // The study file: its path (empty before the first save), the recent files.
    std::string m_studyPath;
    std::vector<std::string> m_recent;
    std::string m_caption;
    QMenu* m_recentMenu{nullptr};
    bool m_closing{false}; // closed for good: unsaved changes are settled
    std::function<UnsavedAnswer()> m_askUnsaved;
    std::function<QString(bool)> m_chooseFile;
    std::function<bool(QDialog&)> m_answerImport;
    std::function<QStringList(bool)> m_chooseMarking;
    std::function<void(MarksDialog&)> m_answerMarks;
    // The student's panel, made when a study with an exercise is first opened.
    ExercisePanel* m_exercisePanel{nullptr};
    std::vector<QWidget*> m_lockedControls; // the exercise's values to find
    void showExercise(const StudyRecord& record, const std::string& path);
};

} // namespace titralab
