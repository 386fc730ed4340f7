#include "batch/FolderPath.h"

QString WithoutTrailingSlash(const QString& path)
{
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString JoinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    QString tail = name;
    while (tail.startsWith(QLatin1Char('/')))
        tail.remove(0, 1);
    if (folder.endsWith(QLatin1Char('/')))
        return folder + tail;
    return folder + QLatin1Char('/') + tail;
}

QString LastPathComponent(const QString& path)
{
    const QString folder = WithoutTrailingSlash(path);
    if (folder == QLatin1String("/"))
        return QString();
    return folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
}

SplitName SplitFileName(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return { name, QString() };
    return { name.left(dot), name.mid(dot) };
}
