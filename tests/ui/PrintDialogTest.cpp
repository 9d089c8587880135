// The print dialog: its controls and defaults, its menu and buttons, the settings read back
// from what is typed, the line width shared with the main window, printing into a PDF file on
// a machine without printers, the printer set-up and the preview.
#include "PrintTestSupport.h"

#include "ui/qt/RadioGroup.h"
#include "ui/windows/PrintDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

namespace titralab {
namespace {

QString fr(const char* text) {
    return QString::fromUtf8(text);
}

class PrintDialogTest : public ::testing::Test {
  protected:
    PrintDialogTest() : sim(printing::titrationOfAceticAcid()), dialog(sim, messages) {
        dialog.setPdfFileChooser([this] { return chosenFile; });
    }

    template <typename T = QWidget> T* find(const char* name) const {
        T* w = dialog.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void type(const char* field, const QString& text) {
        QLineEdit* edit = find<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }

    Simulation sim;
    RecordingNotifier messages;
    PrintDialog dialog;
    QTemporaryDir dir;
    QString chosenFile;
};

TEST_F(PrintDialogTest, ControlsShowTheirCaptionsAndDefaults) {
    EXPECT_EQ(dialog.windowTitle(), fr("Imprimer une courbe"));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "cannot be resized";
    EXPECT_GE(dialog.width(), 282);
    EXPECT_EQ(dialog.property("helpContext").toInt(), 14);

    struct Field {
        const char* name;
        const char* text;
        const char* label;
    };
    for (const Field& f :
         {Field{"lineWidthField", "30", "épaisseur de trait en 1/100 mm"},
          Field{"dashLengthField", "9", "Longueur du motif pointillé, en mm"},
          Field{"charSizeField", "10", "taille des caractères"},
          Field{"graduationsField", "8", "nombre approximatif de graduations"},
          Field{"comment1Field", "", nullptr}, Field{"comment2Field", "", nullptr}}) {
        QLineEdit* edit = find<QLineEdit>(f.name);
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->text(), fr(f.text)) << f.name;
        if (!f.label) continue;
        bool labelled = false;
        for (QLabel* l : dialog.findChildren<QLabel*>())
            labelled |= l->buddy() == edit && l->text() == fr(f.label);
        EXPECT_TRUE(labelled) << f.name;
    }

    struct Box {
        const char* name;
        const char* caption;
        bool ticked;
    };
    for (const Box& b : {Box{"zoomBox", "Zoom x 2 selon Ox", false},
                         Box{"constantsBox", "Imprimer les constantes", true},
                         Box{"colourBox", "Imprimer en couleur", false},
                         Box{"arrowsBox", "Axes avec des flèches", true},
                         Box{"gridBox", "Imprimer quadrillage", false}}) {
        QCheckBox* box = find<QCheckBox>(b.name);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text(), fr(b.caption)) << b.name;
        EXPECT_EQ(box->isChecked(), b.ticked) << b.name;
    }

    auto* format = find<RadioGroup>("pageFormatChoice");
    ASSERT_TRUE(format);
    EXPECT_EQ(format->items(), (QStringList{"Quart de page", "Demi page", fr("Optimisé")}));
    EXPECT_EQ(format->selected(), 2);
    EXPECT_EQ(format->toolTip(), fr("Le format optimisé dépasse la demi page, mais est très "
                                    "facile à exploiter graphiquement"));

    for (const auto& [name, caption] :
         {std::pair{"printButton", "&Imprimer"}, std::pair{"cancelButton", "&Annuler"},
          std::pair{"printerPropertiesButton", "Pr&opriétés imprimante"},
          std::pair{"pointStyleButton", "&Choisir tracé points"}}) {
        QPushButton* b = find<QPushButton>(name);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->text(), fr(caption)) << name;
    }
    bool commentLabel = false;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        commentLabel |= l->text() == fr("Commentaires ajoutés :");
    EXPECT_TRUE(commentLabel);
    EXPECT_TRUE(find<QStatusBar>("statusBar")->currentMessage().isEmpty());

    // What the controls hold is the settings a page starts with.
    const PrintSettings s = dialog.settings(), defaults;
    EXPECT_EQ(s.lineWidth, defaults.lineWidth);
    EXPECT_EQ(s.dashLengthMm, defaults.dashLengthMm);
    EXPECT_EQ(s.charSize, defaults.charSize);
    EXPECT_EQ(s.approxGraduations, defaults.approxGraduations);
    EXPECT_EQ(s.zoomX2, defaults.zoomX2);
    EXPECT_EQ(s.printConstants, defaults.printConstants);
    EXPECT_EQ(s.printInColour, defaults.printInColour);
    EXPECT_EQ(s.axisArrows, defaults.axisArrows);
    EXPECT_EQ(s.printGrid, defaults.printGrid);
    EXPECT_EQ(s.format, defaults.format);
}

TEST_F(PrintDialogTest, FileMenuMirrorsTheButtons) {
    QMenuBar* bar = dialog.findChild<QMenuBar*>();
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions()[0]->text(), "&Fichier");
    QMenu* menu = bar->actions()[0]->menu();
    ASSERT_TRUE(menu);
    QStringList texts;
    for (QAction* a : menu->actions()) texts << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(texts, (QStringList{fr("Pr&opriétés imprimante"), "&Imprimer",
                                  fr("Aperç&u avant impression"), "-", "&Annuler"}));
    EXPECT_EQ(menu->actions()[1]->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(menu->actions()[4]->shortcut(), QKeySequence("Ctrl+Z"));

    // "&Annuler" of the menu closes the dialog as the button does; "&Imprimer" prints.
    dialog.show();
    menu->actions()[4]->trigger();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    chosenFile = dir.filePath("menu.pdf");
    dialog.show();
    menu->actions()[1]->trigger();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(printing::readPdf(chosenFile).pages, 1);
}

struct TypedCase {
    const char* label;
    const char* lineWidth;
    const char* dash;
    const char* charSize;
    const char* graduations;
    int format;
    PrintValues read;
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << c.label;
}

class PrintDialogTyped : public PrintDialogTest, public ::testing::WithParamInterface<TypedCase> {};

// What the user types stays as typed; the page reads it within its bounds.
TEST_P(PrintDialogTyped, SettingsAreReadFromWhatIsTyped) {
    const TypedCase& c = GetParam();
    dialog.show();
    type("lineWidthField", c.lineWidth);
    type("dashLengthField", c.dash);
    type("charSizeField", c.charSize);
    type("graduationsField", c.graduations);
    QTest::mouseClick(
        dialog.findChild<QRadioButton*>(QStringLiteral("pageFormatChoice_%1").arg(c.format)),
        Qt::LeftButton);
    const PrintSettings s = dialog.settings();
    EXPECT_EQ(s.lineWidth, c.lineWidth);
    EXPECT_EQ(s.dashLengthMm, c.dash);
    EXPECT_EQ(s.charSize, c.charSize);
    EXPECT_EQ(s.approxGraduations, c.graduations);
    EXPECT_EQ(s.format, static_cast<PageFormat>(c.format));
    const PrintValues v = ReadPrintSettings(s);
    EXPECT_EQ(v.lineWidth, c.read.lineWidth);
    EXPECT_EQ(v.dashLengthMm, c.read.dashLengthMm);
    EXPECT_EQ(v.charSize, c.read.charSize);
    EXPECT_EQ(v.approxGraduations, c.read.approxGraduations);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PrintDialogTyped,
    ::testing::Values(
        TypedCase{"NotANumberAndTooWide", "abc", "20", "11", "8,5", 2, {1, 9, 11, 8}},
        TypedCase{"QuarterPageHalvesTheSize", "500", "0.5", "11", "9.5", 0, {150, 9, 5, 10}},
        TypedCase{"HalfPageCommaDecimals", "45,5", "12,5", "14", "16", 1, {45.5, 12.5, 14, 16}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PrintDialogTest, BoxesAndCommentsAreReadBack) {
    dialog.show();
    for (const char* name : {"zoomBox", "gridBox", "constantsBox", "colourBox", "arrowsBox"})
        QTest::mouseClick(find<QCheckBox>(name), Qt::LeftButton, {}, QPoint(6, 6));
    type("comment1Field", fr("TP n° 3"));
    type("comment2Field", "  ");
    const PrintSettings s = dialog.settings();
    EXPECT_TRUE(s.zoomX2);
    EXPECT_TRUE(s.printGrid);
    EXPECT_FALSE(s.printConstants);
    EXPECT_TRUE(s.printInColour);
    EXPECT_FALSE(s.axisArrows);
    EXPECT_EQ(s.comment1, "TP n° 3");
    EXPECT_EQ(s.comment2, "  ");

    // Another opening keeps every setting (the controls are the storage).
    click("cancelButton");
    dialog.show();
    EXPECT_EQ(dialog.settings().comment1, "TP n° 3");
    EXPECT_TRUE(dialog.settings().printGrid);
}

// D1 is the main window's D11 while the dialog is open: copied in when it opens, copied back
// whenever it closes, whichever way.
TEST_F(PrintDialogTest, LineWidthIsSharedWithTheMainWindow) {
    QLineEdit d11("45");
    dialog.setLineWidthLink(
        {[&d11] { return d11.text(); }, [&d11](const QString& text) { d11.setText(text); }});
    dialog.prepare();
    EXPECT_EQ(dialog.lineWidthText(), "45");

    struct Exit {
        const char* label;
        std::function<void()> leave;
    };
    for (const Exit& e : {Exit{"Annuler", [this] { click("cancelButton"); }},
                          Exit{"SystemMenu", [this] { dialog.close(); }},
                          Exit{"Escape", [this] { QTest::keyClick(&dialog, Qt::Key_Escape); }}}) {
        d11.setText("45");
        dialog.show();
        EXPECT_EQ(dialog.lineWidthText(), "45") << e.label;
        type("lineWidthField", "12");
        e.leave();
        EXPECT_FALSE(dialog.isVisible()) << e.label;
        EXPECT_EQ(d11.text(), "12") << e.label;
    }
    // The main window's field changed meanwhile: the next opening shows it.
    d11.setText("80");
    dialog.show();
    EXPECT_EQ(find<QLineEdit>("lineWidthField")->text(), "80");
    dialog.hide();

    // Printing hands it back too.
    chosenFile = dir.filePath("shared.pdf");
    dialog.show();
    type("lineWidthField", "100");
    click("printButton");
    EXPECT_EQ(d11.text(), "100");
}

// No printer here: "&Imprimer" writes the page into the PDF file chosen, then closes.
TEST_F(PrintDialogTest, PrintWritesAOnePagePdfAndCloses) {
    ASSERT_EQ(dialog.printer().outputFormat(), QPrinter::PdfFormat);
    chosenFile = dir.filePath("page.pdf");
    dialog.show();
    click("printButton");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.errors.empty());
    const printing::PdfFacts pdf = printing::readPdf(chosenFile);
    EXPECT_EQ(pdf.header, "%PDF-");
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.mediaBox.width(), 595, 1) << "A4";
    EXPECT_GT(pdf.size, 5000);
}

TEST_F(PrintDialogTest, CancellingTheFileChoiceKeepsTheDialogOpen) {
    chosenFile.clear();
    dialog.show();
    click("printButton");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    dialog.hide();
}

TEST_F(PrintDialogTest, AFileThatCannotBeWrittenIsReportedAndTheDialogCloses) {
    chosenFile = dir.filePath("no/such/folder/page.pdf");
    dialog.show();
    click("printButton");
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], "Impossible d'écrire le fichier « " + chosenFile.toStdString() +
                                      " » : le dossier n'existe pas.");
    EXPECT_FALSE(QFile::exists(chosenFile));
}

// "Pr&opriétés imprimante" opens Qt's printer set-up on the dialog's own printer; the paper
// and orientation chosen there serve the next page.
TEST_F(PrintDialogTest, PrinterSetUpServesTheNextPage) {
    QPrintDialog* opened = nullptr;
    QTimer::singleShot(0, [&opened] {
        opened = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (opened) opened->reject();
    });
    click("printerPropertiesButton");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->printer(), &dialog.printer());

    // What the user would choose there: A5, landscape.
    dialog.printer().setPageSize(QPageSize(QPageSize::A5));
    dialog.printer().setPageOrientation(QPageLayout::Landscape);
    chosenFile = dir.filePath("a5.pdf");
    ASSERT_EQ(dialog.printPage(), PrintOutcome::Printed);
    const printing::PdfFacts pdf = printing::readPdf(chosenFile);
    EXPECT_NEAR(pdf.mediaBox.width(), 595, 1);
    EXPECT_NEAR(pdf.mediaBox.height(), 420, 1);

    // A file named in the set-up is used without asking.
    const QString named = dir.filePath("named.pdf");
    dialog.printer().setOutputFileName(named);
    chosenFile.clear();
    EXPECT_EQ(dialog.printPage(), PrintOutcome::Printed);
    EXPECT_EQ(printing::readPdf(named).pages, 1);
}

// The preview shows the page that "&Imprimer" would print, on the same printer.
TEST_F(PrintDialogTest, PreviewShowsOnePage) {
    std::unique_ptr<QPrintPreviewDialog> preview = dialog.preparePreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->printer(), &dialog.printer());
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    ASSERT_TRUE(widget);
    int pages = 0;
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested,
                     [&pages](QPrinter* printer) { pages += printer != nullptr; });
    widget->updatePreview();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(widget->pageCount(), 1);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(find<QPushButton>("previewButton"));
}

TEST_F(PrintDialogTest, PointStyleButtonCallsTheChooserAndStaysOpen) {
    int shown = 0;
    dialog.setPointStyleHook([&shown] { ++shown; });
    dialog.show();
    click("pointStyleButton");
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(dialog.isVisible());
    dialog.hide();
}

TEST_F(PrintDialogTest, HelpKeyOpensTheDialogsTopic) {
    std::vector<int> topics;
    dialog.setHelpHook([&topics](int topic) { topics.push_back(topic); });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(find<QLineEdit>("charSizeField"), Qt::Key_F1);
    EXPECT_EQ(topics, std::vector<int>{14});
    dialog.hide();
}

} // namespace
} // namespace titralab
