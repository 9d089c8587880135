#include "core/session/StudyFile.h"
#include "core/session/InputPanel.h"

#include "core/base/Notifier.h"
#include "core/session/Overlays.h"
#include "core/session/PastedPoints.h"
#include "core/session/Refresh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace titralab;
namespace fs = std::filesystem;

namespace {

// A study as a user leaves it: side, study, entries stepped to, a field typed, boxes, a paste.
struct Desk {
    Simulation sim;
    PanelView view;
    PrintSettings print;
    explicit Desk(Language language = Language::French) {
        setLanguage(sim, language);
        startPanel(view, sim);
    }

    void choose(BuretteSide side, Study study, int entry) {
        chooseBurette(view, sim, side == BuretteSide::AcidSide ? 0 : 1);
        chooseStudy(view, sim, static_cast<int>(study));
        while (sim.browser.current(side) < entry) StepForward(sim.browser, sim.panel, sim.state);
    }
    std::string table() {
        RecordingNotifier quiet;
        RefreshSimulation(sim, quiet);
        return sim.results.exportText;
    }
};

fs::path scratch(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / "titralab-study-tests";
    fs::create_directories(dir);
    return dir / name;
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TEST(StudyFile, SavedThenOpenedGivesTheSameTableForEveryStudyOnBothSides) {
    const Study studies[] = {Study::TitrationVsVolume, Study::SpeciesVsPH, Study::TwoMonoTitration,
                             Study::TwoPolyMixture, Study::Dilution};
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide})
        for (Study study : studies) {
            const std::string label =
                std::string(side == BuretteSide::AcidSide ? "acid " : "base ") +
                std::to_string(static_cast<int>(study));
            Desk before;
            before.choose(side, study, side == BuretteSide::AcidSide ? 17 : 2);
            before.sim.panel.at(Field::Concentration1) = "0,05";
            before.sim.panel.at(Field::Volume2) = "10E-3";
            before.sim.graph.checked[0] = true; // dilution
            before.sim.graph.checked[2] = true;
            before.sim.panel.pointCount = "37";
            before.sim.exportSettings.decimalComma = side == BuretteSide::AcidSide;
            before.sim.exportSettings.copySampling =
                study == Study::TwoMonoTitration ? CopySampling::ByVolume : CopySampling::ByPH;
            PastePairs(before.sim, true, "v\tpH\n0.001\t3.1\n0,005 4.2\n");
            before.sim.graph.checked[8] = true;
            before.print.comment1 = "Séance « titrage » n°2";
            before.print.format = PageFormat::HalfPage;

            const StudyRecord saved = captureStudy(before.sim, before.view, before.print);
            const std::string text = writeStudyText(saved);
            const StudyReading read = readStudyText(text, Language::French);
            ASSERT_TRUE(read.record) << label << ": " << read.problem;
            EXPECT_EQ(*read.record, saved) << label;

            Desk after;
            applyStudy(*read.record, after.sim, after.view);
            EXPECT_EQ(writeStudyText(captureStudy(after.sim, after.view, read.record->print)), text)
                << label;
            EXPECT_EQ(after.view.studies.selected, before.view.studies.selected) << label;
            EXPECT_EQ(after.view.target.selected, before.view.target.selected) << label;
            EXPECT_EQ(after.view.unitColumn, before.view.unitColumn) << label;
            EXPECT_EQ(after.view.column2TitleVisible, before.view.column2TitleVisible) << label;
            EXPECT_EQ(after.view.showCaption, before.view.showCaption) << label;
            EXPECT_EQ(after.table(), before.table()) << label;
        }
}

TEST(StudyFile, RefusesDamagedOrForeignInputNamingTheFirstProblem) {
    Desk desk;
    desk.choose(BuretteSide::AcidSide, Study::TitrationVsVolume, 17);
    const std::string good = writeStudyText(captureStudy(desk.sim, desk.view, desk.print));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        const auto at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? t : t.replace(at, from.size(), to);
    };
    struct Case {
        const char* label;
        std::string text;
        const char* expected;
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() / 2), "tronqué"},
        {"another major version", replaced("\"1.1\"", "\"2.0\""), "version « 2.0 »"},
        {"no version", replaced("\"format_version\"", "\"version\""), "version « aucune »"},
        {"another program's JSON", "{\"format\": \"Autre\", \"x\": 1}", "pas une étude"},
        {"another program's text", "[Desktop Entry]\nName=TitraLab\n", "pas une étude"},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "pas un fichier texte"},
        {"empty", "  \n", "vide"},
        {"damaged in the middle", replaced("\"panel\": {", "\"panel\": {,"), "ligne 4"},
        {"nested too deep", "{\"format\":" + std::string(20, '[') + std::string(20, ']') + "}",
         "profondément"},
        {"entry out of range", replaced("\"row1\": 17", "\"row1\": 99"), "panel.database.row1"},
        {"unknown side", replaced("\"side\": \"acid\"", "\"side\": \"left\""), "panel.side"},
        {"point style", replaced("\"point_style\": 1", "\"point_style\": 12"),
         "pasted.point_style"},
        {"box number", replaced("\"ticked\": [", "\"ticked\": [11, "), "graph.ticked"},
        {"number for a field", replaced("\"D1\": \"1,0E-1\"", "\"D1\": 0.1"), "panel.fields.D1"},
        {"digits", replaced("\"digits\": 5", "\"digits\": 3"), "copy.digits"},
        {"too long a text",
         replaced("\"comment1\": \"\"", "\"comment1\": \"" + std::string(1001, 'x') + "\""),
         "print.comment1"},
    };
    for (const Case& c : cases) {
        const StudyReading r = readStudyText(c.text, Language::French);
        EXPECT_FALSE(r.record) << c.label;
        EXPECT_NE(r.problem.find(c.expected), std::string::npos) << c.label << ": " << r.problem;
    }
}

TEST(StudyFile, AFileSavedInOneLanguageOpensTheSameInTheOther) {
    const struct {
        const char* label;
        Language saved;
        Language opened;
        const char* entryName;
    } cases[] = {
        {"English to French", Language::English, Language::French, "acide éthanoïque"},
        {"French to English", Language::French, Language::English, "ethanoic acid (acetic acid)"},
    };
    for (const auto& c : cases) {
        Desk saved(c.saved);
        saved.choose(BuretteSide::AcidSide, Study::TitrationVsVolume, 17);
        const std::string text = writeStudyText(captureStudy(saved.sim, saved.view, saved.print));
        const StudyReading read = readStudyText(text, c.opened);
        ASSERT_TRUE(read.record) << c.label << ": " << read.problem;
        Desk opened(c.opened);
        applyStudy(*read.record, opened.sim, opened.view);
        EXPECT_EQ(opened.sim.panel.entryName, c.entryName) << c.label;
        Desk direct(c.opened);
        // The separator is the saved study's choice, whatever the language opening it.
        direct.sim.exportSettings.decimalComma = saved.sim.exportSettings.decimalComma;
        direct.choose(BuretteSide::AcidSide, Study::TitrationVsVolume, 17);
        EXPECT_EQ(opened.view.studies.items, direct.view.studies.items) << c.label;
        EXPECT_EQ(opened.table(), direct.table()) << c.label;
    }
}

TEST(StudyFile, RefusalsAreInTheReadersLanguage) {
    const struct {
        const char* label;
        std::string text;
        Language language;
        const char* expected;
    } cases[] = {
        {"French", "  \n", Language::French, "le fichier est vide."},
        {"English", "  \n", Language::English, "the file is empty."},
        {"English choice",
         "{\"format\": \"TitraLab study\", \"format_version\": \"1.0\", \"panel\": "
         "{\"side\": \"left\"}}",
         Language::English,
         "the value of “panel.side” is out of range (expected: “none”, “acid” or “base”)."},
    };
    for (const auto& c : cases) {
        const StudyReading r = readStudyText(c.text, c.language);
        EXPECT_FALSE(r.record) << c.label;
        EXPECT_EQ(r.problem, c.expected) << c.label;
    }
}

TEST(StudyFile, FilesAreReadWithinBoundsAndRefusalsNameTheFile) {
    const fs::path huge = scratch("enorme.titralab");
    { std::ofstream(huge) << "{"; }
    fs::resize_file(huge, 100u * 1024 * 1024); // 100 MB, sparse
    const fs::path missing = scratch("absente.titralab");
    fs::remove(missing);
    struct Case {
        const char* label;
        fs::path path;
        const char* expected;
    };
    const Case cases[] = {
        {"100 MB", huge,
         "Impossible d'ouvrir l'étude « enorme.titralab » : le fichier est trop gros"},
        {"missing", missing,
         "Impossible d'ouvrir l'étude « absente.titralab » : le fichier ne peut"},
        {"a folder", huge.parent_path(), "pas un fichier ordinaire"},
    };
    for (const Case& c : cases) {
        const StudyOpening o = openStudyFile(c.path.string(), Language::French);
        EXPECT_FALSE(o.record) << c.label;
        EXPECT_NE(o.error.find(c.expected), std::string::npos) << c.label << ": " << o.error;
    }
    fs::remove(huge);
}

TEST(StudyFile, ANewerVersionOpensWhatItUnderstandsAndSaysWhatItSkipped) {
    Desk desk;
    desk.choose(BuretteSide::BaseSide, Study::TitrationVsVolume, 2);
    std::string text = writeStudyText(captureStudy(desk.sim, desk.view, desk.print));
    text.replace(text.find("\"1.1\""), 5, "\"1.4\"");
    text.replace(text.find("\"graph\": {"), 10, "\"graph\": {\"legend\": true, ");
    text.replace(text.find("\"format\""), 8, "\"tutor\": {\"name\": \"BBT\"}, \"format\"");
    const fs::path path = scratch("nouvelle.titralab");
    writeText(path, text);
    const StudyOpening o = openStudyFile(path.string(), Language::French);
    ASSERT_TRUE(o.record) << o.error;
    EXPECT_EQ(o.record->study, Study::TitrationVsVolume);
    EXPECT_EQ(o.record->sideChoice, 1);
    EXPECT_EQ(o.record->sections.at("tutor"), "{\"name\":\"BBT\"}");
    EXPECT_NE(o.notice.find("« nouvelle.titralab »"), std::string::npos) << o.notice;
    EXPECT_NE(o.notice.find("tutor, graph.legend"), std::string::npos) << o.notice;
    // The same keys in a file of this version are tolerated without a word.
    text.replace(text.find("\"1.4\""), 5, "\"1.1\"");
    writeText(path, text);
    EXPECT_TRUE(openStudyFile(path.string(), Language::French).notice.empty());
}

TEST(StudyFile, SavingWritesWholeOrLeavesThePreviousFile) {
    Desk desk;
    desk.choose(BuretteSide::AcidSide, Study::SpeciesVsPH, 24);
    const StudyRecord record = captureStudy(desk.sim, desk.view, desk.print);
    const fs::path good = scratch("bonne.titralab");
    ASSERT_EQ(saveStudyFile(good.string(), record, Language::French), "");
    EXPECT_FALSE(fs::exists(good.string() + ".part"));
    EXPECT_EQ(*openStudyFile(good.string(), Language::French).record, record);

    // A folder where the file should go: the rename fails, the folder and its file stay.
    const fs::path folder = scratch("dossier.titralab");
    fs::create_directories(folder);
    writeText(folder / "garde", "x");
    struct Case {
        const char* label;
        fs::path path;
        const char* reason;
    };
    const Case cases[] = {
        {"a folder in the way", folder, "dossier"},
        {"no such folder", scratch("nulle-part") / "x.titralab", "le dossier n'existe pas"},
    };
    for (const Case& c : cases) {
        const std::string message = saveStudyFile(c.path.string(), record, Language::French);
        EXPECT_NE(message.find("n'a pas pu être enregistrée"), std::string::npos) << c.label;
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.label << ": " << message;
        EXPECT_FALSE(fs::exists(c.path.string() + ".part")) << c.label;
    }
    EXPECT_TRUE(fs::exists(folder / "garde"));
}

// The file text with `section` added before the first key.
std::string withSection(std::string text, const std::string& section) {
    return text.replace(text.find("\"format\""), 8, section + ", \"format\"");
}

TEST(StudyFile, AStudyKeepsItsReadingsFrozenCurvesAndTheSectionsOfLaterFeatures) {
    Desk before;
    before.choose(BuretteSide::AcidSide, Study::TitrationVsVolume, 17);
    before.sim.reading.options.equivalences = true;
    before.sim.reading.options.derivative = true;
    before.sim.reading.options.legend = false;
    before.sim.reading.options.indicator = *findIndicator("phénolphtaléine");
    before.sim.exportSettings.diagrams.bufferCapacity = true;
    before.table();
    ASSERT_EQ(FreezeCurrentCurve(before.sim), FreezeOutcome::Frozen);
    before.sim.panel.at(Field::PKa1) = "6";
    before.table();
    ASSERT_EQ(FreezeCurrentCurve(before.sim), FreezeOutcome::Frozen);
    before.sim.panel.at(Field::PKa1) = "5,2";
    const std::string saved =
        withSection(writeStudyText(captureStudy(before.sim, before.view, before.print)),
                    "\"lab_notes\": {\"teacher\": \"M. Durand\", \"marks\": [12, 15]}");

    const StudyReading read = readStudyText(saved, Language::English);
    ASSERT_TRUE(read.record) << read.problem;
    Desk after(Language::English);
    applyStudy(*read.record, after.sim, after.view);
    setLanguage(after.sim, Language::French);
    const ReadingOptions& o = after.sim.reading.options;
    EXPECT_TRUE(o.equivalences && o.derivative && !o.legend);
    EXPECT_EQ(o.indicator, before.sim.reading.options.indicator);
    EXPECT_TRUE(after.sim.exportSettings.diagrams.bufferCapacity);
    ASSERT_EQ(after.sim.overlays.curves.size(), 2u);
    // The table holds the frozen curves' columns, named against the values of the day, and
    // the derivative's column: the same table as before saving.
    EXPECT_EQ(after.table(), before.table());
    // Saved again, the section of the later feature is written back as it came.
    const std::string again = writeStudyText(captureStudy(after.sim, after.view, {}));
    EXPECT_NE(again.find("\"lab_notes\": {\n    \"marks\": [\n      12,\n      15\n    ],\n"
                         "    \"teacher\": \"M. Durand\"\n  }"),
              std::string::npos)
        << again;
}

TEST(StudyFile, OpeningAStudyLeavesNothingOfThePreviousOne) {
    Desk plain;
    plain.choose(BuretteSide::AcidSide, Study::SpeciesVsPH, 24);
    const StudyRecord species = captureStudy(plain.sim, plain.view, plain.print);

    Desk desk;
    applyStudy(
        *readStudyText(withSection(writeStudyText(species), "\"lab_notes\": {}"), Language::French)
             .record,
        desk.sim, desk.view);
    desk.choose(BuretteSide::AcidSide, Study::TitrationVsVolume, 17);
    desk.sim.reading.options.indicator = 2;
    desk.sim.reading.options.equivalences = true;
    desk.table();
    ASSERT_EQ(FreezeCurrentCurve(desk.sim), FreezeOutcome::Frozen);
    RecordingNotifier quiet;
    DrawFamily(desk.sim, 4, {4.8, 6, 8}, quiet);
    ASSERT_FALSE(desk.sim.overlays.curves.empty());
    desk.sim.panel.entryName = "phosphorique";

    applyStudy(species, desk.sim, desk.view);
    EXPECT_TRUE(desk.sim.overlays.curves.empty());
    EXPECT_EQ(desk.sim.reading.options.indicator, -1);
    EXPECT_FALSE(desk.sim.reading.options.equivalences);
    EXPECT_TRUE(desk.sim.keptSections.empty());
    EXPECT_EQ(desk.sim.panel.entryName, plain.sim.panel.entryName);
    EXPECT_EQ(desk.table(), plain.table());
}

TEST(StudyFile, MessagesNameAFewUnknownKeysEscapeControlsAndSayWhichNumberIsTooLarge) {
    Desk desk;
    desk.choose(BuretteSide::AcidSide, Study::TitrationVsVolume, 17);
    std::string good = writeStudyText(captureStudy(desk.sim, desk.view, desk.print));
    good.replace(good.find("\"1.1\""), 5, "\"1.7\"");
    std::string flood = "\"graph\": {";
    for (int k = 0; k < 60000; ++k) flood += (k ? ", \"k" : "\"k") + std::to_string(k) + "\": 1";
    std::string manyKeys = good;
    manyKeys.replace(manyKeys.find("\"graph\": {"), 10, flood + ", ");
    std::string row = good;
    row.replace(row.find("\"row1\": 17"), 10, "\"row1\": 1e400");
    struct Case {
        const char* label;
        std::string file; // the file's name
        std::string text;
        std::string shown; // in the refusal or the notice
        std::size_t longest;
    };
    const Case cases[] = {
        {"60,000 unknown keys", "flot.titralab", manyKeys,
         "graph.k0, graph.k1, graph.k10, graph.k100, graph.k1000 et 59995 autres", 400},
        {"a key with a terminal's escape", "clef.titralab",
         withSection(good, "\"\\u001b[2J\\u0085x\": 1"), "laissé de côté : \\u001b[2J\\u0085x.",
         400},
        {"a version with a bell", "cloche.titralab",
         "{\"format\": \"TitraLab study\", \"format_version\": \"1.\\u0007\"}",
         "version « 1.\\u0007 »", 400},
        {"a file name with a line feed", "ligne\nsuivante.titralab", "{", "ligne\\nsuivante", 400},
        {"a number no double holds", "grand.titralab", row,
         "le nombre « 1e400 » de « panel.database.row1 » est hors limites", 400},
    };
    for (const Case& c : cases) {
        const fs::path path = scratch(c.file);
        writeText(path, c.text);
        const StudyOpening o = openStudyFile(path.string(), Language::French);
        const std::string message = o.error + o.notice;
        EXPECT_NE(message.find(c.shown), std::string::npos) << c.label << ": " << message;
        EXPECT_LE(message.size(), c.longest) << c.label;
        const bool controls = std::any_of(message.begin(), message.end(), [](char ch) {
            return static_cast<unsigned char>(ch) < 0x20;
        });
        EXPECT_FALSE(controls) << c.label << ": " << message;
        fs::remove(path);
    }
}

} // namespace

namespace {

TEST(StudyFile, TitleShowsTheFileAndAMarkForUnsavedChanges) {
    struct Case {
        const char* label;
        std::string path;
        bool modified;
        const char* title;
    };
    const Case cases[] = {
        {"new, unchanged", "", false, "Titre"},
        {"new, changed", "", true, "Sans titre* - Titre"},
        {"saved", "/cours/acide.titralab", false, "acide.titralab - Titre"},
        {"changed since", "/cours/acide.titralab", true, "acide.titralab* - Titre"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(studyWindowTitle("Titre", c.path, c.modified, Language::French), c.title)
            << c.label;
}

TEST(StudyFile, RecentStudiesKeepTheLastFiveOnceEach) {
    struct Case {
        const char* label;
        std::vector<std::string> before;
        std::string path;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"first", {}, "a", {"a"}},
        {"again moves first", {"b", "a", "c"}, "a", {"a", "b", "c"}},
        {"sixth drops the oldest", {"e", "d", "c", "b", "a"}, "f", {"f", "e", "d", "c", "b"}},
    };
    for (const Case& c : cases) EXPECT_EQ(withRecent(c.before, c.path), c.after) << c.label;
}

} // namespace
