// titralab-export: computes a study without a window and prints its export table.
#include "app/Notifier.h"
#include "app/Simulation.h"
#include "app/UroutinesDeBase.h"
#include "chemistry/UBaseDonnees.h"
#include "chemistry/UFormules.h"
#include "graph/DgClipBrd.h"
#include "graph/UEspPredFormules.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace titralab;

namespace {

const char* const kUsage = R"(Usage: titralab-export --study STUDY [options]

Computes a TitraLab study without a window and prints its table exactly as the copy command
writes its .Txt file. Messages about the typed values go to standard error, one per line.

  --study titration|species|two-mono|mixture|dilution   (or 0..4) the study (required)
  --side acid|base          what the burette holds: a strong base (acid, default) or acid
  --entry1 N, --entry2 N    load database entry N of the side's table into column 1 / 2
  --D1 TEXT ... --D16 TEXT  the text of a field, as typed (applied after the entries)
  --points TEXT             the number of points (default "100")
  --dilution                tick "Tenir compte de la dilution"
  --potash                  potash instead of soda in the burette
  --by-volume               sample the table by volume instead of by pH
  --separator comma|point   decimal separator of the numbers (default comma)
  --tick LIST               the ticked boxes among 2..10, e.g. 2,3,8 (default: as the graph
                            window starts after choosing the study)
  --digits N                significant digits of the numbers, 5 to 17 (default 5)
  --out DIR                 also write the two numbered files into DIR
  --help                    print this help
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

struct Options {
    std::optional<Study> study;
    BuretteSide side{BuretteSide::AcidSide};
    int entry1{1};
    std::optional<int> entry2;
    std::map<int, std::string> fields;
    std::string points{"100"};
    bool dilution{false};
    bool potash{false};
    bool byVolume{false};
    bool comma{true};
    std::optional<std::vector<int>> ticks;
    int digits{5};
    std::optional<std::string> out;
    bool help{false};
};

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
            const int field = parseInteger(arg, arg.substr(3), 1, 16);
            o.fields[field] = value();
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
        } else if (arg == "--digits")
            o.digits = parseInteger(arg, value(), 5, 17);
        else if (arg == "--out")
            o.out = value();
        else
            throw UsageError{"unknown option '" + arg + "'"};
    }
    if (!o.help && !o.study) throw UsageError{"--study is required"};
    const int entries = entryCount(o.side);
    if (o.entry1 > entries || (o.entry2 && *o.entry2 > entries))
        throw UsageError{"the " + std::string(o.side == BuretteSide::AcidSide ? "acid" : "base") +
                         " table has entries 1 to " + std::to_string(entries)};
    return o;
}

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

    Simulation sim;
    sim.panel.side = o.side;
    sim.panel.study = *o.study;
    sim.panel.baseKind = o.potash ? BaseKind::Potash : BaseKind::Soda;
    sim.panel.pointCount = o.points;
    sim.browser.twoMonoacid = *o.study == Study::TwoMonoTitration;
    if (o.entry2) {
        sim.browser.targetColumn1 = false;
        sim.browser.current(o.side) = *o.entry2;
        LoadEntry(sim.browser, *o.entry2, sim.panel, sim.state);
    }
    sim.browser.targetColumn1 = true;
    sim.browser.current(o.side) = o.entry1;
    LoadEntry(sim.browser, o.entry1, sim.panel, sim.state);
    for (const auto& [field, text] : o.fields) sim.panel.text[field] = text;

    // The graph window's boxes as a study change leaves them, or as asked.
    sim.graph.checked[0] = o.dilution;
    sim.graph.checked[9] = *o.study != Study::SpeciesVsPH;
    if (o.ticks) {
        for (int box = 2; box <= 10; ++box) sim.graph.checked[box - 1] = false;
        for (int box : *o.ticks) sim.graph.checked[box - 1] = true;
    }
    sim.copySampling = o.byVolume ? CopySampling::ByVolume : CopySampling::ByPH;
    sim.decimalComma = o.comma;
    sim.exportDigits = o.digits;

    StderrNotifier notifier;
    try {
        RefreshSimulation(sim, notifier);
    } catch (const ArithmeticFault& e) {
        notifier.error(e.what());
        return 1;
    }
    std::cout << sim.exportText << "\r\n";
    std::cout.flush();
    if (o.out) {
        const ExportResult written = ExportSimulation(sim, *o.out);
        if (!written.ok) {
            std::cerr << "titralab-export: cannot write into " << *o.out << ": " << written.error
                      << '\n';
            return 1;
        }
    }
    return 0;
}
