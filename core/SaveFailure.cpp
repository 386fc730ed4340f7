#include "core/SaveFailure.h"

#include "core/Err.h"
#include "core/Log.h"
#include "core/TextFile.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

void ShowSaveFailure(const QString& path, const QString& title, const QString& reason)
{
    const QString text = LoadResString(1050) + path;
    MsgBox(reason.isEmpty() ? text : text + QStringLiteral("\r\n") + reason, vbOKOnly + vbCritical, title);
}

QString WriteFailureReason(const RuntimeError& error, const QString& path)
{
    QString reason = error.description();
    const QString named = QStringLiteral(": ") + path;
    if (reason.endsWith(named))
        reason.chop(named.size());
    return reason;
}

bool SaveWholeFile(const QString& path, const QByteArray& bytes, const QString& procName, const QString& title)
{
    QString reason;
    try {
        WriteWholeFile(path, bytes);
        return true;
    } catch (const RuntimeError& e) {
        reason = WriteFailureReason(e, path);
        ErrorLog(procName);
    } catch (...) {
        ErrorLog(procName);
    }
    ShowSaveFailure(path, title, reason);
    return false;
}
