// The main window's study files and fit: "Ouvrir", "Enregistrer", "Enregistrer sous…", the
// recent studies, the examples, the title bar's unsaved-changes mark, leaving with unsaved
// changes, and "Ajuster aux points collés…".
#include "core/base/Notifier.h"
#include "core/curves/Curves.h"
#include "core/curves/Fit.h"
#include "core/session/Fit.h"
#include "core/session/FreeFit.h"
#include "core/session/Refresh.h"
#include "core/session/StudyEdits.h"
#include "core/session/StudyFile.h"
#include "core/texts/ExerciseTexts.h"
#include "core/texts/MeasurementTexts.h"
#include "core/texts/StudyTexts.h"
#include "ui/qt/SettingsStore.h"
#include "ui/qt/Utf8Text.h"
#include "ui/windows/DatabaseDock.h"
#include "ui/windows/FitDialog.h"
#include "ui/windows/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>

#include <exception>

namespace titralab {

namespace {

constexpr const char* kRecentKey = "etudesRecentes";

// The shipped examples, in the data folder's "Etudes" (the English ones in its "en").
struct Example {
    const char* name;
    const char* file;
};
constexpr Example kExamples[] = {
    {"ExempleAcetique", "acide-ethanoique-mesures.titralab"},
    {"ExemplePhosphorique", "acide-phosphorique-especes.titralab"},
    {"ExempleDeuxMonoacides", "deux-monoacides.titralab"},
};

} // namespace

void MainWindow::buildStudyMenus(QMenu* file, QMenu* edit, QMenu* help) {
    const Language lang = m_sim.language;
    QAction* first = file->actions().value(0);
    auto add = [this](QMenu* menu, QAction* before, const char* name, const QString& caption,
                      const QKeySequence& keys, auto handler) {
        auto* action = new QAction(caption, menu);
        action->setObjectName(name);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        menu->insertAction(before, action);
        return action;
    };
    add(file, first, "openStudyAction", text(lang, texts::kOpenStudy),
        QKeySequence(Qt::CTRL | Qt::Key_O), [this] { chooseAndOpenStudy(); });
    add(file, first, "saveStudyAction", text(lang, texts::kSaveStudy),
        QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveStudy(); });
    add(file, first, "saveStudyAsAction", text(lang, texts::kSaveStudyAs),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveStudyAs(); });
    m_recentMenu = new QMenu(text(lang, texts::kRecentStudies), file);
    m_recentMenu->setObjectName("recentStudiesMenu");
    file->insertMenu(first, m_recentMenu);
    file->insertSeparator(first);
    add(file, first, "importMeasurementsAction", text(lang, texts::kImportMenu),
        QKeySequence(Qt::CTRL | Qt::Key_I), [this] { chooseAndImportMeasurements(); });
    add(file, first, "markAnswersAction", text(lang, texts::kMarkAnswersMenu), QKeySequence(),
        [this] { markAnswers(); });
    file->insertSeparator(first);

    edit->addSeparator();
    add(edit, nullptr, "fitAction", text(lang, texts::kFitMenu), QKeySequence(),
        [this] { fitToPastedPoints(); });

    auto* examples = new QMenu(text(lang, texts::kExampleStudies), help);
    examples->setObjectName("examplesMenu");
    const QString captions[] = {text(lang, texts::kExampleAcetic),
                                text(lang, texts::kExamplePhosphoric),
                                text(lang, texts::kExampleTwoMonoacids)};
    for (int k = 0; k < 3; ++k) {
        QAction* a = examples->addAction(captions[k]);
        a->setObjectName(kExamples[k].name);
        const QString path =
            QString::fromStdString(examplesFolder(m_paths, lang)) + "/" + kExamples[k].file;
        connect(a, &QAction::triggered, this, [this, path] {
            if (confirmLeavingStudy()) openStudy(path);
        });
    }
    QAction* precision = findChild<QAction*>("precisionHelpAction");
    const QList<QAction*> helpActions = help->actions();
    const int at = helpActions.indexOf(precision);
    help->insertMenu(helpActions.value(at + 1), examples);

    const QSettings settings(SettingsStore::kOrganisation, QCoreApplication::applicationName());
    for (const QString& path : settings.value(kRecentKey).toStringList())
        if (m_recent.size() < kRecentStudyCount) m_recent.push_back(path.toStdString());
    fillRecentMenu();
}

bool MainWindow::studyModified() const {
    return m_sim.changes.unsaved;
}

QStringList MainWindow::recentStudies() const {
    QStringList list;
    for (const std::string& p : m_recent) list << QString::fromStdString(p);
    return list;
}

void MainWindow::refreshStudyTitle() {
    const QString title = QString::fromStdString(
        studyWindowTitle(m_caption, m_studyPath, studyModified(), m_sim.language));
    if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::rememberStudy(const std::string& path) {
    m_studyPath = path;
    m_recent = withRecent(m_recent, path);
    QSettings settings(SettingsStore::kOrganisation, QCoreApplication::applicationName());
    settings.setValue(kRecentKey, recentStudies());
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    m_recentMenu->clear();
    if (m_recent.empty()) {
        m_recentMenu->addAction(text(m_sim.language, texts::kNoRecentStudy))->setEnabled(false);
        return;
    }
    int number = 1;
    for (const std::string& p : m_recent) {
        const QString path = QString::fromStdString(p);
        QAction* a = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(number++).arg(QFileInfo(path).fileName()));
        a->setToolTip(path);
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (confirmLeavingStudy()) openStudy(path);
        });
    }
}

bool MainWindow::openStudy(const QString& path) {
    const StudyOpening opening = openStudyFile(path.toStdString(), m_sim.language);
    if (!opening.record) {
        notifier().error(opening.error);
        return false;
    }
    applyStudy(*opening.record, m_sim, m_view);
    if (m_links.setPrintSettings) m_links.setPrintSettings(opening.record->print);
    m_databaseDock->forgetShownEntry(); // the opened study's name, not the last one's
    applyView();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    rememberStudy(absolute.toStdString());
    showExercise(*opening.record, absolute.toStdString());
    m_sim.changes.unsaved = false;
    refreshStudyTitle();
    if (m_links.studyChanged) m_links.studyChanged();
    emit panelEdited();
    if (!opening.notice.empty()) notifier().inform(opening.notice);
    return true;
}

bool MainWindow::saveStudyTo(const QString& path) {
    QString target = path;
    if (!target.endsWith(QString::fromUtf8(kStudyExtension), Qt::CaseInsensitive))
        target += QString::fromUtf8(kStudyExtension);
    const PrintSettings print = m_links.printSettings ? m_links.printSettings() : PrintSettings{};
    const StudyRecord record = captureStudy(m_sim, m_view, print);
    const std::string failure = saveStudyFile(target.toStdString(), record, m_sim.language);
    if (!failure.empty()) {
        notifier().error(failure);
        return false;
    }
    rememberStudy(QFileInfo(target).absoluteFilePath().toStdString());
    m_sim.changes.unsaved = false;
    refreshStudyTitle();
    return true;
}

bool MainWindow::saveStudy() {
    if (m_studyPath.empty()) return saveStudyAs();
    return saveStudyTo(QString::fromStdString(m_studyPath));
}

bool MainWindow::saveStudyAs() {
    QString path;
    if (m_chooseFile) {
        path = m_chooseFile(true);
    } else {
        const QString start =
            m_studyPath.empty() ? QDir::homePath() : QString::fromStdString(m_studyPath);
        path = QFileDialog::getSaveFileName(this, text(m_sim.language, texts::kSaveStudyTitle),
                                            start, text(m_sim.language, texts::kStudyFilter));
    }
    if (path.isEmpty()) return false;
    return saveStudyTo(path);
}

void MainWindow::chooseAndOpenStudy() {
    if (!confirmLeavingStudy()) return;
    QString path;
    if (m_chooseFile) {
        path = m_chooseFile(false);
    } else {
        const QString start = m_studyPath.empty()
                                  ? QDir::homePath()
                                  : QFileInfo(QString::fromStdString(m_studyPath)).absolutePath();
        path = QFileDialog::getOpenFileName(this, text(m_sim.language, texts::kOpenStudyTitle),
                                            start, text(m_sim.language, texts::kStudyFilter));
    }
    if (!path.isEmpty()) openStudy(path);
}

bool MainWindow::confirmLeavingStudy() {
    if (!studyModified()) return true;
    UnsavedAnswer answer = UnsavedAnswer::Cancel;
    if (m_askUnsaved) {
        answer = m_askUnsaved();
    } else {
        QMessageBox box(QMessageBox::Question, text(m_sim.language, texts::kUnsavedTitle),
                        text(m_sim.language, texts::kUnsavedQuestion),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Save);
        const int chosen = box.exec();
        answer = chosen == QMessageBox::Save      ? UnsavedAnswer::Save
                 : chosen == QMessageBox::Discard ? UnsavedAnswer::Discard
                                                  : UnsavedAnswer::Cancel;
    }
    switch (answer) {
    case UnsavedAnswer::Save:
        return saveStudy();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        return false;
    }
    return false;
}

void MainWindow::fitToPastedPoints() {
    // The fit reads the fields itself, and the points in their own unit.
    RecordingNotifier quiet;
    try {
        RefreshSimulation(m_sim, quiet);
    } catch (const std::exception&) {
    }
    const bool freeStudy = m_sim.panel.study == Study::FreeSolutions;
    if (freeStudy ? freeRowValues(m_sim).empty() : fittableValues(m_sim).empty()) {
        notifier().inform(text(m_sim.language, texts::kFitNotTitration).toStdString());
        return;
    }
    if (fitPointsOf(m_sim).points.empty()) {
        notifier().inform(text(m_sim.language, texts::kFitNoPoints).toStdString());
        return;
    }
    FitDialog dialog(m_sim, this);
    dialog.prepare();
    if (dialog.exec() != QDialog::Accepted) return;
    if (freeStudy)
        applyFreeFit(m_sim, dialog.freeResult(), dialog.volumesInMillilitres());
    else
        applyFit(m_sim, dialog.result(), dialog.volumesInMillilitres());
    applyView();
    if (m_links.studyChanged) m_links.studyChanged();
    emit panelEdited();
}

} // namespace titralab
