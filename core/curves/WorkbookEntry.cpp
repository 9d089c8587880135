// The workbook module's entry point (see core/curves/WorkbookModule.h).
#include "core/curves/WorkbookModule.h"

extern "C" __attribute__((visibility("default"))) titralab::WorkbookWriter
titralabWorkbookWriter() {
    return &titralab::WriteWorkbook;
}
