// The main window's menus and tool bar.
#include "ui/qt/Utf8Text.h"
#include "ui/windows/MainWindow.h"

#include "core/session/StudyEdits.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/WindowTexts.h"
#include "ui/qt/Icons.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/DiagramWindow.h"
#include "ui/windows/HelpViewer.h"
#include "ui/windows/InputPanelArea.h"
#include "ui/windows/SoluteDatabaseWindow.h"

#include "core/texts/DiagramTexts.h"
#include "core/texts/UserSoluteTexts.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QToolBar>
#include <QUrl>

#include <functional>

namespace titralab {

namespace {

// An entry of `menu` that runs `handler` in `window`.
template <typename Handler>
QAction* addEntry(MainWindow* window, QMenu* menu, const char* name, const QString& caption,
                  Handler handler) {
    auto* action = menu->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, window, handler);
    return action;
}

} // namespace

void MainWindow::buildMenus() {
    QMenu* file = buildFileMenu();
    QMenu* edit = buildEditMenu();
    QMenu* options = buildOptionsMenu();
    QMenu* help = buildHelpMenu();
    buildStudyMenus(file, edit, help);
    m_menus = {file, edit, options, help};
    for (QMenu* menu : {file, edit, help})
        menu->setProperty(kHelpContextProperty, system::help::kMenus);
}

QMenu* MainWindow::buildFileMenu() {
    const Language lang = m_sim.language;
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        return addEntry(this, menu, name, caption, handler);
    };
    QMenu* file = menuBar()->addMenu(text(lang, texts::kMenuFile));
    file->setObjectName("fileMenu");
    add(file, "openPracticalTextAction", text(lang, texts::kOpenPracticalText),
        [this] { openPracticalText(); });
    file->addSeparator();
    add(file, "printAction", text(lang, texts::kPrint), [this] {
        showSimulation();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    QAction* navigator = add(file, "startNavigatorAction", text(lang, texts::kStartNavigator),
                             [this] { QProcess::startDetached(utf8(m_paths.navigator), {}); });
    setHint(navigator, text(lang, texts::kHintStartNavigator));
    // Quitting closes this window: its closing settles unsaved changes, once.
    add(file, "quitAction", text(lang, texts::kQuit), [this] {
        close();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    add(file, "quitAndStartNavigatorAction", text(lang, texts::kQuitAndStartNavigator), [this] {
        if (close()) QProcess::startDetached(utf8(m_paths.navigator), {});
    });
    return file;
}

QMenu* MainWindow::buildEditMenu() {
    const Language lang = m_sim.language;
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        return addEntry(this, menu, name, caption, handler);
    };
    QMenu* edit = menuBar()->addMenu(text(lang, texts::kMenuEdit));
    edit->setObjectName("editMenu");
    QAction* show = add(edit, "showSimulationAction", text(lang, texts::kShowSimulation),
                        [this] { showSimulation(); });
    show->setShortcut(QKeySequence(Qt::Key_F11));
    edit->setDefaultAction(show);
    edit->addSeparator();
    QAction* copy = add(edit, "copySimulationAction", text(lang, texts::kCopySimulation),
                        [this] { copySimulation(); });
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    setHint(copy, text(lang, texts::kHintCopySimulation));
    edit->addSeparator();
    add(edit, "pasteVolumeFirstAction", text(lang, texts::kPasteVolumeFirst), [this] {
        pasteVolumeFirst();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    add(edit, "pastePHFirstAction", text(lang, texts::kPastePHFirst), [this] {
        pastePHFirst();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    return edit;
}

QMenu* MainWindow::buildOptionsMenu() {
    const Language lang = m_sim.language;
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        return addEntry(this, menu, name, caption, handler);
    };
    QMenu* options = menuBar()->addMenu(text(lang, texts::kMenuOptions));
    options->setObjectName("optionsMenu");
    m_tooltipsAction = add(options, "tooltipsAction", text(lang, texts::kTooltips),
                           [this](bool checked) { m_tooltips = checked; });
    m_tooltipsAction->setCheckable(true);
    m_tooltipsAction->setChecked(true);
    options->addSeparator();
    auto switchSeparator = [this] {
        setStudyInput(m_sim, m_sim.exportSettings.decimalComma,
                      !m_sim.exportSettings.decimalComma);
        m_commaAction->setChecked(m_sim.exportSettings.decimalComma);
        m_pointAction->setChecked(!m_sim.exportSettings.decimalComma);
    };
    m_commaAction =
        add(options, "decimalCommaAction", text(lang, texts::kSeparatorComma), switchSeparator);
    m_pointAction =
        add(options, "decimalPointAction", text(lang, texts::kSeparatorPoint), switchSeparator);
    m_commaAction->setCheckable(true);
    m_pointAction->setCheckable(true);
    m_commaAction->setChecked(m_sim.exportSettings.decimalComma);
    m_pointAction->setChecked(!m_sim.exportSettings.decimalComma);
    options->addSeparator();
    // The same option as the panel's box: both edit the simulation's conditions.
    m_activitiesAction = add(options, "activitiesAction",
                             "&" + text(lang, texts::kActivitiesDavies), [this](bool on) {
                                 setStudyInput(m_sim, m_sim.conditions.activities,
                                               on ? ActivityModel::Davies : ActivityModel::None);
                                 applyConditions();
                                 emit panelEdited();
                             });
    m_activitiesAction->setCheckable(true);
    m_activitiesAction->setChecked(!m_sim.conditions.ideal());
    options->addSeparator();
    // Each language is named in itself. The choice serves from the next start: every window
    // takes its texts once, when it is made.
    QMenu* language = options->addMenu(tr("&Langue"));
    language->setObjectName("languageMenu");
    m_frenchAction = add(language, "frenchAction", QStringLiteral("&Français"),
                         [this] { chooseInterfaceLanguage(Language::French); });
    m_englishAction = add(language, "englishAction", QStringLiteral("&English"),
                          [this] { chooseInterfaceLanguage(Language::English); });
    m_chosenLanguage = m_sim.language;
    for (QAction* a : {m_frenchAction, m_englishAction}) a->setCheckable(true);
    showLanguageChoice();

    // Tools: the solute database, one window for the run; "Utiliser" puts an entry into the
    // free study's beaker or burette.
    QMenu* tools = menuBar()->addMenu(text(lang, texts::kMenuTools));
    tools->setObjectName("toolsMenu");
    add(tools, "soluteDatabaseAction", text(lang, texts::kMenuSoluteDatabase), [this] {
        auto* window = findChild<SoluteDatabaseWindow*>("SoluteDatabaseWindow");
        if (!window) {
            const QString settings =
                QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
            QDir().mkpath(settings);
            window = new SoluteDatabaseWindow(
                m_sim.language, m_sim.exportSettings.decimalComma ? ',' : '.', m_paths.dataFolder,
                system::userSolutesFile(settings.toStdString()), this);
            connect(window, &SoluteDatabaseWindow::soluteChosen, this, &MainWindow::useSolute);
        }
        window->show();
        window->raise();
        window->activateWindow();
    });
    // The diagrams of the study's solution, one window for the run, redrawn when shown.
    add(tools, "diagramsAction", text(lang, texts::kDiagramsMenuEntry), [this] {
        auto* window = findChild<DiagramWindow*>("DiagramWindow");
        if (!window) {
            window = new DiagramWindow(m_sim, this);
            connect(this, &MainWindow::panelEdited, window, [window] {
                if (window->isVisible()) window->refresh();
            });
        }
        window->refresh();
        window->show();
        window->raise();
        window->activateWindow();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    return options;
}

QMenu* MainWindow::buildHelpMenu() {
    const Language lang = m_sim.language;
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        return addEntry(this, menu, name, caption, handler);
    };
    QMenu* help = menuBar()->addMenu(text(lang, texts::kMenuHelp));
    help->setObjectName("helpMenu");
    m_indexAction = add(help, "helpContentsAction", text(lang, texts::kHelpIndex),
                        [this] { showHelpContents(); });
    m_indexAction->setShortcut(QKeySequence(Qt::Key_F1));
    help->setDefaultAction(m_indexAction);
    add(help, "practicalWorkHelpAction", text(lang, texts::kHelpPracticalWork),
        [this] { helpViewer()->showTopic("Propositions"); });
    add(help, "precisionHelpAction", text(lang, texts::kHelpPrecision),
        [this] { helpViewer()->showTopic("Precision"); });
    help->addSeparator();
    add(help, "homePageAction", text(lang, texts::kHomePage), [] {
        QDesktopServices::openUrl(QUrl(QString::fromUtf8(system::kMakerAddresses.homePage)));
    });
    add(help, "writeToAuthorAction", text(lang, texts::kWriteToAuthor),
        [] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(system::kMakerAddresses.mail))); });
    help->addSeparator();
    add(help, "aboutAction", text(lang, texts::kAbout), [this] {
        if (m_about) m_about->exec();
    });
    return help;
}
void MainWindow::buildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setIconSize(QSize(16, 16));
    const Language lang = m_sim.language;
    struct Tool {
        const char* name;
        QString text;
        QString hint;
        icons::Tool icon;
        std::function<void()> run;
    };
    const Tool tools[] = {
        {"openTool", text(lang, texts::kToolOpen), text(lang, texts::kHintToolOpen),
         icons::Tool::Open, [this] { chooseAndOpenStudy(); }},
        {"saveTool", text(lang, texts::kToolSave), text(lang, texts::kHintToolSave),
         icons::Tool::Save, [this] { saveStudy(); }},
        {"printTool", text(lang, texts::kToolPrint), text(lang, texts::kHintToolPrint),
         icons::Tool::Print, [this] { showSimulation(); }},
        {"copyTool", text(lang, texts::kToolCopy), text(lang, texts::kHintToolCopy),
         icons::Tool::Copy, [this] { copySimulation(); }},
        {"helpIndexTool", text(lang, texts::kToolIndex), text(lang, texts::kHintToolIndex),
         icons::Tool::Help, [this] { showHelpContents(); }},
    };
    for (const Tool& t : tools) {
        QAction* action = m_toolBar->addAction(icons::tool(t.icon), t.text);
        action->setObjectName(t.name);
        setHint(action, t.hint);
        connect(action, &QAction::triggered, this, t.run);
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

} // namespace titralab
