// One Word document converted through the program's office, loaded once and stored once:
// the text of every story (body and tables, headers, footers, text frames, shapes' texts,
// footnotes, endnotes, comments) converted in the document by the library's string
// conversion with the run's parameters, exactly as the same text converts as a string
// (vocabulary applied once, longest match first), with only the changed stretches replaced;
// then the output font on every story and the built-in text properties converted. The source
// is never written: the result is stored in the output's own format (Office XML formats
// keep theirs, others become Word 97) under the output path, through a temporary file beside
// it. A conversion that met any failure stores nothing and reports false, with one
// error-log record naming the document and what failed.
#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/FileIdentity.h"
#include "core/Log.h"
#include "core/dlgProgress.h"
#include "office/ConversionSteps.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/MousePointer.h"
#include "platform/office/OfficeFormats.h"

#include <QCoreApplication>
#include <QTime>

namespace {

using office::OfficeDocument;
using office::OfficeError;

void ConvertDocumentTexts(OfficeDocument& document, ConversionFailures& failures)
{
    const QString object = QStringLiteral("document text");
    const int left = document.ConvertStoryTexts(
        [&](const QStringList& texts) { return ConvertTextsOf(object, texts, failures); });
    if (left > 0)
        failures.Add(object, QStringLiteral("%1 stretches beside fields not converted").arg(left));
}

// The dialog's bar at the value, painted at once (no event loop runs while the office works).
// Only what changed is painted: the bar, and the file's name when it is new.
void ShowDocumentProgress(DlgProgress& progress, const QString& source, int value)
{
    if (!progress.isVisible() || progress.labFile->text() != source) {
        ShowConversionProgress(progress, source, value);
        return;
    }
    progress.ProgressBar1->setRange(0, 100);
    progress.ProgressBar1->setValue(value);
    progress.ProgressBar1->repaint();
}

}  // namespace

bool ConvertDOC(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R)
{
    SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
    MousePointerKeeper hourglass(vbHourglass);
    ShowDocumentProgress(progress, sSrc, 0);
    ConversionFailures failures;
    if (IsOneFile(sSrc, sDst)) {
        failures.Add(QStringLiteral("output"), QStringLiteral("the output is the document itself: ") + sDst);
    } else {
        try {
            OfficeDocument document = office_session::ProgramOffice().Load(sSrc, office::DocumentKind::Text);
            WriteLog(QStringLiteral("Document Opened:") + sSrc + QStringLiteral(", SaveAs:") + sDst);
            ShowDocumentProgress(progress, sSrc, 5);
            const QTime start = QTime::currentTime();
            ConversionStep(failures, QStringLiteral("document text"), [&] { ConvertDocumentTexts(document, failures); });
            ShowDocumentProgress(progress, sSrc, 50);
            if (!gsConvFontName.isEmpty())
                ConversionStep(failures, QStringLiteral("fonts"), [&] { document.SetStoriesFont(gsConvFontName); });
            ShowDocumentProgress(progress, sSrc, 90);
            ConversionStep(failures, QStringLiteral("document properties"), [&] { ConvertTextProperties(document, failures); });
            ShowDocumentProgress(progress, sSrc, 100);
            if (failures.objects.isEmpty()) {
                ConversionStep(failures, QStringLiteral("output ") + sDst, [&] {
                    document.StoreAs(sDst, office::StoreFilterFor(sDst, office::kFilterWord97));
                });
                WriteLog(QStringLiteral("--- Document Closed:") + sDst);
                WriteLog(QStringLiteral("--- Process Time(in seconds):") +
                         QString::number(start.msecsTo(QTime::currentTime()) / 1000.0));
            }
        } catch (const OfficeError& e) {
            failures.Add(QStringLiteral("document"), e.message());
        }
        QCoreApplication::processEvents();
        office_session::StopWhenIdle();
    }
    if (failures.objects.isEmpty())
        return true;
    Err().Set(errAutomation, sSrc + QStringLiteral(" (output ") + sDst + QStringLiteral("): ") +
                                 failures.objects.join(QStringLiteral("; ")));
    ErrorLogQuiet(QStringLiteral("ConvertDOC"));
    return false;
}
