#include "instant/FileTypeGuess.h"

#include "core/TextEncodingDetect.h"
#include "platform/CodePage.h"

#include <QHash>

#include <algorithm>

namespace {

bool IsUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
}

QString TypeName(int type)
{
    static const QString names[] = {QStringLiteral("繁体 BIG5"), QStringLiteral("繁体 UNICODE"), QStringLiteral("简体 GB"),
                                    QStringLiteral("简体 UNICODE")};
    return names[type - 1];
}

} // namespace

int GuessFileType(const QByteArray& bytes)
{
    const TextEncoding encoding = DetectTextEncoding(bytes, TextEncoding::Gb);
    bool marked = false;
    MarkedEncoding(bytes, &marked);
    const bool plain = !marked && !bytes.contains('\0') &&
                       std::none_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) >= 0x80; });
    if (plain)
        return 1;
    if (encoding == TextEncoding::Gb)
        return 3;
    if (encoding == TextEncoding::Big5)
        return 1;
    const bool simplified = IsTraditionalText(DecodeText(bytes, encoding)) == false;
    if (IsUtf16(encoding))
        return simplified ? 4 : 2;
    return simplified ? 3 : 1;
}

QString FileTypeLoss(const QByteArray& bytes, int type)
{
    const bool b5 = type == 1 || type == 2;
    const bool unicode = type == 2 || type == 4;
    const TextEncoding boxCodePage = b5 ? TextEncoding::Big5 : TextEncoding::Gb;
    TextEncoding found = boxCodePage;
    const QString text = DecodeDetectedText(bytes, boxCodePage, &found);
    if (unicode && !IsUtf16(found))
        return QStringLiteral("此文件不是 UNICODE (UTF-16) 文件，按“%1”打开会读成乱码。").arg(TypeName(type));
    // The box keeps the codes of a file in its own code page.
    if (found == boxCodePage)
        return QString();
    QHash<char32_t, bool> held;
    qsizetype lost = 0;
    QString first;
    for (char32_t c : text.toUcs4()) {
        auto it = held.find(c);
        if (it == held.end()) {
            const QString one = QString::fromUcs4(&c, 1);
            it = held.insert(c, b5 ? FromBig5(ToBig5(one)) == one : FromGB(ToGB(one)) == one);
        }
        if (*it)
            continue;
        ++lost;
        if (first.isEmpty())
            first = QString::fromUcs4(&c, 1);
    }
    if (lost == 0)
        return QString();
    return QStringLiteral("此文件有 %1 个字符不能用“%2”表示（如“%3”），打开后会丢失。").arg(lost).arg(TypeName(type), first);
}
