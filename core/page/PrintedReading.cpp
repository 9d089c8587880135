#include "core/page/PrintedReading.h"

#include "core/chemistry/Indicators.h"
#include "core/page/PrintedPage.h"
#include "core/texts/ReadingTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace titralab {

namespace {


bool isTitration(const PageInput& in) {
    return titrationOf(in.state.study).has_value();
}

const ColourIndicator* chosenIndicator(const PageInput& in) {
    const int k = in.reading.options.indicator;
    if (!isTitration(in) || k < 0 || k >= static_cast<int>(colourIndicators().size()))
        return nullptr;
    return &colourIndicators()[k];
}

// A colour mixed with white: the band must not hide what is drawn over it.
CanvasColor lightened(const IndicatorColor& c, double t) {
    auto mix = [t](int v) { return static_cast<std::uint8_t>(std::lround(255 - (255 - v) * t)); };
    return {mix(c.r), mix(c.g), mix(c.b)};
}

CanvasColor between(const IndicatorColor& a, const IndicatorColor& b, double f) {
    IndicatorColor c{static_cast<std::uint8_t>(std::lround(a.r + (b.r - a.r) * f)),
                     static_cast<std::uint8_t>(std::lround(a.g + (b.g - a.g) * f)),
                     static_cast<std::uint8_t>(std::lround(a.b + (b.b - a.b) * f))};
    return lightened(c, 0.45);
}

// A number with fixed decimals and the comma of paper, whatever the process locale.
std::string onPaper(double v, int decimals) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    std::string s(buffer, end.ptr);
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

} // namespace

void PrintIndicatorBand(const PageInput& in, const PageLayout& L, Canvas& canvas) {
    const ColourIndicator* indicator = chosenIndicator(in);
    if (!indicator) return;
    const Pen savedPen = canvas.pen();
    const Brush savedBrush = canvas.brush();
    // Across the curve's own range of volumes.
    double largest = 0;
    for (const CurvePoint& p : in.curves[1]) largest = std::max(largest, p.x);
    const int left = L.margin, right = std::max(left + 1, L.mapX(largest));
    constexpr int kStrips = 12;
    for (int i = 0; i < kStrips; ++i) {
        const double a = indicator->low + (indicator->high - indicator->low) * i / kStrips;
        const double b = indicator->low + (indicator->high - indicator->low) * (i + 1) / kStrips;
        const CanvasColor c = between(indicator->acid, indicator->basic, (i + 0.5) / kStrips);
        canvas.setPen(Pen{1, c, PenStyle::Clear});
        canvas.setBrush(Brush{BrushStyle::Solid, c});
        const int top = L.mapY(b), bottom = L.mapY(a);
        canvas.polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
    }
    canvas.setPen(savedPen);
    canvas.setBrush(savedBrush);
}

void PrintLegendPatch(const PageInput& in, Canvas& canvas, int x, int y, int width, int height) {
    const ColourIndicator* indicator = chosenIndicator(in);
    if (!indicator) return;
    const Pen savedPen = canvas.pen();
    const Brush savedBrush = canvas.brush();
    constexpr int kStrips = 6;
    for (int i = 0; i < kStrips; ++i) {
        const CanvasColor c = between(indicator->acid, indicator->basic, (i + 0.5) / kStrips);
        canvas.setPen(Pen{1, c, PenStyle::Clear});
        canvas.setBrush(Brush{BrushStyle::Solid, c});
        const int a = x + width * i / kStrips, b = x + width * (i + 1) / kStrips;
        canvas.polygon({{a, y}, {b, y}, {b, y + height}, {a, y + height}});
    }
    canvas.setPen(savedPen);
    canvas.setBrush(savedBrush);
}

double printedDerivativeFactor(const PageInput& in) {
    double largest = 0;
    for (const CurvePoint& p : in.reading.derivative)
        if (std::isfinite(p.y)) largest = std::max(largest, std::abs(p.y));
    return largest > 0 ? 10 / largest : 1;
}

void PrintReadingCurves(const PageInput& in, const PageLayout& L, DashedPen& dashes,
                        Canvas& canvas) {
    if (!isTitration(in)) return;
    const Pen saved = canvas.pen();
    const Series& d = in.reading.derivative;
    if (in.reading.options.derivative && !d.empty()) {
        // Drawn by magnitude: on the base side the pH falls and dpH/dV is negative.
        const double factor = printedDerivativeFactor(in);
        for (std::size_t i = 0; i < d.size(); ++i) {
            const int x = L.mapX(d[i].x);
            const int y = L.mapY(std::abs(d[i].y) * factor);
            if (i == 0) {
                canvas.moveTo(x, y);
                DashedLineTo(dashes, canvas, true, kDerivativeDash, x, y);
            } else {
                DashedLineTo(dashes, canvas, false, kDerivativeDash, x, y);
            }
        }
        // Each peak is a needle one sample wide, up the very volume where the pH curve jumps:
        // the jump hides it, and the dashes may leave its tip blank. A short solid bar marks
        // the top of every peak a pH unit high or more, at the height the legend gives it.
        canvas.setPen(Pen{L.penWidth, saved.color, PenStyle::Solid});
        for (std::size_t i = 1; i + 1 < d.size(); ++i) {
            const double here = std::abs(d[i].y);
            if (!(here >= std::abs(d[i - 1].y) && here > std::abs(d[i + 1].y)) || here * factor < 1)
                continue;
            const int x = L.mapX(d[i].x), y = L.mapY(here * factor);
            canvas.moveTo(x - L.arrowSize, y);
            canvas.lineTo(x + L.arrowSize, y);
        }
    }
    if (in.reading.options.equivalences) {
        const Brush savedBrush = canvas.brush();
        canvas.setBrush(Brush{BrushStyle::Clear, kWhite});
        const int thin = std::max(1, L.thinWidth);
        const int top = L.mapY(L.ymax), bottom = L.mapY(0);
        // Dashes of 2 mm with 1.5 mm gaps, dots of 0.5 mm with 1.5 mm gaps for the halves.
        const int dash = std::max(1, static_cast<int>(L.pixelsPerCm * 0.2));
        const int dot = std::max(1, static_cast<int>(L.pixelsPerCm * 0.05));
        const int gap = std::max(1, static_cast<int>(L.pixelsPerCm * 0.15));
        auto marker = [&](double volume, const std::string& label, bool half) {
            const int x = L.mapX(volume * in.state.volumeFactor);
            canvas.setPen(Pen{thin, kBlack, PenStyle::Solid});
            const int on = half ? dot : dash;
            for (int y = bottom; y > top; y -= on + gap) {
                canvas.moveTo(x, y);
                canvas.lineTo(x, std::max(top, y - on));
            }
            canvas.textOut(x + L.charWidth / 2,
                           top + (half ? 2 : 0) * L.lineHeight / 2 + L.lineHeight, label);
        };
        for (const EquivalenceReading& p : in.reading.points) {
            marker(p.half.volume, pointLabel(PointKind::Half, p.number, in.language), true);
            marker(p.equivalence.volume, pointLabel(PointKind::Equivalence, p.number, in.language),
                   false);
        }
        canvas.setBrush(savedBrush);
    }
    canvas.setPen(saved);
}

std::vector<std::pair<std::string, DashCode>> readingLegend(const PageInput& in) {
    std::vector<std::pair<std::string, DashCode>> entries;
    if (!isTitration(in)) return entries;
    if (in.reading.options.derivative && !in.reading.derivative.empty()) {
        const double factor = printedDerivativeFactor(in);
        const std::string unit = in.state.volumesInMillilitres ? "mL" : "L";
        entries.emplace_back(std::string(texts::kLegendDerivative.in(in.language)) + " (10 = " +
                                 formatOnPaper(10 / factor) + texts::kPHPer.in(in.language) + unit + ")",
                             kDerivativeDash);
    }
    if (const ColourIndicator* i = chosenIndicator(in))
        entries.emplace_back(std::string(i->name.in(in.language)) + " (" + onPaper(i->low, 1) +
                                 " - " + onPaper(i->high, 1) + ")",
                             -1);
    return entries;
}

std::vector<std::string> printedPointLines(const PageInput& in) {
    std::vector<std::string> lines;
    if (!isTitration(in) || !in.reading.options.equivalences) return lines;
    const std::string unit = in.state.volumesInMillilitres ? " mL" : " L";
    const double f = in.state.volumeFactor;
    const ColourIndicator* indicator = chosenIndicator(in);
    const Language language = in.language;
    auto place = [&](PointKind kind, int k, const CurvePlace& p) {
        return pointLabel(kind, k, language) + kColon.in(language) + onPaper(p.volume * f, 2) +
               unit + kSemicolon.in(language) + "pH " + onPaper(p.pH, 2);
    };
    for (const EquivalenceReading& p : in.reading.points) {
        std::string e = place(PointKind::Equivalence, p.number, p.equivalence);
        if (!p.usable) e += std::string(" (") + texts::kNoJump.in(language) + ")";
        if (indicator)
            e += std::string(", ") + verdictText(indicatorSuits(*indicator, p), language);
        lines.push_back(e);
        lines.push_back(place(PointKind::Half, p.number, p.half));
    }
    return lines;
}

} // namespace titralab
