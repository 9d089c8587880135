// The study titralab-export computes: built from the options, or opened from a file and
// changed where the options say so.
#pragma once

#include "cli/ExportOptions.h"
#include "core/panel/InputPanel.h"
#include "core/session/InputPanel.h"

#include <cstddef>
#include <optional>
#include <string>

namespace titralab::cli {

// At most `limit` bytes of the file: no more than the program would keep of it.
std::optional<std::string> readFile(const std::string& path, std::size_t limit);

// The study the options describe, without a file.
void setUpFromOptions(Simulation& sim, PanelView& view, const Options& o);

// An opened study, changed only where an option says so.
void changeFromOptions(Simulation& sim, PanelView& view, const Options& o);

// What every study takes from the options once it is set up or opened: the print settings, the
// fields, the boxes ticked, the table's format, the pasted pairs and the readings asked for.
void applyOptions(Simulation& sim, PrintSettings& print, const Options& o,
                  const std::optional<std::string>& pasted);

} // namespace titralab::cli
