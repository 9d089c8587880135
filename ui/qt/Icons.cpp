#include "ui/qt/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

// Resources of a static library must be registered by name, outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(TitraLab);
}

namespace titralab::icons {

namespace {

void ensureResources() {
    static const bool once = (registerIconResources(), true);
    (void)once;
}

const QColor kInk(40, 50, 70);

// Paints `draw` on a transparent square of `size` logical pixels, in a 16-unit coordinate
// system, with `ratio` device pixels per logical pixel, so that it stays sharp on a screen of
// that ratio.
template <typename Draw> QPixmap painted(int size, Draw draw, qreal ratio = 1) {
    const int pixels = static_cast<int>(std::ceil(size * ratio));
    QPixmap pixmap(pixels, pixels);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    return pixmap;
}

// Every size an icon of 16 to 32 logical pixels needs on screens of 1 to 2 device pixels per
// pixel: the icon picks the nearest, and drawn from the painter each one stays sharp.
QIcon fromPainter(void (*draw)(QPainter&)) {
    QIcon icon;
    for (int size : {16, 20, 24, 28, 32, 40, 48, 64}) icon.addPixmap(painted(size, draw));
    return icon;
}

void arrow(QPainter& p, bool up) {
    // The upward arrow; the downward one is its mirror image across the middle line y = 8.
    QPainterPath path;
    path.moveTo(8, 2.5);
    path.lineTo(14, 10);
    path.lineTo(10, 10);
    path.lineTo(10, 14);
    path.lineTo(6, 14);
    path.lineTo(6, 10);
    path.lineTo(2, 10);
    if (!up) path = QTransform(1, 0, 0, -1, 0, 16).map(path);
    path.closeSubpath();
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(234, 180, 40));
    p.drawPath(path);
}

void drawOpen(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(1.5, 4.5, 12, 9));
    p.setBrush(QColor(250, 222, 130));
    QPolygonF flap{{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {13.5, 13.5}};
    p.drawPolygon(flap);
}

void drawSave(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(70, 110, 180));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(220, 225, 235));
    p.drawRect(QRectF(4, 9.5, 8, 5));
}

void drawPrint(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setPen(QPen(QColor(80, 200, 80), 1));
    p.drawPoint(QPointF(12.5, 8.5));
}

void drawCopy(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(235, 240, 248));
    p.drawRect(QRectF(1.5, 1.5, 8, 10));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 4.5, 8, 10));
    p.setPen(QPen(QColor(120, 130, 150), 0.8));
    for (double y : {7.0, 9.0, 11.0, 13.0}) p.drawLine(QPointF(8, y), QPointF(13, y));
}

void drawHelp(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(70, 130, 210));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont f;
    f.setBold(true);
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, "?");
}

} // namespace

QIcon side(BuretteSide side) {
    ensureResources();
    const QString name = side == BuretteSide::AcidSide ? "acide" : "base";
    QIcon icon;
    for (int size : {32, 64, 256}) icon.addFile(QString(":/icons/%1-%2.png").arg(name).arg(size));
    return icon;
}

QIcon stepForward() {
    return fromPainter([](QPainter& p) { arrow(p, true); });
}

QIcon stepBack() {
    return fromPainter([](QPainter& p) { arrow(p, false); });
}

QPixmap marker(int size, qreal ratio) {
    return painted(
        size, [](QPainter& p) { arrow(p, false); }, ratio);
}

QIcon tool(Tool which) {
    switch (which) {
    case Tool::Open:
        return fromPainter(drawOpen);
    case Tool::Save:
        return fromPainter(drawSave);
    case Tool::Print:
        return fromPainter(drawPrint);
    case Tool::Copy:
        return fromPainter(drawCopy);
    case Tool::Help:
        return fromPainter(drawHelp);
    }
    return {};
}

} // namespace titralab::icons
