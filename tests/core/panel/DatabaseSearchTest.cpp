#include "core/panel/DatabaseSearch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace titralab;

namespace {

std::vector<std::string> namesFound(BuretteSide side, const char* typed, bool mono = false) {
    std::vector<std::string> names;
    for (const EntryMatch& m : searchEntries(side, typed, Language::French, mono))
        names.push_back(m.name);
    return names;
}

TEST(DatabaseSearch, FindsEntriesWhateverTheAccentsAndTheCase) {
    const BuretteSide acid = BuretteSide::AcidSide, base = BuretteSide::BaseSide;
    struct Case {
        const char* label;
        BuretteSide side;
        const char* typed;
        bool monoproticOnly;
        std::vector<std::string> found;
    } cases[] = {
        {"whole name", base, "ammoniac", false, {"ammoniac"}},
        {"accents ignored", base, "ethylenediamine", false, {"éthylènediamine"}},
        {"capitals and accents typed",
         acid,
         "ÉTHANO",
         false,
         {"acide éthanoïque", "acide trichloroéthanoïque", "acide dichloroéthanoïque",
          "acide monochloroéthanoïque", "acide méthanoïque"}},
        {"word starts before inside",
         base,
         "ethyl",
         false,
         {"éthylamine", "éthylènediamine", "diméthylamine", "triéthylamine", "méthylamine"}},
        {"by a conjugate's name", acid, "ammoniac", false, {"ion ammonium"}},
        {"monoprotic only", base, "carbonate", true, {"ion hydrogénocarbonate"}},
        {"polyprotic too", base, "carbonate", false, {"ion carbonate", "ion hydrogénocarbonate"}},
        {"blanks around", acid, "  nitr ", false, {"acide nitrique", "acide nitreux"}},
        // The usual names a class also uses find the entry named otherwise.
        {"trivial name",
         acid,
         "acétique",
         false,
         {"acide éthanoïque", "acide trichloroéthanoïque", "acide dichloroéthanoïque",
          "acide monochloroéthanoïque"}},
        {"trivial name whole", acid, "acide acétique", false, {"acide éthanoïque"}},
        {"formic acid", acid, "formique", false, {"acide méthanoïque"}},
        {"the soda bought", base, "soude caustique", false, {"base forte"}},
        {"the ammonia bought", base, "ammoniaque", false, {"ammoniac"}},
        {"a salt", base, "acétate de sodium", false, {"ion éthanoate"}},
        {"nothing", acid, "xyz", false, {}},
        {"only blanks", acid, "   ", false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(namesFound(c.side, c.typed, c.monoproticOnly), c.found) << c.label;
}

TEST(DatabaseSearch, LoadingAFoundEntryMakesItTheCurrentOne) {
    DatabaseBrowser browser;
    PanelFields panel = PanelFields::atDesign();
    ChemicalState state;
    panel.side = BuretteSide::BaseSide;
    const std::vector<EntryMatch> found = searchEntries(panel.side, "ammon", Language::French);
    ASSERT_FALSE(found.empty());
    LoadFoundEntry(browser, found[0].entry, panel, state);
    EXPECT_EQ(panel.entryName, "ammoniac");
    EXPECT_EQ(panel.at(Field::PKa1), "9,2"); // with the comma of the panel's other numbers
    EXPECT_EQ(state.row1, found[0].entry);
    StepForward(browser, panel, state); // the step buttons go on from there
    EXPECT_EQ(panel.entryName, "hydrazine");
}

TEST(DatabaseSearch, NamesComeInTheLanguageAskedAndAreFoundInEither) {
    const struct {
        const char* label;
        Language language;
        const char* typed;
        const char* first;
    } cases[] = {
        {"English name in English", Language::English, "acetic", "ethanoic acid (acetic acid)"},
        {"French name in English", Language::English, "acide éthanoïque",
         "ethanoic acid (acetic acid)"},
        {"English name in French", Language::French, "acetic", "acide éthanoïque"},
        {"usual English name", Language::English, "propionic", "propanoic acid"},
    };
    for (const auto& c : cases) {
        const std::vector<EntryMatch> found =
            searchEntries(BuretteSide::AcidSide, c.typed, c.language);
        ASSERT_FALSE(found.empty()) << c.label;
        EXPECT_EQ(found[0].name, c.first) << c.label;
    }
}

} // namespace
