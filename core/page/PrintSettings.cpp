#include "core/page/PrintSettings.h"

#include "core/numbers/NumberInput.h"
#include "core/texts/PageTexts.h"

#include <cmath>

namespace titralab {

namespace {

// Nearest integer, a half going to the even neighbour.
int roundHalfToEven(double v) {
    const double lower = std::floor(v);
    const double fraction = v - lower;
    int n = static_cast<int>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && n % 2 != 0)) ++n;
    return n;
}

} // namespace

std::string_view pageFormatCaption(PageFormat format, Language language) {
    switch (format) {
    case PageFormat::QuarterPage:
        return texts::kQuarterPage.in(language);
    case PageFormat::HalfPage:
        return texts::kHalfPage.in(language);
    case PageFormat::Optimised:
        break;
    }
    return texts::kOptimised.in(language);
}

PrintValues ReadPrintSettings(const PrintSettings& settings) {
    PrintValues v;
    v.lineWidth = ParseBoundedNumber(settings.lineWidth, 1, 150).value;

    // An unreadable or out-of-range length falls back to the default pattern, not to a bound.
    const BoundedNumber dash = ParseBoundedNumber(settings.dashLengthMm, 1, 15);
    v.dashLengthMm = dash.ok ? dash.value : 9;

    double size = ParseBoundedNumber(settings.charSize, 8, 14).value;
    if (settings.format == PageFormat::QuarterPage) size /= 2;
    v.charSize = static_cast<int>(size);

    v.approxGraduations =
        roundHalfToEven(ParseBoundedNumber(settings.approxGraduations, 1, 16).value);
    return v;
}

} // namespace titralab
