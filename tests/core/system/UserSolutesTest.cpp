// The teacher's own entries: every field checked, a file written whole and read back, a damaged
// file refused at its line with the earlier entries kept, an import that reports duplicates.
#include "core/system/UserSolutes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace titralab;

namespace {

UserSoluteFields lacticAcid() {
    return {"acide lactique", "lactic acid", "lactate", "CH3CH(OH)COOH", "0", "3,86", "", ""};
}

std::string tempFolder() {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("titralab-user-solutes-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    return folder.string();
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

SoluteEntry made(UserSoluteFields fields) {
    const UserSoluteMade m = makeUserSolute(fields);
    EXPECT_FALSE(m.problem) << m.problem->message.en;
    return m.entry;
}

} // namespace

TEST(UserSolutes, EachFieldIsCheckedWithAMessage) {
    struct Case {
        const char* label;
        UserSoluteField field;
        std::string UserSoluteFields::*member;
        std::string typed;
    };
    using F = UserSoluteField;
    using U = UserSoluteFields;
    const Case cases[] = {
        {"no French name", F::NameFr, &U::nameFr, "  "},
        {"no English name", F::NameEn, &U::nameEn, ""},
        {"name with a bar", F::NameEn, &U::nameEn, "lactic|acid"},
        {"name too long", F::NameFr, &U::nameFr, std::string(101, 'a')},
        {"no formula", F::Formula, &U::formula, ""},
        {"half charge", F::Charge, &U::charge, "0.5"},
        {"charge too high", F::Charge, &U::charge, "7"},
        {"no charge", F::Charge, &U::charge, ""},
        {"no pKa", F::PKa, &U::pKa, " "},
        {"pKa above 16", F::PKa, &U::pKa, "16.5"},
        {"pKa below -2", F::PKa, &U::pKa, "-2.1"},
        {"seven pKa", F::PKa, &U::pKa, "1 2 3 4 5 6 7"},
        {"pKa descending", F::PKa, &U::pKa, "7.2 2.1"},
        {"pKa repeated", F::PKa, &U::pKa, "4 4"},
        {"pKa not a number", F::PKa, &U::pKa, "4.2.1"},
        {"two enthalpies for one pKa", F::Enthalpy, &U::enthalpy, "1 2"},
        {"enthalpy too large", F::Enthalpy, &U::enthalpy, "250"},
        {"one conductivity for two forms", F::Conductivity, &U::conductivity, "3.5"},
        {"negative conductivity", F::Conductivity, &U::conductivity, "0 -3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        UserSoluteFields fields = lacticAcid();
        fields.*c.member = c.typed;
        const UserSoluteMade m = makeUserSolute(fields);
        ASSERT_TRUE(m.problem);
        EXPECT_EQ(m.problem->field, c.field);
        EXPECT_NE(std::string(m.problem->message.fr), std::string(m.problem->message.en));
    }
}

TEST(UserSolutes, AcceptedFieldsMakeASourcedEntry) {
    UserSoluteFields fields{"acide malique", "malic acid", "malate | ", "C4H6O5", "+0",
                            "3,40; 5.11",    "- -1,5",     "0 - 5"};
    const SoluteEntry e = made(fields);
    EXPECT_EQ(e.system.pKa, (std::vector<double>{3.40, 5.11}));
    EXPECT_EQ(e.synonyms, std::vector<std::string>{"malate"});
    ASSERT_EQ(e.system.enthalpy.size(), 2u);
    EXPECT_TRUE(std::isnan(e.system.enthalpy[0]));
    EXPECT_EQ(e.system.enthalpy[1], -1.5);
    EXPECT_EQ(e.system.conductivities, (std::vector<double>{0, -1, 5}));
    EXPECT_EQ(e.pKaSources, (std::vector<std::string>{"USER", "USER"}));
    EXPECT_EQ(e.enthalpySources, (std::vector<std::string>{"-", "USER"}));
    EXPECT_EQ(e.conductivitySources, (std::vector<std::string>{"USER", "-", "USER"}));
}

// The file is the database's own format: written, the shipped reader takes it; read back, the
// entries are the same.
TEST(UserSolutes, SavedFileReadsBackAndInTheDatabaseFormat) {
    const std::vector<SoluteEntry> entries{
        made(lacticAcid()),
        made({"acide malique", "malic acid", "", "C4H6O5", "0", "3.4 5.11", "- -1.5", "0 - 5"})};
    const std::string path = tempFolder() + "/mes-especes.tsv";
    ASSERT_TRUE(saveUserSolutes(path, entries, Language::English).ok());
    const UserSolutesRead read = loadUserSolutes(path, Language::English);
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(read.entries[i].nameFr, entries[i].nameFr);
        EXPECT_EQ(read.entries[i].synonyms, entries[i].synonyms);
        EXPECT_EQ(read.entries[i].system.pKa, entries[i].system.pKa);
        EXPECT_EQ(read.entries[i].system.conductivities, entries[i].system.conductivities);
        EXPECT_EQ(read.entries[i].enthalpySources, entries[i].enthalpySources);
    }
    const SoluteDatabaseRead shipped = readSoluteSystems(userSolutesText(entries), "user");
    EXPECT_EQ(shipped.error, "");
    EXPECT_EQ(shipped.database.entries.size(), entries.size());
    std::filesystem::remove(path);
}

TEST(UserSolutes, DamagedFileIsRefusedAtItsLineAndEarlierEntriesKept) {
    const std::string good = "acide X\tX acid\t-\tHX\t0\t4.5\tUSER\t-\t-\t-\t-\n";
    struct Case {
        const char* label;
        std::string text;
        const char* message; // part of it
    };
    const Case cases[] = {
        {"missing columns", "# c\n" + good + "acide Y\tY acid\tHY\t0\t4.5\n", "line 3: 11 columns"},
        {"pKa out of range", "acide Y\tY acid\t-\tHY\t0\t17\tUSER\t-\t-\t-\t-\n",
         "line 1: 1 to 6 pKa"},
        {"same name twice", good + "\n" + good, "line 3: the name “acide X”"},
        {"binary", std::string("\x01\x02\x00\x03", 4) + "\n", "line 1: 11 columns"},
    };
    const std::string path = tempFolder() + "/damaged.tsv";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        writeText(path, c.text);
        std::vector<SoluteEntry> entries{made(lacticAcid())};
        const std::string error = reloadUserSolutes(path, entries, Language::English);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_NE(error.find("damaged.tsv"), std::string::npos) << error;
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].nameFr, "acide lactique");
    }
    writeText(path, good);
    std::vector<SoluteEntry> entries{made(lacticAcid())};
    EXPECT_EQ(reloadUserSolutes(path, entries, Language::French), "");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].nameFr, "acide X");
    std::filesystem::remove(path);
}

TEST(UserSolutes, ImportReportsDuplicatesAndOverwritesOnlyWhenAsked) {
    const std::vector<SoluteEntry> mine{made(lacticAcid())};
    UserSoluteFields theirsFields = lacticAcid();
    theirsFields.nameFr = "ACIDE LACTIQUE"; // the same name, written otherwise
    theirsFields.pKa = "3.9";
    UserSoluteFields otherFields = lacticAcid();
    otherFields.nameFr = "acide glycolique";
    otherFields.nameEn = "glycolic acid";
    const std::vector<SoluteEntry> theirs{made(theirsFields), made(otherFields)};
    struct Case {
        const char* label;
        bool replace;
        double lacticPKa;
    };
    for (const Case& c : {Case{"kept", false, 3.86}, Case{"replaced", true, 3.9}}) {
        SCOPED_TRACE(c.label);
        const UserSolutesMerge merge = mergeUserSolutes(mine, theirs, c.replace);
        EXPECT_EQ(merge.duplicates, std::vector<std::string>{"ACIDE LACTIQUE"});
        ASSERT_EQ(merge.entries.size(), 2u);
        EXPECT_EQ(merge.entries[0].system.pKa[0], c.lacticPKa);
        EXPECT_EQ(merge.entries[1].nameEn, "glycolic acid");
    }
}
