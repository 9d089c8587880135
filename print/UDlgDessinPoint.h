// The eight ways of drawing pasted points, shared by the graph window and the printed page.
#pragma once

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

} // namespace titralab
