#include "core/sheets/MeasurementFile.h"

#include "core/base/SearchFolding.h"
#include "core/base/Trimmed.h"
#include "core/sheets/SheetReader.h"
#include "core/texts/MeasurementTexts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace titralab::sheets {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The fields of a line. Blanks as separator: runs of blanks separate, and a unit written apart
// ("V (mL)") stays with its name.
std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    if (separator == ' ') {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
            if (i == line.size()) break;
            std::size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
            std::string token(line.substr(i, end - i));
            const bool unitApart = token[0] == '(' || token[0] == '[' || token[0] == '/';
            if (unitApart && !fields.empty()) fields.back() += " " + token;
            else fields.push_back(std::move(token));
            i = end;
        }
        return fields;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != separator) continue;
        fields.emplace_back(trimmed(line.substr(start, i - start)));
        start = i + 1;
    }
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

// A cell as a number: the decimal separator given, an optional sign, an exponent.
std::optional<double> parseCell(std::string_view cell, bool decimalComma) {
    std::string text(trimmed(cell));
    if (text.empty() || text.size() > 40) return std::nullopt;
    if (text[0] == '+') text.erase(0, 1);
    if (decimalComma) {
        if (text.find('.') != std::string::npos) return std::nullopt;
        std::replace(text.begin(), text.end(), ',', '.');
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool looksNumeric(std::string_view line) {
    const auto t = trimmed(line);
    if (t.empty()) return false;
    const char c = t[0];
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ',';
}

char chooseSeparator(std::string_view dataLine) {
    if (dataLine.find(';') != std::string_view::npos) return ';';
    if (dataLine.find('\t') != std::string_view::npos) return '\t';
    const bool comma = dataLine.find(',') != std::string_view::npos;
    if (comma && dataLine.find('.') != std::string_view::npos) return ',';
    if (splitFields(dataLine, ' ').size() >= 2) return ' ';
    return ',';
}

bool looksBinary(std::string_view bytes) {
    const auto head = bytes.substr(0, 4096);
    const bool utf16 = head.size() >= 2 && ((static_cast<unsigned char>(head[0]) == 0xFF &&
                                             static_cast<unsigned char>(head[1]) == 0xFE) ||
                                            (static_cast<unsigned char>(head[0]) == 0xFE &&
                                             static_cast<unsigned char>(head[1]) == 0xFF));
    if (utf16) return false;
    std::size_t controls = 0;
    for (const char c : head) {
        const auto u = static_cast<unsigned char>(c);
        if (u == 0) return true;
        if (u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') ++controls;
    }
    return controls * 100 > head.size();
}

// The unit a piece of header text names, folded and without blanks ("mS/cm", "µS.cm-1", "cm³").
Unit unitOf(std::string_view text) {
    std::string folded;
    for (const char c : foldForSearch(text))
        if (c != ' ') folded += c;
    const auto replaceAll = [&](const std::string& from, const std::string& to) {
        for (auto at = folded.find(from); at != std::string::npos; at = folded.find(from, at))
            folded.replace(at, from.size(), to), at += to.size();
    };
    replaceAll("\xC2\xB5", "u"); // micro sign
    replaceAll("\xCE\xBC", "u"); // Greek mu
    replaceAll("\xC2\xB3", "3");
    replaceAll(".cm-1", "/cm");
    replaceAll(".m-1", "/m");
    static const std::map<std::string, Unit> units{
        {"l", Unit::Litre},
        {"ml", Unit::Millilitre},
        {"cm3", Unit::Millilitre},
        {"s/m", Unit::SiemensPerMetre},
        {"ms/m", Unit::MilliSiemensPerMetre},
        {"s/cm", Unit::SiemensPerCentimetre},
        {"ms/cm", Unit::MilliSiemensPerCentimetre},
        {"us/cm", Unit::MicroSiemensPerCentimetre},
    };
    const auto found = units.find(folded);
    return found == units.end() ? Unit::None : found->second;
}

bool isVolumeUnit(Unit u) { return u == Unit::Litre || u == Unit::Millilitre; }
bool isConductivityUnit(Unit u) { return u != Unit::None && !isVolumeUnit(u); }

// A header cell split into its name and its unit: "V (mL)", "v/mL", "V[L]", "σ (mS/cm)".
MeasurementColumn columnOf(const std::string& cell) {
    MeasurementColumn column;
    column.name = cell;
    std::string_view name = cell;
    const auto open = cell.find_first_of("([");
    if (open != std::string::npos) {
        const auto close = cell.find_first_of(")]", open);
        column.unit = unitOf(std::string_view(cell).substr(open + 1, close == std::string::npos
                                                                         ? std::string::npos
                                                                         : close - open - 1));
        name = trimmed(std::string_view(cell).substr(0, open));
    } else if (const auto slash = cell.find('/'); slash != std::string::npos) {
        const Unit after = unitOf(std::string_view(cell).substr(slash + 1));
        if (after != Unit::None) {
            column.unit = after;
            name = trimmed(std::string_view(cell).substr(0, slash));
        }
    }
    const std::string folded = foldForSearch(name);
    const auto startsWith = [&](std::string_view p) { return folded.rfind(p, 0) == 0; };
    if (startsWith("ph")) column.quantity = Quantity::PH;
    else if (isVolumeUnit(column.unit) || startsWith("v")) column.quantity = Quantity::Volume;
    else if (isConductivityUnit(column.unit) || startsWith("\xCF\x83") || startsWith("sigma") ||
             startsWith("cond") || startsWith("\xCE\xBA") || startsWith("kappa"))
        column.quantity = Quantity::Conductivity;
    if (column.quantity == Quantity::PH) column.unit = Unit::None;
    return column;
}

void nameColumns(MeasurementTable& table, const std::vector<std::string_view>& headers,
                 std::size_t columnCount) {
    for (std::size_t j = 0; j < columnCount; ++j)
        table.columns.push_back({std::to_string(j + 1), Quantity::Unknown, Unit::None});
    // The names are on the first header line with as many fields as the data (or the last one
    // with several); a later line may give the units alone.
    int namesLine = -1;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const auto n = splitFields(headers[i], table.separator).size();
        if (n == columnCount) { namesLine = static_cast<int>(i); break; }
        if (n >= 2) namesLine = static_cast<int>(i);
    }
    if (namesLine < 0) return;
    const auto names = splitFields(headers[namesLine], table.separator);
    for (std::size_t j = 0; j < columnCount && j < names.size(); ++j)
        if (!names[j].empty()) table.columns[j] = columnOf(names[j]);
    for (std::size_t i = namesLine + 1; i < headers.size(); ++i) {
        const auto units = splitFields(headers[i], table.separator);
        for (std::size_t j = 0; j < columnCount && j < units.size(); ++j) {
            auto& column = table.columns[j];
            const Unit u = unitOf(trimmed(units[j]).substr(0, 1) == "("
                                      ? trimmed(units[j]).substr(1, trimmed(units[j]).size() - 2)
                                      : trimmed(units[j]));
            if (u == Unit::None || column.unit != Unit::None || column.quantity == Quantity::PH)
                continue;
            column.unit = u;
            if (column.quantity == Quantity::Unknown)
                column.quantity = isVolumeUnit(u) ? Quantity::Volume : Quantity::Conductivity;
        }
    }
}

void noteBadLine(MeasurementTable& table, int number, std::string_view line) {
    ++table.badLineCount;
    if (table.badLines.size() < kListedBadLines)
        table.badLines.push_back({number, std::string(trimmed(line).substr(0, 80))});
}

} // namespace

double toProgramUnit(Unit unit) {
    switch (unit) {
    case Unit::Millilitre: return 1e-3;
    case Unit::MilliSiemensPerMetre: return 1e-3;
    case Unit::SiemensPerCentimetre: return 100;
    case Unit::MilliSiemensPerCentimetre: return 0.1;
    case Unit::MicroSiemensPerCentimetre: return 1e-4;
    case Unit::None:
    case Unit::Litre:
    case Unit::SiemensPerMetre: return 1;
    }
    return 1;
}

const char* unitSymbol(Unit unit) {
    switch (unit) {
    case Unit::None: return "";
    case Unit::Litre: return "L";
    case Unit::Millilitre: return "mL";
    case Unit::SiemensPerMetre: return "S/m";
    case Unit::MilliSiemensPerMetre: return "mS/m";
    case Unit::SiemensPerCentimetre: return "S/cm";
    case Unit::MilliSiemensPerCentimetre: return "mS/cm";
    case Unit::MicroSiemensPerCentimetre: return "\xC2\xB5S/cm";
    }
    return "";
}

MeasurementRead readMeasurements(std::string_view bytes) {
    MeasurementRead read;
    MeasurementTable& table = read.table;
    bytes = bytes.substr(0, kMaxMeasurementBytes);
    if (looksBinary(bytes)) {
        read.refusal = MeasurementRefusal::Binary;
        return read;
    }
    const std::string text = decodePlainText(bytes);
    const auto lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size() && table.preview.size() < kPreviewLines; ++i)
        table.preview.emplace_back(lines[i].substr(0, 200));

    std::size_t first = 0;
    while (first < lines.size() && !looksNumeric(lines[first])) ++first;
    if (first == lines.size()) {
        read.refusal = MeasurementRefusal::NoReadableLine;
        return read;
    }
    table.separator = chooseSeparator(lines[first]);
    std::map<std::size_t, int> counts; // field count -> lines, over the first data lines
    for (std::size_t i = first; i < lines.size() && i < first + 50; ++i)
        if (looksNumeric(lines[i])) ++counts[splitFields(lines[i], table.separator).size()];
    const std::size_t columnCount =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
            return a.second < b.second;
        })->first;
    if (table.separator != ',')
        for (std::size_t i = first; i < lines.size() && i < first + 50; ++i)
            if (lines[i].find(',') != std::string_view::npos) table.decimalComma = true;

    std::vector<std::string_view> headers;
    for (std::size_t i = 0; i < first; ++i)
        if (!trimmed(lines[i]).empty()) headers.push_back(lines[i]);
    table.headerLines = static_cast<int>(first);
    if (columnCount > kMaxMeasurementColumns) {
        read.refusal = MeasurementRefusal::NoReadableLine;
        return read;
    }
    nameColumns(table, headers, columnCount);

    for (std::size_t i = first; i < lines.size(); ++i) {
        if (trimmed(lines[i]).empty()) continue;
        const auto fields = splitFields(lines[i], table.separator);
        std::vector<double> row(columnCount, kNaN);
        bool good = fields.size() <= columnCount;
        for (std::size_t j = 0; good && j < fields.size(); ++j) {
            if (fields[j].empty()) continue;
            const auto value = parseCell(fields[j], table.decimalComma);
            if (value) row[j] = *value;
            else good = false;
        }
        if (!good) {
            noteBadLine(table, static_cast<int>(i + 1), lines[i]);
            continue;
        }
        if (std::all_of(row.begin(), row.end(), [](double v) { return std::isnan(v); })) continue;
        if (table.rows.size() == kMaxMeasurementRows) ++table.droppedRows;
        else table.rows.push_back(std::move(row));
    }
    if (table.rows.empty()) read.refusal = MeasurementRefusal::NoReadableLine;
    return read;
}

ColumnChoice proposeColumns(const MeasurementTable& table) {
    ColumnChoice choice;
    const int n = static_cast<int>(table.columns.size());
    for (int j = 0; j < n; ++j) {
        const Quantity q = table.columns[j].quantity;
        if (q == Quantity::Volume && choice.volume < 0) choice.volume = j;
        if (q == Quantity::PH && choice.pH < 0) choice.pH = j;
        if (q == Quantity::Conductivity && choice.conductivity < 0) choice.conductivity = j;
    }
    const auto unused = [&](int j) {
        return j != choice.volume && j != choice.pH && j != choice.conductivity;
    };
    if (choice.volume < 0)
        for (int j = 0; j < n && choice.volume < 0; ++j)
            if (table.columns[j].quantity == Quantity::Unknown && unused(j)) choice.volume = j;
    if (choice.pH < 0 && choice.conductivity < 0)
        for (int j = 0; j < n && choice.pH < 0; ++j)
            if (table.columns[j].quantity == Quantity::Unknown && unused(j)) choice.pH = j;
    return choice;
}

Unit proposedVolumeUnit(const MeasurementTable& table, int volumeColumn) {
    if (volumeColumn < 0 || volumeColumn >= static_cast<int>(table.columns.size()))
        return Unit::Millilitre;
    if (table.columns[volumeColumn].unit != Unit::None) return table.columns[volumeColumn].unit;
    double largest = 0;
    for (const auto& row : table.rows)
        if (!std::isnan(row[volumeColumn])) largest = std::max(largest, row[volumeColumn]);
    return largest > 1 ? Unit::Millilitre : Unit::Litre;
}

ImportedMeasurements importMeasurements(const MeasurementTable& table, const ColumnChoice& choice,
                                        Unit volumeUnit, Unit conductivityUnit) {
    ImportedMeasurements imported;
    const int n = static_cast<int>(table.columns.size());
    const auto valid = [n](int j) { return j >= 0 && j < n; };
    if (!valid(choice.volume)) return imported;
    const auto unitOfColumn = [&](int j, Unit given, Unit fallback) {
        if (given != Unit::None) return given;
        return table.columns[j].unit != Unit::None ? table.columns[j].unit : fallback;
    };
    const double toLitres = toProgramUnit(unitOfColumn(choice.volume, volumeUnit, Unit::Millilitre));
    const double toSiemens = valid(choice.conductivity)
        ? toProgramUnit(unitOfColumn(choice.conductivity, conductivityUnit,
                                     Unit::MilliSiemensPerCentimetre))
        : 1;
    for (const auto& row : table.rows) {
        const double v = row[choice.volume];
        const double pH = valid(choice.pH) ? row[choice.pH] : kNaN;
        const double sigma = valid(choice.conductivity) ? row[choice.conductivity] : kNaN;
        if (std::isnan(v) || (std::isnan(pH) && std::isnan(sigma))) {
            ++imported.skippedRows;
            continue;
        }
        if (!std::isnan(pH)) imported.pH.push_back({v * toLitres, pH});
        if (!std::isnan(sigma)) imported.conductivity.push_back({v * toLitres, sigma * toSiemens});
    }
    return imported;
}

std::string importSummary(const ImportedMeasurements& imported, Unit volumeUnit, bool volumeUnitRead,
                          Unit conductivityUnit, bool conductivityUnitRead, Language language) {
    using namespace texts;
    std::string s = std::to_string(imported.pH.size()) + kImportedPHPoints.in(language);
    if (!imported.conductivity.empty())
        s += std::string(kSemicolon.in(language)) + std::to_string(imported.conductivity.size()) +
             kImportedConductivityPoints.in(language);
    s += std::string(kSemicolon.in(language)) + kVolumesIn.in(language) + unitSymbol(volumeUnit) +
         (volumeUnitRead ? kUnitRead : kUnitAssumed).in(language);
    if (!imported.conductivity.empty())
        s += std::string(kSemicolon.in(language)) + kConductivitiesIn.in(language) +
             unitSymbol(conductivityUnit) + (conductivityUnitRead ? kUnitRead : kUnitAssumed).in(language) +
             kConvertedToSiemens.in(language);
    return s;
}

std::string refusalText(MeasurementRefusal refusal, const std::string& fileName, Language language) {
    using namespace texts;
    switch (refusal) {
    case MeasurementRefusal::None: return {};
    case MeasurementRefusal::Binary:
        return std::string(kMeasurementBinary.in(language)) + fileName + kMeasurementBinaryEnd.in(language);
    case MeasurementRefusal::NoReadableLine:
        return std::string(kMeasurementNoLine.in(language)) + fileName + kMeasurementNoLineEnd.in(language);
    }
    return {};
}

std::string badLinesText(const MeasurementTable& table, Language language) {
    using namespace texts;
    if (table.badLineCount == 0) return {};
    std::string s = std::to_string(table.badLineCount) +
                    (table.badLineCount == 1 ? kOneBadLine : kBadLines).in(language);
    for (const auto& bad : table.badLines)
        s += "\n" + std::string(kLineNumber.in(language)) + std::to_string(bad.number) +
             kColon.in(language) + bad.text;
    if (table.droppedRows > 0)
        s += "\n" + std::to_string(table.droppedRows) + kDroppedRows.in(language);
    return s;
}

} // namespace titralab::sheets
