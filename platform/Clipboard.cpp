#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

QString ClipboardGetText() { return QGuiApplication::clipboard()->text(); }
void ClipboardSetText(const QString& text) { QGuiApplication::clipboard()->setText(text); }
void ClipboardClear() { QGuiApplication::clipboard()->clear(); }
