#include "core/TextEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeMark("\xFF\xFE", 2);
const QByteArray kUtf16BeMark("\xFE\xFF", 2);

QString DecodeUtf16(const QByteArray& bytes, bool bigEndian)
{
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.constData());
    for (qsizetype i = 0; i < units; ++i) {
        const uint8_t first = s[2 * i];
        const uint8_t second = s[2 * i + 1];
        text[i] = QChar(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

QByteArray EncodeUtf16(const QString& text, bool bigEndian)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i + (bigEndian ? 1 : 0)] = static_cast<char>(unit & 0xFF);
        bytes[2 * i + (bigEndian ? 0 : 1)] = static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

bool IsCodePage(TextEncoding encoding)
{
    return encoding == TextEncoding::Gb || encoding == TextEncoding::Big5;
}

TextEncoding MarkedEncoding(const QByteArray& bytes, bool* marked)
{
    TextEncoding encoding = TextEncoding::Gb;
    bool found = true;
    if (bytes.startsWith(kUtf8Mark))
        encoding = TextEncoding::Utf8Bom;
    else if (bytes.startsWith(kUtf16LeMark))
        encoding = TextEncoding::Utf16Le;
    else if (bytes.startsWith(kUtf16BeMark))
        encoding = TextEncoding::Utf16Be;
    else
        found = false;
    if (marked)
        *marked = found;
    return encoding;
}

QString DecodeText(const QByteArray& bytes, TextEncoding encoding, QList<KeptCode>* kept)
{
    switch (encoding) {
    case TextEncoding::Gb:
        return FromGB(bytes, kept);
    case TextEncoding::Big5:
        return FromBig5(bytes, kept);
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: {
        const qsizetype skip = bytes.startsWith(kUtf8Mark) ? kUtf8Mark.size() : 0;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        return utf8.decode(QByteArrayView(bytes).sliced(skip));
    }
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be: {
        bool marked = false;
        MarkedEncoding(bytes, &marked);
        return DecodeUtf16(bytes.mid(marked ? 2 : 0), encoding == TextEncoding::Utf16Be);
    }
    }
    return QString();
}

QByteArray EncodeText(const QString& text, TextEncoding encoding, const QList<KeptCode>& kept)
{
    switch (encoding) {
    case TextEncoding::Gb:
        return ToGB(text, kept);
    case TextEncoding::Big5:
        return ToBig5(text, kept);
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8Bom:
        return kUtf8Mark + text.toUtf8();
    case TextEncoding::Utf16Le:
        return kUtf16LeMark + EncodeUtf16(text, false);
    case TextEncoding::Utf16Be:
        return kUtf16BeMark + EncodeUtf16(text, true);
    }
    return QByteArray();
}
