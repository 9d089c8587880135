// Where the graph window goes when it lives beside the main window: the two share the screen.
#pragma once

#include "core/system/Placement.h"

namespace titralab::system {

struct SideBySide {
    Rect main;  // the main window's frame, moved left when the screen needs it
    Rect graph; // the graph window's frame, right of the main window, full height
};

// `screen`: the available area; `main`: the main window's frame; `graphMinimum`: the graph
// window's least width; `mainMinimum`: the main window's. The graph window takes what the main
// window leaves on its right, at least half the screen and its least width (the main window
// moves to the left edge, and narrows if it must, when that is needed), never more than the
// screen. The main window never narrows below its least width: the two never overlap, the
// graph window taking less than it wished when the screen has no more.
SideBySide besideMainWindow(const Rect& screen, const Rect& main, int graphMinimum = 0,
                            int mainMinimum = 0);

} // namespace titralab::system
