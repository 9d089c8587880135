#include "core/session/GranView.h"

#include "core/numbers/NumberFormat.h"
#include "core/session/Measurements.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/ReadingTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace titralab {

namespace {

const GranBranch& branchOf(const GranReading& reading, GranSide side) {
    return side == GranSide::Before ? reading.before : reading.after;
}

// "10⁻⁵" for −5.
std::string powerOfTen(int exponent) {
    static const char* const kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = "10";
    if (exponent < 0) text += "⁻";
    for (const char c : std::to_string(std::abs(exponent))) text += kDigits[c - '0'];
    return text;
}

// The Gran function the side plots, as its axis names it; the base side works on [HO⁻].
const Text& functionName(const GranSetup& setup, GranSide side) {
    if (side == GranSide::After)
        return setup.baseSide ? texts::kGranAfterBase : texts::kGranAfterAcid;
    if (!setup.weakBeaker) return setup.baseSide ? texts::kGranStrongBase : texts::kGranStrongAcid;
    return setup.baseSide ? texts::kGranWeakBase : texts::kGranWeakAcid;
}

} // namespace

DiagramView granDiagram(const Simulation& sim, GranSide side) {
    const Language language = sim.language;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    const bool millilitres = sim.state.volumesInMillilitres;
    const double f = sim.state.volumeFactor;
    DiagramView view;
    view.title =
        std::string(texts::kGranTitle.in(language)) +
        (side == GranSide::Before ? texts::kGranBeforeJump : texts::kGranAfterJump).in(language);
    view.xTitle =
        std::string("V (") +
        (millilitres ? texts::kParticularUnit : texts::kParticularUnitLitres).in(language) + ")";
    const std::vector<PastedPair> points = measuredPHPoints(sim);
    if (!titrationOf(sim.state.study) || points.size() < 4) {
        view.problem = texts::kGranNoPoints.in(language);
        return view;
    }
    const GranSetup setup = granSetupOf(sim);
    const GranReading reading = granMethod(points, setup);
    const GranBranch& branch = branchOf(reading, side);
    if (branch.plotted.empty() || !branch.equivalence) {
        view.problem = texts::kGranNoLine.in(language);
        return view;
    }

    // The ordinates over the fitted range and the line set the scale, written as a power of ten.
    const auto [from, to] = branch.range;
    const double ve = branch.equivalence->volume;
    double high = 0, low = 0;
    for (const auto& [v, y] : branch.plotted)
        if (v >= from && v <= to && std::isfinite(y))
            high = std::max(high, y), low = std::min(low, y);
    for (const double v : {from, to}) {
        high = std::max(high, branch.line.at(v));
        low = std::min(low, branch.line.at(v));
    }
    if (!(high > low)) high = low + 1;
    const int exponent = static_cast<int>(std::floor(std::log10(std::max(high, -low))));
    const double scale = std::pow(10.0, -exponent);
    view.yTitle =
        std::string(functionName(setup, side).in(language)) + " (" + powerOfTen(exponent) + " mol)";
    view.solutionTitle = std::string(texts::kGranFitted.in(language)) +
                         formatGeneral(from * f, 4, separator) + " – " +
                         formatGeneral(to * f, 4, separator) + " " + (millilitres ? "mL" : "L");

    double xMax = std::max(ve, points.back().volume);
    for (const auto& point : branch.plotted) xMax = std::max(xMax, point.first);
    view.xMin = 0;
    view.xMax = xMax * f * 1.02;
    // Room above and below, so that the marks and their labels stay inside the frame.
    view.yMin = (low - 0.08 * (high - low)) * scale;
    view.yMax = (high + 0.12 * (high - low)) * scale;
    view.xTicks = roundTicks(view.xMin, view.xMax);
    view.yTicks = roundTicks(view.yMin, view.yMax);

    for (const auto& [v, y] : branch.plotted)
        if (std::isfinite(y)) view.marks.push_back({v * f, y * scale, {}});
    const double lineFrom = std::min(from, ve), lineTo = std::max(to, ve);
    view.lines.push_back({texts::kGranLine.in(language),
                          {{lineFrom * f, branch.line.at(lineFrom) * scale},
                           {lineTo * f, branch.line.at(lineTo) * scale}},
                          0});
    constexpr double kGap = std::numeric_limits<double>::quiet_NaN();
    view.lines.push_back({texts::kGranRange.in(language),
                          {{from * f, view.yMin},
                           {from * f, view.yMax},
                           {from * f, kGap},
                           {to * f, view.yMin},
                           {to * f, view.yMax}},
                          7});
    const std::vector<std::string> lines = measuredEquivalenceLines(sim);
    const std::string name =
        std::string(texts::kMethodGran.in(language)) +
        (side == GranSide::Before ? texts::kGranBefore : texts::kGranAfter).in(language);
    // The subtitle gives the equivalence as the reading panel's line does.
    for (const std::string& line : lines)
        if (line.find(name) != std::string::npos)
            view.solutionTitle += " ; " + line.substr(line.find("V_E"));
    view.marks.push_back({ve * f, 0, "V_E"});
    return view;
}

std::optional<std::pair<double, double>> granRange(const Simulation& sim, GranSide side) {
    const std::vector<PastedPair> points = measuredPHPoints(sim);
    if (!titrationOf(sim.state.study) || points.size() < 4) return std::nullopt;
    const GranBranch& branch = branchOf(granMethod(points, granSetupOf(sim)), side);
    if (!branch.equivalence) return std::nullopt;
    const double f = sim.state.volumeFactor;
    return std::pair{branch.range.first * f, branch.range.second * f};
}

void setGranRange(Simulation& sim, GranSide side, std::optional<std::pair<double, double>> range) {
    if (range) {
        const double f = sim.state.volumeFactor;
        auto [a, b] = *range;
        if (!std::isfinite(a) || !std::isfinite(b)) return;
        range = std::pair{std::min(a, b) / f, std::max(a, b) / f};
    }
    (side == GranSide::Before ? sim.pasted.granBefore : sim.pasted.granAfter) = range;
}

} // namespace titralab
