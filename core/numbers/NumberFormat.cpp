#include "core/numbers/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace titralab {

namespace {

// The significant digits of |x| rounded to `keep` digits, half away from zero on the 17-digit
// decimal expansion of x, and the decimal exponent of the first digit.
struct RoundedDigits {
    char digits[18]{};
    int count{}; // significant digits kept, trailing zeros dropped
    int exponent{};
};

RoundedDigits roundBy17Digits(double a, int keep) {
    RoundedDigits r;
    char sci[32];
    const auto converted =
        std::to_chars(sci, sci + sizeof sci, a, std::chars_format::scientific, 16);
    char* mantissa = r.digits; // d dddddddddddddddd
    mantissa[0] = sci[0];
    std::memcpy(mantissa + 1, sci + 2, 16);
    std::from_chars(sci + 19 + (sci[19] == '+' ? 1 : 0), converted.ptr, r.exponent);
    if (keep < 17 && mantissa[keep] >= '5') {
        int k = keep - 1;
        while (k >= 0 && mantissa[k] == '9') mantissa[k--] = '0';
        if (k >= 0) {
            ++mantissa[k];
        } else {
            mantissa[0] = '1';
            ++r.exponent;
        }
    }
    r.count = keep;
    while (r.count > 1 && mantissa[r.count - 1] == '0') --r.count;
    return r;
}

// Exact powers of ten: every double 10^k with k <= 22 is exact.
constexpr double kPowersOfTen[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The same rounding by scaling: |x| * 10^(keep-1-e) is one correctly rounded operation, off
// by less than 1e-10 of a unit of the last kept digit for keep <= 6, so the result agrees
// with the exact path unless the scaled value lies within 1e-9 of a rounding tie, where the
// exact path decides.
bool roundByScaling(double a, int keep, RoundedDigits& r) {
    if (keep > 6 || !(a >= 1e-15 && a < 1e15)) return false;
    // First guess of the decimal exponent from the binary one: floor(log10(2) * (b - 1)), with
    // log10(2) ~ 78913 / 2^18; the loops below correct it.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const int binaryExponent = static_cast<int>((bits >> 52) & 0x7ff) - 1022; // a = f * 2^b
    int e = ((binaryExponent - 1) * 78913) >> 18;
    auto scaledFor = [&](int exponent) {
        const int shift = keep - 1 - exponent;
        return shift >= 0 ? a * kPowersOfTen[shift] : a / kPowersOfTen[-shift];
    };
    double scaled = scaledFor(e);
    while (scaled < kPowersOfTen[keep - 1]) scaled = scaledFor(--e);
    while (scaled >= kPowersOfTen[keep]) scaled = scaledFor(++e);
    const double shifted = scaled + 0.5; // positive: truncation is the floor
    auto n = static_cast<long long>(shifted);
    const double fraction = shifted - static_cast<double>(n);
    if (fraction < 1e-9 || fraction > 1 - 1e-9) return false;
    if (n >= static_cast<long long>(kPowersOfTen[keep])) {
        n /= 10;
        ++e;
    }
    r.exponent = e;
    for (int k = keep - 1; k >= 0; --k) {
        r.digits[k] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    r.count = keep;
    while (r.count > 1 && r.digits[r.count - 1] == '0') --r.count;
    return true;
}

} // namespace

std::string formatGeneral(double x, int digits, char separator) {
    if (x == 0) return "0";
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
    // The notation depends on the value rounded to `digits` significant digits. Plain
    // character buffers keep this cheap: export tables format thousands of values at each
    // regeneration.
    const int keep = std::clamp(digits, 1, 17);
    RoundedDigits rounded;
    if (!roundByScaling(std::fabs(x), keep, rounded)) rounded = roundBy17Digits(std::fabs(x), keep);
    const char* mantissa = rounded.digits;
    const int count = rounded.count;
    const int exponent = rounded.exponent;

    char out[48];
    int n = 0;
    if (x < 0) out[n++] = '-';
    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0) {
            out[n++] = '0';
            out[n++] = separator;
            for (int k = 0; k < -exponent - 1; ++k) out[n++] = '0';
            for (int k = 0; k < count; ++k) out[n++] = mantissa[k];
        } else {
            const int integerDigits = exponent + 1;
            for (int k = 0; k < integerDigits; ++k) out[n++] = k < count ? mantissa[k] : '0';
            if (count > integerDigits) {
                out[n++] = separator;
                for (int k = integerDigits; k < count; ++k) out[n++] = mantissa[k];
            }
        }
    } else {
        out[n++] = mantissa[0];
        if (count > 1) {
            out[n++] = separator;
            for (int k = 1; k < count; ++k) out[n++] = mantissa[k];
        }
        out[n++] = 'E';
        n = static_cast<int>(std::to_chars(out + n, out + sizeof out, exponent).ptr - out);
    }
    return std::string(out, static_cast<std::size_t>(n));
}

std::string FormatValue(double x, bool decimalComma, int digits) {
    const bool zero = digits <= 5 ? x < 1e-11 : !(x > 0);
    if (zero) return "0";
    return formatGeneral(x, std::clamp(digits, 5, 17), decimalComma ? ',' : '.');
}

} // namespace titralab
