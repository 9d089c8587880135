// Measurement files as data-logging software and spreadsheets export them: a few header lines
// naming the columns and their units, then one line of numbers per measurement.
#pragma once

#include "core/base/Language.h"
#include "core/base/PastedPair.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab::sheets {

// Bounds of a measurement file, as for pasted points: the first kMaxMeasurementBytes bytes are
// read, and the first kMaxMeasurementRows readable lines kept.
inline constexpr std::size_t kMaxMeasurementBytes = 256 * 1024;
inline constexpr std::size_t kMaxMeasurementRows = 200;
inline constexpr std::size_t kMaxMeasurementColumns = 32;
inline constexpr std::size_t kListedBadLines = 5;
inline constexpr std::size_t kPreviewLines = 8;

// What a column holds, read from its name and unit.
enum class Quantity { Unknown, Volume, PH, Conductivity };

// The units the header may name. Each converts to the program's unit: litres for volumes,
// S/m for conductivities.
enum class Unit {
    None,
    Litre,
    Millilitre,
    SiemensPerMetre,
    MilliSiemensPerMetre,
    SiemensPerCentimetre,
    MilliSiemensPerCentimetre,
    MicroSiemensPerCentimetre,
};
// The factor from the unit to the program's unit (1 for None).
double toProgramUnit(Unit unit);
// The unit as written on the status line ("mL", "mS/cm"); empty for None.
const char* unitSymbol(Unit unit);

struct MeasurementColumn {
    std::string name; // as the header writes it, unit included ("V (mL)"); "1", "2"… without header
    Quantity quantity{Quantity::Unknown};
    Unit unit{Unit::None}; // None when the header does not say
};

struct BadLine {
    int number{}; // 1-based line number in the file
    std::string text;
};

struct MeasurementTable {
    std::vector<MeasurementColumn> columns;
    std::vector<std::vector<double>> rows; // columns.size() values each; NaN for an empty cell
    char separator{';'};                   // ';', '\t', ',' or ' ' (blanks)
    bool decimalComma{false};
    int headerLines{0};
    std::size_t badLineCount{0};
    std::vector<BadLine> badLines;  // the first kListedBadLines of them
    std::size_t droppedRows{0};     // readable lines beyond kMaxMeasurementRows
    std::vector<std::string> preview; // the first kPreviewLines lines of the file, decoded
};

enum class MeasurementRefusal { None, Binary, NoReadableLine };

struct MeasurementRead {
    MeasurementTable table;
    MeasurementRefusal refusal{MeasurementRefusal::None};
};

// Reads a file's bytes (UTF-8 with or without its mark, UTF-16 with a mark, else Windows-1252):
// finds the separator and the decimal separator, the header lines, the columns' quantities and
// units. A binary file, or one without a single readable line, is refused.
MeasurementRead readMeasurements(std::string_view bytes);

// The columns the import proposes: the first volume, pH and conductivity columns the header
// names; without a header, the first column is the volume and the second the pH. -1: none.
struct ColumnChoice {
    int volume{-1};
    int pH{-1};
    int conductivity{-1};
};
ColumnChoice proposeColumns(const MeasurementTable& table);

// The volume unit to propose when the header does not name it: measured volumes are read in
// millilitres when the largest exceeds 1, else in litres.
Unit proposedVolumeUnit(const MeasurementTable& table, int volumeColumn);

// One measured conductivity: volume added (L) and conductivity (S/m).
struct ConductivityPoint {
    double volume{};
    double conductivity{};
};

struct ImportedMeasurements {
    std::vector<PastedPair> pH;                  // volumes in litres
    std::vector<ConductivityPoint> conductivity; // volumes in litres, S/m
    std::size_t skippedRows{0};                  // rows lacking the volume or both values
};

// The chosen columns converted to the program's units. The units given override the header's
// (Unit::None keeps the header's, and a column whose unit nobody named is taken as mL or mS/cm,
// the units the import dialog proposes).
ImportedMeasurements importMeasurements(const MeasurementTable& table, const ColumnChoice& choice,
                                        Unit volumeUnit, Unit conductivityUnit);

// What the status line says after an import: the counts and the units read or assumed.
std::string importSummary(const ImportedMeasurements& imported, Unit volumeUnit, bool volumeUnitRead,
                          Unit conductivityUnit, bool conductivityUnitRead, Language language);
// The refusal and bad-line texts.
std::string refusalText(MeasurementRefusal refusal, const std::string& fileName, Language language);
std::string badLinesText(const MeasurementTable& table, Language language);

} // namespace titralab::sheets
