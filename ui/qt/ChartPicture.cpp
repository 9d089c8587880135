#include "ui/qt/ChartPicture.h"

#include "core/page/PointStyles.h"
#include "core/session/ChartScales.h"
#include "core/session/Simulation.h"
#include "core/texts/FileTexts.h"
#include "ui/qt/ChartOverlays.h"
#include "ui/qt/ChartView.h"

#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QPainter>
#include <QSvgGenerator>

namespace titralab {

namespace {

QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Larger pictures than this are refused: about 64 megapixels.
constexpr int kMaxWidth = 10000;

std::string cannotWrite(const QString& path) {
    return (QCoreApplication::translate("titralab::ChartPicture",
                                        "Impossible d'écrire le fichier ") +
            path)
        .toStdString();
}

// A legend shown or hidden just now is laid out by a posted request: the picture waits for it.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents();
}

} // namespace

QImage chartImage(QChartView& view, int width) {
    settle();
    const QRect source = view.viewport()->rect();
    if (source.isEmpty()) return {};
    const int w = width > 0 ? std::min(width, kMaxWidth) : source.width();
    const int h =
        std::max(1, static_cast<int>(std::lround(double(w) * source.height() / source.width())));
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    view.render(&p, QRectF(0, 0, w, h), source);
    return image;
}

namespace {

WholeFileResult writeBytes(const QString& path, const QByteArray& bytes, Language language) {
    const std::string name = path.toStdString();
    WholeFileResult written = writeWholeFile(
        name, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
        language);
    if (!written.ok()) written.error = texts::cannotWriteFile(name, written.error, language);
    return written;
}

} // namespace

WholeFileResult writeChartPng(QChartView& view, const QString& path, int width, Language language) {
    const QImage image = chartImage(view, width);
    if (image.isNull()) return {cannotWrite(path), {}};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {cannotWrite(path), {}};
    return writeBytes(path, buffer.data(), language);
}

WholeFileResult writeChartSvg(QChartView& view, const QString& path, Language language) {
    settle();
    const QRect source = view.viewport()->rect();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(source.size());
        svg.setViewBox(QRect(QPoint(0, 0), source.size()));
        svg.setTitle(view.chart() ? view.chart()->title() : QString());
        QPainter p(&svg);
        p.setRenderHint(QPainter::Antialiasing);
        view.render(&p, QRectF(QPointF(0, 0), source.size()), source);
    }
    return writeBytes(path, buffer.data(), language);
}

void drawSimulation(ChartView& chart, const Simulation& sim) {
    const PlotSetup& plot = sim.results.plot;
    chart.setTitles(utf8(plot.chartTitle), utf8(plot.leftTitle), utf8(plot.bottomTitle));
    chart.setLeftAxis(plot.leftAxisAutomatic, plot.leftMin, plot.leftMax);
    for (int k = 1; k <= ChartView::kSeriesCount; ++k) {
        const Series& series = sim.results.curves[k];
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(series.size()));
        for (const CurvePoint& p : series) points.append(QPointF(p.x, p.y));
        chart.setPoints(k, points);
    }
    ChartOverlays::of(&chart)->show(sim);
    chart.rescale();
    chart.setSideScale(sideScaleOf(sim));
    chart.setMarker(screenMarkerFor(sim.pasted.pointStyle));
}

WholeFileResult writeSimulationPicture(const Simulation& sim, const std::string& path, bool svg,
                                       int pngWidth, int width, int height) {
    ChartView chart;
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.resize(width, height);
    drawSimulation(chart, sim);
    chart.show(); // laid out at its size, on no screen
    QCoreApplication::processEvents();
    const QString file = QString::fromStdString(path);
    return svg ? writeChartSvg(chart, file, sim.language)
               : writeChartPng(chart, file, pngWidth, sim.language);
}

} // namespace titralab
