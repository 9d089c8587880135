#include "cli/ExportStudy.h"

#include "core/chemistry/Database.h"
#include "core/chemistry/Indicators.h"
#include "core/curves/PastedPoints.h"
#include "core/session/PastedPoints.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/system/WholeFile.h"

#include <algorithm>
#include <fstream>

namespace titralab::cli {

std::optional<std::string> readFile(const std::string& path, std::size_t limit) {
    if (!notRegularToRead(path, Language::English).empty()) return std::nullopt; // a pipe blocks
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(limit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

void setUpFromOptions(Simulation& sim, PanelView& view, const Options& o) {
    const BuretteSide side = o.side.value_or(BuretteSide::AcidSide);
    sim.panel.side = side;
    sim.panel.study = *o.study;
    sim.panel.baseKind = o.potash.value_or(false) ? BaseKind::Potash : BaseKind::Soda;
    sim.panel.pointCount = o.points.value_or("100");
    sim.browser.twoMonoacid = *o.study == Study::TwoMonoTitration;
    if (o.entry2) {
        sim.browser.targetColumn1 = false;
        sim.browser.current(side) = *o.entry2;
        LoadEntry(sim.browser, *o.entry2, sim.panel, sim.state);
    }
    sim.browser.targetColumn1 = true;
    sim.browser.current(side) = o.entry1.value_or(1);
    LoadEntry(sim.browser, o.entry1.value_or(1), sim.panel, sim.state);
    // What a study file needs of the panel's choices.
    view.burette.selected = side == BuretteSide::AcidSide ? 0 : 1;
    view.studies.selected = static_cast<int>(*o.study);
    view.target.selected = 0;
    // The graph window's boxes as a study change leaves them.
    sim.graph.checked[0] = o.dilution.value_or(false);
    sim.graph.checked[9] = *o.study != Study::SpeciesVsPH;
}

void changeFromOptions(Simulation& sim, PanelView& view, const Options& o) {
    if (o.side) chooseBurette(view, sim, *o.side == BuretteSide::AcidSide ? 0 : 1);
    if (o.study) chooseStudy(view, sim, static_cast<int>(*o.study));
    if (o.potash) {
        sim.panel.baseKind = *o.potash ? BaseKind::Potash : BaseKind::Soda;
        view.baseKind.selected = *o.potash ? 1 : 0;
    }
    if (o.points) sim.panel.pointCount = *o.points;
    const BuretteSide side = sim.panel.side;
    if (o.entry2) {
        sim.browser.targetColumn1 = false;
        sim.browser.current(side) = std::min(*o.entry2, entryCount(side));
        LoadEntry(sim.browser, sim.browser.current(side), sim.panel, sim.state);
    }
    if (o.entry1) {
        sim.browser.targetColumn1 = true;
        sim.browser.current(side) = std::min(*o.entry1, entryCount(side));
        LoadEntry(sim.browser, sim.browser.current(side), sim.panel, sim.state);
        view.target.selected = 0;
    }
    if (o.dilution) sim.graph.checked[0] = *o.dilution;
}

void applyOptions(Simulation& sim, PrintSettings& print, const Options& o,
                  const std::optional<std::string>& pasted) {
    for (const auto& edit : o.print) edit(print);
    for (const auto& [field, text] : o.fields) sim.panel.at(field) = text;
    if (o.temperature) sim.conditions.temperature = *o.temperature;
    if (o.activities) sim.conditions.activities = *o.activities;

    if (o.ticks) {
        for (int box = 2; box <= 10; ++box) sim.graph.checked[box - 1] = false;
        for (int box : *o.ticks) sim.graph.checked[box - 1] = true;
    }
    if (o.byVolume) sim.exportSettings.copySampling = *o.byVolume ? CopySampling::ByVolume : CopySampling::ByPH;
    if (o.comma) sim.exportSettings.decimalComma = *o.comma;
    if (o.digits) sim.exportSettings.digits = *o.digits;
    if (pasted) {
        PastePairs(sim, true, *pasted);
        sim.graph.checked[8] = true;
    }
    if (o.pasteInMillilitres) sim.pasted.inMillilitres = *o.pasteInMillilitres;
    if (o.pointStyle) sim.pasted.pointStyle = static_cast<PointStyle>(*o.pointStyle);
    sim.reading.options.derivative = o.derivative;
    sim.reading.options.equivalences = o.equivalence || (o.pdf && o.indicator);
    if (o.indicator) sim.reading.options.indicator = *findIndicator(*o.indicator);
    if (o.logTable) sim.exportSettings.diagrams.logTable = true;
    if (o.bufferCapacity) sim.exportSettings.diagrams.bufferCapacity = true;
}

} // namespace titralab::cli
