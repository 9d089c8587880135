#include "ui/windows/MonteCarloDialog.h"

#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/Simulation.h"
#include "core/texts/MeasurementTexts.h"
#include "ui/qt/Utf8Text.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace titralab {

namespace {

constexpr int kMinDraws = 10;
constexpr int kMaxDraws = 100000;

QString number(const Simulation& sim, double x) {
    return utf8(formatGeneral(x, 6, sim.exportSettings.decimalComma ? ',' : '.'));
}

} // namespace

MonteCarloDialog::MonteCarloDialog(const Simulation& sim, QWidget* parent)
    : QDialog(parent), m_sim(sim) {
    setObjectName("MonteCarloDialog");
    const Language language = sim.language;
    setWindowTitle(text(language, texts::kMonteCarloTitle));
    const MonteCarloSetup defaults;
    m_draws = new QLineEdit(QString::number(defaults.draws), this);
    m_draws->setObjectName("monteCarloDraws");
    m_sigmaPH = new QLineEdit(number(sim, defaults.pH), this);
    m_sigmaPH->setObjectName("monteCarloSigmaPH");
    m_sigmaVolume = new QLineEdit(number(sim, defaults.volume * 1000), this);
    m_sigmaVolume->setObjectName("monteCarloSigmaVolume");
    m_draws->setAccessibleName(text(language, texts::kMonteCarloDrawsName));
    m_sigmaPH->setAccessibleName(text(language, texts::kMonteCarloSigmaPHName));
    m_sigmaVolume->setAccessibleName(text(language, texts::kMonteCarloSigmaVolumeName));
    auto* form = new QFormLayout;
    form->addRow(text(language, texts::kMonteCarloDraws), m_draws);
    form->addRow(text(language, texts::kMonteCarloSigmaPH), m_sigmaPH);
    form->addRow(text(language, texts::kMonteCarloSigmaVolume), m_sigmaVolume);
    m_results = new QListWidget(this);
    m_results->setObjectName("monteCarloResults");
    m_results->setAccessibleName(text(language, texts::kMonteCarloResultsName));
    m_results->setMinimumWidth(460);
    m_status = new QLabel(this);
    m_status->setObjectName("monteCarloStatus");
    m_status->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    m_run = buttons->addButton(text(language, texts::kMonteCarloRun), QDialogButtonBox::ActionRole);
    m_run->setObjectName("monteCarloRun");
    m_run->setDefault(true);
    QPushButton* close =
        buttons->addButton(text(language, texts::kMonteCarloClose), QDialogButtonBox::RejectRole);
    close->setObjectName("monteCarloClose");
    connect(m_run, &QPushButton::clicked, this, &MonteCarloDialog::run);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
}

void MonteCarloDialog::run() {
    const Language language = m_sim.language;
    const BoundedNumber draws =
        ParseBoundedNumber(m_draws->text().toStdString(), kMinDraws, kMaxDraws);
    const BoundedNumber sigmaPH = ParseBoundedNumber(m_sigmaPH->text().toStdString(), 0, 1);
    const BoundedNumber sigmaVolume = ParseBoundedNumber(m_sigmaVolume->text().toStdString(), 0, 1);
    const auto refuse = [&](QLineEdit* field, const Text& why) {
        m_status->setText(text(language, why));
        field->setFocus();
        field->selectAll();
    };
    if (!draws.ok || draws.value != std::floor(draws.value))
        return refuse(m_draws, texts::kMonteCarloDrawsRefused);
    if (!sigmaPH.ok) return refuse(m_sigmaPH, texts::kMonteCarloSigmaRefused);
    if (!sigmaVolume.ok) return refuse(m_sigmaVolume, texts::kMonteCarloSigmaRefused);

    MonteCarloSetup setup;
    setup.draws = static_cast<int>(draws.value);
    setup.pH = sigmaPH.value;
    setup.volume = sigmaVolume.value / 1000;
    // The progress dialog shows itself only when the draws last.
    QProgressDialog progress(text(language, texts::kMonteCarloRunning),
                             text(language, texts::kMonteCarloStop), 0, 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const MeasuredSpreads spreads = measuredSpreads(m_sim, setup, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    m_results->clear();
    for (const std::string& line : spreadLines(m_sim, spreads)) m_results->addItem(utf8(line));
    m_status->setText(m_results->count() == 0 ? text(language, texts::kMonteCarloNothing)
                                              : QString());
    if (m_results->count() > 0) m_results->setCurrentRow(0);
}

QString MonteCarloDialog::resultsText() const {
    QStringList lines;
    for (int k = 0; k < m_results->count(); ++k) lines.append(m_results->item(k)->text());
    return lines.join('\n');
}

} // namespace titralab
