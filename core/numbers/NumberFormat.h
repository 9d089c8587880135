// Writing numbers: the general format and the format of exported values, locale-free.
#pragma once

#include <string>

namespace titralab {

// The general number format with `digits` significant digits: trailing zeros dropped, fixed
// notation when 1E-4 <= |x| < 10^digits after rounding, else d.dddE-n (no plus sign, no
// leading zeros in the exponent). Independent of the process locale.
std::string formatGeneral(double x, int digits, char separator = '.');

// The number format of exported values: "0" below 1E-11 (zero and negatives included), else
// the general format with 5 significant digits and the chosen decimal separator. More digits
// (up to 17) keep the full double; "0" then stands only for values <= 0.
std::string FormatValue(double x, bool decimalComma, int digits = 5);

} // namespace titralab
