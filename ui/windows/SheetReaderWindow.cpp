#include "ui/windows/SheetReaderWindow.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/WindowDescriptions.h"
#include "core/sheets/SheetReader.h"
#include "core/texts/SheetTexts.h"
#include "core/texts/WindowTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/QtNotifier.h"
#include "ui/qt/RichTextReader.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <new>
#include <string_view>

namespace titralab {

namespace {

constexpr int kLeft = 16; // initial placement, pixels
constexpr int kTop = 18;
constexpr int kWidth = 519;
constexpr int kHeight = 579;

} // namespace

SheetReaderWindow::SheetReaderWindow(Language language, QString textsFolder, QWidget* parent)
    : QMainWindow(parent), m_language(language), m_textsFolder(std::move(textsFolder)) {
    setObjectName("sheetReader");
    setWindowFlag(Qt::Window);
    setWindowTitle(text(m_language, texts::kSheetCaption));

    m_text = new QTextEdit(this);
    m_text->setObjectName("sheetText");
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setCentralWidget(m_text);

    QMenu* file = menuBar()->addMenu(text(m_language, texts::kMenuFile));
    file->setObjectName("fileMenu");
    QAction* print = file->addAction(text(m_language, texts::kSheetPrint));
    print->setObjectName("printAction");
    connect(print, &QAction::triggered, this, &SheetReaderWindow::printText);

    QMenu* edit = menuBar()->addMenu(text(m_language, texts::kMenuEdit));
    edit->setObjectName("editMenu");
    QAction* copy = edit->addAction(text(m_language, texts::kSheetCopy));
    copy->setObjectName("copyAction");
    connect(copy, &QAction::triggered, this, &SheetReaderWindow::copySelection);

    move(kLeft, kTop);
    resize(kWidth, kHeight);
    accessibility::apply(this, a11y::readerTexts(m_language));
}

SheetReaderWindow::~SheetReaderWindow() = default;

Notifier& SheetReaderWindow::notifier() {
    if (m_notifier) return *m_notifier;
    if (!m_boxes) m_boxes = std::make_unique<QtNotifier>(this);
    return *m_boxes;
}

void SheetReaderWindow::setSideIcon(const QIcon& icon) {
    setWindowIcon(icon);
}

QFileDialog* SheetReaderWindow::prepareOpenDialog() {
    // A new dialog at every opening: it starts in the texts folder with an empty file name,
    // whatever the user did in the last one (QFileDialog cannot be told to forget a name).
    delete m_openDialog;
    // Owned by the main window when there is one, so that it opens over it even while the
    // reader is hidden.
    QWidget* owner = parentWidget() ? parentWidget() : this;
    m_openDialog =
        new QFileDialog(owner, text(m_language, texts::kSheetOpenTitle), m_textsFolder);
    m_openDialog->setObjectName("openDialog");
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    m_openDialog->setOption(QFileDialog::HideNameFilterDetails);
    m_openDialog->setNameFilter(text(m_language, texts::kSheetOpenFilterName) + " (" +
                                text(m_language, texts::kSheetOpenFilterPatterns) + ")");
    return m_openDialog;
}

bool SheetReaderWindow::openWithDialog() {
    QFileDialog* dialog = prepareOpenDialog();
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        hide();
        return false;
    }
    const QString path = dialog->selectedFiles().constFirst();
    return openFile(path);
}

bool SheetReaderWindow::openFile(const QString& path) {
    const std::string name = QDir::toNativeSeparators(path).toStdString();
    const QFileInfo info(path);
    // Opening a pipe or a device could wait for ever: only plain files (and whatever fails
    // to open, for the system's own message) go further.
    if (info.exists() && !info.isFile() && !info.isDir()) {
        notifier().error(sheets::cannotReadMessage(
            name, tr("Ce n'est pas un fichier ordinaire.").toStdString(), m_language));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        notifier().error(
            sheets::cannotReadMessage(name, file.errorString().toStdString(), m_language));
        return false;
    }
    const qint64 size = file.size();
    if (size > static_cast<qint64>(sheets::kMaxFileBytes)) {
        notifier().error(sheets::tooLargeMessage(name, m_language));
        return false;
    }
    // One byte more than allowed tells a file that grew, or lied about its size.
    const QByteArray bytes = file.read(static_cast<qint64>(sheets::kMaxFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        notifier().error(
            sheets::cannotReadMessage(name, file.errorString().toStdString(), m_language));
        return false;
    }
    sheets::Sheet sheet;
    try {
        sheet = sheets::readSheet(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            static_cast<std::uint64_t>(size));
    } catch (const std::bad_alloc&) {
        notifier().error(sheets::cannotReadMessage(name, tr("Mémoire insuffisante.").toStdString(),
                                                    m_language));
        return false;
    }
    if (sheet.kind == sheets::Sheet::Kind::TooLarge) {
        notifier().error(sheets::tooLargeMessage(name, m_language));
        return false;
    }
    // Filled apart from the view, which would otherwise lay the text out again at each
    // insertion, then put in place of the former text.
    auto* document = new QTextDocument(this);
    document->setDefaultFont(m_text->font());
    showSheet(*document, sheet);
    document->setModified(false);
    // The editor deletes the document it made itself; the ones made here are deleted here.
    const QPointer<QTextDocument> former = m_text->document();
    m_text->setDocument(document);
    if (former && former->parent() == this) delete former;
    m_text->moveCursor(QTextCursor::Start);
    m_fileName = path;
    show();
    raise();
    if (sheet.truncated) notifier().inform(sheets::truncatedMessage(name, m_language));
    return true;
}

QString SheetReaderWindow::jobTitle() const {
    const QString first = m_text->document()->firstBlock().text();
    return QString::fromStdString(sheets::firstLine(first.toStdString()));
}

void SheetReaderWindow::printTo(QPrinter& printer) {
    printer.setDocName(jobTitle());
    m_text->document()->print(&printer);
}

void SheetReaderWindow::printText() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

void SheetReaderWindow::copySelection() {
    m_text->copy();
}

} // namespace titralab
