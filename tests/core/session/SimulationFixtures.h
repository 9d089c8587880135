// Helpers shared by the curve tests: a simulation context as the program leaves it after the
// user chose a side, a study and database entries.
#pragma once

#include "core/base/Notifier.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"

#include <sstream>
#include <string>
#include <vector>

namespace titralab::testing {

inline Simulation simulationFor(Study study, int entry1 = 17,
                                BuretteSide side = BuretteSide::AcidSide, int entry2 = 17) {
    Simulation sim;
    chooseStudyAndEntries(sim, side, study, entry1, entry2);
    return sim;
}

inline void refresh(Simulation& sim) {
    RecordingNotifier quiet;
    RefreshSimulation(sim, quiet);
}

// The export table split into lines (on CR) and fields (on tab).
inline std::vector<std::vector<std::string>> tableOf(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (char c : text) {
        if (c != '\r') {
            line += c;
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream in(line);
        std::string field;
        while (std::getline(in, field, '\t')) fields.push_back(field);
        if (line.empty()) fields.clear();
        rows.push_back(fields);
        line.clear();
    }
    return rows;
}

} // namespace titralab::testing
