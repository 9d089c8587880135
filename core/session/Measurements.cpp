#include "core/session/Measurements.h"

#include "core/curves/Equivalence.h"
#include "core/curves/PastedPoints.h"
#include "core/numbers/NumberFormat.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/ReadingTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace titralab {

namespace {

// An acid whose pKa is below that of H3O+ is levelled by water: it titrates as a strong one.
constexpr double kStrongBelowPK = 0;

const Text& methodName(EquivalenceMethod method) {
    switch (method) {
    case EquivalenceMethod::Derivative:
        return texts::kMethodDerivative;
    case EquivalenceMethod::Tangents:
        return texts::kMethodTangents;
    case EquivalenceMethod::Gran:
        return texts::kMethodGran;
    case EquivalenceMethod::Conductimetric:
        break;
    }
    return texts::kMethodConductimetric;
}

// The decimals that show `uncertainty` to one significant digit, two when that digit is 1.
int decimalsOf(double uncertainty) {
    if (!(uncertainty > 0) || !std::isfinite(uncertainty)) return 2;
    const int first = static_cast<int>(std::floor(std::log10(uncertainty)));
    const double leading = uncertainty / std::pow(10.0, first);
    return std::clamp(-first + (leading < 1.95 ? 1 : 0), 0, 12);
}

std::string fixed(double x, int decimals, char separator) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
    std::string text(buffer, end.ptr);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

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
    sim.pasted.granBefore.reset();
    sim.pasted.granAfter.reset();
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

GranSetup granSetupOf(const Simulation& sim) {
    GranSetup setup = granSetupOf(sim.state);
    setup.beforeRange = sim.pasted.granBefore;
    setup.afterRange = sim.pasted.granAfter;
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
            equivalences = derivativeMethod(points, sim.pasted.smoothing).equivalences;
            break;
        case EquivalenceMethod::Tangents:
            equivalences = tangentMethod(points).equivalences;
            break;
        case EquivalenceMethod::Gran:
            equivalences = granMethod(points, granSetupOf(sim)).equivalences;
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

namespace {

// "Mesures — dérivée : V_E = 10,02 ± 0,05 mL": `heading`, the method, the volume and its
// uncertainty in the chart's unit, numbered when the study has several equivalences.
std::string equivalenceLine(const Simulation& sim, const Text& heading, const std::string& method,
                            int number, double volume, double uncertainty) {
    const Language language = sim.language;
    const ChemicalState& s = sim.state;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    const std::string unit =
        (s.volumesInMillilitres ? texts::kParticularUnit : texts::kParticularUnitLitres)
            .in(language);
    const bool numbered = equivalenceVolumes(s).size() > 1;
    const double u = uncertainty * s.volumeFactor;
    const int decimals = decimalsOf(u);
    return std::string(heading.in(language)) + method + kColon.in(language) + "V_E" +
           (numbered ? std::to_string(number) : std::string()) + " = " +
           fixed(volume * s.volumeFactor, decimals, separator) + " ± " +
           fixed(u, decimals, separator) + " " + unit;
}

} // namespace

std::vector<std::string> measuredEquivalenceLines(const Simulation& sim) {
    std::vector<EquivalenceMethod> methods;
    if (!sim.pasted.lines.empty())
        methods = {EquivalenceMethod::Derivative, EquivalenceMethod::Tangents,
                   EquivalenceMethod::Gran};
    if (!sim.pasted.conductivity.empty()) methods.push_back(EquivalenceMethod::Conductimetric);
    const Language language = sim.language;
    std::vector<std::string> lines;
    const auto line = [&](const std::string& method, const MeasuredEquivalence& e) {
        lines.push_back(
            equivalenceLine(sim, texts::kMeasuredLine, method, e.number, e.volume, e.uncertainty));
    };
    for (const EquivalenceMethod method : methods) {
        const std::string name = methodName(method).in(language);
        if (method != EquivalenceMethod::Gran) {
            for (const MethodEquivalence& m : measuredEquivalences(sim, {method}))
                line(name, m.equivalence);
            continue;
        }
        // Gran's two lines, named by the side of the jump they are fitted on.
        const GranReading gran = granMethod(measuredPHPoints(sim), granSetupOf(sim));
        if (gran.before.equivalence)
            line(name + texts::kGranBefore.in(language), *gran.before.equivalence);
        if (gran.after.equivalence)
            line(name + texts::kGranAfter.in(language), *gran.after.equivalence);
    }
    return lines;
}

std::string copiedMeasuredEquivalences(const Simulation& sim) {
    std::string out;
    if (!titrationOf(sim.state.study)) return out;
    const std::vector<std::string> lines = measuredEquivalenceLines(sim);
    if (lines.empty()) return out;
    out += '\r';
    out += texts::kMeasuredEquivalences.in(sim.language);
    out += '\r';
    for (const std::string& line : lines) out += line + '\r';
    return out;
}

MeasuredSpreads measuredSpreads(const Simulation& sim, const MonteCarloSetup& setup,
                                const std::function<bool(int, int)>& progress) {
    MeasuredSpreads result;
    result.draws = setup.draws;
    const std::vector<PastedPair> points = measuredPHPoints(sim);
    if (!titrationOf(sim.state.study) || points.empty()) return result;
    const GranSetup gran = granSetupOf(sim);
    // Gran's two lines apart, so that each draw's equivalence is compared with its own line's.
    const auto granLine = [gran](bool after) -> PHMethod {
        return [gran, after](const std::vector<PastedPair>& p) {
            const GranReading reading = granMethod(p, gran);
            const auto& e = after ? reading.after.equivalence : reading.before.equivalence;
            return e ? std::vector{*e} : std::vector<MeasuredEquivalence>{};
        };
    };
    struct Run {
        EquivalenceMethod method;
        bool granAfter;
        PHMethod run;
    };
    const std::vector<Run> methods{
        {EquivalenceMethod::Derivative, false,
         [window = sim.pasted.smoothing](const std::vector<PastedPair>& p) {
             return derivativeMethod(p, window).equivalences;
         }},
        {EquivalenceMethod::Tangents, false,
         [](const std::vector<PastedPair>& p) { return tangentMethod(p).equivalences; }},
        {EquivalenceMethod::Gran, false, granLine(false)},
        {EquivalenceMethod::Gran, true, granLine(true)},
    };
    const int total = static_cast<int>(methods.size()) * setup.draws;
    for (std::size_t k = 0; k < methods.size(); ++k) {
        const int before = static_cast<int>(k) * setup.draws;
        const auto step = [&](int done, int) {
            return !progress || progress(before + done, total);
        };
        const MonteCarloReading reading = monteCarlo(methods[k].run, points, setup, step);
        for (const MonteCarloSpread& spread : reading.spreads)
            result.spreads.push_back({methods[k].method, spread, methods[k].granAfter});
        if (reading.cancelled) {
            result.cancelled = true;
            break;
        }
    }
    return result;
}

std::vector<std::string> spreadLines(const Simulation& sim, const MeasuredSpreads& spreads) {
    std::vector<std::string> lines;
    const Language language = sim.language;
    for (const MethodSpread& m : spreads.spreads) {
        if (m.spread.found == 0) continue;
        std::string name = methodName(m.method).in(language);
        if (m.method == EquivalenceMethod::Gran)
            name += (m.granAfter ? texts::kGranAfter : texts::kGranBefore).in(language);
        lines.push_back(equivalenceLine(sim, texts::kMonteCarloLine, name, m.spread.number,
                                        m.spread.mean, m.spread.spread) +
                        " (" + std::to_string(m.spread.found) + texts::kDraws.in(language) + ")");
    }
    if (spreads.cancelled) lines.push_back(texts::kMonteCarloCancelled.in(language));
    return lines;
}

std::vector<CurvePoint> drawnMeasuredConductivities(const Simulation& sim) {
    std::vector<CurvePoint> drawn;
    if (!titrationOf(sim.state.study) || sim.results.curves[kConductivityBox].empty()) return drawn;
    for (const sheets::ConductivityPoint& p : sim.pasted.conductivity)
        drawn.push_back(
            {p.volume * sim.state.volumeFactor, p.conductivity * sim.results.conductivityScale});
    return drawn;
}

std::string copiedMeasuredConductivities(const Simulation& sim) {
    std::string out;
    if (!titrationOf(sim.state.study) || sim.pasted.conductivity.empty()) return out;
    const auto number = [&sim](double x) {
        return FormatValue(x, sim.exportSettings.decimalComma, sim.exportSettings.digits);
    };
    out += '\r';
    out += texts::kMeasuredConductivities.in(sim.language);
    out += '\r';
    out += texts::kMeasuredConductivityColumns.in(sim.language);
    out += '\r';
    for (const sheets::ConductivityPoint& p : sim.pasted.conductivity)
        out += number(p.volume) + '\t' + number(p.conductivity) + '\r';
    return out;
}

std::vector<DrawnSegment> drawnTangentConstruction(const Simulation& sim) {
    std::vector<DrawnSegment> segments;
    if (!titrationOf(sim.state.study) || sim.pasted.lines.empty()) return segments;
    const double f = sim.state.volumeFactor;
    for (const TangentConstruction& c : tangentMethod(measuredPHPoints(sim)).constructions)
        for (const ConstructionLine* line : {&c.before, &c.after, &c.middle})
            segments.push_back({CurvePoint{line->from * f, line->at(line->from)},
                                CurvePoint{line->to * f, line->at(line->to)}});
    return segments;
}

std::vector<CurvePoint> drawnMeasuredDerivative(const Simulation& sim) {
    std::vector<CurvePoint> drawn;
    if (!titrationOf(sim.state.study) || sim.pasted.lines.empty()) return drawn;
    const DerivativeReading reading = derivativeMethod(measuredPHPoints(sim), sim.pasted.smoothing);
    double largest = 0;
    for (const auto& [v, d] : reading.derivative)
        if (std::isfinite(d)) largest = std::max(largest, std::abs(d));
    if (!(largest > 0)) return drawn;
    const double scale = kMeasuredDerivativeTop / largest;
    for (const auto& [v, d] : reading.derivative)
        if (std::isfinite(d)) drawn.push_back({v * sim.state.volumeFactor, d * scale});
    return drawn;
}

std::vector<DrawnSegment> drawnConductimetricLines(const Simulation& sim) {
    std::vector<DrawnSegment> segments;
    if (drawnMeasuredConductivities(sim).empty()) return segments;
    const double v0 = granSetupOf(sim.state).beakerVolume;
    const ConductimetricReading reading =
        conductimetricMethod(sim.pasted.conductivity, conductimetricBreaks(sim.state), v0);
    const double f = sim.state.volumeFactor, scale = sim.results.conductivityScale;
    // Each line is drawn as a chain of short segments: dilution makes it slightly curved once
    // brought back to the measured conductivities.
    constexpr int kPieces = 8;
    for (const ConstructionLine& line : reading.lines)
        for (int k = 0; k < kPieces; ++k) {
            const double a = line.from + (line.to - line.from) * k / kPieces;
            const double b = line.from + (line.to - line.from) * (k + 1) / kPieces;
            segments.push_back(
                {CurvePoint{a * f, conductimetricLineAt(reading, line, v0, a) * scale},
                 CurvePoint{b * f, conductimetricLineAt(reading, line, v0, b) * scale}});
        }
    return segments;
}

} // namespace titralab
