#include "ui/windows/InputPanelArea.h"
#include "ui/qt/RadioGroup.h"
#include "ui/qt/Utf8Text.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>

namespace titralab {

void setHint(QWidget* widget, const QString& h) {
    const int bar = h.indexOf('|');
    widget->setToolTip(bar < 0 ? h : h.left(bar));
    widget->setStatusTip(bar < 0 ? h : h.mid(bar + 1));
}

void setHint(QAction* action, const QString& h) {
    const int bar = h.indexOf('|');
    action->setToolTip(bar < 0 ? h : h.left(bar));
    action->setStatusTip(bar < 0 ? h : h.mid(bar + 1));
}

void showChoice(RadioGroup* group, const Choice& c) {
    group->setTitle(utf8(c.caption));
    QStringList items;
    for (const std::string& item : c.items) items << utf8(item);
    if (group->items() != items) group->setItems(items);
    group->setSelected(c.selected);
    group->setVisible(c.visible);
}

bool applyFieldTyping(QWidget* field, const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.size() != 1) return false;
    const QChar c = text[0];
    if (c == ' ') {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QCoreApplication::sendEvent(field, &tab);
        return true;
    }
    if (c == '.') {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","));
        QCoreApplication::sendEvent(field, &comma);
        return true;
    }
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter && c != 'E') {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_E, Qt::ShiftModifier, QStringLiteral("E"));
        QCoreApplication::sendEvent(field, &e);
        return true;
    }
    return false;
}

void PanelArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The strip: the colours of a universal indicator, from pH 0 at the top to pH 14.
    const QRect strip(0, 0, x(design::kStripWidth), height());
    QLinearGradient g(strip.topLeft(), strip.bottomLeft());
    const QColor stops[] = {{214, 69, 65},  {236, 134, 54}, {240, 203, 70}, {132, 190, 84},
                            {58, 160, 128}, {66, 110, 196}, {122, 76, 160}};
    for (int i = 0; i < 7; ++i) {
        QColor c = stops[i];
        c.setAlpha(120);
        g.setColorAt(i / 6.0, c);
    }
    p.fillRect(strip, g);
}

} // namespace titralab
