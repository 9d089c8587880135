// The system clipboard as the program uses it: a table put as text, text read back.
#pragma once

#include <QString>

#include <string>

namespace titralab::clipboard {

// The MIME type under which spreadsheets recognise a tab-separated table.
inline constexpr const char* kTableMimeType = "text/tab-separated-values";

// Puts a table on the clipboard, both as plain text and as a tab-separated table.
void putTable(const std::string& text);

// The clipboard's plain text, empty when it holds none.
QString readText();

} // namespace titralab::clipboard
