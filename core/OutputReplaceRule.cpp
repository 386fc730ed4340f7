#include "core/OutputReplaceRule.h"

#include <QDir>
#include <QFileDevice>

#include <algorithm>
#include <QFileInfo>

namespace {

QString Canonical(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

bool IsInside(const QString& path, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    return folder == QLatin1String("/") || path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// A part of the path below the given folder (or of the whole path) begins with ".".
bool HiddenBelow(const QString& path, const QString& folder)
{
    const QString rest = IsInside(path, folder) ? path.mid(folder.size()) : path;
    const QStringList parts = rest.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return std::any_of(parts.begin(), parts.end(), [](const QString& p) { return p.startsWith(QLatin1Char('.')); });
}

QString Refusal(const QString& path, const QStringList& allowed)
{
    const QFileInfo info(path);
    const QFileDevice::Permissions anyExe = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (!info.isDir() && (info.permissions() & anyExe))
        return QStringLiteral("it is an executable file");
    for (const QString& folder : allowed)
        if (IsInside(path, folder))
            return QString();
    const QString home = Canonical(QDir::homePath());
    const QString temp = Canonical(QDir::tempPath());
    const QString base = IsInside(path, home) ? home : IsInside(path, temp) ? temp : QString();
    if (base.isEmpty())
        return QStringLiteral("it lies outside the home and the temporary folder");
    if (HiddenBelow(path, base))
        return QStringLiteral("it is hidden or lies in a hidden folder");
    return QString();
}

} // namespace

QString OutputReplaceRefusal(const QString& path, const QStringList& allowedFolders)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QString();
    QStringList allowed;
    for (const QString& folder : allowedFolders)
        if (!folder.trimmed().isEmpty())
            allowed << Canonical(folder);
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    // The path as given, with its folders resolved, and the file it finally stands for.
    const QString given = Canonical(info.absolutePath()) + QLatin1Char('/') + info.fileName();
    QString why = Refusal(given, allowed);
    const QString target = info.canonicalFilePath();
    if (why.isEmpty() && !target.isEmpty() && target != given)
        why = Refusal(target, allowed);
    if (why.isEmpty() && info.isSymLink() && target.isEmpty())
        why = QStringLiteral("it is a link to nothing");
    if (why.isEmpty())
        return QString();
    return QStringLiteral("%1 is not replaced: %2").arg(absolute, why);
}
