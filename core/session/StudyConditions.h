// The studies in given conditions (activities, temperature): the table a study computed, its
// numbers solved again by the general engine with the study's beaker and burette as solutions.
// The studies' own closed forms hold only for ideal solutions at 25 °C.
#pragma once

#include "core/base/Notifier.h"
#include "core/chemistry/Conditions.h"
#include "core/session/Simulation.h"

#include <optional>
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

// The study just regenerated, in the simulation's conditions when they are not ideal at 25 °C
// (RefreshSimulation runs it): the curves at the volumes the study drew them, the table as
// above, the ionic strength's range in the results, the chart's title saying the conditions;
// the readings of the closed forms go. The species and mixture studies stay as computed, ideal
// at 25 °C, and the results say why.
void applyConditions(Simulation& sim);

// The exact point of a titration study at `volume` (unit of vol1) in the simulation's
// conditions, the concentrations those of the mixture: what the cursor and the particular
// point read on the curve drawn in them.
std::optional<ExactPoint> conditionedPointAt(const Simulation& sim, double volume);

// The temperature field of the panel: the temperature a typed text gives (°C, a point or a
// comma as separator), none when it is no number from 0 to 60; the message refusing it; the
// temperature written as the field shows it.
std::optional<double> typedTemperature(const std::string& text);
std::string temperatureRefusal(Language language);
std::string formatTemperature(double celsius, char separator);

// What the panel says at another temperature than 25 °C of the solutes that keep their pKa of
// 25 °C for want of a ΔH° ("pKa gardés à 25 °C (...) : acide éthanoïque"); empty at 25 °C,
// and in the studies computed ideal at 25 °C.
std::string keptAt25Text(const Simulation& sim);

// What the status line says once after a regeneration in other conditions: the Davies
// equation out of its range, or why the study stays ideal at 25 °C; empty otherwise.
std::string conditionsStatus(const Simulation& sim);

// The conditions as the workbook's constants sheet and the printed constants say them, one
// line each: the temperature when not 25 °C, "avec activités (Davies)", the ionic strength's
// range of the last regeneration ("I = 0,05 à 0,1 mol/L"); none at the defaults or in the
// studies computed ideal at 25 °C.
std::vector<std::string> conditionsLines(const Simulation& sim);

// What a title adds in given conditions: "avec activités", the temperature when not 25 °C
// ("avec activités, 35 °C"); empty at the defaults.
std::string conditionsTitle(const Conditions& conditions, Language language);

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
