#include "ui/windows/HelpViewer.h"

#include "core/system/Folders.h"
#include "core/texts/HelpTexts.h"
#include "ui/qt/Utf8Text.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace titralab {

HelpViewer::HelpViewer(QString helpFolder, Language language, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(helpFolder)), m_language(language) {
    setObjectName("HelpViewer");
    resize(560, 600);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("HelpText");
    m_browser->setOpenExternalLinks(true);
    m_contents = new QPushButton(this);
    m_contents->setObjectName("HelpContents");
    m_back = new QPushButton(this);
    m_back->setObjectName("HelpBack");
    m_back->setEnabled(false);
    connect(m_contents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        m_file = url.toLocalFile();
        m_page = QFileInfo(m_file).fileName();
    });
    applyLanguage();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void HelpViewer::setLanguage(Language language) {
    if (language == m_language) return;
    m_language = language;
    applyLanguage();
    if (m_page.isEmpty()) return;
    // The history holds pages of the other language: going back starts again from here.
    load(m_page);
    m_browser->clearHistory();
}

void HelpViewer::applyLanguage() {
    setWindowTitle(text(m_language, texts::help::kWindowTitle));
    m_contents->setText(text(m_language, texts::help::kContentsButton));
    m_back->setText(text(m_language, texts::help::kBackButton));
    m_browser->setSearchPaths({languageFolder(), m_folder});
}

QString HelpViewer::languageFolder() const {
    return QString::fromStdString(system::folderInLanguage(m_folder.toStdString(), m_language));
}

void HelpViewer::showContents() {
    showPage(utf8(system::help::kContentsPage));
}

void HelpViewer::showTopic(const QString& topic) {
    showPage(utf8(system::help::pageForTopic(topic.toStdString())));
}

void HelpViewer::showContext(int context) {
    showPage(utf8(system::help::pageForContext(context)));
}

QString HelpViewer::fileOf(const QString& page) const {
    // A topic without a page of its own opens the contents.
    const QDir folders[] = {QDir(languageFolder()), QDir(m_folder)};
    for (const QString& name : {page, utf8(system::help::kContentsPage)})
        for (const QDir& folder : folders)
            if (QFileInfo::exists(folder.filePath(name))) return folder.filePath(name);
    return {};
}

void HelpViewer::load(const QString& page) {
    const QString file = fileOf(page);
    if (!file.isEmpty()) {
        m_browser->setSource(QUrl::fromLocalFile(file));
    } else {
        m_page = utf8(system::help::kContentsPage);
        m_file.clear();
        m_browser->setPlainText(text(m_language, texts::help::kMissing) +
                                QDir(languageFolder()).filePath(m_page));
    }
}

void HelpViewer::showPage(const QString& page) {
    load(page);
    show();
    raise();
    activateWindow();
}

} // namespace titralab
