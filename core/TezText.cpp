#include "core/TezText.h"

#include "core/mTezC.h"

namespace {

int conversions = 0;

// The 8-bit text of the last conversion's result (the library also writes a closing NUL).
QByteArray FetchEightBit()
{
    const int32_t n = _TezGetDBLen(ghResult);
    if (n <= 0)
        return QByteArray();
    QByteArray bytes(n + 1, '\0');
    _TezGetDBStr(ghResult, bytes.data(), n);
    bytes.chop(1);
    return bytes;
}

// The UTF-16 text of the last conversion's result.
QString FetchUnicode()
{
    const int32_t n = _TezGetUniLen(ghResult);
    if (n <= 0)
        return QString();
    QString text(n, QChar(0));
    _TezGetUniStr(ghResult, reinterpret_cast<char16_t*>(text.data()), n);
    return text;
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
