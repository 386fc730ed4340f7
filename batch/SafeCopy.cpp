#include "batch/SafeCopy.h"

#include "core/Err.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

void CopyFileWhole(const QString& input, const QString& output)
{
    if (QFileInfo(input).isDir())
        throw RuntimeError(errPathFileAccess, QStringLiteral("%1 is a folder").arg(input));
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly))
        throw RuntimeError(errFileNotFound, QStringLiteral("Cannot read %1: %2").arg(input, source.errorString()));
    QSaveFile target(output);
    if (!target.open(QIODevice::WriteOnly))
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot write %1: %2").arg(output, target.errorString()));
    QByteArray block;
    constexpr qint64 kBlock = 1 << 20;
    while (!source.atEnd()) {
        block = source.read(kBlock);
        if (block.isEmpty() && source.error() != QFile::NoError)
            break;
        if (target.write(block) != block.size())
            throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot write %1: %2").arg(output, target.errorString()));
    }
    if (source.error() != QFile::NoError)
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot read %1: %2").arg(input, source.errorString()));
    if (!target.commit())
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot write %1: %2").arg(output, target.errorString()));
}
