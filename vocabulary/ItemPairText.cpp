#include "vocabulary/ItemPairText.h"

#include "core/TextFile.h"
#include "platform/CodePage.h"

#include <QStringList>

#include <algorithm>

namespace {

bool IsIdeograph(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x20000 && c <= 0x3134F)
        || (c >= 0xF900 && c <= 0xFAFF);
}

int IdeographCount(const QString& text)
{
    int count = 0;
    for (char32_t c : text.toUcs4())
        count += IsIdeograph(c) ? 1 : 0;
    return count;
}

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

// 8-bit content in one of the two code pages: the reading with more ideographs wins (GB
// bytes read as Big5 and Big5 bytes read as GB turn many characters into symbols, kana or
// private-use characters); on a tie, GB, the system's code page.
std::optional<QString> DecodeCodePageText(const QByteArray& bytes)
{
    const QString gb = FromGB(bytes);
    const QString big5 = FromBig5(bytes);
    const bool gbReads = ReadsAsText(gb);
    const bool big5Reads = ReadsAsText(big5);
    if (big5Reads && (!gbReads || IdeographCount(big5) > IdeographCount(gb)))
        return big5;
    if (gbReads)
        return gb;
    return std::nullopt;
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
    std::optional<QString> text;
    if (StartsWithUtf16Mark(bytes)) {
        // An odd byte count is no UTF-16 text.
        if (bytes.size() % 2 == 0)
            text = DecodeUnicodeFileText(bytes);
    } else if (!bytes.contains('\0')) {
        EightBitEncoding encoding = EightBitEncoding::CodePage;
        const QString utf8 = DecodeEightBitText(bytes, false, &encoding);
        text = encoding == EightBitEncoding::CodePage ? DecodeCodePageText(bytes) : std::optional<QString>(utf8);
    }
    if (!text || !ReadsAsText(*text))
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
