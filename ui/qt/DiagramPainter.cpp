#include "ui/qt/DiagramPainter.h"

#include "core/numbers/NumberFormat.h"
#include "core/texts/FileTexts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>

namespace titralab {

namespace {

QString utf8(const std::string& text) { return QString::fromStdString(text); }

// Ten colours that stay apart on white, then the same colours with other dashes: the line's
// style k takes colour k mod 10 and pattern k mod 6, so two lines never share both.
constexpr std::array<QRgb, 10> kLineColours{0xd62728, 0x1f77b4, 0x2ca02c, 0xff7f0e, 0x9467bd,
                                            0x8c564b, 0xe377c2, 0x555555, 0x17becf, 0x7f7f00};

QPen linePen(int style, double width) {
    QPen pen(QColor::fromRgb(kLineColours[static_cast<std::size_t>(style) % kLineColours.size()]),
             width);
    static const std::array<QVector<qreal>, 6> patterns{
        QVector<qreal>{}, QVector<qreal>{6, 3}, QVector<qreal>{1.5, 2.5},
        QVector<qreal>{6, 2, 1.5, 2}, QVector<qreal>{10, 3}, QVector<qreal>{3, 2, 1.5, 2, 1.5, 2}};
    const QVector<qreal>& dashes = patterns[static_cast<std::size_t>(style) % patterns.size()];
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QString number(double x, char separator) {
    return utf8(formatGeneral(std::abs(x) < 1e-12 ? 0 : x, 4, separator));
}

} // namespace

namespace {

// The diagram's font at the size of `area`.
QFont diagramFont(QFont font, const QRectF& area) {
    font.setPointSizeF(std::max(7.0, area.height() / 70));
    return font;
}

double legendWidthOf(const DiagramView& view, const QFontMetricsF& metrics) {
    const double line = metrics.height();
    double width = 0;
    for (const DiagramLine& l : view.lines)
        width = std::max(width, metrics.horizontalAdvance(utf8(l.name)) + 2.6 * line);
    for (const DiagramStrip& strip : view.strips)
        width = std::max(width, metrics.horizontalAdvance(utf8(strip.system)));
    return width + 1.4 * line;
}

QRectF plotArea(const QRectF& area, const DiagramView& view, char separator,
                const QFontMetricsF& metrics) {
    const double line = metrics.height();
    const double stripsHeight = view.strips.size() * 1.4 * line;
    double labelWidth = 0;
    for (const double t : view.yTicks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(number(t, separator)));
    return QRectF(area.left() + labelWidth + 2.5 * line, area.top() + 3 * line,
                  area.width() - labelWidth - 3.5 * line - legendWidthOf(view, metrics),
                  area.height() - 7 * line - stripsHeight);
}

} // namespace

QRectF diagramPlotArea(const QRectF& area, const DiagramView& view, char separator,
                       const QFont& font) {
    return plotArea(area, view, separator, QFontMetricsF(diagramFont(font, area)));
}

void paintDiagram(QPainter& p, const QRectF& area, const DiagramView& view, char separator) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFont font = diagramFont(p.font(), area);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const double line = metrics.height();
    p.setPen(Qt::black);

    // Titles.
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    QRectF titles(area.left(), area.top() + 0.5 * line, area.width(), line);
    p.drawText(titles, Qt::AlignHCenter, utf8(view.title));
    p.setFont(font);
    titles.translate(0, line);
    p.drawText(titles, Qt::AlignHCenter, utf8(view.solutionTitle));
    if (!view.problem.empty()) {
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, utf8(view.problem));
        p.restore();
        return;
    }

    // The legend at the right, the strips under the plot, and the plot between.
    const double legendWidth = legendWidthOf(view, metrics);
    const double stripRow = 1.4 * line;
    const QRectF plot = plotArea(area, view, separator, metrics);
    if (plot.width() < 20 || plot.height() < 20) {
        p.restore();
        return;
    }
    auto px = [&](double x) {
        return plot.left() + (x - view.xMin) / (view.xMax - view.xMin) * plot.width();
    };
    auto py = [&](double y) {
        return plot.bottom() - (y - view.yMin) / (view.yMax - view.yMin) * plot.height();
    };

    // Grid and axes.
    p.setPen(QPen(QColor(225, 225, 225), 0.8));
    for (double t : view.xTicks) p.drawLine(QPointF(px(t), plot.top()), QPointF(px(t), plot.bottom()));
    for (double t : view.yTicks) p.drawLine(QPointF(plot.left(), py(t)), QPointF(plot.right(), py(t)));
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    for (double t : view.xTicks)
        p.drawText(QRectF(px(t) - 2 * line, plot.bottom() + 0.2 * line, 4 * line, line),
                   Qt::AlignHCenter | Qt::AlignTop, number(t, separator));
    for (double t : view.yTicks)
        p.drawText(QRectF(area.left(), py(t) - 0.5 * line, plot.left() - area.left() - 0.4 * line, line),
                   Qt::AlignRight | Qt::AlignVCenter, number(t, separator));
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.2 * line, plot.width(), line), Qt::AlignHCenter,
               utf8(view.xTitle));
    p.save();
    p.translate(area.left() + 0.2 * line, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignHCenter, utf8(view.yTitle));
    p.restore();

    // The lines, clipped to the plot.
    p.save();
    p.setClipRect(plot.adjusted(-1, -1, 1, 1));
    for (const DiagramLine& l : view.lines) {
        QPainterPath path;
        bool started = false;
        for (const CurvePoint& c : l.points) {
            if (!std::isfinite(c.y)) {
                started = false;
                continue;
            }
            const QPointF at(px(c.x), py(std::clamp(c.y, view.yMin - 1, view.yMax + 1)));
            started ? path.lineTo(at) : path.moveTo(at);
            started = true;
        }
        p.setPen(linePen(l.style, std::max(1.5, line / 8)));
        p.drawPath(path);
    }
    p.restore();

    // The marks: a small circle and the label above it.
    p.setPen(QPen(Qt::black, 1));
    for (const DiagramMark& m : view.marks) {
        if (m.y < view.yMin || m.y > view.yMax) continue;
        const QPointF at(px(m.x), py(m.y));
        p.drawEllipse(at, 0.22 * line, 0.22 * line);
        p.drawText(QRectF(at.x() - 4 * line, at.y() - 1.3 * line, 8 * line, line), Qt::AlignHCenter,
                   utf8(m.label));
    }

    // The legend: a sample of each line and its name.
    double y = plot.top();
    const double legendLeft = plot.right() + line;
    for (const DiagramLine& l : view.lines) {
        p.setPen(linePen(l.style, std::max(1.5, line / 8)));
        p.drawLine(QPointF(legendLeft, y + 0.5 * line), QPointF(legendLeft + 2.2 * line, y + 0.5 * line));
        p.setPen(Qt::black);
        p.drawText(QRectF(legendLeft + 2.6 * line, y, legendWidth, line), Qt::AlignLeft | Qt::AlignVCenter,
                   utf8(l.name));
        y += 1.2 * line;
    }

    // The predominance strips under the plot, on the same pH scale.
    double top = plot.bottom() + 2.6 * line;
    for (const DiagramStrip& strip : view.strips) {
        const QRectF row(plot.left(), top, plot.width(), stripRow * 0.85);
        for (std::size_t k = 0; k < strip.domains.size(); ++k) {
            const DiagramDomain& d = strip.domains[k];
            const QRectF box(px(d.low), row.top(), px(d.high) - px(d.low), row.height());
            p.fillRect(box, k % 2 ? QColor(215, 228, 245) : QColor(240, 240, 240));
            p.setPen(QPen(Qt::black, 0.8));
            p.drawRect(box);
            for (const std::string& label : {d.name, d.formula})
                if (metrics.horizontalAdvance(utf8(label)) < box.width() - 4) {
                    p.drawText(box, Qt::AlignCenter, utf8(label));
                    break;
                }
        }
        p.drawText(QRectF(plot.right() + line, top, legendWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   utf8(strip.system));
        top += stripRow;
    }
    p.restore();
}

QImage diagramImage(const DiagramView& view, char separator, int width, int height) {
    QImage image(std::clamp(width, 100, 8000), std::clamp(height, 100, 8000), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDiagram(painter, QRectF(image.rect()), view, separator);
    return image;
}

WholeFileResult writeDiagramPicture(const DiagramView& view, char separator, const std::string& path,
                                    Language language, int width) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString name = utf8(path);
    if (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(1000, 750));
        svg.setViewBox(QRect(0, 0, 1000, 750));
        svg.setTitle(utf8(view.title));
        QPainter painter(&svg);
        paintDiagram(painter, QRectF(0, 0, 1000, 750), view, separator);
    } else if (!diagramImage(view, separator, width, width * 3 / 4).save(&buffer, "PNG")) {
        return {texts::cannotWriteFile(path, "PNG", language), {}};
    }
    const QByteArray& bytes = buffer.data();
    WholeFileResult written = writeWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), language);
    if (!written.ok()) written.error = texts::cannotWriteFile(path, written.error, language);
    return written;
}

} // namespace titralab
