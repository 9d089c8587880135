#include "ui/qt/QtNotifier.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace titralab {

std::string displayLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString messageBoxTitle(const QWidget* owner, bool error) {
    const QString kind = error ? QCoreApplication::translate("titralab::QtNotifier", "Erreur")
                               : QCoreApplication::translate("titralab::QtNotifier", "Message");
    QString context = owner ? owner->window()->windowTitle() : QString();
    context.remove(QStringLiteral("[*]"));
    if (context.isEmpty()) context = QApplication::applicationName();
    return kind + QStringLiteral(" — ") + context;
}

namespace {

void showBox(QWidget* owner, QMessageBox::Icon icon, const std::string& text) {
    // Over the modal window in front (the graph window, the copy dialog), if any.
    QWidget* parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : owner;
    QMessageBox box(icon, messageBoxTitle(parent, icon == QMessageBox::Critical),
                    QString::fromStdString(displayLineBreaks(text)), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void QtNotifier::inform(const std::string& text) {
    showBox(m_parent, QMessageBox::NoIcon, text);
}

void QtNotifier::error(const std::string& text) {
    showBox(m_parent, QMessageBox::Critical, text);
}

} // namespace titralab
