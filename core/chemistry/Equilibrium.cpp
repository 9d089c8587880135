#include "core/chemistry/Equilibrium.h"

#include <cmath>

namespace titralab {

bool conductivityKnown(const Solution& solution) {
    for (const Solute& s : solution.solutes) {
        if (!(s.concentration > 0)) continue;
        if (s.kind == SoluteKind::Spectator) {
            if (spectatorIonData(s.ion).conductivity < 0) return false;
            continue;
        }
        for (int form = 0; form <= s.system.acidities(); ++form)
            if (s.system.conductivity(form) < 0) return false;
    }
    return true;
}

EquilibriumState mixtureState(const ChargeBalance& balance, const Solution& beaker,
                              const Solution& added, double v, double pH) {
    EquilibriumState state;
    const double v0 = balance.beakerVolume();
    const double addedVolume = v > 0 ? v : 0;
    const double total = v0 + addedVolume;
    const long double h = std::pow(10.0L, -static_cast<long double>(pH));
    state.pH = pH;
    state.hydronium = static_cast<double>(h);
    state.hydroxide = static_cast<double>(waterProduct / h);
    auto diluted = [&](const Solution& solution, double volume, std::vector<SoluteState>& out) {
        for (const Solute& s : solution.solutes) {
            SoluteState st;
            st.concentration = s.concentration > 0 ? s.concentration * (volume / total) : 0;
            if (s.kind == SoluteKind::System)
                st.forms.assign(static_cast<std::size_t>(s.system.acidities()) + 1, 0.0);
            out.push_back(std::move(st));
        }
    };
    diluted(beaker, v0, state.beaker);
    diluted(added, addedVolume, state.added);
    const auto& systems = balance.systems();
    for (std::size_t i = 0; i < systems.size(); ++i) {
        auto& st = (systems[i].added ? state.added : state.beaker)[systems[i].solute];
        const std::vector<double> f = balance.fractions(static_cast<int>(i), h);
        for (std::size_t j = 0; j < f.size(); ++j) st.forms[j] = st.concentration * f[j];
    }

    state.conductivityKnown =
        conductivityKnown(beaker) && (addedVolume == 0 || conductivityKnown(added));
    if (state.conductivityKnown) {
        // λ° in mS·m²/mol times mol/L gives S/m.
        double sigma =
            hydroniumConductivity() * state.hydronium + hydroxideConductivity() * state.hydroxide;
        auto add = [&](const Solution& solution, const std::vector<SoluteState>& states) {
            for (std::size_t i = 0; i < solution.solutes.size(); ++i) {
                const Solute& s = solution.solutes[i];
                if (!(states[i].concentration > 0)) continue;
                if (s.kind == SoluteKind::Spectator) {
                    sigma += spectatorIonData(s.ion).conductivity * states[i].concentration;
                    continue;
                }
                for (std::size_t j = 0; j < states[i].forms.size(); ++j)
                    sigma += s.system.conductivity(static_cast<int>(j)) * states[i].forms[j];
            }
        };
        add(beaker, state.beaker);
        add(added, state.added);
        state.conductivity = sigma;
    }
    return state;
}

std::vector<double> formsAtPH(const AcidBaseSystem& system, double concentration, double pH) {
    const ChargeBalance balance(Solution{{systemSolute(system, 1)}});
    std::vector<double> forms =
        balance.fractions(0, std::pow(10.0L, -static_cast<long double>(pH)));
    for (double& f : forms) f *= concentration;
    return forms;
}

EquilibriumState equilibriumOf(const Solution& solution) {
    const ChargeBalance balance(solution);
    return mixtureState(balance, solution, Solution{}, 0, balance.solvePH(0));
}

} // namespace titralab
