// Reading typed numbers: one grammar, either decimal separator, clamped into a range.
#pragma once

#include <string_view>

namespace titralab {

struct BoundedNumber {
    double value{}; // always set: the clamped value, 0 clamped when the text is no number
    bool ok{};      // the text is a number within the bounds
};

// Reads a typed number with the point, else the comma, as decimal separator, and clamps it
// into [low, high] (both inclusive).
BoundedNumber ParseBoundedNumber(std::string_view text, double low, double high);
// A value clamped into [low, high] as a typed one is: ok when it was within them.
BoundedNumber boundedValue(double value, double low, double high);

} // namespace titralab
