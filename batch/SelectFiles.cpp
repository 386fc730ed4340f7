#include "batch/SelectFiles.h"

#include "platform/CommonDialog.h"

QStringList ParseSelectedFiles(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    const QChar nul(u'\0');
    if (!fileName.contains(nul))
        return {fileName};
    const QStringList parts = fileName.split(nul);
    QString folder = parts.first();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QStringList paths;
    for (int i = 1; i < parts.size(); ++i) {
        if (!parts[i].isEmpty())
            paths << folder + parts[i];
    }
    return paths;
}

QStringList AskFilesToAdd(const QString& filter)
{
    CommonDialog dlgSelectFile;
    dlgSelectFile.Filter = filter;
    dlgSelectFile.FilterIndex = 2;
    dlgSelectFile.Flags = kAddFilesDialogFlags;
    dlgSelectFile.MaxFileSize = 4096;
    dlgSelectFile.FileName.clear();
    dlgSelectFile.ShowOpen();
    if (dlgSelectFile.Cancelled)
        return {};
    return ParseSelectedFiles(dlgSelectFile.FileName);
}
