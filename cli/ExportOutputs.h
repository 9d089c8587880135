// What titralab-export writes, one function per output mode. Each returns the tool's exit
// status: 0 when done, 1 when a file could not be written or nothing could be computed.
#pragma once

#include "cli/ExportOptions.h"
#include "core/base/Notifier.h"
#include "core/chemistry/SoluteDatabase.h"

#include <string>
#include <vector>

namespace titralab::cli {

// Prints each message on one line: the carriage returns inside a message become spaces.
class StderrNotifier : public Notifier {
  public:
    void inform(const std::string& text) override { print(text); }
    void error(const std::string& text) override { print(text); }

  private:
    static void print(std::string text);
};

#ifdef TITRALAB_EXPORT_PDF
// --pdf, --png, --svg: the printed page or the chart, into a file.
int writeDrawing(const Simulation& sim, const PrintSettings& print, const Options& o, int argc,
                 char** argv);
#endif
// --list-solutes, --find-solute: the database of `dataFolder`, one entry a line; --solute-card:
// the card of the best match.
int printSolutes(const Options& o, const std::string& dataFolder);
// The entries of a --user-solutes file into `entries`; the refusal (empty when read).
std::string userSolutesOfRun(const std::string& path, Language language,
                             std::vector<SoluteEntry>& entries);
// The data folder beside the tool: <executable's folder>/../share/titralab.
std::string toolDataFolder(const char* argv0);
// --at: the curve at one volume, solved exactly.
int printParticularPoint(const Simulation& sim, const Options& o);
// --explain: why the pH is what it is at one volume.
int printExplanation(const Simulation& sim, const Options& o);
// --validity: where each textbook formula of the pH holds along the titration.
int printValidity(const Simulation& sim);
// --equivalence, --indicator: the readings of a titration.
int printReadings(const Simulation& sim, const Options& o);
// --vary: the family's table.
// The table of --vary temperature=...; 2 when the study has none.
int printTemperatureTable(const Simulation& sim, const Options& o, Notifier& notifier);
int printFamilyTable(Simulation& sim, const Options& o, const std::vector<double>& varied,
                     Notifier& notifier);
// --fit: the fitted values, their uncertainties and the fit's figures.
int printFit(Simulation& sim, const Options& o);
// Without any of those: the export table.
int printTable(const Simulation& sim, const Options& o);
// --out and --xlsx, after any of the above: the table's files and the workbook.
int writeFiles(Simulation& sim, const Options& o, const std::vector<double>& varied,
               Notifier& notifier);

} // namespace titralab::cli
