// Reading typed solutions: what each item gives, and the refusal of malformed ones.
#include "core/chemistry/SolutionItems.h"
#include "core/texts/SolutionTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace titralab;

namespace {

// A solute as the test writes it: an ion, or a system by its pKa and charge.
struct Expected {
    bool system{};
    SpectatorIon ion{};
    std::vector<double> pKa{};
    int charge{};
    double concentration{};
};

Expected ion(SpectatorIon i, double c) {
    return {false, i, {}, 0, c};
}
Expected sys(std::vector<double> pKa, int charge, double c) {
    return {true, SpectatorIon::Sodium, std::move(pKa), charge, c};
}

TEST(SolutionItems, EachKindOfItemGivesItsSolutes) {
    using I = SpectatorIon;
    const struct {
        const char* text;
        std::vector<Expected> solutes;
    } cases[] = {
        {"Cl-=0.05;acid(2.15,7.20,12.35)=0.05",
         {ion(I::Chloride, 0.05), sys({2.15, 7.20, 12.35}, 0, 0.05)}},
        {"base(9.25)=0,1", {sys({9.25}, 1, 0.1)}},
        {" base( 10.33 , 6.35 ) = 0.2 ;", {sys({6.35, 10.33}, 2, 0.2)}},
        {"Acide(4.76)=1E-2", {sys({4.76}, 0, 0.01)}},
        {"NaHCO3=0.1", {sys({6.35, 10.33}, 0, 0.1), ion(I::Sodium, 0.1)}},
        {"na2co3=0.1", {sys({6.35, 10.33}, 0, 0.1), ion(I::Sodium, 0.2)}},
        {"HYDROGENOCARBONATE DE SODIUM=0.1", {sys({6.35, 10.33}, 0, 0.1), ion(I::Sodium, 0.1)}},
        {"sodium acetate=0.1", {sys({4.76}, 0, 0.1), ion(I::Sodium, 0.1)}},
        {"acide sulfurique=0.1", {sys({1.99}, -1, 0.1)}},
        {"chlorure d'ammonium=0.1", {sys({9.25}, 1, 0.1), ion(I::Chloride, 0.1)}},
        {"potash=0.1", {ion(I::Potassium, 0.1)}},
        {"glycine=0.1", {sys({2.35, 9.78}, 1, 0.1)}},
        {"Na3PO4=0.1", {sys({2.15, 7.20, 12.35}, 0, 0.1), ion(I::Sodium, 0.30000000000000004)}},
        // Database entries, acid side then base side, either language.
        {"acide méthanoïque=0.1", {sys({3.75}, 0, 0.1)}},
        {"formic acid=0.1", {sys({3.75}, 0, 0.1)}},
        {"Pyridine=0.01", {sys({5.2}, 1, 0.01)}},
        {"ion phosphate=0.1", {sys({2.1, 7.2, 12.4}, 3, 0.1)}},
        {"Li+=1;ClO4-=1;NO3-=0.5;Br-=0.25;I-=0.125",
         {ion(I::Lithium, 1), ion(I::Perchlorate, 1), ion(I::Nitrate, 0.5), ion(I::Bromide, 0.25),
          ion(I::Iodide, 0.125)}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        const ParsedItems parsed = parseSolutionItems(k.text);
        ASSERT_FALSE(parsed.error.has_value());
        ASSERT_EQ(parsed.solution.solutes.size(), k.solutes.size());
        for (std::size_t i = 0; i < k.solutes.size(); ++i) {
            const Solute& s = parsed.solution.solutes[i];
            const Expected& e = k.solutes[i];
            EXPECT_EQ(s.kind == SoluteKind::System, e.system) << i;
            EXPECT_EQ(s.concentration, e.concentration) << i;
            if (e.system) {
                EXPECT_EQ(s.system.pKa, e.pKa) << i;
                EXPECT_EQ(s.system.protonatedCharge, e.charge) << i;
            } else {
                EXPECT_EQ(s.ion, e.ion) << i;
            }
        }
    }
}

TEST(SolutionItems, MalformedItemsAreRefusedWithTheirPosition) {
    std::string many;
    for (int i = 0; i < 17; ++i) many += "Na+=0.1;";
    const struct {
        std::string text;
        ItemProblem problem;
        int position;
    } cases[] = {
        {"", ItemProblem::NoItem, 0},
        {"  ;", ItemProblem::NoItem, 0},
        {std::string(5000, 'x'), ItemProblem::TooLong, 0},
        {many, ItemProblem::TooManyItems, 17},
        {"Na+=0.1;;Cl-=0.1", ItemProblem::Empty, 2},
        {"Na+", ItemProblem::NoConcentration, 1},
        {"Na+=abc", ItemProblem::BadConcentration, 1},
        {"Na+=", ItemProblem::BadConcentration, 1},
        {"Na+=20", ItemProblem::BadConcentration, 1},
        {"Na+=0", ItemProblem::BadConcentration, 1},
        {"Na+=0.1;xyz=0.1", ItemProblem::UnknownName, 2},
        {"Na++=0.1", ItemProblem::UnknownName, 1},
        {"=0.1", ItemProblem::UnknownName, 1},
        {"acid()=0.1", ItemProblem::BadPKa, 1},
        {"acid(1,2,3,4,5,6,7)=0.1", ItemProblem::BadPKa, 1},
        {"acid(2.1.5)=0.1", ItemProblem::BadPKa, 1},
        {"base(99)=0.1", ItemProblem::BadPKa, 1},
        {"acid(4.76,)=0.1", ItemProblem::BadPKa, 1},
        {"acid(x)=0.1", ItemProblem::BadPKa, 1},
        {"acidic(4.76)=0.1", ItemProblem::UnknownName, 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text.substr(0, 40));
        const ParsedItems parsed = parseSolutionItems(k.text);
        ASSERT_TRUE(parsed.error.has_value());
        EXPECT_EQ(parsed.error->problem, k.problem);
        EXPECT_EQ(parsed.error->position, k.position);
        EXPECT_TRUE(parsed.solution.solutes.empty());
    }
}

TEST(SolutionItems, TheRefusalNamesTheItemInEitherLanguage) {
    const ParsedItems parsed = parseSolutionItems("Na+=0.1; xyz=0,1");
    ASSERT_TRUE(parsed.error.has_value());
    const struct {
        Language language;
        std::string start;
    } cases[] = {
        {Language::French, "Élément 2 « xyz=0,1 » : nom inconnu"},
        {Language::English, "Item 2 “xyz=0,1”: unknown name"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(texts::itemErrorMessage(*parsed.error, k.language).rfind(k.start, 0), 0u)
            << texts::itemErrorMessage(*parsed.error, k.language);
}

} // namespace
