#include "app/UroutinesDeBase.h"

#include "chemistry/UBaseDonnees.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
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
    // Round to `digits` significant digits first (half away from zero, on the 17-digit
    // decimal expansion): the notation depends on the rounded value.
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 16);
    (void)ec;
    const std::string sci(buffer, end); // [-]d.dddddddddddddddde[+-]xx
    const std::size_t ePos = sci.find('e');
    int exponent = std::atoi(sci.c_str() + ePos + 1);
    const bool negative = sci[0] == '-';
    std::string all; // the 17 significant digits
    for (std::size_t k = negative ? 1 : 0; k < ePos; ++k)
        if (isDigit(sci[k])) all += sci[k];
    const std::size_t keep = static_cast<std::size_t>(std::clamp(digits, 1, 17));
    std::string mantissaDigits = all.substr(0, keep);
    if (keep < all.size() && all[keep] >= '5') {
        int k = static_cast<int>(keep) - 1;
        while (k >= 0 && mantissaDigits[k] == '9') mantissaDigits[k--] = '0';
        if (k >= 0) {
            ++mantissaDigits[k];
        } else {
            mantissaDigits.insert(mantissaDigits.begin(), '1');
            mantissaDigits.pop_back();
            ++exponent;
        }
    }
    while (mantissaDigits.size() > 1 && mantissaDigits.back() == '0') mantissaDigits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -4 && exponent < digits) {
        if (exponent < 0) {
            out += '0';
            out += separator;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += mantissaDigits;
        } else {
            const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
            if (mantissaDigits.size() <= integerDigits) {
                out += mantissaDigits;
                out.append(integerDigits - mantissaDigits.size(), '0');
            } else {
                out += mantissaDigits.substr(0, integerDigits);
                out += separator;
                out += mantissaDigits.substr(integerDigits);
            }
        }
    } else {
        out += mantissaDigits[0];
        if (mantissaDigits.size() > 1) {
            out += separator;
            out += mantissaDigits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
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
