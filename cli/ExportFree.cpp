#include "cli/ExportFree.h"

#include "cli/ExportOptions.h"
#include "cli/ExportOutputs.h"

#include "core/chemistry/FreeTitration.h"
#include "core/chemistry/Indicators.h"
#include "core/chemistry/SolutionItems.h"
#include "core/curves/ChartReading.h"
#include "core/curves/FreeTable.h"
#include "core/numbers/NumberInput.h"
#include "core/texts/ConditionsTexts.h"
#include "core/texts/SolutionTexts.h"

#include <iostream>
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
    // The conditions of the solutions, and the temperatures (°C) of --vary temperature=...
    Conditions conditions{};
    std::vector<double> temperatures{};
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
        else if (arg == "--temperature")
            o.conditions.temperature = celsius(arg, value());
        else if (arg == "--activities") {
            const std::string v = value();
            if (v != "davies" && v != "none")
                throw UsageError{"--activities expects davies or none, not '" + v + "'"};
            o.conditions.activities = v == "davies" ? ActivityModel::Davies : ActivityModel::None;
        } else if (arg == "--vary")
            o.temperatures = variedTemperatures(value());
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
        } else if (arg == "--tick") {
            std::stringstream in(value());
            std::string item;
            while (std::getline(in, item, ','))
                if (!item.empty()) o.ticks.push_back(wholeNumber("--tick", item, 1, 1000));
        } else {
            throw UsageError{"the free study does not take '" + arg + "'"};
        }
    }
    if (!o.beaker || !o.burette || !o.beakerVolume)
        throw UsageError{"--study free needs --beaker, --burette and --beaker-volume"};
    const int readings = (o.at ? 1 : 0) + (o.equivalence || o.indicator ? 1 : 0);
    if (readings > 1) throw UsageError{"--at cannot go with --equivalence or --indicator"};
    if (!o.temperatures.empty() && (readings > 0 || o.derivative || !o.ticks.empty()))
        throw UsageError{"--vary cannot go with --at, --equivalence, --indicator, --derivative or "
                         "--tick"};
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
    double maxVolume = 0; // L; 0 until known
    std::optional<double> atVolume;
    try {
        o = parseFreeArguments(argc, argv);
        std::vector<SoluteEntry> user;
        if (o.userSolutes) {
            const std::string error = userSolutesOfRun(*o.userSolutes, o.language, user);
            if (!error.empty()) throw UsageError{"--user-solutes: " + error};
        }
        t.beaker = solutionOf("--beaker", *o.beaker, o.language, user);
        t.burette = solutionOf("--burette", *o.burette, o.language, user);
        t.beakerVolume = litres("--beaker-volume", *o.beakerVolume);
        if (o.maxVolume) maxVolume = litres("--max-volume", *o.maxVolume);
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
    const Conditions& conditions = o.conditions;
    const std::string kept = freeKeptAt25Message(t, conditions.temperature, o.language);
    if (!kept.empty()) std::cerr << kept << '\n';

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
    return 0;
}

} // namespace titralab::cli
