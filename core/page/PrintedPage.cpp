#include "core/page/PrintedPage.h"

#include "core/page/PrintedReading.h"

#include "core/chemistry/Database.h"
#include "core/curves/SeriesColours.h"
#include "core/numbers/NumberFormat.h"
#include "core/page/PrintColours.h"
#include "core/panel/Simulation.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/PageTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace titralab {

namespace {

constexpr DashCode kConductivityDash = 6;

double largestOrdinate(const Series& s) {
    double largest = 0;
    for (const CurvePoint& p : s) largest = std::max(largest, p.y);
    return largest;
}

// Real to dots, truncating toward zero. Points far off the page (the printer clips them) are
// held within the int range.
int toDots(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1e8, 1e8));
}

bool isSpeciesOrDilution(Study s) {
    return s == Study::SpeciesVsPH || s == Study::Dilution;
}

void setPen(Canvas& canvas, int width, CanvasColor color) {
    canvas.setPen(Pen{width, color, PenStyle::Solid});
}

// Drops the binary noise of products like 3 * 0.1 before a decimal rounding.
double toFifteenDigits(double v) {
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14).ptr;
    double out = v;
    std::from_chars(buffer, end, out);
    return out;
}

// A solid line from the vertical axis at the first point's height through every point. A
// series that runs toward the axis (the base side, whose volume falls as the pH rises) starts
// at its first point instead: it reaches the axis at its end.
void printSolid(const Series& s, const PageLayout& L, Canvas& canvas) {
    if (s.empty()) return;
    const bool towardAxis = s.front().x > s.back().x;
    canvas.moveTo(towardAxis ? L.mapX(s.front().x) : L.margin, L.mapY(s.front().y));
    for (const CurvePoint& p : s) canvas.lineTo(L.mapX(p.x), L.mapY(p.y));
}

// A dashed line whose pattern runs on across the joints of the segments. Like the solid line,
// it starts on the vertical axis unless it runs toward it.
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

void drawFrame(const PageInput& in, const PrintSettings& settings, const PageLayout& L,
               Canvas& canvas) {
    const Study study = in.state.study;
    const int H = L.regionHeight, W = L.regionWidth, m = L.margin, a = L.arrowSize, t = L.tickHalf,
              ch = L.lineHeight, cw = L.charWidth;
    const CanvasColor axisColor = settings.printInColour ? kBlue : kBlack;

    // Axes, one polyline.
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

    if (settings.printGrid) {
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
}

// French elides "de" before a vowel or a mute h: "d'acide", "d'éthylamine", "d'hydrazine".
bool takesElision(const std::string& s) {
    if (s.empty()) return false;
    if (std::string_view("AEIOUYHaeiouyh").find(s[0]) != std::string_view::npos) return true;
    for (const char* accented : {"é", "è", "ê", "É", "È", "Ê"})
        if (s.rfind(accented, 0) == 0) return true;
    return false;
}

} // namespace

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

PageInput PageInputOf(const Simulation& sim) {
    PageInput in;
    in.state = sim.state;
    in.curves = sim.curves;
    in.graph = sim.graph;
    in.speciesLabels = sim.speciesLabels;
    in.bottomAxisTitle = sim.plot.bottomTitle;
    in.pointStyle = sim.currentPointStyle;
    in.reading = sim.reading;
    in.overlays = sim.overlays;
    in.overlays.plainTable.clear();
    in.language = sim.language;
    in.conductivityScale = sim.conductivityScale;
    return in;
}

int PageLayout::mapX(double x) const {
    return toDots(x * pxPerUnitX + margin);
}

int PageLayout::mapY(double y) const {
    return toDots((ymax - y) * pxPerUnitY) + margin;
}

PageLayout LayOutPage(const PageInput& in, const PrintSettings& settings, int pageWidth,
                      int pageHeight, int dpi) {
    const PrintValues values = ReadPrintSettings(settings);
    const Study study = in.state.study;
    const BuretteSide side = in.state.side;
    PageLayout L;

    L.acidities = entryOf(side, in.state.row1).acidities;

    // Ranges. The reference series ends at its largest abscissa on the acid side; on the base
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

// Kept curves take the dash codes no curve of the study uses, in turn.
DashCode overlayDash(std::size_t index) {
    constexpr std::array<DashCode, 4> kCodes{7, 8, 9, 10};
    return kCodes[index % kCodes.size()];
}

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

void PrintTexts(const PageInput& in, const PrintSettings& settings, const PageLayout& L,
                DashedPen& dashes, Canvas& canvas) {
    const ChemicalState& st = in.state;
    const Study study = st.study;
    const bool acidSide = st.side == BuretteSide::AcidSide;
    const int H = L.regionHeight, W = L.regionWidth, m = L.margin, ch = L.lineHeight;
    const auto& L1 = in.speciesLabels[0];
    const auto& L2 = in.speciesLabels[1];
    setPen(canvas, L.penWidth, kBlack);

    int j = 1;
    auto lineTop = [&] { return H - m + j * ch; };

    for (const std::string* comment : {&settings.comment1, &settings.comment2}) {
        if (comment->empty()) continue;
        ++j;
        canvas.textOut(W / 2 + m, lineTop(), *comment);
    }

    if (settings.printConstants && !isSpeciesOrDilution(study)) {
        // The base side prints the pKa of the couple, as typed, not the working pKb.
        auto pk = [&](double v) { return formatOnPaper(acidSide ? v : pKaOfBase(v)); };
        auto write = [&](int step, const std::string& text) {
            j += step;
            canvas.textOut(W - 7 * m, lineTop(), text);
        };
        const Language language = in.language;
        const std::string colon = kColon.in(language);
        // The volume poured into the beaker before the titration: "volume initial d'acide
        // éthanoïque : 0,02 L", not a volume added from the burette.
        auto volumeLine = [&](const std::string& name, double volume) {
            const std::string litres = formatOnPaper(volume) + " L";
            if (language == Language::English) return "initial volume of " + name + colon + litres;
            return std::string(takesElision(name) ? "volume initial d'" : "volume initial de ") +
                   name + colon + litres;
        };
        write(2, (acidSide ? texts::kBaseConcentration : texts::kAcidConcentration).in(language) + colon +
                     formatOnPaper(st.titrantConc) + " mol/L");
        write(2, texts::kInitialConcentrationOf.in(language) + L1[0] + colon + formatOnPaper(st.conc1) +
                     " mol/L");
        write(1, volumeLine(L1[0], st.vol1));
        write(1, (acidSide ? texts::kAcidPKa : texts::kBasePKa).in(language) + colon + pk(st.pK1[0]));
        if (L.acidities >= 2) write(1, "pKa2" + colon + pk(st.pK1[1]));
        if (L.acidities == 3) write(1, "pKa3" + colon + pk(st.pK1[2]));
        if (study == Study::TwoMonoTitration) {
            write(2, texts::kInitialConcentrationOf.in(language) + L2[0] + colon +
                         formatOnPaper(st.conc2) + " mol/L");
            write(1, volumeLine(L2[0], st.vol2));
            write(1, (acidSide ? texts::kAcidPKa : texts::kBasePKa).in(language) + colon + pk(st.pK2[0]));
        }
        // The remarkable points, on rows of their own, starting further left: they are longer.
        const std::vector<std::string> points = printedPointLines(in);
        for (std::size_t k = 0; k < points.size(); ++k) {
            j += k == 0 ? 2 : 1;
            canvas.textOut(W - 9 * m, lineTop(), points[k]);
        }
    }

    // Legend: the name, then a sample of the line under the vertical axis.
    // series: 1..8, whose screen colour the sample takes in colour; 0 for black.
    auto entry = [&](const std::string& text, DashCode code, int series) {
        ++j;
        setPen(canvas, L.penWidth, kBlack);
        canvas.textOut(3 * m, lineTop(), text);
        const int ys = static_cast<int>((j + 0.6) * ch + H - m);
        // The sample in the ink of its curve.
        setPen(canvas, L.penWidth,
               L.inColour && series > 0 ? inkOnPaper(kScreenSeriesColours[series - 1]) : kBlack);
        canvas.moveTo(m, ys);
        DashedSample(dashes, canvas, m, ys, m, code);
    };
    const GraphOptions& g = in.graph;
    if (!isSpeciesOrDilution(study)) {
        // With kept curves beside it, the current curve is named by its values.
        const std::string& current = in.overlays.currentLabel;
        entry(in.overlays.curves.empty() || current == "pH" ? std::string("pH")
                                                            : "pH (" + current + ")",
              kSolidDash, 1);
        if (g.isChecked(10)) entry("c (H3O+)", 1, 6);
    }
    for (int box = 2; box <= 5; ++box)
        if (g.isChecked(box)) entry(L1[box - 2], box, box);
    if (g.isChecked(6)) entry(L2[0], 4, 4);
    if (g.isChecked(7)) entry(L2[1], 5, 5);
    // The conductivity has no axis of its own: its entry gives its scale.
    if (const std::optional<double> top = printedConductivityAtTen(in))
        entry(texts::kConductivityLegend.in(in.language) + std::string(" (10 = ") + formatOnPaper(*top) +
                  " S/m)",
              kConductivityDash, 8);
    for (const auto& [text, code] : readingLegend(in)) {
        if (code >= 0) {
            entry(text, code, 0); // drawn in black
            continue;
        }
        // The indicator: a patch of its band's colours.
        ++j;
        canvas.textOut(3 * m, lineTop(), text);
        PrintLegendPatch(in, canvas, m, H - m + j * ch + ch / 5, static_cast<int>(1.5 * m),
                         ch * 3 / 5);
        setPen(canvas, L.penWidth, kBlack);
    }
    const std::vector<OverlayCurve>& kept = in.overlays.curves;
    for (std::size_t c = 0; c < kept.size(); ++c)
        for (const auto& [number, points] : kept[c].series)
            entry((number == 1 ? std::string("pH") : L1[number - 2]) + " (" + kept[c].label + ")",
                  overlayDash(c), number);
    setPen(canvas, L.penWidth, kBlack);

    if (!g.isChecked(1) && !isSpeciesOrDilution(study)) {
        const int x = static_cast<int>(1.6 * m + L.textOffset);
        canvas.textOut(x, 2 * m, texts::kDilutionWarning1.in(in.language));
        canvas.textOut(x, 2 * m + ch, texts::kDilutionWarning2.in(in.language));
    }
}

PageLayout PrintPage(const Simulation& sim, const PrintSettings& settings, Canvas& canvas) {
    return PrintPage(PageInputOf(sim), settings, canvas);
}

PageLayout PrintPage(const PageInput& in, const PrintSettings& settings, Canvas& canvas) {
    const Brush savedBrush = canvas.brush();
    const PageLayout L =
        LayOutPage(in, settings, canvas.pageWidth(), canvas.pageHeight(), canvas.resolution());
    canvas.beginDocument(texts::kDocumentTitle.in(in.language));
    try {
        setPen(canvas, L.penWidth, kBlack);
        DashedPen dashes =
            SetUpDashes(ReadPrintSettings(settings).dashLengthMm, L.pixelsPerCm, L.nRef);
        SymbolPen symbols{in.pointStyle, std::nullopt};
        // Curves first, so that the frame and the texts come on top.
        if (L.curvesPrinted) {
            PrintIndicatorBand(in, L, canvas);
            PrintCurves(in, L, dashes, symbols, canvas);
            PrintReadingCurves(in, L, dashes, canvas);
        }
        drawFrame(in, settings, L, canvas);
        PrintTexts(in, settings, L, dashes, canvas);
    } catch (...) {
        canvas.endDocument();
        canvas.setBrush(savedBrush);
        throw;
    }
    canvas.endDocument();
    canvas.setBrush(savedBrush);
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
