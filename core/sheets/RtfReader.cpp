// The bounded RTF reader: groups and their saved state, control words, runs and paragraphs.
#include "core/sheets/RtfControlWords.h"
#include "core/sheets/SheetReader.h"
#include "core/sheets/TextDecoding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace titralab::sheets {

namespace {

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
        if (state().destination == Destination::ColourTable) {
            colourComponent(word.action, parameter);
            return;
        }
        if (characterFormat(word, hasParameter, parameter)) return;
        GroupState& s = state();
        switch (word.action) {
        case Action::Par:
            endParagraph();
            break;
        case Action::Char:
            appendCodePoint(word.value);
            break;
        case Action::Pard:
            s.alignment = Alignment::Left;
            s.spacing = ParagraphSpacing{};
            break;
        case Action::Align:
            s.alignment = static_cast<Alignment>(word.value);
            break;
        case Action::Spacing:
            spacing(static_cast<SpacingField>(word.value), parameter);
            break;
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
        default:
            break; // colour components outside the table, \bin
        }
    }

    // A red, green or blue component in the colour table; other words are ignored there.
    void colourComponent(Action action, int parameter) {
        const auto component = static_cast<std::uint8_t>(std::clamp(parameter, 0, 255));
        switch (action) {
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
    }

    // The character formatting words; false for any other word.
    bool characterFormat(const Word& word, bool hasParameter, int parameter) {
        GroupState& s = state();
        const bool on = !hasParameter || parameter != 0;
        switch (word.action) {
        case Action::Bold:
            s.format.bold = on;
            return true;
        case Action::Italic:
            s.format.italic = on;
            return true;
        case Action::Underline:
            s.format.underline = on;
            return true;
        case Action::UnderlineNone:
            s.format.underline = false;
            return true;
        case Action::Hidden:
            s.hidden = on;
            return true;
        case Action::Script:
            s.format.script = static_cast<Script>(word.value);
            return true;
        case Action::Raise:
            s.format.script = on ? static_cast<Script>(word.value) : Script::Normal;
            return true;
        case Action::Plain:
            s.format = CharFormat{};
            s.hidden = false;
            return true;
        case Action::FontSize:
            s.format.halfPoints = hasParameter
                                      ? std::clamp(parameter, kMinHalfPoints, kMaxHalfPoints)
                                      : kDefaultHalfPoints;
            return true;
        case Action::Colour:
            s.format.colour =
                parameter >= 0 && static_cast<std::size_t>(parameter) < m_colours.size()
                    ? m_colours[static_cast<std::size_t>(parameter)]
                    : std::nullopt;
            return true;
        default:
            return false;
        }
    }

    // An indent (which may be negative) or a spacing, twips.
    void spacing(SpacingField field, int parameter) {
        const bool indent = field <= SpacingField::First;
        const int v = std::clamp(parameter, indent ? -kMaxSpacing : 0, kMaxSpacing);
        ParagraphSpacing& s = state().spacing;
        switch (field) {
        case SpacingField::Left:
            s.left = v;
            break;
        case SpacingField::Right:
            s.right = v;
            break;
        case SpacingField::First:
            s.first = v;
            break;
        case SpacingField::Before:
            s.before = v;
            break;
        case SpacingField::After:
            s.after = v;
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

} // namespace

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

} // namespace titralab::sheets
