#include "core/session/DiagramView.h"

#include "core/chemistry/Diagrams.h"
#include "core/curves/FreeTable.h"
#include "core/numbers/NumberFormat.h"
#include "core/panel/SimulationSetup.h"
#include "core/base/Notifier.h"
#include "core/texts/DiagramTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

char separatorOf(const Simulation& sim) { return sim.exportSettings.decimalComma ? ',' : '.'; }

// The name of every form of the solution, by solute and form, as the free study names them.
std::vector<FreeSpecies> formsOf(const Solution& solution, Language language) {
    FreeTitration alone;
    alone.beaker = solution;
    return freeSpecies(alone, language);
}

std::string formName(const std::vector<FreeSpecies>& forms, int solute, int form) {
    for (const FreeSpecies& f : forms)
        if (f.solute == solute && f.form == form) return f.name;
    return {};
}

// Every form of the solution with its name; the five studies name their species as their chart
// does (base side: the base first).
std::vector<FreeSpecies> namedForms(const Simulation& sim, const Solution& solution) {
    std::vector<FreeSpecies> forms = formsOf(solution, sim.language);
    if (sim.panel.study == Study::FreeSolutions) return forms;
    for (FreeSpecies& f : forms) {
        if (f.solute > 1) continue;
        const int n = solution.solutes[static_cast<std::size_t>(f.solute)].system.acidities();
        const int k = sim.state.side == BuretteSide::BaseSide ? n - f.form : f.form;
        if (k < 0 || k >= 4) continue;
        const std::string& label = sim.results.speciesLabels[static_cast<std::size_t>(f.solute)]
                                                            [static_cast<std::size_t>(k)];
        if (!label.empty()) f.name = label;
    }
    return forms;
}

std::vector<double> pHGrid(int points) {
    const int n = std::clamp(points, 2, kMaxDiagramPoints);
    std::vector<double> grid;
    grid.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) grid.push_back(14.0 * i / (n - 1));
    return grid;
}

// Series 0 and 1 of the logarithmic diagram are H3O+ and HO-; the forms follow.
std::string seriesName(const LogDiagramSeries& s, const std::vector<FreeSpecies>& forms,
                       Language language) {
    if (s.kind != DiagramSpeciesKind::Form) return std::string(texts::speciesLabel(s.kind).in(language));
    return formName(forms, s.solute, s.form);
}

void addStrips(DiagramView& view, const Solution& solution, const std::vector<FreeSpecies>& forms) {
    for (const PredominanceStrip& strip : predominanceStrips(solution)) {
        DiagramStrip out;
        out.system = formName(forms, strip.solute, 0);
        for (const PredominanceDomain& d : strip.domains) {
            std::string name = formName(forms, strip.solute, d.form);
            out.domains.push_back({d.low, d.high, name.empty() ? d.formula : name, d.formula});
        }
        view.strips.push_back(std::move(out));
    }
}

void logarithmic(DiagramView& view, const Solution& solution,
                 const std::vector<FreeSpecies>& forms, double floor, int points,
                 const Simulation& sim) {
    LogDiagramRequest request;
    request.points = std::clamp(points, 2, kMaxDiagramPoints);
    request.floor = floor;
    const LogDiagram d = logDiagram(solution, request);
    view.title = texts::kLogDiagramTitle.in(sim.language);
    view.yTitle = texts::kLogDiagramAxis.in(sim.language);
    view.yMin = d.floor;
    view.yMax = 0;
    for (std::size_t k = 0; k < d.series.size(); ++k) {
        DiagramLine line{seriesName(d.series[k], forms, sim.language), {}, static_cast<int>(k)};
        // A line runs along the floor where it is below it: drawn there only up to where it
        // rises, so that the floor stays readable.
        const std::vector<double>& y = d.series[k].log10c;
        auto atFloor = [&](std::size_t i) { return i >= y.size() || !(y[i] > d.floor); };
        for (std::size_t i = 0; i < d.pH.size(); ++i) {
            const bool hidden = atFloor(i) && (i == 0 || atFloor(i - 1)) && atFloor(i + 1);
            line.points.push_back({d.pH[i], hidden ? std::nan("") : y[i]});
        }
        view.lines.push_back(std::move(line));
    }
    for (const LogDiagramMark& m : d.marks)
        if (m.kind == DiagramMarkKind::PKa)
            view.marks.push_back({m.pH, m.log10c, "pKa = " + formatGeneral(m.pH, 4, separatorOf(sim))});
}

void concentrations(DiagramView& view, const Solution& solution,
                    const std::vector<FreeSpecies>& forms, int points, const Simulation& sim) {
    view.title = texts::kConcentrationDiagramTitle.in(sim.language);
    view.yTitle = texts::kConcentrationDiagramAxis.in(sim.language);
    const std::vector<double> grid = pHGrid(points);
    double top = 0;
    // The forms only: H3O+ and HO- would dwarf them at the ends of the scale.
    const int series = 2 + static_cast<int>(forms.size());
    for (int k = 2; k < series; ++k) {
        const FreeSpecies& f = forms[static_cast<std::size_t>(k - 2)];
        DiagramLine line{f.name, {}, k};
        for (double pH : grid) {
            const double c = std::pow(10.0, diagramLog10(solution, k, pH));
            line.points.push_back({pH, c});
            top = std::max(top, c);
        }
        view.lines.push_back(std::move(line));
    }
    view.yMax = top > 0 ? top * 1.05 : 1;
}

void bufferCapacityView(DiagramView& view, const Solution& solution, int points,
                        const Simulation& sim) {
    view.title = texts::kBufferCapacityTitle.in(sim.language);
    view.yTitle = texts::kBufferCapacityColumn.in(sim.language);
    DiagramLine line{texts::kBufferCapacityBox.in(sim.language), {}, 0};
    double top = 0;
    for (const BufferPoint& p : bufferCapacityCurve(solution, 0, 14, std::clamp(points, 2, kMaxDiagramPoints))) {
        line.points.push_back({p.pH, p.beta});
        top = std::max(top, p.beta);
    }
    view.lines.push_back(std::move(line));
    for (const BufferPoint& m : bufferMaximaAgainstPH(solution))
        view.marks.push_back({m.pH, m.beta,
                              std::string(texts::kBufferMaximumMark.in(sim.language)) + " (pH " +
                                  formatGeneral(m.pH, 4, separatorOf(sim)) + ")"});
    view.yMax = top > 0 ? top * 1.05 : 1;
}

} // namespace

std::vector<double> roundTicks(double low, double high, int wanted) {
    std::vector<double> ticks;
    if (!(high > low) || !std::isfinite(low) || !std::isfinite(high) || wanted < 1) return ticks;
    const double raw = (high - low) / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    const double first = std::ceil(low / step - 1e-9) * step;
    for (int i = 0; first + i * step <= high + 1e-9 * step && i < 1000; ++i) {
        const double t = first + i * step;
        ticks.push_back(std::abs(t) < 1e-12 * step ? 0 : t);
    }
    return ticks;
}

std::optional<Solution> diagramSolution(const Simulation& sim) {
    // From the panel as it stands, so that the diagram follows every typed value.
    if (sim.panel.study == Study::FreeSolutions) {
        FreeStudyInputs inputs = sim.freeStudy.inputs;
        const FreeInputsReading read =
            readFreeInputs(inputs, sim.freeStudy.database.get(), sim.language);
        if (!read.titration) return std::nullopt;
        return read.titration->beaker;
    }
    if (sim.panel.study == Study::None) return std::nullopt;
    RecordingNotifier checks;
    ChemicalState probe = sim.state;
    setUpSimulation(probe, sim.panel, checks, sim.language);
    if (!checks.messages.empty() || probe.study == Study::None) return std::nullopt;
    return studySolution(probe);
}

std::vector<DiagramStrip> predominanceOf(const Simulation& sim) {
    DiagramView view;
    const std::optional<Solution> solution = diagramSolution(sim);
    if (solution) addStrips(view, *solution, namedForms(sim, *solution));
    return view.strips;
}

DiagramView diagramView(const Simulation& sim, DiagramKind kind, double logFloor, int points) {
    DiagramView view;
    const Language language = sim.language;
    view.xTitle = texts::kDiagramPHAxis.in(language);
    view.xTicks = roundTicks(0, 14, 7);
    const bool titration = sim.panel.study == Study::FreeSolutions ||
                           sim.state.study == Study::TitrationVsVolume ||
                           sim.state.study == Study::TwoMonoTitration;
    view.solutionTitle = (titration ? texts::kBeakerSolution : texts::kStudiedSolution).in(language);
    const std::optional<Solution> solution = diagramSolution(sim);
    if (!solution) {
        view.problem = texts::kNoDiagramSolution.in(language);
        return view;
    }
    const std::vector<FreeSpecies> forms = namedForms(sim, *solution);
    if (forms.empty()) {
        view.problem = texts::kNoDiagramSystem.in(language);
        return view;
    }
    const double floor = std::clamp(std::isfinite(logFloor) ? logFloor : -8, kLogFloorLowest,
                                    kLogFloorHighest);
    switch (kind) {
    case DiagramKind::Logarithmic:
        logarithmic(view, *solution, forms, floor, points, sim);
        break;
    case DiagramKind::Concentrations:
        concentrations(view, *solution, forms, points, sim);
        break;
    case DiagramKind::BufferCapacity:
        bufferCapacityView(view, *solution, points, sim);
        break;
    }
    view.yTicks = roundTicks(view.yMin, view.yMax, 7);
    addStrips(view, *solution, forms);
    return view;
}

} // namespace titralab
