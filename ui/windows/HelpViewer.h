// The help window: HTML pages of the help folder, opened by contents, topic or context number,
// in the interface language.
#pragma once

#include "core/base/Language.h"

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace titralab {

class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    // `helpFolder` holds the French pages, the reference; the pages of another language are
    // their twins, of the same file names, in that language's subfolder. A page without a twin
    // is shown in French.
    HelpViewer(QString helpFolder, Language language, QWidget* parent = nullptr);

    // Changes the window's texts and shows the page being read in the new language.
    void setLanguage(Language language);
    Language language() const { return m_language; }

    void showContents();
    void showTopic(const QString& topic);
    void showContext(int context);

    // The page shown, relative to its help folder (for tests).
    QString currentPage() const { return m_page; }
    // The page shown, as an absolute file name (for tests).
    QString currentFile() const { return m_file; }

  private:
    void showPage(const QString& page);
    void load(const QString& page);
    void applyLanguage();
    QString languageFolder() const;
    // The file that shows `page`: its twin in the language, else the French page, else the
    // contents (same order); empty when none exists.
    QString fileOf(const QString& page) const;

    QString m_folder;
    Language m_language{Language::French};
    QString m_page;
    QString m_file;
    QTextBrowser* m_browser{nullptr};
    QPushButton* m_contents{nullptr};
    QPushButton* m_back{nullptr};
};

} // namespace titralab
