// The usual colour indicators of acid-base titrations: transition range and the two colours.
#pragma once

#include "core/base/Language.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace titralab {

struct IndicatorColor {
    std::uint8_t r{}, g{}, b{};
};

struct ColourIndicator {
    Text name;    // as the choice lists it
    double low{}; // transition range, pH
    double high{};
    Text acidName;  // colour below the range
    Text basicName; // colour above the range
    IndicatorColor acid;
    IndicatorColor basic;
};

// The indicators in the order of their ranges.
const std::vector<ColourIndicator>& colourIndicators();

// The indicator of that name in either language, accents and case ignored; nullopt when none
// has it.
std::optional<int> findIndicator(std::string_view name);

} // namespace titralab
