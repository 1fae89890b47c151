#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace qxed {

void QtClipboard::PutElement(const std::string& json) {
    auto* data = new QMimeData;
    const QByteArray bytes = QByteArray::fromStdString(json);
    data->setData(QString::fromLatin1(kElementType), bytes);
    data->setText(QString::fromUtf8(bytes));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<std::string> QtClipboard::TakeText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) return std::nullopt;
    if (data->hasFormat(QString::fromLatin1(kElementType)))
        return data->data(QString::fromLatin1(kElementType)).toStdString();
    if (data->hasText()) return data->text().toStdString();
    return std::nullopt;
}

}  // namespace qxed
