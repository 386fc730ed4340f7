#include "core/FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

bool StatOf(const QString& path, struct stat& st)
{
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

}  // namespace

QString ResolvedPath(const QString& path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return QDir::cleanPath(path);
        rest = existing.mid(slash + 1) + (rest.isEmpty() ? QString() : QLatin1Char('/') + rest);
        existing = slash == 0 ? QStringLiteral("/") : existing.left(slash);
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    if (rest.isEmpty())
        return canonical;
    return QDir::cleanPath(canonical + QLatin1Char('/') + rest);
}

bool IsOneFile(const QString& a, const QString& b)
{
    struct stat sa {}, sb {};
    if (StatOf(a, sa) && StatOf(b, sb))
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return ResolvedPath(a) == ResolvedPath(b);
}

bool IsSameOrInsideFolder(const QString& path, const QString& folder)
{
    const QString p = ResolvedPath(path);
    const QString f = ResolvedPath(folder);
    if (p == f)
        return true;
    const QString prefix = f.endsWith(QLatin1Char('/')) ? f : f + QLatin1Char('/');
    return p.startsWith(prefix);
}

namespace {

FileState StateFrom(const struct stat& st)
{
    return FileState{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                     static_cast<long long>(st.st_size),
                     static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec, true};
}

}  // namespace

FileState FileStateOf(const QByteArray& nativePath)
{
    struct stat st {};
    if (nativePath.isEmpty() || ::stat(nativePath.constData(), &st) != 0)
        return {};
    return StateFrom(st);
}

FileState FileStateOf(const QString& path) { return FileStateOf(QFile::encodeName(path)); }
