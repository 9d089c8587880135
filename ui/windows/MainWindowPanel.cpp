// The main window's input panel: its controls and their places, the commands panel, the tab
// order, and the checks and typing rules of the number fields.
#include "ui/qt/Utf8Text.h"
#include "ui/windows/MainWindow.h"

#include "core/session/StudyEdits.h"
#include "core/base/Notifier.h"
#include "core/panel/DatabaseSearch.h"
#include "core/session/WindowDescriptions.h"
#include "core/texts/InputTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/WindowTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Icons.h"
#include "ui/qt/RadioGroup.h"
#include "ui/windows/DatabaseDock.h"
#include "ui/windows/ConditionsControls.h"
#include "ui/windows/FreeSolutionsPanel.h"
#include "ui/windows/InputPanelArea.h"

#include <QDockWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace titralab {

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
            setFieldText(m_sim, static_cast<Field>(i), text.toStdString());
            // A refused value, once corrected, loses its mark as it is typed.
            if (!m_refusal[i].isEmpty() && !fieldRefusal(i, m_sim.panel.text[i], m_sim.language))
                markRefused(i, QString());
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
    buildFreePanel();
    buildConditions();
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
        setFieldText(m_sim, Field::LineWidth, text.toStdString());
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
    if (m_conditions)
        for (QWidget* w : m_conditions->tabChain()) chain.push_back(w);
    chain.push_back(m_fields[11]);
    for (const char* name : {"showButton", "copyButton", "printButton", "pasteVolumeFirstButton",
                             "pastePHFirstButton"})
        if (auto* b = m_commandsDock->findChild<QPushButton*>(name)) chain.push_back(b);
    for (QWidget* w : m_databaseDock->tabChain()) chain.push_back(w);
    for (std::size_t k = 1; k < chain.size(); ++k) setTabOrder(chain[k - 1], chain[k]);
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
    if (m_databaseDock->isNameField(widget)) {
        // A name field: it takes letters and blanks as typed; Enter loads the first entry the
        // name finds (the proposal chosen in the list is loaded by the list).
        if (!enter || mods != Qt::NoModifier) return false;
        m_databaseDock->loadFirstFound();
        return true;
    }
    if (m_freePanel && m_freePanel->isAncestorOf(widget)) {
        // The free study's cells and fields take text as typed; Enter ends a cell's edit, and
        // in a volume field shows the simulation as elsewhere.
        const bool volumeField =
            qobject_cast<QLineEdit*>(widget) && widget->parentWidget() == m_freePanel;
        if (!enter || mods != Qt::NoModifier || !volumeField) return false;
        showSimulation();
        return true;
    }
    // The temperature field is checked as the number fields are.
    if (m_conditions && m_conditions->isTemperatureField(widget)) {
        const bool leaving = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                             (enter && mods == Qt::NoModifier) || key->text() == QLatin1String(" ");
        if (leaving && !m_conditions->acceptTemperature()) return true;
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
    return applyFieldTyping(widget, key);
}

} // namespace titralab
