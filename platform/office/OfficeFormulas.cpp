// The formulas of a sheet that hold text literals, read a block of formula cells per call,
// and written back one cell at a time.
#include "platform/office/OfficeDocument.h"

#include "platform/office/UnoSession.h"
#include "platform/office/WorkbookSheets.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/CellFlags.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeFormula.hpp>
#include <com/sun/star/sheet/XCellRangesQuery.hpp>
#include <com/sun/star/sheet/XSheetCellRanges.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/XCell.hpp>

namespace office {

namespace {

using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

}  // namespace

#define TEZDESK_FORMULA_CALL(what) \
    if (!IsOpen())                 \
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path()); \
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral(what " of ") + Path(), [&]

QList<OfficeDocument::FormulaCell> OfficeDocument::SheetTextFormulas(int sheet) const
{
    TEZDESK_FORMULA_CALL("Formulas") {
        QList<FormulaCell> cells;
        Reference<css::sheet::XCellRangesQuery> query(CachedSheet(*m_impl, sheet), UNO_QUERY_THROW);
        Reference<css::container::XIndexAccess> ranges(query->queryContentCells(css::sheet::CellFlags::FORMULA),
                                                       UNO_QUERY_THROW);
        for (sal_Int32 i = 0, n = ranges->getCount(); i < n; ++i) {
            Reference<css::sheet::XCellRangeFormula> block(ranges->getByIndex(i), UNO_QUERY_THROW);
            const auto address = Reference<css::sheet::XCellRangeAddressable>(block, UNO_QUERY_THROW)->getRangeAddress();
            const Sequence<Sequence<rtl::OUString>> rows = block->getFormulaArray();
            for (sal_Int32 r = 0; r < rows.getLength(); ++r)
                for (sal_Int32 c = 0; c < rows[r].getLength(); ++c) {
                    const QString formula = ToQString(rows[r][c]);
                    if (formula.startsWith(QLatin1Char('=')) && formula.contains(QLatin1Char('"')))
                        cells.append({int(address.StartRow + r), int(address.StartColumn + c), formula});
                }
        }
        return cells;
    });
}

void OfficeDocument::SetSheetFormula(int sheet, const FormulaCell& cell)
{
    if (!cell.formula.startsWith(QLatin1Char('=')))
        throw OfficeError(OfficeFailure::CallFailed, QStringLiteral("Not a formula: ") + cell.formula);
    TEZDESK_FORMULA_CALL("Formula") {
        CachedSheet(*m_impl, sheet)->getCellByPosition(cell.column, cell.row)->setFormula(ToOUString(cell.formula));
    });
}

#undef TEZDESK_FORMULA_CALL

}  // namespace office
