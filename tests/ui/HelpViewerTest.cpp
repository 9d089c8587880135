// The help pages and practical-work sheets of each language, and the help viewer choosing them.
#include "ui/windows/HelpViewer.h"
#include "core/base/Notifier.h"
#include "core/session/StudyFile.h"
#include "core/system/Folders.h"
#include "ui/qt/Utf8Text.h"
#include "ui/windows/SheetReaderWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <algorithm>

#include <memory>

using namespace titralab;

namespace {

// The data folder as built beside the test program.
QString shipped(const QString& folder) {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/titralab/" + folder);
}

QString englishOf(const QString& folder) {
    return QDir(folder).filePath(
        QString::fromUtf8(system::languageSubfolder(Language::English).data()));
}

QByteArray contentsOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string str(const QString& s) {
    return s.toStdString();
}

TEST(EnglishHelp, EveryFrenchPageHasATranslatedTwin) {
    const QDir french(shipped("Aides"));
    const QDir english(englishOf(french.path()));
    const QStringList pages = french.entryList({"*.html", "*.css"}, QDir::Files, QDir::Name);
    ASSERT_GE(pages.size(), 10) << str(french.path());
    EXPECT_EQ(english.entryList({"*.html", "*.css"}, QDir::Files, QDir::Name), pages);
    for (const QString& page : pages) {
        const QByteArray fr = contentsOf(french.filePath(page));
        const QByteArray en = contentsOf(english.filePath(page));
        ASSERT_FALSE(en.isEmpty()) << str(page);
        // The style sheet is shared as is; a page copied untranslated is a defect.
        if (page.endsWith(".html")) {
            EXPECT_NE(en, fr) << str(page);
            EXPECT_TRUE(en.contains("<title>")) << str(page);
        }
    }
}

TEST(EnglishHelp, EveryLinkOfAnEnglishPageResolvesInsideTheEnglishFolder) {
    const QDir english(englishOf(shipped("Aides")));
    const QRegularExpression link(R"re((?:href|src)\s*=\s*"([^"]*)")re");
    const QRegularExpression scheme(R"(^[a-z]+:)");
    int checked = 0;
    for (const QString& page : english.entryList({"*.html"}, QDir::Files, QDir::Name)) {
        const QString html = QString::fromUtf8(contentsOf(english.filePath(page)));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (scheme.match(target).hasMatch()) continue; // the maker's web addresses
            const QString file = target.section('#', 0, 0);
            const QString anchor = target.section('#', 1);
            const QString resolved =
                file.isEmpty() ? english.filePath(page) : english.filePath(file);
            const QFileInfo info(resolved);
            EXPECT_TRUE(info.isFile()) << str(page) << " -> " << str(target);
            EXPECT_EQ(info.canonicalPath(), english.canonicalPath())
                << str(page) << " -> " << str(target);
            if (!anchor.isEmpty()) {
                const QString in = QString::fromUtf8(contentsOf(resolved));
                EXPECT_TRUE(in.contains("id=\"" + anchor + "\"") ||
                            in.contains("name=\"" + anchor + "\""))
                    << str(page) << " -> " << str(target);
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 20);
}

// The twin of "TP2_vinaigre.txt" is the English sheet of the same number and kind.
TEST(EnglishSheets, EveryFrenchSheetHasAnEnglishTwin) {
    const QDir french(shipped("Textes"));
    const QDir english(englishOf(french.path()));
    const QStringList kinds{"*.rtf", "*.txt"};
    const QStringList fr = french.entryList(kinds, QDir::Files, QDir::Name);
    const QStringList en = english.entryList(kinds, QDir::Files, QDir::Name);
    ASSERT_GE(fr.size(), 3) << str(french.path());
    ASSERT_EQ(en.size(), fr.size()) << str(english.path());
    const QRegularExpression numbered(R"(^[A-Za-z]+(\d+)_.*\.(rtf|txt)$)");
    for (int k = 0; k < fr.size(); ++k) {
        const auto f = numbered.match(fr[k]);
        const auto e = numbered.match(en[k]);
        ASSERT_TRUE(f.hasMatch() && e.hasMatch()) << str(fr[k]) << " / " << str(en[k]);
        EXPECT_EQ(e.captured(1), f.captured(1)) << str(en[k]);
        EXPECT_EQ(e.captured(2), f.captured(2)) << str(en[k]);
    }
}

TEST(EnglishSheets, OpenCleanlyInTheReaderWithNoFrenchLeft) {
    const QDir english(englishOf(shipped("Textes")));
    for (const QString& name : english.entryList({"*.rtf", "*.txt"}, QDir::Files, QDir::Name)) {
        RecordingNotifier messages;
        SheetReaderWindow reader(Language::English, english.path());
        reader.setNotifier(&messages);
        ASSERT_TRUE(reader.openFile(english.filePath(name))) << str(name);
        const QString text = reader.textArea()->toPlainText();
        EXPECT_GT(text.size(), 300) << str(name);
        EXPECT_FALSE(reader.jobTitle().isEmpty()) << str(name);
        for (const char* leak : {"\\", "{", "}", "\xEF\xBF\xBD", "é", "è", "à", "Dosage"})
            EXPECT_FALSE(text.contains(QString::fromUtf8(leak))) << str(name) << " " << leak;
        if (name.endsWith(".rtf")) {
            bool bold = false, italic = false;
            for (QTextBlock b = reader.textArea()->document()->firstBlock(); b.isValid();
                 b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    bold = bold || it.fragment().charFormat().fontWeight() == QFont::Bold;
                    italic = italic || it.fragment().charFormat().fontItalic();
                }
            EXPECT_TRUE(bold && italic) << str(name);
        }
    }
}

// The English examples are the French studies with their names and comments in English, and
// their numbers written with the English decimal point.
TEST(EnglishExamples, AreTheFrenchStudiesWithEnglishTexts) {
    const QDir french(shipped("Etudes"));
    const QDir english(englishOf(french.path()));
    const QStringList studies = french.entryList({"*.titralab"}, QDir::Files, QDir::Name);
    ASSERT_GE(studies.size(), 3) << str(french.path());
    EXPECT_EQ(english.entryList({"*.titralab"}, QDir::Files, QDir::Name), studies);
    for (const QString& name : studies) {
        const StudyOpening fr = openStudyFile(str(french.filePath(name)), Language::French);
        const StudyOpening en = openStudyFile(str(english.filePath(name)), Language::French);
        ASSERT_TRUE(fr.record && en.record) << str(name) << en.error;
        StudyRecord translated = *en.record;
        EXPECT_NE(translated.entryName, fr.record->entryName) << str(name);
        EXPECT_NE(translated.print.comment1, fr.record->print.comment1) << str(name);
        for (const std::string& t : {translated.entryName, translated.print.comment1})
            for (const char* leak : {"é", "è", "acide"})
                EXPECT_EQ(t.find(leak), std::string::npos) << str(name) << " " << t;
        translated.entryName = fr.record->entryName;
        translated.print.comment1 = fr.record->print.comment1;
        translated.print.comment2 = fr.record->print.comment2;
        EXPECT_FALSE(translated.decimalComma) << str(name);
        translated.decimalComma = fr.record->decimalComma;
        for (std::string& field : translated.fields) {
            EXPECT_EQ(field.find(','), std::string::npos) << str(name) << " " << field;
            std::replace(field.begin(), field.end(), '.', ',');
        }
        EXPECT_EQ(translated, *fr.record) << str(name);
    }
}

// ---- The viewer ------------------------------------------------------------------------------

struct Viewer {
    std::unique_ptr<HelpViewer> window;
    explicit Viewer(Language language, const QString& folder = shipped("Aides"))
        : window(std::make_unique<HelpViewer>(folder, language)) {}
    QString button(const char* name) const { return window->findChild<QPushButton*>(name)->text(); }
    QString documentTitle() const {
        return window->findChild<QTextBrowser*>("HelpText")
            ->document()
            ->metaInformation(QTextDocument::DocumentTitle);
    }
};

TEST(HelpViewerLanguage, OpensThePagesAndShowsTheButtonsOfItsLanguage) {
    const QString french = shipped("Aides");
    struct Case {
        Language language;
        QString folder;
        const char* title;
        const char* contents;
        const char* back;
        const char* indexTitle;
    } cases[] = {
        {Language::French, french, "Aide de TitraLab", "&Sommaire", "&Précédent", "Sommaire"},
        {Language::English, englishOf(french), "TitraLab Help", "&Contents", "&Back", "Contents"},
    };
    for (const Case& c : cases) {
        Viewer v(c.language);
        EXPECT_EQ(v.window->windowTitle(), QString::fromUtf8(c.title)) << c.title;
        EXPECT_EQ(v.button("HelpContents"), QString::fromUtf8(c.contents)) << c.title;
        EXPECT_EQ(v.button("HelpBack"), QString::fromUtf8(c.back)) << c.title;
        v.window->showContents();
        EXPECT_EQ(v.window->currentFile(), QDir(c.folder).filePath("index.html")) << c.title;
        EXPECT_EQ(v.documentTitle(), QString::fromUtf8(c.indexTitle)) << c.title;
        for (int context : {2, 9, 11, 13, 14, 17}) {
            v.window->showContext(context);
            EXPECT_EQ(v.window->currentFile(),
                      QDir(c.folder).filePath(utf8(system::help::pageForContext(context))))
                << c.title << " " << context;
        }
        v.window->showTopic("Precision");
        EXPECT_EQ(v.window->currentFile(), QDir(c.folder).filePath("Precision.html")) << c.title;
    }
}

TEST(HelpViewerLanguage, ChangingTheLanguageShowsTheSamePageInTheOther) {
    const QString french = shipped("Aides");
    Viewer v(Language::French);
    v.window->showTopic("Propositions");
    v.window->setLanguage(Language::English);
    EXPECT_EQ(v.window->currentFile(), QDir(englishOf(french)).filePath("Propositions.html"));
    EXPECT_EQ(v.window->windowTitle(), "TitraLab Help");
    v.window->setLanguage(Language::French);
    EXPECT_EQ(v.window->currentFile(), QDir(french).filePath("Propositions.html"));
    EXPECT_EQ(v.button("HelpContents"), "&Sommaire");
}

TEST(HelpViewerLanguage, APageWithoutATwinIsShownInFrench) {
    QTemporaryDir dir;
    const QDir french(dir.path());
    ASSERT_TRUE(french.mkpath(englishOf(dir.path())));
    const QDir english(englishOf(dir.path()));
    auto write = [](const QString& file) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << str(file);
        f.write("<html><body><p>x</p></body></html>");
    };
    write(french.filePath("index.html"));
    write(french.filePath("contexte-9.html"));
    write(french.filePath("Precision.html"));
    write(english.filePath("index.html"));
    struct Case {
        const char* label;
        int context;
        QString expected;
    } cases[] = {
        {"twin", 0, english.filePath("index.html")},
        {"no twin", 9, french.filePath("contexte-9.html")},
        {"no page at all", 13, english.filePath("index.html")},
    };
    Viewer v(Language::English, dir.path());
    for (const Case& c : cases) {
        v.window->showContext(c.context);
        EXPECT_EQ(v.window->currentFile(), c.expected) << c.label;
    }
}

} // namespace
