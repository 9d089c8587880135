// The workbook writer as a module loaded when a workbook is first written: the programs start
// without the spreadsheet library and the zip and cryptography libraries it pulls in.
#pragma once

#include "core/session/Workbook.h"

#include <string>

namespace titralab {

struct Simulation;

// The module's one entry point, a C function that gives its WriteWorkbook.
using WorkbookWriter = WorkbookResult (*)(const Simulation&, const std::string&);
inline constexpr const char* kWorkbookEntryPoint = "titralabWorkbookWriter";

// Where the module lies for the program file `programFile` (its bin/ folder's sibling
// lib/titralab/), in the build tree as installed.
std::string workbookModulePath(const std::string& programFile);

// WriteWorkbook through the module at `modulePath`, loaded on the first call and kept. A module
// that cannot be loaded gives a failed result that says so, then the system's reason.
WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path,
                                       const std::string& modulePath);

// The same through the module beside the running program.
WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path);

} // namespace titralab
