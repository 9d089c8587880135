#include "ui/windows/CopyDialog.h"
#include "ui/qt/Utf8Text.h"

#include "core/session/StudyEdits.h"
#include "core/base/Notifier.h"
#include "core/session/CopyExport.h"
#include "core/session/Refresh.h"
#include "core/session/Simulation.h"
#include "core/curves/Curves.h"
#include "core/session/WindowDescriptions.h"
#include "core/texts/CopyTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Clipboard.h"
#include "ui/qt/RadioGroup.h"
#include "ui/windows/GraphWindow.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace titralab {

namespace {

constexpr int kPictureSize = 32; // pixels

} // namespace

CopyDialog::CopyDialog(Simulation& sim, Notifier& notifier, std::string valuesFolder,
                       QWidget* parent)
    : QDialog(parent), m_sim(sim), m_notifier(notifier), m_valuesFolder(std::move(valuesFolder)) {
    setObjectName("CopyDialog");
    // Modal to the windows it was opened over only: the point-style chooser and the help,
    // windows of their own, stay usable beside it.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Copier la simulation, fichier et presse-papiers"));

    m_menu = new QMenuBar(this);
    QMenu* edit = m_menu->addMenu(tr("&Edition"));
    QAction* copy = edit->addAction(tr("&Copier"));
    copy->setObjectName("copyAction");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &CopyDialog::copyAndClose);
    QAction* cancel = edit->addAction(tr("&Annuler"));
    cancel->setObjectName("cancelAction");
    cancel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(cancel, &QAction::triggered, this, &CopyDialog::cancel);

    m_picture = new QLabel(this);
    m_picture->setObjectName("picture");
    m_picture->setFixedSize(kPictureSize, kPictureSize);

    m_rule = new QLabel(text(m_sim.language, texts::kSamplingRule), this);
    m_rule->setObjectName("samplingRule");
    m_rule->setWordWrap(true);
    m_rule->setAutoFillBackground(true);
    m_rule->setMargin(4);
    QPalette rulePalette = m_rule->palette();
    rulePalette.setColor(QPalette::WindowText, Qt::yellow);
    rulePalette.setColor(QPalette::Window, QColor(0, 0, 128));
    m_rule->setPalette(rulePalette);

    m_pointsLabel = new QLabel(tr("Nombre de &points souhaité :"), this);
    m_pointsLabel->setObjectName("pointCountLabel");
    m_points = new QLineEdit(QStringLiteral("100"), this);
    m_points->setObjectName("pointCountField");
    m_points->setMaxLength(64);
    m_points->setFixedWidth(60);
    m_pointsLabel->setBuddy(m_points);
    connect(m_points, &QLineEdit::editingFinished, this, &CopyDialog::applyPointCount);

    m_sampling = new RadioGroup(this);
    m_sampling->setObjectName("samplingChoice");
    connect(m_sampling, &RadioGroup::itemClicked, this, &CopyDialog::chooseSampling);

    m_copy = new QPushButton(tr("&Copier"), this);
    m_copy->setObjectName("copyButton");
    m_cancel = new QPushButton(tr("&Annuler"), this);
    m_cancel->setObjectName("cancelButton");
    for (QPushButton* b : {m_copy, m_cancel}) b->setAutoDefault(false);
    connect(m_copy, &QPushButton::clicked, this, &CopyDialog::copyAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &CopyDialog::cancel);

    auto* top = new QHBoxLayout;
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addWidget(m_rule, 1);
    auto* points = new QHBoxLayout;
    points->addWidget(m_pointsLabel);
    points->addWidget(m_points);
    points->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menu);
    layout->addLayout(top);
    layout->addLayout(points);
    layout->addWidget(m_sampling);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(380, 300);
    accessibility::apply(this, a11y::copyDialogTexts(m_sim.panel.study, m_sim.language));
}

void CopyDialog::setSideIcon(const QIcon& icon) {
    setWindowIcon(icon);
    m_picture->setPixmap(icon.pixmap(kPictureSize, kPictureSize));
}

void CopyDialog::prepare() {
    const CopyChoices choices = copyChoicesFor(m_sim.panel.study, m_sim.language, m_sim.panel.side);
    m_sampling->setTitle(QString::fromStdString(choices.caption));
    QStringList items;
    for (const std::string& item : choices.items) items << QString::fromStdString(item);
    m_sampling->setItems(items);
    m_sampling->setHidden(!choices.visible);
    if (!items.isEmpty()) m_sampling->setSelected(0);
    m_sim.exportSettings.copySampling = CopySampling::ByPH;
    m_points->setText(QString::fromStdString(m_sim.panel.pointCount));

    // The refilled items come last in the tab chain: put them back between the number of
    // points and the buttons, and name them for the study.
    QWidget* previous = m_points;
    for (QRadioButton* item : m_sampling->findChildren<QRadioButton*>()) {
        setTabOrder(previous, item);
        previous = item;
    }
    setTabOrder(previous, m_copy);
    setTabOrder(m_copy, m_cancel);
    accessibility::apply(this, a11y::copyDialogTexts(m_sim.panel.study, m_sim.language));
}

int CopyDialog::showModal() {
    // Nothing to copy before a study is chosen: the message, and no dialog.
    if (m_sim.panel.study == Study::None) {
        m_notifier.inform(texts::copyNeedsStudy(m_sim.language));
        return QDialog::Rejected;
    }
    prepare();
    return exec();
}

void CopyDialog::chooseSampling(int index) {
    const CopySampling chosen = index == 0 ? CopySampling::ByPH : CopySampling::ByVolume;
    setStudyInput(m_sim, m_sim.exportSettings.copySampling, chosen);
}

void CopyDialog::applyPointCount() {
    // The count typed here is the one the copy uses, after the graph window's check; the
    // result is written back into both boxes.
    setPointCountText(m_sim, m_points->text().toStdString());
    ValidatePointCount(m_sim, m_notifier);
    m_points->setText(QString::fromStdString(m_sim.panel.pointCount));
    if (m_graph) m_graph->showPointCount();
}

void CopyDialog::copyAndClose() {
    // The menu's Ctrl+C leaves the field without its editing being finished.
    if (m_points->text().toStdString() != m_sim.panel.pointCount) applyPointCount();
    accept();
    copySimulation();
}

void CopyDialog::cancel() {
    reject();
}

bool CopyDialog::copySimulation() {
    const CopyOutcome outcome = titralab::CopySimulation(m_sim, m_notifier, m_valuesFolder);
    if (!outcome.ok) return false; // the clipboard and the published table stay as they were
    if (m_graph) {
        m_graph->publish(outcome.clipboardText);
        m_graph->applySimulation(); // the copy regenerated the curves
    }
    clipboard::putTable(outcome.clipboardText);
    // Where the files went, on the status line of the main window the dialog belongs to.
    if (auto* main = qobject_cast<QMainWindow*>(parentWidget()))
        main->statusBar()->showMessage(utf8(outcome.status));
    return true;
}

} // namespace titralab
