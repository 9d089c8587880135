// The colours of the chart: its backgrounds, the eight series, the kept curves and the
// derivative, with the contrast every line colour keeps against the backgrounds it is drawn on.
#pragma once

#include "core/curves/Curves.h"

#include <array>

namespace titralab {

// Around the plot (titles, axes), and the plot itself with the legend box: the curves are
// drawn on white, as on paper.
inline constexpr Rgb kChartBackground{172, 179, 196};
inline constexpr Rgb kPlotBackground{255, 255, 255};
inline constexpr Rgb kLegendBackground{255, 255, 255};

// Series1..Series8: red (pH), green, amber, blue, brown (the species), gray (H3O+), fuchsia
// (pasted points), navy (conductivity). Each stands out on the plot and in the legend.
inline constexpr std::array<Rgb, 8> kScreenSeriesColours{
    Rgb{255, 0, 0},   Rgb{0, 128, 0},     Rgb{170, 120, 0}, Rgb{0, 0, 255},
    Rgb{150, 75, 30}, Rgb{112, 112, 112}, Rgb{200, 0, 200}, Rgb{0, 0, 128}};

// Kept curves (frozen curves, families) in turn; each is also dashed, so that colour is never
// the only difference.
inline constexpr std::array<Rgb, 8> kKeptCurveColours{
    Rgb{40, 90, 220},  Rgb{30, 130, 60}, Rgb{190, 95, 0},   Rgb{140, 60, 180},
    Rgb{0, 128, 140},  Rgb{150, 100, 40}, Rgb{200, 50, 150}, Rgb{90, 90, 90}};

// The derivative dpH/dV, on its own axis.
inline constexpr Rgb kDerivativeColour{120, 0, 160};

// The least contrast of a line against what it is drawn on, as for graphics on screen.
inline constexpr double kLeastLineContrast = 3;

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(Rgb colour);
// Contrast ratio of two colours, 1 (the same) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

} // namespace titralab
