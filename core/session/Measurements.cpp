#include "core/session/Measurements.h"

#include "core/curves/Equivalence.h"
#include "core/curves/PastedPoints.h"
#include "core/numbers/NumberFormat.h"
#include "core/texts/MeasurementTexts.h"

#include <algorithm>

namespace titralab {

namespace {

// An acid whose pKa is below that of H3O+ is levelled by water: it titrates as a strong one.
constexpr double kStrongBelowPK = 0;

} // namespace

void importIntoSimulation(Simulation& sim, const sheets::ImportedMeasurements& imported) {
    // Millilitres keep the numbers short and exact enough: 15 digits of a volume under 100 mL.
    std::vector<std::string> lines;
    for (const PastedPair& p : imported.pH)
        lines.push_back(formatGeneral(p.volume * 1000, 15) + '\t' + formatGeneral(p.pH, 15));
    sim.pasted.volumeFirst = true;
    sim.pasted.lines = std::move(lines);
    sim.pasted.inMillilitres = true;
    sim.pasted.points.clear();
    sim.graph.checked[kPastedBox - 1] = !sim.pasted.lines.empty();
    sim.pasted.conductivity = imported.conductivity;
    markStudyChanged(sim);
}

std::string chosenColumnsText(const sheets::MeasurementTable& table,
                              const sheets::ColumnChoice& choice, Language language) {
    std::string s = texts::kColumnsChosen.in(language);
    bool first = true;
    const auto column = [&](const Text& quantity, int j) {
        if (j < 0 || j >= static_cast<int>(table.columns.size())) return;
        if (!first) s += ", ";
        first = false;
        s += std::string(quantity.in(language)) + " = " + std::to_string(j + 1) + " (" +
             table.columns[j].name + ")";
    };
    column(texts::kColumnVolume, choice.volume);
    column(texts::kColumnPH, choice.pH);
    column(texts::kColumnConductivity, choice.conductivity);
    return s;
}

std::vector<PastedPair> measuredPHPoints(const Simulation& sim) {
    std::vector<PastedPair> points = ReadPastedPoints(sim.pasted.lines, sim.pasted.volumeFirst);
    if (sim.pasted.inMillilitres)
        for (PastedPair& p : points) p.volume /= 1000;
    return points;
}

GranSetup granSetupOf(const ChemicalState& state) {
    GranSetup setup;
    setup.beakerVolume =
        state.study == Study::TwoMonoTitration ? state.vol1 + state.vol2 : state.vol1;
    setup.weakBeaker = state.pK1[0] > kStrongBelowPK;
    setup.baseSide = state.side == BuretteSide::BaseSide;
    setup.pKe = waterPK;
    setup.titrantConcentration = state.titrantConc;
    return setup;
}

int conductimetricBreaks(const ChemicalState& state) {
    const int equivalences = static_cast<int>(equivalenceVolumes(state).size());
    return std::clamp(equivalences, 1, 2);
}

std::optional<std::vector<EquivalenceMethod>> parseEquivalenceMethods(std::string_view word) {
    using M = EquivalenceMethod;
    if (word == "all") return std::vector{M::Derivative, M::Tangents, M::Gran, M::Conductimetric};
    for (M method : {M::Derivative, M::Tangents, M::Gran, M::Conductimetric})
        if (word == equivalenceMethodWord(method)) return std::vector{method};
    return std::nullopt;
}

const char* equivalenceMethodWord(EquivalenceMethod method) {
    switch (method) {
    case EquivalenceMethod::Derivative:
        return "derivative";
    case EquivalenceMethod::Tangents:
        return "tangents";
    case EquivalenceMethod::Gran:
        return "gran";
    case EquivalenceMethod::Conductimetric:
        return "conductimetric";
    }
    return "";
}

std::vector<MethodEquivalence> measuredEquivalences(const Simulation& sim,
                                                    const std::vector<EquivalenceMethod>& methods) {
    std::vector<MethodEquivalence> found;
    const std::vector<PastedPair> points = measuredPHPoints(sim);
    for (EquivalenceMethod method : methods) {
        std::vector<MeasuredEquivalence> equivalences;
        switch (method) {
        case EquivalenceMethod::Derivative:
            equivalences = derivativeMethod(points, kMeasuredSmoothing).equivalences;
            break;
        case EquivalenceMethod::Tangents:
            equivalences = tangentMethod(points).equivalences;
            break;
        case EquivalenceMethod::Gran:
            equivalences = granMethod(points, granSetupOf(sim.state)).equivalences;
            break;
        case EquivalenceMethod::Conductimetric:
            equivalences =
                conductimetricMethod(sim.pasted.conductivity, conductimetricBreaks(sim.state),
                                     granSetupOf(sim.state).beakerVolume)
                    .equivalences;
            break;
        }
        for (const MeasuredEquivalence& e : equivalences) found.push_back({method, e});
    }
    return found;
}

} // namespace titralab
