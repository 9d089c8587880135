#include "core/curves/Fit.h"

#include "core/chemistry/Formulas.h"
#include "core/curves/PastedPoints.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/SimulationSetup.h"
#include "core/texts/StudyTexts.h"

#include <Eigen/Dense>
#include <unsupported/Eigen/NonLinearOptimization>

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

constexpr double kMinConc = 1e-8; // mol/L, the set-up's bounds
constexpr double kMaxConc = 15;
// A pK at or above this (working scale) stands for an acidity the acid does not have.
constexpr double kAbsentWorkingPK = 20;
// Steps of the numerical partial derivatives of the closed-form volume function.
constexpr double kPHStep = 1e-6;
constexpr double kParameterStep = 1e-6; // in log10(C) or in pK

// The typed pK of a side's field and the working pK of the formulas, both ways: the only
// place that knows how the side's fields are typed.
double workingPK(BuretteSide side, double typed) {
    return side == BuretteSide::BaseSide ? workingPKOfBase(typed) : typed;
}
double typedPK(BuretteSide side, double working) {
    return side == BuretteSide::BaseSide ? pKaOfBase(working) : working;
}
// The working values the typed range allows (on the base side the order turns over).
double clampWorkingPK(BuretteSide side, double working) {
    const double a = workingPK(side, kMinPK);
    const double b = workingPK(side, kMaxPK);
    return std::clamp(working, std::min(a, b), std::max(a, b));
}

bool isConcentration(FitValue v) {
    return v == FitValue::C1 || v == FitValue::C2 || v == FitValue::Cb;
}

bool isTitration(Study s) {
    return s == Study::TitrationVsVolume || s == Study::TwoMonoTitration;
}

class NullNotifier : public Notifier {
  public:
    void inform(const std::string&) override {}
    void error(const std::string&) override {}
};

// The model: the study's state with the typed numbers of the panel, some of them replaced by
// the free parameters (log10 of a concentration, or a working pK).
class Model {
  public:
    Model(const Simulation& sim, std::vector<FitValue> free, std::vector<PastedPair> points,
          const FitSettings& settings)
        : m_free(std::move(free)), m_points(std::move(points)),
          m_weights(Eigen::VectorXd::Ones(static_cast<Eigen::Index>(m_points.size()))),
          m_settings(settings) {
        NullNotifier quiet;
        m_base = sim.state;
        setUpSimulation(m_base, sim.panel, quiet, sim.language);
        m_study = sim.panel.study;
        m_side = sim.panel.side;
        for (int f : {4, 5, 6, 14, 15, 16})
            m_workingPK[f] =
                workingPK(m_side, ParseBoundedNumber(sim.panel.text[f], kMinPK, kMaxPK).value);
    }

    int parameterCount() const { return static_cast<int>(m_free.size()); }
    int pointCount() const { return static_cast<int>(m_points.size()); }
    const std::vector<PastedPair>& points() const { return m_points; }
    const std::vector<FitValue>& free() const { return m_free; }
    Study study() const { return m_study; }
    BuretteSide side() const { return m_side; }
    int evaluations() const { return m_evaluations; }
    double volumeFactor() const { return m_base.volumeFactor; }

    // The starting parameters, from the typed fields.
    Eigen::VectorXd start() const {
        Eigen::VectorXd x(parameterCount());
        for (int j = 0; j < parameterCount(); ++j) {
            const FitValue v = m_free[j];
            const int field = fitValueField(m_study, v);
            x[j] =
                isConcentration(v) ? std::log10(concentrationOf(m_base, v)) : m_workingPK.at(field);
        }
        return x;
    }

    // The chemical state for parameters x (clamped into the set-up's ranges).
    ChemicalState stateFor(const Eigen::VectorXd& x) const {
        ChemicalState s = m_base;
        std::array<double, 17> pk = m_workingPK;
        for (int j = 0; j < parameterCount(); ++j) {
            const FitValue v = m_free[j];
            if (isConcentration(v)) {
                const double c = std::clamp(std::pow(10.0, x[j]), kMinConc, kMaxConc);
                (v == FitValue::C1 ? s.conc1 : v == FitValue::C2 ? s.conc2 : s.titrantConc) = c;
            } else {
                pk[fitValueField(m_study, v)] = clampWorkingPK(m_side, x[j]);
            }
        }
        s.pK1 = {pk[4], pk[5], pk[6]};
        s.pK2 = {pk[14], pk[15], pk[16]};
        std::sort(s.pK1.begin(), s.pK1.end());
        std::sort(s.pK2.begin(), s.pK2.end());
        for (int k = 0; k < 3; ++k) {
            s.ka1[k] = pToConc(s.pK1[k]);
            s.ka2[k] = pToConc(s.pK2[k]);
        }
        return s;
    }

    double pHAt(const ChemicalState& s, double v) const {
        return m_study == Study::TwoMonoTitration ? solvePHTwoMono(s, v) : solvePH(s, v);
    }
    double volumeAt(const ChemicalState& s, double pH) const {
        const double h = workingConcFromPH(s, pH);
        return m_study == Study::TwoMonoTitration ? titrantVolumeTwoMono(s, h)
                                                  : titrantVolume(s, h);
    }

    // Measured minus computed pH at every point.
    Eigen::VectorXd residuals(const Eigen::VectorXd& x) {
        ++m_evaluations;
        const ChemicalState s = stateFor(x);
        Eigen::VectorXd r(pointCount());
        for (int i = 0; i < pointCount(); ++i) r[i] = m_points[i].pH - pHAt(s, m_points[i].volume);
        return r;
    }
    Eigen::VectorXd weightedResiduals(const Eigen::VectorXd& x) {
        return residuals(x).cwiseProduct(m_weights.cwiseSqrt());
    }

    // The weights at parameters x: sigmaPH^2 / (sigmaPH^2 + (dpH/dV)^2 sigmaV^2), in 0..1.
    Eigen::VectorXd weightsAt(const Eigen::VectorXd& x) const {
        const ChemicalState s = stateFor(x);
        const double sPH2 = m_settings.sigmaPH * m_settings.sigmaPH;
        const double sV = m_settings.sigmaVolumeMl / 1000; // L, the state's volumes
        Eigen::VectorXd w(pointCount());
        for (int i = 0; i < pointCount(); ++i) {
            const double p = pHAt(s, m_points[i].volume);
            const double dVdp =
                (volumeAt(s, p + kPHStep) - volumeAt(s, p - kPHStep)) / (2 * kPHStep);
            const double slope = 1 / dVdp; // pH per L
            const double g2 = std::isfinite(slope) ? slope * slope * sV * sV : 0.0;
            w[i] = sPH2 / (sPH2 + g2);
            if (!(w[i] > 0) || !std::isfinite(w[i])) w[i] = 0;
        }
        return w;
    }
    void setWeights(Eigen::VectorXd w) { m_weights = std::move(w); }
    const Eigen::VectorXd& weights() const { return m_weights; }

    // d(residual)/d(parameter): the computed pH p solves volume(p, x) = v, so
    // dp/dx = -(dvolume/dx)/(dvolume/dp), both partial derivatives of the closed form.
    Eigen::MatrixXd jacobian(const Eigen::VectorXd& x) {
        ++m_evaluations;
        const ChemicalState s = stateFor(x);
        Eigen::MatrixXd J(pointCount(), parameterCount());
        std::vector<ChemicalState> up, down;
        for (int j = 0; j < parameterCount(); ++j) {
            Eigen::VectorXd xu = x, xd = x;
            xu[j] += kParameterStep;
            xd[j] -= kParameterStep;
            up.push_back(stateFor(xu));
            down.push_back(stateFor(xd));
        }
        for (int i = 0; i < pointCount(); ++i) {
            const double p = pHAt(s, m_points[i].volume);
            const double dVdp =
                (volumeAt(s, p + kPHStep) - volumeAt(s, p - kPHStep)) / (2 * kPHStep);
            for (int j = 0; j < parameterCount(); ++j) {
                const double dVdx =
                    (volumeAt(up[j], p) - volumeAt(down[j], p)) / (2 * kParameterStep);
                const double dpdx = -dVdx / dVdp;
                J(i, j) = std::isfinite(dpdx) ? -dpdx : 0.0;
            }
        }
        return J;
    }
    Eigen::MatrixXd weightedJacobian(const Eigen::VectorXd& x) {
        return m_weights.cwiseSqrt().asDiagonal() * jacobian(x);
    }

    static double concentrationOf(const ChemicalState& s, FitValue v) {
        return v == FitValue::C1 ? s.conc1 : v == FitValue::C2 ? s.conc2 : s.titrantConc;
    }

    // The equivalence volumes of the state, unit of its volumes.
    std::vector<double> equivalences(const ChemicalState& s) const {
        std::vector<double> volumes;
        if (m_study == Study::TwoMonoTitration) {
            volumes.push_back(s.conc1 * s.vol1 / s.titrantConc);
            volumes.push_back((s.conc1 * s.vol1 + s.conc2 * s.vol2) / s.titrantConc);
        } else {
            int acidities = 0;
            for (double pk : s.pK1) acidities += pk < kAbsentWorkingPK ? 1 : 0;
            for (int k = 1; k <= acidities; ++k)
                volumes.push_back(k * s.conc1 * s.vol1 / s.titrantConc);
        }
        return volumes;
    }

  private:
    std::vector<FitValue> m_free;
    std::vector<PastedPair> m_points;
    Eigen::VectorXd m_weights;
    FitSettings m_settings;
    ChemicalState m_base;
    Study m_study{Study::None};
    BuretteSide m_side{BuretteSide::AcidSide};
    std::array<double, 17> m_workingPK{};
    int m_evaluations{0};
};

// Eigen's functor over the model.
struct LeastSquares {
    using Scalar = double;
    enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };
    using InputType = Eigen::VectorXd;
    using ValueType = Eigen::VectorXd;
    using JacobianType = Eigen::MatrixXd;

    Model& model;
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

} // namespace

std::string_view fitValueName(FitValue v) {
    static constexpr std::array<std::string_view, kFitValueCount> names{"C1",  "C2",  "Cb",
                                                                        "pK1", "pK2", "pK3"};
    return names[static_cast<int>(v)];
}

std::optional<FitValue> fitValueFromName(std::string_view name) {
    for (int k = 0; k < kFitValueCount; ++k)
        if (fitValueName(static_cast<FitValue>(k)) == name) return static_cast<FitValue>(k);
    return std::nullopt;
}

int fitValueField(Study study, FitValue v) {
    const bool two = study == Study::TwoMonoTitration;
    switch (v) {
    case FitValue::C1:
        return 2;
    case FitValue::C2:
        return two ? 12 : 0;
    case FitValue::Cb:
        return 1;
    case FitValue::PK1:
        return 4;
    case FitValue::PK2:
        return two ? 14 : 5;
    case FitValue::PK3:
        return two ? 0 : 6;
    }
    return 0;
}

std::vector<FitValue> fittableValues(const Simulation& sim) {
    std::vector<FitValue> values;
    if (!isTitration(sim.panel.study)) return values;
    for (int k = 0; k < kFitValueCount; ++k) {
        const auto v = static_cast<FitValue>(k);
        const int field = fitValueField(sim.panel.study, v);
        // The pKa2 and pKa3 of a polyacid exist when the panel shows them.
        const bool shownPK = field != 5 && field != 6 ? true : sim.panel.visible[field];
        if (field != 0 && shownPK) values.push_back(v);
    }
    return values;
}

std::vector<FitValue> defaultFreeValues(const Simulation& sim) {
    std::vector<FitValue> values;
    for (FitValue v : fittableValues(sim)) {
        if (v == FitValue::Cb) continue;
        if (!isConcentration(v)) {
            // Only the acidities the acid has and a titration can show.
            const double pk =
                workingPK(sim.panel.side,
                          ParseBoundedNumber(sim.panel.text[fitValueField(sim.panel.study, v)],
                                             kMinPK, kMaxPK)
                              .value);
            if (!(pk > -1 && pk < kAbsentWorkingPK)) continue;
        }
        values.push_back(v);
    }
    return values;
}

FitPoints fitPointsOf(const Simulation& sim) {
    FitPoints out;
    std::vector<PastedPair> read =
        ReadPastedPoints(sim.pastedText, sim.pasteOrder, kMaxFitPoints + 1);
    if (read.size() > kMaxFitPoints) {
        out.cut = true;
        read.resize(kMaxFitPoints);
    }
    const double litresPerUnit = sim.pastedInMillilitres ? 1e-3 : 1;
    for (PastedPair p : read) {
        p.volume *= litresPerUnit;
        if (!(std::isfinite(p.volume) && std::isfinite(p.pH) && p.pH > 0 && p.pH < 14)) {
            ++out.outOfRange;
            continue;
        }
        const bool seen =
            std::any_of(out.points.begin(), out.points.end(),
                        [&](const PastedPair& q) { return q.volume == p.volume && q.pH == p.pH; });
        if (seen) {
            ++out.repeated;
            continue;
        }
        out.points.push_back(p);
    }
    return out;
}

namespace {

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

} // namespace

FitResult fitTitration(const Simulation& sim, const std::vector<PastedPair>& points,
                       const std::vector<FitValue>& freeValues, const FitSettings& settings) {
    const Language language = sim.language;
    if (!isTitration(sim.panel.study)) return refused(texts::kFitNotTitration.in(language));
    if (points.empty()) return refused(texts::kFitNoPoints.in(language));
    const std::vector<FitValue> fittable = fittableValues(sim);
    std::vector<FitValue> free;
    for (FitValue v : freeValues) {
        if (std::find(fittable.begin(), fittable.end(), v) == fittable.end())
            return refused(texts::fitValueAbsent(std::string(fitValueName(v)),
                                                 fitValueNames(fittable), language));
        if (std::find(free.begin(), free.end(), v) == free.end()) free.push_back(v);
    }
    if (free.empty()) return refused(texts::kFitNothingFree.in(language));
    if (!(settings.sigmaPH > 0 && settings.sigmaPH <= kMaxSigmaPH && settings.sigmaVolumeMl >= 0 &&
          settings.sigmaVolumeMl <= kMaxSigmaVolumeMl))
        return refused(texts::kFitSigmaRefused.in(language));
    const int n = static_cast<int>(points.size());
    const int p = static_cast<int>(free.size());
    if (n < p + 1) return refused(texts::fitTooFewPoints(n, p, language));

    Model model(sim, free, points, settings);
    LeastSquares functor{model};
    // The weights follow the slope of the fitted curve: minimise, weigh again, until the values
    // settle. The weights of the points on the jump follow the fitted equivalence volume, and
    // taken at the newest values alone they can swing the fit between two solutions for ever;
    // taken halfway between the last two values, the swings die out. Returns whether the
    // minimisation converged and settled.
    auto minimise = [&](Eigen::VectorXd& x) {
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
    };
    const Eigen::VectorXd start = model.start();
    Eigen::VectorXd x = start;
    bool settled = minimise(x);
    // From typed values far off, start again where the measured jump says: the free
    // concentrations scaled so that the model's equivalence falls on the steepest rise of the
    // points.
    const auto spans = [&](const Eigen::VectorXd& at) {
        double low = points.front().volume, high = low;
        for (const PastedPair& pt : points) {
            low = std::min(low, pt.volume);
            high = std::max(high, pt.volume);
        }
        const std::vector<double> eq = model.equivalences(model.stateFor(at));
        return std::any_of(eq.begin(), eq.end(), [&](double v) { return v > low && v < high; });
    };
    const bool freesConcentration = std::any_of(free.begin(), free.end(), isConcentration);
    // Whether the points determine the values at `at`: the smallest singular value of the
    // weighted Jacobian not negligible.
    const auto determined = [&](const Eigen::VectorXd& at) {
        model.setWeights(model.weightsAt(at));
        const Eigen::JacobiSVD<Eigen::MatrixXd> svd(model.weightedJacobian(at));
        const Eigen::VectorXd sv = svd.singularValues();
        return sv.size() >= p && sv[p - 1] > 1e-6 && sv[p - 1] > 1e-10 * sv[0];
    };
    if (freesConcentration && (!settled || !spans(x) || !determined(x))) {
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
            if (minimise(again) && spans(again) && determined(again)) {
                x = again;
                settled = true;
            }
        }
    }

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
        double low = points.front().volume, high = low;
        for (const PastedPair& pt : points) {
            low = std::min(low, pt.volume);
            high = std::max(high, pt.volume);
        }
        const std::vector<double> eq = model.equivalences(fitted);
        if (std::none_of(eq.begin(), eq.end(), [&](double v) { return v > low && v < high; }))
            return failed(texts::kFitNoEquivalence.in(language));
    }

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
    // Far from describing the points (a pH off by more than 0.3 on the average), the fit has
    // not found the minimum: it did not converge, whatever the points could determine.
    if (sv.size() < p || !(sv[p - 1] > 1e-6) || !(sv[p - 1] > 1e-10 * sv[0]))
        return failed(result.residualDeviation > 0.3 ? texts::kFitNotConverged.in(language)
                                                     : texts::kFitUndetermined.in(language));
    const Eigen::MatrixXd V = svd.matrixV();
    Eigen::MatrixXd covariance = V * sv.cwiseInverse().cwiseAbs2().asDiagonal() * V.transpose();
    covariance *= s2;

    for (int j = 0; j < p; ++j) {
        FittedValue fv;
        fv.which = free[j];
        fv.field = fitValueField(sim.panel.study, free[j]);
        fv.value = isConcentration(free[j])
                       ? Model::concentrationOf(fitted, free[j])
                       : typedPK(model.side(), clampWorkingPK(model.side(), x[j]));
        fv.uncertainty = std::sqrt(std::max(0.0, covariance(j, j))) * toTyped[j];
        if (!std::isfinite(fv.value) || !std::isfinite(fv.uncertainty))
            return failed(texts::kFitFailed.in(language));
        result.values.push_back(fv);
    }
    // The equivalence volumes and their uncertainties: the gradient of each volume with
    // respect to the free parameters, through the covariance.
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
            result.equivalences.push_back({static_cast<int>(k) + 1, eq[k], u});
    }
    result.ok = true;
    return result;
}

FitResult fitPastedPoints(const Simulation& sim, const std::vector<FitValue>& free,
                          const FitSettings& settings) {
    const FitPoints read = fitPointsOf(sim);
    FitResult result = fitTitration(sim, read.points, free, settings);
    result.notice =
        texts::fitPointsLeftOut(read.outOfRange, read.repeated,
                                read.cut ? static_cast<int>(kMaxFitPoints) : 0, sim.language);
    return result;
}

std::pair<std::string, std::string> formatMeasured(double value, double uncertainty,
                                                   char separator) {
    if (!(uncertainty > 0) || !std::isfinite(uncertainty) || !std::isfinite(value) || value == 0)
        return {formatGeneral(value, 6, separator), formatGeneral(uncertainty, 2, separator)};
    // The decimal place of the uncertainty's second significant digit, and of the value's
    // last digit: three to eight significant digits of the value.
    const int uExponent = static_cast<int>(std::floor(std::log10(uncertainty)));
    const int vExponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    int place = uExponent - 1;
    place = std::min(place, vExponent - 2);
    place = std::max(place, vExponent - 7);
    if (place < -10 || vExponent > 8)
        return {formatGeneral(value, vExponent - place + 1, separator),
                formatGeneral(uncertainty, 2, separator)};
    auto fixed = [&](double x) {
        const double scaled = std::round(std::abs(x) / std::pow(10.0, place));
        std::string digits = std::to_string(static_cast<long long>(scaled));
        std::string text;
        if (place >= 0) {
            text = digits + std::string(static_cast<std::size_t>(place), '0');
        } else {
            const std::size_t decimals = static_cast<std::size_t>(-place);
            if (digits.size() <= decimals)
                digits = std::string(decimals - digits.size() + 1, '0') + digits;
            text = digits.substr(0, digits.size() - decimals) + separator +
                   digits.substr(digits.size() - decimals);
        }
        return (x < 0 && scaled > 0 ? "-" : "") + text;
    };
    return {fixed(value), fixed(uncertainty)};
}

std::string fitValueCaption(FitValue v, Language language) {
    return texts::kFitCaptions[static_cast<int>(v)].in(language);
}

void applyFit(Simulation& sim, const FitResult& result) {
    if (!result.ok) return;
    for (const FittedValue& v : result.values)
        if (!std::isfinite(v.value)) return;
    const char separator = sim.decimalComma ? ',' : '.';
    for (const FittedValue& v : result.values)
        if (v.field >= 1 && v.field <= 16)
            sim.panel.text[v.field] = formatMeasured(v.value, v.uncertainty, separator).first;
}

} // namespace titralab
