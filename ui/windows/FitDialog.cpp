#include "ui/windows/FitDialog.h"
#include "ui/qt/Utf8Text.h"

#include "core/numbers/NumberFormat.h"
#include "core/texts/StudyTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace titralab {

FitDialog::FitDialog(const Simulation& sim, QWidget* parent) : QDialog(parent), m_sim(sim) {
    setObjectName("DlgAjustement");
    setWindowTitle(text(m_sim.language, texts::kFitTitle));
    setModal(true);

    auto* freeGroup = new QGroupBox(text(m_sim.language, texts::kFitFree), this);
    freeGroup->setObjectName("ValeursLibres");
    auto* freeColumn = new QVBoxLayout(freeGroup);
    for (FitValue v : fittableValues(sim)) {
        auto* box = new QCheckBox(utf8(fitValueCaption(v, m_sim.language)), freeGroup);
        box->setObjectName(QStringLiteral("Libre%1").arg(utf8(std::string(fitValueName(v)))));
        connect(box, &QCheckBox::toggled, this, &FitDialog::refit);
        freeColumn->addWidget(box);
        m_free[static_cast<int>(v)] = box;
    }
    freeColumn->addStretch();

    auto* results = new QWidget(this);
    m_grid = new QGridLayout(results);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->addWidget(new QLabel(text(m_sim.language, texts::kFitValueHeader), results), 0, 1);
    m_grid->addWidget(new QLabel(text(m_sim.language, texts::kFitUncertaintyHeader), results), 0,
                      2);
    for (int row = 1; row <= kFitValueCount; ++row)
        for (int column = 0; column < 3; ++column) {
            auto* cell = new QLabel(results);
            cell->setObjectName(QStringLiteral("Resultat%1_%2").arg(row - 1).arg(column));
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            if (column > 0) cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->addWidget(cell, row, column);
        }
    m_deviation = new QLabel(results);
    m_deviation->setObjectName("EcartType");
    m_points = new QLabel(results);
    m_points->setObjectName("PointsUtilises");
    m_grid->addWidget(m_deviation, kFitValueCount + 1, 0, 1, 3);
    m_grid->addWidget(m_points, kFitValueCount + 2, 0, 1, 3);
    m_message = new QLabel(this);
    m_message->setObjectName("MessageAjustement");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("QLabel { color: #a00000; }");

    // The residual plot: pH measured - pH computed against the volume, with the zero line.
    auto* chart = new QChart;
    chart->setTitle(text(m_sim.language, texts::kFitResidualTitle));
    chart->legend()->hide();
    m_residuals = new QScatterSeries;
    m_residuals->setMarkerSize(7);
    m_residuals->setColor(QColor(0, 150, 160));
    m_zero = new QLineSeries;
    m_zero->setColor(QColor(120, 120, 120));
    chart->addSeries(m_zero);
    chart->addSeries(m_residuals);
    m_axisX = new QValueAxis;
    m_axisY = new QValueAxis;
    m_axisY->setTitleText(text(m_sim.language, texts::kFitResidualAxis));
    chart->addAxis(m_axisX, Qt::AlignBottom);
    chart->addAxis(m_axisY, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(m_zero), static_cast<QAbstractSeries*>(m_residuals)}) {
        s->attachAxis(m_axisX);
        s->attachAxis(m_axisY);
    }
    m_plot = new QChartView(chart, this);
    m_plot->setObjectName("GraphiqueResidus");
    m_plot->setRenderHint(QPainter::Antialiasing);
    m_plot->setMinimumSize(360, 260);

    m_apply = new QPushButton(text(m_sim.language, texts::kFitApply), this);
    m_apply->setObjectName("BoutonAppliquer");
    m_cancel = new QPushButton(text(m_sim.language, texts::kFitCancel), this);
    m_cancel->setObjectName("BoutonAnnuler");
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(freeGroup);
    left->addWidget(results);
    left->addWidget(m_message);
    left->addStretch();
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

void FitDialog::prepare() {
    const std::vector<FitValue> chosen = defaultFreeValues(m_sim);
    for (int k = 0; k < kFitValueCount; ++k) {
        if (!m_free[k]) continue;
        const QSignalBlocker guard(m_free[k]);
        m_free[k]->setChecked(std::find(chosen.begin(), chosen.end(), static_cast<FitValue>(k)) !=
                              chosen.end());
    }
    refit();
}

void FitDialog::refit() {
    std::vector<FitValue> free;
    for (int k = 0; k < kFitValueCount; ++k)
        if (m_free[k] && m_free[k]->isChecked()) free.push_back(static_cast<FitValue>(k));
    m_result = fitPastedPoints(m_sim, free);
    showResult();
}

void FitDialog::showResult() {
    const FitResult& r = m_result;
    for (int row = 0; row < kFitValueCount; ++row) {
        const bool filled = r.ok && row < static_cast<int>(r.values.size());
        for (int column = 0; column < 3; ++column) {
            auto* cell = qobject_cast<QLabel*>(m_grid->itemAtPosition(row + 1, column)->widget());
            QString text;
            if (filled) {
                const FittedValue& v = r.values[row];
                text = column == 0 ? utf8(fitValueCaption(v.which, m_sim.language))
                       : column == 1
                           ? utf8(formatGeneral(v.value, 6, '.'))
                           : QStringLiteral("± ") + utf8(formatGeneral(v.uncertainty, 2, '.'));
            }
            cell->setText(text);
            cell->setVisible(filled);
        }
    }
    // "caption : value" (French), "caption: value" (English).
    m_deviation->setText(r.ok
                             ? tr("%1 : %2").arg(text(m_sim.language, texts::kFitResidualDeviation),
                                                 utf8(formatGeneral(r.residualDeviation, 3, '.')))
                             : QString());
    m_points->setText(r.ok ? tr("%1 : %2").arg(text(m_sim.language, texts::kFitPointsUsed),
                                               QString::number(r.pointsUsed))
                           : QString());
    m_message->setText(r.ok ? QString() : utf8(r.refusal));
    m_message->setVisible(!r.ok);
    m_apply->setEnabled(r.ok);

    m_residuals->clear();
    m_zero->clear();
    m_axisX->setTitleText(text(m_sim.language, r.volumeFactor == 1 ? texts::kFitVolumeAxisLitres
                                                                   : texts::kFitVolumeAxis));
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
    auto* item = m_grid->itemAtPosition(row + 1, column);
    return item ? qobject_cast<QLabel*>(item->widget())->text() : QString();
}

QString FitDialog::deviationText() const {
    return m_deviation->text();
}

QString FitDialog::pointsText() const {
    return m_points->text();
}

} // namespace titralab
