// The curves and the pasted points of the printed page.
#include "core/page/PrintedPage.h"

#include "core/curves/SeriesColours.h"
#include "core/page/PageDrawing.h"
#include "core/page/PrintColours.h"

#include <algorithm>
#include <cmath>

namespace titralab {

using namespace pagedraw;

namespace pagedraw {

void printSolid(const Series& s, const PageLayout& L, Canvas& canvas) {
    if (s.empty()) return;
    const bool towardAxis = s.front().x > s.back().x;
    canvas.moveTo(towardAxis ? L.mapX(s.front().x) : L.margin, L.mapY(s.front().y));
    for (const CurvePoint& p : s) canvas.lineTo(L.mapX(p.x), L.mapY(p.y));
}

void printDashed(const Series& s, DashCode code, double factor, const PageLayout& L,
                 DashedPen& dashes, Canvas& canvas) {
    if (s.empty()) return;
    const bool towardAxis = s.front().x > s.back().x;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int x = L.mapX(s[i].x);
        const int y = L.mapY(s[i].y * factor);
        if (i == 0) {
            canvas.moveTo(towardAxis ? x : L.margin, y);
            DashedLineTo(dashes, canvas, true, code, x, y);
        } else {
            DashedLineTo(dashes, canvas, false, code, x, y);
        }
    }
}

} // namespace pagedraw

void DrawPointSymbol(Canvas& canvas, SymbolPen& symbols, int x, int y, int s) {
    const Brush saved = canvas.brush();
    Brush clear = saved;
    clear.style = BrushStyle::Clear;
    canvas.setBrush(clear);

    auto line = [&canvas](int x1, int y1, int x2, int y2) {
        canvas.moveTo(x1, y1);
        canvas.lineTo(x2, y2);
    };
    auto dot = [&canvas](int cx, int cy, int size) {
        const int r = std::max(1, size / 6);
        canvas.ellipse(cx - r, cy - r, cx + r, cy + r);
    };
    const int half = std::max(1, s / 2);
    auto upright = [&] {
        line(x, y - half, x, y + half);
        line(x - half, y, x + half, y);
    };
    auto diagonal = [&] {
        line(x - half, y - half, x + half, y + half);
        line(x + half, y - half, x - half, y + half);
    };

    switch (symbols.style) {
    case PointStyle::ConnectedPoints:
        dot(x, y, s);
        if (symbols.previousPoint) line(symbols.previousPoint->x, symbols.previousPoint->y, x, y);
        symbols.previousPoint = CanvasPoint{x, y};
        break;
    case PointStyle::DiagonalCross:
        diagonal();
        break;
    case PointStyle::Diamond:
        upright();
        diagonal();
        break;
    case PointStyle::Square: {
        const int r = std::max(2, s / 2);
        canvas.moveTo(x - r, y - r);
        canvas.lineTo(x - r, y + r);
        canvas.lineTo(x + r, y + r);
        canvas.lineTo(x + r, y - r);
        canvas.lineTo(x - r, y - r);
        break;
    }
    case PointStyle::Dot:
        dot(x, y, s);
        break;
    case PointStyle::Circle:
        canvas.ellipse(x - half, y - half, x + half, y + half);
        break;
    case PointStyle::Triangle: {
        const int h = std::max(2, s / 2);
        const int v = std::max(2, static_cast<int>(s * std::sqrt(5.0) / 6));
        canvas.polygon({{x - h, y + v}, {x + h, y + v}, {x, y - 2 * v}});
        dot(x, y, s / 2);
        break;
    }
    case PointStyle::Cross:
    default:
        upright();
        break;
    }
    canvas.setBrush(saved);
}

namespace {

void printOverlays(const PageInput& in, const PageLayout& L, DashedPen& dashes, Canvas& canvas) {
    const std::vector<OverlayCurve>& kept = in.overlays.curves;
    for (std::size_t c = 0; c < kept.size(); ++c)
        for (std::size_t k = 0; k < kept[c].series.size(); ++k) {
            const double factor = kept[c].series[k].first == 1 ? 1 : L.speciesFactor;
            printDashed(overlayPoints(kept[c], k, in.state.volumeFactor), overlayDash(c), factor, L,
                        dashes, canvas);
        }
}

} // namespace

void PrintCurves(const PageInput& in, const PageLayout& L, DashedPen& dashes, SymbolPen& symbols,
                 Canvas& canvas) {
    const Study study = in.state.study;
    const GraphOptions& g = in.graph;
    const CurveSet& c = in.curves;
    const double sf = L.speciesFactor;
    // Black, or each series in the ink of its screen colour.
    auto penFor = [&](int series) {
        setPen(canvas, L.penWidth,
               L.inColour && series > 0 ? inkOnPaper(kScreenSeriesColours[series - 1]) : kBlack);
    };

    penFor(1);
    if (study != Study::SpeciesVsPH) printSolid(c[1], L, canvas);
    penFor(6);
    if (!isSpeciesOrDilution(study) && g.isChecked(10)) printDashed(c[6], 1, 1, L, dashes, canvas);
    penFor(2);
    if (g.isChecked(2)) printDashed(c[2], 2, sf, L, dashes, canvas);
    penFor(3);
    if (g.isChecked(3)) printDashed(c[3], 3, sf, L, dashes, canvas);
    penFor(4);
    if (g.isChecked(4) || g.isChecked(6)) printDashed(c[4], 4, sf, L, dashes, canvas);
    penFor(5);
    if (g.isChecked(5) || g.isChecked(7)) printDashed(c[5], 5, sf, L, dashes, canvas);
    penFor(7);
    if (g.isChecked(9))
        for (const CurvePoint& p : c[7])
            DrawPointSymbol(canvas, symbols, L.mapX(p.x), L.mapY(p.y), L.arrowSize);
    penFor(8);
    if (g.isChecked(8)) {
        const double largest = largestOrdinate(c[8]);
        // A series with no positive ordinate has no scale: it is left out.
        if (largest > 0) printDashed(c[8], kConductivityDash, 10 / largest, L, dashes, canvas);
    }
    printOverlays(in, L, dashes, canvas);
}

std::optional<double> printedConductivityAtTen(const PageInput& in) {
    if (!in.graph.isChecked(8)) return std::nullopt;
    const double largest = largestOrdinate(in.curves[8]);
    if (!(largest > 0)) return std::nullopt;
    return largest / (in.conductivityScale > 0 ? in.conductivityScale : 1);
}

} // namespace titralab
