#include "ui/windows/PrintDialog.h"
#include "ui/qt/Utf8Text.h"

#include "core/base/Notifier.h"
#include "core/session/PrintedPage.h"
#include "core/session/Simulation.h"
#include "core/page/PrintedPage.h"
#include "core/session/WindowDescriptions.h"
#include "core/texts/PageTexts.h"
#include "ui/qt/Accessibility.h"
#include "ui/qt/Icons.h"
#include "ui/qt/PdfPage.h"
#include "ui/qt/PrinterCanvas.h"
#include "ui/qt/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <tuple>

namespace titralab {

namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The message of a page that could not be printed, with the reason.
std::string printFailure(const QString& reason) {
    return (QCoreApplication::translate("titralab::PrintDialog",
                                        "Impossible d'imprimer la page : ") +
            reason)
        .toStdString();
}

// The page on the printer itself.
PrintOutcome printOnPrinter(const Simulation& sim, const PrintSettings& settings, QPrinter& printer,
                            Notifier& notifier) {
    PrinterCanvas canvas(&printer);
    try {
        PrintPage(sim, settings, canvas);
    } catch (const std::exception& e) {
        notifier.error(printFailure(QString::fromUtf8(e.what())));
        return PrintOutcome::Failed;
    }
    if (!canvas.error().isEmpty()) {
        notifier.error(printFailure(canvas.error()));
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

} // namespace

std::unique_ptr<QPrinter> makePagePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty() ||
        printer->outputFormat() != QPrinter::NativeFormat) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setResolution(kPdfResolution);
        printer->setPageLayout(defaultPdfPageLayout());
    }
    return printer;
}

PrintOutcome printSimulationPage(const Simulation& sim, const PrintSettings& settings,
                                 QPrinter& printer, Notifier& notifier,
                                 const std::function<QString()>& choosePdfFile) {
    if (printer.outputFormat() == QPrinter::NativeFormat)
        return printOnPrinter(sim, settings, printer, notifier);

    QString path = printer.outputFileName();
    if (path.isEmpty() && choosePdfFile) path = choosePdfFile();
    if (path.isEmpty()) return PrintOutcome::Cancelled;
    const WholeFileResult written =
        writePdfPage(sim, settings, path.toStdString(), printer.pageLayout(), kPdfResolution);
    if (!written.ok()) {
        notifier.error(written.error);
        return PrintOutcome::Failed;
    }
    if (!written.notice.empty()) notifier.inform(written.notice);
    return PrintOutcome::Printed;
}

PrintDialog::PrintDialog(const Simulation& sim, Notifier& notifier, QWidget* parent)
    : QDialog(parent), m_sim(sim), m_notifier(notifier), m_printer(makePagePrinter()) {
    setObjectName("printDialog");
    // Modal to the windows it was opened over only: the point-style chooser and the help,
    // windows of their own, stay usable beside it.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Imprimer une courbe"));
    // A single-line border with the system menu only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::MSWindowsFixedSizeDialogHint);
    setProperty("helpContext", kHelpTopic);
    m_lastPdfFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(m_lastPdfFolder).exists()) m_lastPdfFolder = QDir::homePath();
    buildControls();
    buildMenu();

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (m_help) m_help(kHelpTopic);
    });

    // Fixed size: the client area of 282 x 404 under the menu, or what the controls need when
    // the system's font is larger.
    const QSize needed = sizeHint();
    setFixedSize(std::max(282, needed.width()),
                 std::max(404 + m_menu->sizeHint().height(), needed.height()));
    accessibility::apply(this, a11y::printDialogTexts(m_sim.language));
}

PrintDialog::~PrintDialog() = default;

void PrintDialog::buildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 4, 6, 0);
    outer->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    outer->addLayout(top);
    top->addLayout(buildSettingsColumn(), 1);
    top->addLayout(buildPrinterColumn());
    buildComments(outer);
}

QPushButton* PrintDialog::addButton(QBoxLayout* layout, const char* name, const QString& caption,
                                    void (PrintDialog::*handler)()) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, handler);
    layout->addWidget(b);
    return b;
}

// Left: the number fields with their labels, the check boxes, the buttons.
QBoxLayout* PrintDialog::buildSettingsColumn() {
    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(5);
    fields->setVerticalSpacing(3);
    auto field = [&](int row, const char* name, const std::string& value, const QString& label) {
        auto* edit = new QLineEdit(QString::fromStdString(value), this);
        edit->setObjectName(name);
        edit->setFixedWidth(40);
        auto* caption = new QLabel(label, this);
        caption->setObjectName(
            QString::fromUtf8(name).replace(QStringLiteral("Field"), QStringLiteral("Label")));
        caption->setWordWrap(true);
        caption->setBuddy(edit);
        fields->addWidget(edit, row, 0, Qt::AlignTop);
        fields->addWidget(caption, row, 1);
        return edit;
    };
    const PrintSettings defaults;
    m_lineWidth =
        field(0, "lineWidthField", defaults.lineWidth, tr("épaisseur de trait en 1/100 mm"));
    m_dashLength = field(1, "dashLengthField", defaults.dashLengthMm,
                         tr("Longueur du motif pointillé, en mm"));
    m_charSize = field(2, "charSizeField", defaults.charSize, tr("taille des caractères"));
    m_graduations = field(3, "graduationsField", defaults.approxGraduations,
                          tr("nombre approximatif de graduations"));
    left->addLayout(fields);

    auto box = [&](const char* name, const QString& caption, bool ticked) {
        auto* b = new QCheckBox(caption, this);
        b->setObjectName(name);
        b->setChecked(ticked);
        left->addWidget(b);
        return b;
    };
    m_zoom = box("zoomBox", tr("Zoom x 2 selon Ox"), defaults.zoomX2);
    m_constants = box("constantsBox", tr("Imprimer les constantes"), defaults.printConstants);
    m_colour = box("colourBox", tr("Imprimer en couleur"), defaults.printInColour);
    m_arrows = box("arrowsBox", tr("Axes avec des flèches"), defaults.axisArrows);
    m_grid = box("gridBox", tr("Imprimer quadrillage"), defaults.printGrid);

    left->addSpacing(4);
    addButton(left, "cancelButton", tr("&Annuler"), &PrintDialog::cancel);
    addButton(left, "pointStyleButton", tr("&Choisir tracé points"), &PrintDialog::choosePointStyle);
    addButton(left, "printButton", tr("&Imprimer"), &PrintDialog::printAndClose)->setDefault(true);
    left->addStretch(1);

    return left;
}

QBoxLayout* PrintDialog::buildPrinterColumn() {
    const PrintSettings defaults;
    // Right: the picture, the printer set-up above the format choice, the preview.
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    m_picture = new QLabel(this);
    m_picture->setObjectName("picture");
    m_picture->setPixmap(icons::tool(icons::Tool::Print).pixmap(32, 32));
    right->addWidget(m_picture, 0, Qt::AlignHCenter);
    right->addStretch(1);
    addButton(right, "printerPropertiesButton", tr("Pr&opriétés imprimante"),
           &PrintDialog::showPrinterProperties);
    m_format = new RadioGroup(this);
    m_format->setObjectName("pageFormatChoice");
    QStringList formats;
    for (PageFormat f : {PageFormat::QuarterPage, PageFormat::HalfPage, PageFormat::Optimised})
        formats << utf8(pageFormatCaption(f, m_sim.language));
    m_format->setItems(formats);
    m_format->setSelected(static_cast<int>(defaults.format));
    m_format->setToolTip(text(m_sim.language, texts::kPageFormatHint));
    right->addWidget(m_format);
    addButton(right, "previewButton", tr("Aperç&u"), &PrintDialog::showPreview);
    right->addStretch(2);

    return right;
}

void PrintDialog::buildComments(QBoxLayout* outer) {
    // Bottom: the comments and the status bar.
    auto* commentLabel = new QLabel(tr("Commentaires ajoutés :"), this);
    commentLabel->setObjectName("commentsLabel");
    commentLabel->setStyleSheet("QLabel { background-color: yellow; }");
    commentLabel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    outer->addWidget(commentLabel);
    m_comment1 = new QLineEdit(this);
    m_comment1->setObjectName("comment1Field");
    outer->addWidget(m_comment1);
    m_comment2 = new QLineEdit(this);
    m_comment2->setObjectName("comment2Field");
    outer->addWidget(m_comment2);
    commentLabel->setBuddy(m_comment1);

    m_status = new QStatusBar(this);
    m_status->setObjectName("statusBar");
    m_status->setSizeGripEnabled(false);
    outer->addWidget(m_status);
}

void PrintDialog::buildMenu() {
    m_menu = new QMenuBar(this);
    m_menu->setObjectName("menuBar");
    layout()->setMenuBar(m_menu);
    QMenu* file = m_menu->addMenu(tr("&Fichier"));
    file->setObjectName("fileMenu");
    auto item = [&](const char* name, const QString& caption, QKeySequence keys, auto handler) {
        QAction* a = file->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    item("printerPropertiesAction", tr("Pr&opriétés imprimante"), {},
         &PrintDialog::showPrinterProperties);
    item("printAction", tr("&Imprimer"), QKeySequence(Qt::CTRL | Qt::Key_P),
         &PrintDialog::printAndClose);
    item("previewAction", tr("Aperç&u avant impression"), {}, &PrintDialog::showPreview);
    file->addSeparator();
    item("cancelAction", tr("&Annuler"), QKeySequence(Qt::CTRL | Qt::Key_Z), &PrintDialog::cancel);
}

QString PrintDialog::lineWidthText() const {
    return m_lineWidth->text();
}

void PrintDialog::setLineWidthText(const QString& text) {
    m_lineWidth->setText(text);
}

PrintSettings PrintDialog::settings() const {
    PrintSettings s;
    s.lineWidth = m_lineWidth->text().toStdString();
    s.dashLengthMm = m_dashLength->text().toStdString();
    s.charSize = m_charSize->text().toStdString();
    s.approxGraduations = m_graduations->text().toStdString();
    s.zoomX2 = m_zoom->isChecked();
    s.printConstants = m_constants->isChecked();
    s.printInColour = m_colour->isChecked();
    s.axisArrows = m_arrows->isChecked();
    s.printGrid = m_grid->isChecked();
    const int format = m_format->selected();
    s.format = format >= 0 && format <= 2 ? static_cast<PageFormat>(format) : PageFormat::Optimised;
    s.comment1 = m_comment1->text().toStdString();
    s.comment2 = m_comment2->text().toStdString();
    return s;
}

void PrintDialog::setSettings(const PrintSettings& s) {
    m_lineWidth->setText(QString::fromStdString(s.lineWidth));
    m_dashLength->setText(QString::fromStdString(s.dashLengthMm));
    m_charSize->setText(QString::fromStdString(s.charSize));
    m_graduations->setText(QString::fromStdString(s.approxGraduations));
    m_zoom->setChecked(s.zoomX2);
    m_constants->setChecked(s.printConstants);
    m_colour->setChecked(s.printInColour);
    m_arrows->setChecked(s.axisArrows);
    m_grid->setChecked(s.printGrid);
    m_format->setSelected(static_cast<int>(s.format));
    m_comment1->setText(QString::fromStdString(s.comment1));
    m_comment2->setText(QString::fromStdString(s.comment2));
}

void PrintDialog::prepare() {
    if (m_lineWidthLink.read) setLineWidthText(m_lineWidthLink.read());
}

int PrintDialog::showModal() {
    prepare();
    return exec();
}

void PrintDialog::showEvent(QShowEvent* event) {
    prepare();
    m_shownSettings = settings();
    QDialog::showEvent(event);
}

void PrintDialog::hideEvent(QHideEvent* event) {
    // Every way out (print, cancel, the system menu) hands the line width back.
    if (m_lineWidthLink.write) m_lineWidthLink.write(lineWidthText());
    // The settings are saved with the study: a change of them changes the study.
    auto fields = [](const PrintSettings& s) {
        return std::tie(s.lineWidth, s.dashLengthMm, s.charSize, s.approxGraduations, s.zoomX2,
                        s.printConstants, s.printInColour, s.axisArrows, s.printGrid, s.format,
                        s.comment1, s.comment2);
    };
    if (fields(settings()) != fields(m_shownSettings)) emit settingsEdited();
    QDialog::hideEvent(event);
}

QString PrintDialog::choosePdfFileDefault() {
    const QString proposed = QDir(m_lastPdfFolder).filePath(tr("pH et concentrations.pdf"));
    QString path = QFileDialog::getSaveFileName(this, tr("Imprimer dans un fichier PDF"), proposed,
                                                tr("Documents PDF (*.pdf)"));
    if (path.isEmpty()) return path;
    if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
    m_lastPdfFolder = QFileInfo(path).absolutePath();
    return path;
}

PrintOutcome PrintDialog::printPage() {
    const std::function<QString()> choose =
        m_choosePdf ? m_choosePdf : [this] { return choosePdfFileDefault(); };
    return printSimulationPage(m_sim, settings(), *m_printer, m_notifier, choose);
}

void PrintDialog::printAndClose() {
    // The page is produced while the dialog is still up; it closes once the page is done, or
    // after a failure (nothing is retried). Cancelling the file choice leaves it open.
    if (printPage() == PrintOutcome::Cancelled) return;
    accept();
}

void PrintDialog::cancel() {
    reject();
}

std::unique_ptr<QPrintDialog> PrintDialog::preparePrinterSetup() {
    auto setup = std::make_unique<QPrintDialog>(m_printer.get(), this);
    setup->setWindowTitle(tr("Propriétés imprimante"));
    // One page, one copy: only the printer, the paper and the orientation matter.
    setup->setOptions(QAbstractPrintDialog::PrintToFile);
    return setup;
}

void PrintDialog::showPrinterProperties() {
    // What the user chooses stays in the printer and serves the next page.
    preparePrinterSetup()->exec();
}

void PrintDialog::choosePointStyle() {
    if (m_pointStyle) m_pointStyle();
}

std::unique_ptr<QPrintPreviewDialog> PrintDialog::preparePreview() {
    auto preview = std::make_unique<QPrintPreviewDialog>(m_printer.get(), this);
    preview->setWindowTitle(tr("Aperçu avant impression"));
    connect(preview.get(), &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        PrinterCanvas canvas(printer);
        try {
            PrintPage(m_sim, settings(), canvas);
        } catch (const std::exception& e) {
            m_notifier.error(printFailure(QString::fromUtf8(e.what())));
        }
    });
    return preview;
}

void PrintDialog::showPreview() {
    preparePreview()->exec();
}

} // namespace titralab
