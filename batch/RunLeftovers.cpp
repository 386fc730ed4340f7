#include "batch/RunLeftovers.h"

#include "core/CheckedFileWrite.h"
#include "core/OfficeLeftoverNames.h"
#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The intermediate names of the routes beside an output (IntermediateFile and RtfChangeCodePage).
const char* const kIntermediateSuffixes[] = {".wpc", ".wpd", ".cpg", "tmp"};

bool IsRegularFile(const QByteArray& native)
{
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

void RemoveFile(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (IsRegularFile(native))
        ::unlink(native.constData());
}

// The store temporary of the office layer: "." name "." six letters or digits ".tmp".
bool IsOfficeStoreTemporary(const QByteArray& name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}\\.tmp$"));
    return pattern.match(QString::fromLatin1(name)).hasMatch();
}

bool IsOfficeTemporary(const QString& name)
{
    for (const QString& pattern : OfficeTemporaryPatterns())
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch())
            return true;
    return false;
}

// The exact names a row may leave: the intermediates beside its output and the lock files
// beside its input, its output and those intermediates.
QStringList ExactLeftovers(const QString& input, const QString& output)
{
    QStringList names;
    QStringList documents{input, output};
    for (const char* suffix : kIntermediateSuffixes) {
        names << output + QLatin1String(suffix);
        documents << output + QLatin1String(suffix);
    }
    for (const QString& document : documents) {
        const QFileInfo info(document);
        for (const QString& lock : OfficeLockNames())
            names << QDir(info.path()).filePath(lock.arg(info.fileName()));
    }
    return names;
}

bool EntryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

RowLeftovers LeftoversBefore(const QString& input, const QString& output, bool officeRoute)
{
    RowLeftovers leftovers;
    if (!officeRoute)
        return leftovers;
    leftovers.watched = true;
    for (const QString& path : ExactLeftovers(input, output))
        if (EntryExists(path))
            leftovers.before.insert(path);
    const QString folder = QFileInfo(output).path();
    std::vector<FolderEntry> entries;
    int error = 0;
    ListFolder(folder, entries, error);
    for (const FolderEntry& entry : entries)
        if (entry.decodable && (IsOfficeTemporary(entry.name) || IsOwnTemporaryName(entry.rawName)))
            leftovers.before.insert(QDir(folder).filePath(entry.name));
    return leftovers;
}

void RemoveRowLeftovers(const QString& input, const QString& output, const RowLeftovers& before)
{
    if (!before.watched)
        return;
    for (const QString& path : ExactLeftovers(input, output))
        if (!before.before.contains(path))
            RemoveFile(path);
    {
        const QString folder = QFileInfo(output).path();
        std::vector<FolderEntry> entries;
        int error = 0;
        ListFolder(folder, entries, error);
        for (const FolderEntry& entry : entries) {
            if (!entry.decodable || !(IsOfficeTemporary(entry.name) || IsOwnTemporaryName(entry.rawName) ||
                                      IsOfficeStoreTemporary(entry.rawName)))
                continue;
            const QString path = QDir(folder).filePath(entry.name);
            if (!before.before.contains(path))
                RemoveFile(path);
        }
    }
}

void RemoveStaleTemporaries(const QStringList& folders)
{
    for (const QString& folder : folders) {
        std::vector<FolderEntry> entries;
        int error = 0;
        if (!ListFolder(folder, entries, error) && entries.empty())
            continue;
        const QByteArray native = QFile::encodeName(folder);
        for (const FolderEntry& entry : entries)
            if (entry.kind == FolderEntry::Kind::File &&
                (IsOwnTemporaryName(entry.rawName) || IsOfficeStoreTemporary(entry.rawName)))
                if (IsRegularFile(native + '/' + entry.rawName))
                    ::unlink((native + '/' + entry.rawName).constData());
    }
}
