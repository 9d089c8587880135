#include "core/system/Placement.h"

#include <algorithm>

namespace titralab::system {

namespace {

// Length of the overlap of [a, a + la) and [b, b + lb), 0 when they do not meet.
long long overlap(long long a, long long la, long long b, long long lb) {
    return std::max(0LL, std::min(a + la, b + lb) - std::max(a, b));
}

} // namespace

Rect restorePlacement(const StoredPlacement& stored, const std::vector<Rect>& screens) {
    auto extent = [](std::optional<int> v, int fallback) {
        return v && *v >= kMinExtent && *v <= kMaxExtent ? *v : fallback;
    };
    const Rect r{stored.left.value_or(kDefaultPlacement.left),
                 stored.top.value_or(kDefaultPlacement.top),
                 extent(stored.width, kDefaultPlacement.width),
                 extent(stored.height, kDefaultPlacement.height)};
    if (screens.empty()) return r;
    for (const Rect& s : screens) {
        if (overlap(r.left, r.width, s.left, s.width) >= kMinVisible &&
            overlap(r.top, r.height, s.top, s.height) >= kMinVisible)
            return r;
    }
    return kDefaultPlacement;
}

PlacementAtExit placementAtExit(WindowState state, const Rect& bounds) {
    PlacementAtExit out{state, std::nullopt};
    if (state != WindowState::Maximized) out.bounds = bounds;
    return out;
}

} // namespace titralab::system
