#include "PrintFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace titralab;
using namespace titralab::printtest;

namespace {

// On the 25 mL optimised page: H - m = 3638, line height 83, W - 7m = 2490.
constexpr int kBelowAxis = 3638;
constexpr int kLine = 83;
constexpr int kConstantsX = 2490;

using Lines = std::vector<std::pair<int, std::string>>; // (j, text)

Lines constantsOf(const RecordingCanvas& c) {
    Lines out;
    for (const CanvasText& t : c.texts())
        if (t.at.x == kConstantsX) out.push_back({(t.at.y - kBelowAxis) / kLine, t.text});
    return out;
}

struct ConstantsCase {
    const char* label;
    std::function<void(PageInput&)> edit;
    Lines lines;
};

class PrintTextsConstants : public ::testing::TestWithParam<ConstantsCase> {};

TEST_P(PrintTextsConstants, BlockLinesAndSteps) {
    const ConstantsCase& c = GetParam();
    PageInput in = titrationPage(25);
    c.edit(in);
    const Printed p = print(in);
    for (const CanvasText& t : p.canvas.texts())
        if (t.at.x == kConstantsX) EXPECT_EQ((t.at.y - kBelowAxis) % kLine, 0) << t.text;
    EXPECT_EQ(constantsOf(p.canvas), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Studies, PrintTextsConstants,
    ::testing::Values(
        ConstantsCase{"MonoacidNamedWithAVowel",
                      [](PageInput&) {},
                      {{3, "concentration de la base : 0,1 mol/L"},
                       {5, "c. initiale en acide éthanoïque : 0,02 mol/L"},
                       {6, "volume initial d'acide éthanoïque : 0,02 L"},
                       {7, "pKa de l'acide employé : 4,76"}}},
        ConstantsCase{"ConsonantName",
                      [](PageInput& in) {
                          in.state.row1 = 22;
                          in.state.pK1 = {9.9, 50, 50};
                          in.speciesLabels[0] = {"phénol", "ion phénolate", "", ""};
                      },
                      {{3, "concentration de la base : 0,1 mol/L"},
                       {5, "c. initiale en phénol : 0,02 mol/L"},
                       {6, "volume initial de phénol : 0,02 L"},
                       {7, "pKa de l'acide employé : 9,9"}}},
        ConstantsCase{"AccentedInitialElides",
                      [](PageInput& in) { in.speciesLabels[0][0] = "éthanol"; },
                      {{3, "concentration de la base : 0,1 mol/L"},
                       {5, "c. initiale en éthanol : 0,02 mol/L"},
                       {6, "volume initial d'éthanol : 0,02 L"},
                       {7, "pKa de l'acide employé : 4,76"}}},
        ConstantsCase{
            "Diacid",
            [](PageInput& in) {
                in.state.row1 = 27; // acide oxalique
                in.state.pK1 = {1.25, 4.3, 50};
                in.speciesLabels[0] = {"acide oxalique", "ion hydrogénooxalate", "ion oxalate", ""};
            },
            {{3, "concentration de la base : 0,1 mol/L"},
             {5, "c. initiale en acide oxalique : 0,02 mol/L"},
             {6, "volume initial d'acide oxalique : 0,02 L"},
             {7, "pKa de l'acide employé : 1,25"},
             {8, "pKa2 : 4,3"}}},
        ConstantsCase{"Triacid",
                      [](PageInput& in) {
                          in.state.row1 = 30; // acide phosphorique
                          in.state.titrantConc = 0.05;
                          in.state.conc1 = 0.01;
                          in.state.vol1 = 0.01;
                          in.state.pK1 = {2.1, 7.2, 12.4};
                          in.speciesLabels[0] = {"acide phosphorique", "", "", ""};
                      },
                      {{3, "concentration de la base : 0,05 mol/L"},
                       {5, "c. initiale en acide phosphorique : 0,01 mol/L"},
                       {6, "volume initial d'acide phosphorique : 0,01 L"},
                       {7, "pKa de l'acide employé : 2,1"},
                       {8, "pKa2 : 7,2"},
                       {9, "pKa3 : 12,4"}}},
        // Stored pK are shifted by -14 on the base side.
        // The base side prints the pKa of the couple, 14 minus the working pKb.
        ConstantsCase{"BaseSidePrintsThePKaOfTheCouple",
                      [](PageInput& in) {
                          in.state.side = BuretteSide::BaseSide;
                          in.state.row1 = 2;
                          in.state.pK1 = {4.75, 36, 36};
                          in.speciesLabels[0] = {"ammoniac", "ion ammonium", "", ""};
                      },
                      {{3, "concentration de l'acide : 0,1 mol/L"},
                       {5, "c. initiale en ammoniac : 0,02 mol/L"},
                       {6, "volume initial d'ammoniac : 0,02 L"},
                       {7, "pKa de la base employée : 9,25"}}},
        // The volumes are those poured into the beaker.
        ConstantsCase{"TwoMonoacidsOnTheBaseSide",
                      [](PageInput& in) {
                          in.state.study = Study::TwoMonoTitration;
                          in.state.side = BuretteSide::BaseSide;
                          in.state.row1 = 2;
                          in.state.pK1 = {4.75, 36, 36};
                          in.state.pK2 = {4.3, 25, 25};
                          in.state.conc2 = 0.05;
                          in.state.vol2 = 0.01;
                          in.speciesLabels[0] = {"ammoniac", "ion ammonium", "", ""};
                          in.speciesLabels[1] = {"B'-", "B'H", "", ""};
                      },
                      {{3, "concentration de l'acide : 0,1 mol/L"},
                       {5, "c. initiale en ammoniac : 0,02 mol/L"},
                       {6, "volume initial d'ammoniac : 0,02 L"},
                       {7, "pKa de la base employée : 9,25"},
                       {9, "c. initiale en B'- : 0,05 mol/L"},
                       {10, "volume initial de B'- : 0,01 L"},
                       {11, "pKa de la base employée : 9,7"}}},
        ConstantsCase{
            "NotPrintedForSpecies", [](PageInput& in) { in.state.study = Study::SpeciesVsPH; }, {}},
        ConstantsCase{
            "NotPrintedForDilution", [](PageInput& in) { in.state.study = Study::Dilution; }, {}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PrintTextsConstants, UntickedBoxPrintsNoBlock) {
    PrintSettings s;
    s.printConstants = false;
    const Printed p = print(titrationPage(25), s);
    EXPECT_TRUE(constantsOf(p.canvas).empty());
}

struct CommentsCase {
    const char* label;
    const char* comment1;
    const char* comment2;
    Lines comments; // (j, text) at x = W / 2 + m
    int firstConstantLine;
};

class PrintTextsComments : public ::testing::TestWithParam<CommentsCase> {};

TEST_P(PrintTextsComments, EachCommentTakesALine) {
    const CommentsCase& c = GetParam();
    PrintSettings s;
    s.comment1 = c.comment1;
    s.comment2 = c.comment2;
    const Printed p = print(titrationPage(25), s);
    Lines comments;
    for (const CanvasText& t : p.canvas.texts())
        if (t.at.x == 2400 + 330) comments.push_back({(t.at.y - kBelowAxis) / kLine, t.text});
    EXPECT_EQ(comments, c.comments);
    const Lines constants = constantsOf(p.canvas);
    ASSERT_FALSE(constants.empty());
    EXPECT_EQ(constants.front().first, c.firstConstantLine);
}

INSTANTIATE_TEST_SUITE_P(
    Comments, PrintTextsComments,
    ::testing::Values(
        CommentsCase{"None", "", "", {}, 3},
        CommentsCase{
            "Both", "Classe de TS2", "Groupe 4", {{2, "Classe de TS2"}, {3, "Groupe 4"}}, 5},
        CommentsCase{"FirstOnly", "Classe de TS2", "", {{2, "Classe de TS2"}}, 4},
        CommentsCase{"SecondOnlyMovesUp", "", "Groupe 4", {{2, "Groupe 4"}}, 4},
        CommentsCase{"BlanksCount", "   ", "", {{2, "   "}}, 4}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PrintTextsLegend, EntriesFollowTheConstantsWithTheirSamples) {
    PageInput in = titrationPage(25);
    tick(in, {2, 3, 10});
    const Printed p = print(in);
    Lines legend;
    for (const CanvasText& t : p.canvas.texts())
        if (t.at.x == 3 * 330) legend.push_back({(t.at.y - kBelowAxis) / kLine, t.text});
    EXPECT_EQ(legend,
              (Lines{{8, "pH"}, {9, "c (H3O+)"}, {10, "acide éthanoïque"}, {11, "ion éthanoate"}}));
    // Samples under the vertical axis, 0.6 of a line below each entry's top, 1.5 m long:
    // the "pH" one is solid.
    for (int j = 8; j <= 11; ++j) {
        const int ys = static_cast<int>((j + 0.6) * kLine + kBelowAxis);
        int lines = 0;
        int drawnEnd = 330;
        bool continuous = true;
        for (const CanvasSegment& s : p.canvas.segments()) {
            if (s.from.y != ys || s.to.y != ys || s.from.x < 330 || s.to.x > 825) continue;
            ++lines;
            if (s.from.x != drawnEnd) continuous = false;
            drawnEnd = s.to.x;
        }
        EXPECT_GT(lines, 0) << j;
        EXPECT_EQ(continuous && drawnEnd == 825, j == 8) << j;
    }
}

TEST(PrintTextsLegend, SecondAcidEntriesAndNoneForPointsOrConductivity) {
    PageInput in = titrationPage(25);
    in.state.study = Study::TwoMonoTitration;
    tick(in, {1, 2, 6, 7, 8, 9});
    in.speciesLabels[0] = {"AH", "A-", "", ""};
    in.speciesLabels[1] = {"A'H", "A'-", "", ""};
    PrintSettings s;
    s.printConstants = false;
    const Printed p = print(in, s);
    EXPECT_EQ(textsWithLeft(p.canvas, 3 * 330),
              (std::vector<std::string>{"pH", "AH", "A'H", "A'-"}));
}

struct WarningCase {
    const char* label;
    Study study;
    BuretteSide side;
    bool dilutionTicked;
    int x; // -1: no warning
};

class PrintTextsWarning : public ::testing::TestWithParam<WarningCase> {};

TEST_P(PrintTextsWarning, DilutionWarningNearTheTopOfTheFrame) {
    const WarningCase& w = GetParam();
    PageInput in = titrationPage(25);
    in.state.study = w.study;
    in.state.side = w.side;
    if (w.dilutionTicked) tick(in, {1});
    const Printed p = print(in);
    const auto first = p.canvas.findText("Attention, l'effet de dilution n'est pas");
    const auto second = p.canvas.findText("pris en compte pour les concentrations");
    if (w.x < 0) {
        EXPECT_FALSE(first);
        EXPECT_FALSE(second);
        return;
    }
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->at, (CanvasPoint{w.x, 660}));
    EXPECT_EQ(second->at, (CanvasPoint{w.x, 660 + kLine}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintTextsWarning,
    ::testing::Values(
        WarningCase{"AcidSide", Study::TitrationVsVolume, BuretteSide::AcidSide, false, 528},
        // trunc(1.6 m + trunc(W / 2 - m)) = 528 + 2070.
        WarningCase{"BaseSideRightHalf", Study::TitrationVsVolume, BuretteSide::BaseSide, false,
                    2598},
        WarningCase{"TwoMonoacids", Study::TwoMonoTitration, BuretteSide::AcidSide, false, 528},
        WarningCase{"DilutionTicked", Study::TitrationVsVolume, BuretteSide::AcidSide, true, -1},
        WarningCase{"SpeciesStudy", Study::SpeciesVsPH, BuretteSide::AcidSide, false, -1},
        WarningCase{"DilutionStudy", Study::Dilution, BuretteSide::AcidSide, false, -1}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
