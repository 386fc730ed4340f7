// One presentation converted through the program's office: the texts of every slide's
// shapes and of its notes page, and the document's text properties. As with workbooks, the
// source is never written; the result is stored once, in the source's format, under the
// output path, and a conversion that met any failure stores nothing and reports false with
// one error-log record naming the presentation and what failed.
#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/Log.h"
#include "office/ConversionSteps.h"
#include "office/ConvertCharts.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "core/FileIdentity.h"
#include "office/ShapeTypeName.h"

namespace {

using office::OfficeDocument;
using office::OfficeError;

void TransSlideShapes(OfficeDocument& deck, int slide, bool notes, ConversionFailures& failures)
{
    const QList<office::ShapeText> shapes = deck.SlideShapes(slide, notes);
    QStringList texts;
    QList<int> indexes;
    for (int i = 0; i < shapes.size(); ++i) {
        const office::ShapeText& shape = shapes.at(i);
        const QString typeName = ShapeTypeName(shape.typeCode);
        WriteLog(QStringLiteral("  .Do TShape:") + shape.name + QStringLiteral(", Type:") + typeName);
        if (typeName == QLatin1String("msoChart") || typeName == QLatin1String("msoEmbeddedOLEObject") ||
            typeName == QLatin1String("msoLine") || !shape.hasText || shape.text.isEmpty())
            continue;
        texts.append(shape.text);
        indexes.append(i);
    }
    if (texts.isEmpty())
        return;
    int failed = 0;
    const QStringList converted = ConvertTexts(texts, failed);
    if (failed > 0)
        failures.Add(QStringLiteral("%1 of slide %2").arg(notes ? QStringLiteral("notes") : QStringLiteral("shapes")).arg(slide + 1),
                     QStringLiteral("%1 texts not converted").arg(failed));
    for (int k = 0; k < indexes.size(); ++k)
        if (converted.at(k) != texts.at(k))
            deck.SetSlideShapeText(slide, notes, indexes.at(k), converted.at(k), gsConvFontName);
}

}  // namespace

bool ConvertPPT(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R)
{
    SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
    ShowConversionProgress(progress, sSrc, 0);
    ConversionFailures failures;
    if (IsOneFile(sSrc, sDst)) {
        failures.Add(QStringLiteral("output"), QStringLiteral("the output is the presentation itself: ") + sDst);
    } else {
        try {
            OfficeDocument deck = office_session::ProgramOffice().Load(sSrc, office::DocumentKind::Presentation);
            const int slides = deck.SlideCount();
            for (int slide = 0; slide < slides; ++slide) {
                const QString what = QStringLiteral("slide %1").arg(slide + 1);
                ConversionStep(failures, what, [&] { TransSlideShapes(deck, slide, false, failures); });
                ConversionStep(failures, what + QStringLiteral(" notes"), [&] { TransSlideShapes(deck, slide, true, failures); });
                ConversionStep(failures, what + QStringLiteral(" charts"), [&] { TransSlideCharts(deck, slide, failures); });
                ShowConversionProgress(progress, sSrc, 10 + 80 * (slide + 1) / slides);
            }
            ConversionStep(failures, QStringLiteral("document properties"), [&] { ConvertTextProperties(deck, failures); });
            ShowConversionProgress(progress, sSrc, 100);
            if (failures.objects.isEmpty())
                ConversionStep(failures, QStringLiteral("output ") + sDst, [&] { deck.StoreAs(sDst, deck.FilterName()); });
        } catch (const OfficeError& e) {
            failures.Add(QStringLiteral("presentation"), e.message());
        }
    }
    if (failures.objects.isEmpty())
        return true;
    Err().Set(errAutomation, sSrc + QStringLiteral(": ") + failures.objects.join(QStringLiteral("; ")));
    ErrorLogQuiet(QStringLiteral("ConvertPPT"));
    return false;
}
