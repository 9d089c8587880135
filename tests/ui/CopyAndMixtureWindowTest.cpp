// The copy dialog and the mixture results window.
#include "GraphFixture.h"

#include "core/texts/CopyTexts.h"
#include "core/texts/Messages.h"
#include "ui/qt/Clipboard.h"
#include "ui/qt/RadioGroup.h"
#include "ui/windows/CopyDialog.h"
#include "ui/windows/MixtureWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace titralab;
using namespace titralab::testing;

namespace {

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct CopyDialogFixture {
    explicit CopyDialogFixture(Study study, int entry1 = 17) : graph(study, entry1) {
        folder = dir.path() + "/Valeurs";
        dialog = std::make_unique<CopyDialog>(graph.sim, graph.messages, folder.toStdString());
        dialog->setGraphWindow(graph.window.get());
        graph.window->setCopyHook([this] { dialog->prepare(); });
    }
    template <typename T = QWidget> T* find(const char* name) const {
        T* w = dialog->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    RadioGroup* sampling() const { return find<RadioGroup>("samplingChoice"); }
    void choose(int item) {
        auto* b = dialog->findChild<QRadioButton*>(QStringLiteral("samplingChoice_%1").arg(item));
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }

    GraphFixture graph;
    QTemporaryDir dir;
    QString folder;
    std::unique_ptr<CopyDialog> dialog;
};

TEST(CopyDialogFixture, TextsAndMenu) {
    CopyDialogFixture c(Study::TitrationVsVolume);
    c.dialog->prepare();
    EXPECT_EQ(c.dialog->windowTitle(), "Copier la simulation, fichier et presse-papiers");
    EXPECT_EQ(c.find<QLabel>("samplingRule")->text(),
              "Lorsque le pH varie régulièrement, 2 points sont intercalés (2° et pénultième), "
              "pour améliorer le tracé");
    EXPECT_TRUE(c.find<QLabel>("samplingRule")->wordWrap());
    EXPECT_EQ(c.find<QLabel>("pointCountLabel")->text(), "Nombre de &points souhaité :");
    EXPECT_EQ(c.find<QLineEdit>("pointCountField")->text(), "100");
    EXPECT_EQ(c.find<QPushButton>("copyButton")->text(), "&Copier");
    EXPECT_EQ(c.find<QPushButton>("cancelButton")->text(), "&Annuler");
    const QList<QAction*> menus = c.dialog->findChild<QMenuBar*>()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&Edition");
    const QList<QAction*> entries = menus[0]->menu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&Copier");
    EXPECT_EQ(entries[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(entries[1]->text(), "&Annuler");
    EXPECT_EQ(entries[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(c.dialog->minimumSize(), c.dialog->maximumSize()); // fixed size
}

TEST(CopyDialogFixture, SamplingChoicesPerStudy) {
    struct Case {
        Study study;
        bool shown;
        const char* caption;
        QStringList items;
    } cases[] = {
        {Study::TitrationVsVolume,
         true,
         "&Variation régulière des... ",
         {"pH", "v, volume de monobase forte versé"}},
        {Study::TwoMonoTitration,
         true,
         "&Variation régulière des... ",
         {"pH", "v, volume de monobase forte versé"}},
        {Study::SpeciesVsPH, true, "&Variation régulière du... ", {"pH"}},
        {Study::Dilution, true, "&Variation régulière des... ", {"pH"}},
        {Study::TwoPolyMixture, false, "", {}},
    };
    for (const Case& k : cases) {
        CopyDialogFixture c(k.study, k.study == Study::TwoPolyMixture ? 30 : 17);
        c.dialog->prepare();
        EXPECT_EQ(!c.sampling()->isHidden(), k.shown) << k.caption;
        if (!k.shown) continue;
        EXPECT_EQ(c.sampling()->title(), QString::fromUtf8(k.caption));
        EXPECT_EQ(c.sampling()->items(), k.items);
        EXPECT_EQ(c.sampling()->selected(), 0);
        EXPECT_EQ(c.graph.sim.exportSettings.copySampling, CopySampling::ByPH);
    }

    // By volume, then each opening starts again from the pH.
    CopyDialogFixture c(Study::TitrationVsVolume);
    c.dialog->prepare();
    c.choose(1);
    EXPECT_EQ(c.graph.sim.exportSettings.copySampling, CopySampling::ByVolume);
    c.choose(0);
    EXPECT_EQ(c.graph.sim.exportSettings.copySampling, CopySampling::ByPH);
    c.choose(1);
    c.dialog->prepare();
    EXPECT_EQ(c.graph.sim.exportSettings.copySampling, CopySampling::ByPH);
    EXPECT_EQ(c.sampling()->selected(), 0);
}

TEST(CopyDialogFixture, TheCountTypedInTheDialogIsCheckedAndCopied) {
    struct Case {
        const char* typed;
        bool leaveField; // the field is left before "&Copier", else Ctrl+C from the field
        std::vector<std::string> messages;
        const char* shown;
        int dataLines;
    } cases[] = {{"81", true, {}, "81", 81},
                 {"81", false, {}, "81", 81},
                 {"300", true, {texts::pointCountMessage(Language::French)}, "200", 200},
                 {"300", false, {texts::pointCountMessage(Language::French)}, "200", 200},
                 {"abc", false, {texts::pointCountMessage(Language::French)}, "5", 5}};
    for (const Case& k : cases) {
        CopyDialogFixture c(Study::TitrationVsVolume);
        c.dialog->prepare();
        c.dialog->show();
        auto* edit = c.find<QLineEdit>("pointCountField");
        EXPECT_EQ(edit->text(), "100");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, k.typed);
        if (k.leaveField)
            QTest::mouseClick(c.find<QPushButton>("copyButton"), Qt::LeftButton);
        else
            c.dialog->findChild<QAction*>("copyAction")->trigger();
        EXPECT_EQ(c.graph.messages.messages, k.messages) << k.typed;
        EXPECT_EQ(edit->text(), k.shown) << k.typed;
        EXPECT_EQ(c.graph.points()->text(), k.shown) << k.typed;
        // The first line, the header, then one line per point (by pH, two of them added).
        const QByteArray txt = contentOf(c.folder + "/NumVg1.Txt");
        EXPECT_EQ(txt.count('\r'), 2 + k.dataLines + 1) << k.typed;
    }
}

TEST(CopyDialogFixture, BeforeAnyStudyTheCopyIsRefusedAndTouchesNothing) {
    CopyDialogFixture c(Study::TitrationVsVolume);
    c.graph.sim = Simulation{}; // the program as it starts: no study chosen
    QGuiApplication::clipboard()->setText("before");
    EXPECT_EQ(c.dialog->showModal(), QDialog::Rejected); // no dialog to wait for
    EXPECT_FALSE(c.dialog->copySimulation());
    EXPECT_EQ(c.graph.messages.messages,
              (std::vector<std::string>{texts::copyNeedsStudy(Language::French),
                                        texts::copyNeedsStudy(Language::French)}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_FALSE(QDir(c.folder).exists());
    EXPECT_EQ(c.graph.sim.exportSettings.counter, 0);
}

TEST(CopyDialogFixture, CopyWritesBothFilesThenTheClipboardAndTheExchangeItem) {
    CopyDialogFixture c(Study::TitrationVsVolume);
    QTest::mouseClick(c.graph.find<QPushButton>("copyButton"), Qt::LeftButton); // "&Copier"
    c.dialog->show();
    c.choose(1);
    QTest::mouseClick(c.find<QPushButton>("copyButton"), Qt::LeftButton);
    EXPECT_FALSE(c.dialog->isVisible());
    EXPECT_TRUE(c.graph.messages.errors.empty());
    const QByteArray txt = contentOf(c.folder + "/NumVg1.Txt");
    ASSERT_FALSE(txt.isEmpty());
    EXPECT_EQ(contentOf(c.folder + "/NumVg1.Xls"), txt);
    const QByteArray table = QByteArray::fromStdString(c.graph.sim.results.exportText);
    EXPECT_EQ(txt, table + "\r\n");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), table);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(clipboard::kTableMimeType), table);
    EXPECT_EQ(c.graph.window->exchangeItem().text, c.graph.sim.results.exportText);
    EXPECT_STREQ(ExchangeItem::kName, "de_pH_et_concentrations");
    // Sampled by volume: 100 data lines, the first at volume 0.
    EXPECT_EQ(table.count('\r'), 102);
    EXPECT_TRUE(table.split('\r')[2].startsWith("0\t"));

    // The menu's "&Copier" copies again, into the second pair of files.
    c.dialog->prepare();
    c.dialog->findChild<QAction*>("copyAction")->trigger();
    EXPECT_TRUE(QFile::exists(c.folder + "/NumVg2.Txt"));
    EXPECT_TRUE(QFile::exists(c.folder + "/NumVg2.Xls"));
}

TEST(CopyDialogFixture, CancelCopiesNothing) {
    CopyDialogFixture c(Study::TitrationVsVolume);
    c.dialog->prepare();
    c.dialog->show();
    c.dialog->findChild<QAction*>("cancelAction")->trigger();
    EXPECT_FALSE(c.dialog->isVisible());
    c.dialog->show();
    QTest::mouseClick(c.find<QPushButton>("cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(c.dialog->isVisible());
    EXPECT_FALSE(QDir(c.folder).exists());
    EXPECT_EQ(c.graph.sim.exportSettings.counter, 0);
}

TEST(CopyDialogFixture, AFailedWriteShowsTheErrorAndLeavesTheClipboard) {
    CopyDialogFixture c(Study::TitrationVsVolume);
    QFile blocker(c.folder); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    c.graph.window->publish("table of the last copy");
    QGuiApplication::clipboard()->setText("before");
    c.dialog->prepare();
    QTest::mouseClick(c.find<QPushButton>("copyButton"), Qt::LeftButton);
    ASSERT_EQ(c.graph.messages.errors.size(), 1u);
    EXPECT_FALSE(c.graph.messages.errors[0].empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    EXPECT_EQ(c.graph.window->exchangeItem().text, "table of the last copy");
}

TEST(MixtureWindow, PhosphoricAndAceticAcid) {
    Simulation sim = simulationFor(Study::TwoPolyMixture, 30, BuretteSide::AcidSide, 17);
    refresh(sim);
    MixtureWindow w(sim);
    w.prepare();
    EXPECT_EQ(w.windowTitle(), "Mélange de 2 polyacides, concentrations des espèces chimiques");
    EXPECT_EQ(w.size(), QSize(544, 430));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    const std::pair<int, const char*> fields[] = {
        {1, "2,1"},        {2, "7,2"},     {3, "12,4"},      {4, "20"},        {5, "0,1"},
        {6, "4,7"},        {7, ""},        {8, ""},          {9, "20"},        {10, "0,1"},
        {21, "40"},        {11, "1,7855"}, {20, "0,016386"}, {12, "0,033675"}, {13, "0,016325"},
        {14, "6,2861E-8"}, {15, "0"},      {16, "0,049939"}, {17, "6,081E-5"}, {18, "0"},
        {19, "0"}};
    for (const auto& [n, text] : fields) EXPECT_EQ(w.field(n), text) << "Edit" << n;
    const char* labels[] = {"H₃A", "H₂A⁻", "HA²⁻", "A³⁻", "H₃A'", "H₂A'⁻", "HA'²⁻", "A'³⁻"};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(w.speciesLabel(12 + k), labels[k]);
    for (const char* group : {"Polyacide 1 ", "Polyacide 2 ", "Mélange des 2 polyacides",
                              "Concentration, en mol / L, des... "}) {
        bool found = false;
        for (auto* g : w.findChildren<QGroupBox*>()) found |= g->title() == group;
        EXPECT_TRUE(found) << group;
    }
    w.show();
    auto* ok = w.findChild<QPushButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&O K");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(MixtureWindow, BaseSidePresentation) {
    Simulation sim = simulationFor(Study::TwoPolyMixture, 14, BuretteSide::BaseSide, 2);
    sim.exportSettings.decimalComma = false;
    refresh(sim);
    MixtureWindow w(sim);
    w.prepare();
    EXPECT_EQ(w.field(1), "24"); // the pKa of each couple as typed, not the working pKb
    EXPECT_EQ(w.field(2), "8.8");
    EXPECT_EQ(w.field(3), "4.8");
    EXPECT_EQ(w.field(6), "9.3");
    EXPECT_EQ(w.field(7), "");
    EXPECT_EQ(w.field(11), "12.699");                // 14 - pOH
    const double hydronium = 1e-14 / sim.results.mixture->h; // Ke / [OH-], 5 digits
    EXPECT_NEAR(w.field(20).toDouble(), hydronium, hydronium * 5e-5);
    const char* labels[] = {"B", "BH⁺", "BH₂²⁺", "BH₃³⁺", "B'", "B'H⁺", "B'H₂²⁺", "B'H₃³⁺"};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(w.speciesLabel(12 + k), labels[k]);
}

// The results are there to be read and copied, not edited.
TEST(MixtureWindow, FieldsAreReadOnly) {
    for (BuretteSide side : {BuretteSide::AcidSide, BuretteSide::BaseSide}) {
        Simulation sim = simulationFor(Study::TwoPolyMixture, 2, side, 1);
        refresh(sim);
        MixtureWindow w(sim);
        w.prepare();
        const QList<QLineEdit*> fields = w.findChildren<QLineEdit*>();
        ASSERT_EQ(fields.size(), 21);
        for (QLineEdit* field : fields) {
            const QString before = field->text();
            QTest::keyClicks(field, "12");
            EXPECT_EQ(field->text(), before) << field->objectName().toStdString();
            EXPECT_TRUE(field->isReadOnly()) << field->objectName().toStdString();
        }
    }
}

} // namespace
