// The graph window: the chart of the current study, its curve boxes, number of points, status
// readout under the mouse, and the print, point-style and copy buttons.
#pragma once

#include "core/curves/Readout.h"
#include "core/session/Readout.h"
#include "core/page/PointStyles.h"
#include "core/session/CopyExport.h"

#include <QDialog>
#include <QIcon>

#include <array>
#include <cstddef>
#include <functional>
#include <limits>
#include <vector>

class QCheckBox;
class QLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QTabWidget;
class QToolButton;

namespace titralab {

class ChartView;
class GranTab;
class Notifier;
class OverlayBar;
class PointStyleDialog;
class ReadingPanel;
struct Simulation;

class GraphWindow : public QDialog {
    Q_OBJECT
  public:
    GraphWindow(Simulation& sim, Notifier& notifier, QWidget* parent = nullptr);

    // Shows what the last regeneration left in the simulation (the show command has run it),
    // at full scale. Separate from showModal() so that the prepared window can be inspected.
    void prepare();
    // prepare(), then the window maximised and modal until the user closes it.
    int showModal();
    // Live curves: prepare(), then an ordinary window at `frame`, beside the main window.
    void showBeside(const QRect& frame);

    // "&Imprimer...": opens the print dialog. "&Copier": the main window's copy command.
    void setPrintHook(std::function<void()> hook) { m_print = std::move(hook); }
    void setCopyHook(std::function<void()> hook) { m_copy = std::move(hook); }
    // A file dropped on the window: the main window imports it as measurements.
    void setDropHook(std::function<void(const QString&)> hook) { m_drop = std::move(hook); }
    // The point-style chooser shown by "Choix tracé points"; its choices update the markers.
    void setPointStyleChooser(PointStyleDialog* chooser);

    // Applies the simulation's check boxes, titles, axes and curves to the controls.
    void applySimulation();
    // Shows the simulation's number-of-points text in its field (after a check run elsewhere).
    void showPointCount();

    // The shared click handler of the ten boxes: checks the number of points, regenerates.
    void regenerate();
    // Writes the four status panels for the mouse at `position` (chart pixels).
    void showReadoutAt(const QPoint& position);
    // Moves the keyboard cursor along the followed curve and writes the four status panels for
    // its point, as the mouse readout does for a mouse there.
    void moveKeyboardCursor(CursorKey key);
    // The keyboard cursor's place in the curve, in abscissa order; -1 before the first key.
    int cursorPlace() const { return m_cursorPlace; }
    void onShown();

    // The table of the last copy, published under ExchangeItem::kName.
    const ExchangeItem& exchangeItem() const { return m_exchange; }
    void publish(const std::string& table) { m_exchange.text = table; }

    ChartView* chart() const { return m_chart; }
    QString panelText(int panel) const; // 1..4; 5: the value on the pH curve
    ReadingPanel* readingPanel() const { return m_reading; }
    // The keyboard cursor's volume in the titration studies (drawn unit); NaN before a key.
    double cursorVolume() const { return m_cursorVolume; }
    OverlayBar* overlayBar() const { return m_overlayBar; }
    // The tabs over the chart ("Courbe", "Gran"), shown with measured pH points of a titration.
    QTabWidget* tabs() const { return m_tabs; }
    GranTab* granTab() const { return m_gran; }

  signals:
    // A family of curves wrote a value into a field of the main window's panel.
    void panelChanged();

  public slots:
    void setSideIcon(const QIcon& icon) { setWindowIcon(icon); }
    // The main window's study change sets the hydronium box, as a program change.
    void setHydroniumTicked(bool ticked);
    // Updates the pasted-point marker to the simulation's current style.
    void applyPointStyle();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildControls();
    void buildBoxes();
    void buildButtons();
    QLayout* layOutBoxes();
    void buildStatusBar();
    void buildReadingParts();
    void orderTabs();
    void showGranTab();
    void sizeStatusPanels();
    void announceCursor(const QString& point);
    void boxClicked(int box, bool ticked);
    void openPrintDialog();
    void choosePointStyle();
    void copySimulation();

    Simulation& m_sim;
    Notifier& m_notifier;
    std::function<void()> m_print;
    std::function<void()> m_copy;
    std::function<void(const QString&)> m_drop;
    PointStyleDialog* m_chooser{nullptr};
    ExchangeItem m_exchange;

    ChartView* m_chart{nullptr};
    QTabWidget* m_tabs{nullptr};
    GranTab* m_gran{nullptr};
    std::array<QCheckBox*, 11> m_boxes{}; // m_boxes[1..10], as graph.checked[0..9]
    QLabel* m_dilutionLabel{nullptr};
    QLabel* m_pointsLabel{nullptr};
    QLineEdit* m_points{nullptr};
    QGroupBox* m_species{nullptr};
    QPushButton* m_printButton{nullptr};
    QPushButton* m_styleButton{nullptr};
    QPushButton* m_copyButton{nullptr};
    QToolButton* m_formsButton{nullptr}; // the free study's forms drawn
    void showFreeForms();
    QStatusBar* m_status{nullptr};
    QScrollArea* m_controlsArea{nullptr}; // everything between the chart and the status bar
    OverlayBar* m_overlayBar{nullptr};   // frozen curves, families, pictures
    bool m_beside{false};                // shown beside the main window, not modal
    std::array<QLabel*, 4> m_panels{};

    // The keyboard cursor: the curve it follows, its points by abscissa, its place.
    int m_cursorSeries{0};
    std::vector<std::size_t> m_cursorOrder;
    int m_cursorPlace{-1};
    double m_cursorVolume{std::numeric_limits<double>::quiet_NaN()};

    ReadingPanel* m_reading{nullptr};
    QLabel* m_onCurve{nullptr}; // the value on the pH curve, shown by the reading panel
};

} // namespace titralab
