// The main window's import of measurement files (the File menu's entry and dropped files) and
// the marking of an exercise's answered files.
#include "core/base/Notifier.h"
#include "core/session/Exercise.h"
#include "core/session/Measurements.h"
#include "core/sheets/MeasurementFile.h"
#include "core/texts/ExerciseTexts.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/StudyTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Utf8Text.h"
#include "ui/windows/ExercisePanel.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/MarksDialog.h"
#include "ui/windows/MeasurementImportDialog.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>

#include <algorithm>

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

void MainWindow::markAnswers() {
    const Language language = m_sim.language;
    const QString keyPath =
        m_chooseMarking
            ? m_chooseMarking(true).value(0)
            : QFileDialog::getOpenFileName(this, text(language, texts::kMarkKeyTitle),
                                           QDir::homePath(), text(language, texts::kMarkKeyFilter));
    if (keyPath.isEmpty()) return;
    const std::string keyName = QFileInfo(keyPath).fileName().toStdString();
    QFile file(keyPath);
    if (!QFileInfo(keyPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        notifier().error(
            texts::cannotReadExercise(keyName, texts::kUnreadable.in(language), language));
        return;
    }
    // Read bounded: a larger file is no key, and the reader says so.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxExerciseFileBytes) + 1);
    const ExerciseKeyReading reading =
        readExerciseKey(std::string_view(bytes.constData(), bytes.size()), language);
    if (!reading.key) {
        notifier().error(texts::cannotReadExercise(keyName, reading.problem, language));
        return;
    }
    const QStringList chosen =
        m_chooseMarking
            ? m_chooseMarking(false)
            : QFileDialog::getOpenFileNames(this, text(language, texts::kMarkFilesTitle),
                                            QFileInfo(keyPath).absolutePath(),
                                            text(language, texts::kMarkFilesFilter));
    // A folder stands for the studies in it.
    std::vector<std::string> paths;
    for (const QString& path : chosen) {
        if (QFileInfo(path).isDir()) {
            const QDir folder(path);
            for (const QString& name :
                 folder.entryList({"*.titralab"}, QDir::Files | QDir::Readable, QDir::Name))
                paths.push_back(folder.filePath(name).toStdString());
        } else {
            paths.push_back(path.toStdString());
        }
    }
    if (paths.empty()) {
        if (!chosen.isEmpty()) notifier().error(texts::kMarksNoFile.in(language));
        return;
    }
    MarksDialog dialog(*reading.key, markExercise(*reading.key, paths, language), language,
                       notifier(), this);
    if (m_answerMarks)
        m_answerMarks(dialog);
    else
        dialog.exec();
}

void MainWindow::showExercise(const StudyRecord& record, const std::string& path) {
    const std::optional<ExerciseSection> exercise = exerciseOf(record);
    // The tools the exercise does not allow are disabled, and say why.
    const bool fitAllowed = !exercise || std::find(exercise->tools.begin(), exercise->tools.end(),
                                                   ExerciseTool::Fit) != exercise->tools.end();
    if (auto* fit = findChild<QAction*>("fitAction")) {
        fit->setEnabled(fitAllowed);
        fit->setToolTip(fitAllowed ? QString()
                                   : text(m_sim.language, texts::kExerciseToolNotAllowed));
    }
    // The values to find cannot be typed over, nor moved with their sliders.
    for (QWidget* w : m_lockedControls) {
        if (auto* field = qobject_cast<QLineEdit*>(w))
            field->setReadOnly(false);
        else
            w->setEnabled(true);
        w->setToolTip(QString());
    }
    m_lockedControls.clear();
    if (exercise)
        for (const std::string& key : exercise->locked) {
            if (key.size() < 2 || key.size() > 3 || key[0] != 'D' ||
                key.find_first_not_of("0123456789", 1) != std::string::npos)
                continue; // a free study's value: its table is not locked here
            const int slot = std::stoi(key.substr(1));
            if (slot < 1 || slot > static_cast<int>(Field::PKa2_3)) continue;
            const Field field = static_cast<Field>(slot);
            if (auto* edit = findChild<QLineEdit*>(accessibility::fieldObjectName(field))) {
                edit->setReadOnly(true);
                m_lockedControls.push_back(edit);
            }
            if (auto* slider = findChild<QWidget*>(accessibility::sliderObjectName(field))) {
                slider->setEnabled(false);
                m_lockedControls.push_back(slider);
            }
        }
    for (QWidget* w : m_lockedControls)
        w->setToolTip(text(m_sim.language, texts::kExerciseFieldLocked));
    if (!exercise) {
        if (m_exercisePanel) m_exercisePanel->hide();
        return;
    }
    if (!m_exercisePanel) {
        m_exercisePanel = new ExercisePanel(m_sim.language, notifier(), this);
        addDockWidget(Qt::LeftDockWidgetArea, m_exercisePanel);
        m_exercisePanel->setSavedSection(
            [this](const std::string& section) { m_sim.keptSections[kExerciseSection] = section; });
    }
    m_exercisePanel->showExercise(*exercise, path);
}

} // namespace titralab
