#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <cstdio>

QString PathJoin(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString InstalledDataFolder()
{
    QString fromEnv = qEnvironmentVariable("TEZDESK_DATA_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    QDir exeDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {QStringLiteral("../data"), QStringLiteral("../share/tezdesk")}) {
        if (QFileInfo::exists(exeDir.filePath(candidate)))
            return QDir::cleanPath(exeDir.filePath(candidate));
    }
    return QString();
}

namespace {

// The help page belongs to the installation, not to the user: a newer installed page
// replaces the program folder's copy, written beside it first and then renamed over it.
const QLatin1String kHelpPage("tezhelp.html");

void RefreshHelpPage(const QString& installed, const QString& target)
{
    const QFileInfo source(installed);
    const QFileInfo copy(target);
    if (copy.exists() && source.lastModified() <= copy.lastModified())
        return;
    const QString temporary = target + QStringLiteral(".new");
    QFile::remove(temporary);
    if (!QFile::copy(installed, temporary))
        return;
    QFile written(temporary);
    // The copy carries the installed page's time, so an unchanged page is not copied again.
    if (!written.open(QIODevice::ReadWrite) || !written.setFileTime(source.lastModified(), QFileDevice::FileModificationTime)) {
        QFile::remove(temporary);
        return;
    }
    written.close();
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0)
        QFile::remove(temporary);
}

} // namespace

void FillProgramFolder(const QString& folder, const QString& dataFolder)
{
    if (dataFolder.isEmpty())
        return;
    QDir data(dataFolder);
    const bool firstFill = !QFileInfo::exists(PathJoin(folder, QStringLiteral("PCTS.LST")));
    const QStringList entries = data.entryList(QDir::Files);
    for (const QString& name : entries) {
        const QString target = PathJoin(folder, name);
        if (name == kHelpPage) {
            RefreshHelpPage(data.filePath(name), target);
            continue;
        }
        if (QFileInfo::exists(target))
            continue;
        const bool conversionTable = name.endsWith(QLatin1String(".cct"), Qt::CaseInsensitive);
        if (conversionTable || firstFill)
            QFile::copy(data.filePath(name), target);
    }
}

QString ProgramFolder()
{
    // Read each time, so that a test can point the program at a fresh folder.
    QString home = qEnvironmentVariable("TEZDESK_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + QStringLiteral("/.local/share/tezdesk");
    QDir().mkpath(home);
    const QString folder = QDir::cleanPath(QFileInfo(home).absoluteFilePath());
    static QSet<QString> filled;
    if (!filled.contains(folder)) {
        filled.insert(folder);
        FillProgramFolder(folder, InstalledDataFolder());
    }
    return folder;
}
