// A main window on its own simulation, with its settings in a temporary folder and its
// messages and links recorded.
#pragma once

#include "core/base/Notifier.h"
#include "core/session/Simulation.h"
#include "core/system/Folders.h"
#include "core/system/Placement.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/RadioGroup.h"
#include "ui/qt/SettingsStore.h"
#include "ui/windows/MainWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace titralab::testing {

inline const char* kTestProgram = "titralab-tests";

// The paths of the program as built: the data folder of the build tree.
inline system::Paths builtPaths() {
    return system::computePaths(
        (QCoreApplication::applicationDirPath() + "/titralab").toStdString(), "/nonexistent");
}

// Points the per-user settings store at a fresh temporary folder for as long as it lives.
struct TemporarySettings {
    QTemporaryDir dir;
    TemporarySettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }
    QSettings open() const { return QSettings(SettingsStore::kOrganisation, kTestProgram); }
};

inline Simulation simulationIn(Language language) {
    Simulation sim;
    setLanguage(sim, language);
    return sim;
}

struct Calls {
    int graph{0}, mixture{0}, copy{0}, practicalText{0};
};

class MainWindowFixture {
  public:
    explicit MainWindowFixture(system::Paths paths = builtPaths(),
                               Language language = Language::French)
        : sim(simulationIn(language)), store(kTestProgram),
          window(std::make_unique<MainWindow>(sim, std::move(paths))) {
        window->setNotifier(&messages);
        window->setSettingsStore(&store);
        window->setLinks({[this] { ++calls.graph; }, [this] { ++calls.mixture; },
                          [this] { ++calls.copy; }, [this] { ++calls.practicalText; }});
        // Shown, so that the panels lay out their controls as the user sees them.
        window->show();
    }

    template <typename T = QWidget> T* find(const char* name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The panel's field in slot `n` (a Field).
    QLineEdit* field(int n) const {
        return find<QLineEdit>(accessibility::fieldObjectName(static_cast<Field>(n)).toUtf8());
    }
    QString text(const char* name) const {
        if (auto* l = window->findChild<QLabel*>(name)) return l->text();
        if (auto* b = window->findChild<QAbstractButton*>(name)) return b->text();
        if (auto* e = window->findChild<QLineEdit*>(name)) return e->text();
        ADD_FAILURE() << "no control " << name;
        return {};
    }
    // Shown as far as the window is concerned (hidden parents aside).
    bool shown(const char* name) const { return !find(name)->isHidden(); }

    // A click of the user on item `index` of a radio group.
    void click(const char* group, int index) {
        settle();
        auto* g = find<RadioGroup>(group);
        ASSERT_NE(g, nullptr);
        auto* button = g->findChild<QRadioButton*>(QStringLiteral("%1_%2").arg(group).arg(index));
        ASSERT_NE(button, nullptr) << group << " item " << index;
        // On the round button: a short item's text does not reach the middle of its row.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void clickButton(const char* name) {
        settle();
        QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton);
    }
    // Lets the panels that were just shown lay out their controls.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    int selected(const char* group) const { return find<RadioGroup>(group)->selected(); }
    QString selectedText(const char* group) const {
        const auto* g = find<RadioGroup>(group);
        return g->selected() < 0 ? QString() : g->items().value(g->selected());
    }

    Simulation sim;
    RecordingNotifier messages;
    Calls calls;
    SettingsStore store;
    std::unique_ptr<MainWindow> window;
};

} // namespace titralab::testing
