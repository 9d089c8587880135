// The free study's panel in the main window: rows typed and removed by keyboard and buttons,
// each refusal shown with the grammar's message, and the curve the graph window then draws.
#include "MainWindowFixture.h"

#include "ui/qt/ChartView.h"
#include "ui/windows/FreeSolutionsPanel.h"
#include "ui/windows/GraphWindow.h"
#include "ui/windows/SoluteDatabaseWindow.h"
#include "core/session/Refresh.h"

#include <QApplication>
#include <QTableWidget>
#include <QXYSeries>
#include <algorithm>

using namespace titralab;
using namespace titralab::testing;

namespace {

struct FreeProgram : MainWindowFixture {
    FreeProgram() : graph(sim, messages) {
        window->setLinks({[this] {
                              graph.prepare();
                              graph.show();
                          },
                          {},
                          {},
                          {}});
        QApplication::setActiveWindow(window.get());
        click("sideChoice", 0);
        click("studyChoice", static_cast<int>(Study::FreeSolutions));
        settle();
    }
    QTableWidget* rows(const char* name) const { return find<QTableWidget>(name); }
    // Insert on the table, the name typed in the new row's editor, Enter.
    void typeRow(const char* table, const QString& what) {
        rows(table)->setFocus();
        QTest::keyClick(rows(table), Qt::Key_Insert);
        settle();
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, what);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }
    QString message() const { return text("freeMessageLabel"); }

    GraphWindow graph;
};

TEST(FreeSolutionsPanel, TypedRowsAreCheckedAndDrawn) {
    FreeProgram p;
    EXPECT_TRUE(p.shown("freeSolutionsPanel"));
    EXPECT_FALSE(p.shown("concentration1Field")) << "the closed-form fields give way";
    // The beaker emptied by its button, then filled by keyboard.
    for (int k = 0; k < 2; ++k) p.clickButton("removeBeakerRowButton");
    EXPECT_EQ(p.rows("beakerRows")->rowCount(), 0);
    EXPECT_TRUE(p.message().contains("Bécher : aucun soluté")) << p.message().toStdString();

    const struct {
        const char* label;
        QString what;
        const char* message; // a part of the panel's message afterwards, or none
    } steps[] = {
        {"unknown name", "eau de chaux", "Bécher, ligne 1 « eau de chaux » : nom inconnu"},
        {"a second row", "acid(4.76)", "Bécher, ligne 1 « eau de chaux »"},
    };
    for (const auto& step : steps) {
        p.typeRow("beakerRows", step.what);
        EXPECT_TRUE(p.message().contains(step.message))
            << step.label << ": " << p.message().toStdString();
    }
    // Delete takes the chosen row away: the refused one.
    p.rows("beakerRows")->setCurrentCell(0, 0);
    QTest::keyClick(p.rows("beakerRows"), Qt::Key_Delete);
    EXPECT_EQ(p.rows("beakerRows")->rowCount(), 1);
    EXPECT_TRUE(p.message().isEmpty()) << p.message().toStdString();
    ASSERT_EQ(p.sim.freeStudy.inputs.beaker.size(), 1u);
    EXPECT_EQ(p.sim.freeStudy.inputs.beaker[0].what, "acid(4.76)");

    // F11: ethanoic acid by soda, 10 mL at 0.1 mol/L each: the curve runs from the acid's pH
    // to the soda's, its jump at 10 mL.
    QTest::keyClick(p.rows("beakerRows"), Qt::Key_F11);
    p.settle();
    EXPECT_TRUE(p.messages.messages.empty()) << p.messages.messages.front();
    auto* chart = p.graph.findChild<ChartView*>();
    ASSERT_NE(chart, nullptr);
    const QList<QPointF> points = chart->series(1)->points();
    ASSERT_GE(points.size(), 100);
    EXPECT_NEAR(points.front().y(), 2.88, 0.01); // (pKa - log c) / 2
    EXPECT_GT(points.back().y(), 12);
    const auto neutral =
        std::find_if(points.begin(), points.end(), [](const QPointF& q) { return q.y() > 7; });
    ASSERT_NE(neutral, points.end());
    EXPECT_NEAR(neutral->x(), 10, 0.25) << "mL";
}

TEST(FreeSolutionsPanel, TheDatabaseWindowPutsAnEntryInEitherSide) {
    FreeProgram p;
    FreeSolutionsPanel* panel = p.window->freeSolutionsPanel();
    ASSERT_NE(panel, nullptr);
    const struct {
        FreeSide side;
        const char* table;
        const char* name;
    } cases[] = {{FreeSide::Beaker, "beakerRows", "ammonium chloride"},
                 {FreeSide::Burette, "buretteRows", "acide chlorhydrique"}};
    for (const auto& c : cases) {
        const int before = p.rows(c.table)->rowCount();
        panel->addSolute(c.side, c.name);
        ASSERT_EQ(p.rows(c.table)->rowCount(), before + 1) << c.name;
        EXPECT_EQ(p.rows(c.table)->item(before, 0)->text(), c.name);
        EXPECT_EQ(p.sim.freeStudy.inputs.rows(c.side).back().what, c.name);
    }
    EXPECT_TRUE(panel->message().isEmpty()) << panel->message().toStdString();
    EXPECT_TRUE(p.sim.changes.unsaved);
}

// "Utiliser" from a main window where no study is chosen: the free study is chosen, and a
// teacher's entry no database knows joins the burette with its own values.
TEST(FreeSolutionsPanel, AnEntryUsedFromTheDatabaseChoosesTheFreeStudy) {
    MainWindowFixture m;
    SoluteEntry own;
    own.nameFr = own.nameEn = "acide du cours";
    own.system.pKa = {3.3};
    m.window->useSolute(SoluteSide::Burette, own);
    EXPECT_EQ(m.sim.panel.study, Study::FreeSolutions);
    ASSERT_FALSE(m.sim.freeStudy.inputs.burette.empty());
    EXPECT_EQ(m.sim.freeStudy.inputs.burette.back().what, "acide du cours");
    RecordingNotifier quiet;
    RefreshSimulation(m.sim, quiet);
    EXPECT_TRUE(m.sim.freeStudy.result.errors.empty())
        << m.sim.freeStudy.result.errors.front();
}

} // namespace
