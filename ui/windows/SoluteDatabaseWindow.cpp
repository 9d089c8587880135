#include "ui/windows/SoluteDatabaseWindow.h"

#include "ui/qt/Utf8Text.h"
#include "ui/windows/MySpeciesDialog.h"

#include "core/numbers/NumberFormat.h"
#include "core/system/UserSolutes.h"
#include "core/texts/SoluteCard.h"
#include "core/texts/UserSoluteTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace titralab {

namespace {

// Without the mnemonic: what a screen reader says.
QString spoken(QString caption) {
    caption.remove('&');
    if (caption.endsWith(':')) caption.chop(1);
    return caption.trimmed();
}

constexpr int kEntryRole = Qt::UserRole;
constexpr int kCompoundRole = Qt::UserRole + 1;

constexpr int kSortRole = Qt::UserRole + 2;

// Sorts the pKa column by its first value rather than by its text.
class PKaItem : public QTableWidgetItem {
  public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        return data(kSortRole).toDouble() < other.data(kSortRole).toDouble();
    }
};

QString joinedKeys(const SoluteEntry& e) {
    QStringList keys;
    for (const auto* list : {&e.pKaSources, &e.enthalpySources, &e.conductivitySources})
        for (const std::string& key : *list)
            if (key != "-" && !keys.contains(utf8(key))) keys << utf8(key);
    return keys.join(' ');
}

// The sources behind the keys of an entry, in the window's language, one a line.
QString sourceLines(const SoluteDatabase& database, const SoluteEntry& e, Language language) {
    QStringList lines;
    for (const QString& key : joinedKeys(e).split(' ', Qt::SkipEmptyParts))
        for (const SoluteSource& s : database.sources)
            if (utf8(s.key) == key)
                lines << key + (language == Language::English ? ": " : " : ") +
                             utf8(s.in(language));
    return lines.join('\n');
}

} // namespace

SoluteDatabaseWindow::SoluteDatabaseWindow(Language language, char separator,
                                           std::string dataFolder, std::string userFile,
                                           QWidget* parent)
    : QDialog(parent), m_language(language), m_separator(separator),
      m_dataFolder(std::move(dataFolder)), m_userFile(std::move(userFile)) {
    setObjectName("SoluteDatabaseWindow");
    setWindowTitle(text(m_language, texts::kDatabaseTitle));
    m_search = new QLineEdit(this);
    m_search->setObjectName("soluteSearch");
    m_search->setMaxLength(100);
    m_search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(text(m_language, texts::kDatabaseSearch), this);
    searchLabel->setBuddy(m_search);
    m_search->setAccessibleName(spoken(searchLabel->text()));
    m_table = new QTableWidget(0, 4, this);
    m_table->setObjectName("soluteTable");
    m_table->setHorizontalHeaderLabels(
        {text(m_language, texts::kDatabaseName), text(m_language, texts::kDatabaseFormula),
         text(m_language, texts::kDatabasePKa), text(m_language, texts::kDatabaseSource)});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    m_table->setTabKeyNavigation(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // No column sorts the rows until the user clicks one: the search gives the best first.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setAccessibleName(text(m_language, texts::kDatabaseTitle));
    m_count = new QLabel(this);
    m_count->setObjectName("soluteCount");
    m_card = new QPlainTextEdit(this);
    m_card->setObjectName("soluteCard");
    m_card->setReadOnly(true);
    m_card->setTabChangesFocus(true);
    m_card->setAccessibleName(text(m_language, texts::kDatabaseCard));
    m_problem = new QLabel(this);
    m_problem->setObjectName("soluteProblem");
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet("color: #b00000");
    m_useBeaker = new QPushButton(text(m_language, texts::kDatabaseUseBeaker), this);
    m_useBeaker->setObjectName("useInBeaker");
    m_useBurette = new QPushButton(text(m_language, texts::kDatabaseUseBurette), this);
    m_useBurette->setObjectName("useInBurette");
    auto* mySpecies = new QPushButton(text(m_language, texts::kDatabaseMySpecies), this);
    mySpecies->setObjectName("mySpeciesButton");
    auto* close = new QPushButton(text(m_language, texts::kDatabaseClose), this);
    close->setObjectName("closeButton");

    connect(m_search, &QLineEdit::textChanged, this, &SoluteDatabaseWindow::filter);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &SoluteDatabaseWindow::showCard);
    connect(m_useBeaker, &QPushButton::clicked, this, [this] { use(SoluteSide::Beaker); });
    connect(m_useBurette, &QPushButton::clicked, this, [this] { use(SoluteSide::Burette); });
    connect(mySpecies, &QPushButton::clicked, this, &SoluteDatabaseWindow::openMySpecies);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    for (QPushButton* b : {m_useBeaker, m_useBurette, mySpecies, close})
        b->setAccessibleName(spoken(b->text()));

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_card);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_useBeaker);
    buttons->addWidget(m_useBurette);
    buttons->addStretch();
    buttons->addWidget(mySpecies);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(searchLabel);
    layout->addWidget(m_search);
    layout->addWidget(m_count);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_problem);
    layout->addLayout(buttons);
    resize(760, 620);
    reload();
}

void SoluteDatabaseWindow::reload() {
    const SoluteDatabaseRead read = loadSoluteDatabase(m_dataFolder);
    m_database = read.database;
    QString problem = utf8(read.error);
    const UserSolutesRead user = loadUserSolutes(m_userFile, m_language);
    if (user.error.empty())
        addUserSolutes(m_database, user.entries, m_language);
    else
        problem += (problem.isEmpty() ? "" : "\n") + utf8(user.error);
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    filter(m_search->text());
}

void SoluteDatabaseWindow::filter(const QString& query) {
    std::vector<SoluteMatch> matches;
    if (query.trimmed().isEmpty()) {
        for (std::size_t i = 0; i < m_database.entries.size(); ++i)
            matches.push_back({static_cast<int>(i), -1});
    } else {
        matches = searchSolutes(m_database, query.toStdString());
    }
    m_table->setSortingEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(matches.size()));
    int row = 0;
    for (const SoluteMatch& m : matches) {
        const SoluteEntry& e = m_database.entries[static_cast<std::size_t>(m.entry)];
        const SoluteCompound* c =
            m.compound >= 0 ? &m_database.compounds[static_cast<std::size_t>(m.compound)] : nullptr;
        const std::string& name = m_language == Language::English ? (c ? c->nameEn : e.nameEn)
                                                                  : (c ? c->nameFr : e.nameFr);
        QString pKa;
        for (double p : e.system.pKa)
            pKa += (pKa.isEmpty() ? "" : "  ") + utf8(formatGeneral(p, 6, m_separator));
        const QString cells[] = {utf8(name), utf8(c ? c->formula : e.formula), pKa, joinedKeys(e)};
        for (int column = 0; column < 4; ++column) {
            auto* item =
                column == 2 ? new PKaItem(cells[column]) : new QTableWidgetItem(cells[column]);
            item->setData(kEntryRole, m.entry);
            item->setData(kCompoundRole, m.compound);
            if (column == 2 && !e.system.pKa.empty())
                item->setData(kSortRole, e.system.pKa.front());
            if (column == 3) item->setToolTip(sourceLines(m_database, e, m_language));
            m_table->setItem(row, column, item);
        }
        ++row;
    }
    m_table->setSortingEnabled(true);
    m_count->setText(text(m_language, texts::kDatabaseCount)
                         .arg(matches.size())
                         .arg(m_database.entries.size() + m_database.compounds.size()));
    if (!matches.empty()) m_table->selectRow(0);
    showCard();
}

const SoluteEntry* SoluteDatabaseWindow::entryOfRow(int row) const {
    const QTableWidgetItem* item = row >= 0 ? m_table->item(row, 0) : nullptr;
    if (!item) return nullptr;
    const int entry = item->data(kEntryRole).toInt();
    if (entry < 0 || entry >= static_cast<int>(m_database.entries.size())) return nullptr;
    return &m_database.entries[static_cast<std::size_t>(entry)];
}

void SoluteDatabaseWindow::showCard() {
    const int row = m_table->currentRow();
    const SoluteEntry* e = entryOfRow(row);
    m_useBeaker->setEnabled(e != nullptr);
    m_useBurette->setEnabled(e != nullptr);
    if (!e) {
        m_card->clear();
        return;
    }
    QStringList lines;
    const int compound = m_table->item(row, 0)->data(kCompoundRole).toInt();
    if (compound >= 0) {
        const SoluteCompound& c = m_database.compounds[static_cast<std::size_t>(compound)];
        const bool en = m_language == Language::English;
        lines << text(m_language, texts::kDatabaseSalt)
                     .arg(utf8((en ? c.nameEn : c.nameFr) + " (" + c.formula + ")"),
                          utf8(en ? e->nameEn : e->nameFr));
    }
    for (const std::string& line : texts::soluteCard(m_database, *e, m_language, m_separator))
        lines << utf8(line);
    m_card->setPlainText(lines.join('\n'));
}

void SoluteDatabaseWindow::use(SoluteSide side) {
    if (const SoluteEntry* e = entryOfRow(m_table->currentRow())) emit soluteChosen(side, *e);
}

void SoluteDatabaseWindow::openMySpecies() {
    MySpeciesDialog editor(m_language, m_separator, m_userFile, this);
    editor.exec();
    reload();
}

} // namespace titralab
