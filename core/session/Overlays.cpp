#include "core/session/Overlays.h"

#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/FreeFit.h"
#include "core/session/Refresh.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/OverlayTexts.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace titralab {

CurveInputs currentInputs(const Simulation& sim, const FieldValues& given) {
    CurveInputs in;
    in.side = sim.state.side;
    in.study = sim.state.study;
    in.row1 = sim.state.row1;
    in.row2 = sim.state.row2;
    in.entryName = entryOf(in.side, in.row1).name(sim.language);
    in.conditions = sim.conditions;
    const bool titration =
        in.study == Study::TitrationVsVolume || in.study == Study::TwoMonoTitration;
    const bool twoAcids = in.study == Study::TwoMonoTitration || in.study == Study::TwoPolyMixture;
    for (int field : kChemistryFields) {
        const auto [low, high] = fieldBounds(field);
        in.values[field] = ParseBoundedNumber(sim.panel.text[field], low, high).value;
    }
    for (const auto& [field, value] : given) {
        const auto [low, high] = fieldBounds(field);
        in.values[field] = boundedValue(value, low, high).value;
    }
    // The fields each study reads; the second and third pKa as the database entry shows them.
    in.used[1] = titration || in.study == Study::TwoPolyMixture;
    in.used[2] = in.used[3] = in.study != Study::Dilution;
    in.used[4] = true;
    in.used[5] = sim.panel.shown(Field::PKa2) && in.study != Study::TwoMonoTitration;
    in.used[6] = sim.panel.shown(Field::PKa3) && in.study != Study::TwoMonoTitration;
    in.used[12] = in.used[13] = in.used[14] = twoAcids;
    in.used[15] = twoAcids && sim.panel.shown(Field::PKa2_2) && in.study != Study::TwoMonoTitration;
    in.used[16] = twoAcids && sim.panel.shown(Field::PKa2_3) && in.study != Study::TwoMonoTitration;
    if (in.study == Study::FreeSolutions)
        for (const FreeRowValue& v : freeRowValues(sim))
            if (const std::optional<double> number = freeRowValueIn(sim, v))
                in.freeValues.push_back(
                    describeFreeRowValue(sim.freeStudy.inputs, v, *number, sim.language));
    return in;
}

namespace {

// Splits the table text into its lines (each ended by a carriage return).
std::vector<std::string> tableLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

int fieldCount(const std::string& line) {
    return line.empty() ? 0 : static_cast<int>(std::count(line.begin(), line.end(), '\t')) + 1;
}

// Messages are not shown: the values were checked before.
class SilentNotifier : public Notifier {
  public:
    void inform(const std::string&) override {}
    void error(const std::string&) override {}
};

// The series a kept curve copies: the pH curve, or the species curves of the species study.
OverlayCurve keepCurves(const Simulation& sim, const FieldValues& given = {}) {
    OverlayCurve curve;
    curve.inputs = currentInputs(sim, given);
    const double factor = sim.state.volumeFactor > 0 ? sim.state.volumeFactor : 1;
    auto keep = [&](int number) {
        Series points = sim.results.curves[number];
        for (CurvePoint& p : points) p.x /= factor;
        if (!points.empty()) curve.series.emplace_back(number, std::move(points));
    };
    if (sim.state.study == Study::SpeciesVsPH)
        for (int number = 2; number <= 5; ++number) keep(number);
    else if (sim.state.study != Study::TwoPolyMixture && sim.state.study != Study::None)
        keep(1);
    return curve;
}

// The abscissa of the export table as the table writes it (volumes unscaled).
std::string abscissaHeader(const Simulation& sim) {
    const std::vector<std::string> lines = tableLines(sim.results.exportText);
    if (lines.size() < 2) return "x";
    const std::string& header = lines[1];
    return header.substr(0, header.find('\t'));
}

void appendColumns(Simulation& sim) {
    if (sim.overlays.curves.empty() || sim.state.study == Study::TwoPolyMixture) return;
    std::vector<std::string> lines = tableLines(sim.results.exportText);
    if (lines.size() < 2) return;
    const int tableFields = fieldCount(lines[1]);
    const std::string xName = abscissaHeader(sim);
    std::vector<std::vector<std::string>> columns; // each column: header, then values
    for (const OverlayCurve& curve : sim.overlays.curves) {
        if (curve.series.empty()) continue;
        const std::string tag = " (" + curve.label + ")";
        std::vector<std::string> x{xName + tag};
        for (const CurvePoint& p : curve.series.front().second)
            x.push_back(FormatValue(p.x, sim.exportSettings.decimalComma, sim.exportSettings.digits));
        columns.push_back(std::move(x));
        for (const auto& [number, points] : curve.series) {
            const std::string name =
                number == 1 ? std::string("pH") : sim.graph.captions[number - 2];
            std::vector<std::string> y{name + tag};
            for (const CurvePoint& p : points)
                y.push_back(FormatValue(p.y, sim.exportSettings.decimalComma, sim.exportSettings.digits));
            columns.push_back(std::move(y));
        }
    }
    std::size_t rows = 0;
    for (const auto& column : columns) rows = std::max(rows, column.size());
    // Line 0 is the warning line; the header is line 1, the data from line 2.
    while (lines.size() < rows + 1) lines.push_back(std::string(tableFields - 1, '\t'));
    std::string out = lines[0] + '\r';
    for (std::size_t line = 1; line < lines.size(); ++line) {
        out += lines[line];
        const std::size_t row = line - 1;
        for (const auto& column : columns) out += '\t' + (row < column.size() ? column[row] : "");
        out += '\r';
    }
    sim.results.exportText = out;
}

} // namespace

namespace {
void nameAndTable(Simulation& sim);
} // namespace

FreezeOutcome FreezeCurrentCurve(Simulation& sim) {
    if (sim.overlays.curves.size() >= static_cast<std::size_t>(kMaxFrozenCurves))
        return FreezeOutcome::Full;
    OverlayCurve curve = keepCurves(sim);
    if (curve.series.empty()) return FreezeOutcome::NothingToFreeze;
    curve.label = differenceLabel(curve.inputs, currentInputs(sim), sim.language);
    sim.overlays.curves.push_back(std::move(curve));
    nameAndTable(sim);
    markStudyChanged(sim);
    return FreezeOutcome::Frozen;
}

void RemoveOverlay(Simulation& sim, int index) {
    auto& curves = sim.overlays.curves;
    if (index < 0 || index >= static_cast<int>(curves.size())) return;
    // The family keeps its members in the order of its curves.
    if (curves[index].family && sim.overlays.family) {
        const auto member = std::count_if(curves.begin(), curves.begin() + index,
                                          [](const OverlayCurve& c) { return c.family; });
        auto& members = sim.overlays.family->members;
        if (member < static_cast<long>(members.size())) members.erase(members.begin() + member);
    }
    curves.erase(curves.begin() + index);
    nameAndTable(sim);
    markStudyChanged(sim);
}

void ClearOverlays(Simulation& sim) {
    if (!sim.overlays.curves.empty() || sim.overlays.family) markStudyChanged(sim);
    sim.overlays.curves.clear();
    sim.overlays.family.reset();
    nameAndTable(sim);
}

namespace {

// Names the kept curves against the current values and rebuilds the export table's columns.
void nameAndTable(Simulation& sim) {
    auto& curves = sim.overlays.curves;
    const CurveInputs now = currentInputs(sim);
    curves.erase(std::remove_if(curves.begin(), curves.end(),
                                [&](const OverlayCurve& c) {
                                    return c.inputs.study != now.study || c.inputs.side != now.side;
                                }),
                 curves.end());
    if (sim.overlays.family && !sim.overlays.family->pending &&
        std::none_of(curves.begin(), curves.end(), [](const OverlayCurve& c) { return c.family; }))
        sim.overlays.family.reset();
    const Language language = sim.language;
    std::vector<std::string> differing;
    for (OverlayCurve& c : curves) {
        c.label = differenceLabel(c.inputs, now, language);
        // The current curve is named by its own values of what differs.
        const std::string mine = differenceLabel(now, c.inputs, language);
        if (mine != texts::kSameValues.in(language) &&
            std::find(differing.begin(), differing.end(), mine) == differing.end())
            differing.push_back(mine);
    }
    sim.overlays.currentLabel =
        differing.size() == 1 ? differing.front() : texts::kCurrentCurve.in(language);
    sim.results.exportText = sim.overlays.plainTable;
    appendColumns(sim);
}

} // namespace

namespace {
OverlayCurve computeMember(const Simulation& sim, const FamilyMember& member);
} // namespace

void RefreshOverlays(Simulation& sim) {
    sim.overlays.plainTable = sim.results.exportText;
    // A family read from a file: its curves from the values now typed.
    if (sim.overlays.family && sim.overlays.family->pending) {
        sim.overlays.family->pending = false;
        auto& members = sim.overlays.family->members;
        for (auto m = members.begin(); m != members.end();) {
            OverlayCurve curve = computeMember(sim, *m);
            if (curve.series.empty()) {
                m = members.erase(m);
                continue;
            }
            sim.overlays.curves.push_back(std::move(curve));
            ++m;
        }
    }
    nameAndTable(sim);
}

namespace {

// What a member's computation starts from: the inputs of the simulation (the study, the side,
// the entries, the panel, the graph's and the table's options), without its curves, tables,
// kept curves or measurements.
Simulation inputsOf(const Simulation& sim) {
    Simulation inputs;
    inputs.language = sim.language;
    inputs.state = sim.state;
    inputs.panel = sim.panel;
    inputs.browser = sim.browser;
    inputs.graph = sim.graph;
    inputs.results.plot = sim.results.plot;
    inputs.results.concentrationScale = sim.results.concentrationScale;
    inputs.results.conductivityScale = sim.results.conductivityScale;
    inputs.results.spanFactor = sim.results.spanFactor;
    inputs.reading.options = sim.reading.options;
    inputs.exportSettings.decimalComma = sim.exportSettings.decimalComma;
    inputs.exportSettings.copySampling = sim.exportSettings.copySampling;
    inputs.exportSettings.digits = sim.exportSettings.digits;
    inputs.exportSettings.diagrams = sim.exportSettings.diagrams;
    inputs.freeStudy.inputs = sim.freeStudy.inputs;
    inputs.freeStudy.database = sim.freeStudy.database;
    inputs.conditions = sim.conditions;
    return inputs;
}

OverlayCurve computeMember(const Simulation& sim, const FamilyMember& member) {
    SilentNotifier silent;
    const FieldValues values = memberValues(member);
    OverlayCurve curve = keepCurves(computedMember(sim, values, silent), values);
    curve.family = true;
    return curve;
}

// The member gives the values typed: the current curve shows it.
bool isCurrent(const Simulation& sim, const FamilyMember& member) {
    return std::all_of(member.fields.begin(), member.fields.end(), [&](const auto& f) {
        const auto [low, high] = fieldBounds(f.first);
        const BoundedNumber typed = ParseBoundedNumber(sim.panel.text[f.first], low, high);
        const BoundedNumber given = ParseBoundedNumber(f.second, low, high);
        return typed.ok && given.ok && typed.value == given.value;
    });
}

// The field whose range bounds the values themselves; for a row of the free study, a field of
// the same range (a concentration, a pKa).
int boundingField(const FamilyQuantity& q) {
    if (q.freeRow) return q.freeRow->pK == 0 ? 2 : 4;
    if (q.temperature) return kTemperatureQuantity;
    return q.dilution || q.fields.empty() ? kDilutionFactor : q.fields.front();
}

// Every value checked against the range of each field it sets.
ValueList checked(const Simulation& sim, const FamilyQuantity& q, ValueList list) {
    if (!list.refusal.empty() || q.freeRow || q.temperature) return list;
    const Language language = sim.language;
    for (double v : list.values) {
        const FamilyMember m = familyMember(sim, q, v);
        for (const auto& [field, text] : m.fields) {
            const auto [low, high] = fieldBounds(field);
            if (ParseBoundedNumber(text, low, high).ok) continue;
            ValueList refused;
            refused.refusal = texts::kFamilyValueRefused.in(language) +
                              fieldQuantity(field, sim.panel.side, language).label +
                              kColon.in(language) + formatGeneral(std::stod(text), 3, ',') +
                              texts::kFrom.in(language) + formatGeneral(low, 3, ',') +
                              texts::kTo.in(language) + formatGeneral(high, 3, ',') + ")";
            return refused;
        }
    }
    return list;
}

} // namespace

Simulation computedMember(const Simulation& sim, const FieldValues& values, Notifier& notifier) {
    Simulation member = inputsOf(sim);
    RefreshSimulation(member, notifier, values);
    return member;
}

std::vector<int> dilutedFields(const Simulation& sim) {
    // As the panel's study reads them (the state may not be computed yet).
    const Study study = sim.panel.study;
    const bool titration = study == Study::TitrationVsVolume || study == Study::TwoMonoTitration;
    const bool twoAcids = study == Study::TwoMonoTitration || study == Study::TwoPolyMixture;
    std::vector<int> fields;
    if (titration || study == Study::TwoPolyMixture) fields.push_back(1);
    if (study != Study::Dilution && study != Study::None) fields.push_back(2);
    if (twoAcids) fields.push_back(12);
    return fields;
}

FamilyMember familyMember(const Simulation& sim, const FamilyQuantity& q, double value) {
    FamilyMember m;
    if (q.dilution) {
        for (int f : dilutedFields(sim)) {
            const auto [low, high] = fieldBounds(f);
            const double typed = ParseBoundedNumber(sim.panel.text[f], low, high).value;
            m.fields.emplace_back(f, fieldText(typed / value));
        }
    } else {
        for (int f : q.fields) m.fields.emplace_back(f, fieldText(value));
    }
    return m;
}

ValueList parseFamilyValues(const Simulation& sim, const FamilyQuantity& q,
                            const std::string& text) {
    return checked(sim, q, parseValueList(boundingField(q), sim.panel.side, text, sim.language));
}

ValueList familyRange(const Simulation& sim, const FamilyQuantity& q, RangeKind kind,
                      const std::string& first, const std::string& last, const std::string& count) {
    return checked(
        sim, q,
        valueRange(boundingField(q), sim.panel.side, kind, first, last, count, sim.language));
}

namespace {

// A family kept as kept curves only (a study file keeps the families of the panel's fields):
// the study computed again for each value but `current`, which the current curve shows, each
// member given its value by `give`.
void drawKeptFamily(Simulation& sim, const std::vector<double>& values, double current,
                    const std::function<void(Simulation&, double)>& give, Notifier& notifier) {
    std::vector<OverlayCurve> members;
    for (double v : values) {
        if (v == current) continue;
        Simulation member = inputsOf(sim);
        give(member, v);
        SilentNotifier silent;
        RefreshSimulation(member, silent);
        OverlayCurve curve = keepCurves(member);
        if (curve.series.empty()) continue;
        curve.family = true;
        members.push_back(std::move(curve));
    }
    sim.overlays.curves = std::move(members);
    sim.overlays.family.reset();
    markStudyChanged(sim);
    RefreshSimulation(sim, notifier);
}

// A family of the free study: the study computed again with the row's value at each number.
void drawFreeFamily(Simulation& sim, const FreeRowValue& row, const std::vector<double>& values,
                    Notifier& notifier) {
    const std::optional<double> typed = freeRowValueIn(sim, row);
    if (!typed) return;
    drawKeptFamily(
        sim, values, *typed,
        [&row](Simulation& member, double v) {
            member.freeStudy.given = {{row, v}};
        },
        notifier);
}

// A family of temperatures: the study computed again at each, with the activities it has; the
// curves are named by their temperature.
void drawTemperatureFamily(Simulation& sim, const std::vector<double>& values, Notifier& notifier) {
    drawKeptFamily(
        sim, values, sim.conditions.temperature,
        [](Simulation& member, double celsius) { member.conditions.temperature = celsius; },
        notifier);
}

} // namespace

void DrawFamily(Simulation& sim, const FamilyQuantity& quantity, const std::vector<double>& values,
                Notifier& notifier) {
    if (values.empty()) return;
    if (quantity.freeRow) {
        drawFreeFamily(sim, *quantity.freeRow, values, notifier);
        return;
    }
    if (quantity.temperature) {
        drawTemperatureFamily(sim, values, notifier);
        return;
    }
    Family family;
    std::vector<OverlayCurve> members;
    for (double v : values) {
        FamilyMember member = familyMember(sim, quantity, v);
        if (isCurrent(sim, member)) continue;
        OverlayCurve curve = computeMember(sim, member);
        if (curve.series.empty()) continue;
        members.push_back(std::move(curve));
        family.members.push_back(std::move(member));
    }
    sim.overlays.curves = std::move(members);
    sim.overlays.family = std::move(family);
    markStudyChanged(sim);
    RefreshSimulation(sim, notifier);
}

} // namespace titralab
