#include "core/system/ScreenFit.h"

#include <algorithm>

namespace titralab::desktop {

Rect fitOnScreen(const Rect& window, const Rect& area) {
    Rect r = window;
    r.width = std::clamp(r.width, 1, std::max(1, area.width));
    r.height = std::clamp(r.height, 1, std::max(1, area.height));
    r.left = std::clamp(r.left, area.left, area.left + std::max(0, area.width - r.width));
    r.top = std::clamp(r.top, area.top, area.top + std::max(0, area.height - r.height));
    return r;
}

} // namespace titralab::desktop
