// The tool reads measurement files as data loggers write them and prints the equivalence each
// lab method reads off the measured points.
#include "core/numbers/NumberInput.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using titralab::testing::runTool;
using titralab::testing::tabFields;
using titralab::testing::ToolRun;

namespace {

namespace fs = std::filesystem;

// Hydrochloric acid, 0.1 mol/L and 20 mL, titrated by soda at 0.1 mol/L (the tool's default
// titration): the equivalence is at C·V0/Cb = 20 mL.
constexpr double kAcid = 0.1, kBeaker = 0.020, kSoda = 0.1, kEquivalence = 0.020; // mol/L, L

struct Measure {
    double volume; // L
    double pH;
    double conductivity; // S/m
};

// The exact curve of a strong acid by a strong base, and Kohlrausch's conductivity from the
// usual molar conductivities (mS·m²/mol): Na+ 5.01, Cl− 7.63, H3O+ 34.98, OH− 19.86.
std::vector<Measure> measurements() {
    std::vector<Measure> out;
    for (int k = 0; k <= 80; ++k) {
        const double v = k * 0.5e-3, total = kBeaker + v;
        const double excess = (kAcid * kBeaker - kSoda * v) / total;
        const double h = (excess + std::sqrt(excess * excess + 4e-14)) / 2, oh = 1e-14 / h;
        const double sigma =
            (5.01 * kSoda * v / total + 7.63 * kAcid * kBeaker / total + 34.98 * h + 19.86 * oh);
        out.push_back({v, -std::log10(h), sigma}); // mS·m²/mol × mol/L = S/m
    }
    return out;
}

std::string fixed(double x, int decimals, char separator) {
    std::ostringstream s;
    s.precision(decimals);
    s << std::fixed << x;
    std::string text = s.str();
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

// A semicolon file with decimal commas, millilitres and mS/cm, and one line no logger writes.
std::string semicolonFile() {
    std::string s = "V (mL);pH;\xCF\x83 (mS/cm)\n";
    int line = 0;
    for (const Measure& m : measurements()) {
        if (++line == 5) s += "pause;--;--\n";
        s += fixed(m.volume * 1e3, 2, ',') + ";" + fixed(m.pH, 3, ',') + ";" +
             fixed(m.conductivity * 10, 4, ',') + "\n";
    }
    return s;
}

// A tab file in litres, names then units on the line under them, Latin-1 "µS/cm".
std::string tabFile() {
    std::string s = "V\tpH\tsigma\nL\t\t\xB5S/cm\n";
    for (const Measure& m : measurements())
        s += fixed(m.volume, 5, '.') + "\t" + fixed(m.pH, 3, '.') + "\t" +
             fixed(m.conductivity * 1e4, 1, '.') + "\n";
    return s;
}

std::string written(const std::string& name, const std::string& bytes) {
    const fs::path path = fs::temp_directory_path() / ("titralab-measures-" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}


double number(const std::string& field) {
    return titralab::ParseBoundedNumber(field, -1e300, 1e300).value;
}

struct ImportCase {
    const char* label;
    std::string arguments;             // after --study titration
    std::vector<std::string> methods;  // the method of each line printed, in order
    std::vector<std::string> reported; // found on standard error
};

TEST(MeasurementTool, ReadsTheFileAndPrintsEachMethodsEquivalence) {
    const std::string semicolon = written("semicolon.csv", semicolonFile());
    const std::string tab = written("tab.txt", tabFile());
    const std::string study = (fs::temp_directory_path() / "titralab-measures.titralab").string();
    const ImportCase cases[] = {
        {"semicolon file, every method",
         "--import " + semicolon + " --measured-equivalence all --lang en",
         {"derivative", "tangents", "gran", "gran", "conductimetric"},
         {"volume = 1 (V (mL))", "pH = 2", "conductivity = 3", "line 6: pause;--;--",
          "volumes in mL (read in the header)", "81 conductivity points"}},
        {"tab file in litres, columns given",
         "--import " + tab + " --columns 1,2,3 --measured-equivalence conductimetric --lang en",
         {"conductimetric"},
         {"volumes in L (read in the header)", "conductivities in µS/cm (read in the header)"}},
        {"conductivity only",
         "--import " + tab + " --columns 1,0,3 --measured-equivalence gran",
         {},
         {"Colonnes : volume = 1 (V), conductivité = 3 (sigma)"}},
        {"kept in the study file", "--import " + semicolon + " --save " + study, {}, {}},
        {"with the Monte-Carlo spreads",
         "--import " + semicolon + " --measured-equivalence all --monte-carlo 200",
         {"derivative", "tangents", "gran", "gran", "conductimetric", "monte-carlo:derivative",
          "monte-carlo:tangents", "monte-carlo:gran-before", "monte-carlo:gran-after"},
         {}},
        // Gran's line before the jump fitted over two points finds nothing; the one after it
        // over its given range still meets the axis at the equivalence.
        {"Gran's ranges given",
         "--import " + semicolon +
             " --measured-equivalence gran --gran-range before=0.0001:0.0006"
             " --gran-range after=0.024:0.036",
         {"gran"},
         {}},
        {"read back from the study file",
         "--open " + study + " --measured-equivalence all",
         {"derivative", "tangents", "gran", "gran", "conductimetric"},
         {}},
    };
    for (const ImportCase& c : cases) {
        const bool opened = c.arguments.rfind("--open", 0) == 0;
        const ToolRun run =
            runTool((opened ? "" : "--study titration ") + c.arguments + " --separator point");
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        for (const std::string& text : c.reported)
            EXPECT_NE(run.err.find(text), std::string::npos) << c.label << ": " << run.err;
        if (c.arguments.find("--measured-equivalence") == std::string::npos) continue;
        EXPECT_EQ(run.out.find('\r'), std::string::npos) << c.label;
        const auto lines = tabFields(run.out);
        ASSERT_EQ(lines.size(), c.methods.size()) << c.label << ":\n" << run.out;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            ASSERT_EQ(lines[k].size(), 4u) << c.label << " line " << k;
            EXPECT_EQ(lines[k][0], c.methods[k]) << c.label;
            EXPECT_EQ(lines[k][1], "1") << c.label;
            const double volume = number(lines[k][2]), u = number(lines[k][3]);
            EXPECT_NEAR(volume, kEquivalence, 0.1e-3) << c.label << " " << c.methods[k];
            EXPECT_GT(u, 0) << c.label << " " << c.methods[k];
            EXPECT_LT(std::abs(volume - kEquivalence), 3 * u) << c.label << " " << c.methods[k];
        }
    }
}

TEST(MeasurementTool, RefusesWhatIsNoMeasurementFile) {
    std::string binary;
    for (int k = 0; k < 4096; ++k) binary += static_cast<char>(k % 256);
    const struct {
        const char* label;
        std::string arguments;
        int status;
        const char* said;
    } cases[] = {
        {"binary file", "--import " + written("binary.dat", binary), 1, "binary.dat"},
        {"no readable line", "--import " + written("words.txt", "volume;pH\nnone;here\n"), 1,
         "words.txt"},
        {"column beyond the file",
         "--import " + written("two.csv", "1;2\n3;4\n") + " --columns 1,3", 2, "2 columns"},
        {"with --paste", "--import a --paste b", 2, "--import and --paste"},
        {"unknown method", "--measured-equivalence guess", 2, "guess"},
        {"Gran range of no side", "--gran-range middle=0.001:0.002", 2, "--gran-range"},
        {"Gran range backwards", "--gran-range before=0.002:0.001", 2, "--gran-range"},
        {"too few draws", "--monte-carlo 5", 2, "--monte-carlo"},
    };
    for (const auto& c : cases) {
        const ToolRun run =
            runTool("--study titration " + c.arguments + " --measured-equivalence all");
        EXPECT_EQ(run.status, c.status) << c.label << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.label << ": " << run.out;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << c.label << ": " << run.err;
    }
}

} // namespace
