#include "core/base/Language.h"

namespace titralab {

std::optional<Language> parseLanguage(std::string_view code) {
    if (code == "fr") return Language::French;
    if (code == "en") return Language::English;
    return std::nullopt;
}

const char* languageCode(Language language) {
    return language == Language::English ? "en" : "fr";
}

Language languageOfLocale(std::string_view localeName) {
    const bool french = localeName.substr(0, 2) == "fr" &&
                        (localeName.size() == 2 || localeName[2] == '_' ||
                         localeName[2] == '-' || localeName[2] == '.' || localeName[2] == '@');
    return french ? Language::French : Language::English;
}

} // namespace titralab
