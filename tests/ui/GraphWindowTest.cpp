// The graph window: its boxes, number of points, curves, readout, zoom and point markers.
#include "GraphFixture.h"

#include "core/curves/SeriesColours.h"

#include "core/session/PastedPoints.h"
#include "core/texts/Messages.h"
#include "ui/windows/PointStyleDialog.h"

#include <QRadioButton>
#include <QScatterSeries>
#include <QStatusBar>
#include <QValueAxis>

using namespace titralab;
using namespace titralab::testing;

namespace {

TEST(GraphWindowControls, DesignCaptionsAndFirstShow) {
    GraphFixture w(Study::TitrationVsVolume);
    EXPECT_EQ(w.window->windowTitle(), "Pour revenir à la page principale, fermez celle-ci");
    EXPECT_EQ(w.box(1)->text(), "Tenir compte de la dilution");
    EXPECT_EQ(w.find<QLabel>("dilutionLabel")->text(), "pour les concentrations");
    EXPECT_EQ(w.find<QLabel>("pointCountLabel")->text(), "Nombre de points :");
    EXPECT_EQ(w.points()->text(), "100");
    EXPECT_EQ(w.box(8)->text(), "Conductivité");
    EXPECT_EQ(w.box(9)->text(), "Points ajoutés");
    EXPECT_EQ(w.box(10)->text(), "H3O+");
    EXPECT_EQ(w.find<QPushButton>("printButton")->text(), "&Imprimer...");
    EXPECT_EQ(w.find<QPushButton>("pointStyleButton")->text(), "Choix tracé points");
    EXPECT_EQ(w.find<QPushButton>("copyButton")->text(), "&Copier");
    EXPECT_EQ(w.chart()->toolTip(), "Pour zoomer, sélectionner une zone \nde gauche à droite. "
                                    "\nPour revenir à la pleine échelle, \nsélectionnez de droite "
                                    "à gauche");
    EXPECT_EQ(w.chart()->chart()->title(),
              "Monobase forte versée sur mono, di ou triacide : évolution du pH et des "
              "concentrations en fonction de v de base versé");
    EXPECT_EQ(w.chart()->leftAxis()->titleText(), "pH de 0 à 14");
    EXPECT_EQ(w.chart()->bottomAxis()->titleText(), "v de monobase forte versé, en mL");
    EXPECT_FALSE(w.chart()->chart()->legend()->isVisible());
    EXPECT_EQ(w.chart()->chart()->backgroundBrush().color(), QColor(172, 179, 196));
    // Status panels 1 to 3 take a quarter of the window each.
    EXPECT_EQ(w.find<QLabel>("statusPanel1")->width(), w.window->width() / 4);
    EXPECT_EQ(w.find<QLabel>("statusPanel3")->width(), w.window->width() / 4);
}

TEST(GraphWindowPoints, TypingKeepsTheSimulationsTextAndAClickOrEnterChecksIt) {
    struct Case {
        const char* typed;
        bool enter; // Enter in the field, else a click on a box
        std::vector<std::string> messages;
        const char* shown;
        int points;
    } cases[] = {{"300", false, {texts::pointCountMessage(Language::French)}, "200", 200},
                 {"1000", false, {texts::pointCountMessage(Language::French)}, "200", 200},
                 {"7", false, {}, "7", 7},
                 {"12,9", false, {}, "12", 12},
                 {"abc", false, {texts::pointCountMessage(Language::French)}, "5", 5},
                 {"81", true, {}, "81", 81},
                 {"300", true, {texts::pointCountMessage(Language::French)}, "200", 200}};
    for (const Case& c : cases) {
        GraphFixture w(Study::TitrationVsVolume);
        w.typePoints(c.typed);
        EXPECT_EQ(w.sim.panel.pointCount, c.typed); // what F11 in the main window reads
        if (c.enter)
            QTest::keyClick(w.points(), Qt::Key_Return);
        else
            w.click(10);
        EXPECT_EQ(w.messages.messages, c.messages) << c.typed;
        EXPECT_EQ(w.points()->text(), c.shown) << c.typed;
        EXPECT_EQ(w.drawn(1), c.points) << c.typed;
        // The value written back is never refused again.
        w.click(10);
        EXPECT_EQ(w.messages.messages, c.messages) << c.typed << ", second click";
    }
}

TEST(GraphWindowBoxes, SpeciesBoxesFollowTheAcid) {
    GraphFixture w(Study::TitrationVsVolume, 17); // acetic acid: two species
    EXPECT_EQ(w.shownBoxes(), (std::vector<int>{1, 2, 3, 8, 9, 10}));
    EXPECT_EQ(w.box(2)->text(), "acide éthanoïque");
    EXPECT_EQ(w.box(3)->text(), "ion éthanoate");
    EXPECT_TRUE(w.box(2)->isChecked());
    EXPECT_TRUE(w.box(3)->isChecked());
    EXPECT_FALSE(w.find<QLabel>("dilutionLabel")->isHidden());

    // Phosphoric acid is loaded in the main window, then a box is clicked.
    w.sim.browser.current(BuretteSide::AcidSide) = 30;
    LoadEntry(w.sim.browser, 30, w.sim.panel, w.sim.state);
    w.click(10); // the hydronium curve off
    EXPECT_EQ(w.shownBoxes(), (std::vector<int>{1, 2, 3, 4, 5, 8, 9, 10}));
    EXPECT_EQ(w.box(5)->text(), "ion phosphate");
    EXPECT_FALSE(w.box(4)->isChecked());
    EXPECT_FALSE(w.box(5)->isChecked());
    EXPECT_TRUE(w.box(2)->isChecked());
    EXPECT_FALSE(w.box(10)->isChecked());
    EXPECT_EQ(w.drawn(6), 0);
    EXPECT_EQ(w.drawn(2), 100);

    // A ticked box draws its curve; the mirror follows every click.
    w.click(4);
    EXPECT_TRUE(w.sim.graph.isChecked(4));
    EXPECT_EQ(w.drawn(4), 100);
    w.click(2);
    EXPECT_FALSE(w.sim.graph.isChecked(2));
    EXPECT_EQ(w.drawn(2), 0);
}

TEST(GraphWindowBoxes, EachStudyShowsItsBoxes) {
    struct Case {
        const char* label;
        Study study;
        int entry1;
        BuretteSide side;
        std::vector<int> shown;
        bool dilutionLabel;
    } cases[] = {
        {"species", Study::SpeciesVsPH, 17, BuretteSide::AcidSide, {2, 3, 8, 9}, false},
        {"two monoacids",
         Study::TwoMonoTitration,
         17,
         BuretteSide::AcidSide,
         {1, 2, 3, 6, 7, 8, 9, 10},
         true},
        {"dilution", Study::Dilution, 17, BuretteSide::AcidSide, {}, false},
        {"dilution of a base", Study::Dilution, 2, BuretteSide::BaseSide, {}, false},
        {"tribase",
         Study::TitrationVsVolume,
         14,
         BuretteSide::BaseSide,
         {1, 2, 3, 4, 5, 8, 9, 10},
         true},
    };
    for (const Case& c : cases) {
        GraphFixture w(c.study, c.entry1, c.side, c.entry1);
        EXPECT_EQ(w.shownBoxes(), c.shown) << c.label;
        EXPECT_EQ(!w.find<QLabel>("dilutionLabel")->isHidden(), c.dilutionLabel) << c.label;
        EXPECT_FALSE(w.points()->isHidden()) << c.label;
        EXPECT_FALSE(w.find<QPushButton>("printButton")->isHidden()) << c.label;
    }
}

TEST(GraphWindowBoxes, ConductivityBoxIsEnabledOnlyWhenAvailable) {
    GraphFixture w(Study::TitrationVsVolume, 17);
    EXPECT_TRUE(w.box(8)->isEnabled());
    w.click(8);
    EXPECT_TRUE(w.box(8)->isChecked());
    EXPECT_EQ(w.drawn(8), 100);

    // "acide fort": the database has no conductivities for it.
    w.sim.browser.current(BuretteSide::AcidSide) = 1;
    LoadEntry(w.sim.browser, 1, w.sim.panel, w.sim.state);
    w.click(2);
    EXPECT_FALSE(w.box(8)->isEnabled());
    EXPECT_FALSE(w.box(8)->isChecked());
    EXPECT_FALSE(w.sim.graph.isChecked(8));
    EXPECT_EQ(w.drawn(8), 0);
}

TEST(GraphWindowBoxes, TheHydroniumTickFromTheMainWindowRegeneratesNothing) {
    GraphFixture w(Study::TitrationVsVolume);
    ASSERT_TRUE(w.box(10)->isChecked());
    const int before = w.drawn(6);
    w.window->setHydroniumTicked(false);
    EXPECT_FALSE(w.box(10)->isChecked());
    EXPECT_FALSE(w.sim.graph.isChecked(10));
    EXPECT_EQ(w.drawn(6), before);
    EXPECT_TRUE(w.messages.messages.empty());
}

TEST(GraphWindowCurves, SeriesKeepTheirOrderAndColours) {
    GraphFixture w(Study::TitrationVsVolume);
    // The one colour table of the chart.
    QColor colours[8];
    for (int k = 0; k < 8; ++k) {
        const Rgb c = kScreenSeriesColours[static_cast<std::size_t>(k)];
        colours[k] = QColor(c.r, c.g, c.b);
    }
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(w.chart()->series(k)->color(), colours[k - 1]) << "Series" << k;
        EXPECT_EQ(w.drawn(k), static_cast<int>(w.sim.results.curves[k].size())) << "Series" << k;
    }
    EXPECT_EQ(w.chart()->series(1)->at(5), QPointF(w.sim.results.curves[1][5].x, w.sim.results.curves[1][5].y));
    // Fixed 0..14 for the titrations, automatic for the species.
    EXPECT_EQ(w.chart()->leftAxis()->min(), 0);
    EXPECT_EQ(w.chart()->leftAxis()->max(), 14);
    GraphFixture species(Study::SpeciesVsPH);
    EXPECT_NEAR(species.chart()->leftAxis()->max(), 0.1, 0.01);
    EXPECT_EQ(species.chart()->bottomAxis()->min(), 0);
    EXPECT_EQ(species.chart()->bottomAxis()->max(), 14);
}

// The mouse over the chart at `position`. Qt drops a move to where the mouse already is, so
// the mouse comes from elsewhere first.
void hover(QWidget* view, QPoint position) {
    QTest::mouseMove(view, position + QPoint(5, 5));
    QTest::mouseMove(view, position);
}

// The value shown after `label` in a panel.
double valueIn(const QString& panel, const char* label) {
    const QString prefix = QString::fromUtf8(label);
    EXPECT_TRUE(panel.startsWith(prefix)) << panel.toStdString();
    return panel.mid(prefix.size()).replace(',', '.').toDouble(); // either separator
}

// Each window is looked at alone: the mouse goes to the top window under it.
TEST(GraphWindowReadout, PanelsUnderTheMouseByStudy) {
    {
        GraphFixture titration(Study::TitrationVsVolume, 17);
        ChartView* chart = titration.chart();
        hover(chart->viewport(), QPoint(chart->xToPixel(10), chart->yToPixel(5)));
        // One pixel on each axis, in values.
        const double dx = 10.0 / (chart->xToPixel(20) - chart->xToPixel(10));
        const double dy = 5.0 / (chart->yToPixel(0) - chart->yToPixel(5));
        EXPECT_NEAR(valueIn(titration.window->panelText(1), "Volume versé : "), 10, dx);
        EXPECT_NEAR(valueIn(titration.window->panelText(2), "pH : "), 5, dy);
        // conc1 = 0.1 mol/L: height 5 is 0.05 mol/L.
        EXPECT_NEAR(valueIn(titration.window->panelText(3), "Concentration en mol / L : "), 0.05,
                    dy / 100);
        // No conductivity drawn: the height is not read as one.
        EXPECT_TRUE(titration.window->panelText(4).isEmpty());
    }
    {
        GraphFixture strong(Study::TitrationVsVolume, 1); // no conductivity
        hover(strong.chart()->viewport(), QPoint(300, 300));
        EXPECT_TRUE(strong.window->panelText(1).startsWith("Volume versé : "));
        EXPECT_TRUE(strong.window->panelText(4).isEmpty());
    }
    {
        GraphFixture dilution(Study::Dilution, 17);
        ChartView* d = dilution.chart();
        hover(d->viewport(), QPoint(d->xToPixel(3), d->yToPixel(4)));
        EXPECT_NEAR(valueIn(dilution.window->panelText(1), "- Log(concentration) : "), 3,
                    3.0 / (d->xToPixel(3) - d->xToPixel(0)));
        EXPECT_NEAR(valueIn(dilution.window->panelText(2), "pH : "), 4,
                    4.0 / (d->yToPixel(0) - d->yToPixel(4)));
        EXPECT_TRUE(dilution.window->panelText(3).isEmpty());
        EXPECT_TRUE(dilution.window->panelText(4).isEmpty());
    }
    {
        GraphFixture species(Study::SpeciesVsPH, 17);
        ChartView* s = species.chart();
        hover(s->viewport(), QPoint(s->xToPixel(7), s->yToPixel(0.05)));
        EXPECT_NEAR(valueIn(species.window->panelText(1), "pH : "), 7,
                    7.0 / (s->xToPixel(7) - s->xToPixel(0)));
        EXPECT_TRUE(species.window->panelText(2).isEmpty());
        EXPECT_NEAR(valueIn(species.window->panelText(3), "Concentration en mol / L : "), 0.05,
                    0.05 / (s->yToPixel(0) - s->yToPixel(0.05)));
        EXPECT_TRUE(species.window->panelText(4).isEmpty());
    }
    {
        GraphFixture mixture(Study::TwoPolyMixture, 30);
        hover(mixture.chart()->viewport(), QPoint(300, 300));
        for (int k = 1; k <= 4; ++k) EXPECT_TRUE(mixture.window->panelText(k).isEmpty()) << k;
    }
}

TEST(GraphWindowZoom, LeftToRightZoomsRightToLeftReturnsToFullScale) {
    GraphFixture w(Study::TitrationVsVolume, 17); // 0..40 mL, pH 0..14
    ChartView* chart = w.chart();
    QWidget* view = chart->viewport();
    const QPoint from(chart->xToPixel(10), chart->yToPixel(10));
    const QPoint to(chart->xToPixel(20), chart->yToPixel(4));
    const double dx = 10.0 / (to.x() - from.x());
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    hover(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
    EXPECT_TRUE(chart->isZoomed());
    EXPECT_NEAR(chart->bottomAxis()->min(), 10, dx);
    EXPECT_NEAR(chart->bottomAxis()->max(), 20, dx);
    EXPECT_NEAR(chart->leftAxis()->min(), 4, 0.1);
    EXPECT_NEAR(chart->leftAxis()->max(), 10, 0.1);

    // A regeneration keeps the zoom; showing the window again starts at full scale.
    w.click(10);
    EXPECT_NEAR(chart->bottomAxis()->max(), 20, dx);

    const QPoint right(chart->xToPixel(18), chart->yToPixel(8));
    const QPoint left(chart->xToPixel(12), chart->yToPixel(6));
    QTest::mousePress(view, Qt::LeftButton, {}, right);
    hover(view, left);
    QTest::mouseRelease(view, Qt::LeftButton, {}, left);
    EXPECT_FALSE(chart->isZoomed());
    EXPECT_EQ(chart->leftAxis()->min(), 0);
    EXPECT_EQ(chart->leftAxis()->max(), 14);
    EXPECT_EQ(chart->bottomAxis()->min(), 0);
    EXPECT_NEAR(chart->bottomAxis()->max(), 40, 1e-9);

    chart->zoomTo(from, to);
    w.window->prepare();
    EXPECT_FALSE(chart->isZoomed());
}

std::string spreadsheetRows(int rows, double lastPH = 0) {
    std::string text = "Volume\tpH\r\n";
    for (int k = 1; k <= rows; ++k)
        text += std::to_string(0.002 * k) + "\t" + std::to_string(3 + 0.2 * k) + "\r\n";
    if (lastPH > 0) text += "0.012\t" + std::to_string(lastPH) + "\r\n";
    return text;
}

TEST(GraphWindowPastedPoints, AppearWhenTheBoxIsTickedAndOutsidePointsAreReportedOnce) {
    GraphFixture w(Study::TitrationVsVolume, 17);
    PastePairs(w.sim, true, spreadsheetRows(15)); // the header line is skipped
    EXPECT_EQ(w.drawn(7), 0);                     // nothing until a regeneration with the box
    w.click(9);
    EXPECT_TRUE(w.messages.messages.empty());
    ASSERT_EQ(w.drawn(7), 15);
    EXPECT_EQ(w.chart()->series(7)->at(0), QPointF(2, 3.2)); // 0.002 L drawn at 2 mL

    PastePairs(w.sim, true, spreadsheetRows(15, 14.2));
    w.click(9);
    EXPECT_EQ(w.drawn(7), 0);
    w.click(9);
    EXPECT_EQ(w.messages.messages,
              std::vector<std::string>{"Certains points collés sont hors du graphique"});
    EXPECT_EQ(w.drawn(7), 15);
    EXPECT_EQ(w.sim.pasted.points.size(), 16u);
}

TEST(GraphWindowPointStyle, TheChooserChangesTheMarkersAtOnce) {
    GraphFixture w(Study::TitrationVsVolume, 17);
    PointStyleDialog chooser(w.sim);
    w.window->setPointStyleChooser(&chooser);
    // The three start states agree: "Croix" chosen, crosses in the window.
    EXPECT_EQ(chooser.selected(), 1);
    EXPECT_EQ(w.chart()->marker(), (ScreenMarker{MarkerShape::Cross, 4}));

    QTest::mouseClick(w.find<QPushButton>("pointStyleButton"), Qt::LeftButton);
    ASSERT_TRUE(chooser.isVisible());
    EXPECT_FALSE(chooser.isModal());
    EXPECT_EQ(chooser.windowTitle(),
              "Choisir la représentation des points collés depuis un autre logiciel");
    auto* series = static_cast<QScatterSeries*>(w.chart()->series(7));
    for (int i = 0; i < 8; ++i) {
        auto* item = chooser.findChild<QRadioButton*>(QStringLiteral("styleChoice_%1").arg(i));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text().toStdString(), pointStyleCaptions(Language::French)[i]);
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
        const ScreenMarker expected = screenMarkerFor(pointStyleAt(i));
        EXPECT_EQ(static_cast<int>(w.sim.pasted.pointStyle), i);
        EXPECT_EQ(w.chart()->marker(), expected) << i;
        EXPECT_EQ(series->markerSize(), markerPixels(expected)) << i;
        EXPECT_EQ(series->lightMarker(), markerImage(expected, series->color())) << i;
        EXPECT_EQ(series->pen().style(), Qt::NoPen) << i; // never joined on screen
    }
    QTest::keyClick(&chooser, Qt::Key_Escape);
    EXPECT_TRUE(chooser.isVisible()); // left only through "O K"
    auto* square = chooser.findChild<QRadioButton*>("styleChoice_4");
    QTest::mouseClick(square, Qt::LeftButton, {}, QPoint(8, square->height() / 2));
    QTest::mouseClick(chooser.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(w.sim.pasted.pointStyle, PointStyle::Square);
    EXPECT_EQ(w.chart()->marker().shape, MarkerShape::Square);
}

TEST(GraphWindowButtons, PrintAndCopyRunTheirHooks) {
    GraphFixture w(Study::TitrationVsVolume, 17);
    int printed = 0, copied = 0;
    w.window->setPrintHook([&] { ++printed; });
    w.window->setCopyHook([&] { ++copied; });
    QTest::mouseClick(w.find<QPushButton>("printButton"), Qt::LeftButton);
    QTest::mouseClick(w.find<QPushButton>("copyButton"), Qt::LeftButton);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(copied, 1);
}

} // namespace
