// The sheet reader's front end: a file's bytes to a rich document or to plain lines, and the
// messages of a sheet that cannot be shown whole.
#include "core/sheets/SheetReader.h"
#include "core/sheets/TextDecoding.h"

#include <algorithm>

namespace titralab::sheets {

namespace {

// At most kMaxParagraphs lines of at most kMaxParagraphBytes each. A line ends with "\n",
// "\r\n" or "\r", as in the text view.
struct Lines {
    std::string text;
    bool truncated{false};
};

Lines limitLines(const std::string& text) {
    Lines lines;
    std::string& out = lines.text;
    out.reserve(text.size());
    std::size_t count = 0;
    std::string_view rest(text);
    while (!rest.empty()) {
        if (count == kMaxParagraphs) {
            lines.truncated = true;
            break;
        }
        // Looked for within one line's length only, which keeps the whole reading linear.
        const std::size_t end = rest.substr(0, kMaxParagraphBytes + 1).find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        std::size_t breakLength = 0;
        if (end != std::string_view::npos) breakLength = rest.substr(end, 2) == "\r\n" ? 2 : 1;
        std::size_t length = cutLength(line, kMaxParagraphBytes);
        if (length == 0) length = std::min(line.size(), kMaxParagraphBytes); // not UTF-8
        if (length < line.size()) {
            // A forced break: the rest of the line is read as a line of its own.
            line = line.substr(0, length);
            breakLength = 0;
        }
        out += line;
        rest.remove_prefix(line.size() + breakLength);
        ++count;
        if (!rest.empty() || breakLength > 0) out += '\n';
    }
    return lines;
}

} // namespace

std::string firstLine(std::string_view utf8) {
    std::size_t end = utf8.find_first_of("\r\n");
    for (std::string_view separator : {"\xE2\x80\xA8", "\xE2\x80\xA9"})
        end = std::min(end, utf8.find(separator));
    return std::string(utf8.substr(0, end));
}

Sheet readSheet(std::string_view bytes, std::uint64_t byteCount) {
    Sheet sheet;
    if (byteCount > kMaxFileBytes || bytes.size() > kMaxFileBytes) {
        sheet.kind = Sheet::Kind::TooLarge;
    } else if (isRtf(bytes)) {
        sheet.kind = Sheet::Kind::Rich;
        sheet.rich = parseRtf(bytes);
        sheet.truncated = sheet.rich.truncated;
    } else {
        sheet.kind = Sheet::Kind::Plain;
        Lines lines = limitLines(decodePlainText(bytes));
        sheet.plain = std::move(lines.text);
        sheet.truncated = lines.truncated;
    }
    return sheet;
}

std::string cannotReadMessage(const std::string& fileName, const std::string& systemMessage,
                              Language language) {
    std::string text = language == Language::English
                           ? "Cannot read the file \"" + fileName + "\"."
                           : "Impossible de lire le fichier \"" + fileName + "\".";
    if (!systemMessage.empty()) text += "\r" + systemMessage;
    return text;
}

std::string truncatedMessage(const std::string& fileName, Language language) {
    if (language == Language::English)
        return "The file \"" + fileName + "\" is too long: only its beginning is shown.";
    return "Le fichier \"" + fileName + "\" est trop long : seul son début est affiché.";
}

std::string tooLargeMessage(const std::string& fileName, Language language) {
    if (language == Language::English)
        return "The file \"" + fileName +
               "\" is too large to be read: a practical-work sheet cannot exceed 20 MB.";
    return "Le fichier \"" + fileName +
           "\" est trop volumineux pour être lu : une fiche de travail pratique ne peut pas "
           "dépasser 20 Mo.";
}

} // namespace titralab::sheets
