#include "platform/office/WorkbookSheets.h"

#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/drawing/XShapeDescriptor.hpp>
#include <com/sun/star/lang/IndexOutOfBoundsException.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>

namespace office {

namespace {

using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

WorkbookSheets& SheetsOf(OfficeDocument::Impl& document)
{
    if (!document.sheets) {
        auto sheets = std::make_shared<WorkbookSheets>();
        Reference<css::sheet::XSpreadsheetDocument> workbook(document.component, UNO_QUERY_THROW);
        sheets->sheets.set(workbook->getSheets(), UNO_QUERY_THROW);
        const sal_Int32 count = sheets->sheets->getCount();
        sheets->sheet.resize(count);
        sheets->shapes.resize(count);
        document.sheets = std::move(sheets);
    }
    return *document.sheets;
}

void CheckIndex(const WorkbookSheets& sheets, int sheet)
{
    if (sheet < 0 || sheet >= int(sheets.sheet.size()))
        throw css::lang::IndexOutOfBoundsException("There is no sheet " + rtl::OUString::number(sheet + 1));
}

}  // namespace

int CachedSheetCount(OfficeDocument::Impl& document)
{
    return int(SheetsOf(document).sheet.size());
}

Reference<css::sheet::XSpreadsheet> CachedSheet(OfficeDocument::Impl& document, int sheet)
{
    WorkbookSheets& sheets = SheetsOf(document);
    CheckIndex(sheets, sheet);
    Reference<css::sheet::XSpreadsheet>& found = sheets.sheet[sheet];
    if (!found.is())
        found.set(sheets.sheets->getByIndex(sheet), UNO_QUERY_THROW);
    return found;
}

const std::vector<SheetShape>& CachedSheetShapes(OfficeDocument::Impl& document, int sheet)
{
    const Reference<css::sheet::XSpreadsheet> spreadsheet = CachedSheet(document, sheet);
    std::optional<std::vector<SheetShape>>& found = document.sheets->shapes[sheet];
    if (found)
        return *found;
    Reference<css::drawing::XDrawPageSupplier> supplier(spreadsheet, UNO_QUERY_THROW);
    // The shape type is read through the descriptor interface (marked deprecated, still the
    // one that names a shape's type).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::container::XIndexAccess> page(supplier->getDrawPage(), UNO_QUERY_THROW);
    std::vector<SheetShape> shapes;
    for (sal_Int32 i = 0, n = page->getCount(); i < n; ++i) {
        Reference<css::uno::XInterface> shape(page->getByIndex(i), UNO_QUERY);
        Reference<css::drawing::XShapeDescriptor> descriptor(shape, UNO_QUERY);
        shapes.push_back({shape, descriptor.is() ? descriptor->getShapeType() : rtl::OUString()});
    }
#pragma GCC diagnostic pop
    found = std::move(shapes);
    return *found;
}

}  // namespace office
