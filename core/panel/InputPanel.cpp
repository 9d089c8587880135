#include "core/panel/InputPanel.h"

#include "core/texts/WindowTexts.h"

namespace titralab {

PanelView PanelView::atDesign(Language language) {
    auto in = [language](const Text& text) { return std::string(text.in(language)); };
    PanelView v;
    v.burette = {
        in(texts::kBuretteCaption), {in(texts::kStrongBase), in(texts::kStrongAcid)}, -1, true};
    v.studies = {in(texts::kStudyCaption), {}, -1, false};
    v.baseKind = {in(texts::kBaseKindCaption), {in(texts::kSoda), in(texts::kPotash)}, 0, false};
    v.target = {in(texts::kTargetCaption[0]),
                {in(texts::kColumn1Title[0]), in(texts::kColumn2Title[0])},
                0,
                true};
    v.buretteConcLabel = in(texts::kBuretteConcLabel[0]);
    v.beakerConcLabel = in(texts::kBeakerConcLabel[0]);
    v.beakerVolumeLabel = in(texts::kBeakerVolumeLabel[0]);
    v.column1Title = in(texts::kColumn1Title[0]);
    v.column2Title = in(texts::kColumn2Title[0]);
    v.browserTitle = in(texts::kBrowserTitle[0]);
    v.entryTitle = in(texts::kEntryTitle[0]);
    v.showCaption = in(texts::kShowCaptionAtStart);
    v.copyCaption = in(texts::kCopyCaptionAtStart);
    return v;
}

} // namespace titralab
