#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

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

void FillProgramFolder(const QString& folder, const QString& dataFolder)
{
    if (dataFolder.isEmpty())
        return;
    QDir data(dataFolder);
    const bool firstFill = !QFileInfo::exists(PathJoin(folder, QStringLiteral("PCTS.LST")));
    const QStringList entries = data.entryList(QDir::Files);
    for (const QString& name : entries) {
        const QString target = PathJoin(folder, name);
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
