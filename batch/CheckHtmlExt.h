#pragma once
// Re-types the rows of a file grid by an extension list: every data row not yet of text type
// whose input file exists and has an extension in the list becomes a text/HTML row (0x20
// added, other bits kept) with the text picture. A row is never un-typed; a row whose input
// is gone is left as it is. Failures go to the error log as "CheckHtmlExt"; the rows re-typed
// before keep their type.
#include <QStringList>

class FlexGrid;

void CheckHtmlExt(FlexGrid* grid, const QStringList& list);
