// The copied table as a spreadsheet workbook (.xlsx, through libxlsxwriter): the study sheet
// with its numbers, a "Constantes" sheet, and a native chart of the study.
#pragma once

#include "core/base/Language.h"
#include "core/session/Exercise.h"

#include <string>
#include <vector>

namespace titralab {

struct Simulation;

struct WorkbookResult {
    bool ok{false};
    std::string error;  // in the simulation's language, when not ok: what went wrong
    std::string notice; // when ok: the name was a link, the file it leads to was written
};

// Writes the workbook of the last generation (sim.results.exportTable, the state and the titles the
// plot driver set) into `path`, whole or not at all (core/system/WholeFile.h), so that a
// failure never leaves a truncated workbook where a good one stood.
//
// The study sheet holds a title row (the study and its acids), the note above the table (the
// dilution warning) when there is one, a header row with units, then one row per point with
// every value a number cell; the mixture study gives label-value rows instead. Every column of
// the table reaches the sheet, in the text table's order.
WorkbookResult WriteWorkbook(const Simulation& sim, const std::string& path);

// The marks of an exercise (marksTable) as a workbook of one sheet: the title, then the rows,
// every number a number cell; written whole or not at all.
WorkbookResult writeMarksWorkbook(const std::string& title,
                                  const std::vector<std::vector<MarksCell>>& rows,
                                  const std::string& path, Language language);

// The name of the study sheet: at most 31 characters, as spreadsheets require.
std::string studySheetName(const Simulation& sim);

} // namespace titralab
