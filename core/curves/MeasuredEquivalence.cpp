#include "core/curves/MeasuredEquivalence.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace titralab {

namespace {

// A straight line fitted by least squares, with the variances of its coefficients estimated
// from the residuals.
struct LineFit {
    double slope{};
    double intercept{};
    double slopeVariance{};
    double interceptVariance{};
    double covariance{};
    bool ok{false};
};

// Weights w (empty: all 1) for errors of unequal size: the variances of the coefficients then
// scale with the weighted residuals.
LineFit fitLine(const std::vector<double>& x, const std::vector<double>& y,
                const std::vector<double>& w = {}) {
    LineFit fit;
    const std::size_t n = x.size();
    if (n < 3) return fit;
    const auto weight = [&](std::size_t i) { return w.empty() ? 1.0 : w[i]; };
    double sw = 0, mx = 0, my = 0;
    for (std::size_t i = 0; i < n; ++i) sw += weight(i), mx += weight(i) * x[i], my += weight(i) * y[i];
    if (!(sw > 0)) return fit;
    mx /= sw, my /= sw;
    double sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < n; ++i)
        sxx += weight(i) * (x[i] - mx) * (x[i] - mx), sxy += weight(i) * (x[i] - mx) * (y[i] - my);
    if (!(sxx > 0)) return fit;
    fit.slope = sxy / sxx;
    fit.intercept = my - fit.slope * mx;
    double sse = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = y[i] - fit.slope * x[i] - fit.intercept;
        sse += weight(i) * r * r;
    }
    const double s2 = sse / static_cast<double>(n - 2);
    fit.slopeVariance = s2 / sxx;
    fit.interceptVariance = s2 * (1.0 / sw + mx * mx / sxx);
    fit.covariance = -mx * s2 / sxx;
    fit.ok = fit.slope != 0;
    return fit;
}

// The part of a volume's variance that one fitted line gives it, the volume being a function
// of the line through dv/d(intercept) = 1/d and dv/d(slope) = v/d.
double lineVarianceAt(const LineFit& f, double v, double d) {
    return (f.interceptVariance + v * v * f.slopeVariance + 2 * v * f.covariance) / (d * d);
}

double withReading(double variance) { return std::sqrt(variance + kBuretteReading * kBuretteReading); }

// The value and slope at t of a quadratic fitted by least squares to the `count` points nearest
// to t (a Savitzky–Golay filter for a non-uniform grid).
struct LocalFit {
    double value{};
    double slope{};
};
LocalFit localQuadratic(const std::vector<PastedPair>& p, double t, std::size_t count) {
    const std::size_t n = p.size();
    count = std::min(count, n);
    auto hi = static_cast<std::size_t>(
        std::lower_bound(p.begin(), p.end(), t, [](const PastedPair& a, double v) { return a.volume < v; }) -
        p.begin());
    std::size_t lo = hi;
    while (hi - lo < count) {
        if (lo == 0) ++hi;
        else if (hi == n) --lo;
        else if (t - p[lo - 1].volume <= p[hi].volume - t) --lo;
        else ++hi;
    }
    // Normal equations of y = c0 + c1 u + c2 u², u = (v − t)/scale.
    const double scale = std::max(p[hi - 1].volume - p[lo].volume, 1e-12);
    double s[5]{}, r[3]{};
    for (std::size_t i = lo; i < hi; ++i) {
        const double u = (p[i].volume - t) / scale;
        double pw = 1;
        for (int k = 0; k < 5; ++k) {
            if (k < 3) r[k] += pw * p[i].pH;
            s[k] += pw;
            pw *= u;
        }
    }
    const double a[3][3]{{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
    const auto det3 = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
               m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double det = det3(a);
    if (count < 3 || std::abs(det) < 1e-300) {
        const auto& q = p[std::min(lo, n - 1)];
        return {q.pH, 0};
    }
    double c[3];
    for (int k = 0; k < 3; ++k) {
        double m[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) m[i][j] = j == k ? r[i] : a[i][j];
        c[k] = det3(m) / det;
    }
    return {c[0], c[1] / scale};
}

std::vector<double> centralDifferences(const std::vector<PastedPair>& p) {
    const std::size_t n = p.size();
    std::vector<double> d(n, 0);
    if (n < 2) return d;
    d[0] = (p[1].pH - p[0].pH) / (p[1].volume - p[0].volume);
    d[n - 1] = (p[n - 1].pH - p[n - 2].pH) / (p[n - 1].volume - p[n - 2].volume);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double h0 = p[i].volume - p[i - 1].volume;
        const double h1 = p[i + 1].volume - p[i].volume;
        d[i] = (h0 * h0 * p[i + 1].pH - h1 * h1 * p[i - 1].pH + (h1 * h1 - h0 * h0) * p[i].pH) /
               (h0 * h1 * (h0 + h1));
    }
    return d;
}

double directionOf(const std::vector<PastedPair>& p) {
    return p.back().pH >= p.front().pH ? 1.0 : -1.0;
}

// The pH (turned upward) at v, by linear interpolation between the points.
double pHAt(const std::vector<PastedPair>& p, double v) {
    if (v <= p.front().volume) return p.front().pH;
    if (v >= p.back().volume) return p.back().pH;
    const auto after = std::upper_bound(p.begin(), p.end(), v,
                                        [](double x, const PastedPair& q) { return x < q.volume; });
    const auto before = std::prev(after);
    return before->pH + (after->pH - before->pH) * (v - before->volume) / (after->volume - before->volume);
}

// The jumps of a curve turned upward: maxima of its slope g that reach a tenth of the highest,
// across which the pH rises by at least kJumpRise within a twentieth of the volumes on each
// side, and that stand highest within that reach (a noisy jump has several maxima).
constexpr double kJumpRise = 0.5;
std::vector<std::size_t> jumpMaxima(const std::vector<PastedPair>& up, const std::vector<double>& g) {
    std::vector<std::size_t> candidates;
    if (g.size() < 3) return candidates;
    const double highest = *std::max_element(g.begin(), g.end());
    if (!(highest > 0)) return candidates;
    const double reach = 0.05 * (up.back().volume - up.front().volume);
    for (std::size_t i = 1; i + 1 < g.size(); ++i) {
        if (!(g[i] > g[i - 1] && g[i] >= g[i + 1] && g[i] >= 0.1 * highest)) continue;
        const double v = up[i].volume;
        if (pHAt(up, v + reach) - pHAt(up, v - reach) >= kJumpRise) candidates.push_back(i);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](std::size_t a, std::size_t b) { return g[a] > g[b]; });
    std::vector<std::size_t> peaks;
    for (const std::size_t i : candidates) {
        const bool near = std::any_of(peaks.begin(), peaks.end(), [&](std::size_t k) {
            return std::abs(up[k].volume - up[i].volume) < reach;
        });
        if (!near) peaks.push_back(i);
    }
    std::sort(peaks.begin(), peaks.end());
    return peaks;
}

// The vertex of the parabola through three points, kept between the outer two.
double parabolaVertex(double x0, double y0, double x1, double y1, double x2, double y2) {
    const double d01 = (y1 - y0) / (x1 - x0), d12 = (y2 - y1) / (x2 - x1);
    const double a = (d12 - d01) / (x2 - x0);
    if (!(a < 0)) return x1;
    const double b = d01 - a * (x0 + x1);
    return std::clamp(-b / (2 * a), x0, x2);
}

std::vector<PastedPair> smoothed(const std::vector<PastedPair>& p, int window) {
    if (window < 3 || static_cast<std::size_t>(window) > p.size()) return p;
    std::vector<PastedPair> s = p;
    for (std::size_t i = 0; i < p.size(); ++i)
        s[i].pH = localQuadratic(p, p[i].volume, static_cast<std::size_t>(window)).value;
    return s;
}

} // namespace

std::vector<PastedPair> cleanedPoints(const std::vector<PastedPair>& points) {
    std::vector<PastedPair> p;
    for (const auto& q : points)
        if (std::isfinite(q.volume) && std::isfinite(q.pH)) p.push_back(q);
    std::stable_sort(p.begin(), p.end(), [](auto& a, auto& b) { return a.volume < b.volume; });
    std::vector<PastedPair> merged;
    for (std::size_t i = 0; i < p.size();) {
        std::size_t j = i;
        double sum = 0;
        while (j < p.size() && p[j].volume == p[i].volume) sum += p[j++].pH;
        merged.push_back({p[i].volume, sum / static_cast<double>(j - i)});
        i = j;
    }
    return merged;
}

DerivativeReading derivativeMethod(const std::vector<PastedPair>& points, int smoothingWindow) {
    DerivativeReading reading;
    const auto p = smoothed(cleanedPoints(points), smoothingWindow);
    if (p.size() < 4) return reading;
    const auto d = centralDifferences(p);
    for (std::size_t i = 0; i < p.size(); ++i) reading.derivative.emplace_back(p[i].volume, d[i]);
    const double sign = directionOf(p);
    std::vector<double> g(d.size());
    std::vector<PastedPair> up = p;
    for (std::size_t i = 0; i < d.size(); ++i) g[i] = sign * d[i], up[i].pH *= sign;
    int number = 0;
    for (const std::size_t i : jumpMaxima(up, g)) {
        const double v = parabolaVertex(p[i - 1].volume, g[i - 1], p[i].volume, g[i], p[i + 1].volume,
                                        g[i + 1]);
        const double h = (p[i + 1].volume - p[i - 1].volume) / 2;
        reading.equivalences.push_back({++number, v, withReading(h * h / 12)});
    }
    return reading;
}

namespace {

// The parallel-tangent construction of one jump at slope m (of the curve turned upward).
struct Tangents {
    bool ok{false};
    double left{}, right{}, volume{}, pH{};
    double leftIntercept{}, rightIntercept{};
};

Tangents tangentsAt(const std::vector<PastedPair>& up, const std::vector<double>& grid,
                    const std::vector<LocalFit>& fits, std::size_t peak, double m) {
    Tangents t;
    std::size_t l = peak, r = peak;
    while (l > 0 && fits[l].slope > m) --l;
    while (r + 1 < grid.size() && fits[r].slope > m) ++r;
    if (fits[l].slope > m || fits[r].slope > m || l == r) return t;
    t.left = grid[l], t.right = grid[r];
    t.leftIntercept = fits[l].value - m * grid[l];
    t.rightIntercept = fits[r].value - m * grid[r];
    const double mid = (t.leftIntercept + t.rightIntercept) / 2;
    double a = grid[l], b = grid[r];
    for (int k = 0; k < 100 && b - a > 1e-15; ++k) {
        const double c = (a + b) / 2;
        (localQuadratic(up, c, 5).value - m * c - mid < 0 ? a : b) = c;
    }
    t.volume = (a + b) / 2;
    t.pH = m * t.volume + mid;
    t.ok = true;
    return t;
}

} // namespace

TangentReading tangentMethod(const std::vector<PastedPair>& points) {
    TangentReading reading;
    auto up = cleanedPoints(points);
    if (up.size() < 6) return reading;
    const double sign = directionOf(up);
    for (auto& q : up) q.pH *= sign;
    const auto jumps = derivativeMethod(up, 5).equivalences;
    for (std::size_t j = 0; j < jumps.size(); ++j) {
        const double centre = jumps[j].volume;
        const double from = j == 0 ? up.front().volume : (jumps[j - 1].volume + centre) / 2;
        const double to = j + 1 == jumps.size() ? up.back().volume : (jumps[j + 1].volume + centre) / 2;
        constexpr int kGrid = 600;
        std::vector<double> grid(kGrid + 1);
        std::vector<LocalFit> fits(kGrid + 1);
        std::size_t peak = 0;
        for (int k = 0; k <= kGrid; ++k) {
            grid[k] = from + (to - from) * k / kGrid;
            fits[k] = localQuadratic(up, grid[k], 5);
            if (std::abs(grid[k] - centre) < std::abs(grid[peak] - centre)) peak = k;
        }
        for (std::size_t k = 0; k < grid.size(); ++k)
            if (std::abs(grid[k] - centre) < (to - from) / 20 && fits[k].slope > fits[peak].slope) peak = k;
        const double steepest = fits[peak].slope;
        double gentleLeft = steepest, gentleRight = steepest;
        for (std::size_t k = 0; k < peak; ++k) gentleLeft = std::min(gentleLeft, fits[k].slope);
        for (std::size_t k = peak; k < grid.size(); ++k) gentleRight = std::min(gentleRight, fits[k].slope);
        const double gentle = std::max({gentleLeft, gentleRight, 1e-3 * steepest});
        if (!(steepest > gentle)) continue;
        const double m = std::sqrt(gentle * steepest);
        const Tangents t = tangentsAt(up, grid, fits, peak, m);
        if (!t.ok) continue;
        // The construction depends on the slope chosen; half the change between a slope three
        // times gentler and three times steeper stands for that choice in the uncertainty.
        const Tangents gentler = tangentsAt(up, grid, fits, peak, std::max(m / 3, gentle));
        const Tangents steeper = tangentsAt(up, grid, fits, peak, std::min(m * 3, 0.9 * steepest));
        const double choice = gentler.ok && steeper.ok ? (gentler.volume - steeper.volume) / 2 : 0;
        const auto after = std::upper_bound(up.begin(), up.end(), t.volume,
                                            [](double v, const PastedPair& q) { return v < q.volume; });
        double spacing = 0;
        if (after != up.begin() && after != up.end()) spacing = after->volume - std::prev(after)->volume;
        reading.equivalences.push_back(
            {static_cast<int>(reading.equivalences.size()) + 1, t.volume,
             withReading(choice * choice + spacing * spacing / 12)});
        const double width = t.right - t.left;
        reading.constructions.push_back(
            {{sign * m, sign * t.leftIntercept, t.left - width, t.right},
             {sign * m, sign * t.rightIntercept, t.left, t.right + width},
             {sign * m, sign * (t.leftIntercept + t.rightIntercept) / 2, t.left, t.right},
             sign * t.pH});
    }
    return reading;
}

namespace {

// One Gran line: f gives each point's abscissa and Gran function; the points whose volume lies
// in the range and whose function is positive are fitted, weighted for the constant relative
// error a pH reading gives the function.
GranBranch granBranch(const std::vector<PastedPair>& p,
                      const std::function<std::pair<double, double>(const PastedPair&)>& f,
                      std::pair<double, double> range, int number) {
    GranBranch branch;
    branch.range = range;
    std::vector<double> x, y, w;
    for (const auto& q : p) {
        const auto [abscissa, g] = f(q);
        branch.plotted.emplace_back(abscissa, g);
        if (q.volume >= range.first && q.volume <= range.second && g > 0)
            x.push_back(abscissa), y.push_back(g), w.push_back(1 / (g * g));
    }
    const LineFit fit = fitLine(x, y, w);
    if (!fit.ok) return branch;
    const double v = -fit.intercept / fit.slope;
    branch.line = {fit.slope, fit.intercept, std::min(x.front(), v), std::max(x.back(), v)};
    branch.equivalence = MeasuredEquivalence{number, v, withReading(lineVarianceAt(fit, v, fit.slope))};
    return branch;
}

} // namespace

GranReading granMethod(const std::vector<PastedPair>& points, const GranSetup& setup) {
    GranReading reading;
    const auto p = cleanedPoints(points);
    const auto jumps = derivativeMethod(p, 5).equivalences;
    if (p.size() < 4 || (jumps.empty() && !(setup.beforeRange && setup.afterRange))) return reading;
    const double v0 = setup.beakerVolume, ke = std::pow(10.0, -setup.pKe), cb = setup.titrantConcentration;
    // On the base side the same functions apply to pKe − pH: [OH−] plays [H3O+].
    const auto hydronium = [&](const PastedPair& q) {
        return std::pow(10.0, setup.baseSide ? q.pH - setup.pKe : -q.pH);
    };
    const double first = jumps.empty() ? 0 : jumps.front().volume;
    const double last = jumps.empty() ? 0 : jumps.back().volume;
    const auto before = setup.beforeRange.value_or(
        setup.weakBeaker ? std::pair{0.2 * first, 0.95 * first} : std::pair{0.0, 0.95 * first});
    const auto after = setup.afterRange.value_or(std::pair{1.05 * last, p.back().volume});
    reading.before = granBranch(
        p,
        [&](const PastedPair& q) {
            const double h = hydronium(q), excess = (v0 + q.volume) * (h - ke / h);
            if (!setup.weakBeaker) return std::pair{q.volume, excess};
            // h·(v + δ) = Ka·(V_E − v − δ) with δ = (V0+v)([H3O+] − [OH−])/Cb, exactly, for
            // a monoacid; without Cb, δ is neglected.
            const double x = cb > 0 ? q.volume + excess / cb : q.volume;
            return std::pair{x, x * h};
        },
        before, 1);
    reading.after = granBranch(
        p,
        [&](const PastedPair& q) {
            const double h = hydronium(q);
            return std::pair{q.volume, (v0 + q.volume) * (ke / h - h)};
        },
        after, std::max(1, static_cast<int>(jumps.size())));
    if (reading.before.equivalence) reading.equivalences.push_back(*reading.before.equivalence);
    if (reading.after.equivalence) reading.equivalences.push_back(*reading.after.equivalence);
    return reading;
}

ConductimetricReading conductimetricMethod(const std::vector<sheets::ConductivityPoint>& points,
                                           int breaks, double beakerVolume) {
    ConductimetricReading reading;
    std::vector<sheets::ConductivityPoint> p;
    for (const auto& q : points)
        if (std::isfinite(q.volume) && std::isfinite(q.conductivity)) p.push_back(q);
    std::stable_sort(p.begin(), p.end(), [](auto& a, auto& b) { return a.volume < b.volume; });
    breaks = std::clamp(breaks, 1, 2);
    const std::size_t n = p.size();
    constexpr std::size_t kMinSegment = 3;
    if (n < kMinSegment * (breaks + 1)) return reading;
    reading.dilutionCorrected = beakerVolume > 0;
    std::vector<double> x(n), y(n);
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = p[i].volume;
        y[i] = p[i].conductivity * (reading.dilutionCorrected ? (beakerVolume + x[i]) / beakerVolume : 1);
    }
    // Sums from the start, so that the squared residuals of any segment's line cost O(1).
    std::vector<double> sx(n + 1), sy(n + 1), sxx(n + 1), sxy(n + 1), syy(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        sx[i + 1] = sx[i] + x[i], sy[i + 1] = sy[i] + y[i];
        sxx[i + 1] = sxx[i] + x[i] * x[i], sxy[i + 1] = sxy[i] + x[i] * y[i];
        syy[i + 1] = syy[i] + y[i] * y[i];
    }
    const auto sse = [&](std::size_t a, std::size_t b) {
        const double m = static_cast<double>(b - a);
        const double mx = (sx[b] - sx[a]) / m, my = (sy[b] - sy[a]) / m;
        const double vxx = sxx[b] - sxx[a] - m * mx * mx, vxy = sxy[b] - sxy[a] - m * mx * my;
        const double vyy = syy[b] - syy[a] - m * my * my;
        return vxx > 0 ? vyy - vxy * vxy / vxx : vyy;
    };
    std::vector<std::size_t> cuts;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t a = kMinSegment; a + kMinSegment * breaks <= n; ++a) {
        if (breaks == 1) {
            const double e = sse(0, a) + sse(a, n);
            if (e < best) best = e, cuts = {a};
            continue;
        }
        for (std::size_t b = a + kMinSegment; b + kMinSegment <= n; ++b) {
            const double e = sse(0, a) + sse(a, b) + sse(b, n);
            if (e < best) best = e, cuts = {a, b};
        }
    }
    std::vector<std::size_t> bounds{0};
    bounds.insert(bounds.end(), cuts.begin(), cuts.end());
    bounds.push_back(n);
    std::vector<LineFit> fits;
    for (std::size_t s = 0; s + 1 < bounds.size(); ++s) {
        const std::vector<double> xs(x.begin() + bounds[s], x.begin() + bounds[s + 1]);
        const std::vector<double> ys(y.begin() + bounds[s], y.begin() + bounds[s + 1]);
        fits.push_back(fitLine(xs, ys));
        reading.lines.push_back({fits.back().slope, fits.back().intercept, xs.front(), xs.back()});
    }
    for (std::size_t s = 0; s + 1 < fits.size(); ++s) {
        const LineFit &a = fits[s], &b = fits[s + 1];
        const double d = a.slope - b.slope;
        if (!(std::abs(d) > 0)) continue;
        const double v = (b.intercept - a.intercept) / d;
        reading.lines[s].to = std::max(reading.lines[s].to, v);
        reading.lines[s + 1].from = std::min(reading.lines[s + 1].from, v);
        reading.equivalences.push_back(
            {static_cast<int>(s) + 1, v, withReading(lineVarianceAt(a, v, d) + lineVarianceAt(b, v, d))});
    }
    return reading;
}

double conductimetricLineAt(const ConductimetricReading& reading, const ConstructionLine& line,
                            double beakerVolume, double v) {
    const double corrected = line.at(v);
    return reading.dilutionCorrected ? corrected * beakerVolume / (beakerVolume + v) : corrected;
}

MonteCarloReading monteCarlo(const PHMethod& method, const std::vector<PastedPair>& points,
                             const MonteCarloSetup& setup, const std::function<bool(int, int)>& progress) {
    MonteCarloReading reading;
    const auto reference = method(points);
    if (reference.empty()) return reading;
    std::vector<double> sum(reference.size()), sumSquares(reference.size());
    std::vector<int> found(reference.size());
    std::mt19937_64 random(setup.seed);
    std::normal_distribution<double> pHNoise(0, setup.pH), volumeNoise(0, setup.volume);
    std::vector<PastedPair> drawn(points.size());
    for (int k = 0; k < setup.draws; ++k) {
        if (progress && k % 50 == 0 && !progress(k, setup.draws)) {
            reading.cancelled = true;
            break;
        }
        for (std::size_t i = 0; i < points.size(); ++i)
            drawn[i] = {points[i].volume + volumeNoise(random), points[i].pH + pHNoise(random)};
        const auto equivalences = method(drawn);
        // Each reference equivalence takes the one found nearest to it in this draw.
        for (std::size_t r = 0; r < reference.size() && !equivalences.empty(); ++r) {
            const auto nearest = std::min_element(
                equivalences.begin(), equivalences.end(), [&](const auto& a, const auto& b) {
                    return std::abs(a.volume - reference[r].volume) < std::abs(b.volume - reference[r].volume);
                });
            sum[r] += nearest->volume, sumSquares[r] += nearest->volume * nearest->volume, ++found[r];
        }
        reading.draws = k + 1;
    }
    for (std::size_t r = 0; r < reference.size(); ++r) {
        if (found[r] < 2) continue;
        const double mean = sum[r] / found[r];
        const double variance = std::max(0.0, (sumSquares[r] - found[r] * mean * mean) / (found[r] - 1));
        reading.spreads.push_back({reference[r].number, mean, std::sqrt(variance), found[r]});
    }
    if (progress && !reading.cancelled) progress(reading.draws, setup.draws);
    return reading;
}

} // namespace titralab
