#include "ui/windows/PanelSliders.h"
#include "ui/qt/Utf8Text.h"

#include "core/curves/Overlays.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/FieldSliders.h"
#include "core/panel/Simulation.h"
#include "core/texts/OverlayTexts.h"

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
} // namespace

PanelSliders::PanelSliders(Simulation& sim, QWidget* window) : QObject(window), m_sim(sim) {
    setObjectName("PanelSliders");
    for (int field : kSliderFields) {
        auto* edit = window->findChild<QLineEdit*>(QStringLiteral("D%1").arg(field));
        const auto scale = sliderScale(field);
        if (!edit || !scale) continue;
        auto* s = new QSlider(Qt::Horizontal, edit->parentWidget());
        s->setObjectName(QStringLiteral("CurseurD%1").arg(field));
        s->setRange(0, scale->positions);
        s->setSingleStep(1);
        s->setPageStep(scale->positions / 20);
        // Reached by a click, then moved with the arrow keys; Tab goes from field to field.
        s->setFocusPolicy(Qt::ClickFocus);
        s->setStyleSheet(
            "QSlider::groove:horizontal { height: 3px; background: #5a6278; margin: 0 2px; }"
            " QSlider::handle:horizontal { width: 7px; margin: -4px 0; border-radius: 2px;"
            " background: #e8ecf5; border: 1px solid #2a3040; }"
            " QSlider::handle:horizontal:focus { background: #ffe14d; }");
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

// Under the field, as wide as it, down to the next row; the burette's slider, whose field
// has the study list below it, sits right of its unit.
void PanelSliders::place(int field) {
    QLineEdit* edit = m_fields[static_cast<std::size_t>(field)];
    QSlider* s = m_sliders[static_cast<std::size_t>(field)];
    const QRect f = edit->geometry();
    const int height = std::max(kMinHeight, f.height() * 11 / 24);
    if (field == 1)
        s->setGeometry(f.right() + f.width() * 3 / 4, f.top() + (f.height() - height) / 2,
                       f.width() + f.width() / 2, height);
    else
        s->setGeometry(f.left(), f.bottom() + kGap, f.width(), height);
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
    const QSignalBlocker guard(s);
    s->setValue(sliderPosition(*scale, n.value));
}

void PanelSliders::moved(int field, int position) {
    const auto scale = sliderScale(field);
    const std::string text = sliderText(*scale, position);
    QLineEdit* edit = m_fields[static_cast<std::size_t>(field)];
    m_sim.panel.text[static_cast<std::size_t>(field)] = text;
    {
        // The field shows the value; the slider stays where the hand put it.
        const QSignalBlocker guard(edit);
        edit->setText(QString::fromStdString(text));
    }
    emit slid(field);
}

} // namespace titralab
