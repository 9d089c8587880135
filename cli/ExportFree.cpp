#include "cli/ExportFree.h"

#include "cli/ExportOptions.h"
#include "cli/ExportOutputs.h"
#include "cli/ExportStudy.h"

#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/Indicators.h"
#include "core/chemistry/SolutionItems.h"
#include "core/curves/ChartReading.h"
#include "core/curves/FreeTable.h"
#include "core/curves/PastedPoints.h"
#include "core/numbers/NumberFormat.h"
#include "core/numbers/NumberInput.h"
#include "core/session/FreeFit.h"
#include "core/session/InputPanel.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"
#include "core/session/StudyFile.h"
#include "core/session/WorkbookModule.h"
#include "core/system/UserSolutes.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/InputTexts.h"
#include "core/texts/SolutionTexts.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace titralab::cli {

namespace {

struct FreeOptions {
    std::optional<std::string> beaker;
    std::optional<std::string> burette;
    std::optional<std::string> beakerVolume; // mL, as typed
    std::optional<std::string> maxVolume;    // mL, as typed
    int points{100};
    bool byVolume{false};
    bool derivative{false};
    bool equivalence{false};
    std::optional<std::string> at;        // mL, as typed
    std::optional<std::string> indicator; // a name, as typed
    std::optional<std::string> userSolutes; // a file of the teacher's own entries
    std::vector<int> ticks;
    std::optional<bool> comma;
    int digits{5};
    Language language{Language::French};
    std::optional<std::string> save; // a study file to write
    std::optional<std::string> open; // a study file whose rows replace the missing options
    std::optional<std::string> pdf;  // the printed page
    std::optional<std::string> png;  // the chart
    // The conditions of the solutions, and the temperatures (°C) of --vary temperature=...
    Conditions conditions{};
    bool conditionsGiven{false}; // --temperature or --activities: they replace an opened file's
    std::vector<double> temperatures{};
    // Measured points, their fit, a row's value varied (--vary beaker1.c=...), the workbook.
    std::optional<std::string> paste;       // a file of (volume, pH) pairs
    std::optional<bool> pasteInMillilitres; // --paste-unit
    std::optional<std::vector<FreeRowValue>> fit;
    FitSettings fitSettings{};
    std::optional<FreeRowValue> varied;
    std::string variedValues; // "V1;V2;...", as typed
    std::optional<std::string> xlsx;
};

constexpr double kMaxFreeVolume = 10000; // mL, beaker or burette

int wholeNumber(const std::string& option, const std::string& text, int low, int high) {
    const BoundedNumber n = ParseBoundedNumber(text, low, high);
    if (!n.ok || n.value != static_cast<int>(n.value))
        throw UsageError{option + " expects a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'"};
    return static_cast<int>(n.value);
}

// A volume in mL, within (0, kMaxFreeVolume], as litres.
double litres(const std::string& option, const std::string& text) {
    const BoundedNumber n = ParseBoundedNumber(text, 0, kMaxFreeVolume);
    if (!n.ok || !(n.value > 0))
        throw UsageError{option + " expects a volume in mL above 0 and up to 10000, not '" + text +
                         "'"};
    return n.value / 1000;
}

// A temperature in °C within the range the constants hold for.
double celsius(const std::string& option, const std::string& text) {
    const BoundedNumber n = ParseBoundedNumber(text, kMinTemperature, kMaxTemperature);
    if (!n.ok)
        throw UsageError{option + " expects a temperature in °C from 0 to 60, not '" + text + "'"};
    return n.value;
}

constexpr int kMaxVariedTemperatures = 20;

// --vary temperature=T1;T2;...: the temperatures in °C, in the order typed.
std::vector<double> variedTemperatures(const std::string& text) {
    const std::string prefix = "temperature=";
    if (text.compare(0, prefix.size(), prefix) != 0)
        throw UsageError{"--vary: the free study varies only temperature=T1;T2;... (°C), not '" +
                         text + "'"};
    std::vector<double> out;
    std::stringstream in(text.substr(prefix.size()));
    std::string item;
    while (std::getline(in, item, ';'))
        if (!item.empty()) out.push_back(celsius("--vary temperature", item));
    if (out.empty() || out.size() > kMaxVariedTemperatures)
        throw UsageError{"--vary temperature expects 1 to " +
                         std::to_string(kMaxVariedTemperatures) + " temperatures, not '" + text +
                         "'"};
    return out;
}

// --vary NAME=V1;V2;...: a row's value (beaker1.c, burette1.pK2...), its values checked once
// the rows are read.
void parseVary(FreeOptions& o, const std::string& text) {
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    if (name == "temperature") {
        o.temperatures = variedTemperatures(text);
        return;
    }
    const std::optional<FreeRowValue> value = freeRowValueFromName(name);
    if (equals == std::string::npos || !value)
        throw UsageError{"--vary: the free study varies temperature=T1;T2;... (°C) or a row's "
                         "value, beaker1.c=C1;C2;... (mol/L) or burette1.pK1=P1;P2;..., not '" +
                         text + "'"};
    o.varied = value;
    o.variedValues = text.substr(equals + 1);
}

// --fit beaker1.c,beaker2.pK1: the rows' values freed.
std::vector<FreeRowValue> parseFreeFitValues(const std::string& list) {
    std::vector<FreeRowValue> values;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ','))
        if (item.find_first_not_of(" \t") != std::string::npos) {
            const std::optional<FreeRowValue> value = freeRowValueFromName(item);
            if (!value)
                throw UsageError{"--fit expects names such as beaker1.c, burette1.c, "
                                 "beaker2.pK1, not '" +
                                 item + "'"};
            values.push_back(*value);
        }
    if (values.empty()) throw UsageError{"--fit expects at least one name, such as beaker1.c"};
    return values;
}

FreeOptions parseFreeArguments(int argc, char** argv) {
    FreeOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError{arg + " expects a value"};
            return argv[++i];
        };
        if (arg == "--study")
            value();
        else if (arg == "--beaker")
            o.beaker = value();
        else if (arg == "--burette")
            o.burette = value();
        else if (arg == "--beaker-volume")
            o.beakerVolume = value();
        else if (arg == "--max-volume")
            o.maxVolume = value();
        else if (arg == "--points")
            o.points = wholeNumber(arg, value(), 2, 10000);
        else if (arg == "--by-volume")
            o.byVolume = true;
        else if (arg == "--derivative")
            o.derivative = true;
        else if (arg == "--equivalence")
            o.equivalence = true;
        else if (arg == "--at")
            o.at = value();
        else if (arg == "--indicator")
            o.indicator = value();
        else if (arg == "--temperature") {
            o.conditions.temperature = celsius(arg, value());
            o.conditionsGiven = true;
        } else if (arg == "--activities") {
            o.conditionsGiven = true;
            const std::string v = value();
            if (v != "davies" && v != "none")
                throw UsageError{"--activities expects davies or none, not '" + v + "'"};
            o.conditions.activities = v == "davies" ? ActivityModel::Davies : ActivityModel::None;
        } else if (arg == "--vary")
            parseVary(o, value());
        else if (arg == "--paste")
            o.paste = value();
        else if (arg == "--paste-unit") {
            const std::string v = value();
            if (v != "L" && v != "mL")
                throw UsageError{"--paste-unit expects L or mL, not '" + v + "'"};
            o.pasteInMillilitres = v == "mL";
        } else if (arg == "--fit")
            o.fit = parseFreeFitValues(value());
        else if (arg == "--sigma-ph") {
            const std::string v = value();
            const BoundedNumber n = ParseBoundedNumber(v, 0.001, kMaxSigmaPH);
            if (!n.ok) throw UsageError{"--sigma-ph expects a pH from 0.001 to 1, not '" + v + "'"};
            o.fitSettings.sigmaPH = n.value;
        } else if (arg == "--sigma-v") {
            const std::string v = value();
            const BoundedNumber n = ParseBoundedNumber(v, 0, kMaxSigmaVolumeMl);
            if (!n.ok) throw UsageError{"--sigma-v expects mL from 0 to 5, not '" + v + "'"};
            o.fitSettings.sigmaVolumeMl = n.value;
        } else if (arg == "--xlsx")
            o.xlsx = value();
        else if (arg == "--user-solutes")
            o.userSolutes = value();
        else if (arg == "--digits")
            o.digits = wholeNumber(arg, value(), 5, 17);
        else if (arg == "--separator") {
            const std::string v = value();
            if (v != "comma" && v != "point")
                throw UsageError{"--separator expects comma or point, not '" + v + "'"};
            o.comma = v == "comma";
        } else if (arg == "--lang") {
            const std::string v = value();
            if (v != "fr" && v != "en")
                throw UsageError{"--lang expects fr or en, not '" + v + "'"};
            o.language = v == "en" ? Language::English : Language::French;
        } else if (arg == "--save") {
            o.save = value();
        } else if (arg == "--open") {
            o.open = value();
        } else if (arg == "--pdf") {
            o.pdf = value();
        } else if (arg == "--png") {
            o.png = value();
        } else if (arg == "--tick") {
            std::stringstream in(value());
            std::string item;
            while (std::getline(in, item, ','))
                if (!item.empty()) o.ticks.push_back(wholeNumber("--tick", item, 1, 1000));
        } else {
            throw UsageError{"the free study does not take '" + arg + "'"};
        }
    }
    if (!o.open && (!o.beaker || !o.burette || !o.beakerVolume))
        throw UsageError{"--study free needs --beaker, --burette and --beaker-volume (or --open)"};
    const int readings = (o.at ? 1 : 0) + (o.equivalence || o.indicator ? 1 : 0) + (o.pdf ? 1 : 0) +
                         (o.png ? 1 : 0) + (o.fit ? 1 : 0);
    if (readings > 1)
        throw UsageError{
            "--at, --equivalence (or --indicator), --fit, --pdf and --png go one at a time"};
    const bool varies = !o.temperatures.empty() || o.varied;
    if (varies && (readings > 0 || o.derivative || !o.ticks.empty()))
        throw UsageError{"--vary cannot go with --at, --equivalence, --indicator, --fit, --pdf, "
                         "--png, --derivative or --tick"};
    if (o.xlsx && (readings > 0 || !o.temperatures.empty()))
        throw UsageError{"--xlsx writes the table (or the family of --vary NAME=...): not with "
                         "--at, --equivalence, --indicator, --fit, --pdf, --png or --vary "
                         "temperature"};
    if (o.indicator && !findIndicator(*o.indicator))
        throw UsageError{"--indicator: no indicator named '" + *o.indicator + "'"};
    return o;
}

// The solution of an option's items; a refusal names the item and its place.
Solution solutionOf(const std::string& option, const std::string& text, Language language,
                    const std::vector<SoluteEntry>& user) {
    ParsedItems parsed = parseSolutionItems(text, &user);
    if (parsed.error)
        throw UsageError{option + ": " + texts::itemErrorMessage(*parsed.error, language)};
    return std::move(parsed.solution);
}

// The rows of an option's items as the panel holds them: "WHAT=C" each (already checked).
std::vector<FreeRow> rowsOf(const std::string& text) {
    std::vector<FreeRow> rows;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ';')) {
        const std::size_t equals = item.rfind('=');
        if (equals == std::string::npos) continue;
        auto trim = [](std::string t) {
            const std::size_t first = t.find_first_not_of(" \t");
            const std::size_t last = t.find_last_not_of(" \t");
            return first == std::string::npos ? std::string{} : t.substr(first, last - first + 1);
        };
        rows.push_back({trim(item.substr(0, equals)), trim(item.substr(equals + 1)), {}, {}});
    }
    return rows;
}

// The study as the program holds it: from the file of --open, the options replacing its parts.
struct FreeSession {
    Simulation sim;
    PanelView view;
    PrintSettings print;
};

void chooseFreeStudy(FreeSession& session, Language language) {
    setLanguage(session.sim, language);
    startPanel(session.view, session.sim);
    chooseBurette(session.view, session.sim, 0);
    chooseStudy(session.view, session.sim, static_cast<int>(Study::FreeSolutions));
}

std::unique_ptr<FreeSession> openFreeSession(const FreeOptions& o,
                                             const std::vector<SoluteEntry>& user,
                                             const std::optional<std::string>& pasted) {
    auto session = std::make_unique<FreeSession>();
    chooseFreeStudy(*session, o.language);
    if (!user.empty()) {
        // The rows may name the teacher's entries of --user-solutes.
        auto database = std::make_shared<SoluteDatabase>();
        addUserSolutes(*database, user, o.language);
        session->sim.freeStudy.database = std::move(database);
    }
    if (o.open) {
        const StudyOpening opening = openStudyFile(*o.open, o.language);
        if (!opening.record) throw UsageError{opening.error};
        if (opening.record->study != Study::FreeSolutions)
            throw UsageError{"--open: " + displayName(*o.open) + " holds no free study"};
        applyStudy(*opening.record, session->sim, session->view);
        session->print = opening.record->print;
    }
    FreeStudyInputs& inputs = session->sim.freeStudy.inputs;
    if (o.beaker) inputs.beaker = rowsOf(*o.beaker);
    if (o.burette) inputs.burette = rowsOf(*o.burette);
    if (o.beakerVolume) inputs.beakerVolume = *o.beakerVolume;
    if (o.maxVolume) inputs.maxVolume = *o.maxVolume;
    session->sim.panel.pointCount =
        std::to_string(std::clamp(o.points, kMinGraphPoints, kMaxGraphPoints));
    session->sim.reading.options.equivalences = true;
    for (int k : o.ticks)
        if (k <= 4) session->sim.graph.checked[static_cast<std::size_t>(k)] = true;
    if (o.indicator) session->sim.reading.options.indicator = *findIndicator(*o.indicator);
    if (pasted) PastePairs(session->sim, true, *pasted);
    if (o.pasteInMillilitres) session->sim.pasted.inMillilitres = *o.pasteInMillilitres;
    if (o.comma) session->sim.exportSettings.decimalComma = *o.comma;
    session->sim.exportSettings.digits = o.digits;
    // The conditions typed replace the file's; without them, a new study is ideal at 25 °C.
    if (o.conditionsGiven || !o.open) session->sim.conditions = o.conditions;
    return session;
}

// --fit: the lines of the studies' --fit, each value named as --fit names it.
int printFreeFit(const Simulation& sim, const FreeOptions& o) {
    const FreeFitResult fit = fitFreeStudy(sim, *o.fit, o.fitSettings, o.conditions);
    if (!fit.notice.empty()) std::cerr << "titralab-export: " << fit.notice << '\n';
    if (!fit.ok) std::cerr << "titralab-export: " << fit.refusal << '\n';
    const bool comma = o.comma.value_or(o.language == Language::French);
    auto number = [&](double x) {
        return x < 0 ? "-" + FormatValue(-x, comma, o.digits) : FormatValue(x, comma, o.digits);
    };
    if (fit.ok) {
        for (std::size_t j = 0; j < fit.values.size() && j < fit.freed.size(); ++j)
            std::cout << freeRowValueName(fit.freed[j]) << '\t' << number(fit.values[j].value)
                      << '\t' << number(fit.values[j].uncertainty) << '\n';
        for (const FittedEquivalence& e : fit.equivalences)
            std::cout << "Veq" << e.number << '\t' << number(e.volume) << '\t'
                      << number(e.uncertainty) << '\n';
    }
    if (fit.ran) {
        std::cout << "s(pH)\t" << number(fit.residualDeviation) << '\n';
        std::cout << "points\t" << fit.pointsUsed << '\n';
    }
    std::cout.flush();
    return fit.ok ? 0 : 1;
}

int writeFreeWorkbook(const Simulation& sim, const std::string& path) {
    const WorkbookResult workbook = writeWorkbookWithModule(sim, path);
    if (!workbook.ok) {
        std::cerr << "titralab-export: " << path << " : " << workbook.error << '\n';
        return 1;
    }
    if (!workbook.notice.empty()) std::cerr << "titralab-export: " << workbook.notice << '\n';
    return 0;
}

// --vary NAME=V1;V2;...: one pH column per value; with --xlsx, the workbook of that table.
int printFreeFamily(const Simulation& sim, const FreeOptions& o,
                    const std::vector<double>& values) {
    FreeTableRequest request;
    request.points = sim.state.pointCount;
    request.decimalComma = o.comma.value_or(o.language == Language::French);
    request.digits = o.digits;
    request.language = o.language;
    request.conditions = o.conditions;
    const ExportTable table = freeVaryColumns(sim, *o.varied, values, o.conditions);
    std::cout << freeColumnsText(table, request);
    std::cout.flush();
    if (!o.xlsx) return 0;
    Simulation family = sim;
    family.results.exportTable = table;
    return writeFreeWorkbook(family, *o.xlsx);
}

} // namespace

bool asksForFreeStudy(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--study" &&
            (std::string(argv[i + 1]) == "free" || std::string(argv[i + 1]) == "5"))
            return true;
    return false;
}

int runFreeStudy(int argc, char** argv) {
    FreeOptions o;
    FreeTitration t;
    std::unique_ptr<FreeSession> session; // with --open, --save, --pdf or --png
    double maxVolume = 0; // L; 0 until known
    std::optional<double> atVolume;
    std::vector<double> variedValues;
    try {
        o = parseFreeArguments(argc, argv);
        std::vector<SoluteEntry> user;
        if (o.userSolutes) {
            const std::string error = userSolutesOfRun(*o.userSolutes, o.language, user);
            if (!error.empty()) throw UsageError{"--user-solutes: " + error};
        }
        if (o.beaker) t.beaker = solutionOf("--beaker", *o.beaker, o.language, user);
        if (o.burette) t.burette = solutionOf("--burette", *o.burette, o.language, user);
        if (o.beakerVolume) t.beakerVolume = litres("--beaker-volume", *o.beakerVolume);
        if (o.maxVolume) maxVolume = litres("--max-volume", *o.maxVolume);
        std::optional<std::string> pasted;
        if (o.paste) {
            pasted = readFile(*o.paste, kMaxPastedTextBytes);
            if (!pasted) {
                const std::string kind = notRegularToRead(*o.paste, Language::English);
                std::cerr << "titralab-export: cannot read " << *o.paste
                          << (kind.empty() ? "" : ": ") << kind << '\n';
                return 1;
            }
        }
        if (o.open || o.save || o.pdf || o.png || o.paste || o.fit || o.varied || o.xlsx) {
            session = openFreeSession(o, user, pasted);
            StderrNotifier notifier;
            RefreshSimulation(session->sim, notifier);
            const FreeStudyResult& result = session->sim.freeStudy.result;
            if (!result.titration) return 1;
            t = *result.titration;
            o.conditions = session->sim.conditions; // an opened file's, unless typed
            if (!o.maxVolume) maxVolume = result.maxVolume;
            if (o.varied) {
                if (!freeRowValueIn(session->sim, *o.varied))
                    throw UsageError{"--vary: the study has no " + freeRowValueName(*o.varied)};
                const FreeValueList values =
                    parseFreeFamilyValues(session->sim, *o.varied, o.variedValues);
                if (!values.refusal.empty())
                    throw UsageError{"--vary " + freeRowValueName(*o.varied) + ": " +
                                     values.refusal};
                variedValues = values.values;
            }
        }
        if (o.at) {
            atVolume = readParticularVolume(*o.at);
            if (!atVolume || *atVolume > kMaxFreeVolume)
                throw UsageError{"--at expects a volume in mL from 0 up to 10000, not '" + *o.at +
                                 "'"};
        }
        const int species = static_cast<int>(freeSpecies(t, o.language).size());
        if (!o.ticks.empty() && species == 0)
            throw UsageError{"--tick: neither solution holds an acid-base species"};
        for (int k : o.ticks)
            if (k > species)
                throw UsageError{"--tick: the species are numbered 1 to " +
                                 std::to_string(species) + ", not " + std::to_string(k)};
    } catch (const UsageError& e) {
        std::cerr << "titralab-export: " << e.message << " (see --help)\n";
        return 2;
    }
    const bool comma = o.comma.value_or(o.language == Language::French);
    if (o.save) {
        const std::string failure = saveStudyFile(
            *o.save, captureStudy(session->sim, session->view, session->print), o.language);
        if (!failure.empty()) {
            std::cerr << "titralab-export: " << failure << '\n';
            return 1;
        }
    }
#ifdef TITRALAB_EXPORT_PDF
    if (o.pdf || o.png) {
        Options drawing;
        drawing.pdf = o.pdf;
        drawing.png = o.png;
        return writeDrawing(session->sim, session->print, drawing, argc, argv);
    }
#else
    if (o.pdf || o.png) {
        std::cerr << "titralab-export: --pdf and --png: each needs a build with Qt\n";
        return 2;
    }
#endif
    const Conditions& conditions = o.conditions;
    const std::string kept = freeKeptAt25Message(t, conditions.temperature, o.language);
    if (!kept.empty()) std::cerr << kept << '\n';
    if (o.paste && session->sim.pasted.inMillilitres)
        std::cerr << texts::kPastedInMillilitres.in(o.language) << '\n';
    if (o.fit) return printFreeFit(session->sim, o);
    if (o.varied) return printFreeFamily(session->sim, o, variedValues);

    if (atVolume) {
        std::cout << freePointLines(t, *atVolume / 1000, comma, o.digits, o.language, conditions);
        return 0;
    }
    const FreeEquivalences points = freeEquivalences(t, conditions);
    for (const std::string& message : freeUntitratedMessages(points, o.language))
        std::cerr << message << '\n';
    if (points.beyondDavies && (o.equivalence || o.indicator))
        std::cerr << texts::kBeyondDavies.in(o.language) << '\n';
    if (o.equivalence) std::cout << freeEquivalenceLines(points, comma, o.digits);
    if (o.indicator)
        std::cout << freeIndicatorLines(points, colourIndicators()[*findIndicator(*o.indicator)],
                                        comma, o.digits, o.language);
    if (o.equivalence || o.indicator) return 0;

    FreeTableRequest request;
    request.maxVolume = maxVolume > 0 ? maxVolume : defaultFreeMaxVolume(t, points);
    request.points = o.points;
    request.byVolume = o.byVolume;
    request.derivative = o.derivative;
    request.species = o.ticks;
    request.decimalComma = comma;
    request.digits = o.digits;
    request.language = o.language;
    request.conditions = conditions;
    const std::string table = o.temperatures.empty()
                                  ? freeTitrationTable(t, request)
                                  : freeTemperatureTable(t, request, o.temperatures);
    // What the status line says once.
    if (table.find(texts::kBeyondDavies.in(o.language)) != std::string::npos)
        std::cerr << texts::kBeyondDavies.in(o.language) << '\n';
    std::cout << table;
    return o.xlsx ? writeFreeWorkbook(session->sim, *o.xlsx) : 0;
}

} // namespace titralab::cli
