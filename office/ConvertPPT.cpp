// One presentation converted through the program's office: the texts of its masters (slide,
// notes and handout masters), of every slide and its notes page (placeholders, shapes, the
// members of groups, the cells of tables), the slides' names and the document's text
// properties, each converted text given the output font. As with workbooks, the source is
// never written; the result is stored once, in the source's format, under the output path
// (through a temporary file beside it), and a conversion that met any failure stores nothing
// and reports false with one error-log record naming the presentation and what failed.
#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/FileIdentity.h"
#include "core/Log.h"
#include "office/ConversionSteps.h"
#include "office/ConvertCharts.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/office/OfficeFormats.h"

#include <QTime>

namespace {

using office::OfficeDocument;
using office::OfficeError;
using PageId = OfficeDocument::PageId;
using PageKind = OfficeDocument::PageKind;
using PageText = OfficeDocument::PageText;

QString PageName(PageId page) { return OfficeDocument::PageName(page); }

// A slide's own text frame whose whole text is "*" is left alone; on notes pages, masters,
// inside groups and in table cells it is converted like any other text.
bool TakesPart(const PageText& text, PageKind kind)
{
    return !(kind == PageKind::Slide && !text.InGroup() && text.row < 0 && text.text == QLatin1String("*"));
}

// Converts the texts of one page (a few hundred shapes' texts in each library call) and
// writes back those that changed; every converted text gets the output font. On a slide the
// groups are dissolved into their members afterwards.
void TransPage(OfficeDocument& deck, PageId page, ConversionFailures& failures)
{
    int failed = 0;
    deck.RewritePageTexts(page, [&](QList<PageText>& texts) {
        QStringList originals;
        QList<qsizetype> taking;
        for (qsizetype k = 0; k < texts.size(); ++k) {
            texts[k].leave = !TakesPart(texts.at(k), page.kind);
            if (!texts.at(k).leave) {
                originals.append(texts.at(k).text);
                taking.append(k);
            }
        }
        const QStringList converted = ConvertTexts(originals, failed);
        for (qsizetype k = 0; k < taking.size(); ++k)
            texts[taking.at(k)].text = converted.at(k) == originals.at(k) ? QString() : converted.at(k);
    }, gsConvFontName, page.kind == PageKind::Slide);
    if (failed > 0)
        failures.Add(PageName(page), QStringLiteral("%1 texts not converted").arg(failed));
}

// The masters: every slide master, the handout master, every master's notes page. Groups on
// them stay groups; their members are converted in place.
void TransPPTShapes(OfficeDocument& deck, ConversionFailures& failures)
{
    int masters = 0;
    ConversionStep(failures, QStringLiteral("masters"), [&] { masters = deck.MasterCount(); });
    QList<PageId> pages;
    for (int m = 0; m < masters; ++m)
        pages.append({PageKind::Master, m});
    pages.append({PageKind::HandoutMaster, 0});
    for (int m = 0; m < masters; ++m)
        pages.append({PageKind::MasterNotes, m});
    for (const PageId& page : pages)
        ConversionStep(failures, PageName(page), [&] { TransPage(deck, page, failures); });
}

// One slide: its texts (its groups dissolved into their members) and those of its notes
// page. A failure ends the work on the slide.
void TransPPTSlide(OfficeDocument& deck, int slide, ConversionFailures& failures)
{
    const qsizetype before = failures.objects.size();
    ConversionStep(failures, PageName({PageKind::Slide, slide}), [&] {
        TransPage(deck, {PageKind::Slide, slide}, failures);
        TransPage(deck, {PageKind::SlideNotes, slide}, failures);
    });
    if (failures.objects.size() > before)
        WriteLog(QStringLiteral(" ..TransPPTSlide ERROR."));
}

// The slide's name, read before the slide is converted and converted after it.
void TransSlideName(OfficeDocument& deck, int slide, const QString& name, ConversionFailures& failures)
{
    if (name.isEmpty())
        return;
    const QString what = QStringLiteral("name of slide %1").arg(slide + 1);
    QString converted;
    if (ConvertTextOf(what, name, converted, failures) && converted != name)
        ConversionStep(failures, what, [&] { deck.SetSlideName(slide, converted); });
}

void ConvertDeck(DlgProgress& progress, const QString& sSrc, const QString& sDst, ConversionFailures& failures)
{
    OfficeDocument deck = office_session::ProgramOffice().Load(sSrc, office::DocumentKind::Presentation);
    WriteLog(QStringLiteral("Presentation Opened:") + sSrc + QStringLiteral(", SaveAs:") + sDst);
    ShowConversionProgress(progress, sSrc, 10);
    const QTime start = QTime::currentTime();
    TransPPTShapes(deck, failures);
    ShowConversionProgress(progress, sSrc, 20);
    int slides = 0;
    ConversionStep(failures, QStringLiteral("slides"), [&] { slides = deck.SlideCount(); });
    const int step = slides > 0 ? 80 / slides : 0;
    int position = 20;
    for (int slide = 0; slide < slides; ++slide) {
        QString name;
        ConversionStep(failures, QStringLiteral("name of slide %1").arg(slide + 1), [&] { name = deck.SlideName(slide); });
        WriteLog(QStringLiteral(".Do Slide:") + name + QStringLiteral("(%1/%1)").arg(slide + 1));
        TransPPTSlide(deck, slide, failures);
        if (deck.SlideMayHoldCharts(slide))
            ConversionStep(failures, QStringLiteral("charts of slide %1").arg(slide + 1),
                           [&] { TransSlideCharts(deck, slide, failures); });
        TransSlideName(deck, slide, name, failures);
        position += step;
        ShowConversionProgress(progress, sSrc, position);
    }
    ShowConversionProgress(progress, sSrc, 100);
    ConversionStep(failures, QStringLiteral("document properties"), [&] { ConvertTextProperties(deck, failures); });
    if (!failures.objects.isEmpty())
        return;
    ConversionStep(failures, QStringLiteral("output ") + sDst, [&] { deck.StoreAs(sDst, office::StoreFilterFor(sDst, deck.FilterName())); });
    WriteLog(QStringLiteral("--- Presentation Closed:") + sDst);
    WriteLog(QStringLiteral("--- Process Time(in seconds):") + QString::number(start.secsTo(QTime::currentTime())));
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
            ConvertDeck(progress, sSrc, sDst, failures);
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
