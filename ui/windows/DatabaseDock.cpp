#include "ui/windows/DatabaseDock.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/StudyEdits.h"
#include "core/panel/DatabaseBrowser.h"
#include "ui/qt/Icons.h"
#include "ui/qt/RadioGroup.h"
#include "ui/windows/InputPanelArea.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace titralab {

DatabaseDock::DatabaseDock(Simulation& sim, QWidget* parent) : QDockWidget(parent), m_sim(sim) {
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
    m_matches = new QStringListModel(this);
    auto* completer = new QCompleter(m_matches, this);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setWidget(m_entryName);
    m_completer = completer;
    connect(m_entryName, &QLineEdit::textEdited, this, &DatabaseDock::proposeEntries);
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
    connect(m_stepForward, &QPushButton::clicked, this, &DatabaseDock::nextEntryWanted);
    connect(m_stepBack, &QPushButton::clicked, this, &DatabaseDock::previousEntryWanted);
    auto* steps = new QVBoxLayout;
    steps->setSpacing(1);
    steps->addWidget(m_stepForward);
    steps->addWidget(m_stepBack);

    m_target = new RadioGroup(panel);
    m_target->setObjectName("databaseColumnChoice");
    connect(m_target, &RadioGroup::itemClicked, this, &DatabaseDock::columnChosen);

    grid->addWidget(m_entryTitle, 0, 0);
    grid->addWidget(m_entryName, 1, 0);
    grid->addLayout(steps, 0, 1, 2, 1);
    grid->addWidget(m_target, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);

    setObjectName("databaseDock");
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    // The browser's title is the bar by which the panel is dragged.
    m_title = new QLabel(this);
    m_title->setObjectName("databaseTitle");
    m_title->setStyleSheet("QLabel { font-weight: bold; padding: 3px 6px;"
                           " background: palette(midlight); }");
    setTitleBarWidget(m_title);
    setWidget(panel);
}

void DatabaseDock::showView(const PanelView& view) {
    showChoice(m_target, view.target);
    // Every load writes the entry's name, over whatever was typed there.
    if (m_sim.panel.entryLoads != m_shownEntryLoads) {
        m_shownEntryLoads = m_sim.panel.entryLoads;
        m_entryName->setText(utf8(m_sim.panel.entryName));
    }
    m_title->setText(utf8(view.browserTitle));
    m_entryTitle->setText(utf8(view.entryTitle));
    setVisible(view.browserVisible);
}

bool DatabaseDock::isNameField(const QWidget* widget) const {
    return widget && widget == m_entryName;
}

void DatabaseDock::loadFirstFound() {
    if (m_found.empty()) proposeEntries(m_entryName->text());
    loadProposedEntry(0);
}

std::vector<QWidget*> DatabaseDock::tabChain() const {
    std::vector<QWidget*> chain{m_entryName, m_stepForward, m_stepBack};
    for (QWidget* w : m_target->findChildren<QRadioButton*>()) chain.push_back(w);
    return chain;
}

void DatabaseDock::proposeEntries(const QString& typed) {
    m_found = searchEntries(m_sim.panel.side, typed.toStdString(), m_sim.language,
                            m_sim.browser.twoMonoacid);
    QStringList names;
    for (const EntryMatch& m : m_found) names << utf8(m.name);
    m_matches->setStringList(names);
    if (names.isEmpty()) {
        m_completer->popup()->hide();
        return;
    }
    m_completer->complete();
    // The first proposal stands chosen: Enter in the list loads it.
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}
void DatabaseDock::loadProposedEntry(int row) {
    if (row < 0 || row >= static_cast<int>(m_found.size())) return;
    m_completer->popup()->hide();
    loadFoundEntry(m_sim, m_found[static_cast<std::size_t>(row)].entry);
    m_found.clear();
    emit entryLoaded();
}

} // namespace titralab
