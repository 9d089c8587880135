#include "core/curves/Fit.h"

#include "core/curves/FitModel.h"
#include "core/texts/StudyTexts.h"

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
        settled = restartOnTheJump(model, functor, points, start, x) || settled;

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
        if (!spansOneOf(points, model.equivalences(fitted)))
            return failed(texts::kFitNoEquivalence.in(language));
    }

    // Uncertainties in the values as typed: concentrations through d(C)/d(log10 C) = C ln 10;
    // a working pK moves one for one with the typed one.
    Eigen::VectorXd toTyped(p);
    for (int j = 0; j < p; ++j)
        toTyped[j] = isConcentration(free[j])
                         ? Model::concentrationOf(fitted, free[j]) * std::log(10.0)
                         : 1.0;
    const std::optional<Covariance> covariance = covarianceAt(model, x, r, dof, toTyped);
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
    result.equivalences =
        fittedEquivalences(model, fitted, x, p, covariance->matrix, kParameterStep);
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
