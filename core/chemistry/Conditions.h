// The conditions a solution is computed in: its temperature and whether ions are taken at
// their activities (Davies) or as ideal. The defaults, ideal at 25 °C, give every number as the
// program has always computed it, to the last bit.
#pragma once

#include "core/chemistry/Solution.h"

#include <vector>

namespace titralab {

enum class ActivityModel { None, Davies };

constexpr double kStandardTemperature = 25;     // °C
constexpr double kMinTemperature = 0;           // °C
constexpr double kMaxTemperature = 60;          // °C
constexpr double kDaviesMaxIonicStrength = 0.5; // mol/L: the Davies equation holds below

struct Conditions {
    double temperature{kStandardTemperature}; // °C, within [kMinTemperature, kMaxTemperature]
    ActivityModel activities{ActivityModel::None};

    bool ideal() const { return activities == ActivityModel::None; }
    bool standard() const { return ideal() && temperature == kStandardTemperature; }
    bool operator==(const Conditions& o) const {
        return temperature == o.temperature && activities == o.activities;
    }
    bool operator!=(const Conditions& o) const { return !(*this == o); }
};

// A temperature within [kMinTemperature, kMaxTemperature]; one that is no number is 25 °C.
double clampedTemperature(double celsius);

// The ionic product of water Kw at a temperature (°C), and its pKw. At 25 °C it is the
// program's 1e-14 exactly.
double waterProductAt(double celsius);
double waterPKAt(double celsius);

// The constant A of the Davies equation at a temperature (°C), for log10 γ in mol/L.
double daviesA(double celsius);
// log10 γ of an ion of charge z at ionic strength I (mol/L) by the Davies equation,
// -A z² (√I/(1+√I) - 0.3 I).
double daviesLogGamma(int charge, double ionicStrength, double a);

// The pKa of an acidity at a temperature (°C) by the van 't Hoff equation from its standard
// enthalpy of reaction ΔH° (kJ/mol, taken as constant over the range); the pKa itself at 25 °C.
double pKaAt(double pKa25, double enthalpy, double celsius);

// The solutes at a temperature: every system with the pKa at that temperature, where its ΔH°
// are all known.
struct SolutionAtTemperature {
    Solution solution{};
    // The indices of the systems that keep their pKa of 25 °C, for want of a ΔH° for one of
    // their acidities (none at 25 °C).
    std::vector<int> keptAt25{};
};
SolutionAtTemperature solutionAt(const Solution& solution, double celsius);

} // namespace titralab
