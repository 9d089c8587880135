#include "core/panel/DatabaseSearch.h"

#include "core/chemistry/Database.h"

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

bool startsWord(const std::string& text, std::size_t at) {
    return at == 0 || text[at - 1] == ' ' || text[at - 1] == '-' || text[at - 1] == '\'' ||
           text[at - 1] == ',';
}

// 0: a word starts with the query, 1: the name holds it elsewhere, -1: not found.
int rankIn(const std::string& folded, const std::string& query) {
    int rank = -1;
    for (std::size_t at = folded.find(query); at != std::string::npos;
         at = folded.find(query, at + 1)) {
        if (startsWord(folded, at)) return 0;
        rank = 1;
    }
    return rank;
}

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

std::vector<EntryMatch> searchEntries(BuretteSide side, std::string_view typed, Language language,
                                      bool monoproticOnly) {
    std::string query = foldForSearch(typed);
    const auto first = query.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    query = query.substr(first, query.find_last_not_of(' ') - first + 1);

    std::array<std::vector<EntryMatch>, 3> groups;
    for (int n = 1; n <= entryCount(side); ++n) {
        const AcidBaseEntry& e = entryOf(side, n);
        if (monoproticOnly && e.acidities != 1) continue;
        // The name in the language asked ranks the entry; a name in the other language finds
        // it as a conjugate species' name does.
        const Language other = language == Language::English ? Language::French : Language::English;
        int rank = rankIn(foldForSearch(e.name(language)), query);
        for (int k = 1; k < 4 && rank < 0; ++k)
            if (*e.name(language, k) && rankIn(foldForSearch(e.name(language, k)), query) >= 0)
                rank = 2;
        for (int k = 0; k < 4 && rank < 0; ++k)
            if (*e.name(other, k) && rankIn(foldForSearch(e.name(other, k)), query) >= 0) rank = 2;
        if (rank >= 0) groups[static_cast<std::size_t>(rank)].push_back({n, e.name(language)});
    }
    std::vector<EntryMatch> found;
    for (const auto& group : groups) found.insert(found.end(), group.begin(), group.end());
    return found;
}

void LoadFoundEntry(DatabaseBrowser& browser, int n, PanelFields& panel, ChemicalState& state) {
    const int entry = std::clamp(n, 1, entryCount(panel.side));
    browser.current(panel.side) = entry;
    LoadEntry(browser, entry, panel, state);
}

} // namespace titralab
