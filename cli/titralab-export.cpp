// titralab-export: computes a study without a window and prints its export table, or writes
// its printed page to a PDF file.
#include "core/base/Notifier.h"
#include "core/chemistry/Database.h"
#include "core/chemistry/Formulas.h"
#include "core/chemistry/Indicators.h"
#include "core/numbers/NumberInput.h"
#include "core/page/PrintSettings.h"
#include "core/panel/DatabaseBrowser.h"
#include "core/session/ChartReading.h"
#include "core/session/CopyExport.h"
#include "core/session/Fit.h"
#include "core/session/InputPanel.h"
#include "core/session/Overlays.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "core/session/StudyFile.h"
#include "core/session/WorkbookModule.h"
#include "core/system/WholeFile.h"
#include "core/texts/InputTexts.h"

#ifdef TITRALAB_EXPORT_PDF
#include "ui/qt/ChartPicture.h"
#include "ui/qt/PdfPage.h"
#include "ui/qt/QtTranslations.h"

#include <QApplication>
#include <QGuiApplication>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace titralab;

namespace {

const char* const kUsage = R"(Usage: titralab-export --study STUDY [options]
       titralab-export --open FILE [options]

Computes a TitraLab study without a window and prints its table as the copy command writes
its .Txt file, with LF line ends (--file-line-ends keeps the file's own). Every reading
(--equivalence, --at, --indicator, --fit) prints LF lines. Messages about the typed values go
to standard error, one per line.

  --study titration|species|two-mono|mixture|dilution   (or 0..4) the study (required)
  --side acid|base          what the burette holds: a strong base (acid, default) or acid
  --entry1 N, --entry2 N    load database entry N of the side's table into column 1 / 2
  --D1 TEXT ... --D16 TEXT  the text of a field, as typed (applied after the entries); on
                            the base side the pKa fields take the pKa of each couple (9,2
                            for ammonia), 50 for an acidity the base lacks
  --points TEXT             the number of points (default "100")
  --dilution                tick "Tenir compte de la dilution"
  --potash                  potash instead of soda in the burette
  --by-volume               sample the table by volume instead of by pH
  --separator comma|point   decimal separator of the numbers (default: the language's, a
                            comma in French, a point in English)
  --file-line-ends          print the table byte for byte as the .Txt file holds it: lines
                            ended by CR, then CR LF at the end (the files of --out always are)
  --tick LIST               the ticked boxes among 2..10, e.g. 2,3,8 (default: as the graph
                            window starts after choosing the study)
  --digits N                significant digits of the numbers, 5 to 17 (default 5)
  --lang fr|en              the language of the table's headings, the pages and the messages
                            (default fr); numbers take its separator unless --separator
                            says otherwise
  --out DIR                 also write the numbered files into DIR (the two text files and
                            the workbook)
  --xlsx FILE               also write the table as a spreadsheet workbook into FILE
  --paste FILE              paste the (volume, pH) pairs of FILE, one pair a line, as the
                            paste command does (its first 256 KiB), and tick the
                            pasted-points box; volumes in millilitres when the largest
                            exceeds 1, else in litres ("volumes lus en mL" on standard error)
  --paste-unit L|mL         the unit of the pasted volumes, instead of the one decided from
                            them (also for the points of --open)
  --derivative              tick "dpH/dV": add the column dpH/dV to the table (exact, in pH per
                            mL, per L when the volumes are shown in litres)

Readings of a titration study (instead of the table; refused in the other studies):
  --equivalence             one line per remarkable point: the kind (equivalence, inflection,
                            half), its number, the volume in litres and the pH, tab-separated
  --at VOLUME               the curve at VOLUME (in mL, as the chart draws titrations), solved
                            exactly: one line each for the volume in litres, the pH, [H3O+],
                            every species (mol/L) and the conductivity (S/m) when computed,
                            the name then the value, tab-separated
  --indicator NAME          one line per equivalence: equivalence, its number, its pH and the
                            verdict of the colour indicator NAME ("convient", "ne convient pas");
                            the names as the choice lists them, accents optional:
                            --indicator list prints them
  --vary FIELD=V1;V2;...    compute the study once per value of the field (D1..D16, values
                            as typed, 2 to 12) and print one table instead: the sampled
                            volumes (or pH) first, then one pH column per value (the species,
                            or -log c in a dilution, per value), headed "label = value";
                            with --xlsx, the workbook holds that table
  --vary D1,D2=V1;V2;...    the same, several fields taking each value together: D1,D2 puts
                            the burette's and the beaker's concentrations at 1, 0,1... mol/L
  --vary dilution=F1;F2;... the same, every concentration of the study divided by each
                            dilution factor (1 keeps the typed values; 10 divides by ten)
  --open FILE               compute the study of a .titralab file; the other options given
                            then change it (--study not needed)
  --save FILE               also write the study the options describe into a .titralab file
  --fit LIST                fit the pasted points (--paste, or those of --open) freeing the
                            values of LIST among C1,C2,Cb,pK1,pK2,pK3, and print instead of
                            the table, tab-separated: one line per value (name, value,
                            standard uncertainty), one per equivalence volume (Veq1...,
                            volume and standard uncertainty in litres), then the residual
                            standard deviation (line s(pH)) and the number of points used
                            (line points); each point weighs 1/(σ(pH)² + (dpH/dV)² σ(v)²). A fit
                            that does not converge says so on standard error, still prints
                            s(pH) and points, and ends with status 1
  --sigma-ph PH             σ(pH) of a pH reading for --fit, 0.001 to 1 (default 0.02)
  --sigma-v ML              σ(v) of a burette reading for --fit, in mL, 0 to 5 (default 0.05)
  --help                    print this help

The printed page (instead of the table on standard output):
  --pdf FILE                write the page the print dialog prints into FILE (A4, 600 dpi)
  --format optimised|half|quarter   "Optimisé" (default), "Demi page", "Quart de page"
  --line-width TEXT         line width in 1/100 mm, as typed (default "30", read 1..150)
  --dash-length TEXT        dash pattern length in mm, as typed (default "9", read 1..15)
  --char-size TEXT          character size in points, as typed (default "10", read 8..14)
  --graduations TEXT        approximate number of graduations, as typed (default "8")
  --zoom                    tick "Zoom x 2 selon Ox"
  --no-constants            untick "Imprimer les constantes"
  --colour                  tick "Imprimer en couleur"
  --no-arrows               untick "Axes avec des flèches"
  --grid                    tick "Imprimer quadrillage"
  --comment1 TEXT, --comment2 TEXT   the two added comments
  --point-style N           how pasted points are drawn, 0..7 (default 1, "Croix")

The chart as a picture (instead of the table; with --vary, the whole family, as --pdf prints it):
  --png FILE                write the graph window's chart as a PNG picture
  --width PX                its width in pixels, 100 to 10000 (default 1000)
  --svg FILE                write the chart as an SVG (vector) picture
)";

struct UsageError {
    std::string message;
};

std::optional<Study> parseStudy(const std::string& s) {
    static const std::map<std::string, Study> names{
        {"titration", Study::TitrationVsVolume}, {"0", Study::TitrationVsVolume},
        {"species", Study::SpeciesVsPH},         {"1", Study::SpeciesVsPH},
        {"two-mono", Study::TwoMonoTitration},   {"2", Study::TwoMonoTitration},
        {"mixture", Study::TwoPolyMixture},      {"3", Study::TwoPolyMixture},
        {"dilution", Study::Dilution},           {"4", Study::Dilution}};
    const auto it = names.find(s);
    if (it == names.end()) return std::nullopt;
    return it->second;
}

int parseInteger(const std::string& option, const std::string& text, int low, int high) {
    const BoundedNumber n = ParseBoundedNumber(text, low, high);
    if (!n.ok || n.value != static_cast<int>(n.value))
        throw UsageError{option + " expects a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'"};
    return static_cast<int>(n.value);
}

// Prints each message on one line: the carriage returns inside a message become spaces.
class StderrNotifier : public Notifier {
  public:
    void inform(const std::string& text) override { print(text); }
    void error(const std::string& text) override { print(text); }

  private:
    static void print(std::string text) {
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
        std::cerr << text << '\n';
    }
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
    bool help{false};
};

// The entries asked for exist in the table of the side.
void checkEntries(const Options& o, BuretteSide side) {
    const int entries = entryCount(side);
    if (o.entry1.value_or(1) > entries || (o.entry2 && *o.entry2 > entries))
        throw UsageError{"the " + std::string(side == BuretteSide::AcidSide ? "acid" : "base") +
                         " table has entries 1 to " + std::to_string(entries)};
}

Options parseArguments(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError{arg + " expects a value"};
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h")
            o.help = true;
        else if (arg == "--study") {
            const std::string v = value();
            o.study = parseStudy(v);
            if (!o.study) throw UsageError{"unknown study '" + v + "'"};
        } else if (arg == "--side") {
            const std::string v = value();
            if (v == "acid")
                o.side = BuretteSide::AcidSide;
            else if (v == "base")
                o.side = BuretteSide::BaseSide;
            else
                throw UsageError{"--side expects acid or base, not '" + v + "'"};
        } else if (arg == "--entry1")
            o.entry1 = parseInteger(arg, value(), 1, kAcidCount);
        else if (arg == "--entry2")
            o.entry2 = parseInteger(arg, value(), 1, kAcidCount);
        else if (arg.rfind("--D", 0) == 0 && arg.size() <= 5) {
            const int code = parseInteger(arg, arg.substr(3), 1, 16);
            const std::string text = value();
            // Codes that name no field are accepted and change nothing.
            if (const auto field = fieldOfKey("D" + std::to_string(code))) o.fields[*field] = text;
        } else if (arg == "--points")
            o.points = value();
        else if (arg == "--dilution")
            o.dilution = true;
        else if (arg == "--potash")
            o.potash = true;
        else if (arg == "--by-volume")
            o.byVolume = true;
        else if (arg == "--separator") {
            const std::string v = value();
            if (v == "comma")
                o.comma = true;
            else if (v == "point")
                o.comma = false;
            else
                throw UsageError{"--separator expects comma or point, not '" + v + "'"};
        } else if (arg == "--tick") {
            std::vector<int> ticks;
            std::stringstream list(value());
            std::string item;
            while (std::getline(list, item, ','))
                if (!item.empty()) ticks.push_back(parseInteger(arg, item, 2, 10));
            o.ticks = ticks;
        } else if (arg == "--lang") {
            const std::string v = value();
            const std::optional<Language> language = parseLanguage(v);
            if (!language) throw UsageError{"--lang expects fr or en, not '" + v + "'"};
            o.language = *language;
        } else if (arg == "--digits")
            o.digits = parseInteger(arg, value(), 5, 17);
        else if (arg == "--out")
            o.out = value();
        else if (arg == "--xlsx")
            o.xlsx = value();
        else if (arg == "--paste")
            o.paste = value();
        else if (arg == "--pdf")
            o.pdf = value();
        else if (arg == "--format") {
            const std::string v = value();
            if (v == "optimised" || v == "2")
                o.print.push_back([](PrintSettings& p) { p.format = PageFormat::Optimised; });
            else if (v == "half" || v == "1")
                o.print.push_back([](PrintSettings& p) { p.format = PageFormat::HalfPage; });
            else if (v == "quarter" || v == "0")
                o.print.push_back([](PrintSettings& p) { p.format = PageFormat::QuarterPage; });
            else
                throw UsageError{"--format expects optimised, half or quarter, not '" + v + "'"};
        }
        // The number fields of the print dialog keep any text; the page reads it within bounds.
        else if (arg == "--line-width")
            o.print.push_back([v = value()](PrintSettings& p) { p.lineWidth = v; });
        else if (arg == "--dash-length")
            o.print.push_back([v = value()](PrintSettings& p) { p.dashLengthMm = v; });
        else if (arg == "--char-size")
            o.print.push_back([v = value()](PrintSettings& p) { p.charSize = v; });
        else if (arg == "--graduations")
            o.print.push_back([v = value()](PrintSettings& p) { p.approxGraduations = v; });
        else if (arg == "--zoom")
            o.print.push_back([](PrintSettings& p) { p.zoomX2 = true; });
        else if (arg == "--no-constants")
            o.print.push_back([](PrintSettings& p) { p.printConstants = false; });
        else if (arg == "--colour" || arg == "--color")
            o.print.push_back([](PrintSettings& p) { p.printInColour = true; });
        else if (arg == "--no-arrows")
            o.print.push_back([](PrintSettings& p) { p.axisArrows = false; });
        else if (arg == "--grid")
            o.print.push_back([](PrintSettings& p) { p.printGrid = true; });
        else if (arg == "--comment1")
            o.print.push_back([v = value()](PrintSettings& p) { p.comment1 = v; });
        else if (arg == "--comment2")
            o.print.push_back([v = value()](PrintSettings& p) { p.comment2 = v; });
        else if (arg == "--point-style")
            o.pointStyle = parseInteger(arg, value(), 0, 7);
        else if (arg == "--derivative")
            o.derivative = true;
        else if (arg == "--file-line-ends")
            o.fileLineEnds = true;
        else if (arg == "--equivalence")
            o.equivalence = true;
        else if (arg == "--indicator")
            o.indicator = value();
        else if (arg == "--at")
            o.at = value();
        else if (arg == "--png")
            o.png = value();
        else if (arg == "--svg")
            o.svg = value();
        else if (arg == "--width")
            o.width = parseInteger(arg, value(), 100, 10000);
        else if (arg == "--vary") {
            const std::string v = value();
            const auto equals = v.find('=');
            if (equals == std::string::npos)
                throw UsageError{"--vary expects FIELD=V1;V2;..., FIELD one of D1..D16, several "
                                 "of them (D1,D2) or dilution"};
            FamilyQuantity quantity;
            const std::string what = v.substr(0, equals);
            if (what == "dilution") {
                quantity.dilution = true;
            } else {
                std::stringstream list(what);
                std::string item;
                while (std::getline(list, item, ',')) {
                    if (item.rfind("D", 0) != 0)
                        throw UsageError{"--vary expects D1..D16 or dilution before '=', not '" +
                                         what + "'"};
                    const int code = parseInteger(arg, item.substr(1), 1, 16);
                    const auto named = fieldOfKey("D" + std::to_string(code));
                    if (!named || *named == Field::LineWidth)
                        throw UsageError{"--vary: D" + std::to_string(code) +
                                         " is not a chemistry field"};
                    const int field = static_cast<int>(slot(*named));
                    if (std::find(quantity.fields.begin(), quantity.fields.end(), field) ==
                        quantity.fields.end())
                        quantity.fields.push_back(field);
                }
                if (quantity.fields.empty())
                    throw UsageError{"--vary expects D1..D16 or dilution before '='"};
            }
            o.vary = std::make_pair(quantity, v.substr(equals + 1));
        } else if (arg == "--open")
            o.open = value();
        else if (arg == "--save")
            o.save = value();
        else if (arg == "--fit") {
            std::vector<FitValue> values;
            std::stringstream list(value());
            std::string item;
            while (std::getline(list, item, ',')) {
                if (item.empty()) continue;
                const auto v = fitValueFromName(item);
                if (!v)
                    throw UsageError{"--fit expects names among C1,C2,Cb,pK1,pK2,pK3, not '" +
                                     item + "'"};
                values.push_back(*v);
            }
            o.fit = values;
        } else if (arg == "--sigma-ph") {
            const std::string v = value();
            const BoundedNumber n = ParseBoundedNumber(v, 0.001, kMaxSigmaPH);
            if (!n.ok) throw UsageError{"--sigma-ph expects a pH from 0.001 to 1, not '" + v + "'"};
            o.fitSettings.sigmaPH = n.value;
        } else if (arg == "--sigma-v") {
            const std::string v = value();
            const BoundedNumber n = ParseBoundedNumber(v, 0, kMaxSigmaVolumeMl);
            if (!n.ok) throw UsageError{"--sigma-v expects mL from 0 to 5, not '" + v + "'"};
            o.fitSettings.sigmaVolumeMl = n.value;
        } else if (arg == "--paste-unit") {
            const std::string v = value();
            if (v == "L" || v == "l")
                o.pasteInMillilitres = false;
            else if (v == "mL" || v == "ml")
                o.pasteInMillilitres = true;
            else
                throw UsageError{"--paste-unit expects L or mL, not '" + v + "'"};
        } else
            throw UsageError{"unknown option '" + arg + "'"};
    }
    if (!o.help && !o.study && !o.open) throw UsageError{"--study is required"};
    if (o.pdf && o.study == Study::TwoPolyMixture)
        throw UsageError{"the mixture study has no printed page"};
    if ((o.equivalence || o.indicator || o.at) && o.study && !titrationOf(*o.study))
        throw UsageError{"--equivalence, --indicator and --at need a titration study (titration "
                         "or two-mono)"};
    if (o.at && !readParticularVolume(*o.at))
        throw UsageError{"--at expects a volume >= 0, not '" + *o.at + "'"};
    if (o.indicator && *o.indicator != "list" && !findIndicator(*o.indicator))
        throw UsageError{"unknown indicator '" + *o.indicator + "' (--indicator list)"};
    if ((o.png || o.svg) && o.study == Study::TwoPolyMixture)
        throw UsageError{"the mixture study has no chart"};
    if (o.vary && o.study == Study::TwoPolyMixture)
        throw UsageError{"--vary: the mixture study has no curve to vary"};
    if (int(o.pdf.has_value()) + int(o.png.has_value()) + int(o.svg.has_value()) > 1)
        throw UsageError{"--pdf, --png and --svg write one file at a time"};
    if (o.pdf && o.fit) throw UsageError{"--fit prints values, not a page"};
    // With --open and no --side, the side is the file's: checked once it is read.
    if (o.side || !o.open) checkEntries(o, o.side.value_or(BuretteSide::AcidSide));
    return o;
}

// At most `limit` bytes of the file: no more than the program would keep of it.
std::optional<std::string> readFile(const std::string& path, std::size_t limit) {
    if (!notRegularToRead(path, Language::English).empty()) return std::nullopt; // a pipe blocks
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(limit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(limit));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// A reading's number: the table's digits and separator, but never the table's "0" for a value
// below 1E-11 (a [H3O+] of 5E-13 is read as such).
std::string readingNumber(double x, const Simulation& sim) {
    return formatGeneral(x, sim.exportDigits, sim.decimalComma ? ',' : '.');
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
    return o.svg ? writeSimulationPicture(sim, *o.svg, true)
                 : writeSimulationPicture(sim, *o.png, false, o.width);
}
#endif

// A number in the table's format, its sign kept (the table writes negatives as 0).
std::string signedValue(double x, const Simulation& sim) {
    return x < 0 ? "-" + FormatValue(-x, sim.decimalComma, sim.exportDigits)
                 : FormatValue(x, sim.decimalComma, sim.exportDigits);
}

// The study the options describe, without a file.
void setUpFromOptions(Simulation& sim, PanelView& view, const Options& o) {
    const BuretteSide side = o.side.value_or(BuretteSide::AcidSide);
    sim.panel.side = side;
    sim.panel.study = *o.study;
    sim.panel.baseKind = o.potash.value_or(false) ? BaseKind::Potash : BaseKind::Soda;
    sim.panel.pointCount = o.points.value_or("100");
    sim.browser.twoMonoacid = *o.study == Study::TwoMonoTitration;
    if (o.entry2) {
        sim.browser.targetColumn1 = false;
        sim.browser.current(side) = *o.entry2;
        LoadEntry(sim.browser, *o.entry2, sim.panel, sim.state);
    }
    sim.browser.targetColumn1 = true;
    sim.browser.current(side) = o.entry1.value_or(1);
    LoadEntry(sim.browser, o.entry1.value_or(1), sim.panel, sim.state);
    // What a study file needs of the panel's choices.
    view.burette.selected = side == BuretteSide::AcidSide ? 0 : 1;
    view.studies.selected = static_cast<int>(*o.study);
    view.target.selected = 0;
    // The graph window's boxes as a study change leaves them.
    sim.graph.checked[0] = o.dilution.value_or(false);
    sim.graph.checked[9] = *o.study != Study::SpeciesVsPH;
}

// An opened study, changed only where an option says so.
void changeFromOptions(Simulation& sim, PanelView& view, const Options& o) {
    if (o.side) chooseBurette(view, sim, *o.side == BuretteSide::AcidSide ? 0 : 1);
    if (o.study) chooseStudy(view, sim, static_cast<int>(*o.study));
    if (o.potash) {
        sim.panel.baseKind = *o.potash ? BaseKind::Potash : BaseKind::Soda;
        view.baseKind.selected = *o.potash ? 1 : 0;
    }
    if (o.points) sim.panel.pointCount = *o.points;
    const BuretteSide side = sim.panel.side;
    if (o.entry2) {
        sim.browser.targetColumn1 = false;
        sim.browser.current(side) = std::min(*o.entry2, entryCount(side));
        LoadEntry(sim.browser, sim.browser.current(side), sim.panel, sim.state);
    }
    if (o.entry1) {
        sim.browser.targetColumn1 = true;
        sim.browser.current(side) = std::min(*o.entry1, entryCount(side));
        LoadEntry(sim.browser, sim.browser.current(side), sim.panel, sim.state);
        view.target.selected = 0;
    }
    if (o.dilution) sim.graph.checked[0] = *o.dilution;
}

#ifdef TITRALAB_EXPORT_PDF
#endif

} // namespace

int main(int argc, char** argv) {
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

    Simulation sim;
    setLanguage(sim, o.language);
    PanelView view = PanelView::atDesign(sim.language);
    PrintSettings print;
    if (o.open) {
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
    } else {
        setUpFromOptions(sim, view, o);
    }
    for (const auto& edit : o.print) edit(print);
    for (const auto& [field, text] : o.fields) sim.panel.at(field) = text;

    if (o.ticks) {
        for (int box = 2; box <= 10; ++box) sim.graph.checked[box - 1] = false;
        for (int box : *o.ticks) sim.graph.checked[box - 1] = true;
    }
    if (o.byVolume) sim.copySampling = *o.byVolume ? CopySampling::ByVolume : CopySampling::ByPH;
    if (o.comma) sim.decimalComma = *o.comma;
    if (o.digits) sim.exportDigits = *o.digits;
    if (pasted) {
        PastePairs(sim, true, *pasted);
        sim.graph.checked[8] = true;
    }
    if (o.pasteInMillilitres) sim.pastedInMillilitres = *o.pasteInMillilitres;
    if (o.pointStyle) sim.currentPointStyle = static_cast<PointStyle>(*o.pointStyle);
    sim.reading.options.derivative = o.derivative;
    sim.reading.options.equivalences = o.equivalence || (o.pdf && o.indicator);
    if (o.indicator) sim.reading.options.indicator = *findIndicator(*o.indicator);
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
        if (o.vary && (o.png || o.svg || o.pdf)) DrawFamily(sim, o.vary->first, varied, notifier);
    } catch (const ArithmeticFault& e) {
        notifier.error(e.message(sim.language));
        return 1;
    }
    // What the graph window's status line says.
    if (sim.pastedInMillilitres) std::cerr << texts::kPastedInMillilitres.in(sim.language) << '\n';
#ifdef TITRALAB_EXPORT_PDF
    if (o.png || o.svg || o.pdf) {
        const WholeFileResult written = o.pdf && !o.png && !o.svg
                                            ? writePdf(sim, print, o, argc, argv)
                                            : writePicture(sim, o, argc, argv);
        if (!written.ok()) {
            std::cerr << "titralab-export: " << written.error << '\n';
            return 1;
        }
        if (!written.notice.empty()) std::cerr << "titralab-export: " << written.notice << '\n';
    } else
#endif
        if (o.at) {
        const std::string table = particularPointTable(sim, *readParticularVolume(*o.at));
        if (table.empty()) {
            std::cerr << "titralab-export: --at: no point of the curve at " << *o.at << '\n';
            return 1;
        }
        std::cout << table;
        std::cout.flush();
    } else if (o.equivalence || o.indicator) {
        std::cout << readingLines(sim, o);
        std::cout.flush();
    } else if (o.vary) {
        try {
            std::cout << tableForOutput(VaryTable(sim, o.vary->first, varied, notifier),
                                        o.fileLineEnds);
        } catch (const ArithmeticFault& e) {
            notifier.error(e.message(sim.language));
            return 1;
        }
        std::cout.flush();
    } else if (o.fit) {
        const FitResult fit = fitPastedPoints(sim, *o.fit, o.fitSettings);
        if (!fit.notice.empty()) std::cerr << "titralab-export: " << fit.notice << '\n';
        if (!fit.ok) std::cerr << "titralab-export: " << fit.refusal << '\n';
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
        if (!fit.ok) return 1;
    } else {
        std::cout << tableForOutput(sim.exportText, o.fileLineEnds);
        std::cout.flush();
    }
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
                family.exportTable = varyColumns(sim, o.vary->first, varied, notifier);
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
