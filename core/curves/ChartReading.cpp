#include "core/curves/ChartReading.h"

#include "core/numbers/NumberInput.h"
#include "core/texts/ReadingTexts.h"

namespace titralab {

double derivativeForDisplay(const ChemicalState& s, Titration t, double pH) {
    return pHSlopeAtPH(s, t, pH) / s.volumeFactor;
}

double derivativeForDisplayAtH(const ChemicalState& s, Titration t, double h) {
    return pHSlopeAtWorkingConc(s, t, h) / s.volumeFactor;
}

bool indicatorSuits(const ColourIndicator& indicator, const EquivalenceReading& point) {
    return point.usable && point.indicatorJumpLow <= indicator.low &&
           indicator.high <= point.indicatorJumpHigh;
}

const char* verdictText(bool suits, Language language) {
    return (suits ? texts::kSuits : texts::kDoesNotSuit).in(language);
}

std::string pointLabel(PointKind kind, int number, Language language) {
    const Text& prefix = kind == PointKind::Equivalence  ? texts::kEquivalencePrefix
                         : kind == PointKind::Inflection ? texts::kInflectionPrefix
                                                         : texts::kHalfPrefix;
    return prefix.in(language) + std::to_string(number);
}

std::optional<double> readParticularVolume(const std::string& text) {
    constexpr double kLargest = 1e6;
    const BoundedNumber n = ParseBoundedNumber(text, 0, kLargest);
    if (!n.ok) return std::nullopt;
    return n.value;
}

} // namespace titralab
