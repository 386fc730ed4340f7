#include "core/RowsOutcome.h"

#include "core/FileRowFlags.h"
#include "platform/FlexGrid.h"

RunOutcome RowsOutcome(FlexGrid* grid)
{
    for (int row = 1; row < grid->Rows(); ++row) {
        const bool processed = (static_cast<int32_t>(grid->RowData(row)) & FileRowProcessed) != 0;
        if (!processed || grid->TextMatrix(row, 0) == QLatin1String("."))
            return RunOutcome::Failed;
    }
    return RunOutcome::Succeeded;
}
