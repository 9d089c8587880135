// The scales of the printed page: the horizontal scale and graduation, the layout of the page,
// and the numbers written on it.
#include "core/page/PrintedPage.h"

#include "core/chemistry/Database.h"
#include "core/numbers/NumberFormat.h"
#include "core/page/PageDrawing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace titralab {

using namespace pagedraw;

XScale ChooseXScale(double xmax, bool zoomX2) {
    double r0 = zoomX2 ? xmax / 2 : xmax;
    // Beyond these bounds the decade loops would not end or would overflow.
    if (!(r0 >= 1e-300 && r0 <= 1e300)) r0 = 1;
    XScale s;
    double d = 0;
    double decade = 0; // 10^n
    if (r0 > 1) {
        int n = 0;
        double f = 1;
        while (r0 / f >= 10) {
            ++n;
            f *= 10;
        }
        s.n = n;
        d = r0 / f;
        decade = f;
    } else {
        int n = -1;
        double f = 10;
        while (f * r0 < 1) {
            --n;
            f *= 10;
        }
        s.n = n;
        d = f * r0;
        decade = 1 / f;
    }
    const int q = static_cast<int>(10 * d);
    s.k = q <= 16 ? 10 : q <= 20 ? 8 : q <= 40 ? 4 : q <= 80 ? 2 : 1;
    s.unitsPerCm = decade / s.k;
    return s;
}

int ChooseGraduation(int approxGraduations, int k) {
    constexpr int thresholds[4]{0, 3, 6, 12};
    constexpr int counts[4]{2, 4, 8, 16};
    const int steps = k == 8 ? 2 : k == 4 ? 3 : 4;
    int n = 2;
    for (int j = 0; j < steps; ++j)
        if (approxGraduations > thresholds[j]) n = counts[j];
    return n;
}

int PageLayout::mapX(double x) const {
    return toDots(x * pxPerUnitX + margin);
}

int PageLayout::mapY(double y) const {
    return toDots((ymax - y) * pxPerUnitY) + margin;
}

namespace {

// The ranges of the page: the abscissa of the end of the axis, the ordinate of its top, the
// species' factor, the points of the reference series and whether curves are printed.
void layOutRanges(const PageInput& in, PageLayout& L) {
    const Study study = in.state.study;
    const BuretteSide side = in.state.side;
    // The reference series ends at its largest abscissa on the acid side; on the base
    // side the pH rises as the volume falls and the largest volume comes first, so the range is
    // the largest abscissa of the series. An empty or non-positive reference series prints the
    // frame without curves. The species page and the dilution page always span pH (or -log c)
    // 0 to 14, whichever curves are ticked; the species page takes its point count from the
    // longest species curve.
    const Series& reference = study == Study::SpeciesVsPH ? in.curves[2] : in.curves[1];
    L.nRef = static_cast<int>(reference.size());
    if (study == Study::SpeciesVsPH)
        for (int k = 2; k <= 5; ++k)
            L.nRef = std::max(L.nRef, static_cast<int>(in.curves[k].size()));
    double largest = 0;
    for (const CurvePoint& p : reference)
        if (std::isfinite(p.x)) largest = std::max(largest, p.x);
    if (isSpeciesOrDilution(study)) {
        L.xmax = 14;
    } else if (largest > 0) {
        L.xmax = largest;
    } else {
        L.xmax = 1;
        L.curvesPrinted = false;
    }
    L.ymax = 14;
    if (study == Study::SpeciesVsPH) L.ymax = 11;
    if (study == Study::Dilution && side == BuretteSide::AcidSide) L.ymax = 9;
    if (study == Study::SpeciesVsPH && in.state.conc1 > 0) L.speciesFactor = 10 / in.state.conc1;
}

} // namespace

PageLayout LayOutPage(const PageInput& in, const PrintSettings& settings, int pageWidth,
                      int pageHeight, int dpi) {
    const PrintValues values = ReadPrintSettings(settings);
    const Study study = in.state.study;
    const BuretteSide side = in.state.side;
    PageLayout L;

    L.acidities = entryOf(side, in.state.row1).acidities;

    layOutRanges(in, L);

    L.scale = ChooseXScale(L.xmax, settings.zoomX2);
    L.scale.graduationCount = ChooseGraduation(values.approxGraduations, L.scale.k);
    L.scale.tickSpacingCm = 16.0 / L.scale.graduationCount;
    if (isSpeciesOrDilution(study)) L.scale.tickSpacingCm = 2;
    L.scale.labelStep = L.scale.tickSpacingCm * L.scale.unitsPerCm;

    // Pens and centimetres; widths are typed in 1/100 mm, i.e. 1/1000 cm.
    L.pixelsPerCm = dpi / 2.54;
    const double w = values.lineWidth;
    L.penWidth = static_cast<int>(w * L.pixelsPerCm / 1000);
    L.thinWidth = static_cast<int>(std::max(w / 3, 8.0) * L.pixelsPerCm / 1000);

    // Region by format.
    int H = pageHeight;
    int W = pageWidth;
    if (settings.format == PageFormat::HalfPage) H = H / 2;
    if (settings.format == PageFormat::QuarterPage) {
        H = H / 4;
        W = W / 2;
    }
    if (settings.format == PageFormat::Optimised)
        H = static_cast<int>(L.ymax * 1.2 * L.pixelsPerCm);
    const int m = H / 12;
    L.regionHeight = H;
    L.regionWidth = W;
    L.margin = m;
    L.arrowSize = H / 96;
    L.tickHalf = H / 192;
    L.stretched = settings.format != PageFormat::Optimised;
    L.pxPerUnitX = L.stretched ? (W - 2 * m) / L.xmax : L.pixelsPerCm / L.scale.unitsPerCm;
    L.pxPerUnitY = (H - 2 * m) / L.ymax;

    if (L.stretched) {
        // Ticks, labels and grid follow the stretched curves: every label stands under its
        // value, and the grid keeps one line per optimised centimetre and per unit of ordinate.
        L.tickPx = L.scale.labelStep * L.pxPerUnitX;
        L.gridStepX = L.scale.unitsPerCm * L.pxPerUnitX;
        L.gridStepY = L.pxPerUnitY;
    } else {
        L.tickPx = L.pixelsPerCm * L.scale.tickSpacingCm;
        L.gridStepX = L.pixelsPerCm;
        L.gridStepY = L.pixelsPerCm;
    }

    // Font height of a point size on this printer, rounded to the nearest dot.
    L.fontPoints = values.charSize;
    L.lineHeight = (L.fontPoints * dpi + 36) / 72;
    L.charWidth = static_cast<int>(L.lineHeight / 2.27);
    L.textOffset = side == BuretteSide::BaseSide ? static_cast<int>(W / 2.0 - m) : 0;
    L.inColour = settings.printInColour;
    return L;
}

std::string formatOnPaper(double v) {
    std::string s = formatGeneral(v, 3, ',');
    // The general format turns scientific below 1E-4; paper keeps fixed notation down to 1E-5.
    const std::size_t e = s.find("E-5");
    if (e != std::string::npos && e + 3 == s.size()) {
        const bool negative = s[0] == '-';
        std::string digits;
        for (std::size_t k = negative ? 1 : 0; k < e; ++k)
            if (s[k] >= '0' && s[k] <= '9') digits += s[k];
        return (negative ? "-0,0000" : "0,0000") + digits;
    }
    return s;
}

std::string graduationLabel(double v, double step) {
    const double exact = toFifteenDigits(v);
    const double tickStep = std::fabs(toFifteenDigits(step));
    int decimals = 0;
    if (tickStep > 0 && tickStep < 1e-3) return formatOnPaper(exact);
    // The fewest decimals (up to three) that write the step exactly: 0.5 needs one, 0.25 two.
    while (decimals < 3) {
        const double scaled = tickStep * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) break;
        ++decimals;
    }
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(exact * scale) / scale;
    if (std::fabs(rounded) >= 1000) return formatOnPaper(rounded);
    if (decimals == 0) return std::to_string(static_cast<long long>(rounded));
    std::string text =
        std::to_string(static_cast<long long>(std::llround(std::fabs(rounded) * scale)));
    if (text.size() <= static_cast<std::size_t>(decimals))
        text.insert(0, static_cast<std::size_t>(decimals) + 1 - text.size(), '0');
    text.insert(text.size() - static_cast<std::size_t>(decimals), ",");
    return (rounded < 0 ? "-" : "") + text;
}

} // namespace titralab
