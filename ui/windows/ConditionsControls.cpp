#include "ui/windows/ConditionsControls.h"

#include "core/session/StudyConditions.h"
#include "core/session/StudyEdits.h"
#include "core/texts/ConditionsTexts.h"
#include "ui/qt/Utf8Text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace titralab {

ConditionsControls::ConditionsControls(Simulation& sim, QWidget* parent)
    : QWidget(parent), m_sim(sim) {
    setObjectName("conditionsPanel");
    const Language lang = sim.language;
    m_activities = new QCheckBox(text(lang, texts::kActivitiesDavies), this);
    m_activities->setObjectName("activitiesBox");
    m_activities->setAccessibleName(text(lang, texts::kActivitiesDavies));
    m_temperatureLabel = new QLabel(text(lang, texts::kTemperatureCelsius), this);
    m_temperatureLabel->setObjectName("temperatureLabel");
    m_temperature = new QLineEdit(this);
    m_temperature->setObjectName("temperatureField");
    m_temperature->setAccessibleName(text(lang, texts::kTemperatureCelsius));
    m_temperature->setFixedWidth(57);
    m_temperatureLabel->setBuddy(m_temperature);
    m_temperatureSlider = new QSlider(Qt::Horizontal, this);
    m_temperatureSlider->setObjectName("temperatureSlider");
    m_temperatureSlider->setRange(static_cast<int>(kMinTemperature),
                                  static_cast<int>(kMaxTemperature));
    m_temperatureSlider->setPageStep(5);
    m_temperatureSlider->setAccessibleName(text(lang, texts::kTemperatureCelsius));
    m_keptAt25 = new QLabel(this);
    m_keptAt25->setObjectName("keptAt25Label");
    m_keptAt25->setWordWrap(true);
    m_keptAt25->hide();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_activities, 0, 0, 1, 3);
    grid->addWidget(m_temperatureLabel, 1, 0);
    grid->addWidget(m_temperature, 1, 1);
    grid->addWidget(m_temperatureSlider, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->addWidget(m_keptAt25, 2, 0, 1, 3);

    connect(m_activities, &QCheckBox::toggled, this, [this](bool on) {
        setStudyInput(m_sim, m_sim.conditions.activities,
                      on ? ActivityModel::Davies : ActivityModel::None);
        emit edited();
    });
    connect(m_temperature, &QLineEdit::textEdited, this, &ConditionsControls::typeTemperature);
    connect(m_temperature, &QLineEdit::editingFinished, this,
            &ConditionsControls::acceptTemperature);
    connect(m_temperatureSlider, &QSlider::valueChanged, this,
            &ConditionsControls::slideTemperature);
    showConditions();
}

void ConditionsControls::showConditions() {
    const QSignalBlocker guard(m_activities);
    m_activities->setChecked(!m_sim.conditions.ideal());
    const char separator = m_sim.exportSettings.decimalComma ? ',' : '.';
    // The typed text stays while it says the temperature held (a comma or a point alike), and
    // while it is being typed.
    const std::optional<double> typed = typedTemperature(m_temperature->text().toStdString());
    if (!m_temperature->hasFocus()) {
        m_accepted = m_sim.conditions.temperature;
        if (!typed || *typed != m_sim.conditions.temperature)
            m_temperature->setText(
                utf8(formatTemperature(m_sim.conditions.temperature, separator)));
    }
    {
        const QSignalBlocker still(m_temperatureSlider);
        m_temperatureSlider->setValue(static_cast<int>(std::lround(m_sim.conditions.temperature)));
    }
    const std::string kept = keptAt25Text(m_sim);
    m_keptAt25->setText(utf8(kept));
    m_keptAt25->setVisible(!kept.empty());
}

// The slider sets whole degrees: the field shows them and the curves follow.
void ConditionsControls::slideTemperature(int celsius) {
    const char separator = m_sim.exportSettings.decimalComma ? ',' : '.';
    m_temperature->setText(utf8(formatTemperature(celsius, separator)));
    typeTemperature(m_temperature->text());
    m_accepted = celsius;
}

void ConditionsControls::typeTemperature(const QString& typed) {
    // Each accepted value is taken as it is typed, so that the curves follow; the others
    // wait for the field to be left.
    const std::optional<double> celsius = typedTemperature(typed.toStdString());
    if (!celsius) return;
    m_temperature->setProperty("refused", false);
    m_temperature->setStyleSheet(QString());
    setStudyInput(m_sim, m_sim.conditions.temperature, *celsius);
    {
        const QSignalBlocker still(m_temperatureSlider);
        m_temperatureSlider->setValue(static_cast<int>(std::lround(*celsius)));
    }
    const std::string kept = keptAt25Text(m_sim);
    m_keptAt25->setText(utf8(kept));
    m_keptAt25->setVisible(!kept.empty());
    emit edited();
}

QList<QWidget*> ConditionsControls::tabChain() const {
    return {m_activities, m_temperature, m_temperatureSlider};
}

bool ConditionsControls::isTemperatureField(const QWidget* widget) const {
    return widget == static_cast<const QWidget*>(m_temperature);
}

bool ConditionsControls::acceptTemperature() {
    if (const std::optional<double> celsius =
            typedTemperature(m_temperature->text().toStdString())) {
        m_accepted = *celsius;
        return true;
    }
    if (m_refusing) return false;
    // The values typed on the way (7 on the way to 70) go with the refused one.
    if (m_sim.conditions.temperature != m_accepted) {
        setStudyInput(m_sim, m_sim.conditions.temperature, m_accepted);
        emit edited();
    }
    m_temperature->setProperty("refused", true);
    m_temperature->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #b00020;"
                                                " background: #fde4e8; color: #000000; }"));
    m_refusing = true;
    emit temperatureRefused(utf8(temperatureRefusal(m_sim.language)));
    m_refusing = false;
    m_temperature->setFocus(Qt::OtherFocusReason);
    m_temperature->selectAll();
    return false;
}

} // namespace titralab
