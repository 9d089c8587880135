// A colour of the screen, eight bits per channel.
#pragma once

#include <cstdint>

namespace titralab {

struct Rgb {
    std::uint8_t r{}, g{}, b{};
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

} // namespace titralab
