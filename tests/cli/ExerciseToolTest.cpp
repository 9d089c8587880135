// titralab-export's exercises: the student files hold no expected value, a seed makes the same
// files, each student's points follow the values drawn for them, and marking flags what does
// not belong.
#include "ToolRun.h"
#include "tests/core/session/WorkbookReader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using titralab::testing::runTool;
using titralab::testing::tabFields;
using titralab::testing::ToolRun;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The study an exercise is made from: the ethanoic acid titration shipped with the program, or
// the same solutions (20 mL of the acid, soda 0.1 mol/L) as a free study; the names of its
// concentration and pKa.
struct StudyKind {
    const char* label;
    bool free;
    const char* c;
    const char* pK;
};
constexpr StudyKind kTitration{"titration", false, "C1", "pK1"};
constexpr StudyKind kFreeStudy{"free study", true, "beaker1.c", "beaker1.pK1"};

// The folders the tests made, removed when the test program ends.
struct MadeFolders {
    std::vector<fs::path> folders;
    ~MadeFolders() {
        std::error_code ec;
        for (const fs::path& f : folders) fs::remove_all(f, ec);
    }
};
MadeFolders madeFolders;

// A folder of its own holding the study as base.titralab.
fs::path freshFolder(const std::string& name, const StudyKind& study = kTitration) {
    const fs::path folder =
        fs::temp_directory_path() / ("titralab-exercise-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    madeFolders.folders.push_back(folder);
    if (study.free) {
        const ToolRun run = runTool("--study free --beaker 'acid(4.76)=0.1' --beaker-volume 20 "
                                    "--burette 'Na+=0.1' --save '" +
                                    (folder / "base.titralab").string() + "'");
        EXPECT_EQ(run.status, 0) << run.err;
    } else {
        fs::copy_file(fs::path(TITRALAB_SOURCE_DATA) / "Etudes" /
                          "acide-ethanoique-mesures.titralab",
                      folder / "base.titralab");
    }
    return folder;
}

json classDescription(std::uint64_t seed, double sigmaPH = 0.02, double sigmaVolume = 0.02,
                      const StudyKind& study = kTitration) {
    return json{{"study", "base.titralab"},
                {"unknowns",
                 {{{"name", study.c}, {"range", {0.05, 0.15}}},
                  {{"name", study.pK}, {"range", {4.2, 5.2}}}}},
                {"students", {"Ana", "Ben", "Chloé"}},
                {"volumes", {{"from", 0}, {"to", 30}, {"step", 0.5}}},
                {"noise", {{"pH", sigmaPH}, {"volume", sigmaVolume}}},
                {"seed", seed},
                {"questions",
                 {{{"name", study.c}, {"tolerance", "2%"}, {"points", 2}},
                  {{"name", study.pK}, {"tolerance", 0.1}, {"points", 2}},
                  {{"name", "VE1"}, {"tolerance", 0.2}, {"points", 1}},
                  {{"name", "pHE1"}, {"tolerance", 0.2}, {"points", 1}}}},
                {"tools", {"fit", "readings"}},
                {"title", "Dosage d'un acide faible"},
                {"text", "Trouvez la concentration et le pKa."},
                {"out", "copies"}};
}

// Writes the description into `folder` and makes the exercise; the key as JSON.
json makeExercise(const fs::path& folder, const json& description) {
    writeText(folder / "tp.json", description.dump(2));
    const ToolRun run = runTool("--make-exercise '" + (folder / "tp.json").string() + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string key = readAll(folder / "copies" / "tp.titralab-cle");
    return json::parse(key, nullptr, false);
}

std::map<std::string, double> valuesOf(const json& key, const std::string& student) {
    std::map<std::string, double> values;
    for (const json& f : key["files"])
        if (f["student"] == student)
            for (const auto& item : f["values"].items()) values[item.key()] = item.value();
    return values;
}

// Every way a program writes a double: general and scientific with 5 to 17 significant digits,
// with a point or a comma, the exponent as C writes it or shortened; and the double's eight
// bytes in hexadecimal (both byte orders, both cases) and in base64.
std::vector<std::string> writtenForms(double x) {
    std::set<std::string> forms;
    char buffer[64];
    auto both = [&](std::string s) {
        forms.insert(s);
        for (char& c : s)
            if (c == '.') c = ',';
        forms.insert(s);
    };
    for (int digits = 5; digits <= 17; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, x);
        both(buffer);
        std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, x);
        std::string sci = buffer;
        both(sci);
        // 9.8734e-02 as 9.8734E-2.
        const auto e = sci.find('e');
        std::string exponent = sci.substr(e + 1);
        const bool negative = exponent[0] == '-';
        exponent = exponent.substr(1);
        while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
        both(sci.substr(0, e) + "E" + (negative ? "-" : "") + exponent);
    }
    unsigned char bytes[8];
    std::memcpy(bytes, &x, 8);
    for (bool reversed : {false, true}) {
        unsigned char b[8];
        for (int k = 0; k < 8; ++k) b[k] = bytes[reversed ? 7 - k : k];
        for (const char* digits : {"0123456789abcdef", "0123456789ABCDEF"}) {
            std::string hex;
            for (unsigned char c : b) hex += std::string{digits[c >> 4], digits[c & 15]};
            forms.insert(hex);
        }
        static const char* alphabet =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string base64;
        for (int k = 0; k < 8; k += 3) {
            const unsigned n =
                (b[k] << 16) | ((k + 1 < 8 ? b[k + 1] : 0) << 8) | (k + 2 < 8 ? b[k + 2] : 0);
            base64 += alphabet[(n >> 18) & 63];
            base64 += alphabet[(n >> 12) & 63];
            base64 += k + 1 < 8 ? alphabet[(n >> 6) & 63] : '=';
            base64 += k + 2 < 8 ? alphabet[n & 63] : '=';
        }
        forms.insert(base64);
        forms.insert(base64.substr(0, 11)); // unpadded
    }
    return {forms.begin(), forms.end()};
}

// The measured (volume mL, pH) pairs of a student file.
std::vector<std::pair<double, double>> measuredPoints(const fs::path& file) {
    const json study = json::parse(readAll(file));
    std::vector<std::pair<double, double>> points;
    for (const json& line : study["pasted"]["lines"]) {
        std::string text = line.get<std::string>();
        for (char& c : text)
            if (c == ',') c = '.';
        double v = 0, pH = 0;
        if (std::sscanf(text.c_str(), "%lf\t%lf", &v, &pH) == 2) points.emplace_back(v, pH);
    }
    return points;
}

TEST(ExerciseTool, StudentFilesHoldNoExpectedValueInAnyForm) {
    for (const StudyKind& study : {kTitration, kFreeStudy}) {
        const fs::path folder =
            freshFolder(std::string("leak-") + (study.free ? "free" : "t"), study);
        const json key = makeExercise(folder, classDescription(7, 0.02, 0.02, study));
        ASSERT_EQ(key["files"].size(), 3u) << study.label;
        for (const json& f : key["files"]) {
            const std::string student = f["student"];
            const fs::path file = folder / "copies" / (student + ".titralab");
            const std::string bytes = readAll(file);
            // The file is a whole exercise: its measured points and its section.
            ASSERT_EQ(measuredPoints(file).size(), 61u) << study.label << ": " << student;
            ASSERT_NE(bytes.find("\"exercise\""), std::string::npos) << student;
            const auto values = valuesOf(key, student);
            ASSERT_EQ(values.size(), 4u) << study.label << ": " << student;
            for (const auto& [name, value] : values)
                for (const std::string& form : writtenForms(value))
                    EXPECT_EQ(bytes.find(form), std::string::npos)
                        << study.label << ": " << student << ": " << name << " written as " << form;
        }
    }
}

TEST(ExerciseTool, TheSameSeedMakesTheSameFilesAnotherSeedOthers) {
    struct Case {
        const char* label;
        std::uint64_t seed;
        bool same;
    } cases[] = {{"same seed", 7, true}, {"other seed", 8, false}};
    const fs::path first = freshFolder("seed-first");
    makeExercise(first, classDescription(7));
    for (const Case& c : cases) {
        const fs::path again = freshFolder(std::string("seed-") + c.label);
        makeExercise(again, classDescription(c.seed));
        for (const char* name :
             {"Ana.titralab", "Ben.titralab", "Chloé.titralab", "tp.titralab-cle"}) {
            const std::string a = readAll(first / "copies" / name);
            const std::string b = readAll(again / "copies" / name);
            ASSERT_FALSE(a.empty()) << c.label << ": " << name;
            EXPECT_EQ(a == b, c.same) << c.label << ": " << name;
        }
    }
}

// The pH of ethanoic acid (C mol/L, V0 L) with v L of soda (Cb mol/L) added, at 25 °C: the
// charge balance solved by bisection in log h, in long double.
double oraclePH(double c, double pKa, double v0, double cb, double v) {
    const long double ka = std::pow(10.0L, -pKa), kw = 1e-14L;
    const long double acid = c * v0 / (v0 + v), na = cb * v / (v0 + v);
    long double low = -15, high = 1;
    for (int k = 0; k < 200; ++k) {
        const long double mid = (low + high) / 2, h = std::pow(10.0L, mid);
        const long double balance = na + h - kw / h - acid * ka / (ka + h);
        (balance > 0 ? high : low) = mid;
    }
    return static_cast<double>(-(low + high) / 2);
}

TEST(ExerciseTool, EachStudentGetsOtherValuesInTheRangesAndPointsMadeAtThem) {
    for (const StudyKind& study : {kTitration, kFreeStudy}) {
        const fs::path folder =
            freshFolder(std::string("values-") + (study.free ? "free" : "t"), study);
        // No noise: the exact curve.
        const json key = makeExercise(folder, classDescription(11, 0, 0, study));
        const std::map<std::string, std::pair<double, double>> ranges{{study.c, {0.05, 0.15}},
                                                                      {study.pK, {4.2, 5.2}}};
        std::map<std::string, std::set<double>> drawn;
        for (const char* student : {"Ana", "Ben", "Chloé"}) {
            const std::string who = std::string(study.label) + ": " + student;
            const auto values = valuesOf(key, student);
            ASSERT_EQ(values.size(), 4u) << who;
            for (const auto& [name, range] : ranges) {
                const double value = values.at(name);
                EXPECT_GE(value, range.first) << who << " " << name;
                EXPECT_LE(value, range.second) << who << " " << name;
                drawn[name].insert(value);
            }
            const double c = values.at(study.c), pK = values.at(study.pK);
            // The equivalence: C·V0/Cb, V0 = 20 mL, Cb = 0.1 mol/L.
            EXPECT_NEAR(values.at("VE1"), c * 20 / 0.1, 1e-9) << who;
            EXPECT_NEAR(values.at("pHE1"), oraclePH(c, pK, 0.02, 0.1, values.at("VE1") / 1000),
                        1e-6)
                << who;
            const auto points =
                measuredPoints(folder / "copies" / (std::string(student) + ".titralab"));
            ASSERT_EQ(points.size(), 61u) << who;
            for (const auto& [v, pH] : points)
                EXPECT_NEAR(pH, oraclePH(c, pK, 0.02, 0.1, v / 1000), 0.005 + 1e-9)
                    << who << " at " << v << " mL";
        }
        for (const auto& [name, values] : drawn) EXPECT_EQ(values.size(), 3u) << name;
    }
}

// Without ranges the class shares one file, named after the description, at the study's own
// values (the ethanoic acid study types C1 = 0,1 mol/L and pKa = 4,7).
TEST(ExerciseTool, WithoutRangesTheClassSharesOneFileAtTheStudysValues) {
    const fs::path folder = freshFolder("class");
    json description = classDescription(5, 0, 0);
    for (json& u : description["unknowns"]) u.erase("range");
    description.erase("students");
    const json key = makeExercise(folder, description);
    ASSERT_EQ(key["files"].size(), 1u);
    EXPECT_EQ(key["files"][0]["file"], "tp.titralab");
    EXPECT_EQ(key["files"][0]["student"], "");
    EXPECT_EQ(key["files"][0]["values"]["C1"], 0.1);
    EXPECT_EQ(key["files"][0]["values"]["pK1"], 4.7);
    const auto points = measuredPoints(folder / "copies" / "tp.titralab");
    ASSERT_EQ(points.size(), 61u);
    for (const auto& [v, pH] : points)
        EXPECT_NEAR(pH, oraclePH(0.1, 4.7, 0.02, 0.1, v / 1000), 0.005 + 1e-9) << v << " mL";
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder / "copies"))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"tp.titralab", "tp.titralab-cle"}));
}

// A number as a student types it: six significant digits, a comma.
std::string typed(double x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", x);
    std::string s = buffer;
    for (char& c : s)
        if (c == '.') c = ',';
    return s;
}

TEST(ExerciseTool, MarkingGivesOneLinePerFileAndFlagsWhatDoesNotBelong) {
    const fs::path folder = freshFolder("marks");
    const json key = makeExercise(folder, classDescription(7));
    const fs::path copies = folder / "copies";
    const fs::path other = freshFolder("marks-other");
    makeExercise(other, classDescription(99));

    struct Case {
        const char* label;
        std::string file;                      // in copies/
        std::string student;                   // whose values, and the name typed
        std::map<std::string, double> changes; // factor (C1) or added (others) to the expected
        std::vector<std::string> expected;     // the line
    };
    const std::vector<Case> cases{
        {"right, within the tolerances",
         "Ana.titralab",
         "Ana",
         {{"C1", 1.019}, {"pK1", 0.095}, {"VE1", -0.19}, {"pHE1", 0.19}},
         {"marked", "Ana", "6", "6"}},
        {"just outside the tolerances of C1 and pK1",
         "Ben.titralab",
         "Ben",
         {{"C1", 1.021}, {"pK1", -0.105}, {"VE1", 0}, {"pHE1", 0}},
         {"marked", "Ben", "2", "6"}},
        {"blank", "Chloé.titralab", "Chloé", {}, {"marked", "Chloé", "0", "6"}},
    };
    std::vector<std::string> files;
    for (const Case& c : cases) {
        const auto values = valuesOf(key, c.student);
        std::string answers;
        for (const auto& [name, change] : c.changes) {
            const double given = name == "C1" ? values.at(name) * change : values.at(name) + change;
            answers += " --answer " + name + "=" + typed(given);
        }
        const std::string path = (copies / c.file).string();
        const ToolRun run = runTool("--open '" + path + "' --student '" + c.student + "'" +
                                    answers + " --save '" + path + "'");
        ASSERT_EQ(run.status, 0) << c.label << ": " << run.err;
        files.push_back(path);
    }
    // Ana's answered file with one measured pH changed by 0.01.
    std::string altered = readAll(copies / "Ana.titralab");
    const auto tab = altered.find("\\t", altered.find("\"0,50\\t"));
    ASSERT_NE(tab, std::string::npos);
    altered[tab + 5] = altered[tab + 5] == '9' ? '8' : static_cast<char>(altered[tab + 5] + 1);
    writeText(copies / "altered.titralab", altered);
    files.push_back((copies / "altered.titralab").string());
    files.push_back((other / "copies" / "Ana.titralab").string());
    files.push_back((folder / "base.titralab").string());

    std::string list;
    for (const std::string& f : files) list += " '" + f + "'";
    const std::string workbook = (folder / "marks.xlsx").string();
    const ToolRun run = runTool("--mark-exercise '" + (copies / "tp.titralab-cle").string() + "'" +
                                list + " --xlsx '" + workbook + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = tabFields(run.out);
    ASSERT_EQ(lines.size(), cases.size() + 3) << run.out;
    for (std::size_t k = 0; k < cases.size(); ++k)
        EXPECT_EQ(lines[k], cases[k].expected) << cases[k].label;
    const std::vector<std::vector<std::string>> flagged{
        {"flagged", "altered.titralab", "points mesurés modifiés"},
        {"flagged", "Ana.titralab", "fichier d'un autre exercice"},
        {"flagged", "base.titralab", "pas un exercice"}};
    for (std::size_t k = 0; k < flagged.size(); ++k)
        EXPECT_EQ(lines[cases.size() + k], flagged[k]) << flagged[k][1];
    EXPECT_EQ(run.out.find('\r'), std::string::npos);

    // The workbook: below the title and the headings, a row per file, the marked files' answers,
    // expected values, points and totals as number cells equal to what the lines say.
    const auto cells = titralab::testing::readSheet(workbook, 1);
    const int firstRow = 3, questions = 4, total = 2 + 4 * questions;
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const int row = firstRow + static_cast<int>(k);
        ASSERT_TRUE(cells.count({row, total})) << cases[k].label;
        EXPECT_TRUE(cells.at({row, total}).number) << cases[k].label;
        EXPECT_EQ(std::stod(cells.at({row, total}).text), std::stod(cases[k].expected[2]))
            << cases[k].label;
        const double expectedC1 = valuesOf(key, cases[k].student).at("C1");
        ASSERT_TRUE(cells.count({row, 3})) << cases[k].label;
        EXPECT_TRUE(cells.at({row, 3}).number) << cases[k].label;
        EXPECT_EQ(std::stod(cells.at({row, 3}).text), titralab::testing::asWritten(expectedC1))
            << cases[k].label;
    }
    EXPECT_EQ(cells.at({firstRow + static_cast<int>(cases.size()), 2}).text,
              "points mesurés modifiés");
}

TEST(ExerciseTool, BadInputIsRefusedNamingWhatIsWrong) {
    struct Case {
        const char* label;
        std::function<void(json&)> change; // of the description
        const char* named;                 // in the refusal
    };
    const std::vector<Case> cases{
        {"range upside down",
         [](json& s) {
             s["unknowns"][0]["range"] = {0.15, 0.05};
         },
         "unknowns.1.range"},
        {"a value no fit has", [](json& s) { s["unknowns"][1]["name"] = "pK9"; },
         "unknowns.2.name"},
        {"a tolerance that is no number", [](json& s) { s["questions"][1]["tolerance"] = "abc"; },
         "questions.2.tolerance"},
        {"a step of zero", [](json& s) { s["volumes"]["step"] = 0; }, "volumes.step"},
        {"ranges without students", [](json& s) { s.erase("students"); }, "students"},
        {"a question on no unknown", [](json& s) { s["questions"][0]["name"] = "C2"; },
         "questions.1.name"},
        {"a tool the program lacks",
         [](json& s) {
             s["tools"] = {"fit", "oracle"};
         },
         "tools.2"},
        {"an equivalence the study lacks", [](json& s) { s["questions"][2]["name"] = "VE2"; },
         "questions.3.name"},
    };
    for (const Case& c : cases) {
        const fs::path folder = freshFolder("bad");
        json description = classDescription(7);
        c.change(description);
        writeText(folder / "tp.json", description.dump());
        const ToolRun run = runTool("--make-exercise '" + (folder / "tp.json").string() + "'");
        EXPECT_EQ(run.status, 1) << c.label;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << c.label << ": " << run.err;
        EXPECT_FALSE(fs::exists(folder / "copies")) << c.label;
    }

    // Answers: a name that is no question, a value that is no number; the file stays as it was.
    const fs::path folder = freshFolder("answers");
    makeExercise(folder, classDescription(7));
    const std::string file = (folder / "copies" / "Ana.titralab").string();
    const std::string before = readAll(file);
    for (const char* answer : {"pK7=4,7", "C1=abc"}) {
        const ToolRun run = runTool("--open " + file + " --answer " + answer + " --save " + file);
        EXPECT_EQ(run.status, 2) << answer;
        EXPECT_NE(run.err.find(std::string(answer).substr(0, 2)), std::string::npos)
            << answer << ": " << run.err;
        EXPECT_EQ(readAll(file), before) << answer;
    }
    // A damaged exercise section refuses the file, naming its key.
    std::string damaged = before;
    const std::string checksumKey = "\"checksum\": \"";
    const auto checksum = damaged.find(checksumKey);
    ASSERT_NE(checksum, std::string::npos);
    damaged.replace(checksum + checksumKey.size(), 4, "zzzz");
    writeText(folder / "damaged.titralab", damaged);
    const ToolRun run = runTool("--open " + (folder / "damaged.titralab").string() +
                                " --answer C1=0,1 --save " + (folder / "out.titralab").string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("exercise.checksum"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder / "out.titralab"));
}

} // namespace
