#include "ui/qt/PrinterCanvas.h"

#include <QCoreApplication>

#include <QFontMetrics>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegion>

#include <algorithm>

namespace titralab {

namespace {

QColor toQColor(CanvasColor c) {
    return QColor(c.r, c.g, c.b);
}

Qt::PenStyle toQtStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    case PenStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PrinterCanvas::PrinterCanvas(QPaintDevice* device) : m_device(device) {}

PrinterCanvas::PrinterCanvas(QImage* image, int dpi) : m_device(image), m_imageDpi(dpi) {}

PrinterCanvas::~PrinterCanvas() {
    endDocument();
}

void PrinterCanvas::beginDocument(const std::string& title) {
    if (m_painter.isActive()) endDocument();
    m_error.clear();
    if (auto* printer = dynamic_cast<QPrinter*>(m_device)) printer->setDocName(fromUtf8(title));
    if (auto* writer = dynamic_cast<QPdfWriter*>(m_device)) {
        writer->setTitle(fromUtf8(title));
        writer->setCreator(QStringLiteral("TitraLab"));
    }
    if (!m_device || !m_painter.begin(m_device)) {
        m_error = QCoreApplication::translate(
            "titralab::PrinterCanvas",
            "le périphérique d'impression refuse de commencer le document");
        return;
    }
    m_position = QPoint();
    m_pending.clear();
    m_texts = QRegion();
    applyPen();
    applyBrush();
    m_painter.setFont(qtFont());
}

void PrinterCanvas::endDocument() {
    if (!m_painter.isActive()) return;
    flush();
    if (!m_painter.end() && m_error.isEmpty())
        m_error = QCoreApplication::translate(
            "titralab::PrinterCanvas", "le périphérique d'impression n'a pas pu terminer la page");
}

int PrinterCanvas::pageWidth() const {
    return m_device ? m_device->width() : 0;
}

int PrinterCanvas::pageHeight() const {
    return m_device ? m_device->height() : 0;
}

int PrinterCanvas::resolution() const {
    if (m_imageDpi > 0) return m_imageDpi;
    return m_device ? m_device->logicalDpiY() : 0;
}

void PrinterCanvas::setPen(const Pen& pen) {
    flush();
    m_pen = pen;
    applyPen();
}

void PrinterCanvas::setBrush(const Brush& brush) {
    flush();
    m_brush = brush;
    applyBrush();
}

void PrinterCanvas::setFont(const CanvasFont& font) {
    flush();
    m_font = font;
    if (m_painter.isActive()) m_painter.setFont(qtFont());
}

QFont PrinterCanvas::qtFont() const {
    QFont f;
    if (!m_font.family.empty()) {
        f.setFamily(fromUtf8(m_font.family));
    } else {
        // The page places its texts for a face of Arial's widths (a character is 1/2.27 of the
        // height on average): take Arial or a face of the same metrics, else the default sans.
        f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
        f.setStyleHint(QFont::SansSerif);
    }
    // The page gives the character height in its own dots; the point size only stands in
    // when no height was given.
    if (m_font.heightDots > 0)
        f.setPixelSize(m_font.heightDots);
    else
        f.setPointSize(std::max(1, m_font.pointSize));
    return f;
}

void PrinterCanvas::applyPen() {
    if (!m_painter.isActive()) return;
    // A width of 0 dots still draws, one dot wide, as a printer does.
    QPen pen(toQColor(m_pen.color), std::max(1, m_pen.width), toQtStyle(m_pen.style), Qt::RoundCap,
             Qt::RoundJoin);
    m_painter.setPen(pen);
}

void PrinterCanvas::applyBrush() {
    if (!m_painter.isActive()) return;
    if (m_brush.style == BrushStyle::Clear)
        m_painter.setBrush(Qt::NoBrush);
    else
        m_painter.setBrush(QBrush(toQColor(m_brush.color), Qt::SolidPattern));
}

void PrinterCanvas::flush() {
    if (m_pending.size() >= 2 && m_painter.isActive()) m_painter.drawPolyline(m_pending);
    m_pending.clear();
}

void PrinterCanvas::moveTo(int x, int y) {
    const QPoint to(x, y);
    // A move to where the pen already stands does not break the line.
    if (to != m_position) flush();
    m_position = to;
}

void PrinterCanvas::lineTo(int x, int y) {
    if (m_pending.isEmpty()) m_pending << m_position;
    m_position = QPoint(x, y);
    m_pending << m_position;
}

void PrinterCanvas::polygon(const std::vector<CanvasPoint>& corners) {
    flush();
    if (!m_painter.isActive() || corners.empty()) return;
    QPolygon p;
    p.reserve(static_cast<qsizetype>(corners.size()));
    for (const CanvasPoint& c : corners) p << QPoint(c.x, c.y);
    m_painter.drawPolygon(p);
}

void PrinterCanvas::ellipse(int left, int top, int right, int bottom) {
    flush();
    if (!m_painter.isActive()) return;
    m_painter.drawEllipse(QRectF(left, top, right - left, bottom - top));
}

void PrinterCanvas::textOut(int x, int y, const std::string& text) {
    flush();
    if (!m_painter.isActive() || text.empty()) return;
    const QString s = fromUtf8(text);
    const QFontMetrics metrics = m_painter.fontMetrics();
    // The text's background is the brush, unless the brush is clear. It hides the lines
    // under the text but not the texts written before: lines of text are one em apart, less
    // than a font's full height, and the next line's background would cut the descenders.
    const QRect box(x, y, metrics.horizontalAdvance(s), metrics.height());
    if (m_brush.style == BrushStyle::Solid) {
        const QColor background = toQColor(m_brush.color);
        for (const QRect& r : QRegion(box).subtracted(m_texts)) m_painter.fillRect(r, background);
    }
    m_texts += box;
    // Texts are placed by the top-left corner of their line; Qt places them by the baseline.
    // They are black: the pen colours the lines of the page (the blue axes), not its texts.
    const QPen saved = m_painter.pen();
    m_painter.setPen(QPen(Qt::black));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), s);
    m_painter.setPen(saved);
}

int PrinterCanvas::textWidth(const std::string& text) const {
    return QFontMetrics(qtFont(), m_device).horizontalAdvance(fromUtf8(text));
}

int PrinterCanvas::textHeight(const std::string& /*text*/) const {
    return QFontMetrics(qtFont(), m_device).height();
}

} // namespace titralab
