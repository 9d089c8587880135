#include "core/sheets/SheetReader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TITRALAB_HAVE_ICONV 1
#endif

namespace titralab::notepad {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 from 0x80 to 0x9F; 0 marks the five unassigned bytes. Every other byte is
// the code point of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromCp1252(unsigned char c) {
    if (c < 0x80 || c >= 0xA0) return c;
    const char16_t u = kCp1252High[c - 0x80];
    return u ? u : kReplacement;
}

// Length of the valid UTF-8 sequence at the start of `s`, 0 when it is not valid.
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

// UTF-8 with each invalid byte replaced by U+FFFD.
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

// ---- The control words the reader knows ---------------------------------------------------

enum class Action {
    Par,             // end of paragraph
    Char,            // a character, `value`
    Bold,            // \b, \b0
    Italic,          // \i, \i0
    Underline,       // \ul and its styles, \ul0
    UnderlineNone,   // \ulnone
    Hidden,          // \v, \v0
    Script,          // \sub \super \nosupersub, `value` is the Script
    Raise,           // \upN \dnN: `value` is the Script when N is not 0
    Plain,           // character formatting back to the default
    FontSize,        // \fsN, half-points
    Colour,          // \cfN, index in the colour table
    Pard,            // paragraph formatting back to the default
    Spacing,         // \li \ri \fi \sb \sa, `value` is the SpacingField
    Align,           // \ql \qc \qr \qj, `value` is the Alignment
    Unicode,         // \uN
    UnicodeSkip,     // \ucN
    Bin,             // \binN, N bytes of binary data follow
    CodePage,        // \ansicpgN
    CharacterSet,    // \ansi \mac \pc \pca, `value` is the code page
    Red,             // colour table components
    Green,           // |
    Blue,            // |
    ColourTable,     // \colortbl
    SkipDestination, // a group whose content is never shown
};

enum class SpacingField { Left, Right, First, Before, After };

struct Word {
    std::string_view name;
    Action action;
    char32_t value{0};
};

// Sorted by name, for binary search.
constexpr Word kWords[] = {
    {"aftncn", Action::SkipDestination},
    {"aftnsep", Action::SkipDestination},
    {"aftnsepc", Action::SkipDestination},
    {"annotation", Action::SkipDestination},
    {"ansi", Action::CharacterSet, 1252},
    {"ansicpg", Action::CodePage},
    {"atnauthor", Action::SkipDestination},
    {"atndate", Action::SkipDestination},
    {"atnicn", Action::SkipDestination},
    {"atnid", Action::SkipDestination},
    {"atnparent", Action::SkipDestination},
    {"atnref", Action::SkipDestination},
    {"atntime", Action::SkipDestination},
    {"author", Action::SkipDestination},
    {"b", Action::Bold},
    {"background", Action::SkipDestination},
    {"bin", Action::Bin},
    {"bkmkend", Action::SkipDestination},
    {"bkmkstart", Action::SkipDestination},
    {"blue", Action::Blue},
    {"bullet", Action::Char, 0x2022},
    {"cell", Action::Char, '\t'},
    {"cf", Action::Colour},
    {"colorschememapping", Action::SkipDestination},
    {"colortbl", Action::ColourTable},
    {"comment", Action::SkipDestination},
    {"company", Action::SkipDestination},
    {"creatim", Action::SkipDestination},
    {"datastore", Action::SkipDestination},
    {"dn", Action::Raise, static_cast<char32_t>(Script::Sub)},
    {"do", Action::SkipDestination},
    {"doccomm", Action::SkipDestination},
    {"docvar", Action::SkipDestination},
    {"emdash", Action::Char, 0x2014},
    {"emspace", Action::Char, 0x2003},
    {"endash", Action::Char, 0x2013},
    {"enspace", Action::Char, 0x2002},
    {"falt", Action::SkipDestination},
    {"fi", Action::Spacing, static_cast<char32_t>(SpacingField::First)},
    {"fldinst", Action::SkipDestination},
    {"fonttbl", Action::SkipDestination},
    {"footer", Action::SkipDestination},
    {"footerf", Action::SkipDestination},
    {"footerl", Action::SkipDestination},
    {"footerr", Action::SkipDestination},
    {"footnote", Action::SkipDestination},
    {"fs", Action::FontSize},
    {"ftncn", Action::SkipDestination},
    {"ftnsep", Action::SkipDestination},
    {"ftnsepc", Action::SkipDestination},
    {"generator", Action::SkipDestination},
    {"green", Action::Green},
    {"header", Action::SkipDestination},
    {"headerf", Action::SkipDestination},
    {"headerl", Action::SkipDestination},
    {"headerr", Action::SkipDestination},
    {"i", Action::Italic},
    {"info", Action::SkipDestination},
    {"keywords", Action::SkipDestination},
    {"latentstyles", Action::SkipDestination},
    {"ldblquote", Action::Char, 0x201C},
    {"li", Action::Spacing, static_cast<char32_t>(SpacingField::Left)},
    {"line", Action::Char, 0x2028},
    {"listoverridetable", Action::SkipDestination},
    {"listtable", Action::SkipDestination},
    {"lquote", Action::Char, 0x2018},
    {"mac", Action::CharacterSet, 10000},
    {"nestcell", Action::Char, '\t'},
    {"nonshppict", Action::SkipDestination},
    {"nosupersub", Action::Script, static_cast<char32_t>(Script::Normal)},
    {"object", Action::SkipDestination},
    {"operator", Action::SkipDestination},
    {"page", Action::Par},
    {"par", Action::Par},
    {"pard", Action::Pard},
    {"pc", Action::CharacterSet, 437},
    {"pca", Action::CharacterSet, 850},
    {"pict", Action::SkipDestination},
    {"plain", Action::Plain},
    {"pn", Action::SkipDestination},
    {"printim", Action::SkipDestination},
    {"private", Action::SkipDestination},
    {"qc", Action::Align, static_cast<char32_t>(Alignment::Center)},
    {"qj", Action::Align, static_cast<char32_t>(Alignment::Justify)},
    {"ql", Action::Align, static_cast<char32_t>(Alignment::Left)},
    {"qmspace", Action::Char, 0x2005},
    {"qr", Action::Align, static_cast<char32_t>(Alignment::Right)},
    {"rdblquote", Action::Char, 0x201D},
    {"red", Action::Red},
    {"revtbl", Action::SkipDestination},
    {"revtim", Action::SkipDestination},
    {"ri", Action::Spacing, static_cast<char32_t>(SpacingField::Right)},
    {"row", Action::Par},
    {"rquote", Action::Char, 0x2019},
    {"rsidtbl", Action::SkipDestination},
    {"sa", Action::Spacing, static_cast<char32_t>(SpacingField::After)},
    {"sb", Action::Spacing, static_cast<char32_t>(SpacingField::Before)},
    {"sect", Action::Par},
    {"shp", Action::SkipDestination},
    {"shpgrp", Action::SkipDestination},
    {"shppict", Action::SkipDestination},
    {"stylesheet", Action::SkipDestination},
    {"sub", Action::Script, static_cast<char32_t>(Script::Sub)},
    {"subject", Action::SkipDestination},
    {"super", Action::Script, static_cast<char32_t>(Script::Super)},
    {"tab", Action::Char, '\t'},
    {"tc", Action::SkipDestination},
    {"template", Action::SkipDestination},
    {"themedata", Action::SkipDestination},
    {"title", Action::SkipDestination},
    {"txe", Action::SkipDestination},
    {"u", Action::Unicode},
    {"uc", Action::UnicodeSkip},
    {"ul", Action::Underline},
    {"uld", Action::Underline},
    {"uldash", Action::Underline},
    {"uldashd", Action::Underline},
    {"uldashdd", Action::Underline},
    {"uldb", Action::Underline},
    {"ulhwave", Action::Underline},
    {"ulldash", Action::Underline},
    {"ulnone", Action::UnderlineNone},
    {"ulth", Action::Underline},
    {"ulthd", Action::Underline},
    {"ulthdash", Action::Underline},
    {"ulthdashd", Action::Underline},
    {"ulthdashdd", Action::Underline},
    {"ulthldash", Action::Underline},
    {"ululdbwave", Action::Underline},
    {"ulw", Action::Underline},
    {"ulwave", Action::Underline},
    {"up", Action::Raise, static_cast<char32_t>(Script::Super)},
    {"userprops", Action::SkipDestination},
    {"v", Action::Hidden},
    {"xe", Action::SkipDestination},
    {"xmlnstbl", Action::SkipDestination},
};

constexpr bool wordsSorted() {
    for (std::size_t i = 1; i < std::size(kWords); ++i)
        if (!(kWords[i - 1].name < kWords[i].name)) return false;
    return true;
}
static_assert(wordsSorted(), "kWords must stay sorted for the binary search");

const Word* findWord(std::string_view name) {
    const auto* end = std::end(kWords);
    const auto* it = std::lower_bound(std::begin(kWords), end, name,
                                      [](const Word& w, std::string_view n) { return w.name < n; });
    return it != end && it->name == name ? it : nullptr;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// How much of `text` goes into `room` bytes: all of it when it fits, else up to the last space
// that fits (when `anywhere` is false there must be one), else up to the last whole UTF-8
// character that fits.
std::size_t cutLength(std::string_view text, std::size_t room, bool anywhere = true) {
    if (text.size() <= room) return text.size();
    const std::size_t space = text.substr(0, room).rfind(' ');
    if (space != std::string_view::npos && space > 0) return space + 1;
    if (!anywhere) return 0;
    std::size_t n = room;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

// ---- The reader ----------------------------------------------------------------------------

enum class Destination { Text, Skip, ColourTable };

// What a group saves on '{' and restores on '}'.
struct GroupState {
    CharFormat format;
    Alignment alignment{Alignment::Left};
    ParagraphSpacing spacing;
    Destination destination{Destination::Text};
    bool hidden{false};
    int unicodeSkip{1}; // bytes of fallback after each \uN
};

class RtfReader {
  public:
    explicit RtfReader(std::string_view in) : m_in(in) { m_stack.emplace_back(); }

    Document read() {
        while (m_pos < m_in.size() && !m_document.truncated) {
            const char c = m_in[m_pos++];
            if (c == '{') {
                if (!openGroup()) break;
            } else if (c == '}') {
                if (!closeGroup()) break;
            } else if (c == '\\') {
                control();
            } else if (c != '\r' && c != '\n') {
                literal(c);
            }
        }
        flush();
        dropDanglingSurrogate();
        if (!m_paragraph.runs.empty()) endParagraph();
        return std::move(m_document);
    }

  private:
    GroupState& state() { return m_stack.back(); }
    bool skipping() const {
        return m_overflow > 0 || m_stack.back().destination == Destination::Skip;
    }

    bool openGroup() {
        flush();
        m_fallbackLeft = 0;
        // The state stack stops growing at the depth limit; the groups beyond it are only
        // counted, and everything in them is skipped.
        if (m_overflow > 0 || static_cast<int>(m_stack.size()) > kMaxGroupDepth) {
            ++m_overflow;
        } else {
            m_stack.push_back(m_stack.back());
        }
        return true;
    }

    // False when the document's outermost group has closed: what follows is not read.
    bool closeGroup() {
        flush();
        m_fallbackLeft = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return true;
        }
        // The document's own group keeps its state for the last paragraph.
        if (m_stack.size() <= 2) return false;
        m_stack.pop_back();
        return true;
    }

    // After a backslash.
    void control() {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++m_pos;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            literal(c);
            return;
        case '\'':
            hexByte();
            return;
        case '*':
            flush();
            // An ignorable destination: none of them is shown. In a group beyond the depth
            // limit there is no state of its own to mark, and everything is skipped anyway.
            if (!skipping()) state().destination = Destination::Skip;
            return;
        case '\r':
        case '\n':
            symbol(Action::Par, 0);
            return;
        case '~':
            symbol(Action::Char, 0x00A0);
            return;
        case '_':
            symbol(Action::Char, 0x2011);
            return;
        default:
            symbol(Action::Char, 0);
            return; // \- \| \: and unknown symbols
        }
    }

    void controlWord() {
        const std::size_t start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos])) ++m_pos;
        const std::size_t letters = m_pos - start;
        // A word longer than any RTF word is unknown; its letters have been read past.
        const std::string_view name =
            letters <= kMaxControlWord ? m_in.substr(start, letters) : std::string_view();

        bool hasParameter = false;
        long long value = 0;
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            hasParameter = true;
            if (digits < kMaxParameterDigits) value = value * 10 + (m_in[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        if (negative) value = -value;
        value = std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max());
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;

        const Word* word = findWord(name);
        if (!word) {
            flush();
            if (!skipping() && m_fallbackLeft > 0) --m_fallbackLeft;
            return;
        }
        apply(*word, hasParameter, static_cast<int>(value));
    }

    void symbol(Action action, char32_t value) {
        apply(Word{std::string_view(), action, value}, false, 0);
    }

    void apply(const Word& word, bool hasParameter, int parameter) {
        flush();
        if (word.action == Action::Bin) {
            // The data is skipped in every destination; its length is never trusted.
            const std::size_t length = hasParameter && parameter > 0
                                           ? static_cast<std::size_t>(parameter)
                                           : std::size_t{0};
            m_pos += std::min(length, m_in.size() - m_pos);
        }
        if (skipping()) return;
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        GroupState& s = state();
        const bool on = !hasParameter || parameter != 0;
        if (s.destination == Destination::ColourTable) {
            const auto component = static_cast<std::uint8_t>(std::clamp(parameter, 0, 255));
            switch (word.action) {
            case Action::Red:
                m_colour.red = component;
                break;
            case Action::Green:
                m_colour.green = component;
                break;
            case Action::Blue:
                m_colour.blue = component;
                break;
            default:
                return;
            }
            m_colourGiven = true;
            return;
        }
        switch (word.action) {
        case Action::Par:
            endParagraph();
            break;
        case Action::Char:
            appendCodePoint(word.value);
            break;
        case Action::Bold:
            s.format.bold = on;
            break;
        case Action::Italic:
            s.format.italic = on;
            break;
        case Action::Underline:
            s.format.underline = on;
            break;
        case Action::UnderlineNone:
            s.format.underline = false;
            break;
        case Action::Hidden:
            s.hidden = on;
            break;
        case Action::Script:
            s.format.script = static_cast<Script>(word.value);
            break;
        case Action::Raise:
            s.format.script = on ? static_cast<Script>(word.value) : Script::Normal;
            break;
        case Action::Plain:
            s.format = CharFormat{};
            s.hidden = false;
            break;
        case Action::FontSize:
            s.format.halfPoints = hasParameter
                                      ? std::clamp(parameter, kMinHalfPoints, kMaxHalfPoints)
                                      : kDefaultHalfPoints;
            break;
        case Action::Colour:
            s.format.colour =
                parameter >= 0 && static_cast<std::size_t>(parameter) < m_colours.size()
                    ? m_colours[static_cast<std::size_t>(parameter)]
                    : std::nullopt;
            break;
        case Action::Pard:
            s.alignment = Alignment::Left;
            s.spacing = ParagraphSpacing{};
            break;
        case Action::Align:
            s.alignment = static_cast<Alignment>(word.value);
            break;
        case Action::Spacing: {
            const bool indent = word.value <= static_cast<char32_t>(SpacingField::First);
            const int v = std::clamp(parameter, indent ? -kMaxSpacing : 0, kMaxSpacing);
            switch (static_cast<SpacingField>(word.value)) {
            case SpacingField::Left:
                s.spacing.left = v;
                break;
            case SpacingField::Right:
                s.spacing.right = v;
                break;
            case SpacingField::First:
                s.spacing.first = v;
                break;
            case SpacingField::Before:
                s.spacing.before = v;
                break;
            case SpacingField::After:
                s.spacing.after = v;
                break;
            }
            break;
        }
        case Action::Unicode:
            unicode(parameter);
            break;
        case Action::UnicodeSkip:
            s.unicodeSkip = hasParameter ? std::clamp(parameter, 0, kMaxUnicodeSkip) : 1;
            break;
        case Action::CodePage:
            m_codePage.select(parameter);
            break;
        case Action::CharacterSet:
            m_codePage.select(static_cast<int>(word.value));
            break;
        case Action::ColourTable:
            s.destination = Destination::ColourTable;
            m_colours.clear();
            m_colour = Rgb{};
            m_colourGiven = false;
            break;
        case Action::SkipDestination:
            s.destination = Destination::Skip;
            break;
        case Action::Red:
        case Action::Green:
        case Action::Blue:
        case Action::Bin:
            break;
        }
    }

    void unicode(int parameter) {
        // Written as a signed 16-bit number; larger values are taken as they stand.
        long long u = parameter;
        if (u < 0) u += 0x10000;
        if (u < 0 || u > 0x10FFFF) u = kReplacement;
        if (!state().hidden) appendUnicode(static_cast<char32_t>(u));
        m_fallbackLeft = state().unicodeSkip;
    }

    void hexByte() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_in.size()) {
            const int h = hexValue(m_in[m_pos]);
            if (h < 0) break;
            value = value * 16 + h;
            ++digits;
            ++m_pos;
        }
        if (digits == 0) return;
        literal(static_cast<char>(value));
    }

    // One byte of text in the document's code page (a character or \'hh).
    void literal(char c) {
        if (skipping()) return;
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        const GroupState& s = state();
        if (s.destination == Destination::ColourTable) {
            // Each entry ends with ';'; an entry without components is the default colour.
            if (c != ';') return;
            if (m_colours.size() < kMaxColours)
                m_colours.push_back(m_colourGiven ? std::optional<Rgb>(m_colour) : std::nullopt);
            m_colour = Rgb{};
            m_colourGiven = false;
            return;
        }
        if (s.hidden) return;
        m_pending.push_back(c);
    }

    void flush() {
        if (m_pending.empty()) return;
        std::string decoded;
        m_codePage.decode(m_pending, decoded);
        m_pending.clear();
        dropDanglingSurrogate();
        // Control characters would break the paragraph structure; a tab is kept.
        decoded.erase(std::remove_if(
                          decoded.begin(), decoded.end(),
                          [](char c) { return c != '\t' && static_cast<unsigned char>(c) < 0x20; }),
                      decoded.end());
        appendText(decoded);
    }

    // A \uN value: UTF-16 pairs written as two \u words are joined.
    void appendUnicode(char32_t u) {
        if (u >= 0xD800 && u <= 0xDBFF) {
            dropDanglingSurrogate();
            m_highSurrogate = u;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            const char32_t high = m_highSurrogate;
            m_highSurrogate = 0;
            appendCodePoint(high ? 0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00) : kReplacement);
        } else {
            appendCodePoint(u);
        }
    }

    // A first half of a pair that no second half followed.
    void dropDanglingSurrogate() {
        if (!m_highSurrogate) return;
        m_highSurrogate = 0;
        std::string text;
        appendUtf8(text, kReplacement);
        appendText(text);
    }

    void appendCodePoint(char32_t u) {
        dropDanglingSurrogate();
        if (u == 0 || (u < 0x20 && u != '\t')) return;
        std::string text;
        appendUtf8(text, u);
        appendText(text);
    }

    void appendText(std::string_view text) {
        while (!text.empty() && !m_document.truncated) {
            if (m_paragraphBytes >= kMaxParagraphBytes) endParagraph();
            if (m_document.paragraphs.size() >= kMaxParagraphs) m_document.truncated = true;
            if (m_document.truncated) return;
            const std::size_t length =
                cutLength(text, kMaxParagraphBytes - m_paragraphBytes, m_paragraphBytes == 0);
            if (length == 0 && m_paragraphBytes > 0) {
                // Not even one word fits: it opens the next paragraph.
                m_paragraphBytes = kMaxParagraphBytes;
                continue;
            }
            const std::size_t taken =
                length > 0 ? length : std::min(text.size(), kMaxParagraphBytes);
            appendRun(text.substr(0, taken));
            text.remove_prefix(taken);
        }
    }

    void appendRun(std::string_view text) {
        m_paragraphBytes += text.size();
        const CharFormat& format = state().format;
        std::vector<Run>& runs = m_paragraph.runs;
        if (!runs.empty() &&
            (runs.back().format == format || runs.size() >= kMaxRunsPerParagraph)) {
            runs.back().text += text;
        } else {
            runs.push_back(Run{std::string(text), format});
        }
    }

    void endParagraph() {
        if (m_document.paragraphs.size() >= kMaxParagraphs) m_document.truncated = true;
        if (m_document.truncated) return;
        m_paragraph.alignment = state().alignment;
        m_paragraph.spacing = state().spacing;
        m_document.paragraphs.push_back(std::move(m_paragraph));
        m_paragraph = Paragraph{};
        m_paragraphBytes = 0;
    }

    std::string_view m_in;
    std::size_t m_pos{0};
    std::vector<GroupState> m_stack; // the first entry stands for the outside of every group
    int m_overflow{0};               // groups open beyond kMaxGroupDepth
    int m_fallbackLeft{0};           // bytes of a \uN fallback still to drop
    char32_t m_highSurrogate{0};
    std::string m_pending; // code-page bytes not yet decoded
    CodePage m_codePage;
    std::vector<std::optional<Rgb>> m_colours; // empty entry: the default colour
    Rgb m_colour;
    bool m_colourGiven{false};
    Paragraph m_paragraph;
    std::size_t m_paragraphBytes{0}; // text of m_paragraph, UTF-8
    Document m_document;
};

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

bool isRtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

Document parseRtf(std::string_view bytes) {
    return RtfReader(bytes).read();
}

std::string Paragraph::text() const {
    std::string out;
    for (const Run& r : runs) out += r.text;
    return out;
}

std::string Document::plainText() const {
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out += '\n';
        out += paragraphs[i].text();
    }
    return out;
}

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

} // namespace titralab::notepad
