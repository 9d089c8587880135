// The texts of the conditions of a solution: its temperature and the activities of its ions,
// for the panel, the chart, the copied table and the tool.
#pragma once

#include "core/base/Language.h"

namespace titralab::texts {

inline constexpr Text kActivitiesDavies{"Activités (Davies)", "Activities (Davies)"};
inline constexpr Text kTemperatureCelsius{"Température (°C)", "Temperature (°C)"};
// Beside a curve's name or in a table's heading.
inline constexpr Text kWithActivities{"avec activités", "with activities"};
inline constexpr Text kWithoutActivities{"sans activités", "without activities"};
// Why the species and mixture studies ignore the conditions.
inline constexpr Text kIdealStudiesOnly{
    "Les études des espèces et du mélange sont calculées en solution idéale à 25 °C.",
    "The species and mixture studies are computed for ideal solutions at 25 °C."};
// Between the least and the greatest ionic strength of a table: "I = 0,01 à 0,1 mol/L".
inline constexpr Text kStrengthRangeTo{" à ", " to "};
inline constexpr Text kIonicStrength{"force ionique (mol/L)", "ionic strength (mol/L)"};
// Said once when the ionic strength of a point passes 0.5 mol/L.
inline constexpr Text kBeyondDavies{
    "Force ionique au-delà de 0,5 mol/L : l'équation de Davies sort de son domaine ; calcul "
    "fait malgré tout.",
    "Ionic strength above 0.5 mol/L: the Davies equation is out of its range; computed "
    "anyway."};
// Followed by the names of the solutes whose pKa stay as at 25 °C.
inline constexpr Text kPKaKeptAt25{"pKa gardés à 25 °C (enthalpie de réaction inconnue) : ",
                                   "pKa kept at 25 °C (enthalpy of reaction unknown): "};
// What a study file's temperature must be.
inline constexpr Text kExpectedTemperature{"un nombre de 0 à 60 (°C)",
                                           "a number from 0 to 60 (°C)"};
// Under a conductivity column at another temperature than 25 °C.
inline constexpr Text kConductivityAt25{"conductivité calculée avec les λ° de 25 °C",
                                        "conductivity computed with the λ° of 25 °C"};

} // namespace titralab::texts
