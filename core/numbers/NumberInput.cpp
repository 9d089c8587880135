#include "core/numbers/NumberInput.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>
#include <string>

namespace titralab {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Strict reading with one decimal separator: [spaces] [sign] digits [sep digits]
// [(E|e) [sign] digits] [spaces]. Anything else, or an overflow, fails.
std::optional<double> readNumber(std::string_view text, char separator) {
    std::size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    std::string canonical;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') canonical += '-';
        ++i;
    }
    std::size_t digits = 0;
    std::string integerPart, fraction;
    while (i < n && isDigit(text[i])) integerPart += text[i++];
    digits += integerPart.size();
    bool hasSeparator = false;
    if (i < n && text[i] == separator) {
        hasSeparator = true;
        ++i;
        while (i < n && isDigit(text[i])) fraction += text[i++];
        digits += fraction.size();
    }
    if (digits == 0 && !hasSeparator) return std::nullopt;
    canonical += integerPart.empty() ? "0" : integerPart;
    canonical += '.';
    canonical += fraction.empty() ? "0" : fraction;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        canonical += 'e';
        if (i < n && (text[i] == '+' || text[i] == '-')) canonical += text[i++];
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(text[i])) {
            canonical += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;

    // The text is now a plain decimal number; convert it in the C locale whatever the
    // process locale says.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    errno = 0;
    const double value = strtod_l(canonical.c_str(), nullptr, cLocale);
    if (!std::isfinite(value) || (errno == ERANGE && std::fabs(value) > 1)) return std::nullopt;
    return value;
}

} // namespace

BoundedNumber ParseBoundedNumber(std::string_view text, double low, double high) {
    std::optional<double> read = readNumber(text, '.');
    if (!read) read = readNumber(text, ',');
    BoundedNumber result = boundedValue(read.value_or(0.0), low, high);
    result.ok = result.ok && read.has_value();
    return result;
}

BoundedNumber boundedValue(double value, double low, double high) {
    if (std::isnan(value)) return {low, false};
    BoundedNumber result{value, true};
    if (result.value > high) {
        result.value = high;
        result.ok = false;
    }
    if (result.value < low) {
        result.value = low;
        result.ok = false;
    }
    return result;
}

} // namespace titralab
