#include "core/Log.h"

#include "core/Err.h"
#include "platform/CodePage.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

bool gbRunLog = false;
QString gsLogFile;
QString gsErrFile;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Appends bytes at the end of the file, creating it when missing.
bool AppendBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write(bytes) == bytes.size();
}

void WriteErrorRecord(const QString& procName)
{
    CaptureCurrentException();
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yy/MM/dd, HH:mm:ss"));
    const QString record = QStringLiteral("**记录时间 - ") + time + QStringLiteral(" ") + kCrLf
        + ErrorRecordBody(procName, Err().Number, Err().Description);
    if (!gsErrFile.isEmpty())
        AppendBytes(gsErrFile, ToSystemCodePage(record));
}

void DeleteWhenLarger(const QString& path, int limitKB)
{
    QFileInfo info(path);
    if (!path.isEmpty() && info.exists() && info.size() > static_cast<qint64>(limitKB) * 1024)
        QFile::remove(path);
}

} // namespace

QString ErrorRecordBody(const QString& procName, int number, const QString& description)
{
    const QString code = (number >= 0 ? QStringLiteral(" ") : QString()) + QString::number(number);
    return QStringLiteral("处理程序: (") + procName + QStringLiteral(")") + kCrLf
        + QStringLiteral("运行错误, 代码: ") + code + kCrLf
        + QStringLiteral("消息: ") + kCrLf
        + QStringLiteral("     ") + description + kCrLf
        + kCrLf;
}

QString TimeStamped(const QString& text)
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" => ") + text;
}

void WriteLog(const QString& text, const QString& file)
{
    if (!gbRunLog)
        return;
    const QString path = file.isEmpty() ? gsLogFile : file;
    if (!AppendBytes(path, ToSystemCodePage(TimeStamped(text) + kCrLf))) {
        Err().Set(errPathFileAccess);
        ErrorLogQuiet(QStringLiteral("WriteLog"));
    }
}

void WriteTEXT(const QString& text, const QString& file)
{
    if (!AppendBytes(file, ToSystemCodePage(text + kCrLf))) {
        Err().Set(errPathFileAccess);
        ErrorLogQuiet(QStringLiteral("WriteTEXT"));
    }
}

void ErrorLog(const QString& procName)
{
    Beep();
    WriteErrorRecord(procName);
    SetMousePointer(vbDefault);
}

void ErrorLogQuiet(const QString& procName)
{
    WriteErrorRecord(procName);
    SetMousePointer(vbArrow);
}

int ErrorLogAsk(const QString& procName)
{
    Beep();
    WriteErrorRecord(procName);
    const QString body = ErrorRecordBody(procName, Err().Number, Err().Description);
    return MsgBox(body + QStringLiteral("  是否要继续运行作业?"), vbYesNo + vbExclamation);
}

void CheckLogFileSize(int limitKB) { DeleteWhenLarger(gsLogFile, limitKB); }
void CheckErrFileSize(int limitKB) { DeleteWhenLarger(gsErrFile, limitKB); }
