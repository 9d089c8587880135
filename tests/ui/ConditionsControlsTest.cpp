// The conditions in the main window: the panel's "Activités (Davies)" box and the Options
// menu's entry edit the same option and follow each other, the temperature field takes a
// number from 0 to 60 as every field takes its own (a message otherwise, the study left as it
// was), the panel names the solutes kept at their pKa of 25 °C, and only the studies that
// are computed in other conditions show them.
#include "MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QSlider>

using namespace titralab;
using titralab::testing::MainWindowFixture;

namespace {

TEST(ConditionsControls, BoxMenuAndTemperatureEditTheStudy) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    w.click("studyChoice", static_cast<int>(Study::TitrationVsVolume));
    w.settle();
    auto* box = w.find<QCheckBox>("activitiesBox");
    auto* action = w.find<QAction>("activitiesAction");
    auto* field = w.find<QLineEdit>("temperatureField");
    auto* slider = w.find<QSlider>("temperatureSlider");
    ASSERT_TRUE(box && action && field && slider);
    auto type = [&](const char* text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    };
    const struct {
        const char* label;
        std::function<void()> edit;
        ActivityModel activities;
        double temperature;   // °C
        bool changed;         // the study marked changed
        bool keptShown;       // the solutes kept at their pKa of 25 °C named
        std::size_t messages; // recorded so far
    } steps[] = {
        {"box ticked",
         [&] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); },
         ActivityModel::Davies, 25, true, false, 0},
        {"menu entry", [&] { action->trigger(); }, ActivityModel::None, 25, true, false, 0},
        {"menu entry again", [&] { action->trigger(); }, ActivityModel::Davies, 25, true, false, 0},
        {"35 typed, then Tab", [&] { type("35"); }, ActivityModel::Davies, 35, true, true, 0},
        // 7 on the way to 70 goes with it.
        {"70 typed, then Tab", [&] { type("70"); }, ActivityModel::Davies, 35, true, true, 1},
        {"12.5 typed with a point", [&] { type("12.5"); }, ActivityModel::Davies, 12.5, true, true,
         1},
        {"slider moved to 40", [&] { slider->setValue(40); }, ActivityModel::Davies, 40, true, true,
         1},
    };
    w.sim.changes.unsaved = false; // the choices of the side and study are edits too
    for (const auto& k : steps) {
        k.edit();
        w.settle();
        EXPECT_EQ(w.sim.conditions.activities, k.activities) << k.label;
        EXPECT_EQ(w.sim.conditions.temperature, k.temperature) << k.label;
        EXPECT_EQ(box->isChecked(), k.activities == ActivityModel::Davies) << k.label;
        EXPECT_EQ(action->isChecked(), k.activities == ActivityModel::Davies) << k.label;
        EXPECT_EQ(w.sim.changes.unsaved, k.changed) << k.label;
        EXPECT_EQ(w.shown("keptAt25Label"), k.keptShown) << k.label;
        EXPECT_EQ(w.messages.messages.size(), k.messages) << k.label;
    }
    ASSERT_EQ(w.messages.messages.size(), 1u);
    EXPECT_EQ(w.messages.messages[0], "Température (°C) : un nombre de 0 à 60 (°C)");
    EXPECT_NE(w.text("keptAt25Label").indexOf("acide"), -1)
        << w.text("keptAt25Label").toStdString();
}

TEST(ConditionsControls, ShownInTheStudiesComputedInOtherConditions) {
    MainWindowFixture w;
    w.click("sideChoice", 0);
    const struct {
        Study study;
        bool shown;
    } cases[] = {{Study::TitrationVsVolume, true}, {Study::SpeciesVsPH, false},
                 {Study::TwoMonoTitration, true},  {Study::TwoPolyMixture, false},
                 {Study::Dilution, true},          {Study::FreeSolutions, true}};
    for (const auto& k : cases) {
        w.click("studyChoice", static_cast<int>(k.study));
        w.settle();
        EXPECT_EQ(w.shown("conditionsPanel"), k.shown) << static_cast<int>(k.study);
        EXPECT_EQ(w.find<QAction>("activitiesAction")->isEnabled(), k.shown)
            << static_cast<int>(k.study);
    }
}

} // namespace
