#include "ui/windows/MainWindow.h"
#include "ui/qt/Utf8Text.h"

#include "core/curves/Curves.h"
#include "core/curves/PastedPoints.h"
#include "core/panel/DatabaseSearch.h"
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
#include "ui/windows/HelpViewer.h"

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

namespace {

// A hint "bubble|status": the part before "|" becomes the tooltip, the part after it the
// status-bar text; without "|" the whole hint is both.
void setHint(QWidget* widget, const QString& h) {
    const int bar = h.indexOf('|');
    widget->setToolTip(bar < 0 ? h : h.left(bar));
    widget->setStatusTip(bar < 0 ? h : h.mid(bar + 1));
}
void setHint(QAction* action, const QString& h) {
    const int bar = h.indexOf('|');
    action->setToolTip(bar < 0 ? h : h.left(bar));
    action->setStatusTip(bar < 0 ? h : h.mid(bar + 1));
}

constexpr const char* kHelpContextProperty = "helpContext";

// Design geometry of the input panel, pixels at the design font, in the window's client area
// (the tool bar band takes its first 31 pixels, the strip its left edge).
namespace design {
constexpr int kBandHeight = 32;
constexpr int kStripWidth = 24;
constexpr int kTopMargin = 0;
constexpr int kFieldWidth = 57;
constexpr int kFieldHeight = 24;
constexpr int kColumnLeft[3] = {0, 95, 164};
constexpr int kRowTop[5] = {276, 311, 346, 380, 415}; // concentration, volume, pKa1..pKa3
constexpr int kLabelLeft = 44;                        // row labels end where column 1 starts
constexpr int kLabelWidth = 48;
constexpr int kUnitLeft[3] = {0, 164, 228}; // beaker units right of column 1 or column 2
constexpr int kBuretteUnitLeft = 160;
constexpr int kStudyListWidth = 270; // the study choice, sized for its longest item
constexpr int kWidth = 346;          // right edge of the study list
} // namespace design

} // namespace

// The client area under the tool bar: a narrow strip on the left, and the input panel's
// controls at their design places. It is transparent: the window's background picture, when
// there is one, shows through.
class PanelArea : public QWidget {
  public:
    explicit PanelArea(QWidget* parent) : QWidget(parent) { setObjectName("panelArea"); }

    double sx{1}; // horizontal scale from design pixels to the font in use
    double sy{1};
    int x(double designX) const { return static_cast<int>(std::lround(designX * sx)); }
    int y(double designY) const {
        return static_cast<int>(std::lround((designY - design::kBandHeight) * sy)) +
               design::kTopMargin;
    }
    // Design rectangle to this widget's pixels; never shorter than the control needs.
    void place(QWidget* w, double left, double top, double width, double height) const {
        const int h = static_cast<int>(std::lround(height * sy));
        w->setGeometry(x(left), y(top), x(left + width) - x(left),
                       std::max(h, std::min(w->sizeHint().height(), 2 * h)));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // The strip: the colours of a universal indicator, from pH 0 at the top to pH 14.
        const QRect strip(0, 0, x(design::kStripWidth), height());
        QLinearGradient g(strip.topLeft(), strip.bottomLeft());
        const QColor stops[] = {{214, 69, 65},  {236, 134, 54}, {240, 203, 70}, {132, 190, 84},
                                {58, 160, 128}, {66, 110, 196}, {122, 76, 160}};
        for (int i = 0; i < 7; ++i) {
            QColor c = stops[i];
            c.setAlpha(120);
            g.setColorAt(i / 6.0, c);
        }
        p.fillRect(strip, g);
    }
};

MainWindow::MainWindow(Simulation& sim, system::Paths paths, QWidget* parent)
    : QMainWindow(parent), m_sim(sim), m_paths(std::move(paths)) {
    setObjectName("mainWindow");
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

void MainWindow::buildMenus() {
    const Language lang = m_sim.language;
    auto add = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
        auto* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* file = menuBar()->addMenu(text(lang, texts::kMenuFile));
    file->setObjectName("Fichier1");
    add(file, "Ouvrir1", text(lang, texts::kOpenPracticalText), [this] { openPracticalText(); });
    file->addSeparator();
    add(file, "Imprimer1", text(lang, texts::kPrint), [this] {
        showSimulation();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    QAction* navigator = add(file, "Lancer1", text(lang, texts::kStartNavigator),
                             [this] { QProcess::startDetached(utf8(m_paths.navigator), {}); });
    setHint(navigator, text(lang, texts::kHintStartNavigator));
    // Quitting closes this window: its closing settles unsaved changes, once.
    add(file, "Quitter1", text(lang, texts::kQuit), [this] {
        close();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    add(file, "QuitterLancer1", text(lang, texts::kQuitAndStartNavigator), [this] {
        if (close()) QProcess::startDetached(utf8(m_paths.navigator), {});
    });

    QMenu* edit = menuBar()->addMenu(text(lang, texts::kMenuEdit));
    edit->setObjectName("Edition1");
    QAction* show =
        add(edit, "Voir1", text(lang, texts::kShowSimulation), [this] { showSimulation(); });
    show->setShortcut(QKeySequence(Qt::Key_F11));
    edit->setDefaultAction(show);
    edit->addSeparator();
    QAction* copy = add(edit, "Copiersimulation1", text(lang, texts::kCopySimulation),
                        [this] { copySimulation(); });
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    setHint(copy, text(lang, texts::kHintCopySimulation));
    edit->addSeparator();
    add(edit, "Collerdespoints1", text(lang, texts::kPasteVolumeFirst), [this] {
        pasteVolumeFirst();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    add(edit, "CollerpHv1", text(lang, texts::kPastePHFirst), [this] {
        pastePHFirst();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));

    QMenu* options = menuBar()->addMenu(text(lang, texts::kMenuOptions));
    options->setObjectName("Options1");
    m_tooltipsAction = add(options, "Bullesdaide1", text(lang, texts::kTooltips),
                           [this](bool checked) { m_tooltips = checked; });
    m_tooltipsAction->setCheckable(true);
    m_tooltipsAction->setChecked(true);
    options->addSeparator();
    auto switchSeparator = [this] {
        m_sim.decimalComma = !m_sim.decimalComma;
        markStudyChanged(m_sim);
        m_commaAction->setChecked(m_sim.decimalComma);
        m_pointAction->setChecked(!m_sim.decimalComma);
    };
    m_commaAction = add(options, "Virgule1", text(lang, texts::kSeparatorComma), switchSeparator);
    m_pointAction = add(options, "Point1", text(lang, texts::kSeparatorPoint), switchSeparator);
    m_commaAction->setCheckable(true);
    m_pointAction->setCheckable(true);
    m_commaAction->setChecked(m_sim.decimalComma);
    m_pointAction->setChecked(!m_sim.decimalComma);
    options->addSeparator();
    // Each language is named in itself. The choice serves from the next start: every window
    // takes its texts once, when it is made.
    QMenu* language = options->addMenu(tr("&Langue"));
    language->setObjectName("Langue1");
    m_frenchAction = add(language, "LangueFrancais", QStringLiteral("&Français"),
                         [this] { chooseInterfaceLanguage(Language::French); });
    m_englishAction = add(language, "LangueAnglais", QStringLiteral("&English"),
                          [this] { chooseInterfaceLanguage(Language::English); });
    m_chosenLanguage = m_sim.language;
    for (QAction* a : {m_frenchAction, m_englishAction}) a->setCheckable(true);
    showLanguageChoice();

    QMenu* help = menuBar()->addMenu(text(lang, texts::kMenuHelp));
    help->setObjectName("Aide1");
    m_indexAction =
        add(help, "Index1", text(lang, texts::kHelpIndex), [this] { showHelpContents(); });
    m_indexAction->setShortcut(QKeySequence(Qt::Key_F1));
    help->setDefaultAction(m_indexAction);
    add(help, "Travauxpratiques1", text(lang, texts::kHelpPracticalWork),
        [this] { helpViewer()->showTopic("Propositions"); });
    add(help, "Precision1", text(lang, texts::kHelpPrecision),
        [this] { helpViewer()->showTopic("Precision"); });
    help->addSeparator();
    add(help, "Pagedaccueil1", text(lang, texts::kHomePage), [] {
        QDesktopServices::openUrl(QUrl(QString::fromUtf8(system::kMakerAddresses.homePage)));
    });
    add(help, "Ecrire1", text(lang, texts::kWriteToAuthor),
        [] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(system::kMakerAddresses.mail))); });
    help->addSeparator();
    add(help, "Apropos1", text(lang, texts::kAbout), [this] {
        if (m_about) m_about->exec();
    });

    buildStudyMenus(file, edit, help);
    m_menus = {file, edit, options, help};
    for (QMenu* menu : {file, edit, help})
        menu->setProperty(kHelpContextProperty, system::help::kMenus);
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
        {"ToolOuvrir", text(lang, texts::kToolOpen), text(lang, texts::kHintToolOpen),
         icons::Tool::Open, [this] { chooseAndOpenStudy(); }},
        {"ToolEnregistrer", text(lang, texts::kToolSave), text(lang, texts::kHintToolSave),
         icons::Tool::Save, [this] { saveStudy(); }},
        {"ToolImprimer", text(lang, texts::kToolPrint), text(lang, texts::kHintToolPrint),
         icons::Tool::Print, [this] { showSimulation(); }},
        {"ToolCopier", text(lang, texts::kToolCopy), text(lang, texts::kHintToolCopy),
         icons::Tool::Copy, [this] { copySimulation(); }},
        {"ToolIndex", text(lang, texts::kToolIndex), text(lang, texts::kHintToolIndex),
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

void MainWindow::buildPanel() {
    const Language lang = m_sim.language;
    m_area = new PanelArea(this);
    setCentralWidget(m_area);

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, m_area);
        l->setObjectName(name);
        return l;
    };

    m_burette = new RadioGroup(m_area);
    m_burette->setObjectName("sideChoice");
    connect(m_burette, &RadioGroup::itemClicked, this, &MainWindow::chooseSide);
    m_baseKind = new RadioGroup(m_area);
    m_baseKind->setObjectName("strongBaseChoice");
    connect(m_baseKind, &RadioGroup::itemClicked, this, &MainWindow::chooseStrongBase);
    m_studies = new RadioGroup(m_area);
    m_studies->setObjectName("studyChoice");
    connect(m_studies, &RadioGroup::itemClicked, this, &MainWindow::chooseStudy);

    for (int i : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16}) {
        auto* field = new QLineEdit(utf8(m_sim.panel.text[i]), m_area);
        field->setObjectName(accessibility::fieldObjectName(static_cast<Field>(i)));
        setHint(field, text(lang, texts::kFieldHint[i]));
        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_sim.panel.text[i] = text.toStdString();
            // A refused value, once corrected, loses its mark as it is typed.
            if (!m_refusal[i].isEmpty() && !fieldRefusal(i, m_sim.panel.text[i], m_sim.language))
                markRefused(i, QString());
            markStudyChanged(m_sim);
        });
        m_fields[i] = field;
        m_lastGood[i] = field->text();
    }
    // The labels of the burette's concentration and of the rows of the beaker's columns.
    static constexpr const char* kRowLabelNames[7] = {nullptr,
                                                      "buretteConcentrationLabel",
                                                      "concentrationLabel",
                                                      "volumeLabel",
                                                      "pKa1Label",
                                                      "pKa2Label",
                                                      "pKa3Label"};
    const QString rowTexts[7] = {QString(),
                                 QStringLiteral("Cbi"),
                                 QStringLiteral("Cai"),
                                 QStringLiteral("Vai"),
                                 text(lang, texts::kPKa1Label),
                                 text(lang, texts::kPKa2Label),
                                 text(lang, texts::kPKa3Label)};
    for (int i = 1; i <= 6; ++i) {
        m_rowLabels[i] = label(kRowLabelNames[i], rowTexts[i]);
        m_rowLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_rowLabels[4]->setBuddy(m_fields[4]);
    m_rowLabels[5]->setBuddy(m_fields[5]);
    m_rowLabels[6]->setBuddy(m_fields[6]);
    m_unitBurette = label("buretteUnit", text(lang, texts::kUnitConcentration));
    m_unitConc = label("concentrationUnit", text(lang, texts::kUnitConcentration));
    m_unitVolume = label("volumeUnit", text(lang, texts::kUnitVolume));

    m_column1Title = label("column1Title", QString());
    m_column2Title = label("column2Title", QString());
    for (QLabel* title : {m_column1Title, m_column2Title}) {
        title->setAlignment(Qt::AlignCenter);
        title->setStyleSheet("QLabel { background: #ffe14d; color: #3a2e00; font-weight: bold;"
                             " border: 1px solid #c9a800; border-radius: 3px; padding: 0 3px; }");
    }
    m_marker1 = label("column1Marker", QString());
    m_marker2 = label("column2Marker", QString());
    for (QLabel* marker : {m_marker1, m_marker2}) {
        marker->setPixmap(icons::marker(18, devicePixelRatioF()));
        marker->setAlignment(Qt::AlignCenter);
    }

    // The two side icons, kept to be handed to the other windows.
    m_acidIcon = label("acidIcon", QString());
    m_baseIcon = label("baseIcon", QString());
    m_acidIcon->hide();
    m_baseIcon->hide();

    // Receives the pasted text of the paste commands; never shown.
    m_pasteBuffer = new QPlainTextEdit(m_area);
    m_pasteBuffer->setObjectName("pasteBuffer");
    m_pasteBuffer->hide();
}

void MainWindow::buildCommandsDock() {
    const Language lang = m_sim.language;
    auto* panel = new QWidget;
    panel->setObjectName("commandsPanel");
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(3, 3, 3, 3);
    column->setSpacing(4);

    auto* lineWidth = new QWidget(panel);
    lineWidth->setObjectName("lineWidthPanel");
    lineWidth->setProperty(kHelpContextProperty, system::help::kLineWidth);
    auto* row = new QHBoxLayout(lineWidth);
    row->setContentsMargins(0, 0, 0, 0);
    m_lineWidthIcon = new QLabel(lineWidth);
    m_lineWidthIcon->setObjectName("lineWidthIcon");
    m_lineWidthIcon->setFixedSize(32, 32);
    auto* field = new QLineEdit(utf8(m_sim.panel.at(Field::LineWidth)), lineWidth);
    field->setObjectName(accessibility::fieldObjectName(Field::LineWidth));
    field->setFixedWidth(44);
    connect(field, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_sim.panel.at(Field::LineWidth) = text.toStdString();
        markStudyChanged(m_sim);
    });
    m_fields[11] = field;
    auto* caption = new QLabel(text(lang, texts::kLineWidthLabel), lineWidth);
    caption->setObjectName("lineWidthLabel");
    caption->setWordWrap(true);
    caption->setBuddy(field);
    row->addWidget(m_lineWidthIcon);
    row->addWidget(field);
    row->addWidget(caption, 1);
    column->addWidget(lineWidth);

    auto button = [&](const char* name, const QString& caption, auto handler) {
        auto* b = new QPushButton(caption, panel);
        b->setObjectName(name);
        b->setStyleSheet("QPushButton { text-align: left; padding: 4px 3px; }");
        b->setFocusPolicy(Qt::StrongFocus);
        connect(b, &QPushButton::clicked, this, handler);
        column->addWidget(b);
        return b;
    };
    m_show =
        button("showButton", text(lang, texts::kShowCaptionAtStart), [this] { showSimulation(); });
    m_show->setStatusTip(text(lang, texts::kHintShowButton).mid(1)); // never shown as a bubble
    m_show->setProperty(kHelpContextProperty, system::help::kShowButton);
    m_copy =
        button("copyButton", text(lang, texts::kCopyCaptionAtStart), [this] { copySimulation(); });
    setHint(m_copy, text(lang, texts::kHintCopyButton));
    m_copy->setProperty(kHelpContextProperty, system::help::kCopyButton);
    button("printButton", text(lang, texts::kPrintButton), [this] { showSimulation(); });
    button("pasteVolumeFirstButton", text(lang, texts::kPasteVolumeFirstButton),
           [this] { pasteVolumeFirst(); });
    button("pastePHFirstButton", text(lang, texts::kPastePHFirstButton),
           [this] { pastePHFirst(); });
    column->addStretch();

    m_commandsDock = new QDockWidget(this);
    m_commandsDock->setObjectName("commandsDock");
    m_commandsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    // A grip instead of a titled bar: the panel has no title of its own.
    auto* grip = new QFrame(m_commandsDock);
    grip->setFixedHeight(7);
    grip->setFrameStyle(QFrame::HLine | QFrame::Raised);
    grip->setCursor(Qt::SizeAllCursor);
    m_commandsDock->setTitleBarWidget(grip);
    m_commandsDock->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, m_commandsDock);
}

void MainWindow::buildDatabaseDock() {
    auto* panel = new QWidget;
    panel->setObjectName("databasePanel");
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 2, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    m_entryTitle = new QLabel(panel);
    m_entryTitle->setObjectName("entryNameTitle");
    m_entryName = new QLineEdit(utf8(m_sim.panel.entryName), panel);
    m_entryName->setObjectName("entryNameField");
    m_entryTitle->setBuddy(m_entryName);
    // Typing a name proposes the entries it finds; choosing one loads it.
    m_entryMatches = new QStringListModel(this);
    auto* completer = new QCompleter(m_entryMatches, this);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setWidget(m_entryName);
    m_entryCompleter = completer;
    connect(m_entryName, &QLineEdit::textEdited, this, &MainWindow::proposeEntries);
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { loadProposedEntry(index.row()); });
    m_stepForward = new QPushButton(icons::stepForward(), QString(), panel);
    m_stepForward->setObjectName("nextEntryButton");
    m_stepBack = new QPushButton(icons::stepBack(), QString(), panel);
    m_stepBack->setObjectName("previousEntryButton");
    for (QPushButton* b : {m_stepForward, m_stepBack}) {
        b->setFixedSize(26, 20);
        b->setIconSize(QSize(14, 14));
    }
    connect(m_stepForward, &QPushButton::clicked, this, &MainWindow::loadNextEntry);
    connect(m_stepBack, &QPushButton::clicked, this, &MainWindow::loadPreviousEntry);
    auto* steps = new QVBoxLayout;
    steps->setSpacing(1);
    steps->addWidget(m_stepForward);
    steps->addWidget(m_stepBack);

    m_target = new RadioGroup(panel);
    m_target->setObjectName("databaseColumnChoice");
    connect(m_target, &RadioGroup::itemClicked, this, &MainWindow::chooseDatabaseColumn);

    grid->addWidget(m_entryTitle, 0, 0);
    grid->addWidget(m_entryName, 1, 0);
    grid->addLayout(steps, 0, 1, 2, 1);
    grid->addWidget(m_target, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);

    m_databaseDock = new QDockWidget(this);
    m_databaseDock->setObjectName("databaseDock");
    m_databaseDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    // The browser's title is the bar by which the panel is dragged.
    m_browserTitle = new QLabel(m_databaseDock);
    m_browserTitle->setObjectName("databaseTitle");
    m_browserTitle->setStyleSheet("QLabel { font-weight: bold; padding: 3px 6px;"
                                  " background: palette(midlight); }");
    m_databaseDock->setTitleBarWidget(m_browserTitle);
    m_databaseDock->setWidget(panel);
    addDockWidget(Qt::RightDockWidgetArea, m_databaseDock);
}

// Puts the panel's controls at their design places, scaled for the font in use.
void MainWindow::placePanel() {
    const Language lang = m_sim.language;
    PanelArea& a = *m_area;
    // Each choice is drawn for its longest item: a wider font widens the whole panel.
    auto widthFor = [this](const QString& item) {
        QRadioButton probe(item);
        probe.setFont(font());
        return probe.sizeHint().width() + 14; // the group's frame and margins
    };
    double widen = 1;
    for (Study s : {Study::TitrationVsVolume, Study::SpeciesVsPH, Study::TwoMonoTitration,
                    Study::TwoPolyMixture, Study::Dilution})
        for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide})
            widen = std::max(widen, widthFor(utf8(texts::studyName(side, s, lang))) /
                                        double(design::kStudyListWidth));
    widen = std::max(widen, widthFor(text(lang, texts::kStrongBase)) / 128.0);
    widen = std::max(widen, widthFor(text(lang, texts::kStrongAcid)) / 128.0);
    widen = std::max(widen, widthFor(text(lang, texts::kPotash)) / 111.0);
    a.sx = widen;
    a.sy = std::max(1.0, QFontMetrics(font()).height() / 16.0);

    using namespace design;
    a.place(m_burette, 86, 32, 128, 57);
    a.place(m_baseKind, 225, 32, 111, 56);
    a.place(m_rowLabels[1], kLabelLeft, 97, kLabelWidth - 4, kFieldHeight);
    a.place(m_fields[1], kColumnLeft[1], 97, kFieldWidth, kFieldHeight);
    a.place(m_unitBurette, kBuretteUnitLeft, 97, 40, kFieldHeight);
    a.place(m_studies, 75, 124, kStudyListWidth, 113);
    a.place(m_marker1, 119, 238, 18, 18);
    a.place(m_marker2, 186, 238, 18, 18);
    a.place(m_column1Title, 102 - 8, 256, 60, 18);
    a.place(m_column2Title, 170 - 8, 256, 60, 18);
    for (int r = 0; r < 5; ++r) {
        a.place(m_rowLabels[r + 2], kLabelLeft, kRowTop[r], kLabelWidth - 4, kFieldHeight);
        a.place(m_fields[r + 2], kColumnLeft[1], kRowTop[r], kFieldWidth, kFieldHeight);
        a.place(m_fields[r + 12], kColumnLeft[2], kRowTop[r], kFieldWidth, kFieldHeight);
    }
    // No minimum height: at the default placement the panel fills the client area exactly,
    // and a smaller window is the user's choice.
    a.setMinimumWidth(a.x(kWidth));
}

// ---------------------------------------------------------------------------------------
// Showing the logic's state.

void MainWindow::applyView() {
    auto applyChoice = [](RadioGroup* group, const Choice& c) {
        group->setTitle(utf8(c.caption));
        QStringList items;
        for (const std::string& item : c.items) items << utf8(item);
        if (group->items() != items) group->setItems(items);
        group->setSelected(c.selected);
        group->setVisible(c.visible);
    };
    applyChoice(m_burette, m_view.burette);
    applyChoice(m_studies, m_view.studies);
    applyChoice(m_baseKind, m_view.baseKind);
    applyChoice(m_target, m_view.target);

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
    // Every load writes the entry's name, over whatever was typed there.
    if (panel.entryLoads != m_shownEntryLoads) {
        m_shownEntryLoads = panel.entryLoads;
        m_entryName->setText(utf8(panel.entryName));
    }

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
    m_browserTitle->setText(utf8(m_view.browserTitle));
    m_entryTitle->setText(utf8(m_view.entryTitle));
    m_databaseDock->setVisible(m_view.browserVisible);
    m_commandsDock->setVisible(m_view.commandsVisible);
    m_show->setText(utf8(m_view.showCaption));
    m_copy->setText(utf8(m_view.copyCaption));

    applySideIcon(m_view.iconSide);
    orderTabs();
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

// Tab (and the space key in the fields) follows the order of the work: the burette content
// (with the strong base), the study, the burette concentration, column 1 from top to bottom,
// column 2, then the panels on the right: the commands, and the database browser under them.
// A field's slider, when it has one, follows it.
void MainWindow::orderTabs() {
    std::vector<QWidget*> chain;
    for (RadioGroup* group : {m_burette, m_baseKind, m_studies})
        for (QWidget* w : group->findChildren<QRadioButton*>()) chain.push_back(w);
    for (int i : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16}) {
        chain.push_back(m_fields[i]);
        if (auto* slider =
                m_area->findChild<QSlider*>(accessibility::sliderObjectName(static_cast<Field>(i))))
            chain.push_back(slider);
    }
    chain.push_back(m_fields[11]);
    for (const char* name : {"showButton", "copyButton", "printButton", "pasteVolumeFirstButton",
                             "pastePHFirstButton"})
        if (auto* b = m_commandsDock->findChild<QPushButton*>(name)) chain.push_back(b);
    chain.push_back(m_entryName);
    chain.push_back(m_stepForward);
    chain.push_back(m_stepBack);
    for (QWidget* w : m_target->findChildren<QRadioButton*>()) chain.push_back(w);
    for (std::size_t k = 1; k < chain.size(); ++k) setTabOrder(chain[k - 1], chain[k]);
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

// ---------------------------------------------------------------------------------------
// Handlers of the panel.

void MainWindow::chooseSide(int item) {
    const Study before = m_sim.panel.study;
    chooseBurette(m_view, m_sim, item);
    markStudyChanged(m_sim);
    applyView();
    if (before != Study::None) emit hydroniumTickChanged(m_sim.graph.checked[kHydroniumBox - 1]);
    emit panelEdited();
}

void MainWindow::chooseStudy(int index) {
    const int before = m_view.studies.selected;
    titralab::chooseStudy(m_view, m_sim, index);
    markStudyChanged(m_sim);
    applyView();
    if (m_view.studies.selected != before)
        emit hydroniumTickChanged(m_sim.graph.checked[kHydroniumBox - 1]);
    emit panelEdited();
}

void MainWindow::chooseDatabaseColumn(int item) {
    chooseTarget(m_view, m_sim, item);
    markStudyChanged(m_sim);
    applyView();
    emit panelEdited();
}

void MainWindow::chooseStrongBase(int item) {
    chooseBaseKind(m_view, m_sim, item);
    markStudyChanged(m_sim);
    applyView();
    emit panelEdited();
}

void MainWindow::loadNextEntry() {
    StepForward(m_sim.browser, m_sim.panel, m_sim.state);
    markStudyChanged(m_sim);
    applyView();
    emit panelEdited();
}

void MainWindow::loadPreviousEntry() {
    StepBack(m_sim.browser, m_sim.panel, m_sim.state);
    markStudyChanged(m_sim);
    applyView();
    emit panelEdited();
}

void MainWindow::proposeEntries(const QString& typed) {
    m_found = searchEntries(m_sim.panel.side, typed.toStdString(), m_sim.language,
                            m_sim.browser.twoMonoacid);
    QStringList names;
    for (const EntryMatch& m : m_found) names << utf8(m.name);
    m_entryMatches->setStringList(names);
    if (names.isEmpty()) {
        m_entryCompleter->popup()->hide();
        return;
    }
    m_entryCompleter->complete();
    // The first proposal stands chosen: Enter in the list loads it.
    m_entryCompleter->popup()->setCurrentIndex(m_entryCompleter->completionModel()->index(0, 0));
}

void MainWindow::loadProposedEntry(int row) {
    if (row < 0 || row >= static_cast<int>(m_found.size())) return;
    m_entryCompleter->popup()->hide();
    LoadFoundEntry(m_sim.browser, m_found[static_cast<std::size_t>(row)].entry, m_sim.panel,
                   m_sim.state);
    m_found.clear();
    markStudyChanged(m_sim);
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
    focusRefusedField();
    if (m_sim.panel.study == Study::TwoPolyMixture) {
        if (m_links.showMixture) m_links.showMixture();
    } else if (m_links.showGraph) {
        m_links.showGraph();
    }
}

// After the messages of a refused or clamped value, the first such field of this window takes
// the focus with its text selected, ready to be typed over.
void MainWindow::focusRefusedField() {
    for (int field : m_sim.refusedFields) {
        if (field < 1 || field > 16 || !m_fields[field] || m_fields[field]->isHidden()) continue;
        m_fields[field]->setFocus(Qt::OtherFocusReason);
        m_fields[field]->selectAll();
        return;
    }
}

int MainWindow::numberField(const QWidget* widget) const {
    for (int i : {1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16})
        if (widget && m_fields[i] == widget) return i;
    return 0;
}

bool MainWindow::acceptLeaving(int field) {
    const std::optional<std::string> refusal =
        fieldRefusal(field, m_fields[field]->text().toStdString(), m_sim.language);
    if (!refusal) {
        markRefused(field, QString());
        m_lastGood[field] = m_fields[field]->text();
        return true;
    }
    markRefused(field, utf8(*refusal)); // marked behind its message already
    notifier().inform(*refusal);
    m_fields[field]->setFocus(Qt::OtherFocusReason);
    m_fields[field]->selectAll();
    return false;
}

void MainWindow::markRefused(int field, const QString& message) {
    QLineEdit* edit = m_fields[field];
    const bool was = !m_refusal[field].isEmpty();
    m_refusal[field] = message;
    const bool is = !message.isEmpty();
    edit->setProperty("refused", is);
    edit->setStyleSheet(is ? QStringLiteral("QLineEdit { border: 2px solid #b00020;"
                                            " background: #fde4e8; color: #000000; }")
                           : QString());
    // A screen reader hears the refusal as the field's description (a change it is told of),
    // until the value is corrected.
    if (is)
        edit->setAccessibleDescription(message);
    else if (was)
        accessibility::apply(
            this, a11y::mainWindowTexts(m_sim.panel.side, m_sim.panel.study, m_sim.language));
}

bool MainWindow::restoreLastGood(int field) {
    if (m_refusal[field].isEmpty() && m_fields[field]->text() == m_lastGood[field]) return false;
    m_fields[field]->setText(m_lastGood[field]);
    m_sim.panel.text[field] = m_lastGood[field].toStdString();
    markRefused(field, QString());
    m_fields[field]->selectAll();
    return true;
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
    markStudyChanged(m_sim);
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
    if (m_sim.panel.at(Field::LineWidth) != text.toStdString()) markStudyChanged(m_sim);
    m_sim.panel.at(Field::LineWidth) = text.toStdString();
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

// The main window sees the keys of its fields first: the menu shortcuts win over the fields'
// own (Ctrl+C, Ctrl+V...), Enter shows the simulation, F1 opens the control's help, and in
// the fields a space moves on like a tab, "." types "," and any letter types "E".
bool MainWindow::handleKey(QWidget* widget, QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const QKeySequence pressed(key->keyCombination());
    if (key->type() == QEvent::ShortcutOverride) {
        if (pressed == QKeySequence(Qt::Key_F1)) {
            key->accept(); // not the Index shortcut: handled as a key below
            return true;
        }
        for (QMenu* menu : m_menus)
            for (QAction* action : menu->actions())
                if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                    key->ignore(); // let the menu's shortcut run
                    return true;
                }
        return false;
    }
    if (key->key() == Qt::Key_F1 && mods == Qt::NoModifier) {
        showHelpFor(widget);
        return true;
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (widget == m_entryName) {
        // A name field: it takes letters and blanks as typed; Enter loads the first entry the
        // name finds (the proposal chosen in the list is loaded by the list).
        if (!enter || mods != Qt::NoModifier) return false;
        if (m_found.empty()) proposeEntries(m_entryName->text());
        loadProposedEntry(0);
        return true;
    }
    // Leaving a number field by Tab, Shift+Tab, the space or Enter checks it first: a refused
    // value keeps the focus and nothing else happens. Escape brings back its last good value.
    if (const int field = numberField(widget)) {
        const bool leaving = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                             (enter && mods == Qt::NoModifier) || key->text() == QLatin1String(" ");
        if (leaving && !acceptLeaving(field)) return true;
        if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier && restoreLastGood(field))
            return true;
    }
    if (enter && mods == Qt::NoModifier) {
        showSimulation();
        return true;
    }
    if (!qobject_cast<QLineEdit*>(widget)) return false;
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.size() != 1) return false;
    const QChar c = text[0];
    if (c == ' ') {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(widget, &tab);
        return true;
    }
    if (c == '.') {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","));
        QCoreApplication::sendEvent(widget, &comma);
        return true;
    }
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter && c != 'E') {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_E, Qt::ShiftModifier, QStringLiteral("E"));
        QCoreApplication::sendEvent(widget, &e);
        return true;
    }
    return false;
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
