#include "platform/qt/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool SetClipboardText(const std::string& text)
{
    QClipboard* clipboard = qGuiApp ? QGuiApplication::clipboard() : nullptr;
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromStdString(text), QClipboard::Clipboard);
    return true;
}

bool GetClipboardText(std::string& text)
{
    QClipboard* clipboard = qGuiApp ? QGuiApplication::clipboard() : nullptr;
    if (!clipboard)
        return false;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return false;
    text = data->text().toStdString();
    return true;
}
