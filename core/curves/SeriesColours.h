// The colours of the chart's eight series on screen, Series1..Series8.
#pragma once

#include "core/curves/Curves.h"

#include <array>

namespace titralab {

// Red (pH), green, yellow, blue, white (the species), gray (H3O+), fuchsia (pasted points),
// navy (conductivity).
inline constexpr std::array<Rgb, 8> kScreenSeriesColours{
    Rgb{255, 0, 0},     Rgb{0, 128, 0},     Rgb{255, 255, 0}, Rgb{0, 0, 255},
    Rgb{255, 255, 255}, Rgb{128, 128, 128}, Rgb{255, 0, 255}, Rgb{0, 0, 128}};

} // namespace titralab
