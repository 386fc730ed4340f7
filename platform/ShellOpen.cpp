#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool ShellOpen(const QString& pathOrUrl)
{
    QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
    return QDesktopServices::openUrl(url);
}
