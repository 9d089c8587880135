// The graph window's row of comparison commands: freeze the curve (Ctrl+F), remove one kept
// curve or all, draw a family of curves, and save or copy the chart as a picture.
#pragma once

#include <QWidget>

#include <vector>

class QMenu;
class QPushButton;
class QToolButton;

namespace titralab {

class ChartView;
class FamilyDialog;
struct FamilyQuantity;
class Notifier;
struct Simulation;

class OverlayBar : public QWidget {
    Q_OBJECT
  public:
    OverlayBar(Simulation& sim, Notifier& notifier, ChartView* chart, QWidget* parent);

    // Shows the kept curves on the chart and enables the commands that have something to do.
    void showOverlays();

    // The commands, as the buttons and Ctrl+F run them.
    void freeze();
    void removeOverlay(int index);
    void clearOverlays();
    void drawFamily(const FamilyQuantity& quantity, const std::vector<double>& values);
    void saveImage();
    void copyImage();

    FamilyDialog* familyDialog() const { return m_family; }
    QMenu* removeMenu() const { return m_removeMenu; }

  signals:
    // A family changed the panel's fields and the current curves: the windows show them.
    void familyDrawn();
    // Curves were frozen or removed: what the chart says of itself changes.
    void overlaysChanged();

  private:
    void openFamily();
    void fillRemoveMenu();

    Simulation& m_sim;
    Notifier& m_notifier;
    ChartView* m_chart;
    FamilyDialog* m_family{nullptr};
    QPushButton* m_freeze{nullptr};
    QToolButton* m_remove{nullptr};
    QMenu* m_removeMenu{nullptr};
    QPushButton* m_clear{nullptr};
};

} // namespace titralab
