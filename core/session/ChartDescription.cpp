// The chart's spoken summary, its readings and its keyboard cursor, as a screen reader says them.
#include "core/session/WindowDescriptions.h"

#include "core/chemistry/Indicators.h"
#include "core/chemistry/Mixture.h"
#include "core/curves/ChartReading.h"
#include "core/session/ChartReading.h"
#include "core/session/CopyExport.h"
#include "core/curves/Readout.h"
#include "core/session/Readout.h"
#include "core/numbers/NumberFormat.h"
#include "core/page/PointStyles.h"
#include "core/page/PrintSettings.h"
#include "core/texts/CopyTexts.h"
#include "core/texts/InputTexts.h"
#include "core/texts/Messages.h"
#include "core/texts/PageTexts.h"
#include "core/texts/ReadingTexts.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "core/session/DescriptionWords.h"

namespace titralab::a11y {

using namespace words;

namespace {

std::string speciesCaption(const Simulation& sim, int box) {
    const std::string& caption = sim.graph.captions[static_cast<std::size_t>(box - 2)];
    return caption.empty()
               ? say(sim.language, "espèce ", "species ") + std::to_string(speciesNumber(box))
               : caption;
}

// "du pH", "de l'espèce AH" ("pH", "species AH"): the curve the keyboard cursor follows.
std::string curveOf(const Simulation& sim, int series) {
    const Language l = sim.language;
    switch (series) {
    case 1:
        return say(l, "du pH", "pH");
    case 6:
        return say(l, "des ions H3O+", "H3O+ ion");
    case 8:
        return say(l, "de la conductivité", "conductivity");
    default:
        return say(l, "de l'espèce ", "species ") +
               speciesCaption(sim, speciesBoxOfSeries(sim.state.study, series));
    }
}

// The chosen colour indicator, or nullptr.
const ColourIndicator* chosenIndicator(const Simulation& sim) {
    const int k = sim.reading.options.indicator;
    return k >= 0 && k < static_cast<int>(colourIndicators().size()) ? &colourIndicators()[k]
                                                                     : nullptr;
}

// A pH to one decimal, with the chosen separator.
std::string oneDecimal(double x, char separator) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 1);
    std::string text(buffer, end.ptr);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

// "phénolphtaléine, de 8,2 à 10,0": an indicator and its transition range, in pH.
std::string indicatorWithRange(const ColourIndicator& i, const Simulation& sim) {
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    const Language l = sim.language;
    return std::string(i.name.in(l)) + say(l, ", virage de ", ", changing colour from pH ") +
           oneDecimal(i.low, separator) + say(l, " à ", " to ") + oneDecimal(i.high, separator);
}

// The kind of a remarkable point spelled out, with its number.
std::string spelledPoint(PointKind kind, int number, Language l) {
    const std::string kindName =
        kind == PointKind::Equivalence  ? say(l, "Équivalence ", "Equivalence ")
        : kind == PointKind::Inflection ? say(l, "Point d'inflexion ", "Inflection point ")
                                        : say(l, "Demi-équivalence ", "Half-equivalence ");
    return kindName + std::to_string(number);
}

// What the readings add to the chart: the remarkable points, the derivative, the indicator,
// the kept curves; each sentence ends with ". ".
std::string readingsDescription(const Simulation& sim) {
    const Language l = sim.language;
    std::string text;
    const ReadingOptions& o = sim.reading.options;
    const bool titration = titrationOf(sim.state.study).has_value();
    const ColourIndicator* indicator = titration ? chosenIndicator(sim) : nullptr;
    if (titration && (o.equivalences || indicator) && !sim.reading.points.empty()) {
        text += say(l, "Points remarquables : ", "Key points: ");
        const std::vector<std::string> rows = spokenReadings(sim);
        for (std::size_t i = 0; i < rows.size(); ++i) text += (i ? " ; " : "") + rows[i];
        text += ". ";
    }
    if (titration && o.derivative && !sim.reading.derivative.empty())
        text += say(l, "La dérivée dpH/dV est tracée sur l'axe de droite. ",
                    "The derivative dpH/dV is drawn on the right-hand axis. ");
    if (indicator)
        text += say(l, "Indicateur coloré : ", "Colour indicator: ") +
                indicatorWithRange(*indicator, sim) + ". ";
    std::vector<const OverlayCurve*> frozen, family;
    for (const OverlayCurve& c : sim.overlays.curves) (c.family ? family : frozen).push_back(&c);
    auto list = [](const std::vector<const OverlayCurve*>& curves) {
        std::string out;
        for (std::size_t i = 0; i < curves.size(); ++i) out += (i ? ", " : "") + curves[i]->label;
        return out;
    };
    if (!frozen.empty())
        text += (frozen.size() > 1 ? say(l, "Courbes gardées : ", "Frozen curves: ")
                                   : say(l, "Courbe gardée : ", "Frozen curve: ")) +
                list(frozen) + ". ";
    if (!family.empty())
        text += say(l, "Famille de courbes, en plus de la courbe en cours : ",
                    "Family of curves, besides the current one: ") +
                list(family) + ". ";
    return text;
}

} // namespace

std::string chartDescription(const Simulation& sim) {
    const Language l = sim.language;
    const ChemicalState& s = sim.state;
    const int main = cursorSeries(sim.results.curves);
    if (s.study == Study::None || s.study == Study::TwoPolyMixture || main == 0)
        return say(l, "Aucune courbe n'est tracée.", "No curve is drawn.");

    std::string text = texts::studyName(s.side, s.study, l) + ". ";
    Range x, y;
    for (const CurvePoint& p : sim.results.curves[main]) {
        x.add(p.x);
        y.add(p.y);
    }
    if (!x.empty())
        text += say(l, "En abscisse, ", "Horizontal axis: ") + sim.results.plot.bottomTitle + ", " +
                fromTo(x, l) + ". ";
    if (main == 1) {
        if (!y.empty()) text += "pH " + fromTo(y, l) + ". ";
    } else {
        // No pH curve: the species are drawn on their own axis, in mol/L.
        Range c;
        const double scale = sim.results.concentrationScale > 0 ? sim.results.concentrationScale : 1;
        for (int k = 2; k <= 6; ++k)
            for (const CurvePoint& p : sim.results.curves[k]) c.add(p.y / scale);
        if (!c.empty())
            text += say(l, "Concentrations jusqu'à ", "Concentrations up to ") + number(c.high) +
                    " mol/L. ";
    }

    std::vector<std::string> drawn;
    const bool dilution = s.study == Study::Dilution;
    const std::string referenceLines = say(l, "droites de repère", "reference lines");
    for (int k = 1; k <= 8; ++k) {
        if (sim.results.curves[k].empty()) continue;
        if (k == 1)
            drawn.push_back("pH");
        else if (k <= 5 && dilution) {
            if (std::find(drawn.begin(), drawn.end(), referenceLines) == drawn.end())
                drawn.push_back(referenceLines);
        } else if (k <= 5)
            drawn.push_back(speciesCaption(sim, speciesBoxOfSeries(s.study, k)));
        else if (k == 6)
            drawn.push_back("H3O+");
        else if (k == 7)
            drawn.push_back(say(l, "points ajoutés", "pasted points"));
        else
            drawn.push_back(say(l, "conductivité", "conductivity"));
    }
    text += drawn.size() > 1 ? say(l, "Courbes tracées : ", "Curves drawn: ")
                             : say(l, "Courbe tracée : ", "Curve drawn: ");
    for (std::size_t i = 0; i < drawn.size(); ++i) text += (i ? ", " : "") + drawn[i];
    text += ". " + readingsDescription(sim);
    if (l == Language::English)
        return text +
               "With the keyboard, the left and right arrows move a cursor from point to "
               "point along the " +
               curveOf(sim, main) + " curve; the Home and End keys take it to its ends.";
    text += "Au clavier, les flèches gauche et droite déplacent un curseur de point en point sur "
            "la courbe " +
            curveOf(sim, main) + ", les touches Début et Fin le portent à ses extrémités.";
    return text;
}

std::vector<std::string> spokenReadings(const Simulation& sim) {
    std::vector<std::string> rows = resultLines(sim);
    // The results write the points in this order; each line starts with the point's label.
    std::vector<std::pair<PointKind, int>> kinds;
    for (const EquivalenceReading& p : sim.reading.points) {
        kinds.emplace_back(PointKind::Half, p.number);
        if (p.inflection) kinds.emplace_back(PointKind::Inflection, p.number);
        kinds.emplace_back(PointKind::Equivalence, p.number);
    }
    for (std::size_t i = 0; i < rows.size() && i < kinds.size(); ++i) {
        const std::string label = pointLabel(kinds[i].first, kinds[i].second, sim.language);
        if (rows[i].compare(0, label.size(), label) == 0)
            rows[i].replace(0, label.size(),
                            spelledPoint(kinds[i].first, kinds[i].second, sim.language));
    }
    return rows;
}

std::string cursorPointText(const Simulation& sim, const ExactPoint* onCurve,
                            const ReadoutPanels& panels) {
    if (onCurve) {
        // The text on the curve without its "Sur la courbe" lead.
        const std::string text = onCurveText(sim, *onCurve);
        const std::size_t v = text.find("v = ");
        return v == std::string::npos ? text : text.substr(v);
    }
    std::string text;
    for (const std::string& panel : panels) {
        if (panel.empty()) continue;
        if (!text.empty()) text += kSemicolon.in(sim.language);
        text += panel;
    }
    return text;
}

std::string indicatorChoiceName(const Simulation& sim) {
    const Language l = sim.language;
    const ColourIndicator* indicator = chosenIndicator(sim);
    return std::string(texts::kIndicatorName.in(l)) + kColon.in(l) +
           (indicator ? indicatorWithRange(*indicator, sim)
                      : std::string(texts::kNoIndicator.in(l)));
}

} // namespace titralab::a11y
