#include "ui/windows/FreeSolutionsPanel.h"

#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/FreeFit.h"
#include "core/texts/FreeStudyTexts.h"
#include "ui/qt/Utf8Text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

constexpr FreeSide kSides[2] = {FreeSide::Beaker, FreeSide::Burette};
const QString kRefusedStyle = QStringLiteral("background: #ffd6d6;");

int sideIndex(FreeSide side) {
    return side == FreeSide::Beaker ? 0 : 1;
}

// Marks a control refused (visibly and for a screen reader), or clears the mark.
void markCell(QTableWidgetItem* item, const QString& message) {
    if (!item) return;
    item->setBackground(message.isEmpty() ? QBrush() : QBrush(QColor(255, 214, 214)));
    item->setToolTip(message);
}

void markField(QLineEdit* field, const QString& message) {
    field->setStyleSheet(message.isEmpty() ? QString() : kRefusedStyle);
    field->setToolTip(message);
    field->setAccessibleDescription(message);
}

} // namespace

FreeSolutionsPanel::FreeSolutionsPanel(Simulation& sim, QWidget* parent)
    : QWidget(parent), m_sim(sim) {
    setObjectName("freeSolutionsPanel");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    static constexpr const char* kNames[2][4] = {
        {"beakerTitle", "beakerRows", "addBeakerRowButton", "removeBeakerRowButton"},
        {"buretteTitle", "buretteRows", "addBuretteRowButton", "removeBuretteRowButton"}};
    int line = 0;
    for (int s = 0; s < 2; ++s) {
        const FreeSide side = kSides[s];
        m_titles[s] = new QLabel(this);
        m_titles[s]->setObjectName(kNames[s][0]);
        m_titles[s]->setStyleSheet("QLabel { font-weight: bold; }");
        m_tables[s] = new QTableWidget(0, 2, this);
        m_tables[s]->setObjectName(kNames[s][1]);
        m_tables[s]->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        m_tables[s]->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        // Four rows show at once; more scroll.
        const int rowHeight = fontMetrics().height() + 6;
        m_tables[s]->verticalHeader()->setDefaultSectionSize(rowHeight);
        m_tables[s]->setFixedHeight(5 * rowHeight + 6);
        m_tables[s]->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_tables[s]->setSelectionMode(QAbstractItemView::SingleSelection);
        m_tables[s]->installEventFilter(this);
        m_titles[s]->setBuddy(m_tables[s]);
        connect(m_tables[s], &QTableWidget::itemChanged, this,
                [this, side](QTableWidgetItem* item) {
                    if (!m_filling) rowEdited(side, item->row());
                });
        m_addButtons[s] = new QPushButton(this);
        m_addButtons[s]->setObjectName(kNames[s][2]);
        connect(m_addButtons[s], &QPushButton::clicked, this, [this, side] { addRow(side); });
        m_removeButtons[s] = new QPushButton(this);
        m_removeButtons[s]->setObjectName(kNames[s][3]);
        connect(m_removeButtons[s], &QPushButton::clicked, this, [this, side] { removeRow(side); });
        grid->addWidget(m_titles[s], line, 0);
        grid->addWidget(m_addButtons[s], line, 1);
        grid->addWidget(m_removeButtons[s], line, 2);
        grid->addWidget(m_tables[s], line + 1, 0, 1, 3);
        line += 2;
    }
    m_beakerVolumeLabel = new QLabel(this);
    m_beakerVolumeLabel->setObjectName("freeBeakerVolumeLabel");
    m_beakerVolume = new QLineEdit(this);
    m_beakerVolume->setObjectName("freeBeakerVolumeField");
    m_maxVolumeLabel = new QLabel(this);
    m_maxVolumeLabel->setObjectName("freeMaxVolumeLabel");
    m_maxVolume = new QLineEdit(this);
    m_maxVolume->setObjectName("freeMaxVolumeField");
    m_beakerVolumeLabel->setBuddy(m_beakerVolume);
    m_maxVolumeLabel->setBuddy(m_maxVolume);
    for (QLineEdit* field : {m_beakerVolume, m_maxVolume}) {
        field->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000,000")) + 12);
        connect(field, &QLineEdit::textEdited, this, [this] { volumeEdited(); });
    }
    grid->setColumnStretch(0, 1);
    grid->addWidget(m_beakerVolumeLabel, line, 0, 1, 2);
    grid->addWidget(m_beakerVolume, line, 2);
    grid->addWidget(m_maxVolumeLabel, line + 1, 0, 1, 2);
    grid->addWidget(m_maxVolume, line + 1, 2);
    m_sliderLabel = new QLabel(this);
    m_sliderLabel->setObjectName("freeSliderLabel");
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName("freeConcentrationSlider");
    m_slider->setRange(0, kFreeSliderSteps * kFreeSliderDecades);
    m_slider->setPageStep(kFreeSliderSteps / 5);
    m_slider->setEnabled(false);
    m_sliderLabel->setBuddy(m_slider);
    connect(m_slider, &QSlider::valueChanged, this, [this](int p) { slide(p); });
    for (int s = 0; s < 2; ++s)
        connect(m_tables[s], &QTableWidget::currentCellChanged, this,
                [this, side = kSides[s]] { followChosenRow(side); });
    grid->addWidget(m_sliderLabel, line + 2, 0);
    grid->addWidget(m_slider, line + 2, 1, 1, 2);
    // The pKa slider: hundredths of a pKa from -2 to 16, for a row that is one system.
    m_pKaLabel = new QLabel(this);
    m_pKaLabel->setObjectName("freePKaSliderLabel");
    m_pKaChoice = new QComboBox(this);
    m_pKaChoice->setObjectName("freePKaChoice");
    m_pKaSlider = new QSlider(Qt::Horizontal, this);
    m_pKaSlider->setObjectName("freePKaSlider");
    m_pKaSlider->setRange(-200, 1600);
    m_pKaSlider->setPageStep(50);
    m_pKaLabel->setBuddy(m_pKaChoice);
    for (QWidget* w : std::initializer_list<QWidget*>{m_pKaChoice, m_pKaSlider}) w->setEnabled(false);
    connect(m_pKaChoice, &QComboBox::currentIndexChanged, this, [this] { followChosenPKa(); });
    connect(m_pKaSlider, &QSlider::valueChanged, this, [this](int p) { slidePKa(p); });
    auto* pKaRow = new QHBoxLayout;
    pKaRow->addWidget(m_pKaChoice);
    pKaRow->addWidget(m_pKaSlider, 1);
    grid->addWidget(m_pKaLabel, line + 3, 0);
    grid->addLayout(pKaRow, line + 3, 1, 1, 2);
    line += 2;
    m_hint = new QLabel(this);
    m_hint->setObjectName("freeRowsHint");
    m_hint->setWordWrap(true);
    m_message = new QLabel(this);
    m_message->setObjectName("freeMessageLabel");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("QLabel { color: #a00000; }");
    grid->addWidget(m_hint, line + 2, 0, 1, 3);
    grid->addWidget(m_message, line + 3, 0, 1, 3);
    showInputs();
}

void FreeSolutionsPanel::retranslate() {
    const Language lang = m_sim.language;
    const Text addNames[2] = {texts::kFreeAddBeakerRow, texts::kFreeAddBuretteRow};
    const Text removeNames[2] = {texts::kFreeRemoveBeakerRow, texts::kFreeRemoveBuretteRow};
    for (int s = 0; s < 2; ++s) {
        m_titles[s]->setText(text(lang, s == 0 ? texts::kFreeBeaker : texts::kFreeBurette));
        m_tables[s]->setHorizontalHeaderLabels(
            {text(lang, texts::kFreeWhatHeader), text(lang, texts::kFreeConcentrationHeader)});
        m_tables[s]->setAccessibleName(m_titles[s]->text());
        m_addButtons[s]->setText(text(lang, texts::kFreeAddRow));
        m_addButtons[s]->setAccessibleName(text(lang, addNames[s]));
        m_addButtons[s]->setToolTip(text(lang, addNames[s]));
        m_removeButtons[s]->setText(text(lang, texts::kFreeRemoveRow));
        m_removeButtons[s]->setAccessibleName(text(lang, removeNames[s]));
        m_removeButtons[s]->setToolTip(text(lang, removeNames[s]));
    }
    m_beakerVolumeLabel->setText(text(lang, texts::kFreeBeakerVolumeLabel));
    m_maxVolumeLabel->setText(text(lang, texts::kFreeMaxVolumeLabel));
    m_beakerVolume->setAccessibleName(m_beakerVolumeLabel->text());
    m_maxVolume->setAccessibleName(m_maxVolumeLabel->text());
    m_hint->setText(text(lang, texts::kFreeRowsHint));
    m_sliderLabel->setText(text(lang, texts::kFreeSliderLabel));
    m_pKaLabel->setText(text(lang, texts::kFreePKaSliderLabel));
    m_pKaChoice->setAccessibleName(m_pKaLabel->text().remove('&').remove(':').trimmed());
    if (m_sliderRow < 0)
        m_pKaSlider->setAccessibleName(text(lang, texts::kFreePKaSliderName).trimmed());
    if (m_sliderRow < 0) m_slider->setAccessibleName(m_sliderLabel->text().remove('&').remove(':').trimmed());
}

void FreeSolutionsPanel::showInputs() {
    retranslate();
    const FreeStudyInputs& inputs = m_sim.freeStudy.inputs;
    m_filling = true;
    for (int s = 0; s < 2; ++s) {
        const std::vector<FreeRow>& rows = inputs.rows(kSides[s]);
        QTableWidget* t = m_tables[s];
        t->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const FreeRow& row = rows[static_cast<std::size_t>(r)];
            t->setItem(r, 0, new QTableWidgetItem(utf8(row.what)));
            t->setItem(r, 1, new QTableWidgetItem(utf8(row.concentration)));
        }
    }
    m_filling = false;
    if (m_beakerVolume->text() != utf8(inputs.beakerVolume))
        m_beakerVolume->setText(utf8(inputs.beakerVolume));
    if (m_maxVolume->text() != utf8(inputs.maxVolume)) m_maxVolume->setText(utf8(inputs.maxVolume));
    check();
}

// The slider follows the row last chosen in either table: its concentration, on a logarithmic
// scale; moving it writes the row's concentration, as typing would.
void FreeSolutionsPanel::followChosenRow(FreeSide side) {
    const int row = table(side)->currentRow();
    const std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(side);
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    m_sliderSide = side;
    m_sliderRow = row;
    const FreeRow& chosen = rows[static_cast<std::size_t>(row)];
    const QSignalBlocker guard(m_slider);
    m_slider->setValue(freeSliderPosition(chosen.concentration));
    m_slider->setEnabled(true);
    const QString name = utf8(chosen.what);
    m_slider->setAccessibleName(text(m_sim.language, texts::kFreeSliderName) + name);
    m_slider->setAccessibleDescription(utf8(chosen.concentration) + " mol/L");
    // The pKa of the row, when it is one system.
    const int acidities = freeRowAcidities(chosen);
    {
        const QSignalBlocker guard(m_pKaChoice);
        const int kept = m_pKaChoice->currentIndex();
        m_pKaChoice->clear();
        for (int k = 1; k <= acidities; ++k) m_pKaChoice->addItem(QStringLiteral("pKa%1").arg(k));
        if (kept >= 0 && kept < acidities) m_pKaChoice->setCurrentIndex(kept);
    }
    m_pKaChoice->setEnabled(acidities > 0);
    m_pKaSlider->setEnabled(acidities > 0);
    m_pKaSlider->setAccessibleName(text(m_sim.language, texts::kFreePKaSliderName) + name);
    followChosenPKa();
}

void FreeSolutionsPanel::followChosenPKa() {
    const std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(m_sliderSide);
    const int k = m_pKaChoice->currentIndex() + 1;
    if (m_sliderRow < 0 || m_sliderRow >= static_cast<int>(rows.size()) || k < 1) return;
    const FreeRow& row = rows[static_cast<std::size_t>(m_sliderRow)];
    if (k > freeRowAcidities(row)) return;
    std::vector<double> pK = row.resolved.front().system.pKa;
    std::sort(pK.begin(), pK.end());
    const QSignalBlocker guard(m_pKaSlider);
    m_pKaSlider->setValue(static_cast<int>(std::lround(pK[static_cast<std::size_t>(k - 1)] * 100)));
}

void FreeSolutionsPanel::slidePKa(int position) {
    const int k = m_pKaChoice->currentIndex() + 1;
    const std::optional<double> set = setFreeRowPKa(m_sim.freeStudy.inputs, m_sliderSide,
                                                    m_sliderRow, k, position / 100.0);
    if (!set) return;
    const FreeRow& row = m_sim.freeStudy.inputs.rows(m_sliderSide)[static_cast<std::size_t>(m_sliderRow)];
    m_filling = true;
    if (QTableWidgetItem* cell = table(m_sliderSide)->item(m_sliderRow, 0))
        cell->setText(utf8(row.what));
    m_filling = false;
    // A pKa kept between its neighbours puts the slider back where it stopped.
    if (std::lround(*set * 100) != position) {
        const QSignalBlocker guard(m_pKaSlider);
        m_pKaSlider->setValue(static_cast<int>(std::lround(*set * 100)));
    }
    m_pKaSlider->setAccessibleDescription(QStringLiteral("pKa%1 = ").arg(k) +
                                          utf8(formatGeneral(*set, 4, m_sim.exportSettings.decimalComma ? ',' : '.')));
    markStudyChanged(m_sim);
    check();
    emit edited();
}

void FreeSolutionsPanel::slide(int position) {
    std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(m_sliderSide);
    if (m_sliderRow < 0 || m_sliderRow >= static_cast<int>(rows.size())) return;
    const FreeRow& row = rows[static_cast<std::size_t>(m_sliderRow)];
    const std::string concentration =
        freeSliderConcentration(position, m_sim.exportSettings.decimalComma);
    setFreeRow(m_sim.freeStudy.inputs, m_sliderSide, m_sliderRow, row.what, concentration);
    m_filling = true;
    if (QTableWidgetItem* cell = table(m_sliderSide)->item(m_sliderRow, 1))
        cell->setText(utf8(concentration));
    m_filling = false;
    m_slider->setAccessibleDescription(utf8(concentration) + " mol/L");
    markStudyChanged(m_sim);
    check();
    emit edited();
}

QString FreeSolutionsPanel::message() const {
    return m_message->text();
}

void FreeSolutionsPanel::addSolute(FreeSide side, const QString& systemName) {
    std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(side);
    if (static_cast<int>(rows.size()) >= kMaxFreeRows) return;
    rows.push_back({systemName.toStdString(), m_sim.exportSettings.decimalComma ? "0,1" : "0.1", {}, {}});
    showInputs();
    table(side)->setCurrentCell(static_cast<int>(rows.size()) - 1, 0);
    emit edited();
}

void FreeSolutionsPanel::addSolute(FreeSide side, const SoluteEntry& entry) {
    std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(side);
    if (static_cast<int>(rows.size()) >= kMaxFreeRows) return;
    const std::string name = m_sim.language == Language::French ? entry.nameFr : entry.nameEn;
    rows.push_back({name, m_sim.exportSettings.decimalComma ? "0,1" : "0.1",
                    {systemSolute(entry.system, 1, name)}, entry.formula});
    showInputs();
    table(side)->setCurrentCell(static_cast<int>(rows.size()) - 1, 0);
    emit edited();
}

void FreeSolutionsPanel::addRow(FreeSide side) {
    std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(side);
    if (static_cast<int>(rows.size()) >= kMaxFreeRows) return;
    rows.push_back({"", m_sim.exportSettings.decimalComma ? "0,1" : "0.1", {}, {}});
    showInputs();
    QTableWidget* t = table(side);
    t->setFocus(Qt::OtherFocusReason);
    t->setCurrentCell(static_cast<int>(rows.size()) - 1, 0);
    t->editItem(t->currentItem());
    emit edited();
}

void FreeSolutionsPanel::removeRow(FreeSide side) {
    std::vector<FreeRow>& rows = m_sim.freeStudy.inputs.rows(side);
    if (rows.empty()) return;
    const int current = table(side)->currentRow();
    const int row = current >= 0 && current < static_cast<int>(rows.size())
                        ? current
                        : static_cast<int>(rows.size()) - 1;
    rows.erase(rows.begin() + row);
    showInputs();
    if (!rows.empty())
        table(side)->setCurrentCell(std::min(row, static_cast<int>(rows.size()) - 1), 0);
    emit edited();
}

bool FreeSolutionsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        for (int s = 0; s < 2; ++s) {
            // While a cell is edited its editor has the keys: Delete then erases text.
            if (watched != m_tables[s]) continue;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Insert) {
                addRow(kSides[s]);
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                removeRow(kSides[s]);
                return true;
            }
        }
    return QWidget::eventFilter(watched, event);
}

void FreeSolutionsPanel::rowEdited(FreeSide side, int row) {
    QTableWidget* t = table(side);
    auto cellText = [t, row](int column) {
        const QTableWidgetItem* item = t->item(row, column);
        return item ? item->text().trimmed().toStdString() : std::string();
    };
    setFreeRow(m_sim.freeStudy.inputs, side, row, cellText(0), cellText(1));
    markStudyChanged(m_sim);
    check();
    emit edited();
}

void FreeSolutionsPanel::volumeEdited() {
    FreeStudyInputs& inputs = m_sim.freeStudy.inputs;
    inputs.beakerVolume = m_beakerVolume->text().trimmed().toStdString();
    inputs.maxVolume = m_maxVolume->text().trimmed().toStdString();
    markStudyChanged(m_sim);
    check();
    emit edited();
}

void FreeSolutionsPanel::check() {
    const Language lang = m_sim.language;
    const FreeStudyInputs& inputs = m_sim.freeStudy.inputs;
    QStringList messages;
    m_filling = true;
    for (int s = 0; s < 2; ++s) {
        const std::vector<FreeRow>& rows = inputs.rows(kSides[s]);
        if (rows.empty())
            messages << text(lang, s == 0 ? texts::kFreeBeaker : texts::kFreeBurette) +
                            utf8(kColon.in(lang)) + text(lang, texts::kFreeNoRow);
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const FreeRowReading read = readFreeRow(rows[static_cast<std::size_t>(r)], kSides[s],
                                                    r + 1, m_sim.freeStudy.database.get(), lang);
            const QString message = read.problem ? utf8(*read.problem) : QString();
            // The concentration's refusal marks its cell; any other marks the name.
            const bool concentration =
                read.problem && !ParseBoundedNumber(rows[static_cast<std::size_t>(r)].concentration,
                                                    kItemMinConcentration, kItemMaxConcentration)
                                     .ok;
            markCell(m_tables[s]->item(r, 0), concentration ? QString() : message);
            markCell(m_tables[s]->item(r, 1), concentration ? message : QString());
            if (read.problem) messages << message;
        }
    }
    m_filling = false;
    const BoundedNumber v0 = ParseBoundedNumber(inputs.beakerVolume, 0, kMaxFreeVolumeMl);
    const QString volumeMessage =
        v0.ok && v0.value > 0 ? QString() : text(lang, texts::kFreeBeakerVolumeMessage);
    markField(m_beakerVolume, volumeMessage);
    if (!volumeMessage.isEmpty()) messages << volumeMessage;
    const BoundedNumber vmax = ParseBoundedNumber(inputs.maxVolume, 0, kMaxFreeVolumeMl);
    const QString maxMessage = inputs.maxVolume.empty() || (vmax.ok && vmax.value > 0)
                                   ? QString()
                                   : text(lang, texts::kFreeMaxVolumeMessage);
    markField(m_maxVolume, maxMessage);
    if (!maxMessage.isEmpty()) messages << maxMessage;
    m_message->setText(messages.join('\n'));
    m_message->setAccessibleDescription(m_message->text());
}

} // namespace titralab
