// A study captured from the simulation and the input panel, and applied back to them.
#include "core/session/StudyFile.h"

#include "core/chemistry/Database.h"
#include "core/session/InputPanel.h"
#include "core/session/PastedPoints.h"
#include "core/session/StudyNames.h"

#include <algorithm>

namespace titralab {

using namespace studyfile;

namespace {

std::string cut(const std::string& text) {
    return text.size() <= kMaxStudyTextLength ? text : text.substr(0, kMaxStudyTextLength);
}

// The fields the panel shows for the study and the entries loaded in its two columns: the
// second column in the two-acid studies, the pKa2 and pKa3 rows for the acidities an entry has
// (none in the two-monoacid study, whose acids are monoprotic).
void showFieldsFor(const StudyRecord& r, PanelFields& panel) {
    const BuretteSide side = r.sideChoice == 1 ? BuretteSide::BaseSide : BuretteSide::AcidSide;
    const int acidities1 = entryOf(side, r.row1).acidities;
    const int acidities2 = entryOf(side, r.row2).acidities;
    const bool twoAcids = r.study == Study::TwoMonoTitration || r.study == Study::TwoPolyMixture;
    const bool monoprotic = r.study == Study::TwoMonoTitration;
    panel.visible = {};
    for (Field f : {Field::BuretteConcentration, Field::Concentration1, Field::Volume1, Field::PKa1,
                    Field::LineWidth})
        panel.show(f, true);
    panel.show(Field::PKa2, !monoprotic && acidities1 >= 2);
    panel.show(Field::PKa3, !monoprotic && acidities1 >= 3);
    for (Field f : {Field::Concentration2, Field::Volume2, Field::PKa2_1}) panel.show(f, twoAcids);
    panel.show(Field::PKa2_2, twoAcids && !monoprotic && acidities2 >= 2);
    panel.show(Field::PKa2_3, twoAcids && !monoprotic && acidities2 >= 3);
}

} // namespace

StudyRecord captureStudy(const Simulation& sim, const PanelView& view, const PrintSettings& print) {
    StudyRecord r;
    r.sideChoice = view.burette.selected;
    r.study = r.sideChoice < 0 ? Study::None : sim.panel.study;
    r.baseKind = sim.panel.baseKind;
    for (Field f : kFields) r.fields[slot(f)] = cut(sim.panel.at(f));
    r.entryName = cut(sim.panel.entryName);
    r.currentAcidEntry = std::clamp(sim.browser.currentAcidEntry, 1, kAcidCount);
    r.currentBaseEntry = std::clamp(sim.browser.currentBaseEntry, 1, kBaseCount);
    r.row1 = std::clamp(sim.state.row1, 1, kAcidCount);
    r.row2 = std::clamp(sim.state.row2, 1, kAcidCount);
    r.target = view.target.selected < 0 ? 0 : view.target.selected + 1;
    r.ticked = sim.graph.checked;
    r.pointCount = cut(sim.panel.pointCount);
    const std::size_t lines = std::min(sim.pasted.lines.size(), kMaxStudyPastedLines);
    for (std::size_t k = 0; k < lines; ++k) r.pastedLines.push_back(cut(sim.pasted.lines[k]));
    r.pasteOrder = sim.pasted.volumeFirst;
    if (!sim.pasted.lines.empty()) r.pastedInMillilitres = sim.pasted.inMillilitres;
    r.pointStyle = sim.pasted.pointStyle;
    const std::size_t measured =
        std::min(sim.pasted.conductivity.size(), sheets::kMaxMeasurementRows);
    for (std::size_t k = 0; k < measured; ++k)
        r.measuredConductivity.emplace_back(sim.pasted.conductivity[k].volume,
                                            sim.pasted.conductivity[k].conductivity);
    r.print = print;
    for (std::string* s : {&r.print.lineWidth, &r.print.dashLengthMm, &r.print.charSize,
                           &r.print.approxGraduations, &r.print.comment1, &r.print.comment2})
        *s = cut(*s);
    r.copySampling = sim.exportSettings.copySampling;
    r.decimalComma = sim.exportSettings.decimalComma;
    r.exportDigits = std::clamp(sim.exportSettings.digits, 5, 17);
    r.reading = sim.reading.options;
    r.bufferCapacity = sim.exportSettings.diagrams.bufferCapacity;
    r.conditions = sim.conditions;
    for (const OverlayCurve& curve : sim.overlays.curves)
        if (!curve.family && r.frozen.size() < static_cast<std::size_t>(kMaxFrozenCurves)) {
            OverlayCurve kept = curve;
            kept.label.clear(); // named again against the values of the day
            kept.inputs.entryName = cut(kept.inputs.entryName);
            for (auto& [number, points] : kept.series)
                if (points.size() > kMaxStudyCurvePoints) points.resize(kMaxStudyCurvePoints);
            r.frozen.push_back(std::move(kept));
        }
    r.sections = sim.keptSections;
    // The family is written as it stands now, never as it was read.
    r.sections.erase(kFamilySection);
    if (sim.overlays.family && !sim.overlays.family->members.empty())
        r.sections[kFamilySection] = familySectionText(*sim.overlays.family);
    // The free study's rows, with what they resolved to; another study keeps the section read.
    if (r.study == Study::FreeSolutions)
        r.sections[kSolutionSection] = solutionSectionText(sim.freeStudy.inputs);
    return r;
}

void applyStudy(const StudyRecord& r, Simulation& sim, PanelView& view) {
    // Replays the choices on a fresh panel so that every caption and visible part follows the
    // side and the study, then puts back what the user typed and loaded.
    sim.panel = PanelFields::atDesign();
    sim.browser = DatabaseBrowser{};
    sim.browser.language = sim.language;
    sim.state.row1 = 1;
    sim.state.row2 = 1;
    startPanel(view, sim);
    if (r.sideChoice >= 0) chooseBurette(view, sim, r.sideChoice);
    chooseBaseKind(view, sim, static_cast<int>(r.baseKind));
    sim.panel.baseKind = r.baseKind;
    sim.state.baseKind = r.baseKind;
    if (r.sideChoice >= 0 && r.study != Study::None)
        chooseStudy(view, sim, static_cast<int>(r.study));

    for (Field f : kFields) sim.panel.at(f) = r.fields[slot(f)];
    showFieldsFor(r, sim.panel);
    sim.panel.pKa2LabelVisible = sim.panel.shown(Field::PKa2) || sim.panel.shown(Field::PKa2_2);
    sim.panel.pKa3LabelVisible = sim.panel.shown(Field::PKa3) || sim.panel.shown(Field::PKa2_3);
    sim.panel.entryName = r.entryName;
    sim.browser.currentAcidEntry = r.currentAcidEntry;
    sim.browser.currentBaseEntry = r.currentBaseEntry;
    sim.state.row1 = r.row1;
    sim.state.row2 = r.row2;
    // The name of the shown entry, saved in either language, reads in the program's.
    const AcidBaseEntry& shown = entryOf(sim.panel.side, sim.browser.current(sim.panel.side));
    for (Language l : {Language::French, Language::English})
        if (r.entryName == shown.name(l)) sim.panel.entryName = shown.name(sim.language);
    if (r.target > 0) {
        view.target.selected = r.target - 1;
        sim.browser.targetColumn1 = r.target == 1;
        view.marker1Visible = view.laidOut && r.target == 1;
        view.marker2Visible = view.laidOut && r.target == 2;
    } else {
        view.target.selected = -1;
        sim.browser.targetColumn1 = false;
    }

    sim.graph.checked = r.ticked;
    sim.panel.pointCount = r.pointCount;
    sim.pasted.lines = r.pastedLines;
    sim.pasted.volumeFirst = r.pasteOrder;
    if (r.pastedInMillilitres)
        sim.pasted.inMillilitres = *r.pastedInMillilitres;
    else
        choosePastedUnit(sim);
    sim.pasted.points.clear();
    sim.pasted.conductivity.clear();
    for (const auto& [v, sigma] : r.measuredConductivity)
        sim.pasted.conductivity.push_back({v, sigma});
    sim.pasted.pointStyle = r.pointStyle;
    sim.exportSettings.copySampling = r.copySampling;
    sim.exportSettings.decimalComma = r.decimalComma;
    sim.exportSettings.digits = r.exportDigits;
    sim.conditions = r.conditions;
    sim.results.curves.clear();
    sim.results.exportText.clear();
    sim.results.mixture.reset();
    // Nothing of the study left on screen stays: its frozen curves and families, its readings.
    sim.reading = ChartReading{};
    sim.reading.options = r.reading;
    sim.exportSettings.diagrams.bufferCapacity = r.bufferCapacity;
    sim.overlays = Overlays{};
    sim.overlays.curves = r.frozen;
    sim.keptSections = r.sections;
    // The family of the study, drawn again by the next regeneration.
    const auto family = r.sections.find(kFamilySection);
    if (family != r.sections.end()) sim.overlays.family = readFamilySection(family->second);
    // The free study's rows (the reader has checked the section).
    sim.freeStudy.inputs = FreeStudyInputs::atDesign(sim.language);
    sim.freeStudy.result = FreeStudyResult{};
    const auto solution = r.sections.find(kSolutionSection);
    if (solution != r.sections.end())
        if (auto read = readSolutionSection(solution->second, sim.language).inputs)
            sim.freeStudy.inputs = std::move(*read);
}

} // namespace titralab
