#include "ui/qt/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace titralab::clipboard {

void putTable(const std::string& text) {
    auto* data = new QMimeData;
    const QString table = QString::fromStdString(text);
    data->setText(table);
    data->setData(kTableMimeType, table.toUtf8());
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns the data
}

QString readText() {
    return QGuiApplication::clipboard()->text();
}

} // namespace titralab::clipboard
