// The interface language, and a text given in both of the program's languages.
#pragma once

#include <optional>
#include <string_view>

namespace titralab {

// French is the program's reference language and its default.
enum class Language { French, English };

// One text of the program in French and in English, both UTF-8.
struct Text {
    const char* fr;
    const char* en;

    constexpr const char* in(Language language) const {
        return language == Language::English ? en : fr;
    }
};

// Punctuation between a caption and its value, and between items: French sets a space before
// the colon and the semicolon, English does not.
inline constexpr Text kColon{" : ", ": "};
inline constexpr Text kSemicolon{" ; ", "; "};

// "fr" or "en" (as on the command line and in the settings), else nothing.
std::optional<Language> parseLanguage(std::string_view code);
// "fr" or "en".
const char* languageCode(Language language);
// The language a desktop locale name asks for: French for fr and fr_*, English otherwise.
Language languageOfLocale(std::string_view localeName);

} // namespace titralab
