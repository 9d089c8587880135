#include "core/sheets/TextDecoding.h"
#include "core/sheets/SheetReader.h"

#include <algorithm>
#include <array>

namespace titralab::sheets {

namespace {

// Windows-1252 from 0x80 to 0x9F; 0 marks the five unassigned bytes. Every other byte is
// the code point of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

char32_t fromCp1252(unsigned char c) {
    if (c < 0x80 || c >= 0xA0) return c;
    const char16_t u = kCp1252High[c - 0x80];
    return u ? u : kReplacement;
}

std::size_t utf8SequenceLength(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0; // overlong
        if (c == 0xED) hi = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90; // overlong
        if (c == 0xF4) hi = 0x8F; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    if (b(1) < lo || b(1) > hi) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (b(i) < 0x80 || b(i) > 0xBF) return 0;
    return n;
}

void appendLenientUtf8(std::string& out, std::string_view s) {
    while (!s.empty()) {
        const std::size_t n = utf8SequenceLength(s);
        if (n == 0) {
            appendUtf8(out, kReplacement);
            s.remove_prefix(1);
        } else {
            out.append(s.data(), n);
            s.remove_prefix(n);
        }
    }
}

std::string decodeUtf16(std::string_view s, bool littleEndian) {
    std::string out;
    out.reserve(s.size() * 3 / 2);
    char16_t high = 0;
    for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        const auto b1 = static_cast<unsigned char>(s[i + 1]);
        const char16_t u = littleEndian ? char16_t(b0 | (b1 << 8)) : char16_t((b0 << 8) | b1);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (high) appendUtf8(out, kReplacement);
            high = u;
            continue;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            appendUtf8(out, high ? 0x10000 + ((char32_t(high) - 0xD800) << 10) + (u - 0xDC00)
                                 : kReplacement);
            high = 0;
            continue;
        }
        if (high) appendUtf8(out, kReplacement);
        high = 0;
        appendUtf8(out, u);
    }
    if (high || s.size() % 2 != 0) appendUtf8(out, kReplacement);
    return out;
}

// The glibc converter's name of the code pages a Windows document may declare, besides
// Windows-1252 and UTF-8 which are read here. Other numbers are read as Windows-1252.
const char* iconvName(int codePage) {
    switch (codePage) {
    case 437:
        return "CP437";
    case 850:
        return "CP850";
    case 852:
        return "CP852";
    case 866:
        return "CP866";
    case 874:
        return "CP874";
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1253:
        return "CP1253";
    case 1254:
        return "CP1254";
    case 1255:
        return "CP1255";
    case 1256:
        return "CP1256";
    case 1257:
        return "CP1257";
    case 1258:
        return "CP1258";
    case 10000:
        return "MACINTOSH";
    default:
        return nullptr;
    }
}

std::size_t cutLength(std::string_view text, std::size_t room, bool anywhere) {
    if (text.size() <= room) return text.size();
    const std::size_t space = text.substr(0, room).rfind(' ');
    if (space != std::string_view::npos && space > 0) return space + 1;
    if (!anywhere) return 0;
    std::size_t n = room;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

void appendUtf8(std::string& out, char32_t u) {
    if (u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) u = kReplacement;
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

bool isValidUtf8(std::string_view s) {
    while (!s.empty()) {
        const std::size_t n = utf8SequenceLength(s);
        if (n == 0) return false;
        s.remove_prefix(n);
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) appendUtf8(out, fromCp1252(static_cast<unsigned char>(c)));
    return out;
}

std::string decodePlainText(std::string_view bytes) {
    const auto startsWith = [&](std::string_view prefix) {
        return bytes.substr(0, prefix.size()) == prefix;
    };
    std::string out;
    if (startsWith("\xFF\xFE")) {
        out = decodeUtf16(bytes.substr(2), true);
    } else if (startsWith("\xFE\xFF")) {
        out = decodeUtf16(bytes.substr(2), false);
    } else if (startsWith("\xEF\xBB\xBF")) {
        appendLenientUtf8(out, bytes.substr(3));
    } else if (isValidUtf8(bytes)) {
        out.assign(bytes);
    } else {
        out = windows1252ToUtf8(bytes);
    }
    out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
    return out;
}

} // namespace titralab::sheets
