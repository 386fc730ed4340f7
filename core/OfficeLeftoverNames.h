#pragma once
// The names the office leaves beside a document it opened or stored, when it is killed:
// lock-file names with %1 for the document's name, and wildcard patterns of its own
// temporaries. A run removes those that appeared during a row when the row ends. The
// office layer adds its own names to these lists.
#include <QStringList>

QStringList& OfficeLockNames();
QStringList& OfficeTemporaryPatterns();
