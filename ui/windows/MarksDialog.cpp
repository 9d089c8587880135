#include "ui/windows/MarksDialog.h"

#include "core/base/Notifier.h"
#include "core/session/WorkbookModule.h"
#include "core/system/WholeFile.h"
#include "core/texts/ExerciseTexts.h"
#include "ui/qt/Clipboard.h"
#include "ui/qt/Utf8Text.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace titralab {

MarksDialog::MarksDialog(const ExerciseKey& key, const std::vector<FileMark>& marks,
                         Language language, Notifier& notifier, QWidget* parent)
    : QDialog(parent), m_title(key.title), m_language(language), m_notifier(notifier),
      m_rows(marksTable(key, marks, language)) {
    setObjectName("marksDialog");
    setWindowTitle(text(language, texts::kMarksTitle));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(utf8(key.title), this);
    title->setObjectName("marksTitle");
    layout->addWidget(title);

    const int columns = m_rows.empty() ? 0 : static_cast<int>(m_rows.front().size());
    m_table = new QTableWidget(static_cast<int>(m_rows.size()) - 1, columns, this);
    m_table->setObjectName("marksTable");
    m_table->setAccessibleName(text(language, texts::kMarksTableName));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    for (int c = 0; c < columns; ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem(utf8(m_rows[0][c].text)));
    for (std::size_t r = 1; r < m_rows.size(); ++r) {
        // A flagged file's row holds fewer cells: its reason spans the rest.
        const std::vector<MarksCell>& row = m_rows[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            auto* item = new QTableWidgetItem(utf8(row[c].text));
            if (row[c].number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
        }
        if (row.size() < static_cast<std::size_t>(columns) && row.size() >= 3)
            m_table->setSpan(static_cast<int>(r) - 1, static_cast<int>(row.size()) - 1, 1,
                             columns - static_cast<int>(row.size()) + 1);
    }
    m_table->resizeColumnsToContents();
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const Text& caption, auto handler) {
        auto* b = new QPushButton(text(language, caption), this);
        b->setObjectName(name);
        b->setAccessibleName(text(language, caption).remove('&'));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        buttons->addWidget(b);
        return b;
    };
    button("copyButton", texts::kMarksCopy, [this] { copyMarks(); });
    button("workbookButton", texts::kMarksSaveWorkbook, [this] { saveWorkbook(); });
    button("csvButton", texts::kMarksSaveCsv, [this] { saveCsv(); });
    buttons->addStretch(1);
    button("closeButton", texts::kMarksClose, [this] { accept(); });
    layout->addLayout(buttons);
    resize(900, 420);
}

void MarksDialog::copyMarks() {
    clipboard::putTable(marksText(m_rows, '\t'));
    m_notifier.inform(texts::kMarksCopied.in(m_language));
}

QString MarksDialog::chooseSave(const QString& filter) {
    if (m_chooseSave) return m_chooseSave(filter);
    return QFileDialog::getSaveFileName(this, text(m_language, texts::kMarksTitle),
                                        QDir::homePath(), filter);
}

bool MarksDialog::saveWorkbook() {
    QString path = chooseSave(text(m_language, texts::kMarksWorkbookFilter));
    if (path.isEmpty()) return false;
    if (!path.endsWith(".xlsx", Qt::CaseInsensitive)) path += ".xlsx";
    const WorkbookResult written =
        writeMarksWorkbookWithModule(m_title, m_rows, path.toStdString(), m_language);
    if (!written.ok) {
        m_notifier.error(written.error);
        return false;
    }
    if (!written.notice.empty()) m_notifier.inform(written.notice);
    return true;
}

bool MarksDialog::saveCsv() {
    QString path = chooseSave(text(m_language, texts::kMarksCsvFilter));
    if (path.isEmpty()) return false;
    if (!path.endsWith(".csv", Qt::CaseInsensitive)) path += ".csv";
    // With the decimal comma, the cells are separated by semicolons.
    const char separator = m_language == Language::French ? ';' : ',';
    const WholeFileResult written =
        writeWholeFile(path.toStdString(), marksText(m_rows, separator), m_language);
    if (!written.ok()) {
        m_notifier.error(written.error);
        return false;
    }
    if (!written.notice.empty()) m_notifier.inform(written.notice);
    return true;
}

} // namespace titralab
