#include "core/curves/Overlays.h"

#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/curves/ExportTable.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/Notifier.h"
#include "core/panel/Simulation.h"
#include "core/texts/OverlayTexts.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace titralab {

namespace {

constexpr std::array<int, 11> kFields{1, 2, 3, 4, 5, 6, 12, 13, 14, 15, 16};

bool isConcentration(int field) {
    return field == 1 || field == 2 || field == 12;
}
bool isVolume(int field) {
    return field == 3 || field == 13;
}

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

// A field's accepted range in a refusal: " (de 1E-8 à 15)".
constexpr Text kFrom{" (de ", " (from "};
constexpr Text kTo{" à ", " to "};

// Messages are not shown: the values were checked before.
class SilentNotifier : public Notifier {
  public:
    void inform(const std::string&) override {}
    void error(const std::string&) override {}
};

} // namespace

FieldQuantity fieldQuantity(int field, BuretteSide side, Language language) {
    const int s = side == BuretteSide::AcidSide ? 0 : 1;
    const int base = field >= 12 ? field - 10 : field;
    const std::string suffix = field >= 12 ? texts::kColumn2Suffix.in(language) : "";
    switch (base) {
    case 1:
        return {texts::kBuretteConcLabel[s].in(language), "mol/L"};
    case 2:
        return {texts::kBeakerConcLabel[s].in(language) + suffix, "mol/L"};
    case 3:
        return {texts::kBeakerVolumeLabel[s].in(language) + suffix, "L"};
    case 4:
        return {"pKa" + suffix, ""};
    case 5:
        return {"pKa2" + suffix, ""};
    case 6:
        return {"pKa3" + suffix, ""};
    default:
        return {"D" + std::to_string(field), ""};
    }
}

std::string describeValue(int field, BuretteSide side, double value, Language language) {
    const FieldQuantity q = fieldQuantity(field, side, language);
    std::string text = q.label + " = " + formatGeneral(value, 3, ',');
    if (!q.unit.empty()) text += " " + q.unit;
    return text;
}

std::pair<double, double> fieldBounds(int field) {
    if (isConcentration(field)) return {1e-8, 15};
    if (isVolume(field)) return {1e-5, 100};
    return {kMinPK, kMaxPK};
}

std::string fieldText(double value) {
    return formatGeneral(value, 6, '.');
}

CurveInputs currentInputs(const Simulation& sim) {
    CurveInputs in;
    in.side = sim.state.side;
    in.study = sim.state.study;
    in.row1 = sim.state.row1;
    in.row2 = sim.state.row2;
    in.entryName = entryOf(in.side, in.row1).name(sim.language);
    const bool titration =
        in.study == Study::TitrationVsVolume || in.study == Study::TwoMonoTitration;
    const bool twoAcids = in.study == Study::TwoMonoTitration || in.study == Study::TwoPolyMixture;
    for (int field : kFields) {
        const auto [low, high] = fieldBounds(field);
        in.values[field] = ParseBoundedNumber(sim.panel.text[field], low, high).value;
    }
    // The fields each study reads; the second and third pKa as the database entry shows them.
    in.used[1] = titration || in.study == Study::TwoPolyMixture;
    in.used[2] = in.used[3] = in.study != Study::Dilution;
    in.used[4] = true;
    in.used[5] = sim.panel.visible[5] && in.study != Study::TwoMonoTitration;
    in.used[6] = sim.panel.visible[6] && in.study != Study::TwoMonoTitration;
    in.used[12] = in.used[13] = in.used[14] = twoAcids;
    in.used[15] = twoAcids && sim.panel.visible[15] && in.study != Study::TwoMonoTitration;
    in.used[16] = twoAcids && sim.panel.visible[16] && in.study != Study::TwoMonoTitration;
    return in;
}

std::string differenceLabel(const CurveInputs& curve, const CurveInputs& current,
                            Language language) {
    std::vector<std::string> parts;
    if (curve.row1 != current.row1 && !curve.entryName.empty()) parts.push_back(curve.entryName);
    for (int field : kFields) {
        if (!curve.used[field] && !current.used[field]) continue;
        if (curve.values[field] == current.values[field]) continue;
        parts.push_back(describeValue(field, curve.side, curve.values[field], language));
    }
    if (parts.empty()) return texts::kSameValues.in(language);
    std::string label = parts.front();
    for (std::size_t k = 1; k < parts.size(); ++k) label += kSemicolon.in(language) + parts[k];
    return label;
}

namespace {

// The series a kept curve copies: the pH curve, or the species curves of the species study.
OverlayCurve keepCurves(const Simulation& sim) {
    OverlayCurve curve;
    curve.inputs = currentInputs(sim);
    const double factor = sim.state.volumeFactor > 0 ? sim.state.volumeFactor : 1;
    auto keep = [&](int number) {
        Series points = sim.curves[number];
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
    const std::vector<std::string> lines = tableLines(sim.exportText);
    if (lines.size() < 2) return "x";
    const std::string& header = lines[1];
    return header.substr(0, header.find('\t'));
}

void appendColumns(Simulation& sim) {
    if (sim.overlays.curves.empty() || sim.state.study == Study::TwoPolyMixture) return;
    std::vector<std::string> lines = tableLines(sim.exportText);
    if (lines.size() < 2) return;
    const int tableFields = fieldCount(lines[1]);
    const std::string xName = abscissaHeader(sim);
    std::vector<std::vector<std::string>> columns; // each column: header, then values
    for (const OverlayCurve& curve : sim.overlays.curves) {
        if (curve.series.empty()) continue;
        const std::string tag = " (" + curve.label + ")";
        std::vector<std::string> x{xName + tag};
        for (const CurvePoint& p : curve.series.front().second)
            x.push_back(FormatValue(p.x, sim.decimalComma, sim.exportDigits));
        columns.push_back(std::move(x));
        for (const auto& [number, points] : curve.series) {
            const std::string name =
                number == 1 ? std::string("pH") : sim.graph.captions[number - 2];
            std::vector<std::string> y{name + tag};
            for (const CurvePoint& p : points)
                y.push_back(FormatValue(p.y, sim.decimalComma, sim.exportDigits));
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
    sim.exportText = out;
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
    return FreezeOutcome::Frozen;
}

void RemoveOverlay(Simulation& sim, int index) {
    auto& curves = sim.overlays.curves;
    if (index < 0 || index >= static_cast<int>(curves.size())) return;
    curves.erase(curves.begin() + index);
    nameAndTable(sim);
}

void ClearOverlays(Simulation& sim) {
    sim.overlays.curves.clear();
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
    sim.exportText = sim.overlays.plainTable;
    appendColumns(sim);
}

} // namespace

void RefreshOverlays(Simulation& sim) {
    sim.overlays.plainTable = sim.exportText;
    nameAndTable(sim);
}

Series overlayPoints(const OverlayCurve& curve, std::size_t k, double volumeFactor) {
    Series points = curve.series[k].second;
    if (volumeFactor > 0)
        for (CurvePoint& p : points) p.x *= volumeFactor;
    return points;
}

ValueList parseValueList(int field, BuretteSide side, const std::string& text, Language language) {
    ValueList out;
    std::string item;
    const std::pair<double, double> bounds = fieldBounds(field);
    const double low = bounds.first;
    const double high = bounds.second;
    auto take = [&]() -> bool {
        const auto first = item.find_first_not_of(" \t\n");
        if (first == std::string::npos) {
            item.clear();
            return true;
        }
        const std::string trimmed = item.substr(first, item.find_last_not_of(" \t\n") - first + 1);
        item.clear();
        const BoundedNumber n = ParseBoundedNumber(trimmed, low, high);
        if (!n.ok) {
            out.refusal = texts::kFamilyValueRefused.in(language) +
                          fieldQuantity(field, side, language).label + kColon.in(language) +
                          trimmed.substr(0, 40) + kFrom.in(language) + formatGeneral(low, 3, ',') +
                          kTo.in(language) + formatGeneral(high, 3, ',') + ")";
            return false;
        }
        out.values.push_back(n.value);
        return true;
    };
    // A bounded reading: more values than a family holds are refused without reading on.
    for (std::size_t i = 0; i < text.size() && i < 4096; ++i) {
        const char c = text[i];
        if (c == ';' || c == '\n' || c == '\r') {
            if (!take()) return out;
        } else {
            item += c;
        }
        if (out.values.size() > static_cast<std::size_t>(kMaxFamilyValues)) break;
    }
    if (!take()) return out;
    if (out.values.size() < 2 || out.values.size() > static_cast<std::size_t>(kMaxFamilyValues)) {
        out.values.clear();
        out.refusal = texts::kFamilyCount.in(language);
    }
    return out;
}

ValueList valueRange(int field, BuretteSide side, RangeKind kind, const std::string& first,
                     const std::string& last, const std::string& count, Language language) {
    ValueList out;
    const ValueList ends = parseValueList(field, side, first + ";" + last, language);
    if (!ends.refusal.empty()) {
        out.refusal = ends.refusal;
        return out;
    }
    const BoundedNumber n = ParseBoundedNumber(count, 2, kMaxFamilyValues);
    if (!n.ok || n.value != std::trunc(n.value)) {
        out.refusal = texts::kFamilyCount.in(language);
        return out;
    }
    const double a = ends.values[0], b = ends.values[1];
    const int m = static_cast<int>(n.value);
    if (kind == RangeKind::Geometric && (a == 0 || b == 0 || (a < 0) != (b < 0))) {
        out.refusal = texts::kFamilyGeometricRefused.in(language);
        return out;
    }
    for (int i = 0; i < m; ++i) {
        const double t = static_cast<double>(i) / (m - 1);
        double v = kind == RangeKind::Arithmetic ? a + t * (b - a) : a * std::pow(b / a, t);
        if (i == m - 1) v = b; // the last value is the one typed, exactly
        // A value is used as the text it is written into the field with.
        out.values.push_back(std::stod(fieldText(v)));
    }
    return out;
}

void DrawFamily(Simulation& sim, int field, const std::vector<double>& values, Notifier& notifier) {
    if (values.empty()) return;
    sim.overlays.curves.clear();
    SilentNotifier silent;
    std::vector<OverlayCurve> members;
    for (std::size_t k = 1; k < values.size(); ++k) {
        Simulation member = sim;
        member.panel.text[field] = fieldText(values[k]);
        RefreshSimulation(member, silent);
        OverlayCurve curve = keepCurves(member);
        curve.family = true;
        if (!curve.series.empty()) members.push_back(std::move(curve));
    }
    sim.panel.text[field] = fieldText(values.front());
    sim.overlays.curves = std::move(members);
    RefreshSimulation(sim, notifier);
}

std::string VaryTable(const Simulation& sim, int field, const std::vector<double>& values,
                      Notifier& notifier) {
    const Study study = sim.panel.study;
    if (study == Study::TwoPolyMixture || study == Study::None) return {};
    std::vector<Simulation> members;
    members.reserve(values.size());
    for (double v : values) {
        Simulation member = sim;
        member.overlays.curves.clear();
        member.panel.text[field] = fieldText(v);
        RefreshSimulation(member, notifier);
        members.push_back(std::move(member));
    }
    const BuretteSide side = sim.panel.side;
    const Language language = sim.language;
    const bool comma = sim.decimalComma;
    const int digits = sim.exportDigits;
    auto number = [&](double x) { return FormatValue(x, comma, digits); };
    std::ostringstream out;
    const int n = members.empty() ? 0 : members.front().state.pointCount;
    if (study == Study::TitrationVsVolume || study == Study::TwoMonoTitration) {
        double span = 0;
        for (const Simulation& m : members) span = std::max(span, m.state.volumeSpan);
        out << (side == BuretteSide::AcidSide ? kVolumeHeader : kAcidVolumeHeader).in(language);
        for (double v : values) out << '\t' << describeValue(field, side, v, language);
        out << '\r';
        for (int i = 0; i < n; ++i) {
            const double v = i * span / (n - 1);
            out << number(v);
            for (const Simulation& m : members)
                out << '\t'
                    << number(study == Study::TwoMonoTitration ? solvePHTwoMono(m.state, v)
                                                               : solvePH(m.state, v));
            out << '\r';
        }
    } else if (study == Study::SpeciesVsPH) {
        out << "pH";
        for (std::size_t k = 0; k < members.size(); ++k)
            for (int box = 2; box <= 5; ++box)
                if (members[k].graph.isVisible(box))
                    out << '\t' << describeValue(field, side, values[k], language)
                        << kColon.in(language) << members[k].graph.captions[box - 2];
        out << '\r';
        for (int i = 0; i < n; ++i) {
            const double pH = PhSweep(0, 14, n, i);
            out << number(pH);
            for (const Simulation& m : members) {
                const double h = workingConcFromPH(m.state, pH);
                for (int box = 2; box <= 5; ++box)
                    if (m.graph.isVisible(box))
                        out << '\t' << number(speciesConc(m.state, box - 2, h, m.state.conc1));
            }
            out << '\r';
        }
    } else {
        const bool acid = side == BuretteSide::AcidSide;
        out << "pH";
        for (double v : values)
            out << '\t' << (acid ? kLogAcidHeader : kLogBaseHeader).in(language)
                << kColon.in(language) << describeValue(field, side, v, language);
        out << '\r';
        for (int i = 0; i < n; ++i) {
            const double pH = PhSweep(acid ? 0 : 14, 7, n, i);
            out << number(pH);
            for (const Simulation& m : members) {
                const double y = dilutionPC(m.state, workingConcFromPH(m.state, pH));
                out << '\t';
                if (y >= 0) out << number(y); // no such concentration: the field stays empty
            }
            out << '\r';
        }
    }
    return out.str();
}

} // namespace titralab
