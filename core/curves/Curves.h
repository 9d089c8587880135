// The curves of the chart: the eight series, the graph window's options and what the plot
// driver asks of the chart. The session generates them (core/session/Refresh.h).
#pragma once

#include "core/base/Rgb.h"
#include "core/chemistry/ChemicalState.h"
#include "core/numbers/NumberFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

struct CurvePoint {
    double x{};
    double y{};
};

using Series = std::vector<CurvePoint>;

// The smallest and largest finite values seen; empty until one is added.
struct ValueRange {
    double low{std::numeric_limits<double>::infinity()};
    double high{-std::numeric_limits<double>::infinity()};
    bool empty() const { return !(low <= high); }
    void add(double v) {
        if (!std::isfinite(v)) return;
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

// series[0] is Series1 (pH), ... series[7] is Series8 (conductivity). At most 201 points each.
struct CurveSet {
    std::array<Series, 8> series{};
    Series& operator[](int seriesNumber) { return series[seriesNumber - 1]; } // 1-based
    const Series& operator[](int seriesNumber) const { return series[seriesNumber - 1]; }
    void clear() {
        for (auto& s : series) s.clear();
    }
};

// The graph window's boxes that are not species, by their 1-based number.
inline constexpr int kDilutionBox = 1; // concentrations with the dilution
inline constexpr int kConductivityBox = 8;
inline constexpr int kPastedBox = 9; // the pasted measurements
inline constexpr int kHydroniumBox = 10;

// Mirror of the graph window's ten check boxes; index 0 is the dilution box.
struct GraphOptions {
    std::array<bool, 10> checked{};
    std::array<bool, 10> visible{};
    std::array<std::string, 9> captions{}; // captions of boxes 2..10
    bool conductivityEnabled{false};       // the conductivity box enabled
    bool dilutionLabelVisible{true};       // "pour les concentrations"

    bool isChecked(int box) const { return checked[box - 1]; } // 1-based box number
    bool isVisible(int box) const { return visible[box - 1]; }
    static GraphOptions atDesign();
};

enum class CopySampling { ByPH, ByVolume };

// What the plot driver asks of the chart: titles and the left axis mode.
struct PlotSetup {
    bool titlesSet{false};
    std::string windowTitle{"Représentations graphiques :"};
    std::string chartTitle{"Concentration des diverses espèces chimiques"};
    std::string leftTitle;
    std::string bottomTitle;
    bool leftAxisAutomatic{false};
    double leftMin{0};
    double leftMax{14};
    bool printButtonVisible{false};
};

// Abscissa i (0..n-1) of the sampling from a to b: a, a + s/10, a + s, ..., b - s, b - s/10, b
// with s = (b - a)/(n - 3).
double PhSweep(double a, double b, int n, int i);

// The check of the number of points typed in the graph window or the copy dialog, run before a
// click on a box or Enter regenerates and when the copy dialog's field is left or its copy
// runs: 5..200, the set-up's own range, so that a value written back is never refused later.
// One message, D, when the text is no number or lies outside (a non-number becomes 5).
constexpr int kMinGraphPoints = 5;
constexpr int kMaxGraphPoints = 200;

struct PointCountCheck {
    int value{};      // the clamped value, truncated toward zero
    std::string text; // what the field shows afterwards
    bool ok{};        // no message was needed
};
PointCountCheck checkPointCount(std::string_view text);

} // namespace titralab
