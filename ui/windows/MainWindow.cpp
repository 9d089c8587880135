#include "ui/windows/MainWindow.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/StudyEdits.h"
#include "core/panel/DatabaseSearch.h"
#include "core/session/InputPanel.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "core/session/WindowDescriptions.h"
#include "core/system/ScreenFit.h"
#include "core/texts/InputTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/WindowTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Icons.h"
#include "ui/qt/JpegImage.h"
#include "ui/qt/MessageListener.h"
#include "ui/qt/QtNotifier.h"
#include "ui/qt/RadioGroup.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/AboutBox.h"
#include "ui/windows/DatabaseDock.h"
#include "ui/windows/HelpViewer.h"
#include "ui/windows/InputPanelArea.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCompleter>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QStatusBar>
#include <QStringListModel>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace titralab {

MainWindow::MainWindow(Simulation& sim, system::Paths paths, QWidget* parent)
    : QMainWindow(parent), m_sim(sim), m_paths(std::move(paths)) {
    setObjectName("mainWindow");
    setAcceptDrops(true); // a dropped measurement file is imported
    m_caption =
        (text(m_sim.language, texts::kMainCaption) + text(m_sim.language, texts::kAuthorCredit))
            .toStdString();
    setWindowTitle(utf8(m_caption));
    // No maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setProperty(kHelpContextProperty, system::help::kMainWindow);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);

    startPanel(m_view, m_sim);
    buildMenus();
    buildToolBar();
    buildPanel();
    buildCommandsDock();
    buildDatabaseDock();
    statusBar()->setObjectName("statusBar");
    placePanel();

    applySideIcon(BuretteSide::AcidSide);
    // Both markers carry the step-back glyph and stay hidden until the first study.
    applyView();
    resize(593, 513);
    // A new study starts unchanged; every edit marks it, and the title follows at once.
    m_sim.changes.unsaved = false;
    m_sim.changes.marked = [this] { refreshStudyTitle(); };
    qApp->installEventFilter(this); // bubbles are shown only while "Bulles d'aide" is checked
}

MainWindow::~MainWindow() {
    m_sim.changes.marked = nullptr;
    delete m_help;
}

void MainWindow::setSettingsStore(SettingsStore* store) {
    m_settings = store;
    if (!m_settings) return;
    if (const std::optional<Language> stored = m_settings->readLanguage())
        m_chosenLanguage = *stored;
    showLanguageChoice();
}

void MainWindow::chooseInterfaceLanguage(Language language) {
    const Language before = m_chosenLanguage;
    m_chosenLanguage = language;
    if (m_settings) m_settings->writeLanguage(language);
    showLanguageChoice();
    if (language != before)
        notifier().inform(tr("La langue choisie sera appliquée au prochain démarrage de TitraLab.")
                              .toStdString());
}

void MainWindow::showLanguageChoice() {
    m_frenchAction->setChecked(m_chosenLanguage == Language::French);
    m_englishAction->setChecked(m_chosenLanguage == Language::English);
}

void MainWindow::setAboutBox(AboutBox* about) {
    m_about = about;
    if (m_about) m_about->setSideIcon(m_sideIcon);
}

bool MainWindow::startListener(quint16 port) {
    if (!m_listener) m_listener = new MessageListener(this);
    return m_listener->start(port);
}

// ---------------------------------------------------------------------------------------
// Building the window.

// ---------------------------------------------------------------------------------------
// Showing the logic's state.

void MainWindow::applyView() {
    showChoice(m_burette, m_view.burette);
    showChoice(m_studies, m_view.studies);
    showChoice(m_baseKind, m_view.baseKind);

    const PanelFields& panel = m_sim.panel;
    for (int i = 1; i <= 16; ++i) {
        QLineEdit* field = m_fields[i];
        if (!field) continue;
        const QString text = utf8(panel.text[i]);
        if (field->text() != text) field->setText(text);
        field->setVisible(panel.visible[i]);
    }
    // Each hint names what its field holds on the side (the base side's pKa are those of the
    // couples), as the row labels' hints do.
    for (int i : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16})
        setHint(m_fields[i], utf8(texts::fieldHint(panel.side, i, m_sim.language)));
    const int side = panel.side == BuretteSide::BaseSide ? 1 : 0;
    setHint(m_rowLabels[2], text(m_sim.language, texts::kBeakerLabelHint[side][0]));
    setHint(m_rowLabels[3], text(m_sim.language, texts::kBeakerLabelHint[side][1]));

    m_rowLabels[1]->setText(utf8(m_view.buretteConcLabel));
    m_rowLabels[2]->setText(utf8(m_view.beakerConcLabel));
    m_rowLabels[3]->setText(utf8(m_view.beakerVolumeLabel));
    for (int i : {1, 2, 3}) m_rowLabels[i]->setVisible(m_view.sideLabelsVisible);
    m_rowLabels[5]->setVisible(panel.pKa2LabelVisible);
    m_rowLabels[6]->setVisible(panel.pKa3LabelVisible);

    const int unitLeft = design::kUnitLeft[m_view.unitColumn == 2 ? 2 : 1];
    m_area->place(m_unitConc, unitLeft, design::kRowTop[0], 40, design::kFieldHeight);
    m_area->place(m_unitVolume, unitLeft, design::kRowTop[1], 40, design::kFieldHeight);

    m_column1Title->setText(utf8(m_view.column1Title));
    m_column2Title->setText(utf8(m_view.column2Title));
    m_column1Title->setVisible(m_view.column1TitleVisible);
    m_column2Title->setVisible(m_view.column2TitleVisible);
    m_marker1->setVisible(m_view.marker1Visible);
    m_marker2->setVisible(m_view.marker2Visible);
    m_databaseDock->showView(m_view);
    m_commandsDock->setVisible(m_view.commandsVisible);
    m_show->setText(utf8(m_view.showCaption));
    m_copy->setText(utf8(m_view.copyCaption));

    applySideIcon(m_view.iconSide);
    orderTabs();
    applyFreePanel();
    applyConditions();
    accessibility::apply(
        this, a11y::mainWindowTexts(m_sim.panel.side, m_sim.panel.study, m_sim.language));
    for (int i = 1; i <= 16; ++i)
        if (m_fields[i] && !m_refusal[i].isEmpty()) {
            // A value written by the program (a load, a step) replaces the refused one.
            if (!fieldRefusal(i, m_sim.panel.text[i], m_sim.language))
                markRefused(i, QString());
            else
                m_fields[i]->setAccessibleDescription(m_refusal[i]);
        }
}

void MainWindow::applySideIcon(BuretteSide side) {
    if (m_iconApplied && side == m_iconSide) return;
    m_iconApplied = true;
    m_iconSide = side;
    m_sideIcon = icons::side(side);
    setWindowIcon(m_sideIcon);
    m_lineWidthIcon->setPixmap(m_sideIcon.pixmap(32, 32));
    if (m_about) m_about->setSideIcon(m_sideIcon);
    if (m_help) m_help->setWindowIcon(m_sideIcon);
    emit sideIconChanged(m_sideIcon);
}

void MainWindow::buildDatabaseDock() {
    m_databaseDock = new DatabaseDock(m_sim, this);
    connect(m_databaseDock, &DatabaseDock::nextEntryWanted, this, &MainWindow::loadNextEntry);
    connect(m_databaseDock, &DatabaseDock::previousEntryWanted, this,
            &MainWindow::loadPreviousEntry);
    connect(m_databaseDock, &DatabaseDock::columnChosen, this, &MainWindow::chooseDatabaseColumn);
    connect(m_databaseDock, &DatabaseDock::entryLoaded, this, [this] {
        applyView();
        emit panelEdited();
    });
    addDockWidget(Qt::RightDockWidgetArea, m_databaseDock);
}

// ---------------------------------------------------------------------------------------
// Handlers of the panel.

void MainWindow::chooseSide(int item) {
    const Study before = m_sim.panel.study;
    chooseBurette(m_view, m_sim, item);
    applyView();
    if (before != Study::None) emit hydroniumTickChanged(m_sim.graph.checked[kHydroniumBox - 1]);
    emit panelEdited();
}

void MainWindow::chooseStudy(int index) {
    const int before = m_view.studies.selected;
    titralab::chooseStudy(m_view, m_sim, index);
    applyView();
    if (m_view.studies.selected != before)
        emit hydroniumTickChanged(m_sim.graph.checked[kHydroniumBox - 1]);
    emit panelEdited();
}

void MainWindow::chooseDatabaseColumn(int item) {
    chooseTarget(m_view, m_sim, item);
    applyView();
    emit panelEdited();
}

void MainWindow::chooseStrongBase(int item) {
    chooseBaseKind(m_view, m_sim, item);
    applyView();
    emit panelEdited();
}

void MainWindow::loadNextEntry() {
    titralab::loadNextEntry(m_sim);
    applyView();
    emit panelEdited();
}

void MainWindow::loadPreviousEntry() {
    titralab::loadPreviousEntry(m_sim);
    applyView();
    emit panelEdited();
}

// ---------------------------------------------------------------------------------------
// Commands.

Notifier& MainWindow::notifier() {
    if (m_notifier) return *m_notifier;
    if (!m_boxes) m_boxes = std::make_unique<QtNotifier>(this);
    return *m_boxes;
}

void MainWindow::showSimulation() {
    Notifier& n = notifier();
    try {
        RefreshSimulation(m_sim, n);
    } catch (const std::exception& fault) {
        // A fault ends this command only.
        n.error(faultText(fault, m_sim.language));
        return;
    }
    showConditionsStatus();
    focusRefusedField();
    if (m_sim.panel.study == Study::TwoPolyMixture) {
        if (m_links.showMixture) m_links.showMixture();
    } else if (m_links.showGraph) {
        m_links.showGraph();
    }
}

void MainWindow::copySimulation() {
    if (m_links.openCopyDialog) m_links.openCopyDialog();
}

void MainWindow::pasteVolumeFirst() {
    paste(true);
}

void MainWindow::pastePHFirst() {
    paste(false);
}

void MainWindow::paste(bool volumeFirst) {
    // The paste keeps at most kMaxPastedTextBytes of UTF-8; no more characters are needed.
    QString text = QGuiApplication::clipboard()->text();
    if (text.size() > static_cast<qsizetype>(kMaxPastedTextBytes))
        text.truncate(static_cast<qsizetype>(kMaxPastedTextBytes));
    m_pasteBuffer->clear();
    m_pasteBuffer->setPlainText(text);
    const int count = PastePairs(m_sim, volumeFirst, m_pasteBuffer->toPlainText().toStdString());
    statusBar()->showMessage(utf8(pastedCountText(count, m_sim.language)));
    // A graph on screen shows the points at once.
    if (m_links.studyChanged) m_links.studyChanged();
}

void MainWindow::openPracticalText() {
    if (m_links.openPracticalText) m_links.openPracticalText();
}

void MainWindow::showHelpContents() {
    helpViewer()->showContents();
}

HelpViewer* MainWindow::helpViewer() {
    if (!m_help) {
        // A window of its own, with no owner that a modal dialog could block: help can be read
        // from any dialog. The main window deletes it.
        m_help = new HelpViewer(utf8(m_paths.helpFolder), m_sim.language);
        m_help->setWindowIcon(m_sideIcon);
    }
    return m_help;
}

void MainWindow::showHelpContext(int context) {
    helpViewer()->showContext(context);
}

QString MainWindow::lineWidthText() const {
    return m_fields[11]->text();
}

void MainWindow::setLineWidthText(const QString& text) {
    setFieldText(m_sim, Field::LineWidth, text.toStdString());
    m_fields[11]->setText(text);
}

// F1 on a control with a help topic of its own opens that topic; elsewhere, the contents.
void MainWindow::showHelpFor(QWidget* widget) {
    for (QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        const QVariant context = w->property(kHelpContextProperty);
        if (context.isValid()) {
            helpViewer()->showContext(context.toInt());
            return;
        }
    }
    showHelpContents();
}

// ---------------------------------------------------------------------------------------
// Keys, bubbles, first show.

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Installed on the application: bubbles are shown only while "Bulles d'aide" is checked.
    if (event->type() == QEvent::ToolTip && !m_tooltips) return true;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const int field = numberField(qobject_cast<QWidget*>(watched));
        if (!field) return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (event->type() == QEvent::FocusIn) {
            if (!fieldRefusal(field, m_fields[field]->text().toStdString(), m_sim.language))
                m_lastGood[field] = m_fields[field]->text();
        } else if (reason == Qt::MouseFocusReason &&
                   fieldRefusal(field, m_fields[field]->text().toStdString(), m_sim.language)) {
            // Left by a click elsewhere: the refused value calls the focus back once the
            // click is over.
            QTimer::singleShot(0, this, [this, field] { acceptLeaving(field); });
        }
        return false;
    }
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (auto* menu = qobject_cast<QMenu*>(watched);
        menu && std::find(m_menus.begin(), m_menus.end(), menu) != m_menus.end()) {
        if (event->type() != QEvent::KeyPress || key->key() != Qt::Key_F1) return false;
        const QVariant context = menu->property(kHelpContextProperty);
        const bool onIndex = menu->activeAction() == m_indexAction;
        for (QMenu* m : m_menus) m->close();
        if (context.isValid() && !onIndex)
            helpViewer()->showContext(context.toInt());
        else
            showHelpContents();
        return true;
    }
    // Only the keys of this window's controls, its floating panels and tool bar included;
    // not those of its dialogs and message boxes.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    const QWidget* window = widget->window();
    const bool ours =
        window == this ||
        (window->parentWidget() == this &&
         (qobject_cast<const QDockWidget*>(window) || qobject_cast<const QToolBar*>(window)));
    if (!ours) return false;
    return handleKey(widget, key);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (m_background.isNull()) return QMainWindow::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), m_background); // stretched over the whole window
}

void MainWindow::showEvent(QShowEvent* event) {
    if (!m_shownOnce) {
        m_shownOnce = true;
        onFirstShow();
    }
    QMainWindow::showEvent(event);
}

void MainWindow::onFirstShow() {
    orderTabs(); // the sliders made since the window was built take their places
    loadBackground();
    m_acidIcon->setPixmap(icons::side(BuretteSide::AcidSide).pixmap(32, 32));
    m_baseIcon->setPixmap(icons::side(BuretteSide::BaseSide).pixmap(32, 32));
    restorePlacement();
}

void MainWindow::loadBackground() {
    const auto found =
        system::firstExisting(m_paths.backgroundCandidates, [](const std::string& f) {
            return QFileInfo(QString::fromStdString(f)).isFile();
        });
    if (!found) return;
    const QImage image = loadPicture(utf8(*found));
    if (image.isNull()) return; // a picture that does not decode leaves the plain background
    m_backgroundFile = utf8(*found);
    // Three bytes a pixel rather than four: the picture stays in memory for the whole run.
    m_background = image.convertToFormat(QImage::Format_RGB888);
    update();
}

void MainWindow::restorePlacement() {
    const system::StoredPlacement stored =
        m_settings ? m_settings->readPlacement() : system::StoredPlacement{};
    std::vector<system::Rect> screens;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        screens.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    system::Rect r = system::restorePlacement(stored, screens);
    // Wholly inside the usable area of its screen, whatever the scaling.
    const QScreen* screen = QGuiApplication::screenAt(QPoint(r.left + r.width / 2, r.top + 8));
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect a = screen->availableGeometry();
        r = system::fitOnScreen(r, {a.x(), a.y(), a.width(), a.height()});
    }
    setWindowState(Qt::WindowNoState);
    move(r.left, r.top);
    resize(r.width, r.height);
}

system::PlacementAtExit MainWindow::placementAtExit() const {
    const system::WindowState state = isMaximized()   ? system::WindowState::Maximized
                                       : isMinimized() ? system::WindowState::Minimized
                                                       : system::WindowState::Normal;
    return system::placementAtExit(state, {x(), y(), width(), height()});
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_closing) return; // the application's quitting closes this window again
    if (!confirmLeavingStudy()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    m_closing = true;
    saveSettings();
    // Hidden rather than closed: the point-style chooser refuses to close but through "O K".
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->hide();
    QCoreApplication::quit();
}

void MainWindow::saveSettings() const {
    if (m_settings) m_settings->writeAtExit(placementAtExit());
}

} // namespace titralab
