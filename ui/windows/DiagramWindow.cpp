#include "ui/windows/DiagramWindow.h"

#include "core/session/Simulation.h"
#include "core/texts/DiagramTexts.h"
#include "core/texts/OverlayTexts.h"
#include "ui/qt/DiagramPainter.h"
#include "ui/qt/Utf8Text.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace titralab {

namespace {

char separatorOf(const Simulation& sim) { return sim.exportSettings.decimalComma ? ',' : '.'; }

QString spoken(QString caption) {
    caption.remove('&');
    if (caption.endsWith(':')) caption.chop(1);
    return caption.trimmed();
}

} // namespace

DiagramCanvas::DiagramCanvas(QWidget* parent) : QWidget(parent) {
    setMinimumSize(560, 420);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramCanvas::show(DiagramView view, char separator) {
    m_view = std::move(view);
    m_separator = separator;
    setAccessibleName(utf8(m_view.title));
    setAccessibleDescription(utf8(m_view.problem.empty() ? m_view.solutionTitle : m_view.problem));
    update();
}

void DiagramCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintDiagram(painter, QRectF(rect()), m_view, m_separator);
}

DiagramWindow::DiagramWindow(Simulation& sim, QWidget* parent) : QDialog(parent), m_sim(sim) {
    setObjectName("DiagramWindow");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_viewLabel = new QLabel(this);
    m_views = new QComboBox(this);
    m_views->setObjectName("diagramViews");
    m_views->addItems({QString(), QString(), QString()});
    m_views->setCurrentIndex(static_cast<int>(DiagramKind::Logarithmic));
    m_viewLabel->setBuddy(m_views);
    m_floorLabel = new QLabel(this);
    m_floor = new QSpinBox(this);
    m_floor->setObjectName("diagramFloor");
    m_floor->setRange(static_cast<int>(kLogFloorLowest), static_cast<int>(kLogFloorHighest));
    m_floor->setValue(-8);
    m_floorLabel->setBuddy(m_floor);
    m_canvas = new DiagramCanvas(this);
    m_canvas->setObjectName("diagramCanvas");
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_status = new QLabel(this);
    m_status->setObjectName("diagramStatus");
    m_copy = new QPushButton(this);
    m_copy->setObjectName("diagramCopyButton");
    m_save = new QPushButton(this);
    m_save->setObjectName("diagramSaveButton");
    m_print = new QPushButton(this);
    m_print->setObjectName("diagramPrintButton");
    m_close = new QPushButton(this);
    m_close->setObjectName("diagramCloseButton");

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_viewLabel);
    choices->addWidget(m_views);
    choices->addSpacing(20);
    choices->addWidget(m_floorLabel);
    choices->addWidget(m_floor);
    choices->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    for (QPushButton* b : {m_copy, m_save, m_print, m_close}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(buttons);

    connect(m_views, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(m_floor, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(m_copy, &QPushButton::clicked, this, [this] { copyPicture(); });
    connect(m_save, &QPushButton::clicked, this, [this] { savePicture(); });
    connect(m_print, &QPushButton::clicked, this, [this] { print(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    setTabOrder(m_views, m_floor);
    setTabOrder(m_floor, m_canvas);
    resize(980, 760);
    refresh();
}

bool DiagramWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) refresh();
    return QDialog::event(event);
}

void DiagramWindow::retranslate() {
    const Language lang = m_sim.language;
    setWindowTitle(spoken(text(lang, texts::kDiagramsWindowTitle)));
    m_viewLabel->setText(text(lang, texts::kDiagramView));
    m_views->setItemText(static_cast<int>(DiagramKind::Concentrations),
                         text(lang, texts::kConcentrationDiagramTitle));
    m_views->setItemText(static_cast<int>(DiagramKind::Logarithmic), text(lang, texts::kLogDiagramTitle));
    m_views->setItemText(static_cast<int>(DiagramKind::BufferCapacity),
                         text(lang, texts::kBufferCapacityTitle));
    m_views->setAccessibleName(spoken(text(lang, texts::kDiagramView)));
    m_floorLabel->setText(text(lang, texts::kDiagramFloor));
    m_floor->setAccessibleName(spoken(text(lang, texts::kDiagramFloor)));
    const std::pair<QPushButton*, Text> buttons[] = {{m_copy, texts::kDiagramCopy},
                                                     {m_save, texts::kDiagramSave},
                                                     {m_print, texts::kDiagramPrint},
                                                     {m_close, texts::kDiagramClose}};
    for (const auto& [button, caption] : buttons) {
        button->setText(text(lang, caption));
        button->setAccessibleName(spoken(text(lang, caption)).remove(QStringLiteral("...")));
    }
}

void DiagramWindow::setKind(DiagramKind kind) { m_views->setCurrentIndex(static_cast<int>(kind)); }

DiagramKind DiagramWindow::kind() const { return static_cast<DiagramKind>(m_views->currentIndex()); }

void DiagramWindow::refresh() {
    retranslate();
    const bool logarithmic = kind() == DiagramKind::Logarithmic;
    m_floor->setEnabled(logarithmic);
    m_floorLabel->setEnabled(logarithmic);
    m_canvas->show(diagramView(m_sim, kind(), m_floor->value()), separatorOf(m_sim));
    const bool drawn = m_canvas->view().problem.empty();
    for (QPushButton* b : {m_copy, m_save, m_print}) b->setEnabled(drawn);
    m_status->setText(drawn ? QString() : utf8(m_canvas->view().problem));
}

void DiagramWindow::copyPicture() {
    QApplication::clipboard()->setImage(diagramImage(view(), separatorOf(m_sim)));
    m_status->setText(text(m_sim.language, texts::kDiagramCopied));
}

void DiagramWindow::savePicture() {
    QString filter;
    QString path = QFileDialog::getSaveFileName(this, text(m_sim.language, texts::kSaveImageTitle),
                                                QString(), text(m_sim.language, texts::kDiagramPictureFilter),
                                                &filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += filter.contains(QStringLiteral("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    const WholeFileResult written =
        writeDiagramPicture(view(), separatorOf(m_sim), path.toStdString(), m_sim.language);
    if (!written.ok()) {
        QMessageBox::warning(this, windowTitle(),
                             text(m_sim.language, texts::kImageNotWritten) + utf8(written.error));
        return;
    }
    m_status->setText(text(m_sim.language, texts::kDiagramSaved) + QFileInfo(path).fileName());
}

void DiagramWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(utf8(view().title));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    // Drawn at a screen-like size, then scaled to the page, so that texts keep their proportion.
    const QSizeF drawn(1000, 1000.0 * page.height() / std::max(1, page.width()));
    painter.scale(page.width() / drawn.width(), page.height() / drawn.height());
    paintDiagram(painter, QRectF(QPointF(0, 0), drawn), view(), separatorOf(m_sim));
}

} // namespace titralab
