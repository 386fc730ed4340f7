#include "core/ConvertOptions.h"

#include "core/Log.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

int16_t giConvType = 0;
int16_t giConvOption = 0;
QString gsConvFontName;

void SetConvertOption(bool bB52GB, bool bCode, bool bPhrase, bool bL2R)
{
    try {
        if (bB52GB) giConvType = bCode ? 4 : 5;
        else giConvType = bCode ? 6 : 7;
        if (giConvType == 4 || giConvType == 6) giConvOption = bPhrase ? 0 : 2;
        else giConvOption = bL2R ? 4 : 3;
        gsConvFontName = (giConvType == 4 || giConvType == 7) ? QStringLiteral("宋体") : QStringLiteral("細明體");
        WriteLog(QStringLiteral("SetConvertOption: giConvType=%1, giConvOption=%2, gsConvFontName=%3")
                     .arg(giConvType)
                     .arg(giConvOption)
                     .arg(gsConvFontName));
    } catch (...) {
        ErrorLog(QStringLiteral("SetConvertOption"));
    }
}

namespace {

// The library's mode and flag for a conversion type and option.
struct ConvertUStringMode {
    int32_t mode;
    int32_t flag;
};

ConvertUStringMode ConvertUStringModeOf(int convType, int convOption)
{
    switch (convType) {
    case 4: return {1, convOption == 0 ? -1 : 0};
    case 5: return {2, convOption != 3 ? -1 : 0};
    case 6: return {0, convOption == 0 ? -1 : 0};
    case 7: return {3, convOption == 3 ? -1 : 0};
    default: return {0, 0};
    }
}

} // namespace

QString ConvertUString(const QString& text, int convType, int convOption)
{
    if (text.isEmpty()) return QString();
    try {
        // utf16() gives the code units followed by a zero unit.
        const ConvertUStringMode m = ConvertUStringModeOf(convType, convOption);
        const int32_t r = _TezConvertStringUU(ghStmt, reinterpret_cast<const char16_t*>(text.utf16()),
                                              static_cast<int32_t>(text.size()), m.mode, m.flag, &ghResult);
        if (r != 0) return QString();
        const int32_t n = _TezGetUniLen(ghResult);
        if (n <= 0) return QString();
        QString result(n, QChar(0));
        _TezGetUniStr(ghResult, reinterpret_cast<char16_t*>(result.data()), n);
        return result;
    } catch (...) {
        ErrorLog(QStringLiteral("ConvertUString"));
        return QString();
    }
}

int32_t ConvertFileByFlags(const QString& inputPath, const QString& outputPath, bool bCode, bool bPhrase,
                        bool bB52GB, bool bL2R, int32_t flag)
{
    return ConvertFileByFlagsOn(ghStmt, inputPath, outputPath, bCode, bPhrase, bB52GB, bL2R, flag);
}

int32_t ConvertFileByFlagsOn(int32_t hStmt, const QString& inputPath, const QString& outputPath, bool bCode,
                             bool bPhrase, bool bB52GB, bool bL2R, int32_t flag)
{
    const int32_t type = bB52GB ? (bCode ? 0 : 1) : (bCode ? 3 : 2);
    const int32_t phraseMode = bCode ? (bPhrase ? 1 : 0) : (bL2R ? 3 : 2);
    return _TezFileConversion(hStmt, ToSystemCodePage(inputPath).constData(), ToSystemCodePage(outputPath).constData(),
                       type, phraseMode, flag);
}
