// Showing a practical-work sheet (rich or plain text) in a QTextDocument.
#pragma once

#include "core/sheets/SheetReader.h"

class QTextDocument;

namespace titralab {

// Replaces the document's content with the paragraphs and runs of a rich-text sheet. Font
// sizes are in points (half the RTF half-points); the family stays the document's default.
void showRichText(QTextDocument& document, const sheets::Document& rich);

// Replaces the document's content with a sheet of either kind; a sheet refused as too large
// leaves the document as it was.
void showSheet(QTextDocument& document, const sheets::Sheet& sheet);

} // namespace titralab
