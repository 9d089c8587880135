#include "ui/windows/GraphWindow.h"
#include "core/session/Measurements.h"
#include "ui/qt/Utf8Text.h"

#include "core/base/Notifier.h"
#include "core/curves/Curves.h"
#include "core/session/ChartReading.h"
#include "core/session/ChartScales.h"
#include "core/session/Readout.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "core/session/StudyEdits.h"
#include "core/session/WindowDescriptions.h"
#include "core/system/ScreenFit.h"
#include "core/texts/FreeStudyTexts.h"
#include "core/texts/InputTexts.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/OverlayTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/windows/GranTab.h"

#include "ui/qt/ChartView.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/ReadingPanel.h"
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTabBar>
#include <QTabWidget>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace titralab {

namespace {

// The chart's mapping in sixty-fourths of a pixel. The readout takes its slope from each
// series' own extremes; a series only a few pixels high (the hydronium curve of a titration)
// would otherwise carry its rounding into every value read far from it.
constexpr int kSubPixels = 64;

class ChartAxes : public AxisMapping {
  public:
    explicit ChartAxes(const ChartView& chart) : m_chart(chart) {}
    int xToPixel(double x) const override { return fine(m_chart.xToPosition(x)); }
    int yToPixel(double y) const override { return fine(m_chart.yToPosition(y)); }

  private:
    static int fine(double position) {
        // Values far off the chart stay far off, without overflowing.
        constexpr double kLimit = 1e9;
        return static_cast<int>(std::lround(std::clamp(position * kSubPixels, -kLimit, kLimit)));
    }
    const ChartView& m_chart;
};

} // namespace

GraphWindow::GraphWindow(Simulation& sim, Notifier& notifier, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_sim(sim), m_notifier(notifier) {
    setObjectName("GraphWindow");
    setAcceptDrops(true); // a dropped measurement file is imported, as on the main window
    buildControls();
    applySimulation();
}

void GraphWindow::setPointStyleChooser(PointStyleDialog* chooser) {
    if (m_chooser) disconnect(m_chooser, nullptr, this, nullptr);
    m_chooser = chooser;
    if (m_chooser)
        connect(m_chooser, &PointStyleDialog::pointStyleChanged, this,
                &GraphWindow::applyPointStyle);
}

void GraphWindow::prepare() {
    applySimulation();
    m_chart->resetZoom();
    for (QLabel* panel : m_panels) panel->clear();
    m_onCurve->clear();
}

int GraphWindow::showModal() {
    m_beside = false;
    prepare();
    // Modal to the main window only, so that the point-style chooser, a window of its own,
    // stays usable beside it.
    setWindowModality(Qt::WindowModal);
    // The whole screen even where no window manager honours the maximised state: the frame,
    // title bar included, inside the usable area; the main window's frame tells its size.
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        QMargins frame;
        if (QWidget* owner = parentWidget(); owner && owner->isVisible()) {
            const QRect outer = owner->frameGeometry(), inner = owner->geometry();
            frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        }
        const system::Rect client =
            system::clientInside({area.x(), area.y(), area.width(), area.height()},
                                  {frame.left(), frame.top(), frame.right(), frame.bottom()});
        setGeometry(client.left, client.top, client.width, client.height);
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

void GraphWindow::showBeside(const QRect& frame) {
    m_beside = true;
    prepare();
    setWindowModality(Qt::NonModal);
    setWindowState(windowState() & ~Qt::WindowMaximized);
    setGeometry(frame);
    show();
    raise();
}

void GraphWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    onShown();
}

void GraphWindow::onShown() {
    QString hint = text(m_sim.language, a11y::kChartHint);
    hint.replace('\r', '\n');
    m_chart->setToolTip(hint);
    sizeStatusPanels();
}

// The window is maximised after it is shown on some desktops: the panels follow its width.
void GraphWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    sizeStatusPanels();
    m_controlsArea->updateGeometry(); // its share of the height follows the window's
}

// Enter presses the focused button, as Space does; a button with a menu opens it.
void GraphWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (enter && button && button->isEnabled() && !button->isCheckable() &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        auto* tool = qobject_cast<QToolButton*>(button);
        if (tool && tool->menu() && tool->popupMode() == QToolButton::InstantPopup)
            tool->showMenu();
        else
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GraphWindow::applySimulation() {
    const GraphOptions& g = m_sim.graph;
    for (int box = 1; box <= 10; ++box) {
        QCheckBox* b = m_boxes[box];
        const QSignalBlocker guard(b);
        if (box >= 2) b->setText(utf8(g.captions[box - 2]));
        b->setChecked(g.checked[box - 1]);
        b->setHidden(!g.visible[box - 1]);
    }
    m_boxes[8]->setEnabled(g.conductivityEnabled);
    m_dilutionLabel->setHidden(!g.dilutionLabelVisible);
    showFreeForms();
    showPointCount();

    const PlotSetup& plot = m_sim.results.plot;
    setWindowTitle(m_beside ? text(m_sim.language, texts::kLiveGraphCaption)
                            : utf8(plot.windowTitle));
    m_printButton->setHidden(!plot.printButtonVisible);
    m_chart->setTitles(utf8(plot.chartTitle), utf8(plot.leftTitle), utf8(plot.bottomTitle));
    m_chart->setLeftAxis(plot.leftAxisAutomatic, plot.leftMin, plot.leftMax);
    for (int k = 1; k <= ChartView::kSeriesCount; ++k) {
        const Series& series = m_sim.results.curves[k];
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(series.size()));
        for (const CurvePoint& p : series) points.append(QPointF(p.x, p.y));
        m_chart->setPoints(k, points);
    }
    QList<QPointF> measured;
    for (const CurvePoint& p : drawnMeasuredConductivities(m_sim)) measured.append({p.x, p.y});
    m_chart->setMeasuredConductivities(measured);
    m_overlayBar->showOverlays();
    m_chart->setSideScale(sideScaleOf(m_sim));
    applyPointStyle();
    if (auto* pasteUnit = m_status->findChild<QLabel*>("pasteUnitPanel"))
        pasteUnit->setText(m_sim.pasted.inMillilitres
                               ? text(m_sim.language, texts::kPastedInMillilitres)
                               : QString());

    // New curves: the keyboard cursor starts again from the followed curve's first point.
    m_cursorSeries = cursorSeries(m_sim.results.curves);
    m_cursorOrder =
        m_cursorSeries ? abscissaOrder(m_sim.results.curves[m_cursorSeries]) : std::vector<std::size_t>{};
    m_cursorPlace = -1;
    m_cursorVolume = std::numeric_limits<double>::quiet_NaN();
    m_chart->setCursorPoint(std::nullopt);
    if (m_reading) m_reading->applySimulation();
    showGranTab();
    // The scale takes in the reading's curves as they now are, not those of the last study.
    m_chart->rescale();
    accessibility::apply(this, a11y::graphWindowTexts(m_sim));
}

// The free study's button of forms: every form of the solutions, those in the species boxes
// ticked; ticking a fifth is refused with its message.
void GraphWindow::showFreeForms() {
    const FreeStudyResult& result = m_sim.freeStudy.result;
    const bool free = m_sim.state.study == Study::FreeSolutions && result.species.size() > 0;
    m_formsButton->setVisible(free);
    QMenu* menu = m_formsButton->menu();
    menu->clear();
    if (!free) return;
    const Language lang = m_sim.language;
    m_formsButton->setText(text(lang, texts::kOtherForms));
    m_formsButton->setToolTip(text(lang, texts::kOtherFormsHint));
    m_formsButton->setAccessibleName(text(lang, texts::kOtherForms).remove('&').remove("..."));
    m_formsButton->setAccessibleDescription(text(lang, texts::kOtherFormsHint));
    for (std::size_t k = 0; k < result.species.size(); ++k) {
        const std::string name = result.species[k].name;
        QAction* action = menu->addAction(utf8(name));
        action->setCheckable(true);
        action->setChecked(std::find(result.drawnSpecies.begin(), result.drawnSpecies.end(),
                                     static_cast<int>(k)) != result.drawnSpecies.end());
        connect(action, &QAction::toggled, this, [this, name, action](bool chosen) {
            const std::string refusal = chooseFreeForm(m_sim, name, chosen);
            if (!refusal.empty()) {
                const QSignalBlocker guard(action);
                action->setChecked(!chosen);
                m_notifier.inform(refusal);
                return;
            }
            // Queued: the menu that holds the action is rebuilt by the regeneration.
            QMetaObject::invokeMethod(this, [this] { regenerate(); }, Qt::QueuedConnection);
        });
    }
}

// The tabs show only where Gran's method has measured pH points of a titration to read.
void GraphWindow::showGranTab() {
    const bool measured = titrationOf(m_sim.state.study) && !m_sim.pasted.lines.empty();
    m_tabs->setTabText(0, text(m_sim.language, texts::kCurveTab));
    m_tabs->setTabText(1, text(m_sim.language, texts::kGranTab));
    m_tabs->tabBar()->setAccessibleName(text(m_sim.language, texts::kChartTabsName));
    if (!measured) m_tabs->setCurrentIndex(0);
    m_tabs->tabBar()->setVisible(measured);
    if (measured && m_tabs->currentIndex() == 1) m_gran->refresh();
}

void GraphWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (m_drop && data->hasUrls() && data->urls().size() == 1 && data->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void GraphWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!m_drop || urls.size() != 1 || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    m_drop(urls.first().toLocalFile());
}

void GraphWindow::showPointCount() {
    const QString text = utf8(m_sim.panel.pointCount);
    if (m_points->text() != text) m_points->setText(text);
}

void GraphWindow::applyPointStyle() {
    m_chart->setMarker(screenMarkerFor(m_sim.pasted.pointStyle));
}

void GraphWindow::setHydroniumTicked(bool ticked) {
    const QSignalBlocker guard(m_boxes[10]);
    m_boxes[10]->setChecked(ticked);
    m_sim.graph.checked[9] = ticked;
}

void GraphWindow::boxClicked(int box, bool ticked) {
    setStudyInput(m_sim, m_sim.graph.checked[box - 1], ticked);
    regenerate();
}

void GraphWindow::regenerate() {
    m_sim.panel.pointCount = m_points->text().toStdString();
    ValidatePointCount(m_sim, m_notifier);
    showPointCount();
    try {
        RefreshSimulation(m_sim, m_notifier);
    } catch (const std::exception& fault) {
        // A fault ends this regeneration only; the window shows what it had.
        m_notifier.error(faultText(fault, m_sim.language));
    }
    applySimulation();
}

void GraphWindow::showReadoutAt(const QPoint& position) {
    const ReadoutPanels panels = ShowCursorReadout(
        m_sim, ChartAxes(*m_chart), position.x() * kSubPixels, position.y() * kSubPixels);
    for (int k = 0; k < 4; ++k) m_panels[k]->setText(utf8(panels[k]));
    m_onCurve->setText(m_reading->onCurveAt(position));
}

void GraphWindow::moveKeyboardCursor(CursorKey key) {
    // In the titration studies the cursor walks round volumes along the exact curve.
    if (titrationOf(m_sim.state.study) && m_cursorSeries == 1) {
        double span = 0;
        for (const CurvePoint& p : m_sim.results.curves[1]) span = std::max(span, p.x);
        m_cursorVolume = moveVolumeCursor(m_cursorVolume, span, key);
        const std::optional<ExactPoint> p = exactPointAt(m_sim, m_cursorVolume);
        if (!p) return;
        const ReadoutPanels panels = readoutAtValues(m_sim, m_cursorVolume, p->pH);
        for (int k = 0; k < 4; ++k) m_panels[k]->setText(utf8(panels[k]));
        m_onCurve->setText(utf8(onCurveText(m_sim, *p)));
        m_chart->setCursorPoint(QPointF(m_cursorVolume, p->pH));
        m_reading->explainAt(m_cursorVolume);
        announceCursor(utf8(a11y::cursorPointText(m_sim, &*p, panels)));
        return;
    }
    m_cursorPlace = moveCursor(m_cursorPlace, static_cast<int>(m_cursorOrder.size()), key);
    if (m_cursorPlace < 0) return;
    const std::size_t index = m_cursorOrder[static_cast<std::size_t>(m_cursorPlace)];
    const CurvePoint& p = m_sim.results.curves[m_cursorSeries][index];
    const ReadoutPanels panels = readoutAtPoint(m_sim, m_cursorSeries, index);
    for (int k = 0; k < 4; ++k) m_panels[k]->setText(utf8(panels[k]));
    m_chart->setCursorPoint(QPointF(p.x, p.y));
    announceCursor(utf8(a11y::cursorPointText(m_sim, nullptr, panels)));
}

// The focused chart tells the cursor's point: the status panels may be out of sight, and
// they never have the focus.
void GraphWindow::announceCursor(const QString& point) {
    const a11y::ControlTexts texts = a11y::graphWindowTexts(m_sim);
    const a11y::ControlText* chart = a11y::find(texts, a11y::Control::Chart);
    accessibility::announce(m_chart, chart ? utf8(chart->name) : QString(), point);
}

QString GraphWindow::panelText(int panel) const {
    if (panel == 5) return m_onCurve->text();
    return m_panels[panel - 1]->text();
}

void GraphWindow::openPrintDialog() {
    if (m_print) m_print();
}

void GraphWindow::choosePointStyle() {
    if (m_chooser) m_chooser->showChooser();
}

void GraphWindow::copySimulation() {
    if (m_copy) m_copy();
}

} // namespace titralab
