#include "ui/windows/GraphWindow.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/StudyEdits.h"
#include "core/base/Notifier.h"
#include "core/session/ChartReading.h"
#include "core/session/ChartScales.h"
#include "core/session/Readout.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "core/curves/Curves.h"
#include "core/session/WindowDescriptions.h"
#include "core/system/ScreenFit.h"
#include "core/texts/InputTexts.h"
#include "core/texts/OverlayTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/ChartView.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/PointStyleDialog.h"
#include "ui/windows/ReadingPanel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

// The ten boxes by number (the simulation's graph.checked[box - 1]): the dilution, the species of
// the first acid (2..5) and of the second one (6, 7), the conductivity, the pasted points and
// the hydronium ion.
constexpr a11y::Control kBoxControls[11] = {
    a11y::Control::DilutionBox,        a11y::Control::DilutionBox,
    a11y::Control::Species1Box,        a11y::Control::Species2Box,
    a11y::Control::Species3Box,        a11y::Control::Species4Box,
    a11y::Control::Column2Species1Box, a11y::Control::Column2Species2Box,
    a11y::Control::ConductivityBox,    a11y::Control::PastedPointsBox,
    a11y::Control::HydroniumBox};

// Width of the fourth status panel, pixels; it also takes what the first three leave.
constexpr int kLastPanelWidth = 50;

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

// A status panel a quarter of the window wide while there is room, narrower when there is not:
// a fixed width would hold the window at the width it once had.
class StatusPanel : public QLabel {
  public:
    explicit StatusPanel(QWidget* parent) : QLabel(parent) {}
    void setPreferredWidth(int width) {
        if (width == m_width) return;
        m_width = width;
        updateGeometry();
    }
    QSize sizeHint() const override { return {m_width, QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override {
        return {kLastPanelWidth, QLabel::minimumSizeHint().height()};
    }

  private:
    int m_width{kLastPanelWidth};
};

// A scroll area as tall as what it holds while the window has room, and down to a third of
// that (never less than three lines) when it has not; it asks for at most 45 % of the
// window's height once the window has one, so that the chart keeps the larger part on a small
// screen. It never takes the focus itself.
class ControlsArea : public QScrollArea {
  public:
    explicit ControlsArea(QWidget* parent) : QScrollArea(parent) {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    }
    QSize sizeHint() const override {
        const QSize content = widget() ? widget()->sizeHint() : QSize();
        int height = content.height() + frameWidth() * 2;
        if (window()->isVisible())
            height = std::min(height, std::max(minimumSizeHint().height(),
                                               window()->height() * 45 / 100));
        return {content.width(), height};
    }
    QSize minimumSizeHint() const override {
        const QSize content = widget() ? widget()->sizeHint() : QSize();
        const int lines = 3 * fontMetrics().height();
        const int bars = horizontalScrollBar()->sizeHint().height();
        return {std::min(content.width(), 4 * lines),
                std::min(content.height(), std::max(lines, content.height() / 3)) + bars};
    }
};

} // namespace

GraphWindow::GraphWindow(Simulation& sim, Notifier& notifier, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_sim(sim), m_notifier(notifier) {
    setObjectName("GraphWindow");
    buildControls();
    applySimulation();
}

void GraphWindow::buildControls() {
    m_chart = new ChartView(this);
    m_chart->setObjectName("chart");
    m_chart->setMinimumSize(320, 200);
    connect(m_chart, &ChartView::mouseMoved, this, &GraphWindow::showReadoutAt);
    connect(m_chart, &ChartView::cursorKeyPressed, this, &GraphWindow::moveKeyboardCursor);

    for (int box = 1; box <= 10; ++box) {
        auto* b = new QCheckBox(this);
        b->setObjectName(accessibility::objectName(kBoxControls[box]));
        // Only a click of the user regenerates; the program sets ticks without a signal.
        connect(b, &QCheckBox::clicked, this,
                [this, box](bool ticked) { boxClicked(box, ticked); });
        m_boxes[box] = b;
    }
    m_boxes[1]->setText(tr("Tenir compte de la dilution"));
    m_dilutionLabel = new QLabel(tr("pour les concentrations"), this);
    m_dilutionLabel->setObjectName("dilutionLabel");
    m_pointsLabel = new QLabel(tr("Nombre de points :"), this);
    m_pointsLabel->setObjectName("pointCountLabel");
    m_points = new QLineEdit(this);
    m_points->setObjectName("pointCountField");
    m_points->setMaxLength(64);
    m_points->setFixedWidth(60);
    m_pointsLabel->setBuddy(m_points);
    connect(m_points, &QLineEdit::textEdited, this, [this](const QString& text) {
        setPointCountText(m_sim, text.toStdString());
    });
    // Enter applies the count typed, as a click on a box does.
    connect(m_points, &QLineEdit::returnPressed, this, &GraphWindow::regenerate);

    // The two buttons of the printed and pasted points: yellow text on a dark face.
    auto yellowButton = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, Qt::yellow);
        p.setColor(QPalette::Button, QColor(0, 0, 128));
        b->setPalette(p);
        b->setAutoDefault(false);
        return b;
    };
    m_printButton = yellowButton(tr("&Imprimer..."), "printButton");
    m_styleButton = yellowButton(tr("Choix tracé points"), "pointStyleButton");
    m_copyButton = new QPushButton(tr("&Copier"), this);
    m_copyButton->setObjectName("copyButton");
    m_copyButton->setAutoDefault(false);
    connect(m_printButton, &QPushButton::clicked, this, &GraphWindow::openPrintDialog);
    connect(m_styleButton, &QPushButton::clicked, this, &GraphWindow::choosePointStyle);
    connect(m_copyButton, &QPushButton::clicked, this, &GraphWindow::copySimulation);

    m_species = new QGroupBox(tr("Concentrations des différentes espèces"), this);
    m_species->setObjectName("speciesGroup");
    auto* grid = new QGridLayout(m_species);
    grid->setHorizontalSpacing(16);
    // Boxes 4 and 6 share a place, and so do boxes 5 and 7: the two
    // pairs are never shown together. Three columns of boxes and one of buttons, so that the
    // window fits a screen scaled to 200 %.
    grid->addWidget(m_boxes[2], 0, 0);
    grid->addWidget(m_boxes[3], 0, 1);
    grid->addWidget(m_boxes[4], 0, 2);
    grid->addWidget(m_boxes[6], 0, 2);
    grid->addWidget(m_boxes[5], 1, 0);
    grid->addWidget(m_boxes[7], 1, 0);
    grid->addWidget(m_boxes[10], 1, 1);
    grid->addWidget(m_boxes[8], 1, 2);
    grid->addWidget(m_boxes[9], 2, 0);
    grid->addWidget(m_printButton, 0, 3);
    grid->addWidget(m_styleButton, 1, 3);
    grid->addWidget(m_copyButton, 2, 3);
    for (int column = 0; column < 4; ++column) grid->setColumnMinimumWidth(column, 110);

    auto* dilution = new QVBoxLayout;
    dilution->addWidget(m_boxes[1]);
    auto* indented = new QHBoxLayout;
    indented->addSpacing(20);
    indented->addWidget(m_dilutionLabel);
    dilution->addLayout(indented);
    auto* points = new QHBoxLayout;
    points->addWidget(m_pointsLabel);
    points->addWidget(m_points);
    points->addStretch();
    dilution->addLayout(points);

    auto* controls = new QHBoxLayout;
    controls->addLayout(dilution);
    controls->addSpacing(12);
    controls->addWidget(m_species, 1);

    m_status = new QStatusBar(this);
    m_status->setObjectName("statusBar");
    m_status->setSizeGripEnabled(false);
    for (int k = 0; k < 4; ++k) {
        auto* panel = new StatusPanel(m_status);
        panel->setObjectName(QStringLiteral("statusPanel%1").arg(k + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(kLastPanelWidth);
        m_status->addWidget(panel, k == 3 ? 1 : 0);
        m_panels[k] = panel;
    }
    // Says in which unit the pasted volumes were read, when it was not litres.
    auto* pasteUnit = new QLabel(m_status);
    pasteUnit->setObjectName("pasteUnitPanel");
    m_status->addPermanentWidget(pasteUnit);

    m_reading = new ReadingPanel(m_sim, m_chart, this);
    m_onCurve = m_reading->onCurveLabel();
    connect(m_reading, &ReadingPanel::regenerationWanted, this, &GraphWindow::regenerate);
    m_overlayBar = new OverlayBar(m_sim, m_notifier, m_chart, this);
    connect(m_overlayBar, &OverlayBar::overlaysChanged, this,
            [this] { accessibility::apply(this, a11y::graphWindowTexts(m_sim)); });
    connect(m_overlayBar, &OverlayBar::familyDrawn, this, [this] {
        applySimulation();
        emit panelChanged();
    });

    // The controls under the chart scroll where the screen is too small for them (a laptop's,
    // or any at 200 %), so that the window always fits its screen and the chart keeps room.
    auto* below = new QWidget;
    below->setObjectName("controlsBelowChart");
    auto* belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    belowLayout->addWidget(m_overlayBar);
    belowLayout->addLayout(controls);
    belowLayout->addWidget(m_reading);
    m_controlsArea = new ControlsArea(this);
    m_controlsArea->setObjectName("controlsArea");
    m_controlsArea->setWidget(below);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(m_chart, 1);
    layout->addWidget(m_controlsArea);
    layout->addWidget(m_status);
    orderTabs();
}

// Tab follows the screen: the chart, the number of points, the dilution box, the species boxes
// row by row (boxes 4 and 6 share a place, and so do boxes 5 and 7), then
// the buttons.
void GraphWindow::orderTabs() {
    const std::vector<QWidget*> chain{m_chart,       m_points,      m_boxes[1],  m_boxes[2],
                                      m_boxes[3],    m_boxes[4],    m_boxes[6],  m_boxes[5],
                                      m_boxes[7],    m_boxes[10],   m_boxes[8],  m_boxes[9],
                                      m_printButton, m_styleButton, m_copyButton};
    for (std::size_t k = 1; k < chain.size(); ++k) setTabOrder(chain[k - 1], chain[k]);
    // The reading controls follow, then the comparison commands, left to right.
    QWidget* last = chain.back();
    for (QWidget* w : m_reading->tabStops()) {
        setTabOrder(last, w);
        last = w;
    }
    for (QWidget* w : m_overlayBar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->focusPolicy() == Qt::NoFocus) continue;
        setTabOrder(last, w);
        last = w;
    }
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

void GraphWindow::sizeStatusPanels() {
    const int quarter = width() / 4;
    for (int k = 0; k < 3; ++k) static_cast<StatusPanel*>(m_panels[k])->setPreferredWidth(quarter);
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
    // The scale takes in the reading's curves as they now are, not those of the last study.
    m_chart->rescale();
    accessibility::apply(this, a11y::graphWindowTexts(m_sim));
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
