// Text without the blanks at either end: spaces, tabs, line ends, form and line feeds.
#pragma once

#include <string_view>

namespace titralab {

inline std::string_view trimmed(std::string_view s) {
    constexpr const char* kBlanks = " \t\r\n\f\v";
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

} // namespace titralab
