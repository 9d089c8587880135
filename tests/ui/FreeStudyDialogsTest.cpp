// The fit and family dialogs on the free study: the rows' concentrations and pKa values as
// their choices, the fit named by the rows.
#include "core/base/Notifier.h"
#include "core/session/InputPanel.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "ui/windows/FamilyDialog.h"
#include "ui/windows/FitDialog.h"

#include <QCheckBox>
#include <QComboBox>

#include <gtest/gtest.h>

using namespace titralab;

namespace {

// HCl 0.1 mol/L and phosphoric acid 0.05 mol/L by soda, with points measured on HCl at
// 0.08 mol/L pasted (volumes in mL).
struct FreeStudyWithPoints {
    Simulation sim;
    PanelView view;
    RecordingNotifier notes;
    FreeStudyWithPoints() {
        startPanel(view, sim);
        chooseBurette(view, sim, 0);
        chooseStudy(view, sim, static_cast<int>(Study::FreeSolutions));
        sim.freeStudy.inputs.beaker = {{"HCl", "0,1", {}, {}}, {"H3PO4", "0,05", {}, {}}};
        sim.freeStudy.inputs.burette = {{"NaOH", "0,1", {}, {}}};
        RefreshSimulation(sim, notes);
        FreeTitration truth = *sim.freeStudy.result.titration;
        truth.beaker.solutes[0].concentration = 0.08;
        std::string text;
        for (int i = 0; i <= 30; ++i)
            text +=
                std::to_string(i) + "\t" + std::to_string(freeTitrationPH(truth, i * 1e-3)) + "\n";
        PastePairs(sim, true, text);
        RefreshSimulation(sim, notes);
    }
};

} // namespace

TEST(FreeStudyDialogs, OfferEveryRowsValueAndFitTheTickedOnes) {
    FreeStudyWithPoints study;
    FitDialog fit(study.sim);
    fit.prepare();
    // c of each row, the three pKa of phosphoric acid; the beaker's first c ticked.
    const struct {
        FreeRowValue value;
        bool ticked;
    } boxes[] = {{{false, 0, 0}, true},  {{false, 1, 0}, false}, {{false, 1, 1}, false},
                 {{false, 1, 2}, false}, {{false, 1, 3}, false}, {{true, 0, 0}, false}};
    for (const auto& b : boxes) {
        QCheckBox* box = fit.freeRowBox(b.value);
        ASSERT_NE(box, nullptr) << freeRowValueName(b.value);
        EXPECT_EQ(box->isChecked(), b.ticked) << freeRowValueName(b.value);
    }
    EXPECT_EQ(fit.freeRowBox({false, 0, 1}), nullptr); // HCl has no pKa
    ASSERT_TRUE(fit.result().ok) << fit.result().refusal;
    EXPECT_EQ(fit.cellText(0, 0), QString::fromUtf8("Bécher 1 (HCl) : c (mol/L)"));
    EXPECT_NEAR(fit.freeResult().values[0].value, 0.08, 1e-4);

    FamilyDialog family(Language::French, study.notes);
    family.prepare(study.sim);
    auto* choice = family.findChild<QComboBox*>("familyQuantityChoice");
    ASSERT_NE(choice, nullptr);
    ASSERT_EQ(choice->count(), 7); // the rows' values, then the temperature
    EXPECT_EQ(choice->itemText(3), QString::fromUtf8("Bécher 2 (H3PO4) : pKa2"));
    choice->setCurrentIndex(3);
    const FamilyQuantity quantity = family.quantity();
    ASSERT_TRUE(quantity.freeRow.has_value());
    EXPECT_TRUE(*quantity.freeRow == (FreeRowValue{false, 1, 2}));
}
