#include "core/session/DiagramColumns.h"

#include "core/chemistry/Diagrams.h"
#include "core/curves/Equivalence.h"
#include "core/numbers/NumberFormat.h"
#include "core/texts/DiagramTexts.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <cstddef>
#include <vector>

namespace titralab {

namespace {

// The lines of a table text ended by CR, without their ends.
std::vector<std::string> crLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\r', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> tabFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find('\t', start);
        fields.push_back(line.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

std::string joinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    return line;
}

// The table's number format with the sign kept (the table writes negatives as 0); a log10 of
// a concentration that underflowed to zero is left empty.
std::string signedNumber(double x, const Simulation& sim) {
    if (!std::isfinite(x)) return {};
    return x < 0 ? "-" + FormatValue(-x, sim.exportSettings.decimalComma, sim.exportSettings.digits)
                 : FormatValue(x, sim.exportSettings.decimalComma, sim.exportSettings.digits);
}

// β at each row of the table: column 0 the volume (unit of vol1) and column 1 the pH in the
// titrations, column 0 the pH in the species study.
std::vector<double> bufferColumn(const Simulation& sim) {
    const ExportTable& table = sim.results.exportTable;
    const std::size_t rows = table.rowCount();
    std::vector<double> beta(rows);
    if (sim.state.study == Study::SpeciesVsPH) {
        const Solution solution = studySolution(sim.state);
        for (std::size_t r = 0; r < rows; ++r)
            beta[r] = bufferCapacity(solution, table.columns[0].values[r]);
        return beta;
    }
    const std::optional<FreeTitration> titration = studyTitration(sim.state);
    if (!titration || table.columns.size() < 2) return {};
    for (std::size_t r = 0; r < rows; ++r)
        beta[r] = bufferCapacity(titrationMixture(*titration, table.columns[0].values[r]),
                                 table.columns[1].values[r]);
    return beta;
}

// The database writes a strong acid's acidity as pKa -10 and a strong base's as a pKa far
// above 14. Over the pH scale such a site is always given up (taken), so the explanation sees
// what it leaves: the charge of an ion that takes no part in the balance, and the formula of a
// strong acid or base instead of a weak one's with an absurd pKa.
constexpr double kStrongAcidPKa = -1; // below: a strong acidity
constexpr double kStrongBasePKa = 15; // above: the site of a strong base

Solution withStrongSitesAsIons(const Solution& solution) {
    Solution out;
    for (const Solute& solute : solution.solutes) {
        if (solute.kind != SoluteKind::System) {
            out.solutes.push_back(solute);
            continue;
        }
        Solute weak = solute;
        std::vector<double>& pKa = weak.system.pKa; // in increasing order
        while (!pKa.empty() && pKa.front() < kStrongAcidPKa) {
            pKa.erase(pKa.begin());
            --weak.system.protonatedCharge; // the form that remains has given that proton
        }
        while (!pKa.empty() && pKa.back() > kStrongBasePKa) pKa.pop_back();
        if (!pKa.empty()) {
            out.solutes.push_back(weak);
            continue;
        }
        // No weak site left: the solute is its one form's charge, an anion or a cation.
        const int charge = weak.system.protonatedCharge;
        if (charge < 0)
            out.solutes.push_back(
                spectatorSolute(SpectatorIon::Chloride, -charge * solute.concentration));
        else if (charge > 0)
            out.solutes.push_back(
                spectatorSolute(SpectatorIon::Sodium, charge * solute.concentration));
    }
    return out;
}

} // namespace

bool takesBufferCapacity(Study study) {
    return study == Study::TitrationVsVolume || study == Study::TwoMonoTitration ||
           study == Study::SpeciesVsPH;
}

bool takesLogTable(Study study) { return study == Study::SpeciesVsPH; }

void addDiagramColumns(Simulation& sim) {
    const Study study = sim.state.study;
    const bool log = sim.exportSettings.diagrams.logTable && takesLogTable(study);
    const bool beta = sim.exportSettings.diagrams.bufferCapacity && takesBufferCapacity(study);
    ExportTable& table = sim.results.exportTable;
    if ((!log && !beta) || table.columns.empty()) return;
    std::vector<std::string> lines = crLines(sim.results.exportText);
    const std::size_t rows = table.rowCount();
    // Line 0 is the note, line 1 the headers, then one line per row.
    if (lines.size() < rows + 2) return;
    std::vector<std::vector<std::string>> fields;
    for (std::size_t line = 1; line < rows + 2; ++line) fields.push_back(tabFields(lines[line]));
    if (log)
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            TableColumn& column = table.columns[c];
            if (column.format != ColumnFormat::Concentration) continue;
            column.header = "log " + column.header;
            column.title = "log " + column.title;
            column.format = ColumnFormat::PH;
            if (c < fields[0].size()) fields[0][c] = column.header;
            for (std::size_t r = 0; r < rows; ++r) {
                column.values[r] = std::log10(column.values[r]);
                if (c < fields[r + 1].size()) fields[r + 1][c] = signedNumber(column.values[r], sim);
            }
        }
    if (beta) {
        const std::vector<double> values = bufferColumn(sim);
        if (values.size() == rows) {
            const std::string header = texts::kBufferCapacityColumn.in(sim.language);
            table.columns.push_back({header, header, 1, ColumnFormat::General, values, false});
            fields[0].push_back(header);
            for (std::size_t r = 0; r < rows; ++r)
                fields[r + 1].push_back(signedNumber(values[r], sim));
        }
    }
    std::string out = lines[0] + '\r';
    for (const auto& line : fields) out += joinFields(line) + '\r';
    for (std::size_t line = rows + 2; line < lines.size(); ++line) out += lines[line] + '\r';
    sim.results.exportText = out;
}

std::optional<PHExplanation> explainStudyPoint(const Simulation& sim, double drawnVolume) {
    const ChemicalState& s = sim.state;
    if (!(drawnVolume >= 0) || !std::isfinite(drawnVolume)) return std::nullopt;
    if (s.study == Study::FreeSolutions) {
        const std::optional<FreeTitration>& titration = sim.freeStudy.result.titration;
        if (!titration || !(s.volumeFactor > 0)) return std::nullopt;
        return explainTitrationPoint(*titration, drawnVolume / s.volumeFactor);
    }
    if (titrationOf(s.study)) {
        const std::optional<FreeTitration> titration = studyTitration(s);
        if (!titration || !(s.volumeFactor > 0)) return std::nullopt;
        FreeTitration asIons = *titration;
        asIons.beaker = withStrongSitesAsIons(titration->beaker);
        asIons.burette = withStrongSitesAsIons(titration->burette);
        return explainTitrationPoint(asIons, drawnVolume / s.volumeFactor);
    }
    if (drawnVolume != 0 || s.study == Study::None) return std::nullopt;
    return explainPH(withStrongSitesAsIons(studySolution(s)));
}

std::vector<FormulaStretch> formulaValidityAlong(const Simulation& sim, int n) {
    std::vector<FormulaStretch> stretches;
    const ChemicalState& s = sim.state;
    if (!titrationOf(s.study) && s.study != Study::FreeSolutions) return stretches;
    double last = 0;
    for (const CurvePoint& p : sim.results.curves[1]) last = std::max(last, p.x);
    if (!(last > 0) || n < 1) return stretches;
    // The formula that holds at a volume, if one does.
    auto holding = [&sim](double v) -> std::optional<PHFormula> {
        const std::optional<PHExplanation> e = explainStudyPoint(sim, v);
        return e && e->holds ? std::optional<PHFormula>(e->formula) : std::nullopt;
    };
    const double step = last / n;
    std::optional<PHFormula> before = holding(0);
    if (before) stretches.push_back({0, last, *before});
    for (int i = 1; i <= n; ++i) {
        const double v = i * step;
        const std::optional<PHFormula> here = holding(v);
        if (here == before) continue;
        // The change lies between the two points: found to a millionth of the curve's span.
        double low = v - step, high = v;
        while (high - low > 1e-6 * last) {
            const double middle = 0.5 * (low + high);
            (holding(middle) == before ? low : high) = middle;
        }
        const double boundary = 0.5 * (low + high);
        if (before) stretches.back().high = boundary;
        if (here) stretches.push_back({boundary, last, *here});
        before = here;
    }
    return stretches;
}

std::string validityLines(const Simulation& sim, const std::vector<FormulaStretch>& stretches) {
    std::string out;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    // Drawn volumes are mL in every titration but for the studies drawn in litres.
    const double toMl = sim.state.volumesInMillilitres ? 1 : 1000;
    for (const FormulaStretch& f : stretches)
        out += std::string(texts::formulaName(f.formula).in(sim.language)) + '\t' +
               formatGeneral(f.low * toMl, sim.exportSettings.digits, separator) + '\t' +
               formatGeneral(f.high * toMl, sim.exportSettings.digits, separator) + '\n';
    return out;
}

std::string explanationLines(const Simulation& sim, const PHExplanation& e) {
    const Language language = sim.language;
    auto number = [&sim](double x) {
        return formatGeneral(x, sim.exportSettings.digits, sim.exportSettings.decimalComma ? ',' : '.');
    };
    std::string out;
    out += std::string(texts::kFormulaLine.in(language)) + '\t' +
           texts::formulaName(e.formula).in(language) + '\n';
    out += std::string(texts::kApproximatePHLine.in(language)) + '\t' + number(e.approximatePH) +
           '\n';
    out += std::string(texts::kExactPHLine.in(language)) + '\t' + number(e.exactPH) + '\n';
    out += std::string(texts::kHoldsLine.in(language)) + '\t' +
           (e.holds ? texts::kYes : texts::kNo).in(language) + '\n';
    return out;
}

BufferCurve studyBufferCurve(const Simulation& sim, int n) {
    const ChemicalState& s = sim.state;
    BufferCurve curve;
    if (s.study == Study::SpeciesVsPH) {
        const Solution solution = studySolution(s);
        for (const BufferPoint& p : bufferCapacityCurve(solution, 0, 14, n))
            curve.points.emplace_back(p.pH, p.beta);
        for (const BufferPoint& p : bufferMaximaAgainstPH(solution))
            curve.maxima.emplace_back(p.pH, p.beta);
        return curve;
    }
    if (!titrationOf(s.study) || !(s.volumeSpan > 0)) return curve;
    const std::optional<FreeTitration> titration = studyTitration(s);
    if (!titration) return curve;
    for (const BufferPoint& p : bufferCapacityAlong(*titration, s.volumeSpan, n))
        curve.points.emplace_back(p.volume * s.volumeFactor, p.beta);
    for (const BufferPoint& p : bufferMaximaAlong(*titration, s.volumeSpan))
        curve.maxima.emplace_back(p.volume * s.volumeFactor, p.beta);
    return curve;
}

std::vector<std::string> whyThisPHLines(const Simulation& sim, const PHExplanation& e) {
    const Language language = sim.language;
    const char separator = sim.exportSettings.decimalComma ? ',' : '.';
    auto pH = [separator](double x) {
        // Two decimals, as the readings show a pH; -0.00 is written 0.00.
        const double rounded = std::round(x * 100) / 100;
        std::string text = formatGeneral(rounded == 0 ? 0 : rounded, 15, separator);
        const std::size_t point = text.find(separator);
        if (point == std::string::npos) text += separator + std::string("00");
        else if (text.size() - point == 2) text += '0';
        return text;
    };
    const std::string colon = kColon.in(language);
    std::vector<std::string> lines;
    lines.push_back(std::string(texts::formulaName(e.formula).in(language)) + colon +
                    texts::formulaExpression(e.formula).in(language));
    lines.push_back(std::string(texts::kApproximatePHLine.in(language)) + colon + pH(e.approximatePH));
    lines.push_back(std::string(texts::kExactPHLine.in(language)) + colon + pH(e.exactPH));
    lines.push_back(std::string(texts::kDifferenceLine.in(language)) + colon +
                    (e.difference > 0 ? "+" : "") + pH(e.difference));
    lines.push_back(std::string(texts::kHoldsLine.in(language)) + colon +
                    (e.holds ? texts::kYes : texts::kNo).in(language));
    if (!e.holds && e.failed != PHHypothesis::None)
        lines.push_back(std::string(texts::kFailedHypothesisLine.in(language)) + colon +
                        texts::hypothesisText(e.failed).in(language));
    return lines;
}

} // namespace titralab
