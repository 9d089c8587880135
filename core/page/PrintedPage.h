// The printed page: horizontal scale and graduation, page layout, frame, curves, texts below
// the frame, and the symbols of pasted points. Every length is in printer dots unless said.
#pragma once

#include "core/chemistry/ChemicalState.h"
#include "core/curves/ChartReading.h"
#include "core/curves/Curves.h"
#include "core/curves/Overlays.h"
#include "core/page/Canvas.h"
#include "core/page/Dashes.h"
#include "core/page/PointStyles.h"
#include "core/page/PrintSettings.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace titralab {

// The horizontal scale of a page.
struct XScale {
    int n{};                // decade exponent (negative for ranges up to 1)
    int k{};                // divisions per decade: 1, 2, 4, 8 or 10
    double unitsPerCm{};    // abscissa units per centimetre in the optimised format: 10^n / k
    int graduationCount{};  // N: 2, 4, 8 or 16
    double tickSpacingCm{}; // cm between two horizontal ticks in the optimised format
    double labelStep{};     // abscissa units between two horizontal ticks
};

// n, k and unitsPerCm for a largest abscissa xmax (halved by the zoom). A range that is not
// a positive finite number is scaled as xmax = 1.
XScale ChooseXScale(double xmax, bool zoomX2);

// The graduation count N for the approximate count typed (1..16) and the divisions k.
int ChooseGraduation(int approxGraduations, int k);

// What a page is printed from: the parts of the simulation it reads (PageInputOf in
// core/session/PrintedPage.h).
struct PageInput {
    ChemicalState state; // study, side, concentrations, volumes, pK, row1
    CurveSet curves;
    GraphOptions graph; // only `checked` is read
    std::array<std::array<std::string, 4>, 2> speciesLabels{};
    std::string bottomAxisTitle;
    PointStyle pointStyle{PointStyle::ConnectedPoints};
    ChartReading reading; // remarkable points, derivative and indicator of the graph window
    Overlays overlays;    // kept curves, printed dashed with their legend entries
    Language language{Language::French}; // of the printed texts
    double conductivityScale{1};         // the conductivity curve holds S/m multiplied by this
    // The conditions of the solutions, one line each under the constants; none when ideal at
    // 25 °C.
    std::vector<std::string> conditionsLines;
    // The equivalences read off the measured points, one line each, after the remarkable
    // points.
    std::vector<std::string> measuredLines;
};

// Everything a page computes before drawing.
struct PageLayout {
    int acidities{1};         // of database entry row1 on the study's side
    double xmax{1};           // abscissa at the end of the axis in the stretched formats
    double ymax{14};          // ordinate at the top of the vertical axis
    double speciesFactor{1};  // ordinate factor of the species curves
    int nRef{};               // points of the reference series
    bool curvesPrinted{true}; // false when the reference series gives no positive range
    XScale scale;

    double pixelsPerCm{}; // dots per centimetre (vertical resolution / 2.54)
    int regionHeight{};   // H
    int regionWidth{};    // W
    int margin{};         // m: from the left and top edges to the axes, from H up to the x axis
    int arrowSize{};      // a: arrowheads and point symbols
    int tickHalf{};       // t: half-length of a tick
    double pxPerUnitX{};  // dots per unit of abscissa
    double pxPerUnitY{};  // dots per unit of ordinate
    bool stretched{};     // QuarterPage or HalfPage: xmax falls on the end of the x axis
    double tickPx{};      // dots between two horizontal ticks
    double gridStepX{};   // dots between two vertical grid lines
    double gridStepY{};   // dots between two horizontal grid lines
    int fontPoints{};     // character size, points
    int lineHeight{};     // ch: height of a text line
    int charWidth{};      // cw = trunc(ch / 2.27)
    int penWidth{};       // curves, axes and texts
    int thinWidth{};      // grid
    int textOffset{};     // x offset of the dilution warning: 0, or trunc(W / 2 - m) on BaseSide
    bool inColour{};      // curves and pasted points in their screen colours, axes blue

    // A data point on the page, truncated toward zero.
    int mapX(double x) const;
    int mapY(double y) const;
};

PageLayout LayOutPage(const PageInput& in, const PrintSettings& settings, int pageWidth,
                      int pageHeight, int dpi);

// The symbol drawing state of a page: the style, and the last ConnectedPoints symbol.
struct SymbolPen {
    PointStyle style{PointStyle::ConnectedPoints};
    std::optional<CanvasPoint> previousPoint;
};

// One pasted point centred on (x, y), size in dots; outlines only, the fill is put back.
void DrawPointSymbol(Canvas& canvas, SymbolPen& symbols, int x, int y, int size);

// Prints one page on the canvas (one document titled "pH et concentrations" or "pH and
// concentrations", always ended, even when a step throws) and returns its layout.
PageLayout PrintPage(const PageInput& in, const PrintSettings& settings, Canvas& canvas);

// The curves and pasted points of the page.
void PrintCurves(const PageInput& in, const PageLayout& layout, DashedPen& dashes,
                 SymbolPen& symbols, Canvas& canvas);

// The conductivity, in S/m, that the printed conductivity curve draws at height 10 (its
// largest value); nullopt when the page prints no conductivity curve.
std::optional<double> printedConductivityAtTen(const PageInput& in);

// Comments, constants block and legend below the frame, and the dilution warning.
void PrintTexts(const PageInput& in, const PrintSettings& settings, const PageLayout& layout,
                DashedPen& dashes, Canvas& canvas);

// A number in the constants block: 3 significant digits, decimal comma, fixed notation from
// 0,00001 up to 3 integer digits, else 1,23E-6 / 1,5E3.
std::string formatOnPaper(double v);

// A graduation label for ticks `step` apart. A whole step: the value rounded to a whole number
// (halves away from zero). Otherwise the decimals the step needs, one at least (0,5; 1,0;
// 1,5), with a decimal comma; a step below 0,001 in the notation of formatOnPaper. 1000 and
// more in the scientific notation of formatOnPaper.
std::string graduationLabel(double v, double step = 1);

} // namespace titralab
