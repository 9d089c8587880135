// The fit of the simulation's study to its pasted measurements: the pure fit of
// core/curves/Fit.h fed with the simulation's panel, state, pasted points and language.
#pragma once

#include "core/curves/Fit.h"
#include "core/session/Simulation.h"

#include <vector>

namespace titralab {

inline std::vector<FitValue> fittableValues(const Simulation& sim) {
    return fittableValues(sim.panel);
}
inline std::vector<FitValue> defaultFreeValues(const Simulation& sim) {
    return defaultFreeValues(sim.panel);
}
inline FitPoints fitPointsOf(const Simulation& sim) {
    return fitPointsOf(sim.pasted.lines, sim.pasted.volumeFirst, sim.pasted.inMillilitres);
}
// In the simulation's conditions: with activities the pKa found are thermodynamic ones.
inline FitSettings inConditions(const Simulation& sim, FitSettings settings) {
    settings.conditions = sim.conditions;
    return settings;
}
inline FitResult fitTitration(const Simulation& sim, const std::vector<PastedPair>& points,
                              const std::vector<FitValue>& free, const FitSettings& settings = {}) {
    return fitTitration(sim.state, sim.panel, sim.language, points, free,
                        inConditions(sim, settings));
}
inline FitResult fitPastedPoints(const Simulation& sim, const std::vector<FitValue>& free,
                                 const FitSettings& settings = {}) {
    return fitPastedPoints(sim.state, sim.panel, sim.language, fitPointsOf(sim), free,
                           inConditions(sim, settings));
}
// Writes the fitted values into the panel with the simulation's decimal separator.
inline void applyFit(Simulation& sim, const FitResult& result) {
    applyFit(sim.panel, result, sim.exportSettings.decimalComma ? ',' : '.');
}

} // namespace titralab
