#include "instant/TezText.h"

#include "core/mTezC.h"

#include <vector>

namespace {

int conversions = 0;

// The 8-bit text of the last conversion's result.
QByteArray FetchEightBit()
{
    const int32_t n = _TezGetDBLen(ghResult);
    if (n <= 0)
        return QByteArray();
    std::vector<char> buffer(static_cast<std::size_t>(n) + 1, '\0');
    _TezGetDBStr(ghResult, buffer.data(), n);
    return QByteArray(buffer.data(), n);
}

// The UTF-16 text of the last conversion's result.
QString FetchUnicode()
{
    const int32_t n = _TezGetUniLen(ghResult);
    if (n <= 0)
        return QString();
    std::vector<char16_t> buffer(static_cast<std::size_t>(n), u'\0');
    _TezGetUniStr(ghResult, buffer.data(), n);
    return QString::fromUtf16(buffer.data(), n);
}

} // namespace

int TezConversionCount()
{
    return conversions;
}

int TezConvertDD(const QByteArray& text, int mode, int flag, QByteArray& result)
{
    ++conversions;
    const int32_t r = _TezConvertStringDD(ghStmt, text.constData(), static_cast<int32_t>(text.size()), mode, flag, &ghResult);
    if (r == 0)
        result = FetchEightBit();
    return r;
}

int TezConvertUD(const QString& text, int mode, int flag, QByteArray& result)
{
    ++conversions;
    const int32_t r = _TezConvertStringUD(ghStmt, reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<int32_t>(text.size()), mode, flag, &ghResult);
    if (r == 0)
        result = FetchEightBit();
    return r;
}

int TezConvertDU(const QByteArray& text, int mode, int flag, QString& result)
{
    ++conversions;
    const int32_t r = _TezConvertStringDU(ghStmt, text.constData(), static_cast<int32_t>(text.size()), mode, flag, &ghResult);
    if (r == 0)
        result = FetchUnicode();
    return r;
}
