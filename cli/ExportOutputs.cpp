#include "cli/ExportOutputs.h"

#include "core/chemistry/Indicators.h"
#include "core/chemistry/SoluteDatabase.h"
#include "core/system/UserSolutes.h"
#include "core/texts/SoluteCard.h"
#include "core/curves/ChartReading.h"
#include "core/session/ChartReading.h"
#include "core/session/CopyExport.h"
#include "core/session/DiagramColumns.h"
#include "core/curves/Curves.h"
#include "core/curves/Fit.h"
#include "core/session/Fit.h"
#include "core/curves/Overlays.h"
#include "core/session/Overlays.h"
#include "core/session/VaryTable.h"
#include "core/session/WorkbookModule.h"
#include "core/numbers/NumberFormat.h"
#include "core/session/StudyConditions.h"

#ifdef TITRALAB_EXPORT_PDF
#include "ui/qt/ChartPicture.h"
#include "ui/qt/DiagramPainter.h"
#include "ui/qt/PdfPage.h"
#include "ui/qt/QtTranslations.h"

#include <QApplication>
#include <QGuiApplication>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

namespace titralab::cli {

void StderrNotifier::print(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    std::cerr << text << '\n';
}

namespace {

// A reading's number: the table's digits and separator, but never the table's "0" for a value
// below 1E-11 (a [H3O+] of 5E-13 is read as such).
std::string readingNumber(double x, const Simulation& sim) {
    return formatGeneral(x, sim.exportSettings.digits, sim.exportSettings.decimalComma ? ',' : '.');
}

// The curve at one volume, solved exactly: name, tab, value, one LF line each.
std::string particularPointTable(const Simulation& sim, double drawnVolume) {
    const std::optional<ExactPoint> p = exactPointAt(sim, drawnVolume);
    if (!p) return {};
    auto number = [&sim](double x) { return readingNumber(x, sim); };
    std::string out = "v (L)\t" + number(p->volume) + "\n";
    out += "pH\t" + number(p->pH) + "\n";
    out += "[H3O+]\t" + number(p->hydronium) + "\n";
    for (const auto& [name, c] : p->species) out += "[" + name + "]\t" + number(c) + "\n";
    if (p->conductivity) out += "sigma (S/m)\t" + number(*p->conductivity) + "\n";
    return out;
}

// A table as standard output shows it: the file's CR line ends become LF, and the file's
// closing CR LF is dropped, unless the file's own bytes are asked for.
std::string tableForOutput(const std::string& table, bool fileLineEnds) {
    if (fileLineEnds) return table + "\r\n";
    std::string out = table;
    for (char& c : out)
        if (c == '\r') c = '\n';
    return out;
}

// The readings of a titration, one LF line per point.
std::string readingLines(const Simulation& sim, const Options& o) {
    std::string out;
    auto number = [&sim](double x) { return readingNumber(x, sim); };
    auto line = [&](const char* kind, int k, double a, const std::string& last) {
        out += std::string(kind) + '\t' + std::to_string(k) + '\t' + number(a) + '\t' + last + '\n';
    };
    const auto& points = sim.reading.points;
    if (o.equivalence)
        for (const EquivalenceReading& p : points) {
            line("equivalence", p.number, p.equivalence.volume, number(p.equivalence.pH));
            if (p.inflection)
                line("inflection", p.number, p.inflection->volume, number(p.inflection->pH));
            line("half", p.number, p.half.volume, number(p.half.pH));
        }
    if (o.indicator) {
        const ColourIndicator& indicator = colourIndicators()[*findIndicator(*o.indicator)];
        for (const EquivalenceReading& p : points)
            line("equivalence", p.number, p.equivalence.pH,
                 verdictText(indicatorSuits(indicator, p), sim.language));
    }
    return out;
}

#ifdef TITRALAB_EXPORT_PDF
// The page needs Qt's fonts and PDF writer, not a display.
WholeFileResult writePdf(const Simulation& sim, const PrintSettings& print, const Options& o,
                         int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    const QtTranslations translations(sim.language); // the page's failure messages
    return writePdfPage(sim, print, *o.pdf);
}

// The chart is a widget: it needs a QApplication, on the offscreen platform.
WholeFileResult writePicture(const Simulation& sim, const Options& o, int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const QtTranslations translations(sim.language); // the picture's failure messages
    if (o.diagram || o.granDiagram) {
        const DiagramView view = o.granDiagram ? granDiagram(sim, *o.granDiagram)
                                               : diagramView(sim, *o.diagram, o.logFloor);
        if (!view.problem.empty()) return {view.problem, {}};
        return writeDiagramPicture(view, sim.exportSettings.decimalComma ? ',' : '.',
                                   o.svg ? *o.svg : *o.png, sim.language, o.width);
    }
    return o.svg ? writeSimulationPicture(sim, *o.svg, true)
                 : writeSimulationPicture(sim, *o.png, false, o.width);
}
#endif

// A number in the table's format, its sign kept (the table writes negatives as 0).
std::string signedValue(double x, const Simulation& sim) {
    return x < 0 ? "-" + FormatValue(-x, sim.exportSettings.decimalComma, sim.exportSettings.digits)
                 : FormatValue(x, sim.exportSettings.decimalComma, sim.exportSettings.digits);
}

} // namespace

#ifdef TITRALAB_EXPORT_PDF
int writeDrawing(const Simulation& sim, const PrintSettings& print, const Options& o, int argc,
                 char** argv) {
    const WholeFileResult written = o.pdf && !o.png && !o.svg ? writePdf(sim, print, o, argc, argv)
                                                              : writePicture(sim, o, argc, argv);
    if (!written.ok()) {
        std::cerr << "titralab-export: " << written.error << '\n';
        return 1;
    }
    if (!written.notice.empty()) std::cerr << "titralab-export: " << written.notice << '\n';
    return 0;
}
#endif

int printParticularPoint(const Simulation& sim, const Options& o) {
    const std::string table = particularPointTable(sim, *readParticularVolume(*o.at));
    if (table.empty()) {
        std::cerr << "titralab-export: --at: no point of the curve at " << *o.at << '\n';
        return 1;
    }
    std::cout << table;
    std::cout.flush();
    return 0;
}

int printExplanation(const Simulation& sim, const Options& o) {
    const std::optional<PHExplanation> explanation =
        explainStudyPoint(sim, *readParticularVolume(*o.explain));
    if (!explanation) {
        std::cerr << "titralab-export: --explain: no point of this study at " << *o.explain
                  << " mL\n";
        return 1;
    }
    std::cout << explanationLines(sim, *explanation);
    std::cout.flush();
    return 0;
}

int printValidity(const Simulation& sim) {
    std::cout << validityLines(sim, formulaValidityAlong(sim));
    std::cout.flush();
    return 0;
}

int printReadings(const Simulation& sim, const Options& o) {
    std::cout << readingLines(sim, o);
    std::cout.flush();
    return 0;
}

int printFamilyTable(Simulation& sim, const Options& o, const std::vector<double>& varied,
                     Notifier& notifier) {
    try {
        std::cout << tableForOutput(VaryTable(sim, o.vary->first, varied, notifier),
                                    o.fileLineEnds);
    } catch (const ArithmeticFault& e) {
        notifier.error(e.message(sim.language));
        return 1;
    }
    std::cout.flush();
    return 0;
}

int printTemperatureTable(const Simulation& sim, const Options& o, Notifier& notifier) {
    const TemperatureTable table = temperatureTable(sim, o.temperatures, notifier);
    if (!table.refusal.empty()) {
        std::cerr << "titralab-export: " << table.refusal << '\n';
        return 2;
    }
    std::cout << tableForOutput(table.text, o.fileLineEnds);
    std::cout.flush();
    return 0;
}

int printFit(Simulation& sim, const Options& o) {
    const FitResult fit = fitPastedPoints(sim, *o.fit, o.fitSettings);
    if (!fit.notice.empty()) std::cerr << "titralab-export: " << fit.notice << '\n';
    if (!fit.ok) std::cerr << "titralab-export: " << fit.refusal << '\n';
    if (!fit.basis.empty()) std::cerr << "titralab-export: " << fit.basis << '\n';
    if (fit.ok) {
        for (const FittedValue& v : fit.values)
            std::cout << fitValueName(v.which) << '\t' << signedValue(v.value, sim) << '\t'
                      << signedValue(v.uncertainty, sim) << '\n';
        for (const FittedEquivalence& e : fit.equivalences)
            std::cout << "Veq" << e.number << '\t' << signedValue(e.volume, sim) << '\t'
                      << signedValue(e.uncertainty, sim) << '\n';
    }
    if (fit.ran) {
        std::cout << "s(pH)\t" << signedValue(fit.residualDeviation, sim) << '\n';
        std::cout << "points\t" << fit.pointsUsed << '\n';
    }
    std::cout.flush();
    return fit.ok ? 0 : 1;
}

int printTable(const Simulation& sim, const Options& o) {
    std::cout << tableForOutput(sim.results.exportText, o.fileLineEnds);
    std::cout.flush();
    return 0;
}

int writeFiles(Simulation& sim, const Options& o, const std::vector<double>& varied,
               Notifier& notifier) {
    if (o.out) {
        const ExportResult written = ExportSimulation(sim, *o.out);
        if (!written.ok) {
            std::cerr << "titralab-export: cannot write into " << *o.out << ": " << written.error
                      << '\n';
            return 1;
        }
        if (!written.workbookError.empty()) {
            std::cerr << "titralab-export: " << written.workbookError << '\n';
            return 1;
        }
    }
    if (o.xlsx) {
        // With --vary, the workbook holds the family's table.
        Simulation family;
        if (o.vary) {
            family = sim;
            try {
                family.results.exportTable = varyColumns(sim, o.vary->first, varied, notifier);
            } catch (const ArithmeticFault& e) {
                notifier.error(e.message(sim.language));
                return 1;
            }
        }
        const WorkbookResult workbook = writeWorkbookWithModule(o.vary ? family : sim, *o.xlsx);
        if (!workbook.ok) {
            std::cerr << "titralab-export: " << *o.xlsx << " : " << workbook.error << '\n';
            return 1;
        }
        if (!workbook.notice.empty()) std::cerr << "titralab-export: " << workbook.notice << '\n';
    }
    return 0;
}

// The solute database ------------------------------------------------------------------

std::string toolDataFolder(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code failed;
    fs::path exe = fs::read_symlink("/proc/self/exe", failed);
    if (failed) exe = fs::absolute(fs::path(argv0 ? argv0 : ""), failed);
    return (exe.parent_path() / ".." / "share" / "titralab").lexically_normal().string();
}

namespace {

// One line: names, formula, pKa values, the distinct source keys of the values.
void printSoluteLine(const std::string& nameFr, const std::string& nameEn,
                     const std::string& formula, const SoluteEntry& entry, char separator) {
    std::string pKa;
    for (double p : entry.system.pKa)
        pKa += (pKa.empty() ? "" : " ") + formatGeneral(p, 6, separator);
    std::vector<std::string> keys;
    for (const auto* list : {&entry.pKaSources, &entry.enthalpySources, &entry.conductivitySources})
        for (const std::string& key : *list)
            if (key != "-" && std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(key);
    std::string sources;
    for (const std::string& key : keys) sources += (sources.empty() ? "" : " ") + key;
    std::cout << nameFr << '\t' << nameEn << '\t' << formula << '\t' << pKa << '\t' << sources
              << '\n';
}

} // namespace

std::string userSolutesOfRun(const std::string& path, Language language,
                             std::vector<SoluteEntry>& entries) {
    std::error_code failed;
    if (!std::filesystem::is_regular_file(path, failed))
        return language == Language::English ? "no file '" + path + "'"
                                             : "pas de fichier « " + path + " »";
    UserSolutesRead read = loadUserSolutes(path, language);
    if (read.error.empty()) entries = std::move(read.entries);
    return read.error;
}

int printSolutes(const Options& o, const std::string& dataFolder) {
    const SoluteDatabaseRead read = loadSoluteDatabase(dataFolder);
    if (!read.error.empty()) {
        std::cerr << "titralab-export: " << read.error << '\n';
        return 1;
    }
    SoluteDatabase db = read.database;
    if (o.userSolutes) {
        std::vector<SoluteEntry> user;
        const std::string error = userSolutesOfRun(*o.userSolutes, o.language, user);
        if (!error.empty()) {
            std::cerr << "titralab-export: --user-solutes: " << error << '\n';
            return 1;
        }
        addUserSolutes(db, user, o.language);
    }
    const char separator = o.comma.value_or(false) ? ',' : '.';
    if (o.listSolutes)
        for (const SoluteEntry& e : db.entries)
            printSoluteLine(e.nameFr, e.nameEn, e.formula, e, separator);
    if (o.findSolute)
        for (const SoluteMatch& m : searchSolutes(db, *o.findSolute)) {
            const SoluteEntry& e = db.entries[static_cast<std::size_t>(m.entry)];
            if (m.compound < 0) {
                printSoluteLine(e.nameFr, e.nameEn, e.formula, e, separator);
            } else {
                const SoluteCompound& c = db.compounds[static_cast<std::size_t>(m.compound)];
                printSoluteLine(c.nameFr, c.nameEn, c.formula, e, separator);
            }
        }
    if (o.soluteCard) {
        const std::vector<SoluteMatch> found = searchSolutes(db, *o.soluteCard);
        if (found.empty()) {
            std::cerr << "titralab-export: --solute-card: "
                      << (o.language == Language::English
                              ? "no solute matches '" + *o.soluteCard + "'"
                              : "aucun soluté ne correspond à « " + *o.soluteCard + " »")
                      << '\n';
            return 1;
        }
        const SoluteEntry& e = db.entries[static_cast<std::size_t>(found.front().entry)];
        for (const std::string& line : texts::soluteCard(db, e, o.language, separator))
            std::cout << line << '\n';
    }
    return 0;
}

} // namespace titralab::cli
