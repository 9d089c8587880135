// The printed page of a study written to a PDF file, without a printer or a display.
#pragma once

#include "core/page/PrintSettings.h"
#include "core/system/WholeFile.h"

#include <QPageLayout>

#include <string>

namespace titralab {

struct Simulation;

// Dots per inch of a page written as PDF.
inline constexpr int kPdfResolution = 600;

// A4 portrait with 10 mm margins: about the printable area of an office printer.
QPageLayout defaultPdfPageLayout();

// Prints the page of `sim` with `settings` into a one-page PDF at `path` (UTF-8), `dpi` dots
// per inch on `layout`. The file is replaced only once the page is complete. Returns the reason
// for the user when it was not, and a notice when `path` was a link.
WholeFileResult writePdfPage(const Simulation& sim, const PrintSettings& settings,
                             const std::string& path,
                             const QPageLayout& layout = defaultPdfPageLayout(),
                             int dpi = kPdfResolution);

} // namespace titralab
