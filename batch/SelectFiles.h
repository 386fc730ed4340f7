#pragma once
// The add-files dialog of the file-list windows: several files may be chosen, Explorer
// style, long names, each file must exist, no read-only box; it opens in the program folder.
#include <QString>
#include <QStringList>

// The paths in the open dialog's result: one full path when it holds no NUL; otherwise the
// folder before the first NUL ("/" appended unless it ends with one) joined with each
// following NUL-separated name, in the order returned. Empty names are skipped.
QStringList ParseSelectedFiles(const QString& fileName);

// The flags of the add-files dialog.
constexpr int kAddFilesDialogFlags = 0x281204;

// Shows the add-files dialog with the window's filter (the second filter preselected);
// the chosen paths, empty when cancelled.
QStringList AskFilesToAdd(const QString& filter);
