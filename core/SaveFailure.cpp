#include "core/SaveFailure.h"

#include "core/Log.h"
#include "core/TextFile.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

void ShowSaveFailure(const QString& path, const QString& title)
{
    MsgBox(LoadResString(1050) + path, vbOKOnly + vbCritical, title);
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes, const QString& procName, const QString& title)
{
    try {
        WriteWholeFile(path, bytes);
        return true;
    } catch (...) {
        ErrorLog(procName);
    }
    ShowSaveFailure(path, title);
    return false;
}
