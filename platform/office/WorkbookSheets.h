#pragma once
// Inside the office layer only: a workbook's sheets and the shapes of their drawing pages,
// found once while the workbook is open. Converting a workbook adds, removes and moves no
// sheet and no shape, so each is looked up in the office once and not at every call.
#include "platform/office/UnoSession.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include <optional>
#include <vector>

namespace office {

// A shape of a sheet's drawing page with its shape type, as read once.
struct SheetShape {
    Reference<css::uno::XInterface> shape;
    rtl::OUString type;
};

struct WorkbookSheets {
    Reference<css::container::XIndexAccess> sheets;
    std::vector<Reference<css::sheet::XSpreadsheet>> sheet;
    std::vector<std::optional<std::vector<SheetShape>>> shapes;
};

// The number of sheets.
int CachedSheetCount(OfficeDocument::Impl& document);
// The sheet at that index; throws IndexOutOfBoundsException past the last.
Reference<css::sheet::XSpreadsheet> CachedSheet(OfficeDocument::Impl& document, int sheet);
// The shapes of the sheet's drawing page in drawing order (a group as one shape).
const std::vector<SheetShape>& CachedSheetShapes(OfficeDocument::Impl& document, int sheet);

}  // namespace office
