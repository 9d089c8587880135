// The help window: HTML pages of the help folder, opened by contents, topic or context number.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace titralab {

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    HelpViewer(QString helpFolder, QWidget* parent = nullptr);

    void showContents();
    void showTopic(const QString& topic);
    void showContext(int context);

    // The page shown, relative to the help folder (for tests).
    QString currentPage() const { return m_page; }

  private:
    void showPage(const QString& page);

    QString m_folder;
    QString m_page;
    QTextBrowser* m_browser{nullptr};
};

} // namespace titralab
