// The workbook writer as a module loaded when a workbook is first written: the programs start
// without the spreadsheet library and the zip and cryptography libraries it pulls in.
#pragma once

#include "core/session/Workbook.h"

#include <string>
#include <vector>

namespace titralab {

struct Simulation;

// The module's one entry point, a C function that gives its WriteWorkbook.
using WorkbookWriter = WorkbookResult (*)(const Simulation&, const std::string&);
inline constexpr const char* kWorkbookEntryPoint = "titralabWorkbookWriter";

// Its entry point for the marks of an exercise.
using MarksWorkbookWriter = WorkbookResult (*)(const std::string&,
                                               const std::vector<std::vector<MarksCell>>&,
                                               const std::string&, Language);
inline constexpr const char* kMarksWorkbookEntryPoint = "titralabMarksWorkbookWriter";

// Where the module lies for the program file `programFile` (its bin/ folder's sibling
// lib/titralab/), in the build tree as installed.
std::string workbookModulePath(const std::string& programFile);

// WriteWorkbook through the module at `modulePath`, loaded on the first call and kept. A module
// that cannot be loaded gives a failed result that says so, then the system's reason.
WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path,
                                       const std::string& modulePath);

// The same through the module beside the running program.
WorkbookResult writeWorkbookWithModule(const Simulation& sim, const std::string& path);

// writeMarksWorkbook through the module beside the running program.
WorkbookResult writeMarksWorkbookWithModule(const std::string& title,
                                            const std::vector<std::vector<MarksCell>>& rows,
                                            const std::string& path, Language language);

} // namespace titralab
