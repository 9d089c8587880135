#include "core/session/StudyConditions.h"

#include "core/chemistry/ConditionedBalance.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Diagrams.h"
#include "core/chemistry/Equilibrium.h"
#include "core/curves/Curves.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/Refresh.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/InputTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// The note above the table: what the conditions are, in the words of the free study's table.
std::string conditionsNote(const Simulation& sim, const Conditions& conditions, double low,
                           double high, bool conductivity) {
    const Language language = sim.language;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    std::string note = std::string(texts::kTemperatureCelsius.in(language)) + " = " +
                       formatGeneral(conditions.temperature, 4, separator);
    if (!conditions.ideal()) {
        note += ", " + std::string(texts::kWithActivities.in(language)) +
                " (Davies), I = " + formatGeneral(low, 3, separator);
        if (formatGeneral(high, 3, separator) != formatGeneral(low, 3, separator))
            note += texts::kStrengthRangeTo.in(language) + formatGeneral(high, 3, separator);
        note += " mol/L";
    }
    if (conductivity && conditions.temperature != kStandardTemperature)
        note += ", " + std::string(texts::kConductivityAt25.in(language));
    // The database's entries carry no enthalpy of reaction: their pKa stay those of 25 °C.
    if (conditions.temperature != kStandardTemperature) {
        const ChemicalState& s = sim.state;
        note += ". " + std::string(texts::kPKaKeptAt25.in(language)) +
                entryOf(s.side, s.row1).names[0].in(language);
        if (s.study == Study::TwoMonoTitration)
            note += std::string(", ") + entryOf(s.side, s.row2).names[0].in(language);
    }
    if (!conditions.ideal() && high > kDaviesMaxIonicStrength)
        note += ". " + std::string(texts::kBeyondDavies.in(language));
    return note;
}

// The table as the studies write it: the note, the headers, the rows; CR line ends, numbers
// in the export format, a minus sign before a negative one.
std::string tableText(const ExportTable& table, const Simulation& sim) {
    std::string out = table.note + '\r';
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        out += (c ? "\t" : "") + table.columns[c].header;
    out += '\r';
    const bool comma = sim.exportSettings.decimalComma;
    const int digits = sim.exportSettings.digits;
    for (std::size_t i = 0; i < table.rowCount(); ++i) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const double x = table.columns[c].values[i];
            const std::string magnitude = FormatValue(std::abs(x), comma, digits);
            out += (c ? "\t" : "") + (x < 0 && magnitude != "0" ? "-" + magnitude : magnitude);
        }
        out += '\r';
    }
    return out;
}

std::string applyToDilution(Simulation& sim, const Conditions& conditions) {
    ExportTable& table = sim.results.exportTable;
    if (table.columns.size() != 2) return "the dilution table has no pH column to solve again";
    const Solution solution = studySolution(sim.state);
    double low = HUGE_VAL, high = 0;
    for (std::size_t i = 0; i < table.rowCount(); ++i) {
        Solution diluted = solution;
        for (Solute& s : diluted.solutes)
            s.concentration = std::pow(10.0, -table.columns[0].values[i]);
        const EquilibriumState e = equilibriumOf(diluted, conditions);
        table.columns[1].values[i] = e.pH;
        low = std::min(low, e.ionicStrength);
        high = std::max(high, e.ionicStrength);
    }
    table.note = conditionsNote(sim, conditions, low, high, false);
    sim.results.exportText = tableText(table, sim);
    return {};
}

} // namespace

std::string applyConditionsToTable(Simulation& sim, const Conditions& conditions) {
    const ChemicalState& s = sim.state;
    if (s.study == Study::Dilution) return applyToDilution(sim, conditions);
    // The beaker (the two columns mixed in the two-acid study) and the burette's strong reagent
    // with its counter-ion, volumes in the unit of vol1.
    const std::optional<FreeTitration> t = studyTitration(s);
    if (!t) return "the species and mixture studies are computed ideal at 25 °C only";
    ExportTable& table = sim.results.exportTable;
    const bool two = s.study == Study::TwoMonoTitration;
    const std::array<int, 4> boxes =
        two ? std::array<int, 4>{2, 3, 6, 7} : std::array<int, 4>{2, 3, 4, 5};
    // The columns in the order the study writes them: volume, pH, cH, the species of the
    // visible boxes, the conductivity, dpH/dV.
    struct SpeciesColumn {
        int solute, form;
    };
    std::vector<SpeciesColumn> species;
    for (int k = 0; k < 4; ++k) {
        if (!sim.graph.isVisible(boxes[k])) continue;
        const int solute = two ? k / 2 : 0;
        const int j = two ? k % 2 : k;
        const int n = t->beaker.solutes[solute].system.acidities();
        // A box beyond the system's forms (none such is shown) holds nothing: -1.
        species.push_back({solute, j > n ? -1 : s.side == BuretteSide::BaseSide ? n - j : j});
    }
    const bool conductivity = s.conductivityAvailable;
    const bool derivative = sim.reading.options.derivative;
    const std::size_t expected = 3 + species.size() + (conductivity ? 1 : 0) + (derivative ? 1 : 0);
    if (table.columns.size() != expected) return "the study's table has columns of its own";
    const bool byPH = sim.exportSettings.copySampling == CopySampling::ByPH;
    const bool diluted = sim.graph.isChecked(kDilutionBox);

    ConditionedBalance balance(t->beaker, t->beakerVolume, t->burette, conditions);
    const std::size_t rows = table.rowCount();
    if (rows < 2) return {};
    // Sampled by pH, the rows keep their place in the study's pH range, carried over to the
    // range the curve spans in the conditions between the volumes of the first and last rows
    // (no volume and the largest, in either order).
    const std::vector<double> studyPH = table.columns[1].values;
    const double pHStart = balance.solve(table.columns[0].values[0]).pH;
    const double pHEnd = balance.solve(table.columns[0].values[rows - 1]).pH;
    double low = HUGE_VAL, high = 0;
    double guessPH = NAN, guessStrength = NAN;
    for (std::size_t i = 0; i < rows; ++i) {
        double v = table.columns[0].values[i];
        ConditionedBalance::Point point;
        if (byPH && i > 0 && i + 1 < rows) {
            const double fraction = (studyPH[i] - studyPH[0]) / (studyPH[rows - 1] - studyPH[0]);
            const double pH = pHStart + fraction * (pHEnd - pHStart);
            const std::optional<ConditionedBalance::VolumePoint> at = balance.volumeAt(pH);
            if (at) v = at->volume;
            point = balance.solve(v, pH, at ? at->ionicStrength : NAN);
        } else {
            point = balance.solve(v, guessPH, guessStrength);
        }
        guessPH = point.pH;
        guessStrength = point.ionicStrength;
        low = std::min(low, point.ionicStrength);
        high = std::max(high, point.ionicStrength);
        const EquilibriumState state = mixtureState(balance.balance(), balance.beaker().solution,
                                                    balance.added().solution, v, point.pH);
        std::size_t c = 0;
        table.columns[c++].values[i] = v;
        table.columns[c++].values[i] = point.pH;
        // Undiluted, as the study reports them without its dilution box.
        const double factor = diluted ? 1 : (t->beakerVolume + v) / t->beakerVolume;
        table.columns[c++].values[i] = factor * state.hydronium;
        // Each acid of the two-acid study at its own concentration before mixing, then.
        for (const SpeciesColumn& k : species) {
            const double own =
                !two || diluted ? factor : (t->beakerVolume + v) / (k.solute ? s.vol2 : s.vol1);
            table.columns[c++].values[i] =
                k.form < 0 ? 0
                           : own * state.beaker[static_cast<std::size_t>(k.solute)]
                                       .forms[static_cast<std::size_t>(k.form)];
        }
        if (conductivity) table.columns[c++].values[i] = state.conductivity.value_or(NAN);
        // Per unit of the volumes shown: mL, or L.
        if (derivative) table.columns[c++].values[i] = balance.slope(v, point) / s.volumeFactor;
    }
    // The engine knows the conductivity only of solutes whose ions it has the λ° of: the
    // column goes when it has no value.
    const std::size_t conductivityColumn = 3 + species.size();
    if (conductivity) {
        const std::vector<double>& values = table.columns[conductivityColumn].values;
        if (std::none_of(values.begin(), values.end(), [](double x) { return std::isfinite(x); }))
            table.columns.erase(table.columns.begin() + static_cast<long>(conductivityColumn));
    }
    const std::string dilutionNote = table.note;
    table.note = conditionsNote(sim, conditions, low, high,
                                conductivity && table.columns.size() == expected);
    if (!dilutionNote.empty()) table.note = dilutionNote + ' ' + table.note;
    sim.results.exportText = tableText(table, sim);
    return {};
}

TemperatureTable temperatureTable(const Simulation& sim, const std::vector<double>& temperatures,
                                  Notifier& notifier) {
    TemperatureTable out;
    ExportTable table;
    std::string note;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    for (double celsius : temperatures) {
        Simulation one = sim;
        one.exportSettings.copySampling = CopySampling::ByVolume;
        RefreshSimulation(one, notifier);
        const Conditions conditions{celsius, sim.conditions.activities};
        out.refusal = applyConditionsToTable(one, conditions);
        if (!out.refusal.empty()) return out;
        const ExportTable& solved = one.results.exportTable;
        if (solved.columns.size() < 2) continue;
        if (table.columns.empty()) {
            table.columns.push_back(solved.columns[0]);
            if (!conditions.ideal()) note = one.results.exportTable.note;
        }
        TableColumn pH = solved.columns[1];
        pH.header = std::string(texts::kTemperatureCelsius.in(sim.language)) + " = " +
                    formatGeneral(celsius, 4, separator);
        table.columns.push_back(std::move(pH));
    }
    // The note of the activities, without what belongs to one temperature.
    if (!note.empty()) {
        const std::string withActivities = texts::kWithActivities.in(sim.language);
        const std::size_t from = note.find(withActivities);
        table.note = note.substr(from, note.find(" mol/L", from) + 6 - from);
    }
    out.text = tableText(table, sim);
    return out;
}

} // namespace titralab
