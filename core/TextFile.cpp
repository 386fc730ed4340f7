#include "core/TextFile.h"

#include "core/CheckedFileWrite.h"
#include "core/Err.h"
#include "core/TextEncodingDetect.h"

#include <QFile>
#include <QFileInfo>


namespace {

// The text with every CR LF and every lone CR turned into LF.
QString WithLfLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The kept codes of origin that still stand in text: those before the first and after the
// last character where text and origin's text differ, moved to their place in text.
QList<KeptCode> KeptCodesFor(const QString& text, const TextFileOrigin& origin)
{
    const QString& before = origin.text;
    if (origin.kept.isEmpty())
        return {};
    const qsizetype shorter = std::min(text.size(), before.size());
    qsizetype prefix = 0;
    while (prefix < shorter && text[prefix] == before[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && text[text.size() - 1 - suffix] == before[before.size() - 1 - suffix])
        ++suffix;
    const qsizetype shift = text.size() - before.size();
    QList<KeptCode> kept;
    for (KeptCode code : origin.kept) {
        if (code.position + code.length <= prefix) {
            kept.append(code);
        } else if (code.position >= before.size() - suffix) {
            code.position += shift;
            kept.append(code);
        }
    }
    return kept;
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
    // A link stays a link: the file it points to is the one replaced.
    const QFileInfo info(path);
    CheckedFileWrite file(QFile::encodeName(info.isSymLink() && info.exists() ? info.canonicalFilePath() : info.absoluteFilePath()));
    file.write(bytes);
    file.commit();
}

QString TextFromFile(const QByteArray& bytes, TextEncoding preferred, TextFileOrigin* origin)
{
    const TextEncoding encoding = DetectTextEncoding(bytes, preferred);
    QList<KeptCode> kept;
    const QString raw = DecodeText(bytes, encoding, &kept);
    const QString text = TextFromFileLines(raw);
    if (origin) {
        // Each CR LF of the file became one "\n" of the text: move the codes behind it.
        qsizetype removed = 0;
        qsizetype at = 0;
        for (KeptCode& code : kept) {
            for (; at < code.position; ++at)
                if (raw[at] == QLatin1Char('\r') && at + 1 < raw.size() && raw[at + 1] == QLatin1Char('\n'))
                    ++removed;
            code.position -= removed;
        }
        *origin = {encoding, text, kept};
    }
    return text;
}

QByteArray FileFromText(const QString& text, const TextFileOrigin& origin)
{
    QList<KeptCode> kept = text.contains(QLatin1Char('\r')) ? QList<KeptCode>() : KeptCodesFor(text, origin);
    // Each "\n" of the text becomes CR LF in the file: move the codes behind it.
    qsizetype added = 0;
    qsizetype at = 0;
    for (KeptCode& code : kept) {
        for (; at < code.position; ++at)
            if (text[at] == QLatin1Char('\n'))
                ++added;
        code.position += added;
    }
    return EncodeText(FileLinesFromText(text), origin.encoding, kept);
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
