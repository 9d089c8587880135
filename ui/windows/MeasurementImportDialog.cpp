#include "ui/windows/MeasurementImportDialog.h"

#include "core/texts/MeasurementTexts.h"
#include "ui/qt/Utf8Text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace titralab {

using sheets::Unit;

namespace {

constexpr Unit kVolumeUnits[]{Unit::Millilitre, Unit::Litre};
constexpr Unit kConductivityUnits[]{Unit::SiemensPerMetre, Unit::MilliSiemensPerMetre,
                                    Unit::MilliSiemensPerCentimetre, Unit::MicroSiemensPerCentimetre,
                                    Unit::SiemensPerCentimetre};

// A combo box of the table's columns, "(aucune)" first when the column may be left out.
QComboBox* columnBox(const sheets::MeasurementTable& table, Language language, bool optional,
                     int selected, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    if (optional) box->addItem(text(language, texts::kImportNoColumn), -1);
    for (std::size_t j = 0; j < table.columns.size(); ++j)
        box->addItem(text(language, texts::kImportColumn) + QString::number(j + 1) + " : " +
                         utf8(table.columns[j].name),
                     static_cast<int>(j));
    box->setCurrentIndex(std::max(0, box->findData(selected)));
    return box;
}

template <std::size_t N>
QComboBox* unitBox(const Unit (&units)[N], Unit selected, const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const Unit u : units) box->addItem(utf8(sheets::unitSymbol(u)), static_cast<int>(u));
    box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(selected))));
    return box;
}

} // namespace

MeasurementImportDialog::MeasurementImportDialog(const sheets::MeasurementTable& table,
                                                 Language language, QWidget* parent)
    : QDialog(parent), m_table(table), m_language(language) {
    setObjectName("measurementImportDialog");
    setWindowTitle(text(language, texts::kImportTitle));
    const sheets::ColumnChoice proposed = sheets::proposeColumns(table);

    auto* previewLabel = new QLabel(text(language, texts::kImportPreview), this);
    m_preview = new QPlainTextEdit(this);
    m_preview->setObjectName("importPreview");
    m_preview->setReadOnly(true);
    m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_preview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QStringList lines;
    for (const auto& line : table.preview) lines << utf8(line);
    m_preview->setPlainText(lines.join('\n'));
    m_preview->setAccessibleName(previewLabel->text());
    previewLabel->setBuddy(m_preview);

    m_found = new QLabel(QString::number(table.columns.size()) + text(language, texts::kImportFound) +
                             QString::number(table.rows.size()) + text(language, texts::kImportRows),
                         this);
    m_found->setObjectName("importFound");
    m_badLines = new QLabel(utf8(sheets::badLinesText(table, language)), this);
    m_badLines->setObjectName("importBadLines");
    m_badLines->setVisible(table.badLineCount > 0 || table.droppedRows > 0);

    m_volume = columnBox(table, language, false, proposed.volume, "importVolumeColumn", this);
    m_pH = columnBox(table, language, true, proposed.pH, "importPHColumn", this);
    m_conductivity =
        columnBox(table, language, true, proposed.conductivity, "importConductivityColumn", this);
    m_volumeUnit = unitBox(kVolumeUnits, sheets::proposedVolumeUnit(table, proposed.volume),
                           "importVolumeUnit", this);
    m_conductivityUnit =
        unitBox(kConductivityUnits, Unit::MilliSiemensPerCentimetre, "importConductivityUnit", this);

    auto* form = new QFormLayout;
    const auto addRow = [&](const Text& caption, QComboBox* box) {
        auto* label = new QLabel(text(language, caption), this);
        label->setBuddy(box);
        box->setAccessibleName(label->text().remove('&'));
        form->addRow(label, box);
    };
    addRow(texts::kImportVolume, m_volume);
    addRow(texts::kImportVolumeUnit, m_volumeUnit);
    addRow(texts::kImportPH, m_pH);
    addRow(texts::kImportConductivity, m_conductivity);
    addRow(texts::kImportConductivityUnit, m_conductivityUnit);

    m_refusal = new QLabel(text(language, texts::kImportNeedsValues), this);
    m_refusal->setObjectName("importRefusal");
    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(text(language, texts::kImportAccept), QDialogButtonBox::AcceptRole);
    m_import->setObjectName("importButton");
    m_import->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(text(language, texts::kImportCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName("importCancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_found);
    layout->addWidget(m_badLines);
    layout->addLayout(form);
    layout->addWidget(m_refusal);
    layout->addWidget(buttons);

    for (QComboBox* box : {m_volume, m_pH, m_conductivity})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
            updateUnits();
            updateAcceptance();
        });
    updateUnits();
    updateAcceptance();
    resize(560, 460);
}

sheets::ColumnChoice MeasurementImportDialog::choice() const {
    return {m_volume->currentData().toInt(), m_pH->currentData().toInt(),
            m_conductivity->currentData().toInt()};
}

Unit MeasurementImportDialog::volumeUnit() const {
    return static_cast<Unit>(m_volumeUnit->currentData().toInt());
}
Unit MeasurementImportDialog::conductivityUnit() const {
    return static_cast<Unit>(m_conductivityUnit->currentData().toInt());
}

bool MeasurementImportDialog::volumeUnitRead() const {
    const int column = choice().volume;
    return column >= 0 && m_table.columns[column].unit == volumeUnit();
}
bool MeasurementImportDialog::conductivityUnitRead() const {
    const int column = choice().conductivity;
    return column >= 0 && m_table.columns[column].unit == conductivityUnit();
}

// A column whose header names its unit shows it; otherwise the proposal stays, to be checked.
void MeasurementImportDialog::updateUnits() {
    const auto c = choice();
    const auto select = [](QComboBox* box, Unit u) {
        if (u != Unit::None) box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(u))));
    };
    if (c.volume >= 0) select(m_volumeUnit, sheets::proposedVolumeUnit(m_table, c.volume));
    if (c.conductivity >= 0) select(m_conductivityUnit, m_table.columns[c.conductivity].unit);
    m_conductivityUnit->setEnabled(c.conductivity >= 0);
}

void MeasurementImportDialog::updateAcceptance() {
    const auto c = choice();
    const bool values = (c.pH >= 0 && c.pH != c.volume) || (c.conductivity >= 0 && c.conductivity != c.volume);
    m_import->setEnabled(values);
    m_refusal->setVisible(!values);
}

} // namespace titralab
