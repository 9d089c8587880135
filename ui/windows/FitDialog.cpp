#include "ui/windows/FitDialog.h"
#include "ui/qt/Utf8Text.h"

#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/texts/StudyTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {
// Without the mnemonic and the colon: what a screen reader says.
QString spoken(QString text) {
    text.remove('&');
    if (text.endsWith(':')) text.chop(1);
    return text.trimmed();
}
} // namespace

FitDialog::FitDialog(const Simulation& sim, QWidget* parent) : QDialog(parent), m_sim(sim) {
    setObjectName("fitDialog");
    setWindowTitle(text(m_sim.language, texts::kFitTitle));
    setModal(true);
    QGroupBox* freeGroup = buildFreeValues();
    QFormLayout* measures = buildMeasureFields();
    buildResults();
    buildResidualPlot();
    buildButtons();
    auto* left = new QVBoxLayout;
    left->addWidget(freeGroup);
    left->addLayout(measures);
    left->addWidget(m_table, 1);
    left->addWidget(m_notice);
    left->addWidget(m_message);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(m_plot, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    auto* all = new QVBoxLayout(this);
    all->addLayout(body, 1);
    all->addLayout(buttons);
}

// A box per value the fit may free.
QGroupBox* FitDialog::buildFreeValues() {
    const Language language = m_sim.language;
    auto* freeGroup = new QGroupBox(text(language, texts::kFitFree), this);
    freeGroup->setObjectName("freeValuesGroup");
    auto* freeColumn = new QVBoxLayout(freeGroup);
    m_freeStudy = m_sim.panel.study == Study::FreeSolutions;
    if (m_freeStudy)
        for (const FreeRowValue& v : freeRowValues(m_sim)) {
            auto* box = new QCheckBox(
                utf8(freeRowValueCaption(m_sim.freeStudy.inputs, v, language)), freeGroup);
            box->setObjectName(QStringLiteral("freeValue_%1").arg(utf8(freeRowValueName(v))));
            box->setAccessibleName(spoken(box->text()));
            connect(box, &QCheckBox::toggled, this, &FitDialog::refit);
            freeColumn->addWidget(box);
            m_freeRows.emplace_back(v, box);
        }
    for (FitValue v : fittableValues(m_sim)) {
        auto* box = new QCheckBox(utf8(fitValueCaption(v, language)), freeGroup);
        box->setObjectName(QStringLiteral("freeValue%1").arg(utf8(std::string(fitValueName(v)))));
        box->setAccessibleName(spoken(box->text()));
        connect(box, &QCheckBox::toggled, this, &FitDialog::refit);
        freeColumn->addWidget(box);
        m_free[static_cast<int>(v)] = box;
    }
    freeColumn->addStretch();

    return freeGroup;
}

QFormLayout* FitDialog::buildMeasureFields() {
    const Language language = m_sim.language;
    const char separator = m_sim.exportSettings.decimalComma ? ',' : '.';
    // The points: their volumes' unit, and what a reading is worth.
    m_unit = new QComboBox(this);
    m_unit->setObjectName("volumeUnitChoice");
    m_unit->addItem(QStringLiteral("L"));
    m_unit->addItem(QStringLiteral("mL"));
    m_unit->setCurrentIndex(m_sim.pasted.inMillilitres ? 1 : 0);
    connect(m_unit, qOverload<int>(&QComboBox::currentIndexChanged), this, &FitDialog::refit);
    const FitSettings defaults;
    m_sigmaPH = new QLineEdit(utf8(formatGeneral(defaults.sigmaPH, 3, separator)), this);
    m_sigmaPH->setObjectName("pHUncertaintyField");
    m_sigmaVolume = new QLineEdit(utf8(formatGeneral(defaults.sigmaVolumeMl, 3, separator)), this);
    m_sigmaVolume->setObjectName("volumeUncertaintyField");
    for (QLineEdit* e : {m_sigmaPH, m_sigmaVolume}) {
        e->setMaxLength(20);
        connect(e, &QLineEdit::editingFinished, this, &FitDialog::refit);
    }
    auto* measures = new QFormLayout;
    auto* unitLabel = new QLabel(text(language, texts::kFitUnit), this);
    unitLabel->setBuddy(m_unit);
    measures->addRow(unitLabel, m_unit);
    measures->addRow(text(language, texts::kFitSigmaPH), m_sigmaPH);
    measures->addRow(text(language, texts::kFitSigmaVolume), m_sigmaVolume);
    m_unit->setAccessibleName(spoken(text(language, texts::kFitUnit)));
    m_sigmaPH->setAccessibleName(spoken(text(language, texts::kFitSigmaPH)));
    m_sigmaVolume->setAccessibleName(spoken(text(language, texts::kFitSigmaVolume)));

    return measures;
}

void FitDialog::buildResults() {
    const Language language = m_sim.language;
    // The results: a table whose cells a screen reader announces with their column's header.
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName("fitResults");
    m_table->setAccessibleName(text(language, texts::kFitResultsName));
    m_table->setHorizontalHeaderLabels({text(language, texts::kFitNameHeader),
                                        text(language, texts::kFitValueHeader),
                                        text(language, texts::kFitUncertaintyHeader)});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->setMinimumWidth(420);

    m_message = new QLabel(this);
    m_message->setObjectName("fitMessage");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("QLabel { color: #a00000; }");
    m_notice = new QLabel(this);
    m_notice->setObjectName("excludedPointsField");
    m_notice->setWordWrap(true);

}

void FitDialog::buildResidualPlot() {
    const Language language = m_sim.language;
    // The residual plot: pH measured - pH computed against the volume, with the zero line.
    auto* chart = new QChart;
    chart->setTitle(text(language, texts::kFitResidualTitle));
    chart->legend()->hide();
    m_residuals = new QScatterSeries;
    m_residuals->setMarkerSize(7);
    m_residuals->setColor(QColor(0, 120, 130));
    m_zero = new QLineSeries;
    m_zero->setColor(QColor(100, 100, 100));
    chart->addSeries(m_zero);
    chart->addSeries(m_residuals);
    m_axisX = new QValueAxis;
    m_axisY = new QValueAxis;
    m_axisY->setTitleText(text(language, texts::kFitResidualAxis));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(m_zero), static_cast<QAbstractSeries*>(m_residuals)}) {
        s->attachAxis(m_axisX);
        s->attachAxis(m_axisY);
    }
    m_plot = new QChartView(chart, this);
    m_plot->setObjectName("residualsChart");
    m_plot->setAccessibleName(text(language, texts::kFitResidualsName));
    m_plot->setAccessibleDescription(text(language, texts::kFitResidualsDescription));
    // A picture with nothing to do by keyboard: the table holds its numbers.
    m_plot->setFocusPolicy(Qt::NoFocus);
    m_plot->setRenderHint(QPainter::Antialiasing);
    m_plot->setMinimumSize(360, 260);

}

void FitDialog::buildButtons() {
    const Language language = m_sim.language;
    m_apply = new QPushButton(text(language, texts::kFitApply), this);
    m_apply->setObjectName("applyFitButton");
    m_cancel = new QPushButton(text(language, texts::kFitCancel), this);
    m_cancel->setObjectName("cancelFitButton");
    m_apply->setAccessibleName(spoken(m_apply->text()));
    m_cancel->setAccessibleName(spoken(m_cancel->text()));
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

}

QCheckBox* FitDialog::freeRowBox(const FreeRowValue& v) const {
    for (const auto& [value, box] : m_freeRows)
        if (value == v) return box;
    return nullptr;
}

void FitDialog::prepare() {
    // The free study: the beaker's first concentration, as the studies free the acid's.
    for (const auto& [value, box] : m_freeRows) {
        const QSignalBlocker guard(box);
        box->setChecked(value == FreeRowValue{false, 0, 0});
    }
    const std::vector<FitValue> chosen = defaultFreeValues(m_sim);
    for (int k = 0; k < kFitValueCount; ++k) {
        if (!m_free[k]) continue;
        const QSignalBlocker guard(m_free[k]);
        m_free[k]->setChecked(std::find(chosen.begin(), chosen.end(), static_cast<FitValue>(k)) !=
                              chosen.end());
    }
    refit();
}

bool FitDialog::volumesInMillilitres() const {
    return m_unit->currentIndex() == 1;
}

void FitDialog::refit() {
    std::vector<FitValue> free;
    for (int k = 0; k < kFitValueCount; ++k)
        if (m_free[k] && m_free[k]->isChecked()) free.push_back(static_cast<FitValue>(k));
    // The fields read as the panel reads numbers; out of range, the fit refuses with a message.
    FitSettings settings;
    const BoundedNumber sigmaPH = ParseBoundedNumber(m_sigmaPH->text().toStdString(), 0, 1e9);
    const BoundedNumber sigmaV = ParseBoundedNumber(m_sigmaVolume->text().toStdString(), 0, 1e9);
    settings.sigmaPH = sigmaPH.ok ? sigmaPH.value : -1;
    settings.sigmaVolumeMl = sigmaV.ok ? sigmaV.value : -1;
    std::vector<FreeRowValue> freeRows;
    for (const auto& [value, box] : m_freeRows)
        if (box->isChecked()) freeRows.push_back(value);
    auto fit = [&](const Simulation& sim) {
        if (m_freeStudy) {
            m_result = fitFreeStudy(sim, freeRows, settings);
        } else {
            m_result = FreeFitResult{};
            static_cast<FitResult&>(m_result) = fitPastedPoints(sim, free, settings);
        }
    };
    if (volumesInMillilitres() == m_sim.pasted.inMillilitres) {
        fit(m_sim);
    } else {
        Simulation other = m_sim;
        other.pasted.inMillilitres = volumesInMillilitres();
        fit(other);
    }
    showResult();
}

void FitDialog::showResult() {
    const FitResult& r = m_result;
    const Language language = m_sim.language;
    const char separator = m_sim.exportSettings.decimalComma ? ',' : '.';
    struct Row {
        QString name, value, uncertainty;
    };
    std::vector<Row> rows;
    if (r.ok) {
        for (std::size_t j = 0; j < r.values.size(); ++j) {
            const FittedValue& v = r.values[j];
            const auto [value, u] = formatMeasured(v.value, v.uncertainty, separator);
            const std::string name =
                m_freeStudy && j < m_result.freed.size()
                    ? freeRowValueCaption(m_sim.freeStudy.inputs, m_result.freed[j], language)
                    : fitValueCaption(v.which, language);
            rows.push_back({utf8(name), utf8(value), QStringLiteral("± ") + utf8(u)});
        }
        for (const FittedEquivalence& e : r.equivalences) {
            const auto [value, u] =
                formatMeasured(e.volume * 1000, e.uncertainty * 1000, separator);
            rows.push_back({QStringLiteral("%1 %2 (mL)")
                                .arg(text(language, texts::kFitEquivalenceCaption))
                                .arg(e.number),
                            utf8(value), QStringLiteral("± ") + utf8(u)});
        }
    }
    // Whether the fit succeeded or not, once it ran.
    if (r.ran) {
        rows.push_back({text(language, texts::kFitResidualDeviation),
                        utf8(formatGeneral(r.residualDeviation, 3, separator)), QString()});
        rows.push_back(
            {text(language, texts::kFitPointsUsed), QString::number(r.pointsUsed), QString()});
    }
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const Row& cells = rows[static_cast<std::size_t>(row)];
        const QString texts[3] = {cells.name, cells.value, cells.uncertainty};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }
    m_message->setText(r.ok ? QString() : utf8(r.refusal));
    m_message->setVisible(!r.ok);
    // What the pKa are, with activities, under what was left out.
    const std::string notice = r.notice + (r.notice.empty() || r.basis.empty() ? "" : "\n") + r.basis;
    m_notice->setText(utf8(notice));
    m_notice->setVisible(!notice.empty());
    m_apply->setEnabled(r.ok);

    m_residuals->clear();
    m_zero->clear();
    m_axisX->setTitleText(
        text(language, r.volumeFactor == 1 ? texts::kFitVolumeAxisLitres : texts::kFitVolumeAxis));
    double low = 0, high = 0, extent = 0.01;
    for (const ResidualPoint& p : r.residuals) {
        const double v = p.volume * r.volumeFactor;
        m_residuals->append(v, p.residual);
        high = std::max(high, v);
        low = std::min(low, v);
        extent = std::max(extent, std::abs(p.residual));
    }
    if (high <= low) high = low + 1;
    m_zero->append(low, 0);
    m_zero->append(high, 0);
    m_axisX->setRange(low, high);
    m_axisY->setRange(-1.15 * extent, 1.15 * extent);
}

QString FitDialog::messageText() const {
    return m_message->text();
}

QString FitDialog::cellText(int row, int column) const {
    const QTableWidgetItem* item = m_table->item(row, column);
    return item ? item->text() : QString();
}

// The value cell of the row named `name`, empty when the fit did not run.
static QString valueOfRow(const QTableWidget* table, const QString& name) {
    for (int row = 0; row < table->rowCount(); ++row)
        if (table->item(row, 0) && table->item(row, 0)->text() == name)
            return table->item(row, 1)->text();
    return QString();
}

QString FitDialog::deviationText() const {
    return valueOfRow(m_table, text(m_sim.language, texts::kFitResidualDeviation));
}

QString FitDialog::pointsText() const {
    return valueOfRow(m_table, text(m_sim.language, texts::kFitPointsUsed));
}

} // namespace titralab
