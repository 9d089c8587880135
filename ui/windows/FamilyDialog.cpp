#include "ui/windows/FamilyDialog.h"
#include "ui/qt/Utf8Text.h"

#include "core/base/Notifier.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/FreeFit.h"
#include "core/session/Overlays.h"
#include "core/session/Simulation.h"
#include "core/texts/OverlayTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace titralab {

namespace {
// Without the mnemonic: what a screen reader says.
QString spoken(QString text) {
    text.remove('&');
    if (text.endsWith(':')) text.chop(1);
    return text.trimmed();
}
} // namespace

FamilyDialog::FamilyDialog(Language language, Notifier& notifier, QWidget* parent)
    : QDialog(parent), m_language(language), m_notifier(notifier) {
    setObjectName("FamilyDialog");
    setWindowTitle(text(m_language, texts::kFamilyTitle));
    m_quantity = new QComboBox(this);
    m_quantity->setObjectName("familyQuantityChoice");
    m_list = new QRadioButton(text(m_language, texts::kFamilyList), this);
    m_list->setObjectName("valueListChoice");
    m_arithmetic = new QRadioButton(text(m_language, texts::kFamilyArithmetic), this);
    m_arithmetic->setObjectName("arithmeticRangeChoice");
    m_geometric = new QRadioButton(text(m_language, texts::kFamilyGeometric), this);
    m_geometric->setObjectName("geometricRangeChoice");
    m_list->setChecked(true);
    // The fields of the choice not taken are greyed.
    auto follow = [this] {
        m_values->setEnabled(m_list->isChecked());
        for (QLineEdit* e : {m_first, m_last, m_count}) e->setEnabled(!m_list->isChecked());
    };
    m_values = new QLineEdit(this);
    m_values->setObjectName("familyValuesField");
    m_first = new QLineEdit(this);
    m_first->setObjectName("firstValueField");
    m_last = new QLineEdit(this);
    m_last->setObjectName("lastValueField");
    m_count = new QLineEdit(QStringLiteral("5"), this);
    m_count->setObjectName("valueCountField");
    for (QLineEdit* e : {m_values, m_first, m_last, m_count}) e->setMaxLength(400);
    for (QRadioButton* r : {m_list, m_arithmetic, m_geometric})
        connect(r, &QRadioButton::toggled, this, follow);
    follow();

    auto* quantityLabel = new QLabel(text(m_language, texts::kFamilyQuantity), this);
    quantityLabel->setBuddy(m_quantity);
    auto* range = new QFormLayout;
    range->addRow(text(m_language, texts::kFamilyFirst), m_first);
    range->addRow(text(m_language, texts::kFamilyLast), m_last);
    range->addRow(text(m_language, texts::kFamilyCountLabel), m_count);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* draw =
        buttons->addButton(text(m_language, texts::kFamilyDraw), QDialogButtonBox::AcceptRole);
    draw->setObjectName("drawFamilyButton");
    QPushButton* cancel =
        buttons->addButton(text(m_language, texts::kFamilyCancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName("familyCancelButton");
    connect(draw, &QPushButton::clicked, this, &FamilyDialog::draw);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(quantityLabel);
    layout->addWidget(m_quantity);
    layout->addWidget(m_list);
    layout->addWidget(m_values);
    layout->addWidget(m_arithmetic);
    layout->addWidget(m_geometric);
    layout->addLayout(range);
    layout->addWidget(buttons);

    m_quantity->setAccessibleName(spoken(text(m_language, texts::kFamilyQuantity)));
    m_list->setAccessibleName(spoken(text(m_language, texts::kFamilyList)));
    m_values->setAccessibleName(spoken(text(m_language, texts::kFamilyList)));
    m_arithmetic->setAccessibleName(spoken(text(m_language, texts::kFamilyArithmetic)));
    m_geometric->setAccessibleName(spoken(text(m_language, texts::kFamilyGeometric)));
    m_first->setAccessibleName(spoken(text(m_language, texts::kFamilyFirst)));
    m_last->setAccessibleName(spoken(text(m_language, texts::kFamilyLast)));
    m_count->setAccessibleName(spoken(text(m_language, texts::kFamilyCountLabel)));
    draw->setAccessibleName(spoken(text(m_language, texts::kFamilyDraw)));
    cancel->setAccessibleName(spoken(text(m_language, texts::kFamilyCancel)));
}

// The choices beyond one field, as the quantity list holds them.
constexpr int kBothConcentrations = -1;
constexpr int kDilution = -2;
constexpr int kTemperature = -3;
constexpr int kFreeRowChoice = 1000; // + the index of a row's value in the free study

void FamilyDialog::prepare(const Simulation& sim) {
    m_sim = &sim;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    const BuretteSide side = sim.panel.side;
    const CurveInputs in = currentInputs(sim);
    m_quantity->clear();
    m_freeRows.clear();
    if (sim.panel.study == Study::FreeSolutions) {
        // Any concentration or pKa of the beaker's and the burette's rows.
        m_freeRows = freeRowValues(sim);
        for (std::size_t k = 0; k < m_freeRows.size(); ++k)
            m_quantity->addItem(
                utf8(freeRowValueCaption(sim.freeStudy.inputs, m_freeRows[k], m_language)),
                kFreeRowChoice + static_cast<int>(k));
        addTemperatureChoice(sim);
        if (!m_freeRows.empty()) {
            const std::optional<double> now = freeRowValueIn(sim, m_freeRows.front());
            m_values->setText(now ? utf8(formatGeneral(*now, 6, separator)) : QString());
        }
        return;
    }
    for (int field : {2, 1, 4, 5, 6, 3, 12, 14, 13, 15, 16}) {
        if (!in.used[field]) continue;
        const int s = side == BuretteSide::AcidSide ? 0 : 1;
        const int base = field >= 12 ? field - 10 : field;
        const QString meaning = base == 1   ? text(m_language, texts::kBuretteConcMeaning[s])
                                : base == 2 ? text(m_language, texts::kBeakerConcMeaning[s])
                                : base == 3 ? text(m_language, texts::kBeakerVolumeMeaning[s])
                                            : QString();
        QString item = utf8(fieldQuantity(field, side, m_language).label);
        // "quantity : meaning" (French), "quantity: meaning" (English).
        if (!meaning.isEmpty()) item = tr("%1 : %2").arg(item, meaning);
        m_quantity->addItem(item, field);
    }
    // The titrant's and the analyte's concentrations at the same value (the classic figure),
    // and every concentration divided by a dilution factor.
    if (in.used[1] && in.used[2]) {
        const FamilyQuantity both{{1, 2}, false};
        m_quantity->addItem(tr("%1 : %2").arg(utf8(familyQuantityLabel(both, side, m_language)),
                                              text(m_language, texts::kFamilyBothConcentrations)),
                            kBothConcentrations);
    }
    if (!dilutedFields(sim).empty())
        m_quantity->addItem(tr("%1 : %2").arg(text(m_language, texts::kDilutionFactorLabel),
                                              text(m_language, texts::kFamilyDilutionMeaning)),
                            kDilution);
    addTemperatureChoice(sim);
    const int field = this->field();
    if (field > 0) m_values->setText(utf8(sim.panel.text[field]));
}

// The studies solved again in other conditions draw their curve at several temperatures.
void FamilyDialog::addTemperatureChoice(const Simulation& sim) {
    const Study study = sim.panel.study;
    if (study != Study::TitrationVsVolume && study != Study::TwoMonoTitration &&
        study != Study::Dilution && study != Study::FreeSolutions)
        return;
    m_quantity->addItem(tr("%1 : %2").arg(text(m_language, texts::kTemperatureLabel),
                                          text(m_language, texts::kFamilyTemperatureMeaning)),
                        kTemperature);
}

int FamilyDialog::field() const {
    const int data = m_quantity->count() ? m_quantity->currentData().toInt() : 0;
    return data > 0 && data < kFreeRowChoice ? data : 0;
}

FamilyQuantity FamilyDialog::quantity() const {
    const int data = m_quantity->count() ? m_quantity->currentData().toInt() : 0;
    if (data >= kFreeRowChoice && data - kFreeRowChoice < static_cast<int>(m_freeRows.size())) {
        FamilyQuantity q;
        q.freeRow = m_freeRows[static_cast<std::size_t>(data - kFreeRowChoice)];
        return q;
    }
    if (data == kBothConcentrations) return {{1, 2}, false};
    if (data == kDilution) return {{}, true};
    if (data == kTemperature) {
        FamilyQuantity q;
        q.temperature = true;
        return q;
    }
    if (data > 0) return {{data}, false};
    return {};
}

void FamilyDialog::draw() {
    const FamilyQuantity q = quantity();
    if (!m_sim || (q.fields.empty() && !q.dilution && !q.freeRow && !q.temperature)) return;
    const ValueList values =
        m_list->isChecked()
            ? parseFamilyValues(*m_sim, q, m_values->text().toStdString())
            : familyRange(*m_sim, q,
                          m_arithmetic->isChecked() ? RangeKind::Arithmetic : RangeKind::Geometric,
                          m_first->text().toStdString(), m_last->text().toStdString(),
                          m_count->text().toStdString());
    if (!values.refusal.empty()) {
        m_notifier.inform(values.refusal);
        return;
    }
    accept();
    emit familyChosen(q, values.values);
}

} // namespace titralab
