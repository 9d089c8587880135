// A graph window on its own simulation, shown on the offscreen screen, with its messages
// recorded.
#pragma once

#include "../core/session/SimulationFixtures.h"
#include "core/base/Notifier.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "ui/qt/ChartView.h"
#include "ui/windows/GraphWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QXYSeries>

#include <gtest/gtest.h>

#include <memory>

namespace titralab::testing {

// The object name of the graph window's box n (1..10), whose tick is graph.checked[n - 1]: the
// dilution, four species of the first acid, two of the second, the conductivity, the pasted
// points and the hydronium ion.
inline const char* boxName(int n) {
    static const char* const names[11] = {
        nullptr,           "dilutionBox",     "species1Box",        "species2Box",
        "species3Box",     "species4Box",     "column2Species1Box", "column2Species2Box",
        "conductivityBox", "pastedPointsBox", "hydroniumBox"};
    return n >= 1 && n <= 10 ? names[n] : "";
}

class GraphFixture {
  public:
    explicit GraphFixture(Study study, int entry1 = 17, BuretteSide side = BuretteSide::AcidSide,
                          int entry2 = 17)
        : sim(simulationFor(study, entry1, side, entry2)) {
        RecordingNotifier quiet;
        RefreshSimulation(sim, quiet); // what the show command runs before showing the window
        window = std::make_unique<GraphWindow>(sim, messages);
        window->prepare();
        window->resize(1000, 700);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::processEvents();
    }

    template <typename T = QWidget> T* find(const char* name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QCheckBox* box(int n) const { return find<QCheckBox>(boxName(n)); }
    QLineEdit* points() const { return find<QLineEdit>("pointCountField"); }
    ChartView* chart() const { return find<ChartView>("chart"); }
    int drawn(int series) const { return chart()->series(series)->count(); }

    // A click of the user on a box, on its square (a box is often wider than its caption).
    void click(int n) {
        QTest::mouseClick(box(n), Qt::LeftButton, {}, QPoint(8, box(n)->height() / 2));
    }
    // What the user types into the number-of-points field, replacing its text.
    void typePoints(const char* text) {
        points()->selectAll();
        QTest::keyClicks(points(), text);
    }
    std::vector<int> shownBoxes() const {
        std::vector<int> shown;
        for (int n = 1; n <= 10; ++n)
            if (!box(n)->isHidden()) shown.push_back(n);
        return shown;
    }

    Simulation sim;
    RecordingNotifier messages;
    std::unique_ptr<GraphWindow> window;
};

} // namespace titralab::testing
