#include "core/session/ChartReading.h"
#include "core/session/StudyConditions.h"

#include "core/chemistry/Conductivity.h"
#include "core/numbers/NumberFormat.h"
#include "core/texts/ReadingTexts.h"

#include <charconv>
#include <cmath>

namespace titralab {

void UpdateChartReading(Simulation& sim) {
    ChartReading& r = sim.reading;
    r.points.clear();
    const bool wanted = r.options.equivalences || r.options.indicator >= 0;
    if (wanted && titrationOf(sim.state.study) && !sim.results.curves[1].empty())
        r.points = readEquivalences(sim.state);
}

std::string copiedPointLines(const Simulation& sim) {
    std::string out;
    const auto& points = sim.reading.points;
    if (points.empty()) return out;
    const Language language = sim.language;
    auto number = [&sim](double x) { return FormatValue(x, sim.exportSettings.decimalComma, sim.exportSettings.digits); };
    out += '\r';
    out += texts::kCopiedHeader.in(language);
    out += '\r';
    out += std::string(texts::kPointColumn.in(language)) + '\t' +
           texts::kVolumeColumn.in(language) + '\t' + texts::kPHColumn.in(language) + '\r';
    auto line = [&](PointKind kind, int k, const CurvePlace& p) {
        out += pointLabel(kind, k, language) + '\t' + number(p.volume) + '\t' + number(p.pH) + '\r';
    };
    for (const EquivalenceReading& p : points) {
        line(PointKind::Half, p.number, p.half);
        if (p.inflection) line(PointKind::Inflection, p.number, *p.inflection);
        line(PointKind::Equivalence, p.number, p.equivalence);
    }
    return out;
}

std::optional<ExactPoint> exactPointAt(const Simulation& sim, double drawnVolume) {
    const ChemicalState& s = sim.state;
    if (s.study == Study::FreeSolutions) return freeExactPointAt(sim, drawnVolume);
    const std::optional<Titration> t = titrationOf(s.study);
    if (!t || !(drawnVolume >= 0) || !std::isfinite(drawnVolume) || !(s.volumeFactor > 0))
        return std::nullopt;
    // On the curve drawn in other conditions, the general engine's point.
    if (!sim.conditions.standard() && sim.results.conditionsRefusal.empty())
        return conditionedPointAt(sim, drawnVolume / s.volumeFactor);
    ExactPoint p;
    p.volume = drawnVolume / s.volumeFactor;
    p.pH = exactPH(s, *t, p.volume);
    const double h = workingConcFromPH(s, p.pH);
    p.hydronium = pToConc(p.pH);
    const auto& labels = sim.results.speciesLabels;
    std::array<double, 4> species{};
    std::array<bool, 4> present{};
    if (*t == Titration::OneAcid) {
        const double c = s.conc1 * s.vol1 / (s.vol1 + p.volume);
        for (int k = 0; k < 4; ++k) {
            present[k] = sim.graph.isVisible(k + 2);
            if (!present[k]) continue;
            species[k] = speciesConc(s, k, h, c);
            p.species.emplace_back(labels[0][k], species[k]);
        }
    } else {
        const double total = s.vol1 + s.vol2 + p.volume;
        const double c1 = s.conc1 * s.vol1 / total, c2 = s.conc2 * s.vol2 / total;
        const int boxes[4] = {2, 3, 6, 7};
        for (int k = 0; k < 4; ++k) {
            present[k] = sim.graph.isVisible(boxes[k]);
            if (!present[k]) continue;
            species[k] = k < 2 ? speciesConc(s, k, h, c1) : speciesConc2(s, k - 2, h, c2);
            p.species.emplace_back(labels[k < 2 ? 0 : 1][k % 2], species[k]);
        }
    }
    if (s.conductivityAvailable)
        p.conductivity = conductivity(s, h, p.volume, species, present, true);
    return p;
}

namespace {

std::string unitOf(const ChemicalState& s, Language language) {
    return (s.volumesInMillilitres ? texts::kParticularUnit : texts::kParticularUnitLitres)
        .in(language);
}

char separatorOf(const Simulation& sim) {
    return sim.exportSettings.decimalComma ? ',' : '.';
}

// Two decimals and the chosen separator, whatever the process locale.
std::string twoDecimals(double x, char separator) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 2);
    std::string text(buffer, end.ptr);
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

} // namespace

std::string onCurveText(const Simulation& sim, const ExactPoint& p) {
    const Language language = sim.language;
    const char separator = separatorOf(sim);
    return texts::kOnCurve.in(language) +
           twoDecimals(p.volume * sim.state.volumeFactor, separator) + " " +
           unitOf(sim.state, language) + kSemicolon.in(language) +
           "pH = " + twoDecimals(p.pH, separator);
}

std::vector<std::string> particularPointLines(const Simulation& sim, const ExactPoint& p) {
    auto g = [separator = separatorOf(sim)](double x) { return formatGeneral(x, 4, separator); };
    std::vector<std::string> lines;
    lines.push_back("v = " + g(p.volume * sim.state.volumeFactor) + " " +
                    unitOf(sim.state, sim.language));
    lines.push_back("pH = " + g(p.pH));
    lines.push_back("[H3O+] = " + g(p.hydronium) + " mol/L");
    for (const auto& [name, c] : p.species) lines.push_back("[" + name + "] = " + g(c) + " mol/L");
    if (p.conductivity)
        lines.push_back(texts::kConductivityIs.in(sim.language) + g(*p.conductivity) + " S/m");
    return lines;
}

std::vector<std::string> resultLines(const Simulation& sim) {
    std::vector<std::string> lines;
    const ChemicalState& s = sim.state;
    const Language language = sim.language;
    const std::string unit = unitOf(s, language);
    const std::string colon = kColon.in(language), semicolon = kSemicolon.in(language);
    const char separator = separatorOf(sim);
    auto place = [&](PointKind kind, int k, const CurvePlace& p) {
        return pointLabel(kind, k, language) + colon +
               "v = " + twoDecimals(p.volume * s.volumeFactor, separator) + " " + unit + semicolon +
               "pH = " + twoDecimals(p.pH, separator);
    };
    const ColourIndicator* indicator = nullptr;
    if (sim.reading.options.indicator >= 0 &&
        sim.reading.options.indicator < static_cast<int>(colourIndicators().size()))
        indicator = &colourIndicators()[sim.reading.options.indicator];
    for (const EquivalenceReading& p : sim.reading.points) {
        lines.push_back(place(PointKind::Half, p.number, p.half));
        if (p.inflection) lines.push_back(place(PointKind::Inflection, p.number, *p.inflection));
        std::string e = place(PointKind::Equivalence, p.number, p.equivalence) + semicolon +
                        (p.usable ? texts::kJump : texts::kNoJump).in(language);
        if (indicator)
            e += semicolon + indicator->name.in(language) + colon +
                 verdictText(indicatorSuits(*indicator, p), language);
        lines.push_back(e);
    }
    return lines;
}
} // namespace titralab
