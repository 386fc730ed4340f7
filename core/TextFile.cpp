#include "core/TextFile.h"

#include "core/Err.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

// The text with every CR LF and every lone CR turned into LF.
QString WithLfLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw RuntimeError(errFileNotFound, ErrorDescription(errFileNotFound) + QStringLiteral(": ") + path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(errPathFileAccess, file.errorString() + QStringLiteral(": ") + path);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(errPathFileAccess, file.errorString() + QStringLiteral(": ") + path);
    return bytes;
}

void WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw RuntimeError(errPathFileAccess, file.errorString() + QStringLiteral(": ") + path);
}

EightBitEncoding DetectEightBitEncoding(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return EightBitEncoding::Utf8Bom;
    bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return EightBitEncoding::CodePage;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    return utf8.hasError() ? EightBitEncoding::CodePage : EightBitEncoding::Utf8;
}

QString DecodeEightBitText(const QByteArray& bytes, bool big5, EightBitEncoding* found)
{
    EightBitEncoding encoding = DetectEightBitEncoding(bytes);
    if (found)
        *found = encoding;
    switch (encoding) {
    case EightBitEncoding::Utf8Bom:
        return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    case EightBitEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case EightBitEncoding::CodePage:
        break;
    }
    return big5 ? FromBig5(bytes) : FromGB(bytes);
}

QByteArray EncodeEightBitText(const QString& text, bool big5, EightBitEncoding encoding)
{
    switch (encoding) {
    case EightBitEncoding::Utf8Bom:
        return kUtf8Bom + text.toUtf8();
    case EightBitEncoding::Utf8:
        return text.toUtf8();
    case EightBitEncoding::CodePage:
        break;
    }
    return big5 ? ToBig5(text) : ToGB(text);
}

bool StartsWithUtf16Mark(const QByteArray& bytes)
{
    return bytes.startsWith(QByteArray("\xFF\xFE", 2)) || bytes.startsWith(QByteArray("\xFE\xFF", 2));
}

QString DecodeUnicodeFileText(const QByteArray& bytes)
{
    if (bytes.size() < 2)
        return QString();
    const bool bigEndian = static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF;
    const qsizetype units = (bytes.size() - 2) / 2;
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i) {
        auto first = static_cast<unsigned char>(bytes[2 + 2 * i]);
        auto second = static_cast<unsigned char>(bytes[3 + 2 * i]);
        char16_t unit = bigEndian ? static_cast<char16_t>(first << 8 | second) : static_cast<char16_t>(second << 8 | first);
        text[i] = unit == 0 ? QChar(u' ') : QChar(unit);
    }
    return text;
}

QString TextFromFileLines(const QString& text)
{
    QString lines = WithLfLineEnds(text);
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

QString FileLinesFromText(const QString& text)
{
    return WithLfLineEnds(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
