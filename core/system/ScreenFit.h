// Fitting a window into the screen area it may use (the screen less its panels), at any
// scaling: never wider or taller than the area, never partly off it.
#pragma once

#include "core/system/Placement.h"

namespace titralab::desktop {

// The window shrunk to the area where it is larger, then moved the least that brings it
// wholly inside. Pixels of the area's own coordinates.
Rect fitOnScreen(const Rect& window, const Rect& area);

} // namespace titralab::desktop
