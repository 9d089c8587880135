// The free study's regeneration: the pH curve, the species, the conductivity, the remarkable
// points and the copied table, from the rows of the beaker and the burette.
#include "core/session/Refresh.h"

#include "core/numbers/NumberFormat.h"
#include "core/session/ChartReading.h"
#include "core/session/FreeFit.h"
#include "core/session/PastedPoints.h"
#include "core/session/StudyConditions.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/FreeStudyTexts.h"
#include "core/texts/ReadingTexts.h"
#include "core/texts/SolutionTexts.h"
#include "core/texts/WorkbookTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {


// One sampled point: the volume (L) and the state there.
struct FreeSample {
    double volume{};
    EquilibriumState state;
    double slope{}; // dpH/dV, per L
};

double speciesValue(const EquilibriumState& state, const FreeSpecies& species) {
    const std::vector<SoluteState>& side = species.burette ? state.added : state.beaker;
    if (species.solute >= static_cast<int>(side.size())) return 0;
    const std::vector<double>& forms = side[static_cast<std::size_t>(species.solute)].forms;
    return species.form < static_cast<int>(forms.size())
               ? forms[static_cast<std::size_t>(species.form)]
               : 0;
}

// Volumes evenly spread over [0, maxVolume] (L), with the equivalences inserted, so that the
// drawn curve runs through each jump's exact point.
std::vector<double> sampledVolumes(double maxVolume, int n, const FreeEquivalences& points,
                                   bool withEquivalences) {
    std::vector<double> volumes;
    for (int i = 0; i < n; ++i) volumes.push_back(maxVolume * i / (n - 1));
    if (withEquivalences)
        for (const FreeEquivalence& e : points.points)
            if (e.equivalence.volume > 0 && e.equivalence.volume < maxVolume)
                volumes.push_back(e.equivalence.volume);
    std::sort(volumes.begin(), volumes.end());
    volumes.erase(std::unique(volumes.begin(), volumes.end()), volumes.end());
    return volumes;
}

// The drawn curve: where the pH moves by more than kDrawnPHStep between two samples (a jump),
// samples are added halfway, until it moves less or the curve holds kMaxRefinement times the
// samples it started with, so that a jump is drawn as smoothly as the closed-form studies draw
// theirs.
constexpr double kDrawnPHStep = 0.15;
constexpr std::size_t kMaxRefinement = 4;

template <typename Sample>
std::vector<FreeSample> refinedAtJumps(std::vector<FreeSample> samples, const Sample& sample) {
    const std::size_t limit = kMaxRefinement * samples.size();
    bool added = true;
    while (added && samples.size() < limit) {
        added = false;
        std::vector<FreeSample> next;
        next.reserve(2 * samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            next.push_back(samples[i]);
            if (i + 1 == samples.size() || next.size() + samples.size() - i >= limit) continue;
            const FreeSample& a = samples[i];
            const FreeSample& b = samples[i + 1];
            if (std::abs(b.state.pH - a.state.pH) <= kDrawnPHStep ||
                !(b.volume - a.volume > 1e-12))
                continue;
            next.push_back(sample(0.5 * (a.volume + b.volume)));
            added = true;
        }
        samples = std::move(next);
    }
    return samples;
}


std::string freeConditionsNote(Simulation& sim, const std::vector<FreeSample>& samples) {
    const Conditions& conditions = sim.conditions;
    if (conditions.standard() || samples.empty()) return {};
    const Language language = sim.language;
    const bool comma = sim.exportSettings.decimalComma;
    std::string note = std::string(texts::kTemperatureCelsius.in(language)) + " = " +
                       formatGeneral(conditions.temperature, 4, comma ? ',' : '.');
    double low = HUGE_VAL, high = 0;
    for (const FreeSample& p : samples) {
        low = std::min(low, p.state.ionicStrength);
        high = std::max(high, p.state.ionicStrength);
    }
    if (!conditions.ideal()) {
        note += ", " + activitiesNote(low, high, comma, language);
        sim.results.lowIonicStrength = low;
        sim.results.highIonicStrength = high;
    }
    if (sim.freeStudy.result.conductivityKnown && conditions.temperature != kStandardTemperature)
        note += ", " + std::string(texts::kConductivityAt25.in(language));
    if (!conditions.ideal() && high > kDaviesMaxIonicStrength)
        note += ". " + std::string(texts::kBeyondDavies.in(language));
    return note;
}

// The copied table and its numbers: v (L, shown in mL by the workbook), pH, [H3O+], every form, σ
// when known, dpH/dV per mL when asked. Lines end with a carriage return, as the other studies'
// tables.
void writeFreeTable(Simulation& sim, const std::vector<FreeSample>& samples) {
    const Language language = sim.language;
    const FreeStudyResult& result = sim.freeStudy.result;
    ExportTable table;
    auto column = [&](const std::string& header, const std::string& title, double factor,
                      ColumnFormat format, bool charted) {
        table.columns.push_back({header, title, factor, format, {}, charted});
    };
    column(texts::kTitleVolumeL.in(language), texts::kTitleVolumeMl.in(language), 1000,
           ColumnFormat::Volume, false);
    column("pH", texts::kTitlePH.in(language), 1, ColumnFormat::PH, true);
    column("cH", texts::kTitleHydronium.in(language), 1, ColumnFormat::Concentration, false);
    for (const FreeSpecies& sp : result.species)
        column(sp.name, sp.name + texts::kConcentrationUnit.in(language), 1,
               ColumnFormat::Concentration, false);
    if (result.conductivityKnown)
        column(texts::kConductivityCaption.in(language), texts::kTitleConductivity.in(language), 1,
               ColumnFormat::Conductivity, false);
    const bool derivative = sim.reading.options.derivative;
    if (derivative)
        column(texts::kDerivativeColumn.in(language), texts::kTitleDerivative.in(language), 1,
               ColumnFormat::General, false);
    for (const FreeSample& p : samples) {
        std::size_t c = 0;
        table.columns[c++].values.push_back(p.volume);
        table.columns[c++].values.push_back(p.state.pH);
        table.columns[c++].values.push_back(p.state.hydronium);
        for (const FreeSpecies& sp : result.species)
            table.columns[c++].values.push_back(speciesValue(p.state, sp));
        if (result.conductivityKnown)
            table.columns[c++].values.push_back(p.state.conductivity.value_or(0));
        if (derivative) table.columns[c++].values.push_back(p.slope / 1000);
    }
    // No note above the table at the defaults: the concentrations are those of the mix. In
    // other conditions the note says them, with the range of the ionic strength.
    std::string text = freeConditionsNote(sim, samples) + "\r";
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        text += (c ? "\t" : "") + table.columns[c].header;
    text += '\r';
    for (std::size_t row = 0; row < samples.size(); ++row) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const double x = table.columns[c].values[row];
            const std::string magnitude =
                FormatValue(std::fabs(x), sim.exportSettings.decimalComma, sim.exportSettings.digits);
            text += (c ? "\t" : "") + (x < 0 && magnitude != "0" ? "-" + magnitude : magnitude);
        }
        text += '\r';
    }
    sim.results.exportText = std::move(text);
    sim.results.exportTable = std::move(table);
}

// The forms drawn in boxes 2 to 5 (series 2 to 5): those chosen, found by name, else the first
// four; the table gives every form.
std::vector<int> drawnSpecies(const FreeStudy& free) {
    const std::vector<FreeSpecies>& species = free.result.species;
    std::vector<int> drawn;
    if (!free.drawnForms) {
        for (int k = 0; k < kDrawnFreeForms && k < static_cast<int>(species.size()); ++k)
            drawn.push_back(k);
        return drawn;
    }
    for (const std::string& name : *free.drawnForms)
        for (std::size_t k = 0; k < species.size(); ++k)
            if (species[k].name == name && drawn.size() < kDrawnFreeForms &&
                std::find(drawn.begin(), drawn.end(), static_cast<int>(k)) == drawn.end()) {
                drawn.push_back(static_cast<int>(k));
                break;
            }
    return drawn;
}

void drawFreeSamples(Simulation& sim, const std::vector<FreeSample>& samples) {
    const FreeStudyResult& result = sim.freeStudy.result;
    const GraphOptions& g = sim.graph;
    const std::vector<int>& chosen = result.drawnSpecies;
    const int drawn = static_cast<int>(chosen.size());
    auto form = [&](int k) -> const FreeSpecies& {
        return result.species[static_cast<std::size_t>(chosen[static_cast<std::size_t>(k)])];
    };
    double largest = 0;
    for (const FreeSample& p : samples)
        for (int k = 0; k < drawn; ++k) largest = std::max(largest, speciesValue(p.state, form(k)));
    sim.results.concentrationScale = largest > 0 ? 10 / largest : 1;
    for (const FreeSample& p : samples) {
        const double x = p.volume * 1000;
        sim.results.curves[1].push_back({x, p.state.pH});
        for (int k = 0; k < drawn; ++k)
            if (g.isChecked(k + 2))
                sim.results.curves[k + 2].push_back(
                    {x, speciesValue(p.state, form(k)) * sim.results.concentrationScale});
        if (g.isChecked(kHydroniumBox))
            sim.results.curves[6].push_back({x, p.state.hydronium * sim.results.concentrationScale});
        if (result.conductivityKnown && g.isChecked(kConductivityBox))
            sim.results.curves[8].push_back({x, p.state.conductivity.value_or(0)});
        if (sim.reading.options.derivative) sim.reading.derivative.push_back({x, p.slope / 1000});
    }
    // The largest conductivity is drawn at height 10, as in the other studies.
    Series& sigma = sim.results.curves[8];
    sim.results.conductivityScale = 1;
    double top = 0;
    for (const CurvePoint& p : sigma) top = std::max(top, p.y);
    if (top > 0) sim.results.conductivityScale = 10 / top;
    for (CurvePoint& p : sigma) p.y *= sim.results.conductivityScale;
}

// The graph window's boxes: the drawn forms in boxes 2 to 5, hydronium, conductivity when
// every λ° is known; no dilution box (the concentrations are those of the mixture).
void showFreeBoxes(Simulation& sim) {
    GraphOptions& g = sim.graph;
    FreeStudyResult& result = sim.freeStudy.result;
    result.drawnSpecies = drawnSpecies(sim.freeStudy);
    for (int k = 0; k < 8; ++k) g.captions[static_cast<std::size_t>(k)].clear();
    for (auto& labels : sim.results.speciesLabels) labels = {};
    for (std::size_t k = 0; k < result.drawnSpecies.size(); ++k) {
        const std::string& name =
            result.species[static_cast<std::size_t>(result.drawnSpecies[k])].name;
        g.captions[k] = name;
        sim.results.speciesLabels[0][k] = name; // the printed legend's
    }
    g.captions[8] = "H3O+";
    ApplyCheckBoxCaptions(sim);
    g.visible[kDilutionBox - 1] = false;
    g.dilutionLabelVisible = false;
    g.conductivityEnabled = result.conductivityKnown;
    if (!g.conductivityEnabled) g.checked[kConductivityBox - 1] = false;
}

} // namespace

EquivalenceReading equivalenceReadingOf(const FreeEquivalence& e) {
    EquivalenceReading r;
    r.number = e.number;
    r.equivalence = {e.equivalence.volume, e.equivalence.pH};
    if (e.inflection) r.inflection = CurvePlace{e.inflection->volume, e.inflection->pH};
    r.half = {e.half.volume, e.half.pH};
    r.slope = e.slope;
    r.inflectionSlope = e.inflectionSlope;
    r.jumpBefore = e.jumpBefore;
    r.jumpAfter = e.jumpAfter;
    r.indicatorJumpLow = e.indicatorJumpLow;
    r.indicatorJumpHigh = e.indicatorJumpHigh;
    r.usable = e.usable;
    return r;
}

std::optional<ExactPoint> freeExactPointAt(const Simulation& sim, double drawnVolume) {
    const FreeStudyResult& result = sim.freeStudy.result;
    const double factor = sim.state.volumeFactor;
    if (!result.titration || !(drawnVolume >= 0) || !std::isfinite(drawnVolume) || !(factor > 0))
        return std::nullopt;
    ExactPoint p;
    p.volume = drawnVolume / factor;
    const EquilibriumState state = freeTitrationState(*result.titration, p.volume, sim.conditions);
    p.pH = state.pH;
    p.hydronium = state.hydronium;
    for (const FreeSpecies& species : result.species)
        p.species.emplace_back(species.name, speciesValue(state, species));
    if (result.conductivityKnown) p.conductivity = state.conductivity;
    return p;
}

void refreshFreeStudy(Simulation& sim, Notifier& notifier) {
    ChemicalState& s = sim.state;
    FreeStudy& free = sim.freeStudy;
    s.study = Study::FreeSolutions;
    s.volumesInMillilitres = true;
    s.volumeFactor = 1000;
    s.vol1 = 0;
    ValidatePointCount(sim, notifier);
    sim.results.curves.clear();
    sim.reading.points.clear();
    sim.reading.derivative.clear();
    sim.results.exportText.clear();
    sim.results.exportTable.clear();
    sim.results.mixture.reset();
    sim.results.plot.printButtonVisible = true;
    sim.results.plot.titlesSet = true;
    sim.results.plot.windowTitle = texts::kGraphWindowTitle.in(sim.language);
    sim.results.plot.chartTitle = texts::kFreeChartTitle.in(sim.language);
    sim.results.lowIonicStrength = sim.results.highIonicStrength = 0;
    sim.results.conditionsRefusal.clear();
    if (const std::string said = conditionsTitle(sim.conditions, sim.language); !said.empty())
        sim.results.plot.chartTitle += " (" + said + ")";
    sim.results.plot.leftTitle = texts::kPHAxis.in(sim.language);
    sim.results.plot.bottomTitle = texts::kFreeVolumeAxis.in(sim.language);
    sim.results.plot.leftAxisAutomatic = false;
    sim.results.plot.leftMin = 0;
    sim.results.plot.leftMax = 14;

    free.result = FreeStudyResult{};
    s.conductivityAvailable = false;
    FreeInputsReading read = readFreeInputs(free.inputs, free.database.get(), sim.language);
    free.result.errors = read.problems;
    if (!read.titration) {
        showFreeBoxes(sim);
        std::string message;
        for (const std::string& p : read.problems) message += (message.empty() ? "" : "\n") + p;
        notifier.inform(message);
        return;
    }
    FreeStudyResult& result = free.result;
    if (!free.given.empty()) {
        const FreeRowLayout layout = freeRowLayout(free.inputs);
        for (const auto& [value, number] : free.given)
            read.titration = withFreeRowValue(std::move(*read.titration), layout, value, number);
    }
    const FreeTitration& t = *read.titration;
    result.titration = t;
    result.species = freeSpecies(t, sim.language);
    result.equivalences = freeEquivalences(t, sim.conditions);
    result.maxVolume = read.maxVolume.value_or(defaultFreeMaxVolume(t, result.equivalences));
    s.vol1 = t.beakerVolume;
    s.volumeSpan = result.maxVolume;
    const std::vector<std::string> untitrated =
        freeUntitratedMessages(result.equivalences, sim.language);
    if (!untitrated.empty()) {
        std::string message;
        for (const std::string& m : untitrated) message += (message.empty() ? "" : "\n") + m;
        notifier.inform(message);
    }

    const int n = std::max(s.pointCount, 2);
    const Conditions conditions = sim.conditions;
    auto one = [&t, &conditions](double v) {
        return FreeSample{v, freeTitrationState(t, v, conditions),
                          freeTitrationSlope(t, v, conditions)};
    };
    auto sample = [&one](const std::vector<double>& volumes) {
        std::vector<FreeSample> samples;
        samples.reserve(volumes.size());
        for (double v : volumes) samples.push_back(one(v));
        return samples;
    };
    const std::vector<FreeSample> listed =
        sample(sampledVolumes(result.maxVolume, n, result.equivalences, true));
    const std::vector<FreeSample> drawn = refinedAtJumps(listed, one);
    result.conductivityKnown = std::all_of(drawn.begin(), drawn.end(), [](const FreeSample& p) {
        return p.state.conductivity.has_value();
    });
    s.conductivityAvailable = result.conductivityKnown;
    showFreeBoxes(sim);
    drawFreeSamples(sim, drawn);
    if (sim.exportSettings.copySampling == CopySampling::ByVolume)
        writeFreeTable(sim,
                       sample(sampledVolumes(result.maxVolume, n, result.equivalences, false)));
    else
        writeFreeTable(sim, listed);

    const bool wanted = sim.reading.options.equivalences || sim.reading.options.indicator >= 0;
    if (wanted)
        for (const FreeEquivalence& e : result.equivalences.points)
            sim.reading.points.push_back(equivalenceReadingOf(e));
    if (sim.graph.isChecked(kPastedBox)) DrawPastedPoints(sim, notifier);
}

} // namespace titralab
