#include "vocabulary/ItemPairText.h"

#include "core/TextEncodingDetect.h"
#include "core/TextFile.h"

#include <QStringList>

#include <algorithm>

namespace {

// Text that holds what no term can: a replacement for bytes that did not decode, a lone
// surrogate, or a control character other than the line ends and the tab.
bool ReadsAsText(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QChar::ReplacementCharacter || c.unicode() == 0)
            return false;
        if (c.isHighSurrogate() && (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate()))
            return false;
        if (c.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate()))
            return false;
        if (c.unicode() < 0x20 && c != QLatin1Char('\r') && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            return false;
    }
    return true;
}

} // namespace

std::vector<ItemPair> ParseItemPairs(const QString& text)
{
    const QStringList lines = TextFromFileLines(text).split(QLatin1Char('\n'));
    std::vector<ItemPair> pairs;
    qsizetype i = 0;
    while (i < lines.size()) {
        const QString& first = lines.at(i++);
        if (first.isEmpty())
            continue;
        if (i >= lines.size())
            break; // a last line without its partner makes no item
        const QString& second = lines.at(i++);
        if (second.isEmpty())
            continue;
        pairs.push_back({first, second});
    }
    return pairs;
}

std::optional<QString> DecodeItemPairFile(const QByteArray& bytes)
{
    // An odd byte count is no UTF-16 text; NUL bytes without a mark are no 8-bit text.
    if (StartsWithUtf16Mark(bytes) ? bytes.size() % 2 != 0 : bytes.contains('\0'))
        return std::nullopt;
    QString text = DecodeDetectedText(bytes);
    if (!ReadsAsText(text))
        return std::nullopt;
    return text;
}

std::optional<std::vector<ItemPair>> ReadItemPairFile(const QString& path)
{
    const std::optional<QString> text = DecodeItemPairFile(ReadWholeFile(path));
    if (!text)
        return std::nullopt;
    return ParseItemPairs(*text);
}
