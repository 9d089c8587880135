#include "core/session/StudyConditions.h"

#include "core/session/FreeStudy.h"

#include "core/chemistry/ConditionedBalance.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Diagrams.h"
#include "core/chemistry/Equilibrium.h"
#include "core/chemistry/SoluteDatabase.h"
#include "core/curves/Curves.h"
#include "core/curves/FreeTable.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/Refresh.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/InputTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// The pKa of a study's entry and of the solute database's system of that name agree within this:
// the same couple, whose ΔH° the entry may take.
constexpr double kSameCouplePK = 0.2;
// Above this a pKa stands for an acidity the entry does not have.
constexpr double kNoCouplePK = 20;

// The ΔH° of an entry of the studies' tables, as the solute database gives them for the system
// found by the entry's name (French, then English) whose pKa agree with `system`'s; empty when
// none is found or its ΔH° are not all known.
std::vector<double> entryEnthalpies(const SoluteDatabase* database, BuretteSide side, int row,
                                    const AcidBaseSystem& system) {
    if (!database) return {};
    // The two-mono study's columns hold the acidities an entry lacks at a pKa no water reaches:
    // they are not the couple's, and keep a ΔH° of 0.
    const int acidities = static_cast<int>(std::count_if(
        system.pKa.begin(), system.pKa.end(), [](double pK) { return pK < kNoCouplePK; }));
    const AcidBaseEntry& entry = entryOf(side, row);
    for (const Language language : {Language::French, Language::English})
        for (const SoluteMatch& m : searchSolutes(*database, entry.name(language))) {
            const int index =
                m.entry >= 0 ? m.entry
                             : database->compounds[static_cast<std::size_t>(m.compound)].system;
            if (index < 0) continue;
            const AcidBaseSystem& found = database->entries[static_cast<std::size_t>(index)].system;
            if (found.acidities() != acidities || !found.enthalpiesKnown()) continue;
            bool same = true;
            for (int k = 0; k < acidities; ++k)
                same = same && std::abs(found.pKa[k] - system.pKa[k]) <= kSameCouplePK;
            if (!same) continue;
            std::vector<double> enthalpy = found.enthalpy;
            enthalpy.resize(system.pKa.size(), 0.0);
            return enthalpy;
        }
    return {};
}

// The entries of the study's solution in order: row1, then row2 in the two-mono study.
std::vector<int> studyRows(const ChemicalState& s) {
    if (s.study == Study::TwoMonoTitration) return {s.row1, s.row2};
    return {s.row1};
}

// Gives the systems of the study's solution the ΔH° the solute database knows for their entries;
// returns the names of the entries left without, whose pKa stay those of 25 °C.
std::vector<std::string> giveEnthalpies(Solution& solution, const Simulation& sim) {
    const ChemicalState& s = sim.state;
    const std::vector<int> rows = studyRows(s);
    std::vector<std::string> kept;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (k >= solution.solutes.size() || solution.solutes[k].kind != SoluteKind::System)
            continue;
        AcidBaseSystem& system = solution.solutes[k].system;
        system.enthalpy = entryEnthalpies(sim.freeStudy.database.get(), s.side, rows[k], system);
        if (system.enthalpy.empty()) kept.push_back(entryOf(s.side, rows[k]).name(sim.language));
    }
    return kept;
}

Solution conditionedSolution(const Simulation& sim) {
    Solution solution = studySolution(sim.state);
    giveEnthalpies(solution, sim);
    return solution;
}

std::optional<FreeTitration> conditionedTitration(const Simulation& sim) {
    std::optional<FreeTitration> t = studyTitration(sim.state);
    if (t) giveEnthalpies(t->beaker, sim);
    return t;
}

// "ion ammonium, acide méthanoïque": the entries whose pKa stay those of 25 °C.
std::string keptEntries(const Simulation& sim) {
    Solution solution = studySolution(sim.state);
    std::string names;
    for (const std::string& name : giveEnthalpies(solution, sim))
        names += (names.empty() ? "" : ", ") + name;
    return names;
}

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
    // The entries the solute database gives no ΔH° for keep their pKa of 25 °C.
    if (conditions.temperature != kStandardTemperature) {
        const std::string kept = keptEntries(sim);
        if (!kept.empty()) note += ". " + std::string(texts::kPKaKeptAt25.in(language)) + kept;
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
    const Solution solution = conditionedSolution(sim);
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
    sim.results.lowIonicStrength = low;
    sim.results.highIonicStrength = high;
    return {};
}

} // namespace

namespace {

// A titration study in given conditions: its beaker (the two columns mixed in the two-acid
// study) and the burette's strong reagent with its counter-ion, volumes in the unit of vol1,
// and the forms its boxes show, in the order the study writes them.
class ConditionedStudy {
  public:
    // `diluted`: the concentrations in the mixture, whatever the dilution box says.
    ConditionedStudy(const Simulation& sim, const FreeTitration& t, const Conditions& conditions,
                     bool diluted = false)
        : m_sim(sim), m_titration(t), m_balance(t.beaker, t.beakerVolume, t.burette, conditions),
          m_diluted(diluted || sim.graph.isChecked(kDilutionBox)) {
        const ChemicalState& s = sim.state;
        m_two = s.study == Study::TwoMonoTitration;
        const std::array<int, 4> boxes =
            m_two ? std::array<int, 4>{2, 3, 6, 7} : std::array<int, 4>{2, 3, 4, 5};
        for (int k = 0; k < 4; ++k) {
            m_present[static_cast<std::size_t>(k)] = sim.graph.isVisible(boxes[k]);
            if (!m_present[static_cast<std::size_t>(k)]) continue;
            const int solute = m_two ? k / 2 : 0;
            const int j = m_two ? k % 2 : k;
            const int n = t.beaker.solutes[static_cast<std::size_t>(solute)].system.acidities();
            // A box beyond the system's forms (none such is shown) holds nothing: -1.
            m_species.push_back({k, solute,
                                 j > n                             ? -1
                                 : s.side == BuretteSide::BaseSide ? n - j
                                                                   : j});
        }
    }

    ConditionedBalance& balance() { return m_balance; }
    std::size_t speciesCount() const { return m_species.size(); }

    // What a row of the table or a point of the curves holds at volume v.
    struct Row {
        ConditionedBalance::Point point;
        double hydronium{};                 // mol/L, reported as the study reports it
        std::array<double, 4> species{};    // by box, mol/L, as the study reports them
        std::optional<double> conductivity; // S/m
        double slope{};                     // dpH/dV per unit of the volumes shown
    };
    Row row(double v, const ConditionedBalance::Point& point, bool withSlope) {
        const ChemicalState& s = m_sim.state;
        const double v0 = m_titration.beakerVolume;
        Row r;
        r.point = point;
        const EquilibriumState state =
            mixtureState(m_balance.balance(), m_balance.beaker().solution,
                         m_balance.added().solution, v, point.pH);
        // Undiluted, as the study reports them without its dilution box.
        const bool diluted = m_diluted;
        const double factor = diluted ? 1 : (v0 + v) / v0;
        r.hydronium = factor * state.hydronium;
        // Each acid of the two-acid study at its own concentration before mixing, then.
        for (const SpeciesColumn& k : m_species) {
            const double own = !m_two || diluted ? factor : (v0 + v) / (k.solute ? s.vol2 : s.vol1);
            r.species[static_cast<std::size_t>(k.box)] =
                k.form < 0 ? 0
                           : own * state.beaker[static_cast<std::size_t>(k.solute)]
                                       .forms[static_cast<std::size_t>(k.form)];
        }
        r.conductivity = state.conductivity;
        if (withSlope) r.slope = m_balance.slope(v, point) / s.volumeFactor;
        return r;
    }
    bool present(int box) const { return m_present[static_cast<std::size_t>(box)]; }

  private:
    struct SpeciesColumn {
        int box, solute, form;
    };
    const Simulation& m_sim;
    const FreeTitration& m_titration;
    ConditionedBalance m_balance;
    bool m_diluted{false};
    bool m_two{false};
    std::array<bool, 4> m_present{};
    std::vector<SpeciesColumn> m_species;
};

// The drawn curves at the volumes the study drew them: the pH, [H3O+], the species and the
// conductivity of their ticked boxes, dpH/dV when asked.
void applyToCurves(Simulation& sim, ConditionedStudy& study) {
    CurveSet& curves = sim.results.curves;
    const double scale = sim.results.concentrationScale;
    const double volumeFactor = sim.state.volumeFactor;
    const bool derivative = sim.reading.options.derivative;
    if (derivative) sim.reading.derivative.clear();
    double guessPH = NAN, guessStrength = NAN;
    Series& pH = curves[1];
    for (std::size_t i = 0; i < pH.size(); ++i) {
        const double v = pH[i].x / volumeFactor;
        const ConditionedStudy::Row r =
            study.row(v, study.balance().solve(v, guessPH, guessStrength), derivative);
        guessPH = r.point.pH;
        guessStrength = r.point.ionicStrength;
        pH[i].y = r.point.pH;
        // Every ticked series holds one point per point of the pH curve.
        auto set = [&](int series, double y) {
            if (curves[series].size() == pH.size()) curves[series][i].y = y;
        };
        set(6, r.hydronium * scale);
        for (int k = 0; k < 4; ++k)
            if (study.present(k)) set(k + 2, r.species[static_cast<std::size_t>(k)] * scale);
        set(8, r.conductivity.value_or(0));
        if (derivative) sim.reading.derivative.push_back({pH[i].x, r.slope});
    }
    // The largest conductivity is drawn at height 10, as the study draws it.
    Series& sigma = curves[8];
    double top = 0;
    for (const CurvePoint& p : sigma) top = std::max(top, p.y);
    sim.results.conductivityScale = top > 0 ? 10 / top : 1;
    for (CurvePoint& p : sigma) p.y *= sim.results.conductivityScale;
}

void applyToDilutionCurve(Simulation& sim, const Conditions& conditions) {
    const Solution solution = conditionedSolution(sim);
    for (CurvePoint& p : sim.results.curves[1]) {
        Solution diluted = solution;
        for (Solute& s : diluted.solutes) s.concentration = std::pow(10.0, -p.x);
        p.y = equilibriumOf(diluted, conditions).pH;
    }
}

} // namespace

std::string applyConditionsToTable(Simulation& sim, const Conditions& conditions) {
    const ChemicalState& s = sim.state;
    if (s.study == Study::Dilution) return applyToDilution(sim, conditions);
    const std::optional<FreeTitration> t = conditionedTitration(sim);
    if (!t) return "the species and mixture studies are computed ideal at 25 °C only";
    ExportTable& table = sim.results.exportTable;
    ConditionedStudy study(sim, *t, conditions);
    const std::size_t species = study.speciesCount();
    const bool conductivity = s.conductivityAvailable;
    const bool derivative = sim.reading.options.derivative;
    const std::size_t expected = 3 + species + (conductivity ? 1 : 0) + (derivative ? 1 : 0);
    if (table.columns.size() != expected) return "the study's table has columns of its own";
    const bool byPH = sim.exportSettings.copySampling == CopySampling::ByPH;

    ConditionedBalance& balance = study.balance();
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
        const ConditionedStudy::Row r = study.row(v, point, derivative);
        std::size_t c = 0;
        table.columns[c++].values[i] = v;
        table.columns[c++].values[i] = point.pH;
        table.columns[c++].values[i] = r.hydronium;
        for (int k = 0; k < 4; ++k)
            if (study.present(k))
                table.columns[c++].values[i] = r.species[static_cast<std::size_t>(k)];
        if (conductivity) table.columns[c++].values[i] = r.conductivity.value_or(NAN);
        if (derivative) table.columns[c++].values[i] = r.slope;
    }
    // The engine knows the conductivity only of solutes whose ions it has the λ° of: the
    // column goes when it has no value.
    const std::size_t conductivityColumn = 3 + species;
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
    sim.results.lowIonicStrength = low;
    sim.results.highIonicStrength = high;
    return {};
}

void applyConditions(Simulation& sim) {
    sim.results.lowIonicStrength = sim.results.highIonicStrength = 0;
    sim.results.conditionsRefusal.clear();
    const Conditions& conditions = sim.conditions;
    if (conditions.standard()) return;
    const ChemicalState& s = sim.state;
    if (s.study == Study::Dilution) {
        applyToDilutionCurve(sim, conditions);
    } else if (const std::optional<FreeTitration> t = conditionedTitration(sim)) {
        ConditionedStudy study(sim, *t, conditions);
        applyToCurves(sim, study);
    } else {
        sim.results.conditionsRefusal = texts::kIdealStudiesOnly.in(sim.language);
        return;
    }
    const std::string refusal = applyConditionsToTable(sim, conditions);
    if (!refusal.empty()) {
        sim.results.conditionsRefusal = refusal;
        return;
    }
    // The readings of the closed forms hold for ideal solutions at 25 °C only: in other
    // conditions the general engine finds the remarkable points of the titration.
    sim.reading.points.clear();
    const bool wanted = sim.reading.options.equivalences || sim.reading.options.indicator >= 0;
    if (const std::optional<FreeTitration> t = conditionedTitration(sim); t && wanted)
        for (const FreeEquivalence& e : freeEquivalences(*t, conditions).points)
            sim.reading.points.push_back(equivalenceReadingOf(e));
    const std::string said = conditionsTitle(conditions, sim.language);
    if (!said.empty()) sim.results.plot.chartTitle += " (" + said + ")";
}

std::optional<ExactPoint> conditionedPointAt(const Simulation& sim, double volume) {
    const ChemicalState& s = sim.state;
    const std::optional<FreeTitration> t = conditionedTitration(sim);
    if (!t || !(volume >= 0) || !std::isfinite(volume)) return std::nullopt;
    ConditionedStudy study(sim, *t, sim.conditions, true);
    const ConditionedStudy::Row r = study.row(volume, study.balance().solve(volume), false);
    ExactPoint p;
    p.volume = volume;
    p.pH = r.point.pH;
    p.hydronium = r.hydronium;
    const bool two = s.study == Study::TwoMonoTitration;
    const auto& labels = sim.results.speciesLabels;
    for (int k = 0; k < 4; ++k)
        if (study.present(k))
            p.species.emplace_back(two ? labels[k / 2][k % 2] : labels[0][k],
                                   r.species[static_cast<std::size_t>(k)]);
    if (s.conductivityAvailable) p.conductivity = r.conductivity;
    return p;
}

std::optional<double> typedTemperature(const std::string& text) {
    const BoundedNumber n = ParseBoundedNumber(text, kMinTemperature, kMaxTemperature);
    if (!n.ok) return std::nullopt;
    return n.value;
}

std::string temperatureRefusal(Language language) {
    return std::string(texts::kTemperatureCelsius.in(language)) + kColon.in(language) +
           texts::kExpectedTemperature.in(language);
}

std::string formatTemperature(double celsius, char separator) {
    return formatGeneral(celsius, 4, separator);
}

std::string keptAt25Text(const Simulation& sim) {
    if (sim.conditions.temperature == kStandardTemperature) return {};
    const Language language = sim.language;
    switch (sim.panel.study) {
    case Study::FreeSolutions:
        if (!sim.freeStudy.result.titration) return {};
        return freeKeptAt25Message(*sim.freeStudy.result.titration, sim.conditions.temperature,
                                   language);
    case Study::TitrationVsVolume:
    case Study::Dilution:
    case Study::TwoMonoTitration: {
        const std::string kept = keptEntries(sim);
        return kept.empty() ? kept : std::string(texts::kPKaKeptAt25.in(language)) + kept;
    }
    default:
        return {};
    }
}

std::string conditionsStatus(const Simulation& sim) {
    if (sim.conditions.standard()) return {};
    if (!sim.results.conditionsRefusal.empty()) return sim.results.conditionsRefusal;
    if (!sim.conditions.ideal() && sim.results.highIonicStrength > kDaviesMaxIonicStrength)
        return texts::kBeyondDavies.in(sim.language);
    return {};
}

std::vector<std::string> conditionsLines(const Simulation& sim) {
    const Conditions& conditions = sim.conditions;
    if (conditions.standard() || !sim.results.conditionsRefusal.empty()) return {};
    const Language language = sim.language;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    std::vector<std::string> lines;
    if (conditions.temperature != kStandardTemperature)
        lines.push_back(std::string(texts::kTemperatureCelsius.in(language)) + " = " +
                        formatTemperature(conditions.temperature, separator));
    if (!conditions.ideal()) {
        const double low = sim.results.lowIonicStrength, high = sim.results.highIonicStrength;
        lines.push_back(std::string(texts::kWithActivities.in(language)) + " (Davies)");
        std::string strength = "I = " + formatGeneral(low, 3, separator);
        if (formatGeneral(high, 3, separator) != formatGeneral(low, 3, separator))
            strength += texts::kStrengthRangeTo.in(language) + formatGeneral(high, 3, separator);
        lines.push_back(strength + " mol/L");
    }
    return lines;
}

std::string conditionsTitle(const Conditions& conditions, Language language) {
    std::string out;
    if (!conditions.ideal()) out = texts::kWithActivities.in(language);
    if (conditions.temperature != kStandardTemperature)
        out += (out.empty() ? "" : ", ") +
               formatGeneral(conditions.temperature, 4, language == Language::French ? ',' : '.') +
               " °C";
    return out;
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
        const Conditions conditions{celsius, sim.conditions.activities};
        // The study's own table, solved again at the temperature below.
        one.conditions = {};
        RefreshSimulation(one, notifier);
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
