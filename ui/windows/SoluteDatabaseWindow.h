// "Base de données des solutés": the systems and salts of the shipped database and of the
// teacher's own entries in a table (name, formula, pKa, source) filtered by one search and
// sortable; the card of the chosen entry; "Utiliser" puts its system into the beaker or the
// burette of the free study (whoever listens to `soluteChosen`); "Mes espèces…" opens the editor
// of the teacher's entries.
#pragma once

#include "core/base/Language.h"
#include "core/chemistry/SoluteDatabase.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace titralab {

enum class SoluteSide { Beaker, Burette };

class SoluteDatabaseWindow : public QDialog {
    Q_OBJECT
  public:
    // The database of `dataFolder` and the teacher's entries of `userFile`; texts in `language`,
    // numbers with `separator`.
    SoluteDatabaseWindow(Language language, char separator, std::string dataFolder,
                         std::string userFile, QWidget* parent = nullptr);

    // Reads the files again (after the editor changed the teacher's entries) and filters.
    void reload();
    // The rows shown for a search text (as typed in the field).
    void filter(const QString& query);
    // The entry of a row of the table as shown (after sorting), nullptr when none.
    const SoluteEntry* entryOfRow(int row) const;
    const SoluteDatabase& database() const { return m_database; }

  signals:
    // "Utiliser": the system of the chosen entry (a salt brings its system), for one side.
    void soluteChosen(titralab::SoluteSide side, const titralab::SoluteEntry& entry);

  private:
    void showCard();
    void use(SoluteSide side);
    void openMySpecies();

    Language m_language;
    char m_separator;
    std::string m_dataFolder;
    std::string m_userFile;
    SoluteDatabase m_database;
    QLineEdit* m_search{nullptr};
    QTableWidget* m_table{nullptr};
    QLabel* m_count{nullptr};
    QPlainTextEdit* m_card{nullptr};
    QLabel* m_problem{nullptr};
    QPushButton* m_useBeaker{nullptr};
    QPushButton* m_useBurette{nullptr};
};

} // namespace titralab
