#include "core/chemistry/Conductivity.h"

#include "core/chemistry/Database.h"

#include <algorithm>

namespace titralab {

ConductivityAvailability UpdateConductivityAvailability(const ChemicalState& s) {
    ConductivityAvailability result;
    result.available = true;
    if (s.side == BuretteSide::BaseSide) {
        result.available = false;
        return result;
    }
    auto& lambda = result.conductivities;
    lambda[0] = s.baseKind == BaseKind::Soda ? ionConstants.sodium : ionConstants.potassium;
    lambda[5] = ionConstants.hydronium;
    lambda[6] = ionConstants.hydroxide;
    auto known = [&lambda](int from, int to) {
        return std::none_of(lambda.begin() + from, lambda.begin() + to,
                            [](double x) { return x == -1; });
    };
    switch (s.study) {
    case Study::TitrationVsVolume:
    case Study::SpeciesVsPH: {
        const auto& e = entryOf(BuretteSide::AcidSide, s.row1);
        std::copy(e.conductivities.begin(), e.conductivities.end(), lambda.begin() + 1);
        result.available = known(1, 5);
        break;
    }
    case Study::TwoMonoTitration: {
        const auto& e1 = entryOf(BuretteSide::AcidSide, s.row1);
        const auto& e2 = entryOf(BuretteSide::AcidSide, s.row2);
        lambda[1] = e1.conductivities[0];
        lambda[2] = e1.conductivities[1];
        lambda[3] = e2.conductivities[0];
        lambda[4] = e2.conductivities[1];
        result.available = known(1, 5);
        break;
    }
    default:
        break;
    }
    return result;
}

double conductivity(const ChemicalState& s, double h, double v,
                    const std::array<double, 4>& species, const std::array<bool, 4>& present,
                    bool dilutionTicked) {
    const auto& lambda = s.conductivities;
    const bool twoMono = s.study == Study::TwoMonoTitration;
    const double v0 = twoMono ? s.vol1 + s.vol2 : s.vol1;
    double sigma = lambda[5] * h + lambda[6] * (waterProduct / h);
    for (int j = 0; j < 4; ++j)
        if (present[j]) sigma += lambda[j + 1] * species[j];
    sigma += lambda[0] * s.titrantConc * v / (v + v0);
    if (s.study == Study::TitrationVsVolume || twoMono) {
        const double f = dilutionTicked ? 1 : (v0 + v) / v0;
        sigma *= f;
    }
    return sigma;
}

} // namespace titralab
