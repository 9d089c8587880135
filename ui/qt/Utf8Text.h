// The core's UTF-8 texts, in either language, as Qt strings.
#pragma once

#include "core/base/Language.h"

#include <QString>

#include <string>

namespace titralab {

inline QString utf8(const char* text) {
    return QString::fromUtf8(text);
}
inline QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}
// A text of the core's tables in the interface language.
inline QString text(Language language, const Text& text) {
    return QString::fromUtf8(text.in(language));
}

} // namespace titralab
