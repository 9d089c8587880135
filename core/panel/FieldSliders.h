// The sliders beside the number fields: their range, scale (linear for a pKa, logarithmic for
// concentrations and volumes) and the text a position writes into its field.
#pragma once

#include <optional>
#include <string>

namespace titralab {

struct SliderScale {
    double low{};       // value at position 0
    double high{};      // value at the last position
    bool logarithmic{}; // positions are evenly spread on log10 of the value
    int positions{};    // the last position; 0 .. positions
    int significant{3}; // significant digits of the written value
};

// The scale of the slider of field D1..D16; none for a field without a slider. Every value
// a slider gives lies inside the range the set-up accepts, so that moving one never brings
// a message.
std::optional<SliderScale> sliderScale(int field);

// The position nearest a typed value (clamped to the ends); the value a position gives, and
// the text written into the field for it (the point as separator).
int sliderPosition(const SliderScale& scale, double value);
double sliderValue(const SliderScale& scale, int position);
std::string sliderText(const SliderScale& scale, int position);

} // namespace titralab
