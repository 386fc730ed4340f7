#include "vocabulary/PhraseText.h"

#include "core/Err.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <vector>

namespace {
// Encoding only, Simplified code page side.
constexpr int32_t kEncodingOnlyMode = 3;
constexpr int32_t kEncodingOnlyFlag = 0;

// Text of a fetch buffer up to its first NUL.
QByteArray UpToNul(const std::vector<char>& buffer)
{
    QByteArray bytes(buffer.data(), static_cast<qsizetype>(buffer.size()));
    const qsizetype nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}
} // namespace

bool TermToBytes(const QString& term, QByteArray& bytes)
{
    bytes.clear();
    if (term.isEmpty())
        return true;
    const int32_t r = _TezConvertStringUD(ghStmt, reinterpret_cast<const char16_t*>(term.utf16()),
                                          static_cast<int32_t>(term.size()), kEncodingOnlyMode,
                                          kEncodingOnlyFlag, &ghResult);
    if (r != 0)
        return false;
    const int32_t n = _TezGetDBLen(ghResult);
    if (n < 0)
        return false;
    std::vector<char> buffer(static_cast<std::size_t>(n) + 1, '\0');
    _TezGetDBStr(ghResult, buffer.data(), n);
    bytes = UpToNul(buffer);
    return true;
}

QByteArray TermToBytesOrThrow(const QString& term)
{
    QByteArray bytes;
    if (!TermToBytes(term, bytes))
        Err().Raise(errInvalidCall, QStringLiteral("_TezConvertStringUD: ") + term);
    return bytes;
}

QString BytesToTerm(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    const int32_t r = _TezConvertStringDU(ghStmt, bytes.constData(), static_cast<int32_t>(bytes.size()),
                                          kEncodingOnlyMode, kEncodingOnlyFlag, &ghResult);
    if (r == 0) {
        const int32_t n = _TezGetUniLen(ghResult);
        if (n >= 0) {
            std::vector<char16_t> buffer(static_cast<std::size_t>(n) + 1, u'\0');
            _TezGetUniStr(ghResult, buffer.data(), n);
            return QString::fromUtf16(buffer.data(), n);
        }
    }
    // The library could not convert it: the bytes are still GB text.
    return FromSystemCodePage(bytes);
}

QByteArray PathToBytes(const QString& path) { return ToSystemCodePage(path); }

bool PCTPathFits(const QString& path) { return PathToBytes(path).size() <= kMaxPCTPathBytes; }

QString PCTGetPath(int32_t hPct)
{
    int32_t len = kMaxPCTPathBytes + 1;
    std::vector<char> buffer(static_cast<std::size_t>(len), '\0');
    _TezPCTGetPath(hPct, buffer.data(), &len);
    if (len >= static_cast<int32_t>(buffer.size())) {
        // Longer than the usual buffer: fetch it again whole.
        buffer.assign(static_cast<std::size_t>(len) + 1, '\0');
        len = static_cast<int32_t>(buffer.size());
        _TezPCTGetPath(hPct, buffer.data(), &len);
    }
    return FromSystemCodePage(UpToNul(buffer));
}

PCTItem PCTGetItem(int32_t hPct, int32_t index)
{
    int32_t tradLen = kMaxTermBytes + 1;
    int32_t simpLen = kMaxTermBytes + 1;
    std::vector<char> trad(static_cast<std::size_t>(tradLen), '\0');
    std::vector<char> simp(static_cast<std::size_t>(simpLen), '\0');
    PCTItem item;
    _TezPCTGetItem(hPct, index, trad.data(), &tradLen, simp.data(), &simpLen, &item.Status);
    if (tradLen >= static_cast<int32_t>(trad.size()) || simpLen >= static_cast<int32_t>(simp.size())) {
        // A term longer than the usual buffer: fetch the item again with room for both.
        trad.assign(static_cast<std::size_t>(std::max(tradLen, kMaxTermBytes)) + 1, '\0');
        simp.assign(static_cast<std::size_t>(std::max(simpLen, kMaxTermBytes)) + 1, '\0');
        tradLen = static_cast<int32_t>(trad.size());
        simpLen = static_cast<int32_t>(simp.size());
        _TezPCTGetItem(hPct, index, trad.data(), &tradLen, simp.data(), &simpLen, &item.Status);
    }
    item.Trad = BytesToTerm(UpToNul(trad));
    item.Simp = BytesToTerm(UpToNul(simp));
    return item;
}

void RaiseLibraryFailure(const char* call, int32_t result)
{
    Err().Raise(errInvalidCall, QString::fromLatin1(call) + QStringLiteral(" Return : ") + QString::number(result));
}
