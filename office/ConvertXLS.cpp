// One workbook converted through the program's office: every sheet's constant text cells
// (read and written as whole arrays), the text literals of its formulas, its drawing shapes'
// texts, its form controls' captions and texts, its charts' texts, its name, and the
// document's text properties. The source is never written: the converted workbook is stored
// once, in the source's own format, under the output path (through a temporary file beside
// it). A conversion that met any failure stores nothing and reports false, with one
// error-log record naming the workbook and what failed.
#include "core/ConvertOptions.h"
#include "core/Err.h"
#include "core/Log.h"
#include "core/dlgProgress.h"
#include "office/ConversionSteps.h"
#include "office/ConvertCharts.h"
#include "office/ConvertTexts.h"
#include "office/FormulaLiterals.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "core/FileIdentity.h"
#include "office/ShapeTypeName.h"
#include "platform/office/OfficeFormats.h"

#include <QTime>

namespace {

using office::OfficeDocument;
using office::OfficeError;

using Failures = ConversionFailures;

void TransSheet(OfficeDocument& book, int sheet, Failures& failures)
{
    QList<office::TextCellBlock> blocks = book.SheetTextCells(sheet);
    QStringList texts;
    for (const office::TextCellBlock& block : blocks)
        texts += block.texts;
    if (texts.isEmpty())
        return;
    const QStringList converted = ConvertTextsOf(QStringLiteral("cells of sheet %1").arg(sheet + 1), texts, failures);
    qsizetype next = 0;
    for (office::TextCellBlock& block : blocks) {
        const QStringList blockTexts = converted.mid(next, block.texts.size());
        next += block.texts.size();
        if (blockTexts == block.texts)
            continue;
        block.texts = blockTexts;
        book.SetSheetTextCells(sheet, block, [&](const QString& text) {
            QString result;
            return ConvertTextOf(QStringLiteral("cells of sheet %1").arg(sheet + 1), text, result, failures) ? result : QString();
        });
    }
    if (!gsConvFontName.isEmpty())
        book.SetSheetFont(sheet, gsConvFontName);
}

// The text literals inside formulas: converted, and the formula written back as a formula
// (its result is never replaced by a constant). Cells the formulas refer to are converted
// by the cell pass, so a comparison with a literal still matches after the conversion.
void TransFormulaTexts(OfficeDocument& book, int sheet, Failures& failures)
{
    const QList<OfficeDocument::FormulaCell> cells = book.SheetTextFormulas(sheet);
    QStringList literals;
    for (const OfficeDocument::FormulaCell& cell : cells)
        literals += FormulaLiterals(cell.formula);
    if (literals.isEmpty())
        return;
    const QStringList converted = ConvertTextsOf(QStringLiteral("formulas of sheet %1").arg(sheet + 1), literals, failures);
    qsizetype next = 0;
    for (OfficeDocument::FormulaCell cell : cells) {
        const qsizetype count = FormulaLiterals(cell.formula).size();
        const QString formula = WithFormulaLiterals(cell.formula, converted.mid(next, count));
        next += count;
        if (formula == cell.formula)
            continue;
        cell.formula = formula;
        book.SetSheetFormula(sheet, cell);
    }
}

void TransShapes(OfficeDocument& book, int sheet, Failures& failures)
{
    const QList<office::ShapeText> shapes = book.SheetShapes(sheet);
    for (int i = 0; i < shapes.size(); ++i) {
        const office::ShapeText& shape = shapes.at(i);
        const QString typeName = ShapeTypeName(shape.typeCode);
        WriteLog(QStringLiteral("  .Do TShape:") + shape.name + QStringLiteral(", Type:") + typeName);
        if (typeName == QLatin1String("msoChart") || typeName == QLatin1String("msoEmbeddedOLEObject") ||
            typeName == QLatin1String("msoOLEControlObject") || typeName == QLatin1String("msoLine"))
            continue;
        if (!shape.hasText || shape.text.isEmpty())
            continue;
        const QString what = QStringLiteral("shape %1 of sheet %2").arg(shape.name).arg(sheet + 1);
        QString converted;
        if (!ConvertTextOf(what, shape.text, converted, failures))
            continue;
        book.SetSheetShapeText(sheet, i, shape.text, converted, gsConvFontName, [&](const QString& text) {
            QString result;
            return ConvertTextOf(what, text, result, failures) ? result : QString();
        });
    }
}

// The control's kind from its ProgId, as the Office forms name them: a later match wins
// ("Option" names an option button); "" for a kind that has no text to convert.
QString ControlKind(const QString& progId)
{
    QString kind;
    for (const char* name : {"CommandButton", "CheckBox", "TextBox", "Label"})
        if (progId.contains(QLatin1String(name)))
            kind = QLatin1String(name);
    if (progId.contains(QLatin1String("Option")))
        kind = QStringLiteral("OptionButton");
    return kind;
}

// The sheet's form controls: the caption of buttons, boxes and labels, the text of text boxes.
void TransOLEObjects(OfficeDocument& book, int sheet, Failures& failures)
{
    const QList<OfficeDocument::FormControl> controls = book.SheetFormControls(sheet);
    for (int i = 0; i < controls.size(); ++i) {
        const OfficeDocument::FormControl& control = controls.at(i);
        const QString typeName = ShapeTypeName(control.typeCode);
        if (typeName != QLatin1String("msoFormControl") && typeName != QLatin1String("msoOLEControlObject"))
            continue;
        const QString kind = ControlKind(control.progId);
        if (kind.isEmpty())
            continue;
        const bool isText = kind == QLatin1String("TextBox");
        const QString text = isText ? control.text : control.caption;
        if (text.isEmpty())
            continue;
        QString converted;
        if (!ConvertTextOf(QStringLiteral("control %1 of sheet %2").arg(control.name).arg(sheet + 1), text, converted, failures))
            continue;
        if (converted == text && gsConvFontName.isEmpty())
            continue;
        if (isText)
            book.SetSheetFormControlText(sheet, i, converted, gsConvFontName);
        else
            book.SetSheetFormControlCaption(sheet, i, converted, gsConvFontName);
    }
}

void TransSheetName(OfficeDocument& book, int sheet, Failures& failures)
{
    const QString name = book.SheetName(sheet);
    QString converted;
    if (!ConvertTextOf(QStringLiteral("name of sheet %1").arg(sheet + 1), name, converted, failures))
        return;
    if (converted == name)
        return;
    try {
        book.SetSheetName(sheet, converted);
    } catch (const OfficeError&) {
        // A converted name that another sheet already has: the sheet keeps its name.
        WriteLog(QStringLiteral(" ..ERROR 1004, SheetName:") + name);
    }
}

}  // namespace

bool ConvertXLS(DlgProgress& progress, const QString& sSrc, const QString& sDst, bool bCode, bool bPhrase,
                bool bB52GB, bool bL2R)
{
    SetConvertOption(bB52GB, bCode, bPhrase, bL2R);
    ShowConversionProgress(progress, sSrc, 0);
    Failures failures;
    if (IsOneFile(sSrc, sDst)) {
        failures.Add(QStringLiteral("output"), QStringLiteral("the output is the workbook itself: ") + sDst);
    } else {
        try {
            OfficeDocument book = office_session::ProgramOffice().Load(sSrc, office::DocumentKind::Spreadsheet);
            WriteLog(QStringLiteral("WorkBook Opened:") + sSrc + QStringLiteral(", SaveAs:") + sDst);
            const QTime start = QTime::currentTime();
            // The row heights are worked out once, after every cell of every sheet is written.
            book.BeginCellChanges();
            const int sheets = book.SheetCount();
            const int step = sheets > 0 ? 80 / sheets : 0;
            int position = 10;
            ShowConversionProgress(progress, sSrc, position);
            for (int sheet = 0; sheet < sheets; ++sheet) {
                const QString what = QStringLiteral("sheet %1").arg(sheet + 1);
                ConversionStep(failures, what + QStringLiteral(" cells"), [&] { TransSheet(book, sheet, failures); });
                ConversionStep(failures, what + QStringLiteral(" formulas"), [&] { TransFormulaTexts(book, sheet, failures); });
                ConversionStep(failures, what + QStringLiteral(" shapes"), [&] { TransShapes(book, sheet, failures); });
                ConversionStep(failures, what + QStringLiteral(" form controls"), [&] { TransOLEObjects(book, sheet, failures); });
                ConversionStep(failures, what + QStringLiteral(" charts"), [&] { TransChartObjs(book, sheet, failures); });
                ConversionStep(failures, what + QStringLiteral(" name"), [&] { TransSheetName(book, sheet, failures); });
                position += step;
                ShowConversionProgress(progress, sSrc, position);
            }
            ConversionStep(failures, QStringLiteral("document properties"), [&] { ConvertTextProperties(book, failures); });
            ConversionStep(failures, QStringLiteral("row heights"), [&] { book.EndCellChanges(); });
            ShowConversionProgress(progress, sSrc, 100);
            if (failures.objects.isEmpty()) {
                ConversionStep(failures, QStringLiteral("output ") + sDst, [&] { book.StoreAs(sDst, office::StoreFilterFor(sDst, book.FilterName())); });
                WriteLog(QStringLiteral("--- WorkBook Closed:") + sDst);
                WriteLog(QStringLiteral("--- Process WorkBook Time(in seconds):") +
                         QString::number(start.msecsTo(QTime::currentTime()) / 1000.0));
            }
        } catch (const OfficeError& e) {
            failures.Add(QStringLiteral("workbook"), e.message());
        }
    }
    if (failures.objects.isEmpty())
        return true;
    Err().Set(errAutomation, sSrc + QStringLiteral(": ") + failures.objects.join(QStringLiteral("; ")));
    ErrorLogQuiet(QStringLiteral("ConvertXLS"));
    return false;
}
