// The main window's input that means what it says: the name field that searches the database,
// choices made by assistive technologies, and the field a refused value leaves the user in.
#include "MainWindowFixture.h"

#include "core/texts/Messages.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>

using namespace titralab;
using namespace titralab::testing;

namespace {

struct FocusedWindow : MainWindowFixture {
    FocusedWindow() {
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

// Typing in the name field proposes entries (letters stay letters), Enter loads the first
// one found and shows no simulation, and the step buttons go on from the loaded entry.
TEST(NameField, TypedNameFindsTheEntryAndEnterLoadsIt) {
    struct Case {
        const char* label;
        int side;
        const char* typed;
        const char* name;
        const char* pKa1;
        const char* next;
    } cases[] = {
        {"acid without accents", 0, "ethanoique", "acide éthanoïque", "4,7", "acide propanoïque"},
        {"base by its start", 1, "ammon", "ammoniac", "9,2", "hydrazine"},
        {"base in capitals", 1, "PYRID", "pyridine", "5,2", "ion éthanoate"},
        {"polybase", 1, "carbonate", "ion carbonate", "10,3", "éthylènediamine"},
    };
    for (const Case& c : cases) {
        FocusedWindow w;
        w.click("sideChoice", c.side);
        w.click("studyChoice", 0);
        auto* name = w.find<QLineEdit>("entryNameField");
        name->setFocus();
        name->clear();
        QTest::keyClicks(name, c.typed);
        EXPECT_EQ(name->text(), c.typed) << c.label;
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(name->text(), QString::fromUtf8(c.name)) << c.label;
        EXPECT_EQ(w.text("pKa1Field"), c.pKa1) << c.label;
        EXPECT_EQ(w.calls.graph, 0) << c.label;
        w.clickButton("nextEntryButton");
        EXPECT_EQ(name->text(), QString::fromUtf8(c.next)) << c.label;
    }
}

// Stepping onto the entry already loaded (the first one, stepping back) writes its name over
// what was typed.
TEST(NameField, EveryLoadWritesTheEntrysName) {
    for (int side : {0, 1}) {
        FocusedWindow w;
        w.click("sideChoice", side);
        w.click("studyChoice", 0);
        w.clickButton("previousEntryButton");
        const QString first = w.text("entryNameField");
        auto* name = w.find<QLineEdit>("entryNameField");
        name->setFocus();
        QTest::keyClicks(name, "xyz");
        w.clickButton("previousEntryButton");
        EXPECT_EQ(w.text("entryNameField"), first) << side;
    }
}

// A screen reader's or a switch device's toggle checks a choice without clicking it: the
// side or the study changes all the same.
TEST(Choices, AnAssistiveToggleRunsTheChange) {
    auto toggle = [](MainWindowFixture& w, const char* item) {
        MainWindowFixture::settle();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.find(item));
        ASSERT_NE(a, nullptr) << item;
        ASSERT_NE(a->actionInterface(), nullptr) << item;
        a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    };
    struct Case {
        const char* label;
        std::vector<const char*> toggled;
        const char* control;
        const char* text;
    } cases[] = {
        {"strong base in the burette", {"sideChoice_0"}, "buretteConcentrationLabel", "Cbi"},
        {"strong acid in the burette", {"sideChoice_1"}, "buretteConcentrationLabel", "Cai"},
        {"side switched back", {"sideChoice_1", "sideChoice_0"}, "column1Title", "Acide 1"},
        {"mixture study",
         {"sideChoice_0", "studyChoice_3"},
         "showButton",
         "Afficher ré&sultats  F11"},
        {"study on the base side",
         {"sideChoice_1", "studyChoice_4"},
         "databaseTitle",
         "Base de données des bases"},
    };
    for (const Case& c : cases) {
        FocusedWindow w;
        for (const char* item : c.toggled) toggle(w, item);
        EXPECT_EQ(w.text(c.control), QString::fromUtf8(c.text)) << c.label;
        EXPECT_TRUE(w.shown("studyChoice")) << c.label;
    }
}

// A refused or clamped value keeps its message, and the field concerned takes the focus with
// its text selected, ready to be typed over.
TEST(RefusedValue, FocusGoesToTheFieldWithItsTextSelected) {
    struct Case {
        const char* label;
        int field;
        const char* typed;
        std::string message;
    } cases[] = {
        {"unreadable concentration", 2, "1..2", texts::concentrationRangeMessage(Language::French)},
        {"pKa clamped", 4, "51", texts::numberRangeMessage(Language::French)},
        {"volume clamped", 3, "0", texts::volumeRangeMessage(Language::French)},
    };
    for (const Case& c : cases) {
        FocusedWindow w;
        w.click("sideChoice", 0);
        w.click("studyChoice", 0);
        QLineEdit* field = w.field(c.field);
        field->setText(QString::fromUtf8(c.typed));
        w.sim.panel.text[c.field] = c.typed;
        w.field(1)->setFocus();
        w.clickButton("showButton");
        EXPECT_EQ(w.messages.messages, std::vector<std::string>{c.message}) << c.label;
        EXPECT_EQ(QApplication::focusWidget(), field) << c.label;
        EXPECT_EQ(field->selectedText(), QString::fromUtf8(c.typed)) << c.label;
    }
}

} // namespace
