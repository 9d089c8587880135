// The record of a whole study as a study file (.titralab) holds it, and its JSON text: the
// writer and the bounded reader.
#pragma once

#include "core/chemistry/Conditions.h"
#include "core/curves/ChartReading.h"
#include "core/curves/Curves.h"
#include "core/curves/Overlays.h"
#include "core/page/PointStyles.h"
#include "core/page/PrintSettings.h"
#include "core/panel/DatabaseBrowser.h"

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace titralab {

// The format this program writes: major.minor. A file of another major version is refused; a
// file of a later minor version opens with what this program understands.
inline constexpr int kStudyFormatMajor = 1;
inline constexpr int kStudyFormatMinor = 1;
inline constexpr const char* kStudyFormatName = "TitraLab study";
inline constexpr const char* kStudyExtension = ".titralab";

// Bounds of the reader: what a study can hold, with room to spare.
inline constexpr std::size_t kMaxStudyFileBytes = 2 * 1024 * 1024;
inline constexpr int kMaxStudyDepth = 8;
inline constexpr std::size_t kMaxStudyTextLength = 1000;  // a field, a comment, a pasted line
inline constexpr std::size_t kMaxStudyPastedLines = 5000; // the reading stops long before
inline constexpr std::size_t kMaxStudySections = 64;
inline constexpr std::size_t kMaxStudyCurvePoints = 2001; // a frozen series; the chart draws 201
// A file of a later version may hold many keys this program does not know: the notice names
// this many and counts the others.
inline constexpr std::size_t kNamedSkippedKeys = 5;

// Everything a study file holds, fields as typed.
struct StudyRecord {
    int sideChoice{-1}; // -1 before the first choice, 0 acid side, 1 base side
    Study study{Study::None};
    BaseKind baseKind{BaseKind::Soda};
    std::array<std::string, 17> fields{}; // fields[1..16]: D1..D16 (D11: line width)
    std::string entryName;
    int currentAcidEntry{1};
    int currentBaseEntry{1};
    int row1{1};
    int row2{1};
    int target{1}; // the database target: column 1 or 2, 0 when no item is selected

    std::array<bool, 10> ticked{}; // the graph window's boxes, ticked[0] the dilution
    std::string pointCount{"100"};

    std::vector<std::string> pastedLines;
    bool pasteOrder{true};                   // true: (v, pH)
    std::optional<bool> pastedInMillilitres; // the volumes' unit; none: decided from them
    PointStyle pointStyle{PointStyle::Cross};
    // Imported conductivity measurements: volume (L), conductivity (S/m).
    std::vector<std::pair<double, double>> measuredConductivity;

    PrintSettings print;

    CopySampling copySampling{CopySampling::ByPH};
    bool decimalComma{true};
    int exportDigits{5};

    // The graph window's reading controls; the indicator by its index in colourIndicators()
    // (the file names it), -1 for none.
    ReadingOptions reading;
    bool bufferCapacity{false}; // the β box of the graph window (written only when ticked)
    // The frozen curves (not those of a family), with the values they were computed from.
    std::vector<OverlayCurve> frozen;
    // The conditions of the solutions; written only when not ideal at 25 °C, so that the
    // files of studies that never change them stay as they were.
    Conditions conditions;

    // Top-level sections this record does not hold (those of other features), as JSON text,
    // kept so that a feature can read its own and so that saving again does not lose them.
    std::map<std::string, std::string> sections;

    bool operator==(const StudyRecord& o) const;
    bool operator!=(const StudyRecord& o) const { return !(*this == o); }
};

// The JSON text of a record (UTF-8, two-space indent, one trailing line feed).
std::string writeStudyText(const StudyRecord& record);

struct StudyReading {
    std::optional<StudyRecord> record; // none when refused
    std::string problem;               // the first problem, in the reading's language, when refused
    bool newerVersion{false};          // a later minor version of the format
    std::vector<std::string> skipped;  // what a later version holds that was not understood,
                                       // at most kNamedSkippedKeys names
    std::size_t skippedCount{0};       // how many keys were not understood in all
};

// Reads the JSON text of a study. Refuses (with the first problem) anything that is not a
// whole study of this format's major version with every value in range.
// The file's keys and values are the same in every language; only the problem is in `language`.
StudyReading readStudyText(std::string_view text, Language language);

// A text from a file as a message may show it: control characters written as \n, \t or
// \u001b, so that they neither reach a terminal nor break a message box's lines.
std::string printableText(std::string_view text);

} // namespace titralab
