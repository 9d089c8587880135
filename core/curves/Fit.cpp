#include "core/curves/Fit.h"

#include "core/curves/FitModel.h"
#include "core/texts/StudyTexts.h"

#include <unsupported/Eigen/NonLinearOptimization>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace titralab {

using namespace fitting;

namespace {

// "C1, Cb, pK1".
std::string fitValueNames(const std::vector<FitValue>& values) {
    std::string names;
    for (FitValue v : values) names += (names.empty() ? "" : ", ") + std::string(fitValueName(v));
    return names;
}

FitResult refused(std::string message) {
    FitResult r;
    r.refusal = std::move(message);
    return r;
}

bool converged(Eigen::LevenbergMarquardtSpace::Status status) {
    using namespace Eigen::LevenbergMarquardtSpace;
    switch (status) {
    case RelativeReductionTooSmall:
    case RelativeErrorTooSmall:
    case RelativeErrorAndReductionTooSmall:
    case CosinusTooSmall:
    // The tolerances asked are below what the arithmetic can reach: no step improves the sum.
    case FtolTooSmall:
    case XtolTooSmall:
    case GtolTooSmall:
        return true;
    default:
        return false;
    }
}

// What a fit is asked, checked: the free values (each once, in the order asked), or the
// refusal of a request that cannot be fitted.
struct CheckedRequest {
    std::vector<FitValue> free;
    std::optional<FitResult> refusal;
};

CheckedRequest checkRequest(const PanelFields& panel, Language language,
                            const std::vector<PastedPair>& points,
                            const std::vector<FitValue>& freeValues, const FitSettings& settings) {
    CheckedRequest checked;
    std::vector<FitValue>& free = checked.free;
    auto refusedWith = [&checked](std::string message) {
        checked.refusal = refused(std::move(message));
        return checked;
    };
    if (!isTitration(panel.study)) return refusedWith(texts::kFitNotTitration.in(language));
    if (points.empty()) return refusedWith(texts::kFitNoPoints.in(language));
    const std::vector<FitValue> fittable = fittableValues(panel);
    for (FitValue v : freeValues) {
        if (std::find(fittable.begin(), fittable.end(), v) == fittable.end())
            return refusedWith(texts::fitValueAbsent(std::string(fitValueName(v)),
                                                     fitValueNames(fittable), language));
        if (std::find(free.begin(), free.end(), v) == free.end()) free.push_back(v);
    }
    if (free.empty()) return refusedWith(texts::kFitNothingFree.in(language));
    if (!(settings.sigmaPH > 0 && settings.sigmaPH <= kMaxSigmaPH && settings.sigmaVolumeMl >= 0 &&
          settings.sigmaVolumeMl <= kMaxSigmaVolumeMl))
        return refusedWith(texts::kFitSigmaRefused.in(language));
    const int n = static_cast<int>(points.size());
    const int p = static_cast<int>(free.size());
    if (n < p + 1) return refusedWith(texts::fitTooFewPoints(n, p, language));
    return checked;
}

// The weights follow the slope of the fitted curve: minimise, weigh again, until the values
// settle. The weights of the points on the jump follow the fitted equivalence volume, and
// taken at the newest values alone they can swing the fit between two solutions for ever;
// taken halfway between the last two values, the swings die out. Returns whether the
// minimisation converged and settled; `x` holds the values reached.
bool minimise(Model& model, LeastSquares& functor, Eigen::VectorXd& x) {
    double change = 1;
    Eigen::VectorXd weighAt = x;
    for (int round = 0; round < 30; ++round) {
        model.setWeights(model.weightsAt(weighAt));
        const Eigen::VectorXd before = x;
        Eigen::LevenbergMarquardt<LeastSquares> lm(functor);
        lm.parameters.maxfev = kMaxFitEvaluations / 3;
        lm.parameters.xtol = 1e-12;
        lm.parameters.ftol = 1e-14;
        const auto status = lm.minimize(x);
        if (!x.allFinite()) return false;
        if (!converged(status)) {
            // A later round that stalls leaves the values of the one before, if they had
            // nearly settled (a part in ten thousand).
            if (round == 0 || change > 1e-3) return false;
            x = before;
            return true;
        }
        change = (x - before).cwiseAbs().maxCoeff();
        if (change < 1e-8) return true;
        weighAt = (x + before) / 2;
    }
    // Weights that still move the values by a part in ten thousand have settled.
    return change < 1e-4;
}

// The lowest and highest measured volumes.
std::pair<double, double> volumeSpan(const std::vector<PastedPair>& points) {
    double low = points.front().volume, high = low;
    for (const PastedPair& pt : points) {
        low = std::min(low, pt.volume);
        high = std::max(high, pt.volume);
    }
    return {low, high};
}

// Whether an equivalence of the model at `at` lies within the measured volumes.
bool spansAnEquivalence(const Model& model, const std::vector<PastedPair>& points,
                        const Eigen::VectorXd& at) {
    const std::pair<double, double> span = volumeSpan(points);
    const double low = span.first, high = span.second;
    const std::vector<double> eq = model.equivalences(model.stateFor(at));
    return std::any_of(eq.begin(), eq.end(), [&](double v) { return v > low && v < high; });
}

// Whether the points determine the values at `at`: the smallest singular value of the
// weighted Jacobian not negligible.
bool determined(Model& model, const Eigen::VectorXd& at, int p) {
    model.setWeights(model.weightsAt(at));
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(model.weightedJacobian(at));
    const Eigen::VectorXd sv = svd.singularValues();
    return sv.size() >= p && sv[p - 1] > 1e-6 && sv[p - 1] > 1e-10 * sv[0];
}

// From typed values far off, starts again where the measured jump says: the free
// concentrations scaled so that the model's equivalence falls on the steepest rise of the
// points. Returns whether that gave settled, determined values, then held in `x`.
bool restartOnTheJump(Model& model, LeastSquares& functor, const std::vector<PastedPair>& points,
                      const std::vector<FitValue>& free, const Eigen::VectorXd& start,
                      Eigen::VectorXd& x) {
    const int p = static_cast<int>(free.size());
    std::vector<PastedPair> sorted = points;
    std::sort(sorted.begin(), sorted.end(),
              [](const PastedPair& a, const PastedPair& b) { return a.volume < b.volume; });
    double jump = 0, steepest = 0;
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const double dv = sorted[i].volume - sorted[i - 1].volume;
        if (!(dv > 0)) continue;
        const double slope = std::abs(sorted[i].pH - sorted[i - 1].pH) / dv;
        if (slope > steepest) {
            steepest = slope;
            jump = (sorted[i].volume + sorted[i - 1].volume) / 2;
        }
    }
    const std::vector<double> eq = model.equivalences(model.stateFor(start));
    if (jump > 0 && !eq.empty() && eq.front() > 0 && std::isfinite(eq.front())) {
        const double ratio = jump / eq.front(); // the first equivalence on the jump
        Eigen::VectorXd again = start;
        for (int j = 0; j < p; ++j)
            if (isConcentration(free[j]))
                again[j] += std::log10(free[j] == FitValue::Cb ? 1 / ratio : ratio);
        // Only Cb free with the acid's: the acid alone moves.
        if (std::find(free.begin(), free.end(), FitValue::Cb) != free.end() &&
            std::count_if(free.begin(), free.end(), isConcentration) > 1)
            for (int j = 0; j < p; ++j)
                if (free[j] == FitValue::Cb) again[j] = start[j];
        if (minimise(model, functor, again) && spansAnEquivalence(model, points, again) &&
            determined(model, again, p)) {
            x = again;
            return true;
        }
    }
    return false;
}

// The covariance of the free parameters at `x` (log10 of a concentration, or a working pK),
// and the factors that take their uncertainties to the values as typed; none when the points
// do not determine them.
struct Covariance {
    Eigen::MatrixXd matrix;
    Eigen::VectorXd toTyped;
};

std::optional<Covariance> covarianceAt(Model& model, const ChemicalState& fitted,
                                       const std::vector<FitValue>& free, const Eigen::VectorXd& x,
                                       const Eigen::VectorXd& r, double dof) {
    const int p = static_cast<int>(free.size());
    // Uncertainties in the values as typed: concentrations through d(C)/d(log10 C) = C ln 10;
    // a working pK moves one for one with the typed one.
    model.setWeights(model.weightsAt(x));
    const Eigen::MatrixXd J = model.weightedJacobian(x);
    const Eigen::VectorXd rw = r.cwiseProduct(model.weights().cwiseSqrt());
    Eigen::VectorXd toTyped(p);
    for (int j = 0; j < p; ++j)
        toTyped[j] = isConcentration(free[j])
                         ? Model::concentrationOf(fitted, free[j]) * std::log(10.0)
                         : 1.0;
    const double s2 = rw.squaredNorm() / dof;
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(J, Eigen::ComputeFullV);
    const Eigen::VectorXd sv = svd.singularValues();
    // A value that moves the computed pH by less than a millionth per unit (of pK, or of
    // log10 of a concentration) is not determined by the points; nor are values whose effects
    // the points cannot tell apart. Still where it started, the fit found no way down.
    if (sv.size() < p || !(sv[p - 1] > 1e-6) || !(sv[p - 1] > 1e-10 * sv[0])) return std::nullopt;
    const Eigen::MatrixXd V = svd.matrixV();
    Eigen::MatrixXd covariance = V * sv.cwiseInverse().cwiseAbs2().asDiagonal() * V.transpose();
    covariance *= s2;
    return Covariance{covariance, toTyped};
}

// The equivalence volumes of the fitted model and their uncertainties: the gradient of each
// volume with respect to the free parameters, through the covariance.
std::vector<FittedEquivalence> fittedEquivalences(const Model& model, const ChemicalState& fitted,
                                                  const Eigen::VectorXd& x, int p,
                                                  const Eigen::MatrixXd& covariance) {
    std::vector<FittedEquivalence> out;
    const std::vector<double> eq = model.equivalences(fitted);
    std::vector<std::vector<double>> up(p), down(p);
    for (int j = 0; j < p; ++j) {
        Eigen::VectorXd xu = x, xd = x;
        xu[j] += kParameterStep;
        xd[j] -= kParameterStep;
        up[j] = model.equivalences(model.stateFor(xu));
        down[j] = model.equivalences(model.stateFor(xd));
    }
    for (std::size_t k = 0; k < eq.size(); ++k) {
        Eigen::VectorXd g(p);
        for (int j = 0; j < p; ++j)
            g[j] = k < up[j].size() && k < down[j].size()
                       ? (up[j][k] - down[j][k]) / (2 * kParameterStep)
                       : 0.0;
        const double u = std::sqrt(std::max(0.0, g.dot(covariance * g)));
        if (std::isfinite(eq[k]) && std::isfinite(u))
            out.push_back({static_cast<int>(k) + 1, eq[k], u});
    }
    return out;
}

} // namespace

FitResult fitTitration(const ChemicalState& state, const PanelFields& panel, Language language,
                       const std::vector<PastedPair>& points,
                       const std::vector<FitValue>& freeValues, const FitSettings& settings) {
    const CheckedRequest request = checkRequest(panel, language, points, freeValues, settings);
    if (request.refusal) return *request.refusal;
    const std::vector<FitValue>& free = request.free;
    const int n = static_cast<int>(points.size());
    const int p = static_cast<int>(free.size());

    Model model(state, panel, language, free, points, settings);
    LeastSquares functor{model};
    const Eigen::VectorXd start = model.start();
    Eigen::VectorXd x = start;
    bool settled = minimise(model, functor, x);
    const bool freesConcentration = std::any_of(free.begin(), free.end(), isConcentration);
    if (freesConcentration &&
        (!settled || !spansAnEquivalence(model, points, x) || !determined(model, x, p)))
        settled = restartOnTheJump(model, functor, points, free, start, x) || settled;

    FitResult result;
    result.evaluations = model.evaluations();
    result.volumeFactor = model.volumeFactor();
    if (!x.allFinite()) return refused(texts::kFitFailed.in(language));
    const ChemicalState fitted = model.stateFor(x);
    const Eigen::VectorXd r = model.residuals(x);
    if (!r.allFinite()) return refused(texts::kFitFailed.in(language));
    const double dof = n - p;
    // What a reader always sees, whether the fit succeeded or not.
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

    if (std::any_of(free.begin(), free.end(), isConcentration)) {
        const std::pair<double, double> span = volumeSpan(points);
        const double low = span.first, high = span.second;
        const std::vector<double> eq = model.equivalences(fitted);
        if (std::none_of(eq.begin(), eq.end(), [&](double v) { return v > low && v < high; }))
            return failed(texts::kFitNoEquivalence.in(language));
    }

    const std::optional<Covariance> covariance = covarianceAt(model, fitted, free, x, r, dof);
    // Far from describing the points (a pH off by more than 0.3 on the average), the fit has
    // not found the minimum: it did not converge, whatever the points could determine.
    if (!covariance)
        return failed(result.residualDeviation > 0.3 ? texts::kFitNotConverged.in(language)
                                                     : texts::kFitUndetermined.in(language));
    for (int j = 0; j < p; ++j) {
        FittedValue fv;
        fv.which = free[j];
        fv.field = fitValueField(panel.study, free[j]);
        fv.value = isConcentration(free[j])
                       ? Model::concentrationOf(fitted, free[j])
                       : typedPK(model.side(), clampWorkingPK(model.side(), x[j]));
        fv.uncertainty =
            std::sqrt(std::max(0.0, covariance->matrix(j, j))) * covariance->toTyped[j];
        if (!std::isfinite(fv.value) || !std::isfinite(fv.uncertainty))
            return failed(texts::kFitFailed.in(language));
        result.values.push_back(fv);
    }
    result.equivalences = fittedEquivalences(model, fitted, x, p, covariance->matrix);
    if (!settings.conditions.ideal() && std::any_of(free.begin(), free.end(), [](FitValue v) {
            return !isConcentration(v);
        }))
        result.basis = texts::kFitThermodynamicPKa.in(language);
    result.ok = true;
    return result;
}

FitResult fitPastedPoints(const ChemicalState& state, const PanelFields& panel, Language language,
                          const FitPoints& read, const std::vector<FitValue>& free,
                          const FitSettings& settings) {
    FitResult result = fitTitration(state, panel, language, read.points, free, settings);
    result.notice = texts::fitPointsLeftOut(
        read.outOfRange, read.repeated, read.cut ? static_cast<int>(kMaxFitPoints) : 0, language);
    return result;
}

} // namespace titralab
