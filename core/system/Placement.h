// The main window's placement: what to restore from the settings store, and what to keep at exit.
#pragma once

#include <optional>
#include <vector>

namespace titralab::system {

// A window rectangle, pixels.
struct Rect {
    int left{};
    int top{};
    int width{};
    int height{};
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

inline constexpr Rect kDefaultPlacement{196, 107, 595, 479};

// The values of the settings store ("haut", "gauche", "largeur", "hauteur"); a value that is
// absent or not an integer is empty.
struct StoredPlacement {
    std::optional<int> top;
    std::optional<int> left;
    std::optional<int> width;
    std::optional<int> height;
};

// The window's state as stored in "etatFenetre".
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// The placement to restore: each stored value, the default where it is missing or absurd (a
// width or height outside kMinExtent..kMaxExtent). When the result shows less than
// kMinVisible x kMinVisible pixels on every screen, the whole default placement is used, so
// the window is never lost off screen. An empty screen list checks nothing.
inline constexpr int kMinExtent = 100;
inline constexpr int kMaxExtent = 20000;
inline constexpr int kMinVisible = 48;
Rect restorePlacement(const StoredPlacement& stored, const std::vector<Rect>& screens);

// What is written at exit: the state always, the bounds unless the window is maximized.
struct PlacementAtExit {
    WindowState state{WindowState::Normal};
    std::optional<Rect> bounds;
};
PlacementAtExit placementAtExit(WindowState state, const Rect& bounds);

} // namespace titralab::system
