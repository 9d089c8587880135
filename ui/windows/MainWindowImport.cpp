// The main window's import of measurement files: the File menu's entry and dropped files.
#include "core/base/Notifier.h"
#include "core/session/Measurements.h"
#include "core/sheets/MeasurementFile.h"
#include "core/texts/MeasurementTexts.h"
#include "ui/qt/Utf8Text.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/MeasurementImportDialog.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QStatusBar>

namespace titralab {

void MainWindow::chooseAndImportMeasurements() {
    const QString path =
        m_chooseFile
            ? m_chooseFile(false)
            : QFileDialog::getOpenFileName(this, text(m_sim.language, texts::kImportTitle),
                                           QDir::homePath(),
                                           text(m_sim.language, texts::kMeasurementFilter));
    if (!path.isEmpty()) importMeasurements(path);
}

bool MainWindow::importMeasurements(const QString& path) {
    const Language language = m_sim.language;
    const std::string name = QFileInfo(path).fileName().toStdString();
    QFile file(path);
    // Only an ordinary file is read, and only its first kMaxMeasurementBytes: a device or a
    // pipe would never end.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        notifier().error(
            sheets::refusalText(sheets::MeasurementRefusal::NoReadableLine, name, language));
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(sheets::kMaxMeasurementBytes));
    const sheets::MeasurementRead read =
        sheets::readMeasurements(std::string_view(bytes.constData(), bytes.size()));
    if (read.refusal != sheets::MeasurementRefusal::None) {
        notifier().error(sheets::refusalText(read.refusal, name, language));
        return false;
    }
    MeasurementImportDialog dialog(read.table, language, this);
    const bool accepted =
        m_answerImport ? m_answerImport(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted) return false;
    const sheets::ImportedMeasurements imported = sheets::importMeasurements(
        read.table, dialog.choice(), dialog.volumeUnit(), dialog.conductivityUnit());
    importIntoSimulation(m_sim, imported);
    statusBar()->showMessage(utf8(
        sheets::importSummary(imported, dialog.volumeUnit(), dialog.volumeUnitRead(),
                              dialog.conductivityUnit(), dialog.conductivityUnitRead(), language)));
    // A graph on screen shows the points at once.
    if (m_links.studyChanged) m_links.studyChanged();
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().size() == 1 &&
        event->mimeData()->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    importMeasurements(urls.first().toLocalFile());
}

} // namespace titralab
