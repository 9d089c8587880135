// titralab-export: computes a study without a window and prints its export table, or writes
// its printed page to a PDF file or its chart to a picture.
#include "cli/ExportExercise.h"
#include "cli/ExportFree.h"
#include "cli/ExportMeasurements.h"
#include "cli/ExportOptions.h"
#include "cli/ExportOutputs.h"
#include "cli/ExportStudy.h"
#include "core/chemistry/SoluteDatabase.h"

#include "core/chemistry/Indicators.h"
#include "core/curves/Curves.h"
#include "core/curves/Overlays.h"
#include "core/curves/PastedPoints.h"
#include "core/session/Measurements.h"
#include "core/session/Overlays.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "core/session/StudyConditions.h"
#include "core/session/StudyFile.h"
#include "core/system/WholeFile.h"
#include "core/texts/InputTexts.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace titralab;
using namespace titralab::cli;

namespace {

// The study of the options, or of the file they open; the tool's exit status when it cannot
// be had.
std::optional<int> prepareStudy(Simulation& sim, PanelView& view, PrintSettings& print,
                                const Options& o) {
    if (!o.open) {
        setUpFromOptions(sim, view, o);
        return std::nullopt;
    }
    const StudyOpening opening = openStudyFile(*o.open, sim.language);
    if (!opening.record) {
        std::cerr << "titralab-export: " << opening.error << '\n';
        return 1;
    }
    if (!opening.notice.empty()) std::cerr << "titralab-export: " << opening.notice << '\n';
    applyStudy(*opening.record, sim, view);
    print = opening.record->print;
    try {
        if (!o.side) checkEntries(o, sim.panel.side);
    } catch (const UsageError& e) {
        std::cerr << "titralab-export: " << e.message << " (see --help)\n";
        return 2;
    }
    changeFromOptions(sim, view, o);
    return std::nullopt;
}

// The output the options ask for, one mode only.
int writeOutput(Simulation& sim, const PrintSettings& print, const Options& o,
                const std::vector<double>& varied, Notifier& notifier, int argc, char** argv) {
#ifdef TITRALAB_EXPORT_PDF
    if (o.png || o.svg || o.pdf) return writeDrawing(sim, print, o, argc, argv);
#else
    (void)print;
    (void)argc;
    (void)argv;
#endif
    if (o.measuredEquivalence) return printMeasuredEquivalences(sim, o);
    if (o.at) return printParticularPoint(sim, o);
    if (o.explain) return printExplanation(sim, o);
    if (o.validity) return printValidity(sim);
    if (o.equivalence || o.indicator) return printReadings(sim, o);
    if (o.vary) return printFamilyTable(sim, o, varied, notifier);
    if (o.fit) return printFit(sim, o);
    return printTable(sim, o);
}

} // namespace

int main(int argc, char** argv) {
    if (asksForExercise(argc, argv)) return runExercise(argc, argv);
    if (asksForFreeStudy(argc, argv)) return runFreeStudy(argc, argv);
    Options o;
    try {
        o = parseArguments(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "titralab-export: " << e.message << " (see --help)\n";
        return 2;
    }
    if (o.help) {
        std::cout << kUsage;
        return 0;
    }
    if (o.listSolutes || o.findSolute || o.soluteCard)
        return printSolutes(o, toolDataFolder(argv[0]));
    if (o.indicator && *o.indicator == "list") {
        for (const ColourIndicator& i : colourIndicators())
            std::cout << i.name.in(o.language) << '\n';
        return 0;
    }
#ifndef TITRALAB_EXPORT_PDF
    if (o.pdf || o.png || o.svg) {
        std::cerr << "titralab-export: --pdf, --png and --svg: each needs a build with Qt "
                     "(TITRALAB_WITH_QT=ON)\n";
        return 2;
    }
#endif
    std::optional<std::string> pasted;
    if (o.paste) {
        pasted = readFile(*o.paste, kMaxPastedTextBytes);
        if (!pasted) {
            const std::string kind = notRegularToRead(*o.paste, Language::English);
            std::cerr << "titralab-export: cannot read " << *o.paste << (kind.empty() ? "" : ": ")
                      << kind << '\n';
            return 1;
        }
    }
    std::optional<FileImport> measured;
    if (o.importFile) {
        measured = importMeasurementFile(o);
        if (measured->status) return *measured->status;
    }

    Simulation sim;
    setLanguage(sim, o.language);
    PanelView view = PanelView::atDesign(sim.language);
    PrintSettings print;
    if (const std::optional<int> status = prepareStudy(sim, view, print, o)) return *status;
    applyOptions(sim, print, o, pasted);
    // In other conditions the studies' entries take the ΔH° the solute database knows for them.
    if (!sim.freeStudy.database && (!sim.conditions.standard() || !o.temperatures.empty())) {
        SoluteDatabaseRead read = loadSoluteDatabase(toolDataFolder(argv[0]));
        if (read.error.empty())
            sim.freeStudy.database =
                std::make_shared<const SoluteDatabase>(std::move(read.database));
    }
    if (measured) importIntoSimulation(sim, measured->imported);
    if (o.granBefore) sim.pasted.granBefore = o.granBefore;
    if (o.granAfter) sim.pasted.granAfter = o.granAfter;
    if (o.smoothing) sim.pasted.smoothing = *o.smoothing;
    if (o.save) {
        const std::string failure =
            saveStudyFile(*o.save, captureStudy(sim, view, print), sim.language);
        if (!failure.empty()) {
            std::cerr << "titralab-export: " << failure << '\n';
            return 1;
        }
    }

    StderrNotifier notifier;
    std::vector<double> varied;
    if (o.vary) {
        const ValueList values = parseFamilyValues(sim, o.vary->first, o.vary->second);
        if (!values.refusal.empty()) {
            std::cerr << "titralab-export: --vary: " << values.refusal << '\n';
            return 2;
        }
        varied = values.values;
    }
    try {
        RefreshSimulation(sim, notifier);
        const bool picture = o.png || o.svg || o.pdf;
        if (!o.temperatures.empty() && !picture) return printTemperatureTable(sim, o, notifier);
        // RefreshSimulation solved the study again in the conditions, or says why not.
        if (!sim.results.conditionsRefusal.empty()) {
            std::cerr << "titralab-export: " << sim.results.conditionsRefusal << '\n';
            return 2;
        }
        if (o.vary && picture) DrawFamily(sim, o.vary->first, varied, notifier);
        if (!o.temperatures.empty() && picture) {
            FamilyQuantity temperature;
            temperature.temperature = true;
            DrawFamily(sim, temperature, o.temperatures, notifier);
        }
    } catch (const ArithmeticFault& e) {
        notifier.error(e.message(sim.language));
        return 1;
    }
    // What the graph window's status line says.
    if (sim.pasted.inMillilitres && !measured)
        std::cerr << texts::kPastedInMillilitres.in(sim.language) << '\n';
    if (const int status = writeOutput(sim, print, o, varied, notifier, argc, argv)) return status;
    return writeFiles(sim, o, varied, notifier);
}
