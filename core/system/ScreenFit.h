// Fitting a window into the screen area it may use (the screen less its panels), at any
// scaling: never wider or taller than the area, never partly off it.
#pragma once

#include "core/system/Placement.h"

namespace titralab::system {

// The window shrunk to the area where it is larger, then moved the least that brings it
// wholly inside. Pixels of the area's own coordinates.
Rect fitOnScreen(const Rect& window, const Rect& area);

// The thickness of a window's frame on each side (title bar at the top), pixels.
struct FrameMargins {
    int left{};
    int top{};
    int right{};
    int bottom{};
};

// The client rectangle of a window whose frame fills `area`: the area less the frame, never
// smaller than one pixel.
Rect clientInside(const Rect& area, const FrameMargins& frame);

} // namespace titralab::system
