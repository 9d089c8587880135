// Puts the accessible names and descriptions of the core's tables on a window's controls.
#pragma once

#include "core/session/WindowDescriptions.h"

#include <QList>
#include <QString>

class QWidget;

namespace titralab::accessibility {

// The widgets of `window`, its docks and tool bars included, but not those of the dialogs and
// other windows it owns.
QList<QWidget*> controlsOf(const QWidget* window);

// The object name a window gives `control`.
inline QString objectName(a11y::Control control) {
    return QString::fromUtf8(a11y::controlName(control).data(),
                             static_cast<qsizetype>(a11y::controlName(control).size()));
}

// The object names of a panel field and of its slider.
inline QString fieldObjectName(Field field) {
    return objectName(a11y::fieldControl(field));
}
inline QString sliderObjectName(Field field) {
    return fieldObjectName(field).replace(QStringLiteral("Field"), QStringLiteral("Slider"));
}

// Gives each control of `window` named in `texts` its accessible name and description; a
// control that already carries them is left alone, so that no change is announced twice.
void apply(QWidget* window, const a11y::ControlTexts& texts);

// Tells assistive technology, politely (after what it is saying, and without moving the
// focus), that `widget` now shows `message`: its accessible name becomes "`name`, `message`".
void announce(QWidget* widget, const QString& name, const QString& message);

} // namespace titralab::accessibility
