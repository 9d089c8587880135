#include "ui/qt/Accessibility.h"

#include <QDockWidget>
#include <QHash>
#include <QToolBar>
#include <QWidget>

namespace titralab::accessibility {

namespace {

// A child window that belongs to this one: a dock or a tool bar dragged off it.
bool partOfWindow(const QWidget* w) {
    return !w->isWindow() || qobject_cast<const QDockWidget*>(w) ||
           qobject_cast<const QToolBar*>(w);
}

void collect(const QWidget* parent, QList<QWidget*>& out) {
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || !partOfWindow(w)) continue;
        out.append(w);
        collect(w, out);
    }
}

} // namespace

QList<QWidget*> controlsOf(const QWidget* window) {
    QList<QWidget*> out;
    if (window) collect(window, out);
    return out;
}

void apply(QWidget* window, const a11y::ControlTexts& texts) {
    QHash<QString, const a11y::ControlText*> byName;
    for (const a11y::ControlText& t : texts)
        byName.insert(QString::fromStdString(a11y::objectName(t)), &t);
    for (QWidget* w : controlsOf(window)) {
        const a11y::ControlText* t = byName.value(w->objectName());
        if (!t) continue;
        const QString name = QString::fromStdString(t->name);
        const QString description = QString::fromStdString(t->description);
        if (w->accessibleName() != name) w->setAccessibleName(name);
        // A dock is spoken by its title, also when it floats off the window.
        if (qobject_cast<QDockWidget*>(w) && w->windowTitle() != name) w->setWindowTitle(name);
        if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    }
}

void announce(QWidget* widget, const QString& name, const QString& message) {
    // The change of name is the event screen readers speak for the object in focus and read
    // again when they come back to it; it interrupts nothing.
    if (widget)
        widget->setAccessibleName(message.isEmpty() ? name : name + QStringLiteral(", ") + message);
}

} // namespace titralab::accessibility
