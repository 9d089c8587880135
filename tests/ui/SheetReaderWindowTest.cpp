#include "ui/windows/SheetReaderWindow.h"
#include "core/base/Notifier.h"
#include "core/sheets/SheetReader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>

using namespace titralab;

namespace {

const char* kSheet =
    R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}}{\colortbl;\red200\green0\blue0;})"
    R"(\qc\b\fs32 Dosage de l'acide chlorhydrique\b0\fs24\par)"
    R"(\pard\i Mat\'e9riel\i0  : \cf1 burette\cf0 , \ul pH-m\'e8tre\ulnone .\par})";

// A reader on a temporary texts folder, its messages recorded.
struct Reader {
    QTemporaryDir dir;
    RecordingNotifier messages;
    std::unique_ptr<SheetReaderWindow> window;

    Reader() {
        window = std::make_unique<SheetReaderWindow>(Language::French, dir.path());
        window->setNotifier(&messages);
    }

    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes);
        return path;
    }
    QString text() const { return window->textArea()->toPlainText(); }
    QTextDocument* document() const { return window->textArea()->document(); }
};

// Every fragment of a block, in order.
std::vector<QTextFragment> fragments(const QTextBlock& block) {
    std::vector<QTextFragment> out;
    for (auto it = block.begin(); !it.atEnd(); ++it) out.push_back(it.fragment());
    return out;
}

TEST(NotepadWindow, IsSetUpAsTheReader) {
    Reader r;
    SheetReaderWindow& w = *r.window;
    EXPECT_EQ(w.windowTitle(), "Lire une fiche de travail pratique");
    EXPECT_EQ(w.pos(), QPoint(16, 18));
    EXPECT_EQ(w.size(), QSize(519, 579));
    EXPECT_TRUE(w.textArea()->isReadOnly());
    EXPECT_EQ(w.textArea()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QList<QAction*> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&Fichier");
    EXPECT_EQ(menus[1]->text(), "&Edition");
    ASSERT_EQ(menus[0]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[0]->menu()->actions()[0]->text(), "&Imprimer");
    ASSERT_EQ(menus[1]->menu()->actions().size(), 1);
    EXPECT_EQ(menus[1]->menu()->actions()[0]->text(), "&Copier");
    EXPECT_FALSE(w.isVisible());
}

TEST(NotepadWindow, ShowsAnRtfSheetFormatted) {
    Reader r;
    ASSERT_TRUE(r.window->openFile(r.write("tp.rtf", kSheet)));
    EXPECT_TRUE(r.window->isVisible());
    EXPECT_TRUE(r.messages.errors.empty());
    EXPECT_FALSE(r.document()->isModified());
    EXPECT_EQ(r.text(), "Dosage de l'acide chlorhydrique\nMatériel : burette, pH-mètre.");

    const QTextBlock title = r.document()->firstBlock();
    EXPECT_EQ(title.blockFormat().alignment(), Qt::AlignHCenter);
    const auto t = fragments(title);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].charFormat().fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(t[0].charFormat().fontPointSize(), 16.0);

    const QTextBlock body = title.next();
    EXPECT_EQ(body.blockFormat().alignment(), Qt::AlignLeft);
    const auto b = fragments(body);
    ASSERT_EQ(b.size(), 6u);
    EXPECT_EQ(b[0].text(), "Matériel");
    EXPECT_TRUE(b[0].charFormat().fontItalic());
    EXPECT_EQ(b[0].charFormat().fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(b[0].charFormat().fontPointSize(), 12.0);
    EXPECT_EQ(b[2].text(), "burette");
    EXPECT_EQ(b[2].charFormat().foreground().color(), QColor(200, 0, 0));
    EXPECT_FALSE(b[1].charFormat().hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(b[4].text(), "pH-mètre");
    EXPECT_TRUE(b[4].charFormat().fontUnderline());
    EXPECT_FALSE(b[5].charFormat().fontUnderline());
}

TEST(NotepadWindow, IndentsAndSpacingBecomeBlockMargins) {
    Reader r;
    ASSERT_TRUE(r.window->openFile(r.write(
        "tp.rtf", R"({\rtf1\li720\fi-360\ri150\sb120\sa240 1.\tab Texte\par\pard Suite})")));
    // Twips to 1/96 inch: divided by 15.
    const QTextBlockFormat first = r.document()->firstBlock().blockFormat();
    EXPECT_DOUBLE_EQ(first.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(first.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(first.rightMargin(), 10.0);
    EXPECT_DOUBLE_EQ(first.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(first.bottomMargin(), 16.0);
    // The hanging indent is a tab stop, as in the word processor that wrote the sheet.
    ASSERT_EQ(first.tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(first.tabPositions()[0].position, 48.0);

    const QTextBlockFormat second = r.document()->firstBlock().next().blockFormat();
    EXPECT_DOUBLE_EQ(second.leftMargin(), 0.0);
    EXPECT_DOUBLE_EQ(second.textIndent(), 0.0);
    EXPECT_TRUE(second.tabPositions().isEmpty());
}

TEST(NotepadWindow, ShowsOtherFilesAsPlainText) {
    struct Case {
        const char* label;
        const char* name;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"Windows-1252 with CR LF", "tp.txt", "Mat\xE9riel\r\nBurette\r\n\r\nFin",
         "Matériel\nBurette\n\nFin"},
        {"UTF-8", "tp.txt", "pH-m\xC3\xA8tre", "pH-mètre"},
        {"RTF markup in a file that is not RTF", "tp.rtf", "x {\\rtf1 \\b a}", "x {\\rtf1 \\b a}"},
        {"an empty file", "vide.txt", "", ""},
    };
    for (const Case& c : cases) {
        Reader r;
        ASSERT_TRUE(r.window->openFile(r.write(c.name, c.bytes))) << c.label;
        EXPECT_EQ(r.text(), c.text) << c.label;
        EXPECT_EQ(r.document()->blockCount(), c.text.count('\n') + 1) << c.label;
        EXPECT_TRUE(r.window->isVisible()) << c.label;
    }
}

TEST(NotepadWindow, ANewSheetReplacesTheFormerOne) {
    Reader r;
    ASSERT_TRUE(r.window->openFile(r.write("a.rtf", kSheet)));
    ASSERT_TRUE(r.window->openFile(r.write("b.txt", "Seconde fiche")));
    EXPECT_EQ(r.text(), "Seconde fiche");
    EXPECT_EQ(fragments(r.document()->firstBlock()).at(0).charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(r.window->fileName(), r.dir.filePath("b.txt"));
}

// A file that cannot be shown: an error box, and the reader as it was.
TEST(NotepadWindow, AFileThatCannotBeReadKeepsTheEarlierTextAndVisibility) {
    enum class Kind { Missing, Folder, Pipe, TooLarge };
    struct Case {
        const char* label;
        Kind kind;
    } cases[] = {{"missing", Kind::Missing},
                 {"a folder", Kind::Folder},
                 {"a named pipe", Kind::Pipe},
                 {"over 20 MB", Kind::TooLarge}};
    for (const Case& c : cases) {
        for (bool visible : {true, false}) {
            const std::string label = std::string(c.label) + (visible ? ", shown" : ", hidden");
            Reader r;
            ASSERT_TRUE(r.window->openFile(r.write("bon.txt", "Texte d'avant")));
            r.window->setVisible(visible);

            QString path = r.dir.filePath("mauvais.rtf");
            switch (c.kind) {
            case Kind::Missing:
                break;
            case Kind::Folder:
                ASSERT_TRUE(QDir(r.dir.path()).mkdir("mauvais.rtf"));
                break;
            case Kind::Pipe:
                ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                break;
            case Kind::TooLarge: {
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                ASSERT_TRUE(f.resize(static_cast<qint64>(sheets::kMaxFileBytes) + 1));
                break;
            }
            }
            EXPECT_FALSE(r.window->openFile(path)) << label;
            EXPECT_EQ(r.text(), "Texte d'avant") << label;
            EXPECT_EQ(r.window->isVisible(), visible) << label;
            EXPECT_EQ(r.window->fileName(), r.dir.filePath("bon.txt")) << label;
            ASSERT_EQ(r.messages.errors.size(), 1u) << label;
            const std::string& message = r.messages.errors[0];
            const std::string name = path.toStdString();
            if (c.kind == Kind::TooLarge) {
                EXPECT_EQ(message, sheets::tooLargeMessage(name, Language::French)) << label;
                EXPECT_NE(message.find("20 Mo"), std::string::npos) << label;
            } else {
                // The system's reason follows our sentence on its own line.
                const std::string head = "Impossible de lire le fichier \"" + name + "\".\r";
                EXPECT_EQ(message.rfind(head, 0), 0u) << label << ": " << message;
                EXPECT_GT(message.size(), head.size()) << label;
            }
            EXPECT_TRUE(r.messages.messages.empty()) << label;
        }
    }
}

TEST(NotepadWindow, ALongDocumentShowsItsBeginningAndSaysSo) {
    struct Case {
        const char* label;
        const char* name;
        QByteArray unit; // repeated as many times as the paragraph limit
        QByteArray head, tail;
    } cases[] = {
        {"rich text", "long.rtf", "x\\par ", "{\\rtf1 ", "y}"},
        {"plain text", "long.txt", "x\r\n", "", "y"},
    };
    for (const Case& c : cases) {
        Reader r;
        const QByteArray bytes =
            c.head + c.unit.repeated(static_cast<qsizetype>(sheets::kMaxParagraphs)) + c.tail;
        const QString path = r.write(c.name, bytes);
        ASSERT_TRUE(r.window->openFile(path)) << c.label;
        EXPECT_TRUE(r.window->isVisible()) << c.label;
        EXPECT_GE(r.document()->blockCount(), static_cast<int>(sheets::kMaxParagraphs)) << c.label;
        EXPECT_FALSE(r.text().contains('y')) << c.label;
        EXPECT_TRUE(r.messages.errors.empty()) << c.label;
        EXPECT_EQ(r.messages.messages, std::vector<std::string>{sheets::truncatedMessage(
                                           path.toStdString(), Language::French)})
            << c.label;
    }
}

TEST(NotepadWindow, CopyPutsTheSelectionOnTheClipboard) {
    Reader r;
    ASSERT_TRUE(r.window->openFile(r.write("tp.rtf", kSheet)));
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("avant");

    QTextCursor cursor(r.document()->firstBlock().next());
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 8);
    r.window->textArea()->setTextCursor(cursor);
    r.window->findChild<QAction*>("copyAction")->trigger();
    EXPECT_EQ(clipboard->text(), "Matériel");

    // Without a selection the clipboard keeps what it had.
    clipboard->setText("avant");
    cursor.clearSelection();
    r.window->textArea()->setTextCursor(cursor);
    r.window->copySelection();
    EXPECT_EQ(clipboard->text(), "avant");
}

TEST(NotepadOpenDialog, StartsInTheTextsFolderWithAnEmptyNameEveryTime) {
    Reader r;
    QTemporaryDir elsewhere;
    for (int opening = 0; opening < 2; ++opening) {
        QFileDialog* dialog = r.window->prepareOpenDialog();
        EXPECT_EQ(dialog->windowTitle(), "Ouverture d'un fichier texte");
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Fichiers texte (txt ou rtf) (*.rtf *.txt)"});
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(r.dir.path()).canonicalPath());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "") << opening;
        // Wherever the user goes and whatever is typed, the next opening starts afresh.
        dialog->setDirectory(elsewhere.path());
        dialog->selectFile("autre.rtf");
        ASSERT_EQ(name->text(), "autre.rtf");
    }
}

// Runs `answer` on the open dialog once openWithDialog() shows it.
template <typename Answer> void whenTheDialogShows(Answer answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Ouverture d'un fichier texte");
        answer(dialog);
    });
}

TEST(NotepadOpenDialog, ChoosingAFileLoadsAndShowsIt) {
    Reader r;
    const QString path = r.write("tp.rtf", kSheet);
    whenTheDialogShows([path](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // as the "Open" button does
    });
    EXPECT_TRUE(r.window->openWithDialog());
    EXPECT_TRUE(r.window->isVisible());
    EXPECT_EQ(r.window->fileName(), path);
    EXPECT_TRUE(r.text().startsWith("Dosage de l'acide chlorhydrique"));
}

TEST(NotepadOpenDialog, CancellingHidesTheReaderButKeepsItsText) {
    for (bool loaded : {true, false}) {
        Reader r;
        if (loaded) ASSERT_TRUE(r.window->openFile(r.write("tp.rtf", kSheet)));
        ASSERT_EQ(r.window->isVisible(), loaded);
        whenTheDialogShows([](QFileDialog* dialog) { dialog->reject(); });
        EXPECT_FALSE(r.window->openWithDialog()) << loaded;
        EXPECT_FALSE(r.window->isVisible()) << loaded;
        EXPECT_EQ(r.text().isEmpty(), !loaded) << loaded;
        EXPECT_TRUE(r.messages.errors.empty());
    }
}

TEST(NotepadOpenDialog, AChosenFileThatCannotBeReadKeepsTheReaderAsItWas) {
    Reader r;
    ASSERT_TRUE(r.window->openFile(r.write("bon.txt", "Texte d'avant")));
    // A named pipe passes the dialog's check that the file exists, but cannot be read.
    const QString path = r.dir.filePath("mauvais.rtf");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    whenTheDialogShows([path](QFileDialog* dialog) {
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_FALSE(r.window->openWithDialog());
    EXPECT_TRUE(r.window->isVisible());
    EXPECT_EQ(r.text(), "Texte d'avant");
    EXPECT_EQ(r.messages.errors.size(), 1u);
}

// The PDF writer stores the document name as a UTF-16 big-endian string with a byte-order mark.
QByteArray pdfString(const QString& text) {
    QByteArray out("\xFE\xFF");
    for (QChar c : text) {
        out += static_cast<char>(c.unicode() >> 8);
        out += static_cast<char>(c.unicode() & 0xFF);
    }
    return out;
}

TEST(NotepadPrint, TheJobIsNamedAfterTheFirstLine) {
    struct Case {
        const char* label;
        const char* name;
        QByteArray bytes;
        QString title;
    } cases[] = {
        {"rich text", "a.rtf", kSheet, "Dosage de l'acide chlorhydrique"},
        {"a line break in the first paragraph", "b.rtf", R"({\rtf1 TP 3\line suite\par corps})",
         "TP 3"},
        {"an empty first line", "c.rtf", R"({\rtf1 \par Corps})", ""},
        {"plain text", "d.txt", "Premi\xE8re ligne\r\nDeuxi\xE8me", "Première ligne"},
        {"an empty plain first line", "e.txt", "\r\nDeuxi\xE8me", ""},
    };
    for (const Case& c : cases) {
        Reader r;
        ASSERT_TRUE(r.window->openFile(r.write(c.name, c.bytes))) << c.label;
        EXPECT_EQ(r.window->jobTitle(), c.title) << c.label;

        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(r.dir.filePath("page.pdf"));
        r.window->printTo(printer);
        EXPECT_EQ(printer.docName(), c.title) << c.label;
        QFile pdf(printer.outputFileName());
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << c.label;
        const QByteArray bytes = pdf.readAll();
        EXPECT_TRUE(bytes.startsWith("%PDF")) << c.label;
        if (!c.title.isEmpty()) EXPECT_TRUE(bytes.contains(pdfString(c.title))) << c.label;
    }
}

// The sheets shipped in the data folder, as built beside the test program.
TEST(ShippedSheets, OpenCleanlyWithTheirAccents) {
    const QDir texts(QCoreApplication::applicationDirPath() + "/../share/titralab/Textes");
    const QStringList files = texts.entryList({"*.rtf", "*.txt"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 3) << texts.path().toStdString();
    int rich = 0;
    for (const QString& name : files) {
        Reader r;
        ASSERT_TRUE(r.window->openFile(texts.filePath(name))) << name.toStdString();
        const QString text = r.text();
        EXPECT_GT(text.size(), 300) << name.toStdString();
        EXPECT_TRUE(text.contains(QString::fromUtf8("é"))) << name.toStdString();
        // No markup or undecoded byte shows through.
        for (const char* leak : {"\\", "{", "}", "\xEF\xBF\xBD"})
            EXPECT_FALSE(text.contains(QString::fromUtf8(leak))) << name.toStdString() << leak;
        EXPECT_FALSE(r.window->jobTitle().isEmpty()) << name.toStdString();
        if (name.endsWith(".rtf")) {
            ++rich;
            bool bold = false, italic = false;
            for (QTextBlock b = r.document()->firstBlock(); b.isValid(); b = b.next()) {
                for (const QTextFragment& f : fragments(b)) {
                    bold = bold || f.charFormat().fontWeight() == QFont::Bold;
                    italic = italic || f.charFormat().fontItalic();
                }
            }
            EXPECT_TRUE(bold && italic) << name.toStdString();
        }
    }
    EXPECT_GE(rich, 1);
}

} // namespace
