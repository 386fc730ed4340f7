#include "platform/office/UserOffice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace office {

namespace {

QByteArray ReadProcFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A live process (not a zombie) of this user whose program is the office.
bool IsUserOffice(const QString& procDir)
{
    if (QFileInfo(procDir).ownerId() != getuid())
        return false;
    const QByteArray name = ReadProcFile(procDir + QStringLiteral("/comm")).trimmed();
    if (name != "soffice.bin" && name != "soffice")
        return false;
    const QByteArray stat = ReadProcFile(procDir + QStringLiteral("/stat"));
    const int end = stat.lastIndexOf(')');
    if (end < 0 || stat.mid(end + 2, 1) == "Z")
        return false;
    // A process that is ending has no command line left; it is nobody's office any more.
    const QByteArray commandLine = ReadProcFile(procDir + QStringLiteral("/cmdline"));
    return !commandLine.isEmpty() && !commandLine.contains("pipe,name=" + OwnPipePrefix().toLatin1());
}

}  // namespace

QString OwnPipePrefix() { return QStringLiteral("tezdesk-office-"); }

bool UserOfficeRunning()
{
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        entry.toLong(&isPid);
        if (isPid && IsUserOffice(QStringLiteral("/proc/") + entry))
            return true;
    }
    return false;
}

}  // namespace office
