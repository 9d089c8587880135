#include "core/page/PointStyles.h"

namespace titralab {

const std::array<const char*, kPointStyleCount>& pointStyleCaptions(Language language) {
    static const std::array<const char*, kPointStyleCount> french{
        "Points reliés", "Croix",   "Croix en diagonale", "Diamant", "Carré", "Point",
        "Cercle",        "Triangle"};
    static const std::array<const char*, kPointStyleCount> english{
        "Joined points", "Cross", "Diagonal cross", "Diamond",
        "Square",        "Dot",   "Circle",         "Triangle"};
    return language == Language::English ? english : french;
}

PointStyle pointStyleAt(int index) {
    if (index < 0 || index >= kPointStyleCount) return PointStyle::Cross;
    return static_cast<PointStyle>(index);
}

ScreenMarker screenMarkerFor(PointStyle style) {
    // A circle of half-width 4 first; each style then changes its shape or its size.
    ScreenMarker marker{MarkerShape::Circle, 4};
    switch (style) {
    case PointStyle::ConnectedPoints:
    case PointStyle::Dot:
        marker.size = 2;
        break;
    case PointStyle::Cross:
        marker.shape = MarkerShape::Cross;
        break;
    case PointStyle::DiagonalCross:
        marker.shape = MarkerShape::DiagonalCross;
        break;
    case PointStyle::Diamond:
        marker.shape = MarkerShape::Star;
        break;
    case PointStyle::Square:
        marker.shape = MarkerShape::Square;
        break;
    case PointStyle::Triangle:
        marker.shape = MarkerShape::Triangle;
        break;
    case PointStyle::Circle:
        break;
    }
    return marker;
}

} // namespace titralab
