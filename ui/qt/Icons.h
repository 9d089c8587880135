// The program's pictures: the two side icons, the step glyphs and the tool bar icons.
#pragma once

#include "core/chemistry/ChemicalState.h"

#include <QIcon>
#include <QPixmap>

namespace titralab::icons {

// The acid-side icon (the main window's) or the base-side icon (the mixture window's).
QIcon side(BuretteSide side);

// The glyphs of the database browser's step buttons: an arrow up (forward) or down (back).
QIcon stepForward();
QIcon stepBack();
// The column marker: the step-back glyph as a picture, `size` logical pixels square, drawn
// with `ratio` device pixels per logical pixel (the screen's).
QPixmap marker(int size, qreal ratio = 1);

enum class Tool { Open, Save, Print, Copy, Help };
QIcon tool(Tool which);

} // namespace titralab::icons
