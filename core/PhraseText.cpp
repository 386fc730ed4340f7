#include "core/PhraseText.h"

#include "core/Err.h"
#include "core/mTezC.h"
#include "core/TezText.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <vector>

namespace {
// Encoding only, Simplified code page side.
constexpr int32_t kEncodingOnlyMode = 3;
constexpr int32_t kEncodingOnlyFlag = 0;
} // namespace

std::optional<QByteArray> TermToBytes(const QString& term)
{
    QByteArray bytes;
    if (!term.isEmpty() && TezConvertUD(term, kEncodingOnlyMode, kEncodingOnlyFlag, bytes) != 0)
        return std::nullopt;
    return bytes;
}

QByteArray TermToBytesOrThrow(const QString& term)
{
    const std::optional<QByteArray> bytes = TermToBytes(term);
    if (!bytes)
        Err().Raise(errInvalidCall, QStringLiteral("_TezConvertStringUD: ") + term);
    return *bytes;
}

QString BytesToTerm(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    QString term;
    if (TezConvertDU(bytes, kEncodingOnlyMode, kEncodingOnlyFlag, term) == 0)
        return term;
    // The library could not convert it: the bytes are still GB text.
    return FromSystemCodePage(bytes);
}

ShownTerm ShowTerm(const QByteArray& original) { return {original, BytesToTerm(original)}; }

std::optional<QByteArray> TermForLibrary(const QString& text, const ShownTerm& term)
{
    if (text == term.shown)
        return term.original;
    return TermToBytes(text);
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
    return FromSystemCodePage(QByteArray(buffer.data()));
}

ItemTerms FetchItemTerms(const ItemFetch& fetch)
{
    ItemTerms item;
    int32_t tradSize = kMaxTermBytes + 1;
    int32_t simpSize = kMaxTermBytes + 1;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<char> trad(static_cast<std::size_t>(tradSize) + 1, '\0');
        std::vector<char> simp(static_cast<std::size_t>(simpSize) + 1, '\0');
        int32_t tradLen = tradSize;
        int32_t simpLen = simpSize;
        fetch(&item.hPct, &item.index, &item.status, trad.data(), &tradLen, simp.data(), &simpLen);
        item.trad = QByteArray(trad.data());
        item.simp = QByteArray(simp.data());
        // The length out is the whole term's: fetch again when a term did not fit.
        if (tradLen < tradSize && simpLen < simpSize)
            break;
        tradSize = std::max(tradSize, tradLen + 1);
        simpSize = std::max(simpSize, simpLen + 1);
    }
    return item;
}

PCTItem PCTGetItem(int32_t hPct, int32_t index)
{
    const ItemTerms terms = FetchItemTerms(
        [&](int32_t*, int32_t*, int32_t* status, char* trad, int32_t* tradLen, char* simp, int32_t* simpLen) {
            return _TezPCTGetItem(hPct, index, trad, tradLen, simp, simpLen, status);
        });
    return {BytesToTerm(terms.trad), BytesToTerm(terms.simp), terms.status};
}

void RaiseLibraryFailure(const char* call, int32_t result)
{
    Err().Raise(errInvalidCall, QString::fromLatin1(call) + QStringLiteral(" Return : ") + QString::number(result));
}
