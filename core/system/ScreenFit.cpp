#include "core/system/ScreenFit.h"

#include <algorithm>

namespace titralab::system {

Rect fitOnScreen(const Rect& window, const Rect& area) {
    Rect r = window;
    r.width = std::clamp(r.width, 1, std::max(1, area.width));
    r.height = std::clamp(r.height, 1, std::max(1, area.height));
    r.left = std::clamp(r.left, area.left, area.left + std::max(0, area.width - r.width));
    r.top = std::clamp(r.top, area.top, area.top + std::max(0, area.height - r.height));
    return r;
}

Rect clientInside(const Rect& area, const FrameMargins& frame) {
    // A frame is never negative nor larger than the area.
    const int left = std::clamp(frame.left, 0, area.width),
              top = std::clamp(frame.top, 0, area.height);
    const int right = std::clamp(frame.right, 0, area.width),
              bottom = std::clamp(frame.bottom, 0, area.height);
    return {area.left + left, area.top + top, std::max(1, area.width - left - right),
            std::max(1, area.height - top - bottom)};
}

} // namespace titralab::system
