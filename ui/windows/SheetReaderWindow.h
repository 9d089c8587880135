// The practical-work text reader: a read-only view of a sheet, its open dialog, printing and
// copying.
#pragma once

#include "core/base/Language.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QFileDialog;
class QIcon;
class QPrinter;
class QTextEdit;

namespace titralab {

class Notifier;

class SheetReaderWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `textsFolder` is where the open dialog starts, at every opening; the window's own texts
    // are in `language`.
    SheetReaderWindow(Language language, QString textsFolder, QWidget* parent = nullptr);
    ~SheetReaderWindow() override;

    // Where the error boxes go; without one, modal message boxes.
    void setNotifier(Notifier* notifier) { m_notifier = notifier; }

    // A fresh open dialog for the next opening: title, the one filter, the texts folder and
    // an empty file name; it replaces the former one. Only openWithDialog() runs it.
    QFileDialog* prepareOpenDialog();
    // Runs the open dialog. Cancelling hides the reader (an earlier text stays loaded); a
    // chosen file is loaded as openFile() does. True when a file was loaded and shown.
    bool openWithDialog();
    // Loads a sheet (rich text when the file is RTF, plain text otherwise) and shows the
    // reader. A file that cannot be read, or is too large, gets an error box; the reader
    // keeps its earlier text and visibility, and the result is false.
    bool openFile(const QString& path);

    // The text's first line, the title of the print job.
    QString jobTitle() const;
    // Prints the whole text on a printer the user has set up.
    void printTo(QPrinter& printer);

    QTextEdit* textArea() const { return m_text; }
    // The file shown, empty before the first one.
    QString fileName() const { return m_fileName; }

  public slots:
    // The window's icon follows the burette side's icon.
    void setSideIcon(const QIcon& icon);
    void printText();     // "&Imprimer": the system print dialog, then the whole text
    void copySelection(); // "&Copier": the selection to the clipboard

  private:
    Notifier& notifier();

    Language m_language;
    QString m_textsFolder;
    QString m_fileName;
    QTextEdit* m_text{nullptr};
    // Owned by the main window when there is one, which may delete it first.
    QPointer<QFileDialog> m_openDialog;
    Notifier* m_notifier{nullptr};
    std::unique_ptr<Notifier> m_boxes;
};

} // namespace titralab
