// The sliders beside the number fields: their range, scale (linear for a pKa, logarithmic for
// concentrations and volumes), their steps, and the texts a position writes into its field and
// tells a screen reader.
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
    int pageStep{1};    // positions moved by Page Up / Page Down; the arrows move one
};

// The scale of the slider of field D1..D16; none for a field without a slider. Every value
// a slider gives lies inside the range the set-up accepts, so that moving one never brings
// a message.
std::optional<SliderScale> sliderScale(int field);

// The position nearest a typed value (clamped to the ends); the value a position gives, and
// the text written into the field for it, with `separator` as decimal separator.
int sliderPosition(const SliderScale& scale, double value);
double sliderValue(const SliderScale& scale, int position);
std::string sliderText(const SliderScale& scale, int position, char separator = '.');

// What a screen reader says of the slider of `field` at `position`: "pKa 4,75" for a pKa,
// the value and its unit for the others ("0,1 mol/L", "0,02 L").
std::string sliderValueText(int field, int position, char separator);

// The width of a slider's handle, pixels.
inline constexpr int kSliderHandleWidth = 7;

// The width of a slider's track, pixels, for a field `fieldWidth` pixels wide: about twice
// the field, so that a drag is fine enough to aim at a value.
int sliderTrackWidth(int fieldWidth);

// How far a drag of `pixels` along a track `trackWidth` pixels wide moves the slider's value:
// in pKa units on a linear scale, in decades on a logarithmic one.
double dragSpan(const SliderScale& scale, int trackWidth, int pixels);

} // namespace titralab
