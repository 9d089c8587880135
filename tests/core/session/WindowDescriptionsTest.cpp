// Accessible names of the controls, by side and study, and the spoken summary of the chart.
#include "../session/SimulationFixtures.h"
#include "core/session/WindowDescriptions.h"
#include "SimulationFixtures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace titralab;
using titralab::testing::refresh;
using titralab::testing::simulationFor;

namespace {

constexpr BuretteSide kAcid = BuretteSide::AcidSide;
constexpr BuretteSide kBase = BuretteSide::BaseSide;

using a11y::Control;

std::string absent(Control control, int item) {
    return "<absent: " + std::string(a11y::controlName(control)) + " " + std::to_string(item) + ">";
}

std::string nameOf(const a11y::ControlTexts& texts, Control control, int item = -1) {
    const a11y::ControlText* t = a11y::find(texts, control, item);
    return t ? t->name : absent(control, item);
}

std::string descriptionOf(const a11y::ControlTexts& texts, Control control, int item = -1) {
    const a11y::ControlText* t = a11y::find(texts, control, item);
    return t ? t->description : absent(control, item);
}

struct NameCase {
    const char* label;
    BuretteSide side;
    Study study;
    Control control;
    int item; // -1 for the control itself
    const char* name;
};

TEST(MainWindowNames, FollowTheSideAndTheStudy) {
    const NameCase cases[] = {
        {"burette, acid side", kAcid, Study::TitrationVsVolume, Control::BuretteConcentrationField,
         -1, "Concentration de la monobase forte dans la burette, en mol/L"},
        {"burette, base side", kBase, Study::TitrationVsVolume, Control::BuretteConcentrationField,
         -1, "Concentration du monoacide fort dans la burette, en mol/L"},
        {"column 1 concentration, acid", kAcid, Study::TitrationVsVolume,
         Control::Concentration1Field, -1, "Concentration de l'acide 1, en mol/L"},
        {"column 1 concentration, base", kBase, Study::TitrationVsVolume,
         Control::Concentration1Field, -1, "Concentration de la base 1, en mol/L"},
        {"column 1 volume, base", kBase, Study::Dilution, Control::Volume1Field, -1,
         "Volume initial de la base 1, en L"},
        {"column 1 pKa3, acid", kAcid, Study::SpeciesVsPH, Control::PKa3Field, -1,
         "pKa3 de l'acide 1"},
        {"column 2 concentration, acid", kAcid, Study::TwoMonoTitration,
         Control::Concentration2Field, -1, "Concentration de l'acide 2, en mol/L"},
        {"column 2 volume, base", kBase, Study::TwoPolyMixture, Control::Volume2Field, -1,
         "Volume initial de la base 2, en L"},
        {"column 2 pKa1, acid", kAcid, Study::TwoMonoTitration, Control::Column2PKa1Field, -1,
         "pKa1 de l'acide 2"},
        {"column 2 pKa1, base", kBase, Study::TwoMonoTitration, Control::Column2PKa1Field, -1,
         "pKa1 du couple de la base 2"},
        {"column 2 pKa3, base", kBase, Study::TwoPolyMixture, Control::Column2PKa3Field, -1,
         "pKa3 du couple de la base 2"},
        {"study item, acid", kAcid, Study::None, Control::StudyChoice, 4,
         "Étude : Dilution d'un acide"},
        {"study item, base", kBase, Study::Dilution, Control::StudyChoice, 2,
         "Étude : Monoacide fort sur 2 monobases, f (v)"},
        {"database target, base", kBase, Study::TwoMonoTitration, Control::DatabaseColumnChoice, 1,
         "La base de données concerne la base 2"},
        {"next entry, acid", kAcid, Study::TitrationVsVolume, Control::NextEntryButton, -1,
         "Acide suivant de la base de données"},
        {"previous entry, base", kBase, Study::TitrationVsVolume, Control::PreviousEntryButton, -1,
         "Base précédente de la base de données"},
        {"entry name, base", kBase, Study::TitrationVsVolume, Control::EntryNameField, -1,
         "Nom de la base choisie dans la base de données"},
        {"show command", kAcid, Study::TitrationVsVolume, Control::ShowButton, -1,
         "Voir la simulation"},
        {"show command, mixture", kBase, Study::TwoPolyMixture, Control::ShowButton, -1,
         "Afficher les résultats"},
        {"copy command", kBase, Study::Dilution, Control::CopyButton, -1, "Copier la simulation"},
        {"copy command, mixture", kAcid, Study::TwoPolyMixture, Control::CopyButton, -1,
         "Copier les résultats"},
        {"burette items do not change", kBase, Study::None, Control::SideChoice, 0,
         "Monobase forte dans la burette"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(
            nameOf(a11y::mainWindowTexts(c.side, c.study, Language::French), c.control, c.item),
            c.name)
            << c.label;
}

// The hints become descriptions, as the status bar shows them (without the "|").
TEST(MainWindowNames, HintsBecomeDescriptions) {
    for (BuretteSide side : {kAcid, kBase}) {
        const a11y::ControlTexts t =
            a11y::mainWindowTexts(side, Study::TwoMonoTitration, Language::French);
        EXPECT_EQ(descriptionOf(t, Control::Concentration1Field),
                  side == kAcid
                      ? "Concentration de l'acide (mono, di ou tri) dans le bécher, en mol/L"
                      : "Concentration de la base (mono, di ou tri) dans le bécher, en mol/L");
        EXPECT_EQ(descriptionOf(t, Control::Volume2Field),
                  side == kAcid ? "Volume initial du deuxième acide, en L"
                                : "Volume initial de la deuxième base, en L");
        EXPECT_EQ(descriptionOf(t, Control::Column2PKa2Field),
                  side == kAcid ? "pKa2 du deuxième acide dans le bécher"
                                : "pKa2 du couple de la deuxième base dans le bécher");
        EXPECT_EQ(descriptionOf(t, Control::ShowButton),
                  "Trace les courbes à l'écran (F11 ou Entrée)");
    }
}

// Whatever the window, side and study: one entry per control, every name said in full (no
// mnemonic mark, not a control's object name) and no two controls of a window named alike.
TEST(AllWindowNames, AreCompleteAndDistinct) {
    struct Window {
        std::string label;
        a11y::ControlTexts texts;
    };
    std::vector<Window> windows;
    for (BuretteSide side : {kAcid, kBase}) {
        const std::string s = side == kAcid ? " acid" : " base";
        for (Study study : {Study::None, Study::TitrationVsVolume, Study::SpeciesVsPH,
                            Study::TwoMonoTitration, Study::TwoPolyMixture, Study::Dilution}) {
            const std::string st = std::to_string(static_cast<int>(study));
            windows.push_back(
                {"main" + s + st, a11y::mainWindowTexts(side, study, Language::French)});
            windows.push_back({"copy" + s + st, a11y::copyDialogTexts(study, Language::French)});
            if (study == Study::None || study == Study::TwoPolyMixture) continue;
            // Two identical acids, so that equal species captions must still give two names.
            Simulation sim = simulationFor(study, 17, side, 17);
            refresh(sim);
            windows.push_back({"graph" + s + st, a11y::graphWindowTexts(sim)});
        }
        windows.push_back({"mixture" + s, a11y::mixtureWindowTexts(side, Language::French)});
    }
    windows.push_back({"print", a11y::printDialogTexts(Language::French)});
    windows.push_back({"chooser", a11y::pointChooserTexts(Language::French)});
    windows.push_back({"about", a11y::aboutBoxTexts(Language::French)});
    windows.push_back({"reader", a11y::readerTexts(Language::French)});

    for (const Window& w : windows) {
        std::set<std::string> controls, names;
        for (const a11y::ControlText& t : w.texts) {
            const std::string control = a11y::objectName(t);
            EXPECT_TRUE(controls.insert(control).second) << w.label << ": twice " << control;
            EXPECT_TRUE(names.insert(t.name).second) << w.label << ": two controls " << t.name;
            EXPECT_FALSE(t.name.empty()) << w.label << " " << control;
            EXPECT_EQ(t.name.find('&'), std::string::npos) << w.label << " " << t.name;
            EXPECT_NE(t.name, control) << w.label;
            EXPECT_EQ(t.description.find('|'), std::string::npos) << w.label << " " << control;
        }
    }
}

TEST(GraphWindowNames, SpeciesBoxesAreNamedAfterTheirSpeciesAndAcid) {
    Simulation titration = simulationFor(Study::TitrationVsVolume, 17);
    refresh(titration);
    const a11y::ControlTexts t = a11y::graphWindowTexts(titration);
    EXPECT_EQ(nameOf(t, Control::Species1Box), "Courbe de l'espèce acide éthanoïque");
    EXPECT_EQ(nameOf(t, Control::Species2Box), "Courbe de l'espèce ion éthanoate");
    // A monoacid has no third species: the hidden box still has a name.
    EXPECT_EQ(nameOf(t, Control::Species3Box), "Courbe de l'espèce 3");

    // Acetic acid (17) and nitric acid (5) titrated together.
    Simulation two = simulationFor(Study::TwoMonoTitration, 17, kAcid, 5);
    refresh(two);
    const a11y::ControlTexts m = a11y::graphWindowTexts(two);
    EXPECT_EQ(nameOf(m, Control::Species1Box), "Courbe de l'espèce acide éthanoïque de l'acide 1");
    EXPECT_EQ(nameOf(m, Control::Column2Species2Box),
              "Courbe de l'espèce ion nitrate de l'acide 2");
    EXPECT_EQ(nameOf(m, Control::Chart), "Graphique des courbes");
    // The summary, then the hint.
    EXPECT_EQ(descriptionOf(m, Control::Chart),
              a11y::chartDescription(two) +
                  " Pour zoomer, sélectionner une zone de gauche à droite. Pour revenir à la "
                  "pleine échelle, sélectionnez de droite à gauche");
}

TEST(MixtureWindowNames, FollowTheSide) {
    const a11y::ControlTexts acid = a11y::mixtureWindowTexts(kAcid, Language::French);
    const a11y::ControlTexts base = a11y::mixtureWindowTexts(kBase, Language::French);
    EXPECT_EQ(nameOf(acid, Control::Polyacid2PKa1Field), "pKa 1 du polyacide 2");
    EXPECT_EQ(nameOf(base, Control::Polyacid2PKa1Field), "pKa 1 du couple de la polybase 2");
    EXPECT_EQ(nameOf(acid, Control::Polyacid1VolumeField), "Volume initial du polyacide 1, en mL");
    EXPECT_EQ(nameOf(acid, Control::MixtureSpecies1Field),
              "Concentration de H3A dans le mélange, en mol/L");
    EXPECT_EQ(nameOf(base, Control::MixtureSpecies1Field),
              "Concentration de B dans le mélange, en mol/L");
    EXPECT_EQ(nameOf(base, Control::MixtureSpecies8Field),
              "Concentration de B'H3(3+) dans le mélange, en mol/L");
    EXPECT_EQ(nameOf(base, Control::MixturePHField), "pH du mélange");
}

TEST(CopyDialogNames, OneItemPerSampling) {
    const a11y::ControlTexts titration =
        a11y::copyDialogTexts(Study::TwoMonoTitration, Language::French);
    EXPECT_EQ(nameOf(titration, Control::SamplingChoice, 0), "Variation régulière : pH");
    EXPECT_EQ(nameOf(titration, Control::SamplingChoice, 1),
              "Variation régulière : v, volume de monobase forte versé");
    EXPECT_EQ(a11y::find(a11y::copyDialogTexts(Study::SpeciesVsPH, Language::French),
                         Control::SamplingChoice, 1),
              nullptr);
    EXPECT_EQ(a11y::find(a11y::copyDialogTexts(Study::TwoPolyMixture, Language::French),
                         Control::SamplingChoice, 0),
              nullptr);
}

struct DescriptionCase {
    const char* label;
    Study study;
    BuretteSide side;
    int entry1;
    int entry2;
    std::vector<std::string> parts; // in this order
};

// The ranges are those of the chemistry: 0.1 mol/L acetic acid (pKa 4.7) starts at pH 2.853;
// 40 mL of 0.1 mol/L soda on 20 mL leaves 0.002 mol of OH- in 60 mL, pH 12.52.
TEST(ChartDescription, SaysTheStudyTheRangesAndTheCurves) {
    const DescriptionCase cases[] = {
        {"acid titration",
         Study::TitrationVsVolume,
         kAcid,
         17,
         17,
         {"Monobase forte sur polyacide, f (v). ",
          "En abscisse, v de monobase forte versé, en mL, de 0 à 40. ", "pH de 2.853 à 12.52. ",
          "Courbes tracées : pH, acide éthanoïque, ion éthanoate, H3O+. ", "courbe du pH"}},
        // 0.1 mol/L of strong acid in 60 mL after 40 mL: pH 1.477.
        {"base titration",
         Study::TitrationVsVolume,
         kBase,
         2,
         2,
         {"Monoacide fort sur polybase, f (v). ", "v de monoacide fort versé, en mL, de 0 à 40. ",
          "pH de 1.477 à "}},
        // No pH curve: the cursor follows the first species drawn.
        {"species",
         Study::SpeciesVsPH,
         kAcid,
         17,
         17,
         {"En abscisse, pH imposé, de 0 à 14. ", "Concentrations jusqu'à 0.1 mol/L. ",
          "Courbes tracées : acide éthanoïque, ion éthanoate. ",
          "courbe de l'espèce acide éthanoïque"}},
        // Acetic and nitric acids, 20 mL at 0.1 mol/L each: 1.5 times the 40 mL of soda that
        // neutralise both.
        {"two acids",
         Study::TwoMonoTitration,
         kAcid,
         17,
         5,
         {"Monobase forte sur 2 monoacides, f (v). ", "de 0 à 60. "}},
        {"dilution",
         Study::Dilution,
         kAcid,
         17,
         17,
         {"Dilution d'un acide. ", "En abscisse, - Log (concentration de l'acide), ",
          "Courbes tracées : pH, droites de repère. "}},
    };
    for (const DescriptionCase& c : cases) {
        Simulation sim = simulationFor(c.study, c.entry1, c.side, c.entry2);
        refresh(sim);
        const std::string text = a11y::chartDescription(sim);
        std::size_t at = 0;
        for (const std::string& part : c.parts) {
            const std::size_t found = text.find(part, at);
            EXPECT_NE(found, std::string::npos) << c.label << ": " << part << "\n in: " << text;
            if (found != std::string::npos) at = found + part.size();
        }
    }
}

TEST(ChartDescription, FollowsTheTicksAndSaysWhenNothingIsDrawn) {
    Simulation sim = simulationFor(Study::TitrationVsVolume, 17);
    sim.graph.checked[9] = false; // H3O+
    sim.graph.checked[7] = true;  // conductivity
    refresh(sim);
    EXPECT_NE(a11y::chartDescription(sim).find(
                  "Courbes tracées : pH, acide éthanoïque, ion éthanoate, conductivité. "),
              std::string::npos)
        << a11y::chartDescription(sim);

    Simulation mixture = simulationFor(Study::TwoPolyMixture, 17);
    refresh(mixture);
    EXPECT_EQ(a11y::chartDescription(mixture), "Aucune courbe n'est tracée.");
    EXPECT_EQ(a11y::chartDescription(Simulation{}), "Aucune courbe n'est tracée.");
}

} // namespace
