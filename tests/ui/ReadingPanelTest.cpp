// The graph window's readings: the boxes regenerate, the chart gains markers, a derivative on a
// right-hand axis, an indicator band and a legend; the results and the particular point show
// the exact values.
#include "GraphFixture.h"

#include "core/chemistry/Formulas.h"
#include "core/curves/Equivalence.h"
#include "core/session/ChartReading.h"
#include "core/session/DiagramColumns.h"
#include "core/session/Measurements.h"
#include "core/session/PastedPoints.h"
#include "ui/qt/ChartReadingLayer.h"
#include "ui/qt/DiagramPainter.h"
#include "ui/windows/GranTab.h"
#include "ui/windows/ReadingPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

using namespace titralab;
using titralab::testing::GraphFixture;

namespace {

struct PanelCase {
    const char* label;
    Study study;
    BuretteSide side;
    int entry1, entry2;
    int equivalences;
    const char* firstResult; // the first line of the results panel
};

void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.label;
}

class Readings : public ::testing::TestWithParam<PanelCase> {};

TEST_P(Readings, BoxesAndChoiceDrawAndList) {
    const PanelCase& c = GetParam();
    GraphFixture g(c.study, c.entry1, c.side, c.entry2);
    ReadingPanel* panel = g.window->readingPanel();
    ChartReadingLayer* layer = panel->layer();
    EXPECT_EQ(layer->markerCount(), 0);

    QTest::mouseClick(g.find<QCheckBox>("EquivalencesBox"), Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_EQ(static_cast<int>(g.sim.reading.points.size()), c.equivalences);
    // A line and its label for each equivalence and half-equivalence.
    EXPECT_EQ(layer->markerCount(), 4 * c.equivalences);
    EXPECT_TRUE(panel->resultsText().startsWith(QString::fromUtf8(c.firstResult)))
        << panel->resultsText().toStdString();

    QTest::mouseClick(g.find<QCheckBox>("DerivativeBox"), Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_NE(layer->derivativeSeries(), nullptr);
    EXPECT_EQ(layer->derivativeSeries()->count(), g.drawn(1));
    EXPECT_TRUE(layer->derivativeAxis()->isVisible());
    EXPECT_EQ(layer->derivativeAxis()->alignment(), Qt::AlignRight);

    auto* choice = g.find<QPushButton>("IndicatorChoice");
    choice->menu()->actions().at(10)->trigger(); // phénolphtaléine, after "(aucun)"
    EXPECT_TRUE(choice->text().startsWith(QString::fromUtf8("phénolphtaléine (8,2")));
    EXPECT_TRUE(layer->bandShown());
    EXPECT_TRUE(panel->resultsText().contains(QString::fromUtf8("phénolphtaléine : ")));
    // Every line whole within the panel's width: a long verdict goes on to the next line.
    auto* results = g.find<QListWidget>("ReadingResults");
    const int width = results->viewport()->width();
    for (int i = 0; i < results->count(); ++i) {
        const QListWidgetItem* row = results->item(i);
        const QRect needed = results->fontMetrics().boundingRect(
            QRect(0, 0, width, 1 << 20), int(Qt::TextWordWrap), row->text());
        EXPECT_LE(needed.height(), results->visualItemRect(row).height()) << row->text().toStdString();
    }
    const QStringList legend = layer->legendTexts();
    EXPECT_EQ(legend.first(), "pH");
    EXPECT_TRUE(legend.contains("dpH/dV"));
    EXPECT_TRUE(legend.contains(QString::fromUtf8("phénolphtaléine")));
    EXPECT_TRUE(layer->legendVisible());

    // A right click hides the legend, and the box follows.
    QTest::mouseClick(g.chart()->viewport(), Qt::RightButton, {}, QPoint(200, 200));
    EXPECT_FALSE(layer->legendVisible());
    EXPECT_FALSE(g.find<QCheckBox>("LegendBox")->isChecked());

    // The particular point: 10 mL, its pH solved there.
    auto* field = g.find<QLineEdit>("ParticularPoint");
    field->setText("10");
    QTest::keyClick(field, Qt::Key_Return);
    const ExactPoint p = *exactPointAt(g.sim, 10);
    EXPECT_TRUE(panel->particularText().startsWith(
        "v = 10 mL ; pH = " + QString::fromStdString(formatGeneral(p.pH, 4, ','))))
        << panel->particularText().toStdString();
    EXPECT_TRUE(panel->particularText().contains("[H3O+] = "));
}

INSTANTIATE_TEST_SUITE_P(
    Studies, Readings,
    ::testing::Values(PanelCase{"AceticAcid", Study::TitrationVsVolume, BuretteSide::AcidSide, 17,
                                17, 1, "½E1 : v = 10,00 mL ; pH = 4,70"},
                      PanelCase{"PhosphoricAcid", Study::TitrationVsVolume, BuretteSide::AcidSide,
                                30, 17, 3, "½E1 : v = 10,00 mL ; pH = "},
                      PanelCase{"TwoMonoacids", Study::TwoMonoTitration, BuretteSide::AcidSide, 17,
                                4, 2, "½E1 : v = 10,00 mL ; pH = "},
                      PanelCase{"WeakBase", Study::TitrationVsVolume, BuretteSide::BaseSide, 2, 2,
                                1, "½E1 : v = 10,00 mL ; pH = 9,30"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ReadingsOutsideTitrations, ControlsAreDisabled) {
    GraphFixture g(Study::SpeciesVsPH);
    EXPECT_FALSE(g.find<QCheckBox>("EquivalencesBox")->isEnabled());
    EXPECT_FALSE(g.find<QCheckBox>("DerivativeBox")->isEnabled());
    EXPECT_FALSE(g.find<QPushButton>("IndicatorChoice")->isEnabled());
}

// The β box draws the buffer capacity on the right-hand axis with its maxima marked, and
// adds its column to the copied table, along a titration and against pH.
TEST(BufferCapacityBox, DrawsBetaAndAddsItsColumn) {
    const struct {
        const char* label;
        Study study;
        int entry1;
    } cases[] = {
        {"ethanoic acid titration", Study::TitrationVsVolume, 17},
        {"phosphoric acid species", Study::SpeciesVsPH, 30},
    };
    for (const auto& c : cases) {
        GraphFixture g(c.study, c.entry1);
        ChartReadingLayer* layer = g.window->readingPanel()->layer();
        auto* box = g.find<QCheckBox>("bufferCapacityBox");
        ASSERT_TRUE(box->isEnabled()) << c.label;
        EXPECT_EQ(g.sim.results.exportText.find("β (mol/L par unité de pH)"), std::string::npos);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 8));
        EXPECT_TRUE(g.sim.exportSettings.diagrams.bufferCapacity) << c.label;
        const BufferCurve curve = studyBufferCurve(g.sim);
        ASSERT_FALSE(curve.maxima.empty()) << c.label;
        ASSERT_NE(layer->derivativeSeries(), nullptr) << c.label;
        EXPECT_EQ(layer->derivativeSeries()->count(), static_cast<int>(curve.points.size()))
            << c.label;
        EXPECT_EQ(layer->derivativeAxis()->titleText(),
                  QString::fromUtf8("β (mol/L par unité de pH)"))
            << c.label;
        // A line and its label per maximum.
        EXPECT_EQ(layer->markerCount(), 2 * static_cast<int>(curve.maxima.size())) << c.label;
        EXPECT_NE(g.sim.results.exportText.find("\tβ (mol/L par unité de pH)\r"), std::string::npos)
            << c.label;
    }
}

// At the particular point, and where the keyboard cursor stands, the formula that governs the
// pH and its verdict.
TEST(WhyThisPH, NamesTheFormulaAtTheParticularPointAndAtTheCursor) {
    const struct {
        const char* volume; // mL
        const char* formula;
    } cases[] = {
        {"0", "acide faible : pH = ½(pKa − log c)"},
        {"10", "mélange tampon (Henderson-Hasselbalch) : pH = pKa + log(cb/ca)"},
        {"20", "base faible : pH = 7 + ½(pKa + log c)"},
    };
    GraphFixture g(Study::TitrationVsVolume, 17);
    auto* field = g.find<QLineEdit>("ParticularPoint");
    for (const auto& c : cases) {
        field->setText(c.volume);
        QTest::keyClick(field, Qt::Key_Return);
        const QStringList lines =
            g.window->readingPanel()->whyThisPHText().split(QStringLiteral("\n"));
        ASSERT_EQ(lines.size(), 2) << c.volume;
        EXPECT_EQ(lines[0], QString::fromUtf8("Pourquoi ce pH ?"));
        const QStringList parts = lines[1].split(QStringLiteral(" ; "));
        ASSERT_EQ(parts.size(), 5) << c.volume;
        EXPECT_EQ(parts[0], QString::fromUtf8(c.formula)) << c.volume;
        EXPECT_EQ(parts[4], QString::fromUtf8("vérifiée : oui")) << c.volume;
    }
    // The cursor walks from the start of the curve: the weak acid, then, 10 mL on, the buffer.
    auto* chart = g.find<QWidget>("chart");
    chart->setFocus();
    QTest::keyClick(chart, Qt::Key_Home);
    EXPECT_TRUE(g.window->readingPanel()->whyThisPHText().contains(QString::fromUtf8(cases[0].formula)));
    for (int k = 0; k < 10; ++k) QTest::keyClick(chart, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_TRUE(g.window->readingPanel()->whyThisPHText().contains(QString::fromUtf8(cases[1].formula)))
        << g.window->readingPanel()->whyThisPHText().toStdString();
}

} // namespace

TEST(MeasuredReadings, FollowTheSimulatedOnesAfterAPaste) {
    GraphFixture g(Study::TitrationVsVolume, 17);
    ReadingPanel* panel = g.window->readingPanel();
    const QString measured = QString::fromUtf8("Mesures — ");
    EXPECT_FALSE(panel->resultsText().contains(measured));
    // Points off the simulated curve, every 0.5 mL and every 0.1 mL across the jump.
    const double equivalence = equivalenceVolumes(g.sim.state).at(0); // L
    std::string rows = "V\tpH\n";
    for (double v = 0; v <= 1.5 * equivalence + 1e-9;
         v += std::abs(v - equivalence) < 2e-3 ? 1e-4 : 5e-4)
        rows += std::to_string(v) + "\t" +
                std::to_string(exactPH(g.sim.state, Titration::OneAcid, v)) + "\n";
    PastePairs(g.sim, true, rows);
    g.click(9); // the points' box regenerates the chart and the readings
    const QStringList lines = panel->resultsText().split('\n').filter(measured);
    const char* methods[] = {"dérivée", "tangentes", "Gran (avant)", "Gran (après)"};
    ASSERT_EQ(lines.size(), 4) << panel->resultsText().toStdString();
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(lines[k].startsWith(measured + QString::fromUtf8(methods[k]) + " : V_E = "))
            << lines[k].toStdString();
        const double v = lines[k].section(" = ", 1).section(QString::fromUtf8(" ±"), 0, 0)
                             .replace(',', '.').toDouble();
        EXPECT_NEAR(v, equivalence * 1e3, 0.1) << lines[k].toStdString();
    }
}

// Gran's tab shows with measured points; a range typed or dragged refits its line, and the
// reading panel's Gran lines follow.
TEST(MeasuredReadings, GranRangesTypedOrDraggedRefitTheLines) {
    GraphFixture g(Study::TitrationVsVolume, 17);
    EXPECT_FALSE(g.window->tabs()->tabBar()->isVisibleTo(g.window.get()));
    const double equivalence = equivalenceVolumes(g.sim.state).at(0); // L
    std::string rows;
    for (double v = 0; v <= 1.5 * equivalence + 1e-9; v += 5e-4)
        rows += std::to_string(v) + "\t" +
                std::to_string(exactPH(g.sim.state, Titration::OneAcid, v)) + "\n";
    PastePairs(g.sim, true, rows);
    g.click(9);
    ASSERT_TRUE(g.window->tabs()->tabBar()->isVisibleTo(g.window.get()));
    // The measured points' derivative, drawn on demand, peaks at the equivalence.
    g.window->findChild<QCheckBox*>("measuredDerivativeBox")->click();
    auto* derivative =
        g.window->chart()->chart()->findChild<QLineSeries*>("measuredDerivativeLine");
    ASSERT_TRUE(derivative && derivative->isVisible());
    QPointF peak;
    for (const QPointF& p : derivative->points())
        if (p.y() > peak.y()) peak = p;
    EXPECT_NEAR(peak.y(), kMeasuredDerivativeTop, 1e-9);
    EXPECT_NEAR(peak.x(), equivalence * 1e3, 0.5);
    g.window->tabs()->setCurrentIndex(1);
    GranTab* gran = g.window->granTab();
    EXPECT_TRUE(gran->view(GranSide::Before).problem.empty());
    const auto granLines = [&] {
        return g.window->readingPanel()->resultsText().split('\n').filter("Gran").size();
    };
    ASSERT_EQ(granLines(), 2);

    // Typed: a range of two points leaves no line before the jump; "Automatique" brings it back.
    auto* from = gran->findChild<QLineEdit*>("granBeforeFrom");
    auto* to = gran->findChild<QLineEdit*>("granBeforeTo");
    from->setText("0,1");
    to->setText("0,6");
    emit to->editingFinished();
    EXPECT_EQ(granLines(), 1);
    EXPECT_FALSE(gran->view(GranSide::Before).problem.empty());
    gran->findChild<QPushButton*>("granBeforeAutomatic")->click();
    EXPECT_EQ(granLines(), 2);

    // Dragged: the start of the range after the jump, taken on its line and let go further on.
    auto* canvas = gran->findChild<GranCanvas*>("granAfterPlot");
    const std::pair<double, double> range = *granRange(g.sim, GranSide::After);
    const DiagramView& view = canvas->view();
    const QRectF plot = diagramPlotArea(QRectF(canvas->rect()), view, ',', canvas->font());
    const auto pixel = [&](double x) {
        return QPoint(static_cast<int>(std::lround(
                          plot.left() + (x - view.xMin) / (view.xMax - view.xMin) * plot.width())),
                      static_cast<int>(plot.center().y()));
    };
    const double moved = range.first + 0.3 * (range.second - range.first);
    QTest::mousePress(canvas, Qt::LeftButton, {}, pixel(range.first));
    QMouseEvent drag(QEvent::MouseMove, pixel(moved), canvas->mapToGlobal(pixel(moved)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &drag);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, pixel(moved));
    ASSERT_TRUE(g.sim.pasted.granAfter.has_value());
    EXPECT_NEAR(g.sim.pasted.granAfter->first * 1e3, moved, 0.02 * (range.second - range.first));
    EXPECT_EQ(granLines(), 2);
}
