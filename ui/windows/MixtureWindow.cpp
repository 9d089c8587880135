#include "ui/windows/MixtureWindow.h"
#include "ui/qt/Utf8Text.h"

#include "core/chemistry/Mixture.h"
#include "core/session/Simulation.h"
#include "core/session/WindowDescriptions.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Icons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace titralab {

namespace {

// The control of result field n: 1..5 and 6..10 each polyacid's pKa 1..3, volume and
// concentration; 11 the mixture's pH, 12..19 its species, 20 its hydronium ion, 21 its volume.
a11y::Control resultControl(int n) {
    using a11y::Control;
    if (n >= 1 && n <= 10)
        return static_cast<Control>(static_cast<int>(Control::Polyacid1PKa1Field) + n - 1);
    if (n >= 12 && n <= 19)
        return static_cast<Control>(static_cast<int>(Control::MixtureSpecies1Field) + n - 12);
    if (n == 11) return Control::MixturePHField;
    if (n == 20) return Control::MixtureHydroniumField;
    return Control::MixtureVolumeField;
}

constexpr int kWidth = 544; // pixels
constexpr int kHeight = 430;

} // namespace

MixtureWindow::MixtureWindow(Simulation& sim, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_sim(sim) {
    setObjectName("MixtureWindow");
    // Modal to the windows it was opened over only: the point-style chooser and the help,
    // windows of their own, stay usable beside it.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Mélange de 2 polyacides, concentrations des espèces chimiques"));
    setWindowIcon(icons::side(BuretteSide::BaseSide));

    auto makeField = [this](int n) {
        auto* f = new QLineEdit(this);
        f->setObjectName(accessibility::objectName(resultControl(n)));
        f->setFixedWidth(76);
        f->setReadOnly(true); // results: they can be selected and copied, not edited
        m_fields[n] = f;
        return f;
    };

    // The data of one polyacid: three pK, its volume and its concentration.
    auto acidGroup = [&](const QString& title, const char* name, int first) {
        auto* group = new QGroupBox(title, this);
        group->setObjectName(name);
        auto* grid = new QGridLayout(group);
        const QString labels[5] = {QStringLiteral("pKa 1"), QStringLiteral("pKa 2"),
                                   QStringLiteral("pKa 3"), tr("Volume initial"),
                                   tr("Concentation initiale")};
        const char* units[5] = {"", "", "", "mL", "mol / L"};
        for (int row = 0; row < 5; ++row) {
            auto* label = new QLabel(labels[row], group);
            label->setWordWrap(true);
            grid->addWidget(label, row, 0);
            grid->addWidget(makeField(first + row), row, 1);
            grid->addWidget(new QLabel(utf8(units[row]), group), row, 2);
        }
        grid->setColumnStretch(0, 1);
        return group;
    };
    auto* acids = new QHBoxLayout;
    acids->addWidget(acidGroup(tr("Polyacide 1 "), "polyacid1Group", 1));
    acids->addWidget(acidGroup(tr("Polyacide 2 "), "polyacid2Group", 6));

    auto* mixture = new QGroupBox(tr("Mélange des 2 polyacides"), this);
    mixture->setObjectName("mixtureGroup");
    auto* totals = new QGridLayout;
    const std::pair<QString, int> totalRows[3] = {
        {tr("Volume total en mL"), 21},
        {QStringLiteral("pH"), 11},
        {tr("Concentration des ions hydronium, en mol / L"), 20}};
    for (int row = 0; row < 3; ++row) {
        auto* label = new QLabel(totalRows[row].first, mixture);
        label->setWordWrap(true);
        totals->addWidget(label, row, 0);
        totals->addWidget(makeField(totalRows[row].second), row, 1);
    }
    totals->setColumnStretch(0, 1);
    auto* species = new QGroupBox(tr("Concentration, en mol / L, des... "), mixture);
    species->setObjectName("speciesGroup");
    auto* speciesGrid = new QGridLayout(species);
    for (int k = 0; k < 8; ++k) {
        const int n = 12 + k;
        auto* label = new QLabel(species);
        label->setObjectName(QStringLiteral("mixtureSpecies%1Label").arg(n - 11));
        m_speciesLabels[n] = label;
        const int column = k / 4 * 2, row = k % 4;
        speciesGrid->addWidget(label, row, column);
        speciesGrid->addWidget(makeField(n), row, column + 1);
    }
    auto* mixtureLayout = new QHBoxLayout(mixture);
    mixtureLayout->addLayout(totals, 1);
    mixtureLayout->addWidget(species);

    m_ok = new QPushButton(tr("&O K"), this);
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(m_ok);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(acids);
    layout->addWidget(mixture);
    layout->addLayout(bar);
    setFixedSize(kWidth, kHeight);
    prepare();
}

void MixtureWindow::prepare() {
    MixtureFields f;
    if (m_sim.results.mixture)
        f = mixtureFields(m_sim.state, *m_sim.results.mixture, m_sim.exportSettings.decimalComma);
    else
        for (int k = 0; k < 8; ++k)
            f.speciesLabels[k] = mixtureSpeciesLabels(m_sim.state.side, k / 4)[k % 4];
    for (int n = 1; n <= 21; ++n) m_fields[n]->setText(QString::fromStdString(f.edit[n]));
    for (int k = 0; k < 8; ++k)
        m_speciesLabels[12 + k]->setText(QString::fromStdString(f.speciesLabels[k]));
    accessibility::apply(this, a11y::mixtureWindowTexts(m_sim.state.side, m_sim.language));
}

int MixtureWindow::showModal() {
    prepare();
    return exec();
}

QString MixtureWindow::field(int n) const {
    return m_fields[n]->text();
}

QString MixtureWindow::speciesLabel(int n) const {
    return m_speciesLabels[n]->text();
}

} // namespace titralab
