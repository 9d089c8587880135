// libFuzzer target: study files. Whatever the text, the reader refuses it with a problem or
// gives a record that writes and reads back to itself; an accepted record is then applied to
// a simulation, computed, saved and fitted as the program would, none of which may crash.
#include "core/base/Notifier.h"
#include "core/chemistry/Formulas.h"
#include "core/panel/InputPanel.h"
#include "core/session/Fit.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "core/session/StudyFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace titralab;

namespace {

// One scratch file per fuzzing process, removed at its end.
const std::string& savedStudyPath() {
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() /
                               ("fuzz-study-" + std::to_string(::getpid()) + ".titralab"))
                                  .string();
        std::atexit([] { std::remove(savedStudyPath().c_str()); });
        return p;
    }();
    return path;
}

void applyComputeSaveAndFit(const StudyRecord& record) {
    Simulation sim;
    PanelView view = PanelView::atDesign(sim.language);
    applyStudy(record, sim, view);
    RecordingNotifier quiet;
    try {
        RefreshSimulation(sim, quiet);
    } catch (const ArithmeticFault&) {
        return; // refused with the program's message
    }
    // Saved and read back: the same record.
    const StudyRecord captured = captureStudy(sim, view, record.print);
    if (!saveStudyFile(savedStudyPath(), captured, Language::French).empty()) std::abort();
    const StudyOpening reopened = openStudyFile(savedStudyPath(), Language::French);
    if (!reopened.record || writeStudyText(*reopened.record) != writeStudyText(captured))
        std::abort();
    if (sim.state.study != Study::None) (void)fitPastedPoints(sim, defaultFreeValues(sim));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StudyReading reading = readStudyText(text, Language::French);
    if (!reading.record) {
        if (reading.problem.empty()) std::abort();
        return 0;
    }
    const StudyReading again = readStudyText(writeStudyText(*reading.record), Language::French);
    if (!again.record) std::abort();
    // Texts that were not UTF-8 come back with replacement characters; all else is kept.
    if (writeStudyText(*again.record) != writeStudyText(*reading.record)) std::abort();
    applyComputeSaveAndFit(*reading.record);
    return 0;
}
