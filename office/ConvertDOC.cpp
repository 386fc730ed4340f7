// One Word document finished through the program's office: the output font on every story
// (body and tables, headers, footers, text frames, shapes' texts), the vocabulary of every
// story in two passes that keep the terms of proper-noun tables whole, and the built-in text
// properties. The source is never written: the result is stored once, in the source's own
// format, under the output path (through a temporary file beside it). A conversion that met
// any failure stores nothing and reports false, with one error-log record naming the
// document and what failed.
#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/FileIdentity.h"
#include "core/LoadedTableList.h"
#include "core/Log.h"
#include "core/dlgProgress.h"
#include "office/ConversionSteps.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "office/VocabularyItems.h"
#include "platform/MousePointer.h"
#include "platform/office/OfficeFormats.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QTime>

#include <utility>

namespace {

using office::OfficeDocument;
using office::OfficeError;
using Replacements = QList<std::pair<QString, QString>>;

// While the other terms are replaced, each proper noun stands in the text as a token of
// private-use characters: an opening mark, its number in octal digits, a closing mark. No
// search text can match inside a token, not even a single character of the noun. No
// document of ours holds these characters (checked before the passes and after them).
constexpr char16_t kTokenOpen = 0xF8F8;
constexpr char16_t kTokenClose = 0xF8F9;
constexpr char16_t kTokenDigit0 = 0xF8F0;

constexpr int32_t kTableInUse = 1;
constexpr int32_t kProperNounTableInUse = 3;

bool IsTokenCharacter(QChar c) { return c.unicode() >= kTokenDigit0 && c.unicode() <= kTokenClose; }

QString Token(int number)
{
    QString token{QChar(kTokenOpen)};
    do {
        token += QChar(char16_t(kTokenDigit0 + number % 8));
        number /= 8;
    } while (number > 0);
    token += QChar(kTokenClose);
    return token;
}

// The first token character in the texts, or a null character.
QChar TokenCharacterIn(const QStringList& texts)
{
    for (const QString& text : texts)
        for (QChar c : text)
            if (IsTokenCharacter(c))
                return c;
    return QChar();
}

// The replacements of both passes, in order. The first pass takes every table in use and
// turns each proper noun into its token; the second takes the proper-noun tables again and
// turns the tokens back into the nouns. Terms are put into the script of the document's
// text (which the code conversion already gave it); items not in use or with an empty term
// change nothing. The bar steps once per item of a selected table in each pass.
Replacements VocabularyPasses(bool toSimplified, bool bL2R, QProgressBar& bar, ConversionFailures& failures)
{
    Replacements replacements;
    Replacements restore;
    int32_t properNounItems = 0;
    for (int32_t i = 0; i < glPCTCount; ++i) {
        const int32_t status = glPCTStatus[i];
        if (status != kTableInUse && status != kProperNounTableInUse)
            continue;
        const bool properNouns = status == kProperNounTableInUse;
        const int32_t count = std::max(ItemCount(ghPCT[i]), 0);
        bar.setMaximum(bar.maximum() + count);
        if (properNouns)
            properNounItems += count;
        for (int32_t j = 0; j < count; ++j) {
            bar.setValue(bar.value() + 1);
            const VocabularyItem item = FetchItem(ghPCT[i], j);
            if (!(item.status & 1) || item.traditional.isEmpty() || item.simplified.isEmpty())
                continue;
            const QString search = ConvertTerm(bL2R ? item.traditional : item.simplified, toSimplified);
            const QString replacement = ConvertTerm(bL2R ? item.simplified : item.traditional, toSimplified);
            if (!TokenCharacterIn({search, replacement}).isNull()) {
                failures.Add(QStringLiteral("vocabulary table %1 item %2").arg(i + 1).arg(j + 1),
                             QStringLiteral("holds a character that marks proper nouns"));
                continue;
            }
            if (!properNouns) {
                replacements.append({search, replacement});
                continue;
            }
            const QString token = Token(int(restore.size()));
            replacements.append({search, token});
            restore.append({token, replacement});
        }
    }
    bar.setMaximum(bar.maximum() + properNounItems);
    replacements += restore;
    bar.setValue(bar.maximum());
    return replacements;
}

void ReplaceVocabulary(OfficeDocument& document, bool toSimplified, bool bL2R, DlgProgress& progress,
                       ConversionFailures& failures)
{
    const QChar held = TokenCharacterIn(document.StoryTexts());
    if (!held.isNull()) {
        failures.Add(QStringLiteral("document text"),
                     QStringLiteral("holds the private-use character U+%1 that marks proper nouns")
                         .arg(QString::number(held.unicode(), 16).toUpper()));
        return;
    }
    const Replacements replacements = VocabularyPasses(toSimplified, bL2R, *progress.ProgressBar1, failures);
    if (!failures.objects.isEmpty() || replacements.isEmpty())
        return;
    document.ReplaceInStories(replacements);
    if (!TokenCharacterIn(document.StoryTexts()).isNull())
        failures.Add(QStringLiteral("proper nouns"), QStringLiteral("a proper noun was not restored"));
}

}  // namespace

bool ConvertDOC(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R)
{
    SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
    MousePointerKeeper hourglass(vbHourglass);
    ShowConversionProgress(progress, sSrc, 0);
    ConversionFailures failures;
    if (IsOneFile(sSrc, sDst)) {
        failures.Add(QStringLiteral("output"), QStringLiteral("the output is the document itself: ") + sDst);
    } else {
        try {
            OfficeDocument document = office_session::ProgramOffice().Load(sSrc, office::DocumentKind::Text);
            WriteLog(QStringLiteral("Document Opened:") + sSrc + QStringLiteral(", SaveAs:") + sDst);
            ShowConversionProgress(progress, sSrc, 5);
            const QTime start = QTime::currentTime();
            if (!gsConvFontName.isEmpty())
                ConversionStep(failures, QStringLiteral("fonts"), [&] { document.SetStoriesFont(gsConvFontName); });
            // The document's text is in the output script: Simplified for types 4 and 7.
            const bool toSimplified = giConvType == 4 || giConvType == 7;
            if (bPhrase && failures.objects.isEmpty())
                ConversionStep(failures, QStringLiteral("vocabulary"),
                               [&] { ReplaceVocabulary(document, toSimplified, bL2R, progress, failures); });
            ShowConversionProgress(progress, sSrc, 90);
            ConversionStep(failures, QStringLiteral("document properties"), [&] { ConvertTextProperties(document, failures); });
            ShowConversionProgress(progress, sSrc, 100);
            if (failures.objects.isEmpty()) {
                ConversionStep(failures, QStringLiteral("output ") + sDst, [&] { document.StoreAs(sDst, office::StoreFilterFor(sDst, document.FilterName())); });
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
    // The source may be an intermediate of the Word route: the record names the output too.
    Err().Set(errAutomation, sSrc + QStringLiteral(" (output ") + sDst + QStringLiteral("): ") +
                                 failures.objects.join(QStringLiteral("; ")));
    ErrorLogQuiet(QStringLiteral("ConvertDOC"));
    return false;
}
