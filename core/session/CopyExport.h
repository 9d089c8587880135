// Copying the simulation: the sampling choice of the copy dialog and the two export files.
#pragma once

#include "core/base/Notifier.h"
#include "core/session/Simulation.h"

#include <string>
#include <vector>

namespace titralab {

// What the copy dialog's sampling choice shows for the current study.
struct CopyChoices {
    bool visible{true};
    std::string caption;
    std::vector<std::string> items;
};
// The volume item names what the burette holds: a strong base on the acid side, a strong acid
// on the base side.
CopyChoices copyChoicesFor(Study study, Language language,
                           BuretteSide side = BuretteSide::AcidSide);

struct ExportResult {
    bool ok{false};
    std::string error; // the system's message when not ok
    std::string txtPath;
    std::string xlsPath;
    std::string xlsxPath;      // empty when the workbook could not be written
    std::string workbookError; // when the text files are written but not the workbook
};

// Writes ExportText, then CR LF, to folder/stem+n+".Txt" and ".Xls" (stem "NumVg" with the
// decimal comma, "NumPt" with the point; n the incremented export counter), creating the
// folder when needed. Each file is written whole under a temporary name, then renamed into
// place. On failure nothing else changes, the export counter included. Messages are in the
// simulation's language.
// Once both are in place, the workbook of the same table goes to stem+n+".xlsx"; a workbook
// that cannot be written leaves the two text files and the counter as they are and says so in
// workbookError.
ExportResult ExportSimulation(Simulation& sim, const std::string& folder);

// What a copy hands to the clipboard when it succeeded.
struct CopyOutcome {
    bool ok{false};
    std::string clipboardText; // ExportText as generated for this copy
    ExportResult files;
    std::string status; // where the table went, for the status line
};

// The copy command: regenerates the study (its messages through the notifier), then writes the
// two export files into `folder`. Before any study is chosen it is refused with a message. A
// fault of the regeneration or a failed write (naming the folder, then the system's reason) ends
// the copy with its message shown as an error; the caller then leaves the clipboard as it was. A
// workbook that could not be written is shown as an error too, but the copy goes on.
CopyOutcome CopySimulation(Simulation& sim, Notifier& notifier, const std::string& folder);

// The last copied table, published by the graph window under this name for programs that
// link to it; it keeps its text until the next successful copy.
struct ExchangeItem {
    static constexpr const char* kName = "de_pH_et_concentrations";
    std::string text;
};

} // namespace titralab
