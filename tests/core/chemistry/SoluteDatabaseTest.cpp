// The solute database of the data folder: the shipped files load whole and carry a source for
// every value, textbook constants come out of them, cumulative constants turn into stepwise
// ones, damaged files are refused at their line, and the search finds by formula and synonym.
#include "core/chemistry/SoluteDatabase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace titralab;

namespace {

const std::string kDataFolder = TITRALAB_SOURCE_DATA;

// The data lines of a shipped file, counted without the reader.
int dataLineCount(const std::string& name) {
    std::ifstream in(kDataFolder + "/Solutes/" + name);
    std::string line;
    int count = 0;
    while (std::getline(in, line))
        if (!line.empty() && line[0] != '#') ++count;
    return count;
}

const SoluteDatabase& shipped() {
    static const SoluteDatabaseRead read = loadSoluteDatabase(kDataFolder);
    return read.database;
}

const SoluteEntry* entryNamed(const std::string& nameFr) {
    for (const SoluteEntry& e : shipped().entries)
        if (e.nameFr == nameFr) return &e;
    return nullptr;
}

} // namespace

TEST(SoluteDatabase, ShippedFilesLoadWholeWithASourceForEveryValue) {
    const SoluteDatabaseRead read = loadSoluteDatabase(kDataFolder);
    ASSERT_EQ(read.error, "");
    const SoluteDatabase& db = read.database;
    EXPECT_GE(db.entries.size(), 200u);
    EXPECT_EQ(static_cast<int>(db.entries.size()), dataLineCount("solutes.tsv"));
    EXPECT_EQ(static_cast<int>(db.compounds.size()), dataLineCount("compounds.tsv"));
    std::set<std::string> keys;
    for (const SoluteSource& s : db.sources) {
        keys.insert(s.key);
        EXPECT_NE(s.in(Language::French), s.in(Language::English)) << s.key;
    }
    for (const SoluteEntry& e : db.entries) {
        SCOPED_TRACE(e.nameEn);
        EXPECT_FALSE(e.nameFr.empty());
        EXPECT_FALSE(e.nameEn.empty());
        ASSERT_FALSE(e.system.pKa.empty());
        for (std::size_t i = 1; i < e.system.pKa.size(); ++i)
            EXPECT_LT(e.system.pKa[i - 1], e.system.pKa[i]);
        ASSERT_EQ(e.pKaSources.size(), e.system.pKa.size());
        for (const std::string& key : e.pKaSources) EXPECT_EQ(keys.count(key), 1u) << key;
        for (std::size_t i = 0; i < e.system.enthalpy.size(); ++i)
            EXPECT_EQ(std::isnan(e.system.enthalpy[i]), e.enthalpySources.at(i) == "-");
    }
}

// Usual values at 25 °C: the literature column of the project's reference tables (checked
// there against the CRC Handbook and Harris) and Harris' appendix G (glycine, hydrogen
// sulfate). PHREEQC's constants may differ from them by a few hundredths. The systems of the
// published tables (textbook.tsv) against measurements at 25 °C and low ionic strength of
// another compilation: Serjeant and Dempsey (IUPAC, 1979) for the acids, Perrin (IUPAC, 1965)
// for the bases.
TEST(SoluteDatabase, TwentyTextbookValues) {
    struct Case {
        const char* label;
        const char* nameFr;
        int acidity;
        double pKa;
    };
    const Case cases[] = {
        {"ammonium", "ion ammonium", 0, 9.25},
        {"methylammonium", "ion méthylammonium", 0, 10.64},
        {"ethylammonium", "ion éthylammonium", 0, 10.75},
        {"dimethylammonium", "ion diméthylammonium", 0, 10.73},
        {"triethylammonium", "ion triéthylammonium", 0, 10.75},
        {"pyridinium", "ion pyridinium", 0, 5.23},
        {"anilinium", "ion anilinium", 0, 4.60},
        {"ethanoic acid", "acide éthanoïque", 0, 4.76},
        {"carbonic acid 1", "dioxyde de carbone dissous (acide carbonique)", 0, 6.35},
        {"carbonic acid 2", "dioxyde de carbone dissous (acide carbonique)", 1, 10.33},
        {"phosphoric acid 1", "acide phosphorique", 0, 2.15},
        {"phosphoric acid 2", "acide phosphorique", 1, 7.20},
        {"phosphoric acid 3", "acide phosphorique", 2, 12.35},
        {"ethylenediammonium 1", "ion éthylènediammonium", 0, 6.85},
        {"ethylenediammonium 2", "ion éthylènediammonium", 1, 9.93},
        {"hydrazinium", "ion hydrazinium", 0, 8.07},
        {"hydroxylammonium", "ion hydroxylammonium", 0, 5.96},
        {"glycinium 1", "ion glycinium", 0, 2.35},
        {"glycinium 2", "ion glycinium", 1, 9.78},
        {"hydrogen sulfate", "ion hydrogénosulfate", 0, 1.99},
        {"tris", "tris", 0, 8.075},
        {"ethanolammonium", "ion éthanolammonium", 0, 9.50},
        {"tert-butylammonium", "ion tert-butylammonium", 0, 10.68},
        {"2-nitrophenol", "2-nitrophénol", 0, 7.23},
        {"4-nitrophenol", "4-nitrophénol", 0, 7.156},
        {"3-nitrobenzoic acid", "acide 3-nitrobenzoïque", 0, 3.462},
        {"4-chlorobenzoic acid", "acide 4-chlorobenzoïque", 0, 3.988},
        {"4-aminobenzoic acid, ammonium", "acide 4-aminobenzoïque", 0, 2.41},
        {"4-aminobenzoic acid, carboxylic acid", "acide 4-aminobenzoïque", 1, 4.85},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const SoluteEntry* e = entryNamed(c.nameFr);
        ASSERT_NE(e, nullptr);
        ASSERT_LT(c.acidity, e->system.acidities());
        EXPECT_NEAR(e->system.pKa[static_cast<std::size_t>(c.acidity)], c.pKa, 0.05);
    }
}

// λ° from PHREEQC's diffusion coefficients against the ionic conductivities of the CRC Handbook
// (NH4+ 73.5, HCO3- 44.5, 1/2 SO4 2- 80.0 S·cm²/mol), to 2 %.
TEST(SoluteDatabase, IonConductivitiesAgreeWithTheHandbook) {
    struct Case {
        const char* label;
        const char* nameFr;
        int form;
        double lambda; // mS·m²/mol
    };
    const Case cases[] = {
        {"ammonium", "ion ammonium", 0, 7.35},
        {"hydrogen carbonate", "dioxyde de carbone dissous (acide carbonique)", 1, 4.45},
        {"sulfate", "ion hydrogénosulfate", 1, 16.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const SoluteEntry* e = entryNamed(c.nameFr);
        ASSERT_NE(e, nullptr);
        EXPECT_NEAR(e->system.conductivity(c.form), c.lambda, 0.02 * c.lambda);
    }
}

// PHREEQC's cumulative association constants (minteq.v4.dat: H+ + CO3-2 = HCO3- 10.329,
// 2 H+ + CO3-2 = H2CO3 16.681; PO4-3 with 1, 2, 3 H+: 12.375, 19.573, 21.721), turned into
// stepwise pKa by hand, and the shipped file agrees with the conversion.
TEST(SoluteDatabase, CumulativeConstantsBecomeStepwisePKa) {
    struct Case {
        const char* label;
        const char* nameFr;
        std::vector<double> logBeta;
        std::vector<double> pKa;
    };
    const Case cases[] = {
        {"carbonates",
         "dioxyde de carbone dissous (acide carbonique)",
         {10.329, 16.681},
         {6.352, 10.329}},
        {"phosphates", "acide phosphorique", {12.375, 19.573, 21.721}, {2.148, 7.198, 12.375}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<double> pKa = stepwisePKa(c.logBeta);
        ASSERT_EQ(pKa.size(), c.pKa.size());
        const SoluteEntry* e = entryNamed(c.nameFr);
        ASSERT_NE(e, nullptr);
        ASSERT_EQ(e->system.pKa.size(), c.pKa.size());
        for (std::size_t i = 0; i < pKa.size(); ++i) {
            EXPECT_NEAR(pKa[i], c.pKa[i], 1e-9);
            EXPECT_NEAR(e->system.pKa[i], c.pKa[i], 1e-9);
        }
    }
}

TEST(SoluteDatabase, SearchFindsByFormulaAndSynonymBestFirst) {
    struct Case {
        const char* label;
        const char* query;
        const char* firstNameFr; // of the system, or of the compound when one comes first
    };
    const Case cases[] = {
        {"formula of an acid", "H3PO4", "acide phosphorique"},
        {"formula of a salt", "NaHCO3", "hydrogénocarbonate de sodium"},
        {"formula, lower case", "nh4cl", "chlorure d'ammonium"},
        {"French synonym without accents", "ACIDE ACETIQUE", "acide éthanoïque"},
        {"English synonym", "baking soda", "hydrogénocarbonate de sodium"},
        {"English name", "citric acid", "acide citrique"},
        {"synonym naming the base", "éthylènediamine", "ion éthylènediammonium"},
        {"whole name before a longer one", "ammoniac", "ion ammonium"},
        {"start of a word", "phosph", "acide phosphorique"},
        {"English synonym of a buffer", "tromethamine", "tris"},
        {"salt of a buffer", "Tris-HCl", "chlorhydrate de tris"},
    };
    const SoluteDatabase& db = shipped();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<SoluteMatch> found = searchSolutes(db, c.query);
        ASSERT_FALSE(found.empty());
        const std::string first =
            found[0].compound >= 0
                ? db.compounds[static_cast<std::size_t>(found[0].compound)].nameFr
                : db.entries[static_cast<std::size_t>(found[0].entry)].nameFr;
        EXPECT_EQ(first, c.firstNameFr);
    }
    EXPECT_TRUE(searchSolutes(db, "   ").empty());
    EXPECT_TRUE(searchSolutes(db, "unobtainium").empty());
}

TEST(SoluteDatabase, SaltsBringTheirSystemAndIons) {
    const SoluteDatabase& db = shipped();
    const std::vector<SoluteMatch> found = searchSolutes(db, "Na2CO3");
    ASSERT_FALSE(found.empty());
    ASSERT_GE(found[0].compound, 0);
    const SoluteCompound& salt = db.compounds[static_cast<std::size_t>(found[0].compound)];
    EXPECT_EQ(salt.startForm, 2);
    const std::vector<Solute> solutes = soluteCompoundSolutes(db, salt, 0.1);
    ASSERT_EQ(solutes.size(), 2u);
    EXPECT_EQ(solutes[0].kind, SoluteKind::System);
    EXPECT_DOUBLE_EQ(solutes[0].concentration, 0.1);
    EXPECT_EQ(solutes[1].ion, SpectatorIon::Sodium);
    EXPECT_DOUBLE_EQ(solutes[1].concentration, 0.2);
}

TEST(SoluteDatabase, DamagedFilesAreRefusedAtTheirLine) {
    const std::string header = "# comment\n";
    const std::string good = "acide X\tX acid\t-\tHX\t0\t4.5\tK\t-\t-\t-\t-\n";
    struct Case {
        const char* label;
        std::string text;
        const char* error; // part of the message
    };
    const Case cases[] = {
        {"too few columns", header + good + "acide Y\tY acid\tHY\t0\t4.5\n", "line 3: 11 tab"},
        {"pKa not ascending", header + "a\tb\t-\tH2Z\t0\t7 3\tK K\t-\t-\t-\t-\n",
         "line 2: pKa values not ascending"},
        {"decimal comma", header + "a\tb\t-\tHZ\t0\t4,5\tK\t-\t-\t-\t-\n", "line 2: pKa '4,5'"},
        {"source missing", header + "a\tb\t-\tH2Z\t0\t3 7\tK\t-\t-\t-\t-\n",
         "line 2: one source key for each pKa"},
        {"name missing", header + "\tb\t-\tHZ\t0\t4\tK\t-\t-\t-\t-\n", "line 2: a name is missing"},
        {"enthalpy without key", header + "a\tb\t-\tHZ\t0\t4\tK\t1.5\t-\t-\t-\n",
         "line 2: one source key for each known enthalpy"},
        {"seven acidities", header + "a\tb\t-\tHZ\t0\t1 2 3 4 5 6 7\tK K K K K K K\t-\t-\t-\t-\n",
         "line 2: 1 to 6 pKa"},
        {"empty", header, "no entry"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const SoluteDatabaseRead read = readSoluteSystems(c.text, "solutes.tsv");
        EXPECT_NE(read.error.find(c.error), std::string::npos) << read.error;
        EXPECT_TRUE(read.database.entries.empty());
    }

    SoluteDatabaseRead read = readSoluteSystems(good, "solutes.tsv");
    ASSERT_EQ(read.error, "");
    EXPECT_NE(readSoluteSources("J\tanother book\tun autre livre\n", "sources.tsv", read.database)
                  .find("'K'"),
              std::string::npos);
    EXPECT_NE(readSoluteSources("K\ta book\n", "sources.tsv", read.database)
                  .find("line 1: a key, then the source in English and in French"),
              std::string::npos);
    ASSERT_EQ(readSoluteSources("K\ta book\tun livre\n", "sources.tsv", read.database), "");
    EXPECT_NE(readSoluteCompounds("sel\tsalt\t-\tNaX\tacide X\t0\tNa+ 1\n", "compounds.tsv",
                                  read.database)
                  .find("line 1: the starting form and the ions do not make a neutral salt"),
              std::string::npos);
    EXPECT_EQ(readSoluteCompounds("sel\tsalt\t-\tNaX\tacide X\t1\tNa+ 1\n", "compounds.tsv",
                                  read.database),
              "");
}
