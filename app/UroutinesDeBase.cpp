#include "app/UroutinesDeBase.h"

#include "chemistry/UBaseDonnees.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <optional>

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
    BoundedNumber result{read.value_or(0.0), read.has_value()};
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

std::string formatGeneral(double x, int digits, char separator) {
    if (x == 0) return "0";
    if (std::isnan(x)) return "NAN";
    if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
    // The 17 significant digits of |x|, rounded half away from zero to `digits` digits: the
    // notation depends on the rounded value. Plain character buffers keep this cheap: export
    // tables format thousands of values at each regeneration.
    char sci[32];
    const auto converted =
        std::to_chars(sci, sci + sizeof sci, std::fabs(x), std::chars_format::scientific, 16);
    char mantissa[18]; // d dddddddddddddddd
    mantissa[0] = sci[0];
    std::memcpy(mantissa + 1, sci + 2, 16);
    int exponent = 0;
    std::from_chars(sci + 19 + (sci[19] == '+' ? 1 : 0), converted.ptr, exponent);
    const int keep = std::clamp(digits, 1, 17);
    if (keep < 17 && mantissa[keep] >= '5') {
        int k = keep - 1;
        while (k >= 0 && mantissa[k] == '9') mantissa[k--] = '0';
        if (k >= 0) {
            ++mantissa[k];
        } else {
            mantissa[0] = '1';
            ++exponent;
        }
    }
    int count = keep;
    while (count > 1 && mantissa[count - 1] == '0') --count;

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

PanelFields PanelFields::atDesign() {
    PanelFields p;
    const char* design[17] = {"", "1,0E-1", "1,0E-1", "20E-3",  "8",     "1", "4", "", "",
                              "", "",       "30",     "1,0E-1", "20E-3", "0", "4", "8"};
    for (int i = 1; i <= 16; ++i) p.text[i] = design[i];
    for (int i : {1, 2, 3, 4, 11}) p.visible[i] = true;
    return p;
}

void LoadEntry(const DatabaseBrowser& browser, int n, PanelFields& panel, ChemicalState& state) {
    const AcidBaseEntry& e = entryOf(panel.side, n);
    panel.entryName = e.names[0];
    const std::array<double, 3> pK{e.pKa[0], e.acidities > 1 ? e.pKa[1] : ABSENT_PK,
                                   e.acidities > 2 ? e.pKa[2] : ABSENT_PK};
    const int first = browser.targetColumn1 ? 4 : 14;
    if (browser.targetColumn1) {
        state.row1 = n;
        state.pK1 = pK;
    } else {
        state.row2 = n;
        state.pK2 = pK;
    }
    for (int k = 0; k < 3; ++k) panel.text[first + k] = formatGeneral(pK[k], 15, '.');
    panel.visible[first + 1] = e.acidities >= 2;
    panel.visible[first + 2] = e.acidities >= 3;
    panel.pKa2LabelVisible = panel.visible[5] || panel.visible[15];
    panel.pKa3LabelVisible = panel.visible[6] || panel.visible[16];
}

void SeekMonoprotic(DatabaseBrowser& browser, BuretteSide side) {
    int& current = browser.current(side);
    while (current > 1 && entryOf(side, current).acidities != 1) --current;
}

void StepForward(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state) {
    int& current = browser.current(panel.side);
    current = std::min(current + 1, entryCount(panel.side));
    if (browser.twoMonoacid && entryOf(panel.side, current).acidities > 1) {
        current = std::max(current - 1, 1);
        SeekMonoprotic(browser, panel.side);
    }
    LoadEntry(browser, current, panel, state);
}

void StepBack(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state) {
    int& current = browser.current(panel.side);
    current = std::max(current - 1, 1);
    if (browser.twoMonoacid && entryOf(panel.side, current).acidities > 1) {
        current = std::max(current - 1, 1);
        SeekMonoprotic(browser, panel.side);
    }
    LoadEntry(browser, current, panel, state);
}

void RefreshSelection(DatabaseBrowser& browser, PanelFields& panel, ChemicalState& state) {
    if (browser.current(panel.side) < entryCount(panel.side)) {
        StepForward(browser, panel, state);
        StepBack(browser, panel, state);
    } else {
        StepBack(browser, panel, state);
        StepForward(browser, panel, state);
    }
}

} // namespace titralab
