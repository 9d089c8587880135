// The workbook module's entry point (see core/session/WorkbookModule.h).
#include "core/session/WorkbookModule.h"

extern "C" __attribute__((visibility("default"))) titralab::WorkbookWriter
titralabWorkbookWriter() {
    return &titralab::WriteWorkbook;
}

extern "C" __attribute__((visibility("default"))) titralab::MarksWorkbookWriter
titralabMarksWorkbookWriter() {
    return &titralab::writeMarksWorkbook;
}
