#pragma once
// Files a run may leave in an output folder when a row is cut short (the program killed, the
// office killed): the program's own temporaries, its intermediate files, and what the office
// leaves beside a document (lock files, its own temporaries). A row removes what appeared
// during it when it ends, either way; a run first removes the program's own temporaries
// that an earlier run left in the folders it writes.
#include <QSet>
#include <QString>
#include <QStringList>

// What stood in a row's folders before the row, of the names it may leave behind.
struct RowLeftovers {
    bool watched = false;
    QSet<QString> before; // full paths that existed
};

// Only a row that goes through the office or an intermediate file (officeRoute) is watched:
// the other routes write through one temporary that they remove themselves.
RowLeftovers LeftoversBefore(const QString& input, const QString& output, bool officeRoute);

// Removes the leftover names of the row that did not exist when it started.
void RemoveRowLeftovers(const QString& input, const QString& output, const RowLeftovers& before);

// Removes, in each folder, the program's own temporaries (".tezc-XXXXXX" and the office
// store's ".NAME.XXXXXX.tmp") that no row of this run is writing: stale ones of an earlier
// run. Only regular files of those exact patterns are removed.
void RemoveStaleTemporaries(const QStringList& folders);
