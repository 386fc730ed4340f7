#include "core/Help.h"

#include "platform/ProgramFolder.h"

#include <QFileInfo>

QString HelpFilePath()
{
    const QString name = QStringLiteral("tezhelp.html");
    const QString inProgramFolder = PathJoin(ProgramFolder(), name);
    if (QFileInfo::exists(inProgramFolder))
        return inProgramFolder;
    const QString installed = InstalledDataFolder();
    if (!installed.isEmpty() && QFileInfo::exists(PathJoin(installed, name)))
        return PathJoin(installed, name);
    return inProgramFolder;
}
