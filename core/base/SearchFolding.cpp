#include "core/base/SearchFolding.h"

#include <algorithm>
#include <array>
#include <utility>

namespace titralab {

namespace {

// The letters of French with a diacritic or a ligature, in UTF-8, and what they fold to.
constexpr std::array<std::pair<std::string_view, std::string_view>, 32> kFolds{{
    {"à", "a"},  {"â", "a"},  {"ä", "a"},  {"ç", "c"},  {"é", "e"}, {"è", "e"}, {"ê", "e"},
    {"ë", "e"},  {"î", "i"},  {"ï", "i"},  {"ô", "o"},  {"ö", "o"}, {"ù", "u"}, {"û", "u"},
    {"ü", "u"},  {"ÿ", "y"},  {"À", "a"},  {"Â", "a"},  {"Ç", "c"}, {"É", "e"}, {"È", "e"},
    {"Ê", "e"},  {"Ë", "e"},  {"Î", "i"},  {"Ï", "i"},  {"Ô", "o"}, {"Ù", "u"}, {"Û", "u"},
    {"œ", "oe"}, {"Œ", "oe"}, {"æ", "ae"}, {"Æ", "ae"},
}};

} // namespace

std::string foldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto fold = std::find_if(kFolds.begin(), kFolds.end(), [&](const auto& f) {
            return text.substr(i, f.first.size()) == f.first;
        });
        if (fold != kFolds.end()) {
            out += fold->second;
            i += fold->first.size();
            continue;
        }
        const char c = text[i++];
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

} // namespace titralab
