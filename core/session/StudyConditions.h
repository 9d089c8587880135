// The studies in given conditions (activities, temperature): the table a study computed, its
// numbers solved again by the general engine with the study's beaker and burette as solutions.
// The studies' own closed forms hold only for ideal solutions at 25 °C.
#pragma once

#include "core/base/Notifier.h"
#include "core/chemistry/Conditions.h"
#include "core/session/Simulation.h"

#include <string>
#include <vector>

namespace titralab {

// Solves the table of the last regeneration again in `conditions`, keeping its shape: the
// rows where the study put them (its pH when sampled by pH, the volume then found by the
// engine; its volume when sampled by volume; -log c in the dilution study), the same columns
// (volume, pH, cH, the species, the conductivity, dpH/dV), the species reported as the study
// reports them (undiluted when its dilution box is not ticked). The note line says which
// conditions. Returns a refusal (empty when done): the species and mixture studies are
// refused, their tables standing on a pH no titration of theirs need reach.
std::string applyConditionsToTable(Simulation& sim, const Conditions& conditions);

// The study at several temperatures (°C), in the simulation's activities, as one table: the
// regular volumes of its table by volume (-log c in the dilution study) and one pH column per
// temperature headed "Température (°C) = T", CR line ends; the note line says the activities.
// Empty with the refusal when the study has none (species, mixture).
struct TemperatureTable {
    std::string text;
    std::string refusal;
};
TemperatureTable temperatureTable(const Simulation& sim, const std::vector<double>& temperatures,
                                  Notifier& notifier);

} // namespace titralab
