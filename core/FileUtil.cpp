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
    // The line's UTF-16 units, two bytes each, up to the single bytes 13 10 that the writer
    // puts after them. Only a unit boundary can end the line: the bytes 0D 0A inside a unit
    // pair (U+0D15 before U+4E0A) belong to the text. An odd last byte is dropped.
    char pair[2];
    while (file.read(pair, 2) == 2) {
        if (pair[0] == '\r' && pair[1] == '\n')
            break;
        line.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(pair[0]) | static_cast<unsigned char>(pair[1]) << 8)));
    }
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
