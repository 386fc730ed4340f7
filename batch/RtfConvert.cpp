#include "batch/RtfConvert.h"

#include "core/Err.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"

#include <QFile>

#include <cstdio>

namespace {

void raiseOnFailure(int32_t rc, const QString& file)
{
    if (rc != 0)
        throw RuntimeError(errPathFileAccess,
                           QStringLiteral("RTF conversion of %1 failed (Return : %2)").arg(file).arg(rc));
}

}  // namespace

void ConvertStringForRTFFile(const QString& rtfFile, const QString& outputPath, bool bB52GB)
{
    raiseOnFailure(_ConvertStringForRTFFileEx(ghStmt, ToSystemCodePage(rtfFile).constData(),
                                              ToSystemCodePage(outputPath).constData(), bB52GB ? 1 : 0, 0),
                   rtfFile);
}

void RtfChangeCodePage(const QString& file, bool bTraditional)
{
    // The library never writes over its input: convert into a file beside it, then move
    // that file over the original in one step.
    const QString temp = file + QStringLiteral(".cpg");
    raiseOnFailure(_ConvertStringForRTFFileEx(ghStmt, ToSystemCodePage(file).constData(),
                                              ToSystemCodePage(temp).constData(), bTraditional ? 2 : 3, 0),
                   file);
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(file).constData()) != 0) {
        QFile::remove(temp);
        throw RuntimeError(errPathFileAccess, QStringLiteral("Cannot replace %1").arg(file));
    }
}
