// titralab-export's measurements: --import reads a measurement file, --measured-equivalence
// prints the equivalence each method reads off the measured points.
#pragma once

#include "cli/ExportOptions.h"
#include "core/sheets/MeasurementFile.h"

#include <optional>

namespace titralab::cli {

// Reads --import's file and takes its columns (--columns, else the proposed ones), reporting
// on standard error what it found; the tool's exit status when nothing can be imported.
struct FileImport {
    sheets::ImportedMeasurements imported;
    std::optional<int> status;
};
FileImport importMeasurementFile(const Options& o);

// --measured-equivalence: one line per method and equivalence.
int printMeasuredEquivalences(const Simulation& sim, const Options& o);

} // namespace titralab::cli
