// The ink of a curve printed in colour: its screen colour, darkened when too pale on white.
#pragma once

#include "core/base/Rgb.h"
#include "core/page/Canvas.h"

namespace titralab {

// The screen colour itself when it stands out on white paper (a contrast of at least 3 to 1,
// as for lines and symbols on screen); otherwise the same hue darkened just enough.
CanvasColor inkOnPaper(Rgb screen);

} // namespace titralab
