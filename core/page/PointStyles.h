// The eight ways of drawing pasted points, shared by the graph window and the printed page:
// their captions in the chooser and the marker each gives on screen.
#pragma once

#include "core/base/Language.h"

#include <array>

namespace titralab {

enum class PointStyle {
    ConnectedPoints = 0, // "Points reliés"
    Cross = 1,           // "Croix"
    DiagonalCross = 2,   // "Croix en diagonale"
    Diamond = 3,         // "Diamant" (drawn as an eight-branch star)
    Square = 4,          // "Carré"
    Dot = 5,             // "Point"
    Circle = 6,          // "Cercle"
    Triangle = 7,        // "Triangle"
};

constexpr int kPointStyleCount = 8;

// The chooser's captions, in the order of the enumeration.
const std::array<const char*, kPointStyleCount>& pointStyleCaptions(Language language);

// The style of chooser item `index`; Cross for an index outside the list.
PointStyle pointStyleAt(int index);

enum class MarkerShape { Circle, Cross, DiagonalCross, Star, Square, Triangle };

// The marker of the graph window's pasted-point series. `size` is the half-width in screen
// pixels: 2 for the small dots, 4 for every other figure. Points are never joined on screen.
struct ScreenMarker {
    MarkerShape shape{MarkerShape::Circle};
    int size{4};
    bool operator==(const ScreenMarker& o) const { return shape == o.shape && size == o.size; }
};
ScreenMarker screenMarkerFor(PointStyle style);

} // namespace titralab
