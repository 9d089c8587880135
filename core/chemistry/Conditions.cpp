#include "core/chemistry/Conditions.h"

#include "core/chemistry/ChemicalState.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kGasConstant = 8.314462618e-3; // kJ/(mol·K)

// log10 Kw of the reaction H2O = H+ + OH- against T (K): the analytic expression of the
// PHREEQC database phreeqc.dat (Parkhurst and Appelo, USGS),
//   log K = A1 + A2 T + A3/T + A4 log10 T + A6 T²,
// which gives pKw 14.938 at 0 °C, 13.995 at 25 °C and 13.262 at 50 °C, as tabulated.
double analyticLogKw(double kelvin) {
    return 293.29227 + 0.1360833 * kelvin - 10576.913 / kelvin - 123.73158 * std::log10(kelvin) -
           6.996455e-5 * kelvin * kelvin;
}

// Relative permittivity of water against t (°C): Malmberg and Maryott, J. Res. NBS 56 (1956) 1.
double waterPermittivity(double celsius) {
    const double t = celsius;
    return 87.740 - 0.40008 * t + 9.398e-4 * t * t - 1.410e-6 * t * t * t;
}

// Density of air-free water at 1 atm against t (°C), g/cm³: Kell, J. Chem. Eng. Data 20
// (1975) 97.
double waterDensity(double celsius) {
    const double t = celsius;
    const double kgPerM3 =
        (999.83952 + 16.945176 * t - 7.9870401e-3 * t * t - 46.170461e-6 * t * t * t +
         105.56302e-9 * t * t * t * t - 280.54253e-12 * t * t * t * t * t) /
        (1 + 16.879850e-3 * t);
    return kgPerM3 / 1000;
}

} // namespace

double clampedTemperature(double celsius) {
    if (std::isnan(celsius)) return kStandardTemperature;
    return std::clamp(celsius, kMinTemperature, kMaxTemperature);
}

// The program takes pKw = 14 at 25 °C, as every study always did; away from 25 °C the
// analytic expression gives the change, pKw(T) = 14 + pKw_an(T) - pKw_an(25 °C), so that
// the curve against temperature is the published one shifted by 0.005.
double waterPKAt(double celsius) {
    const double t = clampedTemperature(celsius);
    if (t == kStandardTemperature) return waterPK;
    return waterPK - (analyticLogKw(t + kKelvin) - analyticLogKw(kStandardTemperature + kKelvin));
}

double waterProductAt(double celsius) {
    const double t = clampedTemperature(celsius);
    if (t == kStandardTemperature) return waterProduct;
    return std::pow(10.0, -waterPKAt(t));
}

// A = 1.82483e6 √ρ / (ε T)^(3/2) (Robinson and Stokes, Electrolyte Solutions), 0.5108 at 25 °C.
double daviesA(double celsius) {
    const double t = clampedTemperature(celsius);
    const double kelvin = t + kKelvin;
    return 1.82483e6 * std::sqrt(waterDensity(t)) / std::pow(waterPermittivity(t) * kelvin, 1.5);
}

double daviesLogGamma(int charge, double ionicStrength, double a) {
    const double i = ionicStrength > 0 ? ionicStrength : 0;
    const double root = std::sqrt(i);
    return -a * charge * charge * (root / (1 + root) - 0.3 * i);
}

// pKa(T) = pKa(25 °C) + ΔH° / (R ln 10) · (1/T - 1/298.15 K).
double pKaAt(double pKa25, double enthalpy, double celsius) {
    const double t = clampedTemperature(celsius);
    if (t == kStandardTemperature || !std::isfinite(enthalpy)) return pKa25;
    return pKa25 + enthalpy / (kGasConstant * std::log(10.0)) *
                       (1 / (t + kKelvin) - 1 / (kStandardTemperature + kKelvin));
}

SolutionAtTemperature solutionAt(const Solution& solution, double celsius) {
    SolutionAtTemperature out{solution, {}};
    const double t = clampedTemperature(celsius);
    if (t == kStandardTemperature) return out;
    for (std::size_t i = 0; i < out.solution.solutes.size(); ++i) {
        Solute& s = out.solution.solutes[i];
        if (s.kind != SoluteKind::System) continue;
        if (!s.system.enthalpiesKnown()) {
            out.keptAt25.push_back(static_cast<int>(i));
            continue;
        }
        for (std::size_t k = 0; k < s.system.pKa.size(); ++k)
            s.system.pKa[k] = pKaAt(s.system.pKa[k], s.system.enthalpy[k], t);
    }
    return out;
}

} // namespace titralab
