#include "core/session/PastedPoints.h"

#include "core/texts/ChartTexts.h"

namespace titralab {

int PastePairs(Simulation& sim, bool volumeFirst, std::string_view clipboardText) {
    sim.pasteOrder = volumeFirst;
    sim.pastedText = SplitLines(clipboardText.substr(0, kMaxPastedTextBytes));
    sim.graph.checked[kPastedBox - 1] = true;
    choosePastedUnit(sim);
    return static_cast<int>(ReadPastedPoints(sim.pastedText, sim.pasteOrder).size());
}

void choosePastedUnit(Simulation& sim) {
    sim.pastedInMillilitres =
        volumesLookLikeMillilitres(ReadPastedPoints(sim.pastedText, sim.pasteOrder));
}

void DrawPastedPoints(Simulation& sim, Notifier& notifier) {
    sim.pastedPoints = ReadPastedPoints(sim.pastedText, sim.pasteOrder);
    if (sim.pastedInMillilitres)
        for (PastedPair& p : sim.pastedPoints) p.volume /= 1000;
    if (CheckPastedRange(sim.curves, sim.state.volumeFactor, sim.pastedPoints))
        notifier.inform(texts::kPastedOutOfChart.in(sim.language));
    PlotPastedPoints(sim.curves, sim.state.volumeFactor, sim.pastedPoints);
}
} // namespace titralab
