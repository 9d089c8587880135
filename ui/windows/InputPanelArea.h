// The main window's input panel: the area under the tool bar where its controls stand at their
// design places, and what the window's parts share to build and show it.
#pragma once

#include "core/panel/InputPanel.h"
#include "core/session/InputPanel.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

class QAction;
class QKeyEvent;

namespace titralab {

class RadioGroup;

// A hint "bubble|status": the part before "|" becomes the tooltip, the part after it the
// status-bar text; without "|" the whole hint is both.
void setHint(QWidget* widget, const QString& h);
void setHint(QAction* action, const QString& h);

// The property that gives a control, a panel or a menu its help page's context number.
inline constexpr const char* kHelpContextProperty = "helpContext";

// Design geometry of the input panel, pixels at the design font, in the window's client area
// (the tool bar band takes its first 31 pixels, the strip its left edge).
namespace design {
constexpr int kBandHeight = 32;
constexpr int kStripWidth = 24;
constexpr int kTopMargin = 0;
constexpr int kFieldWidth = 57;
constexpr int kFieldHeight = 24;
constexpr int kColumnLeft[3] = {0, 95, 164};
constexpr int kRowTop[5] = {276, 311, 346, 380, 415}; // concentration, volume, pKa1..pKa3
constexpr int kLabelLeft = 44;                        // row labels end where column 1 starts
constexpr int kLabelWidth = 48;
constexpr int kUnitLeft[3] = {0, 164, 228}; // beaker units right of column 1 or column 2
constexpr int kBuretteUnitLeft = 160;
constexpr int kStudyListWidth = 270; // the study choice, sized for its longest item
constexpr int kWidth = 346;          // right edge of the study list
} // namespace design

// A choice of the panel's view in its radio group: caption, items, selection, visibility.
void showChoice(RadioGroup* group, const Choice& choice);

// The typing rules of the panel's number fields: a space moves on like Tab, "." types "," and
// any letter but "E" types "E". True when `key` was replaced by its rule.
bool applyFieldTyping(QWidget* field, const QKeyEvent* key);

// The client area under the tool bar: a narrow strip on the left, and the input panel's
// controls at their design places. It is transparent: the window's background picture, when
// there is one, shows through.
class PanelArea : public QWidget {
  public:
    explicit PanelArea(QWidget* parent) : QWidget(parent) { setObjectName("panelArea"); }

    double sx{1}; // horizontal scale from design pixels to the font in use
    double sy{1};
    int x(double designX) const { return static_cast<int>(std::lround(designX * sx)); }
    int y(double designY) const {
        return static_cast<int>(std::lround((designY - design::kBandHeight) * sy)) +
               design::kTopMargin;
    }
    // Design rectangle to this widget's pixels; never shorter than the control needs.
    void place(QWidget* w, double left, double top, double width, double height) const {
        const int h = static_cast<int>(std::lround(height * sy));
        w->setGeometry(x(left), y(top), x(left + width) - x(left),
                       std::max(h, std::min(w->sizeHint().height(), 2 * h)));
    }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace titralab
