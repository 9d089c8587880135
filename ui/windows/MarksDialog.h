// The marks of an exercise's answered files: a table (student, file, per question the answer,
// the expected value, right or not and the points, then the total), copied to the clipboard or
// saved as a workbook or a CSV file.
#pragma once

#include "core/base/Language.h"
#include "core/session/Exercise.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTableWidget;

namespace titralab {

class Notifier;

class MarksDialog : public QDialog {
    Q_OBJECT
  public:
    MarksDialog(const ExerciseKey& key, const std::vector<FileMark>& marks, Language language,
                Notifier& notifier, QWidget* parent = nullptr);

    // The table shown, heading row first.
    const std::vector<std::vector<MarksCell>>& rows() const { return m_rows; }
    // Who names the file a save writes (given the file filter); by default a file dialog.
    void setSaveChooser(std::function<QString(const QString& filter)> choose) {
        m_chooseSave = std::move(choose);
    }

    void copyMarks();
    bool saveWorkbook();
    bool saveCsv();

  private:
    QString chooseSave(const QString& filter);

    std::string m_title;
    Language m_language;
    Notifier& m_notifier;
    std::vector<std::vector<MarksCell>> m_rows;
    QTableWidget* m_table{nullptr};
    std::function<QString(const QString&)> m_chooseSave;
};

} // namespace titralab
