// The simulation's pasted measurements: the paste commands, their unit and their drawing.
#pragma once

#include "core/base/Notifier.h"
#include "core/curves/PastedPoints.h"
#include "core/session/Simulation.h"

#include <string_view>

namespace titralab {

// The paste commands: remembers the order, replaces the pasted text with the first
// kMaxPastedTextBytes bytes of clipboardText and ticks the points' box, so that the next
// drawing shows them. Returns how many points were read.
int PastePairs(Simulation& sim, bool volumeFirst, std::string_view clipboardText);

// Decides sim.pasted.inMillilitres from the pasted text.
void choosePastedUnit(Simulation& sim);

// Reads the pasted points (volumes in sim.pasted.inMillilitres's unit, kept in litres), checks
// them (one message when some point is outside) and draws them.
void DrawPastedPoints(Simulation& sim, Notifier& notifier);

} // namespace titralab
