// The main window's logic: the burette, study, column and base choices that change the input
// panel and the simulation together, and the check of a field the user leaves.
#pragma once

#include "core/panel/InputPanel.h"
#include "core/session/Simulation.h"

#include <optional>
#include <string>

namespace titralab {

// The main window's panel at creation: the design texts in the simulation's language, and
// entry 1 of the acids loaded into column 1.
void startPanel(PanelView& view, Simulation& sim);

// Puts every text of the panel in the simulation's language, the choices and what shows
// left as they are: for a change of language while the window is open.
void retranslatePanel(PanelView& view, const Simulation& sim);

// A click on an item of a choice: marks the study changed. Choosing the item that is already
// selected runs nothing.
void chooseBurette(PanelView& view, Simulation& sim, int item);  // the side change
void chooseStudy(PanelView& view, Simulation& sim, int index);   // the study change
void chooseTarget(PanelView& view, Simulation& sim, int item);   // column 1 or 2
void chooseBaseKind(PanelView& view, Simulation& sim, int item); // soda or potash

// The check of a number field D1..D6, D12..D16 when the user leaves it: nothing when its text
// reads as a number the set-up accepts, else the message the set-up would give for it.
std::optional<std::string> fieldRefusal(int field, const std::string& text, Language language);

} // namespace titralab
