// Puts the accessible names and descriptions of the core's tables on a window's controls.
#pragma once

#include "core/texts/AccessibleTexts.h"

#include <QList>

class QString;
class QWidget;

namespace titralab::accessibility {

// The widgets of `window`, its docks and tool bars included, but not those of the dialogs and
// other windows it owns.
QList<QWidget*> controlsOf(const QWidget* window);

// Gives each control of `window` named in `texts` its accessible name and description; a
// control that already carries them is left alone, so that no change is announced twice.
void apply(QWidget* window, const a11y::ControlTexts& texts);

// Tells assistive technology, politely (after what it is saying, and without moving the
// focus), that `widget` now shows `message`: its accessible name becomes "`name`, `message`".
void announce(QWidget* widget, const QString& name, const QString& message);

} // namespace titralab::accessibility
