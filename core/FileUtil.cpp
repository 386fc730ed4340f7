#include "core/FileUtil.h"

#include "core/Err.h"
#include "core/Log.h"
#include "platform/SystemInfo.h"

#include <QFile>
#include <QThread>

#include <cmath>
#include <filesystem>
#include <system_error>

namespace {
qsizetype LastSeparator(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}
} // namespace

bool SameFilePath(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    std::error_code error;
    const bool same = std::filesystem::equivalent(std::filesystem::path(QFile::encodeName(a).toStdString()),
                                                  std::filesystem::path(QFile::encodeName(b).toStdString()), error);
    return !error && same;
}

QByteArray StrCodeLine(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2 + 2);
    for (QChar c : text)
        bytes.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
    return bytes.append('\r').append('\n');
}

void WriteStrCode(const QString& text, const QString& path)
{
    const QByteArray bytes = StrCodeLine(text);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size()) {
        Err().Set(errPathFileAccess, file.errorString());
        ErrorLog(QStringLiteral("WriteStrCode"));
    }
}

bool ReadLine(QIODevice& file, QString& line)
{
    line.clear();
    if (file.atEnd())
        return false;
    QByteArray bytes;
    char c = 0;
    while (file.getChar(&c)) {
        if (c == '\r') {
            char next = 0;
            if (!file.getChar(&next)) {
                bytes.append(c);
                break;
            }
            if (next == '\n')
                break;
            // A lone 13 stays, and the byte after it is taken as an ordinary byte.
            bytes.append(c).append(next);
            continue;
        }
        bytes.append(c);
    }
    line.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        line.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i])
                                                | static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return true;
}

QString GetPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const qsizetype sep = LastSeparator(path);
    if (sep < 0) {
        Err().Set(errInvalidCall);
        ErrorLog(QStringLiteral("GetPath"));
        return QString();
    }
    return path.left(sep);
}

QString GetFileName(const QString& path)
{
    const qsizetype sep = LastSeparator(path);
    return sep < 0 ? path : path.mid(sep + 1);
}

QString GetFileNameNoExt(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

void SleepSeconds(float seconds)
{
    const auto ms = static_cast<unsigned long>(std::floor(std::max(0.0f, seconds) * 1000.0f));
    QThread::msleep(ms);
}

QString GetLoginUserName() { return LoginUserName().left(255); }
QString GetThisComputerName() { return ComputerName().left(255); }
