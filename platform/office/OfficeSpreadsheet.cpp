// The spreadsheet, presentation and document-property side of a loaded document: sheets, their constant
// text cells read and written as whole arrays (one cross-process call per block), their
// drawing shapes, slides and notes pages with their shapes, and the document's text properties.
#include "platform/office/OfficeDocument.h"

#include "platform/office/ChartShape.h"
#include "platform/office/TextSpans.h"
#include "platform/office/UnoSession.h"
#include "platform/office/WorkbookSheets.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/presentation/XPresentationPage.hpp>
#include <com/sun/star/drawing/XShapeDescriptor.hpp>
#include <com/sun/star/lang/IndexOutOfBoundsException.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XText.hpp>

#include <QSet>

namespace office {

namespace {

using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XIndexAccess> Slides(const Reference<css::lang::XComponent>& component)
{
    Reference<css::drawing::XDrawPagesSupplier> supplier(component, UNO_QUERY_THROW);
    return Reference<css::container::XIndexAccess>(supplier->getDrawPages(), UNO_QUERY_THROW);
}

Reference<css::container::XIndexAccess> SlidePage(const Reference<css::lang::XComponent>& component, int slide, bool notes)
{
    Reference<css::uno::XInterface> page(Slides(component)->getByIndex(slide), UNO_QUERY_THROW);
    if (notes)
        page = Reference<css::presentation::XPresentationPage>(page, UNO_QUERY_THROW)->getNotesPage();
    return Reference<css::container::XIndexAccess>(page, UNO_QUERY_THROW);
}

}  // namespace

int TypeCodeOf(const Reference<css::uno::XInterface>& shape)
{
    // The shape type is read through the descriptor interface (marked deprecated, still the
    // one that names a shape's type).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::drawing::XShapeDescriptor> descriptor(shape, UNO_QUERY);
    const QString type = descriptor.is() ? ToQString(descriptor->getShapeType()) : QString();
#pragma GCC diagnostic pop
    return TypeCodeOfShapeType(type, shape);
}

int TypeCodeOfShapeType(const QString& type, const Reference<css::uno::XInterface>& shape)
{
    if (type.endsWith(QLatin1String("TextShape")))
        return kShapeTextBox;
    if (type.endsWith(QLatin1String("GroupShape")))
        return kShapeGroup;
    if (type.endsWith(QLatin1String("LineShape")) || type.endsWith(QLatin1String("ConnectorShape")))
        return kShapeLine;
    if (type.endsWith(QLatin1String("GraphicObjectShape")))
        return kShapePicture;
    if (type.endsWith(QLatin1String("ControlShape")))
        return kShapeFormControl;
    if (type.contains(QLatin1String("PolyPolygon")) || type.contains(QLatin1String("Bezier")))
        return kShapeFreeform;
    if (type.endsWith(QLatin1String("ChartShape")))
        return kShapeChart;
    if (type.endsWith(QLatin1String("OLE2Shape")))
        return IsChartShape(shape) ? kShapeChart : kShapeEmbeddedOLEObject;
    return kShapeUnknown;
}

void SetFont(const Reference<css::uno::XInterface>& object, const QString& fontName)
{
    Reference<css::beans::XPropertySet> properties(object, UNO_QUERY_THROW);
    const Any font(ToOUString(fontName));
    properties->setPropertyValue("CharFontName", font);
    properties->setPropertyValue("CharFontNameAsian", font);
}

namespace {

// While alive, the workbook keeps no undo and its rows keep their heights: a change of many
// cells would otherwise copy them for undo and work out each row's height anew. Turning the
// heights on again works out every row's height. Within an open change of cells the first
// one turns them off and the change's end turns them on.
class BulkChange {
public:
    explicit BulkChange(OfficeDocument::Impl& document) : m_document(document)
    {
        if (m_document.cellLayoutHeld)
            return;
        Reference<css::beans::XPropertySet> settings(m_document.component, UNO_QUERY_THROW);
        m_document.heldUndo = settings->getPropertyValue("IsUndoEnabled");
        m_document.heldAdjustHeight = settings->getPropertyValue("IsAdjustHeightEnabled");
        settings->setPropertyValue("IsUndoEnabled", Any(false));
        settings->setPropertyValue("IsAdjustHeightEnabled", Any(false));
        m_document.cellLayoutHeld = true;
        m_releases = !m_document.cellChangesOpen;
    }
    ~BulkChange()
    {
        if (!m_releases)
            return;
        try {
            Release(m_document);
        } catch (const css::uno::Exception&) {
        }
    }
    BulkChange(const BulkChange&) = delete;
    BulkChange& operator=(const BulkChange&) = delete;

    static void Release(OfficeDocument::Impl& document)
    {
        if (!document.cellLayoutHeld)
            return;
        document.cellLayoutHeld = false;
        Reference<css::beans::XPropertySet> settings(document.component, UNO_QUERY_THROW);
        settings->setPropertyValue("IsAdjustHeightEnabled", document.heldAdjustHeight);
        settings->setPropertyValue("IsUndoEnabled", document.heldUndo);
    }

private:
    OfficeDocument::Impl& m_document;
    bool m_releases = false;
};

}  // namespace

#define TEZDESK_DOCUMENT_CALL(what) \
    if (!IsOpen())                  \
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path()); \
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral(what " of ") + Path(), [&]

int OfficeDocument::SheetCount() const
{
    TEZDESK_DOCUMENT_CALL("Sheets") { return CachedSheetCount(*m_impl); });
}

QString OfficeDocument::SheetName(int sheet) const
{
    TEZDESK_DOCUMENT_CALL("Sheet name") {
        return ToQString(Reference<css::container::XNamed>(CachedSheet(*m_impl, sheet), UNO_QUERY_THROW)->getName());
    });
}

void OfficeDocument::SetSheetName(int sheet, const QString& name)
{
    TEZDESK_DOCUMENT_CALL("Sheet name") {
        Reference<css::container::XNamed>(CachedSheet(*m_impl, sheet), UNO_QUERY_THROW)->setName(ToOUString(name));
    });
}

namespace {

using Cell = std::pair<sal_Int32, sal_Int32>;  // row, column

// The cells whose text has more than one formatting run.
QSet<Cell> RichTextCells(const Reference<css::sheet::XCellRangesQuery>& query)
{
    QSet<Cell> cells;
    Reference<css::sheet::XSheetCellRanges> ranges = query->queryContentCells(css::sheet::CellFlags::FORMATTED);
    for (const css::table::CellRangeAddress& address : ranges->getRangeAddresses())
        for (sal_Int32 row = address.StartRow; row <= address.EndRow; ++row)
            for (sal_Int32 column = address.StartColumn; column <= address.EndColumn; ++column)
                cells.insert({row, column});
    return cells;
}

// The rows [firstRow, lastRow] and columns [firstColumn, lastColumn] of a text range read whole.
TextCellBlock SubBlock(const TextCellBlock& range, sal_Int32 firstRow, sal_Int32 lastRow, sal_Int32 firstColumn,
                       sal_Int32 lastColumn)
{
    TextCellBlock block;
    block.firstRow = firstRow;
    block.firstColumn = firstColumn;
    block.rows = lastRow - firstRow + 1;
    block.columns = lastColumn - firstColumn + 1;
    for (sal_Int32 row = firstRow; row <= lastRow; ++row)
        for (sal_Int32 column = firstColumn; column <= lastColumn; ++column)
            block.texts.append(range.texts.at((row - range.firstRow) * range.columns + column - range.firstColumn));
    return block;
}

// A text range cut so that each rich text cell is a block of its own: rows without one stay
// together, a row with one is cut around it.
void AppendCut(const TextCellBlock& range, const QSet<Cell>& rich, QList<TextCellBlock>& blocks)
{
    const sal_Int32 lastRow = range.firstRow + range.rows - 1;
    const sal_Int32 lastColumn = range.firstColumn + range.columns - 1;
    const auto rowHasRich = [&](sal_Int32 row) {
        for (sal_Int32 column = range.firstColumn; column <= lastColumn; ++column)
            if (rich.contains({row, column}))
                return true;
        return false;
    };
    sal_Int32 bandStart = range.firstRow;
    for (sal_Int32 row = range.firstRow; row <= lastRow + 1; ++row) {
        if (row <= lastRow && !rowHasRich(row))
            continue;
        if (bandStart < row)
            blocks.append(SubBlock(range, bandStart, row - 1, range.firstColumn, lastColumn));
        bandStart = row + 1;
        if (row > lastRow)
            break;
        sal_Int32 segmentStart = range.firstColumn;
        for (sal_Int32 column = range.firstColumn; column <= lastColumn + 1; ++column) {
            if (column <= lastColumn && !rich.contains({row, column}))
                continue;
            if (segmentStart < column)
                blocks.append(SubBlock(range, row, row, segmentStart, column - 1));
            if (column <= lastColumn) {
                blocks.append(SubBlock(range, row, row, column, column));
                blocks.last().richText = true;
            }
            segmentStart = column + 1;
        }
    }
}

// The sheet's constant text cells, in blocks, each rich text cell a block of its own.
QList<TextCellBlock> TextCellsOf(const Reference<css::sheet::XSpreadsheet>& sheet)
{
    QList<TextCellBlock> blocks;
    Reference<css::sheet::XCellRangesQuery> query(sheet, UNO_QUERY_THROW);
    Reference<css::sheet::XSheetCellRanges> ranges = query->queryContentCells(css::sheet::CellFlags::STRING);
    Reference<css::container::XIndexAccess> rangeList(ranges, UNO_QUERY_THROW);
    const sal_Int32 count = rangeList->getCount();
    const QSet<Cell> rich = count > 0 ? RichTextCells(query) : QSet<Cell>();
    for (sal_Int32 i = 0; i < count; ++i) {
        Reference<css::sheet::XCellRangeData> data(rangeList->getByIndex(i), UNO_QUERY_THROW);
        const auto address = Reference<css::sheet::XCellRangeAddressable>(data, UNO_QUERY_THROW)->getRangeAddress();
        TextCellBlock block;
        block.firstRow = address.StartRow;
        block.firstColumn = address.StartColumn;
        block.rows = address.EndRow - address.StartRow + 1;
        block.columns = address.EndColumn - address.StartColumn + 1;
        const Sequence<Sequence<Any>> rows = data->getDataArray();
        for (const Sequence<Any>& row : rows)
            for (const Any& cell : row) {
                rtl::OUString text;
                cell >>= text;
                block.texts.append(ToQString(text));
            }
        if (rich.isEmpty())
            blocks.append(block);
        else
            AppendCut(block, rich, blocks);
    }
    return blocks;
}

}  // namespace

QList<TextCellBlock> OfficeDocument::SheetTextCells(int sheet) const
{
    TEZDESK_DOCUMENT_CALL("Text cells") { return TextCellsOf(CachedSheet(*m_impl, sheet)); });
}

void OfficeDocument::SetSheetTextCells(int sheet, const TextCellBlock& block, const TextConversion& convert)
{
    if (block.texts.size() != block.rows * block.columns || block.rows <= 0 || block.columns <= 0 ||
        (block.richText && block.texts.size() != 1))
        throw OfficeError(OfficeFailure::CallFailed, QStringLiteral("A block of cells with a wrong number of texts"));
    TEZDESK_DOCUMENT_CALL("Text cells") {
        Reference<css::table::XCellRange> cells(CachedSheet(*m_impl, sheet), UNO_QUERY_THROW);
        if (block.richText) {
            // The cell's text cursor moves by UTF-16 units, as a drawing shape's does.
            const Reference<css::text::XText> text(cells->getCellByPosition(block.firstColumn, block.firstRow), UNO_QUERY_THROW);
            BulkChange bulk(*m_impl);
            WriteConvertedText(text, ToQString(text->getString()), block.texts.first(), convert);
            return;
        }
        Reference<css::sheet::XCellRangeData> data(
            cells->getCellRangeByPosition(block.firstColumn, block.firstRow, block.firstColumn + block.columns - 1,
                                          block.firstRow + block.rows - 1),
            UNO_QUERY_THROW);
        Sequence<Sequence<Any>> rows(block.rows);
        auto* rowData = rows.getArray();
        for (int r = 0; r < block.rows; ++r) {
            Sequence<Any> row(block.columns);
            auto* cellData = row.getArray();
            for (int c = 0; c < block.columns; ++c)
                cellData[c] <<= ToOUString(block.texts.at(r * block.columns + c));
            rowData[r] = row;
        }
        BulkChange bulk(*m_impl);
        data->setDataArray(rows);
    });
}

void OfficeDocument::SetSheetFont(int sheet, const QString& fontName)
{
    TEZDESK_DOCUMENT_CALL("Sheet font") {
        Reference<css::sheet::XSpreadsheet> spreadsheet = CachedSheet(*m_impl, sheet);
        Reference<css::sheet::XUsedAreaCursor> cursor(spreadsheet->createCursor(), UNO_QUERY_THROW);
        cursor->gotoStartOfUsedArea(false);
        cursor->gotoEndOfUsedArea(true);
        BulkChange bulk(*m_impl);
        SetFont(cursor, fontName);
    });
}

void OfficeDocument::BeginCellChanges()
{
    m_impl->cellChangesOpen = true;
}

void OfficeDocument::EndCellChanges()
{
    m_impl->cellChangesOpen = false;
    if (!m_impl->cellLayoutHeld)
        return;
    TEZDESK_DOCUMENT_CALL("Cell layout") { BulkChange::Release(*m_impl); });
}

namespace {

ShapeText ShapeTextOf(const Reference<css::uno::XInterface>& shape, int typeCode)
{
    ShapeText entry;
    entry.typeCode = typeCode;
    Reference<css::container::XNamed> named(shape, UNO_QUERY);
    if (named.is())
        entry.name = ToQString(named->getName());
    Reference<css::text::XText> text(shape, UNO_QUERY);
    entry.hasText = text.is();
    if (text.is())
        entry.text = ToQString(text->getString());
    return entry;
}

QList<ShapeText> ShapeTexts(const Reference<css::container::XIndexAccess>& shapes)
{
    QList<ShapeText> result;
    for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
        Reference<css::uno::XInterface> shape(shapes->getByIndex(i), UNO_QUERY);
        result.append(ShapeTextOf(shape, TypeCodeOf(shape)));
    }
    return result;
}

void SetShapeText(const Reference<css::text::XText>& shapeText, const QString* before, const QString& text,
                  const QString& fontName, const TextConversion& convert = {})
{
    WriteConvertedText(shapeText, before ? *before : ToQString(shapeText->getString()), text, convert);
    if (!fontName.isEmpty())
        SetFont(shapeText, fontName);
}

void SetShapeText(const Reference<css::container::XIndexAccess>& shapes, int index, const QString* before,
                  const QString& text, const QString& fontName, const TextConversion& convert = {})
{
    SetShapeText(Reference<css::text::XText>(shapes->getByIndex(index), UNO_QUERY_THROW), before, text, fontName, convert);
}

const SheetShape& SheetShapeAt(const std::vector<SheetShape>& shapes, int index)
{
    if (index < 0 || index >= int(shapes.size()))
        throw css::lang::IndexOutOfBoundsException("There is no shape " + rtl::OUString::number(index + 1));
    return shapes.at(index);
}

}  // namespace

QList<ShapeText> OfficeDocument::SheetShapes(int sheet) const
{
    TEZDESK_DOCUMENT_CALL("Shapes") {
        QList<ShapeText> result;
        for (const SheetShape& shape : CachedSheetShapes(*m_impl, sheet))
            result.append(ShapeTextOf(shape.shape, TypeCodeOfShapeType(ToQString(shape.type), shape.shape)));
        return result;
    });
}

void OfficeDocument::SetSheetShapeText(int sheet, int index, const QString& before, const QString& text,
                                      const QString& fontName, const TextConversion& convert)
{
    TEZDESK_DOCUMENT_CALL("Shape text") {
        const SheetShape& shape = SheetShapeAt(CachedSheetShapes(*m_impl, sheet), index);
        SetShapeText(Reference<css::text::XText>(shape.shape, UNO_QUERY_THROW), &before, text, fontName, convert);
    });
}

QStringList OfficeDocument::SheetRunStyles(int sheet) const
{
    TEZDESK_DOCUMENT_CALL("Run styles") {
        QStringList runs;
        Reference<css::table::XCellRange> cells(CachedSheet(*m_impl, sheet), UNO_QUERY_THROW);
        for (const TextCellBlock& block : TextCellsOf(Reference<css::sheet::XSpreadsheet>(cells, UNO_QUERY_THROW)))
            for (int r = 0; r < block.rows; ++r)
                for (int c = 0; c < block.columns; ++c)
                    runs += RunStylesOf(Reference<css::text::XText>(
                        cells->getCellByPosition(block.firstColumn + c, block.firstRow + r), UNO_QUERY_THROW));
        for (const SheetShape& shape : CachedSheetShapes(*m_impl, sheet)) {
            Reference<css::text::XText> text(shape.shape, UNO_QUERY);
            if (text.is())
                runs += RunStylesOf(text);
        }
        return runs;
    });
}

int OfficeDocument::SlideCount() const
{
    TEZDESK_DOCUMENT_CALL("Slides") { return int(Slides(m_impl->component)->getCount()); });
}

QList<ShapeText> OfficeDocument::SlideShapes(int slide, bool notes) const
{
    TEZDESK_DOCUMENT_CALL("Shapes") { return ShapeTexts(SlidePage(m_impl->component, slide, notes)); });
}

void OfficeDocument::SetSlideShapeText(int slide, bool notes, int index, const QString& text, const QString& fontName)
{
    TEZDESK_DOCUMENT_CALL("Shape text") {
        SetShapeText(SlidePage(m_impl->component, slide, notes), index, nullptr, text, fontName);
    });
}

QStringList OfficeDocument::TextProperties() const
{
    TEZDESK_DOCUMENT_CALL("Document properties") {
        Reference<css::document::XDocumentPropertiesSupplier> supplier(m_impl->component, UNO_QUERY_THROW);
        Reference<css::document::XDocumentProperties> properties(supplier->getDocumentProperties(), UNO_QUERY_THROW);
        return QStringList{ToQString(properties->getTitle()), ToQString(properties->getSubject()),
                           ToQString(properties->getDescription()), ToQString(properties->getAuthor())};
    });
}

void OfficeDocument::SetTextProperties(const QStringList& values)
{
    if (values.size() != 4)
        throw OfficeError(OfficeFailure::CallFailed, QStringLiteral("Four document properties expected"));
    TEZDESK_DOCUMENT_CALL("Document properties") {
        Reference<css::document::XDocumentPropertiesSupplier> supplier(m_impl->component, UNO_QUERY_THROW);
        Reference<css::document::XDocumentProperties> properties(supplier->getDocumentProperties(), UNO_QUERY_THROW);
        properties->setTitle(ToOUString(values.at(0)));
        properties->setSubject(ToOUString(values.at(1)));
        properties->setDescription(ToOUString(values.at(2)));
        properties->setAuthor(ToOUString(values.at(3)));
    });
}

#undef TEZDESK_DOCUMENT_CALL

}  // namespace office
