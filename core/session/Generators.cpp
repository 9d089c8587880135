// The curve generators of the studies: the series drawn, the export table and its numbers.
#include "core/session/Refresh.h"

#include "core/chemistry/Conductivity.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/chemistry/Mixture.h"
#include "core/session/PastedPoints.h"
#include "core/texts/CurveTexts.h"
#include "core/texts/ReadingTexts.h"
#include "core/texts/WorkbookTexts.h"

#include <algorithm>
#include <cmath>

namespace titralab {

namespace {

// Rows of the export table: fields separated by a tab, lines ended by a carriage return. The
// same calls fill the computed table: the first line is its note, the second its column
// headers, every later number a value of the column at its field's place.
class TableWriter {
  public:
    explicit TableWriter(const Simulation& sim, bool wanted = true)
        : m_comma(sim.exportSettings.decimalComma), m_digits(sim.exportSettings.digits), m_wanted(wanted),
          m_language(sim.language) {}
    void text(const std::string& field) {
        if (!m_wanted) return;
        if (m_line == 0)
            m_table.note += m_field == 0 ? field : '\t' + field;
        else if (m_line == 1)
            m_table.columns.push_back(
                {field, titleOf(field, m_language), 1, ColumnFormat::General, {}, false});
        append(field);
    }
    // A header with the title and display factor the workbook gives its column.
    void column(const std::string& header, const std::string& title, double factor,
                ColumnFormat format, bool charted = false) {
        if (!m_wanted) return;
        m_table.columns.push_back({header, title, factor, format, {}, charted});
        append(header);
    }
    void number(double x) {
        if (!m_wanted) return;
        if (m_line >= 2 && m_field < m_table.columns.size())
            m_table.columns[m_field].values.push_back(x);
        append(FormatValue(x, m_comma, m_digits));
    }
    // A value whose sign is read (a slope): the format of number(), a minus sign before it.
    void signedNumber(double x) {
        if (!m_wanted || !(x < 0)) return number(x);
        if (m_line >= 2 && m_field < m_table.columns.size())
            m_table.columns[m_field].values.push_back(x);
        const std::string magnitude = FormatValue(-x, m_comma, m_digits);
        append(magnitude == "0" ? magnitude : "-" + magnitude);
    }
    void endLine() {
        if (!m_wanted) return;
        m_out += '\r';
        m_field = 0;
        ++m_line;
    }
    const std::string& str() const { return m_out; }
    const ExportTable& table() const { return m_table; }

  private:
    // The workbook's title of a column headed by text alone: with its unit where one is known.
    static std::string titleOf(const std::string& header, Language language) {
        if (header == "dpH/dV") return texts::kTitleDerivative.in(language);
        return header;
    }
    void append(const std::string& field) {
        if (m_field > 0) m_out += '\t';
        m_out += field;
        ++m_field;
    }

    bool m_comma{true};
    int m_digits{5};
    bool m_wanted{true}; // false: a table by volume replaces this one, so it is not written
    Language m_language{Language::French};
    std::size_t m_field{0}; // fields already written on the current line
    int m_line{0};
    std::string m_out;
    ExportTable m_table;
};

// The headers from "pH" on, shared by the titration tables and the species table.
// The pH is charted in a titration, the species in the species study.
void writeConcentrationHeaders(const Simulation& sim, TableWriter& table,
                               const std::array<int, 4>& boxes) {
    const Language language = sim.language;
    const bool species = sim.state.study == Study::SpeciesVsPH;
    table.column("pH", texts::kTitlePH.in(language), 1, ColumnFormat::PH, !species);
    table.column("cH", texts::kTitleHydronium.in(language), 1, ColumnFormat::Concentration);
    for (int box : boxes)
        if (sim.graph.isVisible(box)) {
            const std::string& name = sim.graph.captions[box - 2];
            table.column(name, name + texts::kConcentrationUnit.in(language), 1,
                         ColumnFormat::Concentration, species);
        }
    if (sim.state.conductivityAvailable)
        table.column(texts::kConductivityCaption.in(language),
                     texts::kTitleConductivity.in(language), 1, ColumnFormat::Conductivity);
    if (sim.reading.options.derivative && titrationOf(sim.state.study))
        table.text(texts::kDerivativeColumn.in(language));
    table.endLine();
}

// The header of the two titration tables: the dilution warning, then the column names.
void writeTitrationHeader(const Simulation& sim, TableWriter& table,
                          const std::array<int, 4>& boxes) {
    const Language language = sim.language;
    if (!sim.graph.isChecked(kDilutionBox))
        table.text(std::string(texts::kDilutionWarning1.in(language)) + ' ' +
                   texts::kDilutionWarning2.in(language));
    table.endLine();
    const ChemicalState& s = sim.state;
    table.column(
        (s.side == BuretteSide::AcidSide ? texts::kVolumeHeader : texts::kAcidVolumeHeader)
            .in(language),
        (s.volumesInMillilitres ? texts::kTitleVolumeMl : texts::kTitleVolumeL).in(language),
        s.volumeFactor, ColumnFormat::Volume);
    writeConcentrationHeaders(sim, table, boxes);
}

// The concentrations of one titration point and what they are drawn or tabled with.
struct TitrationPoint {
    double v{};              // titrant volume, unit of vol1
    double pH{};             // displayed pH
    double h{};              // working concentration
    double dilutionFactor{}; // concentrations reported as if the volume had not changed
    std::array<double, 4> species{};
};

TitrationPoint titrationPoint(const Simulation& sim, double pH, double h, double v) {
    const ChemicalState& s = sim.state;
    TitrationPoint p{v, pH, h, 1, {}};
    double c = s.conc1;
    if (sim.graph.isChecked(kDilutionBox))
        c = s.conc1 * s.vol1 / (s.vol1 + v);
    else
        p.dilutionFactor = (s.vol1 + v) / s.vol1;
    for (int k = 0; k < 4; ++k)
        if (sim.graph.isVisible(k + 2)) p.species[k] = speciesConc(s, k, h, c);
    return p;
}

TitrationPoint twoMonoPoint(const Simulation& sim, double pH, double h, double v) {
    const ChemicalState& s = sim.state;
    TitrationPoint p{v, pH, h, 1, {}};
    double c1 = s.conc1, c2 = s.conc2;
    const double v0 = s.vol1 + s.vol2;
    if (sim.graph.isChecked(kDilutionBox)) {
        c1 = s.conc1 * s.vol1 / (v0 + v);
        c2 = s.conc2 * s.vol2 / (v0 + v);
    } else {
        p.dilutionFactor = (v0 + v) / v0;
    }
    if (sim.graph.isVisible(2)) p.species[0] = speciesConc(s, 0, h, c1);
    if (sim.graph.isVisible(3)) p.species[1] = speciesConc(s, 1, h, c1);
    if (sim.graph.isVisible(6)) p.species[2] = speciesConc2(s, 0, h, c2);
    if (sim.graph.isVisible(7)) p.species[3] = speciesConc2(s, 1, h, c2);
    return p;
}

// Writes one row of a titration table and, when asked, the point of every ticked curve.
void emitTitrationPoint(Simulation& sim, const TitrationPoint& p, const std::array<int, 4>& boxes,
                        TableWriter& table, bool draw, Titration titration) {
    const ChemicalState& s = sim.state;
    const double x = p.v * s.volumeFactor;
    const double hydronium = toWorkingConc(s, p.h);
    if (draw) sim.results.curves[1].push_back({x, p.pH});
    table.number(p.v);
    table.number(p.pH);
    table.number(hydronium * p.dilutionFactor);
    if (draw && sim.graph.isChecked(kHydroniumBox))
        sim.results.curves[6].push_back({x, hydronium * sim.results.concentrationScale * p.dilutionFactor});
    std::array<bool, 4> present{};
    for (int k = 0; k < 4; ++k) {
        present[k] = sim.graph.isVisible(boxes[k]);
        if (!present[k]) continue;
        table.number(p.species[k]);
        if (draw && sim.graph.isChecked(boxes[k]))
            sim.results.curves[k + 2].push_back({x, p.species[k] * sim.results.concentrationScale});
    }
    if (s.conductivityAvailable) {
        const double sigma =
            conductivity(s, p.h, p.v, p.species, present, sim.graph.isChecked(kDilutionBox));
        table.number(sigma);
        if (draw && sim.graph.isChecked(kConductivityBox)) sim.results.curves[8].push_back({x, sigma});
    }
    if (sim.reading.options.derivative) {
        // Negative on the base side, where the pH falls.
        const double slope = derivativeForDisplayAtH(s, titration, p.h);
        table.signedNumber(slope);
        if (draw) sim.reading.derivative.push_back({x, slope});
    }
    table.endLine();
}

// The largest conductivity is drawn at height 10.
void rescaleConductivity(Simulation& sim) {
    Series& series = sim.results.curves[8];
    sim.results.conductivityScale = 1;
    if (series.empty()) return;
    double largest = series.front().y;
    for (const CurvePoint& p : series) largest = std::max(largest, p.y);
    if (largest > 0) sim.results.conductivityScale = 10 / largest;
    for (CurvePoint& p : series) p.y *= sim.results.conductivityScale;
}

constexpr std::array<int, 4> kTitrationBoxes{2, 3, 4, 5};
constexpr std::array<int, 4> kTwoMonoBoxes{2, 3, 6, 7};

} // namespace

namespace {

// The two titration studies differ only in their volume function, their solver, how a point's
// concentrations are found, and which boxes hold their species.
struct TitrationKind {
    double (*volume)(const ChemicalState&, double h);
    double (*solve)(const ChemicalState&, double v);
    PHRange (*range)(const ChemicalState&);
    TitrationPoint (*point)(const Simulation&, double pH, double h, double v);
    std::array<int, 4> boxes;
    Titration titration;
};

const TitrationKind kOneAcid{titrantVolume,  solvePH,         pHAtVolumeRange,
                             titrationPoint, kTitrationBoxes, Titration::OneAcid};
const TitrationKind kTwoMonoacids{titrantVolumeTwoMono, solvePHTwoMono, pHAtVolumeRangeTwoMono,
                                  twoMonoPoint,         kTwoMonoBoxes,  Titration::TwoMonoacids};

// The curves are built from pH to volume: each sampled pH gives its volume in closed form.
void generateTitration(Simulation& sim, int n, Notifier& notifier, const TitrationKind& kind,
                       double concentrationScale) {
    const ChemicalState& s = sim.state;
    BuildSpeciesLabels(sim);
    TableWriter table(sim, sim.exportSettings.copySampling == CopySampling::ByPH);
    writeTitrationHeader(sim, table, kind.boxes);
    sim.results.concentrationScale = concentrationScale;
    sim.results.curves.clear();
    sim.reading.derivative.clear();
    const PHRange range = kind.range(s);
    // The beaker's own pH is reached at no volume at all: the closed form would leave a
    // rounding residue there (1.75E-17 L), which the workbook shows.
    const double beakerPH = kind.solve(s, 0);
    for (int i = 0; i < n; ++i) {
        const double x = PhSweep(range.low, range.high, n, i);
        const double h = workingConcFromPH(s, x);
        const double v = x == beakerPH ? 0 : kind.volume(s, h);
        emitTitrationPoint(sim, kind.point(sim, x, h, v), kind.boxes, table, true, kind.titration);
    }
    if (sim.graph.isChecked(kPastedBox)) DrawPastedPoints(sim, notifier);
    sim.results.exportText = table.str();
    sim.results.exportTable = table.table();
    rescaleConductivity(sim);
}

// The tables by volume solve the pH at regular volumes and draw nothing. The working
// concentration of a solved pH goes through the side's mapping, so that the base side's
// species come from [OH-] as everywhere else.
void generateTableByVolume(Simulation& sim, int n, const TitrationKind& kind) {
    const ChemicalState& s = sim.state;
    TableWriter table(sim);
    writeTitrationHeader(sim, table, kind.boxes);
    for (int i = 0; i < n; ++i) {
        const double v = i * s.volumeSpan / (n - 1);
        const double pH = kind.solve(s, v);
        emitTitrationPoint(sim, kind.point(sim, pH, workingConcFromPH(s, pH), v), kind.boxes, table,
                           false, kind.titration);
    }
    sim.results.exportText = table.str();
    sim.results.exportTable = table.table();
}

} // namespace

void GenerateTitrationCurves(Simulation& sim, int n, Notifier& notifier) {
    generateTitration(sim, n, notifier, kOneAcid, 10 / sim.state.conc1);
}

void GenerateTwoMonoacidCurves(Simulation& sim, int n, Notifier& notifier) {
    generateTitration(sim, n, notifier, kTwoMonoacids,
                      10 / std::max(sim.state.conc1, sim.state.conc2));
}

void GenerateTitrationTableByVolume(Simulation& sim, int n) {
    generateTableByVolume(sim, n, kOneAcid);
}

void GenerateTwoMonoacidTableByVolume(Simulation& sim, int n) {
    generateTableByVolume(sim, n, kTwoMonoacids);
}

void GenerateSpeciesCurves(Simulation& sim, int n) {
    const ChemicalState& s = sim.state;
    BuildSpeciesLabels(sim);
    TableWriter table(sim);
    table.endLine();
    writeConcentrationHeaders(sim, table, kTitrationBoxes);
    sim.results.concentrationScale = 1;
    sim.results.curves.clear();
    for (int i = 0; i < n; ++i) {
        const double x = PhSweep(0, 14, n, i);
        const double h = workingConcFromPH(s, x);
        table.number(x);
        table.number(toWorkingConc(s, h));
        std::array<double, 4> species{};
        std::array<bool, 4> present{};
        for (int k = 0; k < 4; ++k) {
            present[k] = sim.graph.isVisible(k + 2);
            if (!present[k]) continue;
            species[k] = speciesConc(s, k, h, s.conc1);
            table.number(species[k]);
            if (sim.graph.isChecked(k + 2)) sim.results.curves[k + 2].push_back({x, species[k]});
        }
        if (s.conductivityAvailable) {
            // No dilution factor in this study; the cation term uses the volume that brings
            // the beaker to this pH.
            const double sigma = conductivity(s, h, titrantVolume(s, h), species, present, true);
            table.number(sigma);
            if (sim.graph.isChecked(kConductivityBox)) sim.results.curves[8].push_back({x, sigma});
        }
        table.endLine();
    }
    sim.results.exportText = table.str();
    sim.results.exportTable = table.table();
    rescaleConductivity(sim);
}

void GenerateDilutionCurve(Simulation& sim, int n) {
    const ChemicalState& s = sim.state;
    const bool acid = s.side == BuretteSide::AcidSide;
    TableWriter table(sim);
    table.endLine();
    table.column((acid ? texts::kLogAcidHeader : texts::kLogBaseHeader).in(sim.language),
                 (acid ? texts::kTitleLogAcid : texts::kTitleLogBase).in(sim.language), 1,
                 ColumnFormat::PH);
    table.column("pH", texts::kTitlePH.in(sim.language), 1, ColumnFormat::PH, true);
    table.endLine();
    sim.results.concentrationScale = 1;
    sim.results.conductivityScale = 1;
    sim.results.curves.clear();
    const double start = acid ? 0 : 14;
    for (int i = 0; i < n; ++i) {
        const double x = PhSweep(start, 7, n, i);
        const double y = dilutionPC(s, workingConcFromPH(s, x));
        if (y < 0) continue;
        sim.results.curves[1].push_back({y, x});
        table.number(y);
        table.number(x);
        table.endLine();
    }
    const double logN = std::log10(static_cast<double>(entryOf(s.side, s.row1).acidities));
    sim.results.curves[2].push_back({0, acid ? 8.0 : 6.0});
    sim.results.curves[3].push_back({0, 7});
    sim.results.curves[3].push_back({10, 7});
    sim.results.curves[4].push_back({0, acid ? -logN : 14 + logN});
    sim.results.curves[4].push_back({7 + logN, 7});
    sim.results.exportText = table.str();
    sim.results.exportTable = table.table();
}

void ComputeTwoPolyacidMixture(Simulation& sim) {
    sim.results.concentrationScale = 1;
    sim.results.conductivityScale = 1;
    sim.results.mixture = ComputeTwoPolyacidMixture(sim.state);
    BuildSpeciesLabels(sim);
    sim.results.exportText = MixtureResultsText(sim.state, *sim.results.mixture, sim.results.speciesLabels, sim.language,
                                        sim.exportSettings.decimalComma, sim.exportSettings.digits);
    sim.results.exportTable.clear();
    sim.results.exportTable.note = texts::kMixtureTitle.in(sim.language);
    for (const MixtureLine& line :
         MixtureResultLines(sim.state, *sim.results.mixture, sim.results.speciesLabels, sim.language)) {
        const char* unit = line.kind == MixtureLine::Kind::Volume ? "L"
                           : line.kind == MixtureLine::Kind::PH   ? ""
                                                                  : "mol/L";
        sim.results.exportTable.results.push_back({line.label, line.value, unit});
    }
}
} // namespace titralab
