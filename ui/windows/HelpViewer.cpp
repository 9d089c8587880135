#include "ui/windows/HelpViewer.h"
#include "ui/qt/FrenchText.h"

#include "core/system/Folders.h"
#include "core/texts/WindowTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace titralab {

HelpViewer::HelpViewer(QString helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(std::move(helpFolder)) {
    setObjectName("HelpViewer");
    setWindowTitle(fr(texts::kHelpWindowTitle));
    resize(560, 600);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName("HelpText");
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_folder});
    auto* contents = new QPushButton(fr(texts::kHelpContentsButton), this);
    auto* back = new QPushButton(fr(texts::kHelpBackButton), this);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this](const QUrl& url) { m_page = QFileInfo(url.toLocalFile()).fileName(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void HelpViewer::showContents() {
    showPage(QString::fromUtf8(desktop::help::kContentsPage));
}

void HelpViewer::showTopic(const QString& topic) {
    showPage(QString::fromStdString(desktop::help::pageForTopic(topic.toStdString())));
}

void HelpViewer::showContext(int context) {
    showPage(QString::fromStdString(desktop::help::pageForContext(context)));
}

void HelpViewer::showPage(const QString& page) {
    const QString contents = QString::fromUtf8(desktop::help::kContentsPage);
    QString file = QDir(m_folder).filePath(page);
    // A topic without a page of its own opens the contents.
    if (!QFileInfo::exists(file)) file = QDir(m_folder).filePath(contents);
    if (QFileInfo::exists(file)) {
        m_browser->setSource(QUrl::fromLocalFile(file));
    } else {
        m_page = contents;
        m_browser->setPlainText(fr(texts::kHelpMissing) + file);
    }
    show();
    raise();
    activateWindow();
}

} // namespace titralab
