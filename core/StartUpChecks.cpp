#include "core/StartUpChecks.h"

#include "core/mTezC.h"
#include "platform/MsgBox.h"
#include "platform/SingleInstance.h"
#include "resources/StringTable.h"

bool TakeProgramFolder(SingleInstance& instance, const QString& folder, const QString& title, int& exitCode)
{
    switch (instance.take()) {
    case SingleInstance::Outcome::Acquired:
        return true;
    case SingleInstance::Outcome::AnotherCopyRuns:
        MsgBox(LoadResString(1001), vbCritical + vbOKOnly, title);
        exitCode = 0;
        return false;
    case SingleInstance::Outcome::FolderNotWritable:
        break;
    }
    MsgBox(LoadResString(1052) + folder, vbCritical + vbOKOnly, title);
    exitCode = kStartFailedExitCode;
    return false;
}

void ReportLibraryNotLoaded(const QString& reason, const QString& title)
{
    QString text = LoadResString(1051) + QString::fromLatin1(kTezLibraryName);
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    MsgBox(text, vbCritical + vbOKOnly, title);
}
