// Reading practical-work sheets: a bounded RTF reader, plain-text decoding, the reader's texts.
#pragma once

#include "core/base/Language.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab::sheets {

// Limits of the reader. A sheet is a few pages of text: anything beyond these is either
// damaged or hostile, and is cut short rather than trusted.
inline constexpr std::size_t kMaxFileBytes = 20u * 1024u * 1024u; // whole file, bytes
inline constexpr int kMaxGroupDepth = 200;                        // deeper groups are skipped whole
inline constexpr std::size_t kMaxControlWord = 32; // letters; a longer word is unknown
inline constexpr int kMaxParameterDigits = 10;     // further digits are read and dropped
inline constexpr std::size_t kMaxColours = 1024;   // colour-table entries kept
inline constexpr int kMaxUnicodeSkip = 16;         // \ucN fallback length, bytes
inline constexpr int kDefaultHalfPoints = 24;      // 12 pt
inline constexpr int kMinHalfPoints = 2;           // 1 pt
inline constexpr int kMaxHalfPoints = 1000;        // 500 pt
inline constexpr int kMaxSpacing = 14400;          // indents and spacing, twips (10 inches)
// Beyond these the text view would take minutes to lay the text out (its line breaking grows
// faster than linearly with the length of a word without spaces): a paragraph longer than
// about a page and a half is broken, at a space when it can be; runs beyond the limit take
// the format of the one before; the document stops at the paragraph limit.
inline constexpr std::size_t kMaxParagraphs = 100000;
inline constexpr std::size_t kMaxRunsPerParagraph = 1000;
inline constexpr std::size_t kMaxParagraphBytes = 10000; // UTF-8

struct Rgb {
    std::uint8_t red{};
    std::uint8_t green{};
    std::uint8_t blue{};
    bool operator==(const Rgb& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

enum class Alignment { Left, Center, Right, Justify };

// Subscript (chemical formulas' indices) and superscript (charges, powers of ten).
enum class Script { Normal, Sub, Super };

struct CharFormat {
    bool bold{false};
    bool italic{false};
    bool underline{false};
    int halfPoints{kDefaultHalfPoints}; // font size, half-points
    std::optional<Rgb> colour;          // empty: the default text colour
    Script script{Script::Normal};
    bool operator==(const CharFormat& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline &&
               halfPoints == o.halfPoints && colour == o.colour && script == o.script;
    }
    bool operator!=(const CharFormat& o) const { return !(*this == o); }
};

// Text in one format, UTF-8. A line break inside a paragraph is U+2028, a tab is '\t'.
struct Run {
    std::string text;
    CharFormat format;
};

// Indents and spacing of a paragraph, twips (1/1440 inch).
struct ParagraphSpacing {
    int left{0};   // \li
    int right{0};  // \ri
    int first{0};  // \fi, first line relative to the others; negative for a hanging indent
    int before{0}; // \sb
    int after{0};  // \sa
    bool operator==(const ParagraphSpacing& o) const {
        return left == o.left && right == o.right && first == o.first && before == o.before &&
               after == o.after;
    }
};

struct Paragraph {
    Alignment alignment{Alignment::Left};
    ParagraphSpacing spacing;
    std::vector<Run> runs;
    std::string text() const;
};

struct Document {
    std::vector<Paragraph> paragraphs;
    bool truncated{false}; // the paragraph limit cut the document short
    // Paragraphs joined by '\n'.
    std::string plainText() const;
};

// U+2028, the line break inside a paragraph (RTF \line).
inline constexpr const char* kLineSeparator = "\xE2\x80\xA8";

// True when the bytes are a rich-text file (they open with "{\rtf").
bool isRtf(std::string_view bytes);

// Reads RTF: groups, \par, \line, \tab, \b, \i, \ul, \sub, \super, \fs, \cf with the colour table,
// \q? alignment, \li \ri \fi \sb \sa, \'hh in the document's code page (\ansicpg, Windows-1252 by
// default), \uN with its \ucN fallback; the font table, \* destinations, pictures, objects, style
// sheet, document information, headers, footers and hidden text are skipped, and \binN data with
// them. Never fails: malformed input yields what could be read. Time and memory are linear
// in the input size.
Document parseRtf(std::string_view bytes);

// Plain text as UTF-8: UTF-16 with a byte-order mark, UTF-8 (a mark is dropped) when the
// bytes are valid UTF-8, Windows-1252 otherwise. NUL characters are dropped.
std::string decodePlainText(std::string_view bytes);

bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
void appendUtf8(std::string& out, char32_t codePoint);

// The text up to its first line break ('\n', '\r' or U+2028).
std::string firstLine(std::string_view utf8);

// A sheet read from a file's bytes.
struct Sheet {
    enum class Kind { Rich, Plain, TooLarge };
    Kind kind{Kind::Plain};
    Document rich;         // Kind::Rich
    std::string plain;     // Kind::Plain, UTF-8
    bool truncated{false}; // only the first kMaxParagraphs paragraphs or lines are kept
};
// Plain text lines longer than kMaxParagraphBytes are broken, at a space when there is one.
// `byteCount` is the file's size as the file system reports it; `bytes` what was read (at
// most kMaxFileBytes + 1 of them, so an endless file cannot exhaust memory).
Sheet readSheet(std::string_view bytes, std::uint64_t byteCount);

// The error box's texts for a sheet that cannot be shown.
std::string cannotReadMessage(const std::string& fileName, const std::string& systemMessage,
                              Language language);
std::string tooLargeMessage(const std::string& fileName, Language language);
// The information shown when only the beginning of a document could be shown.
std::string truncatedMessage(const std::string& fileName, Language language);

} // namespace titralab::sheets
