#include "vocabulary/ItemPairText.h"

#include "core/TextEncodingDetect.h"
#include "core/TextFile.h"

#include <QStringList>

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

std::vector<ItemPair> ReadItemPairFile(const QString& path)
{
    return ParseItemPairs(DecodeDetectedText(ReadWholeFile(path)));
}
