// The main window's study files (open, save, title mark, leaving, recent files, examples) and
// the fit dialog.
#include "MainWindowFixture.h"

#include "core/session/PastedPoints.h"
#include "core/session/StudyFile.h"
#include "ui/windows/FitDialog.h"

#include <QTableWidget>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>

using namespace titralab;
using namespace titralab::testing;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Acetic acid titrated by soda, with the two columns of a measured titration pasted.
void titrationWithPoints(MainWindowFixture& w) {
    w.click("sideChoice", 0);
    w.click("studyChoice", 0);
    while (w.sim.browser.currentAcidEntry < 17) w.clickButton("nextEntryButton");
    PastePairs(w.sim, true,
               "V\tpH\n0\t2,9\n0,002\t3,8\n0,005\t4,3\n0,008\t4,6\n0,01\t4,75\n0,012\t4,9\n"
               "0,015\t5,2\n0,018\t5,7\n0,019\t6,1\n0,0195\t6,6\n0,02\t8,7\n0,0205\t10,7\n"
               "0,021\t11\n0,025\t11,9\n0,03\t12,3\n");
}

TEST(StudyWindow, SavingNamesTheTitleAndAChangeMarksIt) {
    TemporarySettings settings;
    MainWindowFixture w;
    const QString caption = w.window->windowTitle();
    titrationWithPoints(w);
    w.window->refreshStudyTitle();
    EXPECT_EQ(w.window->windowTitle(), "Sans titre* - " + caption);
    const QString path = settings.dir.filePath("cours");
    ASSERT_TRUE(w.window->saveStudyTo(path));
    EXPECT_EQ(w.window->studyPath(), path + ".titralab");
    EXPECT_EQ(w.window->windowTitle(), "cours.titralab - " + caption);
    QTest::keyClicks(w.field(2), "5");
    w.window->refreshStudyTitle();
    EXPECT_EQ(w.window->windowTitle(), "cours.titralab* - " + caption);
    EXPECT_TRUE(w.messages.errors.empty());
}

TEST(StudyWindow, EachRefusedFileLeavesTheStudyOnScreenAsItWas) {
    TemporarySettings settings;
    MainWindowFixture w;
    titrationWithPoints(w);
    const QString good = settings.dir.filePath("bonne.titralab");
    ASSERT_TRUE(w.window->saveStudyTo(good));
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    QByteArray otherVersion = text;
    otherVersion.replace("\"1.1\"", "\"3.1\"");
    QByteArray outOfRange = text;
    outOfRange.replace("\"row1\": 17", "\"row1\": 36");
    struct Case {
        const char* label;
        QByteArray bytes;
        const char* problem;
        qint64 size{0}; // grown to this many bytes (sparse) when not 0
    };
    const Case cases[] = {
        {"100 MB", "{", "trop gros", 100LL * 1024 * 1024},
        {"truncated", text.left(text.size() / 3), "tronqué"},
        {"another format version", otherVersion, "version « 3.1 »"},
        {"another program", "<html><body>page</body></html>", "pas une étude"},
        {"binary",
         QByteArray("\x7f"
                    "ELF\x02\x01\x01\0\0\0",
                    10),
         "pas un fichier texte"},
        {"value out of range", outOfRange, "panel.database.row1"},
    };
    // Changes after the save that a refused file must not undo.
    w.click("studyChoice", 2);
    QTest::keyClicks(w.field(13), "7");
    const std::string before = writeStudyText(captureStudy(w.sim, w.window->panelView(), {}));
    const QString title = w.window->windowTitle();
    for (const Case& c : cases) {
        const QString path = settings.dir.filePath(QString("refus-%1.titralab").arg(c.label));
        writeFile(path, c.bytes);
        if (c.size > 0) ASSERT_TRUE(QFile::resize(path, c.size));
        w.messages.errors.clear();
        EXPECT_FALSE(w.window->openStudy(path)) << c.label;
        ASSERT_EQ(w.messages.errors.size(), 1u) << c.label;
        const std::string& message = w.messages.errors[0];
        EXPECT_NE(message.find("« refus-" + std::string(c.label) + ".titralab »"),
                  std::string::npos)
            << c.label << ": " << message;
        EXPECT_NE(message.find(c.problem), std::string::npos) << c.label << ": " << message;
        EXPECT_EQ(writeStudyText(captureStudy(w.sim, w.window->panelView(), {})), before)
            << c.label;
        EXPECT_EQ(w.window->windowTitle(), title) << c.label;
        EXPECT_EQ(w.window->studyPath(), good) << c.label;
        QFile::remove(path);
    }
}

TEST(StudyWindow, OpeningPutsBackTheWholePanel) {
    TemporarySettings settings;
    const QString path = settings.dir.filePath("deux.titralab");
    {
        MainWindowFixture w;
        w.click("sideChoice", 1);
        w.click("studyChoice", 3);
        w.click("strongBaseChoice", 1);
        QTest::keyClicks(w.field(12), "2");
        ASSERT_TRUE(w.window->saveStudyTo(path));
    }
    MainWindowFixture w;
    ASSERT_TRUE(w.window->openStudy(path));
    MainWindowFixture::settle();
    EXPECT_EQ(w.selected("sideChoice"), 1);
    EXPECT_EQ(w.selected("studyChoice"), 3);
    EXPECT_EQ(w.text("showButton"), QString::fromUtf8("Afficher ré&sultats  F11"));
    EXPECT_TRUE(w.shown("concentration2Field"));
    EXPECT_TRUE(w.shown("databaseDock"));
    EXPECT_EQ(w.text("column1Title"), "Base 1");
    EXPECT_TRUE(w.messages.errors.empty());
    EXPECT_FALSE(w.window->studyModified());
    EXPECT_EQ(w.window->recentStudies(), QStringList{path});
}

TEST(StudyWindow, LeavingWithUnsavedChangesAsks) {
    TemporarySettings settings;
    struct Case {
        const char* label;
        MainWindow::UnsavedAnswer answer;
        bool leaves;
        bool saved;
    };
    const Case cases[] = {
        {"save", MainWindow::UnsavedAnswer::Save, true, true},
        {"discard", MainWindow::UnsavedAnswer::Discard, true, false},
        {"cancel", MainWindow::UnsavedAnswer::Cancel, false, false},
    };
    for (const Case& c : cases) {
        MainWindowFixture w;
        int asked = 0;
        w.window->setUnsavedQuestion([&] {
            ++asked;
            return c.answer;
        });
        const QString path = settings.dir.filePath(QString("%1.titralab").arg(c.label));
        w.window->setFileChooser([&](bool) { return path; });
        EXPECT_TRUE(w.window->confirmLeavingStudy()) << c.label << ": unchanged";
        EXPECT_EQ(asked, 0) << c.label;
        w.click("sideChoice", 0);
        EXPECT_EQ(w.window->confirmLeavingStudy(), c.leaves) << c.label;
        EXPECT_EQ(asked, 1) << c.label;
        EXPECT_EQ(QFile::exists(path), c.saved) << c.label;
    }
}

TEST(StudyWindow, TheRecentListKeepsFiveAndTheExamplesOpen) {
    TemporarySettings settings;
    MainWindowFixture w;
    w.click("sideChoice", 0);
    for (int k = 1; k <= 6; ++k)
        ASSERT_TRUE(w.window->saveStudyTo(settings.dir.filePath(QString::number(k))));
    const QStringList recent = w.window->recentStudies();
    ASSERT_EQ(recent.size(), 5);
    EXPECT_TRUE(recent.first().endsWith("/6.titralab"));
    EXPECT_TRUE(recent.last().endsWith("/2.titralab"));
    EXPECT_EQ(w.find<QMenu>("recentStudiesMenu")->actions().size(), 5);

    w.window->setUnsavedQuestion([] { return MainWindow::UnsavedAnswer::Discard; });
    for (const char* name : {"ExempleAcetique", "ExemplePhosphorique", "ExempleDeuxMonoacides"}) {
        w.find<QAction>(name)->trigger();
        EXPECT_TRUE(w.messages.errors.empty()) << name << ": " << w.messages.errors.front();
        EXPECT_TRUE(w.window->studyPath().endsWith(".titralab")) << name;
        EXPECT_FALSE(w.window->studyModified()) << name;
    }
}

TEST(StudyWindow, TheFitDialogShowsTheValuesAndRefusesWithAMessage) {
    TemporarySettings settings;
    MainWindowFixture w;
    titrationWithPoints(w);
    FitDialog dialog(w.sim);
    dialog.prepare();
    ASSERT_NE(dialog.freeBox(FitValue::C1), nullptr);
    EXPECT_TRUE(dialog.freeBox(FitValue::C1)->isChecked());
    EXPECT_TRUE(dialog.freeBox(FitValue::PK1)->isChecked());
    EXPECT_FALSE(dialog.freeBox(FitValue::Cb)->isChecked());
    EXPECT_EQ(dialog.freeBox(FitValue::C2), nullptr);
    ASSERT_TRUE(dialog.result().ok) << dialog.result().refusal;
    EXPECT_TRUE(dialog.applyButton()->isEnabled());
    EXPECT_EQ(dialog.cellText(0, 0), QString::fromUtf8("C1, bécher (mol/L)"));
    EXPECT_EQ(dialog.cellText(1, 0), "pKa1");
    EXPECT_TRUE(dialog.cellText(1, 2).startsWith(QString::fromUtf8("± ")));
    EXPECT_EQ(dialog.cellText(2, 0), QString::fromUtf8("Véquivalence 1 (mL)"));
    EXPECT_EQ(dialog.pointsText(), "15");
    EXPECT_FALSE(dialog.deviationText().isEmpty());
    EXPECT_EQ(dialog.residualSeries()->count(), 15);
    // Every result is a cell under its column's header, and the values are written with the
    // chosen separator.
    QTableWidget* table = dialog.resultsTable();
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Valeur");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Incertitude-type");
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(dialog.cellText(row, 1).contains(',')) << dialog.cellText(row, 1).toStdString();
    // The residual chart is named and not a Tab stop.
    auto* chart = dialog.findChild<QWidget*>("residualsChart");
    ASSERT_NE(chart, nullptr);
    EXPECT_FALSE(chart->accessibleName().isEmpty());
    EXPECT_EQ(chart->focusPolicy(), Qt::NoFocus);

    dialog.freeBox(FitValue::C1)->setChecked(false);
    dialog.freeBox(FitValue::PK1)->setChecked(false);
    EXPECT_FALSE(dialog.applyButton()->isEnabled());
    EXPECT_EQ(dialog.messageText(), QString::fromUtf8("Cochez au moins une valeur à ajuster."));
}

} // namespace
