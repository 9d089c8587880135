// An entry's card: the species in the textbooks' generic notation, each couple with its pKa and
// the source of every value shown, described in the card's language.
#include "core/texts/SoluteCard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace titralab;

TEST(SoluteCard, SpeciesInTheGenericNotation) {
    struct Case {
        const char* label;
        int charge;
        int acidities;
        std::vector<std::string> species;
    };
    const Case cases[] = {
        {"phosphoric acid", 0, 3, {"H3A", "H2A-", "HA2-", "A3-"}},
        {"ammonium", 1, 1, {"HA+", "A"}},
        {"ethylenediammonium", 2, 2, {"H2A2+", "HA+", "A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        AcidBaseSystem system;
        system.protonatedCharge = c.charge;
        system.pKa.assign(static_cast<std::size_t>(c.acidities), 0);
        for (int i = 0; i < c.acidities; ++i) system.pKa[static_cast<std::size_t>(i)] = i;
        EXPECT_EQ(texts::genericSpecies(system), c.species);
    }
}

TEST(SoluteCard, EveryValueShownWithItsResolvedSource) {
    const SoluteDatabaseRead read = loadSoluteDatabase(TITRALAB_SOURCE_DATA);
    ASSERT_EQ(read.error, "");
    const SoluteEntry& carbonic = read.database.entries.at(
        static_cast<std::size_t>(searchSolutes(read.database, "H2CO3").at(0).entry));
    struct Case {
        Language language;
        char separator;
        std::vector<const char*> wanted;
    };
    const Case cases[] = {
        {Language::French,
         ',',
         {"Couple H2A/HA- : pKa = 6,352 [MINTEQ4] ; ΔH° = 9,16 kJ/mol",
          "Couple HA-/A2- : pKa = 10,329 [MINTEQ4]", "PHREEQC : phreeqc.dat distribué avec",
          "MINTEQ4 : Base de données thermodynamique MINTEQA2 version 4"}},
        {Language::English,
         '.',
         {"Couple H2A/HA-: pKa = 6.352 [MINTEQ4]; ΔH° = 9.16 kJ/mol",
          "PHREEQC: phreeqc.dat as distributed", "MINTEQ4: MINTEQA2 version 4"}},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> card =
            texts::soluteCard(read.database, carbonic, c.language, c.separator);
        for (const char* wanted : c.wanted) {
            SCOPED_TRACE(wanted);
            EXPECT_TRUE(std::any_of(card.begin(), card.end(), [&](const std::string& line) {
                return line.find(wanted) != std::string::npos;
            }));
        }
    }
}
