#include "core/curves/FreeTable.h"

#include "core/chemistry/ConditionedBalance.h"
#include "core/chemistry/Indicators.h"
#include "core/curves/ChartReading.h"
#include "core/numbers/NumberFormat.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/SolutionTexts.h"
#include "core/texts/WorkbookTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// "H2A-", "A3-", "BH+": the form's protons and charge after the grammar that typed it.
std::string genericFormName(const AcidBaseSystem& system, int form) {
    const int n = system.acidities();
    const int protons = n - form;
    const int charge = system.charge(form);
    const bool base = system.protonatedCharge > 0;
    const std::string hydrogens = protons == 0   ? ""
                                  : protons == 1 ? "H"
                                                 : "H" + std::to_string(protons);
    std::string name = base ? "B" + hydrogens : hydrogens + "A";
    if (charge != 0) {
        if (std::abs(charge) > 1) name += std::to_string(std::abs(charge));
        name += charge > 0 ? "+" : "-";
    }
    return name;
}

void addSpecies(std::vector<FreeSpecies>& out, const Solution& solution, bool burette,
                Language language) {
    for (std::size_t i = 0; i < solution.solutes.size(); ++i) {
        const Solute& s = solution.solutes[i];
        if (s.kind != SoluteKind::System) continue;
        for (int form = 0; form <= s.system.acidities(); ++form) {
            const bool named = static_cast<int>(s.system.formNames.size()) > form;
            std::string name = named ? std::string(s.system.formNames[form].in(language))
                                     : genericFormName(s.system, form);
            if (!named && !s.label.empty()) name = s.label + " " + name;
            out.push_back({burette, static_cast<int>(i), form, std::move(name)});
        }
    }
}

double speciesConcentration(const EquilibriumState& state, const FreeSpecies& species) {
    const std::vector<SoluteState>& side = species.burette ? state.added : state.beaker;
    if (species.solute >= static_cast<int>(side.size())) return 0;
    const std::vector<double>& forms = side[species.solute].forms;
    return species.form < static_cast<int>(forms.size()) ? forms[species.form] : 0;
}

// The volume (L) in [0, maxVolume] where the pH crosses `pH`, by bisection: the pH of a
// titration runs one way with the volume added.
double volumeAtPH(const FreeTitration& t, double maxVolume, double pHStart, double pHEnd, double pH,
                  const Conditions& conditions) {
    // In other conditions the engine finds the volume of a pH directly (the pH and the ionic
    // strength solved together), far quicker than bisecting on whole solves.
    if (!conditions.standard()) {
        ConditionedBalance balance(t.beaker, t.beakerVolume, t.burette, conditions);
        const std::optional<ConditionedBalance::VolumePoint> at = balance.volumeAt(pH);
        if (at && at->volume >= 0 && at->volume <= maxVolume) return at->volume;
    }
    double low = 0, high = maxVolume;
    const bool rising = pHEnd >= pHStart;
    for (int k = 0; k < 200 && high - low > 1e-15 * maxVolume; ++k) {
        const double middle = 0.5 * (low + high);
        if ((freeTitrationPH(t, middle, conditions) < pH) == rising)
            low = middle;
        else
            high = middle;
    }
    return 0.5 * (low + high);
}

} // namespace

std::vector<FreeSpecies> freeSpecies(const FreeTitration& t, Language language) {
    std::vector<FreeSpecies> out;
    addSpecies(out, t.beaker, false, language);
    addSpecies(out, t.burette, true, language);
    return out;
}

double defaultFreeMaxVolume(const FreeTitration& t, const FreeEquivalences& points) {
    double last = 0;
    for (const FreeEquivalence& p : points.points) last = std::max(last, p.equivalence.volume);
    return last > 0 ? 2 * last : 2 * t.beakerVolume;
}

std::string activitiesNote(double lowStrength, double highStrength, bool decimalComma,
                           Language language) {
    const char separator = decimalComma ? ',' : '.';
    std::string out = std::string(texts::kWithActivities.in(language)) +
                      " (Davies), I = " + formatGeneral(lowStrength, 3, separator);
    if (formatGeneral(highStrength, 3, separator) != formatGeneral(lowStrength, 3, separator))
        out += std::string(texts::kStrengthRangeTo.in(language)) +
               formatGeneral(highStrength, 3, separator);
    return out + " mol/L";
}

std::string freeTitrationTable(const FreeTitration& t, const FreeTableRequest& request) {
    const std::vector<FreeSpecies> all = freeSpecies(t, request.language);
    const Conditions& conditions = request.conditions;
    auto value = [&](double x) {
        return x < 0 ? "-" + FormatValue(-x, request.decimalComma, request.digits)
                     : FormatValue(x, request.decimalComma, request.digits);
    };
    std::string out = "v (L)\tpH";
    for (int k : request.species) out += "\t" + all[k - 1].name;
    if (request.derivative) out += "\tdpH/dV";
    out += '\n';
    const int n = std::clamp(request.points, 2, kMaxFreeCurvePoints);
    const double pHStart = freeTitrationPH(t, 0, conditions);
    const double pHEnd = freeTitrationPH(t, request.maxVolume, conditions);
    // A curve that hardly moves (no reaction) has no pH to spread the lines over.
    const bool byVolume = request.byVolume || !(std::abs(pHEnd - pHStart) > 1e-6);
    double lowStrength = HUGE_VAL, highStrength = 0; // mol/L, over the lines
    for (int i = 0; i < n; ++i) {
        const double fraction = static_cast<double>(i) / (n - 1);
        double v = fraction * request.maxVolume;
        if (!byVolume)
            v = i == 0       ? 0
                : i == n - 1 ? request.maxVolume
                             : volumeAtPH(t, request.maxVolume, pHStart, pHEnd,
                                          pHStart + fraction * (pHEnd - pHStart), conditions);
        const EquilibriumState state = freeTitrationState(t, v, conditions);
        lowStrength = std::min(lowStrength, state.ionicStrength);
        highStrength = std::max(highStrength, state.ionicStrength);
        out += value(v) + "\t" + value(state.pH);
        for (int k : request.species) out += "\t" + value(speciesConcentration(state, all[k - 1]));
        if (request.derivative) out += "\t" + value(freeTitrationSlope(t, v, conditions));
        out += '\n';
    }
    if (conditions.ideal()) return out;
    std::string note =
        activitiesNote(lowStrength, highStrength, request.decimalComma, request.language) + '\n';
    if (highStrength > kDaviesMaxIonicStrength)
        note += std::string(texts::kBeyondDavies.in(request.language)) + '\n';
    return note + out;
}

std::string freeTemperatureTable(const FreeTitration& t, const FreeTableRequest& request,
                                 const std::vector<double>& temperatures) {
    const char separator = request.decimalComma ? ',' : '.';
    auto value = [&](double x) {
        return x < 0 ? "-" + FormatValue(-x, request.decimalComma, request.digits)
                     : FormatValue(x, request.decimalComma, request.digits);
    };
    const int n = std::clamp(request.points, 2, kMaxFreeCurvePoints);
    std::vector<std::vector<FreeCurvePoint>> curves;
    std::string out = "v (L)";
    double lowStrength = HUGE_VAL, highStrength = 0; // mol/L, over every curve
    for (double celsius : temperatures) {
        const Conditions conditions{celsius, request.conditions.activities};
        curves.push_back(freeTitrationCurve(t, request.maxVolume, n, conditions));
        for (const FreeCurvePoint& p : curves.back()) {
            lowStrength = std::min(lowStrength, p.ionicStrength);
            highStrength = std::max(highStrength, p.ionicStrength);
        }
        out += "\t" + std::string(texts::kTemperatureCelsius.in(request.language)) + " = " +
               formatGeneral(celsius, 4, separator);
    }
    out += '\n';
    for (int i = 0; i < n; ++i) {
        out += value(static_cast<double>(i) / (n - 1) * request.maxVolume);
        for (const std::vector<FreeCurvePoint>& curve : curves)
            out += "\t" + (i < static_cast<int>(curve.size()) ? value(curve[i].pH) : "");
        out += '\n';
    }
    if (request.conditions.ideal()) return out;
    std::string note =
        activitiesNote(lowStrength, highStrength, request.decimalComma, request.language) + '\n';
    if (highStrength > kDaviesMaxIonicStrength)
        note += std::string(texts::kBeyondDavies.in(request.language)) + '\n';
    return note + out;
}

ExportTable freeFamilyColumns(const std::vector<FreeTitration>& members,
                              const std::vector<std::string>& labels,
                              const FreeTableRequest& request) {
    ExportTable table;
    const int n = std::clamp(request.points, 2, kMaxFreeCurvePoints);
    TableColumn volume{texts::kTitleVolumeL.in(request.language),
                       texts::kTitleVolumeMl.in(request.language),
                       1000,
                       ColumnFormat::Volume,
                       {},
                       false};
    for (int i = 0; i < n; ++i)
        volume.values.push_back(static_cast<double>(i) / (n - 1) * request.maxVolume);
    table.columns.push_back(std::move(volume));
    double lowStrength = HUGE_VAL, highStrength = 0; // mol/L, over every curve
    for (std::size_t k = 0; k < members.size() && k < labels.size(); ++k) {
        TableColumn pH{labels[k], labels[k], 1, ColumnFormat::PH, {}, true};
        for (const FreeCurvePoint& p :
             freeTitrationCurve(members[k], request.maxVolume, n, request.conditions)) {
            pH.values.push_back(p.pH);
            lowStrength = std::min(lowStrength, p.ionicStrength);
            highStrength = std::max(highStrength, p.ionicStrength);
        }
        table.columns.push_back(std::move(pH));
    }
    if (!request.conditions.ideal() && highStrength >= lowStrength) {
        table.note =
            activitiesNote(lowStrength, highStrength, request.decimalComma, request.language);
        if (highStrength > kDaviesMaxIonicStrength)
            table.note += std::string("\n") + texts::kBeyondDavies.in(request.language);
    }
    return table;
}

std::string freeColumnsText(const ExportTable& table, const FreeTableRequest& request) {
    auto value = [&](double x) {
        return x < 0 ? "-" + FormatValue(-x, request.decimalComma, request.digits)
                     : FormatValue(x, request.decimalComma, request.digits);
    };
    std::string out = table.note.empty() ? "" : table.note + '\n';
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        out += (c ? "\t" : "") + table.columns[c].header;
    out += '\n';
    for (std::size_t i = 0; i < table.rowCount(); ++i) {
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            out += (c ? "\t" : "") + value(table.columns[c].values[i]);
        out += '\n';
    }
    return out;
}

std::string freeKeptAt25Message(const FreeTitration& t, double celsius, Language language) {
    if (celsius == kStandardTemperature) return {};
    std::string names;
    for (const Solution* s : {&t.beaker, &t.burette})
        for (int k : solutionAt(*s, celsius).keptAt25) {
            const Solute& solute = s->solutes[k];
            std::string name = solute.label;
            if (name.empty() && !solute.system.formNames.empty())
                name = solute.system.formNames[0].in(language);
            if (name.empty())
                name = "pKa " + formatGeneral(solute.system.pKa[0], 4,
                                              language == Language::French ? ',' : '.');
            names += (names.empty() ? "" : ", ") + name;
        }
    return names.empty() ? names : std::string(texts::kPKaKeptAt25.in(language)) + names;
}

std::string freePointLines(const FreeTitration& t, double v, bool decimalComma, int digits,
                           Language language, const Conditions& conditions) {
    const char separator = decimalComma ? ',' : '.';
    auto number = [&](double x) { return formatGeneral(x, digits, separator); };
    const EquilibriumState state = freeTitrationState(t, v, conditions);
    std::string out = "v (L)\t" + number(v) + "\n";
    out += "pH\t" + number(state.pH) + "\n";
    out += "[H3O+]\t" + number(state.hydronium) + "\n";
    for (const FreeSpecies& s : freeSpecies(t, language))
        out += "[" + s.name + "]\t" + number(speciesConcentration(state, s)) + "\n";
    if (state.conductivity) {
        out += "sigma (S/m)\t" + number(*state.conductivity);
        if (conditions.temperature != kStandardTemperature)
            out += "\t" + std::string(texts::kConductivityAt25.in(language));
        out += "\n";
    }
    if (!conditions.standard())
        out += std::string(texts::kIonicStrength.in(language)) + "\t" +
               number(state.ionicStrength) + "\n";
    return out;
}

std::string freeEquivalenceLines(const FreeEquivalences& points, bool decimalComma, int digits) {
    const char separator = decimalComma ? ',' : '.';
    std::string out;
    auto line = [&](const char* kind, int k, const FreePlace& place) {
        out += std::string(kind) + '\t' + std::to_string(k) + '\t' +
               formatGeneral(place.volume, digits, separator) + '\t' +
               formatGeneral(place.pH, digits, separator) + '\n';
    };
    for (const FreeEquivalence& p : points.points) {
        line("equivalence", p.number, p.equivalence);
        if (p.inflection) line("inflection", p.number, *p.inflection);
        line("half", p.number, p.half);
    }
    return out;
}

std::string freeIndicatorLines(const FreeEquivalences& points, const ColourIndicator& indicator,
                               bool decimalComma, int digits, Language language) {
    const char separator = decimalComma ? ',' : '.';
    std::string out;
    for (const FreeEquivalence& p : points.points)
        out += "equivalence\t" + std::to_string(p.number) + '\t' +
               formatGeneral(p.equivalence.pH, digits, separator) + '\t' +
               verdictText(freeIndicatorSuits(indicator, p), language) + '\n';
    return out;
}

std::vector<std::string> freeUntitratedMessages(const FreeEquivalences& points, Language language) {
    std::vector<std::string> out;
    const char separator = language == Language::French ? ',' : '.';
    for (const UntitratedLevel& level : points.untitrated)
        out.push_back(std::string((level.acidity ? texts::kTitrantTooWeakForAcidity
                                                 : texts::kTitrantTooWeakForBasicity)
                                      .in(language)) +
                      formatGeneral(level.pKa, 4, separator));
    return out;
}

} // namespace titralab
