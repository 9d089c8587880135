// Exercises in the windows. "Corriger des copies…": the key and the students' files chosen, the
// marks dialog shows a row per file, marked or flagged, and copies and saves the table. A
// student's file opened: the exercise panel records the answers that the marking then counts.
#include "MainWindowFixture.h"

#include "core/session/Exercise.h"
#include "core/session/StudyFile.h"
#include "tests/core/session/WorkbookReader.h"
#include "ui/qt/Clipboard.h"
#include "ui/windows/ExercisePanel.h"
#include "ui/windows/MarksDialog.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace titralab {
namespace {

namespace fs = std::filesystem;
using testing::MainWindowFixture;

// An exercise on the ethanoic acid titration for Ana and Ben, made and written in `folder`.
MadeExercise makeClass(const fs::path& folder) {
    fs::copy_file(fs::path(TITRALAB_SOURCE_DATA) / "Etudes" / "acide-ethanoique-mesures.titralab",
                  folder / "base.titralab");
    ExerciseDescription d;
    d.study = "base.titralab";
    d.unknowns = {{"C1", std::make_pair(0.05, 0.15)}};
    d.students = {"Ana", "Ben"};
    d.fromMl = 0;
    d.toMl = 30;
    d.stepMl = 0.5;
    d.seed = 11;
    d.questions = {{"C1", {2, true}, 2}, {"VE1", {0.2, false}, 1}};
    d.tools = {ExerciseTool::Fit};
    d.title = "Dosage";
    d.out = "copies";
    MadeExercise made = makeExercise(d, (folder / "tp.json").string(), Language::French);
    EXPECT_EQ(made.problem, "");
    EXPECT_EQ(writeExercise(made, Language::French).problem, "");
    return made;
}

double expected(const ExerciseKey& key, const std::string& student, const std::string& name) {
    for (const ExerciseKeyFile& f : key.files)
        if (f.student == student)
            for (const auto& [n, v] : f.values)
                if (n == name) return v;
    ADD_FAILURE() << student << " " << name;
    return 0;
}

// What the test does to Ana's file before marking.
enum class Change { RightAnswers, WrongAnswers, AlteredPoints };

TEST(MarksDialog, ShowsARowPerFileMarkedOrFlagged) {
    struct Case {
        const char* label;
        Change change;
        const char* firstCell; // the student, or "Signalé"
        const char* reason;    // a flagged row's third cell
        double total;          // a marked row's points
    } cases[] = {
        {"right answers", Change::RightAnswers, "Ana", "", 3},
        {"answers outside the tolerance", Change::WrongAnswers, "Ana", "", 0},
        {"measured points altered", Change::AlteredPoints, "Signalé", "points mesurés modifiés", 0},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const fs::path folder = dir.path().toStdString();
        const MadeExercise made = makeClass(folder);
        const std::string ana = (folder / "copies" / "Ana.titralab").string();
        StudyOpening opened = openStudyFile(ana, Language::French);
        ASSERT_TRUE(opened.record) << opened.error;
        StudyRecord record = *opened.record;
        const double c1 = expected(made.key, "Ana", "C1");
        const double ve1 = expected(made.key, "Ana", "VE1");
        const double factor = c.change == Change::WrongAnswers ? 1.05 : 1.0; // 5 % off
        ASSERT_EQ(recordAnswers(record, "Ana",
                                {{"C1", std::to_string(c1 * factor)},
                                 {"VE1", std::to_string(ve1 + (factor - 1) * 10)}},
                                Language::French),
                  "");
        if (c.change == Change::AlteredPoints) {
            ASSERT_FALSE(record.pastedLines.empty());
            record.pastedLines[3] += "1";
        }
        ASSERT_EQ(saveStudyFile(ana, record, Language::French), "");

        MainWindowFixture w;
        int shown = 0;
        std::vector<std::vector<MarksCell>> rows;
        w.window->setMarkingChooser([&](bool key) {
            return key ? QStringList{QString::fromStdString(made.keyPath)}
                       : QStringList{QString::fromStdString((folder / "copies").string())};
        });
        w.window->setMarksAnswer([&](MarksDialog& dialog) {
            ++shown;
            rows = dialog.rows();
            auto* table = dialog.findChild<QTableWidget*>("marksTable");
            ASSERT_NE(table, nullptr);
            EXPECT_EQ(table->rowCount(), 2) << c.label;
            EXPECT_EQ(table->item(0, 0)->text().toStdString(), c.firstCell) << c.label;
        });
        w.window->findChild<QAction*>("markAnswersAction")->trigger();
        ASSERT_EQ(shown, 1) << c.label;
        ASSERT_EQ(rows.size(), 3u) << c.label; // heading, Ana, Ben
        EXPECT_EQ(rows[1][0].text, c.firstCell) << c.label;
        if (*c.reason) {
            EXPECT_EQ(rows[1][2].text, c.reason) << c.label;
        } else {
            const std::size_t total = rows[0].size() - 2;
            EXPECT_EQ(rows[1][total].number, c.total) << c.label;
            EXPECT_EQ(rows[1][total + 1].number, 3.0) << c.label;
        }
        // Ben answered nothing: marked, no point.
        EXPECT_EQ(rows[2][0].text, "Ben") << c.label;
        EXPECT_EQ(rows[2][rows[0].size() - 2].number, 0.0) << c.label;
    }
}

TEST(MarksDialog, CopiesAndSavesTheTableShown) {
    QTemporaryDir dir;
    const fs::path folder = dir.path().toStdString();
    const MadeExercise made = makeClass(folder);
    const std::vector<FileMark> marks = markExercise(
        made.key,
        {(folder / "copies" / "Ana.titralab").string(), (folder / "base.titralab").string()},
        Language::French);
    RecordingNotifier notes;
    MarksDialog dialog(made.key, marks, Language::French, notes);
    const QString csv = QString::fromStdString((folder / "notes").string());
    dialog.setSaveChooser([&](const QString&) { return csv; });
    struct Case {
        const char* label;
        std::function<void()> act;
        std::function<std::string()> read;
        char separator;
    } cases[] = {
        {"clipboard", [&] { dialog.copyMarks(); },
         [] { return clipboard::readText().toStdString(); }, '\t'},
        {"csv", [&] { EXPECT_TRUE(dialog.saveCsv()); },
         [&] {
             QFile f(csv + ".csv");
             return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
         },
         ';'},
    };
    for (const Case& c : cases) {
        c.act();
        const std::string got = c.read();
        // An independent reading: split the lines and cells back, compare with the rows.
        std::vector<std::vector<std::string>> cells(1);
        std::string cell;
        for (char ch : got) {
            if (ch == c.separator || ch == '\n') {
                cells.back().push_back(cell);
                cell.clear();
                if (ch == '\n') cells.emplace_back();
            } else if (ch != '\r') {
                cell += ch;
            }
        }
        if (cells.back().empty()) cells.pop_back();
        ASSERT_EQ(cells.size(), dialog.rows().size()) << c.label << "\n" << got;
        for (std::size_t r = 0; r < cells.size(); ++r) {
            ASSERT_EQ(cells[r].size(), dialog.rows()[r].size()) << c.label << " row " << r;
            for (std::size_t k = 0; k < cells[r].size(); ++k)
                EXPECT_EQ(cells[r][k], dialog.rows()[r][k].text) << c.label << " " << r << "," << k;
        }
    }
    EXPECT_EQ(dialog.rows()[2][0].text, "Signalé");

    // The workbook: the numbers of the table as numbers, under the title rows.
    const QString workbook = QString::fromStdString((folder / "notes.xlsx").string());
    dialog.setSaveChooser([&](const QString&) { return workbook; });
    ASSERT_TRUE(dialog.saveWorkbook()) << (notes.errors.empty() ? "" : notes.errors.back());
    const auto cells = testing::readSheet(workbook.toStdString(), 1);
    const int anaRow = 3;
    for (std::size_t k = 2; k < dialog.rows()[1].size(); ++k) {
        const MarksCell& shown = dialog.rows()[1][k];
        if (!shown.number) continue;
        ASSERT_TRUE(cells.count({anaRow, static_cast<int>(k)})) << k;
        const testing::Cell& cell = cells.at({anaRow, static_cast<int>(k)});
        EXPECT_TRUE(cell.number) << k;
        EXPECT_NEAR(std::stod(cell.text), *shown.number, 1e-12 * std::abs(*shown.number)) << k;
    }
}

TEST(ExercisePanel, SavedAnswersAreTheOnesMarked) {
    struct Case {
        const char* label;
        double c1Factor;  // the answer given, times the expected value; 0: left blank
        double ve1Offset; // mL from the expected volume
        double points;
    } cases[] = {
        {"both right", 1.0, 0.05, 3},
        {"concentration 5 % off", 1.05, 0.0, 1},
        {"volume 0.5 mL off", 1.0, 0.5, 2},
        {"concentration blank", 0.0, 0.0, 1},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const fs::path folder = dir.path().toStdString();
        const MadeExercise made = makeClass(folder);
        const std::string ben = (folder / "copies" / "Ben.titralab").string();
        MainWindowFixture w;
        ASSERT_TRUE(w.window->openStudy(QString::fromStdString(ben))) << c.label;
        auto* panel = w.window->findChild<ExercisePanel*>("exercisePanel");
        ASSERT_NE(panel, nullptr) << c.label;
        EXPECT_TRUE(panel->isVisible()) << c.label;
        // C1, the value to find, is locked; the volume of the beaker is not.
        EXPECT_TRUE(w.field(2)->isReadOnly()) << c.label;
        EXPECT_FALSE(w.field(3)->isReadOnly()) << c.label;
        auto* c1 = panel->findChild<QLineEdit*>("answerField_C1");
        auto* ve1 = panel->findChild<QLineEdit*>("answerField_VE1");
        ASSERT_TRUE(c1 && ve1) << c.label;
        if (c.c1Factor > 0)
            c1->setText(QString::number(expected(made.key, "Ben", "C1") * c.c1Factor, 'g', 8)
                            .replace('.', ','));
        ve1->setText(QString::number(expected(made.key, "Ben", "VE1") + c.ve1Offset, 'g', 8));
        panel->findChild<QLineEdit*>("studentNameField")->setText("Benoît");
        panel->findChild<QPushButton*>("saveAnswersButton")->click();
        EXPECT_TRUE(w.messages.errors.empty()) << c.label;

        const std::vector<FileMark> marks = markExercise(made.key, {ben}, Language::French);
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_FALSE(marks[0].flagged) << c.label << ": " << marks[0].reason;
        EXPECT_EQ(marks[0].student, "Benoît") << c.label;
        EXPECT_EQ(marks[0].points, c.points) << c.label;
        // Saved again from the window, the study keeps the answers.
        ASSERT_TRUE(w.window->saveStudy()) << c.label;
        const std::vector<FileMark> again = markExercise(made.key, {ben}, Language::French);
        EXPECT_EQ(again[0].points, c.points) << c.label << ": " << again[0].reason;
    }
}

} // namespace
} // namespace titralab
