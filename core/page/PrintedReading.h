// The readings of a titration on the printed page: the indicator's band, the derivative as a
// dashed curve on its own scale, the remarkable points as thin labelled lines, and their
// values beside the constants.
#pragma once

#include "core/page/Canvas.h"
#include "core/page/Dashes.h"

#include <string>
#include <vector>

namespace titralab {

struct PageInput;
struct PageLayout;

// The derivative's dash pattern: short regular dashes, apart from the species' patterns.
inline constexpr DashCode kDerivativeDash = 10;

// The band over the indicator's pH range, across the frame, in strips shaded from the acid
// colour to the basic one (lightened, so that curves stay readable over it). Drawn first.
void PrintIndicatorBand(const PageInput& in, const PageLayout& L, Canvas& canvas);

// The derivative scaled so that its largest magnitude stands at 10 on the pH axis, and the
// markers of the remarkable points.
void PrintReadingCurves(const PageInput& in, const PageLayout& L, DashedPen& dashes,
                        Canvas& canvas);

// The ordinate factor of the printed derivative (1 when there is none).
double printedDerivativeFactor(const PageInput& in);

// The legend entries the readings add: (text, dash code; -1 for the band's patch).
std::vector<std::pair<std::string, DashCode>> readingLegend(const PageInput& in);

// The indicator's legend sample: its band in a small box, top-left corner (x, y), dots.
void PrintLegendPatch(const PageInput& in, Canvas& canvas, int x, int y, int width, int height);

// The lines listing the remarkable points (and the indicator's verdicts), printed beside the
// constants block.
std::vector<std::string> printedPointLines(const PageInput& in);

} // namespace titralab
