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
    Model(const Simulation& sim, std::vector<FitValue> free, std::vector<PastedPair> points)
        : m_free(std::move(free)), m_points(std::move(points)) {
        NullNotifier quiet;
        m_base = sim.state;
        setUpSimulation(m_base, sim.panel, quiet);
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
        f = model.residuals(x);
        return 0;
    }
    int df(const Eigen::VectorXd& x, Eigen::MatrixXd& J) const {
        if (model.evaluations() >= kMaxFitEvaluations) return -1;
        J = model.jacobian(x);
        return 0;
    }
};

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

std::vector<PastedPair> fitPointsOf(const Simulation& sim) {
    std::vector<PastedPair> points;
    for (const PastedPair& p : ReadPastedPoints(sim.pastedText, sim.pasteOrder))
        if (std::isfinite(p.volume) && std::isfinite(p.pH) && p.pH > 0 && p.pH < 14)
            points.push_back(p);
    // Volumes read as the chart reads them: in mL when only so do they fit it.
    if (pastedVolumesInMillilitres(sim.curves, sim.state.volumeFactor, points))
        for (PastedPair& p : points) p.volume /= 1000;
    return points;
}

FitResult fitTitration(const Simulation& sim, const std::vector<PastedPair>& points,
                       const std::vector<FitValue>& freeValues) {
    if (!isTitration(sim.panel.study)) return refused(texts::kFitNotTitration.in(sim.language));
    if (points.empty()) return refused(texts::kFitNoPoints.in(sim.language));
    std::vector<FitValue> free;
    for (FitValue v : freeValues)
        if (fitValueField(sim.panel.study, v) != 0 &&
            std::find(free.begin(), free.end(), v) == free.end())
            free.push_back(v);
    if (free.empty()) return refused(texts::kFitNothingFree.in(sim.language));
    const int n = static_cast<int>(points.size());
    const int p = static_cast<int>(free.size());
    if (n < p + 1) return refused(texts::fitTooFewPoints(n, p, sim.language));

    Model model(sim, free, points);
    Eigen::VectorXd x = model.start();
    LeastSquares functor{model};
    Eigen::LevenbergMarquardt<LeastSquares> lm(functor);
    lm.parameters.maxfev = kMaxFitEvaluations;
    lm.parameters.xtol = 1e-12;
    lm.parameters.ftol = 1e-14;
    lm.minimize(x);
    if (!x.allFinite()) return refused(texts::kFitFailed.in(sim.language));

    const ChemicalState fitted = model.stateFor(x);
    const Eigen::VectorXd r = model.residuals(x);
    if (!r.allFinite()) return refused(texts::kFitFailed.in(sim.language));
    if (std::any_of(free.begin(), free.end(), isConcentration)) {
        double low = points.front().volume, high = low;
        for (const PastedPair& pt : points) {
            low = std::min(low, pt.volume);
            high = std::max(high, pt.volume);
        }
        const std::vector<double> eq = model.equivalences(fitted);
        if (std::none_of(eq.begin(), eq.end(), [&](double v) { return v > low && v < high; }))
            return refused(texts::kFitNoEquivalence.in(sim.language));
    }

    // Uncertainties in the values as typed: concentrations through d(C)/d(log10 C) = C ln 10;
    // a working pK moves one for one with the typed one.
    Eigen::MatrixXd J = model.jacobian(x);
    Eigen::VectorXd toTyped(p);
    for (int j = 0; j < p; ++j)
        toTyped[j] = isConcentration(free[j])
                         ? Model::concentrationOf(fitted, free[j]) * std::log(10.0)
                         : 1.0;
    const double dof = n - p;
    const double s2 = r.squaredNorm() / dof;
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(J, Eigen::ComputeFullV);
    const Eigen::VectorXd sv = svd.singularValues();
    // A value that moves the computed pH by less than a millionth per unit (of pK, or of
    // log10 of a concentration) is not determined by the points; nor are values whose effects
    // the points cannot tell apart.
    if (sv.size() < p || !(sv[p - 1] > 1e-6) || !(sv[p - 1] > 1e-10 * sv[0]))
        return refused(texts::kFitUndetermined.in(sim.language));
    const Eigen::MatrixXd V = svd.matrixV();
    Eigen::MatrixXd covariance = V * sv.cwiseInverse().cwiseAbs2().asDiagonal() * V.transpose();
    covariance *= s2;

    FitResult result;
    for (int j = 0; j < p; ++j) {
        FittedValue fv;
        fv.which = free[j];
        fv.field = fitValueField(sim.panel.study, free[j]);
        fv.value = isConcentration(free[j])
                       ? Model::concentrationOf(fitted, free[j])
                       : typedPK(model.side(), clampWorkingPK(model.side(), x[j]));
        fv.uncertainty = std::sqrt(std::max(0.0, covariance(j, j))) * toTyped[j];
        if (!std::isfinite(fv.value) || !std::isfinite(fv.uncertainty))
            return refused(texts::kFitFailed.in(sim.language));
        result.values.push_back(fv);
    }
    result.ok = true;
    result.residualDeviation = std::sqrt(s2);
    result.pointsUsed = n;
    for (int i = 0; i < n; ++i) result.residuals.push_back({points[i].volume, r[i]});
    result.evaluations = model.evaluations();
    result.volumeFactor = model.volumeFactor();
    return result;
}

std::string fitValueCaption(FitValue v, Language language) {
    return texts::kFitCaptions[static_cast<int>(v)].in(language);
}

void applyFit(Simulation& sim, const FitResult& result) {
    if (!result.ok) return;
    for (const FittedValue& v : result.values)
        if (!std::isfinite(v.value)) return;
    for (const FittedValue& v : result.values)
        if (v.field >= 1 && v.field <= 16) sim.panel.text[v.field] = formatGeneral(v.value, 6, '.');
}

} // namespace titralab
