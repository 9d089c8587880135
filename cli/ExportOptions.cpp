#include "cli/ExportOptions.h"

#include "core/chemistry/Database.h"
#include "core/chemistry/Indicators.h"
#include "core/curves/ChartReading.h"
#include "core/session/ChartReading.h"
#include "core/session/Measurements.h"
#include "core/numbers/NumberInput.h"
#include "core/panel/Field.h"

#include <algorithm>
#include <sstream>

namespace titralab::cli {

const char* const kUsage = R"(Usage: titralab-export --study STUDY [options]
       titralab-export --open FILE [options]

Computes a TitraLab study without a window and prints its table as the copy command writes
its .Txt file, with LF line ends (--file-line-ends keeps the file's own). Every reading
(--equivalence, --at, --indicator, --fit) prints LF lines. Messages about the typed values go
to standard error, one per line.

  --study titration|species|two-mono|mixture|dilution|free   (or 0..5) the study (required)
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
  --import FILE             import the measurements of FILE (a text file of columns, as
                            data-logging software and spreadsheets write them; its first
                            256 KiB) instead of --paste: its pH points become the pasted
                            points, its conductivities the measured ones; the columns and
                            units found and the unreadable lines on standard error
  --columns V,PH[,SIGMA]    the columns of --import (numbered from 1; 0 for none) holding the
                            volume, the pH and the conductivity; proposed from the header
                            when absent
  --derivative              tick "dpH/dV": add the column dpH/dV to the table (exact, in pH per
                            mL, per L when the volumes are shown in litres)
  --activities davies|none  the table solved by the general engine with the activities of the
                            ions (Davies; titration, two-mono and dilution studies)
  --temperature CELSIUS     the same at a temperature from 0 to 60 (default 25)
  --vary temperature=T1;T2;...  the same study at each temperature: one pH column each, by
                            volume (titration, two-mono; -log c in the dilution study); with
                            --png, --svg or --pdf, the curve at each temperature (up to 12)

The solute database (no --study needed), one entry a line: French name, English name,
formula, pKa values separated by spaces, source keys, tab-separated:
  --list-solutes            every system of the database, in the order of its file
  --find-solute TEXT        the systems and salts matching TEXT (name or synonym in either
                            language, or formula; accents and case ignored), best first
  --solute-card TEXT        instead, the card of the best match of TEXT (its species, values
                            and sources) in the language of --lang
  --user-solutes FILE       adds the entries of a file of "Mes espèces" (the line format of
                            solutes.tsv) for the run: to the two lists above and to the names
                            of --beaker and --burette; a damaged file is refused at its line

Readings of a titration study (instead of the table; refused in the other studies):
  --measured-equivalence derivative|tangents|gran|conductimetric|all
                            the equivalence read off the measured points (--import, --paste
                            or --open) by a method: one line per method and equivalence: the
                            method, its number, the volume in litres and its standard
                            uncertainty in litres, tab-separated
  --smoothing N             the derivative method's Savitzky-Golay window: an odd number of
                            points from 3 to 21, or 0 for none (default 5)
  --monte-carlo N           with --measured-equivalence, also the spread of the derivative,
                            tangent and Gran methods over N draws (10 to 100000) of the points
                            perturbed by 0.02 in pH and 0.05 mL in volume: lines
                            monte-carlo:METHOD (gran-before, gran-after for Gran's lines), the
                            number, the mean volume and its standard deviation in litres
  --gran-range before|after=FROM:TO   fit Gran's line before (after) the jump over the added
                            volumes FROM to TO, in litres, instead of the range chosen from
                            the points
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

A titration of any solution by any solution (--study free):
  --beaker ITEMS            the beaker's solutes, "WHAT=C;WHAT=C;..." with C in mol/L; WHAT a
                            database name (either language), a formula (NaHCO3),
                            acid(pK1,pK2,...), base(pK1,pK2,...) or a spectator ion (Na+, K+,
                            Li+, Cl-, Br-, I-, NO3-, ClO4-); HCl is Cl-, soda Na+
  --burette ITEMS           the burette's solutes, the same way
  --user-solutes FILE       WHAT may also name an entry of this file of "Mes espèces"
  --beaker-volume ML        the beaker's volume, in mL
  --max-volume ML           the largest volume added, in mL (default: twice the last
                            equivalence)
  The table (volume in litres, pH, the species of --tick, dpH/dV per L with --derivative)
  takes --points, --by-volume, --lang, --separator and --digits; --tick numbers the species as
  --at lists them; --at, --equivalence and --indicator read the curve as for a titration.
  --save FILE writes the study into a .titralab file (each row with what it resolved to);
  --open FILE takes the rows of a saved free study (the options given replace its parts);
  --pdf FILE and --png FILE draw its printed page or its chart (the first four species of
  --tick drawn).
  --activities davies|none  the pH as -log a(H3O+), the ionic strength solved with it at each
                            point, the coefficients by the Davies equation (default none)
  --temperature CELSIUS     0 to 60 (default 25): Kw, and each pKa whose enthalpy is known
  --vary temperature=T1;T2;...  one pH column per temperature, the lines by volume
  A row's value is named by its side, its row (from 1) and "c" (its concentration, mol/L; every
  solute of the row follows it) or "pK<k>" (the k-th pKa of its system, in increasing order):
  beaker1.c, burette1.c, beaker2.pK1.
  --vary NAME=V1;V2;...     one pH column per value of a row's value (1 to 12 values), the
                            lines by volume, headed "Bécher 1 (HCl) : c = 0,05 mol/L"; with
                            --xlsx, the workbook holds that table
  --paste FILE              the measured (volume, pH) pairs, as for the titrations (and
                            --paste-unit L|mL)
  --fit NAME,NAME,...       fit the pasted points (--paste, or those of --open) freeing those
                            values (e.g. --fit 'beaker1.c,beaker2.pK2'), with --sigma-ph and
                            --sigma-v; the lines of the titrations' --fit, each value on a line
                            of its name, the equivalence volumes (Veq1...) in litres
  --xlsx FILE               also write the table as a workbook, its constants sheet listing
                            the rows of the beaker and the burette

Exercises (see the README for the description file):
  --make-exercise FILE.json write the student files and the key file (.titralab-cle) the
                            description asks for; the files written on standard error
  --open FILE --student NAME --answer NAME=VALUE... --save FILE
                            record a student's name and answers (C1, C2, Cb, pK1, pK2, pK3,
                            VE1.. in mL, pHE1..; a point or a comma) into an exercise's file
  --mark-exercise KEY FILE...   mark answered files against the key: one line per file,
                            tab-separated: marked, the student, the points obtained, the
                            points possible; or flagged, the file and the reason; with
                            --xlsx FILE, also the table of marks as a workbook

The lesson's diagrams:
  --log                     the species study's table as log10 c (mol/L) of each species
  --buffer-capacity         add the column of the buffer capacity beta = dCb/dpH, exact, in
                            mol/L per pH unit, to the table of the titration, two-mono and
                            species studies
  --explain ML              instead of the table, why the pH is what it is at ML mL of a
                            titration (titration, two-mono), or with 0 of the beaker's
                            solution alone (also species, mixture, dilution): lines formula
                            (its name), approximate pH, exact pH and holds (yes/no),
                            tab-separated, in the language of --lang
  --diagram concentrations|log|buffer   with --png or --svg, the picture of the study's
                            solution (the beaker's in a titration): the concentrations of
                            every species, their logarithmic diagram or the buffer capacity
                            against pH, with the predominance strip of each system
  --diagram gran-before|gran-after   the Gran plot of the measured pH points before or after
                            the jump, its fitted line, range and equivalence
  --log-floor N             the logarithmic diagram's lower bound, -14 to -1 (default -8)
  --validity                instead of the table, the ranges of volume added where each
                            textbook formula of the pH holds within 0.05 (titration,
                            two-mono): lines formula, from (mL), to (mL), tab-separated

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

namespace {

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

// The items of a comma-separated list, empty ones left out.
std::vector<std::string> listItems(const std::string& list) {
    std::vector<std::string> items;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) items.push_back(item);
    return items;
}

std::optional<bool> eitherOr(const std::string& v, const char* yes, const char* no) {
    if (v == yes) return true;
    if (v == no) return false;
    return std::nullopt;
}

// --vary temperature=T1;T2;...: temperatures in °C, 1 to 20, each from 0 to 60.
std::vector<double> parseTemperatures(const std::string& v) {
    std::vector<double> out;
    std::stringstream list(v.substr(v.find('=') + 1));
    std::string item;
    while (std::getline(list, item, ';')) {
        if (item.empty()) continue;
        const BoundedNumber n = ParseBoundedNumber(item, kMinTemperature, kMaxTemperature);
        if (!n.ok)
            throw UsageError{"--vary temperature expects temperatures in °C from 0 to 60, not '" +
                             item + "'"};
        out.push_back(n.value);
    }
    if (out.empty() || out.size() > 20)
        throw UsageError{"--vary temperature expects 1 to 20 temperatures, not '" + v + "'"};
    return out;
}

// --vary FIELD=V1;V2;...: the quantity that varies, the values as typed.
std::pair<FamilyQuantity, std::string> parseVary(const std::string& arg, const std::string& v) {
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
                throw UsageError{"--vary expects D1..D16 or dilution before '=', not '" + what +
                                 "'"};
            const int code = parseInteger(arg, item.substr(1), 1, 16);
            const auto named = fieldOfKey("D" + std::to_string(code));
            if (!named || *named == Field::LineWidth)
                throw UsageError{"--vary: D" + std::to_string(code) + " is not a chemistry field"};
            const int field = static_cast<int>(slot(*named));
            if (std::find(quantity.fields.begin(), quantity.fields.end(), field) ==
                quantity.fields.end())
                quantity.fields.push_back(field);
        }
        if (quantity.fields.empty())
            throw UsageError{"--vary expects D1..D16 or dilution before '='"};
    }
    return {quantity, v.substr(equals + 1)};
}

std::vector<FitValue> parseFitValues(const std::string& list) {
    std::vector<FitValue> values;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item.empty()) continue;
        const auto v = fitValueFromName(item);
        if (!v)
            throw UsageError{"--fit expects names among C1,C2,Cb,pK1,pK2,pK3, not '" + item + "'"};
        values.push_back(*v);
    }
    return values;
}

PageFormat parseFormat(const std::string& v) {
    if (v == "optimised" || v == "2") return PageFormat::Optimised;
    if (v == "half" || v == "1") return PageFormat::HalfPage;
    if (v == "quarter" || v == "0") return PageFormat::QuarterPage;
    throw UsageError{"--format expects optimised, half or quarter, not '" + v + "'"};
}

// An option: its name, whether a value follows it, and what it sets. `arg` is the option as
// typed, `v` its value (empty for a flag).
struct OptionRule {
    const char* name;
    bool takesValue;
    void (*apply)(Options& o, const std::string& arg, const std::string& v);
};

// A setting of the print dialog, kept in the order given.
void printSetting(Options& o, std::function<void(PrintSettings&)> edit) {
    o.print.push_back(std::move(edit));
}

const OptionRule kOptions[] = {
    {"--help", false, [](Options& o, auto&, auto&) { o.help = true; }},
    {"-h", false, [](Options& o, auto&, auto&) { o.help = true; }},
    {"--study", true,
     [](Options& o, auto&, const std::string& v) {
         o.study = parseStudy(v);
         if (!o.study) throw UsageError{"unknown study '" + v + "'"};
     }},
    {"--side", true,
     [](Options& o, auto&, const std::string& v) {
         const std::optional<bool> acid = eitherOr(v, "acid", "base");
         if (!acid) throw UsageError{"--side expects acid or base, not '" + v + "'"};
         o.side = *acid ? BuretteSide::AcidSide : BuretteSide::BaseSide;
     }},
    {"--entry1", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.entry1 = parseInteger(arg, v, 1, kAcidCount);
     }},
    {"--entry2", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.entry2 = parseInteger(arg, v, 1, kAcidCount);
     }},
    {"--points", true, [](Options& o, auto&, const std::string& v) { o.points = v; }},
    {"--dilution", false, [](Options& o, auto&, auto&) { o.dilution = true; }},
    {"--potash", false, [](Options& o, auto&, auto&) { o.potash = true; }},
    {"--by-volume", false, [](Options& o, auto&, auto&) { o.byVolume = true; }},
    {"--separator", true,
     [](Options& o, auto&, const std::string& v) {
         o.comma = eitherOr(v, "comma", "point");
         if (!o.comma) throw UsageError{"--separator expects comma or point, not '" + v + "'"};
     }},
    {"--tick", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         std::vector<int> ticks;
         for (const std::string& item : listItems(v)) ticks.push_back(parseInteger(arg, item, 2, 10));
         o.ticks = ticks;
     }},
    {"--lang", true,
     [](Options& o, auto&, const std::string& v) {
         const std::optional<Language> language = parseLanguage(v);
         if (!language) throw UsageError{"--lang expects fr or en, not '" + v + "'"};
         o.language = *language;
     }},
    {"--digits", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.digits = parseInteger(arg, v, 5, 17);
     }},
    {"--out", true, [](Options& o, auto&, const std::string& v) { o.out = v; }},
    {"--xlsx", true, [](Options& o, auto&, const std::string& v) { o.xlsx = v; }},
    {"--paste", true, [](Options& o, auto&, const std::string& v) { o.paste = v; }},
    {"--pdf", true, [](Options& o, auto&, const std::string& v) { o.pdf = v; }},
    {"--format", true,
     [](Options& o, auto&, const std::string& v) {
         const PageFormat format = parseFormat(v);
         printSetting(o, [format](PrintSettings& p) { p.format = format; });
     }},
    // The number fields of the print dialog keep any text; the page reads it within bounds.
    {"--line-width", true,
     [](Options& o, auto&, const std::string& v) {
         printSetting(o, [v](PrintSettings& p) { p.lineWidth = v; });
     }},
    {"--dash-length", true,
     [](Options& o, auto&, const std::string& v) {
         printSetting(o, [v](PrintSettings& p) { p.dashLengthMm = v; });
     }},
    {"--char-size", true,
     [](Options& o, auto&, const std::string& v) {
         printSetting(o, [v](PrintSettings& p) { p.charSize = v; });
     }},
    {"--graduations", true,
     [](Options& o, auto&, const std::string& v) {
         printSetting(o, [v](PrintSettings& p) { p.approxGraduations = v; });
     }},
    {"--zoom", false,
     [](Options& o, auto&, auto&) { printSetting(o, [](PrintSettings& p) { p.zoomX2 = true; }); }},
    {"--no-constants", false,
     [](Options& o, auto&, auto&) {
         printSetting(o, [](PrintSettings& p) { p.printConstants = false; });
     }},
    {"--colour", false,
     [](Options& o, auto&, auto&) {
         printSetting(o, [](PrintSettings& p) { p.printInColour = true; });
     }},
    {"--color", false,
     [](Options& o, auto&, auto&) {
         printSetting(o, [](PrintSettings& p) { p.printInColour = true; });
     }},
    {"--no-arrows", false,
     [](Options& o, auto&, auto&) {
         printSetting(o, [](PrintSettings& p) { p.axisArrows = false; });
     }},
    {"--grid", false,
     [](Options& o, auto&, auto&) { printSetting(o, [](PrintSettings& p) { p.printGrid = true; }); }},
    {"--comment1", true,
     [](Options& o, auto&, const std::string& v) {
         printSetting(o, [v](PrintSettings& p) { p.comment1 = v; });
     }},
    {"--comment2", true,
     [](Options& o, auto&, const std::string& v) {
         printSetting(o, [v](PrintSettings& p) { p.comment2 = v; });
     }},
    {"--point-style", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.pointStyle = parseInteger(arg, v, 0, 7);
     }},
    {"--derivative", false, [](Options& o, auto&, auto&) { o.derivative = true; }},
    {"--file-line-ends", false, [](Options& o, auto&, auto&) { o.fileLineEnds = true; }},
    {"--equivalence", false, [](Options& o, auto&, auto&) { o.equivalence = true; }},
    {"--indicator", true, [](Options& o, auto&, const std::string& v) { o.indicator = v; }},
    {"--at", true, [](Options& o, auto&, const std::string& v) { o.at = v; }},
    {"--list-solutes", false, [](Options& o, auto&, auto&) { o.listSolutes = true; }},
    {"--find-solute", true, [](Options& o, auto&, const std::string& v) { o.findSolute = v; }},
    {"--solute-card", true, [](Options& o, auto&, const std::string& v) { o.soluteCard = v; }},
    {"--user-solutes", true, [](Options& o, auto&, const std::string& v) { o.userSolutes = v; }},
    {"--png", true, [](Options& o, auto&, const std::string& v) { o.png = v; }},
    {"--svg", true, [](Options& o, auto&, const std::string& v) { o.svg = v; }},
    {"--width", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.width = parseInteger(arg, v, 100, 10000);
     }},
    {"--vary", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         if (v.rfind("temperature=", 0) == 0)
             o.temperatures = parseTemperatures(v);
         else
             o.vary = parseVary(arg, v);
     }},
    {"--open", true, [](Options& o, auto&, const std::string& v) { o.open = v; }},
    {"--activities", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         if (v != "davies" && v != "none")
             throw UsageError{arg + " expects davies or none, not '" + v + "'"};
         o.activities = v == "davies" ? ActivityModel::Davies : ActivityModel::None;
     }},
    {"--temperature", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         const BoundedNumber n = ParseBoundedNumber(v, kMinTemperature, kMaxTemperature);
         if (!n.ok)
             throw UsageError{arg + " expects a temperature in °C from 0 to 60, not '" + v + "'"};
         o.temperature = n.value;
     }},
    {"--save", true, [](Options& o, auto&, const std::string& v) { o.save = v; }},
    {"--fit", true, [](Options& o, auto&, const std::string& v) { o.fit = parseFitValues(v); }},
    {"--sigma-ph", true,
     [](Options& o, auto&, const std::string& v) {
         const BoundedNumber n = ParseBoundedNumber(v, 0.001, kMaxSigmaPH);
         if (!n.ok) throw UsageError{"--sigma-ph expects a pH from 0.001 to 1, not '" + v + "'"};
         o.fitSettings.sigmaPH = n.value;
     }},
    {"--sigma-v", true,
     [](Options& o, auto&, const std::string& v) {
         const BoundedNumber n = ParseBoundedNumber(v, 0, kMaxSigmaVolumeMl);
         if (!n.ok) throw UsageError{"--sigma-v expects mL from 0 to 5, not '" + v + "'"};
         o.fitSettings.sigmaVolumeMl = n.value;
     }},
    {"--import", true, [](Options& o, auto&, const std::string& v) { o.importFile = v; }},
    {"--columns", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         std::vector<int> columns;
         for (const std::string& item : listItems(v))
             columns.push_back(parseInteger(arg, item, 0, static_cast<int>(sheets::kMaxMeasurementColumns)));
         if (columns.size() < 2 || columns.size() > 3 || columns[0] == 0)
             throw UsageError{"--columns expects V,PH[,SIGMA], not '" + v + "'"};
         o.importColumns = columns;
     }},
    {"--measured-equivalence", true,
     [](Options& o, auto&, const std::string& v) {
         o.measuredEquivalence = parseEquivalenceMethods(v);
         if (!o.measuredEquivalence)
             throw UsageError{"--measured-equivalence expects derivative, tangents, gran, "
                              "conductimetric or all, not '" + v + "'"};
     }},
    {"--paste-unit", true,
     [](Options& o, auto&, const std::string& v) {
         if (v == "L" || v == "l")
             o.pasteInMillilitres = false;
         else if (v == "mL" || v == "ml")
             o.pasteInMillilitres = true;
         else
             throw UsageError{"--paste-unit expects L or mL, not '" + v + "'"};
     }},
    {"--log", false, [](Options& o, auto&, auto&) { o.logTable = true; }},
    {"--buffer-capacity", false, [](Options& o, auto&, auto&) { o.bufferCapacity = true; }},
    {"--explain", true, [](Options& o, auto&, const std::string& v) { o.explain = v; }},
    {"--smoothing", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         const int window = parseInteger(arg, v, 0, kMaxSmoothing);
         if (window != 0 && (window < 3 || window % 2 == 0))
             throw UsageError{"--smoothing expects 0 or an odd number of points from 3 to 21, "
                              "not '" + v + "'"};
         o.smoothing = window;
     }},
    {"--monte-carlo", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.monteCarlo = parseInteger(arg, v, 10, 100000);
     }},
    {"--gran-range", true,
     [](Options& o, auto&, const std::string& v) {
         const std::size_t equals = v.find('='), colon = v.find(':');
         const std::string side = v.substr(0, equals);
         const BoundedNumber from = ParseBoundedNumber(
             equals == std::string::npos || colon == std::string::npos
                 ? std::string()
                 : v.substr(equals + 1, colon - equals - 1),
             0, 10);
         const BoundedNumber to = ParseBoundedNumber(
             colon == std::string::npos ? std::string() : v.substr(colon + 1), 0, 10);
         if ((side != "before" && side != "after") || !from.ok || !to.ok || !(from.value < to.value))
             throw UsageError{"--gran-range expects before=FROM:TO or after=FROM:TO, volumes in "
                              "litres with FROM < TO, not '" + v + "'"};
         (side == "before" ? o.granBefore : o.granAfter) = std::pair{from.value, to.value};
     }},
    {"--diagram", true,
     [](Options& o, auto&, const std::string& v) {
         if (v == "gran-before" || v == "gran-after") {
             o.granDiagram = v == "gran-before" ? GranSide::Before : GranSide::After;
             return;
         }
         if (v == "concentrations")
             o.diagram = DiagramKind::Concentrations;
         else if (v == "log")
             o.diagram = DiagramKind::Logarithmic;
         else if (v == "buffer")
             o.diagram = DiagramKind::BufferCapacity;
         else
             throw UsageError{"--diagram expects concentrations, log, buffer, gran-before or "
                              "gran-after, not '" + v + "'"};
     }},
    {"--validity", false, [](Options& o, auto&, auto&) { o.validity = true; }},
    {"--log-floor", true,
     [](Options& o, const std::string& arg, const std::string& v) {
         o.logFloor = parseInteger(arg, v, -14, -1);
     }},
};

const OptionRule* findOption(const std::string& arg) {
    for (const OptionRule& rule : kOptions)
        if (arg == rule.name) return &rule;
    return nullptr;
}

// The checks that concern several options together.
void checkTogether(const Options& o) {
    if (!o.help && !o.study && !o.open && !o.listSolutes && !o.findSolute && !o.soluteCard)
        throw UsageError{"--study is required"};
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
    if (o.explain && !readParticularVolume(*o.explain))
        throw UsageError{"--explain expects a volume >= 0 in mL, not '" + *o.explain + "'"};
    if (o.explain && o.study && !titrationOf(*o.study) && *readParticularVolume(*o.explain) != 0)
        throw UsageError{"--explain: outside the titrations (titration, two-mono) only 0, the "
                         "beaker's solution alone"};
    if (o.validity && o.study && !titrationOf(*o.study))
        throw UsageError{"--validity needs a titration study (titration or two-mono)"};
    if (o.validity && (o.at || o.equivalence || o.explain || o.pdf || o.png || o.svg || o.fit))
        throw UsageError{"--validity prints its lines alone"};
    if ((o.diagram || o.granDiagram) && !o.png && !o.svg)
        throw UsageError{"--diagram draws into the picture of --png or --svg"};
    if (o.granDiagram && o.study && !titrationOf(*o.study))
        throw UsageError{"--diagram gran-before|gran-after needs a titration study (titration "
                         "or two-mono)"};
    if (o.monteCarlo && !o.measuredEquivalence)
        throw UsageError{"--monte-carlo goes with --measured-equivalence"};
    if ((o.diagram || o.granDiagram) && o.pdf)
        throw UsageError{"--diagram draws a picture (--png, --svg), not a page"};
    if (o.logTable && o.study && *o.study != Study::SpeciesVsPH)
        throw UsageError{"--log needs the species study"};
    if (o.bufferCapacity && o.study &&
        (*o.study == Study::TwoPolyMixture || *o.study == Study::Dilution))
        throw UsageError{"--buffer-capacity needs the titration, two-mono or species study"};
    if (o.pdf && o.fit) throw UsageError{"--fit prints values, not a page"};
    if (o.importFile && o.paste) throw UsageError{"--import and --paste: one source of points"};
    if (o.importColumns && !o.importFile) throw UsageError{"--columns needs --import"};
    if (o.measuredEquivalence && o.study && !titrationOf(*o.study))
        throw UsageError{"--measured-equivalence needs a titration study (titration or two-mono)"};
    if (!o.temperatures.empty()) {
        if (o.study == Study::SpeciesVsPH || o.study == Study::TwoPolyMixture)
            throw UsageError{"--vary temperature: the species and mixture studies are computed "
                             "ideal at 25 °C only"};
        if (o.at || o.equivalence || o.indicator || o.explain || o.fit || o.measuredEquivalence ||
            o.logTable || o.bufferCapacity || o.xlsx || o.out)
            throw UsageError{"--vary temperature prints the table, or draws the curves with --png, "
                             "--svg or --pdf"};
        if ((o.png || o.svg || o.pdf) && o.temperatures.size() > kMaxFamilyValues)
            throw UsageError{"--vary temperature draws at most " +
                             std::to_string(kMaxFamilyValues) + " curves"};
    }
    if (o.conditionsGiven()) {
        if (o.study == Study::SpeciesVsPH || o.study == Study::TwoPolyMixture)
            throw UsageError{"--activities and --temperature: the species and mixture studies are "
                             "computed ideal at 25 °C only"};
        if (o.explain || o.vary || o.measuredEquivalence || o.granDiagram || o.logTable ||
            o.bufferCapacity)
            throw UsageError{"--activities and --temperature: in the studies other than free, "
                             "the table (with --by-volume, --derivative, --tick, --out, --xlsx), "
                             "--at, --equivalence, --indicator, --fit, --pdf, --png or --svg"};
    }
    // With --open and no --side, the side is the file's: checked once it is read.
    if (o.side || !o.open) checkEntries(o, o.side.value_or(BuretteSide::AcidSide));
}

} // namespace

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
        if (const OptionRule* rule = findOption(arg)) {
            rule->apply(o, arg, rule->takesValue ? value() : std::string());
        } else if (arg.rfind("--D", 0) == 0 && arg.size() <= 5) {
            // A panel field by its key: --D1 .. --D16.
            const int code = parseInteger(arg, arg.substr(3), 1, 16);
            const std::string text = value();
            // Codes that name no field are accepted and change nothing.
            if (const auto field = fieldOfKey("D" + std::to_string(code))) o.fields[*field] = text;
        } else {
            throw UsageError{"unknown option '" + arg + "'"};
        }
    }
    checkTogether(o);
    return o;
}

} // namespace titralab::cli
