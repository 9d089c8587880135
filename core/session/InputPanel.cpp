#include "core/session/InputPanel.h"

#include "core/numbers/NumberInput.h"
#include "core/session/Overlays.h"
#include "core/texts/Messages.h"
#include "core/texts/WindowTexts.h"

namespace titralab {

namespace {

int sideIndex(BuretteSide side) {
    return side == BuretteSide::AcidSide ? 0 : 1;
}

bool isSingleAcidStudy(Study study) {
    return study == Study::TitrationVsVolume || study == Study::SpeciesVsPH ||
           study == Study::Dilution;
}

void updatePKaLabels(PanelFields& panel) {
    panel.pKa2LabelVisible = panel.shown(Field::PKa2) || panel.shown(Field::PKa2_2);
    panel.pKa3LabelVisible = panel.shown(Field::PKa3) || panel.shown(Field::PKa2_3);
}

// The captions that name the side's substances: side index `s` (0 acid, 1 base).
void labelSide(PanelView& view, int s, Language language) {
    view.buretteConcLabel = texts::kBuretteConcLabel[s].in(language);
    view.beakerConcLabel = texts::kBeakerConcLabel[s].in(language);
    view.beakerVolumeLabel = texts::kBeakerVolumeLabel[s].in(language);
    view.column1Title = texts::kColumn1Title[s].in(language);
    view.column2Title = texts::kColumn2Title[s].in(language);
    view.browserTitle = texts::kBrowserTitle[s].in(language);
    view.entryTitle = texts::kEntryTitle[s].in(language);
    view.target.caption = texts::kTargetCaption[s].in(language);
}

void layOut(PanelView& view, Simulation& sim) {
    const Study study = sim.panel.study;
    if (!view.laidOut) {
        view.laidOut = true;
        view.browserVisible = true;
        view.browserTitleVisible = true;
        view.commandsVisible = true;
        view.marker1Visible = true;
        chooseTarget(view, sim, 0);
        // Column 1 still holds the acid entry the window started with; the base side reads
        // its fields as the pKa of couples, so it takes the side's current entry.
        if (sim.panel.side == BuretteSide::BaseSide)
            RefreshSelection(sim.browser, sim.panel, sim.state);
    }
    // The hydronium curve starts ticked wherever the graph window offers it.
    sim.graph.checked[kHydroniumBox - 1] = study != Study::SpeciesVsPH;

    if (isSingleAcidStudy(study)) {
        view.unitColumn = 1;
        chooseTarget(view, sim, 0);
        view.target.visible = false;
        for (Field field :
             {Field::Concentration2, Field::Volume2, Field::PKa2_1, Field::PKa2_2, Field::PKa2_3})
            sim.panel.show(field, false);
        view.column2TitleVisible = false;
        view.marker2Visible = false;
    } else if (study == Study::TwoMonoTitration || study == Study::TwoPolyMixture) {
        view.unitColumn = 2;
        for (Field field : {Field::Concentration2, Field::Volume2, Field::PKa2_1})
            sim.panel.show(field, true);
        view.column2TitleVisible = true;
        view.target.visible = true;
    }
    if (study == Study::TwoMonoTitration) {
        // Each acid of this study is monoprotic.
        for (Field field : {Field::PKa2, Field::PKa3, Field::PKa2_2, Field::PKa2_3})
            sim.panel.show(field, false);
    }
    // The pKa2 and pKa3 labels follow the fields they name, so that none is left standing
    // beside an empty row.
    updatePKaLabels(sim.panel);
}

void changeStudy(PanelView& view, Simulation& sim) {
    const Study study = static_cast<Study>(view.studies.selected);
    sim.panel.study = study;
    sim.state.study = study;
    const Language language = sim.language;
    view.showCaption = texts::kShowCaption.in(language);
    view.copyCaption = texts::kCopyCaption.in(language);

    sim.browser.twoMonoacid = study == Study::TwoMonoTitration;
    if (sim.browser.twoMonoacid) {
        // Leave a monoprotic entry in the target column.
        SeekMonoprotic(sim.browser, sim.panel.side);
        StepBack(sim.browser, sim.panel, sim.state);
        StepForward(sim.browser, sim.panel, sim.state);
    }
    layOut(view, sim);
    if (study == Study::TwoPolyMixture) {
        view.showCaption = texts::kShowResultsCaption.in(language);
        view.copyCaption = texts::kCopyResultsCaption.in(language);
        RefreshSelection(sim.browser, sim.panel, sim.state);
    }
}

void changeSide(PanelView& view, Simulation& sim) {
    const BuretteSide side =
        view.burette.selected == 0 ? BuretteSide::AcidSide : BuretteSide::BaseSide;
    const int s = sideIndex(side);
    view.sideLabelsVisible = true;
    view.column1TitleVisible = true;
    view.iconSide = side;
    view.studies.visible = true;
    sim.panel.side = side;
    sim.state.side = side;
    view.baseKind.visible = side == BuretteSide::AcidSide;

    const int remembered = view.studies.selected;
    const Language language = sim.language;
    labelSide(view, s, language);
    // Refilling a choice leaves it without selection and is no click: the markers stay as
    // they are, and the browser fills column 2 until an item is selected again.
    view.target.items = {view.column1Title, view.column2Title};
    view.target.selected = -1;
    sim.browser.targetColumn1 = false;
    view.studies.items.clear();
    for (int k = 0; k <= static_cast<int>(Study::FreeSolutions); ++k)
        view.studies.items.push_back(texts::studyName(side, Study(k), language));
    view.studies.selected = -1;

    if (remembered >= 0) chooseStudy(view, sim, remembered);
    RefreshSelection(sim.browser, sim.panel, sim.state);
}

bool takeItem(Choice& choice, int item) {
    if (item < 0 || item >= static_cast<int>(choice.items.size()) || item == choice.selected)
        return false;
    choice.selected = item;
    return true;
}

} // namespace

void retranslatePanel(PanelView& view, const Simulation& sim) {
    const Language language = sim.language;
    const PanelView design = PanelView::atDesign(language);
    view.burette.caption = design.burette.caption;
    view.burette.items = design.burette.items;
    view.studies.caption = design.studies.caption;
    view.baseKind.caption = design.baseKind.caption;
    view.baseKind.items = design.baseKind.items;
    const bool sideChosen = view.burette.selected >= 0;
    const BuretteSide side = sim.panel.side;
    const int s = sideChosen ? sideIndex(side) : 0;
    labelSide(view, s, language);
    view.target.items = {view.column1Title, view.column2Title};
    if (sideChosen) {
        view.studies.items.clear();
        for (int k = 0; k <= static_cast<int>(Study::FreeSolutions); ++k)
            view.studies.items.push_back(texts::studyName(side, Study(k), language));
    }
    if (view.studies.selected < 0) {
        view.showCaption = design.showCaption;
        view.copyCaption = design.copyCaption;
    } else if (sim.panel.study == Study::TwoPolyMixture) {
        view.showCaption = texts::kShowResultsCaption.in(language);
        view.copyCaption = texts::kCopyResultsCaption.in(language);
    } else {
        view.showCaption = texts::kShowCaption.in(language);
        view.copyCaption = texts::kCopyCaption.in(language);
    }
}

void startPanel(PanelView& view, Simulation& sim) {
    view = PanelView::atDesign(sim.language);
    sim.panel.side = BuretteSide::AcidSide;
    sim.panel.study = Study::None;
    sim.browser.targetColumn1 = true;
    sim.browser.currentAcidEntry = 1;
    LoadEntry(sim.browser, 1, sim.panel, sim.state);
}

void chooseBurette(PanelView& view, Simulation& sim, int item) {
    if (!takeItem(view.burette, item)) return;
    changeSide(view, sim);
    markStudyChanged(sim);
}

void chooseStudy(PanelView& view, Simulation& sim, int index) {
    if (!takeItem(view.studies, index)) return;
    changeStudy(view, sim);
    markStudyChanged(sim);
}

void chooseTarget(PanelView& view, Simulation& sim, int item) {
    if (!takeItem(view.target, item)) return;
    sim.browser.targetColumn1 = item == 0;
    view.marker1Visible = item == 0;
    view.marker2Visible = item != 0;
    markStudyChanged(sim);
}

void chooseBaseKind(PanelView& view, Simulation& sim, int item) {
    if (!takeItem(view.baseKind, item)) return;
    sim.panel.baseKind = item == 0 ? BaseKind::Soda : BaseKind::Potash;
    sim.state.baseKind = sim.panel.baseKind;
    markStudyChanged(sim);
}

std::optional<std::string> fieldRefusal(int field, const std::string& text, Language language) {
    const auto [low, high] = fieldBounds(field);
    if (ParseBoundedNumber(text, low, high).ok) return std::nullopt;
    if (field == 1 || field == 2 || field == 12) return texts::concentrationRangeMessage(language);
    if (field == 3 || field == 13) return texts::volumeRangeMessage(language);
    return texts::numberRangeMessage(language);
}

} // namespace titralab
