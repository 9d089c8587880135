// The steps of a least-squares fit of a titration model to measured (volume, pH) points, shared
// by the fit of the closed-form studies (core/curves/FitModel.h) and that of the free study
// (core/curves/FreeFit.cpp). A model M gives:
//   parameterCount(), pointCount(), evaluations();
//   residuals(x), weightedResiduals(x), jacobian-weighted weightedJacobian(x);
//   weightsAt(x), setWeights(w), weights();
//   stateFor(x) and equivalences(state): the equivalence volumes of a state, in the unit of the
//   measured volumes;
//   restartedOnJump(start, ratio): the parameters from `start` with the free concentrations
//   moved so that the first equivalence is `ratio` times farther.
#pragma once

#include "core/base/PastedPair.h"
#include "core/curves/Fit.h"

#include <Eigen/Dense>
#include <unsupported/Eigen/NonLinearOptimization>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace titralab::fitting {

// Eigen's functor over a model.
template <class M> struct LeastSquaresOf {
    using Scalar = double;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
    using InputType = Eigen::VectorXd;
    using ValueType = Eigen::VectorXd;
    using JacobianType = Eigen::MatrixXd;

    M& model;
    int inputs() const { return model.parameterCount(); }
    int values() const { return model.pointCount(); }
    int operator()(const Eigen::VectorXd& x, Eigen::VectorXd& f) const {
        if (model.evaluations() >= kMaxFitEvaluations) return -1; // ends the minimisation
        f = model.weightedResiduals(x);
        return 0;
    }
    int df(const Eigen::VectorXd& x, Eigen::MatrixXd& J) const {
        if (model.evaluations() >= kMaxFitEvaluations) return -1;
        J = model.weightedJacobian(x);
        return 0;
    }
};

inline bool converged(Eigen::LevenbergMarquardtSpace::Status status) {
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

// The weights follow the slope of the fitted curve: minimise, weigh again, until the values
// settle. The weights of the points on the jump follow the fitted equivalence volume, and
// taken at the newest values alone they can swing the fit between two solutions for ever;
// taken halfway between the last two values, the swings die out. Returns whether the
// minimisation converged and settled; `x` holds the values reached.
template <class M> bool minimise(M& model, LeastSquaresOf<M>& functor, Eigen::VectorXd& x) {
    double change = 1;
    Eigen::VectorXd weighAt = x;
    for (int round = 0; round < 30; ++round) {
        model.setWeights(model.weightsAt(weighAt));
        const Eigen::VectorXd before = x;
        Eigen::LevenbergMarquardt<LeastSquaresOf<M>> lm(functor);
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
inline std::pair<double, double> volumeSpan(const std::vector<PastedPair>& points) {
    double low = points.front().volume, high = low;
    for (const PastedPair& pt : points) {
        low = std::min(low, pt.volume);
        high = std::max(high, pt.volume);
    }
    return {low, high};
}

// Whether one of `volumes` lies within the measured volumes.
inline bool spansOneOf(const std::vector<PastedPair>& points, const std::vector<double>& volumes) {
    const std::pair<double, double> span = volumeSpan(points);
    const double low = span.first, high = span.second;
    return std::any_of(volumes.begin(), volumes.end(),
                       [&](double v) { return v > low && v < high; });
}

// Whether an equivalence of the model at `at` lies within the measured volumes.
template <class M>
bool spansAnEquivalence(const M& model, const std::vector<PastedPair>& points,
                        const Eigen::VectorXd& at) {
    return spansOneOf(points, model.equivalences(model.stateFor(at)));
}

// Whether the points determine the values at `at`: the smallest singular value of the
// weighted Jacobian not negligible.
template <class M> bool determined(M& model, const Eigen::VectorXd& at, int p) {
    model.setWeights(model.weightsAt(at));
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(model.weightedJacobian(at));
    const Eigen::VectorXd sv = svd.singularValues();
    return sv.size() >= p && sv[p - 1] > 1e-6 && sv[p - 1] > 1e-10 * sv[0];
}

// From typed values far off, starts again where the measured jump says: the free
// concentrations scaled so that the model's equivalence falls on the steepest rise of the
// points. Returns whether that gave settled, determined values, then held in `x`.
template <class M>
bool restartOnTheJump(M& model, LeastSquaresOf<M>& functor, const std::vector<PastedPair>& points,
                      const Eigen::VectorXd& start, Eigen::VectorXd& x) {
    const int p = model.parameterCount();
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
        // The first equivalence on the jump.
        Eigen::VectorXd again = model.restartedOnJump(start, jump / eq.front());
        if (minimise(model, functor, again) && spansAnEquivalence(model, points, again) &&
            determined(model, again, p)) {
            x = again;
            return true;
        }
    }
    return false;
}

// The covariance of the free parameters at `x` (log10 of a concentration, or a pK), none when
// the points do not determine them. `toTyped` takes each parameter's uncertainty to the value
// as typed; kept with the matrix.
struct Covariance {
    Eigen::MatrixXd matrix;
    Eigen::VectorXd toTyped;
};

template <class M>
std::optional<Covariance> covarianceAt(M& model, const Eigen::VectorXd& x, const Eigen::VectorXd& r,
                                       double dof, Eigen::VectorXd toTyped) {
    const int p = model.parameterCount();
    model.setWeights(model.weightsAt(x));
    const Eigen::MatrixXd J = model.weightedJacobian(x);
    const Eigen::VectorXd rw = r.cwiseProduct(model.weights().cwiseSqrt());
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
    return Covariance{covariance, std::move(toTyped)};
}

// The equivalence volumes of the fitted model and their uncertainties: the gradient of each
// volume with respect to the free parameters, through the covariance.
template <class M, class State>
std::vector<FittedEquivalence>
fittedEquivalences(const M& model, const State& fitted, const Eigen::VectorXd& x, int p,
                   const Eigen::MatrixXd& covariance, double parameterStep) {
    std::vector<FittedEquivalence> out;
    const std::vector<double> eq = model.equivalences(fitted);
    std::vector<std::vector<double>> up(p), down(p);
    for (int j = 0; j < p; ++j) {
        Eigen::VectorXd xu = x, xd = x;
        xu[j] += parameterStep;
        xd[j] -= parameterStep;
        up[j] = model.equivalences(model.stateFor(xu));
        down[j] = model.equivalences(model.stateFor(xd));
    }
    for (std::size_t k = 0; k < eq.size(); ++k) {
        Eigen::VectorXd g(p);
        for (int j = 0; j < p; ++j)
            g[j] = k < up[j].size() && k < down[j].size()
                       ? (up[j][k] - down[j][k]) / (2 * parameterStep)
                       : 0.0;
        const double u = std::sqrt(std::max(0.0, g.dot(covariance * g)));
        if (std::isfinite(eq[k]) && std::isfinite(u))
            out.push_back({static_cast<int>(k) + 1, eq[k], u});
    }
    return out;
}

} // namespace titralab::fitting
