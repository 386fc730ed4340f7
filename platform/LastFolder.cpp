#include "platform/LastFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString& Remembered()
{
    static QString folder;
    return folder;
}

} // namespace

QString LastUsedFolder()
{
    const QString& folder = Remembered();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void RememberUsedFolder(const QString& folder)
{
    if (!folder.isEmpty())
        Remembered() = QFileInfo(folder).absoluteFilePath();
}
