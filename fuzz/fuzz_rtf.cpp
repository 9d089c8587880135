// libFuzzer target: the practical-work sheet reader (RTF and plain text) on arbitrary bytes.
#include "core/sheets/SheetReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab::sheets;

namespace {

// Whatever the input, the reader's output is clean UTF-8 with no control character but the
// tab, and every size within its bounds; a broken promise aborts, and libFuzzer keeps the
// input that broke it.
void check(bool ok) {
    if (!ok) std::abort();
}

void checkText(std::string_view text) {
    check(isValidUtf8(text));
    for (char c : text) check(c == '\t' || static_cast<unsigned char>(c) >= 0x20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const Document document = parseRtf(bytes);
    // Every paragraph and run comes from at least one input byte.
    check(document.paragraphs.size() <= size);
    check(document.paragraphs.size() <= kMaxParagraphs);
    for (const Paragraph& p : document.paragraphs) {
        check(p.runs.size() <= kMaxRunsPerParagraph);
        check(p.text().size() <= kMaxParagraphBytes);
        for (const Run& r : p.runs) {
            check(!r.text.empty());
            checkText(r.text);
            check(r.format.halfPoints >= kMinHalfPoints && r.format.halfPoints <= kMaxHalfPoints);
        }
        const ParagraphSpacing& s = p.spacing;
        for (int indent : {s.left, s.right, s.first}) check(std::abs(indent) <= kMaxSpacing);
        for (int space : {s.before, s.after}) check(space >= 0 && space <= kMaxSpacing);
    }

    const std::string plain = decodePlainText(bytes);
    check(isValidUtf8(plain));
    check(plain.find('\0') == std::string::npos);

    const Sheet sheet = readSheet(bytes, size);
    check(sheet.kind == (isRtf(bytes) ? Sheet::Kind::Rich : Sheet::Kind::Plain));
    if (sheet.kind == Sheet::Kind::Plain) {
        // The bounded lines keep every character of the text they were read from, line
        // breaks aside.
        check(isValidUtf8(sheet.plain));
        std::size_t line = 0;
        std::string kept;
        for (char c : sheet.plain) {
            line = c == '\n' ? 0 : line + 1;
            check(line <= kMaxParagraphBytes);
            if (c != '\n') kept += c;
        }
        std::string expected;
        for (char c : plain)
            if (c != '\n' && c != '\r') expected += c;
        check(sheet.truncated || kept == expected);
    }
    return 0;
}
