#include "core/sheets/SheetReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace titralab::sheets;

namespace {

// ---- Text of the RTF subset -----------------------------------------------------------------

struct TextCase {
    const char* label;
    std::string rtf;
    std::string text; // paragraphs joined by '\n'
};

class RtfText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfText, ReadsTheTextOfTheDocument) {
    const TextCase& c = GetParam();
    EXPECT_EQ(parseRtf(c.rtf).plainText(), c.text) << c.label;
}

const std::string kLine = "\xE2\x80\xA8";
const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Subset, RtfText,
    ::testing::Values(
        TextCase{"one paragraph", R"({\rtf1 Bonjour})", "Bonjour"},
        TextCase{"par ends paragraphs", R"({\rtf1 a\par b\par})", "a\nb"},
        TextCase{"an empty paragraph stays", R"({\rtf1 a\par\par b})", "a\n\nb"},
        TextCase{"line breaks inside the paragraph", R"({\rtf1 a\line b})", "a" + kLine + "b"},
        TextCase{"tab", R"({\rtf1 a\tab b})", "a\tb"},
        TextCase{"the space after a word is its delimiter", R"({\rtf1 \b  x})", " x"},
        TextCase{"raw line ends are not text", "{\\rtf1 a\r\nb\nc}", "abc"},
        TextCase{"backslash and line end is par", "{\\rtf1 a\\\nb}", "a\nb"},
        TextCase{"escaped braces and backslash", R"({\rtf1 \{x\} \\})", "{x} \\"},
        TextCase{"hex in Windows-1252 by default", R"({\rtf1 \'e9t\'E9 \'80 \'9c \'92})",
                 "été € œ ’"},
        TextCase{"raw 8-bit bytes in the code page", "{\\rtf1 \xe9t\xe9}", "été"},
        TextCase{"an unassigned Windows-1252 byte", R"({\rtf1 \'81})", kReplacement},
        TextCase{"declared code page 1252", R"({\rtf1\ansi\ansicpg1252 \'c0 \'ff})", "À ÿ"},
        TextCase{"code page 1251", R"({\rtf1\ansi\ansicpg1251 \'e0\'e1})", "аб"},
        TextCase{"code page 1250", R"({\rtf1\ansi\ansicpg1250 \'9a\'e8})", "šč"},
        TextCase{"code page 932, a two-byte character", R"({\rtf1\ansicpg932 \'82\'a0})", "あ"},
        TextCase{"code page 65001", R"({\rtf1\ansicpg65001 \'c3\'a9})", "é"},
        TextCase{"an unknown code page reads as 1252", R"({\rtf1\ansicpg4242 \'e9})", "é"},
        TextCase{"mac character set", R"({\rtf1\mac \'8e})", "é"},
        TextCase{"unicode with its fallback", R"({\rtf1 \u233?t\u233?})", "été"},
        TextCase{"unicode written negative", R"({\rtf1 \u-24?})", "\xEF\xBF\xA8"},
        TextCase{"fallback of two bytes", R"({\rtf1\uc2 \u233\'65\'65x})", "éx"},
        TextCase{"no fallback", R"({\rtf1\uc0 \u233 e})", "ée"},
        TextCase{"fallback length is scoped to the group", R"({\rtf1 {\uc2 \u233 ab}\u233 cd})",
                 "ééd"},
        TextCase{"a group end ends the fallback", R"({\rtf1\uc3 {\u233 a}b})", "éb"},
        TextCase{"a hex fallback counts as one byte", R"({\rtf1 \u8364\'80 x})", "€ x"},
        TextCase{"a control word counts as one fallback byte", R"({\rtf1 \u8364\tab x})", "€x"},
        TextCase{"a surrogate pair", R"({\rtf1 \u-10179?\u-8704?})", "\xF0\x9F\x98\x80"},
        TextCase{"a first half alone", R"({\rtf1 \u-10179?x})", kReplacement + "x"},
        TextCase{"a second half alone", R"({\rtf1 \u-8704?x})", kReplacement + "x"},
        TextCase{"font table skipped", R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1 Times;}}\f0 T})",
                 "T"},
        TextCase{"colour table is not text", R"({\rtf1{\colortbl;\red255\green0\blue0;}x})", "x"},
        TextCase{"ignorable destination", R"({\rtf1{\*\generator Riched20;}x})", "x"},
        TextCase{"unknown ignorable destination with groups", R"({\rtf1{\*\foo {bar}baz}x})", "x"},
        TextCase{"picture data skipped", R"({\rtf1 a{\pict\pngblip 89504e47}b})", "ab"},
        TextCase{"style sheet and information skipped",
                 R"({\rtf1{\stylesheet{\s0 Normal;}}{\info{\title T}{\author A}}x})", "x"},
        TextCase{"headers and footers skipped", R"({\rtf1{\header H}{\footer F}x})", "x"},
        TextCase{"binary data with braces skipped", R"({\rtf1 a{\pict\bin5 }}{\}}x})", "ax"},
        TextCase{"binary data in the text skipped", R"({\rtf1 a\bin3 xyzb})", "ab"},
        TextCase{"binary length beyond the end", R"({\rtf1 a\bin999999999 xyz)", "a"},
        TextCase{"negative binary length", R"({\rtf1 a\bin-5 b})", "ab"},
        TextCase{"hidden text", R"({\rtf1 a{\v secret}b\v c\v0 d})", "abd"},
        TextCase{"field result shown, instruction skipped",
                 R"({\rtf1 {\field{\*\fldinst HYPERLINK "x"}{\fldrslt lien}}})", "lien"},
        TextCase{"typographic characters",
                 R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~.})",
                 "—–•‘’“”\xC2\xA0."},
        TextCase{"optional and non-breaking hyphens", R"({\rtf1 a\-b\_c})", "ab‑c"},
        TextCase{"unknown words are ignored", R"({\rtf1 \foo12 x\bar y})", "xy"},
        TextCase{"cells and rows", R"({\rtf1 a\cell b\row c})", "a\tb\nc"},
        TextCase{"page and section breaks end paragraphs", R"({\rtf1 a\page b\sect c})", "a\nb\nc"},
        TextCase{"text after the document is not read", R"({\rtf1 a}b)", "a"},
        TextCase{"unclosed groups", R"({\rtf1 a{\b b)", "ab"},
        TextCase{"stray closing braces", R"({\rtf1 a}}})", "a"},
        TextCase{"backslash at the end", "{\\rtf1 a\\", "a"},
        TextCase{"hex cut short", R"({\rtf1 a\'e)", "a"},
        TextCase{"hex without digits", R"({\rtf1 a\'zz})", "azz"},
        TextCase{"control characters from hex are dropped", R"({\rtf1 a\'00\'0d\'0ab\'09c})",
                 "ab\tc"},
        TextCase{"a word longer than any RTF word is unknown",
                 "{\\rtf1 a\\par" + std::string(40, 'x') + " b}", "ab"},
        TextCase{"a long parameter is read to its end",
                 "{\\rtf1 \\fs" + std::string(50, '9') + "x}", "x"},
        TextCase{"empty input", "", ""}),
    [](const auto& info) { return std::to_string(info.index); });

// ---- Character and paragraph formats --------------------------------------------------------

struct ExpectedRun {
    std::string text;
    bool bold{false};
    bool italic{false};
    bool underline{false};
    int halfPoints{kDefaultHalfPoints};
    std::optional<Rgb> colour;
    Script script{Script::Normal};
};

struct FormatCase {
    const char* label;
    std::string rtf;
    std::vector<ExpectedRun> runs; // of the first paragraph
};

class RtfFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(RtfFormat, GivesEachRunItsFormat) {
    const FormatCase& c = GetParam();
    const Document d = parseRtf(c.rtf);
    ASSERT_FALSE(d.paragraphs.empty()) << c.label;
    const auto& runs = d.paragraphs.front().runs;
    ASSERT_EQ(runs.size(), c.runs.size()) << c.label;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ExpectedRun& e = c.runs[i];
        const CharFormat expected{e.bold, e.italic, e.underline, e.halfPoints, e.colour, e.script};
        EXPECT_EQ(runs[i].text, e.text) << c.label << ", run " << i;
        EXPECT_TRUE(runs[i].format == expected) << c.label << ", run " << i;
    }
}

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 128, 0};
const std::string kColours = R"({\colortbl;\red255\green0\blue0;\red0\green128\blue0;})";

INSTANTIATE_TEST_SUITE_P(
    Subset, RtfFormat,
    ::testing::Values(
        FormatCase{"bold on and off", R"({\rtf1 a\b b\b0 c})", {{"a"}, {"b", true}, {"c"}}},
        FormatCase{"bold with a parameter", R"({\rtf1\b1 a\b2 b})", {{"ab", true}}},
        FormatCase{"italic", R"({\rtf1 \i a\i0 b})", {{"a", false, true}, {"b"}}},
        FormatCase{"underline and ulnone",
                   R"({\rtf1 \ul a\ulnone b\uldb c\ul0 d})",
                   {{"a", false, false, true}, {"b"}, {"c", false, false, true}, {"d"}}},
        FormatCase{"underline colour is not underline", R"({\rtf1 \ulc1 a})", {{"a"}}},
        FormatCase{
            "a group restores the format", R"({\rtf1 {\b\i x}y})", {{"x", true, true}, {"y"}}},
        FormatCase{"plain resets every character format",
                   R"({\rtf1\b\i\ul\fs40 a\plain b})",
                   {{"a", true, true, true, 40}, {"b"}}},
        FormatCase{"font size", R"({\rtf1\fs40 a})", {{"a", false, false, false, 40}}},
        FormatCase{"font size zero is the smallest",
                   R"({\rtf1\fs0 a})",
                   {{"a", false, false, false, kMinHalfPoints}}},
        FormatCase{"huge font size",
                   R"({\rtf1\fs99999999999999999999 a})",
                   {{"a", false, false, false, kMaxHalfPoints}}},
        FormatCase{"negative font size",
                   R"({\rtf1\fs-40 a})",
                   {{"a", false, false, false, kMinHalfPoints}}},
        FormatCase{"font size without a parameter", R"({\rtf1\fs40\fs a})", {{"a"}}},
        FormatCase{"colours from the table",
                   "{\\rtf1" + kColours + R"(a\cf1 b\cf2 c\cf0 d\cf9 e\cf-1 f})",
                   {{"a"},
                    {"b", false, false, false, 24, kRed},
                    {"c", false, false, false, 24, kGreen},
                    {"def"}}},
        FormatCase{"colour components are clamped",
                   R"({\rtf1{\colortbl;\red300\green-5\blue99999999999;}\cf1 a})",
                   {{"a", false, false, false, 24, Rgb{255, 0, 255}}}},
        FormatCase{"an entry without components is the default colour",
                   R"({\rtf1{\colortbl\red1;;\red0\green128\blue0;}\cf0 a\cf1 b\cf2 c})",
                   {{"a", false, false, false, 24, Rgb{1, 0, 0}},
                    {"b"},
                    {"c", false, false, false, 24, kGreen}}},
        FormatCase{"subscript and superscript",
                   R"({\rtf1 H{\sub 2}O\super +\nosupersub x\up6 a\up0 b\dn4 c\plain d})",
                   {{"H"},
                    {"2", false, false, false, 24, std::nullopt, Script::Sub},
                    {"O"},
                    {"+", false, false, false, 24, std::nullopt, Script::Super},
                    {"x"},
                    {"a", false, false, false, 24, std::nullopt, Script::Super},
                    {"b"},
                    {"c", false, false, false, 24, std::nullopt, Script::Sub},
                    {"d"}}},
        FormatCase{"runs of one format merge", R"({\rtf1 a\b0 b{c}\i0 d})", {{"abcd"}}},
        FormatCase{"hidden text leaves no empty run", R"({\rtf1 a{\b\v x}b})", {{"ab"}}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(RtfParagraphs, TakeTheAlignmentInForceAtTheirEnd) {
    const Document d =
        parseRtf(R"({\rtf1\qc Titre\par\pard Corps\par\qr Droite\par\qj Long{\qc\par}Fin})");
    ASSERT_EQ(d.paragraphs.size(), 5u);
    const Alignment expected[] = {Alignment::Center, Alignment::Left, Alignment::Right,
                                  Alignment::Center, Alignment::Justify};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(d.paragraphs[i].alignment, expected[i]) << "paragraph " << i;
    EXPECT_EQ(d.plainText(), "Titre\nCorps\nDroite\nLong\nFin");
}

TEST(RtfParagraphs, TakeTheirIndentsAndSpacing) {
    const Document d = parseRtf(R"({\rtf1\li720\fi-360\ri-99999999\sb-5\sa99999999 a\par)"
                                R"({\li100 b\par}c\par\pard d})");
    ASSERT_EQ(d.paragraphs.size(), 4u);
    struct Expected {
        int left, right, first, before, after;
    } expected[] = {{720, -kMaxSpacing, -360, 0, kMaxSpacing},
                    {100, -kMaxSpacing, -360, 0, kMaxSpacing},
                    {720, -kMaxSpacing, -360, 0, kMaxSpacing},
                    {0, 0, 0, 0, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        const Expected& e = expected[i];
        EXPECT_TRUE(d.paragraphs[i].spacing ==
                    (ParagraphSpacing{e.left, e.right, e.first, e.before, e.after}))
            << "paragraph " << i;
    }
}

TEST(RtfParagraphs, KeepTheFormatAcrossParagraphsUntilChanged) {
    const Document d = parseRtf(R"({\rtf1\b a\par b\b0\par c})");
    ASSERT_EQ(d.paragraphs.size(), 3u);
    EXPECT_TRUE(d.paragraphs[0].runs.at(0).format.bold);
    EXPECT_TRUE(d.paragraphs[1].runs.at(0).format.bold);
    EXPECT_FALSE(d.paragraphs[2].runs.at(0).format.bold);
}

// ---- Bounds ------------------------------------------------------------------------------

std::string nested(int depth, const std::string& inner) {
    return std::string(static_cast<std::size_t>(depth), '{') + inner +
           std::string(static_cast<std::size_t>(depth), '}');
}

TEST(RtfBounds, GroupsWithinTheDepthLimitAreRead) {
    // The document's own group counts as one level.
    EXPECT_EQ(parseRtf("{\\rtf1 a" + nested(kMaxGroupDepth - 1, "x") + "b}").plainText(), "axb");
}

TEST(RtfBounds, GroupsBeyondTheDepthLimitAreSkippedWhole) {
    for (int depth : {kMaxGroupDepth, kMaxGroupDepth + 1, 100000}) {
        EXPECT_EQ(parseRtf("{\\rtf1 a" + nested(depth, "x{y}\\par z") + "b\\par c}").plainText(),
                  "ab\nc")
            << depth;
    }
}

TEST(RtfBounds, AnIgnorableMarkInATooDeepGroupOnlySkipsThatGroup) {
    // The deepest group read holds y; the group with the mark is one level too deep.
    EXPECT_EQ(parseRtf("{\\rtf1 a" + nested(kMaxGroupDepth - 1, "{\\*\\b x}y") + "b}").plainText(),
              "ayb");
}

TEST(RtfBounds, FormatChangesInTooDeepGroupsDoNotLeakOut) {
    const Document d = parseRtf("{\\rtf1 a" + nested(5000, "\\b\\fs80 x") + "b}");
    ASSERT_EQ(d.paragraphs.size(), 1u);
    ASSERT_EQ(d.paragraphs[0].runs.size(), 1u);
    EXPECT_EQ(d.paragraphs[0].runs[0].text, "ab");
    EXPECT_TRUE(d.paragraphs[0].runs[0].format == CharFormat{});
}

TEST(RtfBounds, UnbalancedDeepOpeningsEndWithTheInput) {
    const std::string rtf = "{\\rtf1 a" + std::string(1000000, '{') + "x";
    EXPECT_EQ(parseRtf(rtf).plainText(), "a");
}

TEST(RtfBounds, UnicodeValuesOutOfRangeBecomeReplacementCharacters) {
    for (const char* rtf :
         {R"({\rtf1 \u99999999999?x})", R"({\rtf1 \u-99999999?x})", R"({\rtf1 \u1114112?x})"})
        EXPECT_EQ(parseRtf(rtf).plainText(), kReplacement + "x") << rtf;
    EXPECT_EQ(parseRtf(R"({\rtf1 \u128512?x})").plainText(), "\xF0\x9F\x98\x80x");
}

TEST(RtfBounds, TheFallbackLengthIsLimited) {
    const std::string letters = "abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(parseRtf("{\\rtf1\\uc999999999 \\u233 " + letters + "}").plainText(),
              "é" + letters.substr(kMaxUnicodeSkip));
    EXPECT_EQ(parseRtf("{\\rtf1\\uc-3 \\u233 ab}").plainText(), "éab");
}

TEST(RtfBounds, TheColourTableKeepsItsFirstEntriesOnly) {
    std::string table = "{\\colortbl;";
    for (std::size_t i = 1; i < 3 * kMaxColours; ++i)
        table += "\\red" + std::to_string(i % 256) + ";";
    table += "}";
    const std::string last = std::to_string(kMaxColours - 1);
    const std::string beyond = std::to_string(kMaxColours);
    const Document d = parseRtf("{\\rtf1" + table + "\\cf" + last + " a\\cf" + beyond + " b}");
    ASSERT_EQ(d.paragraphs.at(0).runs.size(), 2u);
    EXPECT_EQ(d.paragraphs[0].runs[0].format.colour,
              std::optional<Rgb>(Rgb{static_cast<std::uint8_t>((kMaxColours - 1) % 256), 0, 0}));
    EXPECT_EQ(d.paragraphs[0].runs[1].format.colour, std::nullopt);
}

TEST(RtfBounds, ManyParagraphsAndRunsAreAllKept) {
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i) rtf += "\\b a\\b0 b\\par ";
    rtf += "}";
    const Document d = parseRtf(rtf);
    ASSERT_EQ(d.paragraphs.size(), 20000u);
    EXPECT_EQ(d.paragraphs.back().runs.size(), 2u);
}

std::string repeat(const std::string& unit, std::size_t times) {
    std::string out;
    out.reserve(unit.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += unit;
    return out;
}

// Whatever the text, every paragraph stays within the length limit and nothing is lost.
TEST(RtfBounds, LongParagraphsAreBrokenWithoutLosingText) {
    struct Case {
        const char* label;
        std::string body; // RTF
        std::string text; // what it reads as, paragraph breaks aside
        bool atSpaces;    // every break falls after a space
    } cases[] = {
        {"words", repeat("mot ", 60000), repeat("mot ", 60000), true},
        {"one word", std::string(250000, 'a'), std::string(250000, 'a'), false},
        {"accented letters", repeat("\\'e9", 120000), repeat("é", 120000), false},
        {"a run at a time", repeat("\\b mot \\b0 mot ", 30000), repeat("mot ", 60000), true},
        {"characters one by one", repeat("\\u233?", 70000), repeat("é", 70000), false},
    };
    for (const Case& c : cases) {
        const Document d = parseRtf("{\\rtf1 " + c.body + "}");
        EXPECT_FALSE(d.truncated) << c.label;
        std::string joined;
        for (const Paragraph& p : d.paragraphs) {
            const std::string t = p.text();
            EXPECT_LE(t.size(), kMaxParagraphBytes) << c.label;
            EXPECT_TRUE(isValidUtf8(t)) << c.label;
            if (c.atSpaces && &p != &d.paragraphs.back()) EXPECT_EQ(t.back(), ' ') << c.label;
            joined += t;
        }
        EXPECT_EQ(joined, c.text) << c.label;
    }
}

TEST(RtfBounds, RunsBeyondTheLimitTakeTheFormatBefore) {
    const Document d = parseRtf("{\\rtf1 " + repeat("\\b a\\b0 b", 2000) + "}");
    ASSERT_EQ(d.paragraphs.size(), 1u);
    const auto& runs = d.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), kMaxRunsPerParagraph);
    EXPECT_TRUE(runs[0].format.bold);
    EXPECT_FALSE(runs[1].format.bold);
    EXPECT_EQ(d.paragraphs[0].text(), repeat("ab", 2000));
}

TEST(RtfBounds, TheDocumentStopsAtTheParagraphLimit) {
    struct Case {
        const char* label;
        std::string rtf;
        std::size_t paragraphs;
        bool truncated;
    } cases[] = {
        {"exactly the limit", "{\\rtf1 " + repeat("x\\par ", kMaxParagraphs) + "}", kMaxParagraphs,
         false},
        {"text beyond", "{\\rtf1 " + repeat("x\\par ", kMaxParagraphs) + "y}", kMaxParagraphs,
         true},
        {"empty paragraphs beyond", "{\\rtf1 " + repeat("\\par ", 4 * kMaxParagraphs) + "}",
         kMaxParagraphs, true},
    };
    for (const Case& c : cases) {
        const Document d = parseRtf(c.rtf);
        EXPECT_EQ(d.paragraphs.size(), c.paragraphs) << c.label;
        EXPECT_EQ(d.truncated, c.truncated) << c.label;
        const Sheet sheet = readSheet(c.rtf, c.rtf.size());
        EXPECT_EQ(sheet.truncated, c.truncated) << c.label;
    }
}

// ---- Plain text --------------------------------------------------------------------------

struct PlainCase {
    const char* label;
    std::string bytes;
    std::string text;
};

class PlainText : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainText, DecodesToUtf8) {
    const PlainCase& c = GetParam();
    EXPECT_EQ(decodePlainText(c.bytes), c.text) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, PlainText,
    ::testing::Values(
        PlainCase{"ASCII", "pH = 7\r\n", "pH = 7\r\n"},
        PlainCase{"valid UTF-8", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "été €"},
        PlainCase{"Windows-1252", "\xE9t\xE9 \x80 \x9C \x85", "été € œ …"},
        PlainCase{"one invalid byte makes the whole file Windows-1252", "\xC3\xA9 \xE9", "Ã© é"},
        PlainCase{"overlong UTF-8 is not UTF-8", "\xC0\xAF", "À¯"},
        PlainCase{"UTF-8 surrogates are not UTF-8", "\xED\xA0\x80", "í\xC2\xA0\xE2\x82\xAC"},
        PlainCase{"UTF-8 cut short is not UTF-8", "a\xC3", "aÃ"},
        PlainCase{"UTF-8 mark dropped", "\xEF\xBB\xBFpH", "pH"},
        PlainCase{"UTF-8 mark with a bad byte", "\xEF\xBB\xBF\xC3\xA9\xE9", "é" + kReplacement},
        PlainCase{"UTF-16 little-endian", std::string("\xFF\xFEh\0\xE9\0", 6), "hé"},
        PlainCase{"UTF-16 big-endian", std::string("\xFE\xFF\0h\0\xE9", 6), "hé"},
        PlainCase{"UTF-16 pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), "\xF0\x9F\x98\x80"},
        PlainCase{"UTF-16 half pair and odd byte", std::string("\xFF\xFE\x3D\xD8h\0x", 7),
                  kReplacement + "h" + kReplacement},
        PlainCase{"NUL characters dropped", std::string("a\0b", 3), "ab"},
        PlainCase{"empty", "", ""}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(Windows1252, MapsTheUpperHalfToItsCodePoints) {
    // From 0xA0 the code page is Latin-1; below, the typographic block.
    for (int b = 0xA0; b <= 0xFF; ++b) {
        std::string expected;
        appendUtf8(expected, static_cast<char32_t>(b));
        EXPECT_EQ(windows1252ToUtf8(std::string(1, static_cast<char>(b))), expected) << b;
    }
    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x8C\x91\x96\x97\x99\x9F"), "€ŠŒ‘–—™Ÿ");
    for (char unassigned : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
        EXPECT_EQ(windows1252ToUtf8(std::string(1, unassigned)), kReplacement);
}

// ---- Sheets ------------------------------------------------------------------------------

TEST(Sheet, IsRichTextByItsContentNotItsName) {
    struct Case {
        const char* label;
        std::string bytes;
        Sheet::Kind kind;
    } cases[] = {
        {"rtf", R"({\rtf1 a})", Sheet::Kind::Rich},
        {"text", "a", Sheet::Kind::Plain},
        {"braces but no rtf", "{\\rt", Sheet::Kind::Plain},
        {"rtf after a space", " {\\rtf1 a}", Sheet::Kind::Plain},
        {"empty", "", Sheet::Kind::Plain},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readSheet(c.bytes, c.bytes.size()).kind, c.kind) << c.label;
}

TEST(Sheet, RefusesMoreThanTwentyMegabytes) {
    EXPECT_EQ(readSheet("{\\rtf1 a}", kMaxFileBytes + 1).kind, Sheet::Kind::TooLarge);
    const std::string atLimit(kMaxFileBytes, 'a');
    EXPECT_EQ(readSheet(atLimit, atLimit.size()).kind, Sheet::Kind::Plain);
    const std::string beyond(kMaxFileBytes + 1, 'a');
    EXPECT_EQ(readSheet(beyond, 0).kind, Sheet::Kind::TooLarge) << "a size the system got wrong";
}

TEST(Sheet, PlainLinesAreBoundedInLengthAndNumber) {
    struct Case {
        const char* label;
        std::string bytes;
        std::string text;
        bool truncated;
    } cases[] = {
        {"line ends as the view reads them", "a\r\nb\rc\nd\r\n", "a\nb\nc\nd\n", false},
        {"a long line broken after a space", std::string(kMaxParagraphBytes - 2, 'a') + " bcd e",
         std::string(kMaxParagraphBytes - 2, 'a') + " \nbcd e", false},
        {"a long word broken anywhere", std::string(kMaxParagraphBytes + 5, 'a'),
         std::string(kMaxParagraphBytes, 'a') + "\naaaaa", false},
        {"a break never splits a character", "a" + repeat("\xC3\xA9", kMaxParagraphBytes / 2),
         "a" + repeat("é", kMaxParagraphBytes / 2 - 1) + "\né", false},
        {"the line limit", repeat("l\n", kMaxParagraphs), repeat("l\n", kMaxParagraphs), false},
        {"lines beyond the limit", repeat("l\n", kMaxParagraphs) + "m",
         repeat("l\n", kMaxParagraphs), true},
    };
    for (const Case& c : cases) {
        const Sheet sheet = readSheet(c.bytes, c.bytes.size());
        EXPECT_EQ(sheet.kind, Sheet::Kind::Plain) << c.label;
        EXPECT_TRUE(sheet.plain == c.text) << c.label;
        EXPECT_EQ(sheet.truncated, c.truncated) << c.label;
    }
}

TEST(FirstLine, EndsAtTheFirstLineBreak) {
    struct Case {
        std::string text;
        std::string line;
    } cases[] = {{"a\nb", "a"}, {"a\r\nb", "a"},          {"\nb", ""},
                 {"", ""},      {"a" + kLine + "b", "a"}, {"abc", "abc"}};
    for (const Case& c : cases) EXPECT_EQ(firstLine(c.text), c.line) << c.text;
}

} // namespace
