#include "core/session/VaryTable.h"

#include "core/chemistry/Formulas.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/FreeFit.h"
#include "core/session/Overlays.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/OverlayTexts.h"
#include "core/texts/WindowTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace titralab {

namespace {

TableColumn tableColumn(std::string header, ColumnFormat format, bool charted) {
    TableColumn c;
    c.header = header;
    c.title = std::move(header);
    c.format = format;
    c.charted = charted;
    return c;
}

// The members of a family, each computed with its values.
std::vector<Simulation> familyMembers(const Simulation& sim, const FamilyQuantity& quantity,
                                      const std::vector<double>& values, Notifier& notifier) {
    std::vector<Simulation> members;
    members.reserve(values.size());
    for (double v : values)
        members.push_back(
            computedMember(sim, memberValues(familyMember(sim, quantity, v)), notifier));
    return members;
}

// The regular volumes from 0 to the largest span, and the pH of each member there.
void addTitrationColumns(ExportTable& table, const std::vector<Simulation>& members,
                         const std::vector<std::string>& labels, Study study, BuretteSide side,
                         Language language, int n) {
    double span = 0;
    for (const Simulation& m : members) span = std::max(span, m.state.volumeSpan);
    TableColumn x = tableColumn(
        (side == BuretteSide::AcidSide ? texts::kVolumeHeader : texts::kAcidVolumeHeader)
            .in(language),
        ColumnFormat::Volume, false);
    for (int i = 0; i < n; ++i) x.values.push_back(i * span / (n - 1));
    table.columns.push_back(std::move(x));
    for (std::size_t k = 0; k < members.size(); ++k) {
        TableColumn y = tableColumn(labels[k], ColumnFormat::PH, true);
        const ChemicalState& s = members[k].state;
        for (int i = 0; i < n; ++i) {
            const double v = i * span / (n - 1);
            y.values.push_back(study == Study::TwoMonoTitration ? solvePHTwoMono(s, v)
                                                                : solvePH(s, v));
        }
        table.columns.push_back(std::move(y));
    }
}

// The pH sweep, and the species each member shows.
void addSpeciesColumns(ExportTable& table, const std::vector<Simulation>& members,
                       const std::vector<std::string>& labels, Language language, int n) {
    TableColumn x = tableColumn("pH", ColumnFormat::PH, false);
    for (int i = 0; i < n; ++i) x.values.push_back(PhSweep(0, 14, n, i));
    table.columns.push_back(std::move(x));
    for (std::size_t k = 0; k < members.size(); ++k) {
        const Simulation& m = members[k];
        for (int box = 2; box <= 5; ++box) {
            if (!m.graph.isVisible(box)) continue;
            TableColumn y = tableColumn(labels[k] + kColon.in(language) + m.graph.captions[box - 2],
                                        ColumnFormat::Concentration, true);
            for (int i = 0; i < n; ++i) {
                const double h = workingConcFromPH(m.state, PhSweep(0, 14, n, i));
                y.values.push_back(speciesConc(m.state, box - 2, h, m.state.conc1));
            }
            table.columns.push_back(std::move(y));
        }
    }
}

// The pH sweep of the dilution, and -log c of each member.
void addDilutionColumns(ExportTable& table, const std::vector<Simulation>& members,
                        const std::vector<std::string>& labels, BuretteSide side, Language language,
                        int n) {
    const bool acid = side == BuretteSide::AcidSide;
    TableColumn x = tableColumn("pH", ColumnFormat::PH, false);
    for (int i = 0; i < n; ++i) x.values.push_back(PhSweep(acid ? 0 : 14, 7, n, i));
    table.columns.push_back(std::move(x));
    for (std::size_t k = 0; k < members.size(); ++k) {
        TableColumn y = tableColumn(
            std::string((acid ? texts::kLogAcidHeader : texts::kLogBaseHeader).in(language)) +
                kColon.in(language) + labels[k],
            ColumnFormat::PH, true);
        const Simulation& m = members[k];
        for (int i = 0; i < n; ++i) {
            const double yv =
                dilutionPC(m.state, workingConcFromPH(m.state, PhSweep(acid ? 0 : 14, 7, n, i)));
            // No such concentration: the cell stays empty.
            y.values.push_back(yv >= 0 ? yv : std::numeric_limits<double>::quiet_NaN());
        }
        table.columns.push_back(std::move(y));
    }
}

} // namespace

ExportTable varyColumns(const Simulation& sim, const FamilyQuantity& quantity,
                        const std::vector<double>& values, Notifier& notifier) {
    ExportTable table;
    const Study study = sim.panel.study;
    if (study == Study::FreeSolutions)
        return quantity.freeRow ? freeVaryColumns(sim, *quantity.freeRow, values) : table;
    if (study == Study::TwoPolyMixture || study == Study::None) return table;
    const std::vector<Simulation> members = familyMembers(sim, quantity, values, notifier);
    const BuretteSide side = sim.panel.side;
    const Language language = sim.language;
    // "Ca = 0,1 mol/L", "Cb = 0,1 mol/L ; Ca = 0,1 mol/L", "facteur de dilution = 10".
    std::vector<std::string> labels;
    for (double value : values) {
        if (quantity.dilution || quantity.fields.empty()) {
            labels.push_back(describeValue(kDilutionFactor, side, value, language));
            continue;
        }
        std::string label;
        for (int f : quantity.fields)
            label += (label.empty() ? "" : kSemicolon.in(language)) +
                     describeValue(f, side, value, language);
        labels.push_back(label);
    }
    const int n = members.empty() ? 0 : members.front().state.pointCount;
    if (study == Study::TitrationVsVolume || study == Study::TwoMonoTitration)
        addTitrationColumns(table, members, labels, study, side, language, n);
    else if (study == Study::SpeciesVsPH)
        addSpeciesColumns(table, members, labels, language, n);
    else
        addDilutionColumns(table, members, labels, side, language, n);
    return table;
}

std::string VaryTable(const Simulation& sim, const FamilyQuantity& quantity,
                      const std::vector<double>& values, Notifier& notifier) {
    const ExportTable table = varyColumns(sim, quantity, values, notifier);
    if (table.columns.empty()) return {};
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        out += (c ? "\t" : "") + table.columns[c].header;
    out += '\r';
    for (std::size_t i = 0; i < table.rowCount(); ++i) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (c) out += '\t';
            const double x = table.columns[c].values[i];
            if (std::isfinite(x)) out += FormatValue(x, sim.exportSettings.decimalComma, sim.exportSettings.digits);
        }
        out += '\r';
    }
    return out;
}

} // namespace titralab
