// The program's French texts, kept in UTF-8 by the core, as Qt strings.
#pragma once

#include <QString>

#include <string>

namespace titralab {

inline QString fr(const char* text) {
    return QString::fromUtf8(text);
}
inline QString fr(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace titralab
