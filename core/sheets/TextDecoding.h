// Text decoding shared by the sheet reader's parts: code pages, UTF-8 and UTF-16.
#pragma once

#include "core/sheets/SheetReader.h"

#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TITRALAB_HAVE_ICONV 1
#endif

namespace titralab::sheets {

inline constexpr char32_t kReplacement = 0xFFFD;

// The code point of a Windows-1252 byte; U+FFFD for the five unassigned ones.
char32_t fromCp1252(unsigned char c);

// Length of the valid UTF-8 sequence at the start of `s`, 0 when it is not valid.
std::size_t utf8SequenceLength(std::string_view s);

// UTF-8 with each invalid byte replaced by U+FFFD.
void appendLenientUtf8(std::string& out, std::string_view s);

// UTF-16 (after its byte-order mark) as UTF-8; unpaired surrogates become U+FFFD.
std::string decodeUtf16(std::string_view s, bool littleEndian);

// How much of `text` goes into `room` bytes: all of it when it fits, else up to the last space
// that fits (when `anywhere` is false there must be one), else up to the last whole UTF-8
// character that fits.
std::size_t cutLength(std::string_view text, std::size_t room, bool anywhere = true);

// The glibc converter's name of a Windows code page, nullptr for those read as Windows-1252.
const char* iconvName(int codePage);

// Turns bytes of the document's code page into UTF-8.
class CodePage {
  public:
    CodePage() = default;
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;
    ~CodePage() { close(); }

    void select(int codePage) {
        close();
        m_kind = Kind::Windows1252;
        if (codePage == 65001) {
            m_kind = Kind::Utf8;
            return;
        }
#ifdef TITRALAB_HAVE_ICONV
        if (const char* name = iconvName(codePage)) {
            m_iconv = iconv_open("UTF-8", name);
            if (m_iconv != kNoIconv) m_kind = Kind::Iconv;
        }
#endif
    }

    void decode(std::string_view bytes, std::string& out) {
        switch (m_kind) {
        case Kind::Windows1252:
            for (char c : bytes) appendUtf8(out, fromCp1252(static_cast<unsigned char>(c)));
            return;
        case Kind::Utf8:
            appendLenientUtf8(out, bytes);
            return;
        case Kind::Iconv:
            decodeWithIconv(bytes, out);
            return;
        }
    }

  private:
    enum class Kind { Windows1252, Utf8, Iconv };

#ifdef TITRALAB_HAVE_ICONV
    static inline const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

    void decodeWithIconv(std::string_view bytes, std::string& out) {
        std::string in(bytes);
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        std::string buffer(4 * in.size() + 16, '\0');
        for (;;) {
            char* outPtr = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t r = iconv(m_iconv, inLeft ? &inPtr : nullptr,
                                        inLeft ? &inLeft : nullptr, &outPtr, &outLeft);
            out.append(buffer.data(), static_cast<std::size_t>(outPtr - buffer.data()));
            if (r != static_cast<std::size_t>(-1)) {
                if (inLeft == 0) break;
                continue;
            }
            if (errno == E2BIG) continue;
            // A byte the code page does not map, or a sequence cut short: one replacement
            // character, and the converter starts afresh on the next byte.
            appendUtf8(out, kReplacement);
            iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
            if (inLeft == 0) break;
            ++inPtr;
            --inLeft;
        }
        iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
    }

    void close() {
        if (m_iconv != kNoIconv) iconv_close(m_iconv);
        m_iconv = kNoIconv;
    }

    iconv_t m_iconv{kNoIconv};
#else
    void decodeWithIconv(std::string_view bytes, std::string& out) {
        for (char c : bytes) appendUtf8(out, fromCp1252(static_cast<unsigned char>(c)));
    }
    void close() {}
#endif

    Kind m_kind{Kind::Windows1252};
};

} // namespace titralab::sheets
