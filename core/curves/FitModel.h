// The model the fit minimises over, shared by the fit and the functions that list its values:
// how the fit's values are typed and worked with, and the study's pH at the measured volumes as
// a function of the free parameters.
#pragma once

#include "core/base/Notifier.h"
#include "core/chemistry/ConditionedBalance.h"
#include "core/chemistry/Diagrams.h"
#include "core/chemistry/Formulas.h"
#include "core/curves/Fit.h"
#include "core/curves/FitSteps.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/SimulationSetup.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace titralab::fitting {

inline constexpr double kMinConc = 1e-8; // mol/L, the set-up's bounds
inline constexpr double kMaxConc = 15;
// A pK at or above this (working scale) stands for an acidity the acid does not have.
inline constexpr double kAbsentWorkingPK = 20;
// Steps of the numerical partial derivatives of the closed-form volume function.
inline constexpr double kPHStep = 1e-6;
inline constexpr double kParameterStep = 1e-6; // in log10(C) or in pK

// The typed pK of a side's field and the working pK of the formulas, both ways: the only
// place that knows how the side's fields are typed.
inline double workingPK(BuretteSide side, double typed) {
    return side == BuretteSide::BaseSide ? workingPKOfBase(typed) : typed;
}
inline double typedPK(BuretteSide side, double working) {
    return side == BuretteSide::BaseSide ? pKaOfBase(working) : working;
}
// The working values the typed range allows (on the base side the order turns over).
inline double clampWorkingPK(BuretteSide side, double working) {
    const double a = workingPK(side, kMinPK);
    const double b = workingPK(side, kMaxPK);
    return std::clamp(working, std::min(a, b), std::max(a, b));
}

inline bool isConcentration(FitValue v) {
    return v == FitValue::C1 || v == FitValue::C2 || v == FitValue::Cb;
}

inline bool isTitration(Study s) {
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
    Model(const ChemicalState& state, const PanelFields& panel, Language language,
          std::vector<FitValue> free, std::vector<PastedPair> points, const FitSettings& settings)
        : m_free(std::move(free)), m_points(std::move(points)),
          m_weights(Eigen::VectorXd::Ones(static_cast<Eigen::Index>(m_points.size()))),
          m_settings(settings) {
        NullNotifier quiet;
        m_base = state;
        setUpSimulation(m_base, panel, quiet, language);
        m_study = panel.study;
        m_side = panel.side;
        for (int f : {4, 5, 6, 14, 15, 16})
            m_workingPK[f] =
                workingPK(m_side, ParseBoundedNumber(panel.text[f], kMinPK, kMaxPK).value);
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

    // In other conditions than ideal at 25 °C the pH at the points is the general engine's
    // (the ionic strength solved with it), and its derivatives in the values are numerical.
    bool conditioned() const { return !m_settings.conditions.standard(); }
    struct EnginePoints {
        std::vector<double> pH;    // at each point
        std::vector<double> slope; // dpH/dV per L, when asked
    };
    EnginePoints enginePoints(const ChemicalState& s, bool slopes) const {
        EnginePoints out{std::vector<double>(m_points.size(), NAN), {}};
        if (slopes) out.slope.assign(m_points.size(), NAN);
        const std::optional<FreeTitration> t = studyTitration(s);
        if (!t) return out;
        ConditionedBalance balance(t->beaker, t->beakerVolume, t->burette, m_settings.conditions);
        double guessPH = NAN, guessStrength = NAN;
        for (std::size_t i = 0; i < m_points.size(); ++i) {
            const ConditionedBalance::Point p =
                balance.solve(m_points[i].volume, guessPH, guessStrength);
            out.pH[i] = p.pH;
            if (slopes) out.slope[i] = balance.slope(m_points[i].volume, p);
            guessPH = p.pH;
            guessStrength = p.ionicStrength;
        }
        return out;
    }

    // Measured minus computed pH at every point.
    Eigen::VectorXd residuals(const Eigen::VectorXd& x) {
        ++m_evaluations;
        const ChemicalState s = stateFor(x);
        Eigen::VectorXd r(pointCount());
        if (conditioned()) {
            const std::vector<double> pH = enginePoints(s, false).pH;
            for (int i = 0; i < pointCount(); ++i) r[i] = m_points[i].pH - pH[i];
            return r;
        }
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
        const std::vector<double> engineSlopes =
            conditioned() ? enginePoints(s, true).slope : std::vector<double>{};
        for (int i = 0; i < pointCount(); ++i) {
            double slope = 0; // pH per L
            if (conditioned()) {
                slope = engineSlopes[static_cast<std::size_t>(i)];
            } else {
                const double p = pHAt(s, m_points[i].volume);
                const double dVdp =
                    (volumeAt(s, p + kPHStep) - volumeAt(s, p - kPHStep)) / (2 * kPHStep);
                slope = 1 / dVdp;
            }
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
        if (conditioned()) {
            for (int j = 0; j < parameterCount(); ++j) {
                Eigen::VectorXd xu = x, xd = x;
                xu[j] += kParameterStep;
                xd[j] -= kParameterStep;
                const std::vector<double> up = enginePoints(stateFor(xu), false).pH;
                const std::vector<double> down = enginePoints(stateFor(xd), false).pH;
                for (int i = 0; i < pointCount(); ++i) {
                    const auto k = static_cast<std::size_t>(i);
                    const double dpdx = (up[k] - down[k]) / (2 * kParameterStep);
                    J(i, j) = std::isfinite(dpdx) ? -dpdx : 0.0;
                }
            }
            return J;
        }
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

    // From `start`, the free concentrations moved so that the first equivalence is `ratio`
    // times farther: the acid's up, the titrant's down; with the acid's free too, the acid
    // alone moves.
    Eigen::VectorXd restartedOnJump(const Eigen::VectorXd& start, double ratio) const {
        const int p = parameterCount();
        Eigen::VectorXd again = start;
        for (int j = 0; j < p; ++j)
            if (isConcentration(m_free[j]))
                again[j] += std::log10(m_free[j] == FitValue::Cb ? 1 / ratio : ratio);
        if (std::find(m_free.begin(), m_free.end(), FitValue::Cb) != m_free.end() &&
            std::count_if(m_free.begin(), m_free.end(), isConcentration) > 1)
            for (int j = 0; j < p; ++j)
                if (m_free[j] == FitValue::Cb) again[j] = start[j];
        return again;
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

using LeastSquares = LeastSquaresOf<Model>;

} // namespace titralab::fitting
