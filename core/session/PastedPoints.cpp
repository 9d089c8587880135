#include "core/session/PastedPoints.h"

#include "core/texts/ChartTexts.h"

namespace titralab {

int PastePairs(Simulation& sim, bool volumeFirst, std::string_view clipboardText) {
    sim.pasted.volumeFirst = volumeFirst;
    sim.pasted.lines = SplitLines(clipboardText.substr(0, kMaxPastedTextBytes));
    sim.pasted.granBefore.reset();
    sim.pasted.granAfter.reset();
    sim.graph.checked[kPastedBox - 1] = true;
    choosePastedUnit(sim);
    markStudyChanged(sim);
    return static_cast<int>(ReadPastedPoints(sim.pasted.lines, sim.pasted.volumeFirst).size());
}

void choosePastedUnit(Simulation& sim) {
    sim.pasted.inMillilitres =
        volumesLookLikeMillilitres(ReadPastedPoints(sim.pasted.lines, sim.pasted.volumeFirst));
}

void DrawPastedPoints(Simulation& sim, Notifier& notifier) {
    sim.pasted.points = ReadPastedPoints(sim.pasted.lines, sim.pasted.volumeFirst);
    if (sim.pasted.inMillilitres)
        for (PastedPair& p : sim.pasted.points) p.volume /= 1000;
    if (CheckPastedRange(sim.results.curves, sim.state.volumeFactor, sim.pasted.points))
        notifier.inform(texts::kPastedOutOfChart.in(sim.language));
    PlotPastedPoints(sim.results.curves, sim.state.volumeFactor, sim.pasted.points);
}
} // namespace titralab
