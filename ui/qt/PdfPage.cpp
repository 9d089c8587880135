#include "ui/qt/PdfPage.h"

#include "core/page/PrintedPage.h"
#include "ui/qt/PrinterCanvas.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <exception>

namespace titralab {

QPageLayout defaultPdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

std::string writePdfPage(const Simulation& sim, const PrintSettings& settings,
                         const std::string& path, const QPageLayout& layout, int dpi) {
    const QString fileName = QString::fromStdString(path);
    const std::string cannotWrite =
        (QCoreApplication::translate("titralab::PdfPage", "Impossible d'écrire le fichier ") +
         fileName)
            .toStdString();
    // Written beside the target and renamed over it once complete: a failure leaves any
    // earlier file as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return cannotWrite;

    std::string failure;
    {
        QPdfWriter writer(&file);
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
    if (!failure.empty()) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) return cannotWrite;
    return {};
}

} // namespace titralab
