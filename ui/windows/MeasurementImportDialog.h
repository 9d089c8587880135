// The import of a measurement file: the beginning of the file, the columns found, and the
// choice of the volume, pH and conductivity columns and of their units.
#pragma once

#include "core/base/Language.h"
#include "core/sheets/MeasurementFile.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace titralab {

class MeasurementImportDialog : public QDialog {
    Q_OBJECT
  public:
    MeasurementImportDialog(const sheets::MeasurementTable& table, Language language,
                            QWidget* parent = nullptr);

    // The choices as the dialog shows them: proposed when it opens, then the user's.
    sheets::ColumnChoice choice() const;
    sheets::Unit volumeUnit() const;
    sheets::Unit conductivityUnit() const;
    // Whether the units were read in the file's header (else proposed, and said so).
    bool volumeUnitRead() const;
    bool conductivityUnitRead() const;

  private:
    void updateUnits();
    void updateAcceptance();

    const sheets::MeasurementTable& m_table;
    Language m_language;
    QPlainTextEdit* m_preview{nullptr};
    QLabel* m_found{nullptr};
    QLabel* m_badLines{nullptr};
    QComboBox* m_volume{nullptr};
    QComboBox* m_pH{nullptr};
    QComboBox* m_conductivity{nullptr};
    QComboBox* m_volumeUnit{nullptr};
    QComboBox* m_conductivityUnit{nullptr};
    QLabel* m_refusal{nullptr};
    QPushButton* m_import{nullptr};
};

} // namespace titralab
