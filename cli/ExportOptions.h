// titralab-export's options: what each one sets, and the checks of the whole command line.
#pragma once

#include "core/chemistry/Conditions.h"
#include "core/curves/Fit.h"
#include "core/curves/MeasuredEquivalence.h"
#include "core/curves/Overlays.h"
#include "core/page/PrintSettings.h"
#include "core/session/DiagramView.h"
#include "core/session/Fit.h"
#include "core/session/GranView.h"
#include "core/session/Overlays.h"
#include "core/session/Simulation.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace titralab::cli {

// What --help prints.
extern const char* const kUsage;

// A command line the tool refuses, and why.
struct UsageError {
    std::string message;
};

// Each option is kept only when given, so that a study opened from a file changes only where
// an option says so.
struct Options {
    std::optional<Study> study;
    std::optional<BuretteSide> side;
    std::optional<int> entry1;
    std::optional<int> entry2;
    std::map<Field, std::string> fields;
    std::optional<std::string> points;
    std::optional<bool> dilution;
    std::optional<bool> potash;
    std::optional<bool> byVolume;
    std::optional<bool> comma;
    std::optional<std::vector<int>> ticks;
    std::optional<int> digits;
    Language language{Language::French};
    std::optional<std::string> out;
    std::optional<std::string> xlsx;
    std::optional<std::string> paste;
    std::optional<std::string> pdf;
    std::vector<std::function<void(PrintSettings&)>> print; // in the order given
    std::optional<int> pointStyle;
    bool derivative{false};
    bool fileLineEnds{false};
    bool equivalence{false};
    std::optional<std::string> indicator;
    std::optional<std::string> at; // a volume as typed, in the chart's unit
    std::optional<std::string> png;
    std::optional<std::string> svg;
    int width{1000};
    std::optional<std::pair<FamilyQuantity, std::string>> vary; // what varies, values as typed
    std::optional<std::string> open;
    std::optional<std::string> save;
    std::optional<std::vector<FitValue>> fit;
    FitSettings fitSettings;
    std::optional<bool> pasteInMillilitres;
    // The lesson's diagrams: the species table as log10 c, the β column, why this pH.
    bool logTable{false};
    bool bufferCapacity{false};
    std::optional<std::string> explain; // a volume as typed, in mL
    // --png and --svg draw this diagram of the study's solution instead of the chart.
    std::optional<DiagramKind> diagram;
    bool validity{false}; // the volume ranges where each textbook formula of the pH holds
    double logFloor{-8};
    // Imported measurements, and the equivalence read off measured points.
    std::optional<std::string> importFile;
    std::optional<std::vector<int>> importColumns; // 1-based volume, pH, conductivity; 0: none
    std::optional<std::vector<EquivalenceMethod>> measuredEquivalence;
    std::optional<int> smoothing;  // the derivative method's smoothing window (points)
    std::optional<int> monteCarlo; // draws of the Monte-Carlo spread of the pH methods
    // Gran's fitting ranges (L), and the Gran plot drawn by --png or --svg.
    std::optional<std::pair<double, double>> granBefore;
    std::optional<std::pair<double, double>> granAfter;
    std::optional<GranSide> granDiagram;
    bool help{false};
    // The solute database.
    bool listSolutes{false};
    std::optional<std::string> findSolute;
    std::optional<std::string> soluteCard;  // the card of the best match, in --lang
    std::optional<std::string> userSolutes; // a file of the teacher's own entries, for the run
    // The conditions of the solutions (--activities, --temperature), each kept only when
    // given; the studies' own code runs at the defaults, the general engine otherwise.
    std::optional<double> temperature; // °C
    std::optional<ActivityModel> activities;
    std::vector<double> temperatures; // °C, of --vary temperature=T1;T2;...
    bool conditionsGiven() const {
        return Conditions{temperature.value_or(kStandardTemperature),
                          activities.value_or(ActivityModel::None)}
                   .standard() == false;
    }
};

// Reads the command line; throws UsageError on an option it refuses.
Options parseArguments(int argc, char** argv);

// The entries asked for exist in the table of the side; throws UsageError when not.
void checkEntries(const Options& o, BuretteSide side);

} // namespace titralab::cli
