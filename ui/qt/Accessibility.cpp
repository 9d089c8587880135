#include "ui/qt/Accessibility.h"

#include <QAccessible>
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
    for (const a11y::ControlText& t : texts) byName.insert(QString::fromStdString(t.control), &t);
    for (QWidget* w : controlsOf(window)) {
        const a11y::ControlText* t = byName.value(w->objectName());
        if (!t) continue;
        const QString name = QString::fromStdString(t->name);
        const QString description = QString::fromStdString(t->description);
        if (w->accessibleName() != name) w->setAccessibleName(name);
        if (w->accessibleDescription() != description) w->setAccessibleDescription(description);
    }
}

void announce(QWidget* widget, const QString& name, const QString& message) {
    if (!widget) return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (widget->accessibleName() != name) widget->setAccessibleName(name);
    QAccessibleAnnouncementEvent event(widget, message);
    event.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    widget->setAccessibleName(name + QStringLiteral(", ") + message);
#endif
}

} // namespace titralab::accessibility
