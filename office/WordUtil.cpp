// The word-processor operations of the Word route, on the program's one office: each opens
// its document, does its job, saves and closes it. The office stays for the next operation
// and ends when it has not been used for a while (unless a kind of document holds it).
#include "core/Err.h"
#include "core/LoadedTableList.h"
#include "core/dlgProgress.h"
#include "core/mTezC.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "office/VocabularyItems.h"
#include "core/FileIdentity.h"
#include "platform/CodePage.h"
#include "platform/office/OfficeFormats.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>


namespace {

using office::DocumentKind;
using office::OfficeDocument;

// Runs one operation on the program's office; the office's failures reach the caller as
// run-time errors.
template <class F>
void WithWordProcessor(F&& operation)
{
    try {
        operation(office_session::ProgramOffice());
    } catch (const office::OfficeError& e) {
        office_session::StopWhenIdle();
        RaiseOfficeError(e);
    }
    office_session::StopWhenIdle();
}

void StepProgressValue(QProgressBar& bar) { bar.setValue(bar.value() + 1); }

}  // namespace

void WordSaveAsRtf(const QString& strInFile, const QString& strOutFile)
{
    if (IsOneFile(strInFile, strOutFile))
        Err().Raise(errPathFileAccess, QStringLiteral("The RTF copy would replace its source document: ") + strInFile);
    WithWordProcessor([&](office::OfficeSuite& suite) {
        OfficeDocument document = suite.Load(strInFile, DocumentKind::Text);
        document.StoreAs(strOutFile, QString::fromLatin1(office::kFilterRtf));
    });
}

void WordSaveAsWord8(const QString& strInFile, const QString& strOutFile)
{
    WithWordProcessor([&](office::OfficeSuite& suite) {
        OfficeDocument document = suite.Load(strInFile, DocumentKind::Text);
        document.StoreAs(strOutFile, office::StoreFilterFor(strOutFile, office::kFilterWord97));
    });
}

void WordReplaceAllPhrases(const QString& strFile, bool bTermB52GB, bool bL2R)
{
    if (glPCTCount <= 0)
        return;
    WithWordProcessor([&](office::OfficeSuite& suite) {
        OfficeDocument document = suite.Load(strFile, DocumentKind::Text);
        DlgProgress& progress = dlgProgress();
        QProgressBar& bar = *progress.ProgressBar1;
        bar.setMinimum(0);
        progress.labFile->setText(strFile);
        progress.repaint();
        bar.setMaximum(1);
        const int32_t tableCount = glPCTCount;
        for (int32_t i = 0; i < tableCount; ++i) {
            if (glPCTStatus[i] != 1)
                continue;
            const int32_t n = ItemCount(ghPCT[i]);
            bar.setMaximum(bar.maximum() + std::max(n, 0));
            for (int32_t j = 0; j < n; ++j) {
                const VocabularyItem item = FetchItem(ghPCT[i], j);
                if (item.status & 1) {
                    const QString search = ConvertTerm(bL2R ? item.traditional : item.simplified, bTermB52GB);
                    const QString replacement = ConvertTerm(bL2R ? item.simplified : item.traditional, bTermB52GB);
                    if (!search.isEmpty())
                        document.ReplaceAll(search, replacement, true);
                }
                StepProgressValue(bar);
            }
        }
        document.Store();
    });
}

void WordReplaceTablePhrases(const QString& strFile)
{
    _TezGetPCT(ghStmt, -1, &ghTmpPCT);
    const int32_t n = ItemCount(ghTmpPCT);
    if (n < 1)
        return;
    WithWordProcessor([&](office::OfficeSuite& suite) {
        OfficeDocument document = suite.Load(strFile, DocumentKind::Text);
        for (int32_t i = 0; i < n; ++i) {
            const VocabularyItem item = FetchItem(ghTmpPCT, i);
            // An empty search text would match everywhere; it is left out.
            if (!item.simplified.isEmpty())
                document.ReplaceAll(item.simplified, item.traditional, true);
        }
        document.Store();
    });
}

void WordClearFindFormatting(const QString& strFile, bool)
{
    WithWordProcessor([&](office::OfficeSuite& suite) {
        OfficeDocument document = suite.Load(strFile, DocumentKind::Text);
        document.Store();
    });
}

QString RtfIntermediatePath(const QString& outputPath)
{
    QString path = outputPath + QStringLiteral(".wpc");
    for (int n = 1; QFileInfo::exists(path); ++n)
        path = outputPath + QStringLiteral(".%1.wpc").arg(n);
    return path;
}
