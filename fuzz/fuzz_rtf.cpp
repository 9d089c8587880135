// libFuzzer target: the practical-work sheet reader (RTF and plain text) on arbitrary bytes.
#include "app/UNotepad2.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace titralab::notepad;

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
    for (const Paragraph& p : document.paragraphs) {
        for (const Run& r : p.runs) {
            check(!r.text.empty());
            checkText(r.text);
            check(r.format.halfPoints >= kMinHalfPoints && r.format.halfPoints <= kMaxHalfPoints);
        }
    }

    const std::string plain = decodePlainText(bytes);
    check(isValidUtf8(plain));
    check(plain.find('\0') == std::string::npos);

    const Sheet sheet = readSheet(bytes, size);
    check(sheet.kind == (isRtf(bytes) ? Sheet::Kind::Rich : Sheet::Kind::Plain));
    return 0;
}
