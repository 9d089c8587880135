#include "core/chemistry/Diagrams.h"

#include "core/chemistry/ChargeBalance.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace titralab {

namespace {

constexpr long double kLn10 = 2.302585092994045684017991454684364208L;
constexpr double kLn10d = 2.302585092994045684;
const double kLog10Water = std::log10(waterProduct);

bool isSystem(const Solute& s) {
    return s.kind == SoluteKind::System;
}

// log10 of the fraction of each form of a system at a pH, without overflow or underflow
// whatever the pKa values: log10(c_k / c_0) = k·pH - (pKa1 + ... + pKak), shifted by its
// largest value before summing. Double precision keeps the fractions to about 1e-14 relative
// (the exponents stay below a few hundred), far within what the diagrams need.
std::vector<double> log10Fractions(const AcidBaseSystem& system, double pH) {
    const int n = system.acidities();
    std::vector<double> e(static_cast<std::size_t>(n) + 1);
    double sumPK = 0;
    for (int k = 0; k <= n; ++k) {
        if (k > 0) sumPK += system.pKa[static_cast<std::size_t>(k - 1)];
        e[static_cast<std::size_t>(k)] = k * pH - sumPK;
    }
    const double top = *std::max_element(e.begin(), e.end());
    double sum = 0;
    for (double& x : e) {
        x -= top;
        sum += std::exp(x * kLn10d);
    }
    const double shift = std::log10(sum);
    for (double& x : e) x -= shift;
    return e;
}

std::vector<double> fractions(const AcidBaseSystem& system, double pH) {
    std::vector<double> f = log10Fractions(system, pH);
    for (double& x : f) x = std::exp(x * kLn10d);
    return f;
}

// Series index -> (solute, form), series 0 and 1 being H3O+ and HO-.
std::vector<std::pair<int, int>> seriesMap(const Solution& solution) {
    std::vector<std::pair<int, int>> map{{-1, -1}, {-1, -1}};
    for (std::size_t i = 0; i < solution.solutes.size(); ++i) {
        const Solute& s = solution.solutes[i];
        if (!isSystem(s)) continue;
        for (int k = 0; k <= s.system.acidities(); ++k) map.push_back({static_cast<int>(i), k});
    }
    return map;
}

double seriesLog10(const Solution& solution, const std::pair<int, int>& where, int series,
                   double pH) {
    if (series == 0) return -pH;
    if (series == 1) return pH + kLog10Water;
    const Solute& s = solution.solutes[static_cast<std::size_t>(where.first)];
    if (!(s.concentration > 0)) return -std::numeric_limits<double>::infinity();
    const std::vector<double> f = log10Fractions(s.system, pH);
    return std::log10(s.concentration) + f[static_cast<std::size_t>(where.second)];
}

bool adjacentForms(const std::pair<int, int>& a, const std::pair<int, int>& b) {
    return a.first >= 0 && a.first == b.first && std::abs(a.second - b.second) == 1;
}

// Golden-section search for the maximum of f on [a, b].
template <class F> std::pair<double, double> goldenMaximum(F f, double a, double b) {
    const double r = (std::sqrt(5.0) - 1) / 2;
    double c = b - r * (b - a), d = a + r * (b - a);
    double fc = f(c), fd = f(d);
    for (int i = 0; i < 80 && std::abs(b - a) > 1e-13 * (1 + std::abs(a)); ++i) {
        if (fc >= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - r * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + r * (b - a);
            fd = f(d);
        }
    }
    return fc >= fd ? std::pair{c, fc} : std::pair{d, fd};
}

// Σj Cj·share·(variance of the protons system j has lost) at a pH, mol/L.
long double protonVariance(const Solution& solution, long double share, double pH) {
    long double sum = 0;
    if (!(share > 0)) return sum;
    for (const Solute& s : solution.solutes) {
        if (!isSystem(s) || !(s.concentration > 0)) continue;
        const std::vector<double> a = fractions(s.system, pH);
        long double mean = 0, variance = 0;
        for (std::size_t k = 0; k < a.size(); ++k) mean += k * a[k];
        for (std::size_t k = 0; k < a.size(); ++k) variance += a[k] * (k - mean) * (k - mean);
        sum += s.concentration * share * variance;
    }
    return sum;
}

long double waterTerm(double pH) {
    const long double h = std::pow(10.0L, -static_cast<long double>(pH));
    return h + waterProduct / h;
}

// β of the beaker after adding v at a known pH, without building the mixed solution.
double mixtureBufferCapacity(const FreeTitration& t, double v, double pH) {
    const double added = v > 0 ? v : 0;
    const long double total = static_cast<long double>(t.beakerVolume) + added;
    return static_cast<double>(kLn10 * (waterTerm(pH) +
                                        protonVariance(t.beaker, t.beakerVolume / total, pH) +
                                        protonVariance(t.burette, added / total, pH)));
}

AcidBaseSystem systemOfState(const ChemicalState& s, const std::array<double, 3>& workingPK) {
    AcidBaseSystem system;
    const bool base = s.side == BuretteSide::BaseSide;
    for (double pK : workingPK)
        if (pK < (base ? ABSENT_PK - waterPK : ABSENT_PK))
            system.pKa.push_back(base ? pKaOfBase(pK) : pK);
    std::sort(system.pKa.begin(), system.pKa.end());
    system.protonatedCharge = base ? system.acidities() : 0;
    return system;
}

} // namespace

// ---- Logarithmic diagram ----

double diagramLog10(const Solution& solution, int series, double pH) {
    const std::vector<std::pair<int, int>> map = seriesMap(solution);
    if (series < 0 || series >= static_cast<int>(map.size()))
        return -std::numeric_limits<double>::infinity();
    return seriesLog10(solution, map[static_cast<std::size_t>(series)], series, pH);
}

LogDiagram logDiagram(const Solution& solution, const LogDiagramRequest& request) {
    LogDiagram d;
    d.floor = std::isfinite(request.floor)
                  ? std::clamp(request.floor, kLogFloorLowest, kLogFloorHighest)
                  : kLogFloorLowest;
    if (!std::isfinite(request.pHLow) || !std::isfinite(request.pHHigh) ||
        !(request.pHHigh > request.pHLow) || request.points < 2 ||
        request.points > kMaxDiagramPoints)
        return d;
    const int n = request.points;
    for (int i = 0; i < n; ++i)
        d.pH.push_back(request.pHLow + (request.pHHigh - request.pHLow) * i / (n - 1));

    const std::vector<std::pair<int, int>> map = seriesMap(solution);
    const int count = static_cast<int>(map.size());
    std::vector<std::vector<double>> raw(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        LogDiagramSeries series;
        series.kind = k == 0   ? DiagramSpeciesKind::Hydronium
                      : k == 1 ? DiagramSpeciesKind::Hydroxide
                               : DiagramSpeciesKind::Form;
        series.solute = map[static_cast<std::size_t>(k)].first;
        series.form = map[static_cast<std::size_t>(k)].second;
        auto& values = raw[static_cast<std::size_t>(k)];
        for (double pH : d.pH) {
            values.push_back(seriesLog10(solution, map[static_cast<std::size_t>(k)], k, pH));
            series.log10c.push_back(std::max(values.back(), d.floor));
        }
        d.series.push_back(std::move(series));
    }

    auto value = [&](int k, double pH) {
        return seriesLog10(solution, map[static_cast<std::size_t>(k)], k, pH);
    };
    // The two forms of a couple are equal at its pKa.
    for (int k = 2; k + 1 < count; ++k) {
        const auto& a = map[static_cast<std::size_t>(k)];
        if (!adjacentForms(a, map[static_cast<std::size_t>(k + 1)])) continue;
        const double pKa = solution.solutes[static_cast<std::size_t>(a.first)]
                               .system.pKa[static_cast<std::size_t>(a.second)];
        if (pKa < request.pHLow || pKa > request.pHHigh) continue;
        const double y = value(k, pKa);
        if (y >= d.floor) d.marks.push_back({DiagramMarkKind::PKa, pKa, y, k, k + 1});
    }
    // Every other pair of lines: a change of sign of their difference between two points of
    // the grid, refined by bisection on the exact values.
    for (int a = 0; a < count; ++a)
        for (int b = a + 1; b < count; ++b) {
            if (adjacentForms(map[static_cast<std::size_t>(a)], map[static_cast<std::size_t>(b)]))
                continue;
            const auto& ya = raw[static_cast<std::size_t>(a)];
            const auto& yb = raw[static_cast<std::size_t>(b)];
            if (!std::isfinite(ya[0]) || !std::isfinite(yb[0])) continue;
            for (int i = 0; i + 1 < n; ++i) {
                const double d0 = ya[static_cast<std::size_t>(i)] - yb[static_cast<std::size_t>(i)];
                const double d1 =
                    ya[static_cast<std::size_t>(i + 1)] - yb[static_cast<std::size_t>(i + 1)];
                double x;
                if (d0 == 0)
                    x = d.pH[static_cast<std::size_t>(i)];
                else if (d0 * d1 < 0) {
                    double lo = d.pH[static_cast<std::size_t>(i)];
                    double hi = d.pH[static_cast<std::size_t>(i + 1)];
                    for (int step = 0; step < 200 && hi - lo > 0; ++step) {
                        const double mid = lo + (hi - lo) / 2;
                        if (mid <= lo || mid >= hi) break;
                        const double dm = value(a, mid) - value(b, mid);
                        if ((dm < 0) == (d0 < 0))
                            lo = mid;
                        else
                            hi = mid;
                    }
                    x = lo + (hi - lo) / 2;
                } else if (i + 2 == n && d1 == 0)
                    x = d.pH[static_cast<std::size_t>(i + 1)];
                else
                    continue;
                const double y = value(a, x);
                if (y >= d.floor) d.marks.push_back({DiagramMarkKind::Crossing, x, y, a, b});
            }
        }
    std::stable_sort(d.marks.begin(), d.marks.end(),
                     [](const LogDiagramMark& p, const LogDiagramMark& q) { return p.pH < q.pH; });
    return d;
}

// ---- Predominance strip ----

std::string genericFormula(const AcidBaseSystem& system, int form) {
    const int n = system.acidities();
    const bool base = n > 0 && system.protonatedCharge == n;
    std::string f = base ? "B" : "A";
    const int protons = n - form;
    if (protons >= 1) f += "H";
    if (protons > 1) f += std::to_string(protons);
    const int z = system.charge(form);
    const char sign = z > 0 ? '+' : '-';
    if (z == 1 || z == -1)
        f += sign;
    else if (z != 0)
        f += "(" + std::to_string(std::abs(z)) + sign + ")";
    return f;
}

std::vector<PredominanceStrip> predominanceStrips(const Solution& solution, double pHLow,
                                                  double pHHigh) {
    std::vector<PredominanceStrip> strips;
    for (std::size_t i = 0; i < solution.solutes.size(); ++i) {
        const Solute& s = solution.solutes[i];
        if (!isSystem(s)) continue;
        PredominanceStrip strip;
        strip.solute = static_cast<int>(i);
        const int n = s.system.acidities();
        // Lines y_k = k·pH - S_k; their upper envelope, slopes increasing with k.
        std::vector<long double> sumPK(static_cast<std::size_t>(n) + 1, 0);
        for (int k = 1; k <= n; ++k)
            sumPK[static_cast<std::size_t>(k)] = sumPK[static_cast<std::size_t>(k - 1)] +
                                                 s.system.pKa[static_cast<std::size_t>(k - 1)];
        auto meet = [&](int j, int k) {
            return (sumPK[static_cast<std::size_t>(k)] - sumPK[static_cast<std::size_t>(j)]) /
                   (k - j);
        };
        std::vector<int> hull;
        for (int k = 0; k <= n; ++k) {
            while (hull.size() >= 2 &&
                   meet(hull[hull.size() - 2], k) <= meet(hull[hull.size() - 2], hull.back()))
                hull.pop_back();
            hull.push_back(k);
        }
        for (int k = 0, h = 0; k <= n; ++k) {
            if (h < static_cast<int>(hull.size()) && hull[static_cast<std::size_t>(h)] == k) {
                ++h;
                continue;
            }
            strip.neverPredominant.push_back(k);
        }
        for (std::size_t h = 0; h < hull.size(); ++h) {
            const int k = hull[h];
            const double low = h == 0 ? pHLow : static_cast<double>(meet(hull[h - 1], k));
            const double high =
                h + 1 == hull.size() ? pHHigh : static_cast<double>(meet(k, hull[h + 1]));
            const double a = std::max(low, pHLow), b = std::min(high, pHHigh);
            if (!(b > a)) continue;
            PredominanceDomain domain;
            domain.form = k;
            domain.low = a;
            domain.high = b;
            domain.formula = genericFormula(s.system, k);
            if (static_cast<int>(s.system.formNames.size()) > k)
                domain.name = s.system.formNames[static_cast<std::size_t>(k)];
            strip.domains.push_back(std::move(domain));
        }
        strips.push_back(std::move(strip));
    }
    return strips;
}

// ---- Buffer capacity ----

double bufferCapacity(const Solution& solution, double pH) {
    return static_cast<double>(kLn10 * (waterTerm(pH) + protonVariance(solution, 1, pH)));
}

Solution titrationMixture(const FreeTitration& t, double v) {
    const double added = v > 0 ? v : 0;
    const double total = t.beakerVolume + added;
    Solution mixed;
    for (const Solute& s : t.beaker.solutes) {
        mixed.solutes.push_back(s);
        mixed.solutes.back().concentration = s.concentration * (t.beakerVolume / total);
    }
    if (added > 0)
        for (const Solute& s : t.burette.solutes) {
            mixed.solutes.push_back(s);
            mixed.solutes.back().concentration = s.concentration * (added / total);
        }
    return mixed;
}

std::vector<BufferPoint> bufferCapacityAlong(const FreeTitration& t, double maxVolume, int n) {
    std::vector<BufferPoint> points;
    for (const FreeCurvePoint& p : freeTitrationCurve(t, maxVolume, n))
        points.push_back({p.volume, p.pH, mixtureBufferCapacity(t, p.volume, p.pH)});
    return points;
}

std::vector<BufferPoint> bufferCapacityCurve(const Solution& solution, double pHLow, double pHHigh,
                                             int n) {
    std::vector<BufferPoint> points;
    if (n < 2 || n > kMaxFreeCurvePoints || !std::isfinite(pHLow) || !std::isfinite(pHHigh) ||
        !(pHHigh > pHLow))
        return points;
    for (int i = 0; i < n; ++i) {
        const double pH = pHLow + (pHHigh - pHLow) * i / (n - 1);
        points.push_back({0, pH, bufferCapacity(solution, pH)});
    }
    return points;
}

namespace {

// Interior local maxima of a sampled curve, each refined on the two intervals around it.
template <class Refine>
std::vector<BufferPoint> localMaxima(const std::vector<BufferPoint>& curve, bool byVolume,
                                     Refine refine) {
    std::vector<BufferPoint> maxima;
    for (std::size_t i = 1; i + 1 < curve.size(); ++i) {
        if (!(curve[i].beta > curve[i - 1].beta && curve[i].beta >= curve[i + 1].beta)) continue;
        const double a = byVolume ? curve[i - 1].volume : curve[i - 1].pH;
        const double b = byVolume ? curve[i + 1].volume : curve[i + 1].pH;
        maxima.push_back(refine(a, b));
    }
    return maxima;
}

} // namespace

std::vector<BufferPoint> bufferMaximaAgainstPH(const Solution& solution, double pHLow,
                                               double pHHigh, int n) {
    return localMaxima(
        bufferCapacityCurve(solution, pHLow, pHHigh, n), false, [&](double a, double b) {
            const auto [pH, beta] =
                goldenMaximum([&](double x) { return bufferCapacity(solution, x); }, a, b);
            return BufferPoint{0, pH, beta};
        });
}

std::vector<BufferPoint> bufferMaximaAlong(const FreeTitration& t, double maxVolume, int n) {
    const ChargeBalance balance(t.beaker, t.beakerVolume, t.burette);
    return localMaxima(bufferCapacityAlong(t, maxVolume, n), true, [&](double a, double b) {
        const auto [v, beta] = goldenMaximum(
            [&](double x) { return mixtureBufferCapacity(t, x, balance.solvePH(x)); }, a, b);
        return BufferPoint{v, balance.solvePH(v), beta};
    });
}

// ---- The studies as solutions ----

Solution studySolution(const ChemicalState& s) {
    Solution solution;
    if (s.study == Study::None) return solution;
    const bool two = s.study == Study::TwoMonoTitration || s.study == Study::TwoPolyMixture;
    const double total = two ? s.vol1 + s.vol2 : s.vol1;
    if (!two || !(total > 0)) {
        solution.solutes.push_back(systemSolute(systemOfState(s, s.pK1), s.conc1));
        return solution;
    }
    solution.solutes.push_back(systemSolute(systemOfState(s, s.pK1), s.conc1 * s.vol1 / total));
    solution.solutes.push_back(systemSolute(systemOfState(s, s.pK2), s.conc2 * s.vol2 / total));
    return solution;
}

std::optional<FreeTitration> studyTitration(const ChemicalState& s) {
    if (s.study != Study::TitrationVsVolume && s.study != Study::TwoMonoTitration)
        return std::nullopt;
    FreeTitration t;
    t.beaker = studySolution(s);
    t.beakerVolume = s.study == Study::TwoMonoTitration ? s.vol1 + s.vol2 : s.vol1;
    const SpectatorIon ion = s.side == BuretteSide::BaseSide  ? SpectatorIon::Chloride
                             : s.baseKind == BaseKind::Potash ? SpectatorIon::Potassium
                                                              : SpectatorIon::Sodium;
    t.burette.solutes.push_back(spectatorSolute(ion, s.titrantConc));
    return t;
}

} // namespace titralab
