// The graph window's Gran tab: the Gran plots of the measured pH points before and after the
// jump, side by side, each with its fitted line and its range; the range's ends are dragged
// with the mouse or typed in the fields under the plot.
#pragma once

#include "core/session/GranView.h"
#include "ui/windows/DiagramWindow.h"

#include <QWidget>

#include <array>
#include <optional>
#include <utility>

class QLabel;
class QLineEdit;
class QPushButton;

namespace titralab {

struct Simulation;

// A Gran plot whose range ends (the grey lines) follow the mouse.
class GranCanvas : public DiagramCanvas {
    Q_OBJECT
  public:
    explicit GranCanvas(QWidget* parent = nullptr);
    // The range's ends as drawn, in the chart's unit; none when there is no line.
    void setRange(std::optional<std::pair<double, double>> range) { m_range = range; }

  signals:
    // An end was dragged and let go: the new range, chart unit.
    void rangeDragged(double from, double to);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    double valueAt(double x) const;
    double pixelAt(double value) const;

    std::optional<std::pair<double, double>> m_range;
    int m_dragged{-1}; // 0: the start, 1: the end
};

class GranTab : public QWidget {
    Q_OBJECT
  public:
    explicit GranTab(Simulation& sim, QWidget* parent = nullptr);

    // Draws both sides from the simulation's measured points and ranges, in its language.
    void refresh();
    // The controls Tab stops on, in screen order.
    QList<QWidget*> tabStops() const;
    const DiagramView& view(GranSide side) const { return side_(side).canvas->view(); }

  signals:
    // A range was changed: the equivalences read by Gran's method changed with it.
    void rangesChanged();

  private:
    struct Side {
        GranCanvas* canvas{nullptr};
        QLabel* label{nullptr};
        QLineEdit* from{nullptr};
        QLabel* to{nullptr};
        QLineEdit* until{nullptr};
        QLabel* unit{nullptr};
        QPushButton* automatic{nullptr};
    };
    const Side& side_(GranSide side) const { return m_sides[side == GranSide::Before ? 0 : 1]; }
    void buildSide(GranSide side);
    void typedRange(GranSide side);
    void setRange(GranSide side, std::optional<std::pair<double, double>> range);

    Simulation& m_sim;
    std::array<Side, 2> m_sides;
    QLabel* m_status{nullptr};
};

} // namespace titralab
