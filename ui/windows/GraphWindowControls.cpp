// The graph window's controls: the chart, the boxes and the point count, the buttons, the
// status bar, the reading panel and the kept curves' bar, laid out under the chart.
#include "core/session/StudyEdits.h"
#include "core/session/WindowDescriptions.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/ChartView.h"
#include "ui/windows/GraphWindow.h"

#include "core/texts/FreeStudyTexts.h"
#include "ui/qt/Utf8Text.h"
#include "ui/windows/GranTab.h"
#include "ui/windows/OverlayBar.h"
#include "ui/windows/ReadingPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

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

void GraphWindow::buildControls() {
    m_chart = new ChartView(this);
    m_chart->setObjectName("chart");
    m_chart->setMinimumSize(320, 200);
    connect(m_chart, &ChartView::mouseMoved, this, &GraphWindow::showReadoutAt);
    connect(m_chart, &ChartView::cursorKeyPressed, this, &GraphWindow::moveKeyboardCursor);

    buildBoxes();
    buildButtons();
    QLayout* controls = layOutBoxes();
    buildStatusBar();
    buildReadingParts();

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

    // The chart and, with measured pH points, Gran's plots of them in a tab of their own.
    m_gran = new GranTab(m_sim, this);
    connect(m_gran, &GranTab::rangesChanged, this, &GraphWindow::regenerate);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("chartTabs");
    m_tabs->setDocumentMode(true);
    m_tabs->addTab(m_chart, QString());
    m_tabs->addTab(m_gran, QString());
    m_tabs->tabBar()->hide();
    // Tab stops on the tab bar itself (when shown), not on the widget that holds it.
    m_tabs->setFocusPolicy(Qt::NoFocus);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1) m_gran->refresh();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(m_controlsArea);
    layout->addWidget(m_status);
    orderTabs();
}

void GraphWindow::buildBoxes() {
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

}

void GraphWindow::buildButtons() {
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

}

// The species boxes and the buttons in a group, beside the dilution box and the point count.
QLayout* GraphWindow::layOutBoxes() {
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
    // The free study's forms: which of them the species boxes hold.
    m_formsButton = new QToolButton(m_species);
    m_formsButton->setObjectName("freeFormsButton");
    m_formsButton->setPopupMode(QToolButton::InstantPopup);
    m_formsButton->setMenu(new QMenu(m_formsButton));
    m_formsButton->setText(text(m_sim.language, texts::kOtherForms));
    m_formsButton->setAccessibleName(text(m_sim.language, texts::kOtherForms).remove('&').remove("..."));
    m_formsButton->hide();
    grid->addWidget(m_formsButton, 2, 1, 1, 2, Qt::AlignLeft);
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
    return controls;

}

void GraphWindow::buildStatusBar() {
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

}

void GraphWindow::buildReadingParts() {
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

}

// Tab follows the screen: the chart or the Gran tab's fields, the number of points, the dilution
// box, the species boxes row by row (boxes 4 and 6 share a place, and so do boxes 5 and 7), then
// the buttons.
void GraphWindow::orderTabs() {
    std::vector<QWidget*> chain{m_chart};
    for (QWidget* w : m_gran->tabStops()) chain.push_back(w);
    chain.insert(chain.end(), {m_points, m_boxes[1], m_boxes[2], m_boxes[3], m_boxes[4], m_boxes[6],
                               m_boxes[5], m_boxes[7], m_boxes[10], m_boxes[8], m_boxes[9],
                               m_printButton, m_styleButton, m_copyButton});
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
    // The tabs over the chart close the round, just before the chart they choose.
    setTabOrder(last, m_tabs->tabBar());
}

void GraphWindow::sizeStatusPanels() {
    const int quarter = width() / 4;
    for (int k = 0; k < 3; ++k) static_cast<StatusPanel*>(m_panels[k])->setPreferredWidth(quarter);
}

} // namespace titralab
