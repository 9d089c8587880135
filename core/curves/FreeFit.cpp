#include "core/curves/FreeFit.h"

#include "core/chemistry/SolutionItems.h"
#include "core/curves/FitSteps.h"
#include "core/texts/StudyTexts.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace titralab {

using namespace fitting;

std::string freeRowValueName(const FreeRowValue& value) {
    return std::string(value.burette ? "burette" : "beaker") + std::to_string(value.row + 1) +
           (value.pK == 0 ? ".c" : ".pK" + std::to_string(value.pK));
}

std::optional<FreeRowValue> freeRowValueFromName(std::string_view name) {
    std::string lower;
    for (char ch : name)
        if (ch != ' ' && ch != '\t')
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    FreeRowValue out;
    std::size_t at = 0;
    if (lower.compare(0, 6, "beaker") == 0) {
        at = 6;
    } else if (lower.compare(0, 7, "burette") == 0) {
        out.burette = true;
        at = 7;
    } else {
        return std::nullopt;
    }
    // The row: 1 to kMaxItems.
    const std::size_t dot = lower.find('.', at);
    if (dot == std::string::npos || dot == at || dot - at > 2) return std::nullopt;
    int row = 0;
    for (std::size_t k = at; k < dot; ++k) {
        if (!std::isdigit(static_cast<unsigned char>(lower[k]))) return std::nullopt;
        row = row * 10 + (lower[k] - '0');
    }
    if (row < 1 || row > kMaxItems) return std::nullopt;
    out.row = row - 1;
    const std::string what = lower.substr(dot + 1);
    if (what == "c") return out;
    const std::size_t digits = what.compare(0, 3, "pka") == 0  ? 3
                               : what.compare(0, 2, "pk") == 0 ? 2
                                                               : 0;
    if (digits == 0 || what.size() != digits + 1) return std::nullopt;
    const int k = what[digits] - '0';
    if (k < 1 || k > kMaxSystemAcidities) return std::nullopt;
    out.pK = k;
    return out;
}

namespace {

const Solution& sideOf(const FreeTitration& t, bool burette) {
    return burette ? t.burette : t.beaker;
}
Solution& sideOf(FreeTitration& t, bool burette) {
    return burette ? t.burette : t.beaker;
}

// The row's place, when the layout has it within the solution.
std::optional<FreeRowPlace> placeOf(const FreeTitration& t, const FreeRowLayout& layout,
                                    const FreeRowValue& value) {
    const std::vector<FreeRowPlace>& places = layout.side(value.burette);
    if (value.row < 0 || value.row >= static_cast<int>(places.size())) return std::nullopt;
    const FreeRowPlace place = places[static_cast<std::size_t>(value.row)];
    const int solutes = static_cast<int>(sideOf(t, value.burette).solutes.size());
    if (place.first < 0 || place.count < 1 || place.first + place.count > solutes)
        return std::nullopt;
    return place;
}

// The index of the row's acid-base system in its solution, or -1.
int systemOf(const FreeTitration& t, const FreeRowPlace& place, bool burette) {
    const Solution& s = sideOf(t, burette);
    for (int k = place.first; k < place.first + place.count; ++k)
        if (s.solutes[static_cast<std::size_t>(k)].kind == SoluteKind::System) return k;
    return -1;
}

} // namespace

std::vector<FreeRowValue> freeRowValues(const FreeTitration& t, const FreeRowLayout& layout) {
    std::vector<FreeRowValue> out;
    for (bool burette : {false, true})
        for (int row = 0; row < static_cast<int>(layout.side(burette).size()); ++row) {
            const FreeRowValue c{burette, row, 0};
            const std::optional<FreeRowPlace> place = placeOf(t, layout, c);
            if (!place) continue;
            out.push_back(c);
            const int system = systemOf(t, *place, burette);
            if (system < 0) continue;
            const int acidities =
                sideOf(t, burette).solutes[static_cast<std::size_t>(system)].system.acidities();
            for (int k = 1; k <= acidities; ++k) out.push_back({burette, row, k});
        }
    return out;
}

std::optional<double> freeRowValueIn(const FreeTitration& t, const FreeRowLayout& layout,
                                     const FreeRowValue& value) {
    const std::optional<FreeRowPlace> place = placeOf(t, layout, value);
    if (!place) return std::nullopt;
    if (value.pK == 0) return place->concentration;
    const int system = systemOf(t, *place, value.burette);
    if (system < 0) return std::nullopt;
    const std::vector<double>& pKa =
        sideOf(t, value.burette).solutes[static_cast<std::size_t>(system)].system.pKa;
    if (value.pK > static_cast<int>(pKa.size())) return std::nullopt;
    return pKa[static_cast<std::size_t>(value.pK - 1)];
}

FreeTitration withFreeRowValue(FreeTitration t, const FreeRowLayout& layout,
                               const FreeRowValue& value, double number) {
    const std::optional<FreeRowPlace> place = placeOf(t, layout, value);
    if (!place) return t;
    Solution& s = sideOf(t, value.burette);
    if (value.pK == 0) {
        if (!(place->concentration > 0)) return t;
        const double ratio = number / place->concentration;
        for (int k = place->first; k < place->first + place->count; ++k)
            s.solutes[static_cast<std::size_t>(k)].concentration *= ratio;
        return t;
    }
    const int system = systemOf(t, *place, value.burette);
    if (system < 0) return t;
    std::vector<double>& pKa = s.solutes[static_cast<std::size_t>(system)].system.pKa;
    if (value.pK > static_cast<int>(pKa.size())) return t;
    pKa[static_cast<std::size_t>(value.pK - 1)] = number;
    std::sort(pKa.begin(), pKa.end());
    return t;
}

namespace {

// Steps of the numerical partial derivatives, in log10(C) or in pK.
constexpr double kFreeParameterStep = 1e-6;

// The model: the titration with the free values set from the parameters (log10 of a
// concentration, or a pK), its pH at the measured volumes solved by the general engine.
class FreeModel {
  public:
    FreeModel(const FreeTitration& t, const FreeRowLayout& layout, std::vector<FreeRowValue> free,
              std::vector<PastedPair> points, const FitSettings& settings,
              const Conditions& conditions)
        : m_base(t), m_layout(layout), m_free(std::move(free)), m_points(std::move(points)),
          m_weights(Eigen::VectorXd::Ones(static_cast<Eigen::Index>(m_points.size()))),
          m_settings(settings), m_conditions(conditions) {}

    int parameterCount() const { return static_cast<int>(m_free.size()); }
    int pointCount() const { return static_cast<int>(m_points.size()); }
    int evaluations() const { return m_evaluations; }
    const std::vector<FreeRowValue>& free() const { return m_free; }

    Eigen::VectorXd start() const {
        Eigen::VectorXd x(parameterCount());
        for (int j = 0; j < parameterCount(); ++j) {
            const double v = freeRowValueIn(m_base, m_layout, m_free[j]).value_or(0);
            x[j] = m_free[j].pK == 0 ? std::log10(v) : v;
        }
        return x;
    }

    // The titration for parameters x, clamped into the ranges the items accept.
    FreeTitration stateFor(const Eigen::VectorXd& x) const {
        FreeTitration t = m_base;
        for (int j = 0; j < parameterCount(); ++j) {
            const double v =
                m_free[j].pK == 0
                    ? std::clamp(std::pow(10.0, x[j]), kItemMinConcentration, kItemMaxConcentration)
                    : std::clamp(x[j], kMinPK, kMaxPK);
            t = withFreeRowValue(std::move(t), m_layout, m_free[j], v);
        }
        return t;
    }
    // The typed value of parameter j at x.
    double valueAt(const Eigen::VectorXd& x, int j) const {
        return m_free[j].pK == 0
                   ? std::clamp(std::pow(10.0, x[j]), kItemMinConcentration, kItemMaxConcentration)
                   : std::clamp(x[j], kMinPK, kMaxPK);
    }

    double pHAt(const FreeTitration& t, double v) const {
        return freeTitrationPH(t, v, m_conditions);
    }

    Eigen::VectorXd residuals(const Eigen::VectorXd& x) {
        ++m_evaluations;
        const FreeTitration t = stateFor(x);
        Eigen::VectorXd r(pointCount());
        for (int i = 0; i < pointCount(); ++i) r[i] = m_points[i].pH - pHAt(t, m_points[i].volume);
        return r;
    }
    Eigen::VectorXd weightedResiduals(const Eigen::VectorXd& x) {
        return residuals(x).cwiseProduct(m_weights.cwiseSqrt());
    }

    // sigmaPH^2 / (sigmaPH^2 + (dpH/dV)^2 sigmaV^2), the slope exact from the engine.
    Eigen::VectorXd weightsAt(const Eigen::VectorXd& x) const {
        const FreeTitration t = stateFor(x);
        const double sPH2 = m_settings.sigmaPH * m_settings.sigmaPH;
        const double sV = m_settings.sigmaVolumeMl / 1000; // L
        Eigen::VectorXd w(pointCount());
        for (int i = 0; i < pointCount(); ++i) {
            const double slope = freeTitrationSlope(t, m_points[i].volume, m_conditions);
            const double g2 = std::isfinite(slope) ? slope * slope * sV * sV : 0.0;
            w[i] = sPH2 / (sPH2 + g2);
            if (!(w[i] > 0) || !std::isfinite(w[i])) w[i] = 0;
        }
        return w;
    }
    void setWeights(Eigen::VectorXd w) { m_weights = std::move(w); }
    const Eigen::VectorXd& weights() const { return m_weights; }

    // d(residual)/d(parameter) = -dpH/dx, by central differences of the solved pH (solved to
    // the last bits, so that the step leaves some eight exact digits).
    Eigen::MatrixXd jacobian(const Eigen::VectorXd& x) {
        ++m_evaluations;
        Eigen::MatrixXd J(pointCount(), parameterCount());
        for (int j = 0; j < parameterCount(); ++j) {
            Eigen::VectorXd xu = x, xd = x;
            xu[j] += kFreeParameterStep;
            xd[j] -= kFreeParameterStep;
            const FreeTitration up = stateFor(xu);
            const FreeTitration down = stateFor(xd);
            for (int i = 0; i < pointCount(); ++i) {
                const double v = m_points[i].volume;
                const double dpdx = (pHAt(up, v) - pHAt(down, v)) / (2 * kFreeParameterStep);
                J(i, j) = std::isfinite(dpdx) ? -dpdx : 0.0;
            }
        }
        return J;
    }
    Eigen::MatrixXd weightedJacobian(const Eigen::VectorXd& x) {
        return m_weights.cwiseSqrt().asDiagonal() * jacobian(x);
    }

    // The equivalence volumes (L).
    std::vector<double> equivalences(const FreeTitration& t) const {
        std::vector<double> volumes;
        for (const FreeEquivalence& e : freeEquivalences(t, m_conditions).points)
            volumes.push_back(e.equivalence.volume);
        return volumes;
    }

    // The beaker's free concentrations up by `ratio`, the burette's down; with both sides'
    // free, the beaker's alone move.
    Eigen::VectorXd restartedOnJump(const Eigen::VectorXd& start, double ratio) const {
        const bool beakerFree =
            std::any_of(m_free.begin(), m_free.end(),
                        [](const FreeRowValue& v) { return v.pK == 0 && !v.burette; });
        Eigen::VectorXd again = start;
        for (int j = 0; j < parameterCount(); ++j) {
            if (m_free[j].pK != 0) continue;
            if (!m_free[j].burette)
                again[j] += std::log10(ratio);
            else if (!beakerFree)
                again[j] += std::log10(1 / ratio);
        }
        return again;
    }

  private:
    FreeTitration m_base;
    FreeRowLayout m_layout;
    std::vector<FreeRowValue> m_free;
    std::vector<PastedPair> m_points;
    Eigen::VectorXd m_weights;
    FitSettings m_settings;
    Conditions m_conditions;
    int m_evaluations{0};
};

FreeFitResult refusedFree(std::string message) {
    FreeFitResult r;
    r.refusal = std::move(message);
    return r;
}

// "beaker1.c, beaker2.pK1".
std::string namesOf(const std::vector<FreeRowValue>& values) {
    std::string names;
    for (const FreeRowValue& v : values) names += (names.empty() ? "" : ", ") + freeRowValueName(v);
    return names;
}

} // namespace

FreeFitResult fitFreeTitration(const FreeTitration& t, const FreeRowLayout& layout,
                               Language language, const std::vector<PastedPair>& points,
                               const std::vector<FreeRowValue>& freeValues,
                               const FitSettings& settings, const Conditions& conditions) {
    if (points.empty()) return refusedFree(texts::kFitNoPoints.in(language));
    const std::vector<FreeRowValue> fittable = freeRowValues(t, layout);
    std::vector<FreeRowValue> free;
    for (const FreeRowValue& v : freeValues) {
        if (std::find(fittable.begin(), fittable.end(), v) == fittable.end())
            return refusedFree(
                texts::fitValueAbsent(freeRowValueName(v), namesOf(fittable), language));
        if (std::find(free.begin(), free.end(), v) == free.end()) free.push_back(v);
    }
    if (free.empty()) return refusedFree(texts::kFitNothingFree.in(language));
    if (!(settings.sigmaPH > 0 && settings.sigmaPH <= kMaxSigmaPH && settings.sigmaVolumeMl >= 0 &&
          settings.sigmaVolumeMl <= kMaxSigmaVolumeMl))
        return refusedFree(texts::kFitSigmaRefused.in(language));
    const int n = static_cast<int>(points.size());
    const int p = static_cast<int>(free.size());
    if (n < p + 1) return refusedFree(texts::fitTooFewPoints(n, p, language));

    FreeModel model(t, layout, free, points, settings, conditions);
    LeastSquaresOf<FreeModel> functor{model};
    const Eigen::VectorXd start = model.start();
    Eigen::VectorXd x = start;
    bool settled = minimise(model, functor, x);
    const bool freesConcentration =
        std::any_of(free.begin(), free.end(), [](const FreeRowValue& v) { return v.pK == 0; });
    if (freesConcentration &&
        (!settled || !spansAnEquivalence(model, points, x) || !determined(model, x, p)))
        settled = restartOnTheJump(model, functor, points, start, x) || settled;

    FreeFitResult result;
    result.freed = free;
    result.evaluations = model.evaluations();
    result.volumeFactor = 1000; // the free study shows its volumes in mL
    if (!x.allFinite()) return refusedFree(texts::kFitFailed.in(language));
    const FreeTitration fitted = model.stateFor(x);
    const Eigen::VectorXd r = model.residuals(x);
    if (!r.allFinite()) return refusedFree(texts::kFitFailed.in(language));
    const double dof = n - p;
    result.ran = true;
    result.residualDeviation = std::sqrt(r.squaredNorm() / dof);
    result.pointsUsed = n;
    for (int i = 0; i < n; ++i) result.residuals.push_back({points[i].volume, r[i]});
    auto failed = [&](std::string message) {
        result.ok = false;
        result.refusal = std::move(message);
        return result;
    };
    if (!settled) return failed(texts::kFitNotConverged.in(language));
    if (freesConcentration && !spansOneOf(points, model.equivalences(fitted)))
        return failed(texts::kFitNoEquivalence.in(language));

    // Concentrations through d(C)/d(log10 C) = C ln 10; a pK moves one for one.
    Eigen::VectorXd toTyped(p);
    for (int j = 0; j < p; ++j)
        toTyped[j] = free[j].pK == 0 ? model.valueAt(x, j) * std::log(10.0) : 1.0;
    const std::optional<Covariance> covariance = covarianceAt(model, x, r, dof, toTyped);
    if (!covariance)
        return failed(result.residualDeviation > 0.3 ? texts::kFitNotConverged.in(language)
                                                     : texts::kFitUndetermined.in(language));
    for (int j = 0; j < p; ++j) {
        FittedValue fv;
        fv.value = model.valueAt(x, j);
        fv.uncertainty =
            std::sqrt(std::max(0.0, covariance->matrix(j, j))) * covariance->toTyped[j];
        if (!std::isfinite(fv.value) || !std::isfinite(fv.uncertainty))
            return failed(texts::kFitFailed.in(language));
        result.values.push_back(fv);
    }
    result.equivalences =
        fittedEquivalences(model, fitted, x, p, covariance->matrix, kFreeParameterStep);
    result.ok = true;
    return result;
}

FreeFitResult fitFreePoints(const FreeTitration& t, const FreeRowLayout& layout, Language language,
                            const FitPoints& read, const std::vector<FreeRowValue>& free,
                            const FitSettings& settings, const Conditions& conditions) {
    FreeFitResult result =
        fitFreeTitration(t, layout, language, read.points, free, settings, conditions);
    result.notice = texts::fitPointsLeftOut(
        read.outOfRange, read.repeated, read.cut ? static_cast<int>(kMaxFitPoints) : 0, language);
    return result;
}

} // namespace titralab
