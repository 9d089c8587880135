#include "cli/ExportMeasurements.h"

#include "cli/ExportStudy.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/Measurements.h"
#include "core/system/WholeFile.h"
#include "core/texts/MeasurementTexts.h"

#include <filesystem>
#include <iostream>

namespace titralab::cli {

namespace {

// The columns --columns names (1-based, 0 for none), or those the header proposes.
std::optional<sheets::ColumnChoice> chooseColumns(const sheets::MeasurementTable& table,
                                                  const Options& o) {
    if (!o.importColumns) return sheets::proposeColumns(table);
    const std::vector<int>& given = *o.importColumns;
    const int count = static_cast<int>(table.columns.size());
    for (int j : given)
        if (j > count) return std::nullopt;
    sheets::ColumnChoice choice;
    choice.volume = given[0] - 1;
    choice.pH = given[1] - 1;
    if (given.size() > 2) choice.conductivity = given[2] - 1;
    return choice;
}

} // namespace

FileImport importMeasurementFile(const Options& o) {
    const std::string& path = *o.importFile;
    const Language language = o.language;
    const std::optional<std::string> bytes = readFile(path, sheets::kMaxMeasurementBytes);
    if (!bytes) {
        const std::string kind = notRegularToRead(path, Language::English);
        std::cerr << "titralab-export: cannot read " << path << (kind.empty() ? "" : ": ") << kind
                  << '\n';
        return {{}, 1};
    }
    const std::string name = std::filesystem::path(path).filename().string();
    const sheets::MeasurementRead read = sheets::readMeasurements(*bytes);
    if (read.refusal != sheets::MeasurementRefusal::None) {
        std::cerr << "titralab-export: " << sheets::refusalText(read.refusal, name, language)
                  << '\n';
        return {{}, 1};
    }
    const sheets::MeasurementTable& table = read.table;
    const std::optional<sheets::ColumnChoice> choice = chooseColumns(table, o);
    if (!choice) {
        std::cerr << "titralab-export: --columns: " << name << " has " << table.columns.size()
                  << " columns\n";
        return {{}, 2};
    }
    if (choice->volume < 0 || (choice->pH < 0 && choice->conductivity < 0)) {
        std::cerr << "titralab-export: " << texts::kImportNeedsValues.in(language) << '\n';
        return {{}, 1};
    }
    std::cerr << chosenColumnsText(table, *choice, language) << '\n';
    const std::string bad = sheets::badLinesText(table, language);
    if (!bad.empty()) std::cerr << bad << '\n';

    // Units: the header's, else the volume's plausible one and the conductivity's default.
    const sheets::Unit volumeHeader = table.columns[choice->volume].unit;
    const sheets::Unit volumeUnit = volumeHeader != sheets::Unit::None
                                        ? volumeHeader
                                        : sheets::proposedVolumeUnit(table, choice->volume);
    const sheets::Unit conductivityHeader =
        choice->conductivity >= 0 ? table.columns[choice->conductivity].unit : sheets::Unit::None;
    const sheets::Unit conductivityUnit = conductivityHeader != sheets::Unit::None
                                              ? conductivityHeader
                                              : sheets::Unit::MilliSiemensPerCentimetre;
    FileImport result;
    result.imported = sheets::importMeasurements(table, *choice, volumeUnit, conductivityUnit);
    std::cerr << sheets::importSummary(result.imported, volumeUnit,
                                       volumeHeader != sheets::Unit::None, conductivityUnit,
                                       conductivityHeader != sheets::Unit::None, language)
              << '\n';
    return result;
}

int printMeasuredEquivalences(const Simulation& sim, const Options& o) {
    if (sim.pasted.lines.empty() && sim.pasted.conductivity.empty()) {
        std::cerr << "titralab-export: --measured-equivalence: no measured points (--import, "
                     "--paste or --open)\n";
        return 1;
    }
    std::string out;
    const auto number = [&sim](double x) {
        return formatGeneral(x, sim.exportSettings.digits, sim.exportSettings.decimalComma ? ',' : '.');
    };
    for (const MethodEquivalence& m : measuredEquivalences(sim, *o.measuredEquivalence))
        out += std::string(equivalenceMethodWord(m.method)) + '\t' +
               std::to_string(m.equivalence.number) + '\t' + number(m.equivalence.volume) + '\t' +
               number(m.equivalence.uncertainty) + '\n';
    if (o.monteCarlo) {
        MonteCarloSetup setup;
        setup.draws = *o.monteCarlo;
        for (const MethodSpread& m : measuredSpreads(sim, setup).spreads) {
            std::string method = equivalenceMethodWord(m.method);
            if (m.method == EquivalenceMethod::Gran) method += m.granAfter ? "-after" : "-before";
            out += "monte-carlo:" + method + '\t' + std::to_string(m.spread.number) + '\t' +
                   number(m.spread.mean) + '\t' + number(m.spread.spread) + '\n';
        }
    }
    std::cout << out;
    return 0;
}

} // namespace titralab::cli
