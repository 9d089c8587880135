#include "core/curves/Curves.h"

#include "core/numbers/NumberInput.h"
#include "core/texts/CurveTexts.h"

#include <cmath>

namespace titralab {

double PhSweep(double a, double b, int n, int i) {
    const double s = (b - a) / (n - 3);
    if (i == 0) return a;
    if (i == 1) return a + s / 10;
    if (i == n - 2) return b - s / 10;
    if (i == n - 1) return b;
    return a + (i - 1) * s;
}

GraphOptions GraphOptions::atDesign() {
    GraphOptions g;
    g.checked[1] = g.checked[2] = true; // the first two species
    for (int box : {1, 2, 3, 4, 5, 6, 7, 10}) g.visible[box - 1] = true;
    g.captions[6] = texts::kConductivityCaption.fr;
    g.captions[7] = texts::kPastedCaption.fr;
    return g;
}

PointCountCheck checkPointCount(std::string_view text) {
    const BoundedNumber n = ParseBoundedNumber(text, kMinGraphPoints, kMaxGraphPoints);
    PointCountCheck check;
    check.value = static_cast<int>(std::trunc(n.value));
    check.text = std::to_string(check.value);
    check.ok = n.ok;
    return check;
}

} // namespace titralab
