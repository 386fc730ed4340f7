#include "vocabulary/ItemPairText.h"

#include "instant/TextFile.h"

#include <QStringList>

namespace {
QStringList SplitLines(const QString& text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines << line;
            line.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}
} // namespace

std::vector<ItemPair> ParseItemPairs(const QString& text)
{
    const QStringList lines = SplitLines(text);
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

std::vector<ItemPair> ReadItemPairFile(const QString& path)
{
    return ParseItemPairs(DecodeEightBitText(ReadWholeFile(path), /*big5=*/false));
}
