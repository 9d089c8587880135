// The frame of the printed page.
#include "core/page/PrintedPage.h"

#include "core/page/PageDrawing.h"
#include "core/page/PrintColours.h"
#include "core/texts/PageTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab::pagedraw {

namespace {

// The two axes, one polyline, with their arrowheads when asked.
void drawAxes(const PrintSettings& settings, const PageLayout& L, CanvasColor axisColor,
              Canvas& canvas) {
    const int H = L.regionHeight, W = L.regionWidth, m = L.margin, a = L.arrowSize;
    setPen(canvas, L.penWidth, axisColor);
    canvas.moveTo(m, m);
    canvas.lineTo(m, H - m);
    canvas.lineTo(W - m, H - m);

    if (settings.axisArrows) {
        Brush fill = canvas.brush();
        fill.style = BrushStyle::Solid;
        fill.color = kBlack;
        canvas.setBrush(fill);
        const int notchY = toDots(m + a / 4.0);
        const int notchX = toDots(W - m - a / 4.0);
        canvas.polygon({{m + a, m + a}, {m, m}, {m, notchY}});
        canvas.polygon({{m - a, m + a}, {m, m}, {m, notchY}});
        canvas.polygon({{W - m - a, H - m - a}, {W - m, H - m}, {notchX, H - m}});
        canvas.polygon({{W - m - a, H - m + a}, {W - m, H - m}, {notchX, H - m}});
        // Texts printed afterwards sit on an opaque white background.
        fill.color = kWhite;
        canvas.setBrush(fill);
    }
}

// The grid: a horizontal line per unit of ordinate (yn of them), vertical lines at the grid's
// step.
void drawGrid(const PageLayout& L, int yn, Canvas& canvas) {
    const int H = L.regionHeight, W = L.regionWidth, m = L.margin;
    setPen(canvas, L.thinWidth, kBlack);
    for (int d = 1; d <= yn; ++d) {
        const int yd = static_cast<int>((H - m) - d * L.gridStepY);
        canvas.moveTo(m, yd);
        canvas.lineTo(W - m, yd);
    }
    if (L.stretched) {
        for (int f = 1;; ++f) {
            const int xf = static_cast<int>(f * L.gridStepX) + m;
            if (xf > W - m) break;
            canvas.moveTo(xf, H - m);
            canvas.lineTo(xf, m);
        }
    } else {
        const int count = static_cast<int>((W - 2 * m) / L.gridStepX);
        for (int f = 1; f <= count; ++f) {
            const int xf = static_cast<int>(f * L.gridStepX) + m;
            canvas.moveTo(xf, H - m);
            canvas.lineTo(xf, m);
        }
    }
}

} // namespace

void drawFrame(const PageInput& in, const PrintSettings& settings, const PageLayout& L,
               Canvas& canvas) {
    const Study study = in.state.study;
    const int H = L.regionHeight, W = L.regionWidth, m = L.margin, a = L.arrowSize, t = L.tickHalf,
              ch = L.lineHeight, cw = L.charWidth;
    const CanvasColor axisColor = settings.printInColour ? kBlue : kBlack;

    drawAxes(settings, L, axisColor, canvas);

    // Texts.
    setPen(canvas, L.penWidth, kBlack);
    canvas.setFont(CanvasFont{"", L.fontPoints, L.lineHeight});

    // Vertical graduation: a tick per unit (none at the top), a label every two units.
    const int yn = static_cast<int>(L.ymax);
    for (int i = 0; yn > 0 && i <= yn; ++i) {
        const int yi = m + static_cast<int>(static_cast<double>((yn - i) * (H - 2 * m)) / yn);
        canvas.moveTo(m - t, yi);
        if (i < yn) canvas.lineTo(m + t, yi);
        if (i % 2 == 0) {
            const int value = study == Study::SpeciesVsPH ? i * 10 : i;
            const int d = i <= 9 ? 1 : 2;
            canvas.textOut(m - 2 * d * cw - ch, yi - ch / 2, graduationLabel(value));
        }
    }

    // Axis titles.
    canvas.textOut(m - cw, m - 2 * ch, study == Study::SpeciesVsPH ? "% C" : "pH");
    const int titleX = isSpeciesOrDilution(study) ? W - 34 * cw : W - m - 34 * cw;
    canvas.textOut(titleX, H - m - 2 * ch, in.bottomAxisTitle);

    // Horizontal graduation: no tick at 0, none under the arrowhead or beyond the axis.
    for (int i = 1; i <= 16; ++i) {
        const double value = i * L.scale.labelStep;
        if (isSpeciesOrDilution(study) && value > 14) continue;
        const int xi = m + static_cast<int>(i * L.tickPx);
        if (xi > W - m - 2 * a) continue;
        canvas.textOut(xi - cw, H - m + static_cast<int>(0.75 * ch),
                       graduationLabel(value, L.scale.labelStep));
        setPen(canvas, L.penWidth, axisColor);
        canvas.moveTo(xi, H - m);
        canvas.lineTo(xi, H - m + t);
    }

    if (settings.printGrid) drawGrid(L, yn, canvas);
}

} // namespace titralab::pagedraw
