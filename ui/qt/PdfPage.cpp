#include "ui/qt/PdfPage.h"

#include "core/session/PrintedPage.h"
#include "core/session/Simulation.h"
#include "core/system/WholeFile.h"
#include "core/texts/FileTexts.h"
#include "ui/qt/PrinterCanvas.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <exception>

namespace titralab {

QPageLayout defaultPdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

WholeFileResult writePdfPage(const Simulation& sim, const PrintSettings& settings,
                             const std::string& path, const QPageLayout& layout, int dpi) {
    const QString fileName = QString::fromStdString(path);
    const std::string cannotWrite =
        (QCoreApplication::translate("titralab::PdfPage", "Impossible d'écrire le fichier ") +
         fileName)
            .toStdString();
    // The page is made in memory, then written whole: a failure leaves any earlier file as
    // it was.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::string failure;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(dpi);
        writer.setPageLayout(layout);
        PrinterCanvas canvas(&writer);
        try {
            PrintPage(sim, settings, canvas);
        } catch (const std::exception& e) {
            failure = (QCoreApplication::translate("titralab::PdfPage",
                                                   "Impossible d'imprimer la page : ") +
                       QString::fromUtf8(e.what()))
                          .toStdString();
        }
        if (failure.empty() && !canvas.error().isEmpty())
            failure = QCoreApplication::translate("titralab::PdfPage", "%1 : %2")
                          .arg(QString::fromStdString(cannotWrite), canvas.error())
                          .toStdString();
    }
    if (!failure.empty()) return {failure, {}};
    const QByteArray& bytes = buffer.data();
    WholeFileResult written = writeWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        sim.language);
    if (!written.ok()) written.error = texts::cannotWriteFile(path, written.error, sim.language);
    return written;
}

} // namespace titralab
