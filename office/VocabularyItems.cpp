#include "office/VocabularyItems.h"

#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QByteArray>

#include <cstring>

namespace {

QString TermFromBuffer(const char (&buffer)[100])
{
    return FromSystemCodePage(QByteArray(buffer, int(strnlen(buffer, sizeof buffer))));
}

}  // namespace

VocabularyItem FetchItem(int32_t hPct, int32_t index)
{
    char traditional[100] = {};
    char simplified[100] = {};
    int32_t traditionalLen = 100;
    int32_t simplifiedLen = 100;
    VocabularyItem item;
    _TezPCTGetItem(hPct, index, traditional, &traditionalLen, simplified, &simplifiedLen, &item.status);
    item.traditional = TermFromBuffer(traditional);
    item.simplified = TermFromBuffer(simplified);
    return item;
}

int32_t ItemCount(int32_t hPct)
{
    int32_t count = 0;
    _TezPCTGetItemNum(hPct, &count);
    return count;
}

QString ConvertTerm(const QString& term, bool toSimplified)
{
    if (term.isEmpty())
        return term;
    const int32_t result = _TezConvertStringUU(ghStmt, reinterpret_cast<const char16_t*>(term.utf16()),
                                               int32_t(term.size()), toSimplified ? 1 : 0, 0, &ghResult);
    if (result != 0)
        return term;
    const int32_t n = _TezGetUniLen(ghResult);
    if (n <= 0)
        return term;
    QString converted(n, QChar());
    _TezGetUniStr(ghResult, reinterpret_cast<char16_t*>(converted.data()), n);
    return converted.isEmpty() ? term : converted;
}
