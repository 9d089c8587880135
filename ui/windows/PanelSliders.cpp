#include "ui/windows/PanelSliders.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/StudyEdits.h"
#include "core/curves/Overlays.h"
#include "core/session/Overlays.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/FieldSliders.h"
#include "core/session/Simulation.h"
#include "core/texts/OverlayTexts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

namespace titralab {

namespace {
constexpr std::array<int, 11> kSliderFields{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16};
// Gap left between a field and its slider, and the slider's least height, pixels.
constexpr int kGap = 1;
constexpr int kMinHeight = 9;

class PanelSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit PanelSliderAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Slider) {}
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return slider()->valueText;
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

  private:
    PanelSlider* slider() const { return static_cast<PanelSlider*>(widget()); }
};

QAccessibleInterface* panelSliderFactory(const QString& className, QObject* object) {
    auto* s = qobject_cast<PanelSlider*>(object);
    if (className == QLatin1String(PanelSlider::staticMetaObject.className()) && s)
        return new PanelSliderAccessible(s);
    return nullptr;
}
} // namespace

PanelSliders::PanelSliders(Simulation& sim, QWidget* window) : QObject(window), m_sim(sim) {
    setObjectName("PanelSliders");
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(panelSliderFactory);
        return true;
    }();
    (void)factoryInstalled;
    for (int field : kSliderFields) {
        auto* edit = window->findChild<QLineEdit*>(
            accessibility::fieldObjectName(static_cast<Field>(field)));
        const auto scale = sliderScale(field);
        if (!edit || !scale) continue;
        auto* s = new PanelSlider(Qt::Horizontal, edit->parentWidget());
        s->setObjectName(accessibility::sliderObjectName(static_cast<Field>(field)));
        s->setRange(0, scale->positions);
        s->setSingleStep(1);
        s->setPageStep(scale->pageStep);
        // Tab goes from a field to its slider, then to the next field; the arrows move it.
        s->setFocusPolicy(Qt::StrongFocus);
        s->setStyleSheet(
            QStringLiteral(
                "QSlider::groove:horizontal { height: 3px; background: #5a6278; margin: 0 2px; }"
                " QSlider::handle:horizontal { width: %1px; margin: -4px 0; border-radius: 2px;"
                " background: #e8ecf5; border: 1px solid #2a3040; }"
                " QSlider:focus { background: rgba(255, 225, 77, 90); }"
                " QSlider::handle:horizontal:focus { background: #ffe14d; }")
                .arg(kSliderHandleWidth - 2)); // the border takes a pixel each side
        connect(s, &QSlider::valueChanged, this, [this, field](int p) { moved(field, p); });
        connect(edit, &QLineEdit::textChanged, this, [this, field] { follow(field); });
        edit->installEventFilter(this);
        m_fields[static_cast<std::size_t>(field)] = edit;
        m_sliders[static_cast<std::size_t>(field)] = s;
        follow(field);
        place(field);
    }
    nameSliders();
}

void PanelSliders::nameSliders() {
    for (int field : kSliderFields)
        if (QSlider* s = m_sliders[static_cast<std::size_t>(field)])
            s->setAccessibleName(text(m_sim.language, texts::kSliderName) +
                                 QString::fromStdString(
                                     fieldQuantity(field, m_sim.panel.side, m_sim.language).label));
}

bool PanelSliders::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        for (int field : kSliderFields)
            if (m_fields[static_cast<std::size_t>(field)] == watched) place(field);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// Under the field, down to the next row, about twice as wide as the field: column 1's reach
// left under the row labels, column 2's right into the free margin. The burette's slider,
// whose field has the study list below it, sits right of its unit.
void PanelSliders::place(int field) {
    QLineEdit* edit = m_fields[static_cast<std::size_t>(field)];
    QSlider* s = m_sliders[static_cast<std::size_t>(field)];
    const QRect f = edit->geometry();
    const int height = std::max(kMinHeight, f.height() * 11 / 24);
    const int width = sliderTrackWidth(f.width());
    if (field == 1)
        s->setGeometry(f.right() + f.width() * 3 / 4, f.top() + (f.height() - height) / 2, width,
                       height);
    else if (field >= 12)
        s->setGeometry(f.left(), f.bottom() + kGap, width, height);
    else
        s->setGeometry(f.right() + 1 - width, f.bottom() + kGap, width, height);
    s->setVisible(!edit->isHidden());
    s->raise();
}

void PanelSliders::follow(int field) {
    QLineEdit* edit = m_fields[static_cast<std::size_t>(field)];
    QSlider* s = m_sliders[static_cast<std::size_t>(field)];
    const auto scale = sliderScale(field);
    const auto [low, high] = fieldBounds(field);
    const BoundedNumber n = ParseBoundedNumber(edit->text().toStdString(), low, high);
    if (!n.ok) return; // a value being typed, or refused: the slider stays
    {
        const QSignalBlocker guard(s);
        s->setValue(sliderPosition(*scale, n.value));
    }
    tellValue(field);
}

void PanelSliders::tellValue(int field) {
    PanelSlider* s = m_sliders[static_cast<std::size_t>(field)];
    const QString said =
        QString::fromStdString(sliderValueText(field, s->value(), m_sim.exportSettings.decimalComma ? ',' : '.'));
    if (s->valueText == said) return;
    s->valueText = said;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(s, s->value());
        QAccessible::updateAccessibility(&event);
    }
}

void PanelSliders::moved(int field, int position) {
    const auto scale = sliderScale(field);
    const std::string text = sliderText(*scale, position, m_sim.exportSettings.decimalComma ? ',' : '.');
    QLineEdit* edit = m_fields[static_cast<std::size_t>(field)];
    setFieldText(m_sim, static_cast<Field>(field), text);
    {
        // The field shows the value; the slider stays where the hand put it.
        const QSignalBlocker guard(edit);
        edit->setText(QString::fromStdString(text));
    }
    tellValue(field);
    emit slid(field);
}

} // namespace titralab
