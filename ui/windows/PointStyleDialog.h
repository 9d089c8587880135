// The point-style chooser: how pasted measurement points are drawn, on screen and on paper.
#pragma once

#include "core/page/PointStyles.h"

#include <QDialog>
#include <QIcon>

#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace titralab {

struct Simulation;

// Shown without blocking the other windows; left only through "O K".
class PointStyleDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PointStyleDialog(Simulation& sim, QWidget* parent = nullptr);

    // Selects the current style and shows the window (the "Choix tracé points" buttons).
    void showChooser();
    int selected() const;

  public slots:
    void setSideIcon(const QIcon& icon) { setWindowIcon(icon); }
    void reject() override {} // no way out but "O K"

  signals:
    // The current style changed: the graph window updates its marker at once.
    void pointStyleChanged(PointStyle style);

  private:
    void chooseStyle(int index);
    void confirmStyle();

    Simulation& m_sim;
    QGroupBox* m_group{nullptr};
    QButtonGroup* m_buttons{nullptr};
    QPushButton* m_ok{nullptr};
};

} // namespace titralab
