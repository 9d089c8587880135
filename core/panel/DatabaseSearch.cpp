#include "core/panel/DatabaseSearch.h"

#include "core/chemistry/Database.h"

#include <algorithm>
#include <array>
#include <utility>

namespace titralab {

namespace {

// The usual names a class also uses, by the French name of the entry they find, in French and
// in English: the trivial names of the acids (acide acétique, formique, propionique), the
// names of the solutions and salts bought for them (soude caustique, ammoniaque, acétate de
// sodium, bicarbonate). The strong base stands for soda and potash.
struct UsualNames {
    BuretteSide side;
    std::string_view entry; // French name of the entry
    std::array<std::string_view, 5> french;
    std::array<std::string_view, 5> english;
};

constexpr BuretteSide kAcids = BuretteSide::AcidSide;
constexpr BuretteSide kBases = BuretteSide::BaseSide;

constexpr std::array<UsualNames, 17> kUsualNames{{
    {kAcids, "acide éthanoïque", {"acide acétique", "vinaigre"}, {"acetic acid", "vinegar"}},
    {kAcids, "acide méthanoïque", {"acide formique"}, {"formic acid"}},
    {kAcids, "acide propanoïque", {"acide propionique"}, {"propionic acid"}},
    {kAcids,
     "acide monochloroéthanoïque",
     {"acide monochloroacétique", "acide chloroacétique"},
     {"chloroacetic acid", "monochloroacetic acid"}},
    {kAcids, "acide dichloroéthanoïque", {"acide dichloroacétique"}, {"dichloroacetic acid"}},
    {kAcids, "acide trichloroéthanoïque", {"acide trichloroacétique"}, {"trichloroacetic acid"}},
    {kAcids, "acide acétylsalicylique", {"aspirine"}, {"aspirin"}},
    {kAcids,
     "acide chlorhydrique",
     {"chlorure d'hydrogène", "esprit de sel"},
     {"hydrogen chloride", "muriatic acid"}},
    {kAcids, "acide oxochlorique", {"acide hypochloreux"}, {}},
    {kAcids, "acide cyanhydrique", {"acide prussique"}, {"prussic acid"}},
    {kAcids, "ion ammonium", {"chlorure d'ammonium"}, {"ammonium chloride"}},
    {kBases,
     "base forte",
     {"soude", "soude caustique", "hydroxyde de sodium", "potasse", "hydroxyde de potassium"},
     {"soda", "caustic soda", "sodium hydroxide", "potash", "potassium hydroxide"}},
    {kBases, "ammoniac", {"ammoniaque"}, {"ammonium hydroxide", "aqueous ammonia"}},
    {kBases,
     "ion éthanoate",
     {"ion acétate", "acétate de sodium", "éthanoate de sodium"},
     {"acetate ion", "sodium acetate", "sodium ethanoate"}},
    {kBases,
     "ion hydrogénocarbonate",
     {"bicarbonate", "bicarbonate de sodium", "hydrogénocarbonate de sodium"},
     {"bicarbonate", "sodium bicarbonate", "sodium hydrogen carbonate"}},
    {kBases,
     "ion carbonate",
     {"carbonate de sodium", "cristaux de soude"},
     {"sodium carbonate", "washing soda"}},
    {kBases, "éthylènediamine", {"éthane-1,2-diamine"}, {"ethane-1,2-diamine"}},
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
        for (const UsualNames& usual : kUsualNames) {
            if (usual.side != side || usual.entry != e.name(Language::French)) continue;
            for (std::string_view name :
                 language == Language::English ? usual.english : usual.french) {
                if (name.empty()) continue;
                const int r = rankIn(foldForSearch(name), query);
                if (r >= 0 && (rank < 0 || r < rank)) rank = r;
            }
        }
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
