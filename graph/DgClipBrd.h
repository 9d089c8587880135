// Copying the simulation: the sampling choice of the copy dialog and the two export files.
#pragma once

#include "app/Simulation.h"

#include <string>
#include <vector>

namespace titralab {

// What the copy dialog's choice "RadioGroup3" shows for the current study.
struct CopyChoices {
    bool visible{true};
    std::string caption;
    std::vector<std::string> items;
};
CopyChoices copyChoicesFor(Study study);

struct ExportResult {
    bool ok{false};
    std::string error; // the system's message when not ok
    std::string txtPath;
    std::string xlsPath;
};

// Writes ExportText, then CR LF, to folder/stem+n+".Txt" and ".Xls" (stem "NumVg" with the
// decimal comma, "NumPt" with the point; n the incremented export counter), creating the
// folder when needed. Each file is written whole under a temporary name, then renamed into
// place. On failure nothing else changes, the export counter included.
ExportResult ExportSimulation(Simulation& sim, const std::string& folder);

} // namespace titralab
