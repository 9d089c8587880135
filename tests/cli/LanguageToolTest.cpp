#include "ToolRun.h"

#include <gtest/gtest.h>

#include <string>

using titralab::testing::runTool;
using titralab::testing::ToolRun;

namespace {

TEST(LanguageTool, FrenchAsAskedIsTheDefaultOutputByteForByte) {
    for (const char* arguments :
         {"--study titration --entry1 17 --D1 abc --D4 51", "--study species --side base",
          "--study two-mono --derivative --separator point", "--study mixture",
          "--study dilution --by-volume",
          "--study titration --equivalence --indicator 'bleu de bromothymol'",
          "--study titration --entry1 17 --at 10", "--study 0 --vary 'D2=0,1;0,2'",
          "--study 0 --indicator list"}) {
        const ToolRun plain = runTool(arguments);
        const ToolRun french = runTool(std::string(arguments) + " --lang fr");
        EXPECT_EQ(plain.status, 0) << arguments << ": " << plain.err;
        EXPECT_EQ(french.status, plain.status) << arguments;
        EXPECT_EQ(french.out, plain.out) << arguments;
        EXPECT_EQ(french.err, plain.err) << arguments;
    }
}

TEST(LanguageTool, EnglishReachesTheTableTheReadingsAndTheMessages) {
    const struct {
        const char* label;
        const char* arguments;
        const char* french; // found in the French output or messages
        const char* english;
    } cases[] = {
        {"table heading", "--study titration --entry1 17",
         "\nv de monobase\tpH\tcH\tacide éthanoïque\tion éthanoate\tConductivité\n",
         "\nv of titrant\tpH\tcH\tethanoic acid (acetic acid)\tethanoate ion\tConductivity\n"},
        {"typed-value message", "--study titration --D1 abc",
         "Séparateur décimal : virgule ! Exemple : 1,03E-2",
         "Decimal separator: comma! Example: 1,03E-2"},
        {"indicator verdict", "--study titration --entry1 17 --indicator phenolphtaleine",
         "\tconvient", "\tsuitable"},
    };
    for (const auto& c : cases) {
        const ToolRun french = runTool(c.arguments);
        const ToolRun english = runTool(std::string(c.arguments) + " --lang en");
        EXPECT_EQ(english.status, 0) << c.label << ": " << english.err;
        EXPECT_NE((french.out + french.err).find(c.french), std::string::npos) << c.label;
        EXPECT_NE((english.out + english.err).find(c.english), std::string::npos)
            << c.label << ": " << english.out << english.err;
        EXPECT_EQ((english.out + english.err).find(c.french), std::string::npos) << c.label;
    }
}

TEST(LanguageTool, OtherLanguagesAreRefused) {
    for (const char* code : {"de", "EN", "english", ""}) {
        const ToolRun run = runTool(std::string("--study titration --lang '") + code + "'");
        EXPECT_EQ(run.status, 2) << code;
        EXPECT_TRUE(run.out.empty()) << code;
        EXPECT_EQ(run.err, std::string("titralab-export: --lang expects fr or en, not '") + code +
                               "' (see --help)\n")
            << code;
    }
}

} // namespace
