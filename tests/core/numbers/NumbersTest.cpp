#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace titralab;

namespace {

struct ParseCase {
    const char* text;
    double value;
    bool ok;
};

class ParseBoundedNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseBoundedNumberTest, ReadsStrictlyAndClamps) {
    const ParseCase& c = GetParam();
    const BoundedNumber r = ParseBoundedNumber(c.text, -20, 50);
    EXPECT_EQ(r.ok, c.ok) << '"' << c.text << '"';
    EXPECT_DOUBLE_EQ(r.value, c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseBoundedNumberTest,
    ::testing::Values(
        ParseCase{"1,5", 1.5, true}, ParseCase{"1.5", 1.5, true}, ParseCase{"  1.5  ", 1.5, true},
        ParseCase{"-1.5E1", -15, true}, ParseCase{"2,5E-3", 0.0025, true}, ParseCase{"+4", 4, true},
        ParseCase{"1.", 1, true}, ParseCase{",5", 0.5, true}, ParseCase{"1e-400", 0, true},
        ParseCase{"50", 50, true}, ParseCase{"-20", -20, true}, ParseCase{"51", 50, false},
        ParseCase{"-21", -20, false}, ParseCase{"1,000.5", 0, false}, ParseCase{"", 0, false},
        ParseCase{"   ", 0, false}, ParseCase{"nan", 0, false}, ParseCase{"inf", 0, false},
        ParseCase{"0x1p3", 0, false}, ParseCase{"1 000", 0, false}, ParseCase{"\t1", 0, false},
        ParseCase{"1\t", 0, false}, ParseCase{"1.5x", 0, false}, ParseCase{"1E", 0, false},
        ParseCase{"E5", 0, false}, ParseCase{"1e999", 0, false}, ParseCase{"--1", 0, false},
        ParseCase{"1.5.2", 0, false}));

TEST(ParseBoundedNumberBounds, InclusiveBoundsAndClampedZero) {
    EXPECT_TRUE(ParseBoundedNumber("1E-8", 1e-8, 15).ok);
    EXPECT_TRUE(ParseBoundedNumber("15", 1e-8, 15).ok);
    EXPECT_TRUE(ParseBoundedNumber("1E-5", 1e-5, 100).ok);
    EXPECT_TRUE(ParseBoundedNumber("100", 1e-5, 100).ok);
    const BoundedNumber empty = ParseBoundedNumber("", 1e-8, 15);
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.value, 1e-8);
}

TEST(ParseBoundedNumberLocale, DoesNotDependOnTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) GTEST_SKIP() << "no French locale";
    EXPECT_DOUBLE_EQ(ParseBoundedNumber("1.5", 0, 10).value, 1.5);
    EXPECT_EQ(formatGeneral(1.5, 5, '.'), "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct FormatCase {
    double x;
    int digits;
    char separator;
    const char* text;
};

class FormatGeneralTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, WritesTheGeneralFormat) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatGeneral(c.x, c.digits, c.separator), c.text) << c.x;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatGeneralTest,
    ::testing::Values(FormatCase{0, 5, ',', "0"}, FormatCase{-10, 15, '.', "-10"},
                      FormatCase{1.25, 15, '.', "1.25"}, FormatCase{50, 15, '.', "50"},
                      FormatCase{18.7, 15, '.', "18.7"}, FormatCase{123456, 5, '.', "1.2346E5"},
                      FormatCase{99999.5, 5, '.', "1E5"}, FormatCase{99999.4, 5, ',', "99999"},
                      FormatCase{2.5e-7, 5, ',', "2,5E-7"}, FormatCase{1e-4, 5, '.', "0.0001"},
                      FormatCase{9.99996e-5, 5, '.', "0.0001"},
                      FormatCase{9.9999e-5, 5, '.', "9.9999E-5"},
                      FormatCase{0.016386, 5, ',', "0,016386"}, FormatCase{40, 5, ',', "40"},
                      FormatCase{-0.05, 4, '.', "-0.05"}, FormatCase{12345, 4, '.', "1.235E4"},
                      FormatCase{1.7855264, 5, '.', "1.7855"}));

} // namespace

namespace {

// The rounding rule written the slow way: the 17 significant digits of |x|, then half away
// from zero at `digits` digits. formatGeneral takes a faster road for most values; both must
// agree everywhere, near rounding ties included.
std::string slowDigits(double x, int digits, int& exponent) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                   std::chars_format::scientific, 16)
                         .ptr;
    std::string all = std::string(1, buffer[0]) + std::string(buffer + 2, buffer + 18);
    exponent = std::atoi(std::string(buffer + 19, end).c_str());
    std::string kept = all.substr(0, digits);
    if (all[digits] >= '5') {
        int k = digits - 1;
        while (k >= 0 && kept[k] == '9') kept[k--] = '0';
        if (k >= 0)
            ++kept[k];
        else {
            kept = "1" + kept.substr(0, digits - 1);
            ++exponent;
        }
    }
    while (kept.size() > 1 && kept.back() == '0') kept.pop_back();
    return kept;
}

TEST(FormatGeneralProperty, FastRoundingAgreesWithTheSlowRuleEverywhere) {
    std::uint64_t state = 88172645463325252ull; // xorshift: the same values every run
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    std::vector<double> values;
    for (int k = 0; k < 200000; ++k) {
        const double mantissa = 1 + (next() % 1000000000) / 1e9 * 9;
        const int exponent = static_cast<int>(next() % 40) - 20;
        values.push_back(mantissa * std::pow(10.0, exponent));
    }
    // Decimal ties and near-ties: d.dddd5 at every scale, and their neighbours.
    for (int k = 10000; k < 100000; k += 7)
        for (int exponent = -12; exponent <= 12; exponent += 3) {
            const double tie = (k + 0.5) * std::pow(10.0, exponent);
            values.insert(values.end(),
                          {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)});
        }
    for (int digits : {4, 5, 6}) {
        for (double x : values) {
            int exponent = 0;
            const std::string digitsText = slowDigits(x, digits, exponent);
            const std::string text = formatGeneral(x, digits, '.');
            // Rebuild the digits and exponent from the text.
            std::string seen;
            for (char c : text.substr(0, text.find('E')))
                if (c >= '0' && c <= '9') seen += c;
            const std::size_t first = seen.find_first_not_of('0');
            seen = first == std::string::npos ? "0" : seen.substr(first);
            while (seen.size() > 1 && seen.back() == '0') seen.pop_back();
            ASSERT_EQ(seen, digitsText) << x << " digits " << digits << " -> " << text;
        }
    }
}

} // namespace
